#include "formats/dxf_writer.h"

#include <charconv>
#include <cmath>

#include "formats/export_numbers.h"
#include "model/number_text.h"

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
    text(0, dxfEntityName(s.kind));
    text(8, layer);
    point(0, v[0], v[1]);
    if (s.kind == StrokeKind::Line)
        point(1, v[2], v[3]);
    if (s.kind == StrokeKind::Arc || s.kind == StrokeKind::Circle)
        length(40, v[2]);
    if (s.kind == StrokeKind::Arc) {
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

namespace {

void header(DxfWriter& out, const ExportDrawing& d) {
    out.text(0, "SECTION");
    out.text(2, "HEADER");
    out.text(9, "$ACADVER");
    out.text(1, "AC1009");
    out.text(9, "$INSUNITS");
    out.integer(70, dxfUnitsCode(d.unit));
    out.text(9, "$MEASUREMENT");
    out.integer(70, d.unit == LengthUnit::Inch ? 0 : 1);  // 0 imperial, 1 metric
    out.text(9, "$EXTMIN");
    out.point(0, d.extent.minX, d.extent.minY);
    out.text(9, "$EXTMAX");
    out.point(0, d.extent.maxX, d.extent.maxY);
    out.text(0, "ENDSEC");
}

void layerEntry(DxfWriter& out, const std::string& name, int colour) {
    out.text(0, "LAYER");
    out.text(2, name);
    out.integer(70, 0);
    out.integer(62, colour);
    out.text(6, "CONTINUOUS");
}

void tables(DxfWriter& out, const ExportDrawing& d) {
    out.text(0, "SECTION");
    out.text(2, "TABLES");
    out.text(0, "TABLE");
    out.text(2, "LTYPE");
    out.integer(70, 1);
    out.text(0, "LTYPE");
    out.text(2, "CONTINUOUS");
    out.integer(70, 0);
    out.text(3, "Solid line");
    out.integer(72, 65);
    out.integer(73, 0);
    out.text(40, "0");
    out.text(0, "ENDTAB");

    out.text(0, "TABLE");
    out.text(2, "LAYER");
    out.integer(70, static_cast<int>(d.layers.size()) + 1);
    // Layer 0 exists in every drawing; CAD programs expect it in the table.
    layerEntry(out, layerName(Layer::Zero), 7);
    for (const ExportLayer& l : d.layers)
        layerEntry(out, layerName(l.layer), l.dxfColour);
    out.text(0, "ENDTAB");
    out.text(0, "ENDSEC");
}

void polyline(DxfWriter& out, const Contour& c) {
    const char* layer = layerName(c.layer);
    out.text(0, "POLYLINE");
    out.text(8, layer);
    out.integer(66, 1);  // vertices follow
    out.point(0, 0.0, 0.0);
    out.integer(70, 1);  // closed: the last vertex joins the first
    for (const ContourEdge& e : c.edges) {
        out.text(0, "VERTEX");
        out.text(8, layer);
        out.point(0, e.x, e.y);
        if (e.sweep != 0.0)
            out.number(42, edgeBulge(e), BULGE_DECIMALS);
    }
    out.text(0, "SEQEND");
    out.text(8, layer);
}

void text(DxfWriter& out, Layer layer, const TemplateText& t) {
    out.text(0, "TEXT");
    out.text(8, layerName(layer));
    out.point(0, t.x, t.y);
    out.length(40, t.height);
    out.text(1, t.text);
    if (t.align != TemplateText::Align::Left) {
        // Centred or right-aligned text stands on its second point.
        out.integer(72, t.align == TemplateText::Align::Centre ? 1 : 2);
        out.point(1, t.x, t.y);
    }
}

}  // namespace

std::string camDxfText(const ExportDrawing& d) {
    DxfWriter out = DxfWriter::fixed(lengthDecimals(d.bodyReach));
    size_t vertices = 0;
    for (const Contour& loop : d.loops)
        vertices += loop.edges.size();
    // Room for the tables and about 200 bytes an item or vertex.
    out.reserve(2048 + 200 * (d.items.size() + d.texts.size() + vertices));
    header(out, d);
    tables(out, d);
    out.text(0, "SECTION");
    out.text(2, "ENTITIES");
    for (const Contour& loop : d.loops)
        polyline(out, loop);
    for (const Stroke& item : d.items)
        out.entity(item);
    for (const DrawingText& t : d.texts)
        text(out, t.layer, t.text);
    out.text(0, "ENDSEC");
    out.text(0, "EOF");
    return out.take();
}

}  // namespace bowlyn
