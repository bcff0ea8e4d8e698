#pragma once

#include <array>
#include <string>

namespace bowlyn {

struct Document;

constexpr const char* STATUS_OK = "Status: OK";
constexpr const char* STATUS_LABEL = "labelStatusText";

// The derived-value labels in the order every pass blanks them.
extern const std::array<const char*, 11> derivedValueLabels;

// Status line "Status: OK", blank drawing (shown), the eleven labels " ",
// then doc.showMeasurements.
void resetDisplay(Document& doc);

// One pass: validate, solve, draw, record; the first problem goes to the
// status line and ends the pass; then doc.showMeasurements. Reads
// doc.finalDrawing.
void recompute(Document& doc);

// Before the outline of the last complete pass is exported or kept: when a
// value was committed since, the pass is run again (in the current drawing
// mode), so that what leaves the program is the design as the form holds it.
// True when a complete outline of the current values is there.
bool bringPassUpToDate(Document& doc);

// Writes a problem message to the status line.
void reportProblem(Document& doc, const std::string& message);

}  // namespace bowlyn
