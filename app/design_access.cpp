#include "app/design_access.h"

#include "app/app_context.h"
#include "app/form_signals.h"
#include "app/gtk_form.h"
#include "model/form_editing.h"

namespace bowlyn {

Document* designToRead() {
    Document* doc = app().doc;
    if (doc) {
        UserAction commit;
        commitFocusedEntry(*doc);
    }
    return doc;
}

UserAction::UserAction() : session_(app().session) {
    if (session_)
        session_->beginAction();
}

UserAction::~UserAction() {
    if (session_)
        session_->endAction();
}

void sessionChanged() {
    refreshTitle();
    const Session* session = app().session;
    if (GtkForm* form = app().form; form && session) {
        form->setSensitive("menuUndo", session->canUndo());
        form->setSensitive("menuRedo", session->canRedo());
        const bool inches = session->doc().params.units == UNITS_INCH;
        form->setSensitive("menuConvertToCentimetres", inches);
        form->setSensitive("menuConvertToInches", !inches);
        form->showTooltips(session->doc().params.units);
    }
}

bool mayLeaveDesign(Leaving leaving) {
    Document* doc = designToRead();
    Session* session = app().session;
    if (!doc || !session)
        return true;  // nothing open, nothing to lose
    if (!app().dialogs)
        return !session->unsavedChanges();
    return confirmLeaving(*session, *app().dialogs, leaving);
}

}  // namespace bowlyn
