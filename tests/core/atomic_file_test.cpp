#include "model/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
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

TEST_F(AtomicFile, OwnDescriptorsAreWrittenAsTheShellSetThemUp) {
    // A log opened for appending, as "-o /dev/stdout >> log" hands it over.
    ASSERT_EQ(writeFileAtomically(path("log"), "old\n"), "");
    struct stat before;
    ASSERT_EQ(::stat(path("log").c_str(), &before), 0);
    const int log = ::open(path("log").c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(log, 0);
    const std::string n = std::to_string(log);
    fs::create_symlink("/dev/fd/" + n, path("out"));
    EXPECT_EQ(descriptorNamedBy("/proc/self/fd/" + n), log);
    EXPECT_EQ(descriptorNamedBy(path("out")), log);
    EXPECT_EQ(writeFileAtomically("/proc/self/fd/" + n, "one\n"), "");
    EXPECT_EQ(writeFileAtomically("/dev/fd/" + n, "two\n"), "");
    EXPECT_EQ(writeFileAtomically(path("out"), "three\n"), "");
    ::close(log);
    EXPECT_EQ(read(path("log")), "old\none\ntwo\nthree\n");
    struct stat after;
    ASSERT_EQ(::stat(path("log").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the log was replaced";
    EXPECT_TRUE(fs::is_symlink(path("out")));

    // A pipe stays a pipe.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    EXPECT_EQ(writeFileAtomically("/dev/fd/" + std::to_string(ends[1]), "through"), "");
    ::close(ends[1]);
    char buffer[16] = {};
    EXPECT_EQ(::read(ends[0], buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "through");
    ::close(ends[0]);

    EXPECT_EQ(descriptorNamedBy("/dev/stdout"), 1);
    EXPECT_EQ(descriptorNamedBy(path("log")), -1);
    EXPECT_EQ(descriptorNamedBy("-"), -1);
    EXPECT_EQ(entries(), 2u);
}

TEST_F(AtomicFile, RegularFilesUnderDevAreRewrittenInPlace) {
    if (!fs::is_directory("/dev/shm"))
        GTEST_SKIP() << "no /dev/shm";
    const std::string shm = "/dev/shm/bowlyn-test-" + std::to_string(::getpid());
    ASSERT_EQ(writeFileAtomically(shm, "a longer old content"), "");
    struct stat before, after;
    ASSERT_EQ(::stat(shm.c_str(), &before), 0);
    EXPECT_EQ(writeFileAtomically(shm, "new"), "");
    ASSERT_EQ(::stat(shm.c_str(), &after), 0);
    EXPECT_EQ(read(shm), "new");
    EXPECT_EQ(after.st_ino, before.st_ino);
    fs::remove(shm);
}

// Root may write into any folder, so these run as an unprivileged user too
// (tests/scripts/read_only_as_user.sh).
class AtomicFileReadOnly : public AtomicFile {
  protected:
    void SetUp() override {
        if (::geteuid() == 0)
            GTEST_SKIP() << "root may write anything; read_only_as_user.sh runs this unprivileged";
        AtomicFile::SetUp();
    }
};

TEST_F(AtomicFileReadOnly, ReadOnlyFilesAndFoldersAreRespected) {
    ASSERT_EQ(writeFileAtomically(path("ro"), "kept"), "");
    ::chmod(path("ro").c_str(), 0444);
    EXPECT_NE(writeFileAtomically(path("ro"), "x"), "");
    EXPECT_EQ(read(path("ro")), "kept");
    fs::create_directory(path("locked"));
    ::chmod(path("locked").c_str(), 0555);
    EXPECT_NE(writeFileAtomically(path("locked/a"), "x"), "");
    EXPECT_FALSE(fs::exists(path("locked/a")));
}

TEST_F(AtomicFileReadOnly, AWritableFileInALockedFolderIsRewrittenOrKept) {
    fs::create_directory(path("locked"));
    const std::string file = path("locked/design.bowlyn");
    const std::string old(300, 'o');
    ASSERT_EQ(writeFileAtomically(file, old), "");
    ::chmod(file.c_str(), 0640);
    ::chmod(path("locked").c_str(), 0555);
    struct stat before, after;
    ASSERT_EQ(::stat(file.c_str(), &before), 0);

    EXPECT_EQ(writeFileAtomically(file, "shorter"), "");
    EXPECT_EQ(read(file), "shorter");
    EXPECT_EQ(writeFileAtomically(file, old), "");
    EXPECT_EQ(read(file), old);
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 0777, 0640u);

    // A write stopped part way by the file size limit puts the old bytes back.
    rlimit saved;
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const std::string failure = writeFileAtomically(file, std::string(500, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(failure, std::strerror(EFBIG));
    EXPECT_EQ(read(file), old);

    // Without leave to read it, its old contents cannot be kept: refused.
    ::chmod(file.c_str(), 0200);
    EXPECT_NE(writeFileAtomically(file, "x"), "");
    ::chmod(file.c_str(), 0640);
    EXPECT_EQ(read(file), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(path("locked")), {}), 1);
}

}  // namespace
}  // namespace bowlyn
