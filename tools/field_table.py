"""Reads the tables the C++ program includes as X-macro files: the field
table (model/fields.def), the window's outputs (model/outputs.def), the
built-in designs (model/presets.def) and the export formats
(commands/export_formats.def).

Both files are sequences of macro calls such as
    FIELD(BODY_LENGTH, "Body length", Number, bodyLength)
each on one line, whose arguments are identifiers, integers, string literals
or member expressions; preprocessor lines and // comments are skipped.
"""

import os
import re

SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FIELDS_DEF = os.path.join(SOURCE_DIR, "model", "fields.def")
OUTPUTS_DEF = os.path.join(SOURCE_DIR, "model", "outputs.def")
PRESETS_DEF = os.path.join(SOURCE_DIR, "model", "presets.def")
EXPORT_FORMATS_DEF = os.path.join(SOURCE_DIR, "commands", "export_formats.def")

_CALL = re.compile(r"([A-Z_]+)\((.*)\)$")
_TOKEN = re.compile(r'\s*("(?:[^"\\]|\\.)*"|[^,"]+)\s*(,|$)')
_ESCAPES = {'"': '"', "\\": "\\", "'": "'", "n": "\n", "t": "\t"}


class TableError(Exception):
    pass


def _value(token):
    if token.startswith('"'):
        return re.sub(r"\\(.)", lambda m: _ESCAPES[m.group(1)], token[1:-1])
    if re.fullmatch(r"-?\d+", token):
        return int(token)
    return token.strip()


def _arguments(text, where):
    args, pos = [], 0
    while pos < len(text):
        m = _TOKEN.match(text, pos)
        if not m or not m.group(1).strip():
            raise TableError(f"{where}: cannot read the arguments {text!r}")
        args.append(_value(m.group(1).strip()))
        pos = m.end()
    return args


def _calls(path):
    """Yields (macro name, arguments, "file:line") for each call."""
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("//") or line.startswith("#"):
                continue
            where = f"{path}:{number}"
            m = _CALL.match(line)
            if not m:
                raise TableError(f"{where}: expected one macro call, not {line!r}")
            yield m.group(1), _arguments(m.group(2), where), where


class Field:
    def __init__(self, number, ident, label, kind, member):
        self.number, self.id, self.label = number, ident, label
        self.kind, self.member = kind, member
        self.blank_is_unset = False
        self.controls = []


class Control:
    """An entry, check button or radio button of a field, with its place in
    the window."""

    def __init__(self, field, kind, widget, **attrs):
        self.field, self.kind, self.widget = field, kind, widget
        self.section = self.row = None
        self.caption = self.unit = ""
        self.stepper = None  # Name of buttonNameDec and buttonNameInc
        self.step_class = self.below_zero = None
        self.value = self.value_name = self.shown = None
        self.enabled = []
        for name, value in attrs.items():
            setattr(self, name, value)


class Section:
    def __init__(self, ident, tab, heading):
        self.id, self.tab, self.heading = ident, tab, heading


