#include "model/unit_conversion.h"

#include <charconv>
#include <cmath>

#include "model/form.h"
#include "model/form_editing.h"
#include "model/number_text.h"

namespace bowlyn {
namespace {

// Beyond this a fixed-point text would be all digits before the point, and
// below 10^-MAX_DECIMALS no design length is meant; both keep the shortest
// text that reads back as the same double.
constexpr double FIXED_LIMIT = 1e15;
constexpr int MAX_DECIMALS = 12;

std::string shortestText(double value) {
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, r.ptr);
}

}  // namespace

std::string typedNumberText(double value) {
    if (value == 0.0 || !std::isfinite(value) || std::fabs(value) >= FIXED_LIMIT)
        return shortestText(value == 0.0 ? 0.0 : value);
    char buffer[64];
    for (int decimals = 0; decimals <= MAX_DECIMALS; ++decimals) {
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, value,
                                     std::chars_format::fixed, decimals);
        double back = 0.0;
        std::from_chars(buffer, r.ptr, back);
        if (std::fabs(back - value) <= CONVERTED_TEXT_TOLERANCE * std::fabs(value))
            return std::string(buffer, r.ptr);
    }
    return shortestText(value);
}

std::string convertedLengthText(const std::string& text, int32_t fromUnits, int32_t toUnits) {
    const double value = parseDimension(text);
    if (fromUnits == toUnits || value == 0.0 || !std::isfinite(value))
        return text;
    return typedNumberText(toUnits == UNITS_CM ? value * CM_PER_INCH : value / CM_PER_INCH);
}

bool convertDesignUnits(Design& design, int32_t units) {
    const int32_t from = design.params.units;
    if (from == units)
        return false;
    for (int k = 1; k <= FIELD_COUNT; ++k) {
        const FieldDef& def = field(k);
        if (isDesignLength(def.kind))
            syncGroup(design, k,
                      convertedLengthText(design.form.text(def.widgets[0]), from, units));
    }
    setFieldText(design, fields::UNITS, units == UNITS_INCH ? "Inch" : "CM");
    return true;
}

}  // namespace bowlyn
