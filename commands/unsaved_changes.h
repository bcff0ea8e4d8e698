#pragma once

#include <string>

#include "geometry/document.h"
#include "model/dialogs.h"

namespace bowlyn {

enum class Leaving { Closing, LoadingAnother };

// Before the design is closed or replaced: true when that may go on, because
// nothing was changed since the design was last loaded or saved, or the user
// chose to discard the changes, or chose to save them and the save succeeded.
bool confirmLeaving(Document& doc, Dialogs& dialogs, Leaving leaving);

// The design's name in the title and the question: the file's name, or
// "Untitled" before the first save.
std::string designTitleName(const Design& design);
// "om.bowlyn* - Bowlyn": the name, a "*" while there are unsaved changes.
std::string windowTitle(const Design& design);

}  // namespace bowlyn
