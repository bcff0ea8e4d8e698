#include "commands/file_commands.h"

#include <sys/stat.h>

#include <optional>

#include "commands/unsaved_changes.h"
#include "export/solved_design.h"
#include "geometry/document.h"
#include "geometry/pass_display.h"
#include "model/atomic_file.h"
#include "model/form.h"
#include "model/parameter_file.h"
#include "render/dxf_writer.h"

namespace bowlyn {
namespace {

std::string quoted(const char* format, const std::string& name) {
    std::string message = format;
    size_t at = message.find("%s");
    return message.replace(at, 2, name);
}

std::string lastPart(const std::string& path) {
    return path.substr(path.rfind('/') + 1);  // npos + 1 is 0
}

// Asks for a name until one is chosen that may be written: a new file, or an
// existing one the user agreed to replace. "" when the dialog is cancelled.
std::string chooseTarget(Session& session, Dialogs& dialogs, FileDialogMode mode, const char* lower,
                         const char* upper) {
    const std::string suggested = suggestedFileName(session, lower);
    for (;;) {
        std::string chosen = dialogs.chooseFile(mode, session.lastDirectory, suggested);
        if (chosen.empty()) {
            // The export forgets the folder when cancelled; Save As keeps it.
            if (mode == FileDialogMode::Export)
                session.lastDirectory = "";
            return "";
        }
        session.lastDirectory = directoryPart(chosen);
        std::string name = withExtension(chosen, lower, upper);
        if (!fileExists(name) || dialogs.askYesNo(overwriteQuestion(name)))
            return name;
    }
}

}  // namespace

std::string suggestedFileName(const Session& session, const std::string& extension) {
    std::string stem;
    if (const std::string file = session.saveTarget(); !file.empty()) {
        stem = lastPart(file);
        const size_t dot = stem.rfind('.');
        if (dot != std::string::npos && dot > 0)
            stem.erase(dot);  // its extension gives way to the one asked for
    } else {
        stem = designTitle(session.doc());
        for (char& c : stem) {
            if (c == '/')
                c = '-';  // a name, not a path
        }
    }
    return stem.empty() ? "" : stem + extension;
}

void showWritten(Document& doc, const std::string& path, const std::string& summary) {
    doc.form.setText(STATUS_LABEL,
                     "Wrote " + lastPart(path) + (summary.empty() ? "" : ": " + summary));
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

bool openFile(Session& session, Dialogs& dialogs, const std::string& name) {
    session.lastDirectory = directoryPart(name);
    if (!fileExists(name)) {
        dialogs.showError(quoted("File not found: '%s'", name));
        return false;
    }
    switch (readParameterFile(session.doc(), name)) {
        case ReadResult::Loaded:
            session.loaded(name);
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

void openCommand(Session& session, Dialogs& dialogs) {
    if (!confirmLeaving(session, dialogs, Leaving::LoadingAnother))
        return;
    for (;;) {
        std::string name = dialogs.chooseFile(FileDialogMode::Open, session.lastDirectory, "");
        if (name.empty() || openFile(session, dialogs, name))
            return;
    }
}

bool saveCommand(Session& session, Dialogs& dialogs, SaveVariant variant) {
    std::string name;
    if (variant == SaveVariant::Save && !session.fileName().empty()) {
        // A design opened from "design.txt" is saved as "design.txt.bowlyn"
        // (the title says so); the file it came from stays as it was. That
        // other file may exist already, and replacing it unasked would lose it.
        name = session.saveTarget();
        session.lastDirectory = directoryPart(name);
        if (name != session.fileName() && fileExists(name) &&
            !dialogs.askYesNo(overwriteQuestion(name)))
            name.clear();
    }
    if (name.empty()) {
        name = chooseTarget(session, dialogs, FileDialogMode::Save, ".bowlyn", ".BOWLYN");
        if (name.empty())
            return false;
    }
    std::string failure = writeParameterFile(session.doc(), name);
    if (!failure.empty()) {
        dialogs.showError(writeFailure(name, failure));
        return false;  // Save must keep asking until a file really holds the design
    }
    session.saved(name);
    return true;
}

bool exportDxf(Session& session, Dialogs& dialogs) {
    Document& doc = session.doc();
    if (!bringPassUpToDate(doc) || !doc.drawing.entities.ended()) {
        dialogs.showError(outlineIncompleteMessage(".dxf"));
        return false;
    }
    std::optional<std::string> text = dxfText(doc.drawing.entities);
    if (!text) {
        // Cannot happen after a complete pass; refuse rather than write a
        // file with part of the drawing missing or unreadable numbers.
        dialogs.showError("The outline holds a value that cannot be written to a .dxf file.");
        return false;
    }
    std::string name = chooseTarget(session, dialogs, FileDialogMode::Export, ".dxf", ".DXF");
    if (name.empty())
        return false;
    std::string failure = writeFileAtomically(name, *text);
    if (!failure.empty()) {
        dialogs.showError(writeFailure(name, failure));
        return false;
    }
    showWritten(doc, name);
    return true;
}

}  // namespace bowlyn
