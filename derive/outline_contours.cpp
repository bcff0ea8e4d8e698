#include "derive/outline_contours.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "derive/piece_join.h"
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

bool named(const ContourPiece& p, const char* name) {
    return std::string(p.name) == name;
}

// Three significant digits, as the loop's own messages give gaps.
std::string gapText(double gap) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, gap, std::chars_format::general, 3);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::vector<ContourPiece> joinedBodyPieces(const OutlineRecord& body, std::string& notice,
                                           double* widestGap) {
    std::vector<ContourPiece> pieces = bodyPieces(body);
    for (size_t i = 0; i + 1 < pieces.size(); ++i) {
        ContourPiece &in = pieces[i], &out = pieces[i + 1];
        const bool cutawayJoint = named(in, "cutaway edge") || named(out, "cutaway arc") ||
                                  named(out, "cutaway point arc");
        if (!cutawayJoint || std::hypot(in.x2 - out.x1, in.y2 - out.y1) <= CONTOUR_GAP_LIMIT)
            continue;
        if (const std::optional<double> gap = joinAtCrossing(in, out)) {
            notice += std::string(notice.empty() ? "" : " ") + "Joined the " + in.name +
                      " and the " + out.name + " where they cross: their ends lay " +
                      gapText(*gap) + " apart.";
            if (widestGap != nullptr)
                *widestGap = std::max(*widestGap, *gap);
        }
    }
    return pieces;
}

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
    LoopResult body =
        closeLoop("body", Layer::Body, joinedBodyPieces(design.body, set.notice, &set.joinedGap));
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
