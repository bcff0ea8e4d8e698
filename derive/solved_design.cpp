#include "derive/solved_design.h"

#include "geometry/recompute.h"
#include "model/design.h"

namespace bowlyn {

std::optional<SolvedDesign> solvedDesign(const PassResult& pass, const Design& design) {
    if (!pass.ok())
        return std::nullopt;
    const DesignParameters& p = pass.params;
    SolvedDesign s;
    s.body = pass.outline;
    s.soundHole = pass.soundHole;
    s.hasFretboard = p.hasFretboard;
    if (s.hasFretboard) {
        s.fretboard = fretboardTop(p, pass.neck);
        s.frets = fretLayout(p);
    }
    s.units = p.units;
    s.depth = designDepths(design);
    s.strokes = &pass.strokes;
    return s;
}

std::string outlineIncompleteMessage(const std::string& extension) {
    return "A complete body outline must be successfully generated before it can be exported as " +
           extension + ".";
}

}  // namespace bowlyn
