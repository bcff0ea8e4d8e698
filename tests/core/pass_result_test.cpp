#include "geometry/pass_result.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "body_designs.h"
#include "geometry/pass_texts.h"
#include "model/field_table.h"
#include "model/presets.h"

namespace bowlyn {
namespace {

using testing::TestDocument;

std::vector<int> numbers(const FieldSet& fields) {
    std::vector<int> out;
    for (size_t i = 0; i < fields.size(); ++i)
        out.push_back(fields[i]);
    return out;
}

// The pass itself shows nothing: the window and the command line show its
// result, each in its own way.
TEST(PassResult, ACompletePassReportsItsNumbersAndShowsNothing) {
    TestDocument t;
    testing::setOmBody(t.design.params);
    t.session.showStatus("unchanged");
    const PassResult r = recompute(t.design.params, t.overlays, DrawingMode::Working);
    EXPECT_EQ(t.status(), "unchanged");
    EXPECT_EQ(t.display.passesShown, 0);

    ASSERT_TRUE(r.ok());
    EXPECT_EQ(statusText(r), STATUS_OK);
    EXPECT_FALSE(r.strokes.empty());
    const BodyOutline& o = r.outline.outline;
    EXPECT_EQ(o.waistArc.cx, solveBodyOutline(r.params, bodyCircles(r.params)).waistArc.cx);
    ASSERT_TRUE(r.derived.tailArcRadius && r.derived.lowerBoutCentre);
    EXPECT_EQ(*r.derived.tailArcRadius, o.tailArc.r);
    EXPECT_EQ(r.derived.lowerBoutCentre->x, o.lowerBoutArc.cx);
    EXPECT_EQ(r.derived.upperBoutCentre->y, o.upperBoutArc.cy);
    EXPECT_FALSE(r.derived.florentineRadius || r.derived.venetianPointCentre);  // no cutaway

    // The texts are made from those numbers, as the window shows them.
    t.session.showPass(r);
    EXPECT_EQ(t.status(), STATUS_OK);
    EXPECT_EQ(t.label(outputs::LOWER_BOUT_CENTRE), pointText(o.lowerBoutArc.cx, o.lowerBoutArc.cy));
    EXPECT_EQ(t.display.passesShown, 1);
}

TEST(PassResult, DerivedTextsRoundAndBlankWhatIsAbsent) {
    DerivedValues v;
    v.tailArcRadius = 40.125f;
    v.waistCentre = DerivedPoint{-1.5f, 2.0f};
    v.venetianPointCentre = DerivedPoint{5.125f, 17.5f};
    const std::array<std::string, 11> texts = derivedValueTexts(v);
    EXPECT_EQ(texts[0], "40.13");
    EXPECT_EQ(texts[1], " ");
    EXPECT_EQ(texts[3], "-1.49,2");  // negative values round toward zero
    EXPECT_EQ(texts[9], "5.13,17.5");
    EXPECT_EQ(outputsOf(OutputKind::Derived)[9], outputs::VENETIAN_POINT_CENTRE);
    EXPECT_TRUE(v.finite());
    v.shoulderArcCentre = DerivedPoint{1.0f, NAN};
    EXPECT_FALSE(v.finite());
}

// A problem names the entries a user would change to fix it, so that the
// window can point at them.
TEST(PassResult, ProblemsNameTheirFields) {
    using namespace fields;
    struct Case {
        const char* what;
        int preset;
        std::function<void(DesignParameters&)> change;
        Check check;
        std::vector<int> fields;
    };
    const Case cases[] = {
        {"waist width",
         8,
         [](DesignParameters& p) { p.waistHalfWidth = 0; },
         Check::WaistWidth,
         {WAIST_WIDTH}},
        {"overlap",
         8,
         [](DesignParameters& p) { p.waistOffset = 15; },
         Check::UpperBoutWaistOverlap,
         {UPPER_BOUT_RADIUS, UPPER_BOUT_WIDTH, WAIST_RADIUS, WAIST_WIDTH}},
        {"string 4",
         8,
         [](DesignParameters& p) { p.stringDiameters[4] = 0; },
         Check::StringDiameter,
         {DIAMETER_4}},
        {"fret count",
         8,
         [](DesignParameters& p) { p.fretCount = 0; },
         Check::FretCount,
         {FRET_COUNT}},
        {"cutaway taper by string spacing",
         6,
         [](DesignParameters& p) {
             p.taperType = STRINGSPACING;
             p.nutWidth = 3;
         },
         Check::CutawayTaper,
         {NUT_WIDTH, BRIDGE_STRING_SPACING, STRING_SETBACK, FIRST_STRING_DIAMETER,
          LAST_STRING_DIAMETER}},
        {"sound hole in the cutaway",
         6,
         [](DesignParameters& p) {
             p.soundHoleXOffset = 2.5f;
             p.soundHoleOffset = 16.3f;
             p.soundHoleDiameter = 2;
         },
         Check::SoundHoleOffSide,
         {SOUND_HOLE_DIAMETER, SOUND_HOLE_X_OFFSET, SOUND_HOLE_OFFSET, CUTAWAY_DEPTH,
          CUTAWAY_WIDTH}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestDocument t;
        loadTexts(t.design, presetTexts(c.preset));
        c.change(t.design.params);
        const PassResult r = t.session.runPass();
        ASSERT_TRUE(r.problem.has_value());
        EXPECT_EQ(r.problem->check, c.check) << r.problem->message;
        EXPECT_EQ(numbers(r.problem->fields), c.fields);
        EXPECT_EQ(statusText(r), r.problem->message);
        EXPECT_FALSE(r.derived.lowerBoutCentre.has_value());  // no values after a problem
    }
}

TEST(PassResult, TheStringNumberCompletesItsMessage) {
    TestDocument t;
    loadTexts(t.design, presetTexts(presetByName("OM")));
    t.design.params.stringDiameters[4] = 0;
    EXPECT_EQ(statusText(t.session.runPass()),
              "Problem: To draw strings, the diameter of each string must be > 0. Diameter of "
              "string 4 is currently <= 0.");
}

}  // namespace
}  // namespace bowlyn
