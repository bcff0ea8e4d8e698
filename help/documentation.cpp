#include "help/documentation.h"

#include "app/app_context.h"

namespace bowlyn {

namespace {

// GIO knows the desktop's default application when the desktop registers one;
// a bare X session often has only xdg-open.
void launchWithDesktop(const std::string& uri) {
    GError* error = nullptr;
    if (gtk_show_uri(nullptr, uri.c_str(), GDK_CURRENT_TIME, &error)) {
        return;
    }
    g_clear_error(&error);
    gchar* argv[] = {const_cast<gchar*>("xdg-open"), const_cast<gchar*>(uri.c_str()), nullptr};
    const auto flags =
        GSpawnFlags(G_SPAWN_SEARCH_PATH | G_SPAWN_STDOUT_TO_DEV_NULL | G_SPAWN_STDERR_TO_DEV_NULL);
    g_spawn_async(nullptr, argv, nullptr, flags, nullptr, nullptr, nullptr, &error);
    g_clear_error(&error);
}

std::function<void(const std::string&)>& launcher() {
    static std::function<void(const std::string&)> current;
    return current;
}

// A file URI needs an absolute path.
std::string fileUri(const std::string& path) {
    gchar* here = g_get_current_dir();
    gchar* absolute = g_path_is_absolute(path.c_str())
                          ? g_strdup(path.c_str())
                          : g_build_filename(here, path.c_str(), nullptr);
    g_free(here);
    gchar* uri = g_filename_to_uri(absolute, nullptr, nullptr);
    std::string result = uri != nullptr ? uri : "";
    g_free(uri);
    g_free(absolute);
    return result;
}

}  // namespace

void setUriLauncher(std::function<void(const std::string&)> replacement) {
    launcher() = std::move(replacement);
}

void openUri(const std::string& uri) {
    if (uri.empty()) {
        return;
    }
    if (launcher()) {
        launcher()(uri);
    } else {
        launchWithDesktop(uri);
    }
}

void openDocumentation() {
    const std::string path = findResource("doc.htm");
    if (!path.empty()) {
        openUri(fileUri(path));
    }
}

void openLink(GtkAboutDialog*, const gchar* link, gpointer) {
    if (link != nullptr) {
        openUri(link);
    }
}

}  // namespace bowlyn
