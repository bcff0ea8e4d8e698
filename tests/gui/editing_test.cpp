// Editing through the real widgets: presets from the menu, steppers, typing
// and moving the focus, switches, the units box, Try it and Ok.

#include "gui_support.h"

namespace bowlyn::test {
namespace {

class Editing : public GuiTest {};

TEST_F(Editing, PresetThenStepperDrawsTheWorkingDrawing) {
    activate("menuInitializeOM");
    EXPECT_EQ(text("entryDescription"), "OM");
    EXPECT_EQ(text("labelStatusText"), "Status: OK");
    EXPECT_EQ(countShownPixels(isOutlinePixel), 0);  // loading draws nothing

    click("buttonLengthInc");
    EXPECT_EQ(text("entryLength"), "19.65");
    EXPECT_EQ(design().params.bodyLength, 19.65f);
    EXPECT_EQ(session().mode, DrawingMode::Working);
    EXPECT_EQ(text("labelStatusText"), "Status: OK");
    EXPECT_TRUE(session().complete());
    EXPECT_GT(countShownPixels(isConstructionPixel), 200);
    EXPECT_GT(countShownPixels(isOutlinePixel), 1000);
}

TEST_F(Editing, OkDrawsTheFinalDrawingWithoutConstruction) {
    activate("menuInitializeOM");
    click("buttonTryIt");
    ASSERT_GT(countShownPixels(isConstructionPixel), 200);
    const int outline = countShownPixels(isOutlinePixel);

    click("buttonOk");
    EXPECT_EQ(session().mode, DrawingMode::Final);
    EXPECT_EQ(text("labelStatusText"), "Status: OK");
    EXPECT_EQ(countShownPixels(isConstructionPixel), 0);
    EXPECT_GT(countShownPixels(isOutlinePixel), outline / 2);

    click("buttonTryIt");
    EXPECT_EQ(session().mode, DrawingMode::Working);
    EXPECT_GT(countShownPixels(isConstructionPixel), 200);
}

TEST_F(Editing, DerivedLabelsShowTheComputedArcs) {
    activate("menuInitializeOM");
    click("buttonTryIt");
    EXPECT_EQ(text("labelTailArcRadiusData"), "15.74");
    EXPECT_EQ(text("labelTailArcCenterPointData"), "0,15.74");
    EXPECT_EQ(text("labelLBCenterData"), "2.38,5.39");
    EXPECT_EQ(text("labelWaistCenterData"), "7.05,12.68");
    EXPECT_EQ(text("labelUBCenterData"), "2.87,16.39");
    EXPECT_EQ(text("labelShoulderArcRadiusData"), "8.1");
    EXPECT_EQ(text("labelShoulderArcCenterPointData"), "1.25,11.3");

    // A problem stops the pass and says so; the labels of a failed pass are blank.
    type("entryLBRadius", "9");
    click("buttonTryIt");
    EXPECT_EQ(text("labelStatusText"),
              "Problem: The radius of the primary arc of the lower bout must be less than half "
              "the width of the body across the lower bout.");
    EXPECT_FALSE(session().complete());
    EXPECT_EQ(text("labelLBCenterData"), " ");
}

TEST_F(Editing, ClearAfterADrawingBlanksEverything) {
    activate("menuInitializeArchtop");
    click("buttonTryIt");
    ASSERT_GT(countShownPixels(isOutlinePixel), 0);
    activate("menuInitializeClear");
    EXPECT_EQ(text("entryDescription"), " ");
    EXPECT_EQ(text("entryLength"), " ");
    EXPECT_EQ(text("entryCutawayVenetianRadius"), " ");
    EXPECT_EQ(text("labelStatusText"), "Status: OK");
    EXPECT_EQ(text("labelLBCenterData"), " ");
    EXPECT_FALSE(form().active("checkbuttonCutawayHasCutaway"));
    EXPECT_TRUE(form().active("radiobuttonCutawayFlorentine"));
    EXPECT_TRUE(form().active("radiobuttonCutawayWidthAtFret"));
    EXPECT_TRUE(form().visible("fixedCutawayParamsFlorentineVisibility"));
    EXPECT_FALSE(form().visible("fixedCutawayParamsVenetianVisibility"));
    EXPECT_FALSE(form().sensitive("fixedCutawaySensitivity"));
    EXPECT_EQ(design().params.bodyLength, 0.0f);
    EXPECT_EQ(design().params.hasCutaway, 0);
    EXPECT_FALSE(session().complete());
    EXPECT_EQ(countShownPixels(isOutlinePixel), 0);
}

TEST_F(Editing, ClassicalSwitchesToCentimetres) {
    activate("menuInitializeClassical");
    EXPECT_EQ(form().unitsIndex(), 1);
    EXPECT_STREQ(gtk_combo_box_get_active_text(GTK_COMBO_BOX(form().widget("comboboxUnits"))),
                 "Centimeters");
    EXPECT_EQ(text("labelUnits2"), "except as noted.");
    EXPECT_EQ(design().params.units, 1);
    click("buttonLengthInc");
    EXPECT_EQ(text("entryLength"), "50.4");

    // Back to inches by hand: the label clears and no number changes.
    gtk_combo_box_set_active(GTK_COMBO_BOX(form().widget("comboboxUnits")), 0);
    pump();
    EXPECT_EQ(design().params.units, 0);
    EXPECT_EQ(text("labelUnits2"), " ");
    EXPECT_EQ(text("entryLength"), "50.4");
    EXPECT_EQ(design().params.bodyLength, 50.4f);
}

TEST_F(Editing, LoadingCommitsEveryValueWithoutKeyboardFocus) {
    windowFocus(false);
    ASSERT_FALSE(gtk_window_is_active(GTK_WINDOW(app().mainWindow)));
    activate("menuInitializeOM");
    const DesignParameters& p = design().params;
    EXPECT_EQ(p.bodyLength, 19.4f);
    EXPECT_EQ(p.lowerBoutHalfWidth, 7.5f);
    EXPECT_EQ(p.neckJoinsAtFret, 14);
    EXPECT_EQ(p.soundHoleDiameter, 3.88f);
    EXPECT_EQ(p.fretCount, 20u);
    EXPECT_EQ(p.stringCount, 6);
    EXPECT_EQ(p.stringDiameters[6], 0.056f);  // the last entry loaded
    EXPECT_EQ(p.boardWidthAtFret, 2.125f);
    EXPECT_EQ(p.hasFretboard, 1);
    EXPECT_EQ(p.hasStrings, 1);
    click("buttonTryIt");
    EXPECT_EQ(text("labelStatusText"), "Status: OK");
}

TEST_F(Editing, LeavingAnEntryCommitsItAndTheGroupFollows) {
    activate("menuInitializeOM");
    type("entryLBWidth", "16");
    EXPECT_EQ(design().params.lowerBoutHalfWidth, 7.5f);  // not yet committed
    focus("entryLength");
    EXPECT_EQ(design().params.lowerBoutHalfWidth, 8.0f);
    EXPECT_EQ(text("entryLBWidth"), "16");  // a commit never rewrites the text

    type("entryFretboardParmsJoinsAtFret", "14.6");
    focus("entryLength");
    EXPECT_EQ(design().params.neckJoinsAtFret, 15);
    EXPECT_EQ(text("entryNeckJoinsBodyAtFret"), "14.6");
    EXPECT_EQ(text("entryCutawayTaperParmsJoinsAtFret"), "14.6");

    type("entryStringsSetback", "0.2");
    focus("entryStringsTotal");
    EXPECT_EQ(design().params.stringSetback, 0.2f);
    EXPECT_EQ(text("entryCutawayTaperFromStringSpacingSetback"), "0.2");
    EXPECT_EQ(text("entryFretboardTaperFromStringSpacingSetback"), "0.2");
}

TEST_F(Editing, StepperStepsTheTypedTextBeforeItIsCommitted) {
    activate("menuInitializeOM");
    type("entryLength", "19");
    ASSERT_EQ(design().params.bodyLength, 19.4f);
    // A click that leaves the focus where it is: only the text can say 19.
    gtk_button_clicked(GTK_BUTTON(widget("buttonLengthInc")));
    pump();
    EXPECT_EQ(text("entryLength"), "19.25");
    EXPECT_EQ(design().params.bodyLength, 19.25f);

    // The stepped text is committed: leaving the entry later changes nothing.
    focus("entryLBWidth");
    EXPECT_EQ(design().params.bodyLength, 19.25f);
}

TEST_F(Editing, SwitchesShowHideAndDisableTheirControls) {
    activate("menuInitializeOM");
    form().setActive("checkbuttonFretboardHasFretboard", false);
    pump();
    EXPECT_EQ(design().params.hasFretboard, 0);
    EXPECT_EQ(design().params.hasStrings, 1);
    EXPECT_FALSE(gtk_widget_is_sensitive(form().widget("entryFretboardParmsFrets")));
    EXPECT_FALSE(gtk_widget_is_sensitive(form().widget("entryStringsDiameters1")));
    form().setActive("checkbuttonFretboardHasFretboard", true);
    pump();
    EXPECT_TRUE(gtk_widget_is_sensitive(form().widget("entryStringsDiameters1")));

    form().setActive("checkbuttonCutawayHasCutaway", true);
    pump();
    EXPECT_EQ(design().params.hasCutaway, 1);
    EXPECT_TRUE(gtk_widget_is_sensitive(form().widget("entryCutawayDepth")));
    click("radiobuttonCutawayVenetian");
    EXPECT_EQ(design().params.cutawayType, 1);
    EXPECT_TRUE(form().visible("fixedCutawayParamsVenetianVisibility"));
    EXPECT_TRUE(gtk_widget_get_visible(form().widget("entryCutawayVenetianRadius")));
    EXPECT_FALSE(form().visible("fixedCutawayParamsFlorentineVisibility"));
    click("radiobuttonCutawayFlorentine");
    EXPECT_EQ(design().params.cutawayType, 0);
    EXPECT_FALSE(form().visible("fixedCutawayParamsVenetianVisibility"));

    // The fretboard tab's taper choice leaves the cutaway tab's alone.
    click("radiobuttonFretboardStringSpacing");
    EXPECT_EQ(design().params.taperType, 1);
    EXPECT_TRUE(form().visible("fixedFretboardTaperFromStringSpacingVisibility"));
    EXPECT_FALSE(form().visible("fixedFretboardTaperFromNeckWidthVisibility"));
    EXPECT_TRUE(form().active("radiobuttonCutawayWidthAtFret"));
    EXPECT_TRUE(form().visible("fixedCutawayTaperFromNeckWidthVisibility"));
    // The cutaway tab's choice sets both tabs.
    click("radiobuttonCutawayStringSpacing");
    click("radiobuttonCutawayWidthAtFret");
    EXPECT_EQ(design().params.taperType, 0);
    EXPECT_TRUE(form().active("radiobuttonFretboardWidthAtFret"));
    EXPECT_TRUE(form().visible("fixedFretboardTaperFromNeckWidthVisibility"));
    EXPECT_FALSE(form().visible("fixedCutawayTaperFromStringSpacingVisibility"));

    // None of it redraws.
    EXPECT_EQ(countShownPixels(isOutlinePixel), 0);
}

TEST_F(Editing, TheImageFollowsEveryPass) {
    activate("menuInitializeDreadnought");
    click("buttonTryIt");
    const int wide = countShownPixels(isOutlinePixel);
    for (int i = 0; i < 8; ++i)
        click("buttonLBWidthDec");
    EXPECT_EQ(text("entryLBWidth"), "13.84");
    EXPECT_NE(countShownPixels(isOutlinePixel), wide);
}

}  // namespace
}  // namespace bowlyn::test
