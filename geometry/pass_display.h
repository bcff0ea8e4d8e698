#pragma once

#include <array>
#include <string>

#include "geometry/pass_result.h"

namespace bowlyn {

struct Document;
class Form;

constexpr const char* STATUS_OK = "Status: OK";
constexpr const char* STATUS_LABEL = "labelStatusText";

// The derived-value labels, in the order of the texts below.
extern const std::array<const char*, 11> derivedValueLabels;

// The status line after a pass: "Status: OK" or the problem's message.
std::string statusText(const PassResult& result);

// The texts of the derived-value labels: radii as singleToText of the value
// rounded to 2 decimals, points as pointText; " " for a value not present.
std::array<std::string, 11> derivedValueTexts(const DerivedValues& values);

// "x,y" of two values rounded to 2 decimals.
std::string pointText(float x, float y);

// Marks the entries of `fields` (the fields a problem concerns) and clears
// every other mark; the page of the first comes to the front.
void markProblemFields(Form& form, const FieldSet& fields);

// Puts a pass's result before the user: the status line, the entries of the
// fields a problem concerns marked (their page in front) and every other
// mark cleared, the derived-value labels, the drawing the pass painted and
// doc.alsoShow.
void showPassResult(Document& doc, const PassResult& result);

// One pass, shown: what every command that asks for a drawing does.
PassResult recomputeAndShow(Document& doc);

// Status line "Status: OK", no entry marked, blank drawing (shown), the
// eleven labels " ", doc.alsoShow (blank): what loading a design leaves
// until the next pass.
void resetDisplay(Document& doc);

// Before the outline of the last complete pass is exported or kept: when a
// value was committed since, the pass is run again and shown (in the current
// drawing mode), so that what leaves the program is the design as the form
// holds it. True when a complete outline of the current values is there.
bool bringPassUpToDate(Document& doc);

}  // namespace bowlyn
