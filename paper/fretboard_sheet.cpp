#include "paper/fretboard_sheet.h"

#include <cairo.h>

#include <algorithm>
#include <string>

#include "formats/fret_table.h"
#include "paper/template_furniture.h"
#include "paper/template_plan.h"

namespace bowlyn {
namespace {

constexpr double NUMBER_MM = 2.5;  // height of a fret's number
constexpr TextStyle TABLE_HEADING = {10.0, true};
constexpr TextStyle TABLE_HEAD = {8.0, true};
constexpr TextStyle TABLE_CELL = {8.0, false};
constexpr double ROW_MM = 4.2;
// The right edges of the six columns in a block, from its left edge, and
// the block's width.
constexpr double COLUMN_RIGHT[6] = {10.0, 27.0, 44.0, 61.0, 78.0, 93.0};
constexpr double BLOCK_MM = 97.0;

TemplateLine lineOf(double x1, double y1, double x2, double y2) {
    TemplateLine t;
    t.x1 = x1, t.y1 = y1, t.x2 = x2, t.y2 = y2;
    return t;
}

}  // namespace

TemplateDrawing fretboardDrawing(const SolvedDesign& design) {
    TemplateDrawing d;
    const FretLayout& frets = design.frets;
    if (!design.hasFretboard || frets.empty())
        return d;
    d.millimetresPerUnit = design.units == UNITS_CM ? 10.0 : 25.4;
    d.pointsPerUnit = 72.0 * d.millimetresPerUnit / 25.4;
    const FretboardTop& b = design.fretboard;
    Contour board;
    board.name = "fretboard";
    board.layer = Layer::Fretboard;
    for (const Point& p : {b.bassEnd, b.trebleEnd, b.trebleHead, b.bassHead})
        board.edges.push_back({p.x, p.y, 0.0, "fingerboard"});
    addTemplateLoop(d, board);

    const double headY = std::max(b.trebleHead.y, b.bassHead.y);
    const double endY = std::min(b.trebleEnd.y, b.bassEnd.y);
    d.lines.push_back(lineOf(0.0, endY, 0.0, headY));
    const double numberHeight = NUMBER_MM / d.millimetresPerUnit;
    for (size_t n = 0; n < frets.frets.size(); ++n) {
        const FretLine& f = frets.frets[n];
        // The nut runs across the whole board; a slot stops short of its edges.
        const double in = n == 0 ? 0.0 : frets.slotInset, length = f.length();
        const double ux = (f.trebleX - f.bassX) / length, uy = (f.trebleY - f.bassY) / length;
        d.lines.push_back(
            lineOf(f.bassX + in * ux, f.bassY + in * uy, f.trebleX - in * ux, f.trebleY - in * uy));
        TemplateText number;
        number.x = f.trebleX + numberHeight;
        number.y = f.trebleY - numberHeight / 2.5;
        number.height = numberHeight;
        number.text = n == 0 ? "nut" : std::to_string(n);
        d.extent.add(number.x + 2.0 * numberHeight, number.y + numberHeight);
        d.texts.push_back(number);
    }
    return d;
}

namespace template_parts {

void paintFretTable(cairo_t* cr, const TemplatePlan& plan, const TemplatePage& page) {
    const double left = TEMPLATE_MARGIN, top = TEMPLATE_MARGIN + 4.5;
    const std::string& title = plan.settings.title;
    showText(cr, left, top, (title.empty() ? "" : title + ": ") + "fret table", TABLE_HEADING,
             page.trueWidth - 2.0 * TEMPLATE_MARGIN);
    const double width = page.trueWidth - 2.0 * TEMPLATE_MARGIN;
    double y = top + 1.0;
    for (const std::string& line :
         wrappedText(cr,
                     std::string("Lengths in ") + unitName(plan.unit) +
                         ": from the nut along each edge, and the heights of both ends from the "
                         "tail end; angles from square in degrees, positive where the bass end "
                         "lies nearer the bridge.",
                     TABLE_CELL, width)) {
        y += 4.0;
        showText(cr, left, y, line, TABLE_CELL, width);
    }
    const double firstRow = y + 9.0;
    const double bottom = page.trueHeight - TEMPLATE_MARGIN - page_layout::FOOTER;
    const size_t perBlock =
        std::max<size_t>(1, static_cast<size_t>((bottom - firstRow - ROW_MM) / ROW_MM));
    cairo_save(cr);
    cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
    const auto& rows = plan.fretRows;
    for (size_t first = 0; first < rows.size(); first += perBlock) {
        const double x = left + static_cast<double>(first / perBlock) * BLOCK_MM;
        auto cells = [&](double y, const std::array<std::string, 6>& texts, TextStyle style) {
            for (size_t c = 0; c < texts.size(); ++c)
                showText(cr, x + COLUMN_RIGHT[c] - textWidth(cr, texts[c], style), y, texts[c],
                         style);
        };
        cells(firstRow,
              {FRET_TABLE_COLUMNS[0], FRET_TABLE_COLUMNS[1], FRET_TABLE_COLUMNS[2],
               FRET_TABLE_COLUMNS[3], FRET_TABLE_COLUMNS[4], FRET_TABLE_COLUMNS[5]},
              TABLE_HEAD);
        for (size_t i = first; i < rows.size() && i < first + perBlock; ++i) {
            cells(firstRow + static_cast<double>(i - first + 1) * ROW_MM,
                  fretTableCells(rows[i], 0, workshopDecimals(plan.unit)), TABLE_CELL);
        }
    }
    cairo_restore(cr);
}

}  // namespace template_parts

}  // namespace bowlyn
