#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "geometry/overlays.h"
#include "geometry/recompute.h"
#include "render/drawing.h"
#include "test_document.h"
#include "tests/core/test_seed.h"

namespace bowlyn {
namespace {

struct Points : ::testing::Test, testing::TestDocument {
    std::vector<std::pair<double, double>> parse(const std::string& text) {
        parseTransPoints(overlays, text);
        std::vector<std::pair<double, double>> out;
        for (uint32_t i = 1; i <= overlays.transPointCount; ++i) {
            out.emplace_back(overlays.transPoints[i].x, overlays.transPoints[i].y);
        }
        return out;
    }
};

using P = std::vector<std::pair<double, double>>;

TEST_F(Points, AcceptsNumbersWithBlanksAnywhere) {
    EXPECT_EQ(parse("1.5,2"), (P{{1.5, 2}}));
    EXPECT_EQ(parse(" \t1.5 ,\t2  "), (P{{1.5, 2}}));
    EXPECT_EQ(parse("1 . 5,2"), (P{{1.5, 2}}));      // blanks inside a number are left out too
    EXPECT_EQ(parse("1.5,2.25"), (P{{1.5, 2.25}}));  // one point per number
    EXPECT_EQ(parse("-1,4"), (P{{-1, 4}}));
    EXPECT_EQ(parse("7.257,4"), (P{{7.257, 4}}));
}

TEST_F(Points, DropsMalformedLinesAndKeepsTheRestInOrder) {
    const char* bad[] = {"1.5;2",
                         "1,2,3",
                         "1.5.1,2",
                         "1,2.5.1",
                         "1x,2",
                         "1,2a",
                         ",2",
                         "1,",
                         ",",
                         "",
                         "   ",
                         "1.5",
                         "1,2\x01",
                         "1,2\xC3\xA9",
                         "\xEF\xBB\xBF"
                         "1,2",
                         "1e3,2",
                         "(1,2)"};
    for (const char* line : bad) {
        EXPECT_TRUE(parse(line).empty()) << "line: " << line;
        EXPECT_EQ(parse(std::string("3,4\n") + line + "\n5,6"), (P{{3, 4}, {5, 6}}))
            << "line: " << line;
    }
}

TEST_F(Points, ReadsTheLeadingDecimalNumberOfEachPart) {
    EXPECT_EQ(parse("5-3,2+1"), (P{{5, 2}}));
    EXPECT_EQ(parse("-,+"), (P{{0, 0}}));  // a sign alone reads as 0
    EXPECT_EQ(parse(".,."), (P{{0, 0}}));
    EXPECT_EQ(parse("+-5,--1"), (P{{0, 0}}));
    EXPECT_EQ(parse("-.5,+.25"), (P{{-0.5, 0.25}}));
    EXPECT_EQ(parse("3.,007"), (P{{3, 7}}));
    EXPECT_EQ(parse("1-.5,2"), (P{{1, 2}}));
}

TEST_F(Points, NumbersBeyondTheSingleRangeDropTheLine) {
    const std::string max38(38, '9');  // 1e38, still a single
    const std::string over39(39, '9');
    const std::string huge(400, '9');  // an infinity as a double
    EXPECT_EQ(parse(max38 + ",1").size(), 1u);
    EXPECT_TRUE(parse(over39 + ",1").empty());
    EXPECT_TRUE(parse("1," + huge).empty());
    EXPECT_EQ(parse("0." + huge + ",1"), (P{{1, 1}}));  // many decimals round, they don't overflow
    for (uint32_t i = 1; i <= overlays.transPointCount; ++i) {
        EXPECT_TRUE(std::isfinite(overlays.transPoints[i].x));
    }
}

TEST_F(Points, NegativeZeroIsStoredAsZero) {
    parse("-0,-0.0");
    EXPECT_EQ(listTransPoints(overlays), "0,0\n");
}

TEST_F(Points, StoresAtMostAHundredAndEachParseStartsAfresh) {
    std::string text;
    for (int i = 1; i <= 120; ++i)
        text += std::to_string(i) + "," + std::to_string(2 * i) + "\n";
    P points = parse(text);
    ASSERT_EQ(points.size(), 100u);
    EXPECT_EQ(points.front(), (std::pair<double, double>{1, 2}));
    EXPECT_EQ(points.back(), (std::pair<double, double>{100, 200}));

    EXPECT_TRUE(parse("").empty());
    EXPECT_EQ(parse("9,9"), (P{{9, 9}}));
    EXPECT_TRUE(parse("junk").empty());
}

TEST_F(Points, EveryKindOfLineEndSplitsLines) {
    EXPECT_EQ(parse("1,2\r\n3,4\r5,6\n7,8\xE2\x80\xA9"
                    "9,10\n"),
              (P{{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}}));
    EXPECT_EQ(parse("\n\n1,2\n\n"), (P{{1, 2}}));
    EXPECT_TRUE(parse("1,2\xE2\x80\xA8").empty());  // the line separator is not a line end
}

TEST_F(Points, ListsOneLinePerPointWithoutTrailingPoints) {
    parse("7.257,4\n-1.5 , 0.1\n0.30000000000000004,3.");
    EXPECT_EQ(listTransPoints(overlays), "7.257,4\n-1.5,0.1\n0.3,3\n");
    parse("");
    EXPECT_EQ(listTransPoints(overlays), "");
}

// "%.16g" turns to an exponent that the dialog would reject when applied again.
TEST_F(Points, ListsLargeAndSmallValuesWithoutExponent) {
    parse("100000000000000000000,0.000001\n-0.0000123456789,123456789012345678\n" +
          std::string(38, '9') + ",0.1");
    EXPECT_EQ(listTransPoints(overlays),
              "100000000000000000000,0.000001\n-0.0000123456789,"
              "123456789012345700\n1" +
                  std::string(38, '0') + ",0.1\n");
    P before = parse(listTransPoints(overlays));
    EXPECT_EQ(parse(listTransPoints(overlays)), before);
    ASSERT_EQ(before.size(), 3u);
    EXPECT_EQ(before[0], (std::pair<double, double>{1e20, 1e-6}));
}

TEST_F(Points, DrawsSquaresWhereTypedOnlyInTheWorkingDrawing) {
    Drawing d;
    d.view.fit(20.0f, 8.0f);
    parse("-1,4\n3,10");
    overlays.showTransPoints = true;
    drawTransPoints(d, overlays);
    EXPECT_TRUE(recordedStrokes(d.strokes).empty());
    DrawingSurface image;
    image.paint(d.strokes, d.view);

    auto isPointColour = [&](float x, float y) {
        d.view.toPixel(x, y);
        uint32_t c = image.pixel(static_cast<int>(x), static_cast<int>(y));
        int r = (c >> 16) & 0xff, g = (c >> 8) & 0xff, b = c & 0xff;
        return std::abs(r - 140) <= 1 && g == 255 && b == 0;
    };
    EXPECT_TRUE(isPointColour(-1, 4));
    EXPECT_FALSE(isPointColour(1, 4));  // never mirrored
    EXPECT_TRUE(isPointColour(3, 10));

    // Hidden, or in the final drawing of a pass, they are not drawn.
    auto pointStrokes = [](const StrokeList& strokes) {
        return std::count_if(strokes.begin(), strokes.end(),
                             [](const Stroke& s) { return s.style == &styleTransPoint; });
    };
    design.params.bodyLength = 20.0f;
    design.params.lowerBoutHalfWidth = 8.0f;  // the pass stops after the points
    EXPECT_EQ(pointStrokes(recompute(design.params, overlays, DrawingMode::Working).strokes), 2);
    EXPECT_EQ(pointStrokes(recompute(design.params, overlays, DrawingMode::Final).strokes), 0);
    overlays.showTransPoints = false;
    EXPECT_EQ(pointStrokes(recompute(design.params, overlays, DrawingMode::Working).strokes), 0);
}

// Random texts built mostly from the characters the format uses, with some
// arbitrary bytes: never more than 100 points, every point finite, and the
// listing reads back to the same points.
TEST_F(Points, RandomTextsGiveFiniteListablePoints) {
    const unsigned seed = test::randomTestSeed();
    SCOPED_TRACE("BOWLYN_TEST_SEED=" + std::to_string(seed));
    std::mt19937 rng(seed);
    const std::string alphabet = "0123456789012345678901234567890123456789..,,,+- \t\n\n\n\r";
    for (int round = 0; round < 400; ++round) {
        std::string text;
        const int length = std::uniform_int_distribution<int>(0, 3000)(rng);
        for (int i = 0; i < length; ++i) {
            if (rng() % 50 == 0) {
                text += static_cast<char>(rng() % 256);
            } else {
                text += alphabet[rng() % alphabet.size()];
            }
        }
        parseTransPoints(overlays, text);
        ASSERT_LE(overlays.transPointCount, TRANS_POINT_CAPACITY);
        std::vector<TransPoint> first(overlays.transPoints.begin() + 1,
                                      overlays.transPoints.begin() + 1 + overlays.transPointCount);
        parseTransPoints(overlays, listTransPoints(overlays));
        ASSERT_EQ(overlays.transPointCount, first.size()) << text;
        for (size_t i = 0; i < first.size(); ++i) {
            const TransPoint& again = overlays.transPoints[i + 1];
            ASSERT_TRUE(std::isfinite(first[i].x) && std::isfinite(first[i].y));
            EXPECT_NEAR(again.x, first[i].x, std::fabs(first[i].x) * 1e-15);
            EXPECT_NEAR(again.y, first[i].y, std::fabs(first[i].y) * 1e-15);
        }
    }
}

TEST_F(Points, LargeTextsParseInBoundedTime) {
    using Clock = std::chrono::steady_clock;
    const std::string texts[] = {
        std::string(8 << 20, '7') + ",1",  // one line of 8 MB of digits
        "1," + std::string(8 << 20, '.'),  // rejected at its second point
        std::string(2'000'000, '\n'),      // two million empty lines
        [] {
            std::string s;
            for (int i = 0; i < 1'000'000; ++i)
                s += "1,2x\r\n";  // all rejected
            return s + "1,2";
        }(),
        [] {
            std::string s;
            for (int i = 0; i < 1'000'000; ++i)
                s += " 12.5 , 7\n";  // 100 taken
            return s;
        }(),
    };
    for (const std::string& text : texts) {
        auto start = Clock::now();
        parseTransPoints(overlays, text);
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        // Linear work takes a second at most even in the sanitizer build;
        // anything quadratic in 8 MB would take hours.
        EXPECT_LT(seconds, 30.0) << text.size() << " bytes";
        EXPECT_LE(overlays.transPointCount, TRANS_POINT_CAPACITY);
    }
    EXPECT_EQ(overlays.transPointCount, 100u);
}

}  // namespace
}  // namespace bowlyn
