#include "trace/read_outline.h"

#include "model/points_file.h"
#include "model/text_case.h"
#include "trace/dxf_reader.h"
#include "trace/image_reader.h"
#include "trace/points_reader.h"
#include "trace/svg_reader.h"

namespace bowlyn {
namespace {

// Pictures come large from scanners; drawings in SVG or DXF are smaller, and
// their readers hold every part of them at once.
constexpr std::size_t PICTURE_MAX_BYTES = 64u << 20;
constexpr std::size_t DRAWING_MAX_BYTES = 32u << 20;

enum class Kind { Points, Svg, Dxf, Picture };

bool endsWith(const std::string& name, const char* suffix) {
    const std::string lower = lowerCase(name);
    const std::string s = suffix;
    return lower.size() >= s.size() && lower.compare(lower.size() - s.size(), s.size(), s) == 0;
}

Kind kindOf(const std::string& name, const std::string& bytes) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if ((bytes.size() >= 4 && byte(0) == 0x89 && bytes.compare(1, 3, "PNG") == 0) ||
        (bytes.size() >= 3 && byte(0) == 0xff && byte(1) == 0xd8 && byte(2) == 0xff))
        return Kind::Picture;
    if (endsWith(name, ".png") || endsWith(name, ".jpg") || endsWith(name, ".jpeg"))
        return Kind::Picture;
    if (endsWith(name, ".svg"))
        return Kind::Svg;
    if (endsWith(name, ".dxf"))
        return Kind::Dxf;
    const std::string head = bytes.substr(0, 4096);
    if (head.find("<svg") != std::string::npos)
        return Kind::Svg;
    const size_t first = head.find_first_not_of(" \t\r\n");
    if (first != std::string::npos && head.compare(first, 1, "0") == 0 &&
        head.find("SECTION") != std::string::npos)
        return Kind::Dxf;
    return Kind::Points;
}

std::string sizeLimit(std::size_t bytes) {
    return "the file is larger than " + std::to_string(bytes >> 20) + " MB";
}

}  // namespace

TracedOutline outlineFromBytes(const std::string& name, const std::string& bytes,
                               const OutlineReading& reading) {
    const std::string unitHint = "give it with --in in|mm|cm";
    switch (kindOf(name, bytes)) {
        case Kind::Picture: {
            TracedOutline outline = outlineOf(readImageOutline(bytes, reading.dpi), std::nullopt,
                                              "give the picture's resolution with --dpi N");
            outline.inches = true;  // its resolution is per inch
            return outline;
        }
        case Kind::Svg:
            return outlineOf(readSvgOutline(bytes), reading.mmPerUnit, unitHint);
        case Kind::Dxf:
            return outlineOf(readDxfOutline(bytes), reading.mmPerUnit, unitHint);
        case Kind::Points:
            break;
    }
    TracedOutline result;
    std::string text;
    if (bytes.size() > POINTS_FILE_MAX_BYTES || !normalisedPointsText(bytes, text)) {
        result.fileError = true;
        result.problem = "the file is larger than " + std::to_string(POINTS_FILE_MAX_BYTES >> 20) +
                         " MB or longer than " + std::to_string(POINTS_FILE_MAX_LINES) + " lines";
        return result;
    }
    return outlineOf(readPointsOutline(text), reading.mmPerUnit, unitHint);
}

TracedOutline readOutline(const std::string& path, const OutlineReading& reading) {
    TracedOutline result;
    result.fileError = true;
    std::string bytes;
    switch (readBoundedFile(path, PICTURE_MAX_BYTES, bytes)) {
        case PointsFileResult::Read:
            break;
        case PointsFileResult::NotFound:
            result.problem = "file not found";
            return result;
        case PointsFileResult::NotRegularFile:
            result.problem = "not a regular file";
            return result;
        case PointsFileResult::TooLarge:
            result.problem = sizeLimit(PICTURE_MAX_BYTES);
            return result;
        case PointsFileResult::ReadError:
            result.problem = "the file could not be read";
            return result;
    }
    const Kind kind = kindOf(path, bytes);
    if ((kind == Kind::Svg || kind == Kind::Dxf) && bytes.size() > DRAWING_MAX_BYTES) {
        result.problem = sizeLimit(DRAWING_MAX_BYTES);
        return result;
    }
    return outlineFromBytes(path, bytes, reading);
}

}  // namespace bowlyn
