// Paper templates of a design with depths and a mould: the side strips on
// pages of their own after the body's, tiled and labelled like the body, and
// the mould's outline in the body's drawing. poppler-utils read the files
// back in tests/scripts/pdf_readback.sh.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "derive/outline_contours.h"
#include "export_test_support.h"
#include "model/form_editing.h"
#include "paper/pdf_template.h"
#include "paper/template_plan.h"

namespace bowlyn {
namespace {

using testing::presetAfterPass;
using testing::solvedOrFail;
using testing::TestDocument;

// A preset after a pass with depths of 4 and 3.25 inches, in its own unit.
std::unique_ptr<TestDocument> withDepths(const std::string& preset) {
    auto t = presetAfterPass(presetByName(preset));
    const bool cm = t->design.params.units == UNITS_CM;
    setFieldText(t->design, fields::BODY_DEPTH_AT_TAIL, cm ? "10.16" : "4");
    setFieldText(t->design, fields::BODY_DEPTH_AT_NECK, cm ? "8.255" : "3.25");
    t->session.runPass();
    return t;
}

PlanResult plan(const TestDocument& t, const char* paper, std::optional<double> mould = {},
                std::optional<LengthUnit> unit = {}) {
    TemplateSettings s;
    s.paper = *paperByName(paper);
    s.mould = mould;
    s.unit = unit;
    s.title = "T";
    return planTemplate(solvedOrFail(t), s);
}

// The body's pages stay as they were; each strip follows on tiles of its own
// grid that cover it, labelled with its prefix, and the summary counts them.
TEST(TemplateDepths, StripsFollowTheBodyOnTilesOfTheirOwn) {
    for (const char* preset : {"OM", "Archtop 16'' w/ Venetian cutaway", "Classical"}) {
        SCOPED_TRACE(preset);
        auto plain = presetAfterPass(presetByName(preset));
        auto deep = withDepths(preset);
        const PlanResult before = plan(*plain, "a4"), after = plan(*deep, "a4");
        ASSERT_EQ(after.problem, "");
        const TemplatePlan& p = after.plan;
        const size_t bodyPages = static_cast<size_t>(std::count_if(
            before.plan.pages.begin(), before.plan.pages.end(), [](const TemplatePage& page) {
                return page.strip < 0 && page.kind != TemplatePage::Kind::FretTable;
            }));
        const bool cutaway = deep->design.params.hasCutaway;
        const bool board = deep->design.params.hasFretboard;
        // The fretboard's sheets follow the strips'.
        ASSERT_EQ(p.strips.size(), (cutaway ? 2u : 1u) + (board ? 1u : 0u));
        EXPECT_EQ(p.strips.back().fretboard, board);
        EXPECT_EQ(p.strips.front().name, cutaway ? "Cutaway side" : "Side (cut 2)");
        for (size_t i = 0; i < bodyPages; ++i) {
            EXPECT_EQ(p.pages[i].label, before.plan.pages[i].label);
            EXPECT_EQ(p.pages[i].strip, -1);
        }
        ASSERT_GT(p.pages.size(), bodyPages + p.strips.size() - 1);
        int strip = -1;
        for (size_t i = bodyPages; i < p.pages.size(); ++i) {
            const TemplatePage& page = p.pages[i];
            if (page.kind == TemplatePage::Kind::FretTable)
                continue;
            ASSERT_GE(page.strip, strip);  // the strips in order, each whole
            strip = page.strip;
            const StripSheets& s = p.strips.at(static_cast<size_t>(strip));
            EXPECT_EQ(page.label, s.prefix + "-" + tileLabel(page.row, page.column));
            EXPECT_EQ(p.pageOfTile(page.row, page.column, strip), static_cast<int>(i) + 1);
        }
        EXPECT_EQ(strip, static_cast<int>(p.strips.size()) - 1);
        // A strip's drawing is as long as the strip in millimetres, and its
        // grid covers it.
        for (const StripSheets& s : p.strips) {
            const double lengthMm = s.drawing.extent.width() * s.drawing.millimetresPerUnit;
            EXPECT_GE(s.grid.width() + 1e-9, lengthMm);
            EXPECT_GE(s.grid.height() + 1e-9,
                      s.drawing.extent.height() * s.drawing.millimetresPerUnit);
            EXPECT_EQ(s.drawing.loops.size(), 1u);
            EXPECT_FALSE(s.drawing.texts.empty());
        }
        const std::string summary = templateSummary(p);
        EXPECT_NE(summary.find(" of the side strip"), std::string::npos) << summary;
        EXPECT_EQ(templateSummary(before.plan).find("side strip"), std::string::npos);
    }
}

// At full size each strip gets one page as large as itself, labelled S1, S2.
TEST(TemplateDepths, FullSizeGivesEachStripOnePage) {
    auto t = withDepths("Archtop 16'' w/ Venetian cutaway");
    const PlanResult r = plan(*t, "full", std::nullopt, LengthUnit::Millimetre);
    ASSERT_EQ(r.problem, "");
    const TemplatePlan& p = r.plan;
    ASSERT_EQ(p.pages.size(), 3u);
    EXPECT_EQ(p.pages[1].label, "S1");
    EXPECT_EQ(p.pages[2].label, "S2");
    EXPECT_EQ(templateSummary(p), "3 pages at full size (the body and 2 of the side strips)");
    for (int i : {1, 2}) {
        const StripSheets& s = p.strips.at(static_cast<size_t>(i - 1));
        EXPECT_GE(p.pages[static_cast<size_t>(i)].trueWidth,
                  s.drawing.extent.width() + 2 * TEMPLATE_MARGIN + page_layout::RULER_STRIP);
        EXPECT_DOUBLE_EQ(s.drawing.millimetresPerUnit, 1.0);
    }
    const TemplatePdf pdf = templatePdf(p, "2024-05-01T00:00:00Z");
    EXPECT_EQ(pdf.problem, "");
}

// The mould widens the drawing by its distance on both sides of the body,
// in the unit the template was asked for; a mould that cannot be drawn and a
// wrong depth refuse the template with their messages.
TEST(TemplateDepths, TheMouldJoinsTheDrawingAndRefusalsReachThePlan) {
    auto t = presetAfterPass(presetByName("OM"));
    const ContourSet set = closedContours(solvedOrFail(*t));
    const Bounds body = contourBounds(*set.find("body"));
    const PlanResult r = plan(*t, "a4", 20.0, LengthUnit::Millimetre);
    ASSERT_EQ(r.problem, "");
    const TemplateDrawing& d = r.plan.drawing;
    ASSERT_EQ(d.loops.size(), 1u);
    EXPECT_EQ(d.loops.front().layer, Layer::Mould);
    EXPECT_NEAR(d.extent.minX, body.minX - 20.0 / 25.4, 1e-9);
    EXPECT_NEAR(d.extent.maxX, body.maxX + 20.0 / 25.4, 1e-9);
    EXPECT_NEAR(d.extent.minY, body.minY - 20.0 / 25.4, 1e-9);
    ASSERT_EQ(r.plan.strips.size(), 1u);  // no side strip: the fretboard's sheets alone
    EXPECT_TRUE(r.plan.strips.front().fretboard);

    EXPECT_EQ(plan(*t, "a4", 2.5).problem,
              "The mould cannot be drawn 2.5 in outside the body: the waist arc curves inwards "
              "with a radius of only 2.36 in.");
    setFieldText(t->design, fields::BODY_DEPTH_AT_TAIL, "-4");
    setFieldText(t->design, fields::BODY_DEPTH_AT_NECK, "3");
    t->session.runPass();
    const std::string problem = plan(*t, "a4").problem;
    EXPECT_NE(problem.find("Body depth at tail"), std::string::npos) << problem;
}

}  // namespace
}  // namespace bowlyn
