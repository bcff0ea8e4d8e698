#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The file chooser records recent files; keep that out of the user's home.
    gchar* data = g_dir_make_tmp("bowlyn-gui-XXXXXX", nullptr);
    if (data)
        g_setenv("XDG_DATA_HOME", data, TRUE);
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "no display: GUI tests skipped\n");
        return 77;
    }
    int status = RUN_ALL_TESTS();
    if (data) {
        std::string cleanup = std::string("rm -rf '") + data + "'";
        if (std::system(cleanup.c_str()) != 0)
            std::fprintf(stderr, "cannot remove %s\n", data);
        g_free(data);
    }
    return status;
}
