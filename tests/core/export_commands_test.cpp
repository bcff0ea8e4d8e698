// The window's exports for the workshop, run headless: the file holds what
// the exports make for the unit and paper chosen beside its name.

#include "commands/export_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "derive/measurements.h"
#include "export_test_support.h"
#include "formats/export_file.h"
#include "formats/export_numbers.h"
#include "model/export_settings.h"
#include "model/form_editing.h"
#include "model/presets.h"
#include "om_in_folder.h"
#include "test_document.h"
#include "tests/scripted_dialogs.h"

namespace bowlyn {
namespace {

namespace fs = std::filesystem;

using testing::inUnit;

class WorkshopExport : public testing::OmInFolder {
  protected:
    bool exportAs(const char* key) { return exportFile(session, dialogs, *exportFormat(key)); }
};

TEST_F(WorkshopExport, WritesWhatTheExportMakesInTheChosenUnitAndTitle) {
    ASSERT_EQ(pass(), STATUS_OK);
    dialogs.files = {dir + "om", dir + "om-own.SVG", dir + "om.Svg"};
    dialogs.units = {LengthUnit::Millimetre, std::nullopt, LengthUnit::Centimetre};
    EXPECT_TRUE(exportAs("CAM"));
    EXPECT_TRUE(exportAs("SVG"));
    EXPECT_TRUE(exportAs("SVG"));
    EXPECT_TRUE(dialogs.errors.empty());
    // The choosers start with the design's name; the status line names the file.
    EXPECT_EQ(dialogs.suggestedNames, (std::vector<std::string>{"OM.dxf", "OM.svg", "OM.svg"}));
    EXPECT_EQ(status(), "Wrote om.Svg.svg");

    const SolvedDesign solved = *solvedDesign(last(), design);
    EXPECT_EQ(read(dir + "om.dxf"), camDxfFile(solved, inUnit(LengthUnit::Millimetre), "OM").bytes);
    // An upper-case extension is the extension; any other case is not.
    EXPECT_EQ(read(dir + "om-own.SVG"), svgFile(solved, inUnit(std::nullopt), "OM").bytes);
    EXPECT_EQ(read(dir + "om.Svg.svg"),
              svgFile(solved, inUnit(LengthUnit::Centimetre), "OM").bytes);
    EXPECT_EQ(session.lastDirectory, dir);
}

// The DXF's version and flattening chosen beside the name reach the file.
TEST_F(WorkshopExport, TheCamChooserTakesTheDxfVersionAndFlattening) {
    ASSERT_EQ(pass(), STATUS_OK);
    dialogs.files = {dir + "om2000.dxf"};
    dialogs.dxfVersions = {DxfVersion::R2000};
    dialogs.flattens = {0.01};
    EXPECT_TRUE(exportAs("CAM"));
    ASSERT_EQ(dialogs.exportRequests.size(), 1u);
    EXPECT_TRUE(dialogs.exportRequests[0].choices.dxf);
    ExportSettings s;
    s.dxfVersion = DxfVersion::R2000;
    s.flatten = 0.01;
    const std::string bytes = read(dir + "om2000.dxf");
    EXPECT_EQ(bytes, camDxfFile(*solvedDesign(last(), design), s, "OM").bytes);
    EXPECT_NE(bytes.find("AC1015"), std::string::npos);
}

// The fret table as the window shows it: the command line's rows with the
// decimals a workshop reads, refused without a fretboard.
TEST_F(WorkshopExport, TheFretTableIsShownOnlyForAFretboard) {
    ASSERT_EQ(pass(), STATUS_OK);
    EXPECT_TRUE(showFretTable(session, dialogs));
    ASSERT_EQ(dialogs.tables.size(), 1u);
    const auto& table = dialogs.tables[0];
    EXPECT_EQ(table.title, "Fret table of OM (in, angles in degrees)");
    EXPECT_EQ(table.columns,
              (std::vector<std::string>{"fret", "bass", "treble", "bass y", "treble y", "angle"}));
    ASSERT_EQ(table.rows.size(), 22u);  // the nut, 20 frets and the saddle
    EXPECT_EQ(table.rows[0], (std::vector<std::string>{"0", "0", "0", "33.4856", "33.4856", "0"}));
    EXPECT_EQ(table.rows[21][0], "saddle");

    setFieldText(design, fields::BODY_LENGTH, "19.8");  // the table is of the design as it is now
    EXPECT_TRUE(showFretTable(session, dialogs));
    EXPECT_EQ(dialogs.tables[1].rows[0][3], "33.8856");

    setFieldText(design, fields::HAS_FRETBOARD, "0");
    EXPECT_FALSE(showFretTable(session, dialogs));
    EXPECT_EQ(dialogs.errors.back(), "The design has no fretboard, so it has no frets to list.");
    setFieldText(design, fields::WAIST_WIDTH, "30");
    EXPECT_FALSE(showFretTable(session, dialogs));
    EXPECT_EQ(dialogs.errors.back(),
              "A complete body outline must be successfully generated before its frets can be "
              "listed.");
}

TEST_F(WorkshopExport, ATemplateIsAPdfOnThePaperChosen) {
    ASSERT_EQ(pass(), STATUS_OK);
    dialogs.files = {dir + "a4.pdf", dir + "full.pdf"};
    dialogs.papers = {*paperByName("a4"), *paperByName("full")};
    EXPECT_TRUE(exportAs("PDF"));
    EXPECT_EQ(status(), "Wrote a4.pdf: 14 pages of A4");
    EXPECT_TRUE(exportAs("PDF"));
    const std::string a4 = read(dir + "a4.pdf"), full = read(dir + "full.pdf");
    EXPECT_EQ(a4.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(full.rfind("%PDF-", 0), 0u);
    // Fourteen sheets of A4 (the body's map and ten tiles, the fretboard's two
    // and its table) against a page as large as the drawing, one for the
    // fretboard and the table.
    auto pages = [](const std::string& pdf) {
        const size_t at = pdf.find("/Count ");
        return at == std::string::npos ? 0 : std::stoi(pdf.substr(at + 7));
    };
    EXPECT_EQ(pages(a4), 14);
    EXPECT_EQ(pages(full), 3);
    EXPECT_EQ(status(), "Wrote full.pdf: 3 pages at full size");
}

// The mould chosen beside the name is in the unit chosen there; a distance
// that is no number, or one the waist cannot take, is refused before
// anything is written.
TEST_F(WorkshopExport, TheMouldChosenBesideTheNameIsInTheChosenUnit) {
    ASSERT_EQ(pass(), STATUS_OK);
    dialogs.files = {dir + "om.svg", dir + "om.pdf", dir + "bad.dxf", dir + "deep.dxf"};
    dialogs.units = {LengthUnit::Millimetre, LengthUnit::Millimetre, std::nullopt, std::nullopt};
    dialogs.moulds = {typedDistance(" 20 "), 20.0, typedDistance("2,5"), 2.5};
    EXPECT_TRUE(exportAs("SVG"));
    EXPECT_TRUE(exportAs("PDF"));
    EXPECT_FALSE(exportAs("CAM"));
    EXPECT_FALSE(exportAs("CAM"));

    ExportSettings settings = inUnit(LengthUnit::Millimetre);
    settings.mould = 20.0;
    EXPECT_EQ(read(dir + "om.svg"), svgFile(*solvedDesign(last(), design), settings, "OM").bytes);
    const std::string pdf = read(dir + "om.pdf");
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(dialogs.errors,
              (std::vector<std::string>{
                  "The mould's distance from the body must be a number greater than 0.",
                  "The mould cannot be drawn 2.5 in outside the body: the waist arc curves "
                  "inwards with a radius of only 2.36 in."}));
    EXPECT_FALSE(fs::exists(dir + "bad.dxf"));
    EXPECT_FALSE(fs::exists(dir + "deep.dxf"));
}

TEST_F(WorkshopExport, NothingIsAskedOrWrittenWithoutACompleteOutline) {
    // Loaded, never drawn; then drawn with a problem.
    EXPECT_FALSE(exportAs("SVG"));
    design.params.lowerBoutHalfWidth = 0.5f;
    ASSERT_NE(pass(), STATUS_OK);
    EXPECT_FALSE(exportAs("PDF"));
    EXPECT_EQ(dialogs.log,
              (std::vector<std::string>{"error: " + outlineIncompleteMessage(".svg"),
                                        "error: " + outlineIncompleteMessage(".pdf")}));
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(WorkshopExport, ADeclinedOverwriteOrAFailedWriteLeavesTheOldFile) {
    ASSERT_EQ(pass(), STATUS_OK);
    std::ofstream(dir + "om.dxf") << "kept";
    dialogs.files = {dir + "om"};
    dialogs.answers = {false};
    EXPECT_FALSE(exportAs("CAM"));
    EXPECT_EQ(dialogs.log,
              (std::vector<std::string>{"choose export in ''",
                                        "ask: File '" + dir + "om.dxf' exists. Overwrite it?",
                                        "choose export in '" + dir + "'"}));
    EXPECT_EQ(read(dir + "om.dxf"), "kept");

    const std::string nowhere = dir + "no-such-folder/om.dxf";
    dialogs.files = {nowhere};
    EXPECT_FALSE(exportAs("CAM"));
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0].rfind("Could not write '" + nowhere + "': ", 0), 0u)
        << dialogs.errors[0];
}

}  // namespace
}  // namespace bowlyn
