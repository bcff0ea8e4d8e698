#pragma once

#include <array>
#include <optional>
#include <string>

#include "fit/placement.h"
#include "model/design.h"

namespace bowlyn {

// How close the fitted outline comes to the traced points of one region of
// the body (by height along the centre line), in millimetres.
struct FitRegion {
    const char* name = "";
    double rms = 0, max = 0;
    size_t points = 0;
};

// A design fitted to a traced outline, and how well it fits.
struct OutlineFit {
    std::string problem;  // why no design could be made; "" when one was
    // The texts of the design (to load): the body's
    // fields fitted, the rest from the closest preset with the same kind of
    // cutaway, in the unit asked for. The design they make passes every check.
    FieldTexts texts;
    Placement placement;  // where the fitted body lies in the file (mm)
    bool half = false;
    bool cutaway = false;
    std::optional<double> asymmetryRms, asymmetryMax;
    // Distances from the traced points to the fitted outline (mm).
    double rms = 0, max = 0;
    std::array<FitRegion, 4> regions;  // lower bout, waist, upper bout, shoulder
    size_t points = 0;
    int presetRow = 0;  // whose other fields the design has
    // The built-in design nearest the trace at its own size, best placed.
    int closestPreset = 0;
    double closestPresetRms = 0;
    // Parts of the preset left out because the fitted body could not hold
    // them (the sound hole, the fretboard and strings); "" for none.
    std::string leftOut;
};

// Millimetres per unit of a design in `units`.
double mmPerUnit(DesignUnits units);

// Fits the body to the outline. `units` is the design's unit (UNITS_INCH or
// UNITS_CM), `name` its name text.
OutlineFit fitOutline(const TracedOutline& outline, DesignUnits units, const std::string& name);

}  // namespace bowlyn
