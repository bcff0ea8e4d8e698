#include "fit/body_fit.h"

#include <Eigen/Dense>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>
#include <unsupported/Eigen/LevenbergMarquardt>
#include <vector>

#include "fit/outline_model.h"
#include "geometry/recompute.h"
#include "model/form_editing.h"
#include "model/number_text.h"
#include "model/presets.h"

namespace bowlyn {
namespace {

// The fit runs on at most this many points along the outline; the report
// measures on up to REPORT_POINTS.
constexpr size_t FIT_POINTS = 400;
constexpr size_t REPORT_POINTS = 4000;
// Presets are ranked on fewer points: their distances differ by millimetres.
constexpr size_t RANKING_POINTS = 100;
// What a parameter set that fails a check costs at each point (design units):
// more than any outline that passes.
constexpr double REFUSED = 1e3;
constexpr size_t PLACEMENT = 3;  // turn, and move across and along
// A fit that ends farther than this (rms, mm) from the outline is tried
// again from the other presets.
constexpr double RETRY_MM = 0.3;
// Fields held as squares that end below this share of the length are tried
// again at 0.
constexpr double SMALL_SHARE = 0.01;
// Below this share of the length no cutaway reaches.
constexpr double UNCUT_SHARE = 0.55;
// Decimals of the fitted values in the design's texts: 0.001 in or 0.01 mm.
constexpr int TEXT_DECIMALS = 3;

// A field the fit moves; a value that may not go below 0 is held as the
// square of what the solver moves.
struct FitField {
    float DesignParameters::*member;
    bool nonNegative;
    int number;  // in the field table
};

const FitField BODY_FIELDS[] = {
    {&DesignParameters::bodyLength, false, fields::BODY_LENGTH},
    {&DesignParameters::lowerBoutHalfWidth, false, fields::LOWER_BOUT_WIDTH},
    {&DesignParameters::lowerBoutRadius, false, fields::LOWER_BOUT_RADIUS},
    {&DesignParameters::lowerBoutRadiusIncrement, true, fields::LOWER_BOUT_INCREMENT},
    {&DesignParameters::lowerBoutOffset, true, fields::LOWER_BOUT_OFFSET},
    {&DesignParameters::upperBoutHalfWidth, false, fields::UPPER_BOUT_WIDTH},
    {&DesignParameters::upperBoutRadius, false, fields::UPPER_BOUT_RADIUS},
    {&DesignParameters::upperBoutRadiusIncrement, true, fields::UPPER_BOUT_INCREMENT},
    {&DesignParameters::upperBoutOffset, true, fields::UPPER_BOUT_OFFSET},
    {&DesignParameters::waistHalfWidth, false, fields::WAIST_WIDTH},
    {&DesignParameters::waistRadius, false, fields::WAIST_RADIUS},
    {&DesignParameters::waistOffset, false, fields::WAIST_OFFSET},
    {&DesignParameters::neckFlatHalfLength, true, fields::NECK_FLAT_LENGTH},
};
const FitField CUTAWAY_FIELDS[] = {
    {&DesignParameters::cutawaySideOffset, true, fields::CUTAWAY_SIDE_OFFSET},
    {&DesignParameters::cutawayDepth, false, fields::CUTAWAY_DEPTH},
    {&DesignParameters::cutawayWidth, false, fields::CUTAWAY_WIDTH},
};
const FitField VENETIAN_FIELDS[] = {
    {&DesignParameters::cutawayValleyRadius, true, fields::CUTAWAY_VALLEY_RADIUS},
    {&DesignParameters::cutawayPointRadius, false, fields::CUTAWAY_POINT_RADIUS},
};

std::vector<FitField> fieldsFor(const DesignParameters& p) {
    std::vector<FitField> list(std::begin(BODY_FIELDS), std::end(BODY_FIELDS));
    if (p.hasCutaway) {
        list.insert(list.end(), std::begin(CUTAWAY_FIELDS), std::end(CUTAWAY_FIELDS));
        if (p.cutawayType == CUTAWAYTYPEVENETIAN)
            list.insert(list.end(), std::begin(VENETIAN_FIELDS), std::end(VENETIAN_FIELDS));
    }
    return list;
}

// Least squares of the distances from the points (body coordinates, design
// units) to the outline of the parameters, moved by a turn and a shift of
// the points and by the free fields.
class FitCost : public Eigen::DenseFunctor<double> {
  public:
    FitCost(OutlineModel& model, const DesignParameters& base, std::vector<FitField> free,
            const Polyline& points)
        : DenseFunctor(static_cast<int>(PLACEMENT + free.size()), static_cast<int>(points.size())),
          model_(model),
          base_(base),
          free_(std::move(free)),
          points_(points) {}