class FieldTable:
    def __init__(self, path=FIELDS_DEF):
        self.fields, self.controls, self.sections = [], [], []
        readers = {"FIELD": self._field, "TEXT_FIELD": self._text_field, "ENTRY": self._entry,
                   "STEPPED_ENTRY": self._stepped_entry, "CHECK": self._check,
                   "RADIO": self._radio, "SECTION": self._section,
                   "BLANK_IS_UNSET": self._blank_is_unset}
        for name, args, where in _calls(path):
            if name not in readers:
                raise TableError(f"{where}: unknown macro {name}")
            try:
                readers[name](*args)
            except TypeError as e:
                raise TableError(f"{where}: {name}: {e}") from e
        self._validate(path)

    def control(self, widget):
        for c in self.controls:
            if c.widget == widget:
                return c
        raise KeyError(widget)

    def section(self, ident):
        for s in self.sections:
            if s.id == ident:
                return s
        raise KeyError(ident)

    def in_section(self, section):
        """The controls placed in a section, by row."""
        return sorted((c for c in self.controls if c.section == section), key=lambda c: c.row)

    # One reader per macro, with the macro's arguments.

    def _add(self, kind, widget, **attrs):
        if not self.fields:
            raise TypeError("a control before the first field")
        c = Control(self.fields[-1], kind, widget, **attrs)
        self.fields[-1].controls.append(c)
        self.controls.append(c)

    def _field(self, ident, label, kind, member):
        self.fields.append(Field(len(self.fields) + 1, ident, label, kind, member))

    def _blank_is_unset(self):
        if not self.fields:
            raise TypeError("BLANK_IS_UNSET before the first field")
        self.fields[-1].blank_is_unset = True

    def _text_field(self, ident, label, widget):
        self._field(ident, label, "Text", None)
        self._add("text", widget)

    def _entry(self, widget, section, row, caption, unit):
        self._add("entry", widget, section=section, row=row, caption=caption, unit=unit)

    def _stepped_entry(self, widget, name, step_class, below_zero, section, row, caption, unit):
        self._add("entry", widget, section=section, row=row, caption=caption, unit=unit,
                  stepper=name, step_class=step_class, below_zero=below_zero)

    def _check(self, widget, caption, enabled1, enabled2):
        self._add("check", widget, caption=caption, enabled=[c for c in (enabled1, enabled2) if c])

    def _radio(self, widget, value, value_name, caption, shown):
        self._add("radio", widget, value=value, value_name=value_name, caption=caption,
                  shown=shown)

    def _section(self, ident, tab, heading):
        self.sections.append(Section(ident, tab, heading))

    def _validate(self, path):
        widgets = [c.widget for c in self.controls]
        for w in set(widgets):
            if widgets.count(w) > 1:
                raise TableError(f"{path}: {w} is declared twice")
        sections = {s.id for s in self.sections}
        for c in self.controls:
            if c.kind == "entry" and c.section not in sections:
                raise TableError(f"{path}: {c.widget}: no section {c.section}")
            if c.stepper and c.widget != "entry" + c.stepper:
                raise TableError(f"{path}: {c.widget}: its steppers are named after it")
        for f in self.fields:
            values = [c.value for c in f.controls if c.kind == "radio"]
            if values != [0, 1] * (len(values) // 2):
                raise TableError(f"{path}: {f.label}: radio buttons come in pairs, value 0 first")
        for s in sections:
            rows = [c.row for c in self.in_section(s)]
            if len(rows) != len(set(rows)):
                raise TableError(f"{path}: section {s} has two entries in one row")


class Output:
    """A label the program writes, and where it sits."""

    def __init__(self, ident, widget, kind, section, line, caption, width):
        self.id, self.widget, self.kind = ident, widget, kind
        self.section, self.line, self.caption, self.width = section, line, caption, width


def outputs(path=OUTPUTS_DEF):
    """The window's outputs in the table's order."""
    rows = []
    for name, args, where in _calls(path):
        if name != "OUTPUT" or len(args) != 7:
            raise TableError(f"{where}: expected OUTPUT with 7 arguments")
        rows.append(Output(*args))
    return rows


def presets(path=PRESETS_DEF):
    """The built-in designs in row order: (Key, name text, menu caption)."""
    rows = []
    for name, args, where in _calls(path):
        if name != "PRESET" or len(args) != 3:
            raise TableError(f"{where}: expected PRESET(Key, name, caption)")
        rows.append(tuple(args))
    return rows


def export_formats(path=EXPORT_FORMATS_DEF):
    """The export formats in menu order: (Key, menu caption, accelerator key)."""
    rows = []
    for name, args, where in _calls(path):
        if name != "EXPORT_FORMAT" or len(args) != 14:
            raise TableError(f"{where}: expected EXPORT_FORMAT with 14 arguments")
        rows.append((args[0], args[1], args[2]))
    return rows
