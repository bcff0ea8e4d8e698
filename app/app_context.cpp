#include "app/app_context.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "app/drawing_area.h"
#include "app/gtk_dialogs.h"
#include "app/gtk_form.h"
#include "app/template_print.h"
#include "help/release_watch.h"

namespace bowlyn {

AppContext::AppContext() = default;
AppContext::~AppContext() = default;

void AppContext::forgetWindow() {
    doc = nullptr;
    session = nullptr;
    form = nullptr;
    drawing = nullptr;
    dialogs = nullptr;
    mainWindow = nullptr;
    updates = nullptr;
}

AppContext& app() {
    static AppContext context;
    return context;
}

namespace {

namespace fs = std::filesystem;

// Never the current directory: a resource file can load a theme engine from
// any path, so a folder of shared designs holding one would run its code.
std::vector<fs::path> resourceFolders() {
    std::vector<fs::path> folders;
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        folders.push_back(exe.parent_path());
        folders.push_back(exe.parent_path() / "ui");
    }
#ifdef BOWLYN_DATA_DIR
    folders.push_back(BOWLYN_DATA_DIR);
#endif
    return folders;
}

}  // namespace

std::string findResource(const std::string& name) {
    if (name.empty())
        return "";
    for (const fs::path& folder : resourceFolders()) {
        std::error_code ec;
        fs::path candidate = folder / name;
        if (fs::is_regular_file(candidate, ec))
            return candidate.string();
    }
    return "";
}

}  // namespace bowlyn
