// The drawing as a place to work: its pixels, a growing window, the wheel, a
// drag, the keys, the pointer readout, undo and redo, the marked entry and
// keyboard stepping, all through the real widgets and events.

#include <gdk/gdkkeysyms.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "app/drawing_area.h"
#include "gui_support.h"
#include "render/drawing_view.h"

namespace bowlyn::test {
namespace {

class DrawingWindow : public GuiTest {
  protected:
    GtkWidget* box() { return form().widget("eventboxDrawing"); }
    DrawingArea& area() { return *app().drawing; }

    // Where the pass's fitted view puts a model point in the default area.
    void fittedPixel(double x, double y, double& px, double& py) {
        PaintView::image(session().fittedView()).toDevice(x, y, px, py);
    }

    void send(GdkEvent* event) {
        event->any.window = GDK_WINDOW(g_object_ref(app().mainWindow->window));
        gtk_widget_event(box(), event);
        gdk_event_free(event);
        pump();
    }
    void wheel(double x, double y, GdkScrollDirection direction) {
        GdkEvent* e = gdk_event_new(GDK_SCROLL);
        e->scroll.x = x;
        e->scroll.y = y;
        e->scroll.direction = direction;
        send(e);
    }
    void pointerAt(double x, double y, bool dragging = false) {
        GdkEvent* e = gdk_event_new(GDK_MOTION_NOTIFY);
        e->motion.x = x;
        e->motion.y = y;
        e->motion.state = dragging ? GDK_BUTTON1_MASK : 0;
        send(e);
    }
    void button(GdkEventType type, double x, double y) {
        GdkEvent* e = gdk_event_new(type);
        e->button.x = x;
        e->button.y = y;
        e->button.button = 1;
        send(e);
    }
    void key(GtkWidget* w, guint keyval, int mods = 0) {
        gtk_test_widget_send_key(w, keyval, GdkModifierType(mods));
        pump();
    }
    void resizeBy(int dw, int dh) {
        GtkRequisition req;
        gtk_widget_size_request(app().mainWindow, &req);
        gtk_window_resize(GTK_WINDOW(app().mainWindow), req.width + dw, req.height + dh);
        const int want = 660 + dh;
        runLoopUntil([&] { return form().widget("drawingImage")->allocation.height == want; }, 5.0);
        pump();
    }
    std::string title() { return gtk_window_get_title(GTK_WINDOW(app().mainWindow)); }
};

// The 660 image's pixels as RGB rows, to compare with the screen.
Pixels surfacePixels(const DrawingSurface& s) {
    Pixels out;
    out.width = s.width();
    out.height = s.height();
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            uint32_t p;
            std::memcpy(&p, s.data() + y * s.stride() + 4 * x, 4);
            out.rgb.push_back((p >> 16) & 0xff);
            out.rgb.push_back((p >> 8) & 0xff);
            out.rgb.push_back(p & 0xff);
        }
    }
    return out;
}

TEST_F(DrawingWindow, AtTheDefaultSizeTheScreenShowsThe660ImageItself) {
    activate("menuInitializeOM");
    click("buttonTryIt");
    const Pixels shown = shownDrawing();
    ASSERT_EQ(shown.width, 660);
    EXPECT_TRUE(shown == surfacePixels(app().drawing->surface()));
    click("buttonLBWidthInc");
    EXPECT_TRUE(shownDrawing() == surfacePixels(app().drawing->surface()));
}

