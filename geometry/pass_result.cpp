// What a pass reports: the message and the fields of every check, in the
// order of Check, and the derived values of a solved outline.

#include "geometry/pass_result.h"

#include <cmath>
#include <iterator>

#include "model/field_table.h"

namespace bowlyn {
namespace {

using namespace fields;

struct CheckDef {
    Check check;
    FieldSet fields;
    const char* message;
};

// Overlaps name the radii and widths that the message asks to change.
constexpr CheckDef CHECKS[] = {
    {Check::LowerBoutWidth,
     {LOWER_BOUT_WIDTH},
     "Problem: Both the body length and the lower bout width must be specified. Values must be > "
     "0."},
    // The message is completed with the recommended range by the check.
    {Check::BodyLength,
     {BODY_LENGTH},
     "Problem: Both the body length and the lower bout width must be specified. Given the lower "
     "bout width specified, reccommended length is between "},
    {Check::LowerBoutIncrement,
     {LOWER_BOUT_INCREMENT},
     "Problem: The value for the radius increment of the secondary arc of the lower bout must be "
     ">= 0."},
    {Check::LowerBoutRadius,
     {LOWER_BOUT_RADIUS},
     "Problem: A value for the radius of the primary arc of the lower bout must be specified. The "
     "value must be > 0."},
    {Check::LowerBoutRadiusOverWidth,
     {LOWER_BOUT_RADIUS, LOWER_BOUT_WIDTH},
     "Problem: The radius of the primary arc of the lower bout must be less than half the width of "
     "the body across the lower bout."},
    {Check::LowerBoutRadiusOverLength,
     {LOWER_BOUT_RADIUS, BODY_LENGTH},
     "Problem: The radius of the primary arc of the lower bout must be less than half the length "
     "of "
     "the body."},
    {Check::LowerBoutRadiusAndOffset,
     {LOWER_BOUT_RADIUS, LOWER_BOUT_OFFSET, BODY_LENGTH},
     "Problem: The radius of the primary arc of the lower bout * 2 plus the offset of the lower "
     "bout must be less than the length of the body."},
    {Check::UpperBoutIncrement,
     {UPPER_BOUT_INCREMENT},
     "Problem: The value for the radius increment of the secondary arc of the upper bout must be "
     ">= 0."},
    {Check::UpperBoutRadius,
     {UPPER_BOUT_RADIUS},
     "Problem: A value for the radius of the primary arc of the upper bout must be specified. The "
     "value must be > 0."},
    {Check::UpperBoutRadiusOverWidth,
     {UPPER_BOUT_RADIUS, LOWER_BOUT_WIDTH},
     "Problem: The radius of the primary arc of the upper bout must be less than half the width of "
     "the body across the lower bout."},
    {Check::UpperBoutRadiusOverLength,
     {UPPER_BOUT_RADIUS, BODY_LENGTH},
     "Problem: The radius of the primary arc of the upper bout must be less than half the length "
     "of "
     "the body."},
    {Check::UpperBoutRadiusAndOffset,
     {UPPER_BOUT_RADIUS, UPPER_BOUT_OFFSET, BODY_LENGTH},
     "Problem: The radius of the primary arc of the upper bout * 2 plus the offset of the upper "
     "bout must be less than the length of the body."},
    {Check::WaistRadius,
     {WAIST_RADIUS},
     "Problem: A value for the radius of the primary arc of the waist must be specified. The value "
     "must be > 0."},
    {Check::WaistWidth,
     {WAIST_WIDTH},
     "Problem: A value for the width of waist must be specified. The value must be > 0."},
    {Check::WaistOffset,
     {WAIST_OFFSET},
     "Problem: A value for the offset from the tail end of the body to the waist must be "
     "specified. The value must be > 0."},
    {Check::WaistOffsetOverLength,
     {WAIST_OFFSET, BODY_LENGTH},
     "Problem: The offset from the tail end of the body to the waist must be shorter than the "
     "length of the body."},
    {Check::LowerBoutOffset,
     {LOWER_BOUT_OFFSET},
     "Problem: The offset from the tail end to the lower bout arc must be >= 0."},
    {Check::UpperBoutOffset,
     {UPPER_BOUT_OFFSET},
     "Problem: The offset from the neck end to the upper bout arc must be >= 0."},
    {Check::NeckFlat,
     {NECK_FLAT_LENGTH, UPPER_BOUT_WIDTH},
     "Problem: If a flat at the neck end of the body is specified it must be > 0 and shorter than "
     "the width of the instrument."},
    {Check::UpperBoutWaistOverlap,
     {UPPER_BOUT_RADIUS, UPPER_BOUT_WIDTH, WAIST_RADIUS, WAIST_WIDTH},
     "Problem: The upper bout arc and the waist arc cannot overlap. The radius or width values of "
     "one or both must be changed."},
    {Check::SecondaryUpperBoutWaistOverlap,
     {UPPER_BOUT_INCREMENT, UPPER_BOUT_RADIUS, UPPER_BOUT_WIDTH, WAIST_RADIUS, WAIST_WIDTH},
     "Problem: The secondary upper bout arc and the waist arc cannot overlap. The radius or width "
     "values of one or both must be changed."},
    {Check::LowerBoutWaistOverlap,
     {LOWER_BOUT_RADIUS, LOWER_BOUT_WIDTH, WAIST_RADIUS, WAIST_WIDTH},
     "Problem: The lower bout arc and the waist arc cannot overlap. The radius or width values of "
     "one or both must be changed."},
    {Check::SecondaryLowerBoutWaistOverlap,
     {LOWER_BOUT_INCREMENT, LOWER_BOUT_RADIUS, LOWER_BOUT_WIDTH, WAIST_RADIUS, WAIST_WIDTH},
     "Problem: The secondary lower bout arc and the waist arc cannot overlap. The radius or width "
     "values of one or both must be changed."},
    {Check::LowerUpperBoutOverlap,
     {LOWER_BOUT_RADIUS, LOWER_BOUT_WIDTH, UPPER_BOUT_RADIUS, UPPER_BOUT_WIDTH},
     "Problem: The lower bout arc and the upper bout arc cannot overlap. The radius or width "
     "values "
     "of one or both must be changed."},
    {Check::WaistWiderThanUpperBout,
     {WAIST_WIDTH, UPPER_BOUT_WIDTH},
     "Problem: The waist width cannot exceed that of the upper bout. The radius or width values of "
     "one or both must be changed."},
    {Check::WaistWiderThanLowerBout,
     {WAIST_WIDTH, LOWER_BOUT_WIDTH},
     "Problem: The waist width cannot exceed that of the lower bout. The radius or width values of "
     "one or both must be changed."},
    {Check::NeckFlatBeyondUpperBout,
     {NECK_FLAT_LENGTH, UPPER_BOUT_WIDTH},
     "Problem: A valid neck flat can't be drawn with these values. Decrease the length of the neck "
     "flat, or increase the upper bout width."},
    {Check::ShoulderArc,
     {NECK_FLAT_LENGTH, UPPER_BOUT_OFFSET},
     "Problem: A valid shoulder arc can't be drawn with these values. Decrease the length of the "
     "neck flat, or decrease the upper bout offset."},
    {Check::SoundHoleOffBody,
     {SOUND_HOLE_DIAMETER, SOUND_HOLE_OFFSET},
     "Problem: The specified sound hole diameter and offset places the sound hole off of the "
     "body."},
    {Check::SoundHoleOffSide,
     {SOUND_HOLE_DIAMETER, SOUND_HOLE_X_OFFSET, SOUND_HOLE_OFFSET},
     "Problem: The specified sound hole diameter and offset places the sound hole off of the "
     "body."},

    {Check::CutawaySideOffset,
     {CUTAWAY_SIDE_OFFSET},
     "Problem: The value for the cutaway offset cannot be < 0."},
    {Check::CutawaySize,
     {CUTAWAY_DEPTH, CUTAWAY_WIDTH},
     "Problem: Both the cutaway depth and width must be specified. Values must be > 0."},
    {Check::CutawayPointRadiusNegative,
     {CUTAWAY_POINT_RADIUS},
     "Problem: The value for the cutaway point radius cannot be < 0."},
    {Check::CutawayJoinFret,
     {JOINS_AT_FRET},
     "Problem: To draw a cutaway, the value for the fret number at which the neck joins the body "
     "must be specified. Values must be > 0 (and are usually 14 or 12)."},
    {Check::CutawayNutAndScale,
     {NUT_WIDTH, SCALE_LENGTH},
     "Problem: To draw a cutaway, both the nut width and the scale length must be specified. "
     "Values must be > 0."},
    {Check::CutawayBoardWidth,
     {BOARD_WIDTH_AT_FRET, BOARD_WIDTH_FRET},
     "Problem: To draw a cutaway, both the fingerboard width and the number of the fret at which "
     "that width is measured must be specified. Values must be > 0."},
    {Check::CutawayStringDiameters,
     {FIRST_STRING_DIAMETER, LAST_STRING_DIAMETER},
     "Problem: To draw a cutaway, the diameters of both the first and last strings must be "
     "specified. Values must be > 0."},
    {Check::CutawayStringSetback,
     {STRING_SETBACK},
     "Problem: To draw a cutaway, the string setback must be specified. Value must be > 0."},
    {Check::CutawayStringSpacing,
     {BRIDGE_STRING_SPACING},
     "Problem: To draw a cutaway, the string spacing (first to last) at the bridge must be "
     "specified. Value must be > 0."},
    // Its fields depend on the taper choice and are given by the check.
    {Check::CutawayTaper,
     {NUT_WIDTH},
     "Problem: The fingerboard taper specified for drawing the cutaway is equal or wider at the "
     "nut than where the neck joins the body."},
    {Check::CutawayOffsetTooLarge,
     {CUTAWAY_SIDE_OFFSET},
     "Problem: the value for the cutaway offset is too large."},
    {Check::CutawayWidthTooLarge,
     {CUTAWAY_WIDTH},
     "Problem: the value for the cutaway width is too large."},
    {Check::CutawayArcNotFound,
     {},
     "Internal error: tangentArcPLL() returned status = 0. Please report this bug."},
    {Check::CutawayTooShallow,
     {CUTAWAY_DEPTH, CUTAWAY_WIDTH},
     "Problem: the cutaway cannot be drawn to these dimensions. Try making the depth deeper or the "
     "width narrower."},
    {Check::CutawayTooDeep,
     {CUTAWAY_DEPTH, CUTAWAY_WIDTH},
     "Problem: the cutaway cannot be drawn to these dimensions. Try making the depth shallower or "
     "the width wider."},
    {Check::VenetianPointRadiusZero,
     {CUTAWAY_POINT_RADIUS},
     "Problem: The radius of the point of a Venetian cutaway must be > 0."},
    {Check::CutawayWidthTooSmall,
     {CUTAWAY_WIDTH},
     "Problem: The value for the cutaway width is too small."},
    {Check::VenetianPointRadiusTooLarge,
     {CUTAWAY_POINT_RADIUS},
     "Problem: The radius of the point of the cutaway is too large."},
    {Check::VenetianValleyRadiusTooLarge,
     {CUTAWAY_VALLEY_RADIUS},
     "Problem: The radius of the valley of the cutaway is too large."},
    {Check::VenetianArcsOverlap,
     {CUTAWAY_VALLEY_RADIUS, CUTAWAY_POINT_RADIUS},
     "Problem: The cutaway valley arc and point arc cannot overlap Reduce the size of one or "
     "both."},
    {Check::CutawayNotFinite,
     {CUTAWAY_DEPTH, CUTAWAY_WIDTH},
     "Problem: the cutaway cannot be drawn to these dimensions. Try making the depth deeper or the "
     "width narrower."},

    {Check::FretboardScaleLength,
     {SCALE_LENGTH},
     "Problem: To draw a fretboard, the scale length must be specified. Value must be > 0."},
    {Check::FretboardJoinFret,
     {JOINS_AT_FRET},
     "Problem: To draw a fretboard, the value for the fret number at which the neck joins the body "
     "must be specified. Value must be > 0 (and is usually 14 or 12)."},
    {Check::FretCount,
     {FRET_COUNT},
     "Problem: To draw a fretboard, the total number of frets must be specified. Value must be > 0 "
     "(and is usually 18 to 24)."},
    {Check::FretboardThickness,
     {FRETBOARD_THICKNESS},
     "Problem: To draw a fretboard, the fretboard thickness must be specified. Value must be > 0."},
    {Check::FretboardNutWidth,
     {NUT_WIDTH},
     "Problem: To draw a fretboard, the nut width must be specified. Value must be > 0."},
    {Check::NutThickness,
     {NUT_THICKNESS},
     "Problem: To draw a fretboard, the thickness of the nut must be specified. Value must be > "
     "0."},
    {Check::FretboardBoardWidth,
     {BOARD_WIDTH_AT_FRET, BOARD_WIDTH_FRET},
     "Problem: To draw a fretboard, both the fingerboard width and the number of the fret at which "
     "that width is measured must be specified. Values must be > 0."},
    {Check::FretboardStringDiameters,
     {FIRST_STRING_DIAMETER, LAST_STRING_DIAMETER},
     "Problem: To draw a fretboard, the diameters of both the first and last strings must be "
     "specified. Values must be > 0."},
    {Check::FretboardStringSetback,
     {STRING_SETBACK},
     "Problem: To draw a fretboard, the string setback must be specified. Value must be > 0."},
    {Check::FretboardStringSpacing,
     {BRIDGE_STRING_SPACING},
     "Problem: To draw a fretboard, the string spacing (first to last) at the bridge must be "
     "specified. Value must be > 0."},
    {Check::FretwireThickness,
     {FRETWIRE_THICKNESS},
     "Problem: To draw a fretboard, the thickness of the fretwire must be specified. Value must be "
     "> 0."},
    {Check::FretwireHeight,
     {FRETWIRE_HEIGHT},
     "Problem: To draw a fretboard, the height of the fretwire must be specified. Value must be > "
     "0."},
    {Check::MarkerDiameter,
     {MARKER_DIAMETER},
     "Problem: To draw a fretboard with dot markers, the diameter of the markers must be "
     "specified. Value must be >= 0."},
    {Check::SideMarkerDiameter,
     {SIDE_MARKER_DIAMETER},
     "Problem: To drside markers must be specified. Value must be >= 0."},
    {Check::BassScaleLength,
     {BASS_SCALE_LENGTH},
     "Problem: To fan the frets, the bass scale length must be > 0. Leave it blank for frets "
     "square to the centre line."},
    {Check::PerpendicularFret,
     {PERPENDICULAR_FRET},
     "Problem: To fan the frets, the perpendicular fret must be from 0 (the nut) to 99. Leave it "
     "blank for fret 12."},
    {Check::FretSlotWidth,
     {FRET_SLOT_WIDTH},
     "Problem: The fret slot width must be > 0. Leave it blank for a fret saw's kerf of 0.023 "
     "in."},
    {Check::FretSlotInset,
     {FRET_SLOT_INSET},
     "Problem: The fret slot inset must be >= 0 and leave the shortest slot a length > 0."},

    {Check::BridgeOffBody,
     {SCALE_LENGTH, JOINS_AT_FRET},
     "Problem: With the scale length and neck-joins-body-at-fret specified, the bridge would be "
     "located off the end of the instrument."},

    {Check::StringCount,
     {STRING_COUNT},
     "Problem: To draw the strings, the total number of strings must be specified. Value must be > "
     "0 and <= 16."},
    {Check::CourseSpacing,
     {COURSE_SPACING},
     "Problem: To draw strings in courses, the spacing of strings in the course must be specified. "
     "Value must be > 0."},
    // Completed with the string's number, and its field given, by the check.
    {Check::StringDiameter,
     {},
     "Problem: To draw strings, the diameter of each string must be > 0. Diameter of string "},
    {Check::CourseSize,
     {STRING_COUNT, STRINGS_PER_COURSE},
     "Problem: To draw strings in courses, the number of strings per course must be the same."},

    // Inputs such as "1e39" become infinite singles and "0/0" NaN; they can
    // slip past checks that compare with finite limits.
    {Check::OutOfRange,
     {},
     "Problem: The values given are too large or too small to draw the instrument."},
};

constexpr bool inCheckOrder() {
    for (size_t i = 0; i < std::size(CHECKS); ++i) {
        if (static_cast<size_t>(CHECKS[i].check) != i)
            return false;
    }
    return std::size(CHECKS) == static_cast<size_t>(Check::OutOfRange) + 1;
}
static_assert(inCheckOrder(), "one row for every check, in the order of Check");

}  // namespace

Problem problemOf(Check check) {
    const CheckDef& def = CHECKS[static_cast<size_t>(check)];
    return {check, def.fields, def.message};
}

Problem problemOf(Check check, const FieldSet& fields) {
    return {check, fields, CHECKS[static_cast<size_t>(check)].message};
}

namespace {

bool finite(const std::optional<float>& v) {
    return !v || std::isfinite(*v);
}
bool finite(const std::optional<DerivedPoint>& p) {
    return !p || (std::isfinite(p->x) && std::isfinite(p->y));
}

}  // namespace

bool DerivedValues::finite() const {
    return bowlyn::finite(tailArcRadius) && bowlyn::finite(tailArcCentre) &&
           bowlyn::finite(lowerBoutCentre) && bowlyn::finite(waistCentre) &&
           bowlyn::finite(upperBoutCentre) && bowlyn::finite(shoulderArcRadius) &&
           bowlyn::finite(shoulderArcCentre) && bowlyn::finite(florentineRadius) &&
           bowlyn::finite(florentineCentre) && bowlyn::finite(venetianPointCentre) &&
           bowlyn::finite(venetianValleyCentre);
}

DerivedValues derivedValues(const OutlineRecord& record) {
    const BodyOutline& o = record.outline;
    auto centre = [](const OutlineArc& a) { return DerivedPoint{a.cx, a.cy}; };
    DerivedValues v;
    if (o.tailArc.r > 0.0f) {
        v.tailArcRadius = o.tailArc.r;
        v.tailArcCentre = centre(o.tailArc);
    }
    v.lowerBoutCentre = centre(o.lowerBoutArc);
    v.waistCentre = centre(o.waistArc);
    v.upperBoutCentre = centre(o.upperBoutArc);
    if (o.shoulderArc.r > 0.0f) {
        v.shoulderArcRadius = o.shoulderArc.r;
        v.shoulderArcCentre = centre(o.shoulderArc);
    }
    if (record.hasCutaway) {
        const CutawayGeometry& c = o.cutaway;
        if (record.cutawayType == CUTAWAYTYPEFLORENTINE) {
            v.florentineRadius = c.arcRadius;
            v.florentineCentre = DerivedPoint{c.arcCentre.x, c.arcCentre.y};
        } else {
            v.venetianValleyCentre = DerivedPoint{c.arcCentre.x, c.arcCentre.y};
            v.venetianPointCentre = DerivedPoint{c.pointCentre.x, c.pointCentre.y};
        }
    }
    return v;
}

}  // namespace bowlyn