    Eigen::VectorXd start() const {
        Eigen::VectorXd x = Eigen::VectorXd::Zero(inputs());
        for (size_t k = 0; k < free_.size(); ++k) {
            const double v = base_.*free_[k].member;
            x[static_cast<Eigen::Index>(PLACEMENT + k)] =
                free_[k].nonNegative ? std::sqrt(std::max(0.0, v)) : v;
        }
        return x;
    }

    DesignParameters paramsAt(const Eigen::VectorXd& x) const {
        DesignParameters p = base_;
        for (size_t k = 0; k < free_.size(); ++k) {
            const double v = x[static_cast<Eigen::Index>(PLACEMENT + k)];
            p.*free_[k].member = static_cast<float>(free_[k].nonNegative ? v * v : v);
        }
        return p;
    }

    static TracePoint moved(const Eigen::VectorXd& x, const TracePoint& p) {
        const double c = std::cos(x[0]), s = std::sin(x[0]);
        return {c * p.x - s * p.y + x[1], s * p.x + c * p.y + x[2]};
    }

    int operator()(const Eigen::VectorXd& x, Eigen::VectorXd& f) const {
        const auto pieces = model_.solve(paramsAt(x));
        if (!pieces) {
            f.setConstant(REFUSED);
            return 0;
        }
        for (size_t i = 0; i < points_.size(); ++i) {
            const TracePoint q = moved(x, points_[i]);
            f[static_cast<Eigen::Index>(i)] = distanceTo(*pieces, q.x, q.y);
        }
        return 0;
    }

    // A half's centre line is the line between its ends: the fit may move
    // the body along it, not turn it or move it across.
    void keepCentreLine() { keepCentreLine_ = true; }

    // Forward differences. Each point keeps the piece it is nearest to
    // (or a neighbour of it) while one value moves a little, so a column
    // costs a solve and three distances a point.
    int df(const Eigen::VectorXd& x, Eigen::MatrixXd& jac) const {
        const auto pieces = model_.solve(paramsAt(x));
        if (!pieces) {
            jac.setZero();
            return 0;
        }
        const size_t n = points_.size();
        std::vector<size_t> nearest(n);
        Eigen::VectorXd f0(values());
        for (size_t i = 0; i < n; ++i) {
            const TracePoint q = moved(x, points_[i]);
            f0[static_cast<Eigen::Index>(i)] = distanceTo(*pieces, q.x, q.y, &nearest[i]);
        }
        for (Eigen::Index k = 0; k < inputs(); ++k) {
            if (keepCentreLine_ && k < 2) {
                jac.col(k).setZero();
                continue;
            }
            const double h = k < static_cast<Eigen::Index>(PLACEMENT)
                                 ? 1e-6
                                 : 2e-4 * std::max(1.0, std::fabs(x[k]));
            double step = h;
            Eigen::VectorXd y = x;
            y[k] += step;
            std::optional<std::vector<ModelPiece>> moved;
            if (k >= static_cast<Eigen::Index>(PLACEMENT)) {
                moved = model_.solve(paramsAt(y));
                if (!moved) {
                    step = -h;
                    y[k] = x[k] + step;
                    moved = model_.solve(paramsAt(y));
                }
                if (!moved) {
                    jac.col(k).setZero();
                    continue;
                }
            }
            const std::vector<ModelPiece>& at = moved ? *moved : *pieces;
            const size_t m = at.size();
            // A step that adds or removes a piece (the cutaway reaching
            // another arc) leaves no piece to follow: every one is asked.
            const bool same = m == pieces->size();
            for (size_t i = 0; i < n; ++i) {
                const TracePoint q = FitCost::moved(y, points_[i]);
                const size_t c = nearest[i];
                const double d = !same ? distanceTo(at, q.x, q.y)
                                       : std::min({distanceTo(at[(c + m - 1) % m], q.x, q.y),
                                                   distanceTo(at[c], q.x, q.y),
                                                   distanceTo(at[(c + 1) % m], q.x, q.y)});
                jac(static_cast<Eigen::Index>(i), k) =
                    (d - f0[static_cast<Eigen::Index>(i)]) / step;
            }
        }
        return 0;
    }

