// File > Import outline... lays a traced outline behind the design, "Fit
// design to outline" fills the form from it as one step to undo and shows
// how close it came; the final drawing leaves the outline out.
#include <fstream>

#include "gui_support.h"
#include "tests/core/traced_files.h"

namespace bowlyn::test {
namespace {

bool isTracedPixel(int r, int g, int b) {
    return r >= 253 && std::abs(g - 128) <= 3 && b <= 2;
}

class TracedOutlineMenu : public GuiTest {
  protected:
    // The Florentine cutaway steel string as an SVG in the test folder.
    std::string steelStringSvg() {
        const std::string path = temp("steel.svg");
        std::ofstream(path) << svgOf(loopPieces(presetParams(presetRows::SteelString)));
        return path;
    }
};

TEST_F(TracedOutlineMenu, ImportShowsTheOutlineAndFitFillsTheFormAsOneStep) {
    activate("menuInitializeOM");
    click("buttonTryIt");
    dialogs.files.push_back(steelStringSvg());
    activate("menuImportOutline");
    ASSERT_TRUE(dialogs.errors.empty()) << dialogs.errors[0];
    EXPECT_TRUE(gtk_check_menu_item_get_active(
        GTK_CHECK_MENU_ITEM(widget("menuitemDisplayTracedOutline"))));
    EXPECT_GT(countShownPixels(isTracedPixel), 500);
    EXPECT_EQ(text("entryDescription"), "OM");  // nothing changed yet

    activate("menuFitToOutline");
    ASSERT_TRUE(dialogs.errors.empty()) << dialogs.errors[0];
    ASSERT_EQ(dialogs.warnings.size(), 1u);  // the report
    EXPECT_NE(dialogs.warnings[0].find("\nrms: 0.0"), std::string::npos) << dialogs.warnings[0];
    EXPECT_NE(dialogs.warnings[0].find("closest preset: Steel string"), std::string::npos);
    EXPECT_EQ(text("entryDescription"), "gui_steel");  // the file's name
    EXPECT_NEAR(design().params.bodyLength, 19, 0.01);
    EXPECT_EQ(design().params.hasCutaway, 1);
    EXPECT_EQ(text("labelStatusText"), "Status: OK");
    EXPECT_GT(countShownPixels(isTracedPixel), 0);  // behind the outline, nearly all covered

    click("buttonOk");
    EXPECT_EQ(countShownPixels(isTracedPixel), 0);

    activate("menuUndo");
    EXPECT_EQ(text("entryDescription"), "OM");
    EXPECT_EQ(text("entryLength"), "19.4");
}

TEST_F(TracedOutlineMenu, BadFilesAndAFitWithoutAnOutlineAreRefused) {
    activate("menuInitializeOM");
    activate("menuFitToOutline");
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0], "Import an outline first (File > Import outline...).");

    const std::string path = temp("two.txt");
    std::ofstream(path) << "0 0\n10 10\n";
    dialogs.files.push_back(path);
    activate("menuImportOutline");
    ASSERT_EQ(dialogs.errors.size(), 2u);
    EXPECT_EQ(dialogs.errors[1], "Cannot import '" + path +
                                     "': the file holds only 2 points; a fit needs at least 20");
    EXPECT_TRUE(session().overlays.tracedOutline.empty());
    EXPECT_EQ(text("entryDescription"), "OM");
}

}  // namespace
}  // namespace bowlyn::test
