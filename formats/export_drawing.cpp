#include "formats/export_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>

#include "derive/mould_and_strips.h"

namespace bowlyn {
namespace {

// A loop with the circle of each of its arcs worked out once.
struct LoopShape {
    LoopShape(const Contour& c, double within) : contour(c), tolerance(within) {
        for (size_t i = 0; i < c.edges.size(); ++i)
            arcs.push_back(c.edges[i].sweep == 0.0 ? EdgeArc{} : edgeArc(c.edges[i], c.next(i)));
    }

    // Recorded values are singles, so a recorded piece of a loop lies within
    // the loop's own joining tolerance of it, or of the gap the loop joined.
    bool holds(double x, double y) const {
        for (size_t i = 0; i < contour.edges.size(); ++i) {
            if (distanceToEdge(contour.edges[i], contour.next(i), arcs[i], x, y) <= tolerance)
                return true;
        }
        return false;
    }

    // A recorded line or arc lies on the loop when its ends and its middle do.
    bool holdsLine(const double* v) const {
        return holds(v[0], v[1]) && holds(v[2], v[3]) &&
               holds((v[0] + v[2]) / 2.0, (v[1] + v[3]) / 2.0);
    }
    bool holdsArc(const Stroke& s) const {
        const StrokeCurve c = strokeCurve(s);
        for (double t : {0.0, 0.5, 1.0}) {
            const double a = c.start + t * c.sweep;
            if (!holds(c.cx + c.r * std::cos(a), c.cy + c.r * std::sin(a)))
                return false;
        }
        return true;
    }

    const Contour& contour;
    double tolerance;
    std::vector<EdgeArc> arcs;
};

void addToExtent(Bounds& extent, const Stroke& item) {
    const double* v = item.v;
    switch (item.kind) {
        case StrokeKind::Point:
            extent.add(v[0], v[1]);
            break;
        case StrokeKind::Line:
            extent.add(v[0], v[1]);
            extent.add(v[2], v[3]);
            break;
        case StrokeKind::Arc: {
            const StrokeCurve c = strokeCurve(item);
            extent.addArc(c.cx, c.cy, c.r, c.start, c.sweep);
            break;
        }
        case StrokeKind::Circle:
            extent.add(v[0] - v[2], v[1] - v[2]);
            extent.add(v[0] + v[2], v[1] + v[2]);
            break;
    }
}

using Span = std::pair<double, double>;

// The parts of the line a-b (as fractions of it, in order) on which no
// segment of `others` lies within `tolerance`.
std::vector<Span> uncovered(const double* ab, const std::vector<const double*>& others,
                            double tolerance) {
    const double dx = ab[2] - ab[0], dy = ab[3] - ab[1];
    const double length = std::hypot(dx, dy);
    if (!(length > tolerance))
        return {{0.0, 1.0}};
    const double ux = dx / length, uy = dy / length;
    auto off = [&](const double* p) {
        return std::fabs((p[0] - ab[0]) * uy - (p[1] - ab[1]) * ux);
    };
    auto along = [&](const double* p) {
        return ((p[0] - ab[0]) * ux + (p[1] - ab[1]) * uy) / length;
    };
    std::vector<Span> covered;
    for (const double* o : others) {
        if (off(o) <= tolerance && off(o + 2) <= tolerance)
            covered.push_back(std::minmax(along(o), along(o + 2)));
    }
    std::sort(covered.begin(), covered.end());
    std::vector<Span> parts;
    const double least = tolerance / length;
    double from = 0.0;
    for (const auto& [a, b] : covered) {
        if (a - from > least)
            parts.push_back({from, std::min(a, 1.0)});
        from = std::max(from, b);
    }
    if (1.0 - from > least)
        parts.push_back({from, 1.0});
    return parts;
}

// The items with every reference line cut where another line or a loop's
// straight edge lies on it (the nut on the nut's mark, a single string on
// the centre line), so that no piece is cut twice.
StrokeList withoutOverlaps(const StrokeList& items, const std::vector<Contour>& loops) {
    Bounds reach;
    std::vector<std::array<double, 4>> edges;
    for (const Contour& c : loops) {
        reach.add(contourBounds(c));
        for (size_t i = 0; i < c.edges.size(); ++i) {
            if (c.edges[i].sweep == 0.0)
                edges.push_back({c.edges[i].x, c.edges[i].y, c.next(i).x, c.next(i).y});
        }
    }
    std::vector<const double*> others;
    for (const Stroke& s : items) {
        addToExtent(reach, s);
        if (s.kind == StrokeKind::Line && s.layer != Layer::Reflines)
            others.push_back(s.v);
    }
    for (const auto& e : edges)
        others.push_back(e.data());
    // Singles drawn through the same two points agree but in their last
    // digits.
    const double tolerance = 1e-6 * std::max(1.0, reach.reach());
    StrokeList kept;
    for (const Stroke& s : items) {
        const std::vector<Span> parts = s.kind == StrokeKind::Line && s.layer == Layer::Reflines
                                            ? uncovered(s.v, others, tolerance)
                                            : std::vector<Span>{{0.0, 1.0}};
        for (const auto& [a, b] : parts) {
            if (a == 0.0 && b == 1.0) {
                kept.push_back(s);
                continue;
            }
            Stroke part = s;
            for (int k = 0; k < 2; ++k) {
                part.v[k] = s.v[k] + a * (s.v[k + 2] - s.v[k]);
                part.v[k + 2] = s.v[k] + b * (s.v[k + 2] - s.v[k]);
            }
            kept.push_back(part);
        }
    }
    return kept;
}

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
                   const ExportSettings& options)
        : design_(design),
          contours_(contours),
          options_(options),
          unit_(options.unit.value_or(designUnit(design.units))),
          scale_(designUnit(design.units), unit_) {
        result_.drawing.unit = unit_;
        for (Layer layer : recordedLayers)
            result_.drawing.layers.push_back(exportLayer(layer));
        // A drawn piece that was joined where it crosses its neighbour may
        // run on past the crossing by up to the gap the join closed.
        for (const Contour& c : contours.loops)
            shapes_.emplace_back(
                c, CONTOUR_GAP_LIMIT + (c.layer == Layer::Body ? contours.joinedGap : 0.0));
    }

