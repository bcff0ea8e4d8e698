#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geometry/document.h"
#include "geometry/recompute.h"
#include "model/memory_form.h"
#include "render/entity_list.h"

namespace bowlyn::testing {

// A fresh document on a memory form, with the status line reading OK.
struct NeckDocument {
    MemoryForm form;
    Document doc{form};

    NeckDocument() { form.setText(STATUS_LABEL, STATUS_OK); }
    std::string status() const { return form.text(STATUS_LABEL); }
    const std::vector<Entity>& entities() const { return doc.drawing.entities.entities(); }

    // Entities of one kind on one layer.
    std::vector<Entity> recorded(EntityKind kind, float layer) const {
        std::vector<Entity> out;
        for (const Entity& e : entities())
            if (e.kind == static_cast<float>(kind) && e.layer == layer)
                out.push_back(e);
        return out;
    }
};

// The archtop neck: body 20.65, scale 25, the neck joining at fret 14.
inline void setArchtopNeck(DesignParameters& p) {
    p.bodyLength = 20.65f;
    p.lowerBoutHalfWidth = 8.0f;
    p.scaleLength = 25.0f;
    p.neckJoinsAtFret = 14;
}

// A complete fretboard with a board-width taper, passing every check.
inline void setFretboard(DesignParameters& p) {
    setArchtopNeck(p);
    p.hasFretboard = 1;
    p.fretCount = 20;
    p.fretboardThickness = 0.25f;
    p.nutWidth = 1.75f;
    p.nutThickness = 0.25f;
    p.taperType = TAPERTYPEBOARDWIDTH;
    p.boardWidthAtFret = 2.125f;
    p.boardWidthFret = 12;
    p.fretwireThickness = 0.1f;
    p.fretwireHeight = 0.05f;
}

}  // namespace bowlyn::testing
