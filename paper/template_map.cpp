// Page 1 of a tiled template: what it holds, and the whole drawing reduced
// with the grid of tiles, so that the sheets can be laid out in order.
#include <cairo.h>

#include <algorithm>
#include <string>
#include <vector>

#include "formats/export_numbers.h"
#include "paper/template_furniture.h"
#include "paper/template_page.h"

namespace bowlyn::template_parts {
namespace {

using namespace page_layout;

constexpr TextStyle HEADING = {12.0, true};
constexpr TextStyle BODY = {8.0, false};
constexpr TextStyle TILE_LABEL = {10.0, true};
constexpr TextStyle TILE_PAGE = {6.0, false};

// Decimals that show a length to a tenth of a millimetre or so.
int decimals(LengthUnit unit) {
    return unit == LengthUnit::Millimetre ? 1 : unit == LengthUnit::Centimetre ? 2 : 3;
}

std::string length(double v, LengthUnit unit) {
    return fixedText(v, decimals(unit)) + " " + unitName(unit);
}

std::string area(double v, LengthUnit unit) {
    return fixedText(v, std::max(0, decimals(unit) - 1)) + " " + unitName(unit) + "^2";
}

std::string percent(double v) {
    return fixedText(v, 2) + " %";
}

size_t bodyTiles(const TemplatePlan& plan) {
    size_t n = 0;
    for (const TemplatePage& p : plan.pages)
        n += p.kind == TemplatePage::Kind::Tile && p.strip < 0 ? 1 : 0;
    return n;
}

// The first and last page, from 1, that print the sheets of `strip` (the
// body's: -1) of a kind.
std::pair<int, int> pagesOf(const TemplatePlan& plan, int strip, TemplatePage::Kind kind) {
    int first = 0, last = 0;
    for (size_t p = 0; p < plan.pages.size(); ++p) {
        if (plan.pages[p].strip == strip && plan.pages[p].kind == kind) {
            first = first == 0 ? static_cast<int>(p) + 1 : first;
            last = static_cast<int>(p) + 1;
        }
    }
    return {first, last};
}

std::string pagesText(std::pair<int, int> pages) {
    const auto [first, last] = pages;
    return (first == last ? "page " : "pages ") + std::to_string(first) +
           (first == last ? "" : " to " + std::to_string(last));
}

// Where the side strips and the fretboard are and how far out the mould
// lies (in the map's unit).
std::string extrasLine(const TemplatePlan& plan) {
    using Kind = TemplatePage::Kind;
    std::string line;
    bool firstStrip = true;
    for (size_t i = 0; i < plan.strips.size(); ++i) {
        const StripSheets& s = plan.strips[i];
        const std::string pages = pagesText(pagesOf(plan, static_cast<int>(i), Kind::Tile));
        if (s.fretboard) {
            line += (line.empty() ? "" : ". ") + std::string("Fretboard and slot lines: ") + pages +
                    "; fret table: " + pagesText(pagesOf(plan, -1, Kind::FretTable));
            continue;
        }
        line += (firstStrip ? "Side strips: " : "; ") + s.prefix + " " + s.name + ", " + pages;
        firstStrip = false;
    }
    if (plan.settings.mould) {
        line += (line.empty() ? "" : ". ") + std::string("Mould outline (teal) ") +
                length(*plan.settings.mould, plan.unit) + " outside the body";
    }
    return line.empty() ? line : line + ".";
}

std::vector<std::string> headerLines(const TemplatePlan& plan, const TemplatePage& tile) {
    const TemplateSettings& s = plan.settings;
    const LengthUnit u = plan.unit;
    const UnitScale fromMm(LengthUnit::Millimetre, u);
    const TemplateDrawing& d = plan.drawing;
    std::vector<std::string> lines;
    const size_t tiles = bodyTiles(plan);
    lines.push_back(std::to_string(plan.pages.size()) + " pages of " + s.paper.name +
                    ": this map and " + std::to_string(tiles) + (tiles == 1 ? " tile" : " tiles") +
                    " in " + (tile.landscape ? "landscape" : "portrait") + ", overlapping by " +
                    fixedText(s.overlap, 1) + " mm.");
    std::string size = "Drawing " +
                       fixedText(fromMm(d.extent.width() * d.millimetresPerUnit), decimals(u)) +
                       " x " + length(fromMm(d.extent.height() * d.millimetresPerUnit), u) + ".";
    if (plan.measurements) {
        const OutlineMeasurements& m = *plan.measurements;
        size += " Body: length " + length(m.length, u) + ", width " + length(m.width, u) +
                ", perimeter " + length(m.perimeter, u) + ", area " + area(m.area, u);
        if (m.hasFretboard)
            size += "; fingerboard area " + area(m.fretboardArea, u);
        size += ".";
    }
    lines.push_back(size);
    lines.push_back(std::string(PRINT_AT_ACTUAL_SIZE) +
                    " and check the rulers on every sheet before cutting.");
    if (s.scaleAcross != 100.0 || s.scaleDown != 100.0) {
        lines.push_back("Drawn for a printer that prints " + percent(s.scaleAcross) +
                        " across the paper and " + percent(s.scaleDown) + " down it.");
    }
    const std::string extra = extrasLine(plan);
    if (!extra.empty())
        lines.push_back(extra);
    lines.push_back(
        "Trim a sheet along a dashed blue line and lay it over its neighbour, targets on "
        "targets.");
    return lines;
}

// The heading and what the template holds, each line wrapped to the page;
// returns the baseline of the last line.
double paintHeader(cairo_t* cr, const TemplatePlan& plan, const TemplatePage& page) {
    const double x = TEMPLATE_MARGIN, width = page.trueWidth - 2.0 * TEMPLATE_MARGIN;
    double y = TEMPLATE_MARGIN + 4.5;
    const std::string& title = plan.settings.title;
    showText(cr, x, y, title.empty() ? "Full-size template" : title + ": full-size template",
             HEADING, width);
    const TemplatePage& tile = plan.pages.size() > 1 ? plan.pages[1] : page;
    for (const std::string& line : headerLines(plan, tile)) {
        for (const std::string& part : wrappedText(cr, line, BODY, width)) {
            y += 4.0;
            showText(cr, x, y, part, BODY, width);
        }
    }
    return y;
}

void tileRectangle(cairo_t* cr, const TileGrid& g, double k, double x, double y, int row,
                   int column) {
    cairo_rectangle(cr, x + k * column * g.stepX(), y + k * row * g.stepY(), k * g.areaWidth,
                    k * g.areaHeight);
}

}  // namespace

void paintMap(cairo_t* cr, const TemplatePlan& plan, const TemplatePage& page) {
    const double lastLine = paintHeader(cr, plan, page);
    const TileGrid& g = plan.grid;
    // The map begins below the header, further down when its lines wrapped.
    const double header = std::max(MAP_HEADER, lastLine + 3.5 - TEMPLATE_MARGIN);
    const double left = TEMPLATE_MARGIN + RULER_STRIP, top = TEMPLATE_MARGIN + header;
    const double width = page.trueWidth - 2.0 * TEMPLATE_MARGIN - RULER_STRIP;
    const double height = page.trueHeight - 2.0 * TEMPLATE_MARGIN - FOOTER - header;
    paintUprightRulers(cr, TEMPLATE_MARGIN, top);
    const double k = std::min(width / g.width(), height / g.height());
    const double x = left + (width - k * g.width()) / 2.0;
    const double y = top + (height - k * g.height()) / 2.0;

    cairo_save(cr);
    cairo_set_line_width(cr, 2.0 * FINE_LINE);
    for (int row = 0; row < g.rows; ++row) {
        for (int column = 0; column < g.columns; ++column) {
            const bool printed = plan.pageOfTile(row, column) != 0;
            const double dots[] = {0.4, 0.8};
            cairo_set_dash(cr, dots, printed ? 0 : 2, 0.0);
            const double grey = printed ? 0.45 : 0.75;
            cairo_set_source_rgb(cr, grey, grey, grey);
            tileRectangle(cr, g, k, x, y, row, column);
            cairo_stroke(cr);
        }
    }
    cairo_restore(cr);
    paintDrawing(cr, plan.drawing, g, k, x, y);

    cairo_save(cr);
    cairo_set_source_rgb(cr, 0.0, 0.35, 0.85);
    for (size_t i = 1; i < plan.pages.size(); ++i) {
        const TemplatePage& t = plan.pages[i];
        if (t.strip >= 0 || t.kind != TemplatePage::Kind::Tile)
            continue;  // on grids of their own
        const double cx = x + k * (t.column * g.stepX() + g.areaWidth / 2.0);
        const double cy = y + k * (t.row * g.stepY() + g.areaHeight / 2.0);
        const std::string pageText = "page " + std::to_string(i + 1);
        showText(cr, cx - textWidth(cr, t.label, TILE_LABEL) / 2.0, cy, t.label, TILE_LABEL);
        showText(cr, cx - textWidth(cr, pageText, TILE_PAGE) / 2.0, cy + 3.0, pageText, TILE_PAGE);
    }
    cairo_restore(cr);
}

}  // namespace bowlyn::template_parts
