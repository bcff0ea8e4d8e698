#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "geometry/pass_texts.h"
#include "model/field_table.h"
#include "model/form_editing.h"
#include "model/presets.h"
#include "test_document.h"

namespace bowlyn {
namespace {

std::vector<int> marked(const testing::TestDocument& t) {
    std::vector<int> out;
    for (size_t i = 0; i < t.display.marked.size(); ++i)
        out.push_back(t.display.marked[i]);
    return out;
}

struct OmForm : testing::TestDocument {
    OmForm() { loadTexts(design, presetTexts(presetByName("OM"))); }
    void commit(int field, const std::string& text) { commitText(design, field, text); }
};

// A problem marks the fields it names (the window marks their entries and
// brings their page to the front); the next pass that gets past it takes the
// marks away, and so does a load.
TEST(ProblemMark, MarksTheNamedFieldsUntilAPassGetsPastTheirCheck) {
    using namespace fields;
    OmForm t;
    t.pass();
    EXPECT_TRUE(marked(t).empty());

    t.commit(WAIST_WIDTH, "0");
    ASSERT_NE(t.pass(), STATUS_OK);
    EXPECT_EQ(marked(t), std::vector<int>{WAIST_WIDTH});

    // Several fields, the width still marked as long as it is one of them.
    t.commit(WAIST_WIDTH, "9.6");
    t.design.params.waistOffset = 15;
    ASSERT_NE(t.pass(), STATUS_OK);
    const std::vector<int> overlap = marked(t);
    EXPECT_EQ(overlap.size(), 4u);
    EXPECT_NE(std::find(overlap.begin(), overlap.end(), WAIST_WIDTH), overlap.end());
    EXPECT_NE(std::find(overlap.begin(), overlap.end(), WAIST_RADIUS), overlap.end());

    t.session.load(presetTexts(presetByName("OM")), "");
    EXPECT_TRUE(marked(t).empty());
    t.commit(WAIST_WIDTH, "0");
    t.pass();
    t.commit(WAIST_WIDTH, "9.6");
    EXPECT_EQ(t.pass(), STATUS_OK);
    EXPECT_TRUE(marked(t).empty());
}

}  // namespace
}  // namespace bowlyn
