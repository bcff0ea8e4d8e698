#include "formats/svg_writer.h"

#include <cmath>

#include "formats/export_numbers.h"
#include "formats/utf8_text.h"

namespace bowlyn {
namespace {

constexpr double PI = CIRCLE_RADIANS / 2.0;

// Appends SVG text; model y grows upward, SVG y downward.
class SvgOut {
  public:
    SvgOut(std::string& out, int decimals) : out_(out), decimals_(decimals) {}

    SvgOut& operator<<(const char* text) {
        out_ += text;
        return *this;
    }
    SvgOut& operator<<(const std::string& text) {
        out_ += text;
        return *this;
    }
    SvgOut& number(double v) {
        appendFixed(out_, v, decimals_);
        return *this;
    }
    SvgOut& x(double v) { return number(v); }
    SvgOut& y(double v) { return number(-v); }
    SvgOut& point(double px, double py) {
        x(px) << " ";
        return y(py);
    }

    // The arc command to (px, py) on a circle of radius r: the large-arc flag
    // for more than half a turn, and the sweep flag from the direction, which
    // the flip of y reverses.
    void arcTo(double r, double sweep, double px, double py) {
        *this << "A ";
        number(r) << " ";
        number(r) << (std::fabs(sweep) > PI ? " 0 1 " : " 0 0 ") << (sweep > 0.0 ? "0 " : "1 ");
        point(px, py);
    }

  private:
    std::string& out_;
    int decimals_;
};

void loopPath(SvgOut& o, const Contour& c) {
    o << "<path d=\"M ";
    o.point(c.edges[0].x, c.edges[0].y);
    for (size_t i = 0; i < c.edges.size(); ++i) {
        const ContourEdge& e = c.edges[i];
        const ContourEdge& to = c.next(i);
        if (i + 1 == c.edges.size() && e.sweep == 0.0)
            break;  // Z draws the closing line
        if (e.sweep == 0.0) {
            o << " L ";
            o.point(to.x, to.y);
        } else {
            o << " ";
            o.arcTo(edgeArc(e, to).r, e.sweep, to.x, to.y);
        }
    }
    o << " Z\"/>\n";
}

void itemElement(SvgOut& o, const Stroke& it, double pointArm) {
    const double* v = it.v;
    switch (it.kind) {
        case StrokeKind::Point:
            o << "<path d=\"M ";
            o.point(v[0] - pointArm, v[1]) << " H ";
            o.x(v[0] + pointArm) << " M ";
            o.point(v[0], v[1] - pointArm) << " V ";
            o.y(v[1] + pointArm) << "\"/>\n";
            return;
        case StrokeKind::Line:
            o << "<line x1=\"";
            o.x(v[0]) << "\" y1=\"";
            o.y(v[1]) << "\" x2=\"";
            o.x(v[2]) << "\" y2=\"";
            o.y(v[3]) << "\"/>\n";
            return;
        case StrokeKind::Arc: {
            // From the angles as the files record them, in degrees.
            const double a1 = recordedValue(it, 3) * RADIANS_PER_DEGREE;
            const double a2 = recordedValue(it, 4) * RADIANS_PER_DEGREE;
            o << "<path d=\"M ";
            o.point(v[0] + v[2] * std::cos(a1), v[1] + v[2] * std::sin(a1)) << " ";
            o.arcTo(v[2], ccwSweep(a1, a2), v[0] + v[2] * std::cos(a2), v[1] + v[2] * std::sin(a2));
            o << "\"/>\n";
            return;
        }
        case StrokeKind::Circle:
            o << "<circle cx=\"";
            o.x(v[0]) << "\" cy=\"";
            o.y(v[1]) << "\" r=\"";
            o.number(v[2]) << "\"/>\n";
            return;
    }
}

// Filled in the layer's colour, without the layer's hairline round it.
void textElement(SvgOut& o, const TemplateText& t, const std::string& colour) {
    const char* anchor = t.align == TemplateText::Align::Centre  ? "middle"
                         : t.align == TemplateText::Align::Right ? "end"
                                                                 : "start";
    o << "<text x=\"";
    o.x(t.x) << "\" y=\"";
    o.y(t.y) << "\" font-size=\"";
    o.number(t.height) << "\" text-anchor=\"" << anchor
                       << "\" font-family=\"sans-serif\" stroke=\"none\" fill=\"" << colour << "\">"
                       << xmlEscaped(t.text) << "</text>\n";
}

void layerGroup(SvgOut& o, const ExportDrawing& d, const ExportLayer& l, double mm) {
    const std::string name = xmlEscaped(layerName(l.layer));
    o << "<g id=\"" << name << "\" inkscape:groupmode=\"layer\" inkscape:label=\"" << name
      << "\" fill=\"none\" stroke=\"" << l.svgColour << "\" stroke-width=\"";
    o.number(SVG_STROKE_MM * mm) << "\">\n";
    for (const Contour& loop : d.loops) {
        if (loop.layer == l.layer)
            loopPath(o, loop);
    }
    for (const Stroke& it : d.items) {
        if (it.layer == l.layer)
            itemElement(o, it, SVG_POINT_ARM_MM * mm);
    }
    for (const DrawingText& t : d.texts) {
        if (t.layer == l.layer)
            textElement(o, t.text, l.svgColour);
    }
    o << "</g>\n";
}

}  // namespace

std::string xmlEscaped(const std::string& text) {
    return withValidUtf8(text, [&](std::string& out, size_t i, size_t n) {
        const char c = text[i];
        if (n > 1)
            out.append(text, i, n);
        else if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"')
            out += "&quot;";
        else if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n')
            out += c;
    });
}

std::string svgText(const ExportDrawing& d, const std::string& title) {
    const double mm = UnitScale(LengthUnit::Millimetre, d.unit)(1.0);
    const double margin = SVG_MARGIN_MM * mm;
    Bounds b = d.extent;
    b.add(b.minX - margin, b.minY - margin);
    b.add(b.maxX + margin, b.maxY + margin);
    std::string text;
    text.reserve(4096 + 120 * d.items.size());
    SvgOut o(text, lengthDecimals(d.bodyReach));
    const std::string unit = unitName(d.unit);
    o << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" "
         "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" version=\"1.1\" width=\"";
    o.number(b.width()) << unit << "\" height=\"";
    o.number(b.height()) << unit << "\" viewBox=\"";
    o.x(b.minX) << " ";
    o.y(b.maxY) << " ";
    o.number(b.width()) << " ";
    o.number(b.height()) << "\">\n";
    if (!title.empty())
        o << "<title>" << xmlEscaped(title) << "</title>\n";
    for (const ExportLayer& l : d.layers)
        layerGroup(o, d, l, mm);
    o << "</svg>\n";
    return text;
}

}  // namespace bowlyn
