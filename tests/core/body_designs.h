#pragma once

#include "model/design_parameters.h"
#include "test_document.h"

namespace bowlyn::testing {

// The body of the OM preset in inches, set directly: no fretboard, strings or
// cutaway. Widths are halved as the form's commit does.
inline void setOmBody(DesignParameters& p) {
    p = DesignParameters{};
    p.bodyLength = 19.4f;
    p.lowerBoutHalfWidth = 7.5f;
    p.lowerBoutRadius = 5.12f;
    p.lowerBoutOffset = 0.27f;
    p.lowerBoutRadiusIncrement = 2.38f;
    p.upperBoutHalfWidth = 5.625f;
    p.upperBoutRadius = 2.76f;
    p.upperBoutOffset = 0.25f;
    p.upperBoutRadiusIncrement = 1.34f;
    p.waistHalfWidth = 4.69f;
    p.waistRadius = 2.36f;
    p.waistOffset = 12.68f;
    p.neckFlatHalfLength = 1.25f;
    p.soundHoleDiameter = 3.88f;
    p.soundHoleOffset = 13.5f;
}

// The body of the Dreadnought preset: no secondary arcs, no sound hole.
inline void setDreadnoughtBody(DesignParameters& p) {
    p = DesignParameters{};
    p.bodyLength = 20.09f;
    p.lowerBoutHalfWidth = 7.92f;
    p.lowerBoutRadius = 5.28f;
    p.lowerBoutOffset = 0.25f;
    p.upperBoutHalfWidth = 5.795f;
    p.upperBoutRadius = 2.94f;
    p.upperBoutOffset = 0.14f;
    p.waistHalfWidth = 5.385f;
    p.waistRadius = 5.42f;
    p.waistOffset = 13.55f;
    p.neckFlatHalfLength = 1.085f;
}

}  // namespace bowlyn::testing
