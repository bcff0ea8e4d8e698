#pragma once

#include <optional>
#include <string>

namespace bowlyn {

// The body's depths at the tail and at the neck end and the top's thickness
// as a design gives them, in its unit.
struct DepthSettings {
    std::optional<double> tail, neck, topThickness;  // nothing while blank
    // Why a typed value cannot be used, naming its field; "" when every
    // value can. The values before it are kept, the bad one and those after
    // it are left out.
    std::string problem;
    // The same problem in parts: the field (0 for none) and what is wrong
    // with its value ("must be 0 or more, not '-1'."), for a message that
    // names the field as the window shows it.
    int problemField = 0;
    std::string problemReason;

    // Both depths given and greater than 0: a volume and side strips exist.
    bool hasDepths() const { return tail && neck && *tail > 0.0 && *neck > 0.0; }
};

// The one check of the depths, for the command line and the window alike:
// reads the three texts as typed, and names each field by its label. Unlike
// the other entries, whose longest numeric prefix counts (so that "abc" reads
// as 0), a depth must be a whole number (readWholeNumber: "4.875", "4 7/8",
// "1e1"), at least 0 and finite as the form stores it: a wrong depth would silently
// give a wrong volume, side and resonance. No body is deeper than it is
// long, so a depth beyond `bodyLength` is refused too (a side strip that
// tall would also dwarf the drawing it is exported with). Blank texts are
// no value.
DepthSettings readDepthSettings(const std::string& tailText, const std::string& neckText,
                                const std::string& thicknessText, double bodyLength);

struct Design;
// The depths and the top's thickness as the design's fields hold them, read
// against its body length: what measurements, exports and `check` refuse.
DepthSettings designDepths(const Design& design);

}  // namespace bowlyn
