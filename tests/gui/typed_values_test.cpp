// A value typed into an entry counts for every command that reads the design,
// although the keyboard focus never left the entry (Alt+T, a menu accelerator
// or Enter do not move it); and after loading, typing goes into the body length.

#include <gdk/gdkkeysyms.h>

#include <fstream>
#include <sstream>

#include "formats/dxf_writer.h"
#include "gui_support.h"

namespace bowlyn::test {
namespace {

class TypedValues : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        activate("menuInitializeOM");
    }
    // Presses a button as its mnemonic does: the focus stays where it is.
    void press(const std::string& button) {
        gtk_button_clicked(GTK_BUTTON(widget(button)));
        pump();
    }
    std::string focused() {
        GtkWidget* w = gtk_window_get_focus(GTK_WINDOW(app().mainWindow));
        return w ? gtk_widget_get_name(w) : "";
    }
};

TEST_F(TypedValues, TryItDrawsTheTypedValueAsIfTheEntryWasLeft) {
    type("entryLength", "25");
    ASSERT_EQ(focused(), "entryLength");
    press("buttonTryIt");
    EXPECT_EQ(design().params.bodyLength, 25.0f);
    const std::string centre = text("labelUBCenterData");
    const int outline = countShownPixels(isOutlinePixel);

    activate("menuInitializeOM");
    type("entryLength", "25");
    focus("entryLBWidth");  // leaving the entry commits it
    press("buttonTryIt");
    EXPECT_EQ(text("labelUBCenterData"), centre);
    EXPECT_EQ(countShownPixels(isOutlinePixel), outline);
    EXPECT_EQ(centre, "2.87,21.99");
}

TEST_F(TypedValues, OkAndAnotherEntrysStepperCommitFirst) {
    type("entryWaistOffset", "13");
    press("buttonOk");
    EXPECT_EQ(design().params.waistOffset, 13.0f);
    EXPECT_EQ(session().mode, DrawingMode::Final);

    type("entryLength", "25");
    press("buttonLBWidthInc");
    EXPECT_EQ(design().params.bodyLength, 25.0f);
    EXPECT_EQ(text("entryLBWidth"), "15.25");
}

TEST_F(TypedValues, EnterCommitsAndRedrawsInTheCurrentMode) {
    press("buttonOk");
    type("entryLength", "25");
    gtk_test_widget_send_key(widget("entryLength"), GDK_Return, GdkModifierType(0));
    pump();
    EXPECT_EQ(design().params.bodyLength, 25.0f);
    EXPECT_EQ(text("labelUBCenterData"), "2.87,21.99");
    EXPECT_EQ(countShownPixels(isConstructionPixel), 0);  // still the final drawing

    // In a shared group, on another tab.
    type("entryFretboardParmsScaleLength", "24");
    gtk_test_widget_send_key(widget("entryFretboardParmsScaleLength"), GDK_Return,
                             GdkModifierType(0));
    pump();
    EXPECT_EQ(design().params.scaleLength, 24.0f);
    EXPECT_EQ(text("entryScaleLength"), "24");
}

// Save, then Export, with 25 typed after the last drawing: the file and the
// DXF both hold 25, whatever entry of a shared group was typed into.
TEST_F(TypedValues, SaveExportAndSnapshotReadTheTypedValue) {
    press("buttonTryIt");
    const std::string before = plainDxfText(session().pass()->strokes).value();
    type("entryLength", "25");
    const std::string file = temp("om.bowlyn"), dxf = temp("om.dxf");
    dialogs.files = {file, dxf};
    activate("menuSave");
    activate("menuExportDXF");
    EXPECT_NE(contents(file).find("\r\nBody length,25\r\n"), std::string::npos);
    EXPECT_EQ(design().params.bodyLength, 25.0f);
    EXPECT_EQ(contents(dxf), plainDxfText(session().pass()->strokes).value());
    EXPECT_NE(contents(dxf), before);
    EXPECT_EQ(text("labelUBCenterData"), "2.87,21.99");  // drawn as exported

    type("entryCutawayTaperParmsScaleLength", "26");  // not the member the file reads
    activate("menuSave");
    EXPECT_NE(contents(file).find("\r\nScale length,26\r\n"), std::string::npos);

    type("entryLength", "24");
    activate("menuitemTakeSnapshot");
    EXPECT_EQ(session().overlays.snapshot.bodyLength, 24.0f);
    EXPECT_TRUE(dialogs.errors.empty());
    std::remove(file.c_str());
    std::remove(dxf.c_str());
}

TEST_F(TypedValues, TypingAfterLoadingGoesIntoTheBodyLength) {
    dialogs.saveChoice = SaveChoice::Discard;  // what was typed before each load
    for (const char* item : {"menuInitializeClear", "menuInitializeDreadnought"}) {
        focus("entryDescription");
        activate(item);
        ASSERT_EQ(focused(), "entryLength") << item;
        // The loaded text is selected: typing replaces it.
        gtk_test_widget_send_key(widget(focused()), GDK_2, GdkModifierType(0));
        pump();
        EXPECT_EQ(text("entryLength"), "2") << item;
        EXPECT_NE(text("entryDescription"), "2") << item;
    }
}

TEST(StartUpFocus, IsInTheBodyLength) {
    std::string error;
    ASSERT_TRUE(openMainWindow(error)) << error;
    GtkWidget* w = gtk_window_get_focus(GTK_WINDOW(app().mainWindow));
    EXPECT_STREQ(w ? gtk_widget_get_name(w) : "", "entryLength");
    closeMainWindow();
    pump();
}

}  // namespace
}  // namespace bowlyn::test
