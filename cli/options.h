#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bowlyn::cli {

// What one command line asks for. Parsing checks only the shape of the line
// (which options the command takes, that values are present); whether the
// design, the labels and the files exist is decided when they are used.
struct Options {
    std::string command;
    std::string input;   // DESIGN, POINTS for convert, OUTLINE for fit
    std::string output;  // -o
    bool finalDrawing = false;
    std::vector<std::pair<std::string, std::string>> sets;  // LABEL, TEXT in order
    std::string points;                                     // --points, "" when not given
    std::string outline;   // --outline: a traced outline shown behind the design, "" when not given
    std::string snapshot;  // --snapshot, "" when not given
    bool cam = false;      // --cam: the DXF for CAM programs
    std::string units;     // --units in|mm|cm, "" when not given
    std::optional<double> mould;           // --mould DISTANCE in the export's unit
    std::string paper;                     // --paper a4|letter|a3|tabloid|full, "" when not given
    std::optional<double> overlap;         // --overlap MM
    std::optional<double> scaleX, scaleY;  // --scale-x PCT, --scale-y PCT
    std::string inUnit;                    // --in in|mm|cm: the unit of an outline without one
    std::optional<double> dpi;             // --dpi N: pixels per inch of a scanned outline
    std::optional<int> size;               // --size PIXELS of a thumbnail
    bool help = false;
};

// Fills `options` from argv; on a malformed line returns the reason.
std::string parseOptions(int argc, char** argv, Options& options);

// Whether an export's -o names an SVG file (".svg" in any case).
bool svgOutput(const std::string& output);

// What an export writes: the name's extension decides (any case); a name
// without .dxf, .svg or .pdf gives a PDF when an option of the paper
// template is given and a DXF otherwise.
enum class ExportKind { PlainDxf, CamDxf, Svg, Pdf };
ExportKind exportKind(const Options& options);
// The extension of what an export writes (".dxf", ".svg" or ".pdf"): added to
// a name without one of the three, and named when the export is refused.
const char* exportExtension(const Options& options);

extern const char* const USAGE;

}  // namespace bowlyn::cli
