#include "help/documentation.h"

#include <gtk/gtk.h>

namespace bowlyn {

namespace {

using Failure = std::function<void()>;
using ErrorSink = std::function<void(const std::string&)>;

void xdgOpenEnded(GPid pid, gint status, gpointer data) {
    auto* failed = static_cast<Failure*>(data);
    if (!g_spawn_check_wait_status(status, nullptr))
        (*failed)();
    delete failed;
    g_spawn_close_pid(pid);
}

// GIO knows the desktop's default application when the desktop registers one;
// a bare X session often has only xdg-open, which says only when it ends
// whether it found a browser.
bool launchWithDesktop(const std::string& uri, const Failure& failed) {
    GError* error = nullptr;
    if (gtk_show_uri(nullptr, uri.c_str(), GDK_CURRENT_TIME, &error)) {
        return true;
    }
    g_clear_error(&error);
    gchar* argv[] = {const_cast<gchar*>("xdg-open"), const_cast<gchar*>(uri.c_str()), nullptr};
    const auto flags = GSpawnFlags(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD |
                                   G_SPAWN_STDOUT_TO_DEV_NULL | G_SPAWN_STDERR_TO_DEV_NULL);
    GPid pid = 0;
    if (!g_spawn_async(nullptr, argv, nullptr, flags, nullptr, nullptr, &pid, &error)) {
        g_clear_error(&error);
        return false;
    }
    g_child_watch_add(pid, xdgOpenEnded, new Failure(failed));
    return true;
}

std::function<bool(const std::string&)>& launcher() {
    static std::function<bool(const std::string&)> current;
    return current;
}

// A file URI needs an absolute path.
std::string absolutePath(const std::string& path) {
    if (g_path_is_absolute(path.c_str()))
        return path;
    gchar* here = g_get_current_dir();
    gchar* absolute = g_build_filename(here, path.c_str(), nullptr);
    std::string result = absolute;
    g_free(here);
    g_free(absolute);
    return result;
}

std::string fileUri(const std::string& path) {
    gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
    std::string result = uri != nullptr ? uri : "";
    g_free(uri);
    return result;
}

void tell(const ErrorSink& showError, const std::string& message) {
    if (showError)
        showError(message);
}

// GTK's hook for a link clicked in any About box; `data` is the ErrorSink.
void openLink(GtkAboutDialog*, const gchar* link, gpointer data) {
    if (link == nullptr)
        return;
    const std::string address = link;
    const ErrorSink showError = *static_cast<const ErrorSink*>(data);
    openUri(address, [address, showError] {
        tell(showError, "The address '" + address +
                            "' could not be opened in a web browser. Open it by hand.");
    });
}

void deleteErrorSink(gpointer data) {
    delete static_cast<ErrorSink*>(data);
}

}  // namespace

void setUriLauncher(std::function<bool(const std::string&)> replacement) {
    launcher() = std::move(replacement);
}

void openUri(const std::string& uri, std::function<void()> failed) {
    const bool taken =
        !uri.empty() && (launcher() ? launcher()(uri) : launchWithDesktop(uri, failed));
    if (!taken)
        failed();
}

void openDocumentation(const HelpHost& host) {
    const ErrorSink showError = host.showError;
    if (host.guidePath.empty()) {
        tell(showError, "The user guide 'doc.htm' was not found beside the program.");
        return;
    }
    const std::string path = absolutePath(host.guidePath);
    openUri(fileUri(path), [path, showError] {
        tell(showError, "The user guide could not be opened in a web browser. Open the file '" +
                            path + "' by hand.");
    });
}

void setLinkHook(std::function<void(const std::string&)> showError) {
    // GTK keeps the hook for every About box; the one set before is freed.
    gtk_about_dialog_set_url_hook(openLink, new ErrorSink(std::move(showError)), deleteErrorSink);
}

}  // namespace bowlyn
