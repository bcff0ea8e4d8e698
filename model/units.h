#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/design_parameters.h"

namespace bowlyn {

// The unit an exported file or a measurement is written in.
enum class LengthUnit { Inch, Millimetre, Centimetre };

// The design's own unit from its units flag (0 inch, 1 centimetre).
LengthUnit designUnit(DesignUnits units);

// "in", "mm" or "cm"; nullopt for anything else.
std::optional<LengthUnit> unitByName(const std::string& name);
const char* unitName(LengthUnit unit);

// Converts lengths from one unit to another by the exact definitions (1 in =
// 2.54 cm = 25.4 mm): one multiplication or one division, so each converted
// value is the correctly rounded result.
class UnitScale {
  public:
    UnitScale(LengthUnit from, LengthUnit to);
    double operator()(double length) const { return length * multiplier_ / divisor_; }
    double area(double a) const { return (*this)((*this)(a)); }

  private:
    double multiplier_ = 1.0, divisor_ = 1.0;
};

// The DXF header's $INSUNITS code: 1 inch, 4 millimetre, 5 centimetre.
int dxfUnitsCode(LengthUnit unit);

}  // namespace bowlyn
