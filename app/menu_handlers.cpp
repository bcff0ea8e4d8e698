// The Initialize menu: a preset or the cleared form goes into the form and the
// drawing is blanked and fitted to the new design; nothing is drawn until the
// next stepper click, Try it or Ok. Unsaved work is asked about first; the
// load is one step to undo.

#include <gtk/gtk.h>

#include "app/app_context.h"
#include "app/design_access.h"
#include "model/presets.h"

using namespace bowlyn;

namespace {

void load(int row) {
    Session* session = app().session;
    if (!session || !mayLeaveDesign(Leaving::LoadingAnother))
        return;
    UserAction choose;
    session->load(presetTexts(row), "");
}

}  // namespace

#define INITIALIZE(name, row)                                                         \
    G_MODULE_EXPORT void menuInitialize##name##_activate_cb(GtkMenuItem*, gpointer) { \
        load(row);                                                                    \
    }
#define PRESET(key, name, caption) INITIALIZE(key, presetRows::key)

extern "C" {

INITIALIZE(Clear, CLEAR_ROW)
#include "model/presets.def"

}  // extern "C"
