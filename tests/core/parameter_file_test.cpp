#include "model/parameter_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cstdio>
#include <random>

#include "model/field_table.h"
#include "model/form_editing.h"
#include "model/presets.h"
#include "model_test_support.h"
#include "tests/core/test_seed.h"

namespace bowlyn {
namespace {

const std::string HEADER = "Product,Bowlyn\r\nVersion, 0.7\r\n";

// Everything a failed read must leave alone.
std::string designState(const Design& d) {
    std::string s = parameterFileText(d);
    // Every stored value exactly; a bool leaves padding that the raw bytes
    // would compare too.
    for (int k = 1; k <= FIELD_COUNT; ++k) {
        char value[40];
        std::snprintf(value, sizeof value, "%a\n", fieldValue(d.params, k));
        s += value;
    }
    for (const auto& text : d.texts)
        s += text + '\n';
    return s;
}

// Reads a parameter file into a design as Open does: its texts are loaded
// only when the file was read.
ReadResult readParameterFile(Design& design, const std::string& path) {
    FieldTexts texts = presetTexts(presetRows::OM);  // what a failed read must not load
    const ReadResult result = bowlyn::readParameterFile(path, texts);
    if (result == ReadResult::Loaded)
        loadTexts(design, texts);
    else
        EXPECT_EQ(texts, presetTexts(presetRows::OM));
    return result;
}

bool validUtf8WithoutNul(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        unsigned char b = s[i];
        int n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        if (b == 0 || n == 0 || i + n > s.size())
            return false;
        for (int k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += n;
    }
    return true;
}

class ParameterFile : public ::testing::Test {
  protected:
    Design design;
    // Reads `bytes` as a parameter file into a design that held Dreadnought.
    ReadResult readText(const std::string& bytes) {
        writeBytes(path, bytes);
        return readParameterFile(design, path);
    }
    TempDir dir;
    std::string path = dir.file("design.bowlyn");
};

TEST_F(ParameterFile, SplitField) {
    EXPECT_EQ(splitField("Body length, 20 ", 2, ','), "20");
    EXPECT_EQ(splitField("a,b,c", 3, ','), "c");
    EXPECT_EQ(splitField("a,b", 3, ','), "");
    EXPECT_EQ(splitField("  lonely  ", 2, ','), "lonely");
    EXPECT_EQ(splitField(",x", 1, ','), "");
}

TEST_F(ParameterFile, DreadnoughtWritesTheKnownLines) {
    loadTexts(design, presetTexts(2));
    const std::string text = parameterFileText(design);
    const std::string start =
        "Product,Bowlyn\r\nVersion, 0.7\r\n"
        ",Native file format of Bowlyn guitar body outline tool.\r\n"
        "Name,Dreadnought\r\nUnits,Inch\r\nBody length,20.09\r\nLower bout width,15.84\r\n"
        "Neck flat length,2.17\r\nNeck joins body at fret number,14\r\nScale length,25.4\r\n"
        "Sound hole diameter, \r\n";
    EXPECT_EQ(text.substr(0, start.size()), start);
    EXPECT_NE(text.find("\r\nHas cutaway,0,FALSE\r\nCutaway type,0,CUTAWAYTYPEFLORENTINE\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\nFingerboard taper spec type,0,TAPERTYPEBOARDWIDTH\r\n"),
              std::string::npos);
    size_t lines = 0;
    for (size_t p = 0; (p = text.find("\r\n", p)) != std::string::npos; p += 2)
        ++lines;
    EXPECT_EQ(lines, 3u + FIELD_COUNT);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);  // no bare line feeds
    // The depths and the fan, blank in every preset, after the 67 lines of
    // older versions.
    const std::string depths =
        "\r\nDiameter of 16th string, \r\n"
        "Body depth at tail, \r\nBody depth at neck, \r\nTop thickness, \r\n"
        "Bass scale length, \r\nPerpendicular fret, \r\nFret slot width, \r\nFret slot inset, \r\n";
    EXPECT_EQ(text.substr(text.size() - depths.size()), depths);

