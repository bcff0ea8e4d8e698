#pragma once

#include <optional>
#include <string>

#include "render/stroke.h"

namespace bowlyn {

// DXF text: CR LF after every line, numbers with "." whatever the locale. One
// writer serves both DXF files; what differs is its number format: the plain
// export's (group codes as "% d", every number a single as "%.7g") or the
// CAM export's (codes right-aligned in three columns as AutoCAD writes them,
// lengths rounded to a fixed number of decimals, no exponent).
class DxfWriter {
  public:
    static DxfWriter plain();
    static DxfWriter fixed(int lengthDecimals);

    void text(int groupCode, const std::string& value);
    void integer(int groupCode, int value);
    // A length, or an angle in degrees.
    void length(int groupCode, double value);
    void angle(int groupCode, double degrees);
    // A number to `decimals` places in the fixed format (a bulge).
    void number(int groupCode, double value, int decimals);
    // x, y and z (always 0) of a point under codes 10 + k, 20 + k, 30 + k.
    void point(int k, double x, double y);
    // A recorded stroke on one side as a POINT, LINE, ARC or CIRCLE on its
    // layer, an arc's angles in degrees as recorded. Writes nothing and
    // returns false when a value is not a finite number, since a reader
    // would reject or misread the whole file.
    bool entity(const Stroke& s);

    // From now on every entity carries a handle and its owner, and the
    // subclass markers a version-2000 reader expects.
    void useHandles(unsigned firstHandle, unsigned owner);
    // The next free handle, and a new one taken.
    unsigned nextHandle() const { return handle_; }
    unsigned takeHandle() { return handle_++; }
    // A handle or an owner under a group code, in hexadecimal.
    void handle(int groupCode, unsigned h);
    // 0 TYPE, the handle and owner when handles are used, 8 LAYER, and the
    // entity's subclass marker after the layer ("" for none).
    void beginEntity(const char* type, const char* layer, const char* subclass);

    void reserve(size_t bytes) { out_.reserve(bytes); }
    std::string take() { return std::move(out_); }

  private:
    explicit DxfWriter(int lengthDecimals) : decimals_(lengthDecimals) {}
    void code(int groupCode);
    void line(const std::string& s);

    std::string out_;
    int decimals_;  // < 0: singles
    bool handles_ = false;
    unsigned handle_ = 1, owner_ = 0;
};

// The plain export: an ENTITIES section only, with the pass's recorded
// strokes, in the design's unit. Empty when a value cannot be written: the
// export then refuses rather than write a file that is missing part of the
// drawing.
std::optional<std::string> plainDxfText(const StrokeList& strokes);

// The DXF entity a stroke is written as: "POINT", "LINE", "ARC" or "CIRCLE".
const char* dxfEntityName(StrokeKind kind);

// A value line of the plain export: "%.7g" of a single without a trailing
// ".", with one leading space unless it starts with "-" (so -0.0 gives "-0").
std::string dxfValue(float value);

}  // namespace bowlyn
