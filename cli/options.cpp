#include "cli/options.h"

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
    "  bowlyn-cli export DESIGN -o FILE [--set \"LABEL=TEXT\"]...\n"
    "  bowlyn-cli entities DESIGN [--set \"LABEL=TEXT\"]...\n"
    "  bowlyn-cli convert POINTS -o FILE\n"
    "  bowlyn-cli presets\n"
    "\n"
    "DESIGN is preset:NAME (any case, e.g. \"preset:Soprano Uke\"), clear, or the path of a\n"
    "parameter file (write ./clear for a file named clear). File names are used exactly as\n"
    "given. --set changes a field by its label after loading, as typing it would.\n"
    "-o - writes to standard output (render then prints the status line on stderr).\n"
    "check prints the status line, then each derived-value label and its text.\n"
    "check and render exit 0 for \"Status: OK\" and 1 for a problem (render writes the\n"
    "image either way); export exits 1 when there is no complete outline; convert exits 1\n"
    "when the file holds no usable point. Usage, load and write errors exit 2.\n";

namespace {

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
        {"export", true, true, {"-o", "--set"}},
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
        if (name == "--final") {
            if (inlineValue)
                return "--final takes no value";
            options.finalDrawing = true;
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
    return "";
}

}  // namespace bowlyn::cli
