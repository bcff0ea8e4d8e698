#include "trace/svg_reader.h"

#include <expat.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <set>

#include "geometry/outline_pieces.h"

namespace bowlyn {
namespace {

constexpr double PI = CIRCLE_RADIANS / 2.0;
// Deeper nesting than this is no drawing but an attack on the stack.
constexpr int MAX_DEPTH = 256;

// x' = a x + c y + e, y' = b x + d y + f, as SVG writes a matrix.
struct Transform {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    Transform then(const Transform& t) const {  // this, applied after t
        return {a * t.a + c * t.b, b * t.a + d * t.b,     a * t.c + c * t.d,
                b * t.c + d * t.d, a * t.e + c * t.f + e, b * t.e + d * t.f + f};
    }
    TracePoint apply(const TracePoint& p) const {
        return {a * p.x + c * p.y + e, b * p.x + d * p.y + f};
    }
};

// Reads SVG numbers one after another, as path data and lists write them:
// separated by spaces or commas, or by nothing where a sign or a second
// decimal point starts the next.
class NumberScanner {
  public:
    explicit NumberScanner(const char* text) : at_(text), end_(text + std::strlen(text)) {}

    void skipSeparators() {
        while (at_ < end_ && (std::isspace(static_cast<unsigned char>(*at_)) || *at_ == ','))
            ++at_;
    }
    bool atEnd() {
        skipSeparators();
        return at_ >= end_;
    }
    char peek() {
        skipSeparators();
        return at_ < end_ ? *at_ : '\0';
    }
    char take() { return at_ < end_ ? *at_++ : '\0'; }
    bool startsNumber() {
        const char c = peek();
        return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
    }
    std::optional<double> number() {
        skipSeparators();
        const char* start = at_ < end_ && *at_ == '+' ? at_ + 1 : at_;
        double v = 0;
        auto r = std::from_chars(start, end_, v);
        if (r.ec != std::errc() || !std::isfinite(v))
            return std::nullopt;
        at_ = r.ptr;
        return v;
    }
    // An arc's flag: a single 0 or 1, which may stand right before the next number.
    std::optional<double> flag() {
        skipSeparators();
        if (at_ < end_ && (*at_ == '0' || *at_ == '1'))
            return *at_++ == '1' ? 1.0 : 0.0;
        return std::nullopt;
    }

