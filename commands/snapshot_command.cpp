#include "commands/snapshot_command.h"

namespace bowlyn {

void takeSnapshot(Session& session, Dialogs& dialogs) {
    if (!session.bringPassUpToDate()) {
        dialogs.showError(
            "A complete body outline must be successfully generated before a snapshot can be "
            "taken.");
        return;
    }
    session.overlays.snapshot = session.pass()->outline;
}

}  // namespace bowlyn
