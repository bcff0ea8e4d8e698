#pragma once

#include <string>

#include "commands/unsaved_changes.h"
#include "session/session.h"

namespace bowlyn {

// The open design's session for a command that reads it. The entry holding
// the keyboard focus is committed first, exactly as leaving it would, as a
// step of its own (so a value typed and not yet committed is never ignored,
// and can be undone). nullptr without a window.
Session* sessionToRead();

// The entry `widget` committed: its text becomes its field's and the value
// is stored, as leaving it does. Nothing for a widget that is no entry of a
// field, or without a window.
void commitEntry(const std::string& widget);

// One user action in the window: one step of undo however many signals the
// widgets send on the way; the form, the title and the Edit menu follow when
// it ends. Nothing without a window.
class UserAction {
  public:
    UserAction();
    ~UserAction();
    UserAction(const UserAction&) = delete;
    UserAction& operator=(const UserAction&) = delete;

  private:
    Session* session_;
};

// The title and the Edit menu as the session now is.
void sessionChanged();

// Whether the open design may be closed or replaced: asks about unsaved
// changes (saving them if the user says so). True without a window.
bool mayLeaveDesign(Leaving leaving);

}  // namespace bowlyn
