#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "geometry/overlays.h"
#include "model/number_text.h"
#include "model/presets.h"

namespace bowlyn {
namespace {

// The largest magnitude written into the form. Its texts are read back as
// singles, and rounding must not push a value past the single range, so any
// value beyond this (or NaN, or an infinity from a nearly straight run of
// points) leaves its field blank.
constexpr double LARGEST_VALUE = std::numeric_limits<float>::max() / 2;

bool fits(double v) {
    return std::fabs(v) <= LARGEST_VALUE;
}

// The usable points from the tail upward: both coordinates >= 0, ascending y,
// of equal heights the later entered one first, consecutive exact repeats once.
std::vector<TransPoint> sortedPoints(const Overlays& overlays) {
    const uint32_t count = std::min(overlays.transPointCount, TRANS_POINT_CAPACITY);
    std::vector<bool> taken(count + 1, false);
    std::vector<TransPoint> sorted;
    for (uint32_t round = 0; round < count; ++round) {
        uint32_t best = 0;
        double bestY = 1.7e308;
        for (uint32_t i = 1; i <= count; ++i) {
            if (taken[i])
                continue;
            const TransPoint& q = overlays.transPoints[i];
            if (q.x < 0 || q.y < 0) {
                taken[i] = true;
                continue;
            }
            if (q.y <= bestY) {  // a later point of equal height wins
                bestY = q.y;
                best = i;
            }
        }
        if (best == 0)
            break;
        taken[best] = true;
        const TransPoint& q = overlays.transPoints[best];
        if (sorted.empty() || sorted.back().x != q.x || sorted.back().y != q.y) {
            sorted.push_back(q);
        }
    }
    return sorted;
}

// Writes the texts of the new design, blank to begin with; the points are
// numbered from 1 like the list, and a point past the end reads as (0, 0) so
// that the last run can close its circle on the tail.
class TextsWriter {
  public:
    TextsWriter(FieldTexts& row, std::vector<TransPoint> points)
        : row_(row), points_(std::move(points)) {}

    int count() const { return static_cast<int>(points_.size()); }
    TransPoint at(int p) const { return p >= 1 && p <= count() ? points_[p - 1] : TransPoint{}; }

    void set(const char* label, const std::string& text) { row_[fieldByLabel(label) - 1] = text; }
    void setNumber(const char* label, double v) {
        if (fits(v))
            set(label, doubleToText(v));
    }
    // A full width from the half width at point p.
    void setWidth(const char* label, int p) { setNumber(label, 2 * at(p).x); }

    // The circle through points p, p - 1 and p - 2; false when there is none
    // or its radius is beyond what the form holds.
    bool circleAt(int p, double& cy, double& r) const {
        double cx = 0;
        r = circleThroughPoints(at(p).x, at(p).y, at(p - 1).x, at(p - 1).y, at(p - 2).x,
                                at(p - 2).y, cx, cy);
        return r != 0 && fits(r);
    }

    // Radius rounded to 3 decimals, and an offset rounded likewise and shown
    // with all the digits of the single it became (1.234 as 1.233999967575073).
    void setRounded(const char* radiusLabel, double r) {
        set(radiusLabel, singleToText(roundTo(static_cast<float>(r), 3)));
    }
    void setRoundedOffset(const char* label, double o) {
        set(label, doubleToText(static_cast<double>(roundTo(static_cast<float>(o), 3))));
    }

  private:
    FieldTexts& row_;
    std::vector<TransPoint> points_;
};

}  // namespace

double circleThroughPoints(double x1, double y1, double x2, double y2, double x3, double y3,
                           double& cx, double& cy) {
    double m = -(y2 - y1);
    double u = -(y3 - y2);
    double d12 = x2 - x1;
    double d23 = x3 - x2;
    double mx12 = (x1 + x2) / 2, my12 = (y1 + y2) / 2;
    double mx23 = (x2 + x3) / 2, my23 = (y2 + y3) / 2;
    cx = (m * my12 * u + m * mx23 * d23 - u * d12 * mx12 - u * m * my23) / (m * d23 - u * d12);
    cy = my12 + d12 * (cx - mx12) / m;
    double r = std::sqrt((cx - x1) * (cx - x1) + (cy - y1) * (cy - y1));
    // Points on a line give an infinite radius, two points at one height NaN.
    return std::isfinite(r) ? r : 0.0;
}

std::optional<FieldTexts> convertTransPoints(const Overlays& overlays) {
    if (overlays.transPointCount == 0)
        return std::nullopt;
    std::vector<TransPoint> sorted = sortedPoints(overlays);
    if (sorted.empty())
        return std::nullopt;

    FieldTexts texts = presetTexts(CLEAR_ROW);
    TextsWriter w(texts, std::move(sorted));
    const int k = w.count();
    const double top = w.at(k).y;
    w.setNumber("Body length", top);

    // Lower bout: the run of growing half widths from the tail ends at its
    // widest point p - 1.
    double f = -1.0;
    int p = 1;
    while (p <= k && w.at(p).x >= f)
        f = w.at(p++).x;
    if (p > 2) {
        w.setWidth("Lower bout width", p - 1);
        double cy = 0, r = 0;
        const double widestY = w.at(p - 1).y;
        if (w.circleAt(p, cy, r)) {
            if (r < widestY) {
                if (fits(cy - r)) {
                    w.setRounded("Lower bout radius", r);
                    w.setRoundedOffset("Lower bout offset", cy - r);
                }
            } else if (fits(widestY)) {
                w.setNumber("Lower bout radius", widestY);
                w.set("Lower bout offset", "0");
            }
        }
    }

    // Waist: the run of shrinking half widths ends at its narrowest point.
    int s = p;
    if (p + 2 <= k) {
        while (p <= k && w.at(p).x <= f)
            f = w.at(p++).x;
        if (p >= s + 2) {
            w.setWidth("Waist width", p - 1);
            w.setNumber("Waist offset", w.at(p - 1).y);
            double cy = 0, r = 0;
            if (w.circleAt(p, cy, r))
                w.setRounded("Waist radius", r);
        }

        // Upper bout: growing again up to its widest point.
        s = p;
        if (p + 2 <= k) {
            while (p <= k && w.at(p).x >= f)
                f = w.at(p++).x;
            if (p >= s + 2) {
                w.setWidth("Upper bout width", p - 1);
                double cy = 0, r = 0;
                const double h = top - w.at(p - 1).y;  // from the widest point to the top
                if (w.circleAt(p, cy, r)) {
                    if (r < h) {
                        if (fits(top - cy - r)) {
                            w.setRounded("Upper bout radius", r);
                            w.setRoundedOffset("Upper bout offset", top - cy - r);
                        }
                    } else if (fits(h)) {
                        w.setNumber("Upper bout radius", h);
                        w.set("Upper bout offset", "0");
                    }
                }
            }
        }
    }

    return texts;
}

}  // namespace bowlyn
