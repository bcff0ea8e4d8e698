#include "model/depth_settings.h"

#include <cmath>
#include <limits>
#include <regex>

#include "model/field_table.h"
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

// Why a text cannot be used as a depth at most `largest`, or "" when it can.
std::string refusal(const std::string& t, double largest) {
    const std::string quoted = "'" + t + "'";
    // The single the parameter set stores, as every other field.
    const double v = wholeNumberText(t) ? parseDimension(t) : 0.0;
    if (!wholeNumberText(t) || std::isnan(v))
        return "must be a number, not " + quoted + ".";
    if (v < 0.0)
        return "must be 0 or more, not " + quoted + ".";
    if (std::isinf(v))
        return "is too large: " + quoted + ".";
    if (v > largest)
        return "must be at most the body length, not " + quoted + ".";
    return "";
}

// The value of one text, at most `largest`; false with the problem when it
// cannot be used.
bool readOne(int field, const char* label, const std::string& text, double largest,
             std::optional<double>& value, DepthSettings& s) {
    const std::string t = trimmed(text);
    if (t.empty())
        return true;
    s.problemReason = refusal(t, largest);
    if (!s.problemReason.empty()) {
        s.problemField = field;
        s.problem = std::string(label) + " " + s.problemReason;
        return false;
    }
    value = parseDimension(t);
    return true;
}

}  // namespace

DepthSettings readDepthSettings(const std::string& tailText, const std::string& neckText,
                                const std::string& thicknessText, double bodyLength) {
    DepthSettings s;
    const double anyThickness = std::numeric_limits<double>::infinity();
    readOne(fields::BODY_DEPTH_AT_TAIL, DEPTH_AT_TAIL_LABEL, tailText, bodyLength, s.tail, s) &&
        readOne(fields::BODY_DEPTH_AT_NECK, DEPTH_AT_NECK_LABEL, neckText, bodyLength, s.neck, s) &&
        readOne(fields::TOP_THICKNESS, TOP_THICKNESS_LABEL, thicknessText, anyThickness,
                s.topThickness, s);
    return s;
}

}  // namespace bowlyn
