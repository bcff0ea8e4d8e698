#!/usr/bin/env python3
"""Writes Bowlyn's main window description (libglade 2 format) and its GTK
resource file.

The window is long and regular: some seventy entries, twenty-one stepper
pairs and taper controls repeated on two tabs. The fields' controls, their
captions, unit captions, steppers and sections come from the field table
(model/fields.def), the labels the program writes from the table of outputs
(model/outputs.def) and the Initialize menu from model/presets.def, the very
tables the program's handlers and labels are made from; this file only lays
them out.

Usage: gen_glade.py OUTPUT_DIR
"""

import os
import sys
from xml.sax.saxutils import escape, quoteattr

sys.dont_write_bytecode = True  # the build must not write into the source tree
import field_table  # noqa: E402

TABLE = field_table.FieldTable()
OUTPUTS = field_table.outputs()


def output_of(kind):
    """The widget name of the only output of `kind`."""
    (widget,) = [o.widget for o in OUTPUTS if o.kind == kind]
    return widget


# --------------------------------------------------------------------------
# A small widget tree and its XML form.


class Widget:
    def __init__(self, cls, wid, **props):
        self.cls = cls
        self.id = wid
        self.props = [("visible", "True")]
        for name, value in props.items():
            self.set(name, value)
        self.signals = []
        self.accels = []
        self.children = []  # (widget, packing dict, internal-child name)

    def set(self, name, value):
        if isinstance(value, bool):
            value = "True" if value else "False"
        self.props = [(n, v) for n, v in self.props if n != name]
        self.props.append((name, str(value)))
        return self

    def on(self, signal, handler):
        self.signals.append((signal, handler))
        return self

    def accel(self, key, modifiers):
        self.accels.append((key, modifiers))
        return self

    def add(self, child, **packing):
        self.children.append((child, packing))
        return child

    def xml(self, out, depth):
        pad = "  " * depth
        out.append(f'{pad}<widget class="{self.cls}" id={quoteattr(self.id)}>')
        for name, value in self.props:
            out.append(f'{pad}  <property name="{name}">{escape(value)}</property>')
        for signal, handler in self.signals:
            out.append(f'{pad}  <signal name="{signal}" handler="{handler}"/>')
        for key, modifiers in self.accels:
            out.append(
                f'{pad}  <accelerator key="{key}" modifiers="{modifiers}" signal="activate"/>'
            )
        for child, packing in self.children:
            out.append(f"{pad}  <child>")
            child.xml(out, depth + 2)
            if packing:
                out.append(f"{pad}    <packing>")
                for name, value in packing.items():
                    out.append(f'{pad}      <property name="{name}">{escape(str(value))}</property>')
                out.append(f"{pad}    </packing>")
            out.append(f"{pad}  </child>")
        out.append(f"{pad}</widget>")


# --------------------------------------------------------------------------
# Form geometry, in pixels. The window must fit a 1024x768 screen with a
# window frame around it, its 660x660 drawing included: a narrow form column
# on the left, the drawing on the right, the status line beneath it.

ROW = 26  # row pitch of an entry inside a tab
VALUE_ROW = 20  # row pitch of a line of derived values
ENTRY_H = 24
LABEL_X = 8  # field captions
ENTRY_X = 150  # entries
ENTRY_W = 70
DEC_X = ENTRY_X + ENTRY_W + 4
INC_X = DEC_X + 26
STEP_W = 24
NOTE_X = INC_X + STEP_W + 6  # unit notes
TAB_W = 332
TAB_H = 548
VALUE_COLUMNS = (LABEL_X + 10, LABEL_X + 160)  # captions of derived values

# Where each widget of a tab sits inside its page: (x, y, width, height).
PLACED = {}

# The table's sections placed so far; the rest of a tab's sections follow it.
PLACED_SECTIONS = set()


def label(wid, text, width=None, markup=False, xalign=0.0, height=ENTRY_H):
    w = Widget("GtkLabel", wid, label=text, xalign=xalign, yalign=0.5)
    if markup:
        w.set("use_markup", True)
    if width:
        w.set("width_request", width)
    w.set("height_request", height)
    return w


