#include "app/template_print.h"

#include <algorithm>

#include "app/app_context.h"
#include "app/design_access.h"
#include "commands/export_commands.h"
#include "paper/pdf_template.h"
#include "paper/template_date.h"
#include "paper/template_page.h"

namespace bowlyn {
namespace {

// One run of the print operation.
struct PrintJob {
    const SolvedDesign* design;
    TemplateSettings settings;
    PrintSession* session;
    PlanResult plan;
    GtkWidget* across = nullptr;
    GtkWidget* down = nullptr;
};

Paper paperOf(GtkPageSetup* setup) {
    GtkPaperSize* size = gtk_page_setup_get_paper_size(setup);
    const double w = gtk_paper_size_get_width(size, GTK_UNIT_MM);
    const double h = gtk_paper_size_get_height(size, GTK_UNIT_MM);
    return {gtk_paper_size_get_display_name(size), std::min(w, h), std::max(w, h)};
}

// The paper is known only now, from the page setup the user chose.
void beginPrint(GtkPrintOperation* op, GtkPrintContext* context, gpointer data) {
    auto* job = static_cast<PrintJob*>(data);
    job->settings.paper = paperOf(gtk_print_context_get_page_setup(context));
    job->settings.scaleAcross = job->session->scaleAcross;
    job->settings.scaleDown = job->session->scaleDown;
    job->plan = planTemplate(*job->design, job->settings);
    if (!job->plan.problem.empty()) {
        gtk_print_operation_cancel(op);
        return;
    }
    gtk_print_operation_set_n_pages(op, static_cast<gint>(job->plan.plan.pages.size()));
}

void requestPageSetup(GtkPrintOperation*, GtkPrintContext*, gint page, GtkPageSetup* setup,
                      gpointer data) {
    const auto* job = static_cast<PrintJob*>(data);
    const bool landscape = job->plan.plan.pages.at(static_cast<size_t>(page)).landscape;
    gtk_page_setup_set_orientation(
        setup, landscape ? GTK_PAGE_ORIENTATION_LANDSCAPE : GTK_PAGE_ORIENTATION_PORTRAIT);
}

void drawPage(GtkPrintOperation*, GtkPrintContext* context, gint page, gpointer data) {
    const auto* job = static_cast<PrintJob*>(data);
    paintTemplatePage(gtk_print_context_get_cairo_context(context), job->plan.plan,
                      static_cast<size_t>(page));
}

GtkWidget* percentButton(GtkTable* table, int row, const char* text, const char* name,
                         double value) {
    GtkWidget* label = gtk_label_new_with_mnemonic(text);
    gtk_misc_set_alignment(GTK_MISC(label), 0.0f, 0.5f);
    GtkWidget* spin = gtk_spin_button_new_with_range(TEMPLATE_SCALE_MIN, TEMPLATE_SCALE_MAX, 0.1);
    gtk_spin_button_set_digits(GTK_SPIN_BUTTON(spin), 2);
    gtk_spin_button_set_value(GTK_SPIN_BUTTON(spin), value);
    gtk_widget_set_name(spin, name);
    gtk_label_set_mnemonic_widget(GTK_LABEL(label), spin);
    gtk_table_attach(table, label, 0, 1, row, row + 1, GTK_FILL, GTK_FILL, 6, 4);
    gtk_table_attach(table, spin, 1, 2, row, row + 1, GTK_FILL, GTK_FILL, 6, 4);
    gtk_table_attach(table, gtk_label_new("%"), 2, 3, row, row + 1, GTK_FILL, GTK_FILL, 0, 4);
    return spin;
}

// The print dialog's tab for a printer that scales although told not to.
GObject* createScaleTab(GtkPrintOperation*, gpointer data) {
    auto* job = static_cast<PrintJob*>(data);
    GtkWidget* box = gtk_vbox_new(FALSE, 6);
    gtk_container_set_border_width(GTK_CONTAINER(box), 12);
    GtkWidget* help = gtk_label_new(
        "Every page has a 100 mm ruler. If a print at 100 % does not measure true, enter "
        "what the ruler measured in millimetres, across the paper (its short side) and down "
        "it, and print again: the pages are then drawn so that the print comes out true.");
    gtk_label_set_line_wrap(GTK_LABEL(help), TRUE);
    gtk_widget_set_size_request(help, 420, -1);
    gtk_misc_set_alignment(GTK_MISC(help), 0.0f, 0.0f);
    gtk_box_pack_start(GTK_BOX(box), help, FALSE, FALSE, 0);
    GtkWidget* table = gtk_table_new(2, 3, FALSE);
    job->across =
        percentButton(GTK_TABLE(table), 0, "Printer scale _across the paper:", "printScaleAcross",
                      job->session->scaleAcross);
    job->down =
        percentButton(GTK_TABLE(table), 1, "Printer scale _down the paper:", "printScaleDown",
                      job->session->scaleDown);
    gtk_box_pack_start(GTK_BOX(box), table, FALSE, FALSE, 0);
    gtk_widget_show_all(box);
    return G_OBJECT(box);
}

void applyScaleTab(GtkPrintOperation*, GtkWidget*, gpointer data) {
    auto* job = static_cast<PrintJob*>(data);
    job->session->scaleAcross = gtk_spin_button_get_value(GTK_SPIN_BUTTON(job->across));
    job->session->scaleDown = gtk_spin_button_get_value(GTK_SPIN_BUTTON(job->down));
}

}  // namespace

PrintSession::PrintSession() : pageSetup_(gtk_page_setup_new()) {}

PrintSession::~PrintSession() {
    if (settings_)
        g_object_unref(settings_);
    g_object_unref(pageSetup_);
}

void PrintSession::keepSettings(GtkPrintSettings* settings) {
    if (settings)
        g_object_ref(settings);
    if (settings_)
        g_object_unref(settings_);
    settings_ = settings;
}

void PrintSession::keepPageSetup(GtkPageSetup* setup) {
    if (!setup)
        return;
    g_object_ref(setup);
    g_object_unref(pageSetup_);
    pageSetup_ = setup;
}

void PrintSession::setPaper(const char* name) {
    GtkPaperSize* size = gtk_paper_size_new(name);
    gtk_page_setup_set_paper_size_and_default_margins(pageSetup_, size);
    gtk_paper_size_free(size);
}

PrintOutcome printTemplate(GtkWindow* parent, const SolvedDesign& design,
                           const TemplateSettings& settings, PrintSession& session,
                           GtkPrintOperationAction action, const std::string& exportFile) {
    PrintJob job{&design, settings, &session, {}};
    GtkPrintOperation* op = gtk_print_operation_new();
    if (session.settings())
        gtk_print_operation_set_print_settings(op, session.settings());
    gtk_print_operation_set_default_page_setup(op, session.pageSetup());
    // The template measures its pages from the paper's corner, in points.
    gtk_print_operation_set_use_full_page(op, TRUE);
    gtk_print_operation_set_unit(op, GTK_UNIT_POINTS);
    gtk_print_operation_set_job_name(
        op, settings.title.empty() ? "Full-size template" : settings.title.c_str());
    gtk_print_operation_set_custom_tab_label(op, "Printer scale");
    if (!exportFile.empty())
        gtk_print_operation_set_export_filename(op, exportFile.c_str());
    g_signal_connect(op, "begin-print", G_CALLBACK(beginPrint), &job);
    g_signal_connect(op, "request-page-setup", G_CALLBACK(requestPageSetup), &job);
    g_signal_connect(op, "draw-page", G_CALLBACK(drawPage), &job);
    g_signal_connect(op, "create-custom-widget", G_CALLBACK(createScaleTab), &job);
    g_signal_connect(op, "custom-widget-apply", G_CALLBACK(applyScaleTab), &job);

    PrintOutcome outcome;
    GError* error = nullptr;
    outcome.result = gtk_print_operation_run(op, action, parent, &error);
    if (outcome.result == GTK_PRINT_OPERATION_RESULT_APPLY) {
        // The paper chosen in the dialog becomes the next print's.
        session.keepSettings(gtk_print_operation_get_print_settings(op));
        session.keepPageSetup(gtk_print_operation_get_default_page_setup(op));
    }
    if (error) {
        outcome.problem = std::string("The template could not be printed: ") + error->message;
        g_error_free(error);
    } else if (!job.plan.problem.empty()) {
        outcome.problem = job.plan.problem;
    } else if (!job.plan.plan.pages.empty()) {
        const std::string summary = templateSummary(job.plan.plan);
        outcome.pages = summary.substr(0, summary.find(" ("));
    }
    g_object_unref(op);
    return outcome;
}

bool printOpenDesign(GtkPrintOperationAction action, const std::string& exportFile) {
    Session* session = sessionToRead();
    if (!session || !app().dialogs)
        return false;
    UserAction print;  // may draw the design first
    const std::optional<SolvedDesign> design = upToDateDesign(*session);
    if (!design) {
        // What is printed is the paper template.
        app().dialogs->showError(outlineIncompleteMessage(".pdf"));
        return false;
    }
    if (!app().printing)
        app().printing = std::make_unique<PrintSession>();
    TemplateSettings settings;
    settings.title = designTitle(session->design);
    settings.date = templateDateNow().day;
    GtkWindow* parent = app().mainWindow ? GTK_WINDOW(app().mainWindow) : nullptr;
    const PrintOutcome outcome =
        printTemplate(parent, *design, settings, *app().printing, action, exportFile);
    if (!outcome.problem.empty())
        app().dialogs->showError(outcome.problem);
    const bool printed =
        outcome.result == GTK_PRINT_OPERATION_RESULT_APPLY && outcome.problem.empty();
    if (printed && !outcome.pages.empty())
        session->showStatus("Printed " + outcome.pages);
    return printed;
}

}  // namespace bowlyn
