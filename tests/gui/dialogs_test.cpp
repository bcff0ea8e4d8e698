// The real GTK dialogs: answered from a timer while they run modally.

#include <algorithm>
#include <functional>

#include "app/gtk_dialogs.h"
#include "commands/export_commands.h"
#include "gui_support.h"

namespace bowlyn::test {
namespace {

// The dialog that is running now: the one toplevel besides the main window.
GtkWidget* runningDialog() {
    GtkWidget* found = nullptr;
    GList* tops = gtk_window_list_toplevels();
    for (GList* t = tops; t; t = t->next) {
        GtkWidget* w = GTK_WIDGET(t->data);
        if (w != app().mainWindow && GTK_IS_DIALOG(w) && gtk_widget_get_visible(w))
            found = w;
    }
    g_list_free(tops);
    return found;
}

// Runs `inspect` on the dialog once it shows, then answers it with `response`.
struct Answer {
    std::function<void(GtkWidget*)> inspect;
    int response;
    bool seen = false;
    GtkWidget* dialog = nullptr;  // cleared when the dialog goes
    int ticks = 0;
    guint source = 0;
    ~Answer() {
        if (source)
            g_source_remove(source);
        if (dialog)
            g_object_remove_weak_pointer(G_OBJECT(dialog), (gpointer*)&dialog);
    }
};

gboolean answerDialog(gpointer data) {
    auto* a = static_cast<Answer*>(data);
    if (!a->seen) {
        GtkWidget* dialog = runningDialog();
        if (!dialog)
            return TRUE;  // not shown yet: look again
        a->seen = true;
        a->dialog = dialog;
        g_object_add_weak_pointer(G_OBJECT(dialog), (gpointer*)&a->dialog);
        a->inspect(dialog);
        gtk_dialog_response(GTK_DIALOG(dialog), a->response);
        return TRUE;
    }
    if (!a->dialog) {
        a->source = 0;
        return FALSE;  // answered and gone
    }
    // A file chooser checks a chosen name in the background and may drop an
    // answer that arrives while its folder is still loading: answer again,
    // and after five seconds give up so that a refused answer fails the test.
    if (++a->ticks % 10 == 0)
        gtk_dialog_response(GTK_DIALOG(a->dialog),
                            a->ticks < 250 ? a->response : GTK_RESPONSE_CANCEL);
    return TRUE;
}

class RealDialogs : public GuiTest {
  protected:
    GtkDialogs& real() { return *gtkDialogs; }
    void SetUp() override {
        GuiTest::SetUp();
        gtkDialogs = std::make_unique<GtkDialogs>(app().mainWindow, app().iconPath);
    }
    void TearDown() override {
        gtkDialogs.reset();
        GuiTest::TearDown();
    }
    void answerWith(Answer& a) { a.source = g_timeout_add(20, answerDialog, &a); }
    std::unique_ptr<GtkDialogs> gtkDialogs;
};

std::string messageText(GtkWidget* dialog) {
    gchar* t = nullptr;
    g_object_get(dialog, "text", &t, nullptr);
    std::string s = t ? t : "";
    g_free(t);
    return s;
}

TEST_F(RealDialogs, MessagesAreModalChildrenOfTheMainWindow) {
    Answer error{[](GtkWidget* d) {
                     EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(d)));
                     EXPECT_EQ(gtk_window_get_transient_for(GTK_WINDOW(d)),
                               GTK_WINDOW(app().mainWindow));
                     EXPECT_TRUE(gtk_window_get_destroy_with_parent(GTK_WINDOW(d)));
                     EXPECT_EQ(messageText(d), "File not found: '100% done.bowlyn'");
                     GtkMessageType type;
                     g_object_get(d, "message-type", &type, nullptr);
                     EXPECT_EQ(type, GTK_MESSAGE_ERROR);
                     if (!app().iconPath.empty()) {
                         EXPECT_NE(gtk_window_get_icon(GTK_WINDOW(d)), nullptr);
                     }
                 },
                 GTK_RESPONSE_OK};
    answerWith(error);
    real().showError("File not found: '100% done.bowlyn'");
    EXPECT_TRUE(error.seen);
    EXPECT_EQ(runningDialog(), nullptr);

