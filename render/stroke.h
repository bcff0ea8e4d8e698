#pragma once

#include <cstdint>
#include <vector>

#include "model/units.h"
#include "render/drawing_kinds.h"
#include "render/style.h"

namespace bowlyn {

enum class StrokeKind : uint8_t { Line, Point, Circle, Arc };

// What a stroke is drawn for: the pictures of a pass (the 660 image, the
// window, paper templates), the files exported from it, or both. A stroke on
// Layer::None is never exported, whatever its use.
enum class StrokeUse : uint8_t {
    ShownAndRecorded,
    Shown,     // the reference centre line: a picture's, never a file's
    Recorded,  // the side view, string and fret edges: a file's, never painted
};

// One call of a stroke primitive in model units, exactly as it was passed:
// recorded once per pass and read by the painter, every exported file and the
// paper templates alike. The mirror image its side asks for is made from it
// when needed, never stored.
struct Stroke {
    StrokeKind kind = StrokeKind::Line;
    Layer layer = Layer::None;
    Side side = Side::AsPassed;
    PointMarker marker = PointMarker::Bar;
    StrokeUse use = StrokeUse::ShownAndRecorded;
    const StrokeStyle* style = &styleOutline;
    // line x1 y1 x2 y2; point x y; circle cx cy r; arc cx cy r a1 a2 (radians,
    // counter-clockwise from a1 to a2). Singles as the pass drew them; an
    // export that converts the unit holds the exact products.
    double v[5] = {};
    // Painted with model y `alignFrom` where the view puts y `alignAt`: the
    // snapshot outline, aligned with the current body at the neck end. Both
    // are 0 for everything else.
    float alignAt = 0.0f, alignFrom = 0.0f;

    bool shown() const { return use != StrokeUse::Recorded; }
    bool recorded() const { return use != StrokeUse::Shown && layer != Layer::None; }
};

using StrokeList = std::vector<Stroke>;

// A recorded stroke's mirror image about the centre line, on its own side:
// every x negated, and an arc's angles mirrored (pi - a below pi, 3 pi - a
// from it, in singles) and exchanged, so that it still runs counter-clockwise.
Stroke mirrored(const Stroke& s);

// Hands `take` the recorded strokes of a pass, each side a stroke of its own
// (as passed first, then the mirror image), in the order they were drawn:
// the entity list that every exported file is made of.
template <class Take>
void forEachRecorded(const StrokeList& strokes, Take take) {
    for (const Stroke& s : strokes) {
        if (!s.recorded())
            continue;
        if (drawsAsPassed(s.side)) {
            Stroke asPassed = s;
            asPassed.side = Side::AsPassed;
            take(asPassed);
        }
        if (drawsMirror(s.side))
            take(mirrored(s));
    }
}

// The same as a list.
StrokeList recordedStrokes(const StrokeList& strokes);

// An arc's angle as every exported file records it: degrees, computed in
// singles from the radians it was drawn with (0 stays 0, else 180 / (pi / a)).
float arcDegrees(double radians);

// How many values a stroke of the kind uses: 2 for a point, 4 a line, 3 a
// circle, 5 an arc.
int valueCount(StrokeKind kind);

// Value i of a recorded stroke as the files record it: a single, an arc's
// angles in degrees.
float recordedValue(const Stroke& s, int i);

// The stroke with its lengths converted to another unit; an arc's angles stay.
Stroke scaled(Stroke s, const UnitScale& scale);

}  // namespace bowlyn