class Tab:
    """Places rows of controls in a GtkFixed from top to bottom."""

    counter = 0

    def __init__(self, fixed, top=6, origin=(0, 0)):
        self.fixed = fixed
        self.y = top
        self.origin = origin  # of this container inside the page

    @staticmethod
    def auto_id(prefix):
        Tab.counter += 1
        return f"{prefix}{Tab.counter}"

    def put(self, widget, x, y=None):
        y = self.y if y is None else y
        self.fixed.add(widget, x=x, y=y)
        props = dict(widget.props)
        PLACED[widget.id] = (self.origin[0] + x, self.origin[1] + y,
                             int(props.get("width_request", 0)),
                             int(props.get("height_request", 0)))
        return widget

    def skip(self, rows=1.0):
        self.y += int(ROW * rows)

    def heading(self, text):
        self.y += 4
        self.put(label(Tab.auto_id("labelHeading"), f"<b>{escape(text)}</b>", markup=True,
                       height=20), 2)
        self.y += 22

    def entry(self, control):
        """One entry of the field table: caption, entry, its stepper pair if
        it has one, and its unit caption to the right."""
        wid = control.widget
        self.put(label(Tab.auto_id("labelCaption"), control.caption,
                       width=ENTRY_X - LABEL_X - 4), LABEL_X)
        e = Widget("GtkEntry", wid, can_focus=True, width_request=ENTRY_W,
                   height_request=ENTRY_H, text="")
        e.on("focus_out_event", f"{wid}_focus_out_event_cb")
        self.put(e, ENTRY_X)
        if control.stepper:
            for name, text, x in (("Dec", "-", DEC_X), ("Inc", "+", INC_X)):
                # Tab goes from entry to entry; Up and Down in the entry step.
                button = Widget("GtkButton", f"button{control.stepper}{name}", label=text,
                                can_focus=False, width_request=STEP_W, height_request=ENTRY_H,
                                tooltip_text="Step down and redraw" if name == "Dec"
                                else "Step up and redraw")
                button.on("clicked", f"button{control.stepper}{name}_clicked_cb")
                self.put(button, x)
        if control.unit == "DESIGN_UNIT":
            # The design's unit: the program writes "in" or "cm" into it.
            self.put(label("labelUnit" + wid[len("entry"):], "in"), NOTE_X)
        elif control.unit:
            self.put(label(Tab.auto_id("labelNote"), control.unit), NOTE_X)
        self.skip()
        return e

    def section(self, ident):
        """A section of the field table: its heading, its entries by row and
        the derived values shown beneath it."""
        PLACED_SECTIONS.add(ident)
        heading = TABLE.section(ident).heading
        if heading:
            self.heading(heading)
        for control in TABLE.in_section(ident):
            self.entry(control)
        for line in values_after(ident):
            self.values(*line)
        if ident in NOTE_AFTER:
            self.note(*NOTE_AFTER[ident])

    def rest_of(self, tab):
        """The sections of `tab` that the layout has not placed, in the
        table's order."""
        for s in TABLE.sections:
            if s.tab == tab and s.id not in PLACED_SECTIONS:
                self.section(s.id)

    def values(self, *pairs):
        """A line of derived values beneath their section: (caption, label
        id, width) pairs in two columns, so that values line up."""
        for (caption, wid, width), x, caption_w in zip(pairs, VALUE_COLUMNS, (84, 48)):
            self.put(label(Tab.auto_id("labelCaption"), caption, width=caption_w - 4,
                           height=VALUE_ROW), x)
            v = label(wid, " ", width=width, height=VALUE_ROW)
            v.set("selectable", True)
            self.put(v, x + caption_w)
        self.y += VALUE_ROW

    def note(self, wid, lines):
        """A paragraph across the tab that the program writes, wrapped."""
        n = label(wid, " ", width=TAB_W - 2 * LABEL_X, height=lines * 15)
        n.set("wrap", True)
        n.set("yalign", 0.0)
        self.put(n, LABEL_X)
        self.y += lines * 15 + 4

    def check(self, wid):
        b = Widget("GtkCheckButton", wid, label=TABLE.control(wid).caption, can_focus=True,
                   draw_indicator=True, active=False, height_request=ENTRY_H)
        b.on("toggled", f"{wid}_toggled_cb")
        self.put(b, 2)
        self.skip()
        return b

    def radios(self, first, x2=162):
        """A pair of radio buttons of the field table, `first` its value 0."""
        buttons = TABLE.control(first).field.controls
        pair = buttons[buttons.index(TABLE.control(first)):][:2]
        second = pair[1].widget
        a = Widget("GtkRadioButton", first, label=pair[0].caption, can_focus=True,
                   draw_indicator=True, active=True, height_request=ENTRY_H)
        a.on("clicked", f"{first}_clicked_cb")
        b = Widget("GtkRadioButton", second, label=pair[1].caption, can_focus=True,
                   draw_indicator=True, group=first, height_request=ENTRY_H)
        b.on("clicked", f"{second}_clicked_cb")
        self.put(a, LABEL_X)
        self.put(b, x2)
        self.skip()

    def container(self, wid, height, y=None):
        """A nested GtkFixed (a group that is hidden or made insensitive as a
        whole) spanning the full tab width; returns a Tab that fills it."""
        f = Widget("GtkFixed", wid, width_request=TAB_W - 4, height_request=height)
        self.put(f, 0, y)
        y = self.y if y is None else y
        return Tab(f, top=0, origin=(self.origin[0], self.origin[1] + y))