    Answer warning{[](GtkWidget* d) {
                       GtkMessageType type;
                       g_object_get(d, "message-type", &type, nullptr);
                       EXPECT_EQ(type, GTK_MESSAGE_WARNING);
                   },
                   GTK_RESPONSE_OK};
    answerWith(warning);
    real().showWarning("small screen");
    EXPECT_TRUE(warning.seen);
}

TEST_F(RealDialogs, OnlyAnExplicitYesCountsAsYes) {
    Answer yes{[](GtkWidget* d) { EXPECT_EQ(messageText(d), "File 'a' exists. Overwrite it?"); },
               GTK_RESPONSE_YES};
    answerWith(yes);
    EXPECT_TRUE(real().askYesNo("File 'a' exists. Overwrite it?"));
    Answer no{[](GtkWidget*) {}, GTK_RESPONSE_NO};
    answerWith(no);
    EXPECT_FALSE(real().askYesNo("again?"));
    Answer closed{[](GtkWidget*) {}, GTK_RESPONSE_DELETE_EVENT};
    answerWith(closed);
    EXPECT_FALSE(real().askYesNo("and again?"));
}

std::vector<std::string> buttonLabels(GtkWidget* dialog) {
    std::vector<std::string> labels;
    GList* buttons =
        gtk_container_get_children(GTK_CONTAINER(gtk_dialog_get_action_area(GTK_DIALOG(dialog))));
    for (GList* b = buttons; b; b = b->next)
        labels.push_back(gtk_button_get_label(GTK_BUTTON(b->data)));
    g_list_free(buttons);
    return labels;
}

TEST_F(RealDialogs, UnsavedWorkIsSavedDiscardedOrKept) {
    const std::string question = "Save changes to the design 'om.bowlyn' before closing?";
    const std::pair<int, SaveChoice> answers[] = {{GTK_RESPONSE_ACCEPT, SaveChoice::Save},
                                                  {GTK_RESPONSE_REJECT, SaveChoice::Discard},
                                                  {GTK_RESPONSE_CANCEL, SaveChoice::Cancel},
                                                  {GTK_RESPONSE_DELETE_EVENT, SaveChoice::Cancel}};
    for (const auto& [response, choice] : answers) {
        Answer a{[&](GtkWidget* d) {
                     EXPECT_EQ(messageText(d), question);
                     std::vector<std::string> labels = buttonLabels(d);
                     std::sort(labels.begin(), labels.end());
                     EXPECT_EQ(labels,
                               (std::vector<std::string>{"gtk-cancel", "gtk-discard", "gtk-save"}));
                     EXPECT_EQ(gtk_window_get_transient_for(GTK_WINDOW(d)),
                               GTK_WINDOW(app().mainWindow));
                 },
                 response};
        answerWith(a);
        EXPECT_EQ(real().askSaveChanges(question), choice) << response;
        EXPECT_TRUE(a.seen);
    }
}

// Not "Recently Used", where a typed plain name is refused.
TEST_F(RealDialogs, WithoutAFolderTheChooserStartsInTheWorkingFolder) {
    Answer save{
        [](GtkWidget* d) { gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(d), "plain"); },
        GTK_RESPONSE_ACCEPT};
    answerWith(save);
    const std::string chosen = real().chooseFile(FileDialogMode::Save, "", "");
    gchar* here = g_get_current_dir();
    gchar* expected = g_build_filename(here, "plain", nullptr);
    EXPECT_EQ(chosen, expected);
    g_free(expected);
    g_free(here);
}

std::vector<std::string> filterNames(GtkWidget* chooser) {
    std::vector<std::string> names;
    GSList* filters = gtk_file_chooser_list_filters(GTK_FILE_CHOOSER(chooser));
    for (GSList* f = filters; f; f = f->next) {
        names.push_back(gtk_file_filter_get_name(GTK_FILE_FILTER(f->data)));
    }
    g_slist_free(filters);
    return names;
}