  private:
    const char* at_;
    const char* end_;
};

// A length of the root's width or height in millimetres; nullopt without a
// physical unit.
std::optional<double> physicalLength(const char* text) {
    NumberScanner s(text);
    const auto v = s.number();
    if (!v)
        return std::nullopt;
    std::string unit;
    while (!s.atEnd())
        unit += static_cast<char>(std::tolower(static_cast<unsigned char>(s.take())));
    static const std::map<std::string, double> mm = {
        {"mm", 1.0}, {"cm", 10.0}, {"in", 25.4}, {"pt", 25.4 / 72}, {"pc", 25.4 / 6}};
    const auto it = mm.find(unit);
    if (it == mm.end() || !(*v > 0))
        return std::nullopt;
    return *v * it->second;
}

std::optional<Transform> parseTransform(const char* text) {
    Transform result;
    std::string s = text;
    size_t at = 0;
    while (true) {
        const size_t open = s.find('(', at);
        if (open == std::string::npos)
            break;
        const size_t close = s.find(')', open);
        if (close == std::string::npos)
            return std::nullopt;
        std::string name;
        for (size_t i = at; i < open; ++i) {
            if (std::isalpha(static_cast<unsigned char>(s[i])))
                name += s[i];
        }
        const std::string args = s.substr(open + 1, close - open - 1);
        NumberScanner n(args.c_str());
        std::vector<double> v;
        while (!n.atEnd() && v.size() < 7) {
            const auto x = n.number();
            if (!x)
                return std::nullopt;
            v.push_back(*x);
        }
        Transform t;
        const auto arg = [&](size_t i, double fallback) { return i < v.size() ? v[i] : fallback; };
        if (name == "matrix" && v.size() == 6) {
            t = {v[0], v[1], v[2], v[3], v[4], v[5]};
        } else if (name == "translate" && !v.empty()) {
            t.e = v[0];
            t.f = arg(1, 0);
        } else if (name == "scale" && !v.empty()) {
            t.a = v[0];
            t.d = arg(1, v[0]);
        } else if (name == "rotate" && !v.empty()) {
            const double r = v[0] * PI / 180, cx = arg(1, 0), cy = arg(2, 0);
            const Transform rot{std::cos(r), std::sin(r), -std::sin(r), std::cos(r), 0, 0};
            t = Transform{1, 0, 0, 1, cx, cy}.then(rot).then(Transform{1, 0, 0, 1, -cx, -cy});
        } else if (name == "skewX" && v.size() == 1) {
            t.c = std::tan(v[0] * PI / 180);
        } else if (name == "skewY" && v.size() == 1) {
            t.b = std::tan(v[0] * PI / 180);
        } else {
            return std::nullopt;
        }
        result = result.then(t);
        at = close + 1;
    }
    return result;
}

// The arc of a path's A command from `from` to `to`, by the SVG's own
// conversion from end points to centre, radii grown when too small.
void appendEllipticArc(Polyline& out, TracePoint from, TracePoint to, double rx, double ry,
                       double rotation, bool large, bool sweepFlag) {
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    if ((from.x == to.x && from.y == to.y))
        return;
    if (rx == 0 || ry == 0) {
        out.push_back(to);
        return;
    }
    const double phi = rotation * PI / 180, cp = std::cos(phi), sp = std::sin(phi);
    const double dx = (from.x - to.x) / 2, dy = (from.y - to.y) / 2;
    const double x1 = cp * dx + sp * dy, y1 = -sp * dx + cp * dy;
    const double lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
    if (lambda > 1) {
        rx *= std::sqrt(lambda);
        ry *= std::sqrt(lambda);
    }
    const double num = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
    const double den = rx * rx * y1 * y1 + ry * ry * x1 * x1;
    double k = den > 0 ? std::sqrt(std::max(0.0, num / den)) : 0;
    if (large == sweepFlag)
        k = -k;
    const double cx1 = k * rx * y1 / ry, cy1 = -k * ry * x1 / rx;
    const double cx = cp * cx1 - sp * cy1 + (from.x + to.x) / 2;
    const double cy = sp * cx1 + cp * cy1 + (from.y + to.y) / 2;
    const double t1 = std::atan2((y1 - cy1) / ry, (x1 - cx1) / rx);
    double dt = std::atan2((-y1 - cy1) / ry, (-x1 - cx1) / rx) - t1;
    if (sweepFlag && dt < 0)
        dt += 2 * PI;
    else if (!sweepFlag && dt > 0)
        dt -= 2 * PI;
    // Sampled on the unit circle, then stretched and turned onto the ellipse.
    Polyline unit;
    appendArc(unit, 0, 0, 1, t1, dt);
    for (const TracePoint& u : unit)
        out.push_back({cx + cp * rx * u.x - sp * ry * u.y, cy + sp * rx * u.x + cp * ry * u.y});
    out.back() = to;
}

// Path data into subpaths; false on data that breaks off (what came before
// it is kept, as SVG renderers do).
void parsePath(const char* d, std::vector<TracePiece>& pieces) {
    NumberScanner s(d);
    TracePoint current, start, lastControl;
    char command = 0, previous = 0;
    TracePiece piece;
    auto finish = [&](bool closed) {
        piece.closed = closed;
        if (piece.points.size() >= 2)
            pieces.push_back(std::move(piece));
        piece = TracePiece{};
    };
    while (!s.atEnd()) {
        if (std::isalpha(static_cast<unsigned char>(s.peek())))
            command = s.take();
        else if (command == 0)
            break;
        const bool rel = std::islower(static_cast<unsigned char>(command)) != 0;
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(command)));
        const TracePoint base = rel ? current : TracePoint{};
        auto read = [&](int count, std::array<double, 7>& v) {
            for (int i = 0; i < count; ++i) {
                const bool isFlag = upper == 'A' && (i == 3 || i == 4);
                const auto x = isFlag ? s.flag() : s.number();
                if (!x)
                    return false;
                v[static_cast<size_t>(i)] = *x;
            }
            return true;
        };
        std::array<double, 7> v{};
        if (upper == 'Z') {
            finish(true);
            current = start;
            previous = 'Z';
            if (s.startsNumber())
                break;
            continue;
        }
        static const std::map<char, int> counts = {{'M', 2}, {'L', 2}, {'H', 1}, {'V', 1}, {'C', 6},
                                                   {'S', 4}, {'Q', 4}, {'T', 2}, {'A', 7}};
        const auto count = counts.find(upper);
        if (count == counts.end() || !read(count->second, v))
            break;
        if (piece.points.empty() && upper != 'M')
            piece.points.push_back(current);
        switch (upper) {
            case 'M':
                finish(false);
                current = start = {base.x + v[0], base.y + v[1]};
                piece.points.push_back(current);
                command = rel ? 'l' : 'L';  // further pairs are lines
                break;
            case 'L':
                current = {base.x + v[0], base.y + v[1]};
                piece.points.push_back(current);
                break;
            case 'H':
                current.x = base.x + v[0];
                piece.points.push_back(current);
                break;
            case 'V':
                current.y = (rel ? current.y : 0) + v[0];
                piece.points.push_back(current);
                break;
            case 'C':
            case 'S': {
                TracePoint c1, c2, end;
                if (upper == 'C') {
                    c1 = {base.x + v[0], base.y + v[1]};
                    c2 = {base.x + v[2], base.y + v[3]};
                    end = {base.x + v[4], base.y + v[5]};
                } else {
                    const bool smooth = previous == 'C' || previous == 'S';
                    c1 = smooth ? TracePoint{2 * current.x - lastControl.x,
                                             2 * current.y - lastControl.y}
                                : current;
                    c2 = {base.x + v[0], base.y + v[1]};
                    end = {base.x + v[2], base.y + v[3]};
                }
                appendCubic(piece.points, current, c1, c2, end);
                lastControl = c2;
                current = end;
                break;
            }
            case 'Q':
            case 'T': {
                TracePoint q, end;
                if (upper == 'Q') {
                    q = {base.x + v[0], base.y + v[1]};
                    end = {base.x + v[2], base.y + v[3]};
                } else {
                    const bool smooth = previous == 'Q' || previous == 'T';
                    q = smooth ? TracePoint{2 * current.x - lastControl.x,
                                            2 * current.y - lastControl.y}
                               : current;
                    end = {base.x + v[0], base.y + v[1]};
                }
                // The quadratic as the cubic it equals.
                const TracePoint c1{current.x + 2.0 / 3 * (q.x - current.x),
                                    current.y + 2.0 / 3 * (q.y - current.y)};
                const TracePoint c2{end.x + 2.0 / 3 * (q.x - end.x),
                                    end.y + 2.0 / 3 * (q.y - end.y)};
                appendCubic(piece.points, current, c1, c2, end);
                lastControl = q;
                current = end;
                break;
            }
            case 'A': {
                const TracePoint end{base.x + v[5], base.y + v[6]};
                appendEllipticArc(piece.points, current, end, v[0], v[1], v[2], v[3] != 0,
                                  v[4] != 0);
                current = end;
                break;
            }
        }
        previous = upper;
        if (piece.points.size() > TRACE_MAX_POINTS)
            break;
    }
    finish(false);
}

