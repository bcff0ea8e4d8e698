#include "formats/cam_dxf.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "formats/dxf_writer.h"
#include "formats/export_numbers.h"

namespace bowlyn {
namespace {

// More chords than this are no file anyone wants: a tolerance far below the
// drawing's size.
constexpr long CHORD_LIMIT = 1000000;

struct Vertex {
    double x = 0, y = 0, bulge = 0;
};

// The points of an arc from angle a1 on by `sweep`, cut into `n` equal
// chords: its start, the points between and, `withEnd`, its end.
void addArcPoints(std::vector<Vertex>& to, double cx, double cy, double r, double a1, double sweep,
                  long n, bool withEnd) {
    for (long k = 0; k <= n; ++k) {
        if (k == n && !withEnd)
            break;
        const double a = a1 + sweep * static_cast<double>(k) / static_cast<double>(n);
        to.push_back({cx + r * std::cos(a), cy + r * std::sin(a), 0.0});
    }
}

// How many chords a circle takes: at least three, so that it stays a loop.
long curveChords(const StrokeCurve& c, double tolerance) {
    const long n = chordCount(c.r, c.sweep, tolerance);
    return c.sweep >= CIRCLE_RADIANS ? std::max(n, 3L) : n;
}

class CamDxf {
  public:
    CamDxf(const ExportDrawing& d, DxfVersion version, std::optional<double> flatten)
        : d_(d),
          r2000_(version == DxfVersion::R2000),
          flatten_(flatten),
          out_(DxfWriter::fixed(lengthDecimals(d.bodyReach))) {}

    std::optional<std::string> text() {
        if (flatten_ && chords() > CHORD_LIMIT)
            return std::nullopt;
        size_t vertices = 0;
        for (const Contour& loop : d_.loops)
            vertices += loop.edges.size();
        // Room for the tables and about 200 bytes an item or vertex.
        out_.reserve(4096 + 200 * (d_.items.size() + d_.texts.size() + vertices));
        if (r2000_) {
            // Handles from 1 in the order they are written; the header,
            // written last, states the next free one.
            tables2000();
            blocks2000();
        } else {
            tables12();
        }
        entities();
        if (r2000_)
            objects2000();
        out_.text(0, "EOF");
        DxfWriter head = DxfWriter::fixed(lengthDecimals(d_.bodyReach));
        header(head);
        return head.take() + out_.take();
    }

  private:
    long chords() const {
        long total = 0;
        for (const Contour& loop : d_.loops) {
            for (size_t i = 0; i < loop.edges.size(); ++i) {
                if (loop.edges[i].sweep != 0.0)
                    total += chordCount(edgeArc(loop.edges[i], loop.next(i)).r,
                                        std::fabs(loop.edges[i].sweep), *flatten_);
            }
        }
        for (const Stroke& s : d_.items) {
            if (s.kind == StrokeKind::Arc || s.kind == StrokeKind::Circle)
                total += curveChords(strokeCurve(s), *flatten_);
        }
        return total;
    }

    void header(DxfWriter& out) const {
        out.text(0, "SECTION");
        out.text(2, "HEADER");
        out.text(9, "$ACADVER");
        out.text(1, r2000_ ? "AC1015" : "AC1009");
        if (r2000_) {
            out.text(9, "$HANDSEED");
            out.handle(5, out_.nextHandle());
        }
        out.text(9, "$INSUNITS");
        out.integer(70, dxfUnitsCode(d_.unit));
        out.text(9, "$MEASUREMENT");
        out.integer(70, d_.unit == LengthUnit::Inch ? 0 : 1);  // 0 imperial, 1 metric
        out.text(9, "$EXTMIN");
        out.point(0, d_.extent.minX, d_.extent.minY);
        out.text(9, "$EXTMAX");
        out.point(0, d_.extent.maxX, d_.extent.maxY);
        out.text(0, "ENDSEC");
    }

    // --- Version 12: a line type and the layers.

    void layer12(const std::string& name, int colour) {
        out_.text(0, "LAYER");
        out_.text(2, name);
        out_.integer(70, 0);
        out_.integer(62, colour);
        out_.text(6, "CONTINUOUS");
    }

    void tables12() {
        out_.text(0, "SECTION");
        out_.text(2, "TABLES");
        out_.text(0, "TABLE");
        out_.text(2, "LTYPE");
        out_.integer(70, 1);
        out_.text(0, "LTYPE");
        out_.text(2, "CONTINUOUS");
        out_.integer(70, 0);
        out_.text(3, "Solid line");
        out_.integer(72, 65);
        out_.integer(73, 0);
        out_.text(40, "0");
        out_.text(0, "ENDTAB");

        out_.text(0, "TABLE");
        out_.text(2, "LAYER");
        out_.integer(70, static_cast<int>(d_.layers.size()) + 1);
        // Layer 0 exists in every drawing; CAD programs expect it in the table.
        layer12(layerName(Layer::Zero), 7);
        for (const ExportLayer& l : d_.layers)
            layer12(layerName(l.layer), l.dxfColour);
        out_.text(0, "ENDTAB");
        out_.text(0, "ENDSEC");
    }

