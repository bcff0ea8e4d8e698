// The snapshot and transcription-point menu commands and the points dialog,
// answered from a timer while it runs modally.

#include "geometry/overlays.h"

#include <functional>
#include <string>

#include "gui_support.h"

namespace bowlyn::test {
namespace {

bool isSnapshotPixel(int r, int g, int b) {
    return std::abs(r - 153) <= 2 && std::abs(g - 153) <= 2 && b >= 253;
}
bool isTransPointPixel(int r, int g, int b) {
    return std::abs(r - 140) <= 2 && g >= 253 && b <= 2;
}

GtkWidget* pointsDialog() {
    GtkWidget* found = nullptr;
    GList* tops = gtk_window_list_toplevels();
    for (GList* t = tops; t; t = t->next) {
        GtkWidget* w = GTK_WIDGET(t->data);
        const gchar* title = GTK_IS_WINDOW(w) ? gtk_window_get_title(GTK_WINDOW(w)) : nullptr;
        if (title && std::string(title) == "Edit Transcription Points")
            found = w;
    }
    g_list_free(tops);
    return found;
}

// The first widget of type `type` inside `root`, depth first.
GtkWidget* findChild(GtkWidget* root, GType type) {
    if (G_TYPE_CHECK_INSTANCE_TYPE(root, type))
        return root;
    if (!GTK_IS_CONTAINER(root))
        return nullptr;
    GtkWidget* found = nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(root));
    for (GList* c = children; c && !found; c = c->next) {
        found = findChild(GTK_WIDGET(c->data), type);
    }
    g_list_free(children);
    return found;
}

GtkTextBuffer* pointsBuffer(GtkWidget* dialog) {
    return gtk_text_view_get_buffer(GTK_TEXT_VIEW(findChild(dialog, GTK_TYPE_TEXT_VIEW)));
}

std::string bufferText(GtkWidget* dialog) {
    GtkTextIter start, end;
    gtk_text_buffer_get_bounds(pointsBuffer(dialog), &start, &end);
    gchar* t = gtk_text_buffer_get_text(pointsBuffer(dialog), &start, &end, TRUE);
    std::string s = t;
    g_free(t);
    return s;
}

// What to do with the dialog once it shows: look at it, replace its text
// unless `text` is null, then end it with a response or by closing its window.
struct Answer {
    std::function<void(GtkWidget*)> inspect = [](GtkWidget*) {};
    const char* text = nullptr;
    int response = GTK_RESPONSE_ACCEPT;
    bool closeWindow = false;
    bool seen = false;
};

gboolean answerDialog(gpointer data) {
    auto* a = static_cast<Answer*>(data);
    GtkWidget* dialog = pointsDialog();
    if (!dialog || !gtk_widget_get_visible(dialog))
        return TRUE;  // not shown yet
    a->seen = true;
    a->inspect(dialog);
    if (a->text)
        gtk_text_buffer_set_text(pointsBuffer(dialog), a->text, -1);
    if (a->closeWindow) {
        GdkEvent* event = gdk_event_new(GDK_DELETE);
        event->any.window = GDK_WINDOW(g_object_ref(dialog->window));
        event->any.send_event = TRUE;
        gtk_main_do_event(event);
        gdk_event_free(event);
    } else {
        gtk_dialog_response(GTK_DIALOG(dialog), a->response);
    }
    return FALSE;
}

class Overlays : public GuiTest {
  protected:
    void editPoints(Answer& a) {
        g_timeout_add(20, answerDialog, &a);
        activate("menuitemEditTransPoints");
        EXPECT_TRUE(a.seen);
        EXPECT_EQ(pointsDialog(), nullptr);  // closed in every case
    }
    bool menuActive(const char* item) {
        return gtk_check_menu_item_get_active(GTK_CHECK_MENU_ITEM(widget(item)));
    }
};

TEST_F(Overlays, SnapshotShowsAfterTryItAndHidesInTheFinalDrawing) {
    activate("menuitemTakeSnapshot");
    ASSERT_EQ(dialogs.errors.size(), 1u);  // nothing drawn yet
    EXPECT_EQ(dialogs.errors[0],
              "A complete body outline must be successfully generated before a snapshot can be "
              "taken.");

    activate("menuInitializeDreadnought");
    type("entryLength", "20");
    click("buttonTryIt");
    ASSERT_TRUE(session().complete());
    activate("menuitemTakeSnapshot");
    EXPECT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(countShownPixels(isSnapshotPixel), 0);  // shown only when switched on
    activate("menuitemDisplaySnapshot");
    EXPECT_TRUE(session().overlays.showSnapshot);

    type("entryLength", "21");
    click("buttonTryIt");
    ASSERT_EQ(text("labelStatusText"), "Status: OK");
    EXPECT_GT(countShownPixels(isSnapshotPixel), 500);
    click("buttonOk");
    EXPECT_EQ(countShownPixels(isSnapshotPixel), 0);
    click("buttonTryIt");
    EXPECT_GT(countShownPixels(isSnapshotPixel), 500);

    activate("menuitemDisplaySnapshot");
    EXPECT_FALSE(session().overlays.showSnapshot);
    click("buttonTryIt");
    EXPECT_EQ(countShownPixels(isSnapshotPixel), 0);
}

TEST_F(Overlays, ApplyStoresThePointsAndShowsThem) {
    parseTransPoints(session().overlays, "7.257,4\n1.5,2");
    Answer a;
    a.inspect = [](GtkWidget* d) {
        EXPECT_EQ(bufferText(d), "7.257,4\n1.5,2\n");
        EXPECT_EQ(gtk_window_get_transient_for(GTK_WINDOW(d)), GTK_WINDOW(app().mainWindow));
        EXPECT_TRUE(gtk_window_get_destroy_with_parent(GTK_WINDOW(d)));
        EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(d)));
        GtkWidget* label = findChild(d, GTK_TYPE_LABEL);
        ASSERT_NE(label, nullptr);
        EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(label)),
                     "Type coordinates of transcription points,\none point per line. "
                     "Coordinates are\nof the form x,y (Example: 7.257,4).");
        if (!app().iconPath.empty()) {
            EXPECT_NE(gtk_window_get_icon(GTK_WINDOW(d)), nullptr);
        }
    };
    a.text = "3,10\n-1,4\n1;2\n";
    a.response = GTK_RESPONSE_ACCEPT;
    editPoints(a);
    EXPECT_EQ(session().overlays.transPointCount, 2u);
    EXPECT_TRUE(menuActive("menuitemDisplayTransPoints"));
    EXPECT_TRUE(session().overlays.showTransPoints);
    EXPECT_EQ(countShownPixels(isTransPointPixel), 0);  // drawn by the next pass

    activate("menuInitializeDreadnought");
    click("buttonTryIt");
    EXPECT_GE(countShownPixels(isTransPointPixel), 2 * 30);  // two 6 x 6 squares
    click("buttonOk");
    EXPECT_EQ(countShownPixels(isTransPointPixel), 0);

    Answer empty;
    empty.text = "";
    editPoints(empty);
    EXPECT_EQ(session().overlays.transPointCount, 0u);
    EXPECT_TRUE(menuActive("menuitemDisplayTransPoints"));
}

