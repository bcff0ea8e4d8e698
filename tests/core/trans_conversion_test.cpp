#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "geometry/overlays.h"
#include "geometry/pass_texts.h"
#include "model/field_table.h"
#include "model/form_editing.h"
#include "model/number_text.h"
#include "model/presets.h"
#include "test_document.h"
#include "tests/core/test_seed.h"

namespace bowlyn {
namespace {

struct Conversion : ::testing::Test, testing::TestDocument {
    std::optional<FieldTexts> converted;

    // Parses the points and converts them; the design that results is loaded
    // as the window loads it.
    void convert(const std::string& points) {
        parseTransPoints(overlays, points);
        converted = convertTransPoints(overlays);
        if (converted)
            session.load(*converted, "");
    }
    // The converted design's texts by label.
    std::string text(const char* label) const {
        return converted ? (*converted)[fieldByLabel(label) - 1] : "(none)";
    }
    // Labels of the fields the conversion did not leave blank.
    std::vector<std::string> setFields() const {
        std::vector<std::string> set;
        for (int k = 1; converted && k <= FIELD_COUNT; ++k) {
            if ((*converted)[k - 1] != " ")
                set.push_back(field(k).label);
        }
        return set;
    }
};

using Labels = std::vector<std::string>;

TEST(CircleThroughPoints, FindsTheCircleOrNone) {
    double cx = 0, cy = 0;
    EXPECT_DOUBLE_EQ(circleThroughPoints(0, 0, 1, 1, 2, 0, cx, cy), 1.0);
    EXPECT_DOUBLE_EQ(cx, 1.0);
    EXPECT_NEAR(cy, 0.0, 1e-15);
    EXPECT_NEAR(circleThroughPoints(5, 9, 6, 6, 4, 2, cx, cy), 5.0, 1e-12);
    EXPECT_NEAR(cx, 1.0, 1e-12);
    EXPECT_NEAR(cy, 6.0, 1e-12);
    EXPECT_EQ(circleThroughPoints(1, 1, 2, 2, 3, 3, cx, cy), 0.0);  // on a line
    EXPECT_EQ(circleThroughPoints(1, 5, 2, 5, 3, 7, cx, cy), 0.0);  // first two level
    EXPECT_EQ(circleThroughPoints(1, 1, 1, 1, 1, 1, cx, cy), 0.0);
}

TEST_F(Conversion, NoUsablePointsChangeNothing) {
    loadTexts(design, presetTexts(presetByName("OM")));
    for (const char* points : {"", "-1,4\n2,-3\n-0.5,-0.5", "junk"}) {
        convert(points);
        EXPECT_FALSE(converted.has_value()) << points;
        EXPECT_EQ(design.text(fields::NAME), "OM") << points;
        EXPECT_EQ(design.text(fields::BODY_LENGTH), "19.4") << points;
    }
}

TEST_F(Conversion, SinglePointGivesOnlyTheBodyLength) {
    convert("3,10");
    EXPECT_EQ(setFields(), (Labels{"Body length"}));
    EXPECT_EQ(text("Body length"), "10");
}

// Half widths measured on a lower bout circle centred (1, 6) with radius 5, a
// waist circle centred (8, 12) with radius 4 and an upper bout circle centred
// (3.6, 16) with radius 2, entered in no particular order with repeats and
// with points that have a negative coordinate.
TEST_F(Conversion, FindsTheThreeBoutsOfAFullOutline) {
    convert(
        "4.8,17.6\n0,0\n6,6\n1,1\n-3,25\n4,2\n5,9\n5,9\n4.8,9.6\n4,12\n4.8,14.4\n"
        "5.6,16\n1,-1\n1.5,19.5\n4,2\n");
    EXPECT_EQ(text("Body length"), "19.5");
    EXPECT_EQ(text("Lower bout width"), "12");
    EXPECT_EQ(text("Lower bout radius"), "5");
    EXPECT_EQ(text("Lower bout offset"), "1");
    EXPECT_EQ(text("Waist width"), "8");
    EXPECT_EQ(text("Waist offset"), "12");
    EXPECT_EQ(text("Waist radius"), "4");
    EXPECT_EQ(text("Upper bout width"), "11.2");
    EXPECT_EQ(text("Upper bout radius"), "2");
    EXPECT_EQ(text("Upper bout offset"), "1.5");
    EXPECT_EQ(setFields().size(), 10u);
}

TEST_F(Conversion, OffsetsShowTheDigitsOfTheRoundedSingle) {
    convert("0,0\n4,2.234\n6,6.234\n5,9.234");
    EXPECT_EQ(text("Lower bout radius"), "5");
    EXPECT_EQ(text("Lower bout offset"), "1.233999967575073");
}

TEST_F(Conversion, RadiiBeyondTheBoutHeightAreCapped) {
    // Widening all the way: the circle closes on the tail point (0, 0) with
    // radius 12.75, more than the height 6 of the widest point.
    convert("1,1\n2,3\n3,6");
    EXPECT_EQ(setFields(), (Labels{"Body length", "Lower bout width", "Lower bout radius",
                                   "Lower bout offset"}));
    EXPECT_EQ(text("Lower bout radius"), "6");
    EXPECT_EQ(text("Lower bout offset"), "0");

    // The upper bout circle (radius 2) is larger than the 1.75 left above it.
    convert("0,0\n6,6\n4,2\n5,9\n4,12\n4.8,14.4\n5.6,16\n4.8,17.6\n1.5,17.75");
    EXPECT_EQ(text("Upper bout radius"), "1.75");
    EXPECT_EQ(text("Upper bout offset"), "0");
}

TEST_F(Conversion, LevelPointsLeaveTheRadiusBlankAndTiesTakeTheLaterPointFirst) {
    // Of two points at one height the later entered one comes first, so the
    // point after the widest one is level with it: no circle.
    convert("1,1\n2,5\n3,5");
    EXPECT_EQ(text("Lower bout width"), "6");
    EXPECT_EQ(text("Lower bout radius"), " ");
    EXPECT_EQ(text("Lower bout offset"), " ");

    convert("1,1\n3,5\n2,5");  // now (3, 5) is last and the circle closes on the tail
    EXPECT_EQ(text("Lower bout width"), "6");
    EXPECT_NE(text("Lower bout radius"), " ");
}

TEST_F(Conversion, ShortRunsLeaveLaterBoutsBlank) {
    convert("1,1\n4,2\n6,6\n5,9");  // widest found, but too few points for a waist
    EXPECT_EQ(setFields(), (Labels{"Body length", "Lower bout width", "Lower bout radius",
                                   "Lower bout offset"}));
    convert("6,1\n5,2\n4,3\n5,4");  // narrowing from the first point: no lower bout
    EXPECT_EQ(text("Lower bout width"), " ");
    EXPECT_EQ(text("Waist width"), "8");
}

TEST_F(Conversion, LoadsTheDesignWithoutDrawingIt) {
    session.mode = DrawingMode::Final;
    session.showStatus("Problem: old");
    loadTexts(design, presetTexts(4));  // centimetres, with a cutaway-free classical body
    convert("0,0\n6,6\n1,1\n4,2\n5,9\n4.8,9.6\n4,12\n4.8,14.4\n5.6,16\n4.8,17.6\n1.5,19.5");
    EXPECT_FLOAT_EQ(design.params.bodyLength, 19.5f);
    EXPECT_FLOAT_EQ(design.params.lowerBoutHalfWidth, 6.0f);
    EXPECT_FLOAT_EQ(design.params.waistHalfWidth, 4.0f);
    EXPECT_FLOAT_EQ(design.params.upperBoutHalfWidth, 5.6f);
    EXPECT_FLOAT_EQ(design.params.upperBoutOffset, 1.5f);
    EXPECT_FLOAT_EQ(design.params.scaleLength, 0.0f);
    EXPECT_EQ(design.params.units, UNITS_INCH);
    EXPECT_EQ(design.text(fields::LOWER_BOUT_WIDTH), "12");
    EXPECT_EQ(design.text(fields::NAME), " ");
    EXPECT_EQ(status(), STATUS_OK);
    EXPECT_EQ(session.mode, DrawingMode::Final);
    EXPECT_EQ(overlays.transPointCount, 11u);  // the points stay
}

// Whatever the points, every field is blank or a finite number that a single
// holds, so no infinity or NaN reaches an entry.
TEST_F(Conversion, AnyPointsGiveFiniteTexts) {
    const unsigned seed = test::randomTestSeed();
    SCOPED_TRACE("BOWLYN_TEST_SEED=" + std::to_string(seed));
    std::mt19937 rng(seed);
    // Plain decimals of 1 to 39 digits: tiny, ordinary and up to the single range.
    auto coordinate = [&] {
        if (rng() % 4 == 0)
            return std::to_string(rng() % 5);  // level and repeated points
        std::string digits;
        const int length = std::uniform_int_distribution<int>(1, 39)(rng);
        for (int i = 0; i < length; ++i)
            digits += static_cast<char>('0' + rng() % 10);
        if (rng() % 2)
            digits.insert(rng() % (digits.size() + 1), ".");
        return digits;
    };
    for (int round = 0; round < 2000; ++round) {
        std::string points;
        const int count = std::uniform_int_distribution<int>(1, 20)(rng);
        for (int i = 0; i < count; ++i)
            points += coordinate() + "," + coordinate() + "\n";
        convert(points);
        for (int k = 1; converted && k <= FIELD_COUNT; ++k) {
            const std::string& t = (*converted)[k - 1];
            if (t == " ")
                continue;
            EXPECT_EQ(t.find_first_of("naif"), std::string::npos) << t << "\n" << points;
            EXPECT_TRUE(std::isfinite(static_cast<float>(readNumber(t)))) << t << "\n" << points;
        }
    }
}

// Half width of the solved outline at height y: where the horizontal line
// meets the arcs and segments of the right half.
double halfWidthAt(const BodyOutline& o, double y) {
    const double turn = 2 * M_PI;
    double best = -1;
    for (const OutlineArc* a : {&o.tailArc, &o.lowerBoutSecondaryArc, &o.lowerBoutArc, &o.waistArc,
                                &o.upperBoutSecondaryArc, &o.upperBoutArc, &o.shoulderArc}) {
        double dy = y - a->cy;
        if (a->r <= 0 || a->start == a->end || std::fabs(dy) > a->r)
            continue;
        double span = std::fmod(a->end - a->start + 2 * turn, turn);
        for (double sign : {-1.0, 1.0}) {
            double x = a->cx + sign * std::sqrt(a->r * a->r - dy * dy);
            double along = std::fmod(std::atan2(dy, x - a->cx) - a->start + 2 * turn, turn);
            if (along <= span + 1e-6 && x >= 0)
                best = std::max(best, x);
        }
    }
    for (const OutlineSegment* s : {&o.lowerTangent, &o.upperTangent}) {
        if (s->y1 == s->y2 || (y - s->y1) * (y - s->y2) > 0)
            continue;
        best = std::max(best, s->x1 + (s->x2 - s->x1) * (y - s->y1) / (s->y2 - s->y1));
    }
    return best;
}

// Points traced along the right half of a drawn preset, from the tail up,
// make a design that draws without a problem and keeps the main dimensions.
TEST_F(Conversion, PointsTracedFromAPresetGiveAWorkingDesign) {
    loadTexts(design, presetTexts(8));  // OM
    for (int f : {fields::HAS_FRETBOARD, fields::HAS_STRINGS})
        setFieldText(design, f, "0");
    session.runPass();
    ASSERT_EQ(status(), STATUS_OK);
    const float length = design.params.bodyLength;
    std::string points = "0,0\n";
    const int steps = 60;
    for (int i = 1; i < steps; ++i) {
        double y = length * i / steps;
        double x = halfWidthAt(last().outline.outline, y);
        ASSERT_GT(x, 0) << "no outline at height " << y;
        points += doubleToText(std::round(x * 1000) / 1000) + "," +
                  doubleToText(std::round(y * 1000) / 1000) + "\n";
    }
    points += doubleToText(design.params.neckFlatHalfLength) + "," + doubleToText(length) + "\n";

    convert(points);
    EXPECT_FLOAT_EQ(design.params.bodyLength, length);
    EXPECT_NEAR(design.params.lowerBoutHalfWidth, 7.5, 0.01);
    EXPECT_NEAR(design.params.waistHalfWidth, 9.38 / 2, 0.01);
    EXPECT_NEAR(design.params.upperBoutHalfWidth, 11.25 / 2, 0.01);
    session.runPass();
    EXPECT_EQ(status(), STATUS_OK) << points;
    EXPECT_TRUE(session.complete());
}

}  // namespace
}  // namespace bowlyn
