#include "commands/file_commands.h"

#include <sys/stat.h>

#include <optional>

#include "commands/unsaved_changes.h"
#include "export/solved_design.h"
#include "geometry/pass_display.h"
#include "model/atomic_file.h"
#include "model/parameter_file.h"
#include "render/dxf_writer.h"

namespace bowlyn {
namespace {

std::string quoted(const char* format, const std::string& name) {
    std::string message = format;
    size_t at = message.find("%s");
    return message.replace(at, 2, name);
}

bool endsWith(const std::string& s, const char* suffix) {
    std::string tail = suffix;
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Asks for a name until one is chosen that may be written: a new file, or an
// existing one the user agreed to replace. "" when the dialog is cancelled.
std::string chooseTarget(Design& design, Dialogs& dialogs, FileDialogMode mode, const char* lower,
                         const char* upper) {
    for (;;) {
        std::string chosen = dialogs.chooseFile(mode, design.lastDirectory);
        if (chosen.empty()) {
            // The export forgets the folder when cancelled; Save As keeps it.
            if (mode == FileDialogMode::Export)
                design.lastDirectory = "";
            return "";
        }
        design.lastDirectory = directoryPart(chosen);
        std::string name = withExtension(chosen, lower, upper);
        if (!fileExists(name) || dialogs.askYesNo(overwriteQuestion(name)))
            return name;
    }
}

}  // namespace

std::string withExtension(const std::string& name, const char* lower, const char* upper) {
    if (endsWith(name, lower) || endsWith(name, upper) || writtenAsNamed(name))
        return name;
    return name + lower;
}

std::string overwriteQuestion(const std::string& name) {
    return quoted("File '%s' exists. Overwrite it?", name);
}

std::string writeFailure(const std::string& name, const std::string& reason) {
    return "Could not write '" + name + "': " + reason;
}

bool fileExists(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string directoryPart(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool openFile(Document& doc, Dialogs& dialogs, const std::string& name) {
    doc.lastDirectory = directoryPart(name);
    if (!fileExists(name)) {
        dialogs.showError(quoted("File not found: '%s'", name));
        return false;
    }
    switch (readParameterFile(doc, name)) {
        case ReadResult::Loaded:
            resetDisplay(doc);
            return true;
        case ReadResult::NotFound:  // vanished or unreadable since the test above
            dialogs.showError(quoted("File not found: '%s'", name));
            break;
        case ReadResult::NotParameterFile:
            dialogs.showError(quoted("File not a Bowlyn parameter file: '%s'", name));
            break;
    }
    return false;
}

void openCommand(Document& doc, Dialogs& dialogs) {
    if (!confirmLeaving(doc, dialogs, Leaving::LoadingAnother))
        return;
    for (;;) {
        std::string name = dialogs.chooseFile(FileDialogMode::Open, doc.lastDirectory);
        if (name.empty() || openFile(doc, dialogs, name))
            return;
    }
}

bool saveCommand(Document& doc, Dialogs& dialogs, SaveVariant variant) {
    std::string name;
    if (variant == SaveVariant::Save && !doc.currentFileName.empty()) {
        // A design opened from "design.txt" is saved as "design.txt.bowlyn";
        // the file it came from stays as it was. That other file may exist
        // already, and replacing it unasked would lose it.
        name = withExtension(doc.currentFileName, ".bowlyn", ".BOWLYN");
        doc.lastDirectory = directoryPart(name);
        if (name != doc.currentFileName && fileExists(name) &&
            !dialogs.askYesNo(overwriteQuestion(name)))
            name.clear();
    }
    if (name.empty()) {
        name = chooseTarget(doc, dialogs, FileDialogMode::Save, ".bowlyn", ".BOWLYN");
        if (name.empty())
            return false;
    }
    std::string failure = writeParameterFile(doc, name);
    if (!failure.empty()) {
        dialogs.showError(writeFailure(name, failure));
        return false;  // Save must keep asking until a file really holds the design
    }
    doc.currentFileName = name;
    markSaved(doc);
    return true;
}

void exportDxf(Document& doc, Dialogs& dialogs) {
    if (!bringPassUpToDate(doc) || !doc.drawing.entities.ended()) {
        dialogs.showError(outlineIncompleteMessage(".dxf"));
        return;
    }
    std::optional<std::string> text = dxfText(doc.drawing.entities);
    if (!text) {
        // Cannot happen after a complete pass; refuse rather than write a
        // file with part of the drawing missing or unreadable numbers.
        dialogs.showError("The outline holds a value that cannot be written to a .dxf file.");
        return;
    }
    std::string name = chooseTarget(doc, dialogs, FileDialogMode::Export, ".dxf", ".DXF");
    if (name.empty())
        return;
    std::string failure = writeFileAtomically(name, *text);
    if (!failure.empty())
        dialogs.showError(writeFailure(name, failure));
}

}  // namespace bowlyn
