#include "model/points_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "model_test_support.h"

namespace bowlyn {
namespace {

class PointsFile : public ::testing::Test {
  protected:
    PointsFileResult read(const std::string& bytes) {
        writeBytes(path, bytes);
        return readPointsFile(path, text);
    }
    static std::string lines(std::size_t count, const char* line = "1,2\n") {
        std::string s;
        for (std::size_t i = 0; i < count; ++i)
            s += line;
        return s;
    }
    TempDir dir;
    std::string path = dir.file("points.txt");
    std::string text = "untouched";
};

TEST_F(PointsFile, EveryLineEndBecomesALineFeed) {
    ASSERT_EQ(read("1,2\r\n3,4\r5,6\n7,8"), PointsFileResult::Read);
    EXPECT_EQ(text, "1,2\n3,4\n5,6\n7,8");
    ASSERT_EQ(read(""), PointsFileResult::Read);
    EXPECT_EQ(text, "");
}

// A pipe nobody writes, a pipe whose writer never writes and an endless device
// are refused at once, before anything is read.
TEST_F(PointsFile, PipesAndDevicesAreRefusedWithoutWaiting) {
    const std::string fifo = dir.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(readPointsFile(fifo, text), PointsFileResult::NotRegularFile);
    FILE* writer = std::fopen(fifo.c_str(), "r+");  // a writer that stays silent
    ASSERT_NE(writer, nullptr);
    EXPECT_EQ(readPointsFile(fifo, text), PointsFileResult::NotRegularFile);
    std::fclose(writer);
    EXPECT_EQ(readPointsFile("/dev/zero", text), PointsFileResult::NotRegularFile);
    EXPECT_EQ(readPointsFile(dir.path(), text), PointsFileResult::NotRegularFile);
    // Reading any of them would block for good or take 16 MB first; refusing
    // takes microseconds, whatever the build.
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
              10.0);
    EXPECT_EQ(readPointsFile(dir.file("missing.txt"), text), PointsFileResult::NotFound);
    EXPECT_EQ(text, "untouched");
}

TEST_F(PointsFile, LargeFilesAreRefusedWhole) {
    ASSERT_EQ(read(lines(POINTS_FILE_MAX_LINES)), PointsFileResult::Read);
    EXPECT_EQ(text.size(), 4 * POINTS_FILE_MAX_LINES);
    EXPECT_EQ(read(lines(POINTS_FILE_MAX_LINES - 1) + "1,2"), PointsFileResult::Read);
    text = "untouched";
    EXPECT_EQ(read(lines(POINTS_FILE_MAX_LINES) + "1,2"), PointsFileResult::TooLarge);
    EXPECT_EQ(read(lines(POINTS_FILE_MAX_LINES + 1, "\r\n")), PointsFileResult::TooLarge);
    // Sparse, so the test does not write 16 MB.
    writeBytes(path, "1,2\n");
    std::filesystem::resize_file(path, POINTS_FILE_MAX_BYTES + 1);
    EXPECT_EQ(readPointsFile(path, text), PointsFileResult::TooLarge);
    EXPECT_EQ(text, "untouched");
}

}  // namespace
}  // namespace bowlyn