    // A line break typed into the name cannot add a line.
    typeText(design, fields::NAME, "A\nBody length,99");
    EXPECT_NE(parameterFileText(design).find("Name,A Body length,99\r\n"), std::string::npos);
}

TEST_F(ParameterFile, EveryPresetSurvivesTheRoundTrip) {
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        loadTexts(design, presetTexts(row));
        ASSERT_EQ(writeParameterFile(design, path), "");
        const std::string first = readBytes(path);

        Design other;
        ASSERT_EQ(readParameterFile(other, path), ReadResult::Loaded);
        EXPECT_TRUE(sameParameters(other.params, design.params)) << presetName(row);
        ASSERT_EQ(writeParameterFile(other, path), "");
        const std::string second = readBytes(path);
        // Only leading spaces of values (the ABG's " 0.1") are lost.
        if (row != 7) {
            EXPECT_EQ(second, first) << presetName(row);
        }

        Design third;
        ASSERT_EQ(readParameterFile(third, path), ReadResult::Loaded);
        EXPECT_EQ(parameterFileText(third), second) << presetName(row);
    }
}

// The depths follow the 67 lines that older versions write and read, under
// the same Version line: a reader that knows only those skips lines whose
// keys it does not know, and an older file leaves the depths blank.
TEST_F(ParameterFile, DepthsFollowTheOlderLinesAndSurviveTheRoundTrip) {
    loadTexts(design, presetTexts(presetRows::Dreadnought));
    const std::string withoutDepths = parameterFileText(design);
    setFieldText(design, fields::BODY_DEPTH_AT_TAIL, "4 7/8");
    setFieldText(design, fields::BODY_DEPTH_AT_NECK, "4");
    setFieldText(design, fields::TOP_THICKNESS, "0");
    const std::string text = parameterFileText(design);
    // Where the three new lines begin: after the 67 older ones.
    const size_t older = withoutDepths.find("\r\nBody depth at tail,") + 2;
    EXPECT_EQ(text.substr(0, older), withoutDepths.substr(0, older));
    EXPECT_EQ(text.substr(older),
              "Body depth at tail,4 7/8\r\nBody depth at neck,4\r\nTop thickness,0\r\n"
              "Bass scale length, \r\nPerpendicular fret, \r\nFret slot width, \r\n"
              "Fret slot inset, \r\n");

    // The round trip keeps them, text and value.
    ASSERT_EQ(readText(text), ReadResult::Loaded);
    EXPECT_EQ(parameterFileText(design), text);
    EXPECT_EQ(design.params.bodyDepthAtTail, 4.875f);
    EXPECT_EQ(design.text(fields::BODY_DEPTH_AT_NECK), "4");

    // A file of an older version leaves them blank, whatever was shown before.
    ASSERT_EQ(readText(withoutDepths.substr(0, older)), ReadResult::Loaded);
    EXPECT_EQ(parameterFileText(design), withoutDepths);
    EXPECT_EQ(design.text(fields::BODY_DEPTH_AT_TAIL), " ");
    EXPECT_EQ(design.params.bodyDepthAtTail, 0.0f);

    // Lines a later version may add are skipped the same way by this reader.
    ASSERT_EQ(readText(text + "Back thickness,0.1\r\nBracing,X\r\n"), ReadResult::Loaded);
    EXPECT_EQ(parameterFileText(design), text);
}

