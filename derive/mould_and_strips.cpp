#include "derive/mould_and_strips.h"

#include "derive/air_cavity.h"
#include "derive/mould.h"

namespace bowlyn {

MouldAndStrips mouldAndStrips(const SolvedDesign& design, const Contour& body, LengthUnit unit,
                              std::optional<double> mouldDistance) {
    MouldAndStrips out;
    if (mouldDistance) {
        MouldResult mould = mouldLoop(body, *mouldDistance, unit);
        if (!mould.problem.empty()) {
            out.problem = mould.problem;
            return out;
        }
        out.mould = std::move(mould.loop);
    }
    const DepthSettings& depth = design.depth;
    if (!depth.problem.empty()) {
        out.problem = depth.problem;
        return out;
    }
    if (!depth.hasDepths())
        return out;
    const UnitScale scale(designUnit(design.units), unit);
    const BodyDepth scaled{scale(*depth.tail), scale(*depth.neck), scale(design.body.bodyLength)};
    SideStripsResult strips = sideStrips(body, scaled, design.body.hasCutaway, unit);
    if (!strips.problem.empty()) {
        out.problem = strips.problem;
        return out;
    }
    out.strips = std::move(strips.strips);
    return out;
}

}  // namespace bowlyn
