// Runs the built bowlyn-cli as a user would and checks what it prints,
// writes and returns.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "commands/export_formats.h"
#include "export_test_support.h"
#include "formats/export_numbers.h"
#include "geometry/pass_texts.h"
#include "model/output_table.h"

namespace bowlyn {
namespace {

namespace fs = std::filesystem;

struct CliResult {
    int status = -1;
    std::string out, err;
};

std::string shellQuoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string read(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

class Cli : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/bowlyn-cli-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = std::string(pattern) + "/";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }

    CliResult run(const std::vector<std::string>& args, const std::string& environment = "") {
        std::string command = environment + " " + shellQuoted(BOWLYN_CLI);
        for (const std::string& a : args)
            command += " " + shellQuoted(a);
        command += " 2>" + shellQuoted(dir + "stderr");
        CliResult r;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return r;
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            r.out.append(buffer, n);
        int status = pclose(pipe);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.err = read(dir + "stderr");
        fs::remove(dir + "stderr");
        return r;
    }
    // Runs a bash script in the test's folder with $CLI naming the program;
    // the exit status of the script.
    int shell(const std::string& script) {
        const std::string command = "cd " + shellQuoted(dir) +
                                    " && CLI=" + shellQuoted(BOWLYN_CLI) + " bash -c " +
                                    shellQuoted(script);
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    size_t entries() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {}));
    }
    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir + name, std::ios::binary) << bytes;
    }
    static bool commaLocaleInstalled() {
        std::string saved = std::setlocale(LC_ALL, nullptr);
        bool ok = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
        std::setlocale(LC_ALL, saved.c_str());
        return ok;
    }

    std::string dir;
};

TEST_F(Cli, ListsThePresets) {
    CliResult r = run({"presets"});
    EXPECT_EQ(r.status, 0);
    std::vector<std::string> names = lines(r.out);
    ASSERT_EQ(names.size(), 11u);
    EXPECT_EQ(names[0], "Archtop 16'' w/ Venetian cutaway");
    EXPECT_EQ(names[8], "Soprano Uke");
    EXPECT_EQ(names[10], "Concert Uke");
}

TEST_F(Cli, MalformedLinesAreUsageErrors) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"draw", "clear"},
        {"check"},
        {"check", "clear", "extra"},
        {"render", "clear"},
        {"save", "clear", "-o"},
        {"check", "clear", "--set", "no equals sign"},
        {"save", "clear", "-o", dir + "x", "--points", dir + "p"},
        {"export", "clear", "-o", dir + "x", "--final"},
        {"convert", "-o", dir + "x"},
        {"presets", "extra"},
        {"export", "clear", "-o", dir + "x.svg", "--cam"},
        {"export", "clear", "-o", dir + "x.dxf", "--units", "mm"},
        {"export", "clear", "-o", dir + "x.dxf", "--cam", "--units", "ft"},
        {"export", "clear", "-o", dir + "x.dxf", "--cam=yes"},
        {"export", "clear", "-o", dir + "x.dxf", "--mould", "20"},
        {"export", "clear", "-o", dir + "x.svg", "--mould", "0"},
        {"export", "clear", "-o", dir + "x.svg", "--mould=-3"},
        {"export", "clear", "-o", dir + "x.svg", "--mould", "2,5"},
        {"export", "clear", "-o", dir + "x.dxf", "--cam", "--mould", "1e999"},
        {"measure", "clear", "--mould", "2"},
        {"measure"},
        {"measure", "clear", "-o", dir + "x"},
        {"export", "clear", "-o", dir + "x.pdf", "--paper", "a5"},
        {"export", "clear", "-o", dir + "x.pdf", "--overlap", "60"},
        {"export", "clear", "-o", dir + "x.pdf", "--overlap", "1,5"},
        {"export", "clear", "-o", dir + "x.pdf", "--scale-x", "20"},
        {"export", "clear", "-o", dir + "x.pdf", "--scale-y="},
        {"export", "clear", "-o", dir + "x.pdf", "--cam"},
        {"export", "clear", "-o", dir + "x.svg", "--paper", "a4"},
        {"measure", "clear", "--paper", "a4"},
        {"thumbnail", "clear"},
        {"thumbnail", "clear", "-o", dir + "x.png", "--size", "15"},
        {"thumbnail", "clear", "-o", dir + "x.png", "--size", "4097"},
        {"thumbnail", "clear", "-o", dir + "x.png", "--size", "64.5"},
        {"render", "clear", "-o", dir + "x.png", "--size", "64"},
        {"export", "clear", "-o", dir + "x.dxf", "--dxf", "2000"},
        {"export", "clear", "-o", dir + "x.svg", "--flatten", "0.01"},
        {"export", "clear", "-o", dir + "x.dxf", "--cam", "--dxf", "14"},
        {"export", "clear", "-o", dir + "x.dxf", "--cam", "--flatten", "0"},
        {"frets", "clear", "-o", dir + "x"},
        {"frets", "clear", "--units", "ft"},
        {"fit", dir + "x.txt", "-o", dir + "x", "--in", "ft"},
        {"save", "clear", "-o", dir + "x", "--convert-to", "mm"},
        {"export", "clear", "-o", dir + "x.dxf", "--convert-to", "cm"},
    };
    for (const auto& args : bad) {
        CliResult r = run(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "(none)" : args[0]);
        EXPECT_NE(r.err.find("Usage:"), std::string::npos);
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(run({"--help"}).status, 0);
}

