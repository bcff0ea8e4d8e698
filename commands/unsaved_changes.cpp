#include "commands/unsaved_changes.h"

#include "commands/file_commands.h"

namespace bowlyn {

bool confirmLeaving(Session& session, Dialogs& dialogs, Leaving leaving) {
    if (!session.unsavedChanges())
        return true;
    const std::string question =
        "Save changes to the design '" + designTitleName(session) +
        (leaving == Leaving::Closing ? "' before closing?" : "' before loading another design?");
    switch (dialogs.askSaveChanges(question)) {
        case SaveChoice::Save:
            return saveCommand(session, dialogs, SaveVariant::Save);
        case SaveChoice::Discard:
            return true;
        case SaveChoice::Cancel:
            break;
    }
    return false;
}

}  // namespace bowlyn
