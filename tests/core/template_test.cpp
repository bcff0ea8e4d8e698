// Paper templates: the grid of tiles, what a template draws and where, the
// pages a plan makes, and the PDF. poppler-utils read the files back in
// tests/scripts/pdf_readback.sh.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>

#include "export_test_support.h"
#include "paper/pdf_template.h"
#include "paper/template_date.h"
#include "paper/template_furniture.h"
#include "paper/template_plan.h"
#include "render/drawing.h"

namespace bowlyn {
namespace {

using testing::presetAfterPass;
using testing::solvedOrFail;

TEST(TileGrid, CountsTilesAndCentresTheDrawing) {
    // Tiles 190 wide sharing 10: one covers 190, two 370, three 550.
    auto columns = [](double width) { return tileGrid(width, 1, 190, 257, 10, 200)->columns; };
    EXPECT_EQ(columns(190), 1);
    EXPECT_EQ(columns(190.01), 2);
    EXPECT_EQ(columns(370), 2);
    EXPECT_EQ(columns(370 + 1e-9), 2);  // rounding adds no sheet
    EXPECT_EQ(columns(370.01), 3);
    const TileGrid g = *tileGrid(381, 855.5, 190, 257, 10, 200);
    EXPECT_EQ(g.rows, 4);
    EXPECT_DOUBLE_EQ(g.width(), 550);
    EXPECT_DOUBLE_EQ(g.offsetX, (550 - 381) / 2.0);
    EXPECT_DOUBLE_EQ(g.offsetY, (257 + 3 * 247 - 855.5) / 2.0);
    EXPECT_DOUBLE_EQ(g.tile(1, 2).minX, 360);
    EXPECT_DOUBLE_EQ(g.tile(1, 2).maxY, 247 + 257);

    EXPECT_FALSE(tileGrid(190 * 201, 1, 190, 257, 0, 200));  // too many across
    EXPECT_FALSE(tileGrid(100, 100, 10, 257, 10, 200));      // overlap as wide as a tile
    EXPECT_FALSE(tileGrid(INFINITY, 100, 190, 257, 10, 200));
    EXPECT_FALSE(tileGrid(NAN, 100, 190, 257, 10, 200));
}

TEST(TileGrid, LabelsRowsWithLettersAndColumnsWithNumbers) {
    EXPECT_EQ(tileLabel(0, 0), "A1");
    EXPECT_EQ(tileLabel(1, 1), "B2");
    EXPECT_EQ(tileLabel(25, 9), "Z10");
    EXPECT_EQ(tileLabel(26, 0), "AA1");
    EXPECT_EQ(tileLabel(27, 2), "AB3");
    EXPECT_EQ(tileLabel(26 * 27, 0), "AAA1");
}

// The OM's template drawing: what the pass painted on recorded layers, its
// centre line cut to the rest (the pass paints it from 10 in below the tail).
TEST(TemplateDrawing, IsTheRecordedDrawingWithTheCentreLineCut) {
    auto t = presetAfterPass(presetByName("OM"));
    const TemplateDrawing d = templateDrawing(t->last().strokes, UNITS_INCH);
    EXPECT_DOUBLE_EQ(d.pointsPerUnit, 72.0);
    const MeasureResult m = measureDesign(solvedOrFail(*t), std::nullopt);
    EXPECT_NEAR(d.extent.minY, 0.0, 1e-6);  // the tail
    EXPECT_NEAR(d.extent.width(), m.values.width, 1e-5);
    EXPECT_NEAR(d.extent.maxY, fretboardTop(t->last().params, t->last().neck).trebleHead.y, 1e-6);
    size_t centreLines = 0;
    for (const Stroke& it : d.items) {
        EXPECT_NE(it.layer, Layer::None);
        if (it.style == &styleCentreLine) {
            ++centreLines;
            EXPECT_GE(it.v[1], d.extent.minY - 1e-6);
            EXPECT_LE(it.v[3], d.extent.maxY + 1e-6);
        }
    }
    EXPECT_EQ(centreLines, 1u);
    EXPECT_EQ(templateDrawing(t->last().strokes, UNITS_CM).millimetresPerUnit, 10.0);
}

Bounds box(double x0, double y0, double x1, double y1) {
    Bounds b;
    b.add(x0, y0);
    b.add(x1, y1);
    return b;
}

// An arc touches a rectangle only where the arc itself passes, and a mirror
// image is where the painter paints it.
TEST(TemplateDrawing, TouchesOnlyWhereAStrokePasses) {
    Drawing d;
    // The quarter of the unit circle round (3, 0) from 0 to 90 degrees, and
    // its mirror image only.
    d.drawArc(styleOutline, 3, 0, 1, 0, 1.5707964f, Side::MirrorOnly, Layer::Body);
    d.drawPoint(styleOutline, 10, 10, PointMarker::Cross, Side::AsPassed, Layer::Body);
    const TemplateDrawing t = templateDrawing(d.strokes, UNITS_INCH);
    EXPECT_TRUE(t.touches(box(-3.8, 0.4, -3.6, 0.7)));     // on the mirrored arc
    EXPECT_FALSE(t.touches(box(3.6, 0.4, 3.8, 0.7)));      // as passed: not painted
    EXPECT_FALSE(t.touches(box(-2.2, -0.7, -2.4, -0.4)));  // the rest of its circle
    EXPECT_FALSE(t.touches(box(-3.3, -0.3, -2.7, 0.3)));   // inside the circle
    EXPECT_TRUE(t.touches(box(-5, -5, 5, 5)));             // round it all
    EXPECT_TRUE(t.touches(box(-3.05, 0.9, -2.95, 1.5)));   // across its top end
    // A point's cross reaches 4 points (1/18 in) to each side.
    EXPECT_TRUE(t.touches(box(10.05, 10.0, 10.2, 10.1)));
    EXPECT_FALSE(t.touches(box(10.06, 10.0, 10.2, 10.1)));
    EXPECT_NEAR(t.extent.minX, -4.0, 1e-6);
    EXPECT_NEAR(t.extent.maxY, 10.0 + 4.0 / 72.0, 1e-9);
}

// A square outline on a grid of 11 x 11 tiles passes through the 40 around
// the edge only: those are printed, the 81 inside are not.
TEST(TemplatePlan, PrintsOnlyTilesTheDrawingPassesThrough) {
    Drawing d;
    const float side = 1900.0f / 25.4f;  // 1900 mm: 11 tiles of 190 sharing 10
    d.drawLine(styleOutline, 0, 0, side, 0, Side::AsPassed, Layer::Body);
    d.drawLine(styleOutline, side, 0, side, side, Side::AsPassed, Layer::Body);
    d.drawLine(styleOutline, side, side, 0, side, Side::AsPassed, Layer::Body);
    d.drawLine(styleOutline, 0, side, 0, 0, Side::AsPassed, Layer::Body);
    SolvedDesign design;
    design.strokes = &d.strokes;
    TemplateSettings s;
    s.paper = {"square", 210, 210 + 20};  // drawing areas of 190 x 190
    const PlanResult r = planTemplate(design, s);
    ASSERT_EQ(r.problem, "");
    const TemplatePlan& p = r.plan;
    EXPECT_EQ(p.grid.rows, 11);
    EXPECT_EQ(p.grid.columns, 11);
    ASSERT_EQ(p.pages.size(), 41u);
    EXPECT_EQ(p.pages[0].kind, TemplatePage::Kind::Map);
    std::set<std::string> labels;
    for (size_t i = 1; i < p.pages.size(); ++i) {
        const TemplatePage& t = p.pages[i];
        EXPECT_TRUE(t.row == 0 || t.row == 10 || t.column == 0 || t.column == 10) << t.label;
        EXPECT_EQ(p.pageOfTile(t.row, t.column), static_cast<int>(i) + 1);
        labels.insert(t.label);
    }
    EXPECT_EQ(labels.size(), 40u);
    EXPECT_EQ(p.pages[1].label, "A1");
    EXPECT_EQ(p.pages.back().label, "K11");
    EXPECT_EQ(p.pageOfTile(5, 5), 0);

    // Four times as large: a grid of 43 x 43 tiles, far beyond the limit,
    // of which the 168 round the edge and the map are printed. Six times:
    // 252 round the edge, more than a template may have.
    for (const auto& [factor, pages] : {std::pair{4.0f, 169}, {6.0f, 0}}) {
        Drawing big;
        for (const Stroke& it : d.strokes) {
            big.drawLine(styleOutline, it.v[0] * factor, it.v[1] * factor, it.v[2] * factor,
                         it.v[3] * factor, Side::AsPassed, Layer::Body);
        }
        design.strokes = &big.strokes;
        const PlanResult bigger = planTemplate(design, s);
        if (pages > 0) {
            EXPECT_EQ(bigger.plan.pages.size(), static_cast<size_t>(pages)) << factor;
        } else {
            EXPECT_EQ(bigger.problem,
                      "The template would take 253 pages of square; a template may have at most "
                      "200 pages. Choose a larger paper or full size.");
        }
    }
}

TEST(TemplatePlan, TilesLieTheWayThatTakesFewerSheets) {
    Drawing d;
    d.drawLine(styleOutline, 0, 0, 500.0f / 25.4f, 0, Side::AsPassed,
               Layer::Body);  // 500 mm across
    SolvedDesign design;
    design.strokes = &d.strokes;
    TemplateSettings s;  // A4: 190 across in portrait, 277 in landscape
    PlanResult r = planTemplate(design, s);
    ASSERT_EQ(r.problem, "");
    ASSERT_EQ(r.plan.pages.size(), 3u);  // landscape: 2 tiles; portrait would take 3
    EXPECT_TRUE(r.plan.pages[1].landscape);
    EXPECT_DOUBLE_EQ(r.plan.pages[1].width, 297);
    EXPECT_DOUBLE_EQ(r.plan.pages[1].height, 210);

    // Across is the paper's short side: in landscape the page's y.
    s.scaleAcross = 98;
    s.scaleDown = 102;
    r = planTemplate(design, s);
    const TemplatePage& tile = r.plan.pages[1];
    EXPECT_DOUBLE_EQ(tile.scaleX, 1.02);
    EXPECT_DOUBLE_EQ(tile.scaleY, 0.98);
    EXPECT_DOUBLE_EQ(tile.trueWidth, 297);  // an enlarging printer loses the excess
    EXPECT_DOUBLE_EQ(tile.trueHeight, 210 * 0.98);

    s.overlap = 50.5;
    EXPECT_EQ(planTemplate(design, s).problem, "The overlap must be from 0 to 50 mm.");
    s.overlap = 10;
    s.scaleDown = 49;
    EXPECT_EQ(planTemplate(design, s).problem, "The printer's scale must be from 50 to 200 %.");
}

TEST(TemplatePlan, FullSizeIsOnePageAsLargeAsTheDrawing) {
    auto t = presetAfterPass(presetByName("OM"));
    TemplateSettings s;
    s.paper = *paperByName("Full");
    const PlanResult r = planTemplate(solvedOrFail(*t), s);
    ASSERT_EQ(r.problem, "");
    // The body's page, the fretboard's and the fret table.
    ASSERT_EQ(r.plan.pages.size(), 3u);
    EXPECT_EQ(r.plan.pages[1].label, "F");
    EXPECT_EQ(r.plan.pages[2].kind, TemplatePage::Kind::FretTable);
    const TemplatePage& page = r.plan.pages[0];
    const Bounds& e = r.plan.drawing.extent;
    EXPECT_NEAR(page.width, 10 + 20 + e.width() * 25.4 + 10, 1e-9);    // margins, upright rulers
    EXPECT_NEAR(page.height, 10 + e.height() * 25.4 + 20 + 10, 1e-9);  // margins, band

    // Six metres do not fit a PDF page.
    Drawing d;
    d.drawLine(styleOutline, 0, 0, 0, 6000.0f / 25.4f, Side::AsPassed, Layer::Body);
    SolvedDesign design;
    design.strokes = &d.strokes;
    EXPECT_EQ(planTemplate(design, s).problem,
              "The drawing is too large for one page: it needs 210 x 6040 mm, and a PDF page may "
              "be at most 5080 mm (200 in) on a side.");
}

TEST(TemplatePdf, SameDesignAndDateMakeTheSameBytes) {
    auto t = presetAfterPass(presetByName("Soprano Uke"));
    TemplateSettings s;
    s.title = "Uke \xFF<1>";  // not UTF-8: shown with a replacement character
    s.date = "2024-05-01";
    const PlanResult r = planTemplate(solvedOrFail(*t), s);
    ASSERT_EQ(r.problem, "");
    const TemplatePdf a = templatePdf(r.plan, "2024-05-01T00:00:00Z");
    const TemplatePdf b = templatePdf(r.plan, "2024-05-01T00:00:00Z");
    ASSERT_EQ(a.problem, "");
    EXPECT_EQ(a.bytes.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(a.bytes, b.bytes);
    EXPECT_NE(a.bytes, templatePdf(r.plan, "2024-05-02T00:00:00Z").bytes);
    EXPECT_EQ(templateSummary(r.plan), "2 pages of A4 (a map and 1 tile in portrait)");
}

// A text that must be shortened loses whole numbers, never their last
// digits: "23..." would read as a wrong number.
TEST(TemplateText, IsShortenedBeforeANumberNotWithinIt) {
    const auto upTo = [](size_t n) { return [n](const std::string& s) { return s.size() <= n; }; };
    const struct {
        const char* text;
        size_t room;
        const char* shown;
    } cases[] = {
        {"fingerboard area 23006 mm^2", 100, "fingerboard area 23006 mm^2"},
        {"fingerboard area 23006 mm^2", 22, "fingerboard area ..."},
        {"fingerboard area 23006 mm^2", 26, "fingerboard area 23006 ..."},
        {"Steel string 15.5'' w/ Florentine", 17, "Steel string ..."},
        {"area 1.5 m", 9, "area ..."},
        {"12345", 4, "..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shortenedText(c.text, upTo(c.room)), c.shown) << c.text << " in " << c.room;
}

TEST(TemplateDate, ComesFromSourceDateEpochInUtc) {
    const TemplateDate d = templateDateAt(1714521600 + 86399, true);
    EXPECT_EQ(d.day, "2024-05-01");
    EXPECT_EQ(d.instant, "2024-05-01T23:59:59Z");
    const char* saved = std::getenv("SOURCE_DATE_EPOCH");
    const std::string keep = saved ? saved : "";
    setenv("SOURCE_DATE_EPOCH", "1714521600", 1);
    EXPECT_EQ(templateDateNow().instant, "2024-05-01T00:00:00Z");
    setenv("SOURCE_DATE_EPOCH", "17x", 1);  // not a number: now, in local time
    EXPECT_NE(templateDateNow().day, "1970-01-01");
    if (saved)
        setenv("SOURCE_DATE_EPOCH", keep.c_str(), 1);
    else
        unsetenv("SOURCE_DATE_EPOCH");
}

}  // namespace
}  // namespace bowlyn
