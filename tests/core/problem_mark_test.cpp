#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "geometry/pass_display.h"
#include "model/field_table.h"
#include "model/form_editing.h"
#include "model/presets.h"
#include "test_document.h"

namespace bowlyn {
namespace {

std::vector<std::string> markedEntries(const MemoryForm& form) {
    std::vector<std::string> out;
    for (const Control& c : controls()) {
        if (form.marked(c.widget))
            out.push_back(c.widget);
    }
    return out;
}

struct OmForm : testing::TestDocument {
    OmForm() { loadPreset(doc, presetByName("OM")); }
    void commit(const std::string& entry, const std::string& text) {
        form.setText(entry, text);
        commitEntryWidget(doc, entry);
    }
};

// A problem marks the entries of the fields it names and asks for their
// page; the next pass that gets past it takes the marks away, and so does
// a load.
TEST(ProblemMark, MarksTheNamedEntriesUntilAPassGetsPastTheirCheck) {
    OmForm t;
    t.pass();
    EXPECT_TRUE(markedEntries(t.form).empty());

    t.commit("entryWaistWidth", "0");
    ASSERT_NE(t.pass(), STATUS_OK);
    EXPECT_EQ(markedEntries(t.form), std::vector<std::string>{"entryWaistWidth"});
    EXPECT_EQ(t.form.revealed(), std::vector<std::string>{"entryWaistWidth"});

    // Several fields, the width still marked as long as it is one of them.
    t.commit("entryWaistWidth", "9.6");
    t.doc.params.waistOffset = 15;
    ASSERT_NE(t.pass(), STATUS_OK);
    const std::vector<std::string> overlap = markedEntries(t.form);
    EXPECT_EQ(overlap.size(), 4u);
    EXPECT_NE(std::find(overlap.begin(), overlap.end(), "entryWaistWidth"), overlap.end());
    EXPECT_NE(std::find(overlap.begin(), overlap.end(), "entryWaistRadius"), overlap.end());
    std::vector<std::string> revealed = t.form.revealed();
    std::sort(revealed.begin(), revealed.end());
    std::vector<std::string> sorted = overlap;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(revealed, sorted);

    loadPreset(t.doc, presetByName("OM"));
    resetDisplay(t.doc);
    EXPECT_TRUE(markedEntries(t.form).empty());
    t.commit("entryWaistWidth", "0");
    t.pass();
    t.commit("entryWaistWidth", "9.6");
    EXPECT_EQ(t.pass(), STATUS_OK);
    EXPECT_TRUE(markedEntries(t.form).empty());
}

}  // namespace
}  // namespace bowlyn