    ExportDrawingResult build() {
        for (const Contour& c : contours_.loops)
            addLoop(scaled(c));
        if (design_.strokes != nullptr) {
            forEachRecorded(*design_.strokes, [&](const Stroke& s) {
                if (result_.problem.empty())
                    addRecorded(s);
            });
        }
        addSlots();
        d().items = withoutOverlaps(d().items, d().loops);
        measureExtent();
        if (result_.problem.empty())
            addMouldAndStrips();
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

    bool hasLayer(Layer layer) const {
        const std::vector<ExportLayer>& layers = result_.drawing.layers;
        return std::any_of(layers.begin(), layers.end(),
                           [&](const ExportLayer& l) { return l.layer == layer; });
    }

    void useLayer(Layer layer) {
        if (!hasLayer(layer))
            d().layers.push_back(exportLayer(layer));
    }

    // A loop already in the export's unit.
    void addLoop(Contour c) {
        d().extent.add(contourBounds(c));
        d().loops.push_back(std::move(c));
    }

    // What the loops and the items reach, once the items are final.
    void measureExtent() {
        Bounds& extent = d().extent;
        extent = Bounds{};
        for (const Contour& c : d().loops)
            extent.add(contourBounds(c));
        for (const Stroke& item : d().items)
            addToExtent(extent, item);
    }

    // One closed rectangle per fret, the slot's width across the fret line,
    // from edge to edge less the inset at both ends.
    void addSlots() {
        const FretLayout& frets = design_.frets;
        if (frets.empty())
            return;
        useLayer(Layer::Slots);
        const double in = frets.slotInset, half = frets.slotWidth / 2.0;
        for (size_t n = 1; n < frets.frets.size(); ++n) {
            const FretLine& f = frets.frets[n];
            const double length = f.length();
            if (!(length > 2.0 * in))
                continue;
            const double ux = (f.trebleX - f.bassX) / length, uy = (f.trebleY - f.bassY) / length;
            const double bx = f.bassX + in * ux, by = f.bassY + in * uy;
            const double tx = f.trebleX - in * ux, ty = f.trebleY - in * uy;
            // Counter-clockwise: along the side of the fret line toward the
            // bridge, then back along the other.
            Contour slot;
            slot.name = "slot";
            slot.layer = Layer::Slots;
            const double corners[4][2] = {{bx + half * uy, by - half * ux},
                                          {tx + half * uy, ty - half * ux},
                                          {tx - half * uy, ty + half * ux},
                                          {bx - half * uy, by + half * ux}};
            for (const auto& c : corners)
                slot.edges.push_back({scale_(c[0]), scale_(c[1]), 0.0, "slot"});
            d().loops.push_back(std::move(slot));
        }
    }

    // The body's loop in the export's unit: the first loop of the drawing.
    const Contour& body() { return d().loops.front(); }

    void addMouldAndStrips() {
        MouldAndStrips extra = mouldAndStrips(design_, body(), unit_, options_.mould);
        if (!extra.problem.empty()) {
            result_.problem = extra.problem;
            return;
        }
        if (extra.mould) {
            useLayer(Layer::Mould);
            addLoop(std::move(*extra.mould));
        }
        d().bodyReach = d().extent.reach();
        if (extra.strips.empty())
            return;
        useLayer(Layer::Sides);
        // One above the other below the drawing, a tick step apart, their
        // tail ends in line with its left edge.
        const double gap = tickScale(unit_).step;
        double height = 0.0;
        for (const SideStrip& strip : extra.strips)
            height = std::max(height, strip.height);
        const double left = d().extent.minX;
        double top = d().extent.minY - gap;
        for (const SideStrip& strip : extra.strips) {
            placeStrip(strip, left, top - height);
            top -= height + gap;
        }
    }

    void placeStrip(const SideStrip& strip, double x, double y) {
        Contour outline = strip.outline;
        for (ContourEdge& e : outline.edges) {
            e.x += x;
            e.y += y;
        }
        addLoop(std::move(outline));
        for (const TemplateLine& t : strip.ticks) {
            Stroke tick;
            tick.layer = Layer::Sides;
            const double v[] = {t.x1 + x, t.y1 + y, t.x2 + x, t.y2 + y};
            std::copy(std::begin(v), std::end(v), tick.v);
            d().items.push_back(tick);
        }
        for (TemplateText t : strip.texts) {
            t.x += x;
            t.y += y;
            d().texts.push_back({Layer::Sides, t});
        }
    }

    // A recorded stroke in design units, on its own side.
    void addRecorded(const Stroke& s) {
        if (!hasLayer(s.layer)) {
            result_.problem = "The outline holds an item on a layer that cannot be written.";
            return;
        }
        // The slots take the place of the fret lines and their faces: a
        // machine cutting the frets layer would cut three slots a fret.
        if (s.layer == Layer::Frets && s.kind == StrokeKind::Line && !design_.frets.empty())
            return;
        const LoopShape* loop = nullptr;
        for (const LoopShape& shape : shapes_) {
            if (shape.contour.layer == s.layer)
                loop = &shape;
        }
        if (s.kind == StrokeKind::Line || s.kind == StrokeKind::Arc) {
            const bool covered =
                loop && (s.kind == StrokeKind::Line ? loop->holdsLine(s.v) : loop->holdsArc(s));
            if (covered)
                return;
            if (s.layer == Layer::Body) {
                result_.problem =
                    "The body outline does not close: a piece of the drawn outline lies off its "
                    "closed loop.";
                return;
            }
        }
        Stroke item = bowlyn::scaled(s, scale_);
        // A point on the body (the sound hole's centre) is no outline to cut:
        // some programs would drill it.
        if (item.kind == StrokeKind::Point && item.layer == Layer::Body) {
            useLayer(Layer::Marks);
            item.layer = Layer::Marks;
        }
        d().items.push_back(item);
    }

    bool finite() const {
        const ExportDrawing& dr = result_.drawing;
        for (const Contour& l : dr.loops) {
            for (const ContourEdge& e : l.edges) {
                if (!allFinite({e.x, e.y, e.sweep}))
                    return false;
            }
        }
        for (const Stroke& item : dr.items) {
            for (int i = 0; i < valueCount(item.kind); ++i) {
                const double v =
                    item.kind == StrokeKind::Arc && i >= 3 ? recordedValue(item, i) : item.v[i];
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
    const ExportSettings& options_;
    LengthUnit unit_;
    std::vector<LoopShape> shapes_;
    UnitScale scale_;
    ExportDrawingResult result_;
};

}  // namespace

StrokeCurve strokeCurve(const Stroke& s) {
    if (s.kind == StrokeKind::Circle)
        return {s.v[0], s.v[1], s.v[2], 0.0, CIRCLE_RADIANS};
    const double a1 = recordedValue(s, 3) * RADIANS_PER_DEGREE;
    return {s.v[0], s.v[1], s.v[2], a1, ccwSweep(a1, recordedValue(s, 4) * RADIANS_PER_DEGREE)};
}

ExportLayer exportLayer(Layer layer) {
    // Colours after the window's strokes: reference marks red, outlines
    // black (white on a dark CAD background), strings grey.
    switch (layer) {
        case Layer::Reflines:
            return {layer, 1, "#ff0000"};
        case Layer::Fretboard:
            return {layer, 5, "#0000ff"};
        case Layer::Frets:
            return {layer, 3, "#008000"};
        case Layer::Strings:
            return {layer, 8, "#808080"};
        case Layer::Sides:
            return {layer, 6, "#c000c0"};
        case Layer::Mould:
            return {layer, 4, "#008080"};
        case Layer::Slots:
            return {layer, 30, "#ff8000"};
        case Layer::Marks:
            return {layer, 2, "#c0c000"};
        case Layer::Zero:
        case Layer::Body:
        case Layer::None:
            break;
    }
    return {layer, 7, "#000000"};
}

const ExportLayer& ExportDrawing::layer(Layer id) const {
    for (const ExportLayer& l : layers) {
        if (l.layer == id)
            return l;
    }
    return layers.front();
}

ExportDrawingResult exportDrawing(const SolvedDesign& design, const ExportSettings& options) {
    const ContourSet contours = closedContours(design);
    if (!contours.problem.empty()) {
        ExportDrawingResult refused;
        refused.problem = contours.problem;
        return refused;
    }
    ExportDrawingResult result = DrawingBuilder(design, contours, options).build();
    result.notice = contours.notice;
    return result;
}

ExportDrawingResult exportDrawing(const SolvedDesign& design, std::optional<LengthUnit> unit) {
    ExportSettings settings;
    settings.unit = unit;
    return exportDrawing(design, settings);
}

}  // namespace bowlyn
