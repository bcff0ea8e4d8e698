#include "export/cam_dxf.h"

#include <charconv>

#include "export/export_numbers.h"

namespace bowlyn {
namespace {

class DxfOut {
  public:
    explicit DxfOut(int decimals) : decimals_(decimals) {}

    // A group code right-aligned in three columns, as AutoCAD writes it.
    void code(int groupCode) {
        char c[8];
        char* end = std::to_chars(c, c + sizeof c, groupCode).ptr;
        out_.append(end - c < 3 ? 3 - (end - c) : 0, ' ');
        out_.append(c, end);
        out_ += "\r\n";
    }
    void text(int groupCode, const std::string& value) {
        code(groupCode);
        line(value);
    }
    void integer(int groupCode, int value) { text(groupCode, std::to_string(value)); }
    void length(int groupCode, double value) { number(groupCode, value, decimals_); }
    void number(int groupCode, double value, int decimals) {
        code(groupCode);
        appendFixed(out_, value, decimals);
        out_ += "\r\n";
    }
    // x, y and z (always 0) of a point under codes 10 + k, 20 + k, 30 + k.
    void point(int k, double x, double y) {
        length(10 + k, x);
        length(20 + k, y);
        text(30 + k, "0");
    }

    std::string take() { return std::move(out_); }
    void reserve(size_t bytes) { out_.reserve(bytes); }

  private:
    void line(const std::string& s) {
        out_ += s;
        out_ += "\r\n";
    }

    std::string out_;
    int decimals_;
};

void header(DxfOut& out, const ExportDrawing& d) {
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

void layer(DxfOut& out, const std::string& name, int colour) {
    out.text(0, "LAYER");
    out.text(2, name);
    out.integer(70, 0);
    out.integer(62, colour);
    out.text(6, "CONTINUOUS");
}

void tables(DxfOut& out, const ExportDrawing& d) {
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
    layer(out, "0", 7);
    for (const ExportLayer& l : d.layers)
        layer(out, l.name, l.dxfColour);
    out.text(0, "ENDTAB");
    out.text(0, "ENDSEC");
}

void polyline(DxfOut& out, const std::string& layerName, const Contour& c) {
    out.text(0, "POLYLINE");
    out.text(8, layerName);
    out.integer(66, 1);  // vertices follow
    out.point(0, 0.0, 0.0);
    out.integer(70, 1);  // closed: the last vertex joins the first
    for (const ContourEdge& e : c.edges) {
        out.text(0, "VERTEX");
        out.text(8, layerName);
        out.point(0, e.x, e.y);
        if (e.sweep != 0.0)
            out.number(42, edgeBulge(e), BULGE_DECIMALS);
    }
    out.text(0, "SEQEND");
    out.text(8, layerName);
}

void item(DxfOut& out, const std::string& layerName, const ExportItem& it) {
    const double* v = it.v;
    switch (it.kind) {
        case ExportItem::Kind::Point:
            out.text(0, "POINT");
            out.text(8, layerName);
            out.point(0, v[0], v[1]);
            break;
        case ExportItem::Kind::Line:
            out.text(0, "LINE");
            out.text(8, layerName);
            out.point(0, v[0], v[1]);
            out.point(1, v[2], v[3]);
            break;
        case ExportItem::Kind::Arc:
            out.text(0, "ARC");
            out.text(8, layerName);
            out.point(0, v[0], v[1]);
            out.length(40, v[2]);
            out.number(50, v[3], DEGREE_DECIMALS);
            out.number(51, v[4], DEGREE_DECIMALS);
            break;
        case ExportItem::Kind::Circle:
            out.text(0, "CIRCLE");
            out.text(8, layerName);
            out.point(0, v[0], v[1]);
            out.length(40, v[2]);
            break;
    }
}

void text(DxfOut& out, const std::string& layerName, const TemplateText& t) {
    out.text(0, "TEXT");
    out.text(8, layerName);
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
    DxfOut out(lengthDecimals(d.bodyReach));
    size_t vertices = 0;
    for (const ExportLoop& loop : d.loops)
        vertices += loop.contour.edges.size();
    // Room for the tables and about 200 bytes an item or vertex.
    out.reserve(2048 + 200 * (d.items.size() + d.texts.size() + vertices));
    header(out, d);
    tables(out, d);
    out.text(0, "SECTION");
    out.text(2, "ENTITIES");
    for (const ExportLoop& loop : d.loops)
        polyline(out, d.layers[loop.layer].name, loop.contour);
    for (const ExportItem& it : d.items)
        item(out, d.layers[it.layer].name, it);
    for (const DrawingText& t : d.texts)
        text(out, d.layers[t.layer].name, t.text);
    out.text(0, "ENDSEC");
    out.text(0, "EOF");
    return out.take();
}

}  // namespace bowlyn
