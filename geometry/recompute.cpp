#include "geometry/recompute.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "geometry/construction_aids.h"
#include "geometry/cutaway.h"
#include "geometry/document.h"
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

// The sound hole must also stay within the outline sideways, on both halves
// and, once it is built, beside the cutaway: its centre inside, and no line
// or arc of the outline nearer than its radius (touching passes). A hole of
// no size is no hole; values that are not finite are left to the check of
// the drawn numbers.
MaybeProblem soundHoleBeside(const Document& doc, bool cutawaySide) {
    const SoundHole& h = doc.soundHole;
    if (!(h.r > 0.0f) || !allFinite(h.x, h.y, h.r))
        return std::nullopt;
    const std::vector<OutlinePiece> pieces = drawnOutline(currentOutlineRecord(doc), cutawaySide);
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
MaybeProblem checkAndSolveBody(Document& doc) {
    const DesignParameters& p = doc.params;
    const float L = p.bodyLength;
    const float hLB = p.lowerBoutHalfWidth, RLB = p.lowerBoutRadius;
    const float dLB = p.lowerBoutRadiusIncrement, OLB = p.lowerBoutOffset;
    const float hUB = p.upperBoutHalfWidth, RUB = p.upperBoutRadius;
    const float dUB = p.upperBoutRadiusIncrement, OUB = p.upperBoutOffset;
    const float hW = p.waistHalfWidth, RW = p.waistRadius, OW = p.waistOffset;
    const float hNF = p.neckFlatHalfLength;
    const bool working = doc.finalDrawing == 0;
    Drawing& d = doc.drawing;
    using D = double;

    if (!(hLB > 0.0f))
        return problemOf(Check::LowerBoutWidth);
    if (!(L > 0.0f))
        return lengthProblem(hLB);

    d.view.fit(L, hLB);
    drawReferenceGeometry(d, p, working);
    drawTransPoints(doc);
    drawTracedOutline(doc);
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

    doc.outline = solveBodyOutline(p, circles);
    if (working)
        drawNeckFlatTick(d, p);
    const BodyOutline& o = doc.outline;
    if (auto problem = firstFailing({
            {OUB == 0.0f && hNF > D(hUB) - RUB, Check::NeckFlatBeyondUpperBout},
            {OUB > 0.0f &&
                 (o.shoulderArc.cx > o.upperBoutArc.cx || o.shoulderArc.cy > o.upperBoutArc.cy),
             Check::ShoulderArc},
        }))
        return problem;

    const float diameter = p.soundHoleDiameter, SO = p.soundHoleOffset;
    doc.soundHole = {p.soundHoleXOffset, SO, single(diameter / 2.0)};
    if (SO + diameter / 2.0 > L || SO - diameter / 2.0 < 0.0)
        return problemOf(Check::SoundHoleOffBody);
    return soundHoleBeside(doc, false);
}

// The cutaway, solved on the body outline; the working drawing shows how it
// was constructed, as far as it got.
MaybeProblem buildCutaway(Document& doc) {
    CutawaySolution cutaway = solveCutaway(doc.params, doc.outline);
    doc.outline.cutaway = cutaway.geometry;
    if (doc.finalDrawing == 0)
        drawCutawayConstruction(doc.drawing, cutaway.construction);
    return cutaway.problem;
}

// Everything after the body: the cutaway (and the sound hole beside it), the
// fretboard, the neck and the strings.
MaybeProblem checkNeckAndStrings(Document& doc) {
    if (doc.params.hasCutaway == 1) {
        if (auto problem = buildCutaway(doc))
            return problem;
        if (auto problem = soundHoleBeside(doc, true))
            return problem;
    }
    if (auto problem = checkFretboard(doc))
        return problem;
    if (auto problem = placeNeck(doc))
        return problem;
    return checkStrings(doc);
}

// Once every check has passed: the outline and everything on it, painted and
// recorded.
void drawDesign(Document& doc) {
    const DesignParameters& p = doc.params;
    drawOutline(doc, OutlineWhich::Snapshot);
    drawOutline(doc, OutlineWhich::Current);

    drawFretboard(doc);
    drawStrings(doc);
    drawFretMarkers(doc);
    // With a fretboard the bridge is marked with the board.
    if (p.hasFretboard == 0 && p.neckJoinsAtFret > 0 && p.scaleLength > 0.0f)
        drawBridgeMark(doc);
}

MaybeProblem runPass(Document& doc, DerivedValues& derived) {
    if (auto problem = checkAndSolveBody(doc))
        return problem;
    if (auto problem = checkNeckAndStrings(doc))
        return problem;
    solveFretboardEdges(doc.neck, doc.params);
    drawDesign(doc);
    derived = derivedValues(currentOutlineRecord(doc));
    if (!recordedFinite(doc.drawing.strokes) || !derived.finite()) {
        derived = DerivedValues{};
        return problemOf(Check::OutOfRange);
    }
    return std::nullopt;
}

}  // namespace

std::optional<Problem> solveBody(Document& doc) {
    doc.outlineComplete = 0;
    MaybeProblem problem = checkAndSolveBody(doc);
    if (!problem && doc.params.hasCutaway == 1)
        problem = buildCutaway(doc);
    doc.drawing.strokes.clear();
    doc.drawing.complete = false;
    return problem;
}

PassResult recompute(Document& doc) {
    doc.outlineComplete = 0;
    doc.drawing.clearPicture();
    PassResult result;
    result.problem = runPass(doc, result.derived);
    if (result.ok()) {
        doc.drawing.complete = true;
        doc.outlineComplete = 1;
        doc.drawnParams = doc.params;
    }
    result.outline = currentOutlineRecord(doc);
    result.strokes = &doc.drawing.strokes;
    doc.drawing.paint();
    return result;
}

}  // namespace bowlyn