def fixed(wid):
    return Widget("GtkFixed", wid, width_request=TAB_W, height_request=TAB_H)


# --------------------------------------------------------------------------
# The tabs.

def values_after(section):
    """The lines of values beneath a section: (caption, label id, width)
    tuples, a line's values in the table's order."""
    placed = [o for o in OUTPUTS if o.section == section and o.kind in ("Derived", "Air")]
    return [[(o.caption, o.widget, o.width) for o in placed if o.line == line]
            for line in sorted({o.line for o in placed})]


# A paragraph beneath a section: (label id, lines of text it has room for).
NOTE_AFTER = {o.section: (o.widget, o.line) for o in OUTPUTS if o.kind == "Note"}


def body_tab():
    tab = Tab(fixed("fixedBodyTab"))
    tab.rest_of("body")
    return tab.fixed, "Body"


def taper_controls(tab, prefix):
    """The fingerboard taper choice and the two sets of values it selects
    between; the cutaway and fretboard tabs both carry one."""
    tab.radios(f"radiobutton{prefix}WidthAtFret", x2=130)
    height = 4 * ROW
    top = tab.y
    tab.container(f"fixed{prefix}TaperFromNeckWidthVisibility", height).section(
        f"{prefix.lower()}TaperAtFret")
    tab.container(f"fixed{prefix}TaperFromStringSpacingVisibility", height, y=top).section(
        f"{prefix.lower()}TaperSpacing")
    tab.y = top + height


def cutaway_tab():
    tab = Tab(fixed("fixedCutawayTab"))
    tab.check("checkbuttonCutawayHasCutaway")
    height = 4 * ROW + 2 * ROW + 2 * VALUE_ROW
    cut = tab.container("fixedCutawaySensitivity", height)
    cut.radios("radiobuttonCutawayFlorentine")
    cut.section("cutaway")
    top = cut.y
    florentine = cut.container("fixedCutawayParamsFlorentineVisibility", height - top)
    for line in values_after("florentine"):
        florentine.values(*line)
    venetian = cut.container("fixedCutawayParamsVenetianVisibility", height - top, y=top)
    venetian.section("cutawayValley")
    venetian.section("cutawayPoint")
    tab.y += height
    tab.section("cutawayNeck")
    taper_controls(tab, "Cutaway")
    tab.rest_of("cutaway")
    return tab.fixed, "Cutaway"


def measurements(tab):
    tab.heading("Measurements")
    for caption, wid in [(o.caption, o.widget) for o in OUTPUTS if o.kind == "Measurement"]:
        tab.put(label(Tab.auto_id("labelCaption"), caption, width=106, height=VALUE_ROW),
                VALUE_COLUMNS[0])
        v = label(wid, " ", width=130, height=VALUE_ROW)
        v.set("selectable", True)
        tab.put(v, VALUE_COLUMNS[0] + 110)
        tab.y += VALUE_ROW


def neck_and_hole_tab():
    tab = Tab(fixed("fixedSoundHoleTab"))
    tab.rest_of("neckAndHole")
    measurements(tab)
    return tab.fixed, "Neck & hole"


