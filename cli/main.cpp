// bowlyn-cli: the program's core without a window. Loads a design, applies
// field changes, runs one recompute pass and reports, renders, saves,
// exports or measures it; converts transcription points into a design.
#include <unistd.h>

#include <array>
#include <charconv>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <utility>

#include "cli/options.h"
#include "commands/file_commands.h"
#include "derive/measurements.h"
#include "derive/solved_design.h"
#include "fit/body_fit.h"
#include "fit/fit_report.h"
#include "fit/outline_import.h"
#include "formats/dxf_writer.h"
#include "formats/fret_table.h"
#include "geometry/overlays.h"
#include "geometry/pass_texts.h"
#include "geometry/recompute.h"
#include "model/atomic_file.h"
#include "model/form_editing.h"
#include "model/in_place_write.h"
#include "model/output_table.h"
#include "model/parameter_file.h"
#include "model/points_file.h"
#include "model/presets.h"
#include "model/text_case.h"
#include "model/unit_conversion.h"
#include "paper/thumbnail.h"
#include "render/drawing_surface.h"
#include "trace/read_outline.h"

namespace bowlyn::cli {
namespace {

constexpr int EXIT_OK = 0;
constexpr int EXIT_PROBLEM = 1;  // a design problem or a refusal
constexpr int EXIT_ERROR = 2;    // usage, load or write error

// Thrown for anything that ends the run with a message and EXIT_ERROR.
struct Failure {
    std::string message;
};

std::string quoted(const std::string& prefix, const std::string& name) {
    return prefix + "'" + name + "'";
}

// preset:NAME, clear, or a parameter file, loaded as the window loads it.
void loadDesign(Design& design, const std::string& name) {
    const std::string prefix = "preset:";
    if (lowerCase(name.substr(0, prefix.size())) == prefix) {
        std::string preset = name.substr(prefix.size());
        int row = presetByName(preset);
        if (row < 0)
            throw Failure{quoted("Unknown preset: ", preset) + " (see bowlyn-cli presets)"};
        loadTexts(design, presetTexts(row));
    } else if (name == "clear") {
        loadTexts(design, presetTexts(CLEAR_ROW));
    } else {
        if (!fileExists(name))
            throw Failure{"File not found: '" + name + "'"};
        FieldTexts texts;
        switch (readParameterFile(name, texts)) {
            case ReadResult::Loaded:
                loadTexts(design, texts);
                break;
            case ReadResult::NotFound:
                throw Failure{"File not found: '" + name + "'"};
            case ReadResult::NotParameterFile:
                throw Failure{"File not a Bowlyn parameter file: '" + name + "'"};
        }
    }
}

void applySets(Design& design, const Options& options) {
    for (const auto& [label, text] : options.sets) {
        int field = fieldByLabel(label);
        if (field == 0)
            throw Failure{quoted("Unknown field label: ", label)};
        setFieldText(design, field, text);
    }
}

// The points of a file, as the points dialog would hold them.
std::string pointsText(const std::string& path) {
    std::string text;
    switch (readPointsFile(path, text)) {
        case PointsFileResult::Read:
            return text;
        case PointsFileResult::NotFound:
            throw Failure{"File not found: '" + path + "'"};
        case PointsFileResult::NotRegularFile:
            throw Failure{"Not a points file (not a regular file): '" + path + "'"};
        case PointsFileResult::TooLarge:
            throw Failure{"Points file too large: '" + path + "' (the limit is " +
                          std::to_string(POINTS_FILE_MAX_BYTES >> 20) + " MB and " +
                          std::to_string(POINTS_FILE_MAX_LINES) + " lines)"};
        case PointsFileResult::ReadError:
            break;
    }
    throw Failure{"Could not read '" + path + "'"};
}

// "-o -" names standard output, for every command that writes.
bool toStandardOutput(const std::string& path) {
    return path == "-" || descriptorNamedBy(path) == STDOUT_FILENO;
}

void writeOrFail(const std::string& path, const std::string& bytes) {
    std::cout.flush();
    std::string failure =
        path == "-" ? writeToDescriptor(STDOUT_FILENO, bytes) : writeFileAtomically(path, bytes);
    if (!failure.empty())
        throw Failure{"Could not write '" + path + "': " + failure};
}

// What one run works on: the design and its overlays.
struct Run {
    Design design;
    Overlays overlays;
};

// What --in and --dpi say about an outline file.
OutlineReading outlineReading(const Options& options) {
    OutlineReading reading;
    if (options.inUnit)
        reading.mmPerUnit = UnitScale(*options.inUnit, LengthUnit::Millimetre)(1.0);
    reading.dpi = options.dpi.value_or(0.0);
    return reading;
}

// The pass check and render report: the snapshot design first (its outline
// kept as the snapshot), then the design itself with its changes and the
// points, then one pass.
PassResult preparePass(Run& run, const Options& options) {
    if (!options.snapshot.empty()) {
        loadDesign(run.design, options.snapshot);
        const PassResult snapshotPass =
            recompute(run.design.params, run.overlays, DrawingMode::Working);
        if (!snapshotPass.ok()) {
            throw Failure{"Snapshot design '" + options.snapshot +
                          "' has no complete outline: " + statusText(snapshotPass)};
        }
        run.overlays.snapshot = snapshotPass.outline;
        run.overlays.showSnapshot = true;
    }
    loadDesign(run.design, options.input);
    applySets(run.design, options);
    if (!options.points.empty()) {
        parseTransPoints(run.overlays, pointsText(options.points));
        run.overlays.showTransPoints = true;
    }
    if (!options.outline.empty()) {
        std::optional<ImportedOutline> imported;
        const std::string problem =
            importOutline(run.overlays, run.design.params.units, options.outline,
                          outlineReading(options), imported);
        if (!problem.empty())
            throw Failure{problem};
        run.overlays.showTracedOutline = true;
    }
    return recompute(run.design.params, run.overlays,
                     options.finalDrawing ? DrawingMode::Final : DrawingMode::Working);
}

int passExit(const PassResult& result) {
    return result.ok() ? EXIT_OK : EXIT_PROBLEM;
}

int check(Run& run, const Options& options) {
    const PassResult result = preparePass(run, options);
    std::cout << statusText(result) << '\n';
    const std::array<std::string, 11> texts = derivedValueTexts(result.derived);
    const std::vector<int> labels = outputsOf(OutputKind::Derived);
    for (size_t i = 0; i < texts.size(); ++i)
        std::cout << output(labels[i]).widget << '\t' << texts[i] << '\n';
    if (!result.ok())
        return EXIT_PROBLEM;
    // The outline is sound; a depth that measure and export would refuse is
    // refused here too, after it, as measure does.
    const std::string depthProblem = designDepths(run.design).problem;
    if (!depthProblem.empty()) {
        std::cerr << depthProblem << '\n';
        return EXIT_PROBLEM;
    }
    return EXIT_OK;
}

int render(Run& run, const Options& options) {
    const PassResult result = preparePass(run, options);
    DrawingSurface image;
    image.paint(result.strokes, result.view.value_or(ViewTransform{}));
    const std::optional<std::string> png = pngBytes(image.cairo());
    if (!png)
        throw Failure{"Could not write '" + options.output + "': the image could not be encoded"};
    writeOrFail(options.output, *png);
    // The status line must not end up inside an image written to standard output.
    (toStandardOutput(options.output) ? std::cerr : std::cout) << statusText(result) << '\n';
    return passExit(result);
}

int save(Run& run, const Options& options) {
    loadDesign(run.design, options.input);
    applySets(run.design, options);
    if (options.convertTo)
        convertDesignUnits(run.design, *options.convertTo);
    writeOrFail(options.output, parameterFileText(run.design));
    return EXIT_OK;
}

PassResult runFinalPass(Run& run, const Options& options) {
    loadDesign(run.design, options.input);
    applySets(run.design, options);
    return recompute(run.design.params, run.overlays, DrawingMode::Final);
}

// The name an export writes: a name without one of the formats' extensions
// (any case) gets the extension of what is written, except "-" and names
// written as they are, such as /dev/stdout or a pipe.
std::string exportPath(const Options& options) {
    const std::string& output = options.output;
    const bool known = !knownExtension(output).empty();
    return known || output == "-" || writtenAsNamed(output) ? output
                                                            : output + options.format->extension();
}

// The window's export, made by the same writer from the same table. Without a
// complete outline the refusal names the format's extension.
int exportDesign(Run& run, const Options& options) {
    const ExportFormat& format = *options.format;
    const PassResult result = runFinalPass(run, options);
    const std::optional<SolvedDesign> solved = solvedDesign(result, run.design);
    if (!solved) {
        std::cerr << outlineIncompleteMessage(format.extension()) << '\n';
        return EXIT_PROBLEM;
    }
    const std::string path = exportPath(options);
    const ExportFile file = format.write(*solved, exportSettings(options), designTitle(run.design));
    if (!file.failure.empty())
        throw Failure{"Could not write '" + options.output + "': " + file.failure};
    if (!file.notice.empty())
        std::cerr << file.notice << '\n';
    if (!file.problem.empty()) {
        std::cerr << file.problem << '\n';
        return EXIT_PROBLEM;
    }
    writeOrFail(path, file.bytes);
    // A template says how many sheets it takes; beside a file written to
    // standard output the line goes to stderr.
    if (!file.summary.empty())
        (toStandardOutput(path) ? std::cerr : std::cout) << path << ": " << file.summary << '\n';
    return EXIT_OK;
}

// Twelve significant digits: more than any tool can hold to, and enough to
// compare with a file's own numbers.
std::string measureText(double v) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 12);
    return std::string(buffer, result.ptr);
}

