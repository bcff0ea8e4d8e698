#include "commands/unsaved_changes.h"

#include "commands/file_commands.h"
#include "model/parameter_file.h"

namespace bowlyn {

bool confirmLeaving(Document& doc, Dialogs& dialogs, Leaving leaving) {
    if (!hasUnsavedChanges(doc))
        return true;
    const std::string question =
        "Save changes to the design '" + designTitleName(doc) +
        (leaving == Leaving::Closing ? "' before closing?" : "' before loading another design?");
    switch (dialogs.askSaveChanges(question)) {
        case SaveChoice::Save:
            return saveCommand(doc, dialogs, SaveVariant::Save);
        case SaveChoice::Discard:
            return true;
        case SaveChoice::Cancel:
            break;
    }
    return false;
}

std::string designTitleName(const Design& design) {
    const std::string& path = design.currentFileName;
    if (path.empty())
        return "Untitled";
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string windowTitle(const Design& design) {
    return designTitleName(design) + (hasUnsavedChanges(design) ? "*" : "") + " - Bowlyn";
}

}  // namespace bowlyn
