#include "paper/template_plan.h"

#include <algorithm>
#include <cmath>

#include "derive/mould_and_strips.h"
#include "derive/outline_contours.h"
#include "formats/export_numbers.h"
#include "paper/fretboard_sheet.h"

namespace bowlyn {
namespace {

using namespace page_layout;

// Grids beyond this many tiles are not searched for the ones that are used:
// they need more pages than a template may have anyway.
constexpr double LARGEST_GRID = 40000.0;

// The printer's scale along a page's x and y: across the paper is the page's
// x in portrait and its y in landscape.
void pageScale(const TemplateSettings& s, bool landscape, TemplatePage& page) {
    const double across = s.scaleAcross / 100.0, down = s.scaleDown / 100.0;
    page.scaleX = landscape ? down : across;
    page.scaleY = landscape ? across : down;
}

// A page of the paper in one orientation. A printer that shrinks leaves only
// that much of the sheet for the true-size content; one that enlarges loses
// the rest beyond the sheet's edge.
TemplatePage paperPage(const TemplateSettings& s, bool landscape, TemplatePage::Kind kind) {
    TemplatePage page;
    page.kind = kind;
    page.landscape = landscape;
    page.width = landscape ? s.paper.height : s.paper.width;
    page.height = landscape ? s.paper.width : s.paper.height;
    pageScale(s, landscape, page);
    page.trueWidth = page.width * std::min(1.0, page.scaleX);
    page.trueHeight = page.height * std::min(1.0, page.scaleY);
    return page;
}

// A tile's drawing area in model units.
Bounds tileInModel(const TemplateDrawing& d, const TileGrid& grid, int row, int column) {
    const Bounds t = grid.tile(row, column);
    const double perMm = 1.0 / d.millimetresPerUnit;
    Bounds b;
    b.add(d.extent.minX + (t.minX - grid.offsetX) * perMm,
          d.extent.maxY - (t.minY - grid.offsetY) * perMm);
    b.add(d.extent.minX + (t.maxX - grid.offsetX) * perMm,
          d.extent.maxY - (t.maxY - grid.offsetY) * perMm);
    return b;
}

struct Tiling {
    TileGrid grid;
    std::vector<TemplatePage> tiles;
    bool tooMany = false;
};

// The tiles of one orientation that the drawing passes through.
Tiling tileDrawing(const TemplateDrawing& d, double overlap, const TemplatePage& paper) {
    Tiling t;
    const double width = d.extent.width() * d.millimetresPerUnit;
    const double height = d.extent.height() * d.millimetresPerUnit;
    const double areaWidth = paper.trueWidth - 2.0 * TEMPLATE_MARGIN;
    const double areaHeight = paper.trueHeight - 2.0 * TEMPLATE_MARGIN - FOOTER;
    std::optional<TileGrid> grid =
        tileGrid(width, height, areaWidth, areaHeight, overlap, TEMPLATE_PAGE_LIMIT);
    if (!grid || static_cast<double>(grid->rows) * grid->columns > LARGEST_GRID) {
        t.tooMany = true;
        return t;
    }
    t.grid = *grid;
    for (int row = 0; row < grid->rows; ++row) {
        for (int column = 0; column < grid->columns; ++column) {
            if (!d.touches(tileInModel(d, *grid, row, column)))
                continue;
            TemplatePage page = paper;
            page.row = row;
            page.column = column;
            page.label = tileLabel(row, column);
            t.tiles.push_back(page);
        }
    }
    return t;
}

// The map page in the orientation that shows the grid larger.
TemplatePage mapPage(const TemplateSettings& s, const TileGrid& grid) {
    double best = -1.0;
    TemplatePage chosen;
    for (const bool landscape : {false, true}) {
        TemplatePage page = paperPage(s, landscape, TemplatePage::Kind::Map);
        const double w = page.trueWidth - 2.0 * TEMPLATE_MARGIN - RULER_STRIP;
        const double h = page.trueHeight - 2.0 * TEMPLATE_MARGIN - FOOTER - MAP_HEADER;
        const double scale = std::min(w / grid.width(), h / grid.height());
        if (scale > best) {
            best = scale;
            chosen = page;
        }
    }
    chosen.label = "Map";
    return chosen;
}

// The fret table on a page of its own after all others, when there is one.
void addFretTablePage(TemplatePlan& plan, TemplatePage page) {
    if (plan.fretRows.empty())
        return;
    page.kind = TemplatePage::Kind::FretTable;
    page.label = "Frets";
    plan.pages.push_back(page);
}

std::string pagesProblem(const std::string& count, const Paper& paper) {
    return "The template would take " + count + " pages of " + paper.name +
           "; a template may have at most " + std::to_string(TEMPLATE_PAGE_LIMIT) +
           " pages. Choose a larger paper or full size.";
}

// The tiling of a drawing in the orientation that takes fewer pages, or the
// reason there is none.
std::string chooseTiling(const TemplateDrawing& d, const TemplateSettings& s, Tiling& chosen) {
    Tiling portrait = tileDrawing(d, s.overlap, paperPage(s, false, TemplatePage::Kind::Tile));
    Tiling landscape = tileDrawing(d, s.overlap, paperPage(s, true, TemplatePage::Kind::Tile));
    if (portrait.tooMany && landscape.tooMany)
        return pagesProblem("more than " + std::to_string(TEMPLATE_PAGE_LIMIT), s.paper);
    const bool useLandscape =
        portrait.tooMany || (!landscape.tooMany && landscape.tiles.size() < portrait.tiles.size());
    chosen = std::move(useLandscape ? landscape : portrait);
    return "";
}

std::string planTiles(TemplatePlan& plan) {
    const TemplateSettings& s = plan.settings;
    Tiling chosen;
    std::string problem = chooseTiling(plan.drawing, s, chosen);
    if (!problem.empty())
        return problem;
    plan.grid = chosen.grid;
    plan.pages.push_back(mapPage(s, chosen.grid));
    plan.pages.insert(plan.pages.end(), chosen.tiles.begin(), chosen.tiles.end());
    for (size_t i = 0; i < plan.strips.size(); ++i) {
        StripSheets& strip = plan.strips[i];
        problem = chooseTiling(strip.drawing, s, chosen);
        if (!problem.empty())
            return problem;
        strip.grid = chosen.grid;
        for (TemplatePage& page : chosen.tiles) {
            page.strip = static_cast<int>(i);
            page.label = plan.tileName(page.row, page.column, page.strip);
            plan.pages.push_back(page);
        }
    }
    addFretTablePage(plan, paperPage(s, false, TemplatePage::Kind::FretTable));
    if (plan.pages.size() > TEMPLATE_PAGE_LIMIT)
        return pagesProblem(std::to_string(plan.pages.size()), s.paper);
    return "";
}

// One page as large as the drawing with its margins, the rulers beside and
// below it, and never smaller than the rulers and the band need.
std::string fullSizePage(const TemplateDrawing& d, const TemplateSettings& s, TemplatePage& page,
                         TileGrid& grid) {
    const double width = d.extent.width() * d.millimetresPerUnit;
    const double height = d.extent.height() * d.millimetresPerUnit;
    const double areaWidth = std::max(width, BAND_WIDTH - RULER_STRIP);
    const double areaHeight = std::max(height, RULER_HEIGHT);
    page.kind = TemplatePage::Kind::FullSize;
    pageScale(s, false, page);
    page.trueWidth = 2.0 * TEMPLATE_MARGIN + RULER_STRIP + areaWidth;
    page.trueHeight = 2.0 * TEMPLATE_MARGIN + areaHeight + FOOTER;
    page.width = page.trueWidth / page.scaleX;
    page.height = page.trueHeight / page.scaleY;
    if (!(page.width <= PDF_PAGE_LIMIT) || !(page.height <= PDF_PAGE_LIMIT)) {
        return "The drawing is too large for one page: it needs " + fixedText(page.width, 0) +
               " x " + fixedText(page.height, 0) + " mm, and a PDF page may be at most " +
               fixedText(PDF_PAGE_LIMIT, 0) + " mm (200 in) on a side.";
    }
    grid = *tileGrid(width, height, areaWidth, areaHeight, 0.0, 1);
    return "";
}

// The body's page, then one for each side strip.
std::string planFullSize(TemplatePlan& plan) {
    TemplatePage page;
    page.label = "Full size";
    std::string problem = fullSizePage(plan.drawing, plan.settings, page, plan.grid);
    if (!problem.empty())
        return problem;
    plan.pages.push_back(page);
    for (size_t i = 0; i < plan.strips.size(); ++i) {
        StripSheets& strip = plan.strips[i];
        TemplatePage stripPage;
        stripPage.strip = static_cast<int>(i);
        stripPage.label = strip.prefix;
        problem = fullSizePage(strip.drawing, plan.settings, stripPage, strip.grid);
        if (!problem.empty())
            return problem;
        plan.pages.push_back(stripPage);
    }
    // A page as large as a fret table needs: A4.
    TemplateSettings onA4 = plan.settings;
    onA4.paper = paperA4();
    addFretTablePage(plan, paperPage(onA4, false, TemplatePage::Kind::FretTable));
    return "";
}

// The mould round the body and the side strips, in the template's unit;
// the mould joins the drawing in the design's unit.
std::string addMouldAndStrips(const SolvedDesign& design, TemplatePlan& plan) {
    const DepthSettings& depth = design.depth;
    if (!plan.settings.mould && !depth.hasDepths() && depth.problem.empty())
        return "";
    const ContourSet contours = closedContours(design);
    if (!contours.problem.empty())
        return contours.problem;
    const LengthUnit own = designUnit(design.units);
    const UnitScale toUnit(own, plan.unit), back(plan.unit, own);
    Contour body = contours.loops.front();
    for (ContourEdge& e : body.edges)
        e.x = toUnit(e.x), e.y = toUnit(e.y);
    MouldAndStrips extra = mouldAndStrips(design, body, plan.unit, plan.settings.mould);
    if (!extra.problem.empty())
        return extra.problem;
    if (extra.mould) {
        for (ContourEdge& e : extra.mould->edges)
            e.x = back(e.x), e.y = back(e.y);
        addTemplateLoop(plan.drawing, *extra.mould);
    }
    for (size_t i = 0; i < extra.strips.size(); ++i) {
        const SideStrip& strip = extra.strips[i];
        plan.strips.push_back(
            {strip.name, "S" + std::to_string(i + 1), stripDrawing(strip, plan.unit), TileGrid{}});
    }
    return "";
}

std::string settingsProblem(const TemplateSettings& s) {
    if (!(s.overlap >= 0.0 && s.overlap <= TEMPLATE_OVERLAP_MAX))
        return "The overlap must be from 0 to " + fixedText(TEMPLATE_OVERLAP_MAX, 0) + " mm.";
    for (const double scale : {s.scaleAcross, s.scaleDown}) {
        if (!(scale >= TEMPLATE_SCALE_MIN && scale <= TEMPLATE_SCALE_MAX))
            return "The printer's scale must be from " + fixedText(TEMPLATE_SCALE_MIN, 0) + " to " +
                   fixedText(TEMPLATE_SCALE_MAX, 0) + " %.";
    }
    if (!s.paper.fullSize() && !(s.paper.width > 2.0 * TEMPLATE_MARGIN + s.overlap &&
                                 s.paper.height > 2.0 * TEMPLATE_MARGIN + FOOTER + s.overlap))
        return "The paper is too small for a template.";
    return "";
}

}  // namespace

int TemplatePlan::pageOfTile(int row, int column, int strip) const {
    for (size_t i = 0; i < pages.size(); ++i) {
        if (pages[i].kind == TemplatePage::Kind::Tile && pages[i].strip == strip &&
            pages[i].row == row && pages[i].column == column)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

const TemplateDrawing& TemplatePlan::drawingOf(int strip) const {
    return strip < 0 ? drawing : strips.at(static_cast<size_t>(strip)).drawing;
}

const TileGrid& TemplatePlan::gridOf(int strip) const {
    return strip < 0 ? grid : strips.at(static_cast<size_t>(strip)).grid;
}

std::string TemplatePlan::tileName(int row, int column, int strip) const {
    const std::string label = tileLabel(row, column);
    return strip < 0 ? label : strips.at(static_cast<size_t>(strip)).prefix + "-" + label;
}

double TemplatePlan::gridX(double x) const {
    return grid.offsetX + (x - drawing.extent.minX) * drawing.millimetresPerUnit;
}

double TemplatePlan::gridY(double y) const {
    return grid.offsetY + (drawing.extent.maxY - y) * drawing.millimetresPerUnit;
}

Bounds TemplatePlan::tileInModel(int row, int column) const {
    return bowlyn::tileInModel(drawing, grid, row, column);
}

PlanResult planTemplate(const SolvedDesign& design, const TemplateSettings& settings) {
    PlanResult r;
    TemplatePlan& plan = r.plan;
    r.problem = settingsProblem(settings);
    if (!r.problem.empty())
        return r;
    plan.settings = settings;
    plan.unit = settings.unit.value_or(designUnit(design.units));
    if (design.strokes != nullptr)
        plan.drawing = templateDrawing(*design.strokes, design.units);
    if (plan.drawing.extent.empty) {
        r.problem = "The design has nothing to draw.";
        return r;
    }
    const MeasureResult m = measureDesign(design, plan.unit);
    if (m.problem.empty())
        plan.measurements = m.values;
    plan.notice = m.notice;
    r.problem = addMouldAndStrips(design, plan);
    if (!r.problem.empty())
        return r;
    if (!design.frets.empty()) {
        StripSheets board;
        board.name = "Fretboard";
        board.prefix = "F";
        board.drawing = fretboardDrawing(design);
        board.fretboard = true;
        plan.strips.push_back(std::move(board));
        plan.fretRows = fretTable(design.frets, designUnit(design.units), plan.unit);
    }
    r.problem = settings.paper.fullSize() ? planFullSize(plan) : planTiles(plan);
    return r;
}

}  // namespace bowlyn
