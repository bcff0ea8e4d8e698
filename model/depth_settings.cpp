#include "model/depth_settings.h"

#include <cmath>
#include <limits>
#include <regex>

#include "model/number_text.h"

namespace bowlyn {
namespace {

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A number as the entries read it, with nothing before or after it: a
// decimal with an optional sign and exponent (E, e, D or d), or a fraction
// with an optional whole part ("4 7/8").
bool wholeNumberText(const std::string& text) {
    static const std::regex number(
        R"([+-]?([0-9]+(\.[0-9]*)?|\.[0-9]+)([EeDd][+-]?[0-9]+)?)"
        R"(|([0-9]+ +)?([0-9]+(\.[0-9]*)?|\.[0-9]+)/([0-9]+(\.[0-9]*)?|\.[0-9]+))");
    return std::regex_match(text, number);
}

// The value of one text, at most `largest`; false with the problem when it
// cannot be used.
bool readOne(const char* label, const std::string& text, double largest,
             std::optional<double>& value, std::string& problem) {
    const std::string t = trimmed(text);
    if (t.empty())
        return true;
    const std::string quoted = "'" + t + "'";
    if (!wholeNumberText(t)) {
        problem = std::string(label) + " must be a number, not " + quoted + ".";
        return false;
    }
    // The single the parameter set stores, as every other field.
    const double v = parseDimension(t);
    if (std::isnan(v)) {
        problem = std::string(label) + " must be a number, not " + quoted + ".";
        return false;
    }
    if (v < 0.0) {
        problem = std::string(label) + " must be 0 or more, not " + quoted + ".";
        return false;
    }
    if (std::isinf(v)) {
        problem = std::string(label) + " is too large: " + quoted + ".";
        return false;
    }
    if (v > largest) {
        problem = std::string(label) + " must be at most the body length, not " + quoted + ".";
        return false;
    }
    value = v;
    return true;
}

}  // namespace

DepthSettings readDepthSettings(const std::string& tailText, const std::string& neckText,
                                const std::string& thicknessText, double bodyLength) {
    DepthSettings s;
    const double anyThickness = std::numeric_limits<double>::infinity();
    readOne(DEPTH_AT_TAIL_LABEL, tailText, bodyLength, s.tail, s.problem) &&
        readOne(DEPTH_AT_NECK_LABEL, neckText, bodyLength, s.neck, s.problem) &&
        readOne(TOP_THICKNESS_LABEL, thicknessText, anyThickness, s.topThickness, s.problem);
    return s;
}

}  // namespace bowlyn