// The points of a polygon or polyline.
TracePiece pointList(const char* text, bool closed) {
    TracePiece piece;
    piece.closed = closed;
    NumberScanner s(text);
    while (!s.atEnd() && piece.points.size() <= TRACE_MAX_POINTS) {
        const auto x = s.number(), y = s.number();
        if (!x || !y)
            break;
        piece.points.push_back({*x, *y});
    }
    return piece;
}

class SvgParser {
  public:
    TraceFile file;

    void start(const char* name, const char** attributes) {
        const std::string element = localName(name);
        ++depth_;
        if (depth_ > MAX_DEPTH) {
            stop("the file nests its elements too deeply");
            return;
        }
        std::map<std::string, std::string> attrs;
        for (int i = 0; attributes[i] && attributes[i + 1]; i += 2)
            attrs[localName(attributes[i])] = attributes[i + 1];
        Transform t = transforms_.empty() ? Transform{} : transforms_.back();
        if (depth_ == 1) {
            root(element, attrs, t);
        }
        if (const auto it = attrs.find("transform"); it != attrs.end()) {
            const auto local = parseTransform(it->second.c_str());
            if (!local) {
                stop("a transform the reader does not know: '" + it->second + "'");
                return;
            }
            t = t.then(*local);
        }
        transforms_.push_back(t);
        static const std::set<std::string> hidden = {"defs",   "clipPath", "mask",
                                                     "marker", "pattern",  "symbol"};
        if (hiddenDepth_ == 0 && hidden.count(element))
            hiddenDepth_ = depth_;
        const auto style = attrs.find("display");
        if (hiddenDepth_ == 0 && style != attrs.end() && style->second == "none")
            hiddenDepth_ = depth_;
        if (hiddenDepth_ == 0)
            shape(element, attrs, t);
    }

    void end() {
        if (hiddenDepth_ == depth_)
            hiddenDepth_ = 0;
        --depth_;
        if (!transforms_.empty())
            transforms_.pop_back();
    }

