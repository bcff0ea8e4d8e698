#include "help/release_texts.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <fstream>
#include <string>

namespace bowlyn {
namespace {

class LicenceFile : public ::testing::Test {
  protected:
    void TearDown() override { std::remove(path_.c_str()); }

    const std::string& write(const std::string& content) {
        std::ofstream(path_, std::ios::binary) << content;
        return path_;
    }

    std::string path_ = ::testing::TempDir() + "bwl_" + std::to_string(getpid()) + ".txt";
};

TEST_F(LicenceFile, EveryLineEndsWithACarriageReturn) {
    const std::string licence = readLicenceText(write("MIT License\n\nCopyright Bowlyn\n"));
    EXPECT_EQ(licence, "MIT License\r\rCopyright Bowlyn\r");
    EXPECT_EQ(std::count(licence.begin(), licence.end(), '\r'), 3);
    EXPECT_EQ(licence.find('\n'), std::string::npos);
}

TEST_F(LicenceFile, LineEndsOfAnyKindGiveTheSameText) {
    EXPECT_EQ(readLicenceText(write("one\r\ntwo\r\nthree\r\n")), "one\rtwo\rthree\r");
    // A last line without a line end is still a line.
    EXPECT_EQ(readLicenceText(write("one\ntwo\nthree")), "one\rtwo\rthree\r");
    EXPECT_EQ(readLicenceText(write("")), "");
}

TEST_F(LicenceFile, MissingFileGivesAnEmptyLicence) {
    EXPECT_EQ(readLicenceText(path_ + ".missing"), "");
    EXPECT_EQ(readLicenceText(""), "");
}

TEST_F(LicenceFile, OversizedFileIsCut) {
    const std::string line(1000, 'x');
    std::string content;
    for (int i = 0; i < 3000; ++i) {
        content += line + "\n";
    }
    const std::string licence = readLicenceText(write(content));
    EXPECT_GT(licence.size(), 500000u);
    EXPECT_LE(licence.size(), content.size());
    EXPECT_LT(licence.size(), 1100000u);
}

TEST(AboutTexts, VersionAndNewerReleaseNote) {
    EXPECT_EQ(aboutVersionText(), "0.7 Release 08-12-2011");

    const std::string plain = aboutCommentsText(0.0);
    EXPECT_FALSE(plain.empty());
    EXPECT_EQ(plain.find('\n'), std::string::npos);
    EXPECT_EQ(aboutCommentsText(0.7), plain);
    EXPECT_EQ(aboutCommentsText(-1.0), plain);
    EXPECT_EQ(aboutCommentsText(0.8),
              plain +
                  "\n\nNote: A newer version (0.8) is available for download on the Bowlyn "
                  "Homepage.");
}

TEST(ReleaseNumber, LeadingDecimalNumberOnly) {
    const auto read = [](const std::string& text) {
        return leadingReleaseNumber(text.data(), text.size());
    };
    EXPECT_DOUBLE_EQ(read("0.8\n"), 0.8);
    EXPECT_DOUBLE_EQ(read("  1.25abc"), 1.25);
    EXPECT_DOUBLE_EQ(read("\r\n.5"), 0.5);
    EXPECT_DOUBLE_EQ(read("+2"), 2.0);
    EXPECT_DOUBLE_EQ(read("-1"), -1.0);
    EXPECT_DOUBLE_EQ(read("0x10"), 0.0);
    EXPECT_DOUBLE_EQ(read("1e2"), 100.0);
    EXPECT_DOUBLE_EQ(read("1000"), 1000.0);
    EXPECT_DOUBLE_EQ(read("1e3"), 1000.0);
    for (const char* notANumber : {"", " ", "<html>", "inf", "nan", "-inf", ".", "-", "1e999",
                                   "v0.8", "1000.001", "1e4", "1.7976931348623157e308"}) {
        EXPECT_EQ(read(notANumber), 0.0) << notANumber;
    }
    // Only the given length is read.
    EXPECT_DOUBLE_EQ(leadingReleaseNumber("0.85", 3), 0.8);
}

TEST(ReleaseNumber, TextIsTheSameInACommaLocale) {
    const std::string old = std::setlocale(LC_ALL, nullptr);
    const bool comma = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    EXPECT_EQ(releaseNumberText(0.8), "0.8");
    EXPECT_EQ(releaseNumberText(1.0), "1");
    EXPECT_EQ(releaseNumberText(1e300), "1e+300");
    EXPECT_EQ(releaseNumberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(releaseNumberText(1.0 / 3.0), "0.3333333333333333");
    EXPECT_DOUBLE_EQ(leadingReleaseNumber("2.5", 3), 2.5);
    EXPECT_EQ(newerReleaseStatusText(1.5),
              "A newer version of Bowlyn (1.5) is available on the Bowlyn home page.");
    std::setlocale(LC_ALL, old.c_str());
    if (!comma) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed; checked in the current locale only";
    }
}

}  // namespace
}  // namespace bowlyn
