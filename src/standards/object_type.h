#pragma once
// The kinds of macro object a mapping entry can point at. Each kind has the keyword under which the
// mapping file writes it and a fixed value type; NotSet (0) has neither. The value types are not
// uniform across related kinds: bolt counts are String, reverse-start flags Int.

#include "core/macro_model.h"
#include "core/zrk_string.h"
#include "standards/value_type.h"

enum class KvObjectType : int {
    NotSet = 0,
    Distance = 1,
    GenVar = 2,
    CutOffset = 3, // CutOffset .. CutRadius: the cut-offset kinds 0..8 plus 3
    CutPolyOffset = 4,
    CutLengthOffset = 5,
    CutCenterOffset = 6,
    CutInsideOffset = 7,
    CutOutsideOffset = 8,
    CutChamferOffset1 = 9,
    CutChamferOffset2 = 10,
    CutRadius = 11,
    PrPlName = 12,
    PrPlMaterial = 13,
    OwnedMemberName = 14,
    MemberSectionSize = 15,
    PatternNrBolts1 = 16,
    PatternNrBolts2 = 17,
    PatternReverseStart1 = 18,
    PatternReverseStart2 = 19,
    BoltsDiameter = 20,
    BoltsHoleOffset = 21,
};

namespace standards {

// The keyword of a kind; false for NotSet and codes outside the table.
bool objectTypeKeyword(KvObjectType type, Zrk_String& keyword);
// The value type of a kind; false for NotSet and codes outside the table.
bool objectValueType(KvObjectType type, KvValueType& valueType);
// The first kind, in the order in which the mapping file's reader tries them, whose keyword text
// starts with. False when none.
bool objectTypeFromText(const Zrk_String& text, KvObjectType& type);

// Cut-offset kinds and their object kinds (kind + 3).
bool isCutOffsetType(KvObjectType type);
KvCutOffsetType cutOffsetKind(KvObjectType type);
KvObjectType cutOffsetObjectType(KvCutOffsetType kind);

} // namespace standards
