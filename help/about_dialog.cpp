#include "help/about_dialog.h"

#include <gtk/gtk.h>

#include <string>

#include "help/documentation.h"
#include "help/release_texts.h"
#include "help/release_watch.h"
#include "model/version.h"

namespace bowlyn {

namespace {

constexpr const char* HOME_PAGE = "http://bowlyn.example/";
constexpr const char* COPYRIGHT = "Copyright \u00A9 Bowlyn developers";

// GTK shows only valid UTF-8; a licence file in another encoding still shows,
// with replacement characters where its bytes do not fit.
std::string validUtf8(const std::string& text) {
    gchar* valid = g_utf8_make_valid(text.c_str(), -1);
    std::string result = valid;
    g_free(valid);
    return result;
}

void setLogoAndIcon(GtkWidget* dialog, const std::string& icon) {
    if (icon.empty()) {
        return;
    }
    if (GdkPixbuf* logo = gdk_pixbuf_new_from_file(icon.c_str(), nullptr)) {
        gtk_about_dialog_set_logo(GTK_ABOUT_DIALOG(dialog), logo);
        g_object_unref(logo);
    }
    gtk_window_set_icon_from_file(GTK_WINDOW(dialog), icon.c_str(), nullptr);
}

}  // namespace

void showAbout(const HelpHost& host) {
    GtkWidget* dialog = gtk_about_dialog_new();
    GtkAboutDialog* about = GTK_ABOUT_DIALOG(dialog);
    gtk_about_dialog_set_program_name(about, PRODUCT_NAME);
    gtk_about_dialog_set_version(about, aboutVersionText().c_str());
    gtk_about_dialog_set_copyright(about, COPYRIGHT);
    ReleaseWatch* updates = host.releases;
    gtk_about_dialog_set_comments(
        about, aboutCommentsText(updates ? updates->latestAnswer() : 0.0).c_str());
    const std::string licence = validUtf8(readLicenceText(host.licencePath));
    gtk_about_dialog_set_license(about, licence.c_str());
    // The hook is global to every About box; it must be in place before the
    // website is set so that the link is made with it.
    setLinkHook(host.showError);
    gtk_about_dialog_set_website(about, HOME_PAGE);
    gtk_about_dialog_set_website_label(about, "Bowlyn Homepage");
    setLogoAndIcon(dialog, host.iconPath);
    gtk_window_set_title(GTK_WINDOW(dialog), "About Bowlyn");
    if (host.parent != nullptr) {
        gtk_window_set_transient_for(GTK_WINDOW(dialog), host.parent);
    }
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER_ON_PARENT);
    // The box shows the latest answer at once and a newer one when it arrives.
    unsigned ticket = 0;
    if (updates) {
        ticket = updates->check([about](double newest) {
            gtk_about_dialog_set_comments(about, aboutCommentsText(newest).c_str());
        });
    }
    gtk_dialog_run(GTK_DIALOG(dialog));
    if (updates) {
        updates->forget(ticket);
    }
    gtk_widget_destroy(dialog);
}

}  // namespace bowlyn
