#include "export/export_drawing.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <iterator>

#include "export/body_templates.h"
#include "render/entity_list.h"

namespace bowlyn {
namespace {

constexpr double RADIANS_PER_DEGREE = CIRCLE_RADIANS / 360.0;
constexpr size_t NO_LAYER = static_cast<size_t>(-1);

size_t layerIndex(const std::vector<ExportLayer>& layers, const std::string& name) {
    for (size_t i = 0; i < layers.size(); ++i) {
        if (layers[i].name == name)
            return i;
    }
    return NO_LAYER;
}

// A loop with the circle of each of its arcs worked out once.
struct LoopShape {
    explicit LoopShape(const Contour& c) : contour(c) {
        for (size_t i = 0; i < c.edges.size(); ++i)
            arcs.push_back(c.edges[i].sweep == 0.0 ? EdgeArc{} : edgeArc(c.edges[i], c.next(i)));
    }

    // Recorded values are singles, so a recorded piece of a loop lies within
    // the loop's own joining tolerance of it.
    bool holds(double x, double y) const {
        for (size_t i = 0; i < contour.edges.size(); ++i) {
            if (distanceToEdge(contour.edges[i], contour.next(i), arcs[i], x, y) <=
                CONTOUR_GAP_LIMIT)
                return true;
        }
        return false;
    }

    // A recorded line or arc lies on the loop when its ends and its middle do.
    bool holdsLine(const float* v) const {
        return holds(v[0], v[1]) && holds(v[2], v[3]) &&
               holds((v[0] + static_cast<double>(v[2])) / 2.0,
                     (v[1] + static_cast<double>(v[3])) / 2.0);
    }
    bool holdsArc(const float* v) const {
        const double start = v[3] * RADIANS_PER_DEGREE;
        const double sweep = ccwSweep(start, v[4] * RADIANS_PER_DEGREE);
        for (double t : {0.0, 0.5, 1.0}) {
            const double a = start + t * sweep;
            if (!holds(v[0] + v[2] * std::cos(a), v[1] + v[2] * std::sin(a)))
                return false;
        }
        return true;
    }

