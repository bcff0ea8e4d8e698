#include <gtest/gtest.h>

#include <string>

#include "geometry/document.h"
#include "geometry/overlays.h"
#include "geometry/recompute.h"
#include "model/dialogs.h"
#include "model/field_table.h"
#include "model/form_editing.h"
#include "model/memory_form.h"
#include "model/presets.h"

namespace bowlyn {
namespace {

class RecordingDialogs : public Dialogs {
  public:
    std::string lastError;
    void showError(const std::string& message) override { lastError = message; }
    void showWarning(const std::string&) override {}
    bool askYesNo(const std::string&) override { return false; }
    std::string chooseFile(FileDialogMode, const std::string&) override { return ""; }
};

struct SnapshotCommand : ::testing::Test {
    MemoryForm form;
    Document doc{form};
    RecordingDialogs dialogs;

    // The Dreadnought body alone, with the given body length.
    void SetUp() override {
        doc.presets = builtInPresetTable();
        loadPreset(doc, 2);
    }
    void setLength(const char* length) { setFieldText(doc, fields::BODY_LENGTH, length); }

    bool isSnapshotColour(int x, int y) const {
        uint32_t c = doc.drawing.surface.pixel(x, y);
        int r = (c >> 16) & 0xff, g = (c >> 8) & 0xff, b = c & 0xff;
        return std::abs(r - 153) <= 1 && std::abs(g - 153) <= 1 && b == 255;
    }
    // Row of the topmost snapshot-coloured pixel in column x, or -1.
    int firstSnapshotRow(int x) const {
        for (int y = 0; y < doc.drawing.surface.height(); ++y) {
            if (isSnapshotColour(x, y))
                return y;
        }
        return -1;
    }
    int lastSnapshotRow(int x) const {
        for (int y = doc.drawing.surface.height() - 1; y >= 0; --y) {
            if (isSnapshotColour(x, y))
                return y;
        }
        return -1;
    }
    int snapshotPixels() const {
        int n = 0;
        for (int y = 0; y < doc.drawing.surface.height(); ++y) {
            for (int x = 0; x < doc.drawing.surface.width(); ++x)
                n += isSnapshotColour(x, y);
        }
        return n;
    }
};

TEST_F(SnapshotCommand, RefusedWithoutACompleteOutlineKeepingTheOldOne) {
    setLength("20");
    recompute(doc);
    takeSnapshot(doc, dialogs);
    EXPECT_EQ(dialogs.lastError, "");
    EXPECT_FLOAT_EQ(doc.snapshot.bodyLength, 20.0f);

    setLength("19");
    doc.outlineComplete = 0;
    takeSnapshot(doc, dialogs);
    EXPECT_EQ(dialogs.lastError,
              "A complete body outline must be successfully generated before a snapshot can be "
              "taken.");
    EXPECT_FLOAT_EQ(doc.snapshot.bodyLength, 20.0f);
}

TEST_F(SnapshotCommand, DrawnUnderTheCurrentOutlineAlignedAtTheNeckEnd) {
    setLength("19");
    recompute(doc);
    ASSERT_EQ(doc.outlineComplete, 1);
    const size_t entities = doc.drawing.entities.size();
    takeSnapshot(doc, dialogs);
    doc.showSnapshot = 1;

    setLength("20");
    recompute(doc);
    ASSERT_EQ(form.text(STATUS_LABEL), STATUS_OK);
    EXPECT_EQ(doc.drawing.entities.size(), entities);  // painted, never recorded
    // The shorter snapshot hangs from the same neck end, so its tail lies one
    // unit above the current tail on the centre line.
    float x = 0, tail = 0, snapshotTail = 1;
    doc.drawing.view.toPixel(x, tail);
    float unused = 0;
    doc.drawing.view.toPixel(unused, snapshotTail);
    const int centre = static_cast<int>(x);
    EXPECT_NEAR(lastSnapshotRow(centre), snapshotTail, 2);
    EXPECT_GT(lastSnapshotRow(centre), 0);

    // A longer snapshot reaches below the current tail.
    takeSnapshot(doc, dialogs);
    setLength("19");
    recompute(doc);
    float tail19x = 0, tail19 = 0;
    doc.drawing.view.toPixel(tail19x, tail19);
    EXPECT_GT(snapshotPixels(), 0);
    int below = 0;
    for (int col = 0; col < doc.drawing.surface.width(); ++col) {
        below += lastSnapshotRow(col) > tail19;
    }
    EXPECT_GT(below, 0);
    EXPECT_EQ(firstSnapshotRow(centre), -1);  // the neck ends coincide, drawn over
}

// The points show even when the design stops at a problem.
TEST_F(SnapshotCommand, TransPointsShowWithAProblemButNotInTheFinalDrawing) {
    setFieldText(doc, fieldByLabel("Lower bout radius"), "0");
    parseTransPoints(doc, "3,10");
    doc.showTransPoints = 1;
    recompute(doc);
    ASSERT_NE(form.text(STATUS_LABEL), STATUS_OK);
    float x = 3, y = 10;
    doc.drawing.view.toPixel(x, y);
    auto pointColour = [&] {
        uint32_t c = doc.drawing.surface.pixel(static_cast<int>(x), static_cast<int>(y));
        return (c & 0xffffff) == 0x8cff00 || (c & 0xffffff) == 0x8bff00;
    };
    EXPECT_TRUE(pointColour());
    doc.finalDrawing = 1;
    recompute(doc);
    EXPECT_FALSE(pointColour());
}

}  // namespace
}  // namespace bowlyn
