#include "paper/template_page.h"

#include <cairo.h>

#include "paper/fretboard_sheet.h"
#include "paper/template_furniture.h"
#include "render/painter.h"

namespace bowlyn {
namespace {

using namespace page_layout;
using namespace template_parts;

// The marks where two sheets overlap, in a blue that shows against the black
// drawing and the red reference lines.
void useMarkColour(cairo_t* cr) {
    cairo_set_source_rgb(cr, 0.0, 0.35, 0.85);
}

constexpr double MARK_RADIUS = 2.5;
constexpr double MARK_ARM = 3.5;
constexpr TextStyle NEIGHBOUR_LABEL = {7.0, true};

// A target: a circle with a cross through it, centred on the trim line.
void paintMark(cairo_t* cr, double x, double y) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, MARK_RADIUS, 0.0, CIRCLE_RADIANS);
    cairo_move_to(cr, x - MARK_ARM, y);
    cairo_line_to(cr, x + MARK_ARM, y);
    cairo_move_to(cr, x, y - MARK_ARM);
    cairo_line_to(cr, x, y + MARK_ARM);
    cairo_stroke(cr);
}

struct Area {
    double x, y, width, height;
};

// Where a tile's drawing area shares paper with a printed neighbour: a
// dashed trim line down the middle of the overlap, targets on it a quarter
// of the way in from each end (the neighbour prints them at the very same
// place of the drawing), and the neighbour's label beside it. Trim one sheet
// along the line and lay it over the other, targets on targets.
void paintSeam(cairo_t* cr, const Area& a, double overlap, int side, const std::string& label) {
    const bool upright = side == 0 || side == 1;  // right, left; else bottom, top
    const double trim = side == 0   ? a.x + a.width - overlap / 2.0
                        : side == 1 ? a.x + overlap / 2.0
                        : side == 2 ? a.y + a.height - overlap / 2.0
                                    : a.y + overlap / 2.0;
    const double start = upright ? a.y : a.x, length = upright ? a.height : a.width;
    cairo_save(cr);
    useMarkColour(cr);
    cairo_set_line_width(cr, FINE_LINE);
    const double dashes[] = {2.0, 1.5};
    cairo_set_dash(cr, dashes, 2, 0.0);
    cairo_move_to(cr, upright ? trim : start, upright ? start : trim);
    cairo_line_to(cr, upright ? trim : start + length, upright ? start + length : trim);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0.0);
    for (const double along : {start + length / 4.0, start + 3.0 * length / 4.0})
        paintMark(cr, upright ? trim : along, upright ? along : trim);
    const double w = textWidth(cr, label, NEIGHBOUR_LABEL), middle = start + length / 2.0;
    const double x = side == 0 ? trim - 1.5 - w : side == 1 ? trim + 1.5 : middle - w / 2.0;
    const double y = side == 2 ? trim - 1.5 : side == 3 ? trim + 4.0 : middle + 1.2;
    showText(cr, x, y, label, NEIGHBOUR_LABEL);
    cairo_restore(cr);
}

