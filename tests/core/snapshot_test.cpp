#include <gtest/gtest.h>

#include <string>

#include "commands/snapshot_command.h"
#include "geometry/overlays.h"
#include "geometry/pass_texts.h"
#include "model/dialogs.h"
#include "model/field_table.h"
#include "model/form_editing.h"
#include "model/presets.h"
#include "test_document.h"
#include "tests/scripted_dialogs.h"

namespace bowlyn {
namespace {

struct SnapshotCommand : ::testing::Test, testing::TestDocument {
    test::ScriptedDialogs dialogs;

    // The Dreadnought body.
    void SetUp() override { loadTexts(design, presetTexts(2)); }
    void setLength(const char* length) { setFieldText(design, fields::BODY_LENGTH, length); }
    // A pass, painted as the window shows it.
    void drawn() {
        session.runPass();
        image();
    }

    bool isSnapshotColour(int x, int y) const {
        uint32_t c = image_.pixel(x, y);
        int r = (c >> 16) & 0xff, g = (c >> 8) & 0xff, b = c & 0xff;
        return std::abs(r - 153) <= 1 && std::abs(g - 153) <= 1 && b == 255;
    }
    // Row of the topmost snapshot-coloured pixel in column x, or -1.
    int firstSnapshotRow(int x) const {
        for (int y = 0; y < image_.height(); ++y) {
            if (isSnapshotColour(x, y))
                return y;
        }
        return -1;
    }
    int lastSnapshotRow(int x) const {
        for (int y = image_.height() - 1; y >= 0; --y) {
            if (isSnapshotColour(x, y))
                return y;
        }
        return -1;
    }
};

TEST_F(SnapshotCommand, RefusedWithoutACompleteOutlineKeepingTheOldOne) {
    setLength("20");
    session.runPass();
    takeSnapshot(session, dialogs);
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_FLOAT_EQ(overlays.snapshot.bodyLength, 20.0f);

    setLength("21");
    session.blank();  // a load: no outline to keep
    takeSnapshot(session, dialogs);
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0],
              "A complete body outline must be successfully generated before a snapshot can be "
              "taken.");
    EXPECT_FLOAT_EQ(overlays.snapshot.bodyLength, 20.0f);
}

TEST_F(SnapshotCommand, DrawnUnderTheCurrentOutlineAlignedAtTheNeckEnd) {
    setLength("20");
    session.runPass();
    ASSERT_TRUE(session.complete());
    const size_t entities = recordedStrokes(last().strokes).size();
    takeSnapshot(session, dialogs);
    overlays.showSnapshot = true;

    // The shorter snapshot hangs from the same neck end, so its tail lies one
    // unit above the current tail on the centre line.
    setLength("21");
    drawn();
    ASSERT_EQ(status(), STATUS_OK);
    EXPECT_EQ(recordedStrokes(last().strokes).size(), entities);  // painted, never recorded
    float centreX = 0, snapshotTail = 1;
    session.fittedView().toPixel(centreX, snapshotTail);
    const int centre = static_cast<int>(centreX);
    EXPECT_NEAR(lastSnapshotRow(centre), snapshotTail, 2);

    // A longer snapshot reaches below the current tail; at the neck end the
    // current outline covers it.
    takeSnapshot(session, dialogs);
    setLength("20");
    drawn();
    float x = 0, tail = 0;
    session.fittedView().toPixel(x, tail);
    int columnsBelow = 0;
    for (int col = 0; col < image_.width(); ++col) {
        columnsBelow += lastSnapshotRow(col) > tail;
    }
    EXPECT_GT(columnsBelow, 0);
    EXPECT_EQ(firstSnapshotRow(centre), -1);
}

// The points show even when the design stops at a problem.
TEST_F(SnapshotCommand, TransPointsShowWithAProblemButNotInTheFinalDrawing) {
    setFieldText(design, fieldByLabel("Lower bout radius"), "0");
    parseTransPoints(overlays, "3,10");
    overlays.showTransPoints = true;
    drawn();
    ASSERT_NE(status(), STATUS_OK);
    float x = 3, y = 10;
    session.fittedView().toPixel(x, y);
    auto pointColour = [&] {
        uint32_t c = image_.pixel(static_cast<int>(x), static_cast<int>(y));
        return (c & 0xffffff) == 0x8cff00 || (c & 0xffffff) == 0x8bff00;
    };
    EXPECT_TRUE(pointColour());
    session.mode = DrawingMode::Final;
    drawn();
    EXPECT_FALSE(pointColour());
}

}  // namespace
}  // namespace bowlyn