int measure(Run& run, const Options& options) {
    const PassResult result = runFinalPass(run, options);
    std::optional<SolvedDesign> solved = solvedDesign(result, run.design);
    if (!result.ok() || !solved) {
        std::cout << statusText(result) << '\n';
        return EXIT_PROBLEM;
    }
    const MeasureResult m = measureDesign(*solved, options.unit);
    if (!m.notice.empty())
        std::cerr << m.notice << '\n';
    if (!m.problem.empty()) {
        std::cerr << m.problem << '\n';
        return EXIT_PROBLEM;
    }
    const OutlineMeasurements& v = m.values;
    const std::string unit = unitName(v.unit), square = unit + "^2";
    auto print = [](const char* name, double value, const std::string& u) {
        std::cout << name << '\t' << measureText(value) << '\t' << u << '\n';
    };
    print("perimeter", v.perimeter, unit);
    print("area", v.area, square);
    print("length", v.length, unit);
    print("width", v.width, unit);
    if (v.hasFretboard)
        print("fretboard area", v.fretboardArea, square);
    if (v.hasVolume) {
        print("volume", v.volume, unit + "^3");
        print("volume", v.litres, "L");
    }
    if (v.hasResonance)
        print("air resonance", v.resonance, "Hz");
    if (!m.depthProblem.empty()) {
        std::cerr << m.depthProblem << '\n';
        return EXIT_PROBLEM;
    }
    return EXIT_OK;
}

