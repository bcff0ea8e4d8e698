#include "app/app_context.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "app/drawing_area.h"
#include "app/gtk_dialogs.h"
#include "app/gtk_form.h"
#include "app/template_print.h"
#include "app/window_display.h"
#include "help/release_watch.h"

namespace bowlyn {

AppContext::AppContext() = default;
AppContext::~AppContext() = default;

void AppContext::forgetWindow() {
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

fs::path executableFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe.parent_path();
}

// Never the current directory: a resource file can load a theme engine from
// any path, so a folder of shared designs holding one would run its code.
std::vector<fs::path> resourceFolders() {
    const fs::path exe = executableFolder();
    if (exe.empty())
        return {};
    std::vector<fs::path> folders = {exe, exe / "ui"};
    if (const std::string data = installedDataFolder(); !data.empty())
        folders.push_back(data);
    return folders;
}

}  // namespace

std::string installedDataFolder() {
    const fs::path exe = executableFolder();
#ifdef BOWLYN_DATA_FROM_BIN
    if (!exe.empty())
        return (exe / BOWLYN_DATA_FROM_BIN).lexically_normal().string();
#endif
    return "";
}

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
