#include "model/units.h"

namespace bowlyn {
namespace {

// Millimetres in one unit: whole tenths, so the factor between two units is
// one of 25.4, 2.54, 10 or their inverses, never a product of roundings.
int tenthsOfMillimetre(LengthUnit unit) {
    switch (unit) {
        case LengthUnit::Inch:
            return 254;
        case LengthUnit::Centimetre:
            return 100;
        case LengthUnit::Millimetre:
            break;
    }
    return 10;
}

}  // namespace

LengthUnit designUnit(DesignUnits units) {
    return units == UNITS_CM ? LengthUnit::Centimetre : LengthUnit::Inch;
}

std::optional<LengthUnit> unitByName(const std::string& name) {
    if (name == "in")
        return LengthUnit::Inch;
    if (name == "mm")
        return LengthUnit::Millimetre;
    if (name == "cm")
        return LengthUnit::Centimetre;
    return std::nullopt;
}

const char* unitName(LengthUnit unit) {
    switch (unit) {
        case LengthUnit::Inch:
            return "in";
        case LengthUnit::Centimetre:
            return "cm";
        case LengthUnit::Millimetre:
            break;
    }
    return "mm";
}

UnitScale::UnitScale(LengthUnit from, LengthUnit to) {
    const int a = tenthsOfMillimetre(from), b = tenthsOfMillimetre(to);
    if (a > b)
        multiplier_ = static_cast<double>(a) / b;
    else if (a < b)
        divisor_ = static_cast<double>(b) / a;
}

int dxfUnitsCode(LengthUnit unit) {
    switch (unit) {
        case LengthUnit::Inch:
            return 1;
        case LengthUnit::Centimetre:
            return 5;
        case LengthUnit::Millimetre:
            break;
    }
    return 4;
}

}  // namespace bowlyn
