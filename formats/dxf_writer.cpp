#include "formats/dxf_writer.h"

#include <charconv>
#include <cmath>
#include <initializer_list>

#include "model/number_text.h"

namespace bowlyn {
namespace {

void line(std::string& out, const std::string& text) {
    out += text;
    out += "\r\n";
}

// "% d" of a group code.
void code(std::string& out, int groupCode) {
    char buffer[16];
    buffer[0] = ' ';
    auto result = std::to_chars(buffer + 1, buffer + sizeof buffer, groupCode);
    char* start = buffer;
    if (groupCode < 0)
        ++start;  // "% d" puts no space before a minus sign
    line(out, std::string(start, result.ptr));
}

void text(std::string& out, int groupCode, const char* value) {
    code(out, groupCode);
    line(out, value);
}

void number(std::string& out, int groupCode, float value) {
    code(out, groupCode);
    line(out, dxfValue(value));
}

// The z values are always zero, written from a double as "%.16g".
void zero(std::string& out, int groupCode) {
    std::string value = doubleToText(0.0);
    code(out, groupCode);
    line(out, value[0] == '-' ? value : " " + value);
}

bool writable(const char* layer, std::initializer_list<float> values) {
    if (layer == nullptr || *layer == '\0')
        return false;
    for (float v : values) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

bool writeEntity(std::string& out, const Entity& e) {
    const char* layer = layerName(e.layer);
    const float* v = e.v;
    switch (recordedKind(e).value_or(EntityKind::End)) {
        case EntityKind::Point:
            return writeDxfPoint(out, layer, v[0], v[1]);
        case EntityKind::Line:
            return writeDxfLine(out, layer, v[0], v[1], v[2], v[3]);
        case EntityKind::Arc:
            return writeDxfArc(out, layer, v[0], v[1], v[2], v[3], v[4]);
        case EntityKind::Circle:
            return writeDxfCircle(out, layer, v[0], v[1], v[2]);
        case EntityKind::End:
            break;
    }
    return true;  // unknown kinds are skipped without output
}

}  // namespace

std::string dxfValue(float value) {
    std::string s = singleToText(value);
    return s[0] == '-' ? s : " " + s;
}

void writeDxfHeader(std::string& out) {
    text(out, 0, "SECTION");
    text(out, 2, "ENTITIES");
}

bool writeDxfPoint(std::string& out, const char* layer, float x, float y) {
    if (!writable(layer, {x, y}))
        return false;
    text(out, 0, "POINT");
    text(out, 8, layer);
    number(out, 10, x);
    number(out, 20, y);
    zero(out, 30);
    return true;
}

bool writeDxfLine(std::string& out, const char* layer, float x1, float y1, float x2, float y2) {
    if (!writable(layer, {x1, y1, x2, y2}))
        return false;
    text(out, 0, "LINE");
    text(out, 8, layer);
    number(out, 10, x1);
    number(out, 20, y1);
    zero(out, 30);
    number(out, 11, x2);
    number(out, 21, y2);
    zero(out, 31);
    return true;
}

bool writeDxfArc(std::string& out, const char* layer, float cx, float cy, float r, float startAngle,
                 float endAngle) {
    if (!writable(layer, {cx, cy, r, startAngle, endAngle}))
        return false;
    text(out, 0, "ARC");
    text(out, 8, layer);
    number(out, 10, cx);
    number(out, 20, cy);
    zero(out, 30);
    number(out, 40, r);
    number(out, 50, startAngle);
    number(out, 51, endAngle);
    return true;
}

bool writeDxfCircle(std::string& out, const char* layer, float cx, float cy, float r) {
    if (!writable(layer, {cx, cy, r}))
        return false;
    text(out, 0, "CIRCLE");
    text(out, 8, layer);
    number(out, 10, cx);
    number(out, 20, cy);
    zero(out, 30);
    number(out, 40, r);
    return true;
}

void writeDxfFooter(std::string& out) {
    text(out, 0, "ENDSEC");
    text(out, 0, "EOF");
}

std::optional<std::string> dxfText(const EntityList& entities) {
    std::string out;
    writeDxfHeader(out);
    for (const Entity& e : entities.entities()) {
        if (recordedKind(e) == EntityKind::End)
            break;  // the end marker
        if (!writeEntity(out, e))
            return std::nullopt;
    }
    writeDxfFooter(out);
    return out;
}

}  // namespace bowlyn
