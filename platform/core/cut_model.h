#pragma once
// Cuts: a cut constraint of a module (and a cut of a drawing profile) has one of six geometric types
// and holds a set of named offsets, each a number or a general variable ("gen_" name) it follows.
//
// Geometric types, with the offsets a new cut of the type holds (Zrk_CutConstraint::ofType):
//   1 profile against plate          offset
//   2 profile against profile        inside offset, outside offset, radius          (a cope)
//   3 profile in profile             offset, length offset, center offset, radius   (a notch)
//   4 profile against profile,       offset, poly offset                            (a polyline cut)
//     three segments
//   5 chamfer                        offset, chamfer offset 1, chamfer offset 2
//   6 fillet                         radius
// A cut holds exactly the offsets it was given; an offset it does not hold cannot be read or written,
// and the mapping catalogue does not offer it.
//
// The first drawing file edition knew five cut types; they read as the geometric type with the same
// offsets (cutTypeFromVersion1): 0 straight cut -> 1, 1 polyline cut -> 4, 2 notch -> 3, 3 cope -> 2,
// 4 chamfer cut -> 5.

#include <array>

#include "core/zrk_string.h"
#include "host/acad.h"

// The nine offsets of a cut.
enum KvCutOffsetType {
    kCutOffset = 0,
    kCutPolyOffset = 1,
    kCutLengthOffset = 2,
    kCutCenterOffset = 3,
    kCutInsideOffset = 4,
    kCutOutsideOffset = 5,
    kCutChamferOffset1 = 6,
    kCutChamferOffset2 = 7,
    kCutRadius = 8,
};
inline constexpr int kCutOffsetTypeCount = 9;

namespace core {
inline constexpr int kCutProfVsPlate = 1;
inline constexpr int kCutProfVsProf = 2;
inline constexpr int kCutProfInProf = 3;
inline constexpr int kCutProfVsProf3Segments = 4;
inline constexpr int kCutChamfer = 5;
inline constexpr int kCutFillet = 6;
inline constexpr int kFirstCutType = 1;
inline constexpr int kLastCutType = 6;
// The cut types of the first drawing file edition (0 to 4).
inline constexpr int kVersion1CutTypeCount = 5;
// The choice of the cut-type list of a profile-against-plate cut (and of a tab's cut control): an
// index into the four texts 1395-1398, or kCutChoiceNone (the list's empty item).
inline constexpr int kCutChoiceCount = 4;
inline constexpr int kCutChoiceNone = 4;

bool isCutType(int cutType);
// The geometric type of a first-edition cut type; 0 for a number that was none.
int cutTypeFromVersion1(int version1Type);

// The names under which offsets are stored ("Offset", "PolyOffset", "LengthOffset", "CenterOffset",
// "InsideOffset", "OutsideOffset", "Offset1", "Offset2", "Radius"), and the kind of a stored name.
const char* cutOffsetName(KvCutOffsetType kind);
bool cutOffsetKindOfName(const Zrk_String& name, KvCutOffsetType& kind);
} // namespace core

using KvCutOffsetSet = std::array<bool, kCutOffsetTypeCount>;

struct Zrk_CutConstraint {
    Zrk_String name;
    int cutType = core::kCutProfVsPlate;
    KvCutOffsetSet held = heldOffsetsOf(core::kCutProfVsPlate); // the offsets the cut holds
    std::array<double, kCutOffsetTypeCount> offsets{};
    // Per offset: a general variable ("gen_" name) the offset follows, or empty for a plain number.
    std::array<Zrk_String, kCutOffsetTypeCount> offsetVars{};
    // Per offset: the check box of its row in the cuts dialog.
    KvCutOffsetSet checked{};
    // The type-specific settings of the cuts dialog:
    //   option      type 1: cut with the second method (radio 2); type 4: the option is on (radio 1
    //               or 2, not 3)
    //   secondFlag  type 4: the second method (radio 2) while option is on
    //   choice      type 1: 0-3 one of texts 1395-1398, kCutChoiceNone none
    //   flagA       types 1 and 3 (1323); flagB and flagC type 1 (1325, 1326)
    //   text        type 4: the further text (1001)
    bool option = false;
    bool secondFlag = false;
    int choice = core::kCutChoiceNone;
    bool flagA = false;
    bool flagB = false;
    bool flagC = false;
    Zrk_String text;

    // The offsets a new cut of a type holds (none for a number that is no type).
    static KvCutOffsetSet heldOffsetsOf(int cutType);
    // A cut of that type holding the type's offsets, all 0.
    static Zrk_CutConstraint ofType(const Zrk_String& name, int cutType);

    // The offsets the cut holds, in kind order.
    void getOffsetKinds(Zrk_Array<KvCutOffsetType>& kinds) const;
    bool holdsOffset(int kind) const { return kind >= 0 && kind < kCutOffsetTypeCount && held[kind]; }
    // Reads (get) or writes one offset; fails for an offset the cut does not hold and, on a write,
    // for a value that is not finite. A written number replaces a general variable the offset followed.
    Acad::ErrorStatus getSetCutValue(KvCutOffsetType kind, double& value, bool get);
    bool operator==(const Zrk_CutConstraint&) const = default;
};
