#include "derive/outline_contours.h"

#include "geometry/outline_pieces.h"

namespace bowlyn {
namespace {

std::vector<ContourPiece> fretboardPieces(const FretboardTop& t) {
    const Point &bh = t.bassHead, &th = t.trebleHead, &be = t.bassEnd, &te = t.trebleEnd;
    return {
        ContourPiece::line("fingerboard end", be.x, be.y, te.x, te.y),
        ContourPiece::line("fingerboard edge", te.x, te.y, th.x, th.y),
        ContourPiece::line("nut face", th.x, th.y, bh.x, bh.y),
        ContourPiece::line("fingerboard edge", bh.x, bh.y, be.x, be.y),
    };
}

}  // namespace

const Contour* ContourSet::find(const std::string& name) const {
    for (const Contour& c : loops) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

std::vector<ContourPiece> bodyPieces(const OutlineRecord& body) {
    std::vector<ContourPiece> pieces;
    for (const BodyPiece& p : bodyOutline(body, true))
        pieces.push_back(p.exact);
    return pieces;
}

ContourSet closedContours(const SolvedDesign& design) {
    ContourSet set;
    LoopResult body = closeLoop("body", Layer::Body, bodyPieces(design.body));
    if (!body.problem.empty()) {
        set.problem = body.problem;
        return set;
    }
    set.loops.push_back(std::move(body.contour));
    if (design.hasFretboard) {
        LoopResult board =
            closeLoop("fretboard", Layer::Fretboard, fretboardPieces(design.fretboard));
        if (!board.problem.empty()) {
            set.loops.clear();
            set.problem = board.problem;
            return set;
        }
        set.loops.push_back(std::move(board.contour));
    }
    return set;
}

}  // namespace bowlyn