TEST_F(ParameterFile, ReaderLinesAndValues) {
    loadTexts(design, presetTexts(2));
    ASSERT_EQ(readText(HEADER + "Name,Guitar, mine \r\nBody length,20,5\r\nWaist width, \r\n"
                                "Waist radius,\r\nbody length,30\r\nScale length\r\n"
                                "Has cutaway,1,TRUE\r\nCutaway type,1,CUTAWAYTYPEVENETIAN\r\n"
                                "Units,CM\r\nNo such key,4\r\n"),
              ReadResult::Loaded);
    EXPECT_EQ(design.text(fields::NAME), "Guitar, mine ");  // the rest, untrimmed
    EXPECT_EQ(design.text(fields::BODY_LENGTH), "20");
    EXPECT_EQ(design.params.bodyLength, 20.0f);
    EXPECT_EQ(design.text(fields::WAIST_WIDTH), " ");
    EXPECT_EQ(design.text(fields::WAIST_RADIUS), " ");
    EXPECT_EQ(design.text(fields::SCALE_LENGTH), " ");      // no comma, no value
    EXPECT_EQ(design.text(fields::LOWER_BOUT_WIDTH), " ");  // not mentioned: blank
    EXPECT_EQ(design.params.hasCutaway, 1);
    EXPECT_EQ(design.params.cutawayType, CUTAWAYTYPEVENETIAN);
    EXPECT_EQ(design.params.units, UNITS_CM);

    // The same lines ended by LF or CR alone, after a byte order mark.
    const std::string crlf = parameterFileText(design);
    for (const char* end : {"\n", "\r"}) {
        std::string other = "\xEF\xBB\xBF" + crlf;
        for (size_t p = 0; (p = other.find("\r\n", p)) != std::string::npos; p += 1) {
            other.replace(p, 2, end);
        }
        Design fresh;
        writeBytes(path, other);
        ASSERT_EQ(readParameterFile(fresh, path), ReadResult::Loaded);
        EXPECT_EQ(parameterFileText(fresh), crlf);
    }

    // The name's first part must not be blank; then the name is the whole rest.
    const std::pair<const char*, const char*> names[] = {
        {"Name,,Guitar", " "}, {"Name, ,x", " "}, {"Name, ", " "}, {"Name, Jo,,", " Jo,,"}};
    for (const auto& [line, name] : names) {
        ASSERT_EQ(readText(HEADER + line + "\r\n"), ReadResult::Loaded);
        EXPECT_EQ(design.text(fields::NAME), name) << line;
    }

    // The header alone loads a cleared design; a Latin-1 name is shown as UTF-8.
    ASSERT_EQ(readText(HEADER + "Name,Gitarre f\xFCr mich"), ReadResult::Loaded);
    EXPECT_EQ(design.text(fields::NAME), "Gitarre f\xC3\xBCr mich");
    EXPECT_EQ(design.text(fields::BODY_LENGTH), " ");
    EXPECT_EQ(design.params.hasCutaway, 0);
}

TEST_F(ParameterFile, RefusalsChangeNothing) {
    loadTexts(design, presetTexts(2));
    const std::string before = designState(design);
    const char nulInKey[] = "Product\0,Bowlyn\nVersion,0.7\n";
    const std::string refused[] = {
        "Product,Banjolin\r\nVersion, 0.7\r\nBody length,1\r\n",
        "Product,Bowlyn\r\nVersion, 0.8\r\nBody length,1\r\n",
        "Product,bowlyn\r\nVersion, 0.7\r\n",
        "Product,Bowlyn\r\n",
        "",
        std::string(nulInKey, sizeof nulInKey - 1),
        "\xFF\xFEP\0r\0o\0",  // another encoding
    };
    for (const std::string& bytes : refused) {
        EXPECT_EQ(readText(bytes), ReadResult::NotParameterFile) << bytes;
        EXPECT_EQ(designState(design), before) << bytes;
    }
    EXPECT_EQ(readParameterFile(design, dir.path()), ReadResult::NotParameterFile);
    // Neither a pipe without a writer nor an endless device may hold the program.
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    EXPECT_EQ(readParameterFile(design, dir.file("pipe")), ReadResult::NotParameterFile);
    EXPECT_EQ(readParameterFile(design, "/dev/zero"), ReadResult::NotParameterFile);
    EXPECT_EQ(readParameterFile(design, dir.file("missing.bowlyn")), ReadResult::NotFound);
    EXPECT_EQ(designState(design), before);
}

