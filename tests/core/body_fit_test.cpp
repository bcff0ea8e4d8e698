// The fit finds any body the program draws, wherever the outline lies, and
// makes a design of it that passes every check; the same body read from
// every kind of file gives the same design.
#include "fit/body_fit.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "geometry/recompute.h"
#include "model/form_editing.h"
#include "model/presets.h"
#include "tests/core/test_seed.h"
#include "tests/core/traced_files.h"
#include "trace/read_outline.h"

namespace bowlyn {
namespace {

constexpr double NOISE_MM = 0.05;

// The design a fit's texts make, after a pass over it.
struct Fitted {
    Design design;
    PassResult pass;
    explicit Fitted(const OutlineFit& fit) {
        loadTexts(design, fit.texts);
        pass = recompute(design.params, Overlays{}, DrawingMode::Final);
    }
};

// Length and full widths in mm.
std::array<double, 4> dimensions(const DesignParameters& p) {
    const double mm = mmPerUnit(p.units);
    return {p.bodyLength * mm, 2 * p.lowerBoutHalfWidth * mm, 2 * p.waistHalfWidth * mm,
            2 * p.upperBoutHalfWidth * mm};
}

void expectSameBody(const DesignParameters& fitted, const DesignParameters& truth, double mm) {
    const auto a = dimensions(fitted), b = dimensions(truth);
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_NEAR(a[i], b[i], mm) << "dimension " << i;
    EXPECT_EQ(fitted.hasCutaway, truth.hasCutaway);
}

// A preset, or a preset with its body's fields moved by up to 4 %, that
// still passes its checks.
DesignParameters variant(int row, std::mt19937& rng) {
    const DesignParameters preset = test::presetParams(row);
    std::uniform_real_distribution<double> change(0.96, 1.04);
    OutlineModel model;
    for (int attempt = 0; attempt < 20; ++attempt) {
        DesignParameters p = preset;
        for (float DesignParameters::*m :
             {&DesignParameters::bodyLength, &DesignParameters::lowerBoutHalfWidth,
              &DesignParameters::lowerBoutRadius, &DesignParameters::waistHalfWidth,
              &DesignParameters::waistRadius, &DesignParameters::waistOffset,
              &DesignParameters::upperBoutHalfWidth, &DesignParameters::upperBoutRadius})
            p.*m = static_cast<float>(p.*m * change(rng));
        if (model.solve(p))
            return p;
    }
    return preset;
}

// Bodies at random places, turned, mirrored, with noise: the fit finds the
// body within the noise, its cutaway and where it lies.
TEST(BodyFit, FindsTheBodyWhereverTheOutlineLies) {
    std::mt19937 rng(test::randomTestSeed());
    const int rows[] = {presetRows::OM, presetRows::SteelString, presetRows::ABG,
                        presetRows::Classical, presetRows::SopranoUke};
    for (int row : rows) {
        const DesignParameters truth = variant(row, rng);
        const bool mirror = rng() % 2 == 1;
        TracedOutline outline;
        TracePoint tail;
        double direction = 0;
        outline.points = test::placedAtRandom(test::designOutline(truth, 400), rng, NOISE_MM,
                                              mirror, &tail, &direction);
        SCOPED_TRACE(presetName(row));
        const OutlineFit fit = fitOutline(outline, truth.units, "found");
        ASSERT_EQ(fit.problem, "");
        EXPECT_LT(fit.rms, 2.5 * NOISE_MM);
        EXPECT_LT(fit.max, 10 * NOISE_MM);
        Fitted design(fit);
        EXPECT_TRUE(design.pass.ok());
        expectSameBody(design.design.params, truth, 0.2);
        EXPECT_EQ(fit.cutaway, truth.hasCutaway);
        if (truth.hasCutaway) {
            EXPECT_EQ(fit.placement.mirrored, mirror);
        }
        EXPECT_NEAR(fit.placement.tail.x, tail.x, 0.1);
        EXPECT_NEAR(fit.placement.tail.y, tail.y, 0.1);
        EXPECT_NEAR(std::remainder(fit.placement.angle - direction, 2 * M_PI), 0, 1e-3);
    }
}

// The same body in every kind of file: designs that agree with each other
// and with the body drawn.
TEST(BodyFit, EveryKindOfFileGivesTheSameDesign) {
    const DesignParameters truth = test::presetParams(presetRows::SteelString);
    const std::vector<test::LoopPiece> loop = test::loopPieces(truth);
    const test::Scan scan = test::scanOf(test::designOutline(truth, 4000), 100);
    OutlineReading at100;
    at100.dpi = 100;
    // The scan's edges lie on its pixels, 0.254 mm apart at 100 dpi: its
    // length may be a pixel off.
    const std::tuple<const char*, std::string, double> files[] = {
        {"a.svg", test::svgOf(loop), 0.25},
        {"a.dxf", test::dxfLinesAndArcs(loop), 0.25},
        {"b.dxf", test::dxfPolyline(loop), 0.25},
        {"a.png", test::pngOf(scan), 0.3},
    };
    for (const auto& [name, bytes, mm] : files) {
        SCOPED_TRACE(name);
        const OutlineFit fit = fitOutline(outlineFromBytes(name, bytes, at100), UNITS_INCH, name);
        ASSERT_EQ(fit.problem, "");
        Fitted design(fit);
        EXPECT_TRUE(design.pass.ok());
        expectSameBody(design.design.params, truth, mm);
        EXPECT_EQ(fit.presetRow, presetRows::SteelString);
        EXPECT_EQ(fit.closestPreset, presetRows::SteelString);
        EXPECT_LT(fit.closestPresetRms, 0.3);
    }
}

// Half a body, from the tail round to the neck end, is the whole body.
TEST(BodyFit, HalfAnOutlineIsTheWholeBody) {
    std::mt19937 rng(test::randomTestSeed());
    const DesignParameters truth = test::presetParams(presetRows::Dreadnought);
    TracedOutline outline;
    outline.half = true;
    outline.points =
        test::placedAtRandom(test::designHalf(truth, 600), rng, NOISE_MM, rng() % 2 == 1);
    const OutlineFit fit = fitOutline(outline, UNITS_CM, "half");
    ASSERT_EQ(fit.problem, "");
    EXPECT_TRUE(fit.half);
    EXPECT_FALSE(fit.asymmetryRms.has_value());
    Fitted design(fit);
    EXPECT_TRUE(design.pass.ok());
    EXPECT_EQ(design.design.params.units, UNITS_CM);
    // One side's noise alone sets each width.
    expectSameBody(design.design.params, truth, 0.35);
}

}  // namespace
}  // namespace bowlyn
