#include "app/design_access.h"

#include "app/app_context.h"
#include "app/form_signals.h"
#include "app/gtk_form.h"
#include "model/form_editing.h"

namespace bowlyn {

void commitEntry(const std::string& widget) {
    Session* session = app().session;
    GtkForm* form = app().form;
    const Control* control = controlNamed(widget);
    if (!session || !form || !control)
        return;
    if (control->kind == ControlKind::Entry || control->kind == ControlKind::Text) {
        UserAction leave;
        commitText(session->design, control->field, form->text(widget));
    }
}

Session* sessionToRead() {
    Session* session = app().session;
    if (session && app().form) {
        UserAction commit;
        commitEntry(app().form->focused());
    }
    return session;
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
        const bool inches = session->design.params.units == UNITS_INCH;
        form->setSensitive("menuConvertToCentimetres", inches);
        form->setSensitive("menuConvertToInches", !inches);
        form->showTooltips(session->design.params.units);
    }
}

bool mayLeaveDesign(Leaving leaving) {
    Session* session = sessionToRead();
    if (!session)
        return true;  // nothing open, nothing to lose
    if (!app().dialogs)
        return !session->unsavedChanges();
    return confirmLeaving(*session, *app().dialogs, leaving);
}

}  // namespace bowlyn
