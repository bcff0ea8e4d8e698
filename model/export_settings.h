#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/units.h"

namespace bowlyn {

// A sheet of paper as the pages name it, portrait width and height in
// millimetres; both 0 for a page as large as the drawing.
struct Paper {
    std::string name;
    double width = 0, height = 0;
    bool fullSize() const { return !(width > 0.0); }
};

// A paper a template is offered on: its name on the command line, its
// caption in the window's chooser and its size.
struct PaperChoice {
    const char* key;      // "a4"
    const char* caption;  // "A4"
    Paper paper;
};

// A4, Letter, A3, Tabloid and full size, in the order they are offered.
const std::vector<PaperChoice>& paperChoices();

// The paper of a key in any case ("a4", "Letter", "full"); nullopt otherwise.
std::optional<Paper> paperByName(const std::string& name);
Paper paperA4();

// The DXF versions a CAM file is written in: 12 (POLYLINE, what every
// reader of old knows) or 2000 (LWPOLYLINE, with handles).
enum class DxfVersion { R12, R2000 };
// 12 or 2000 as the command line names them; nullopt for anything else.
std::optional<DxfVersion> dxfVersionByName(const std::string& name);

// What a user chose for an exported file beside its name, as the window's
// choosers and the command line give it; each format reads what it takes.
struct ExportSettings {
    std::optional<LengthUnit> unit;  // of the file's numbers; the design's own when not given
    // The mould's distance outside the body, in that unit; none for no mould.
    // A distance that was typed and is no number is NaN, which the mould
    // refuses with its own message.
    std::optional<double> mould;
    Paper paper = paperA4();  // a template's
    double overlap = 10.0;    // millimetres that neighbouring tiles share
    // What the printer makes of 100 % across the paper (its short side) and
    // down it (its long side), in percent: the pages are drawn at 100 /
    // percent so that they come out true. On a print made at 100 % the
    // 100 mm ruler measures this percentage in millimetres.
    double scaleAcross = 100.0, scaleDown = 100.0;
    // A CAM DXF's version, and the distance (in the file's unit) within which
    // its arcs and circles are written as chords for programs that ignore
    // bulges; none keeps them exact.
    DxfVersion dxfVersion = DxfVersion::R12;
    std::optional<double> flatten;
};

// A distance as typed beside an export's name, read as every number the
// command line takes (readWholeNumber): none when blank, NaN when it is no
// number.
std::optional<double> typedDistance(const std::string& typed);

}  // namespace bowlyn
