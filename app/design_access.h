#pragma once

#include "commands/unsaved_changes.h"
#include "geometry/document.h"

namespace bowlyn {

// The open design for a command that reads it. The entry holding the keyboard
// focus is committed first, exactly as leaving it would, so a value typed and
// not yet committed is never ignored (and can be undone). nullptr without a
// window.
Document* designToRead();

// After a committed change: remembers the form for undo and brings the Edit
// menu up to date.
void rememberEdit();

// Whether the open design may be closed or replaced: asks about unsaved
// changes (saving them if the user says so). True without a window.
bool mayLeaveDesign(Leaving leaving);

}  // namespace bowlyn