TEST_F(DrawingWindow, AGrowingWindowGrowsTheDrawingAndShrinksBackToTheImage) {
    activate("menuInitializeOM");
    click("buttonTryIt");
    const int outline = countShownPixels(isOutlinePixel);
    const GtkAllocation status = form().widget("labelStatusText")->allocation;
    const GtkAllocation readout = form().widget("labelCursorPosition")->allocation;
    const GtkAllocation fit = form().widget("buttonFit")->allocation;

    resizeBy(240, 180);
    const GtkAllocation& a = form().widget("drawingImage")->allocation;
    EXPECT_EQ(a.width, 900);
    EXPECT_EQ(a.height, 840);
    // The status line and the readout under the drawing, Fit beside Ok.
    EXPECT_EQ(form().widget("labelStatusText")->allocation.y, status.y + 180);
    EXPECT_EQ(form().widget("labelStatusText")->allocation.width, status.width + 240);
    EXPECT_EQ(form().widget("labelCursorPosition")->allocation.y, readout.y + 180);
    EXPECT_EQ(form().widget("buttonFit")->allocation.y, fit.y);
    EXPECT_EQ(widget("buttonOk")->allocation.y, fit.y);
    const Pixels big = shownDrawing();
    EXPECT_EQ(big.width, 900);
    // Lines keep their width, so ink grows with the length of the lines.
    EXPECT_GT(countShownPixels(isOutlinePixel), outline * 840 / 660 * 9 / 10);
    // The 660 picture scaled by 840/660 and centred across: the tail end on
    // the centre line is where that puts it.
    double tx, ty, x, y;
    fittedPixel(0, 0, tx, ty);
    ASSERT_TRUE(area().view().toModel(30 + tx * 840 / 660, ty * 840 / 660, x, y));
    EXPECT_NEAR(x, 0.0, 1e-4);
    EXPECT_NEAR(y, 0.0, 1e-4);

    resizeBy(0, 0);
    EXPECT_EQ(form().widget("drawingImage")->allocation.width, 660);
    EXPECT_TRUE(shownDrawing() == surfacePixels(app().drawing->surface()));
}

// The tail end on the centre line stays under the pointer while the wheel
// zooms (the readout names the tail arc there); nothing is recomputed and
// the design stays unchanged.
TEST_F(DrawingWindow, TheWheelZoomsAboutThePointerWithoutAPass) {
    activate("menuInitializeOM");
    click("buttonTryIt");
    const Pixels fitted = shownDrawing();
    const std::string status = text("labelStatusText");
    const std::string titleBefore = title();
    const size_t entities = session().pass()->strokes.size();
    double tx, ty;
    fittedPixel(0, 0, tx, ty);
    const auto tailEndUnderThePointer = [&] {
        double x, y;
        ASSERT_TRUE(area().view().toModel(tx, ty, x, y));
        EXPECT_NEAR(x, 0.0, 1e-6);
        EXPECT_NEAR(y, 0.0, 1e-6);
        EXPECT_EQ(text("labelCursorPosition").rfind("tail arc\n", 0), 0u);
    };
    for (int i = 0; i < 6; ++i)
        wheel(tx, ty, GDK_SCROLL_UP);
    EXPECT_GT(area().view().zoom(), 3.5);
    tailEndUnderThePointer();
    EXPECT_TRUE(shownDrawing() != fitted);
    EXPECT_EQ(text("labelStatusText"), status);
    EXPECT_EQ(title(), titleBefore);
    EXPECT_EQ(session().pass()->strokes.size(), entities);

    // A stepper click while zoomed keeps the view and shows the new pass.
    const Pixels zoomed = shownDrawing();
    const double scale = area().view().paintView().scale;
    click("buttonLBWidthInc");
    EXPECT_EQ(area().view().paintView().scale, scale);
    EXPECT_TRUE(shownDrawing() != zoomed);

    for (int i = 0; i < 40; ++i)
        wheel(tx, ty, GDK_SCROLL_UP);
    EXPECT_NEAR(area().view().zoom(), DrawingView::MAX_ZOOM, 1e-9);
    tailEndUnderThePointer();
    // The picture is painted afresh at 50x: the outline's lines stay thin.
    const int ink = countShownPixels(isOutlinePixel);
    EXPECT_GT(ink, 0);
    EXPECT_LT(ink, 660 * 30);
}

