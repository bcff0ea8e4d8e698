#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "body_designs.h"
#include "export/solved_design.h"
#include "geometry/recompute.h"
#include "model/presets.h"

namespace bowlyn::testing {

// A document after one final-drawing pass of a built-in preset (row 1 to 11).
inline std::unique_ptr<TestDocument> presetAfterPass(int row) {
    auto t = std::make_unique<TestDocument>();
    t->doc.presets = builtInPresetTable();
    loadPreset(t->doc, row);
    t->doc.finalDrawing = 1;
    recompute(t->doc);
    return t;
}

inline SolvedDesign solvedOrFail(const TestDocument& t) {
    std::optional<SolvedDesign> s = solvedDesign(t.doc);
    EXPECT_TRUE(s.has_value()) << t.form.text(STATUS_LABEL);
    return s.value_or(SolvedDesign{});
}

// The seed of a randomized test: BOWLYN_TEST_SEED when set, so a failure can
// be replayed, otherwise a fresh one. Printed either way.
inline unsigned testSeed() {
    const char* fixed = std::getenv("BOWLYN_TEST_SEED");
    const unsigned seed = fixed && *fixed ? static_cast<unsigned>(std::strtoul(fixed, nullptr, 10))
                                          : std::random_device{}();
    std::printf("BOWLYN_TEST_SEED=%u\n", seed);
    return seed;
}

}  // namespace bowlyn::testing
