#include "app/design_access.h"

#include "app/app_context.h"
#include "app/form_signals.h"
#include "app/gtk_form.h"
#include "commands/edit_commands.h"
#include "model/form_editing.h"
#include "model/parameter_file.h"

namespace bowlyn {

Document* designToRead() {
    Document* doc = app().doc;
    if (doc) {
        commitFocusedEntry(*doc);
        rememberEdit();
    }
    return doc;
}

void rememberEdit() {
    Document* doc = app().doc;
    if (!doc)
        return;
    noteEdit(*doc);
    if (GtkForm* form = app().form) {
        form->setSensitive("menuUndo", doc->history.canUndo());
        form->setSensitive("menuRedo", doc->history.canRedo());
    }
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