    // --- Version 2000: every table and object with its handle and owner.

    // A table of `count` records that `records` writes, each owned by it.
    template <class Records>
    void table2000(const char* name, int count, Records records, const char* subclass = "") {
        const unsigned table = out_.takeHandle();
        out_.text(0, "TABLE");
        out_.text(2, name);
        out_.handle(5, table);
        out_.handle(330, 0);
        out_.text(100, "AcDbSymbolTable");
        out_.integer(70, count);
        if (*subclass)
            out_.text(100, subclass);
        records(table);
        out_.text(0, "ENDTAB");
    }

    // The start of a table record: its type, handle, owner and subclasses.
    void record2000(const char* type, unsigned table, const char* subclass, const std::string& name,
                    int handleCode = 5) {
        out_.text(0, type);
        out_.handle(handleCode, out_.takeHandle());
        out_.handle(330, table);
        out_.text(100, "AcDbSymbolTableRecord");
        out_.text(100, subclass);
        out_.text(2, name);
        out_.integer(70, 0);
    }

    void tables2000() {
        out_.text(0, "SECTION");
        out_.text(2, "CLASSES");
        out_.text(0, "ENDSEC");
        out_.text(0, "SECTION");
        out_.text(2, "TABLES");
        table2000("VPORT", 0, [](unsigned) {});
        table2000("LTYPE", 3, [&](unsigned t) {
            for (const char* name : {"ByBlock", "ByLayer", "Continuous"}) {
                record2000("LTYPE", t, "AcDbLinetypeTableRecord", name);
                out_.text(3, std::string(name) == "Continuous" ? "Solid line" : "");
                out_.integer(72, 65);
                out_.integer(73, 0);
                out_.text(40, "0");
            }
        });
        table2000("LAYER", static_cast<int>(d_.layers.size()) + 1, [&](unsigned t) {
            auto layer = [&](const char* name, int colour) {
                record2000("LAYER", t, "AcDbLayerTableRecord", name);
                out_.integer(62, colour);
                out_.text(6, "Continuous");
            };
            layer(layerName(Layer::Zero), 7);
            for (const ExportLayer& l : d_.layers)
                layer(layerName(l.layer), l.dxfColour);
        });
        table2000("STYLE", 1, [&](unsigned t) {
            record2000("STYLE", t, "AcDbTextStyleTableRecord", "Standard");
            out_.text(40, "0");
            out_.text(41, "1");
            out_.text(50, "0");
            out_.integer(71, 0);
            out_.text(42, "2.5");
            out_.text(3, "txt");
            out_.text(4, "");
        });
        table2000("VIEW", 0, [](unsigned) {});
        table2000("UCS", 0, [](unsigned) {});
        table2000("APPID", 1,
                  [&](unsigned t) { record2000("APPID", t, "AcDbRegAppTableRecord", "ACAD"); });
        table2000(
            "DIMSTYLE", 1,
            [&](unsigned t) {
                record2000("DIMSTYLE", t, "AcDbDimStyleTableRecord", "Standard", 105);
            },
            "AcDbDimStyleTable");
        table2000("BLOCK_RECORD", 2, [&](unsigned t) {
            modelSpace_ = out_.nextHandle();
            record2000("BLOCK_RECORD", t, "AcDbBlockTableRecord", "*Model_Space");
            paperSpace_ = out_.nextHandle();
            record2000("BLOCK_RECORD", t, "AcDbBlockTableRecord", "*Paper_Space");
        });
        out_.text(0, "ENDSEC");
    }

    // The start or the end of a block, owned by its record, on layer 0.
    void blockEntity(const char* type, unsigned owner, const char* subclass) {
        out_.text(0, type);
        out_.handle(5, out_.takeHandle());
        out_.handle(330, owner);
        out_.text(100, "AcDbEntity");
        if (owner == paperSpace_)
            out_.integer(67, 1);
        out_.text(8, "0");
        out_.text(100, subclass);
    }

    void blocks2000() {
        out_.text(0, "SECTION");
        out_.text(2, "BLOCKS");
        for (const auto& [name, owner] :
             {std::pair<const char*, unsigned>{"*Model_Space", modelSpace_},
              {"*Paper_Space", paperSpace_}}) {
            blockEntity("BLOCK", owner, "AcDbBlockBegin");
            out_.text(2, name);
            out_.integer(70, 0);
            out_.point(0, 0.0, 0.0);
            out_.text(3, name);
            out_.text(1, "");
            blockEntity("ENDBLK", owner, "AcDbBlockEnd");
        }
        out_.text(0, "ENDSEC");
    }

    void objects2000() {
        const unsigned root = out_.takeHandle(), groups = out_.takeHandle();
        out_.text(0, "SECTION");
        out_.text(2, "OBJECTS");
        out_.text(0, "DICTIONARY");
        out_.handle(5, root);
        out_.handle(330, 0);
        out_.text(100, "AcDbDictionary");
        out_.integer(281, 1);
        out_.text(3, "ACAD_GROUP");
        out_.handle(350, groups);
        out_.text(0, "DICTIONARY");
        out_.handle(5, groups);
        out_.handle(330, root);
        out_.text(100, "AcDbDictionary");
        out_.integer(281, 1);
        out_.text(0, "ENDSEC");
    }

