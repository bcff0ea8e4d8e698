#include "app/window_layout.h"

#include <gtk/gtk.h>

#include <algorithm>

#include "app/drawing_area.h"
#include "app/gtk_form.h"
#include "model/output_table.h"

namespace bowlyn {

namespace {

// What moves down with the drawing's lower edge: the status line (which
// widens with the drawing) and the readout beside it. Try it, Ok and Fit stay
// together under the form; the menu bar widens.
constexpr int BELOW_DRAWING[] = {outputs::STATUS, outputs::READOUT};

struct Layout {
    GtkForm* form;
    DrawingArea* area;
    int extraWidth = -1, extraHeight = -1;  // beyond the default size, as last laid out
};

// GtkFixed gives each child its requested size at its place; after it has,
// the drawing and what lies beneath it are given the room beyond. Their
// requests stay as they were, so the window can shrink back.
void allocated(GtkWidget* fixed, GtkAllocation* alloc, gpointer data) {
    Layout& layout = *static_cast<Layout*>(data);
    GtkRequisition req;
    gtk_widget_get_child_requisition(fixed, &req);
    const int extraW = std::max(0, alloc->width - req.width);
    const int extraH = std::max(0, alloc->height - req.height);

    GtkWidget* box = layout.form->widget("eventboxDrawing");
    GtkAllocation a = box->allocation;
    GtkRequisition boxReq;
    gtk_widget_get_child_requisition(box, &boxReq);
    a.width = boxReq.width + extraW;
    a.height = boxReq.height + extraH;
    gtk_widget_size_allocate(box, &a);
    for (int below : BELOW_DRAWING) {
        GtkWidget* w = layout.form->widget(output(below).widget);
        GtkAllocation b = w->allocation;
        b.y += extraH;
        if (below == outputs::STATUS)
            b.width += extraW;
        gtk_widget_size_allocate(w, &b);
    }
    if (GtkWidget* bar = layout.form->widget("menubar")) {
        GtkAllocation b = bar->allocation;
        b.width += extraW;
        gtk_widget_size_allocate(bar, &b);
    }

    if (extraW != layout.extraWidth || extraH != layout.extraHeight) {
        layout.extraWidth = extraW;
        layout.extraHeight = extraH;
        layout.area->resize(a.width, a.height);
        gtk_widget_queue_draw(fixed);
    }
}

void forget(gpointer data, GClosure*) {
    delete static_cast<Layout*>(data);
}

}  // namespace

void followWindowSize(GtkForm& form, DrawingArea& area) {
    GtkWidget* fixed = form.widget("fixedBowlynMainWindow");
    if (!fixed || !form.widget("eventboxDrawing"))
        return;
    // Each layout pass first puts these back at their requested place and size
    // and then moves them: that must not repaint them twice each time a label
    // changes, so the moves alone do not redraw; a real change of size does.
    for (const char* name : {"eventboxDrawing", "drawingImage", output(outputs::STATUS).widget,
                             output(outputs::READOUT).widget}) {
        if (GtkWidget* w = form.widget(name))
            gtk_widget_set_redraw_on_allocate(w, FALSE);
    }
    g_signal_connect_data(fixed, "size-allocate", G_CALLBACK(allocated), new Layout{&form, &area},
                          forget, G_CONNECT_AFTER);
}

}  // namespace bowlyn