TEST_F(RealDialogs, FileChooserHasTheModesTitlesAndFilters) {
    const std::string folder = ::testing::TempDir();
    Answer open{[&](GtkWidget* d) {
                    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(d)), "open");
                    EXPECT_EQ(gtk_file_chooser_get_action(GTK_FILE_CHOOSER(d)),
                              GTK_FILE_CHOOSER_ACTION_OPEN);
                    EXPECT_EQ(filterNames(d), (std::vector<std::string>{"Bowlyn Files, (*.bowlyn)",
                                                                        "All Files, (*.*)"}));
                },
                GTK_RESPONSE_CANCEL};
    answerWith(open);
    EXPECT_EQ(real().chooseFile(FileDialogMode::Open, folder, ""), "");
    EXPECT_TRUE(open.seen);

    Answer save{[&](GtkWidget* d) {
                    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(d)), "Save as");
                    EXPECT_EQ(gtk_file_chooser_get_action(GTK_FILE_CHOOSER(d)),
                              GTK_FILE_CHOOSER_ACTION_SAVE);
                    gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(d), "design");
                },
                GTK_RESPONSE_ACCEPT};
    answerWith(save);
    std::string chosen = real().chooseFile(FileDialogMode::Save, folder, "");
    EXPECT_EQ(chosen, folder + "design");

    Answer dxf{[&](GtkWidget* d) {
                   EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(d)), "Save outline as .dxf file");
                   EXPECT_EQ(filterNames(d),
                             (std::vector<std::string>{"DXF Files, (*.dxf)", "All Files, (*.*)"}));
               },
               GTK_RESPONSE_DELETE_EVENT};
    answerWith(dxf);
    EXPECT_EQ(real().chooseFile(FileDialogMode::Export, "", ""), "");
}

// The texts of a combo box's entries and which one is active.
std::vector<std::string> comboTexts(GtkWidget* box) {
    std::vector<std::string> texts;
    GtkTreeModel* model = gtk_combo_box_get_model(GTK_COMBO_BOX(box));
    GtkTreeIter it;
    for (gboolean ok = gtk_tree_model_get_iter_first(model, &it); ok;
         ok = gtk_tree_model_iter_next(model, &it)) {
        gchar* text = nullptr;
        gtk_tree_model_get(model, &it, 0, &text, -1);
        texts.push_back(orEmpty(text));
        g_free(text);
    }
    return texts;
}

GtkWidget* extraChoice(GtkWidget* chooser, const char* name) {
    GtkWidget* extra = gtk_file_chooser_get_extra_widget(GTK_FILE_CHOOSER(chooser));
    return extra ? findWidget(extra, name) : nullptr;
}