    XML_Parser parser = nullptr;

  private:
    static std::string localName(const char* name) {
        const char* sep = std::strrchr(name, '|');  // expat's namespace separator
        return sep ? sep + 1 : name;
    }

    void stop(const std::string& why) {
        if (file.problem.empty())
            file.problem = why;
        XML_StopParser(parser, XML_FALSE);
    }

    // The root's size and view box set the unit and turn y upwards.
    void root(const std::string& element, const std::map<std::string, std::string>& attrs,
              Transform& t) {
        if (element != "svg") {
            stop("not an SVG file");
            return;
        }
        const auto width =
            attrs.count("width") ? physicalLength(attrs.at("width").c_str()) : std::nullopt;
        const auto height =
            attrs.count("height") ? physicalLength(attrs.at("height").c_str()) : std::nullopt;
        std::vector<double> box;
        if (attrs.count("viewBox")) {
            NumberScanner s(attrs.at("viewBox").c_str());
            while (!s.atEnd() && box.size() < 4) {
                const auto v = s.number();
                if (!v)
                    break;
                box.push_back(*v);
            }
        }
        const bool hasBox = box.size() == 4 && box[2] > 0 && box[3] > 0;
        if (width && height) {
            // A user unit is as long as the view box makes it; without a box
            // it is a CSS pixel, 1/96 inch.
            const double sx = hasBox ? *width / box[2] : 25.4 / 96;
            const double sy = hasBox ? *height / box[3] : 25.4 / 96;
            file.mmPerUnit = std::min(sx, sy);
        }
        t = {1, 0, 0, -1, 0, 0};
    }

    void shape(const std::string& element, const std::map<std::string, std::string>& attrs,
               const Transform& t) {
        auto attr = [&](const char* key) {
            const auto it = attrs.find(key);
            return it == attrs.end() ? std::string() : it->second;
        };
        auto num = [&](const char* key) {
            const std::string text = attr(key);  // the scanner only points into it
            NumberScanner s(text.c_str());
            return s.number().value_or(0.0);
        };
        std::vector<TracePiece> found;
        if (element == "path") {
            parsePath(attr("d").c_str(), found);
        } else if (element == "polygon" || element == "polyline") {
            found.push_back(pointList(attr("points").c_str(), element == "polygon"));
        } else if (element == "line") {
            found.push_back({{{num("x1"), num("y1")}, {num("x2"), num("y2")}}, false});
        } else if (element == "rect") {
            const double x = num("x"), y = num("y"), w = num("width"), h = num("height");
            if (w > 0 && h > 0)
                found.push_back({{{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}, true});
        }
        for (TracePiece& piece : found) {
            for (TracePoint& p : piece.points)
                p = t.apply(p);
            total_ += piece.points.size();
            if (total_ > TRACE_MAX_POINTS) {
                stop("the drawing has more curves than an outline could need");
                return;
            }
            if (piece.points.size() >= 2 && finitePiece(piece))
                file.pieces.push_back(std::move(piece));
        }
    }

    int depth_ = 0;
    int hiddenDepth_ = 0;
    size_t total_ = 0;
    std::vector<Transform> transforms_;
};

void XMLCALL onStart(void* data, const char* name, const char** attributes) {
    static_cast<SvgParser*>(data)->start(name, attributes);
}
void XMLCALL onEnd(void* data, const char*) {
    static_cast<SvgParser*>(data)->end();
}

}  // namespace

TraceFile readSvgOutline(const std::string& bytes) {
    SvgParser svg;
    XML_Parser parser = XML_ParserCreateNS(nullptr, '|');
    if (!parser) {
        svg.file.problem = "out of memory";
        return svg.file;
    }
    svg.parser = parser;
    XML_SetUserData(parser, &svg);
    XML_SetElementHandler(parser, onStart, onEnd);
    const int len = static_cast<int>(std::min<size_t>(bytes.size(), INT32_MAX));
    const XML_Status status = XML_Parse(parser, bytes.data(), len, XML_TRUE);
    if (status == XML_STATUS_ERROR && svg.file.problem.empty()) {
        svg.file.problem = std::string("not a well-formed SVG file (") +
                           XML_ErrorString(XML_GetErrorCode(parser)) + " at line " +
                           std::to_string(XML_GetCurrentLineNumber(parser)) + ")";
    }
    XML_ParserFree(parser);
    if (!svg.file.problem.empty())
        svg.file.pieces.clear();
    return svg.file;
}

}  // namespace bowlyn