    const Contour& contour;
    std::vector<EdgeArc> arcs;
};

bool allFinite(std::initializer_list<double> values) {
    for (double v : values) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

class DrawingBuilder {
  public:
    DrawingBuilder(const SolvedDesign& design, const ContourSet& contours,
                   const ExportOptions& options)
        : design_(design),
          contours_(contours),
          options_(options),
          unit_(options.unit.value_or(designUnit(design.units))),
          scale_(designUnit(design.units), unit_) {
        result_.drawing.unit = unit_;
        result_.drawing.layers = standardLayers();
        for (const Contour& c : contours.loops)
            shapes_.emplace_back(c);
    }

    ExportDrawingResult build() {
        for (const Contour& c : contours_.loops)
            addLoop(scaled(c));
        if (design_.entities != nullptr) {
            for (const Entity& e : design_.entities->entities()) {
                if (recordedKind(e) == EntityKind::End || !result_.problem.empty())
                    break;  // the end marker, or a refusal
                addEntity(e);
            }
        }
        if (result_.problem.empty())
            addBodyTemplates();
        if (result_.problem.empty() && !finite())
            result_.problem = "The outline holds a value that cannot be written to a file.";
        return std::move(result_);
    }

  private:
    ExportDrawing& d() { return result_.drawing; }

    Contour scaled(Contour c) const {
        for (ContourEdge& e : c.edges) {
            e.x = scale_(e.x);
            e.y = scale_(e.y);
        }
        return c;
    }

    size_t layerFor(const ExportLayer& layer) {
        size_t i = layerIndex(d().layers, layer.name);
        if (i == NO_LAYER) {
            d().layers.push_back(layer);
            i = d().layers.size() - 1;
        }
        return i;
    }

    // A loop already in the export's unit.
    void addLoop(Contour c) {
        ExportLoop loop{layerIndex(d().layers, c.layer), std::move(c)};
        d().extent.add(contourBounds(loop.contour));
        d().loops.push_back(std::move(loop));
    }

    // The body's loop in the export's unit: the first loop of the drawing.
    const Contour& body() { return d().loops.front().contour; }

    void addBodyTemplates() {
        BodyTemplates extra = bodyTemplates(design_, body(), unit_, options_.mouldDistance);
        if (!extra.problem.empty()) {
            result_.problem = extra.problem;
            return;
        }
        if (extra.mould) {
            layerFor(mouldLayer());
            addLoop(std::move(*extra.mould));
        }
        d().bodyReach = d().extent.reach();
        if (extra.strips.empty())
            return;
        const size_t layer = layerFor(sidesLayer());
        // One above the other below the drawing, a tick step apart, their
        // tail ends in line with its left edge.
        const double gap = tickScale(unit_).step;
        double height = 0.0;
        for (const SideStrip& strip : extra.strips)
            height = std::max(height, strip.height);
        const double left = d().extent.minX;
        double top = d().extent.minY - gap;
        for (const SideStrip& strip : extra.strips) {
            placeStrip(strip, layer, left, top - height);
            top -= height + gap;
        }
    }

    void placeStrip(const SideStrip& strip, size_t layer, double x, double y) {
        Contour outline = strip.outline;
        for (ContourEdge& e : outline.edges) {
            e.x += x;
            e.y += y;
        }
        addLoop(std::move(outline));
        for (const TemplateLine& t : strip.ticks) {
            ExportItem item;
            item.kind = ExportItem::Kind::Line;
            item.layer = layer;
            const double v[] = {t.x1 + x, t.y1 + y, t.x2 + x, t.y2 + y};
            std::copy(std::begin(v), std::end(v), item.v);
            d().items.push_back(item);
        }
        for (TemplateText t : strip.texts) {
            t.x += x;
            t.y += y;
            d().texts.push_back({layer, t});
        }
    }

    void addEntity(const Entity& e) {
        const std::optional<EntityKind> kind = recordedKind(e);
        if (!kind || *kind == EntityKind::End)
            return;  // unknown kinds are skipped, as in every export
        const std::string layerText = layerName(e.layer);
        const size_t layer = layerIndex(d().layers, layerText);
        if (layer == NO_LAYER) {
            result_.problem = "The outline holds an item on a layer that cannot be written.";
            return;
        }
        const LoopShape* loop = nullptr;
        for (const LoopShape& shape : shapes_) {
            if (shape.contour.layer == layerText)
                loop = &shape;
        }
        const float* v = e.v;
        if (*kind == EntityKind::Line || *kind == EntityKind::Arc) {
            const bool covered =
                loop && (*kind == EntityKind::Line ? loop->holdsLine(v) : loop->holdsArc(v));
            if (covered)
                return;
            if (layerText == layerName(Layer::Body)) {
                result_.problem =
                    "The body outline does not close: a piece of the drawn outline lies off its "
                    "closed loop.";
                return;
            }
        }
        addItem(e, *kind, layer);
    }

    void addItem(const Entity& e, EntityKind kind, size_t layer) {
        using Kind = ExportItem::Kind;
        ExportItem item;
        item.layer = layer;
        const float* v = e.v;
        Bounds& extent = d().extent;
        if (kind == EntityKind::Point) {
            item.kind = Kind::Point;
            item.v[0] = scale_(v[0]);
            item.v[1] = scale_(v[1]);
            extent.add(item.v[0], item.v[1]);
        } else if (kind == EntityKind::Line) {
            item.kind = Kind::Line;
            for (int i = 0; i < 4; ++i)
                item.v[i] = scale_(v[i]);
            extent.add(item.v[0], item.v[1]);
            extent.add(item.v[2], item.v[3]);
        } else if (kind == EntityKind::Arc) {
            item.kind = Kind::Arc;
            for (int i = 0; i < 3; ++i)
                item.v[i] = scale_(v[i]);
            item.v[3] = v[3];
            item.v[4] = v[4];
            const double start = v[3] * RADIANS_PER_DEGREE;
            extent.addArc(item.v[0], item.v[1], item.v[2], start,
                          ccwSweep(start, v[4] * RADIANS_PER_DEGREE));
        } else {
            item.kind = Kind::Circle;
            for (int i = 0; i < 3; ++i)
                item.v[i] = scale_(v[i]);
            extent.add(item.v[0] - item.v[2], item.v[1] - item.v[2]);
            extent.add(item.v[0] + item.v[2], item.v[1] + item.v[2]);
        }
        d().items.push_back(item);
    }

    bool finite() const {
        const ExportDrawing& dr = result_.drawing;
        for (const ExportLoop& l : dr.loops) {
            for (const ContourEdge& e : l.contour.edges) {
                if (!allFinite({e.x, e.y, e.sweep}))
                    return false;
            }
        }
        for (const ExportItem& item : dr.items) {
            for (double v : item.v) {
                if (!std::isfinite(v))
                    return false;
            }
        }
        for (const DrawingText& t : dr.texts) {
            if (!allFinite({t.text.x, t.text.y, t.text.height}))
                return false;
        }
        const Bounds& b = dr.extent;
        return allFinite({b.minX, b.minY, b.maxX, b.maxY});
    }

    const SolvedDesign& design_;
    const ContourSet& contours_;
    const ExportOptions& options_;
    LengthUnit unit_;
    std::vector<LoopShape> shapes_;
    UnitScale scale_;
    ExportDrawingResult result_;
};

}  // namespace

std::vector<ExportLayer> standardLayers() {
    // Colours after the window's strokes: reference marks red, outlines
    // black (white on a dark CAD background), strings grey.
    return {
        {layerName(Layer::Reflines), 1, "#ff0000"},  {layerName(Layer::Body), 7, "#000000"},
        {layerName(Layer::Fretboard), 5, "#0000ff"}, {layerName(Layer::Frets), 3, "#008000"},
        {layerName(Layer::Strings), 8, "#808080"},
    };
}

ExportLayer sidesLayer() {
    return {"sides", 6, "#c000c0"};
}

ExportLayer mouldLayer() {
    return {"mould", 4, "#008080"};
}

ExportDrawingResult exportDrawing(const SolvedDesign& design, const ExportOptions& options) {
    const ContourSet contours = closedContours(design);
    if (!contours.problem.empty()) {
        ExportDrawingResult refused;
        refused.problem = contours.problem;
        return refused;
    }
    return DrawingBuilder(design, contours, options).build();
}

ExportDrawingResult exportDrawing(const SolvedDesign& design, std::optional<LengthUnit> unit) {
    ExportOptions options;
    options.unit = unit;
    return exportDrawing(design, options);
}

}  // namespace bowlyn
