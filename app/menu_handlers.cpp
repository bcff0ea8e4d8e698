// The Initialize menu: a preset or the cleared form goes into the form and the
// drawing is blanked; nothing is drawn until the next stepper click, Try it or
// Ok. Unsaved work is asked about first.

#include <gtk/gtk.h>

#include "app/app_context.h"
#include "app/design_access.h"
#include "app/form_signals.h"
#include "geometry/pass_display.h"
#include "model/presets.h"

using namespace bowlyn;

namespace {

void load(int row) {
    Document* doc = app().doc;
    if (!doc || !mayLeaveDesign(Leaving::LoadingAnother))
        return;
    if (row == WORK_ROW)
        clearWorkRow(*doc);
    loadPreset(*doc, row);
    resetDisplay(*doc);
    refreshTitle();
}

}  // namespace

#define INITIALIZE(name, row)                                                         \
    G_MODULE_EXPORT void menuInitialize##name##_activate_cb(GtkMenuItem*, gpointer) { \
        load(row);                                                                    \
    }

extern "C" {

INITIALIZE(Clear, WORK_ROW)
INITIALIZE(Archtop, 1)
INITIALIZE(Dreadnought, 2)
INITIALIZE(Jumbo, 3)
INITIALIZE(Classical, 4)
INITIALIZE(Parlor, 5)
INITIALIZE(SteelString, 6)
INITIALIZE(ABG, 7)
INITIALIZE(OM, 8)
INITIALIZE(SopranoUke, 9)
INITIALIZE(TenorUke, 10)
INITIALIZE(ConcertUke, 11)

}  // extern "C"
