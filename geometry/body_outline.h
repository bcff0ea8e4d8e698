#pragma once

#include <cstdint>

namespace bowlyn {

struct Document;

// An arc running counter-clockwise from `start` to `end` (radians).
struct OutlineArc {
    float cx = 0, cy = 0, r = 0, start = 0, end = 0;
};

struct OutlineSegment {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
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
    float edgeTopX = 0, edgeTopY = 0;        // A
    float edgeBottomX = 0, edgeBottomY = 0;  // B
    int32_t edgeHit = 0;
    float floorEndX = 0, floorEndY = 0;
    float widthPointX = 0, widthPointY = 0;  // C
    int32_t widthHit = 0;
    float pointCentreX = 0, pointCentreY = 0, pointRadius = 0;
    float pointAngleAtC = 0, pointAngleAtTangent = 0;
    float arcCentreX = 0, arcCentreY = 0, arcRadius = 0;
    float arcStartAngle = 0, arcEndAngle = 0;
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
    int32_t hasCutaway = 0;
    int32_t cutawayType = 0;
};

// The current design's record, as the snapshot copies it.
OutlineRecord currentOutlineRecord(const Document& doc);

void drawReferenceGeometry(Document& doc);
void lowerBoutConstruction(Document& doc);
void upperBoutConstruction(Document& doc);
void waistConstruction(Document& doc);
void solveBodyOutline(Document& doc);

enum class OutlineWhich { Current, Snapshot };
void drawOutline(Document& doc, OutlineWhich which);

// Where the segment P1-P2 meets the neck flat, the shoulder or the upper bout
// arc of the current outline; the point is meaningless for UPPER_NONE.
UpperOutlinePart intersectUpperOutline(const Document& doc, float x1, float y1, float x2, float y2,
                                       float& x, float& y);

}  // namespace bowlyn
