#pragma once

#include <cstdint>

namespace bowlyn {

// The layer a stroke belongs to in every exported file. The first five are
// the layers of the recorded drawing; an export adds the side strips' and the
// mould's when it has them, and the files to cut from the fret slots and the
// marks that are no outline (the sound hole's centre). None is for what is painted and never
// recorded: the construction aids and the overlays.
enum class Layer : uint8_t {
    Zero,  // the DXF default layer; nothing draws on it
    Reflines,
    Body,
    Fretboard,
    Frets,
    Strings,
    Sides,
    Mould,
    Slots,
    Marks,
    None,
};

// The layers a drawing records, in the order of every export's layer table.
constexpr Layer recordedLayers[] = {Layer::Reflines, Layer::Body, Layer::Fretboard, Layer::Frets,
                                    Layer::Strings};

// The name of a layer in every export: "0", "reflines", "body", "fretboard",
// "frets", "strings", "sides", "mould", "slots", "marks"; "" for None.
const char* layerName(Layer layer);

// Which halves a primitive draws and records; the mirror image is the stroke
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

}  // namespace bowlyn