void paintTile(cairo_t* cr, const TemplatePlan& plan, const TemplatePage& page) {
    const TileGrid& g = plan.gridOf(page.strip);
    const Area a = {TEMPLATE_MARGIN, TEMPLATE_MARGIN, g.areaWidth, g.areaHeight};
    cairo_save(cr);
    cairo_rectangle(cr, a.x, a.y, a.width, a.height);
    cairo_clip(cr);
    // The marks go under the drawing, which must show unbroken where they cross it.
    const int neighbours[4][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
    for (int side = 0; side < 4; ++side) {
        const int row = page.row + neighbours[side][0];
        const int column = page.column + neighbours[side][1];
        if (plan.pageOfTile(row, column, page.strip) != 0)
            paintSeam(cr, a, g.overlap, side, plan.tileName(row, column, page.strip));
    }
    paintDrawing(cr, plan.drawingOf(page.strip), g, 1.0, a.x - page.column * g.stepX(),
                 a.y - page.row * g.stepY());
    cairo_restore(cr);
}

void paintFullSize(cairo_t* cr, const TemplatePlan& plan, const TemplatePage& page) {
    const double x = TEMPLATE_MARGIN + RULER_STRIP, y = TEMPLATE_MARGIN;
    paintDrawing(cr, plan.drawingOf(page.strip), plan.gridOf(page.strip), 1.0, x, y);
    paintUprightRulers(cr, TEMPLATE_MARGIN, y);
}

// Loops, ticks and texts in double precision: the mould in its layer's
// teal, a strip in black to cut along.
void paintMarks(cairo_t* cr, const TemplateDrawing& d, const PaintView& view) {
    if (d.loops.empty() && d.lines.empty() && d.texts.empty())
        return;
    cairo_save(cr);
    cairo_set_line_width(cr, FINE_LINE);
    cairo_set_dash(cr, nullptr, 0, 0.0);
    double px = 0, py = 0;
    for (const Contour& loop : d.loops) {
        if (loop.layer == Layer::Mould)
            cairo_set_source_rgb(cr, 0.0, 0.5, 0.5);
        else
            cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
        cairo_new_path(cr);
        for (size_t i = 0; i < loop.edges.size(); ++i) {
            const ContourEdge& from = loop.edges[i];
            const ContourEdge& to = loop.next(i);
            view.toDevice(from.x, from.y, px, py);
            if (i == 0)
                cairo_move_to(cr, px, py);
            if (from.sweep == 0.0) {
                view.toDevice(to.x, to.y, px, py);
                cairo_line_to(cr, px, py);
                continue;
            }
            // Counter-clockwise in the model is clockwise on the page, y down.
            const EdgeArc arc = edgeArc(from, to);
            view.toDevice(arc.cx, arc.cy, px, py);
            const double r = arc.r * view.scale, a1 = -arc.start, a2 = -(arc.start + from.sweep);
            if (from.sweep > 0.0)
                cairo_arc_negative(cr, px, py, r, a1, a2);
            else
                cairo_arc(cr, px, py, r, a1, a2);
        }
        cairo_close_path(cr);
        cairo_stroke(cr);
    }
    cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
    for (const TemplateLine& t : d.lines) {
        view.toDevice(t.x1, t.y1, px, py);
        cairo_move_to(cr, px, py);
        view.toDevice(t.x2, t.y2, px, py);
        cairo_line_to(cr, px, py);
    }
    cairo_stroke(cr);
    for (const TemplateText& t : d.texts) {
        // The height is the font's size in model units, as in the SVG.
        const TextStyle style = {t.height * view.scale / MM_PER_POINT, false};
        const double w = textWidth(cr, t.text, style);
        view.toDevice(t.x, t.y, px, py);
        const double shift = t.align == TemplateText::Align::Centre  ? w / 2.0
                             : t.align == TemplateText::Align::Right ? w
                                                                     : 0.0;
        showText(cr, px - shift, py, t.text, style);
    }
    cairo_restore(cr);
}

}  // namespace

namespace template_parts {

void paintDrawing(cairo_t* cr, const TemplateDrawing& drawing, const TileGrid& grid, double scale,
                  double x, double y) {
    PaintView view;
    view.scale = scale * drawing.millimetresPerUnit;
    view.originX = x + scale * (grid.offsetX - drawing.extent.minX * drawing.millimetresPerUnit);
    view.originY = y + scale * (grid.offsetY + drawing.extent.maxY * drawing.millimetresPerUnit);
    view.lineWidth = FINE_LINE;
    view.stylePixel = MM_PER_POINT;
    Painter(cr, view).paint(drawing.items);
    paintMarks(cr, drawing, view);
}

void paintUprightRulers(cairo_t* cr, double x, double y) {
    paintMillimetreRuler(cr, x + 2.0, y, true);
    paintInchRuler(cr, x + 10.0, y, true);
}

}  // namespace template_parts

void paintTemplatePage(cairo_t* cr, const TemplatePlan& plan, size_t index) {
    const TemplatePage& page = plan.pages.at(index);
    cairo_save(cr);
    // Points to millimetres, then the content drawn at 1 / scale about the
    // page's centre: the printer's own scaling makes it true.
    cairo_scale(cr, 1.0 / MM_PER_POINT, 1.0 / MM_PER_POINT);
    cairo_translate(cr, page.width / 2.0, page.height / 2.0);
    cairo_scale(cr, 1.0 / page.scaleX, 1.0 / page.scaleY);
    cairo_translate(cr, -page.trueWidth / 2.0, -page.trueHeight / 2.0);
    switch (page.kind) {
        case TemplatePage::Kind::Map:
            paintMap(cr, plan, page);
            break;
        case TemplatePage::Kind::Tile:
            paintTile(cr, plan, page);
            break;
        case TemplatePage::Kind::FullSize:
            paintFullSize(cr, plan, page);
            break;
        case TemplatePage::Kind::FretTable:
            paintFretTable(cr, plan, page);
            break;
    }
    BandText band;
    band.label = page.label;
    band.page = static_cast<int>(index) + 1;
    band.pages = static_cast<int>(plan.pages.size());
    band.title = plan.settings.title;
    if (page.strip >= 0) {
        const std::string& name = plan.strips.at(static_cast<size_t>(page.strip)).name;
        band.title = band.title.empty() ? name : band.title + ": " + name;
    }
    band.date = plan.settings.date;
    paintBand(cr, TEMPLATE_MARGIN, page.trueHeight - TEMPLATE_MARGIN - BAND,
              page.trueWidth - 2.0 * TEMPLATE_MARGIN, band);
    cairo_restore(cr);
}

}  // namespace bowlyn
