#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "body_designs.h"
#include "geometry/pass_texts.h"

namespace bowlyn {
namespace {

using testing::setOmBody;
using testing::TestDocument;

std::string status(const TestDocument& t) {
    return t.status();
}

TEST(Recompute, OmBodyPassesAndCompletesTheOutline) {
    TestDocument t;
    setOmBody(t.design.params);
    EXPECT_TRUE(t.session.runPass().ok());
    EXPECT_EQ(status(t), "Status: OK");
    EXPECT_TRUE(t.session.complete());
    EXPECT_EQ(t.display.passesShown, 1);  // once, when the pass is done
}

TEST(Recompute, ClearedDesignStopsAtTheFirstCheckAndKeepsTheView) {
    TestDocument t;
    setOmBody(t.design.params);
    ASSERT_TRUE(t.session.runPass().ok());
    const ViewTransform fitted = t.session.fittedView();
    t.design.params = DesignParameters{};
    t.session.runPass();
    EXPECT_EQ(status(t),
              "Problem: Both the body length and the lower bout width must be specified. Values "
              "must be > 0.");
    EXPECT_FALSE(t.session.complete());
    EXPECT_FALSE(t.last().view.has_value());
    EXPECT_EQ(t.session.fittedView().scaleX, fitted.scaleX);
    EXPECT_EQ(t.session.fittedView().originY, fitted.originY);
    EXPECT_EQ(t.display.passesShown, 2);  // shown on the early way out too
}

struct MessageCase {
    int number;
    std::function<void(DesignParameters&)> change;
    const char* message;
};

// Valid on its own; made to fail check 24 only by the case below.
void setTouchingBouts(DesignParameters& p) {
    p = DesignParameters{};
    p.bodyLength = 20;
    p.lowerBoutHalfWidth = 7.5f;
    p.lowerBoutRadius = 7;
    p.upperBoutHalfWidth = 7.5f;
    p.upperBoutRadius = 7;
    p.waistHalfWidth = 7.5f;
    p.waistRadius = 1;
    p.waistOffset = 10;
}

const MessageCase messageCases[] = {
    {1, [](DesignParameters& p) { p.lowerBoutHalfWidth = 0; },
     "Problem: Both the body length and the lower bout width must be specified. Values must be > "
     "0."},
    {2, [](DesignParameters& p) { p.bodyLength = 0; },
     "Problem: Both the body length and the lower bout width must be specified. Given the lower "
     "bout width specified, reccommended length is between 18.6 and 23.1."},
    {3, [](DesignParameters& p) { p.lowerBoutRadiusIncrement = -1; },
     "Problem: The value for the radius increment of the secondary arc of the lower bout must be "
     ">= 0."},
    {4, [](DesignParameters& p) { p.lowerBoutRadius = 0; },
     "Problem: A value for the radius of the primary arc of the lower bout must be specified. The "
     "value must be > 0."},
    {5, [](DesignParameters& p) { p.lowerBoutRadius = 7.51f; },
     "Problem: The radius of the primary arc of the lower bout must be less than half the width "
     "of the body across the lower bout."},
    {6, [](DesignParameters& p) { p.bodyLength = 10; },
     "Problem: The radius of the primary arc of the lower bout must be less than half the length "
     "of the body."},
    {7, [](DesignParameters& p) { p.lowerBoutOffset = 9.2f; },
     "Problem: The radius of the primary arc of the lower bout * 2 plus the offset of the lower "
     "bout must be less than the length of the body."},
    {8, [](DesignParameters& p) { p.upperBoutRadiusIncrement = -1; },
     "Problem: The value for the radius increment of the secondary arc of the upper bout must be "
     ">= 0."},
    {9, [](DesignParameters& p) { p.upperBoutRadius = 0; },
     "Problem: A value for the radius of the primary arc of the upper bout must be specified. The "
     "value must be > 0."},
    {10, [](DesignParameters& p) { p.upperBoutRadius = 7.6f; },
     "Problem: The radius of the primary arc of the upper bout must be less than half the width "
     "of the body across the lower bout."},
    {11,
     [](DesignParameters& p) {
         p.bodyLength = 14;
         p.upperBoutRadius = 7.2f;
     },
     "Problem: The radius of the primary arc of the upper bout must be less than half the length "
     "of the body."},
    {12, [](DesignParameters& p) { p.upperBoutOffset = 14; },
     "Problem: The radius of the primary arc of the upper bout * 2 plus the offset of the upper "
     "bout must be less than the length of the body."},
    {13, [](DesignParameters& p) { p.waistRadius = 0; },
     "Problem: A value for the radius of the primary arc of the waist must be specified. The "
     "value must be > 0."},
    {14, [](DesignParameters& p) { p.waistHalfWidth = 0; },
     "Problem: A value for the width of waist must be specified. The value must be > 0."},
    {15, [](DesignParameters& p) { p.waistOffset = 0; },
     "Problem: A value for the offset from the tail end of the body to the waist must be "
     "specified. The value must be > 0."},
    {16, [](DesignParameters& p) { p.waistOffset = 19.41f; },
     "Problem: The offset from the tail end of the body to the waist must be shorter than the "
     "length of the body."},
    {17, [](DesignParameters& p) { p.lowerBoutOffset = -0.5f; },
     "Problem: The offset from the tail end to the lower bout arc must be >= 0."},
    {18, [](DesignParameters& p) { p.upperBoutOffset = -0.5f; },
     "Problem: The offset from the neck end to the upper bout arc must be >= 0."},
    {19, [](DesignParameters& p) { p.neckFlatHalfLength = -1; },
     "Problem: If a flat at the neck end of the body is specified it must be > 0 and shorter than "
     "the width of the instrument."},
    {19, [](DesignParameters& p) { p.neckFlatHalfLength = 5.63f; },
     "Problem: If a flat at the neck end of the body is specified it must be > 0 and shorter than "
     "the width of the instrument."},
    {20, [](DesignParameters& p) { p.waistOffset = 15; },
     "Problem: The upper bout arc and the waist arc cannot overlap. The radius or width values of "
     "one or both must be changed."},
    {21, [](DesignParameters& p) { p.upperBoutRadiusIncrement = 3.5f; },
     "Problem: The secondary upper bout arc and the waist arc cannot overlap. The radius or width "
     "values of one or both must be changed."},
    {22, [](DesignParameters& p) { p.waistOffset = 10; },
     "Problem: The lower bout arc and the waist arc cannot overlap. The radius or width values of "
     "one or both must be changed."},
    {23, [](DesignParameters& p) { p.lowerBoutRadiusIncrement = 4; },
     "Problem: The secondary lower bout arc and the waist arc cannot overlap. The radius or width "
     "values of one or both must be changed."},
    {24, [](DesignParameters& p) { setTouchingBouts(p); },
     "Problem: The lower bout arc and the upper bout arc cannot overlap. The radius or width "
     "values of one or both must be changed."},
    {25, [](DesignParameters& p) { p.waistHalfWidth = 5.7f; },
     "Problem: The waist width cannot exceed that of the upper bout. The radius or width values "
     "of one or both must be changed."},
    {26,
     [](DesignParameters& p) {
         p.upperBoutHalfWidth = 7.6f;
         p.waistHalfWidth = 7.55f;
     },
     "Problem: The waist width cannot exceed that of the lower bout. The radius or width values "
     "of one or both must be changed."},
    {27,
     [](DesignParameters& p) {
         p.upperBoutOffset = 0;
         p.neckFlatHalfLength = 3;
     },
     "Problem: A valid neck flat can't be drawn with these values. Decrease the length of the "
     "neck flat, or increase the upper bout width."},
    {28, [](DesignParameters& p) { p.neckFlatHalfLength = 3; },
     "Problem: A valid shoulder arc can't be drawn with these values. Decrease the length of the "
     "neck flat, or decrease the upper bout offset."},
    {29, [](DesignParameters& p) { p.soundHoleOffset = 17.47f; },
     "Problem: The specified sound hole diameter and offset places the sound hole off of the "
     "body."},
    {29, [](DesignParameters& p) { p.soundHoleOffset = 1.93f; },
     "Problem: The specified sound hole diameter and offset places the sound hole off of the "
     "body."},
};

// Check n of the body is the n-th value of Check.
TEST(Recompute, EveryBodyCheckReportsItsOwnProblem) {
    for (const MessageCase& c : messageCases) {
        SCOPED_TRACE("message " + std::to_string(c.number));
        TestDocument t;
        setOmBody(t.design.params);
        c.change(t.design.params);
        const PassResult result = t.session.runPass();
        ASSERT_TRUE(result.problem.has_value());
        EXPECT_EQ(result.problem->check, static_cast<Check>(c.number - 1));
        EXPECT_EQ(result.problem->message, c.message);
        EXPECT_FALSE(result.problem->fields.empty());
        EXPECT_EQ(status(t), c.message);
        EXPECT_FALSE(t.session.complete());
        for (const std::string& label : t.labels())
            EXPECT_EQ(label, " ");
    }
}

const char* messageNumber(int number) {
    for (const MessageCase& c : messageCases) {
        if (c.number == number)
            return c.message;
    }
    return "";
}

// Equalities pass everywhere; each case must get past the named check.
TEST(Recompute, BoundaryValuesPassTheirCheck) {
    struct Boundary {
        int check;
        std::function<void(DesignParameters&)> change;
    };
    const Boundary boundaries[] = {
        {5, [](DesignParameters& p) { p.lowerBoutRadius = 7.5f; }},
        {10, [](DesignParameters& p) { p.upperBoutRadius = 5.7f; }},  // wider than hUB only
        {19, [](DesignParameters& p) { p.neckFlatHalfLength = 0; }},
        {19, [](DesignParameters& p) { p.neckFlatHalfLength = 5.625f; }},
        {29,
         [](DesignParameters& p) {
             p.soundHoleDiameter = 4;
             p.soundHoleOffset = 2;
         }},
        {29,
         [](DesignParameters& p) {
             p.soundHoleDiameter = 0;
             p.soundHoleOffset = 0;
         }},
        {20,
         [](DesignParameters& p) {  // centres (3, 17) and (6, 13), 5 apart, radii 2 + 3
             p.bodyLength = 19;
             p.upperBoutHalfWidth = 5;
             p.upperBoutRadius = 2;
             p.upperBoutOffset = 0;
             p.upperBoutRadiusIncrement = 0;
             p.lowerBoutRadiusIncrement = 0;
             p.neckFlatHalfLength = 0;
             p.waistHalfWidth = 3;
             p.waistRadius = 3;
             p.waistOffset = 13;
         }},
    };
    for (const Boundary& b : boundaries) {
        SCOPED_TRACE("check " + std::to_string(b.check));
        TestDocument t;
        setOmBody(t.design.params);
        b.change(t.design.params);
        t.session.runPass();
        EXPECT_NE(status(t), messageNumber(b.check));
    }
    // The touching arcs make a complete outline.
    TestDocument t;
    setOmBody(t.design.params);
    boundaries[6].change(t.design.params);
    t.session.runPass();
    EXPECT_EQ(status(t), "Status: OK");
}

TEST(Recompute, SoundHoleJustOffTheTailFails) {
    TestDocument t;
    setOmBody(t.design.params);
    t.design.params.soundHoleDiameter = 4;
    t.design.params.soundHoleOffset = 1.99f;
    t.session.runPass();
    EXPECT_NE(status(t).find("sound hole"), std::string::npos);
}

TEST(Recompute, RecommendedLengthRange) {
    const std::string prefix =
        "Problem: Both the body length and the lower bout width must be specified. Given the "
        "lower bout width specified, reccommended length is between ";
    TestDocument t;
    t.design.params.lowerBoutHalfWidth = 8;
    t.session.runPass();
    EXPECT_EQ(status(t), prefix + "19.84 and 24.64.");
    t.design.params.lowerBoutHalfWidth = 7.92f;
    t.session.runPass();
    EXPECT_EQ(status(t), prefix + "19.64 and 24.39.");
    t.design.params.lowerBoutHalfWidth = 5;
    t.session.runPass();
    EXPECT_EQ(status(t), prefix + "12.4 and 15.4.");
}

TEST(Recompute, BlankForgetsThePassShown) {
    TestDocument t;
    setOmBody(t.design.params);
    t.session.runPass();
    ASSERT_NE(t.label(outputs::LOWER_BOUT_CENTRE), " ");
    t.session.blank();
    EXPECT_EQ(status(t), "Status: OK");
    EXPECT_EQ(t.display.blanks, 1);
    // Nothing left to export, nothing drawn.
    EXPECT_FALSE(t.session.complete());
    EXPECT_FALSE(t.session.passShown());
    EXPECT_EQ(t.session.pass(), nullptr);
}

TEST(Recompute, AFailingStepperClickClearsTheCompleteFlag) {
    TestDocument t;
    setOmBody(t.design.params);
    t.session.runPass();
    ASSERT_TRUE(t.session.complete());
    t.design.params.waistOffset = 30;
    t.session.runPass();
    EXPECT_FALSE(t.session.complete());
}

}  // namespace
}  // namespace bowlyn
