#pragma once

#include <optional>
#include <string>
#include <vector>

#include "derive/measurements.h"
#include "derive/solved_design.h"
#include "formats/fret_table.h"
#include "model/export_settings.h"
#include "model/units.h"
#include "paper/template_drawing.h"
#include "paper/tiling.h"

namespace bowlyn {

// What a template is printed on and what its pages say: the paper, the
// overlap and the printer's scale chosen, the unit of the figures on the map
// (the design's own by default) and the mould's distance in it; the design's
// name and the date printed on every page.
struct TemplateSettings : ExportSettings {
    std::string title;
    std::string date;
};

// Paper a printer may leave blank at every edge, in millimetres.
constexpr double TEMPLATE_MARGIN = 10.0;
constexpr double TEMPLATE_OVERLAP_MAX = 50.0;
constexpr double TEMPLATE_SCALE_MIN = 50.0, TEMPLATE_SCALE_MAX = 200.0;
// More sheets than this are no template anyone tapes together.
constexpr int TEMPLATE_PAGE_LIMIT = 200;
// 14400 points, the largest page PDF readers show.
constexpr double PDF_PAGE_LIMIT = 5080.0;

// One page. Its content is laid out at true size on `trueWidth` x
// `trueHeight` millimetres and drawn at 1 / scale about the page's centre, so
// that the printer's scaling brings it back to true size.
struct TemplatePage {
    enum class Kind { Map, Tile, FullSize, FretTable };
    Kind kind = Kind::Tile;
    bool landscape = false;
    double width = 0, height = 0;          // the page in the file, millimetres
    double trueWidth = 0, trueHeight = 0;  // what of it prints at true size
    double scaleX = 1, scaleY = 1;         // the printer's scale along the page's x and y
    int row = 0, column = 0;               // of a tile
    int strip = -1;                        // the side strip it prints; -1 for the body
    std::string label;                     // "B2", "Map", "Full size", "S1-A2", "S1", "Frets"
};

// A side strip's pages, or the fretboard's: its own drawing on its own grid
// of tiles, after the body's pages.
struct StripSheets {
    std::string name;    // "Cutaway side", "Fretboard"
    std::string prefix;  // of its pages' labels: "S1", "F"
    TemplateDrawing drawing;
    TileGrid grid;
    bool fretboard = false;  // the fingerboard's sheets, not a side strip's
};

// A template ready to be drawn: the drawing, the grid of tiles over it and
// the pages, the map first.
struct TemplatePlan {
    TemplateDrawing drawing;
    TemplateSettings settings;
    LengthUnit unit = LengthUnit::Inch;               // of the figures on the map
    std::optional<OutlineMeasurements> measurements;  // when the outline closes
    std::string notice;                               // the closed loops' (ContourSet::notice)
    TileGrid grid;                                    // full size: one tile
    std::vector<StripSheets> strips;                  // with both depths; the fretboard last
    std::vector<FretTableRow> fretRows;               // in `unit`; with a fretboard
    std::vector<TemplatePage> pages;

    // The number (from 1) of the page that prints tile (row, column) of the
    // body or of a strip; 0 for none.
    int pageOfTile(int row, int column, int strip = -1) const;
    // What a page of the body (-1) or of a strip draws, and on which grid.
    const TemplateDrawing& drawingOf(int strip) const;
    const TileGrid& gridOf(int strip) const;
    // The label of a tile: "B2", "S1-B2".
    std::string tileName(int row, int column, int strip) const;
    // A tile's drawing area in model units.
    Bounds tileInModel(int row, int column) const;
    // Model point to grid millimetres.
    double gridX(double x) const;
    double gridY(double y) const;
};

struct PlanResult {
    TemplatePlan plan;
    std::string problem;  // why no template can be made; "" on success
};

// Lays out the template of a complete pass: the tile orientation that needs
// fewer pages (portrait when equal), only tiles the drawing passes through,
// and a map as page 1; for a full-size paper one page as large as the
// drawing with its margins. A mould's outline joins the drawing; each side
// strip of a design with depths follows on pages of its own, tiled the same
// way, and so does the fingerboard of a design with a fretboard, its fret
// table on a page after them.
PlanResult planTemplate(const SolvedDesign& design, const TemplateSettings& settings);

// Layout of a page in millimetres, shared by the planner and the painter.
namespace page_layout {
constexpr double FOOTER = 20.0;       // under the drawing area: a gap and the band
constexpr double BAND = 17.0;         // rulers, label, page number, name, date
constexpr double BAND_WIDTH = 190.0;  // what the band needs across
constexpr double RULER_STRIP = 20.0;  // left of the drawing: the upright rulers
constexpr double RULER_HEIGHT = 110.0;
constexpr double MAP_HEADER = 30.0;  // above the map: what the template holds
}  // namespace page_layout

}  // namespace bowlyn
