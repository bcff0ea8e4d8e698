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
        EXPECT_EQ(line[0], fieldLabels()[k - 1]) << "field " << k;
        for (int row = 1; row <= PRESET_COUNT; ++row, ++cells) {
            const std::string expected = line[row].empty() ? " " : line[row];
            EXPECT_EQ(table[row][k - 1], expected) << line[0] << " of " << presetName(row);
        }
    }
    EXPECT_EQ(cells, 704);
}

TEST(ReferenceTables, EveryStepperMatchesTheSecondCopy) {
    const auto copy = rows("step_classes.tsv");
    int count = 0;
    steppers(count);
    int pairs = 0, classes = 0;
    for (const std::vector<std::string>& line : copy) {
        if (line.size() == 4) {  // entry, field label, class, below zero
            ++pairs;
            const Stepper* s = stepperForEntry(line[0]);
            ASSERT_NE(s, nullptr) << line[0];
            EXPECT_EQ(s->field, fieldByLabel(line[1])) << line[0];
            const StepClass expected = line[2] == "fine"     ? StepClass::Fine
                                       : line[2] == "medium" ? StepClass::Medium
                                                             : StepClass::Coarse;
            EXPECT_EQ(s->stepClass, expected) << line[0];
            EXPECT_EQ(s->allowNegative, line[3] == "allowed") << line[0];
            continue;
        }
        ASSERT_EQ(line.size(), 3u);  // class, inch step, centimetre step
        ++classes;
        const StepClass c = line[0] == "fine"     ? StepClass::Fine
                            : line[0] == "medium" ? StepClass::Medium
                                                  : StepClass::Coarse;
        for (int units : {UNITS_INCH, UNITS_CM}) {
            const std::string up = stepValue(StepDirection::Increase, false, c, units, "0");
            EXPECT_EQ(parseDimension(up), parseDimension(line[1 + units])) << line[0] << units;
            const std::string down = stepValue(StepDirection::Decrease, true, c, units, "0");
            EXPECT_EQ(parseDimension(down), -parseDimension(line[1 + units])) << line[0] << units;
        }
    }
    EXPECT_EQ(pairs, count);
    EXPECT_EQ(pairs, 21);
    EXPECT_EQ(classes, 3);
}

}  // namespace
}  // namespace bowlyn
