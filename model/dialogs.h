#pragma once

#include <string>
#include <vector>

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

// An outline's file chooser: the file, the unit of a file that names none
// and a picture's resolution as typed (pixels per inch). An empty path when
// cancelled.
struct OutlineChoice {
    std::string path;
    LengthUnit unit = LengthUnit::Millimetre;
    std::string dpi;
};

// Message boxes, the Yes/No question, the question about unsaved work and the
// file chooser. The GTK shell shows real dialogs; tests and the command line
// script the answers.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual void showError(const std::string& message) = 0;
    virtual void showWarning(const std::string& message) = 0;
    // A report to read (what a fit found). By default shown as a warning.
    virtual void showInfo(const std::string& message) { showWarning(message); }
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
    // A table to read (the fret table): its title, the columns' captions and
    // the rows of cell texts. Where no one reads it, nothing is shown.
    virtual void showTable(const std::string& /*title*/,
                           const std::vector<std::string>& /*columns*/,
                           const std::vector<std::vector<std::string>>& /*rows*/) {}
    // The chooser of File > Import outline...: by default the plain open
    // chooser, millimetres and no resolution.
    virtual OutlineChoice chooseOutlineFile(const std::string& initialFolder) {
        return {chooseFile(FileDialogMode::Open, initialFolder, ""), LengthUnit::Millimetre, ""};
    }
};

}  // namespace bowlyn
