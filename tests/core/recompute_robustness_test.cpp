#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <string>

#include "body_designs.h"
#include "geometry/recompute.h"
#include "model/number_text.h"

namespace bowlyn {
namespace {

using testing::setDreadnoughtBody;
using testing::setOmBody;
using testing::TestDocument;

const char* const wildTexts[] = {
    "1e39",   "-1e40",   "0/0",  "&HFFFFFFFF", "1/0", "-1/0",           "1e-45",
    "3.4e38", "-3.4e38", "1e38", "1e-39",      "&B1", "&O777777777777", "7 1/0",
    "1e308",  "-0",      " ",    "abc",        "2e",  "99999999",
};

bool hasNonFiniteText(const std::string& s) {
    return s.find("inf") != std::string::npos || s.find("nan") != std::string::npos;
}

float* bodyField(DesignParameters& p, int i) {
    float* const fields[] = {
        &p.bodyLength,
        &p.lowerBoutHalfWidth,
        &p.lowerBoutRadius,
        &p.lowerBoutOffset,
        &p.lowerBoutRadiusIncrement,
        &p.upperBoutHalfWidth,
        &p.upperBoutRadius,
        &p.upperBoutOffset,
        &p.upperBoutRadiusIncrement,
        &p.waistHalfWidth,
        &p.waistRadius,
        &p.waistOffset,
        &p.neckFlatHalfLength,
        &p.soundHoleDiameter,
        &p.soundHoleOffset,
        &p.soundHoleXOffset,
    };
    return fields[i];
}
constexpr int BODY_FIELDS = 16;

// Thousands of random designs, from near-presets to nonsense typed into the
// form. No pass may crash or hang, and a pass that ends "Status: OK" must
// have recorded and shown only finite numbers.
TEST(RecomputeRobustness, RandomDesigns) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> scale(0.5f, 1.5f);
    std::uniform_real_distribution<float> nudge(0.95f, 1.05f);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::uniform_int_distribution<int> wild(0, std::size(wildTexts) - 1);

    TestDocument t;
    int ok = 0;
    const int passes = 2400;
    auto slowest = std::chrono::duration<double>::zero();
    for (int i = 0; i < passes; ++i) {
        DesignParameters& p = t.doc.params;
        if (i % 2) {
            setOmBody(p);
        } else {
            setDreadnoughtBody(p);
        }
        // Every third design stays close to its preset and mostly draws.
        const bool gentle = i % 3 == 0;
        const float wildShare = gentle ? 0.0f : 0.15f;
        const float oddShare = gentle ? 0.0f : 0.1f;
        for (int f = 0; f < BODY_FIELDS; ++f) {
            float* v = bodyField(p, f);
            const float r = unit(rng);
            if (r < wildShare) {
                *v = parseDimension(wildTexts[wild(rng)]);
            } else if (r < wildShare + oddShare / 2) {
                *v = 0.0f;
            } else if (r < wildShare + oddShare) {
                *v = unit(rng) * 20.0f - 2.0f;
            } else {
                *v *= gentle ? nudge(rng) : scale(rng);
            }
        }
        p.units = i % 5 == 0 ? UNITS_CM : UNITS_INCH;
        t.doc.finalDrawing = i % 4 == 0;
        t.doc.showSnapshot = i % 3 == 0;
        t.doc.showTransPoints = 1;
        t.doc.transPointCount = 2;
        t.doc.transPoints[1] = {unit(rng) * 10.0, unit(rng) * 20.0};
        t.doc.transPoints[2] = {1e300, -1e300};

        const auto start = std::chrono::steady_clock::now();
        recompute(t.doc);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        slowest = std::max(slowest, took);

        const std::string status = t.form.text(STATUS_LABEL);
        ASSERT_FALSE(hasNonFiniteText(status)) << status;
        for (const char* label : derivedValueLabels) {
            ASSERT_FALSE(hasNonFiniteText(t.form.text(label))) << label;
        }
        if (status != STATUS_OK) {
            ASSERT_EQ(t.doc.outlineComplete, 0);
            continue;
        }
        ++ok;
        ASSERT_EQ(t.doc.outlineComplete, 1);
        for (const Entity& e : t.doc.drawing.entities.entities()) {
            for (float v : e.v)
                ASSERT_TRUE(std::isfinite(v));
        }
        // Later passes draw this outline, whatever it was, as the snapshot.
        if (i % 7 == 0)
            t.doc.snapshot = currentOutlineRecord(t.doc);
    }
    EXPECT_GT(ok, passes / 20);  // the success path is exercised too
    EXPECT_LT(slowest.count(), 2.0);
}

TEST(RecomputeRobustness, OutOfRangeValuesAreReportedNotDrawn) {
    const std::string tooLarge =
        "Problem: The values given are too large or too small to draw the body.";
    struct Case {
        const char* what;
        void (*change)(DesignParameters&);
    };
    const Case cases[] = {
        {"infinite increment", [](DesignParameters& p) { p.lowerBoutRadiusIncrement = INFINITY; }},
        {"NaN waist radius", [](DesignParameters& p) { p.waistRadius = NAN; }},
        {"NaN sound hole", [](DesignParameters& p) { p.soundHoleXOffset = NAN; }},
        {"infinite lower bout, no length",
         [](DesignParameters& p) {
             p.lowerBoutHalfWidth = INFINITY;
             p.bodyLength = 0;
         }},
        {"range beyond the largest single",
         [](DesignParameters& p) {
             p.lowerBoutHalfWidth = 3e38f;
             p.bodyLength = 0;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestDocument t;
        setOmBody(t.doc.params);
        c.change(t.doc.params);
        recompute(t.doc);
        EXPECT_EQ(t.form.text(STATUS_LABEL), tooLarge);
        EXPECT_EQ(t.doc.outlineComplete, 0);
        for (const char* label : derivedValueLabels)
            EXPECT_EQ(t.form.text(label), " ");
    }
}

}  // namespace
}  // namespace bowlyn
