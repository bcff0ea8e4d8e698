// The depths and the top's thickness as typed: numbers and fractions as the
// entries take them, blank as no value, anything else refused by name.
#include "model/depth_settings.h"

#include <gtest/gtest.h>

#include "model/field_table.h"

namespace bowlyn {
namespace {

constexpr double BODY = 20.0;  // the body length the depths are read against

TEST(DepthSettings, NumbersAndFractionsAreReadBlankIsNoValue) {
    DepthSettings s = readDepthSettings(" 4.875 ", "4 7/8", "0.11", BODY);
    EXPECT_EQ(s.problem, "");
    EXPECT_EQ(*s.tail, 4.875);
    EXPECT_EQ(*s.neck, 4.875);
    EXPECT_EQ(*s.topThickness, 0.11f);  // stored as a single, as every field
    EXPECT_TRUE(s.hasDepths());

    // A neck deeper than the tail and a top of no thickness are allowed.
    s = readDepthSettings("3.25", "4", "0", BODY);
    EXPECT_EQ(s.problem, "");
    EXPECT_TRUE(s.hasDepths());
    EXPECT_EQ(*s.topThickness, 0.0);
    EXPECT_EQ(*readDepthSettings("1e1", "+2.5D0", "", BODY).neck, 2.5);

    s = readDepthSettings("", "  ", "", BODY);
    EXPECT_EQ(s.problem, "");
    EXPECT_FALSE(s.tail || s.neck || s.topThickness);
    EXPECT_FALSE(s.hasDepths());
    // A depth of 0 is no body to measure, but no mistake either.
    EXPECT_FALSE(readDepthSettings("4", "0", "", BODY).hasDepths());
}

TEST(DepthSettings, WrongTextsAreRefusedNamingTheirField) {
    const struct {
        const char *tail, *neck, *top, *problem;
    } cases[] = {
        {"abc", "4", "", "Body depth at tail must be a number, not 'abc'."},
        {"4", "4abc", "", "Body depth at neck must be a number, not '4abc'."},
        {"4", "&H10", "", "Body depth at neck must be a number, not '&H10'."},
        {"4", "4", "0,11", "Top thickness must be a number, not '0,11'."},
        {"4", "4", "1/0 x", "Top thickness must be a number, not '1/0 x'."},
        {"4", "4", "0/0", "Top thickness must be a number, not '0/0'."},
        {"-4", "4", "", "Body depth at tail must be 0 or more, not '-4'."},
        {"4", "4", "-0.1", "Top thickness must be 0 or more, not '-0.1'."},
        {"1e39", "4", "", "Body depth at tail is too large: '1e39'."},
        {"4", "1e400", "", "Body depth at neck is too large: '1e400'."},
        {"4", "4", "1/0", "Top thickness is too large: '1/0'."},
        {"3.4e38", "4", "", "Body depth at tail must be at most the body length, not '3.4e38'."},
        {"20", "20.01", "", "Body depth at neck must be at most the body length, not '20.01'."},
    };
    for (const auto& c : cases) {
        const DepthSettings s = readDepthSettings(c.tail, c.neck, c.top, BODY);
        EXPECT_EQ(s.problem, c.problem);
        // The same in parts, for the window's own name of the field.
        EXPECT_EQ(field(s.problemField).label + (" " + s.problemReason), c.problem);
        EXPECT_FALSE(s.hasDepths() && s.topThickness) << c.problem;
    }
}

}  // namespace
}  // namespace bowlyn
