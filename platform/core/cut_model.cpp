#include "core/cut_model.h"

#include <cmath>

namespace {

constexpr const char* kOffsetNames[kCutOffsetTypeCount] = {"Offset",       "PolyOffset",   "LengthOffset",
                                                           "CenterOffset", "InsideOffset", "OutsideOffset",
                                                           "Offset1",      "Offset2",      "Radius"};

} // namespace

namespace core {

bool isCutType(int cutType) {
    return cutType >= kFirstCutType && cutType <= kLastCutType;
}

int cutTypeFromVersion1(int version1Type) {
    static constexpr int kTypes[kVersion1CutTypeCount] = {kCutProfVsPlate, kCutProfVsProf3Segments,
                                                          kCutProfInProf, kCutProfVsProf, kCutChamfer};
    return (version1Type >= 0 && version1Type < kVersion1CutTypeCount) ? kTypes[version1Type] : 0;
}

const char* cutOffsetName(KvCutOffsetType kind) {
    return (kind >= 0 && kind < kCutOffsetTypeCount) ? kOffsetNames[kind] : "";
}

bool cutOffsetKindOfName(const Zrk_String& name, KvCutOffsetType& kind) {
    for (int i = 0; i < kCutOffsetTypeCount; ++i) {
        if (name == kOffsetNames[i]) {
            kind = static_cast<KvCutOffsetType>(i);
            return true;
        }
    }
    return false;
}

} // namespace core

KvCutOffsetSet Zrk_CutConstraint::heldOffsetsOf(int cutType) {
    KvCutOffsetSet held{};
    auto hold = [&held](std::initializer_list<KvCutOffsetType> kinds) {
        for (KvCutOffsetType kind : kinds)
            held[kind] = true;
    };
    switch (cutType) {
    case core::kCutProfVsPlate:
        hold({kCutOffset});
        break;
    case core::kCutProfVsProf:
        hold({kCutInsideOffset, kCutOutsideOffset, kCutRadius});
        break;
    case core::kCutProfInProf:
        hold({kCutOffset, kCutLengthOffset, kCutCenterOffset, kCutRadius});
        break;
    case core::kCutProfVsProf3Segments:
        hold({kCutOffset, kCutPolyOffset});
        break;
    case core::kCutChamfer:
        hold({kCutOffset, kCutChamferOffset1, kCutChamferOffset2});
        break;
    case core::kCutFillet:
        hold({kCutRadius});
        break;
    default:
        break;
    }
    return held;
}

Zrk_CutConstraint Zrk_CutConstraint::ofType(const Zrk_String& name, int cutType) {
    Zrk_CutConstraint cut;
    cut.name = name;
    cut.cutType = cutType;
    cut.held = heldOffsetsOf(cutType);
    return cut;
}

void Zrk_CutConstraint::getOffsetKinds(Zrk_Array<KvCutOffsetType>& kinds) const {
    kinds.removeAll();
    for (int kind = 0; kind < kCutOffsetTypeCount; ++kind)
        if (held[kind]) kinds.append(static_cast<KvCutOffsetType>(kind));
}

Acad::ErrorStatus Zrk_CutConstraint::getSetCutValue(KvCutOffsetType kind, double& value, bool get) {
    if (!holdsOffset(kind)) return Acad::eInvalidInput;
    const std::size_t at = static_cast<std::size_t>(kind);
    if (get) {
        value = offsets[at];
    } else {
        if (!std::isfinite(value)) return Acad::eInvalidInput;
        offsets[at] = value;
        offsetVars[at].clear();
    }
    return Acad::eOk;
}
