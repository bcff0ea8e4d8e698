// The Depth section as a user meets it: typed depths show the air volume and
// the resonance estimate with its note after a pass; the unit captions follow
// the Units box; a wrong depth shows its message and no numbers; Clear and
// every preset leave the depths blank. The outline's measurements beside it
// follow the last pass.

#include <string>
#include <utility>

#include "app/depth_display.h"
#include "derive/measurements.h"
#include "derive/solved_design.h"
#include "formats/export_numbers.h"
#include "gui_support.h"
#include "model/field_table.h"
#include "model/output_table.h"

namespace bowlyn::test {
namespace {

class Depth : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        activate("menuInitializeDreadnought");
        type("entryHoleDiameter", "4");
        type("entryHoleOffset", "14");
    }
    void press(const std::string& button) {
        gtk_button_clicked(GTK_BUTTON(widget(button)));
        pump();
    }
    void depths(const char* tail, const char* neck, const char* top) {
        type("entryDepthAtTail", tail);
        type("entryDepthAtNeck", neck);
        type("entryTopThickness", top);
    }
    // Whether the widget lies inside the notebook page that shows it.
    bool insideItsPage(const std::string& name) {
        GtkWidget* w = widget(name);
        GtkWidget* page = findWidget(app().mainWindow, "fixedSoundHoleTab");
        int x = 0, y = 0;
        if (!w || !gtk_widget_translate_coordinates(w, page, 0, 0, &x, &y))
            return false;
        return x >= 0 && y >= 0 && x + w->allocation.width <= page->allocation.width &&
               y + w->allocation.height <= page->allocation.height;
    }
};

TEST_F(Depth, TypedDepthsShowTheAirAndTheNoteAfterAPass) {
    EXPECT_EQ(form().output(outputs::AIR_VOLUME), " ");
    depths("4.875", "4", "0.11");
    EXPECT_EQ(form().output(outputs::AIR_VOLUME), " ");  // not before a pass
    press("buttonOk");
    ASSERT_EQ(text("labelStatusText"), "Status: OK");
    // As `bowlyn-cli measure` prints them: 1110.642 in^3, 18.2002 L, 122.024 Hz.
    EXPECT_EQ(form().output(outputs::AIR_VOLUME), "1110.6 in\xC2\xB3 (18.20 litres)");
    EXPECT_EQ(form().output(outputs::AIR_RESONANCE), "about 122 Hz");
    EXPECT_EQ(form().output(outputs::AIR_NOTE), RIGID_BOX_NOTE);
    showPageOf(widget("entryDepthAtTail"));
    for (const char* name :
         {"entryDepthAtTail", "buttonTopThicknessInc", "labelUnitTopThickness",
          output(outputs::AIR_VOLUME).widget, output(outputs::AIR_RESONANCE).widget,
          output(outputs::AIR_NOTE).widget})
        EXPECT_TRUE(insideItsPage(name)) << name;
    // The note fits its label: a wrapped label asks for no more height.
    GtkRequisition wanted;
    gtk_widget_size_request(widget(output(outputs::AIR_NOTE).widget), &wanted);
    EXPECT_LE(wanted.height, widget(output(outputs::AIR_NOTE).widget)->allocation.height);

    // A stepper steps by the medium step and redraws; a neck deeper than
    // the tail is allowed. Without a top thickness no resonance is given.
    press("buttonDepthAtNeckInc");
    EXPECT_EQ(text("entryDepthAtNeck"), "4.1");
    type("entryDepthAtNeck", "5");
    type("entryTopThickness", "");
    press("buttonTryIt");
    EXPECT_NE(form().output(outputs::AIR_VOLUME), " ");
    EXPECT_EQ(form().output(outputs::AIR_RESONANCE), " ");
    EXPECT_EQ(form().output(outputs::AIR_NOTE), " ");
}