  private:
    OutlineModel& model_;
    DesignParameters base_;
    std::vector<FitField> free_;
    const Polyline& points_;
    bool keepCentreLine_ = false;
};

struct FitResult {
    DesignParameters params;
    Eigen::VectorXd x;
    double cost = INFINITY;  // sum of squared distances
};

FitResult minimise(OutlineModel& model, const DesignParameters& start, std::vector<FitField> free,
                   const Polyline& points, int evaluations, bool half = false) {
    FitCost cost(model, start, std::move(free), points);
    if (half)
        cost.keepCentreLine();
    Eigen::VectorXd x = cost.start();
    Eigen::LevenbergMarquardt<FitCost> lm(cost);
    lm.setMaxfev(evaluations);
    lm.setXtol(1e-10);
    lm.setFtol(1e-12);
    lm.minimize(x);
    FitResult result;
    result.x = x;
    result.params = cost.paramsAt(x);
    Eigen::VectorXd f(cost.values());
    cost(x, f);
    result.cost = f.allFinite() ? f.squaredNorm() : INFINITY;
    return result;
}

Polyline scaled(const Polyline& points, double factor) {
    Polyline out = points;
    for (TracePoint& p : out) {
        p.x *= factor;
        p.y *= factor;
    }
    return out;
}

// Every length of the body (and cutaway) times `factor`.
DesignParameters scaledBody(DesignParameters p, double factor) {
    for (const FitField& f : BODY_FIELDS)
        p.*f.member = static_cast<float>(p.*f.member * factor);
    for (const FitField& f : CUTAWAY_FIELDS)
        p.*f.member = static_cast<float>(p.*f.member * factor);
    for (const FitField& f : VENETIAN_FIELDS)
        p.*f.member = static_cast<float>(p.*f.member * factor);
    return p;
}

// A built-in design as loaded.
struct Preset {
    int row = 0;
    DesignParameters params;
    FieldTexts texts;
    double rms = INFINITY;  // from the trace, at its own size, best placed (mm)
    Eigen::VectorXd placement = Eigen::VectorXd::Zero(PLACEMENT);
};

std::vector<Preset> loadPresets() {
    std::vector<Preset> list;
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        Design design;
        loadTexts(design, presetTexts(row));
        list.push_back({row, design.params, presetTexts(row)});
    }
    return list;
}

// The text of a length in the design's texts: `decimals` decimals at most,
// trailing zeros left out.
std::string lengthText(double v, int decimals = TEXT_DECIMALS) {
    char buffer[64];
    const auto r =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
    std::string text(buffer, r.ptr);
    while (text.find('.') != std::string::npos && (text.back() == '0' || text.back() == '.'))
        text.pop_back();
    return text == "-0" ? "0" : text;
}

// The preset's texts in `units`: its lengths converted, the rest as they are.
FieldTexts convertedTexts(const Preset& preset, DesignUnits units) {
    FieldTexts texts = preset.texts;
    texts[fields::UNITS - 1] = units == UNITS_CM ? "CM" : "Inch";
    if (preset.params.units == units)
        return texts;
    const double factor = mmPerUnit(preset.params.units) / mmPerUnit(units);
    for (int n = 1; n <= FIELD_COUNT; ++n) {
        const FieldKind kind = field(n).kind;
        std::string& text = texts[static_cast<size_t>(n - 1)];
        if ((kind == FieldKind::Number || kind == FieldKind::Half) && text != " ")
            text = lengthText(parseDimension(text) * factor);
    }
    return texts;
}

// The distances of the report, by region of the fitted body.
void measure(OutlineFit& fit, const std::vector<ModelPiece>& pieces, const DesignParameters& p,
             const Polyline& points, const Eigen::VectorXd& x, double unitMm) {
    const double yLower = p.lowerBoutOffset + p.lowerBoutRadius, yWaist = p.waistOffset;
    const double yUpper = static_cast<double>(p.bodyLength) - p.upperBoutOffset - p.upperBoutRadius;
    const double bounds[3] = {(yLower + yWaist) / 2, (yWaist + yUpper) / 2, yUpper};
    static const char* const names[4] = {"lower bout", "waist", "upper bout", "shoulder"};
    double sums[4] = {0, 0, 0, 0}, all = 0;
    for (size_t r = 0; r < 4; ++r)
        fit.regions[r] = FitRegion{names[r], 0, 0, 0};
    fit.max = 0;
    for (const TracePoint& p0 : points) {
        const TracePoint q = FitCost::moved(x, p0);
        const double d = distanceTo(pieces, q.x, q.y) * unitMm;
        const size_t r = static_cast<size_t>(std::upper_bound(bounds, bounds + 3, q.y) - bounds);
        FitRegion& region = fit.regions[r];
        sums[r] += d * d;
        region.max = std::max(region.max, d);
        ++region.points;
        all += d * d;
        fit.max = std::max(fit.max, d);
    }
    for (size_t r = 0; r < 4; ++r) {
        if (fit.regions[r].points > 0)
            fit.regions[r].rms = std::sqrt(sums[r] / static_cast<double>(fit.regions[r].points));
    }
    fit.points = points.size();
    fit.rms = points.empty() ? 0 : std::sqrt(all / static_cast<double>(points.size()));
}

// Each preset at its own size, placed as well as it goes on the trace.
void rankPresets(OutlineModel& model, std::vector<Preset>& presets, const Polyline& bodyMm,
                 bool closed) {
    const Polyline few = resampled(bodyMm, closed, std::min(bodyMm.size(), RANKING_POINTS));
    for (Preset& preset : presets) {
        const double unit = mmPerUnit(preset.params.units);
        const Polyline points = scaled(few, 1 / unit);
        if (!model.solve(preset.params))
            continue;
        const FitResult r = minimise(model, preset.params, {}, points, 100);
        preset.rms = std::sqrt(r.cost / static_cast<double>(points.size())) * unit;
        preset.placement = r.x;
    }
}

// Whether the body can be drawn; a cutaway scaled with the body may miss
// the outline where the neck meets it, so its side offset, depth, width and
// radii are tried at other sizes, the nearest to its own first (a width a
// little too wide for a body fitted a little narrow is made a little
// narrower, not a fifth), until one is drawn.
bool drawable(OutlineModel& model, DesignParameters& p) {
    if (model.solve(p))
        return true;
    if (!p.hasCutaway)
        return false;
    struct Sizes {
        float offset, depth, width, radii;
        float change() const {
            return std::fabs(1 - offset) + std::fabs(1 - depth) + std::fabs(1 - width) +
                   std::fabs(1 - radii);
        }
    };
    std::vector<Sizes> tries;
    for (float offset : {1.0f, 0.0f, 0.5f, 2.0f})
        for (float depth : {1.0f, 0.95f, 1.05f, 0.8f, 1.25f})
            for (float width : {1.0f, 0.98f, 0.95f, 0.9f, 0.8f, 1.25f})
                for (float radii : {1.0f, 0.75f, 0.5f})
                    tries.push_back({offset, depth, width, radii});
    std::stable_sort(tries.begin(), tries.end(),
                     [](const Sizes& a, const Sizes& b) { return a.change() < b.change(); });
    const DesignParameters first = p;
    for (const Sizes& t : tries) {
        p.cutawaySideOffset = first.cutawaySideOffset * t.offset;
        p.cutawayDepth = first.cutawayDepth * t.depth;
        p.cutawayWidth = first.cutawayWidth * t.width;
        p.cutawayValleyRadius = first.cutawayValleyRadius * t.radii;
        p.cutawayPointRadius = first.cutawayPointRadius * t.radii;
        if (model.solve(p))
            return true;
    }
    p = first;
    return false;
}

// The widths the outline shows: the narrowest half width in the middle of
// the body (the waist) and the widest below and above it (the bouts), with
// their heights; in the points' unit.
struct Profile {
    double length = 0;
    double lower = 0, lowerY = 0, waist = 0, waistY = 0, upper = 0, upperY = 0;
};

Profile profileOf(const Polyline& points, bool half) {
    constexpr int BANDS = 60;
    Profile pr;
    for (const TracePoint& p : points)
        pr.length = std::max(pr.length, p.y);
    std::vector<double> lo(BANDS, INFINITY), hi(BANDS, -INFINITY);
    for (const TracePoint& p : points) {
        const auto b = static_cast<size_t>(
            std::clamp(static_cast<int>(p.y / pr.length * BANDS), 0, BANDS - 1));
        lo[b] = std::min(lo[b], half ? 0.0 : p.x);
        hi[b] = std::max(hi[b], p.x);
    }
    auto width = [&](int band) {
        const auto b = static_cast<size_t>(band);
        return hi[b] > lo[b] ? (hi[b] - lo[b]) / (half ? 1 : 2) : 0.0;
    };
    auto y = [&](int b) { return (b + 0.5) * pr.length / BANDS; };
    int w = -1;
    for (int b = 2 * BANDS / 5; b < 4 * BANDS / 5; ++b)
        w = width(b) > 0 && (w < 0 || width(b) < width(w)) ? b : w;
    if (w < 0)
        return pr;
    int l = 0, u = w;
    for (int b = 0; b < w; ++b)
        l = width(b) > width(l) ? b : l;
    for (int b = w; b < BANDS; ++b)
        u = width(b) > width(u) ? b : u;
    pr.lower = width(l), pr.lowerY = y(l);
    pr.upper = width(u), pr.upperY = y(u);
    pr.waist = width(w), pr.waistY = y(w);
    return pr;
}

// The start moved to the widths and heights the outline shows, where the
// body can still be drawn so.
DesignParameters measured(OutlineModel& model, DesignParameters p, const Profile& pr) {
    if (!(pr.waist > 0))
        return p;
    DesignParameters q = p;
    q.lowerBoutHalfWidth = static_cast<float>(pr.lower);
    q.upperBoutHalfWidth = static_cast<float>(pr.upper);
    q.waistHalfWidth = static_cast<float>(pr.waist);
    q.waistOffset = static_cast<float>(pr.waistY);
    q.lowerBoutRadius =
        std::min(q.lowerBoutHalfWidth, static_cast<float>(pr.lowerY - q.lowerBoutOffset));
    q.upperBoutRadius = static_cast<float>(pr.length - q.upperBoutOffset - pr.upperY);
    if (!(q.lowerBoutRadius > 0 && q.upperBoutRadius > 0))
        return p;
    // The profile's heights are a band apart at best, and a tight waist
    // (its arc close to the lower bout's) drawn at them may overlap the
    // bout: the waist's curve, which the profile does not show, is made
    // smaller until the body is drawn. Starting from the unmeasured body
    // instead leaves the fit far from the outline.
    for (float shrink : {1.0f, 0.75f, 0.5f, 0.25f}) {
        q.waistRadius = p.waistRadius * shrink;
        if (drawable(model, q))
            return q;
    }
    return p;
}

// The turn and shift of `second` after `first`: q = R2 (R1 p + t1) + t2.
Eigen::Vector3d composed(const Eigen::VectorXd& second, const Eigen::VectorXd& first) {
    const double c = std::cos(second[0]), s = std::sin(second[0]);
    return {first[0] + second[0], c * first[1] - s * first[2] + second[1],
            s * first[1] + c * first[2] + second[2]};
}

// A value held as a square cannot leave 0 (its slope there is 0): fields at
// 0 start a little above it, where the body still passes its checks.
DesignParameters nudged(OutlineModel& model, DesignParameters p, bool& changed) {
    const float small = 0.002f * p.bodyLength;
    for (const FitField& f : fieldsFor(p)) {
        if (!f.nonNegative || p.*f.member > 0)
            continue;
        p.*f.member = small;
        if (model.solve(p))
            changed = true;
        else
            p.*f.member = 0;
    }
    return p;
}

// A value held as a square comes back to 0 only slowly (its slope vanishes
// there), so a fit may settle with it a little above 0: a round neck end
// fitted with a flat of a millimetre or two, its length short by a few
// tenths. Such values are held at 0 for a second fit.
FitResult withSmallValuesZero(OutlineModel& model, const FitResult& fit, const Polyline& fitPoints,
                              bool half) {
    const double small = SMALL_SHARE * fit.params.bodyLength;
    DesignParameters p = fit.params;
    std::vector<FitField> free;
    bool changed = false;
    for (const FitField& f : fieldsFor(p)) {
        if (!f.nonNegative || !(p.*f.member < small)) {
            free.push_back(f);
            continue;
        }
        changed = changed || p.*f.member > 0;
        p.*f.member = 0;
    }
    if (!changed || !model.solve(p))
        return fit;
    Polyline points = fitPoints;
    for (TracePoint& q : points)
        q = FitCost::moved(fit.x, q);
    FitResult r = minimise(model, p, std::move(free), points, 400, half);
    // Closer by more than the solver's own stopping leaves, or the fit as
    // it was stays.
    if (!(r.cost < 0.99 * fit.cost))
        return fit;
    r.x.head(PLACEMENT) = composed(r.x, fit.x);
    return r;
}

// The parameters a design's texts give, as loading them does.
DesignParameters paramsOf(const FieldTexts& texts) {
    Design design;
    loadTexts(design, texts);
    return design.params;
}

// Whether the design of the texts passes every check of a pass.
bool passes(const FieldTexts& texts) {
    return recompute(paramsOf(texts), Overlays{}, DrawingMode::Final).ok();
}

// The design's texts: the fitted fields rounded, the rest from the preset;
// the preset's sound hole, then its fretboard and strings, are left out when
// the fitted body cannot hold them.
bool finishDesign(OutlineFit& fit, OutlineModel& model, const Preset& preset, const FitResult& best,
                  DesignUnits units, const std::string& name) {
    FieldTexts texts = convertedTexts(preset, units);
    texts[fields::NAME - 1] = name;
    // A fit that ends on a check's limit (a radius as large as a width may
    // be) can be pushed past it by rounding: more decimals are kept then.
    bool drawn = false;
    for (int decimals = TEXT_DECIMALS; decimals <= 7 && !drawn; ++decimals) {
        for (const FitField& f : fieldsFor(best.params)) {
            const double v = best.params.*f.member;
            texts[static_cast<size_t>(f.number - 1)] =
                lengthText(field(f.number).kind == FieldKind::Half ? 2 * v : v, decimals);
        }
        drawn = model.solve(paramsOf(texts)).has_value();
    }
    if (!drawn) {
        fit.problem = "the fitted body does not pass the checks once written down";
        return false;
    }
    const std::pair<std::vector<int>, const char*> dropped[] = {
        {{}, ""},
        {{fields::SOUND_HOLE_DIAMETER, fields::SOUND_HOLE_OFFSET, fields::SOUND_HOLE_X_OFFSET},
         "sound hole"},
        {{fields::HAS_FRETBOARD, fields::HAS_STRINGS, fields::HAS_MARKERS},
         "sound hole, fretboard and strings"},
        {{fields::SCALE_LENGTH, fields::JOINS_AT_FRET}, "sound hole, fretboard, strings and neck"},
    };
    for (const auto& [numbers, what] : dropped) {
        for (int n : numbers)
            texts[static_cast<size_t>(n - 1)] = field(n).kind == FieldKind::Boolean ? "0" : " ";
        if (passes(texts)) {
            fit.texts = texts;
            fit.presetRow = preset.row;
            fit.leftOut = what;
            return true;
        }
    }
    fit.problem = "the fitted body cannot hold the neck of " + presetName(preset.row);
    return false;
}

// The placement the fit settled on: the first one moved by the fit's turn
// and shift (design units).
Placement refinedPlacement(const Placement& first, const Eigen::VectorXd& x, double unitMm) {
    // A body point q of the fit came from the first placement's p with
    // q = R p + t, so p = R^-1 (q - t).
    const double c = std::cos(x[0]), s = std::sin(x[0]);
    auto back = [&](double qx, double qy) {
        const double dx = qx - x[1] * unitMm, dy = qy - x[2] * unitMm;
        return first.fromBody({c * dx + s * dy, -s * dx + c * dy});
    };
    Placement refined = first;
    refined.tail = back(0, 0);
    const TracePoint ahead = back(0, 100);
    refined.angle = std::atan2(ahead.y - refined.tail.y, ahead.x - refined.tail.x);
    return refined;
}

}  // namespace

