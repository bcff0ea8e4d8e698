#pragma once

#include "model/dialogs.h"
#include "session/session.h"

namespace bowlyn {

// Overlays > Take a snapshot: keeps the outline of the last complete pass
// (run again first when a value was committed since), or refuses when there
// is none.
void takeSnapshot(Session& session, Dialogs& dialogs);

}  // namespace bowlyn
