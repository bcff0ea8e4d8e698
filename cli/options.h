#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "commands/export_formats.h"
#include "model/design_parameters.h"
#include "model/export_settings.h"

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
    // An export's option that picks a format among those of the name's
    // extension (--cam), "" when none is given.
    std::string formatFlag;
    std::optional<LengthUnit> unit;        // --units in|mm|cm
    std::optional<DesignUnits> convertTo;  // --convert-to in|cm
    std::optional<double> mould;           // --mould DISTANCE in the export's unit
    std::optional<Paper> paper;            // --paper a4|letter|a3|tabloid|full
    std::optional<double> overlap;         // --overlap MM
    std::optional<double> scaleX, scaleY;  // --scale-x PCT, --scale-y PCT
    std::optional<LengthUnit> inUnit;      // --in in|mm|cm: the unit of an outline without one
    std::optional<double> dpi;             // --dpi N: pixels per inch of a scanned outline
    std::optional<int> size;               // --size PIXELS of a thumbnail
    std::optional<DxfVersion> dxfVersion;  // --dxf 12|2000
    std::optional<double> flatten;         // --flatten TOLERANCE in the file's unit
    // What an export writes, from the table of formats: the name's extension
    // decides (any case); a name without one of the table's extensions gets
    // the extension of the only formats that take a setting given (a
    // template's paper: .pdf) and else the first format's (.dxf).
    const ExportFormat* format = nullptr;
    bool help = false;
};

// The settings an export's options give, the others as they are by default.
ExportSettings exportSettings(const Options& options);

// The extension among the export formats' that `name` ends in, in any case;
// "" for none.
std::string knownExtension(const std::string& name);

// Fills `options` from argv; on a malformed line returns the reason.
std::string parseOptions(int argc, char** argv, Options& options);

extern const char* const USAGE;

}  // namespace bowlyn::cli
