#include "model/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace bowlyn {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/bowlyn-atomic-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(dir, ignored);
    }
    std::string path(const std::string& name) const { return dir + "/" + name; }
    static std::string read(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    size_t entries() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {}));
    }

    std::string dir;
};

TEST_F(AtomicFile, CreatesAndReplacesLeavingNoTemporaryFile) {
    EXPECT_EQ(writeFileAtomically(path("a.txt"), "first\r\n"), "");
    EXPECT_EQ(read(path("a.txt")), "first\r\n");
    EXPECT_EQ(writeFileAtomically(path("a.txt"), "second"), "");
    EXPECT_EQ(read(path("a.txt")), "second");
    EXPECT_EQ(writeFileAtomically(path("empty"), ""), "");
    EXPECT_TRUE(fs::is_regular_file(path("empty")));
    EXPECT_EQ(entries(), 2u);
}

TEST_F(AtomicFile, KeepsPermissionsAndFollowsLinks) {
    ASSERT_EQ(writeFileAtomically(path("a.txt"), "old"), "");
    ::chmod(path("a.txt").c_str(), 0640);
    fs::create_symlink("a.txt", path("link.txt"));
    EXPECT_EQ(writeFileAtomically(path("link.txt"), "new"), "");
    EXPECT_TRUE(fs::is_symlink(path("link.txt")));
    EXPECT_EQ(read(path("a.txt")), "new");
    struct stat st;
    ASSERT_EQ(::stat(path("a.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(entries(), 2u);
}

TEST_F(AtomicFile, FailuresGiveAReasonAndLeaveEverythingAsItWas) {
    ASSERT_EQ(writeFileAtomically(path("keep"), "kept"), "");
    fs::create_directory(path("folder"));
    EXPECT_NE(writeFileAtomically(path("folder"), "x"), "");
    EXPECT_TRUE(fs::is_directory(path("folder")));
    EXPECT_NE(writeFileAtomically(path("missing/a.txt"), "x"), "");
    EXPECT_NE(writeFileAtomically(path("keep/a.txt"), "x"), "");  // a file as folder
    EXPECT_NE(writeFileAtomically("", "x"), "");
    EXPECT_NE(writeFileAtomically(path("folder/"), "x"), "");
    EXPECT_EQ(writeFileAtomically("/dev/null", "x"), "");  // written in place, not replaced
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    EXPECT_NE(writeFileAtomically(path("pipe"), "x"), "");  // nobody reads: no hang
    EXPECT_TRUE(fs::is_fifo(path("pipe")));
    EXPECT_EQ(read(path("keep")), "kept");
    EXPECT_EQ(entries(), 3u);
}

TEST_F(AtomicFile, ReadOnlyFilesAndFoldersAreRespected) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write anything";
    ASSERT_EQ(writeFileAtomically(path("ro"), "kept"), "");
    ::chmod(path("ro").c_str(), 0444);
    EXPECT_NE(writeFileAtomically(path("ro"), "x"), "");
    EXPECT_EQ(read(path("ro")), "kept");
    fs::create_directory(path("locked"));
    ::chmod(path("locked").c_str(), 0555);
    EXPECT_NE(writeFileAtomically(path("locked/a"), "x"), "");
}

}  // namespace
}  // namespace bowlyn
