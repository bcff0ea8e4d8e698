#include "commands/file_commands.h"

#include <sys/stat.h>

#include "commands/unsaved_changes.h"
#include "model/atomic_file.h"
#include "model/parameter_file.h"
#include "model/text_case.h"

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

}  // namespace

ExportChoice chooseTarget(
    Session& session, Dialogs& dialogs, const std::string& extension, bool forgetFolderOnCancel,
    const std::function<ExportChoice(const std::string& folder, const std::string& name)>& ask) {
    const std::string capitals = upperCase(extension);
    const std::string suggested = suggestedFileName(session, extension);
    for (;;) {
        ExportChoice choice = ask(session.lastDirectory, suggested);
        if (choice.path.empty()) {
            if (forgetFolderOnCancel)
                session.lastDirectory = "";
            return choice;
        }
        session.lastDirectory = directoryPart(choice.path);
        choice.path = withExtension(choice.path, extension.c_str(), capitals.c_str());
        if (!fileExists(choice.path) || dialogs.askYesNo(overwriteQuestion(choice.path)))
            return choice;
    }
}

std::string suggestedFileName(const Session& session, const std::string& extension) {
    std::string stem;
    if (const std::string file = session.saveTarget(); !file.empty()) {
        stem = lastPart(file);
        const size_t dot = stem.rfind('.');
        if (dot != std::string::npos && dot > 0)
            stem.erase(dot);  // its extension gives way to the one asked for
    } else {
        stem = designTitle(session.design);
        for (char& c : stem) {
            if (c == '/')
                c = '-';  // a name, not a path
        }
    }
    return stem.empty() ? "" : stem + extension;
}

void showWritten(Session& session, const std::string& path, const std::string& summary,
                 const std::string& notice) {
    session.showStatus("Wrote " + lastPart(path) + (summary.empty() ? "" : ": " + summary) +
                       (notice.empty() ? "" : ". " + notice));
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
    FieldTexts texts;
    switch (readParameterFile(name, texts)) {
        case ReadResult::Loaded:
            session.load(texts, name);
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
        // Save As keeps the folder when cancelled.
        name =
            chooseTarget(session, dialogs, ".bowlyn", false,
                         [&](const std::string& folder, const std::string& suggested) {
                             return ExportChoice{
                                 dialogs.chooseFile(FileDialogMode::Save, folder, suggested), {}};
                         })
                .path;
        if (name.empty())
            return false;
    }
    std::string failure = writeParameterFile(session.design, name);
    if (!failure.empty()) {
        dialogs.showError(writeFailure(name, failure));
        return false;  // Save must keep asking until a file really holds the design
    }
    session.saved(name);
    return true;
}

}  // namespace bowlyn
