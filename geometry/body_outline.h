#pragma once

#include <cstdint>

#include "geometry/primitives.h"
#include "model/design_parameters.h"

namespace bowlyn {

// An arc running counter-clockwise from `start` to `end` (radians).
struct OutlineArc {
    float cx = 0, cy = 0, r = 0, start = 0, end = 0;

    Point centre() const { return {cx, cy}; }
    Circle circle() const { return {{cx, cy}, r}; }
};

struct OutlineSegment {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;

    Segment segment() const { return {{x1, y1}, {x2, y2}}; }
};

// Element of the upper outline that a segment meets.
enum UpperOutlinePart : int32_t {
    UPPER_NONE = 0,
    UPPER_NECK_FLAT = 1,
    UPPER_SHOULDER = 2,
    UPPER_BOUT_ARC = 3,
};

// The cutaway, solved by the cutaway step after the body outline.
struct CutawayGeometry {
    float taperWidth = 0;
    int32_t taperFret = 0;
    Point edgeTop;     // A
    Point edgeBottom;  // B
    int32_t edgeHit = 0;
    Point floorEnd;
    Point widthPoint;  // C
    int32_t widthHit = 0;
    Point pointCentre;
    float pointRadius = 0;
    float pointAngleAtC = 0, pointAngleAtTangent = 0;
    Point arcCentre;
    float arcRadius = 0;
    float arcStartAngle = 0, arcEndAngle = 0;

    // The Florentine arc or the Venetian valley, counter-clockwise from its
    // start angle; the Venetian point from the angle at C to its tangent.
    OutlineArc arc() const {
        return {arcCentre.x, arcCentre.y, arcRadius, arcStartAngle, arcEndAngle};
    }
    OutlineArc point() const {
        return {pointCentre.x, pointCentre.y, pointRadius, pointAngleAtC, pointAngleAtTangent};
    }
};

// One half of the body outline (positive x), from the tail to the neck end.
struct BodyOutline {
    OutlineArc tailArc;
    OutlineArc lowerBoutArc;
    OutlineArc lowerBoutSecondaryArc;
    OutlineSegment lowerTangent;
    OutlineArc waistArc;
    OutlineSegment upperTangent;
    OutlineArc upperBoutSecondaryArc;
    OutlineArc upperBoutArc;
    OutlineArc shoulderArc;
    OutlineSegment neckFlat;
    CutawayGeometry cutaway;
};

struct SoundHole {
    float x = 0, y = 0, r = 0;
};

// Everything drawOutline reads: the solved outline and the parameters that
// shape its drawing. The snapshot keeps one of these.
struct OutlineRecord {
    BodyOutline outline;
    float bodyLength = 0;
    float lowerBoutOffset = 0;
    float lowerBoutRadiusIncrement = 0;
    float upperBoutHalfWidth = 0;
    float upperBoutRadius = 0;
    float upperBoutRadiusIncrement = 0;
    float upperBoutOffset = 0;
    float neckFlatHalfLength = 0;
    float cutawayPointRadius = 0;
    bool hasCutaway = false;
    CutawayType cutawayType = CUTAWAYTYPEFLORENTINE;
};

// The record of an outline solved on `p`, as the snapshot keeps it.
OutlineRecord outlineRecord(const DesignParameters& p, const BodyOutline& outline);

// The circles the body is built on, worked out once a pass from the
// parameters: the checks test them, the working drawing shows them and the
// outline is solved on them.
struct BoutCircles {
    Circle primary;       // centre at half the bout's width less its radius
    float increment = 0;  // how much larger the secondary circle is; 0 for none
    Circle secondary;     // on the same height, reaching the same width
};
struct BodyCircles {
    BoutCircles lower, upper;
    Circle waist;  // centre at half the waist's width plus its radius
};
BodyCircles bodyCircles(const DesignParameters& p);

// One half of the body outline on those circles; draws nothing. The cutaway
// is left to the cutaway step.
BodyOutline solveBodyOutline(const DesignParameters& p, const BodyCircles& circles);

// Where the segment meets the neck flat, the shoulder or the upper bout arc
// of the outline; `at` is meaningless for UPPER_NONE.
UpperOutlinePart intersectUpperOutline(const BodyOutline& o, const DesignParameters& p,
                                       const Segment& s, Point& at);

}  // namespace bowlyn