TEST_F(Overlays, CancelAndClosingTheWindowChangeNothing) {
    parseTransPoints(session().overlays, "1,2");
    Answer cancel;
    cancel.text = "5,6\n7,8";
    cancel.response = GTK_RESPONSE_REJECT;
    editPoints(cancel);
    Answer close;
    close.text = "5,6\n7,8";
    close.closeWindow = true;
    editPoints(close);
    EXPECT_EQ(listTransPoints(session().overlays), "1,2\n");
    EXPECT_FALSE(menuActive("menuitemDisplayTransPoints"));
    EXPECT_FALSE(session().overlays.showTransPoints);
}

TEST_F(Overlays, ConvertFillsTheFormWithTheMeasuredBody) {
    activate("menuInitializeOM");
    Answer a;
    a.text = "0,0\n6,6\n1,1\n4,2\n5,9\n4.8,9.6\n4,12\n4.8,14.4\n5.6,16\n4.8,17.6\n1.5,19.5\n";
    a.response = 1;
    editPoints(a);
    EXPECT_EQ(session().overlays.transPointCount, 11u);
    EXPECT_TRUE(menuActive("menuitemDisplayTransPoints"));
    EXPECT_EQ(text("entryDescription"), " ");
    EXPECT_EQ(text("entryLength"), "19.5");
    EXPECT_EQ(text("entryLBWidth"), "12");
    EXPECT_EQ(text("entryWaistRadius"), "4");
    EXPECT_EQ(text("entryUBOffset"), "1.5");
    EXPECT_EQ(text("entryScaleLength"), " ");
    EXPECT_EQ(design().params.upperBoutHalfWidth, 5.6f);
    EXPECT_EQ(text("labelStatusText"), "Status: OK");
    EXPECT_EQ(countShownPixels(isOutlinePixel), 0);
}

TEST_F(Overlays, ConvertAsksAboutUnsavedWorkFirst) {
    activate("menuInitializeOM");
    type("entryLength", "20");
    Answer a;
    a.text = "0,0\n6,6\n1,1\n4,2\n5,9\n4.8,9.6\n4,12\n4.8,14.4\n5.6,16\n4.8,17.6\n1.5,19.5\n";
    a.response = 1;
    editPoints(a);  // answered Cancel
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0],
              "Save changes to the design 'Untitled' before loading another design?");
    EXPECT_EQ(session().overlays.transPointCount, 11u);  // the points are kept all the same
    EXPECT_EQ(text("entryLength"), "20");
    EXPECT_EQ(text("entryDescription"), "OM");

    dialogs.saveChoice = SaveChoice::Discard;
    Answer again = a;
    again.seen = false;
    editPoints(again);
    EXPECT_EQ(text("entryLength"), "19.5");
}

}  // namespace
}  // namespace bowlyn::test