    // --- The entities.

    void entities() {
        out_.text(0, "SECTION");
        out_.text(2, "ENTITIES");
        if (r2000_)
            out_.useHandles(out_.nextHandle(), modelSpace_);
        for (const Contour& loop : d_.loops)
            polyline(layerName(loop.layer), loopVertices(loop), true);
        for (const Stroke& item : d_.items) {
            const bool curve = item.kind == StrokeKind::Arc || item.kind == StrokeKind::Circle;
            if (flatten_ && curve)
                flattened(item);
            else
                out_.entity(item);
        }
        for (const DrawingText& t : d_.texts)
            text(t.layer, t.text);
        out_.text(0, "ENDSEC");
    }

    std::vector<Vertex> loopVertices(const Contour& c) const {
        std::vector<Vertex> v;
        for (size_t i = 0; i < c.edges.size(); ++i) {
            const ContourEdge& e = c.edges[i];
            if (!flatten_ || e.sweep == 0.0) {
                v.push_back({e.x, e.y, edgeBulge(e)});
                continue;
            }
            // The loop's own vertex starts the arc, its next one ends it; the
            // points between are computed on the arc's circle.
            const EdgeArc arc = edgeArc(e, c.next(i));
            const long n = chordCount(arc.r, std::fabs(e.sweep), *flatten_);
            v.push_back({e.x, e.y, 0.0});
            for (long k = 1; k < n; ++k) {
                const double a = arc.start + e.sweep * static_cast<double>(k) / n;
                v.push_back({arc.cx + arc.r * std::cos(a), arc.cy + arc.r * std::sin(a), 0.0});
            }
        }
        return v;
    }

    void flattened(const Stroke& s) {
        const StrokeCurve c = strokeCurve(s);
        std::vector<Vertex> v;
        const bool circle = s.kind == StrokeKind::Circle;
        addArcPoints(v, c.cx, c.cy, c.r, c.start, c.sweep, curveChords(c, *flatten_), !circle);
        polyline(layerName(s.layer), v, circle);
    }

    void polyline(const char* layer, const std::vector<Vertex>& vertices, bool closed) {
        if (r2000_) {
            out_.beginEntity("LWPOLYLINE", layer, "AcDbPolyline");
            out_.integer(90, static_cast<int>(vertices.size()));
            out_.integer(70, closed ? 1 : 0);
            for (const Vertex& v : vertices) {
                out_.length(10, v.x);
                out_.length(20, v.y);
                if (v.bulge != 0.0)
                    out_.number(42, v.bulge, BULGE_DECIMALS);
            }
            return;
        }
        out_.text(0, "POLYLINE");
        out_.text(8, layer);
        out_.integer(66, 1);  // vertices follow
        out_.point(0, 0.0, 0.0);
        out_.integer(70, closed ? 1 : 0);  // closed: the last vertex joins the first
        for (const Vertex& v : vertices) {
            out_.text(0, "VERTEX");
            out_.text(8, layer);
            out_.point(0, v.x, v.y);
            if (v.bulge != 0.0)
                out_.number(42, v.bulge, BULGE_DECIMALS);
        }
        out_.text(0, "SEQEND");
        out_.text(8, layer);
    }

    void text(Layer layer, const TemplateText& t) {
        out_.beginEntity("TEXT", layerName(layer), "AcDbText");
        out_.point(0, t.x, t.y);
        out_.length(40, t.height);
        out_.text(1, t.text);
        if (t.align != TemplateText::Align::Left) {
            // Centred or right-aligned text stands on its second point.
            out_.integer(72, t.align == TemplateText::Align::Centre ? 1 : 2);
            out_.point(1, t.x, t.y);
        }
        if (r2000_)
            out_.text(100, "AcDbText");
    }

    const ExportDrawing& d_;
    bool r2000_;
    std::optional<double> flatten_;
    DxfWriter out_;
    unsigned modelSpace_ = 0, paperSpace_ = 0;
};

}  // namespace

long chordCount(double r, double sweep, double tolerance) {
    if (!(r > 0.0) || !(sweep > 0.0))
        return 1;
    // A chord over an angle a lies r (1 - cos(a / 2)) from the arc at most.
    const double widest = 2.0 * std::acos(std::max(-1.0, 1.0 - tolerance / r));
    const double n = std::ceil(sweep / widest);
    if (!(n < static_cast<double>(CHORD_LIMIT)))
        return CHORD_LIMIT + 1;
    return std::max(1L, static_cast<long>(n));
}

std::optional<std::string> camDxfText(const ExportDrawing& drawing, DxfVersion version,
                                      std::optional<double> flatten) {
    return CamDxf(drawing, version, flatten).text();
}

}  // namespace bowlyn