// Rows of the drawing, frame excluded, with any pixel that is not white.
int inkedRowsFrom(const Pixels& p, int first, int last) {
    int rows = 0;
    for (int y = first; y <= last; ++y) {
        for (int x = 2; x < p.width - 2; ++x) {
            const unsigned char* c = p.at(x, y);
            if (c[0] != 255 || c[1] != 255 || c[2] != 255) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

// The fitted view cuts the neck off at the top edge; zooming out brings the
// whole instrument into view, headstock end included.
TEST_F(DrawingWindow, ZoomingOutShowsTheWholeNeck) {
    activate("menuInitializeOM");
    click("buttonTryIt");
    ASSERT_GT(inkedRowsFrom(shownDrawing(), 2, 12), 0);
    for (int i = 0; i < 4; ++i)
        wheel(330, 330, GDK_SCROLL_DOWN);
    EXPECT_NEAR(area().view().zoom(), 1 / (1.25 * 1.25 * 1.25 * 1.25), 1e-9);
    const Pixels out = shownDrawing();
    EXPECT_EQ(inkedRowsFrom(out, 2, 12), 0);
    EXPECT_GT(inkedRowsFrom(out, 13, 657), 300);
}

// 0 and Fit show the whole drawing, neck and nut included, whatever the
// zoom and pan were; + and - zoom while the drawing has the focus.
TEST_F(DrawingWindow, KeysFitButtonAndDragMoveTheView) {
    activate("menuInitializeOM");
    click("buttonTryIt");
    gtk_widget_grab_focus(box());
    key(box(), GDK_plus);
    key(box(), GDK_plus);
    EXPECT_NEAR(area().view().zoom(), 1.25 * 1.25, 1e-9);
    key(box(), GDK_minus);
    EXPECT_NEAR(area().view().zoom(), 1.25, 1e-9);
    key(box(), GDK_0);
    const Pixels whole = shownDrawing();
    EXPECT_LT(area().view().zoom(), 1.0);  // the neck reaches beyond the 660 picture
    // The design from the tail to beyond the nut, with the fitted view's
    // margin of 20 pixels above (the centre line runs on below the tail).
    EXPECT_EQ(inkedRowsFrom(whole, 2, 12), 0);
    EXPECT_GT(inkedRowsFrom(whole, 13, 60), 0);

    // A drag by (40, -25) moves the picture with the pointer.
    double mx, my;
    ASSERT_TRUE(area().view().toModel(300, 300, mx, my));
    button(GDK_BUTTON_PRESS, 300, 300);
    pointerAt(320, 290, true);
    pointerAt(340, 275, true);
    button(GDK_BUTTON_RELEASE, 340, 275);
    pointerAt(400, 200);  // no longer dragging
    double x, y;
    ASSERT_TRUE(area().view().toModel(340, 275, x, y));
    EXPECT_NEAR(x, mx, 1e-9);
    EXPECT_NEAR(y, my, 1e-9);
    EXPECT_TRUE(shownDrawing() != whole);

    click("buttonFit");
    gtk_widget_grab_focus(box());
    EXPECT_TRUE(shownDrawing() == whole);
}

// The wheel gives the drawing the keyboard focus, and a frame shows it: the
// keys for the view never reach the entry typed in last.
TEST_F(DrawingWindow, TheWheelTakesTheKeysFromTheEntry) {
    activate("menuInitializeOM");
    click("buttonTryIt");
    focus("entryLBWidth");
    const Pixels unfocused = shownDrawing();
    wheel(330, 330, GDK_SCROLL_UP);
    EXPECT_TRUE(gtk_widget_has_focus(box()));
    key(widget("entryLBWidth"), GDK_0);  // to whatever has the focus
    EXPECT_EQ(text("entryLBWidth"), "15");
    EXPECT_LT(area().view().zoom(), 1.0);  // the whole drawing
    const Pixels framed = shownDrawing();
    for (int edge : {0, 1, 658, 659})
        EXPECT_NE(std::memcmp(framed.at(edge, 330), unfocused.at(edge, 330), 3), 0) << edge;
}

// A view zoomed into one design does not carry over to the next: a preset,
// Clear, Open and undoing a load show the new design fitted.
TEST_F(DrawingWindow, AnotherDesignIsShownFitted) {
    activate("menuInitializeOM");
    click("buttonTryIt");
    for (int i = 0; i < 8; ++i)
        wheel(330, 160, GDK_SCROLL_UP);
    ASSERT_FALSE(area().view().fitted());
    dialogs.saveChoices = {SaveChoice::Discard};
    activate("menuInitializeClassical");
    EXPECT_TRUE(area().view().fitted());
    click("buttonTryIt");
    EXPECT_GT(countShownPixels(isOutlinePixel), 2000);
    for (int i = 0; i < 8; ++i)
        wheel(330, 160, GDK_SCROLL_UP);
    activate("menuUndo");
    EXPECT_TRUE(area().view().fitted());
    EXPECT_EQ(text("entryDescription"), "OM");
    EXPECT_GT(countShownPixels(isOutlinePixel), 2000);  // the OM drawn again
}

TEST_F(DrawingWindow, TheReadoutFollowsThePointerInDesignUnits) {
    EXPECT_EQ(text("labelCursorPosition"), " ");  // nothing fitted yet
    activate("menuInitializeOM");
    click("buttonTryIt");
    // Half way out to the lower bout's widest point, inside the body.
    const DesignParameters& p = design().params;
    double px, py;
    fittedPixel(p.lowerBoutHalfWidth / 2, 5.0, px, py);
    pointerAt(px, py);
    double x, y;
    ASSERT_TRUE(area().view().toModel(px, py, x, y));
    EXPECT_EQ(text("labelCursorPosition"), pointerText(x, y, "in"));
    EXPECT_NEAR(x, p.lowerBoutHalfWidth / 2, 1.0 / session().fittedView().scaleX);
    EXPECT_NEAR(y, 5.0, 1.0 / session().fittedView().scaleX);
    EXPECT_EQ(text("labelStatusText"), "Status: OK");  // the status keeps its message

    // Over the outline the readout names the piece under the pointer.
    double wx, wy;
    fittedPixel(-p.waistHalfWidth, p.waistOffset, wx, wy);
    pointerAt(wx + 1, wy);
    EXPECT_EQ(text("labelCursorPosition"), "waist arc\nR 2.36 at -7.05, 12.68 in");

    // Panned far away, x and y take a line each rather than run on past the
    // label's width under the status line.
    area().panBy(-1e7, 1e7);
    pointerAt(px, py);
    ASSERT_TRUE(area().view().toModel(px, py, x, y));
    std::string far = pointerText(x, y, "in");
    EXPECT_EQ(text("labelCursorPosition"), far.replace(far.find("  "), 2, "\n"));

    GdkEvent* leave = gdk_event_new(GDK_LEAVE_NOTIFY);
    send(leave);
    EXPECT_EQ(text("labelCursorPosition"), " ");
}

// M and two clicks near the lower bout's widest points measure its width;
// the ruler lies over the screen only, never in the drawing, follows a
// conversion of the design and goes with Escape.
TEST_F(DrawingWindow, TheRulerMeasuresBetweenPointsOfTheOutlineOnTheScreenOnly) {
    activate("menuInitializeOM");
    click("buttonTryIt");
    const Pixels image = surfacePixels(app().drawing->surface());
    gtk_widget_grab_focus(box());
    key(box(), GDK_m);
    const Pixels before = shownDrawing();
    const double y = session().pass()->outline.outline.lowerBoutArc.cy;
    double lx, ly, rx, ry;
    fittedPixel(-7.45, y + 0.04, lx, ly);
    fittedPixel(7.46, y - 0.03, rx, ry);
    button(GDK_BUTTON_PRESS, lx, ly);
    button(GDK_BUTTON_RELEASE, lx, ly);
    pointerAt(rx, ry);
    button(GDK_BUTTON_PRESS, rx, ry);
    button(GDK_BUTTON_RELEASE, rx, ry);
    EXPECT_EQ(area().rulerText(), "15.000 in  381.0 mm  0.0\u00b0");
    EXPECT_TRUE(area().view().fitted());  // the clicks did not pan
    EXPECT_TRUE(shownDrawing() != before);
    EXPECT_TRUE(surfacePixels(app().drawing->surface()) == image);

    activate("menuConvertToCentimetres");
    EXPECT_EQ(text("entryLBWidth"), "38.1");
    EXPECT_EQ(area().rulerText(), "38.10 cm  381.0 mm  0.0\u00b0");
    EXPECT_FALSE(gtk_widget_get_sensitive(form().widget("menuConvertToCentimetres")));
    activate("menuUndo");
    EXPECT_EQ(area().rulerText(), "15.000 in  381.0 mm  0.0\u00b0");
    key(box(), GDK_Escape);
    EXPECT_EQ(area().rulerText(), "");
    EXPECT_TRUE(shownDrawing() == before);
}

TEST_F(DrawingWindow, UndoAndRedoAStepperASwitchAndALoad) {
    // The accelerators as a key pressed in an entry of the window reaches them.
    GtkWidget* window = widget("entryLength");
    activate("menuInitializeOM");
    EXPECT_TRUE(gtk_widget_get_sensitive(widget("menuUndo")));  // the load itself
    click("buttonTryIt");
    const Pixels drawn = shownDrawing();
    click("buttonLBWidthInc");
    EXPECT_EQ(text("entryLBWidth"), "15.25");
    EXPECT_FALSE(gtk_widget_get_sensitive(widget("menuRedo")));

    key(window, GDK_z, GDK_CONTROL_MASK);
    EXPECT_EQ(text("entryLBWidth"), "15");
    EXPECT_EQ(design().params.lowerBoutHalfWidth, 7.5f);
    EXPECT_TRUE(shownDrawing() == drawn);  // redrawn as it was
    EXPECT_TRUE(gtk_widget_get_sensitive(widget("menuRedo")));
    key(window, GDK_z, GDK_CONTROL_MASK | GDK_SHIFT_MASK);
    EXPECT_EQ(text("entryLBWidth"), "15.25");
    key(window, GDK_z, GDK_CONTROL_MASK);
    key(window, GDK_y, GDK_CONTROL_MASK);
    EXPECT_EQ(text("entryLBWidth"), "15.25");

    // A switch is one step, with what it shows.
    click("checkbuttonCutawayHasCutaway");
    const bool cut = form().active("checkbuttonCutawayHasCutaway");
    activate("menuUndo");
    EXPECT_NE(form().active("checkbuttonCutawayHasCutaway"), cut);
    EXPECT_EQ(design().params.hasCutaway, !cut);
    EXPECT_EQ(text("entryLBWidth"), "15.25");

    // A load is one step; undoing it brings back the stepped OM.
    dialogs.saveChoices = {SaveChoice::Discard};
    activate("menuInitializeClassical");
    EXPECT_NE(text("entryDescription"), "OM");
    activate("menuUndo");
    EXPECT_EQ(text("entryDescription"), "OM");
    EXPECT_EQ(text("entryLBWidth"), "15.25");
    EXPECT_EQ(form().unitsIndex(), 0);
}

// GTK reports a click on a radio button as two clicks (its partner's first):
// one step all the same, and the form shows what the design stores.
TEST_F(DrawingWindow, ARadioClickIsOneStep) {
    activate("menuInitializeSteelString");
    click("buttonTryIt");
    const std::string saved = title();
    for (const char* pair : {"radiobuttonCutawayFlorentine", "radiobuttonCutawayWidthAtFret"}) {
        const std::string radio = form().active(pair) ? controlNamed(pair)->partner : pair;
        const Control& chosen = *controlNamed(radio);
        const int before = static_cast<int>(fieldValue(design().params, chosen.field));
        click(radio);
        EXPECT_EQ(fieldValue(design().params, chosen.field), 1 - before) << radio;
        EXPECT_NE(title(), saved);
        activate("menuUndo");
        EXPECT_EQ(fieldValue(design().params, chosen.field), before) << radio;
        EXPECT_FALSE(form().active(radio)) << radio;
        EXPECT_TRUE(form().active(chosen.partner)) << radio;
        EXPECT_EQ(title(), saved) << radio;
    }
    activate("menuUndo");  // nothing before the load's own step but the start
    EXPECT_EQ(text("entryDescription"), " ");
}

TEST_F(DrawingWindow, UndoAfterSavingMarksTheDesignChanged) {
    activate("menuInitializeOM");
    click("buttonLBWidthInc");
    char path[] = "/tmp/bowlyn-undo-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    dialogs.files = {path};
    activate("menuSaveAs");
    EXPECT_EQ(title().find('*'), std::string::npos) << title();
    activate("menuUndo");
    EXPECT_NE(title().find('*'), std::string::npos) << title();
    activate("menuRedo");
    EXPECT_EQ(title().find('*'), std::string::npos) << title();
    std::remove(path);
}

bool hasMark(GtkWidget* entry) {
    GtkRcStyle* rc = gtk_widget_get_modifier_style(entry);
    return (rc->color_flags[GTK_STATE_NORMAL] & GTK_RC_BASE) != 0;
}

TEST_F(DrawingWindow, AProblemMarksItsEntryAndShowsItsPage) {
    activate("menuInitializeOM");
    type("entryWaistWidth", "0");
    showPageOf(widget("checkbuttonStringsHasStrings"));  // another tab in front
    const int other = form().notebookPage();
    click("buttonTryIt");
    ASSERT_NE(text("labelStatusText"), "Status: OK");
    EXPECT_TRUE(hasMark(widget("entryWaistWidth")));
    EXPECT_FALSE(hasMark(widget("entryLBWidth")));
    EXPECT_NE(form().notebookPage(), other);
    GtkWidget* page =
        gtk_notebook_get_nth_page(GTK_NOTEBOOK(form().widget("notebook")), form().notebookPage());
    EXPECT_TRUE(gtk_widget_is_ancestor(widget("entryWaistWidth"), page));

    type("entryWaistWidth", "9.6");
    click("buttonTryIt");
    EXPECT_EQ(text("labelStatusText"), "Status: OK");
    EXPECT_FALSE(hasMark(widget("entryWaistWidth")));
}

TEST_F(DrawingWindow, UpAndDownStepAnEntryAndTabSkipsTheSteppers) {
    activate("menuInitializeOM");
    focus("entryLBWidth");
    key(widget("entryLBWidth"), GDK_Up);
    EXPECT_EQ(text("entryLBWidth"), "15.25");
    EXPECT_EQ(design().params.lowerBoutHalfWidth, 7.625f);
    EXPECT_GT(countShownPixels(isOutlinePixel), 1000);  // drawn, as a stepper click
    key(widget("entryLBWidth"), GDK_Down);
    key(widget("entryLBWidth"), GDK_Down);
    EXPECT_EQ(text("entryLBWidth"), "14.75");
    // An entry without steppers keeps Up and Down to itself.
    focus("entryDescription");
    key(widget("entryDescription"), GDK_Up);
    EXPECT_EQ(text("entryDescription"), "OM");

    EXPECT_FALSE(gtk_widget_get_can_focus(widget("buttonLBWidthInc")));
    EXPECT_FALSE(gtk_widget_get_can_focus(widget("buttonLBWidthDec")));
    focus("entryLBWidth");
    gtk_widget_child_focus(app().mainWindow, GTK_DIR_TAB_FORWARD);
    pump();
    GtkWidget* next = gtk_window_get_focus(GTK_WINDOW(app().mainWindow));
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(GTK_IS_ENTRY(next)) << gtk_widget_get_name(next);
}

}  // namespace
}  // namespace bowlyn::test
