#include "app/trans_points_dialog.h"

#include <string>

#include "app/app_context.h"
#include "app/design_access.h"
#include "app/gtk_form.h"
#include "geometry/overlays.h"

namespace bowlyn {
namespace {

constexpr gint RESPONSE_CONVERT = 1;
constexpr const char* PROMPT =
    "Type coordinates of transcription points,\none point per line. Coordinates are\nof the "
    "form x,y (Example: 7.257,4).";

GtkWidget* newDialog(AppContext& ctx) {
    GtkWidget* dialog = gtk_dialog_new_with_buttons(
        "Edit Transcription Points", ctx.mainWindow ? GTK_WINDOW(ctx.mainWindow) : nullptr,
        GTK_DIALOG_DESTROY_WITH_PARENT, "gtk-convert", RESPONSE_CONVERT, "gtk-apply",
        GTK_RESPONSE_ACCEPT, "gtk-cancel", GTK_RESPONSE_REJECT, nullptr);
    if (!ctx.iconPath.empty()) {
        gtk_window_set_icon_from_file(GTK_WINDOW(dialog), ctx.iconPath.c_str(), nullptr);
    }
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER_ON_PARENT);
    gtk_widget_set_size_request(dialog, -1, 300);
    return dialog;
}

// The prompt and a scrolled text view holding the points; returns the view.
GtkWidget* addPointsView(GtkWidget* dialog) {
    GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
    GtkWidget* label = gtk_label_new(PROMPT);
    gtk_box_pack_start(GTK_BOX(content), label, FALSE, FALSE, 0);
    GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_AUTOMATIC,
                                   GTK_POLICY_ALWAYS);
    GtkWidget* view = gtk_text_view_new();
    gtk_container_add(GTK_CONTAINER(scrolled), view);
    gtk_box_pack_start(GTK_BOX(content), scrolled, TRUE, TRUE, 10);
    gtk_widget_show(label);
    gtk_widget_show(view);
    gtk_widget_show(scrolled);
    return view;
}

std::string bufferText(GtkWidget* view) {
    GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
    GtkTextIter start, end;
    gtk_text_buffer_get_bounds(buffer, &start, &end);
    gchar* chars = gtk_text_buffer_get_text(buffer, &start, &end, TRUE);
    std::string text = chars ? chars : "";
    g_free(chars);
    return text;
}

}  // namespace

void editTransPoints(AppContext& ctx) {
    if (!ctx.session)
        return;
    Overlays& overlays = ctx.session->overlays;
    GtkWidget* dialog = newDialog(ctx);
    GtkWidget* view = addPointsView(dialog);
    const std::string list = listTransPoints(overlays);
    gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)), list.c_str(), -1);

    // Held so that the dialog can be destroyed safely even when its parent
    // took it down while it ran.
    g_object_ref(dialog);
    const gint response = gtk_dialog_run(GTK_DIALOG(dialog));
    const bool accepted = response == GTK_RESPONSE_ACCEPT || response == RESPONSE_CONVERT;
    // Only an answered dialog still has its text view.
    const std::string text = accepted ? bufferText(view) : "";
    gtk_widget_destroy(dialog);
    g_object_unref(dialog);
    if (!accepted)
        return;
    // The dialog ran a main loop of its own: the window may be gone.
    if (!ctx.session)
        return;
    Session& session = *ctx.session;
    parseTransPoints(session.overlays, text);
    if (ctx.form)
        ctx.form->setActive("menuitemDisplayTransPoints", true);  // its handler shows them
    // The conversion replaces the design: unsaved work is asked about first.
    if (response == RESPONSE_CONVERT && mayLeaveDesign(Leaving::LoadingAnother)) {
        UserAction convert;  // one step to undo
        if (const std::optional<FieldTexts> texts = convertTransPoints(session.overlays))
            session.load(*texts, "");
        else
            session.loaded("");
    }
}

}  // namespace bowlyn
