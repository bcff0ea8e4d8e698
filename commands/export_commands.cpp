#include "commands/export_commands.h"

#include <cctype>
#include <charconv>
#include <limits>

#include "commands/file_commands.h"
#include "export/export_file.h"
#include "export/pdf_template.h"
#include "export/solved_design.h"
#include "export/template_date.h"
#include "export/template_plan.h"
#include "geometry/pass_display.h"
#include "model/atomic_file.h"
#include "model/parameter_file.h"

namespace bowlyn {
namespace {

std::string upper(const std::string& s) {
    std::string out = s;
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// Asks until a name is chosen that may be written, as the DXF export does;
// an empty path when the chooser is cancelled.
ExportChoice chooseTarget(Session& session, Dialogs& dialogs, const ExportRequest& request) {
    const std::string capital = upper(request.extension);
    const std::string suggested = suggestedFileName(session, request.extension);
    for (;;) {
        ExportChoice choice = dialogs.chooseExportFile(request, session.lastDirectory, suggested);
        if (choice.path.empty()) {
            session.lastDirectory = "";
            return choice;
        }
        session.lastDirectory = directoryPart(choice.path);
        choice.path = withExtension(choice.path, request.extension.c_str(), capital.c_str());
        if (!fileExists(choice.path) || dialogs.askYesNo(overwriteQuestion(choice.path)))
            return choice;
    }
}

struct Bytes {
    std::string bytes, problem;
    std::string summary;  // what a template holds: "11 pages of A4"
};

// The mould's distance as typed beside the name: none when blank. Text that
// is no number goes on as NaN, which the mould refuses with its own message.
std::optional<double> mouldDistance(const std::string& typed) {
    const size_t first = typed.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    const std::string text = typed.substr(first, typed.find_last_not_of(" \t") + 1 - first);
    double v = 0.0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size())
        return std::numeric_limits<double>::quiet_NaN();
    return v;
}

Bytes templateBytes(const SolvedDesign& design, const ExportChoice& choice,
                    const std::string& title) {
    TemplateSettings settings;
    settings.mouldDistance = mouldDistance(choice.mould);
    if (std::optional<Paper> paper = paperByName(choice.paper))
        settings.paper = *paper;
    settings.unit = unitByName(choice.unit);
    settings.title = title;
    const TemplateDate date = templateDateNow();
    settings.date = date.day;
    PlanResult plan = planTemplate(design, settings);
    if (!plan.problem.empty())
        return {"", plan.problem, ""};
    TemplatePdf pdf = templatePdf(plan.plan, date.instant);
    // The status line has room for the count and the paper, not the details.
    std::string summary = templateSummary(plan.plan);
    summary = summary.substr(0, summary.find(" ("));
    return {std::move(pdf.bytes), std::move(pdf.problem), std::move(summary)};
}

Bytes fileBytes(const SolvedDesign& design, WorkshopFile file, const ExportChoice& choice,
                const std::string& title) {
    if (file == WorkshopFile::PdfTemplate)
        return templateBytes(design, choice, title);
    const ExportFormat format =
        file == WorkshopFile::Svg ? ExportFormat::Svg : ExportFormat::CamDxf;
    ExportOptions options;
    options.unit = unitByName(choice.unit);
    options.mouldDistance = mouldDistance(choice.mould);
    ExportText text = exportText(design, format, options, title);
    return {std::move(text.text), std::move(text.problem), ""};
}

}  // namespace

ExportRequest exportRequest(WorkshopFile file) {
    switch (file) {
        case WorkshopFile::CamDxf:
            return {"Export for CAM", "DXF Files, (*.dxf)", ".dxf", false};
        case WorkshopFile::Svg:
            return {"Export SVG", "SVG Files, (*.svg)", ".svg", false};
        case WorkshopFile::PdfTemplate:
            return {"Export PDF template", "PDF Files, (*.pdf)", ".pdf", true};
    }
    return {};
}

bool exportWorkshopFile(Session& session, Dialogs& dialogs, WorkshopFile file) {
    Document& doc = session.doc();
    std::optional<SolvedDesign> design;
    if (bringPassUpToDate(doc))
        design = solvedDesign(doc);
    if (!design) {
        dialogs.showError(outlineIncompleteMessage(exportRequest(file).extension));
        return false;
    }
    const ExportChoice choice = chooseTarget(session, dialogs, exportRequest(file));
    if (choice.path.empty())
        return false;
    // Made after the choice, which holds the unit and the paper; a design the
    // format cannot hold is refused before anything is written.
    const Bytes out = fileBytes(*design, file, choice, designTitle(doc));
    if (!out.problem.empty()) {
        dialogs.showError(out.problem);
        return false;
    }
    const std::string failure = writeFileAtomically(choice.path, out.bytes);
    if (!failure.empty()) {
        dialogs.showError(writeFailure(choice.path, failure));
        return false;
    }
    showWritten(doc, choice.path, out.summary);
    return true;
}

}  // namespace bowlyn
