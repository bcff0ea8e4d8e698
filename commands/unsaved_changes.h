#pragma once

#include "model/dialogs.h"
#include "session/session.h"

namespace bowlyn {

enum class Leaving { Closing, LoadingAnother };

// Before the design is closed or replaced: true when that may go on, because
// nothing was changed since the design was last loaded or saved, or the user
// chose to discard the changes, or chose to save them and the save succeeded.
bool confirmLeaving(Session& session, Dialogs& dialogs, Leaving leaving);

}  // namespace bowlyn
