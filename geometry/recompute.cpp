#include "geometry/recompute.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "geometry/construction_aids.h"
#include "geometry/cutaway.h"
#include "geometry/fretboard.h"
#include "geometry/neck.h"
#include "geometry/outline_drawing.h"
#include "geometry/outline_pieces.h"
#include "geometry/overlays.h"
#include "geometry/primitives.h"
#include "geometry/strings.h"
#include "geometry/value_checks.h"
#include "model/field_table.h"
#include "model/number_text.h"
#include "render/drawing.h"

namespace bowlyn {
namespace {

using MaybeProblem = std::optional<Problem>;

float single(double v) {
    return static_cast<float>(v);
}

// A body length between 1.24 and 1.54 times the lower bout width.
Problem lengthProblem(float hLB) {
    Problem problem = problemOf(Check::BodyLength);
    const float low = roundTo(single(1.24 * 2 * hLB), 2);
    const float high = roundTo(single(1.54 * 2 * hLB), 2);
    if (!std::isfinite(low) || !std::isfinite(high))
        problem.message = problemOf(Check::OutOfRange).message;
    else
        problem.message += singleToText(low) + " and " + singleToText(high) + ".";
    return problem;
}

// A check of the body: the problem `check` when `failed`.
struct Rule {
    bool failed;
    Check check;
};

// The first failing rule, in the order given.
MaybeProblem firstFailing(std::initializer_list<Rule> rules) {
    for (const Rule& rule : rules) {
        if (rule.failed)
            return problemOf(rule.check);
    }
    return std::nullopt;
}

// Every number the exports would write is a finite single.
bool recordedFinite(const StrokeList& strokes) {
    bool finite = true;
    forEachRecorded(strokes, [&](const Stroke& s) {
        for (int i = 0; i < valueCount(s.kind); ++i)
            finite = finite && std::isfinite(recordedValue(s, i));
    });
    return finite;
}

bool pieceFinite(const OutlinePiece& p) {
    return allFinite(p.x1, p.y1, p.x2, p.y2, p.cx, p.cy, p.r, p.a1, p.a2);
}

// One pass at work: what it reads and what it has made so far.
struct Pass {
    DesignParameters p;  // as the pass reads them (storeCourseDefault)
    const Overlays& overlays;
    bool working;
    Drawing d;
    bool fitted = false;
    BodyOutline outline;
    PassResult& result;
};

// The sound hole must also stay within the outline sideways, on both halves
// and, once it is built, beside the cutaway: its centre inside, and no line
// or arc of the outline nearer than its radius (touching passes). A hole of
// no size is no hole; values that are not finite are left to the check of
// the drawn numbers.
MaybeProblem soundHoleBeside(const Pass& pass, bool cutawaySide) {
    const SoundHole& h = pass.result.soundHole;
    if (!(h.r > 0.0f) || !allFinite(h.x, h.y, h.r))
        return std::nullopt;
    const std::vector<OutlinePiece> pieces =
        drawnOutline(outlineRecord(pass.p, pass.outline), cutawaySide);
    for (const OutlinePiece& p : pieces) {
        if (!pieceFinite(p))
            return std::nullopt;
    }
    const bool offSide = std::any_of(pieces.begin(), pieces.end(), [&](const OutlinePiece& p) {
        return distanceToPiece(p, h.x, h.y) < h.r;
    });
    if (!offSide && insideOutline(pieces, h.x, h.y))
        return std::nullopt;
    Problem problem = problemOf(Check::SoundHoleOffSide);
    if (cutawaySide) {
        problem.fields.add(fields::CUTAWAY_DEPTH);
        problem.fields.add(fields::CUTAWAY_WIDTH);
    }
    return problem;
}

// The body: size checks, view, reference geometry, the body checks with
// their construction aids, the solved outline and the sound hole. The
// circles are worked out once; the working drawing shows each group of them
// as soon as its checks have passed.
MaybeProblem checkAndSolveBody(Pass& pass) {
    const DesignParameters& p = pass.p;
    const float L = p.bodyLength;
    const float hLB = p.lowerBoutHalfWidth, RLB = p.lowerBoutRadius;
    const float dLB = p.lowerBoutRadiusIncrement, OLB = p.lowerBoutOffset;
    const float hUB = p.upperBoutHalfWidth, RUB = p.upperBoutRadius;
    const float dUB = p.upperBoutRadiusIncrement, OUB = p.upperBoutOffset;
    const float hW = p.waistHalfWidth, RW = p.waistRadius, OW = p.waistOffset;
    const float hNF = p.neckFlatHalfLength;
    const bool working = pass.working;
    Drawing& d = pass.d;
    using D = double;

    if (!(hLB > 0.0f))
        return problemOf(Check::LowerBoutWidth);
    if (!(L > 0.0f))
        return lengthProblem(hLB);

    d.view.fit(L, hLB);
    pass.fitted = true;
    drawReferenceGeometry(d, p, working);
    if (working) {
        drawTransPoints(d, pass.overlays);
        drawTracedOutline(d, pass.overlays);
    }
    const BodyCircles circles = bodyCircles(p);

    if (auto problem = firstFailing({
            {dLB < 0.0f, Check::LowerBoutIncrement},
            {RLB <= 0.0f, Check::LowerBoutRadius},
            {RLB > hLB, Check::LowerBoutRadiusOverWidth},
            {2.0 * RLB > L, Check::LowerBoutRadiusOverLength},
            {2.0 * RLB + OLB > L, Check::LowerBoutRadiusAndOffset},
        }))
        return problem;
    if (working)
        drawBoutConstruction(d, hLB, circles.lower);

    if (auto problem = firstFailing({
            {dUB < 0.0f, Check::UpperBoutIncrement},
            {RUB <= 0.0f, Check::UpperBoutRadius},
            {RUB > hLB, Check::UpperBoutRadiusOverWidth},
            {2.0 * RUB > L, Check::UpperBoutRadiusOverLength},
            {2.0 * RUB + OUB > L, Check::UpperBoutRadiusAndOffset},
        }))
        return problem;
    if (working)
        drawBoutConstruction(d, hUB, circles.upper);

    if (auto problem = firstFailing({
            {RW <= 0.0f, Check::WaistRadius},
            {hW <= 0.0f, Check::WaistWidth},
            {OW <= 0.0f, Check::WaistOffset},
            {OW > L, Check::WaistOffsetOverLength},
        }))
        return problem;
    if (working)
        drawWaistConstruction(d, hW, circles.waist);

    const Circle &lower = circles.lower.primary, &upper = circles.upper.primary;
    const Circle& waist = circles.waist;
    // Circles that only touch do not overlap; a secondary circle's radius is
    // its primary radius and increment summed in double.
    auto overlap = [&](const Circle& a, double radius, const Circle& b) {
        return distance(a.centre, b.centre) < radius + b.r;
    };
    if (auto problem = firstFailing({
            {OLB < 0.0f, Check::LowerBoutOffset},
            {OUB < 0.0f, Check::UpperBoutOffset},
            {hNF < 0.0f || hNF > hUB, Check::NeckFlat},
            {overlap(upper, RUB, waist), Check::UpperBoutWaistOverlap},
            {dUB > 0.0f && overlap(circles.upper.secondary, D(RUB) + dUB, waist),
             Check::SecondaryUpperBoutWaistOverlap},
            {overlap(lower, RLB, waist), Check::LowerBoutWaistOverlap},
            {dLB > 0.0f && overlap(circles.lower.secondary, D(RLB) + dLB, waist),
             Check::SecondaryLowerBoutWaistOverlap},
            {overlap(lower, RLB, upper), Check::LowerUpperBoutOverlap},
            {hW > hUB, Check::WaistWiderThanUpperBout},
            {hW > hLB, Check::WaistWiderThanLowerBout},
        }))
        return problem;

    pass.outline = solveBodyOutline(p, circles);
    if (working)
        drawNeckFlatTick(d, p);
    const BodyOutline& o = pass.outline;
    if (auto problem = firstFailing({
            {OUB == 0.0f && hNF > D(hUB) - RUB, Check::NeckFlatBeyondUpperBout},
            {OUB > 0.0f &&
                 (o.shoulderArc.cx > o.upperBoutArc.cx || o.shoulderArc.cy > o.upperBoutArc.cy),
             Check::ShoulderArc},
        }))
        return problem;

    const float diameter = p.soundHoleDiameter, SO = p.soundHoleOffset;
    pass.result.soundHole = {p.soundHoleXOffset, SO, single(diameter / 2.0)};
    if (SO + diameter / 2.0 > L || SO - diameter / 2.0 < 0.0)
        return problemOf(Check::SoundHoleOffBody);
    return soundHoleBeside(pass, false);
}

// The cutaway, solved on the body outline; the working drawing shows how it
// was constructed, as far as it got.
MaybeProblem buildCutaway(Pass& pass) {
    CutawaySolution cutaway = solveCutaway(pass.p, pass.outline);
    pass.outline.cutaway = cutaway.geometry;
    if (pass.working)
        drawCutawayConstruction(pass.d, cutaway.construction);
    return cutaway.problem;
}

// Everything after the body: the cutaway (and the sound hole beside it), the
// fretboard, the neck and the strings.
MaybeProblem checkNeckAndStrings(Pass& pass) {
    NeckGeometry& neck = pass.result.neck;
    if (pass.p.hasCutaway) {
        if (auto problem = buildCutaway(pass))
            return problem;
        if (auto problem = soundHoleBeside(pass, true))
            return problem;
    }
    if (auto problem = checkFretboard(pass.p, neck))
        return problem;
    if (auto problem = placeNeck(pass.p, neck))
        return problem;
    return checkStrings(pass.p, pass.result.courses);
}

// Once every check has passed: the outline and everything on it, painted and
// recorded.
void drawDesign(Pass& pass) {
    const DesignParameters& p = pass.p;
    const PassResult& r = pass.result;
    Drawing& d = pass.d;
    if (pass.working && pass.overlays.showSnapshot)
        drawSnapshotOutline(d, pass.overlays.snapshot, p.bodyLength);
    drawCurrentOutline(d, outlineRecord(p, pass.outline), r.soundHole, pass.working);

    drawFretboard(d, p, r.neck);
    drawStrings(d, p, r.neck, r.courses);
    drawFretMarkers(d, p, r.neck, r.courses);
    // With a fretboard the bridge is marked with the board.
    if (!p.hasFretboard && p.neckJoinsAtFret > 0 && p.scaleLength > 0.0f)
        drawBridgeMark(d, p, r.neck);
}

MaybeProblem runPass(Pass& pass) {
    if (auto problem = checkAndSolveBody(pass))
        return problem;
    if (auto problem = checkNeckAndStrings(pass))
        return problem;
    solveFretboardEdges(pass.result.neck, pass.p);
    drawDesign(pass);
    DerivedValues& derived = pass.result.derived;
    derived = derivedValues(outlineRecord(pass.p, pass.outline));
    if (!recordedFinite(pass.d.strokes) || !derived.finite()) {
        derived = DerivedValues{};
        return problemOf(Check::OutOfRange);
    }
    return std::nullopt;
}

}  // namespace

std::optional<Problem> solveBody(const DesignParameters& params, BodyOutline& outline) {
    PassResult result;
    const Overlays none;
    Pass pass{params, none, false, {}, false, {}, result};
    MaybeProblem problem = checkAndSolveBody(pass);
    if (!problem && params.hasCutaway)
        problem = buildCutaway(pass);
    outline = pass.outline;
    return problem;
}

PassResult recompute(const DesignParameters& params, const Overlays& overlays, DrawingMode mode) {
    PassResult result;
    result.params = params;
    Pass pass{params, overlays, mode == DrawingMode::Working, {}, false, {}, result};
    result.problem = runPass(pass);
    result.outline = outlineRecord(pass.p, pass.outline);
    result.strokes = std::move(pass.d.strokes);
    if (pass.fitted)
        result.view = pass.d.view;
    return result;
}

}  // namespace bowlyn
