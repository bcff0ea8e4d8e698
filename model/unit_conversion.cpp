#include "model/unit_conversion.h"

#include <charconv>
#include <cmath>

#include "model/form_editing.h"
#include "model/number_text.h"

namespace bowlyn {
namespace {

// Beyond this a fixed-point text would be all digits before the point, and
// below 10^-MAX_DECIMALS no design length is meant; both are written with an
// exponent instead.
constexpr double FIXED_LIMIT = 1e15;
constexpr int MAX_DECIMALS = 12;

// The shortest text of `value` in `format` with 0 to `most` decimals that
// keeps within the tolerance, or "".
std::string shortestWithin(double value, std::chars_format format, int most) {
    char buffer[64];
    for (int decimals = 0; decimals <= most; ++decimals) {
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, format, decimals);
        double back = 0.0;
        std::from_chars(buffer, r.ptr, back);
        if (std::fabs(back - value) <= CONVERTED_TEXT_TOLERANCE * std::fabs(value))
            return std::string(buffer, r.ptr);
    }
    return "";
}

}  // namespace

std::string typedNumberText(double value) {
    if (value == 0.0)
        return "0";
    std::string text;
    if (std::fabs(value) < FIXED_LIMIT)
        text = shortestWithin(value, std::chars_format::fixed, MAX_DECIMALS);
    return text.empty() ? shortestWithin(value, std::chars_format::scientific, 16) : text;
}

std::string convertedLengthText(const std::string& text, DesignUnits fromUnits,
                                DesignUnits toUnits) {
    const double value = parseDimension(text);
    if (fromUnits == toUnits || value == 0.0 || !std::isfinite(value))
        return text;
    return typedNumberText(toUnits == UNITS_CM ? value * CM_PER_INCH : value / CM_PER_INCH);
}

bool convertDesignUnits(Design& design, DesignUnits units) {
    const DesignUnits from = design.params.units;
    if (from == units)
        return false;
    for (int k = 1; k <= FIELD_COUNT; ++k) {
        const FieldDef& def = field(k);
        if (isDesignLength(def.kind))
            commitText(design, k, convertedLengthText(design.text(k), from, units));
    }
    setFieldText(design, fields::UNITS, units == UNITS_INCH ? "Inch" : "CM");
    return true;
}

}  // namespace bowlyn
