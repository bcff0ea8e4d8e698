// The outline readers: every format gives back the outline it was made from,
// halves are known as halves, bad files are refused with their reason, and
// no bytes make a reader crash or hang.
#include <gtest/gtest.h>

#include <random>

#include "tests/core/test_seed.h"
#include "tests/core/traced_files.h"
#include "trace/dxf_reader.h"
#include "trace/read_outline.h"
#include "trace/svg_reader.h"

namespace bowlyn {
namespace {

using test::LoopPiece;

const DesignParameters& body() {
    static const DesignParameters p = test::presetParams(presetRows::SteelString);
    return p;
}

std::vector<ModelPiece> piecesMm() {
    std::vector<ModelPiece> pieces;
    for (const LoopPiece& l : test::loopPieces(body()))
        pieces.push_back(l.piece);
    return pieces;
}

std::string pointsFile(const Polyline& points) {
    std::string text = "# a traced body, x and y in mm\r\n";
    for (size_t i = 0; i < points.size(); ++i) {
        const char* separator = i % 3 == 0 ? " " : i % 3 == 1 ? "\t" : ", ";
        text += test::num(points[i].x) + separator + test::num(points[i].y) + "  # point\r\n";
    }
    return text;
}

OutlineReading inMm() {
    OutlineReading reading;
    reading.mmPerUnit = 1.0;
    return reading;
}

TEST(OutlineReaders, EveryFormatGivesBackTheOutlineItWasMadeFrom) {
    const std::vector<LoopPiece> loop = test::loopPieces(body());
    const std::vector<ModelPiece> pieces = piecesMm();
    const Polyline outline = test::designOutline(body(), 400);
    const test::Scan scan = test::scanOf(test::designOutline(body(), 4000), 100);
    OutlineReading at100;
    at100.dpi = 100;
    struct Case {
        const char* name;
        std::string bytes;
        OutlineReading reading;
        double tolerance;  // mm from the outline
        bool scanned;
    };
    const Case cases[] = {
        // Points on the chords of the outline sampled every 0.254 mm.
        {"body.txt", pointsFile(outline), inMm(), 1e-3, false},
        {"body.svg", test::svgOf(loop), {}, 0.02, false},
        {"body.dxf", test::dxfLinesAndArcs(loop), {}, 0.02, false},
        {"body-polyline.dxf", test::dxfPolyline(loop), {}, 0.02, false},
        // A pixel is 0.254 mm; potrace rounds the cutaway's corner a little.
        {"body.png", test::pngOf(scan), at100, 0.3, true},
        {"body.jpg", test::jpegOf(scan), at100, 0.3, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TracedOutline read = outlineFromBytes(c.name, c.bytes, c.reading);
        ASSERT_EQ(read.problem, "");
        EXPECT_FALSE(read.half);
        ASSERT_GE(read.points.size(), OUTLINE_MIN_POINTS);
        double lowest = 1e9, highest = -1e9, worst = 0;
        for (TracePoint p : read.points) {
            if (c.scanned)
                p = scan.toBody(p);
            worst = std::max(worst, distanceTo(pieces, p.x, p.y));
            lowest = std::min(lowest, p.y);
            highest = std::max(highest, p.y);
        }
        EXPECT_LT(worst, c.tolerance);
        // The whole loop, not a piece of it.
        EXPECT_NEAR(lowest, 0, c.tolerance);
        EXPECT_NEAR(highest, body().bodyLength * 25.4, c.tolerance);
    }
}

// The spline of a DXF is evaluated as the curve it describes: a rational
// quadratic circle of radius 100 mm, and a straight spline of degree 1.
TEST(OutlineReaders, SplinesAreTheCurvesTheirKnotsAndWeightsMake) {
    const double w = std::sqrt(0.5);
    const double cx[] = {100, 100, 0, -100, -100, -100, 0, 100, 100};
    const double cy[] = {0, 100, 100, 100, 0, -100, -100, -100, 0};
    std::string s =
        "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n0\nSECTION\n2\n"
        "ENTITIES\n0\nSPLINE\n70\n11\n71\n2\n72\n12\n73\n9\n";
    for (double k : {0., 0., 0., .25, .25, .5, .5, .75, .75, 1., 1., 1.})
        s += "40\n" + test::num(k) + "\n";
    for (int i = 0; i < 9; ++i)
        s += "41\n" + test::num(i % 2 ? w : 1) + "\n10\n" + test::num(cx[i]) + "\n20\n" +
             test::num(cy[i]) + "\n";
    s += "0\nSPLINE\n70\n8\n71\n1\n72\n4\n73\n2\n40\n0\n40\n0\n40\n1\n40\n1\n"
         "10\n300\n20\n0\n10\n300\n20\n50\n0\nENDSEC\n0\nEOF\n";
    const TraceFile file = readDxfOutline(s);
    ASSERT_EQ(file.pieces.size(), 2u);
    EXPECT_TRUE(file.pieces[0].closed);
    EXPECT_GE(file.pieces[0].points.size(), 64u);
    for (const TracePoint& p : file.pieces[0].points)
        EXPECT_NEAR(std::hypot(p.x, p.y), 100, 1e-9);
    for (const TracePoint& p : file.pieces[1].points)
        EXPECT_EQ(p.x, 300);
    EXPECT_EQ(file.pieces[1].points.back().y, 50);
}

// One rounded rectangle (100 by 60 mm, corners of 10 mm) written with every
// kind of path command, absolute and relative, with and without separators:
// each gives the same closed shape.
TEST(OutlineReaders, EveryPathCommandDrawsWhereItSays) {
    const char* const paths[] = {
        "M 10 0 L 90 0 A 10 10 0 0 1 100 10 L 100 50 A 10 10 0 0 1 90 60 L 10 60 "
        "A 10 10 0 0 1 0 50 L 0 10 A 10 10 0 0 1 10 0 Z",
        "m10,0h80a10,10,0,0,1,10,10v40a10 10 0 01-10 10h-80a10,10 0 01-10-10v-40a10 10 0 0 1 "
        "10-10z",
        "M 10 0 H 90 C 95.5228 0 100 4.4772 100 10 V 50 c 0 5.5228 -4.4772 10 -10 10 H 10 "
        "C 4.4772 60 0 55.5228 0 50 V 10 c 0 -5.5228 4.4772 -10 10 -10 Z",
        // Pairs after M are lines; one corner left square.
        "M10 0 90 0A10 10 0 0 1 100 10L100 50A10 10 0 0 1 90 60L10 60 0 60 0 10A10 10 0 0 1 10 0z",
    };
    const double rounded = 6000 - (4 - M_PI) * 100;  // each corner cuts (1 - pi / 4) r^2
    const double areas[] = {rounded, rounded, rounded, 6000 - 0.75 * (4 - M_PI) * 100};
    for (size_t i = 0; i < std::size(paths); ++i) {
        SCOPED_TRACE(paths[i]);
        const TraceFile file = readSvgOutline(
            std::string("<svg xmlns='http://www.w3.org/2000/svg' width='20cm' height='20cm' "
                        "viewBox='0 0 200 200'><path d='") +
            paths[i] + "'/></svg>");
        ASSERT_EQ(file.problem, "");
        ASSERT_EQ(file.pieces.size(), 1u);
        EXPECT_TRUE(file.pieces[0].closed);
        EXPECT_DOUBLE_EQ(*file.mmPerUnit, 1.0);
        double area = 0, left = 1e9, right = -1e9, low = 1e9, high = -1e9;
        const Polyline& p = file.pieces[0].points;
        for (size_t k = 0; k < p.size(); ++k) {
            const TracePoint &a = p[k], &b = p[(k + 1) % p.size()];
            area += (a.x * b.y - b.x * a.y) / 2;
            left = std::min(left, a.x), right = std::max(right, a.x);
            low = std::min(low, a.y), high = std::max(high, a.y);
        }
        EXPECT_NEAR(std::fabs(area), areas[i], 0.5);
        EXPECT_NEAR(left, 0, 1e-9);
        EXPECT_NEAR(right, 100, 1e-9);
        EXPECT_NEAR(low, -60, 1e-9);  // y upwards
        EXPECT_NEAR(high, 0, 1e-9);
    }
}

// A half runs along one side from the centre line back to it: as an open
// run of points, or closed by the centre line drawn as a line.
TEST(OutlineReaders, HalvesAreKnownAsHalves) {
    // From the tail round the right side to the neck end of the centre line.
    const Polyline half = test::designHalf(test::presetParams(presetRows::OM), 600);
    const TracedOutline open = outlineFromBytes("half.txt", pointsFile(half), inMm());
    ASSERT_EQ(open.problem, "");
    EXPECT_TRUE(open.half);

    std::string dxf = "0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n70\n1\n";
    for (const TracePoint& p : half)
        dxf += "0\nVERTEX\n10\n" + test::num(p.x) + "\n20\n" + test::num(p.y) + "\n";
    dxf += "0\nSEQEND\n0\nENDSEC\n0\nEOF\n";
    const TracedOutline closed = outlineFromBytes("half.dxf", dxf, inMm());
    ASSERT_EQ(closed.problem, "");
    EXPECT_TRUE(closed.half);
    EXPECT_EQ(closed.points.size(), half.size());
}

// A PNG file claiming a picture of 60000 by 60000 pixels, its checksums right.
std::string hugePng() {
    const auto chunk = [](const std::string& type, const std::string& data) {
        std::string bytes;
        const auto word = [&](uint32_t v) {
            for (int shift = 24; shift >= 0; shift -= 8)
                bytes += static_cast<char>((v >> shift) & 0xff);
        };
        word(static_cast<uint32_t>(data.size()));
        uint32_t crc = 0xffffffffu;
        for (unsigned char c : type + data) {
            crc ^= c;
            for (int k = 0; k < 8; ++k)
                crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
        }
        bytes += type + data;
        word(crc ^ 0xffffffffu);
        return bytes;
    };
    const std::string size("\0\0\xea\x60\0\0\xea\x60\x08\0\0\0\0", 13);
    return "\x89PNG\r\n\x1a\n" + chunk("IHDR", size) + chunk("IDAT", "") + chunk("IEND", "");
}

TEST(OutlineReaders, BadFilesAreRefusedWithTheirReason) {
    std::string figureEight, tiny, blank;
    for (int i = 0; i < 60; ++i) {
        const double t = i * 2 * M_PI / 60;
        figureEight +=
            test::num(200 * std::sin(t)) + " " + test::num(200 * std::sin(t) * std::cos(t)) + "\n";
        tiny += test::num(5 * std::cos(t)) + " " + test::num(5 * std::sin(t)) + "\n";
    }
    test::Scan white;
    white.width = white.height = 50;
    white.grey.assign(2500, 255);
    std::string bareDxf = test::dxfPolyline(test::loopPieces(body()));
    bareDxf.replace(bareDxf.find("$INSUNITS\n70\n5"), 14, "$INSUNITS\n70\n0");
    const struct {
        const char* name;
        std::string bytes;
        OutlineReading reading;
        const char* reason;
    } cases[] = {
        {"empty.txt", "", inMm(), "holds no lines or curves"},
        {"two.txt", "0 0\n10 10\n", inMm(), "only 2 points; a fit needs at least 20"},
        {"words.txt", "0 0\n1 one\n", inMm(), "line 2 is not a point"},
        {"three.txt", "0 0 1\n", inMm(), "line 1 is not a point"},
        {"eight.txt", figureEight, inMm(), "crosses itself"},
        {"tiny.txt", tiny, inMm(), "no body is: is its unit right?"},
        {"unitless.txt", figureEight, {}, "does not say what unit it is in: give it with --in"},
        {"unitless.dxf", bareDxf, {}, "does not say what unit"},
        {"pixels.svg",
         "<svg xmlns='http://www.w3.org/2000/svg' width='800' height='600'>"
         "<path d='M 0 0 L 100 0 L 100 100 Z'/></svg>",
         {},
         "does not say what unit"},
        {"open.dxf",
         "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n70\n0\n10\n0\n20\n0\n10\n100\n20\n0\n"
         "10\n100\n20\n100\n10\n0\n20\n150\n0\nENDSEC\n0\nEOF\n" +
             std::string(40, '\n'),
         inMm(), ""},
        {"broken.svg", "<svg><path d='M 0 0'", inMm(), "not a well-formed SVG file"},
        {"other.svg", "<html><svg/></html>", inMm(), "not an SVG file"},
        {"binary.dxf", "AutoCAD Binary DXF\r\n\x1a", inMm(), "not an ASCII DXF file"},
        {"blank.png", test::pngOf(white), {}, "nothing in the picture stands out"},
        {"noise.png", "\x89PNG\r\n\x1a\nrubbish", {}, "not a readable PNG file"},
        {"huge.png", hugePng(), {}, "at most 30000 a side"},
        {"noise.jpg", "\xff\xd8\xff\xe0 rubbish", {}, "not a readable JPEG file"},
        {"scan.png",
         test::pngOf(test::scanOf(test::designOutline(body(), 400), 20)),
         {},
         "give the picture's resolution with --dpi"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TracedOutline read = outlineFromBytes(c.name, c.bytes, c.reading);
        EXPECT_NE(read.problem, "");
        EXPECT_NE(read.problem.find(c.reason), std::string::npos) << read.problem;
        EXPECT_TRUE(read.points.empty());
    }
}

// Broken copies of good files (bytes changed, cut short, repeated) and
// random bytes under every reader's name: each gives an outline of finite
// points or a reason, in its own time.
TEST(OutlineReaders, NoBytesBreakAReader) {
    const std::vector<LoopPiece> loop = test::loopPieces(body());
    const test::Scan scan = test::scanOf(test::designOutline(body(), 400), 15);
    OutlineReading reading = inMm();
    reading.dpi = 15;
    const std::pair<const char*, std::string> good[] = {
        {"a.txt", pointsFile(test::designOutline(body(), 60))},
        {"a.svg", test::svgOf(loop)},
        {"a.dxf", test::dxfLinesAndArcs(loop)},
        {"b.dxf", test::dxfPolyline(loop)},
        {"a.png", test::pngOf(scan)},
        {"a.jpg", test::jpegOf(scan)},
    };
    std::mt19937 rng(test::randomTestSeed());
    for (const auto& [name, bytes] : good) {
        for (int round = 0; round < 120; ++round) {
            std::string broken = bytes;
            const int kind = round % 4;
            std::uniform_int_distribution<size_t> at(0, broken.size() - 1);
            if (kind == 0) {
                for (int k = 0; k < 8; ++k)
                    broken[at(rng)] = static_cast<char>(rng());
            } else if (kind == 1) {
                broken.resize(at(rng));
            } else if (kind == 2) {
                const size_t from = at(rng);
                broken.insert(at(rng), broken.substr(from, 200));
            } else {
                broken.assign(at(rng) % 4096, '\0');
                for (char& c : broken)
                    c = static_cast<char>(rng());
            }
            const TracedOutline read = outlineFromBytes(name, broken, reading);
            for (const TracePoint& p : read.points)
                ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << name;
            EXPECT_TRUE(read.problem.empty() != read.points.empty()) << name;
        }
    }
}

}  // namespace
}  // namespace bowlyn
