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
#define PRESET(key, name, caption) INITIALIZE(key, presetRows::key)

extern "C" {

INITIALIZE(Clear, WORK_ROW)
#include "model/presets.def"

}  // extern "C"
