#pragma once

#include <cstdint>
#include <limits>

namespace bowlyn {

// The design's unit, as the units box lists them.
enum DesignUnits : int32_t { UNITS_INCH = 0, UNITS_CM = 1 };
// The two kinds of cutaway, and the two ways the fingerboard's taper is given.
enum CutawayType : int32_t { CUTAWAYTYPEFLORENTINE = 0, CUTAWAYTYPEVENETIAN = 1 };
enum TaperType : int32_t { TAPERTYPEBOARDWIDTH = 0, STRINGSPACING = 1 };
constexpr int MAX_STRINGS = 16;

// The converted values of one design, in field-table order. Widths are held as
// half widths (from the centre line) although the form shows full widths.
struct DesignParameters {
    // The value of a field whose blank entry means its default (see
    // BLANK_IS_UNSET in fields.def).
    static constexpr float UNSET = std::numeric_limits<float>::quiet_NaN();

    float bodyLength = 0;
    float lowerBoutHalfWidth = 0;
    float neckFlatHalfLength = 0;
    int32_t neckJoinsAtFret = 0;
    float scaleLength = 0;
    float soundHoleDiameter = 0;
    float soundHoleOffset = 0;
    float lowerBoutRadius = 0;
    float lowerBoutOffset = 0;
    float upperBoutHalfWidth = 0;
    float upperBoutRadius = 0;
    float upperBoutOffset = 0;
    float waistHalfWidth = 0;
    float waistRadius = 0;
    float waistOffset = 0;
    float cutawaySideOffset = 0;
    float cutawayDepth = 0;
    float cutawayWidth = 0;
    float cutawayValleyRadius = 0;
    float cutawayPointRadius = 0;
    float nutWidth = 0;
    float boardWidthAtFret = 0;
    int32_t boardWidthFret = 0;
    float bridgeStringSpacing = 0;
    float stringSetback = 0;
    float firstStringDiameter = 0;
    float lastStringDiameter = 0;
    float soundHoleXOffset = 0;
    float lowerBoutRadiusIncrement = 0;
    float upperBoutRadiusIncrement = 0;
    uint32_t fretCount = 0;  // read as signed by the fretboard checks
    float fretboardThickness = 0;
    float nutThickness = 0;
    float fretwireThickness = 0;
    float fretwireHeight = 0;
    float markerDiameter = 0;
    float sideMarkerDiameter = 0;
    int32_t stringCount = 0;
    int32_t stringsPerCourse = 0;
    float courseSpacing = 0;
    float stringDiameters[MAX_STRINGS + 1] = {};  // indexed 1 to 16
    float bodyDepthAtTail = 0;
    float bodyDepthAtNeck = 0;
    float topThickness = 0;
    // Blank (NaN) by default: the fan and the slots then take their defaults.
    float bassScaleLength = UNSET;    // the scale on the bass edge (negative x)
    float perpendicularFret = UNSET;  // a whole number: the fret square to the centre line
    float fretSlotWidth = UNSET;
    float fretSlotInset = UNSET;  // how far a slot stops short of each board edge

    DesignUnits units = UNITS_INCH;
    CutawayType cutawayType = CUTAWAYTYPEFLORENTINE;
    TaperType taperType = TAPERTYPEBOARDWIDTH;
    bool hasCutaway = false;
    bool hasFretboard = false;
    bool hasMarkers = false;
    bool hasStrings = false;
};

}  // namespace bowlyn
