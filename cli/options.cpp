#include "cli/options.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <limits>
#include <set>

#include "model/design_parameters.h"
#include "model/number_text.h"
#include "model/text_case.h"
#include "paper/thumbnail.h"

namespace bowlyn::cli {

const char* const USAGE =
    "Usage:\n"
    "  bowlyn-cli check DESIGN [--final] [--set \"LABEL=TEXT\"]... [--points FILE]"
    " [--snapshot DESIGN]\n"
    "             [--outline OUTLINE [--in in|mm|cm] [--dpi N]]\n"
    "  bowlyn-cli render DESIGN -o FILE.png [--final] [--set \"LABEL=TEXT\"]... [--points FILE]"
    " [--snapshot DESIGN]\n"
    "             [--outline OUTLINE [--in in|mm|cm] [--dpi N]]\n"
    "  bowlyn-cli save DESIGN -o FILE [--set \"LABEL=TEXT\"]... [--convert-to in|cm]\n"
    "  bowlyn-cli export DESIGN -o FILE[.dxf] [--cam] [--units in|mm|cm] [--mould DISTANCE]\n"
    "             [--dxf 12|2000] [--flatten TOLERANCE] [--set \"LABEL=TEXT\"]...\n"
    "  bowlyn-cli export DESIGN -o FILE.svg [--units in|mm|cm] [--mould DISTANCE]"
    " [--set \"LABEL=TEXT\"]...\n"
    "  bowlyn-cli export DESIGN -o FILE.pdf [--paper a4|letter|a3|tabloid|full] [--overlap MM]\n"
    "             [--units in|mm|cm] [--scale-x PCT] [--scale-y PCT] [--mould DISTANCE]\n"
    "             [--set \"LABEL=TEXT\"]...\n"
    "  bowlyn-cli measure DESIGN [--units in|mm|cm] [--set \"LABEL=TEXT\"]...\n"
    "  bowlyn-cli frets DESIGN [--units in|mm|cm] [--set \"LABEL=TEXT\"]...\n"
    "  bowlyn-cli entities DESIGN [--set \"LABEL=TEXT\"]...\n"
    "  bowlyn-cli thumbnail DESIGN -o FILE.png [--size PIXELS] [--set \"LABEL=TEXT\"]...\n"
    "  bowlyn-cli convert POINTS -o FILE\n"
    "  bowlyn-cli fit OUTLINE -o FILE [--in in|mm|cm] [--units in|cm] [--dpi N]\n"
    "  bowlyn-cli presets\n"
    "\n"
    "DESIGN is preset:NAME (any case, e.g. \"preset:Soprano Uke\"), clear, or the path of a\n"
    "parameter file (write ./clear for a file named clear). File names are used exactly as\n"
    "given, except as export says below. --set changes a field by its label after loading,\n"
    "as typing it would.\n"
    "-o - writes to standard output (render then prints the status line on stderr).\n"
    "check prints the status line, then each derived-value label and its text.\n"
    "save --convert-to writes the design in inches or centimetres: every length converted\n"
    "(1 in = 2.54 cm) to the fewest decimals within 1e-7 of the exact value, counts,\n"
    "switches, choices and the two taper string diameters (in inches) kept.\n"
    "export writes the DXF of the drawing as recorded; with --cam a DXF for CAM programs\n"
    "(header with units, layer table, each closed outline one closed polyline, a slot of\n"
    "the fret slot width for each fret on layer slots): version 12 (POLYLINE) unless --dxf\n"
    "2000 asks for LWPOLYLINE, and with --flatten every arc and circle as chords no farther\n"
    "than TOLERANCE (in the file's unit) from it, for programs that ignore bulges; a name\n"
    "ending in .svg gives an SVG at true size; one ending in .pdf a full-size paper template:\n"
    "a map and the tiles the drawing passes through (A4 unless --paper says otherwise, in the\n"
    "orientation that takes fewer sheets, overlapping by --overlap millimetres, default 10),\n"
    "or one page as large as the drawing with --paper full. --scale-x and --scale-y correct\n"
    "for a printer that scales: give what the 100 mm ruler of a print measured, in mm, across\n"
    "the paper (its short side) and down it. The date on the pages is today's, or the\n"
    "SOURCE_DATE_EPOCH given. A name without .dxf, .svg or .pdf gets .pdf added when a\n"
    "template option is given and .dxf otherwise.\n"
    "--units converts the CAM DXF or the SVG, and gives the figures on a template's map\n"
    "(default: the design's own unit).\n"
    "With both body depths set, the CAM DXF and the SVG hold a strip for each side of the\n"
    "body (layer sides), and the template tiles each strip on pages of its own; --mould adds\n"
    "the outline of a mould DISTANCE (in the file's unit) outside the body (layer mould).\n"
    "measure prints the body's perimeter, area, length and width and the fretboard's area,\n"
    "with both body depths the air volume, and with a sound hole and a top thickness too\n"
    "an estimate of the air resonance, one NAME<TAB>VALUE<TAB>UNIT line each.\n"
    "frets prints the fret table of a design with a fretboard, tab-separated: for the nut\n"
    "(fret 0), each fret and the saddle the distances from the nut along the bass and the\n"
    "treble edge, the heights of both ends from the tail end and the angle from square in\n"
    "degrees (positive when the bass end lies nearer the bridge).\n"
    "thumbnail writes a PNG of the final drawing on white, as a file manager shows it, its\n"
    "longer side --size pixels (16 to 4096, default 256).\n"
    "check, render, measure and frets exit 0 for \"Status: OK\" and 1 for a problem (render\n"
    "writes the image either way; measure and frets print the status line; frets also when\n"
    "the design has no fretboard); export exits 1 when there is no\n"
    "complete outline or the outline does not close, thumbnail when there is no complete\n"
    "outline (it writes nothing then), convert when the file holds no usable point.\n"
    "Usage, load and write errors exit 2.\n"
    "fit makes a design whose body follows OUTLINE: a points file (\"x y\" a line), an SVG,\n"
    "a DXF, or a scanned template (PNG or JPEG at --dpi pixels per inch); --in gives the unit of "
    "a\n"
    "file that names none, --units the design's (default: inches for an outline in inches or\n"
    "a picture, centimetres otherwise). It prints how far the outline lies from the fitted\n"
    "body, NAME<TAB>VALUE<TAB>UNIT a line, and exits 1 when the outline cannot be read or fitted\n"
    "(nothing is written then). --outline shows such an outline behind the working drawing of\n"
    "check and render, placed as its shape says.\n";

namespace {

bool endsWithCaseless(const std::string& s, const char* suffix) {
    const size_t n = std::strlen(suffix);
    if (s.size() < n)
        return false;
    for (size_t i = 0; i < n; ++i) {
        if (std::tolower(static_cast<unsigned char>(s[s.size() - n + i])) != suffix[i])
            return false;
    }
    return true;
}

// "a", "a and b", "a, b and c" (or "or").
std::string listed(const std::vector<std::string>& items, const char* last) {
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? std::string(" ") + last + " " : ", ";
        text += items[i];
    }
    return text;
}

// The settings an export takes, each with the options that give it; the
// options' texts follow the table's formats.
struct SettingOptions {
    bool ExportChoices::*choice;
    const char* options;  // as messages name them
    const char* verb;     // agreeing with them
    const char* ExportFormat::*without;
};
const SettingOptions SETTING_OPTIONS[] = {
    {&ExportChoices::unit, "--units", "applies", &ExportFormat::withoutUnit},
    {&ExportChoices::mould, "--mould", "applies", &ExportFormat::withoutMould},
    {&ExportChoices::paper, "--paper, --overlap, --scale-x and --scale-y", "apply", nullptr},
    {&ExportChoices::dxf, "--dxf and --flatten", "apply", nullptr},
};

ExportChoices givenChoices(const Options& o) {
    return {o.unit.has_value(), o.mould.has_value(), o.paper || o.overlap || o.scaleX || o.scaleY,
            o.dxfVersion || o.flatten};
}

// The extension of what an export writes: the name's, else that of the only
// formats that take a setting given, else the first format's.
std::string writtenExtension(const Options& o) {
    std::string extension = knownExtension(o.output);
    if (!extension.empty())
        return extension;
    const ExportChoices given = givenChoices(o);
    for (const SettingOptions& s : SETTING_OPTIONS) {
        if (!(given.*s.choice))
            continue;
        std::set<std::string> taking;
        for (const ExportFormat& f : exportFormats()) {
            if (f.chooser.choices.*s.choice)
                taking.insert(f.extension());
        }
        if (taking.size() == 1)
            return *taking.begin();
    }
    return exportFormats().front().extension();
}

// How a message names a format: by its option, else by its extension.
std::string formatName(const ExportFormat& f) {
    return *f.flag ? f.flag : f.extension();
}

// Picks the format an export writes, and refuses a format option or a
// setting that does not change its file.
std::string chooseFormat(Options& options) {
    const std::string extension = writtenExtension(options);
    for (const ExportFormat& f : exportFormats()) {
        if (f.extension() == extension && options.formatFlag == f.flag)
            options.format = &f;
    }
    if (!options.format) {
        std::string kind;
        for (const ExportFormat& f : exportFormats()) {
            if (options.formatFlag == f.flag)
                kind = upperCase(f.extension().substr(1));
        }
        return options.formatFlag + " makes a " + kind + " file, not '" + options.output + "'";
    }
    const ExportChoices given = givenChoices(options);
    for (const SettingOptions& s : SETTING_OPTIONS) {
        if (!(given.*s.choice) || options.format->chooser.choices.*s.choice)
            continue;
        std::vector<std::string> taking;
        for (const ExportFormat& f : exportFormats()) {
            if (f.chooser.choices.*s.choice)
                taking.push_back(formatName(f));
        }
        std::string problem =
            std::string(s.options) + " " + s.verb + " to " + listed(taking, "and") + " files";
        const char* why = s.without ? options.format->*s.without : "";
        return *why ? problem + "; " + why : problem;
    }
    return "";
}

// A number as every number a user types outside the form is read
// (readWholeNumber), within [low, high].
std::optional<double> numberIn(const std::string& text, double low, double high) {
    const std::optional<double> v = readWholeNumber(text);
    if (!v || !(*v >= low && *v <= high))
        return std::nullopt;
    return v;
}

// A finite distance greater than 0; nullopt otherwise.
std::optional<double> positiveDistance(const std::string& text) {
    const std::optional<double> v = numberIn(text, 0.0, std::numeric_limits<double>::max());
    if (!v || *v == 0.0)
        return std::nullopt;
    return v;
}

// --paper, --overlap, --scale-x and --scale-y.
std::string templateOption(const std::string& name, const std::string& value, Options& options) {
    if (name == "--paper") {
        options.paper.reset();
        std::vector<std::string> keys;
        for (const PaperChoice& p : paperChoices()) {
            keys.push_back(p.key);
            if (value == p.key)
                options.paper = p.paper;
        }
        return options.paper ? "" : "--paper takes " + listed(keys, "or") + ", got '" + value + "'";
    }
    if (name == "--overlap") {
        options.overlap = numberIn(value, 0.0, 50.0);
        return options.overlap ? ""
                               : "--overlap takes millimetres from 0 to 50, got '" + value + "'";
    }
    std::optional<double>& scale = name == "--scale-x" ? options.scaleX : options.scaleY;
    scale = numberIn(value, 50.0, 200.0);
    return scale ? "" : name + " takes a percentage from 50 to 200, got '" + value + "'";
}

struct CommandShape {
    const char* name;
    bool takesInput;
    bool needsOutput;
    std::set<std::string> options;
};

// An export's options: the settings' and the formats' own.
std::set<std::string> exportOptions() {
    std::set<std::string> options = {"-o",        "--set",     "--units",   "--mould", "--paper",
                                     "--overlap", "--scale-x", "--scale-y", "--dxf",   "--flatten"};
    for (const ExportFormat& f : exportFormats()) {
        if (*f.flag)
            options.insert(f.flag);
    }
    return options;
}

// Whether an option is a format's, which takes no value.
bool formatFlag(const std::string& name) {
    for (const ExportFormat& f : exportFormats()) {
        if (*f.flag && name == f.flag)
            return true;
    }
    return false;
}

const CommandShape* shapeOf(const std::string& command) {
    static const CommandShape shapes[] = {
        {"check",
         true,
         false,
         {"--final", "--set", "--points", "--snapshot", "--outline", "--in", "--dpi"}},
        {"render",
         true,
         true,
         {"-o", "--final", "--set", "--points", "--snapshot", "--outline", "--in", "--dpi"}},
        {"save", true, true, {"-o", "--set", "--convert-to"}},
        {"export", true, true, exportOptions()},
        {"measure", true, false, {"--set", "--units"}},
        {"frets", true, false, {"--set", "--units"}},
        {"entities", true, false, {"--set"}},
        {"thumbnail", true, true, {"-o", "--set", "--size"}},
        {"convert", true, true, {"-o"}},
        {"fit", true, true, {"-o", "--in", "--units", "--dpi"}},
        {"presets", false, false, {}},
    };
    for (const CommandShape& s : shapes) {
        if (command == s.name)
            return &s;
    }
    return nullptr;
}

}  // namespace

