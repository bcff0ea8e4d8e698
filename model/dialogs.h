#pragma once

#include <string>

namespace bowlyn {

enum class FileDialogMode { Open, Save, Export };
enum class SaveChoice { Save, Discard, Cancel };

// Message boxes, the Yes/No question, the question about unsaved work and the
// file chooser. The GTK shell shows real dialogs; tests and the command line
// script the answers.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual void showError(const std::string& message) = 0;
    virtual void showWarning(const std::string& message) = 0;
    // True only for an explicit Yes.
    virtual bool askYesNo(const std::string& question) = 0;
    // Whether to save unsaved work first; closing the question is Cancel.
    virtual SaveChoice askSaveChanges(const std::string& question) = 0;
    // The chosen full path, or "" when cancelled. `initialFolder` may be "".
    virtual std::string chooseFile(FileDialogMode mode, const std::string& initialFolder) = 0;
};

}  // namespace bowlyn
