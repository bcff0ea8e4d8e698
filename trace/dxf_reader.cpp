#include "trace/dxf_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>

#include "geometry/outline_pieces.h"

namespace bowlyn {
namespace {

constexpr double PI = CIRCLE_RADIANS / 2.0;
// A spline of higher degree or with more control points than these is no
// outline anyone draws; the bounds keep a hostile file's work small.
constexpr int SPLINE_MAX_DEGREE = 11;
constexpr size_t SPLINE_MAX_POINTS = 100000;
constexpr int SPLINE_STEPS_PER_SPAN = 24;

struct Group {
    int code;
    std::string value;
};

std::string trimmed(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos)
        return "";
    const size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

std::optional<double> number(const std::string& text) {
    double v = 0;
    const char* end = text.data() + text.size();
    const size_t start = !text.empty() && text[0] == '+' ? 1 : 0;
    auto r = std::from_chars(text.data() + start, end, v);
    if (text.empty() || r.ec != std::errc() || r.ptr != end || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// Splits the file into (code, value) pairs; false when it is not an ASCII
// DXF file.
bool readGroups(const std::string& bytes, std::vector<Group>& groups) {
    size_t at = 0;
    auto nextLine = [&](std::string& line) {
        if (at >= bytes.size())
            return false;
        size_t end = bytes.find('\n', at);
        if (end == std::string::npos)
            end = bytes.size();
        line = bytes.substr(at, end - at);
        at = end + 1;
        return true;
    };
    std::string codeLine, value;
    while (nextLine(codeLine)) {
        if (!nextLine(value))
            return !groups.empty();
        int code = 0;
        const std::string c = trimmed(codeLine);
        auto r = std::from_chars(c.data(), c.data() + c.size(), code);
        if (c.empty() || r.ec != std::errc() || r.ptr != c.data() + c.size())
            return false;
        groups.push_back({code, trimmed(value)});
    }
    return !groups.empty();
}

// Millimetres per unit of the $INSUNITS codes that are lengths.
std::optional<double> insunits(int code) {
    static const std::map<int, double> mm = {{1, 25.4},   {2, 304.8},  {4, 1.0},
                                             {5, 10.0},   {6, 1000.0}, {8, 25.4e-6},
                                             {9, 0.0254}, {10, 914.4}, {14, 100.0}};
    const auto it = mm.find(code);
    return it == mm.end() ? std::nullopt : std::optional<double>(it->second);
}

// One entity: its type and groups up to the next 0 group.
struct Entity {
    std::string type;
    std::vector<Group> groups;

    double get(int code, double fallback = 0) const {
        for (const Group& g : groups) {
            if (g.code == code)
                return number(g.value).value_or(fallback);
        }
        return fallback;
    }
    int flags() const { return static_cast<int>(get(70)); }
};

double radians(double degrees) {
    return degrees * PI / 180.0;
}

TracePiece lineOf(const Entity& e) {
    return {{{e.get(10), e.get(20)}, {e.get(11), e.get(21)}}, false};
}

TracePiece arcOf(const Entity& e) {
    const double cx = e.get(10), cy = e.get(20), r = e.get(40);
    const double a = radians(e.get(50)), b = radians(e.get(51));
    double sweep = std::fmod(b - a, 2 * PI);
    if (sweep <= 0)
        sweep += 2 * PI;
    TracePiece piece;
    piece.points.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    appendArc(piece.points, cx, cy, r, a, sweep);
    return piece;
}

struct Vertex {
    TracePoint p;
    double bulge = 0;
};

// A run of vertices joined by lines and bulge arcs; closed back to the first
// when `closed`.
TracePiece polylineOf(const std::vector<Vertex>& vertices, bool closed) {
    TracePiece piece;
    piece.closed = closed;
    if (vertices.empty())
        return piece;
    piece.points.push_back(vertices[0].p);
    const size_t n = vertices.size(), spans = closed ? n : n - 1;
    for (size_t i = 0; i < spans && piece.points.size() <= TRACE_MAX_POINTS; ++i)
        appendBulge(piece.points, vertices[i].p, vertices[(i + 1) % n].p, vertices[i].bulge);
    if (closed && piece.points.size() > 1)
        piece.points.pop_back();  // the first point again
    return piece;
}

TracePiece lwpolylineOf(const Entity& e) {
    std::vector<Vertex> vertices;
    for (const Group& g : e.groups) {
        if (g.code == 10)
            vertices.push_back({{number(g.value).value_or(0), 0}, 0});
        else if (g.code == 20 && !vertices.empty())
            vertices.back().p.y = number(g.value).value_or(0);
        else if (g.code == 42 && !vertices.empty())
            vertices.back().bulge = number(g.value).value_or(0);
    }
    return polylineOf(vertices, (e.flags() & 1) != 0);
}

// The point of a NURBS curve at parameter u, by de Boor's algorithm on
// homogeneous points; `span` is the knot span u lies in.
TracePoint deBoor(int degree, const std::vector<double>& knots, const std::vector<TracePoint>& ctrl,
                  const std::vector<double>& weights, size_t span, double u) {
    struct H {
        double x, y, w;
    };
    std::vector<H> d(static_cast<size_t>(degree) + 1);
    for (int j = 0; j <= degree; ++j) {
        const size_t i = span - static_cast<size_t>(degree) + static_cast<size_t>(j);
        d[static_cast<size_t>(j)] = {ctrl[i].x * weights[i], ctrl[i].y * weights[i], weights[i]};
    }
    for (int r = 1; r <= degree; ++r) {
        for (int j = degree; j >= r; --j) {
            const size_t i = span - static_cast<size_t>(degree) + static_cast<size_t>(j);
            const double den = knots[i + static_cast<size_t>(degree - r) + 1] - knots[i];
            const double a = den > 0 ? (u - knots[i]) / den : 0.0;
            H& dj = d[static_cast<size_t>(j)];
            const H& dp = d[static_cast<size_t>(j - 1)];
            dj = {(1 - a) * dp.x + a * dj.x, (1 - a) * dp.y + a * dj.y, (1 - a) * dp.w + a * dj.w};
        }
    }
    const H& h = d[static_cast<size_t>(degree)];
    return {h.x / h.w, h.y / h.w};
}

// A spline sampled span by span; an empty piece when its numbers do not make
// a curve (too few knots, knots that go back, weights not above 0).
TracePiece splineOf(const Entity& e) {
    const int degree = static_cast<int>(e.get(71, 3));
    std::vector<double> knots, weights;
    std::vector<TracePoint> ctrl, fit;
    for (const Group& g : e.groups) {
        const double v = number(g.value).value_or(0);
        if (g.code == 40)
            knots.push_back(v);
        else if (g.code == 41)
            weights.push_back(v);
        else if (g.code == 10)
            ctrl.push_back({v, 0});
        else if (g.code == 20 && !ctrl.empty())
            ctrl.back().y = v;
        else if (g.code == 11)
            fit.push_back({v, 0});
        else if (g.code == 21 && !fit.empty())
            fit.back().y = v;
    }
    TracePiece piece;
    piece.closed = (e.flags() & 1) != 0;
    if (ctrl.empty()) {
        // Only the points the curve passes through: joined by lines.
        piece.points = fit;
        return piece;
    }
    if (weights.size() != ctrl.size())
        weights.assign(ctrl.size(), 1.0);
    const size_t n = ctrl.size();
    if (degree < 1 || degree > SPLINE_MAX_DEGREE || n > SPLINE_MAX_POINTS ||
        n < static_cast<size_t>(degree) + 1 ||
        knots.size() != n + static_cast<size_t>(degree) + 1 ||
        !std::is_sorted(knots.begin(), knots.end()) ||
        std::any_of(weights.begin(), weights.end(), [](double w) { return !(w > 0); }))
        return {};
    const size_t p = static_cast<size_t>(degree);
    for (size_t span = p; span < n; ++span) {
        const double u0 = knots[span], u1 = knots[span + 1];
        if (!(u1 > u0))
            continue;
        if (piece.points.empty())
            piece.points.push_back(deBoor(degree, knots, ctrl, weights, span, u0));
        for (int k = 1; k <= SPLINE_STEPS_PER_SPAN; ++k)
            piece.points.push_back(deBoor(degree, knots, ctrl, weights, span,
                                          u0 + (u1 - u0) * k / SPLINE_STEPS_PER_SPAN));
        if (piece.points.size() > TRACE_MAX_POINTS)
            break;
    }
    if (piece.closed && piece.points.size() > 1)
        piece.points.pop_back();
    return piece;
}

class EntityReader {
  public:
    explicit EntityReader(const std::vector<Group>& groups) : groups_(groups) {}

    // The section of that name, as an index range; false when there is none.
    bool section(const std::string& name, size_t& begin, size_t& end) const {
        for (size_t i = 0; i + 1 < groups_.size(); ++i) {
            if (groups_[i].code == 0 && groups_[i].value == "SECTION" && groups_[i + 1].code == 2 &&
                groups_[i + 1].value == name) {
                begin = i + 2;
                end = begin;
                while (end < groups_.size() &&
                       !(groups_[end].code == 0 && groups_[end].value == "ENDSEC"))
                    ++end;
                return true;
            }
        }
        return false;
    }

    std::optional<int> headerInt(const std::string& variable) const {
        size_t begin = 0, end = 0;
        if (!section("HEADER", begin, end))
            return std::nullopt;
        for (size_t i = begin; i + 1 < end; ++i) {
            if (groups_[i].code == 9 && groups_[i].value == variable) {
                const auto v = number(groups_[i + 1].value);
                return v ? std::optional<int>(static_cast<int>(*v)) : std::nullopt;
            }
        }
        return std::nullopt;
    }

    std::vector<Entity> entities() const {
        std::vector<Entity> list;
        size_t begin = 0, end = 0;
        if (!section("ENTITIES", begin, end))
            return list;
        for (size_t i = begin; i < end; ++i) {
            if (groups_[i].code == 0)
                list.push_back({groups_[i].value, {}});
            else if (!list.empty())
                list.back().groups.push_back(groups_[i]);
        }
        return list;
    }

  private:
    const std::vector<Group>& groups_;
};

}  // namespace

TraceFile readDxfOutline(const std::string& bytes) {
    TraceFile file;
    std::vector<Group> groups;
    if (bytes.compare(0, 18, "AutoCAD Binary DXF") == 0 || !readGroups(bytes, groups)) {
        file.problem = "not an ASCII DXF file";
        return file;
    }
    EntityReader reader(groups);
    if (const auto units = reader.headerInt("$INSUNITS"))
        file.mmPerUnit = insunits(*units);

    const std::vector<Entity> entities = reader.entities();
    size_t total = 0;
    for (size_t i = 0; i < entities.size() && total <= TRACE_MAX_POINTS; ++i) {
        const Entity& e = entities[i];
        TracePiece piece;
        if (e.type == "LINE") {
            piece = lineOf(e);
        } else if (e.type == "ARC") {
            piece = arcOf(e);
        } else if (e.type == "LWPOLYLINE") {
            piece = lwpolylineOf(e);
        } else if (e.type == "SPLINE") {
            piece = splineOf(e);
        } else if (e.type == "POLYLINE") {
            // Its VERTEX entities follow up to SEQEND; meshes are no outline.
            std::vector<Vertex> vertices;
            for (; i + 1 < entities.size() && entities[i + 1].type == "VERTEX"; ++i)
                vertices.push_back(
                    {{entities[i + 1].get(10), entities[i + 1].get(20)}, entities[i + 1].get(42)});
            if ((e.flags() & (16 | 64)) == 0)
                piece = polylineOf(vertices, (e.flags() & 1) != 0);
        }
        if (piece.points.size() >= 2 && finitePiece(piece)) {
            total += piece.points.size();
            file.pieces.push_back(std::move(piece));
        }
    }
    if (total > TRACE_MAX_POINTS) {
        file.pieces.clear();
        file.problem = "the drawing has more curves than an outline could need";
    }
    return file;
}

}  // namespace bowlyn