TEST_F(Cli, LoadErrorsNameTheFileOrLabel) {
    CliResult missing = run({"check", dir + "nope.bowlyn"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "File not found: '" + dir + "nope.bowlyn'\n");

    write("other.bowlyn", "Product,Other\r\nVersion, 0.7\r\n");
    CliResult other = run({"save", dir + "other.bowlyn", "-o", dir + "out"});
    EXPECT_EQ(other.status, 2);
    EXPECT_EQ(other.err, "File not a Bowlyn parameter file: '" + dir + "other.bowlyn'\n");
    EXPECT_FALSE(fs::exists(dir + "out"));

    CliResult label = run({"check", "preset:OM", "--set", "Body lenght=20"});
    EXPECT_EQ(label.status, 2);
    EXPECT_NE(label.err.find("'Body lenght'"), std::string::npos);

    EXPECT_EQ(run({"check", "preset:Banjo"}).status, 2);
    EXPECT_EQ(run({"check", "clear", "--points", dir + "none.txt"}).status, 2);
}

TEST_F(Cli, CheckPrintsTheStatusAndTheDerivedValues) {
    CliResult ok = run({"check", "preset:soprano uke"});
    EXPECT_EQ(ok.status, 0) << ok.err;
    std::vector<std::string> out = lines(ok.out);
    ASSERT_EQ(out.size(), 12u);
    EXPECT_EQ(out[0], "Status: OK");
    const std::vector<int> labels = outputsOf(OutputKind::Derived);
    ASSERT_EQ(labels.size(), 11u);
    for (size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(out[i + 1].substr(0, out[i + 1].find('\t')), output(labels[i]).widget);
    }
    EXPECT_NE(out[1], std::string(output(labels[0]).widget) + "\t ");  // tail arc radius filled

    CliResult cleared = run({"check", "clear"});
    EXPECT_EQ(cleared.status, 1);
    out = lines(cleared.out);
    ASSERT_EQ(out.size(), 12u);
    EXPECT_EQ(out[0],
              "Problem: Both the body length and the lower bout width must be specified. Values "
              "must be > 0.");
    for (size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(out[i + 1], std::string(output(labels[i]).widget) + "\t ");  // blank: one space
    }
}

TEST_F(Cli, SetAppliesInOrderAfterLoading) {
    CliResult r = run({"check", "preset:OM", "--set", "Body length=7", "--set", "Body length=0"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(lines(r.out).at(0),
              "Problem: Both the body length and the lower bout width must be specified. Given "
              "the lower bout width specified, reccommended length is between 18.6 and 23.1.");
}

TEST_F(Cli, ASoundHoleOffTheSideIsAProblem) {
    CliResult off = run({"check", "preset:OM", "--set", "Sound hole x offset=9"});
    EXPECT_EQ(off.status, 1);
    EXPECT_EQ(lines(off.out).at(0),
              "Problem: The specified sound hole diameter and offset places the sound hole off of "
              "the body.");
    CliResult near = run({"check", "preset:OM", "--set", "Sound hole x offset=1.5"});
    EXPECT_EQ(near.status, 0);
    EXPECT_EQ(lines(near.out).at(0), "Status: OK");
}

TEST_F(Cli, SaveWritesTheFormAsShownAndReadsBackTheSame) {
    CliResult r = run({"save", "preset:OM", "-o", dir + "om", "--set", "Name=My, OM"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::string saved = read(dir + "om");  // the name is used as given
    EXPECT_EQ(saved.rfind("Product,Bowlyn\r\nVersion, 0.7\r\n,Native file format of Bowlyn guitar "
                          "body outline tool.\r\nName,My, OM\r\nUnits,Inch\r\nBody length,19.4\r\n",
                          0),
              0u);
    EXPECT_EQ(lines(saved).size(), 3u + FIELD_COUNT);

    ASSERT_EQ(run({"save", dir + "om", "-o", dir + "again"}).status, 0);
    EXPECT_EQ(read(dir + "again"), saved);

    ASSERT_EQ(run({"save", dir + "om", "--convert-to", "cm", "-o", dir + "cm"}).status, 0);
    EXPECT_NE(
        read(dir + "cm").find("\r\nUnits,CM\r\nBody length,49.276\r\nLower bout width,38.1\r\n"),
        std::string::npos);
}

TEST_F(Cli, ExportWritesTheFinalOutlineOrRefuses) {
    CliResult r = run({"export", "preset:OM", "-o", dir + "om.dxf"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::string dxf = read(dir + "om.dxf");
    EXPECT_EQ(dxf.rfind(" 0\r\nSECTION\r\n 2\r\nENTITIES\r\n", 0), 0u);
    ASSERT_GT(dxf.size(), 30u);
    const std::string end = " 0\r\nENDSEC\r\n 0\r\nEOF\r\n";
    EXPECT_EQ(dxf.substr(dxf.size() - end.size()), end);
    EXPECT_NE(dxf.find(" 8\r\nbody\r\n"), std::string::npos);

    // The dump lists exactly the entities that were exported.
    CliResult dump = run({"entities", "preset:OM"});
    EXPECT_EQ(dump.status, 0);
    std::vector<std::string> dxfLines = lines(dxf);
    size_t count = 0;
    for (size_t i = 1; i < dxfLines.size(); ++i) {
        const std::string& l = dxfLines[i];
        bool entity = l == "LINE\r" || l == "ARC\r" || l == "CIRCLE\r" || l == "POINT\r";
        if (entity && dxfLines[i - 1] == " 0\r")
            ++count;
    }
    EXPECT_GT(count, 10u);
    EXPECT_EQ(lines(dump.out).size(), count);

    CliResult refused =
        run({"export", "preset:OM", "-o", dir + "bad.dxf", "--set", "Waist width=30"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              "A complete body outline must be successfully generated before it can be exported "
              "as .dxf.\n");
    EXPECT_FALSE(fs::exists(dir + "bad.dxf"));
}

TEST_F(Cli, ExportsForCamAndSvgGetTheirExtensionOrAreRefused) {
    CliResult cam = run({"export", "preset:OM", "-o", dir + "om", "--cam", "--units", "mm"});
    EXPECT_EQ(cam.status, 0) << cam.err;
    const std::string dxf = read(dir + "om.dxf");  // the extension is added
    EXPECT_EQ(dxf.rfind("  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1009\r\n"
                        "  9\r\n$INSUNITS\r\n 70\r\n4\r\n",
                        0),
              0u);
    EXPECT_FALSE(fs::exists(dir + "om"));

    EXPECT_EQ(run({"export", "preset:OM", "-o", dir + "om.SVG"}).status, 0);
    EXPECT_EQ(read(dir + "om.SVG").rfind("<?xml", 0), 0u);
    // The plain DXF gets its extension too.
    EXPECT_EQ(run({"export", "preset:OM", "-o", dir + "plain"}).status, 0);
    EXPECT_EQ(read(dir + "plain.dxf").rfind(" 0\r\nSECTION\r\n 2\r\nENTITIES\r\n", 0), 0u);

    CliResult refused =
        run({"export", "preset:OM", "-o", dir + "bad.svg", "--set", "Waist width=30"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              "A complete body outline must be successfully generated before it can be exported "
              "as .svg.\n");
    EXPECT_FALSE(fs::exists(dir + "bad.svg"));

    CliResult unwritable = run({"export", "preset:OM", "-o", dir + "none/om.dxf", "--cam"});
    EXPECT_EQ(unwritable.status, 2);
    EXPECT_EQ(unwritable.err.rfind("Could not write '" + dir + "none/om.dxf': ", 0), 0u);

    // A device is written as named.
    EXPECT_EQ(run({"export", "preset:OM", "-o", "/dev/null", "--cam"}).status, 0);
}

// Every format of the table is reached by its extension and option and
// written by the writer the window's menu item uses, whatever row is added.
TEST_F(Cli, EveryExportFormatIsWrittenByItsWriterFromTheTable) {
    const std::string date = "1714521600";
    const char* saved = std::getenv("SOURCE_DATE_EPOCH");
    const std::string before = saved ? saved : "";
    setenv("SOURCE_DATE_EPOCH", date.c_str(), 1);
    auto om = testing::presetAfterPass(presetByName("OM"));
    const SolvedDesign design = testing::solvedOrFail(*om);
    for (const ExportFormat& format : exportFormats()) {
        SCOPED_TRACE(format.key);
        const std::string name = dir + format.key + format.extension();
        std::vector<std::string> args = {"export", "preset:OM", "-o", name};
        if (*format.flag)
            args.push_back(format.flag);
        const CliResult r = run(args, "SOURCE_DATE_EPOCH=" + date);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(read(name), format.write(design, ExportSettings{}, "OM").bytes);
    }
    if (saved)
        setenv("SOURCE_DATE_EPOCH", before.c_str(), 1);
    else
        unsetenv("SOURCE_DATE_EPOCH");
}

TEST_F(Cli, PdfTemplatesSayHowManySheetsAndRefuseWhatCannotBeTiled) {
    const std::string fixedDate = "SOURCE_DATE_EPOCH=1714521600";
    CliResult a4 = run({"export", "preset:OM", "-o", dir + "om.pdf", "--paper", "a4"}, fixedDate);
    EXPECT_EQ(a4.status, 0) << a4.err;
    EXPECT_EQ(a4.out, dir +
                          "om.pdf: 14 pages of A4 (a map, 10 tiles in portrait, 2 of the "
                          "fretboard and the fret table)\n");
    const std::string pdf = read(dir + "om.pdf");
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_NE(pdf.find("20240501000000Z)"), std::string::npos);  // the creation date

    // A template option gives a name without an extension .pdf; the same
    // design and date give the same bytes, A4 being the default paper.
    CliResult plain =
        run({"export", "preset:OM", "-o", dir + "again", "--overlap", "10"}, fixedDate);
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(read(dir + "again.pdf"), pdf);
    CliResult full = run({"export", "preset:OM", "-o", "-", "--paper", "full"}, fixedDate);
    EXPECT_EQ(full.status, 0);
    EXPECT_EQ(full.out.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(full.err,
              "-: 3 pages at full size (the body, 1 of the fretboard and the fret table)\n");

    CliResult refused =
        run({"export", "preset:OM", "-o", dir + "bad.pdf", "--set", "Waist width=30"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              "A complete body outline must be successfully generated before it can be exported "
              "as .pdf.\n");
    // The Dreadnought's body twenty times as large (10 m) takes more than
    // 200 sheets of A4.
    std::vector<std::string> large = {"export", "preset:Dreadnought", "-o", dir + "large.pdf"};
    const std::pair<const char*, double> body[] = {
        {"Body length", 20.09},      {"Lower bout width", 15.84}, {"Neck flat length", 2.17},
        {"Scale length", 25.4},      {"Lower bout radius", 5.28}, {"Lower bout offset", 0.25},
        {"Upper bout width", 11.59}, {"Upper bout radius", 2.94}, {"Upper bout offset", 0.14},
        {"Waist width", 10.77},      {"Waist radius", 5.42},      {"Waist offset", 13.55}};
    for (const auto& [label, value] : body) {
        large.push_back("--set");
        large.push_back(std::string(label) + "=" + std::to_string(value * 20));
    }
    CliResult tooLarge = run(large);
    EXPECT_EQ(tooLarge.status, 1);
    EXPECT_NE(tooLarge.err.find(" pages of A4; a template may have at most 200 pages. Choose a "
                                "larger paper or full size.\n"),
              std::string::npos)
        << tooLarge.err;
    EXPECT_FALSE(fs::exists(dir + "bad.pdf"));
    EXPECT_FALSE(fs::exists(dir + "large.pdf"));
}

TEST_F(Cli, MeasurePrintsNameValueAndUnitLines) {
    auto values = [&](const std::vector<std::string>& args) {
        CliResult r = run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        std::vector<std::vector<std::string>> rows;
        for (const std::string& line : lines(r.out)) {
            std::vector<std::string> cells;
            std::istringstream in(line);
            for (std::string cell; std::getline(in, cell, '\t');)
                cells.push_back(cell);
            EXPECT_EQ(cells.size(), 3u) << line;
            rows.push_back(cells);
        }
        return rows;
    };
    const auto in = values({"measure", "preset:OM"});
    ASSERT_EQ(in.size(), 5u);
    const std::vector<std::pair<std::string, std::string>> names = {{"perimeter", "in"},
                                                                    {"area", "in^2"},
                                                                    {"length", "in"},
                                                                    {"width", "in"},
                                                                    {"fretboard area", "in^2"}};
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(in[i][0], names[i].first);
        EXPECT_EQ(in[i][2], names[i].second);
    }
    EXPECT_EQ(in[3][1], "15");                     // the OM's lower bout
    EXPECT_NEAR(std::stod(in[2][1]), 19.4, 1e-6);  // its body length

    const auto mm = values({"measure", "preset:OM", "--units", "mm"});
    ASSERT_EQ(mm.size(), 5u);
    EXPECT_EQ(mm[0][2], "mm");
    EXPECT_EQ(mm[1][2], "mm^2");
    EXPECT_NEAR(std::stod(mm[0][1]), std::stod(in[0][1]) * 25.4, 1e-9 * std::stod(mm[0][1]));
    EXPECT_NEAR(std::stod(mm[1][1]), std::stod(in[1][1]) * 645.16, 1e-9 * std::stod(mm[1][1]));

    EXPECT_EQ(values({"measure", "preset:Dreadnought"}).size(), 4u);  // no fretboard

    CliResult problem = run({"measure", "preset:OM", "--set", "Waist width=30"});
    EXPECT_EQ(problem.status, 1);
    EXPECT_EQ(lines(problem.out).size(), 1u);
    EXPECT_EQ(problem.out.rfind("Problem: ", 0), 0u);
}

// The OM fanned from 25.5 to 27 in, square at fret 7: the table a builder
// marks the board from, its nut skewed 0.499 in (12.67 mm) and its saddle
// 1.001 in (25.43 mm), in either unit.
TEST_F(Cli, FretsPrintsTheTableOfAFannedBoard) {
    const std::vector<std::string> fan = {"--set", "Scale length=25.5",
                                          "--set", "Bass scale length=27",
                                          "--set", "Perpendicular fret=7"};
    auto table = [&](const std::string& unit) {
        std::vector<std::string> args = {"frets", "preset:OM", "--units", unit};
        args.insert(args.end(), fan.begin(), fan.end());
        CliResult r = run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        std::vector<std::vector<std::string>> rows;
        for (const std::string& line : lines(r.out)) {
            rows.emplace_back();
            std::istringstream in(line);
            for (std::string cell; std::getline(in, cell, '\t');)
                rows.back().push_back(cell);
        }
        return rows;
    };
    for (const auto& [unit, nut, saddle] :
         {std::tuple{"in", "0.499", "1.001"}, std::tuple{"mm", "12.67", "25.43"}}) {
        const auto rows = table(unit);
        ASSERT_EQ(rows.size(), 23u);  // the header, the nut, 20 frets and the saddle
        EXPECT_EQ(rows[0], (std::vector<std::string>{"fret", "bass", "treble", "bass y", "treble y",
                                                     "angle"}));
        EXPECT_EQ(rows[1][0], "0");
        EXPECT_EQ(rows[22][0], "saddle");
        const int places = std::string(unit) == "in" ? 3 : 2;
        auto rounded = [&](double v) { return fixedText(v, places); };
        EXPECT_EQ(rounded(std::stod(rows[1][3]) - std::stod(rows[1][4])), nut);
        EXPECT_EQ(rounded(std::stod(rows[22][4]) - std::stod(rows[22][3])), saddle);
        EXPECT_EQ(rows[8][5], "0");             // fret 7, square
        EXPECT_LT(std::stod(rows[1][5]), 0.0);  // the bass end of the nut farther out
        EXPECT_GT(std::stod(rows[22][5]), 0.0);
    }

    CliResult none = run({"frets", "preset:Dreadnought"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "The design has no fretboard, so it has no frets to list.\n");
    CliResult problem = run({"frets", "preset:OM", "--set", "Bass scale length=-27"});
    EXPECT_EQ(problem.status, 1);
    EXPECT_EQ(problem.out.rfind("Problem: To fan the frets, ", 0), 0u);
}

TEST_F(Cli, MeasureWithDepthsPrintsTheVolumeAndTheAirResonance) {
    const std::vector<std::string> dreadnought = {
        "measure", "preset:Dreadnought",   "--set", "Sound hole diameter=4",
        "--set",   "Sound hole offset=14", "--set", "Body depth at tail=4.875",
        "--set",   "Body depth at neck=4", "--set", "Top thickness=0.11"};
    auto rows = [&](std::vector<std::string> args) {
        std::map<std::string, std::pair<double, std::string>> values;
        CliResult r = run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        for (const std::string& line : lines(r.out)) {
            const size_t a = line.find('\t'), b = line.rfind('\t');
            const std::string unit = line.substr(b + 1);
            values[line.substr(0, a) + (unit == "L" ? " L" : "")] = {
                std::stod(line.substr(a + 1, b - a - 1)), unit};
        }
        return values;
    };
    auto in = rows(dreadnought);
    ASSERT_EQ(in.size(), 7u);
    EXPECT_EQ(in["volume"].second, "in^3");
    EXPECT_NEAR(in["volume"].first, 1110.64206685, 1e-6);
    EXPECT_NEAR(in["volume L"].first, in["volume"].first * 0.016387064, 1e-9);
    EXPECT_EQ(in["air resonance"].second, "Hz");
    EXPECT_NEAR(in["air resonance"].first, 122.02388542, 1e-6);

    std::vector<std::string> args = dreadnought;
    args.insert(args.end(), {"--units", "mm"});
    auto mm = rows(args);
    EXPECT_EQ(mm["volume"].second, "mm^3");
    EXPECT_NEAR(mm["volume"].first, in["volume"].first * 16387.064, 1e-9 * mm["volume"].first);
    EXPECT_EQ(mm["volume L"].first, in["volume L"].first);
    EXPECT_EQ(mm["air resonance"].first, in["air resonance"].first);

    // Without a top thickness no estimate.
    args = dreadnought;
    args.back() = "Top thickness=";
    EXPECT_EQ(rows(args).count("air resonance"), 0u);

    // A wrong depth: the outline's lines, then its message and exit 1.
    args = dreadnought;
    args[9] = "Body depth at neck=-4";
    CliResult bad = run(args);
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(lines(bad.out).size(), 4u);
    EXPECT_EQ(bad.err, "Body depth at neck must be 0 or more, not '-4'.\n");
    // An export refuses with the same message rather than leave the strips out.
    CliResult refused = run({"export", "preset:Dreadnought", "-o", dir + "d.svg", "--set",
                             "Body depth at tail=4", "--set", "Body depth at neck=x"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Body depth at neck must be a number, not 'x'.\n");
    EXPECT_FALSE(fs::exists(dir + "d.svg"));

    // check refuses what measure refuses, after its lines for the design.
    for (const char* set : {"Body depth at tail=nan", "Body depth at neck=20.1"}) {
        CliResult checked = run({"check", "preset:Dreadnought", "--set", set});
        EXPECT_EQ(checked.status, 1) << set;
        EXPECT_EQ(checked.err, run({"measure", "preset:Dreadnought", "--set", set}).err);
        EXPECT_NE(checked.err, "");
        EXPECT_EQ(checked.out, run({"check", "preset:Dreadnought"}).out);
    }
}

TEST_F(Cli, RenderWritesTheImageAndOverlaysShowOnlyInTheWorkingDrawing) {
    write("points.txt", "0,0\r\n3,2\r\n5.5,6\r\n");
    auto png = [&](const std::string& name, std::vector<std::string> extra) {
        std::vector<std::string> args = {"render", "preset:OM", "-o", dir + name};
        args.insert(args.end(), extra.begin(), extra.end());
        CliResult r = run(args);
        EXPECT_EQ(r.status, 0) << name << ": " << r.err;
        return read(dir + name);
    };
    std::string plain = png("plain.png", {});
    ASSERT_GT(plain.size(), 24u);
    EXPECT_TRUE(plain.substr(0, 8) == "\x89PNG\r\n\x1a\n");
    EXPECT_TRUE(plain.substr(16, 8) == std::string("\0\0\x02\x94\0\0\x02\x94", 8))
        << "not 660 x 660";

    // Compared as flags: a failure must not print the images' bytes.
    EXPECT_TRUE(png("points.png", {"--points", dir + "points.txt"}) != plain);
    EXPECT_TRUE(png("snapshot.png", {"--snapshot", "preset:Dreadnought"}) != plain);
    std::string final = png("final.png", {"--final"});
    EXPECT_TRUE(final != plain);
    EXPECT_TRUE(png("final-overlays.png", {"--final", "--points", dir + "points.txt", "--snapshot",
                                           "preset:Dreadnought"}) == final);

    CliResult noSnapshot = run({"check", "preset:OM", "--snapshot", "clear"});
    EXPECT_EQ(noSnapshot.status, 2);
}

TEST_F(Cli, ConvertWritesADesignOnlyFromUsablePoints) {
    write("negative.txt", "-1,4\r\n2,-3\r\nnot a point\r\n");
    CliResult none = run({"convert", dir + "negative.txt", "-o", dir + "none.bowlyn"});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find(dir + "negative.txt"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir + "none.bowlyn"));

    write("one.txt", "x\r\n3,10\r\n");
    CliResult one = run({"convert", dir + "one.txt", "-o", dir + "one.bowlyn"});
    EXPECT_EQ(one.status, 0) << one.err;
    std::string saved = read(dir + "one.bowlyn");
    EXPECT_NE(saved.find("\r\nName, \r\nUnits,Inch\r\nBody length,10\r\nLower bout width, \r\n"),
              std::string::npos);

    EXPECT_EQ(run({"convert", dir + "missing.txt", "-o", dir + "x"}).status, 2);
}

// fit writes the design and prints its report, one NAME<TAB>VALUE<TAB>UNIT
// line each; an outline it cannot read writes nothing and exits 1, a file
// it cannot open exits 2.
TEST_F(Cli, FitWritesTheDesignAndItsReportOrNothing) {
    ASSERT_EQ(run({"export", "preset:OM", "-o", dir + "om.svg"}).status, 0);
    CliResult fitted = run({"fit", dir + "om.svg", "-o", dir + "om.bowlyn", "--units", "cm"});
    ASSERT_EQ(fitted.status, 0) << fitted.err;
    std::map<std::string, std::string> report;
    for (const std::string& line : lines(fitted.out)) {
        const size_t tab = line.find('\t');
        ASSERT_EQ(std::count(line.begin(), line.end(), '\t'), 2) << line;
        report[line.substr(0, tab)] = line.substr(tab + 1);
    }
    for (const char* name : {"rms", "max", "lower bout rms", "waist max", "upper bout rms",
                             "shoulder max", "asymmetry rms", "tail end x", "closest preset"})
        EXPECT_EQ(report.count(name), 1u) << name;
    EXPECT_EQ(report["closest preset"], "OM\t");
    EXPECT_LT(std::stod(report["rms"]), 0.05);
    const std::string design = read(dir + "om.bowlyn");
    EXPECT_NE(design.find("\r\nName,om\r\nUnits,CM\r\nBody length,49.27"), std::string::npos);
    EXPECT_EQ(run({"check", dir + "om.bowlyn"}).status, 0);

    write("two.txt", "0 0\n10 10\n");
    CliResult refused = run({"fit", dir + "two.txt", "--in", "mm", "-o", dir + "two.bowlyn"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Cannot fit a design to '" + dir +
                               "two.txt': the file holds only 2 points; a fit needs at least 20\n");
    EXPECT_FALSE(fs::exists(dir + "two.bowlyn"));
    EXPECT_EQ(run({"fit", dir + "missing.svg", "-o", dir + "x.bowlyn"}).status, 2);
    EXPECT_EQ(run({"fit", dir + "om.svg", "-o", dir + "x.bowlyn", "--units", "mm"}).status, 2);

    // The same outline behind another design's drawing; a bad one is a load error.
    EXPECT_EQ(run({"render", "preset:OM", "--outline", dir + "om.svg", "-o", dir + "o.png"}).status,
              0);
    EXPECT_EQ(run({"check", "preset:OM", "--outline", dir + "two.txt", "--in", "mm"}).status, 2);
    EXPECT_EQ(run({"check", "preset:OM", "--in", "mm"}).status, 2);
}

// A pipe as points file gives a message, not a hang; so does a file too large.
TEST_F(Cli, PointsFilesArePlainFilesOfBoundedSize) {
    ASSERT_EQ(::mkfifo((dir + "fifo").c_str(), 0600), 0);
    CliResult piped = run({"convert", dir + "fifo", "-o", dir + "x.bowlyn"}, "timeout 20");
    EXPECT_EQ(piped.status, 2);
    EXPECT_EQ(piped.err, "Not a points file (not a regular file): '" + dir + "fifo'\n");
    CliResult overlay = run({"check", "preset:OM", "--points", dir + "fifo"}, "timeout 20");
    EXPECT_EQ(overlay.status, 2);
    EXPECT_EQ(overlay.out, "");

    std::string many;
    for (int i = 0; i <= 100000; ++i)
        many += "3,10\n";
    write("many.txt", many);
    CliResult large = run({"convert", dir + "many.txt", "-o", dir + "x.bowlyn"});
    EXPECT_EQ(large.status, 2);
    EXPECT_EQ(large.err, "Points file too large: '" + dir +
                             "many.txt' (the limit is 16 MB and 100000 lines)\n");
    EXPECT_FALSE(fs::exists(dir + "x.bowlyn"));
}

TEST_F(Cli, MinusWritesEveryOutputToStandardOutput) {
    ASSERT_EQ(run({"save", "preset:OM", "-o", dir + "om.bowlyn"}).status, 0);
    ASSERT_EQ(run({"export", "preset:OM", "-o", dir + "om.dxf"}).status, 0);
    CliResult saved = run({"save", "preset:OM", "-o", "-"});
    EXPECT_EQ(saved.status, 0) << saved.err;
    EXPECT_TRUE(saved.out == read(dir + "om.bowlyn"));
    CliResult exported = run({"export", "preset:OM", "-o", "-"});
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_TRUE(exported.out == read(dir + "om.dxf"));

    // The image alone goes to standard output; the status line to stderr.
    CliResult image = run({"render", "preset:OM", "-o", "-"});
    EXPECT_EQ(image.status, 0);
    EXPECT_EQ(image.out.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(image.err, "Status: OK\n");
    CliResult piped = run({"render", "preset:OM", "-o", "/dev/stdout"});
    EXPECT_TRUE(piped.out == image.out);
    EXPECT_EQ(piped.err, "Status: OK\n");

    write("points.txt", "3,10\n");
    CliResult converted = run({"convert", dir + "points.txt", "-o", "-"});
    EXPECT_EQ(converted.status, 0);
    EXPECT_NE(converted.out.find("\r\nBody length,10\r\n"), std::string::npos);
    EXPECT_EQ(entries(), 3u) << "a file named '-' was written";
}

TEST_F(Cli, DevStdoutAppendsToALogAndFeedsAPipe) {
    ASSERT_EQ(run({"save", "preset:OM", "-o", dir + "om.bowlyn"}).status, 0);
    ASSERT_EQ(run({"export", "preset:OM", "-o", dir + "om.dxf"}).status, 0);
    write("log.txt", "earlier line\n");
    EXPECT_EQ(shell("\"$CLI\" save preset:OM -o /dev/stdout >> log.txt"), 0);
    EXPECT_TRUE(read(dir + "log.txt") == "earlier line\n" + read(dir + "om.bowlyn"));

    EXPECT_EQ(shell("set -o pipefail; \"$CLI\" export preset:OM -o /dev/stdout | cat > piped.dxf"),
              0);
    EXPECT_TRUE(read(dir + "piped.dxf") == read(dir + "om.dxf"));
    EXPECT_EQ(shell("\"$CLI\" export preset:OM -o /dev/stdout | head -n 4 > head.txt"), 0);
    EXPECT_EQ(read(dir + "head.txt"), " 0\r\nSECTION\r\n 2\r\nENTITIES\r\n");

    // Every name of standard output takes an export as it is: no .pdf added
    // (/dev/stdout.pdf as root), the summary on stderr. Run as nobody too.
    const std::string date =
        "SOURCE_DATE_EPOCH=1714521600 \"$CLI\" export preset:OM --paper a4 -o ";
    ASSERT_EQ(shell(date + "om.pdf >/dev/null"), 0);
    for (const std::string name : {"/dev/stdout", "/dev/fd/1", "/proc/self/fd/1"}) {
        write("log.txt", "earlier line\n");
        EXPECT_EQ(shell(date + name + " >> log.txt 2>err.txt"), 0) << read(dir + "err.txt");
        EXPECT_TRUE(read(dir + "log.txt") == "earlier line\n" + read(dir + "om.pdf")) << name;
        EXPECT_EQ(read(dir + "err.txt"), name +
                                             ": 14 pages of A4 (a map, 10 tiles in portrait, 2 "
                                             "of the fretboard and the fret table)\n");
    }
    EXPECT_FALSE(fs::exists("/dev/stdout.pdf"));
}

// The program must ignore SIGXFSZ itself: the test leaves the signal alone.
TEST_F(Cli, AFileSizeLimitIsAFailedWriteNotAKill) {
    write("existing.bowlyn", "the earlier design\r\n");
    write("existing.dxf", "the earlier outline\r\n");
    EXPECT_EQ(shell("(ulimit -f 1; \"$CLI\" save preset:OM -o existing.bowlyn) 2>save.err"), 2);
    EXPECT_EQ(read(dir + "save.err"), "Could not write 'existing.bowlyn': File too large\n");
    EXPECT_EQ(shell("(ulimit -f 1; \"$CLI\" export preset:OM -o existing.dxf) 2>export.err"), 2);
    EXPECT_EQ(read(dir + "export.err"), "Could not write 'existing.dxf': File too large\n");
    EXPECT_EQ(read(dir + "existing.bowlyn"), "the earlier design\r\n");
    EXPECT_EQ(read(dir + "existing.dxf"), "the earlier outline\r\n");
    EXPECT_EQ(entries(), 4u) << "a temporary file was left behind";
}

TEST_F(Cli, CommaLocaleStillReadsAndWritesPoints) {
    if (!commaLocaleInstalled())
        GTEST_SKIP() << "de_DE.UTF-8 not installed";
    const std::string env = "LC_ALL=de_DE.UTF-8";
    CliResult r = run({"check", "preset:OM", "--set", "Body length=0"}, env);
    EXPECT_NE(r.out.find("between 18.6 and 23.1."), std::string::npos) << r.out;

    ASSERT_EQ(run({"save", "preset:OM", "-o", dir + "om.bowlyn", "--set", "Body length=19.5"}, env)
                  .status,
              0);
    std::string saved = read(dir + "om.bowlyn");
    EXPECT_NE(saved.find("\r\nVersion, 0.7\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\nBody length,19.5\r\n"), std::string::npos);

    for (const char* name : {"cam.dxf", "cam.svg"}) {
        const std::vector<std::string> args = {
            "export", dir + "om.bowlyn", "-o", dir + name, "--units", "mm", "--cam"};
        const size_t count = name[4] == 'd' ? args.size() : args.size() - 1;
        const std::vector<std::string> used(args.begin(), args.begin() + count);
        ASSERT_EQ(run(used, env).status, 0);
        const std::string german = read(dir + name);
        ASSERT_EQ(run(used, "LC_ALL=C").status, 0);
        EXPECT_TRUE(german == read(dir + name)) << name;
        EXPECT_EQ(german.find(','), std::string::npos) << name;
    }
    CliResult measured = run({"measure", dir + "om.bowlyn"}, env);
    EXPECT_EQ(measured.out, run({"measure", dir + "om.bowlyn"}, "LC_ALL=C").out);
    EXPECT_EQ(measured.out.find(','), std::string::npos);

    ASSERT_EQ(run({"export", dir + "om.bowlyn", "-o", dir + "om.dxf"}, env).status, 0);
    std::string dxf = read(dir + "om.dxf");
    EXPECT_EQ(dxf.find(','), std::string::npos);
    EXPECT_EQ(dxf, [&] {
        run({"export", dir + "om.bowlyn", "-o", dir + "c.dxf"}, "LC_ALL=C");
        return read(dir + "c.dxf");
    }());
}

}  // namespace
}  // namespace bowlyn
