#pragma once

#include <string>

#include "model/export_settings.h"

namespace bowlyn {

enum class FileDialogMode { Open, Save, Export };
enum class SaveChoice { Save, Discard, Cancel };

// Which of the export settings a chooser asks for beside the name.
struct ExportChoices {
    bool unit = false, mould = false;
    bool paper = false;  // a template's paper
    bool dxf = false;    // a CAM DXF's version and flattening
    bool any() const { return unit || mould || paper || dxf; }
};

// An export's file chooser: its title, the files it lists and what it asks.
struct ExportRequest {
    std::string title;          // "Export for CAM"
    std::string filterCaption;  // "SVG Files, (*.svg)"
    std::string extension;      // ".svg": the files it lists
    ExportChoices choices;
};

// What the user chose: the file, and the settings the chooser asked for
// (the others as they are by default). An empty path when cancelled.
struct ExportChoice {
    std::string path;
    ExportSettings settings;
};

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
    // The chosen full path, or "" when cancelled. `initialFolder` may be "";
    // `initialName` is the name the chooser starts with ("" for none).
    virtual std::string chooseFile(FileDialogMode mode, const std::string& initialFolder,
                                   const std::string& initialName) = 0;
    // The file chooser of an export with its choices beside the name. By
    // default the plain chooser of an export and the settings as they are.
    virtual ExportChoice chooseExportFile(const ExportRequest&, const std::string& initialFolder,
                                          const std::string& initialName) {
        return {chooseFile(FileDialogMode::Export, initialFolder, initialName), {}};
    }
};

}  // namespace bowlyn