std::string parseOptions(int argc, char** argv, Options& options) {
    if (argc < 2)
        return "no command given";
    options.command = argv[1];
    if (options.command == "--help" || options.command == "-h" || options.command == "help") {
        options.help = true;
        return "";
    }
    const CommandShape* shape = shapeOf(options.command);
    if (!shape)
        return "unknown command '" + options.command + "'";

    bool inputSeen = false, outputSeen = false;
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return "";
        }
        if (arg.size() < 2 || arg[0] != '-') {
            if (!shape->takesInput || inputSeen)
                return "unexpected argument '" + arg + "'";
            options.input = arg;
            inputSeen = true;
            continue;
        }
        std::string name = arg, value;
        bool inlineValue = false;
        size_t eq = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            inlineValue = true;
        }
        if (shape->options.count(name) == 0)
            return "option '" + name + "' does not apply to " + options.command;
        if (name == "--final" || formatFlag(name)) {
            if (inlineValue)
                return name + " takes no value";
            if (name == "--final")
                options.finalDrawing = true;
            else
                options.formatFlag = name;
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= argc)
                return "option '" + name + "' needs a value";
            value = argv[++i];
        }
        if (name == "-o") {
            if (outputSeen)
                return "-o given twice";
            if (value.empty())
                return "-o needs a file name";
            options.output = value;
            outputSeen = true;
        } else if (name == "--set") {
            size_t split = value.find('=');
            if (split == std::string::npos)
                return "--set needs LABEL=TEXT, got '" + value + "'";
            options.sets.emplace_back(value.substr(0, split), value.substr(split + 1));
        } else if (name == "--outline") {
            if (value.empty())
                return "--outline needs a file name";
            options.outline = value;
        } else if (name == "--points") {
            if (value.empty())
                return "--points needs a file name";
            options.points = value;
        } else if (name == "--units" && options.command == "fit") {
            if (value != "in" && value != "cm")
                return "--units takes in or cm for a design, got '" + value + "'";
            options.unit = unitByName(value);
        } else if (name == "--in") {
            options.inUnit = unitByName(value);
            if (!options.inUnit)
                return "--in takes in, mm or cm, got '" + value + "'";
        } else if (name == "--dpi") {
            options.dpi = numberIn(value, 1.0, 100000.0);
            if (!options.dpi)
                return "--dpi takes pixels per inch from 1 to 100000, got '" + value + "'";
        } else if (name == "--units") {
            options.unit = unitByName(value);
            if (!options.unit)
                return "--units takes in, mm or cm, got '" + value + "'";
        } else if (name == "--convert-to") {
            if (value != "in" && value != "cm")
                return "--convert-to takes in or cm, got '" + value + "'";
            options.convertTo = value == "cm" ? UNITS_CM : UNITS_INCH;
        } else if (name == "--mould") {
            options.mould = positiveDistance(value);
            if (!options.mould)
                return "--mould takes a distance greater than 0, got '" + value + "'";
        } else if (name == "--paper" || name == "--overlap" || name == "--scale-x" ||
                   name == "--scale-y") {
            std::string problem = templateOption(name, value, options);
            if (!problem.empty())
                return problem;
        } else if (name == "--dxf") {
            options.dxfVersion = dxfVersionByName(value);
            if (!options.dxfVersion)
                return "--dxf takes 12 or 2000, got '" + value + "'";
        } else if (name == "--flatten") {
            options.flatten = positiveDistance(value);
            if (!options.flatten)
                return "--flatten takes a distance greater than 0, got '" + value + "'";
        } else if (name == "--size") {
            const std::optional<double> pixels =
                numberIn(value, THUMBNAIL_MIN_SIZE, THUMBNAIL_MAX_SIZE);
            if (!pixels || *pixels != std::floor(*pixels))
                return "--size takes a whole number of pixels from " +
                       std::to_string(THUMBNAIL_MIN_SIZE) + " to " +
                       std::to_string(THUMBNAIL_MAX_SIZE) + ", got '" + value + "'";
            options.size = static_cast<int>(*pixels);
        } else if (name == "--snapshot") {
            if (value.empty())
                return "--snapshot needs a design";
            options.snapshot = value;
        }
    }
    if (shape->takesInput && !inputSeen)
        return options.command == "convert" ? "convert needs a POINTS file"
               : options.command == "fit"   ? "fit needs an OUTLINE file"
                                            : options.command + " needs a DESIGN";
    if (shape->needsOutput && !outputSeen)
        return options.command + " needs -o FILE";
    if (options.command != "fit" && options.outline.empty() && (options.inUnit || options.dpi))
        return "--in and --dpi apply to fit and --outline";
    if (options.command == "export")
        return chooseFormat(options);
    return "";
}

ExportSettings exportSettings(const Options& options) {
    ExportSettings s;
    s.unit = options.unit;
    s.mould = options.mould;
    s.paper = options.paper.value_or(s.paper);
    s.overlap = options.overlap.value_or(s.overlap);
    s.scaleAcross = options.scaleX.value_or(s.scaleAcross);
    s.scaleDown = options.scaleY.value_or(s.scaleDown);
    s.dxfVersion = options.dxfVersion.value_or(s.dxfVersion);
    s.flatten = options.flatten;
    return s;
}

std::string knownExtension(const std::string& name) {
    for (const ExportFormat& f : exportFormats()) {
        if (endsWithCaseless(name, f.extension().c_str()))
            return f.extension();
    }
    return "";
}

}  // namespace bowlyn::cli