// Loading only the start of an overlong file could load a blank design that
// Save would then write over the real one.
TEST_F(ParameterFile, FilesBeyondTheBoundsAreRefusedWhole) {
    loadTexts(design, presetTexts(2));
    const std::string before = designState(design);
    std::string blank;
    for (int i = 0; i < 100000; ++i)
        blank += "\r\n";
    EXPECT_EQ(readText(HEADER + blank + "Body length,20\r\n"), ReadResult::NotParameterFile);
    EXPECT_EQ(designState(design), before);

    // 100,000 lines in all still load; the last is read.
    blank.resize((100000 - 3) * 2);
    ASSERT_EQ(readText(HEADER + blank + "Body length,20\r\n"), ReadResult::Loaded);
    EXPECT_EQ(design.params.bodyLength, 20.0f);
    EXPECT_EQ(readText(HEADER + blank + "Body length,20"), ReadResult::Loaded);

    // A line of 1 MB loads whole; one byte more and the file is refused, for
    // Save would write the line back cut.
    const std::string line = "Name," + std::string((1u << 20) - 5, 'x');
    ASSERT_EQ(readText(HEADER + line + "\nBody length,9\n"), ReadResult::Loaded);
    EXPECT_EQ(design.text(fields::NAME).size(), (1u << 20) - 5);
    EXPECT_EQ(readText(HEADER + line + "x\nBody length,20\n"), ReadResult::NotParameterFile);
    EXPECT_EQ(design.params.bodyLength, 9.0f);

    // Beyond 64 MB (a header and then NUL bytes, sparse on disk).
    const std::string loaded = designState(design);
    writeBytes(path, HEADER + "Body length,9\r\n");
    std::filesystem::resize_file(path, (64u << 20) + 1);
    EXPECT_EQ(readParameterFile(design, path), ReadResult::NotParameterFile);
    EXPECT_EQ(designState(design), loaded);
}

TEST_F(ParameterFile, RandomBytesNeverHurt) {
    const unsigned seed = test::randomTestSeed();
    SCOPED_TRACE("BOWLYN_TEST_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    loadTexts(design, presetTexts(7));
    for (int round = 0; round < 300; ++round) {
        std::string body;
        const int length = random() % 2000;
        for (int i = 0; i < length; ++i) {
            // Favour the bytes that matter: separators, line ends, NUL.
            const char special[] = {',', '\r', '\n', '\0', ' ', '/'};
            body += random() % 4 ? static_cast<char>(random()) : special[random() % 6];
        }
        if (round % 3 == 0)
            body = field(1 + random() % FIELD_COUNT).label + ("," + body);
        const bool withHeader = round % 2 == 0;
        const std::string before = designState(design);
        const ReadResult r = readText(withHeader ? HEADER + body : body);
        if (r != ReadResult::Loaded) {
            EXPECT_FALSE(withHeader);
            EXPECT_EQ(designState(design), before);
            continue;
        }
        const std::string text = parameterFileText(design);
        EXPECT_TRUE(validUtf8WithoutNul(text));
        size_t lines = 0;
        for (char c : text)
            lines += c == '\n';
        EXPECT_EQ(lines, 3u + FIELD_COUNT);
    }
}

TEST_F(ParameterFile, FailedWritesKeepTheOldFile) {
    loadTexts(design, presetTexts(8));
    ASSERT_EQ(writeParameterFile(design, path), "");
    ::chmod(path.c_str(), 0640);
    const std::string old = readBytes(path);
    loadTexts(design, presetTexts(9));

    EXPECT_NE(writeParameterFile(design, dir.file("no/such/folder.bowlyn")), "");
    EXPECT_NE(writeParameterFile(design, dir.path()), "");

    // Larger files than the limit allows: the write fails part way, as on a
    // full disk, even for root.
    struct rlimit saved;
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const std::string reason = writeParameterFile(design, path);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, oldHandler);
    EXPECT_NE(reason, "");
    EXPECT_EQ(readBytes(path), old);
    const std::filesystem::directory_iterator files(dir.path()), end;
    EXPECT_EQ(std::distance(files, end), 1);  // no temporary file left behind

    if (std::filesystem::exists("/dev/full")) {
        EXPECT_NE(writeParameterFile(design, "/dev/full"), "");
        EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
    }

    // A successful save replaces the content, keeps the permissions and saves
    // through a symbolic link into the file it names.
    const std::string link = dir.file("link.bowlyn");
    std::filesystem::create_symlink(path, link);
    ASSERT_EQ(writeParameterFile(design, link), "");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readBytes(path), parameterFileText(design));
    struct stat st;
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace bowlyn
