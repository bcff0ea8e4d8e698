// The form's handlers: committing entries, the steppers, the switches, the
// units box and the two drawing buttons. Each hands its work to the core.

#include <gtk/gtk.h>

#include "app/app_context.h"
#include "app/design_access.h"
#include "app/handlers.h"
#include "geometry/pass_display.h"
#include "model/form_editing.h"

using namespace bowlyn;

namespace {

// Focus also leaves entries when the pointer leaves the window or the window
// goes away, so a commit must be harmless to repeat; returning FALSE lets GTK
// finish its own focus handling.
gboolean commit(const char* entry) {
    if (Document* doc = app().doc)
        commitEntryWidget(*doc, entry);
    return FALSE;
}

// A stepper steps its own entry's text; another entry being edited is
// committed first, as the click would have done by taking the focus.
gboolean step(const char* entry, StepDirection direction) {
    Document* doc = designToRead();
    const Stepper* stepper = stepperForEntry(entry);
    if (doc && stepper) {
        applyStepper(*doc, *stepper, direction);
        recomputeAndShow(*doc);
    }
    return TRUE;
}

void draw(int32_t finalDrawing) {
    if (Document* doc = designToRead()) {
        doc->finalDrawing = finalDrawing;
        recomputeAndShow(*doc);
    }
}

bool isActive(gpointer button) {
    return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(button));
}

}  // namespace

#define COMMIT(entry)                                                                           \
    G_MODULE_EXPORT gboolean entry##_focus_out_event_cb(GtkWidget*, GdkEventFocus*, gpointer) { \
        return commit(#entry);                                                                  \
    }

#define STEPPER(name)                                                             \
    G_MODULE_EXPORT gboolean button##name##Dec_clicked_cb(GtkButton*, gpointer) { \
        return step("entry" #name, StepDirection::Decrease);                      \
    }                                                                             \
    G_MODULE_EXPORT gboolean button##name##Inc_clicked_cb(GtkButton*, gpointer) { \
        return step("entry" #name, StepDirection::Increase);                      \
    }

// A switch handler: `body` runs with `doc` and `on` (the button's new state).
#define SWITCH(handler, body)                                       \
    G_MODULE_EXPORT gboolean handler(GtkWidget* button, gpointer) { \
        Document* doc = app().doc;                                  \
        bool on = isActive(button);                                 \
        if (doc)                                                    \
            body;                                                   \
        return FALSE;                                               \
    }

