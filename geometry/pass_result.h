#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

#include "geometry/body_outline.h"

namespace bowlyn {

// Every check a pass makes, in the order it makes them. A pass ends at the
// first that fails; the window and the command line learn which from the
// pass's result, never from the status text.
enum class Check : uint8_t {
    // The body, before the view is fitted.
    LowerBoutWidth,
    BodyLength,
    // The body's arcs.
    LowerBoutIncrement,
    LowerBoutRadius,
    LowerBoutRadiusOverWidth,
    LowerBoutRadiusOverLength,
    LowerBoutRadiusAndOffset,
    UpperBoutIncrement,
    UpperBoutRadius,
    UpperBoutRadiusOverWidth,
    UpperBoutRadiusOverLength,
    UpperBoutRadiusAndOffset,
    WaistRadius,
    WaistWidth,
    WaistOffset,
    WaistOffsetOverLength,
    LowerBoutOffset,
    UpperBoutOffset,
    NeckFlat,
    UpperBoutWaistOverlap,
    SecondaryUpperBoutWaistOverlap,
    LowerBoutWaistOverlap,
    SecondaryLowerBoutWaistOverlap,
    LowerUpperBoutOverlap,
    WaistWiderThanUpperBout,
    WaistWiderThanLowerBout,
    // The solved outline and the sound hole.
    NeckFlatBeyondUpperBout,
    ShoulderArc,
    SoundHoleOffBody,
    SoundHoleOffSide,  // also beside the cutaway, once it is built
    // The cutaway.
    CutawaySideOffset,
    CutawaySize,
    CutawayPointRadiusNegative,
    CutawayJoinFret,
    CutawayNutAndScale,
    CutawayBoardWidth,
    CutawayStringDiameters,
    CutawayStringSetback,
    CutawayStringSpacing,
    CutawayTaper,
    CutawayOffsetTooLarge,
    CutawayWidthTooLarge,
    CutawayArcNotFound,
    CutawayTooShallow,
    CutawayTooDeep,
    VenetianPointRadiusZero,
    CutawayWidthTooSmall,
    VenetianPointRadiusTooLarge,
    VenetianValleyRadiusTooLarge,
    VenetianArcsOverlap,
    CutawayNotFinite,
    // The fretboard.
    FretboardScaleLength,
    FretboardJoinFret,
    FretCount,
    FretboardThickness,
    FretboardNutWidth,
    NutThickness,
    FretboardBoardWidth,
    FretboardStringDiameters,
    FretboardStringSetback,
    FretboardStringSpacing,
    FretwireThickness,
    FretwireHeight,
    MarkerDiameter,
    SideMarkerDiameter,
    // The fan and the slots, where their entries are not blank.
    BassScaleLength,
    PerpendicularFret,
    FretSlotWidth,
    FretSlotInset,
    // The neck.
    BridgeOffBody,
    // The strings.
    StringCount,
    CourseSpacing,
    StringDiameter,
    CourseSize,
    // The drawn numbers, after everything else has passed.
    OutOfRange,
};

// The fields (numbers of the field table, 1 to 64) a problem concerns: the
// entries a user would change to fix it. Empty when no one field is to blame.
class FieldSet {
  public:
    static constexpr size_t CAPACITY = 6;

    constexpr FieldSet() = default;
    constexpr FieldSet(std::initializer_list<int> numbers) {
        for (int n : numbers)
            add(n);
    }
    // Ignored beyond the capacity or when already there.
    constexpr void add(int number) {
        if (count_ < CAPACITY && !contains(number))
            numbers_[count_++] = static_cast<uint8_t>(number);
    }
    constexpr bool contains(int number) const {
        for (size_t i = 0; i < count_; ++i) {
            if (numbers_[i] == number)
                return true;
        }
        return false;
    }
    constexpr size_t size() const { return count_; }
    constexpr bool empty() const { return count_ == 0; }
    constexpr int operator[](size_t i) const { return numbers_[i]; }

  private:
    std::array<uint8_t, CAPACITY> numbers_{};
    size_t count_ = 0;
};

// The first problem of a pass: which check failed, the fields it concerns and
// the exact message of the status line.
struct Problem {
    Check check;
    FieldSet fields;
    std::string message;
};

// The problem of a check, with its fixed message and fields.
Problem problemOf(Check check);
// The same check with the fields known only while checking.
Problem problemOf(Check check, const FieldSet& fields);

// A point of the derived values, in model units, before any rounding.
struct DerivedPoint {
    float x = 0, y = 0;
};

// The values a complete pass derives for the read-only labels beside the
// form, as numbers; the window and the command line write the texts. A value
// the design does not have (a tail arc without a lower bout offset, the other
// cutaway style) is absent.
struct DerivedValues {
    std::optional<float> tailArcRadius;
    std::optional<DerivedPoint> tailArcCentre;
    std::optional<DerivedPoint> lowerBoutCentre;
    std::optional<DerivedPoint> waistCentre;
    std::optional<DerivedPoint> upperBoutCentre;
    std::optional<float> shoulderArcRadius;
    std::optional<DerivedPoint> shoulderArcCentre;
    std::optional<float> florentineRadius;
    std::optional<DerivedPoint> florentineCentre;
    std::optional<DerivedPoint> venetianPointCentre;
    std::optional<DerivedPoint> venetianValleyCentre;

    // Whether every value present is a finite number.
    bool finite() const;
};

// The values a solved outline shows.
DerivedValues derivedValues(const OutlineRecord& record);

}  // namespace bowlyn
