#include "formats/dxf_writer.h"

#include <charconv>
#include <cmath>

#include "formats/export_numbers.h"
#include "model/number_text.h"
#include "model/text_case.h"

namespace bowlyn {

std::string dxfValue(float value) {
    std::string s = singleToText(value);
    return s[0] == '-' ? s : " " + s;
}

const char* dxfEntityName(StrokeKind kind) {
    switch (kind) {
        case StrokeKind::Point:
            return "POINT";
        case StrokeKind::Line:
            return "LINE";
        case StrokeKind::Arc:
            return "ARC";
        case StrokeKind::Circle:
            break;
    }
    return "CIRCLE";
}

DxfWriter DxfWriter::plain() {
    return DxfWriter(-1);
}

DxfWriter DxfWriter::fixed(int lengthDecimals) {
    return DxfWriter(lengthDecimals);
}

void DxfWriter::line(const std::string& s) {
    out_ += s;
    out_ += "\r\n";
}

void DxfWriter::code(int groupCode) {
    char c[16];
    char* end = std::to_chars(c, c + sizeof c, groupCode).ptr;
    if (decimals_ < 0) {
        // "% d": a space, except before a minus sign.
        if (groupCode >= 0)
            out_ += ' ';
    } else {
        out_.append(end - c < 3 ? 3 - (end - c) : 0, ' ');
    }
    out_.append(c, end);
    out_ += "\r\n";
}

void DxfWriter::text(int groupCode, const std::string& value) {
    code(groupCode);
    line(value);
}

void DxfWriter::integer(int groupCode, int value) {
    text(groupCode, std::to_string(value));
}

void DxfWriter::length(int groupCode, double value) {
    if (decimals_ < 0)
        text(groupCode, dxfValue(static_cast<float>(value)));
    else
        number(groupCode, value, decimals_);
}

void DxfWriter::angle(int groupCode, double degrees) {
    if (decimals_ < 0)
        text(groupCode, dxfValue(static_cast<float>(degrees)));
    else
        number(groupCode, degrees, DEGREE_DECIMALS);
}

void DxfWriter::number(int groupCode, double value, int decimals) {
    code(groupCode);
    appendFixed(out_, value, decimals);
    out_ += "\r\n";
}

void DxfWriter::point(int k, double x, double y) {
    length(10 + k, x);
    length(20 + k, y);
    // z is always 0, as either format writes a length of 0.
    text(30 + k, decimals_ < 0 ? " 0" : "0");
}

void DxfWriter::useHandles(unsigned firstHandle, unsigned owner) {
    handles_ = true;
    handle_ = firstHandle;
    owner_ = owner;
}

void DxfWriter::handle(int groupCode, unsigned h) {
    char c[16];
    text(groupCode, upperCase(std::string(c, std::to_chars(c, c + sizeof c, h, 16).ptr)));
}

void DxfWriter::beginEntity(const char* type, const char* layer, const char* subclass) {
    text(0, type);
    if (handles_) {
        handle(5, takeHandle());
        handle(330, owner_);
        text(100, "AcDbEntity");
    }
    text(8, layer);
    if (handles_ && *subclass)
        text(100, subclass);
}

namespace {

const char* subclassOf(StrokeKind kind) {
    switch (kind) {
        case StrokeKind::Point:
            return "AcDbPoint";
        case StrokeKind::Line:
            return "AcDbLine";
        case StrokeKind::Arc:
        case StrokeKind::Circle:
            break;
    }
    return "AcDbCircle";
}

}  // namespace

bool DxfWriter::entity(const Stroke& s) {
    const char* layer = layerName(s.layer);
    if (*layer == '\0')
        return false;
    const double* v = s.v;
    for (int i = 0; i < valueCount(s.kind); ++i) {
        // Singles as they are written, or the converted lengths themselves.
        const bool asRecorded = decimals_ < 0 || (s.kind == StrokeKind::Arc && i >= 3);
        if (!std::isfinite(asRecorded ? recordedValue(s, i) : v[i]))
            return false;
    }
    beginEntity(dxfEntityName(s.kind), layer, subclassOf(s.kind));
    point(0, v[0], v[1]);
    if (s.kind == StrokeKind::Line)
        point(1, v[2], v[3]);
    if (s.kind == StrokeKind::Arc || s.kind == StrokeKind::Circle)
        length(40, v[2]);
    if (s.kind == StrokeKind::Arc) {
        if (handles_)
            text(100, "AcDbArc");
        angle(50, recordedValue(s, 3));
        angle(51, recordedValue(s, 4));
    }
    return true;
}

std::optional<std::string> plainDxfText(const StrokeList& strokes) {
    DxfWriter out = DxfWriter::plain();
    out.text(0, "SECTION");
    out.text(2, "ENTITIES");
    bool written = true;
    forEachRecorded(strokes, [&](const Stroke& s) { written = written && out.entity(s); });
    if (!written)
        return std::nullopt;
    out.text(0, "ENDSEC");
    out.text(0, "EOF");
    return out.take();
}

}  // namespace bowlyn
