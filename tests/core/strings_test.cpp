#include "geometry/strings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "neck_test_support.h"

namespace bowlyn {
namespace {

using testing::NeckSteps;

void setStrings(DesignParameters& p, int32_t count, int32_t perCourse, float diameter) {
    p.hasStrings = 1;
    p.hasFretboard = 1;
    p.stringCount = count;
    p.stringsPerCourse = perCourse;
    for (int i = 1; i <= count && i <= MAX_STRINGS; ++i)
        p.stringDiameters[i] = diameter;
}

// A neck 1.75 wide at the nut (y 30) and 2.2 at the bridge (y 5), setback 0.1,
// nut 0.25 thick.
void setNeck(NeckSteps& t) {
    t.neck.treble.nutHalfWidth = 0.875f;
    t.neck.treble.nutY = 30.0f;
    t.neck.treble.bridgeHalfWidth = 1.1f;
    t.neck.treble.bridgeY = 5.0f;
    t.neck.bass = t.neck.treble;
    t.params.stringSetback = 0.1f;
    t.params.nutThickness = 0.25f;
}

// Centre lines painted, one per string, from the last string to string 1.
StrokeList centreLines(const NeckSteps& t) {
    StrokeList lines = t.recorded(StrokeKind::Line, Layer::Strings);
    StrokeList centres;
    for (size_t i = 0; i < lines.size(); i += 3)
        centres.push_back(lines[i]);
    return centres;
}

TEST(StringChecks, EachCheckReportsItsMessage) {
    const char* courses =
        "Problem: To draw strings in courses, the number of strings per course must be the same.";
    struct Case {
        const char* what;
        std::function<void(DesignParameters&)> breakIt;
        std::string message;
    };
    const std::string count =
        "Problem: To draw the strings, the total number of strings must be specified. Value must "
        "be > 0 and <= 16.";
    const Case cases[] = {
        {"none", [](DesignParameters& p) { p.stringCount = 0; }, count},
        {"seventeen", [](DesignParameters& p) { p.stringCount = 17; }, count},
        {"spacing", [](DesignParameters& p) { p.stringsPerCourse = 2; },
         "Problem: To draw strings in courses, the spacing of strings in the course must be "
         "specified. Value must be > 0."},
        {"diameter 3", [](DesignParameters& p) { p.stringDiameters[3] = 0; },
         "Problem: To draw strings, the diameter of each string must be > 0. Diameter of string 3 "
         "is currently <= 0."},
        {"diameter 6 before courses",
         [](DesignParameters& p) {
             p.stringDiameters[6] = -1;
             p.stringsPerCourse = 4;
             p.courseSpacing = 0.1f;
         },
         "Problem: To draw strings, the diameter of each string must be > 0. Diameter of string 6 "
         "is currently <= 0."},
        {"uneven courses",
         [](DesignParameters& p) {
             p.stringCount = 7;
             p.stringDiameters[7] = 0.02f;
             p.stringsPerCourse = 2;
             p.courseSpacing = 0.1f;
         },
         courses},
        {"negative course size", [](DesignParameters& p) { p.stringsPerCourse = -2; }, courses},
        {"most negative course size", [](DesignParameters& p) { p.stringsPerCourse = INT32_MIN; },
         courses},
        {"course larger than the strings",
         [](DesignParameters& p) {
             p.stringsPerCourse = 12;
             p.courseSpacing = 0.1f;
         },
         courses},
    };
    for (const Case& c : cases) {
        NeckSteps t;
        setStrings(t.params, 6, 1, 0.02f);
        c.breakIt(t.params);
        EXPECT_EQ(testing::messageOf(checkStrings(t.params, t.courses)), c.message) << c.what;
    }

    NeckSteps off;  // without strings nothing is checked
    off.params.stringCount = 99;
    EXPECT_EQ(testing::messageOf(checkStrings(off.params, off.courses)), STATUS_OK);
}

TEST(StringChecks, CourseWidths) {
    NeckSteps t;
    DesignParameters& p = t.params;
    setStrings(p, 12, 2, 0.0f);
    p.courseSpacing = 0.1f;
    for (int i = 1; i <= 12; ++i)
        p.stringDiameters[i] = 0.01f * i;
    ASSERT_EQ(testing::messageOf(checkStrings(t.params, t.courses)), STATUS_OK);
    ASSERT_EQ(t.courses.courseCount, 6);
    for (int c = 1; c <= 6; ++c)
        EXPECT_FLOAT_EQ(t.courses.courseWidths[c], 0.01f * (4 * c - 1) + 0.1f) << c;

    p.stringsPerCourse = 0;  // stored as single strings
    ASSERT_EQ(testing::messageOf(checkStrings(t.params, t.courses)), STATUS_OK);
    EXPECT_EQ(p.stringsPerCourse, 1);
    EXPECT_EQ(t.courses.courseCount, 12);
    EXPECT_FLOAT_EQ(t.courses.courseWidths[12], 0.12f);
}

TEST(Strings, CourseGapModes) {
    float widths[MAX_STRINGS + 1] = {0, 0.02f, 0.02f, 0.02f, 0.02f, 0.02f, 0.02f};
    EXPECT_FLOAT_EQ(courseGap(0.875f, 6, widths, 0.1f, GAP_EQUAL), 0.286f);
    EXPECT_FLOAT_EQ(courseGap(1.1f, 6, widths, 0.1f, GAP_CENTRE_TO_CENTRE), 0.396f);
    EXPECT_EQ(courseGap(1.1f, 1, widths, 0.1f, GAP_EQUAL), 0.0f);   // no neighbours
    EXPECT_EQ(courseGap(1.1f, 17, widths, 0.1f, GAP_EQUAL), 0.0f);  // beyond the table
}

TEST(Strings, SixSingleStringsAtNutAndBridge) {
    NeckSteps t;
    setNeck(t);
    setStrings(t.params, 6, 1, 0.02f);
    ASSERT_EQ(testing::messageOf(checkStrings(t.params, t.courses)), STATUS_OK);
    drawStrings(t.drawing, t.params, t.neck, t.courses);

    auto lines = t.recorded(StrokeKind::Line, Layer::Strings);
    ASSERT_EQ(lines.size(), 18u);  // centre line and two edges each
    auto centres = centreLines(t);
    const float nut[] = {-0.765f, -0.459f}, bridge[] = {-0.99f, -0.594f};
    for (int i = 0; i < 2; ++i) {  // strings 6 and 5
        EXPECT_NEAR(centres[i].v[0], nut[i], 1e-6);
        EXPECT_NEAR(centres[i].v[2], bridge[i], 1e-6);
    }
    EXPECT_NEAR(centres[5].v[0], 0.765f, 1e-6);  // string 1
    EXPECT_NEAR(centres[5].v[2], 0.99f, 1e-6);
    EXPECT_EQ(centres[0].v[1], 30.25f);  // from the nut's outer face
    EXPECT_EQ(centres[0].v[3], 5.0f);    // to the bridge line
    // The edges lie half a diameter to either side.
    EXPECT_NEAR(lines[1].v[0], -0.775f, 1e-6);
    EXPECT_NEAR(lines[2].v[2], -0.98f, 1e-6);
}

TEST(Strings, TwelveStringsInCoursesStayTheSpacingApart) {
    NeckSteps t;
    setNeck(t);
    setStrings(t.params, 12, 2, 0.0f);
    t.params.courseSpacing = 0.1f;
    for (int i = 1; i <= 12; ++i)
        t.params.stringDiameters[i] = i <= 6 ? 0.012f : 0.03f;
    ASSERT_EQ(testing::messageOf(checkStrings(t.params, t.courses)), STATUS_OK);
    drawStrings(t.drawing, t.params, t.neck, t.courses);
    auto lines = t.recorded(StrokeKind::Line, Layer::Strings);
    ASSERT_EQ(lines.size(), 36u);
    // Right edge of the first string of each course to the left edge of the
    // second, at the nut and at the bridge.
    for (int c = 0; c < 6; ++c) {
        const Stroke& rightEdge = lines[6 * c + 2];
        const Stroke& leftEdge = lines[6 * c + 4];
        EXPECT_NEAR(leftEdge.v[0] - rightEdge.v[0], 0.1f, 1e-5) << c;
        EXPECT_NEAR(leftEdge.v[2] - rightEdge.v[2], 0.1f, 1e-5) << c;
    }
    // The outermost edges keep the setback at both ends.
    EXPECT_NEAR(lines[1].v[0], -0.775f, 1e-6);
    EXPECT_NEAR(lines[1].v[2], -1.0f, 1e-6);
    EXPECT_NEAR(lines[35].v[0], 0.775f, 1e-5);
}

TEST(Strings, OneStringOnTheCentreLineAndNoneWithoutAFretboard) {
    NeckSteps t;
    setNeck(t);
    setStrings(t.params, 1, 1, 0.05f);
    ASSERT_EQ(testing::messageOf(checkStrings(t.params, t.courses)), STATUS_OK);
    drawStrings(t.drawing, t.params, t.neck, t.courses);
    auto centres = centreLines(t);
    ASSERT_EQ(centres.size(), 1u);
    EXPECT_EQ(centres[0].v[0], 0.0f);
    EXPECT_EQ(centres[0].v[2], 0.0f);

    NeckSteps bare;
    setNeck(bare);
    setStrings(bare.params, 6, 1, 0.02f);
    bare.params.hasFretboard = 0;
    EXPECT_EQ(testing::messageOf(checkStrings(bare.params, bare.courses)), STATUS_OK);
    drawStrings(bare.drawing, bare.params, bare.neck, bare.courses);
    EXPECT_TRUE(bare.entities().empty());
}

}  // namespace
}  // namespace bowlyn
