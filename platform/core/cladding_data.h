#pragma once
// The records of the cladding settings dialog and the bracing dialog: what the product's cladding and
// bracing generators ask of the person before they place purlins, side rails and bracing members in a
// bay. The generators (other modules of the product) fill a record, hand it to StartDlgCladdingSettings
// or StartDlgBracing, and read it back after OK.
//
// Indexes are positions in the lists the dialogs offer (texts of the language table), kept as numbers
// so that a record means the same in every language. An index outside its list is kept as it is
// (the dialog then shows no choice and leaves it unchanged).

#include "core/zrk_string.h"

// What the cladding carries: the roof's purlins, the wall's side rails, or a canopy's purlins (a roof
// face that ends free, with no ridge above it).
enum class KvPurlinType : int {
    Roof = 0,
    Wall = 1,
    Canopy = 2,
};

// Where the first or last purlin of a face is held. The spacing chosen in the dialog places the ones
// between.
enum class KvCladConstrainType : int {
    Free = 0,      // where the spacing puts it
    AtEdge = 1,    // on the face's edge (the eaves of a roof, the base of a wall)
    FromEdge = 2,  // at a distance from the face's edge
    AtRidge = 3,   // at the ridge of a roof
    AtOpening = 4, // at the edge of an opening (a door, a window, a roof light)
};

namespace core {
inline constexpr int kCladConstrainTypeCount = 5;
inline constexpr int kPurlinKindCount = 3;
inline constexpr int kPlacementCount = 5;
inline constexpr int kBracingKindCount = 6;
// The bracing kind made of a section of the library (the others are rods, flats or cables).
inline constexpr int kBracingKindSection = 3;
} // namespace core

// Whether a purlin of that type may be held so. A wall has no ridge and a canopy ends free, so
// neither is held at a ridge; a canopy has no openings. Free is the absence of a constraint: it is
// valid only when includeFree is set (the dialogs offer it; a generator that needs a real hold asks
// without it).
bool isValidConstrainType(KvPurlinType purlinType, KvCladConstrainType type, bool includeFree);

class KvCladdingDlgData {
public:
    KvPurlinType purlinType = KvPurlinType::Roof; // in: what the cladding carries
    Zrk_String section;                           // the purlins' section (a system name or a user
                                                  // section's path below the library folder)
    Zrk_StringArray sections;                     // the sections offered
    int purlinKind = 0;                           // single span, lapped, sleeved
    int placement = 0;                            // how the purlins are spaced (core::kPlacementCount)
    Zrk_String spacing;                           // the spacing or distances of the last two placements
    bool sagRods = false;                         // sag rods between the purlins
    KvCladConstrainType firstConstraint = KvCladConstrainType::AtEdge;
    KvCladConstrainType lastConstraint = KvCladConstrainType::AtRidge;

    bool operator==(const KvCladdingDlgData&) const = default;
};

class KvBracingDlgData {
public:
    // Each of the two bracings (the roof's and the walls') has a kind; the kind core::
    // kBracingKindSection is made of its section.
    int roofKind = 0;
    int wallKind = 0;
    Zrk_String roofSection;
    Zrk_String wallSection;
    Zrk_StringArray sections; // the sections offered for both
    bool gussetPlates = true; // the members are joined by gusset plates (else bolted directly)

    bool operator==(const KvBracingDlgData&) const = default;
};