def fretboard_tab():
    # Twenty rows fill the tab to its last pixel from a smaller top margin.
    tab = Tab(fixed("fixedFretboardTab"), top=2)
    tab.check("checkbuttonFretboardHasFretboard")
    board = tab.container("fixedFretboardSensitivity", 20 * ROW)
    board.section("fretboard")
    taper_controls(board, "Fretboard")
    board.section("fretwire")
    board.check("checkbuttonFretboardMarkersHasMarkers")
    board.section("markers")
    tab.y += 20 * ROW
    tab.rest_of("fretboard")
    return tab.fixed, "Fretboard"


def strings_tab():
    tab = Tab(fixed("fixedStringsTab"))
    tab.check("checkbuttonStringsHasStrings")
    height = 4 * ROW + 26 + 8 * ROW
    strings = tab.container("fixedStringsSensitivity", height)
    strings.section("strings")
    # The string diameters in two columns of eight.
    PLACED_SECTIONS.add("diameters")
    strings.heading(TABLE.section("diameters").heading)
    top = strings.y
    for i, control in enumerate(TABLE.in_section("diameters")):
        column, row = divmod(i, 8)
        strings.y = top + row * ROW
        x0 = column * (TAB_W // 2)
        strings.put(label(Tab.auto_id("labelCaption"), control.caption, width=74),
                    x0 + LABEL_X)
        e = Widget("GtkEntry", control.widget, can_focus=True,
                   width_request=ENTRY_W, height_request=ENTRY_H, text="")
        e.on("focus_out_event", f"{control.widget}_focus_out_event_cb")
        strings.put(e, x0 + LABEL_X + 78)
    tab.y += height
    tab.rest_of("strings")
    return tab.fixed, "Strings"


# --------------------------------------------------------------------------
# Menus.

PRESETS = [(key, caption) for key, _, caption in field_table.presets()]
EXPORT_FORMATS = field_table.export_formats()


def menu_item(wid, text, handler=None, accel=None, check=False):
    w = Widget("GtkCheckMenuItem" if check else "GtkMenuItem", wid, label=text,
               use_underline=True)
    if check:
        w.set("active", False)
        w.on("toggled", handler or f"{wid}_toggled_cb")
    else:
        w.on("activate", handler or f"{wid}_activate_cb")
    if accel:
        w.accel(*accel)
    return w


def separator():
    return Widget("GtkSeparatorMenuItem", Tab.auto_id("separator"))


def submenu(bar, wid, text, items):
    top = Widget("GtkMenuItem", wid, label=text, use_underline=True)
    menu = Widget("GtkMenu", f"{wid}Menu")
    for item in items:
        menu.add(item)
    top.add(menu)
    bar.add(top)


CTRL = "GDK_CONTROL_MASK"


def menubar():
    bar = Widget("GtkMenuBar", "menubar", width_request=WINDOW_W)
    submenu(bar, "menuFile", "_File", [
        menu_item("menuOpen", "_Open...", accel=("o", CTRL)),
        menu_item("menuSave", "_Save", accel=("s", CTRL)),
        menu_item("menuSaveAs", "Save _As...", accel=("s", CTRL + " | GDK_SHIFT_MASK")),
        separator(),
        menu_item("menuImportOutline", "_Import outline..."),
        menu_item("menuFitToOutline", "_Fit design to outline"),
        separator(),
    ] + [
        menu_item(f"menuExport{key}", text, accel=(accel, CTRL) if accel else None)
        for key, text, accel in EXPORT_FORMATS
    ] + [
        menu_item("menuPrint", "_Print...", accel=("p", CTRL)),
        menu_item("menuFretTable", "Fret ta_ble..."),
        separator(),
        menu_item("menuQuit", "_Quit", accel=("q", CTRL)),
    ])
    submenu(bar, "menuEdit", "_Edit", [
        menu_item("menuUndo", "_Undo", accel=("z", CTRL)),
        menu_item("menuRedo", "_Redo", accel=("z", CTRL + " | GDK_SHIFT_MASK")).accel("y", CTRL),
        separator(),
        # M in the drawing does the same; a key of its own here would take
        # the letter from the entries.
        menu_item("menuMeasure", "_Measure"),
        separator(),
        menu_item("menuConvertToCentimetres", "Convert to _centimetres"),
        menu_item("menuConvertToInches", "Convert to _inches"),
    ])
    submenu(bar, "menuInitialize", "_Initialize",
            [menu_item("menuInitializeClear", "_Clear the form")] + [separator()] +
            [menu_item(f"menuInitialize{key}", text) for key, text in PRESETS])
    submenu(bar, "menuOverlays", "O_verlays", [
        menu_item("menuitemTakeSnapshot", "Take a _snapshot of the outline"),
        menu_item("menuitemDisplaySnapshot", "_Display the snapshot", check=True),
        separator(),
        menu_item("menuitemEditTransPoints", "_Edit transcription points..."),
        menu_item("menuitemDisplayTransPoints", "Display _transcription points", check=True),
        menu_item("menuitemDisplayTracedOutline", "Display the traced _outline", check=True),
    ])
    submenu(bar, "menuHelp", "_Help", [
        menu_item("menuInfo", "_Information", accel=("F1", "0")),
        menu_item("menuAbout", "_About Bowlyn"),
    ])
    return bar


# --------------------------------------------------------------------------
# The main window.

MARGIN = 4
MENU_H = 26
FORM_X, FORM_W = MARGIN, TAB_W + 8  # the notebook
IMAGE_X, IMAGE_Y, IMAGE_SIZE = FORM_X + FORM_W + 6, MENU_H + 2, 660
NAME_Y = IMAGE_Y + 1
NOTEBOOK_Y = NAME_Y + ENTRY_H + 6
UNITS_X, UNITS_Y = 100, 658  # the units combo box is added here by the program
BUTTONS_Y = UNITS_Y + 34
STATUS_Y, STATUS_H = IMAGE_Y + IMAGE_SIZE + 4, 34
# Beside the status line, at the right of the form column: the Fit button and
# the pointer's position; the status line keeps the drawing's full width,
# which its longest messages need for two lines.
ACTION_W = 72  # Try it and Ok
FIT_X, FIT_W = FORM_X + 2 * (ACTION_W + 4), 40
READOUT_X = FIT_X + FIT_W + 4
READOUT_W = FORM_X + FORM_W - READOUT_X
WINDOW_W = IMAGE_X + IMAGE_SIZE + MARGIN  # the menu bar spans it
# Where GTK puts the first page's top left corner inside the notebook: below
# the tab strip, inside the frame (a GUI test keeps these figures true).
PAGE_X, PAGE_Y = 2, 27


def main_window():
    window = Widget("GtkWindow", "bowlynMainWindow", title="Bowlyn", resizable=True)
    window.set("visible", False)  # shown by the program once it is complete
    window.on("delete_event", "windowBowlynMainWindow_delete_event_cb")
    window.on("destroy", "windowBowlynMainWindow_destroy_cb")
    window.on("configure_event", "windowBowlynMainWindow_configure_event_cb")
    top = Widget("GtkFixed", "fixedBowlynMainWindow")
    window.add(top)

    bar = menubar()
    bar.set("height_request", MENU_H)
    top.add(bar, x=0, y=0)
    top.add(label("labelDescription", "Design name", width=84), x=FORM_X + 4, y=NAME_Y)
    name = Widget("GtkEntry", "entryDescription", can_focus=True,
                  width_request=FORM_X + FORM_W - 96, height_request=ENTRY_H, text="")
    top.add(name, x=96, y=NAME_Y)

    notebook = Widget("GtkNotebook", "notebook", can_focus=True, width_request=FORM_W,
                      height_request=UNITS_Y - 4 - NOTEBOOK_Y)
    notebook.on("switch_page", "notebook_switch_page_cb")
    for page, title in (body_tab(), cutaway_tab(), neck_and_hole_tab(), fretboard_tab(),
                        strings_tab()):
        notebook.add(page)
        notebook.add(Widget("GtkLabel", Tab.auto_id("labelTab"), label=title), type="tab")
    top.add(notebook, x=FORM_X, y=NOTEBOOK_Y)

    top.add(label("labelUnits1", "Units", width=UNITS_X - 8 - FORM_X - 4, xalign=1.0,
                  height=27), x=FORM_X + 4, y=UNITS_Y)
    top.add(label(output_of("UnitsNote"), " ", width=FORM_X + FORM_W - UNITS_X - 126, height=27),
            x=UNITS_X + 126, y=UNITS_Y)
    for wid, text, x in (("buttonTryIt", "_Try it", FORM_X),
                         ("buttonOk", "_Ok", FORM_X + ACTION_W + 4)):
        b = Widget("GtkButton", wid, label=text, use_underline=True, can_focus=True,
                   width_request=ACTION_W, height_request=30)
        b.set("tooltip_text", "Check and draw the design with construction lines"
              if wid == "buttonTryIt" else "Check and draw the final outline")
        b.on("clicked", f"{wid}_clicked_cb")
        top.add(b, x=x, y=BUTTONS_Y)

    fit = Widget("GtkButton", "buttonFit", label="Fit", can_focus=True,
                 width_request=FIT_W, height_request=30,
                 tooltip_text="Show the whole drawing, neck and nut included (0 in the drawing)")
    fit.on("clicked", "buttonFit_clicked_cb")
    top.add(fit, x=FIT_X, y=BUTTONS_Y)
    # Right-aligned on both of its lines when far from the drawing it shows
    # x and y one above the other.
    readout = label(output_of("Readout"), " ", width=READOUT_W, xalign=1.0, height=30)
    top.add(readout.set("justify", "GTK_JUSTIFY_RIGHT"), x=READOUT_X, y=BUTTONS_Y)

    # The event box takes the pointer and the keys for the image, which has no
    # window of its own: the wheel zooms, a drag pans, + - 0 when focused. Its
    # own X window lets the drawing be painted straight onto the screen,
    # without the rest of the window and without a buffer in between.
    box = Widget("GtkEventBox", "eventboxDrawing", visible_window=True, can_focus=True,
                 app_paintable=True, double_buffered=False,
                 width_request=IMAGE_SIZE, height_request=IMAGE_SIZE)
    box.add(Widget("GtkImage", "drawingImage", width_request=IMAGE_SIZE,
                   height_request=IMAGE_SIZE))
    top.add(box, x=IMAGE_X, y=IMAGE_Y)

    status = Widget("GtkLabel", output_of("Status"),
                    label="Status: choose a design from the Initialize menu, or type its "
                          "dimensions and press Try it.",
                    xalign=0.0, yalign=0.0, wrap=True, width_request=IMAGE_SIZE,
                    height_request=STATUS_H, selectable=True)
    top.add(status, x=IMAGE_X, y=STATUS_Y)
    return window


def widget_ids(widget):
    yield widget.id
    for child, _ in widget.children:
        yield from widget_ids(child)


def description():
    PLACED.clear()
    PLACED_SECTIONS.clear()
    Tab.counter = 0
    window = main_window()
    # Every control of the table has its place, so every handler made from
    # the table has its widget.
    ids = set(widget_ids(window))
    for control in TABLE.controls:
        if control.widget not in ids:
            raise field_table.TableError(f"{control.widget} has no place in the window "
                                         f"(section {control.section})")
    for section in TABLE.sections:
        if section.id not in PLACED_SECTIONS:
            raise field_table.TableError(f"section {section.id}: no tab {section.tab}")
    out = ['<?xml version="1.0" standalone="no"?>',
           '<!DOCTYPE glade-interface SYSTEM "http://glade.gnome.org/glade-2.0.dtd">',
           "<!-- Generated by tools/gen_glade.py; edit that file instead. -->",
           "<glade-interface>"]
    window.xml(out, 1)
    out.append("</glade-interface>")
    return "\n".join(out) + "\n"


RESOURCES = f"""\
# Appearance of Bowlyn's main window. Generated by tools/gen_glade.py.
gtk-font-name = "Sans 9"

style "bowlyn-form" {{
  font_name = "Sans 9"
}}
style "bowlyn-derived" {{
  fg[NORMAL] = "#1c3f8c"
}}
style "bowlyn-status" {{
  font_name = "Sans Bold 9"
  fg[NORMAL] = "#202020"
}}

widget "bowlynMainWindow*" style "bowlyn-form"
widget "*.label*Data" style "bowlyn-derived"
widget "*.{output_of("Status")}" style "bowlyn-status"
"""


def write_if_changed(path, text):
    try:
        with open(path, encoding="utf-8") as f:
            if f.read() == text:
                return
    except OSError:
        pass
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: gen_glade.py OUTPUT_DIR\n")
        return 2
    os.makedirs(argv[1], exist_ok=True)
    write_if_changed(os.path.join(argv[1], "bowlyn0_7.glade"), description())
    write_if_changed(os.path.join(argv[1], "applicationrc"), RESOURCES)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
