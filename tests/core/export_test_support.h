#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "body_designs.h"
#include "export/solved_design.h"
#include "geometry/pass_display.h"
#include "model/presets.h"

namespace bowlyn::testing {

// A document after one final-drawing pass of a built-in preset (row 1 to 11).
inline std::unique_ptr<TestDocument> presetAfterPass(int row) {
    auto t = std::make_unique<TestDocument>();
    t->doc.presets = builtInPresetTable();
    loadPreset(t->doc, row);
    t->doc.finalDrawing = 1;
    recomputeAndShow(t->doc);
    return t;
}

inline SolvedDesign solvedOrFail(const TestDocument& t) {
    std::optional<SolvedDesign> s = solvedDesign(t.doc);
    EXPECT_TRUE(s.has_value()) << t.form.text(STATUS_LABEL);
    return s.value_or(SolvedDesign{});
}

}  // namespace bowlyn::testing
