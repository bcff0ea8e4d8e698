#pragma once

#include <optional>
#include <string>
#include <vector>

#include "derive/contour.h"
#include "derive/side_strips.h"
#include "derive/solved_design.h"
#include "model/units.h"

namespace bowlyn {

// What the body's third dimension and a mould add to an export, in its unit:
// the mould's outline when a distance is given, and the side strips when the
// design has both depths.
struct MouldAndStrips {
    std::optional<Contour> mould;
    std::vector<SideStrip> strips;
    std::string problem;  // a mould that cannot be drawn or a depth that cannot be used
};

// `body` is the body's loop already in `unit`; the mould's distance is in it
// too. The mould is checked first, then the depths.
MouldAndStrips mouldAndStrips(const SolvedDesign& design, const Contour& body, LengthUnit unit,
                              std::optional<double> mouldDistance);

}  // namespace bowlyn