// The fret table of a design with a fretboard, in --units or the design's unit.
int frets(Run& run, const Options& options) {
    const PassResult result = runFinalPass(run, options);
    const std::optional<SolvedDesign> solved = solvedDesign(result, run.design);
    if (!result.ok() || !solved) {
        std::cout << statusText(result) << '\n';
        return EXIT_PROBLEM;
    }
    if (solved->frets.empty()) {
        std::cerr << FRET_TABLE_NEEDS_FRETBOARD << '\n';
        return EXIT_PROBLEM;
    }
    const LengthUnit own = designUnit(solved->units);
    std::cout << fretTableText(fretTable(solved->frets, own, options.unit.value_or(own)));
    return EXIT_OK;
}

// Shortest text that reads back as the same single: the exact recorded value.
std::string exactText(float v) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

// The entity list of a final pass, one entity a line with exact values, so
// that an exported file can be checked against what the pass recorded.
int entities(Run& run, const Options& options) {
    const PassResult result = runFinalPass(run, options);
    // The entity list is what the plain DXF holds.
    if (!result.ok()) {
        std::cerr << outlineIncompleteMessage(".dxf") << '\n';
        return EXIT_PROBLEM;
    }
    for (const Stroke& s : recordedStrokes(result.strokes)) {
        std::cout << dxfEntityName(s.kind) << '\t' << layerName(s.layer);
        for (int i = 0; i < valueCount(s.kind); ++i)
            std::cout << '\t' << exactText(recordedValue(s, i));
        std::cout << '\n';
    }
    return EXIT_OK;
}

