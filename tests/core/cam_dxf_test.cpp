// The DXF for CAM as written: closed polylines with their bulges, the open
// items kept, exact unit conversion, plain numbers and refusals. ezdxf and
// dime read the files (header, tables, units, extent, measurements, comma
// locale) in tests/scripts/cam_dxf_readback.
#include "formats/cam_dxf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "export_test_support.h"
#include "formats/dxf_writer.h"
#include "formats/export_file.h"
#include "formats/export_numbers.h"
#include "model/depth_settings.h"
#include "tests/core/test_seed.h"

namespace bowlyn {
namespace {

using testing::inUnit;
using testing::presetAfterPass;
using testing::solvedOrFail;

using Pairs = std::vector<std::pair<int, std::string>>;

// The group code and value pairs of a DXF text.
Pairs pairsOf(const std::string& text) {
    Pairs pairs;
    size_t at = 0;
    std::vector<std::string> lines;
    for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    EXPECT_EQ(at, text.size()) << "text after the last CR LF";
    EXPECT_EQ(lines.size() % 2, 0u);
    for (size_t i = 0; i + 1 < lines.size(); i += 2)
        pairs.emplace_back(std::stoi(lines[i]), lines[i + 1]);
    return pairs;
}

std::map<std::string, int> entityCounts(const Pairs& pairs) {
    std::map<std::string, int> counts;
    bool inEntities = false;
    for (const auto& [code, value] : pairs) {
        if (code == 2)
            inEntities = value == "ENTITIES";
        else if (code == 0 && value == "ENDSEC")
            inEntities = false;
        else if (code == 0 && inEntities)
            ++counts[value];
    }
    return counts;
}

ExportDrawing drawingOf(const SolvedDesign& solved, std::optional<LengthUnit> unit) {
    ExportDrawingResult r = exportDrawing(solved, unit);
    EXPECT_EQ(r.problem, "");
    return r.drawing;
}

TEST(ExportNumbers, FixedPointWithoutExponentOrNegativeZero) {
    EXPECT_EQ(fixedText(2.5, 10), "2.5");
    EXPECT_EQ(fixedText(-3.0, 4), "-3");
    EXPECT_EQ(fixedText(1e-20, 10), "0");
    EXPECT_EQ(fixedText(-1e-20, 10), "0");
    EXPECT_EQ(fixedText(-0.0, 3), "0");
    EXPECT_EQ(fixedText(1e20, 3), "100000000000000000000");
    EXPECT_EQ(fixedText(0.1 + 0.2, 12), "0.3");
    EXPECT_EQ(fixedText(2.0 / 3.0, 5), "0.66667");
    // A drawing up to 880 units keeps 10 decimals, one of 35 keeps 11.
    EXPECT_EQ(lengthDecimals(880.0), 10);
    EXPECT_EQ(lengthDecimals(35.0), 11);
    EXPECT_EQ(lengthDecimals(0.5), 13);

    // Any value, large or small: the text reads back within half a unit of
    // its last decimal, in plain digits.
    std::mt19937_64 rng(test::randomTestSeed());
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-12, 20), places(0, 17);
    for (int i = 0; i < 20000; ++i) {
        const double v = mantissa(rng) * std::pow(10.0, exponent(rng));
        const int d = places(rng);
        const std::string text = fixedText(v, d);
        ASSERT_EQ(text.find_first_not_of("-0123456789."), std::string::npos) << text;
        EXPECT_LE(std::fabs(std::stod(text) - v), 0.5 * std::pow(10.0, -d) + 1e-15 * std::fabs(v))
            << v << " to " << d << " places: " << text;
    }
}

TEST(CamDxf, LoopsBecomeClosedPolylinesAndOpenItemsStay) {
    auto t = presetAfterPass(presetByName("OM"));
    const SolvedDesign solved = solvedOrFail(*t);
    const ExportDrawing d = drawingOf(solved, std::nullopt);
    const Pairs pairs = pairsOf(camDxfText(d).value());

    // The recorded items, less the body's pieces, the fingerboard's six
    // outline lines, which the two polylines replace, and the fret lines,
    // which the slots replace: a closed polyline of four vertices a fret.
    std::map<std::string, int> recorded;
    for (const Stroke& e : recordedStrokes(*solved.strokes)) {
        const bool bodyPiece =
            e.layer == Layer::Body && (e.kind == StrokeKind::Line || e.kind == StrokeKind::Arc);
        const bool fretLine = e.layer == Layer::Frets && e.kind == StrokeKind::Line;
        if (!bodyPiece && !fretLine)
            ++recorded[dxfEntityName(e.kind)];
    }
    const int frets = static_cast<int>(t->design.params.fretCount);
    recorded["LINE"] -= 6;
    recorded["POLYLINE"] = 2 + frets;
    recorded["SEQEND"] = 2 + frets;
    const Contour& body = d.loops[0];
    const Contour& board = d.loops[1];
    recorded["VERTEX"] = static_cast<int>(body.edges.size() + board.edges.size()) + 4 * frets;
    EXPECT_EQ(entityCounts(pairs), recorded);

    // Each vertex carries the bulge of the arc that follows it, and only then.
    size_t vertex = 0;
    for (size_t i = 0; i < pairs.size() && vertex < body.edges.size(); ++i) {
        if (pairs[i] != std::make_pair(0, std::string("VERTEX")))
            continue;
        const ContourEdge& e = body.edges[vertex++];
        std::string bulge;
        for (size_t j = i + 1; j < pairs.size() && pairs[j].first != 0; ++j) {
            if (pairs[j].first == 42)
                bulge = pairs[j].second;
        }
        if (e.sweep == 0.0)
            EXPECT_EQ(bulge, "");
        else
            EXPECT_NEAR(std::stod(bulge), std::tan(e.sweep / 4.0), 1e-15);
    }
    EXPECT_EQ(vertex, body.edges.size());
    EXPECT_NE(
        camDxfText(d).value().find("POLYLINE\r\n  8\r\nbody\r\n 66\r\n1\r\n 10\r\n0\r\n 20\r\n0\r\n"
                                   " 30\r\n0\r\n 70\r\n1\r\n"),
        std::string::npos);
}

// Strips below the drawing must not round the body's numbers more coarsely:
// the OM in millimetres keeps 10 decimals, which a file of over 1000 mm (a
// strip as deep as the body is long) would cut to 9.
TEST(CamDxf, SideStripsNeverCoarsenTheBodysNumbers) {
    auto t = presetAfterPass(presetByName("OM"));
    const SolvedDesign plain = solvedOrFail(*t);
    SolvedDesign deep = plain;
    deep.depth = readDepthSettings("19.4", "19.4", "", plain.body.bodyLength);
    ASSERT_TRUE(deep.depth.hasDepths());
    for (const bool svg : {false, true}) {
        const auto body = [&](const SolvedDesign& design) {
            const ExportSettings mm = inUnit(LengthUnit::Millimetre);
            const std::string text =
                (svg ? svgFile(design, mm, "") : camDxfFile(design, mm, "")).bytes;
            const size_t from = text.find(svg ? "<g id=\"body\"" : "POLYLINE\r\n  8\r\nbody");
            return text.substr(from, text.find(svg ? "</g>" : "SEQEND", from) - from);
        };
        EXPECT_EQ(body(plain), body(deep));
    }
}

TEST(CamDxf, UnitsConvertExactly) {
    auto t = presetAfterPass(presetByName("Classical"));  // a centimetre design
    const SolvedDesign solved = solvedOrFail(*t);
    const ExportDrawing cm = drawingOf(solved, std::nullopt);
    const ExportDrawing mm = drawingOf(solved, LengthUnit::Millimetre);
    const ExportDrawing in = drawingOf(solved, LengthUnit::Inch);
    EXPECT_EQ(cm.unit, LengthUnit::Centimetre);
    const std::vector<ContourEdge>& e = cm.loops[0].edges;
    for (size_t i = 0; i < e.size(); ++i) {
        EXPECT_EQ(mm.loops[0].edges[i].x, e[i].x * 10.0);
        EXPECT_EQ(in.loops[0].edges[i].y, e[i].y / 2.54);
        EXPECT_EQ(in.loops[0].edges[i].sweep, e[i].sweep);
    }
    ASSERT_EQ(cm.items.size(), in.items.size());
    for (size_t i = 0; i < cm.items.size(); ++i) {
        EXPECT_EQ(in.items[i].v[0], cm.items[i].v[0] / 2.54);
        if (cm.items[i].kind == StrokeKind::Arc) {
            EXPECT_EQ(in.items[i].v[3], cm.items[i].v[3]);  // angles stay angles
        }
    }
}

TEST(CamDxf, ValuesThatAreNoNumbersAreRefusedInEveryFormat) {
    auto t = presetAfterPass(presetByName("OM"));
    SolvedDesign solved = solvedOrFail(*t);
    for (float bad : {NAN, INFINITY}) {
        StrokeList strokes = *solved.strokes;
        Stroke string;
        string.layer = Layer::Strings;
        const double v[] = {-1.0, 30.0, bad, 30.0};
        std::copy(std::begin(v), std::end(v), string.v);
        strokes.push_back(string);
        solved.strokes = &strokes;
        for (auto write : {camDxfFile, svgFile}) {
            const ExportFile file = write(solved, ExportSettings{}, "");
            EXPECT_EQ(file.problem, "The outline holds a value that cannot be written to a file.");
            EXPECT_EQ(file.bytes, "");
        }
    }
}

// A flattened arc is cut into as few equal chords as keep each within the
// tolerance of it; a tolerance far below the drawing's size is refused
// rather than written as millions of chords, and a flattened file has no
// bulge left.
TEST(CamDxf, FlattenedArcsTakeTheFewestChordsWithinTheTolerance) {
    for (double r : {0.05, 1.0, 7.5, 300.0}) {
        for (double sweep : {0.01, 1.0, testing::TEST_PI, 2.0 * testing::TEST_PI}) {
            for (double tolerance : {1e-4, 1e-3, 0.01, 10.0}) {
                const long n = chordCount(r, sweep, tolerance);
                const auto off = [&](long chords) {
                    return r * (1.0 - std::cos(sweep / static_cast<double>(chords) / 2.0));
                };
                EXPECT_LE(off(n), tolerance * (1.0 + 1e-12)) << r << " " << sweep;
                if (n > 1) {
                    EXPECT_GT(off(n - 1), tolerance) << r << " " << sweep;
                }
            }
        }
    }
    auto t = presetAfterPass(presetByName("OM"));
    const ExportDrawing d = drawingOf(solvedOrFail(*t), std::nullopt);
    EXPECT_FALSE(camDxfText(d, DxfVersion::R2000, 1e-12).has_value());
    const std::optional<std::string> flat = camDxfText(d, DxfVersion::R12, 0.001);
    ASSERT_TRUE(flat.has_value());
    EXPECT_EQ(flat->find("\r\n 42\r\n"), std::string::npos);
    EXPECT_EQ(flat->find("\r\nARC\r\n"), std::string::npos);
    EXPECT_EQ(flat->find("\r\nCIRCLE\r\n"), std::string::npos);
}

}  // namespace
}  // namespace bowlyn
