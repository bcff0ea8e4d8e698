#include "model/depth_settings.h"

#include <cmath>
#include <limits>

#include "model/design.h"
#include "model/field_table.h"
#include "model/number_text.h"

namespace bowlyn {
namespace {

// Why a depth that reads as `v` cannot be used when it may be at most
// `largest`, or "" when it can.
std::string refusal(const std::string& typed, float v, double largest) {
    const std::string quoted = "'" + typed + "'";
    if (std::isnan(v))
        return "must be a number, not " + quoted + ".";
    if (v < 0.0f)
        return "must be 0 or more, not " + quoted + ".";
    if (std::isinf(v))
        return "is too large: " + quoted + ".";
    if (v > largest)
        return "must be at most the body length, not " + quoted + ".";
    return "";
}

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The value of one field's text, at most `largest`; false with the problem
// when it cannot be used.
bool readOne(int number, const std::string& text, double largest, std::optional<double>& value,
             DepthSettings& s) {
    const std::optional<double> read = readWholeNumber(text);
    if (!read)
        return true;
    // The single the parameter set stores, as every other field.
    const float v = static_cast<float>(*read);
    s.problemReason = refusal(trimmed(text), v, largest);
    if (!s.problemReason.empty()) {
        s.problemField = number;
        s.problem = std::string(field(number).label) + " " + s.problemReason;
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
    readOne(fields::BODY_DEPTH_AT_TAIL, tailText, bodyLength, s.tail, s) &&
        readOne(fields::BODY_DEPTH_AT_NECK, neckText, bodyLength, s.neck, s) &&
        readOne(fields::TOP_THICKNESS, thicknessText, anyThickness, s.topThickness, s);
    return s;
}

DepthSettings designDepths(const Design& design) {
    return readDepthSettings(design.text(fields::BODY_DEPTH_AT_TAIL),
                             design.text(fields::BODY_DEPTH_AT_NECK),
                             design.text(fields::TOP_THICKNESS), design.params.bodyLength);
}

}  // namespace bowlyn
