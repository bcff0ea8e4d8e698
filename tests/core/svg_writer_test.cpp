// The SVG as written: its title and escaping, its size and layers. The files
// are parsed and drawn by rsvg-convert in tests/scripts/svg_readback.
#include "formats/svg_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "export_test_support.h"
#include "formats/export_file.h"
#include "model/form_editing.h"

namespace bowlyn {
namespace {

using testing::inUnit;
using testing::presetAfterPass;
using testing::solvedOrFail;

TEST(SvgWriter, TextIsEscapedAndValidUtf8) {
    EXPECT_EQ(xmlEscaped("Archtop 16'' w/ <Venetian> & \"cutaway\""),
              "Archtop 16'' w/ &lt;Venetian&gt; &amp; &quot;cutaway&quot;");
    EXPECT_EQ(xmlEscaped("Gitarre f\xC3\xBCr \xE2\x82\xAC 12"),
              "Gitarre f\xC3\xBCr \xE2\x82\xAC 12");
    // Bytes of another encoding, a truncated sequence, an overlong form and a
    // surrogate become U+FFFD; control characters XML forbids are left out.
    EXPECT_EQ(xmlEscaped("f\xFCr"), "f\xEF\xBF\xBDr");
    EXPECT_EQ(xmlEscaped("end\xE2\x82"), "end\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(xmlEscaped("\xC0\xAF"), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(xmlEscaped("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(xmlEscaped(std::string("a\x01\x1B\tb\0c", 7)), "a\tbc");
}

TEST(SvgWriter, TitleSizeAndLayers) {
    auto t = presetAfterPass(presetByName("OM"));
    const SolvedDesign solved = solvedOrFail(*t);
    EXPECT_EQ(designTitle(t->design), "OM");
    typeText(t->design, fields::NAME, "  My <OM> & co  ");
    EXPECT_EQ(designTitle(t->design), "My <OM> & co");

    const ExportFile file = svgFile(solved, inUnit(LengthUnit::Millimetre), designTitle(t->design));
    ASSERT_EQ(file.problem, "");
    const std::string& svg = file.bytes;
    EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"", 0), 0u);
    EXPECT_NE(svg.find("<title>My &lt;OM&gt; &amp; co</title>"), std::string::npos);
    // Lower bout 15 in wide, the side view 1 in beyond it: 16.328 in, and
    // a millimetre of margin either side.
    EXPECT_NE(svg.find(" width=\"416.7312"), std::string::npos);
    EXPECT_NE(svg.find("\" viewBox=\"-191.5 -"), std::string::npos);
    for (const char* layer : {"reflines", "body", "fretboard", "frets", "strings"}) {
        EXPECT_NE(svg.find(std::string("<g id=\"") + layer +
                           "\" inkscape:groupmode=\"layer\" inkscape:label=\"" + layer +
                           "\" fill=\"none\""),
                  std::string::npos)
            << layer;
    }
    EXPECT_NE(svg.find("stroke-width=\"0.1\""), std::string::npos);
    // Plain decimals in every path, never an exponent.
    for (size_t at = svg.find(" d=\""); at != std::string::npos; at = svg.find(" d=\"", at + 1)) {
        const std::string d = svg.substr(at + 4, svg.find('"', at + 4) - at - 4);
        EXPECT_EQ(d.find_first_not_of("MLAHVZ 0123456789.-"), std::string::npos) << d;
    }

    // A blank name gives no title element.
    EXPECT_EQ(svgFile(solved, ExportSettings{}, "").bytes.find("<title>"), std::string::npos);
}

}  // namespace
}  // namespace bowlyn