// The picture a file manager shows: the final drawing fitted into --size
// pixels. Without a complete outline nothing is written, so that the file
// manager keeps its own icon rather than a blank picture.
int thumbnail(Run& run, const Options& options) {
    const PassResult result = runFinalPass(run, options);
    const std::optional<SolvedDesign> solved = solvedDesign(result, run.design);
    if (!solved) {
        std::cerr << (result.ok() ? outlineIncompleteMessage(".png") : statusText(result)) << '\n';
        return EXIT_PROBLEM;
    }
    const std::optional<std::string> png =
        thumbnailPng(*solved, options.size.value_or(THUMBNAIL_DEFAULT_SIZE));
    if (!png)
        throw Failure{"Could not write '" + options.output + "': the image could not be made"};
    writeOrFail(options.output, *png);
    return EXIT_OK;
}

int convert(Run& run, const Options& options) {
    parseTransPoints(run.overlays, pointsText(options.input));
    // The conversion uses only points with both coordinates at least 0.
    const std::optional<FieldTexts> texts = convertTransPoints(run.overlays);
    if (!texts) {
        std::cerr << "No usable transcription point in '" << options.input
                  << "': a line must read x,y with both numbers at least 0.\n";
        return EXIT_PROBLEM;
    }
    loadTexts(run.design, *texts);
    writeOrFail(options.output, parameterFileText(run.design));
    return EXIT_OK;
}

int fit(Run& run, const Options& options) {
    const TracedOutline outline = readOutline(options.input, outlineReading(options));
    if (outline.fileError)
        throw Failure{"Could not read '" + options.input + "': " + outline.problem};
    const std::string refusal = "Cannot fit a design to '" + options.input + "': ";
    if (!outline.problem.empty()) {
        std::cerr << refusal << outline.problem << '\n';
        return EXIT_PROBLEM;
    }
    const bool inches = options.unit ? *options.unit == LengthUnit::Inch : outline.inches;
    const OutlineFit result =
        fitOutline(outline, inches ? UNITS_INCH : UNITS_CM, outlineName(options.input));
    if (!result.problem.empty()) {
        std::cerr << refusal << result.problem << '\n';
        return EXIT_PROBLEM;
    }
    loadTexts(run.design, result.texts);
    writeOrFail(options.output, parameterFileText(run.design));
    std::ostream& out = toStandardOutput(options.output) ? std::cerr : std::cout;
    for (const ReportLine& line : fitReport(result))
        out << line.name << '\t' << line.value << '\t' << line.unit << '\n';
    return EXIT_OK;
}

int listPresets() {
    for (int row = 1; row <= PRESET_COUNT; ++row)
        std::cout << presetName(row) << '\n';
    return EXIT_OK;
}

int run(const Options& options) {
    if (options.command == "presets")
        return listPresets();
    Run run;
    if (options.command == "check")
        return check(run, options);
    if (options.command == "render")
        return render(run, options);
    if (options.command == "save")
        return save(run, options);
    if (options.command == "export")
        return exportDesign(run, options);
    if (options.command == "measure")
        return measure(run, options);
    if (options.command == "frets")
        return frets(run, options);
    if (options.command == "entities")
        return entities(run, options);
    if (options.command == "fit")
        return fit(run, options);
    if (options.command == "thumbnail")
        return thumbnail(run, options);
    return convert(run, options);
}

}  // namespace
}  // namespace bowlyn::cli

int main(int argc, char** argv) {
    using namespace bowlyn::cli;
    // Take the user's locale as the window does at start-up, so that the
    // command line meets the same conditions: every number it reads or
    // writes must still use ".".
    std::setlocale(LC_ALL, "");
    // A file size limit (ulimit -f) must make a write fail with EFBIG, to be
    // reported like a full disk, not kill the program half way.
    std::signal(SIGXFSZ, SIG_IGN);
    Options options;
    std::string error = parseOptions(argc, argv, options);
    if (options.help) {
        std::cout << USAGE;
        return EXIT_OK;
    }
    if (!error.empty()) {
        std::cerr << "bowlyn-cli: " << error << "\n" << USAGE;
        return EXIT_ERROR;
    }
    try {
        return run(options);
    } catch (const Failure& failure) {
        std::cerr << failure.message << '\n';
        return EXIT_ERROR;
    }
}