// A depth that cannot be used is a problem as the body's are, in the words
// of the Depth section; the outline it does not concern is drawn.
TEST_F(Depth, AWrongDepthIsFlaggedAsAProblemInTheWindowsWords) {
    for (const auto& [typed, message] :
         {std::pair<const char*, const char*>{"-4",
                                              "The depth at the tail end must be 0 or more, not "
                                              "'-4'."},
          {"abc", "The depth at the tail end must be a number, not 'abc'."},
          {"1e39", "The depth at the tail end is too large: '1e39'."}}) {
        depths(typed, "4", "0.11");
        showPageOf(widget("entryLength"));
        press("buttonOk");
        EXPECT_EQ(text("labelStatusText"), std::string("Problem: ") + message);
        EXPECT_EQ(form().output(outputs::AIR_VOLUME), " ") << typed;
        EXPECT_EQ(form().output(outputs::AIR_RESONANCE), " ") << typed;
        EXPECT_EQ(form().output(outputs::AIR_NOTE), message);
        EXPECT_TRUE(form().marked("entryDepthAtTail")) << typed;
        EXPECT_FALSE(form().marked("entryDepthAtNeck")) << typed;
        EXPECT_TRUE(insideItsPage("entryDepthAtTail"));
        EXPECT_EQ(form().notebookPage(), 2);  // Neck & hole, raised
        EXPECT_GT(countShownPixels(isOutlinePixel), 2000);
    }
    depths("4", "4", "-0.1");
    press("buttonOk");
    EXPECT_EQ(text("labelStatusText"), "Problem: The top thickness must be 0 or more, not '-0.1'.");
    EXPECT_TRUE(form().marked("entryTopThickness"));
    // A depth of 0 is no body to measure, and no mistake.
    depths("0", "4", "0.11");
    press("buttonOk");
    EXPECT_EQ(text("labelStatusText"), "Status: OK");
    EXPECT_FALSE(form().marked("entryDepthAtTail"));
    EXPECT_EQ(form().output(outputs::AIR_VOLUME), " ");
    EXPECT_EQ(form().output(outputs::AIR_NOTE), " ");
}

TEST_F(Depth, CaptionsFollowTheUnitsAndLoadingBlanksTheDepths) {
    for (const char* caption :
         {"labelUnitDepthAtTail", "labelUnitDepthAtNeck", "labelUnitTopThickness"})
        EXPECT_EQ(text(caption), "in");
    gtk_combo_box_set_active(GTK_COMBO_BOX(form().widget("comboboxUnits")), 1);
    pump();
    EXPECT_EQ(text("labelUnitDepthAtNeck"), "cm");

    depths("10", "9", "0.3");
    press("buttonOk");
    EXPECT_NE(form().output(outputs::AIR_VOLUME).find(" cm\xC2\xB3 ("), std::string::npos)
        << form().output(outputs::AIR_VOLUME);
    dialogs.saveChoice = SaveChoice::Discard;
    activate("menuInitializeOM");
    EXPECT_EQ(text("labelUnitDepthAtTail"), "in");
    EXPECT_EQ(form().output(outputs::AIR_VOLUME), " ");
    for (int k : {fields::BODY_DEPTH_AT_TAIL, fields::BODY_DEPTH_AT_NECK, fields::TOP_THICKNESS})
        EXPECT_EQ(text(field(k).widgets.front()), " ");
    depths("4", "4", "0.1");
    activate("menuInitializeClear");
    EXPECT_EQ(text("entryDepthAtTail"), " ");
    EXPECT_EQ(text("labelUnitDepthAtTail"), "in");
}

// The window's figures: the design's own unit, blank where there is nothing
// to measure, and never those of an earlier outline.
TEST_F(Depth, MeasurementsShownFollowTheLastPass) {
    dialogs.saveChoice = SaveChoice::Discard;
    activate("menuInitializeOM");
    press("buttonTryIt");
    ASSERT_EQ(form().output(outputs::STATUS), "Status: OK");
    const MeasureResult om =
        measureDesign(*solvedDesign(*session().pass(), design()), std::nullopt);
    ASSERT_TRUE(om.problem.empty());
    EXPECT_EQ(form().output(outputs::PERIMETER), fixedText(om.values.perimeter, 2) + " in");
    EXPECT_EQ(form().output(outputs::AREA), fixedText(om.values.area, 2) + " in\u00b2");
    EXPECT_EQ(form().output(outputs::LENGTH), "19.4 in");
    EXPECT_EQ(form().output(outputs::WIDTH), "15 in");
    EXPECT_EQ(form().output(outputs::FRETBOARD_AREA),
              fixedText(om.values.fretboardArea, 2) + " in\u00b2");

    type("entryLBWidth", "1");
    press("buttonTryIt");
    ASSERT_NE(form().output(outputs::STATUS), "Status: OK");
    for (int label : outputsOf(OutputKind::Measurement))
        EXPECT_EQ(form().output(label), " ") << output(label).widget;

    activate("menuInitializeClassical");
    form().setActive("checkbuttonFretboardHasFretboard", false);
    pump();
    press("buttonTryIt");
    ASSERT_EQ(form().output(outputs::STATUS), "Status: OK");
    EXPECT_NE(form().output(outputs::LENGTH).find(" cm"), std::string::npos);
    EXPECT_NE(form().output(outputs::AREA).find(" cm\u00b2"), std::string::npos);
    EXPECT_EQ(form().output(outputs::FRETBOARD_AREA), " ");
    activate("menuInitializeOM");
    EXPECT_EQ(form().output(outputs::LENGTH), " ");
}

}  // namespace
}  // namespace bowlyn::test
