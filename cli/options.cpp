#include "cli/options.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <set>

namespace bowlyn::cli {

const char* const USAGE =
    "Usage:\n"
    "  bowlyn-cli check DESIGN [--final] [--set \"LABEL=TEXT\"]... [--points FILE]"
    " [--snapshot DESIGN]\n"
    "  bowlyn-cli render DESIGN -o FILE.png [--final] [--set \"LABEL=TEXT\"]... [--points FILE]"
    " [--snapshot DESIGN]\n"
    "  bowlyn-cli save DESIGN -o FILE [--set \"LABEL=TEXT\"]...\n"
    "  bowlyn-cli export DESIGN -o FILE[.dxf] [--cam] [--units in|mm|cm] [--mould DISTANCE]"
    " [--set \"LABEL=TEXT\"]...\n"
    "  bowlyn-cli export DESIGN -o FILE.svg [--units in|mm|cm] [--mould DISTANCE]"
    " [--set \"LABEL=TEXT\"]...\n"
    "  bowlyn-cli measure DESIGN [--units in|mm|cm] [--set \"LABEL=TEXT\"]...\n"
    "  bowlyn-cli entities DESIGN [--set \"LABEL=TEXT\"]...\n"
    "  bowlyn-cli convert POINTS -o FILE\n"
    "  bowlyn-cli presets\n"
    "\n"
    "DESIGN is preset:NAME (any case, e.g. \"preset:Soprano Uke\"), clear, or the path of a\n"
    "parameter file (write ./clear for a file named clear). File names are used exactly as\n"
    "given, except as export says below. --set changes a field by its label after loading,\n"
    "as typing it would.\n"
    "-o - writes to standard output (render then prints the status line on stderr).\n"
    "check prints the status line, then each derived-value label and its text.\n"
    "export writes the DXF of the drawing as recorded; with --cam a DXF for CAM programs\n"
    "(header with units, layer table, each closed outline one closed polyline); a name\n"
    "ending in .svg gives an SVG at true size. A name without .dxf or .svg gets .dxf added.\n"
    "--units converts the CAM DXF or the SVG (default: the design's own unit).\n"
    "With both body depths set, the CAM DXF and the SVG hold a strip for each side of the\n"
    "body (layer sides); --mould adds the outline of a mould DISTANCE (in the file's unit)\n"
    "outside the body (layer mould).\n"
    "measure prints the body's perimeter, area, length and width and the fretboard's area,\n"
    "with both body depths the air volume, and with a sound hole and a top thickness too\n"
    "an estimate of the air resonance, one NAME<TAB>VALUE<TAB>UNIT line each.\n"
    "check, render and measure exit 0 for \"Status: OK\" and 1 for a problem (render writes\n"
    "the image either way; measure prints the status line); export exits 1 when there is no\n"
    "complete outline or the outline does not close; convert exits 1 when the file holds no\n"
    "usable point. Usage, load and write errors exit 2.\n";

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

// --cam and --units only where they change the file.
std::string exportProblem(const Options& options) {
    const bool svg = svgOutput(options.output);
    if (svg && options.cam)
        return "--cam makes a DXF file, not '" + options.output + "'";
    if (!svg && !options.cam && !options.units.empty())
        return "--units applies to --cam and to .svg files; the plain DXF keeps the design's unit";
    if (!svg && !options.cam && options.mould)
        return "--mould applies to --cam and to .svg files; the plain DXF is the drawing as "
               "recorded";
    return "";
}

struct CommandShape {
    const char* name;
    bool takesInput;
    bool needsOutput;
    std::set<std::string> options;
};

const CommandShape* shapeOf(const std::string& command) {
    static const CommandShape shapes[] = {
        {"check", true, false, {"--final", "--set", "--points", "--snapshot"}},
        {"render", true, true, {"-o", "--final", "--set", "--points", "--snapshot"}},
        {"save", true, true, {"-o", "--set"}},
        {"export", true, true, {"-o", "--set", "--cam", "--units", "--mould"}},
        {"measure", true, false, {"--set", "--units"}},
        {"entities", true, false, {"--set"}},
        {"convert", true, true, {"-o"}},
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
        if (name == "--final" || name == "--cam") {
            if (inlineValue)
                return name + " takes no value";
            (name == "--cam" ? options.cam : options.finalDrawing) = true;
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
        } else if (name == "--points") {
            if (value.empty())
                return "--points needs a file name";
            options.points = value;
        } else if (name == "--units") {
            if (value != "in" && value != "mm" && value != "cm")
                return "--units takes in, mm or cm, got '" + value + "'";
            options.units = value;
        } else if (name == "--mould") {
            double distance = 0.0;
            const char* end = value.data() + value.size();
            const auto [ptr, ec] = std::from_chars(value.data(), end, distance);
            if (ec != std::errc() || ptr != end || !(distance > 0.0) || !std::isfinite(distance))
                return "--mould takes a distance greater than 0, got '" + value + "'";
            options.mould = distance;
        } else if (name == "--snapshot") {
            if (value.empty())
                return "--snapshot needs a design";
            options.snapshot = value;
        }
    }
    if (shape->takesInput && !inputSeen)
        return options.command == "convert" ? "convert needs a POINTS file"
                                            : options.command + " needs a DESIGN";
    if (shape->needsOutput && !outputSeen)
        return options.command + " needs -o FILE";
    if (options.command == "export")
        return exportProblem(options);
    return "";
}

bool svgOutput(const std::string& output) {
    return endsWithCaseless(output, ".svg");
}

}  // namespace bowlyn::cli
