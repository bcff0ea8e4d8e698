// A design read from any parameter file, saved and read back must give the
// same pass result, and saving it again the same bytes. Checked over files
// mutated at random from the presets, and over every input that once broke it
// (tests/data/round_trip/). Set BOWLYN_TEST_SEED to replay a run.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "formats/dxf_writer.h"
#include "geometry/pass_texts.h"
#include "geometry/recompute.h"
#include "model/parameter_file.h"
#include "model/presets.h"
#include "model_test_support.h"
#include "test_seed.h"

namespace bowlyn {
namespace {

namespace fs = std::filesystem;

// What a working-drawing pass tells the user and what it would export.
std::string passResult(const Design& design) {
    const PassResult pass = recompute(design.params, Overlays{}, DrawingMode::Working);
    std::string r = statusText(pass) + "\n";
    for (const std::string& label : derivedValueTexts(pass.derived))
        r += label + "\n";
    if (pass.ok())
        r += plainDxfText(pass.strokes).value_or("unwritable");
    return r;
}

struct Loaded {
    bool ok = false;
    std::string pass, file;
};

Loaded loadAndPass(const std::string& path) {
    Design design;
    FieldTexts texts;
    Loaded l;
    l.ok = readParameterFile(path, texts) == ReadResult::Loaded;
    if (l.ok) {
        loadTexts(design, texts);
        l.file = parameterFileText(design);
        l.pass = passResult(design);
    }
    return l;
}

// The first line where two texts differ, both ways.
std::string firstDifference(const std::string& a, const std::string& b) {
    std::istringstream sa(a), sb(b);
    std::string la, lb;
    for (int n = 1;; ++n) {
        const bool moreA = static_cast<bool>(std::getline(sa, la));
        const bool moreB = static_cast<bool>(std::getline(sb, lb));
        if (!moreA && !moreB)
            return "(same lines)";
        if (la != lb || moreA != moreB)
            return "line " + std::to_string(n) + ": \"" + la + "\" then \"" + lb + "\"";
    }
}

// Empty when the input keeps its pass result and its bytes through a save.
std::string roundTripFault(const TempDir& dir, const std::string& input) {
    const std::string first = dir.file("input.bowlyn"), saved = dir.file("saved.bowlyn");
    writeBytes(first, input);
    const Loaded a = loadAndPass(first);
    if (!a.ok)
        return "";  // refused files have nothing to keep
    writeBytes(saved, a.file);
    const Loaded b = loadAndPass(saved);
    if (!b.ok)
        return "the saved file is refused";
    if (b.pass != a.pass)
        return "the pass differs after saving: " + firstDifference(a.pass, b.pass);
    if (b.file != a.file)
        return "saving again gives other bytes: " + firstDifference(a.file, b.file);
    return "";
}

const char* const valueTexts[] = {
    "0",      "1",        "2",     "-1",      "3/0",
    "0/0",    "1e39",     "-1e39", "",        " ",
    "1,TRUE", "2,TRUE",   "0.5",   "1.5",     "2.5",
    "-0.5",   "&H10",     "1 3/4", "abc",     "9,38",
    " 12 ",   "\xFF\xFE", "1e-45", "0,FALSE", "1,CUTAWAYTYPEVENETIAN",
    "3",      "14.5",     ".5",
};

// The lines of a file the program wrote (each ends in CR LF).
std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        out.push_back(text.substr(at, end - at));
    return out;
}

std::string mutated(const std::string& base, std::mt19937& rng) {
    std::vector<std::string> ls = lines(base);
    auto pick = [&](size_t n) { return static_cast<size_t>(rng() % n); };
    const int changes = 1 + static_cast<int>(pick(4));
    for (int c = 0; c < changes && ls.size() > 3; ++c) {
        const size_t at = 2 + pick(ls.size() - 2);  // keep the header
        const std::string key = ls[at].substr(0, ls[at].find(','));
        switch (pick(6)) {
            case 0:
            case 1:
            case 2:  // a new value, often several in a row for the same field
                ls[at] = key + "," + valueTexts[pick(std::size(valueTexts))];
                break;
            case 3:
                ls.erase(ls.begin() + static_cast<long>(at));
                break;
            case 4:  // the same key twice: the later line wins
                ls.insert(ls.begin() + static_cast<long>(2 + pick(ls.size() - 2)), ls[at]);
                break;
            default:
                ls[at] = "Name," + std::string(valueTexts[pick(std::size(valueTexts))]) + "," +
                         valueTexts[pick(std::size(valueTexts))];
                break;
        }
    }
    const char* ends[] = {"\r\n", "\n", "\r"};
    const char* end = ends[pick(3)];
    std::string out;
    for (const std::string& l : ls)
        out += l + end;
    return out;
}

std::vector<std::string> presetFiles() {
    std::vector<std::string> files;
    Design design;
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        loadTexts(design, presetTexts(row));
        files.push_back(parameterFileText(design));
    }
    return files;
}

TEST(RoundTripProperty, EveryInputThatOnceFailed) {
    const fs::path folder = fs::path(BOWLYN_TEST_DATA) / "round_trip";
    TempDir dir;
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        ++count;
        EXPECT_EQ(roundTripFault(dir, readBytes(entry.path().string())), "") << entry.path();
    }
    EXPECT_GT(count, 0);
}

TEST(RoundTripProperty, MutatedPresetFiles) {
    const unsigned seed = test::randomTestSeed();
    SCOPED_TRACE("BOWLYN_TEST_SEED=" + std::to_string(seed));
    std::mt19937 rng(seed);
    const std::vector<std::string> bases = presetFiles();
    TempDir dir;
    int failures = 0;
    for (int i = 0; i < 150 && failures < 3; ++i) {
        const std::string input = mutated(bases[rng() % bases.size()], rng);
        const std::string fault = roundTripFault(dir, input);
        if (fault.empty())
            continue;
        ++failures;
        // Kept for tests/data/round_trip/ once the fault is mended.
        const std::string kept = ::testing::TempDir() + "round_trip_failure_" +
                                 std::to_string(seed) + "_" + std::to_string(i) + ".bowlyn";
        writeBytes(kept, input);
        ADD_FAILURE() << "input kept in " << kept << ": " << fault;
    }
}

}  // namespace
}  // namespace bowlyn
