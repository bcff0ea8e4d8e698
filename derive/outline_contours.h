#pragma once

#include <string>
#include <vector>

#include "derive/contour.h"
#include "derive/solved_design.h"

namespace bowlyn {

// Every outline of a complete pass that closes, in design units: the body
// (both halves, with the cutaway side when there is one) and, with a
// fretboard, the fingerboard's top outline.
struct ContourSet {
    std::vector<Contour> loops;  // the body first
    std::string problem;         // why the loops could not be closed; "" on success
    // Where the cutaway and the outline, whose meeting points are found in
    // single precision, missed each other by more than a loop bridges and
    // were joined where they cross: what was joined and by how much, for the
    // user to read; "" when nothing was.
    std::string notice;
    // The widest of those gaps (0 when none was joined): a drawn piece of the
    // outline may end that far beyond the joined loop.
    double joinedGap = 0.0;

    // The loop of that name, or nullptr.
    const Contour* find(const std::string& name) const;
};

ContourSet closedContours(const SolvedDesign& design);

// The body outline's pieces in loop order with the cutaway joined to the
// outline where they cross wherever their ends miss each other by more
// than CONTOUR_GAP_LIMIT; `notice` says which were joined ("" for none),
// `widestGap` (when given) how far apart the farthest of them lay.
std::vector<ContourPiece> joinedBodyPieces(const OutlineRecord& body, std::string& notice,
                                           double* widestGap = nullptr);

// The body outline's pieces in loop order, counter-clockwise from the tail
// end, before they are joined (for tests that check the joining).
std::vector<ContourPiece> bodyPieces(const OutlineRecord& body);

}  // namespace bowlyn