double mmPerUnit(DesignUnits units) {
    return units == UNITS_CM ? 10.0 : 25.4;
}

OutlineFit fitOutline(const TracedOutline& outline, DesignUnits units, const std::string& name) {
    OutlineFit fit;
    const PlacedOutline placed = placeOutline(outline);
    fit.half = placed.half;
    fit.cutaway = placed.cutaway;
    fit.asymmetryRms = placed.asymmetryRms;
    fit.asymmetryMax = placed.asymmetryMax;
    const double unit = mmPerUnit(units);
    const bool closed = !placed.half;
    const Polyline& body = placed.body;
    const Polyline fitPoints =
        scaled(body.size() > FIT_POINTS ? resampled(body, closed, FIT_POINTS) : body, 1 / unit);
    const Polyline reportPoints = scaled(
        body.size() > REPORT_POINTS ? resampled(body, closed, REPORT_POINTS) : body, 1 / unit);

    OutlineModel model;
    std::vector<Preset> presets = loadPresets();
    rankPresets(model, presets, body, closed);
    const auto closest =
        std::min_element(presets.begin(), presets.end(),
                         [](const Preset& a, const Preset& b) { return a.rms < b.rms; });
    fit.closestPreset = closest->row;
    fit.closestPresetRms = closest->rms;

    // Presets of the outline's kind (with a cutaway of either style, or
    // without one), nearest first: the two nearest of each style start the
    // fit, the others only when those end far from the outline.
    std::vector<const Preset*> starts, spare;
    for (int style : {int{CUTAWAYTYPEFLORENTINE}, int{CUTAWAYTYPEVENETIAN}, -1}) {
        std::vector<const Preset*> kind;
        for (const Preset& p : presets) {
            const bool same = placed.cutaway ? p.params.hasCutaway && p.params.cutawayType == style
                                             : !p.params.hasCutaway && style == -1;
            if (same && std::isfinite(p.rms))
                kind.push_back(&p);
        }
        std::sort(kind.begin(), kind.end(),
                  [](const Preset* a, const Preset* b) { return a->rms < b->rms; });
        for (size_t i = 0; i < kind.size(); ++i)
            (i < 2 ? starts : spare).push_back(kind[i]);
    }
    const Profile profile = profileOf(fitPoints, placed.half);
    const double length = profile.length;
    FitResult best;
    const Preset* bestPreset = nullptr;
    auto tryStart = [&](const Preset* preset) {
        DesignParameters start = scaledBody(preset->params, length / preset->params.bodyLength);
        start.units = units;
        // The neck keeps its true size: it places the cutaway's inner edge.
        const float f = static_cast<float>(mmPerUnit(preset->params.units) / unit);
        for (float DesignParameters::*m :
             {&DesignParameters::scaleLength, &DesignParameters::nutWidth,
              &DesignParameters::boardWidthAtFret, &DesignParameters::bridgeStringSpacing,
              &DesignParameters::stringSetback})
            start.*m *= f;
        start.soundHoleDiameter = 0;
        start.soundHoleOffset = 0;
        // The cutaway is laid on a body fitted without it to the outline
        // it does not reach (the left side and the lower part), so that it
        // starts where the outline has its own.
        Eigen::VectorXd moved = Eigen::VectorXd::Zero(PLACEMENT);
        if (start.hasCutaway) {
            DesignParameters uncut = start;
            uncut.hasCutaway = 0;
            if (!drawable(model, uncut))
                return;
            uncut = measured(model, uncut, profile);
            Polyline away;
            for (const TracePoint& p : fitPoints) {
                if (p.x <= 0 || p.y < UNCUT_SHARE * length)
                    away.push_back(p);
            }
            const FitResult body = minimise(model, uncut, fieldsFor(uncut), away, 400);
            moved = body.x.head(PLACEMENT);
            for (const FitField& f : BODY_FIELDS)
                start.*f.member = body.params.*f.member;
            // The cutaway at the preset's own size: it follows the neck,
            // which keeps its size whatever the body's.
            for (const FitField& field : CUTAWAY_FIELDS)
                start.*field.member = preset->params.*field.member * f;
            for (const FitField& field : VENETIAN_FIELDS)
                start.*field.member = preset->params.*field.member * f;
        } else if (drawable(model, start)) {
            start = measured(model, start, profile);
        }
        if (!drawable(model, start))
            return;
        Polyline points = fitPoints;
        for (TracePoint& p : points)
            p = FitCost::moved(moved, p);
        // From the preset's own shape (its arcs that are absent stay
        // absent) and from one that may grow every arc.
        bool grew = false;
        const DesignParameters grown = nudged(model, start, grew);
        const DesignParameters* froms[] = {&start, &grown};
        for (const DesignParameters* from : froms) {
            if (from == &grown && !grew)
                break;
            FitResult r = minimise(model, *from, fieldsFor(*from), points, 400, placed.half);
            r.x.head(PLACEMENT) = composed(r.x, moved);
            if (r.cost < best.cost) {
                best = r;
                bestPreset = preset;
            }
        }
    };
    for (const Preset* preset : starts)
        tryStart(preset);
    if (!(std::sqrt(best.cost / static_cast<double>(fitPoints.size())) * unit <= RETRY_MM)) {
        for (const Preset* preset : spare)
            tryStart(preset);
    }
    if (!bestPreset) {
        fit.problem = "no body Bowlyn can draw comes near the outline";
        return fit;
    }
    // The neck shaped a cutaway and stays with it; a body without one takes
    // the other fields of the preset nearest to the outline.
    const Preset& other = best.params.hasCutaway ? *bestPreset : *starts.front();
    // Values held at 0 may leave the fit on a check's limit that its written
    // texts cross: the fit as it was is written then.
    const FitResult zeroed = withSmallValuesZero(model, best, fitPoints, placed.half);
    if (finishDesign(fit, model, other, zeroed, units, name)) {
        best = zeroed;
    } else {
        fit.problem.clear();
        if (!finishDesign(fit, model, other, best, units, name))
            return fit;
    }
    const DesignParameters written = paramsOf(fit.texts);
    measure(fit, *model.solve(written), written, reportPoints, best.x, unit);
    fit.placement = refinedPlacement(placed.placement, best.x, unit);
    return fit;
}

}  // namespace bowlyn