TEST_F(RealDialogs, ExportChoosersAskForTheUnitTheMouldAndATemplatesPaperAndRememberThem) {
    const std::string folder = ::testing::TempDir();
    Answer svg{[&](GtkWidget* d) {
                   EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(d)), "Export SVG");
                   EXPECT_EQ(filterNames(d),
                             (std::vector<std::string>{"SVG Files, (*.svg)", "All Files, (*.*)"}));
                   GtkWidget* units = extraChoice(d, "exportUnits");
                   ASSERT_NE(units, nullptr);
                   EXPECT_EQ(comboTexts(units),
                             (std::vector<std::string>{"Design's own", "Inches", "Millimeters",
                                                       "Centimeters"}));
                   EXPECT_EQ(gtk_combo_box_get_active(GTK_COMBO_BOX(units)), 0);
                   EXPECT_EQ(extraChoice(d, "exportPaper"), nullptr);
                   GtkWidget* mould = extraChoice(d, "exportMould");
                   ASSERT_NE(mould, nullptr);
                   EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(mould)), "");
                   gtk_entry_set_text(GTK_ENTRY(mould), "20");
                   gtk_combo_box_set_active(GTK_COMBO_BOX(units), 2);
                   gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(d), "om.svg");
               },
               GTK_RESPONSE_ACCEPT};
    answerWith(svg);
    ExportChoice choice = real().chooseExportFile(exportFormat("SVG")->chooser, folder, "");
    EXPECT_EQ(choice.path, folder + "om.svg");
    EXPECT_EQ(choice.settings.unit, LengthUnit::Millimetre);
    EXPECT_EQ(choice.settings.mould, 20.0);

    Answer pdf{[&](GtkWidget* d) {
                   EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(d)), "Export PDF template");
                   GtkWidget* units = extraChoice(d, "exportUnits");
                   GtkWidget* paper = extraChoice(d, "exportPaper");
                   ASSERT_NE(units, nullptr);
                   ASSERT_NE(paper, nullptr);
                   EXPECT_EQ(gtk_combo_box_get_active(GTK_COMBO_BOX(units)), 2);  // as last time
                   GtkWidget* mould = extraChoice(d, "exportMould");
                   ASSERT_NE(mould, nullptr);
                   EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(mould)), "20");
                   gtk_entry_set_text(GTK_ENTRY(mould), "");
                   EXPECT_EQ(comboTexts(paper), (std::vector<std::string>{"A4", "Letter", "A3",
                                                                          "Tabloid", "Full size"}));
                   gtk_combo_box_set_active(GTK_COMBO_BOX(units), 0);
                   gtk_combo_box_set_active(GTK_COMBO_BOX(paper), 4);
                   gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(d), "om.pdf");
               },
               GTK_RESPONSE_ACCEPT};
    answerWith(pdf);
    choice = real().chooseExportFile(exportFormat("PDF")->chooser, folder, "");
    EXPECT_EQ(choice.settings.unit, std::nullopt);
    EXPECT_TRUE(choice.settings.paper.fullSize());
    EXPECT_EQ(choice.settings.mould, std::nullopt);

    // The CAM DXF's version and flattening, beneath the unit and the mould.
    Answer version{[&](GtkWidget* d) {
                       GtkWidget* dxf = extraChoice(d, "exportDxfVersion");
                       GtkWidget* flatten = extraChoice(d, "exportFlatten");
                       ASSERT_NE(dxf, nullptr);
                       ASSERT_NE(flatten, nullptr);
                       EXPECT_EQ(comboTexts(dxf),
                                 (std::vector<std::string>{"12 (POLYLINE)", "2000 (LWPOLYLINE)"}));
                       EXPECT_EQ(gtk_combo_box_get_active(GTK_COMBO_BOX(dxf)), 0);
                       EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(flatten)), "");
                       gtk_combo_box_set_active(GTK_COMBO_BOX(dxf), 1);
                       gtk_entry_set_text(GTK_ENTRY(flatten), "0.01");
                       gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(d), "om.dxf");
                   },
                   GTK_RESPONSE_ACCEPT};
    answerWith(version);
    choice = real().chooseExportFile(exportFormat("CAM")->chooser, folder, "");
    EXPECT_EQ(choice.settings.dxfVersion, DxfVersion::R2000);
    EXPECT_EQ(choice.settings.flatten, 0.01);

    // Cancelled: no file, whatever the choices say; they are kept.
    Answer cam{
        [&](GtkWidget* d) {
            EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(d)), "Export for CAM");
            EXPECT_EQ(filterNames(d),
                      (std::vector<std::string>{"DXF Files, (*.dxf)", "All Files, (*.*)"}));
            EXPECT_EQ(gtk_combo_box_get_active(GTK_COMBO_BOX(extraChoice(d, "exportDxfVersion"))),
                      1);
            EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(extraChoice(d, "exportFlatten"))), "0.01");
        },
        GTK_RESPONSE_CANCEL};
    answerWith(cam);
    EXPECT_EQ(real().chooseExportFile(exportFormat("CAM")->chooser, folder, "").path, "");
}

// The fret table in a list with a column each, closed by its button.
TEST_F(RealDialogs, ATableIsAListWithItsColumns) {
    Answer table{[&](GtkWidget* d) {
                     EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(d)), "Frets");
                     GtkWidget* view = findWidget(d, "tableView");
                     ASSERT_NE(view, nullptr);
                     GList* columns = gtk_tree_view_get_columns(GTK_TREE_VIEW(view));
                     EXPECT_EQ(g_list_length(columns), 2u);
                     g_list_free(columns);
                     GtkTreeModel* model = gtk_tree_view_get_model(GTK_TREE_VIEW(view));
                     EXPECT_EQ(gtk_tree_model_iter_n_children(model, nullptr), 3);
                 },
                 GTK_RESPONSE_CLOSE};
    answerWith(table);
    real().showTable("Frets", {"fret", "bass"}, {{"0", "0"}, {"1", "1.4314"}, {"saddle", "27"}});
    EXPECT_TRUE(table.seen);
}

}  // namespace
}  // namespace bowlyn::test
