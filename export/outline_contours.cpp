#include "export/outline_contours.h"

#include <algorithm>
#include <cmath>

#include "model/design_parameters.h"
#include "render/drawing_kinds.h"

namespace bowlyn {
namespace {

ContourPiece line(const char* name, double x1, double y1, double x2, double y2) {
    ContourPiece p;
    p.name = name;
    p.x1 = x1;
    p.y1 = y1;
    p.x2 = x2;
    p.y2 = y2;
    return p;
}

// Counter-clockwise on the arc's circle from angle `from` to angle `to`.
ContourPiece arc(const char* name, const OutlineArc& a, double from, double to) {
    const double cx = a.cx, cy = a.cy, r = a.r;
    ContourPiece p;
    p.name = name;
    p.x1 = cx + r * std::cos(from);
    p.y1 = cy + r * std::sin(from);
    p.x2 = cx + r * std::cos(to);
    p.y2 = cy + r * std::sin(to);
    p.sweep = ccwSweep(from, to);
    p.cx = cx;
    p.cy = cy;
    p.r = r;
    p.start = from;
    return p;
}

ContourPiece wholeArc(const char* name, const OutlineArc& a) {
    return arc(name, a, a.start, a.end);
}

// The part of an arc from angle `from` to angle `to`, both on the arc. An
// angle computed a rounding error outside the arc is taken back to its
// nearer end, so the part never wraps round the circle the wrong way.
ContourPiece partArc(const char* name, const OutlineArc& a, double from, double to) {
    const double whole = ccwSweep(a.start, a.end);
    auto clamp = [&](double angle) {
        const double along = ccwSweep(a.start, angle);
        if (along <= whole)
            return along;
        return along > whole + (CIRCLE_RADIANS - whole) / 2.0 ? 0.0 : whole;
    };
    const double u = clamp(from), v = std::max(clamp(to), u);
    return arc(name, a, a.start + u, a.start + v);
}

ContourPiece reversed(ContourPiece p) {
    std::swap(p.x1, p.x2);
    std::swap(p.y1, p.y2);
    p.start += p.sweep;
    p.sweep = -p.sweep;
    return p;
}

// The mirror image about the centre line, walked the other way, so that it
// still runs counter-clockwise round the body.
ContourPiece mirroredBack(ContourPiece p) {
    p.x1 = -p.x1;
    p.x2 = -p.x2;
    p.cx = -p.cx;
    p.start = CIRCLE_RADIANS / 2.0 - p.start;
    p.sweep = -p.sweep;  // a mirror image turns the other way ...
    return reversed(p);  // ... and walked back, the same way again
}

double angleOf(const OutlineArc& a, double x, double y) {
    return std::atan2(y - a.cy, x - a.cx);
}

// The computed half from the tail up to the waist side of the upper bout:
// identical on both halves, with or without a cutaway.
void lowerHalf(const OutlineRecord& r, std::vector<ContourPiece>& out) {
    const BodyOutline& o = r.outline;
    if (r.lowerBoutOffset > 0.0f)
        out.push_back(wholeArc("tail arc", o.tailArc));
    else
        out.push_back(line("tail line", 0.0, 0.0, o.tailArc.cx, 0.0));
    out.push_back(wholeArc("lower bout arc", o.lowerBoutArc));
    if (r.lowerBoutRadiusIncrement > 0.0f)
        out.push_back(wholeArc("secondary lower bout arc", o.lowerBoutSecondaryArc));
    const OutlineSegment& lt = o.lowerTangent;
    out.push_back(line("lower tangent", lt.x1, lt.y1, lt.x2, lt.y2));
    out.push_back(reversed(wholeArc("waist arc", o.waistArc)));
    const OutlineSegment& ut = o.upperTangent;
    out.push_back(line("upper tangent", ut.x1, ut.y1, ut.x2, ut.y2));
    if (r.upperBoutRadiusIncrement > 0.0f)
        out.push_back(wholeArc("secondary upper bout arc", o.upperBoutSecondaryArc));
}

// Where the straight shoulder meets the top of the upper bout arc, held as a
// single as the drawing holds it.
double upperBoutTopX(const OutlineRecord& r) {
    return static_cast<float>(static_cast<double>(r.upperBoutHalfWidth) - r.upperBoutRadius);
}

bool hasShoulderArc(const OutlineRecord& r) {
    return r.upperBoutOffset > 0.0f;
}

// The shoulder from the upper bout to the neck flat: an arc, or without an
// upper bout offset a straight line across the neck end.
ContourPiece wholeShoulder(const OutlineRecord& r) {
    const OutlineArc& sh = r.outline.shoulderArc;
    if (hasShoulderArc(r))
        return wholeArc("shoulder arc", sh);
    return line("shoulder line", upperBoutTopX(r), sh.cy, sh.cx, sh.cy);
}

// The whole neck flat, from its outer end to the centre line.
void neckFlatToCentre(const OutlineRecord& r, std::vector<ContourPiece>& out) {
    const OutlineSegment& nf = r.outline.neckFlat;
    if (r.neckFlatHalfLength > 0.0f)
        out.push_back(line("neck flat", nf.x2, nf.y2, nf.x1, nf.y1));
}

// The computed half of a body without a cutaway, from the tail to the neck.
std::vector<ContourPiece> plainHalf(const OutlineRecord& r) {
    std::vector<ContourPiece> out;
    lowerHalf(r, out);
    out.push_back(wholeArc("upper bout arc", r.outline.upperBoutArc));
    out.push_back(wholeShoulder(r));
    neckFlatToCentre(r, out);
    return out;
}

// From the upper bout up to C, where the cutaway leaves the outline.
void upToCutaway(const OutlineRecord& r, std::vector<ContourPiece>& out) {
    const BodyOutline& o = r.outline;
    const CutawayGeometry& c = o.cutaway;
    const OutlineArc& ub = o.upperBoutArc;
    const OutlineArc& sh = o.shoulderArc;
    if (c.widthHit == UPPER_BOUT_ARC) {
        out.push_back(
            partArc("upper bout arc", ub, ub.start, angleOf(ub, c.widthPointX, c.widthPointY)));
        return;
    }
    out.push_back(wholeArc("upper bout arc", ub));
    if (c.widthHit == UPPER_SHOULDER) {
        if (hasShoulderArc(r))
            out.push_back(
                partArc("shoulder arc", sh, sh.start, angleOf(sh, c.widthPointX, c.widthPointY)));
        else
            out.push_back(line("shoulder line", upperBoutTopX(r), sh.cy, c.widthPointX, sh.cy));
        return;
    }
    out.push_back(wholeShoulder(r));
    const OutlineSegment& nf = o.neckFlat;
    out.push_back(line("neck flat", nf.x2, nf.y2, c.widthPointX, c.widthPointY));
}

// Into the cutaway at C and out of it at A, on the inner edge's top.
void cutaway(const OutlineRecord& r, std::vector<ContourPiece>& out) {
    const CutawayGeometry& c = r.outline.cutaway;
    const OutlineArc cutArc{c.arcCentreX, c.arcCentreY, c.arcRadius, c.arcStartAngle,
                            c.arcEndAngle};
    if (r.cutawayType == CUTAWAYTYPEFLORENTINE) {
        out.push_back(reversed(wholeArc("cutaway arc", cutArc)));
    } else {
        const OutlineArc point{c.pointCentreX, c.pointCentreY, c.pointRadius, c.pointAngleAtC,
                               c.pointAngleAtTangent};
        const ContourPiece horn = wholeArc("cutaway point arc", point);
        const ContourPiece valley = reversed(wholeArc("cutaway valley arc", cutArc));
        out.push_back(horn);
        out.push_back(line("cutaway tangent", horn.x2, horn.y2, valley.x1, valley.y1));
        out.push_back(valley);
    }
    out.push_back(line("cutaway edge", c.edgeBottomX, c.edgeBottomY, c.edgeTopX, c.edgeTopY));
}

// From A on to the neck end of the centre line.
void cutawayToNeck(const OutlineRecord& r, std::vector<ContourPiece>& out) {
    const BodyOutline& o = r.outline;
    const CutawayGeometry& c = o.cutaway;
    const OutlineArc& ub = o.upperBoutArc;
    const OutlineArc& sh = o.shoulderArc;
    const double ax = c.edgeTopX, ay = c.edgeTopY;
    if (c.edgeHit == UPPER_NECK_FLAT) {
        out.push_back(line("neck flat", ax, ay, o.neckFlat.x1, o.neckFlat.y1));
        return;
    }
    if (c.edgeHit == UPPER_BOUT_ARC) {
        out.push_back(partArc("upper bout arc", ub, angleOf(ub, ax, ay), ub.end));
        out.push_back(wholeShoulder(r));
    } else if (hasShoulderArc(r)) {
        out.push_back(partArc("shoulder arc", sh, angleOf(sh, ax, ay), sh.end));
    } else {
        out.push_back(line("shoulder line", ax, ay, sh.cx, sh.cy));
    }
    neckFlatToCentre(r, out);
}

std::vector<ContourPiece> fretboardPieces(const FretboardTop& t) {
    return {
        line("fingerboard end", -t.xEnd, t.yEnd, t.xEnd, t.yEnd),
        line("fingerboard edge", t.xEnd, t.yEnd, t.xHead, t.yHead),
        line("nut face", t.xHead, t.yHead, -t.xHead, t.yHead),
        line("fingerboard edge", -t.xHead, t.yHead, -t.xEnd, t.yEnd),
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
    const std::vector<ContourPiece> plain = plainHalf(body);
    std::vector<ContourPiece> pieces;
    if (body.hasCutaway == 1) {
        lowerHalf(body, pieces);
        upToCutaway(body, pieces);
        cutaway(body, pieces);
        cutawayToNeck(body, pieces);
    } else {
        pieces = plain;
    }
    for (auto p = plain.rbegin(); p != plain.rend(); ++p)
        pieces.push_back(mirroredBack(*p));
    return pieces;
}

ContourSet closedContours(const SolvedDesign& design) {
    ContourSet set;
    LoopResult body = closeLoop("body", layerName(Layer::Body), bodyPieces(design.body));
    if (!body.problem.empty()) {
        set.problem = body.problem;
        return set;
    }
    set.loops.push_back(std::move(body.contour));
    if (design.hasFretboard) {
        LoopResult board =
            closeLoop("fretboard", layerName(Layer::Fretboard), fretboardPieces(design.fretboard));
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