extern "C" {

COMMIT(entryLength)
COMMIT(entryLBWidth)
COMMIT(entryHeelWidth)
COMMIT(entryNeckJoinsBodyAtFret)
COMMIT(entryCutawayTaperParmsJoinsAtFret)
COMMIT(entryFretboardParmsJoinsAtFret)
COMMIT(entryScaleLength)
COMMIT(entryCutawayTaperParmsScaleLength)
COMMIT(entryFretboardParmsScaleLength)
COMMIT(entryHoleDiameter)
COMMIT(entryHoleOffset)
COMMIT(entryLBRadius)
COMMIT(entryLBOffset)
COMMIT(entryUBWidth)
COMMIT(entryUBRadius)
COMMIT(entryUBOffset)
COMMIT(entryWaistWidth)
COMMIT(entryWaistRadius)
COMMIT(entryWaistOffset)
COMMIT(entryCutawayNeckOffset)
COMMIT(entryCutawayDepth)
COMMIT(entryCutawayWidth)
COMMIT(entryCutawayVenetianRadius)
COMMIT(entryCutawayVenetianPointRadius)
COMMIT(entryCutawayTaperParmsNutWidth)
COMMIT(entryFretboardNutWidth)
COMMIT(entryCutawayTaperFromNeckWidthWidth)
COMMIT(entryFretboardTaperFromNeckWidthWidth)
COMMIT(entryCutawayTaperFromNeckWidthFret)
COMMIT(entryFretboardTaperFromNeckWidthFret)
COMMIT(entryCutawayTaperFromStringSpacingSpacing)
COMMIT(entryFretboardTaperFromStringSpacingSpacing)
COMMIT(entryCutawayTaperFromStringSpacingSetback)
COMMIT(entryFretboardTaperFromStringSpacingSetback)
COMMIT(entryStringsSetback)
COMMIT(entryCutawayTaperFromStringSpacingDia1st)
COMMIT(entryFretboardTaperFromStringSpacingDia1st)
COMMIT(entryCutawayTaperFromStringSpacingDiaLast)
COMMIT(entryFretboardTaperFromStringSpacingDiaLast)
COMMIT(entryHoleHOffset)
COMMIT(entryLB2Radius)
COMMIT(entryUB2Radius)
COMMIT(entryFretboardParmsFrets)
COMMIT(entryFretboardParmsThickness)
COMMIT(entryFretboardNutThickness)
COMMIT(entryFretboardFretwireThickness)
COMMIT(entryFretboardFretwireHeight)
COMMIT(entryFretboardMarkersDiameter)
COMMIT(entryFretboardMarkersSideDiameter)
COMMIT(entryStringsTotal)
COMMIT(entryStringsPerCourse)
COMMIT(entryStringsCourseSpacing)
COMMIT(entryStringsDiameters1)
COMMIT(entryStringsDiameters2)
COMMIT(entryStringsDiameters3)
COMMIT(entryStringsDiameters4)
COMMIT(entryStringsDiameters5)
COMMIT(entryStringsDiameters6)
COMMIT(entryStringsDiameters7)
COMMIT(entryStringsDiameters8)
COMMIT(entryStringsDiameters9)
COMMIT(entryStringsDiameters10)
COMMIT(entryStringsDiameters11)
COMMIT(entryStringsDiameters12)
COMMIT(entryStringsDiameters13)
COMMIT(entryStringsDiameters14)
COMMIT(entryStringsDiameters15)
COMMIT(entryStringsDiameters16)

STEPPER(Length)
STEPPER(LBWidth)
STEPPER(HeelWidth)
STEPPER(LBRadius)
STEPPER(LB2Radius)
STEPPER(LBOffset)
STEPPER(UBRadius)
STEPPER(UB2Radius)
STEPPER(UBOffset)
STEPPER(UBWidth)
STEPPER(WaistRadius)
STEPPER(WaistOffset)
STEPPER(WaistWidth)
STEPPER(CutawayNeckOffset)
STEPPER(CutawayDepth)
STEPPER(CutawayWidth)
STEPPER(CutawayVenetianRadius)
STEPPER(CutawayVenetianPointRadius)
STEPPER(HoleDiameter)
STEPPER(HoleOffset)
STEPPER(HoleHOffset)

SWITCH(checkbuttonCutawayHasCutaway_toggled_cb, applyHasCutaway(*doc, on))
SWITCH(radiobuttonCutawayFlorentine_clicked_cb, applyCutawayFlorentine(*doc, on))
SWITCH(radiobuttonCutawayVenetian_clicked_cb, applyCutawayVenetian(*doc, on))
// Radio buttons also report the click that switches them off.
SWITCH(radiobuttonCutawayWidthAtFret_clicked_cb, {
    if (on)
        selectTaperBoardWidth(*doc);
})
SWITCH(radiobuttonCutawayStringSpacing_clicked_cb, {
    if (on)
        selectTaperStringSpacing(*doc);
})
SWITCH(radiobuttonFretboardWidthAtFret_clicked_cb, applyFretboardTaperBoardWidth(*doc, on))
SWITCH(radiobuttonFretboardStringSpacing_clicked_cb, applyFretboardTaperStringSpacing(*doc, on))
SWITCH(checkbuttonFretboardHasFretboard_toggled_cb, applyHasFretboard(*doc, on))
SWITCH(checkbuttonFretboardMarkersHasMarkers_toggled_cb, applyHasMarkers(*doc, on))
SWITCH(checkbuttonStringsHasStrings_toggled_cb, applyHasStrings(*doc, on))

G_MODULE_EXPORT void comboboxUnits_changed_cb(GtkComboBox* combo, gpointer) {
    if (Document* doc = app().doc)
        applyUnits(*doc, gtk_combo_box_get_active(combo) == 1 ? 1 : 0);
}

G_MODULE_EXPORT gboolean notebook_switch_page_cb(GtkNotebook*, gpointer, guint, gpointer) {
    return FALSE;
}

G_MODULE_EXPORT gboolean buttonTryIt_clicked_cb(GtkButton*, gpointer) {
    draw(0);
    return FALSE;
}

G_MODULE_EXPORT gboolean buttonOk_clicked_cb(GtkButton*, gpointer) {
    draw(1);
    return FALSE;
}

}  // extern "C"
