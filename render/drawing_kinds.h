#pragma once

#include <cstdint>

namespace bowlyn {

// Where a stroke primitive records its entity. Layers 1 to 5 are the layers
// of every exported drawing; None is painted and never recorded. The numbers
// are what the entity list stores (as floats) and what the specified DXF and
// `bowlyn-cli entities` turn back into names, so they must not change.
enum class Layer : int32_t {
    Zero = 0,  // the DXF default layer; nothing draws on it
    Reflines = 1,
    Body = 2,
    Fretboard = 3,
    Frets = 4,
    Strings = 5,
    None = 6,
};

// The layers a drawing records, in number order.
constexpr Layer recordedLayers[] = {Layer::Reflines, Layer::Body, Layer::Fretboard, Layer::Frets,
                                    Layer::Strings};

// The value an entity of that layer carries.
constexpr float layerValue(Layer layer) {
    return static_cast<float>(static_cast<int32_t>(layer));
}

// The name of a layer in every export: "0", "reflines", "body", "fretboard",
// "frets", "strings"; "" for None.
const char* layerName(Layer layer);
// The name of a recorded layer value (rounded); "" for any value that names
// none of the layers 0 to 5.
const char* layerName(float recorded);

// Which halves a primitive draws and records; the mirror image is the entity
// reflected about the centre line (x -> -x).
enum class Side : int8_t {
    MirrorOnly = -1,
    AsPassed = 0,
    Both = 1,  // as passed first, then the mirror image
};

constexpr bool drawsAsPassed(Side side) {
    return side != Side::MirrorOnly;
}
constexpr bool drawsMirror(Side side) {
    return side != Side::AsPassed;
}

// How a point is painted.
enum class PointMarker : uint8_t {
    Bar = 0,    // a dot as wide as the line (nothing at width 1)
    Cross = 1,  // arms of 4 pixels each way
};

// The kind of a recorded entity, stored in the entity as a float.
enum class EntityKind : int32_t { End = 0, Point = 1, Line = 2, Arc = 3, Circle = 4 };

constexpr float entityKindValue(EntityKind kind) {
    return static_cast<float>(static_cast<int32_t>(kind));
}

// The last argument of a primitive: records the entity without painting it
// (the side view, string and fret edges belong in the DXF, not the picture).
constexpr bool RECORD_ONLY = true;

}  // namespace bowlyn
