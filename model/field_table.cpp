#include "model/field_table.h"

#include <cmath>
#include <stdexcept>

#include "model/number_text.h"

namespace bowlyn {
namespace {

using K = FieldKind;

std::vector<FieldDef> buildFields() {
    std::vector<FieldDef> f = {
        {"Name", K::Text, {"entryDescription"}, ""},
        {"Units", K::Units, {}, ""},
        {"Body length", K::Number, {"entryLength"}, ""},
        {"Lower bout width", K::Half, {"entryLBWidth"}, ""},
        {"Neck flat length", K::Half, {"entryHeelWidth"}, ""},
        {"Neck joins body at fret number",
         K::Integer,
         {"entryNeckJoinsBodyAtFret", "entryCutawayTaperParmsJoinsAtFret",
          "entryFretboardParmsJoinsAtFret"},
         "entryNeckJoinsBodyAtFret"},
        {"Scale length",
         K::Number,
         {"entryScaleLength", "entryCutawayTaperParmsScaleLength",
          "entryFretboardParmsScaleLength"},
         "entryScaleLength"},
        {"Sound hole diameter", K::Number, {"entryHoleDiameter"}, ""},
        {"Sound hole offset", K::Number, {"entryHoleOffset"}, ""},
        {"Lower bout radius", K::Number, {"entryLBRadius"}, ""},
        {"Lower bout offset", K::Number, {"entryLBOffset"}, ""},
        {"Upper bout width", K::Half, {"entryUBWidth"}, ""},
        {"Upper bout radius", K::Number, {"entryUBRadius"}, ""},
        {"Upper bout offset", K::Number, {"entryUBOffset"}, ""},
        {"Waist width", K::Half, {"entryWaistWidth"}, ""},
        {"Waist radius", K::Number, {"entryWaistRadius"}, ""},
        {"Waist offset", K::Number, {"entryWaistOffset"}, ""},
        {"Has cutaway", K::Boolean, {"checkbuttonCutawayHasCutaway"}, ""},
        {"Cutaway type",
         K::Choice,
         {"radiobuttonCutawayFlorentine", "radiobuttonCutawayVenetian"},
         ""},
        {"Cutaway side offset", K::Number, {"entryCutawayNeckOffset"}, ""},
        {"Cutaway depth", K::Number, {"entryCutawayDepth"}, ""},
        {"Cutaway width", K::Number, {"entryCutawayWidth"}, ""},
        {"Cutaway valley radius", K::Number, {"entryCutawayVenetianRadius"}, ""},
        {"Cutaway point radius", K::Number, {"entryCutawayVenetianPointRadius"}, ""},
        {"Fingerboard taper spec type",
         K::Choice,
         {"radiobuttonCutawayWidthAtFret", "radiobuttonCutawayStringSpacing"},
         ""},
        {"Nut width",
         K::Number,
         {"entryCutawayTaperParmsNutWidth", "entryFretboardNutWidth"},
         "entryFretboardNutWidth"},
        {"Fingerboard width at fret",
         K::Number,
         {"entryCutawayTaperFromNeckWidthWidth", "entryFretboardTaperFromNeckWidthWidth"},
         "entryFretboardTaperFromNeckWidthWidth"},
        {"Fingerboard width fret number",
         K::Integer,
         {"entryCutawayTaperFromNeckWidthFret", "entryFretboardTaperFromNeckWidthFret"},
         "entryFretboardTaperFromNeckWidthFret"},
        {"String spacing at bridge",
         K::Number,
         {"entryCutawayTaperFromStringSpacingSpacing",
          "entryFretboardTaperFromStringSpacingSpacing"},
         "entryFretboardTaperFromStringSpacingSpacing"},
        {"String setback",
         K::Number,
         {"entryCutawayTaperFromStringSpacingSetback",
          "entryFretboardTaperFromStringSpacingSetback", "entryStringsSetback"},
         "entryFretboardTaperFromStringSpacingSetback"},
        {"String 1 diameter",
         K::Number,
         {"entryCutawayTaperFromStringSpacingDia1st", "entryFretboardTaperFromStringSpacingDia1st"},
         "entryFretboardTaperFromStringSpacingDia1st"},
        {"String last diameter",
         K::Number,
         {"entryCutawayTaperFromStringSpacingDiaLast",
          "entryFretboardTaperFromStringSpacingDiaLast"},
         "entryFretboardTaperFromStringSpacingDiaLast"},
        {"Sound hole x offset", K::Number, {"entryHoleHOffset"}, ""},
        {"Lower bout secondary radius increment", K::Number, {"entryLB2Radius"}, ""},
        {"Upper bout secondary radius increment", K::Number, {"entryUB2Radius"}, ""},
        {"Has fretboard", K::Boolean, {"checkbuttonFretboardHasFretboard"}, ""},
        {"Total number of frets", K::Integer, {"entryFretboardParmsFrets"}, ""},
        {"Fretboard thickness", K::Number, {"entryFretboardParmsThickness"}, ""},
        {"Nut thickness", K::Number, {"entryFretboardNutThickness"}, ""},
        {"Fretwire thickness", K::Number, {"entryFretboardFretwireThickness"}, ""},
        {"Fretwire height", K::Number, {"entryFretboardFretwireHeight"}, ""},
        {"Has fretboard markers", K::Boolean, {"checkbuttonFretboardMarkersHasMarkers"}, ""},
        {"Marker diameter", K::Number, {"entryFretboardMarkersDiameter"}, ""},
        {"Side marker diameter", K::Number, {"entryFretboardMarkersSideDiameter"}, ""},
        {"Has strings", K::Boolean, {"checkbuttonStringsHasStrings"}, ""},
        {"Number of strings", K::Integer, {"entryStringsTotal"}, ""},
        {"Strings per course", K::Integer, {"entryStringsPerCourse"}, ""},
        {"Course spacing of strings", K::Number, {"entryStringsCourseSpacing"}, ""},
    };
    static const char* ordinals[] = {"1st", "2nd",  "3rd",  "4th",  "5th",  "6th",  "7th",  "8th",
                                     "9th", "10th", "11th", "12th", "13th", "14th", "15th", "16th"};
    static std::string diameterLabels[MAX_STRINGS];
    for (int i = 0; i < MAX_STRINGS; ++i) {
        diameterLabels[i] = std::string("Diameter of ") + ordinals[i] + " string";
        f.push_back({diameterLabels[i].c_str(),
                     K::Number,
                     {"entryStringsDiameters" + std::to_string(i + 1)},
                     ""});
    }
    for (auto& def : f) {
        if (def.fileWidget.empty() && !def.widgets.empty())
            def.fileWidget = def.widgets[0];
    }
    return f;
}

const std::vector<FieldDef>& allFields() {
    static const std::vector<FieldDef> fields = buildFields();
    return fields;
}

// The storage of the Number, Half and Integer fields, by field number.
float* floatSlot(DesignParameters& p, int number) {
    switch (number) {
        case 3:
            return &p.bodyLength;
        case 4:
            return &p.lowerBoutHalfWidth;
        case 5:
            return &p.neckFlatHalfLength;
        case 7:
            return &p.scaleLength;
        case 8:
            return &p.soundHoleDiameter;
        case 9:
            return &p.soundHoleOffset;
        case 10:
            return &p.lowerBoutRadius;
        case 11:
            return &p.lowerBoutOffset;
        case 12:
            return &p.upperBoutHalfWidth;
        case 13:
            return &p.upperBoutRadius;
        case 14:
            return &p.upperBoutOffset;
        case 15:
            return &p.waistHalfWidth;
        case 16:
            return &p.waistRadius;
        case 17:
            return &p.waistOffset;
        case 20:
            return &p.cutawaySideOffset;
        case 21:
            return &p.cutawayDepth;
        case 22:
            return &p.cutawayWidth;
        case 23:
            return &p.cutawayValleyRadius;
        case 24:
            return &p.cutawayPointRadius;
        case 26:
            return &p.nutWidth;
        case 27:
            return &p.boardWidthAtFret;
        case 29:
            return &p.bridgeStringSpacing;
        case 30:
            return &p.stringSetback;
        case 31:
            return &p.firstStringDiameter;
        case 32:
            return &p.lastStringDiameter;
        case 33:
            return &p.soundHoleXOffset;
        case 34:
            return &p.lowerBoutRadiusIncrement;
        case 35:
            return &p.upperBoutRadiusIncrement;
        case 38:
            return &p.fretboardThickness;
        case 39:
            return &p.nutThickness;
        case 40:
            return &p.fretwireThickness;
        case 41:
            return &p.fretwireHeight;
        case 43:
            return &p.markerDiameter;
        case 44:
            return &p.sideMarkerDiameter;
        case 48:
            return &p.courseSpacing;
        default:
            if (number >= fields::FIRST_DIAMETER && number < fields::FIRST_DIAMETER + MAX_STRINGS)
                return &p.stringDiameters[number - fields::FIRST_DIAMETER + 1];
            return nullptr;
    }
}

int32_t* intSlot(DesignParameters& p, int number) {
    switch (number) {
        case 6:
            return &p.neckJoinsAtFret;
        case 28:
            return &p.boardWidthFret;
        case 46:
            return &p.stringCount;
        case 47:
            return &p.stringsPerCourse;
        default:
            return nullptr;
    }
}

}  // namespace

const FieldDef& field(int number) {
    if (number < 1 || number > FIELD_COUNT)
        throw std::out_of_range("field number");
    return allFields()[number - 1];
}

const std::array<std::string, FIELD_COUNT>& fieldLabels() {
    static const std::array<std::string, FIELD_COUNT> labels = [] {
        std::array<std::string, FIELD_COUNT> a;
        for (int k = 1; k <= FIELD_COUNT; ++k)
            a[k - 1] = field(k).label;
        return a;
    }();
    return labels;
}

int fieldByLabel(const std::string& label) {
    const auto& labels = fieldLabels();
    for (int k = 1; k <= FIELD_COUNT; ++k) {
        if (labels[k - 1] == label)
            return k;
    }
    return 0;
}

int fieldByEntry(const std::string& widget) {
    for (int k = 1; k <= FIELD_COUNT; ++k) {
        const FieldDef& def = field(k);
        if (def.kind == FieldKind::Boolean || def.kind == FieldKind::Choice)
            continue;
        for (const auto& w : def.widgets) {
            if (w == widget)
                return k;
        }
    }
    return 0;
}

void storeFieldValue(DesignParameters& params, int number, float value) {
    switch (field(number).kind) {
        case FieldKind::Number:
            *floatSlot(params, number) = value;
            break;
        case FieldKind::Half:
            *floatSlot(params, number) = value / 2.0;
            break;
        case FieldKind::Integer:
            if (number == 37) {
                // Held unsigned; the fretboard checks read it back as signed.
                params.fretCount = static_cast<uint32_t>(roundToInt32(value));
            } else {
                *intSlot(params, number) = roundToInt32(value);
            }
            break;
        default:
            break;
    }
}

double fieldValue(const DesignParameters& params, int number) {
    auto& p = const_cast<DesignParameters&>(params);
    switch (field(number).kind) {
        case FieldKind::Number:
            return *floatSlot(p, number);
        case FieldKind::Half:
            return *floatSlot(p, number) * 2.0;
        case FieldKind::Integer:
            if (number == 37)
                return static_cast<int32_t>(params.fretCount);
            return *intSlot(p, number);
        default:
            return 0.0;
    }
}

}  // namespace bowlyn
