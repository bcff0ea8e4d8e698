// The program's preset texts and stepper table against a second copy kept by
// hand in tests/data, cell by cell, so that a mistyped cell fails.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "model/form_editing.h"
#include "model/number_text.h"
#include "model/presets.h"

namespace bowlyn {
namespace {

// The lines of a data file that are not comments, split at tabs; empty and
// space-led cells are kept as they are.
std::vector<std::vector<std::string>> rows(const std::string& name) {
    std::ifstream in(std::string(BOWLYN_TEST_DATA) + "/" + name);
    EXPECT_TRUE(in) << name;
    std::vector<std::vector<std::string>> result;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> cells(1);
        for (char c : line) {
            if (c == '\t')
                cells.emplace_back();
            else
                cells.back() += c;
        }
        result.push_back(cells);
    }
    return result;
}

TEST(ReferenceTables, EveryPresetTextMatchesTheSecondCopy) {
    const auto copy = rows("preset_texts.tsv");
    ASSERT_EQ(copy.size(), 1u + FIELD_COUNT);
    const PresetTable table = builtInPresetTable();
    for (int row = 1; row <= PRESET_COUNT; ++row)
        EXPECT_EQ(copy[0].at(row), presetName(row)) << "design " << row;
    int cells = 0;
    for (int k = 1; k <= FIELD_COUNT; ++k) {
        const std::vector<std::string>& line = copy[k];
        ASSERT_EQ(line.size(), 1u + PRESET_COUNT) << line[0];
        EXPECT_EQ(line[0], field(k).label) << "field " << k;
        for (int row = 1; row <= PRESET_COUNT; ++row, ++cells) {
            const std::string expected = line[row].empty() ? " " : line[row];
            EXPECT_EQ(table[row][k - 1], expected) << line[0] << " of " << presetName(row);
        }
    }
    EXPECT_EQ(cells, 781);
}

StepClass stepClassNamed(const std::string& name) {
    return name == "fine"     ? StepClass::Fine
           : name == "medium" ? StepClass::Medium
                              : StepClass::Coarse;
}

TEST(ReferenceTables, EveryStepperMatchesTheSecondCopy) {
    const auto copy = rows("step_classes.tsv");
    int pairs = 0, classes = 0;
    for (const std::vector<std::string>& line : copy) {
        if (line.size() == 4) {  // entry, field label, class, below zero
            ++pairs;
            const Control* c = controlNamed(line[0]);
            ASSERT_NE(c, nullptr) << line[0];
            EXPECT_EQ(c->field, fieldByLabel(line[1])) << line[0];
            EXPECT_EQ(c->stepClass, stepClassNamed(line[2])) << line[0];
            EXPECT_EQ(c->belowZero == BelowZero::Allowed, line[3] == "allowed") << line[0];
            continue;
        }
        ASSERT_EQ(line.size(), 3u);  // class, inch step, centimetre step
        ++classes;
        const StepClass c = stepClassNamed(line[0]);
        for (DesignUnits units : {UNITS_INCH, UNITS_CM}) {
            const std::string up =
                stepValue(StepDirection::Increase, BelowZero::Clamped, c, units, "0");
            EXPECT_EQ(parseDimension(up), parseDimension(line[1 + units])) << line[0] << units;
            const std::string down =
                stepValue(StepDirection::Decrease, BelowZero::Allowed, c, units, "0");
            EXPECT_EQ(parseDimension(down), -parseDimension(line[1 + units])) << line[0] << units;
        }
    }
    int stepped = 0;
    for (const Control& c : controls())
        stepped += c.stepClass != StepClass::None;
    EXPECT_EQ(pairs, stepped);
    EXPECT_EQ(pairs, 24);
    EXPECT_EQ(classes, 3);
}

}  // namespace
}  // namespace bowlyn
