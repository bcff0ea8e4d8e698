#pragma once

#include <optional>
#include <string>

#include "render/entity_list.h"

namespace bowlyn {

// DXF drawing text: an ENTITIES section only, CR LF after every line, numbers
// written with "." whatever the locale. Each writer appends its lines to
// `out`. The entity writers refuse (write nothing, return false) when a value
// is not a finite number or the layer name is empty, because a reader would
// reject or misread the whole file.
void writeDxfHeader(std::string& out);
bool writeDxfPoint(std::string& out, const char* layer, float x, float y);
bool writeDxfLine(std::string& out, const char* layer, float x1, float y1, float x2, float y2);
// Angles in degrees, counter-clockwise from the start to the end angle.
bool writeDxfArc(std::string& out, const char* layer, float cx, float cy, float r, float startAngle,
                 float endAngle);
bool writeDxfCircle(std::string& out, const char* layer, float cx, float cy, float r);
void writeDxfFooter(std::string& out);

// A value line for a single: "%.7g" without a trailing ".", with one leading
// space unless it starts with "-" (so -0.0 gives "-0").
std::string dxfValue(float value);

// The whole file for the entities up to the end marker (an entity of kind 0)
// or the end of the list. Entities of an unknown kind are skipped. Empty when
// an entity cannot be written (see above): the export then refuses rather
// than write a file that is missing part of the drawing.
std::optional<std::string> dxfText(const EntityList& entities);

}  // namespace bowlyn
