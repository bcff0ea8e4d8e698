#include <gtest/gtest.h>

#include <string>

#include "geometry/document.h"
#include "geometry/overlays.h"
#include "geometry/pass_display.h"
#include "model/dialogs.h"
#include "model/field_table.h"
#include "model/form_editing.h"
#include "model/memory_form.h"
#include "model/presets.h"
#include "test_document.h"
#include "tests/scripted_dialogs.h"

namespace bowlyn {
namespace {

struct SnapshotCommand : ::testing::Test, testing::TestDocument {
    test::ScriptedDialogs dialogs;

    // The Dreadnought body.
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
};

TEST_F(SnapshotCommand, RefusedWithoutACompleteOutlineKeepingTheOldOne) {
    setLength("20");
    recomputeAndShow(doc);
    takeSnapshot(doc, dialogs);
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_FLOAT_EQ(doc.snapshot.bodyLength, 20.0f);

    setLength("21");
    doc.outlineComplete = 0;
    takeSnapshot(doc, dialogs);
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0],
              "A complete body outline must be successfully generated before a snapshot can be "
              "taken.");
    EXPECT_FLOAT_EQ(doc.snapshot.bodyLength, 20.0f);
}

TEST_F(SnapshotCommand, DrawnUnderTheCurrentOutlineAlignedAtTheNeckEnd) {
    setLength("20");
    recomputeAndShow(doc);
    ASSERT_EQ(doc.outlineComplete, 1);
    const size_t entities = recordedStrokes(doc.drawing.strokes).size();
    takeSnapshot(doc, dialogs);
    doc.showSnapshot = 1;

    // The shorter snapshot hangs from the same neck end, so its tail lies one
    // unit above the current tail on the centre line.
    setLength("21");
    recomputeAndShow(doc);
    ASSERT_EQ(form.text(STATUS_LABEL), STATUS_OK);
    EXPECT_EQ(recordedStrokes(doc.drawing.strokes).size(), entities);  // painted, never recorded
    float centreX = 0, snapshotTail = 1;
    doc.drawing.view.toPixel(centreX, snapshotTail);
    const int centre = static_cast<int>(centreX);
    EXPECT_NEAR(lastSnapshotRow(centre), snapshotTail, 2);

    // A longer snapshot reaches below the current tail; at the neck end the
    // current outline covers it.
    takeSnapshot(doc, dialogs);
    setLength("20");
    recomputeAndShow(doc);
    float x = 0, tail = 0;
    doc.drawing.view.toPixel(x, tail);
    int columnsBelow = 0;
    for (int col = 0; col < doc.drawing.surface.width(); ++col) {
        columnsBelow += lastSnapshotRow(col) > tail;
    }
    EXPECT_GT(columnsBelow, 0);
    EXPECT_EQ(firstSnapshotRow(centre), -1);
}

// The points show even when the design stops at a problem.
TEST_F(SnapshotCommand, TransPointsShowWithAProblemButNotInTheFinalDrawing) {
    setFieldText(doc, fieldByLabel("Lower bout radius"), "0");
    parseTransPoints(doc, "3,10");
    doc.showTransPoints = 1;
    recomputeAndShow(doc);
    ASSERT_NE(form.text(STATUS_LABEL), STATUS_OK);
    float x = 3, y = 10;
    doc.drawing.view.toPixel(x, y);
    auto pointColour = [&] {
        uint32_t c = doc.drawing.surface.pixel(static_cast<int>(x), static_cast<int>(y));
        return (c & 0xffffff) == 0x8cff00 || (c & 0xffffff) == 0x8bff00;
    };
    EXPECT_TRUE(pointColour());
    doc.finalDrawing = 1;
    recomputeAndShow(doc);
    EXPECT_FALSE(pointColour());
}

}  // namespace
}  // namespace bowlyn
