#include "paper/pdf_template.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <string>
#include <vector>

#include "formats/utf8_text.h"
#include "paper/template_date.h"
#include "paper/template_furniture.h"
#include "paper/template_page.h"

namespace bowlyn {
namespace {

cairo_status_t append(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

double points(double millimetres) {
    return millimetres / MM_PER_POINT;
}

}  // namespace

TemplatePdf templatePdf(const TemplatePlan& plan, const std::string& created) {
    TemplatePdf result;
    if (plan.pages.empty()) {
        result.problem = "The template has no pages.";
        return result;
    }
    const TemplatePage& first = plan.pages.front();
    cairo_surface_t* surface = cairo_pdf_surface_create_for_stream(
        append, &result.bytes, points(first.width), points(first.height));
    const std::string& title = plan.settings.title;
    cairo_pdf_surface_set_metadata(
        surface, CAIRO_PDF_METADATA_TITLE,
        printableText(title.empty() ? "Full-size template" : title + ": full-size template")
            .c_str());
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "Bowlyn");
    if (!created.empty())
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE, created.c_str());
    cairo_t* cr = cairo_create(surface);
    for (size_t i = 0; i < plan.pages.size(); ++i) {
        const TemplatePage& page = plan.pages[i];
        cairo_pdf_surface_set_size(surface, points(page.width), points(page.height));
        paintTemplatePage(cr, plan, i);
        cairo_show_page(cr);
    }
    cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    if (status == CAIRO_STATUS_SUCCESS)
        status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        result.bytes.clear();
        result.problem =
            std::string("The template could not be drawn: ") + cairo_status_to_string(status);
    }
    return result;
}

std::string templateSummary(const TemplatePlan& plan) {
    const size_t pages = plan.pages.size();
    size_t stripPages = 0, boardPages = 0, tablePages = 0;
    for (const TemplatePage& p : plan.pages) {
        if (p.kind == TemplatePage::Kind::FretTable)
            ++tablePages;
        else if (p.strip >= 0)
            ++(plan.strips.at(static_cast<size_t>(p.strip)).fretboard ? boardPages : stripPages);
    }
    // "a, b and c"
    std::vector<std::string> parts;
    auto listed = [&]() {
        std::string text;
        for (size_t i = 0; i < parts.size(); ++i)
            text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
        return text;
    };
    auto sheets = [&](size_t n, const char* what) {
        if (n > 0)
            parts.push_back(std::to_string(n) + " of the " + what);
    };
    auto extras = [&]() {
        sheets(stripPages, stripPages == 1 ? "side strip" : "side strips");
        sheets(boardPages, "fretboard");
        if (tablePages > 0)
            parts.push_back("the fret table");
    };
    if (plan.settings.paper.fullSize()) {
        if (pages == 1)
            return "1 page at full size";
        parts.push_back("the body");
        extras();
        return std::to_string(pages) + " pages at full size (" + listed() + ")";
    }
    const size_t tiles = pages - 1 - stripPages - boardPages - tablePages;
    const bool landscape = tiles > 0 && plan.pages[1].landscape;
    parts.push_back("a map");
    parts.push_back(std::to_string(tiles) + (tiles == 1 ? " tile" : " tiles") + " in " +
                    (landscape ? "landscape" : "portrait"));
    extras();
    return std::to_string(pages) + " pages of " + plan.settings.paper.name + " (" + listed() + ")";
}

ExportFile templatePdfFile(const SolvedDesign& design, const ExportSettings& settings,
                           const std::string& title) {
    ExportFile file;
    TemplateSettings s;
    static_cast<ExportSettings&>(s) = settings;
    s.title = title;
    const TemplateDate date = templateDateNow();
    s.date = date.day;
    const PlanResult plan = planTemplate(design, s);
    if (!plan.problem.empty()) {
        file.problem = plan.problem;
        return file;
    }
    TemplatePdf pdf = templatePdf(plan.plan, date.instant);
    file.bytes = std::move(pdf.bytes);
    file.failure = std::move(pdf.problem);
    file.summary = templateSummary(plan.plan);
    file.notice = plan.plan.notice;
    return file;
}

}  // namespace bowlyn
