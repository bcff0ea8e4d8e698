#include "trace/image_reader.h"

#include <potracelib.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <memory>

#include "trace/image_decode.h"
#include "trace/outline_loops.h"

namespace bowlyn {
namespace {

constexpr int WORD_BITS = static_cast<int>(sizeof(potrace_word) * CHAR_BIT);
// A hole this large inside the largest shape makes that shape a drawn line
// round the outline rather than a filled one.
constexpr double LINE_HOLE_SHARE = 0.5;
// Shapes smaller than this share of the picture's pixels are left out.
constexpr long long SPECK_SHARE = 20000;
// Points on each edge of a drawn line when its middle is found.
constexpr size_t MIDDLE_POINTS = 4000;
// Pieces of a potrace curve: each spans a few pixels.
constexpr int CURVE_STEPS = 8;

// The grey level that best splits the picture into two kinds of pixels
// (Otsu's: the largest variance between the two classes).
int splitLevel(const GreyImage& image) {
    std::array<double, 256> histogram{};
    for (uint8_t v : image.pixels)
        histogram[v] += 1;
    const double total = static_cast<double>(image.pixels.size());
    double sumAll = 0;
    for (int i = 0; i < 256; ++i)
        sumAll += i * histogram[static_cast<size_t>(i)];
    double below = 0, sumBelow = 0, best = -1;
    int level = 128;
    for (int t = 0; t < 255; ++t) {
        below += histogram[static_cast<size_t>(t)];
        sumBelow += t * histogram[static_cast<size_t>(t)];
        const double above = total - below;
        if (below == 0 || above == 0)
            continue;
        const double m0 = sumBelow / below, m1 = (sumAll - sumBelow) / above;
        const double between = below * above * (m0 - m1) * (m0 - m1);
        if (between > best) {
            best = between;
            level = t;
        }
    }
    return level;
}

struct Bitmap {
    potrace_bitmap_t bm{};
    std::vector<potrace_word> words;
};

// Pixels darker than the level (or lighter, on dark paper) are set; potrace
// counts lines from the bottom, so y runs upwards as in the other readers.
Bitmap foreground(const GreyImage& image) {
    const int level = splitLevel(image);
    const int w = image.width, h = image.height;
    auto at = [&](int x, int y) { return image.pixels[static_cast<size_t>(y) * w + x]; };
    long long darkBorder = 0, border = 0;
    for (int x = 0; x < w; ++x) {
        darkBorder += (at(x, 0) <= level) + (at(x, h - 1) <= level);
        border += 2;
    }
    for (int y = 0; y < h; ++y) {
        darkBorder += (at(0, y) <= level) + (at(w - 1, y) <= level);
        border += 2;
    }
    const bool darkPaper = 2 * darkBorder > border;
    Bitmap b;
    b.bm.w = w;
    b.bm.h = h;
    b.bm.dy = (w + WORD_BITS - 1) / WORD_BITS;
    b.words.assign(static_cast<size_t>(b.bm.dy) * static_cast<size_t>(h), 0);
    b.bm.map = b.words.data();
    for (int y = 0; y < h; ++y) {
        potrace_word* line = b.words.data() + static_cast<size_t>(h - 1 - y) * b.bm.dy;
        for (int x = 0; x < w; ++x) {
            const bool dark = at(x, y) <= level;
            if (dark != darkPaper)
                line[x / WORD_BITS] |= potrace_word(1) << (WORD_BITS - 1 - x % WORD_BITS);
        }
    }
    return b;
}

Polyline curvePoints(const potrace_curve_t& curve) {
    Polyline out;
    if (curve.n <= 0)
        return out;
    TracePoint current{curve.c[curve.n - 1][2].x, curve.c[curve.n - 1][2].y};
    for (int i = 0; i < curve.n; ++i) {
        const potrace_dpoint_t* c = curve.c[i];
        if (curve.tag[i] == POTRACE_CORNER) {
            out.push_back({c[1].x, c[1].y});
            out.push_back({c[2].x, c[2].y});
        } else {
            const TracePoint p1{c[0].x, c[0].y}, p2{c[1].x, c[1].y}, p3{c[2].x, c[2].y};
            for (int k = 1; k <= CURVE_STEPS; ++k) {
                const double t = static_cast<double>(k) / CURVE_STEPS, u = 1 - t;
                const double a = u * u * u, b = 3 * u * u * t, cc = 3 * u * t * t, d = t * t * t;
                out.push_back({a * current.x + b * p1.x + cc * p2.x + d * p3.x,
                               a * current.y + b * p1.y + cc * p2.y + d * p3.y});
            }
        }
        current = {c[2].x, c[2].y};
    }
    return out;
}

// The middle of a drawn line: each point of its outer edge halfway to the
// nearest point of its inner edge.
Polyline middleOf(const Polyline& outer, const Polyline& inner) {
    Polyline middle;
    middle.reserve(outer.size());
    for (const TracePoint& p : outer) {
        const auto nearest = std::min_element(
            inner.begin(), inner.end(), [&](const TracePoint& a, const TracePoint& b) {
                return std::hypot(p.x - a.x, p.y - a.y) < std::hypot(p.x - b.x, p.y - b.y);
            });
        middle.push_back({(p.x + nearest->x) / 2, (p.y + nearest->y) / 2});
    }
    return middle;
}

struct StateFree {
    void operator()(potrace_state_t* s) const { potrace_state_free(s); }
};
struct ParamFree {
    void operator()(potrace_param_t* p) const { potrace_param_free(p); }
};

}  // namespace

TraceFile readImageOutline(const std::string& bytes, double dpi) {
    TraceFile file;
    const GreyImage image = decodeImage(bytes, file.problem);
    if (!file.problem.empty())
        return file;
    if (dpi > 0)
        file.mmPerUnit = 25.4 / dpi;
    Bitmap bitmap = foreground(image);
    std::unique_ptr<potrace_param_t, ParamFree> param(potrace_param_default());
    if (!param) {
        file.problem = "out of memory";
        return file;
    }
    // Specks, letters and dust are no outline: leaving them out early also
    // keeps a picture of noise from taking minutes to trace.
    param->turdsize = static_cast<int>(std::min<long long>(
        INT32_MAX,
        std::max<long long>(2, static_cast<long long>(image.width) * image.height / SPECK_SHARE)));
    std::unique_ptr<potrace_state_t, StateFree> state(potrace_trace(param.get(), &bitmap.bm));
    if (!state || state->status != POTRACE_STATUS_OK) {
        file.problem = "the picture could not be traced";
        return file;
    }
    const potrace_path_t* largest = nullptr;
    for (const potrace_path_t* p = state->plist; p; p = p->next) {
        if (p->sign == '+' && (!largest || p->area > largest->area))
            largest = p;
    }
    if (!largest) {
        file.problem = "nothing in the picture stands out from the paper";
        return file;
    }
    const potrace_path_t* hole = nullptr;
    for (const potrace_path_t* c = largest->childlist; c; c = c->sibling) {
        if (c->sign == '-' && (!hole || c->area > hole->area))
            hole = c;
    }
    TracePiece piece;
    piece.closed = true;
    piece.points = curvePoints(largest->curve);
    if (hole && hole->area >= LINE_HOLE_SHARE * largest->area) {
        // Each edge on enough points for the line's middle, and no more: the
        // middle pairs every point of one edge with every point of the other.
        const auto even = [](const Polyline& edge) {
            return edge.size() > MIDDLE_POINTS ? resampled(edge, true, MIDDLE_POINTS) : edge;
        };
        piece.points = middleOf(even(piece.points), even(curvePoints(hole->curve)));
    }
    file.pieces.push_back(std::move(piece));
    return file;
}

}  // namespace bowlyn
