// The program's own files come from beside the executable, never from the
// folder it was started in.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/app_context.h"

namespace bowlyn {
namespace {

namespace fs = std::filesystem;

TEST(ResourcePaths, TheCurrentFolderIsNeverSearched) {
    const fs::path folder = fs::path(::testing::TempDir()) / "bowlyn-planted";
    fs::create_directories(folder);
    const char* const names[] = {"applicationrc", "bowlyn0_7.glade", "bowlyn.ico", "doc.htm",
                                 "bwl.txt"};
    for (const char* name : names)
        std::ofstream(folder / name) << "planted";
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    for (const char* name : names) {
        const std::string found = findResource(name);
        EXPECT_FALSE(found.empty()) << name << " is not found beside the program";
        EXPECT_NE(fs::path(found).parent_path(), folder) << name;
        EXPECT_EQ(found.rfind(folder.string(), 0), std::string::npos) << found;
    }
    fs::current_path(before);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace bowlyn
