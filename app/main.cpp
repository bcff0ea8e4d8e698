#include <gtk/gtk.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "app/main_window.h"

int main(int argc, char* argv[]) {
    // A file size limit (ulimit -f) must make Save and Export fail with EFBIG,
    // reported like a full disk, not kill the window and the unsaved design.
    std::signal(SIGXFSZ, SIG_IGN);
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "bowlyn: cannot open the display\n");
        return 1;
    }
    std::string error;
    if (!bowlyn::openMainWindow(error)) {
        std::fprintf(stderr, "bowlyn: %s\n", error.c_str());
        return 1;
    }
    bowlyn::screenSizeCheck();
    bowlyn::runMainLoop();
    bowlyn::closeMainWindow();
    return 0;
}
