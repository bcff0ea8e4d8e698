#include "commands/export_commands.h"

#include "commands/file_commands.h"
#include "formats/fret_table.h"
#include "model/atomic_file.h"

namespace bowlyn {
namespace {

// Shows why a file is not made, if it is not; true then.
bool refused(const ExportFile& file, Dialogs& dialogs) {
    const std::string& why = file.problem.empty() ? file.failure : file.problem;
    if (!why.empty())
        dialogs.showError(why);
    return !why.empty();
}

}  // namespace

std::optional<SolvedDesign> upToDateDesign(Session& session) {
    if (!session.bringPassUpToDate())
        return std::nullopt;
    return solvedDesign(*session.pass(), session.design);
}

bool exportFile(Session& session, Dialogs& dialogs, const ExportFormat& format) {
    const std::optional<SolvedDesign> design = upToDateDesign(session);
    if (!design) {
        dialogs.showError(outlineIncompleteMessage(format.extension()));
        return false;
    }
    const std::string title = designTitle(session.design);
    // A file that depends on nothing chosen beside its name is made before
    // the name is asked, so that a refusal comes first.
    std::optional<ExportFile> file;
    if (!format.chooser.choices.any()) {
        file = format.write(*design, ExportSettings{}, title);
        if (refused(*file, dialogs))
            return false;
    }
    const ExportChoice choice =
        chooseTarget(session, dialogs, format.extension(), true,
                     [&](const std::string& folder, const std::string& name) {
                         return dialogs.chooseExportFile(format.chooser, folder, name);
                     });
    if (choice.path.empty())
        return false;
    if (!file) {
        file = format.write(*design, choice.settings, title);
        if (refused(*file, dialogs))
            return false;
    }
    const std::string failure = writeFileAtomically(choice.path, file->bytes);
    if (!failure.empty()) {
        dialogs.showError(writeFailure(choice.path, failure));
        return false;
    }
    // The status line has room for a template's count of pages and its
    // paper, not the details.
    showWritten(session, choice.path, file->summary.substr(0, file->summary.find(" (")),
                file->notice);
    return true;
}

bool exportDxf(Session& session, Dialogs& dialogs) {
    return exportFile(session, dialogs, exportFormats().front());
}

bool showFretTable(Session& session, Dialogs& dialogs) {
    const std::optional<SolvedDesign> design = upToDateDesign(session);
    if (!design) {
        dialogs.showError(FRET_TABLE_NEEDS_OUTLINE);
        return false;
    }
    if (design->frets.empty()) {
        dialogs.showError(FRET_TABLE_NEEDS_FRETBOARD);
        return false;
    }
    const LengthUnit unit = designUnit(design->units);
    std::vector<std::vector<std::string>> rows;
    for (const FretTableRow& row : fretTable(design->frets, unit, unit)) {
        const auto cells = fretTableCells(row, 0, workshopDecimals(unit));
        rows.emplace_back(cells.begin(), cells.end());
    }
    const std::string title = designTitle(session.design);
    dialogs.showTable((title.empty() ? "Fret table" : "Fret table of " + title) + " (" +
                          unitName(unit) + ", angles in degrees)",
                      {FRET_TABLE_COLUMNS.begin(), FRET_TABLE_COLUMNS.end()}, rows);
    return true;
}

}  // namespace bowlyn
