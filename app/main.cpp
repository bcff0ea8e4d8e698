#include <gtk/gtk.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "app/main_window.h"

int main(int argc, char* argv[]) {
    // A file size limit (ulimit -f) must make Save and Export fail with EFBIG,
    // reported like a full disk, not kill the window and the unsaved design.
    std::signal(SIGXFSZ, SIG_IGN);
    // GTK's own option parser gives --help (which needs no display) and
    // refuses options it does not know; what is left is the design to open,
    // as a desktop entry's %f or a double click in a file manager passes it.
    GOptionContext* options = g_option_context_new("[FILE]");
    g_option_context_set_summary(
        options,
        "Designs the body outline of acoustic guitars. FILE is a .bowlyn parameter file "
        "to open.");
    g_option_context_add_group(options, gtk_get_option_group(FALSE));
    GError* parseError = nullptr;
    const bool parsed = g_option_context_parse(options, &argc, &argv, &parseError);
    g_option_context_free(options);
    if (!parsed) {
        std::fprintf(stderr, "bowlyn: %s\n", parseError->message);
        g_error_free(parseError);
        return 2;
    }
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "bowlyn: cannot open the display\n");
        return 1;
    }
    if (argc > 2) {
        std::fprintf(stderr, "bowlyn: one design file at most, got %d\n", argc - 1);
        return 2;
    }
    std::string error;
    if (!bowlyn::openMainWindow(error)) {
        std::fprintf(stderr, "bowlyn: %s\n", error.c_str());
        return 1;
    }
    if (argc == 2)
        bowlyn::openDesignAtStart(argv[1]);
    bowlyn::screenSizeCheck();
    bowlyn::runMainLoop();
    bowlyn::closeMainWindow();
    return 0;
}
