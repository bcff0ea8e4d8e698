#include "geometry/recompute.h"

#include <cmath>
#include <cstring>

#include "geometry/cutaway.h"
#include "geometry/document.h"
#include "geometry/fretboard.h"
#include "geometry/neck.h"
#include "geometry/outline_pieces.h"
#include "geometry/overlays.h"
#include "geometry/primitives.h"
#include "geometry/strings.h"
#include "geometry/value_checks.h"
#include "model/form.h"
#include "model/number_text.h"

namespace bowlyn {

const std::array<const char*, 11> derivedValueLabels = {
    "labelTailArcRadiusData",
    "labelTailArcCenterPointData",
    "labelLBCenterData",
    "labelWaistCenterData",
    "labelUBCenterData",
    "labelShoulderArcRadiusData",
    "labelShoulderArcCenterPointData",
    "labelCutawayFlorentineRadiusData",
    "labelCutawayFlorentineCenterPointData",
    "labelCutawayVenetianPointCenterPointData",
    "labelCutawayVenetianCenterPointData",
};

namespace {

// Body problems by number; 2 gets its recommended range appended.
const char* const bodyMessages[] = {
    "",
    "Problem: Both the body length and the lower bout width must be specified. Values must be > "
    "0.",
    "Problem: Both the body length and the lower bout width must be specified. Given the lower "
    "bout width specified, reccommended length is between ",
    "Problem: The value for the radius increment of the secondary arc of the lower bout must be "
    ">= 0.",
    "Problem: A value for the radius of the primary arc of the lower bout must be specified. The "
    "value must be > 0.",
    "Problem: The radius of the primary arc of the lower bout must be less than half the width of "
    "the body across the lower bout.",
    "Problem: The radius of the primary arc of the lower bout must be less than half the length of "
    "the body.",
    "Problem: The radius of the primary arc of the lower bout * 2 plus the offset of the lower "
    "bout "
    "must be less than the length of the body.",
    "Problem: The value for the radius increment of the secondary arc of the upper bout must be "
    ">= 0.",
    "Problem: A value for the radius of the primary arc of the upper bout must be specified. The "
    "value must be > 0.",
    "Problem: The radius of the primary arc of the upper bout must be less than half the width of "
    "the body across the lower bout.",
    "Problem: The radius of the primary arc of the upper bout must be less than half the length of "
    "the body.",
    "Problem: The radius of the primary arc of the upper bout * 2 plus the offset of the upper "
    "bout "
    "must be less than the length of the body.",
    "Problem: A value for the radius of the primary arc of the waist must be specified. The value "
    "must be > 0.",
    "Problem: A value for the width of waist must be specified. The value must be > 0.",
    "Problem: A value for the offset from the tail end of the body to the waist must be specified. "
    "The value must be > 0.",
    "Problem: The offset from the tail end of the body to the waist must be shorter than the "
    "length of the body.",
    "Problem: The offset from the tail end to the lower bout arc must be >= 0.",
    "Problem: The offset from the neck end to the upper bout arc must be >= 0.",
    "Problem: If a flat at the neck end of the body is specified it must be > 0 and shorter than "
    "the width of the instrument.",
    "Problem: The upper bout arc and the waist arc cannot overlap. The radius or width values of "
    "one or both must be changed.",
    "Problem: The secondary upper bout arc and the waist arc cannot overlap. The radius or width "
    "values of one or both must be changed.",
    "Problem: The lower bout arc and the waist arc cannot overlap. The radius or width values of "
    "one or both must be changed.",
    "Problem: The secondary lower bout arc and the waist arc cannot overlap. The radius or width "
    "values of one or both must be changed.",
    "Problem: The lower bout arc and the upper bout arc cannot overlap. The radius or width values "
    "of one or both must be changed.",
    "Problem: The waist width cannot exceed that of the upper bout. The radius or width values of "
    "one or both must be changed.",
    "Problem: The waist width cannot exceed that of the lower bout. The radius or width values of "
    "one or both must be changed.",
    "Problem: A valid neck flat can't be drawn with these values. Decrease the length of the neck "
    "flat, or increase the upper bout width.",
    "Problem: A valid shoulder arc can't be drawn with these values. Decrease the length of the "
    "neck flat, or decrease the upper bout offset.",
    "Problem: The specified sound hole diameter and offset places the sound hole off of the body.",
};

// Inputs such as "1e39" become infinite singles and "0/0" NaN; they can slip
// past checks that compare with finite limits.
const char* const OUT_OF_RANGE_MESSAGE =
    "Problem: The values given are too large or too small to draw the instrument.";

float single(double v) {
    return static_cast<float>(v);
}

// Message 2: a body length between 1.24 and 1.54 times the lower bout width.
std::string lengthMessage(float hLB) {
    const float low = roundTo(single(1.24 * 2 * hLB), 2);
    const float high = roundTo(single(1.54 * 2 * hLB), 2);
    if (!std::isfinite(low) || !std::isfinite(high))
        return OUT_OF_RANGE_MESSAGE;
    return std::string(bodyMessages[2]) + singleToText(low) + " and " + singleToText(high) + ".";
}

// True (after reporting) when `failed`.
bool problem(Document& doc, bool failed, int number) {
    if (failed)
        reportProblem(doc, bodyMessages[number]);
    return failed;
}

void blankDerivedValues(Document& doc) {
    for (const char* label : derivedValueLabels)
        doc.form.setText(label, " ");
}

bool entitiesFinite(const EntityList& list) {
    for (const Entity& e : list.entities()) {
        for (float v : e.v) {
            if (!std::isfinite(v))
                return false;
        }
    }
    return true;
}

bool derivedValuesFinite(const Form& form) {
    for (const char* label : derivedValueLabels) {
        const std::string text = form.text(label);
        if (text.find("inf") != std::string::npos || text.find("nan") != std::string::npos) {
            return false;
        }
    }
    return true;
}

bool pieceFinite(const OutlinePiece& p) {
    return allFinite(p.x1, p.y1, p.x2, p.y2, p.cx, p.cy, p.r, p.a1, p.a2);
}

// The sound hole must also stay within the outline sideways, on both halves
// and, once it is built, beside the cutaway: its centre inside, and no line
// or arc of the outline nearer than its radius (touching passes). A hole of
// no size is no hole; values that are not finite are left to the check of
// the drawn numbers.
bool soundHoleOffTheSide(const Document& doc, bool cutawaySide) {
    const SoundHole& h = doc.soundHole;
    if (!(h.r > 0.0f) || !allFinite(h.x, h.y, h.r))
        return false;
    const std::vector<OutlinePiece> pieces = bodyOutlinePieces(doc, cutawaySide);
    for (const OutlinePiece& p : pieces) {
        if (!pieceFinite(p))
            return false;
    }
    for (const OutlinePiece& p : pieces) {
        if (distanceToPiece(p, h.x, h.y) < h.r)
            return true;
    }
    return !insideOutline(pieces, h.x, h.y);
}

// Steps 3 to 15 of a pass: size checks, view, reference geometry, the body
// checks with their construction aids, the solved outline and the sound hole.
bool checkAndSolveBody(Document& doc) {
    const DesignParameters& p = doc.params;
    const float L = p.bodyLength;
    const float hLB = p.lowerBoutHalfWidth, RLB = p.lowerBoutRadius;
    const float dLB = p.lowerBoutRadiusIncrement, OLB = p.lowerBoutOffset;
    const float hUB = p.upperBoutHalfWidth, RUB = p.upperBoutRadius;
    const float dUB = p.upperBoutRadiusIncrement, OUB = p.upperBoutOffset;
    const float hW = p.waistHalfWidth, RW = p.waistRadius, OW = p.waistOffset;
    const float hNF = p.neckFlatHalfLength;
    const bool working = doc.finalDrawing == 0;
    using D = double;

    if (problem(doc, !(hLB > 0.0f), 1))
        return false;
    if (!(L > 0.0f)) {
        reportProblem(doc, lengthMessage(hLB));
        return false;
    }

    doc.drawing.view.fit(L, hLB);
    drawReferenceGeometry(doc);
    drawTransPoints(doc);

    if (problem(doc, dLB < 0.0f, 3) || problem(doc, RLB <= 0.0f, 4) || problem(doc, RLB > hLB, 5) ||
        problem(doc, 2.0 * RLB > L, 6) || problem(doc, 2.0 * RLB + OLB > L, 7))
        return false;
    if (working)
        lowerBoutConstruction(doc);

    if (problem(doc, dUB < 0.0f, 8) || problem(doc, RUB <= 0.0f, 9) ||
        problem(doc, RUB > hLB, 10) || problem(doc, 2.0 * RUB > L, 11) ||
        problem(doc, 2.0 * RUB + OUB > L, 12))
        return false;
    if (working)
        upperBoutConstruction(doc);

    if (problem(doc, RW <= 0.0f, 13) || problem(doc, hW <= 0.0f, 14) ||
        problem(doc, OW <= 0.0f, 15) || problem(doc, OW > L, 16))
        return false;
    if (working)
        waistConstruction(doc);

    if (problem(doc, OLB < 0.0f, 17) || problem(doc, OUB < 0.0f, 18) ||
        problem(doc, hNF < 0.0f || hNF > hUB, 19))
        return false;

    const float lbX = single(D(hLB) - RLB), lbY = single(D(OLB) + RLB);
    const float ubX = single(D(hUB) - RUB), ubY = single(D(L) - OUB - RUB);
    const float wX = single(D(hW) + RW), wY = OW;
    if (problem(doc, distance(ubX, ubY, wX, wY) < D(RUB) + RW, 20) ||
        problem(doc,
                dUB > 0.0f && distance(single(D(hUB) - RUB - dUB), ubY, wX, wY) < D(RUB) + dUB + RW,
                21) ||
        problem(doc, distance(lbX, lbY, wX, wY) < D(RLB) + RW, 22) ||
        problem(doc,
                dLB > 0.0f && distance(single(D(hLB) - RLB - dLB), lbY, wX, wY) < D(RLB) + dLB + RW,
                23) ||
        problem(doc, distance(lbX, lbY, ubX, ubY) < D(RLB) + RUB, 24) ||
        problem(doc, hW > hUB, 25) || problem(doc, hW > hLB, 26))
        return false;

    solveBodyOutline(doc);
    const BodyOutline& o = doc.outline;
    if (problem(doc, OUB == 0.0f && hNF > D(hUB) - RUB, 27) ||
        problem(doc,
                OUB > 0.0f &&
                    (o.shoulderArc.cx > o.upperBoutArc.cx || o.shoulderArc.cy > o.upperBoutArc.cy),
                28))
        return false;

    const float diameter = p.soundHoleDiameter, SO = p.soundHoleOffset;
    doc.soundHole = {p.soundHoleXOffset, SO, single(diameter / 2.0)};
    if (problem(doc, SO + diameter / 2.0 > L || SO - diameter / 2.0 < 0.0, 29) ||
        problem(doc, soundHoleOffTheSide(doc, false), 29))
        return false;
    return true;
}

bool runPass(Document& doc) {
    if (!checkAndSolveBody(doc))
        return false;

    const DesignParameters& p = doc.params;
    if (p.hasCutaway == 1 &&
        (!buildCutaway(doc) || problem(doc, soundHoleOffTheSide(doc, true), 29)))
        return false;
    if (!checkFretboard(doc) || !placeNeck(doc) || !checkStrings(doc))
        return false;

    EntityList& entities = doc.drawing.entities;
    entities.reset();
    drawOutline(doc, OutlineWhich::Snapshot);
    drawOutline(doc, OutlineWhich::Current);

    drawFretboard(doc);
    drawStrings(doc);
    drawFretMarkers(doc);
    // With a fretboard the bridge is marked with the board.
    if (p.hasFretboard == 0 && p.neckJoinsAtFret > 0 && p.scaleLength > 0.0f)
        drawBridgeMark(doc);

    entities.end();

    if (!entitiesFinite(entities) || !derivedValuesFinite(doc.form)) {
        blankDerivedValues(doc);
        reportProblem(doc, OUT_OF_RANGE_MESSAGE);
        return false;
    }
    return true;
}

}  // namespace

void reportProblem(Document& doc, const std::string& message) {
    doc.form.setText(STATUS_LABEL, message);
}

void resetDisplay(Document& doc) {
    doc.form.setText(STATUS_LABEL, STATUS_OK);
    doc.drawing.display.clear();
    doc.drawing.surface.clear();
    doc.form.showDrawing(doc.drawing.surface);
    blankDerivedValues(doc);
    if (doc.showMeasurements)
        doc.showMeasurements(doc);
}

void recompute(Document& doc) {
    doc.outlineComplete = 0;
    resetDisplay(doc);
    if (runPass(doc)) {
        doc.outlineComplete = 1;
        doc.drawnParams = doc.params;
    }
    doc.drawing.paint();
    doc.form.showDrawing(doc.drawing.surface);
    if (doc.showMeasurements)
        doc.showMeasurements(doc);
}

bool bringPassUpToDate(Document& doc) {
    // Compared bit for bit: every member is a 32-bit number, and a NaN must
    // compare equal to itself.
    if (doc.outlineComplete == 1 &&
        std::memcmp(&doc.drawnParams, &doc.params, sizeof doc.params) != 0)
        recompute(doc);
    return doc.outlineComplete == 1;
}

}  // namespace bowlyn
