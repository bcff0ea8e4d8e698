#include "app/design_access.h"

#include "app/app_context.h"
#include "app/form_signals.h"
#include "model/form_editing.h"
#include "model/parameter_file.h"

namespace bowlyn {

Document* designToRead() {
    Document* doc = app().doc;
    if (doc)
        commitFocusedEntry(*doc);
    return doc;
}

bool mayLeaveDesign(Leaving leaving) {
    Document* doc = designToRead();
    if (!doc)
        return true;  // nothing open, nothing to lose
    if (!app().dialogs)
        return !hasUnsavedChanges(*doc);
    const bool leave = confirmLeaving(*doc, *app().dialogs, leaving);
    refreshTitle();  // a save on the way changes the name or the mark
    return leave;
}

}  // namespace bowlyn
