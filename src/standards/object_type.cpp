#include "standards/object_type.h"

namespace standards {

namespace {

struct TypeInfo {
    KvObjectType type;
    const char* keyword;
    KvValueType valueType;
};

// In the order in which the reader tries the keywords (the order of the codes, except that the
// bolt-pattern kinds come before the profile kinds).
constexpr TypeInfo kTypes[] = {
    {KvObjectType::Distance, "Distance", KvValueType::Double},
    {KvObjectType::GenVar, "GenVar", KvValueType::Double},
    {KvObjectType::CutOffset, "CutOffset", KvValueType::Double},
    {KvObjectType::CutPolyOffset, "CutPolyOffset", KvValueType::Double},
    {KvObjectType::CutLengthOffset, "CutLengthOffset", KvValueType::Double},
    {KvObjectType::CutCenterOffset, "CutCenterOffset", KvValueType::Double},
    {KvObjectType::CutInsideOffset, "CutInsideOffset", KvValueType::Double},
    {KvObjectType::CutOutsideOffset, "CutOutsideOffset", KvValueType::Double},
    {KvObjectType::CutChamferOffset1, "CutChamferOffset1", KvValueType::Double},
    {KvObjectType::CutChamferOffset2, "CutChamferOffset2", KvValueType::Double},
    {KvObjectType::CutRadius, "CutRadius", KvValueType::Double},
    {KvObjectType::PatternNrBolts1, "PatternNrBolts1", KvValueType::String},
    {KvObjectType::PatternNrBolts2, "PatternNrBolts2", KvValueType::String},
    {KvObjectType::PatternReverseStart1, "PatternReverseStart1", KvValueType::Int},
    {KvObjectType::PatternReverseStart2, "PatternReverseStart2", KvValueType::Int},
    {KvObjectType::PrPlName, "PrPlName", KvValueType::String},
    {KvObjectType::PrPlMaterial, "PrPlMaterial", KvValueType::String},
    {KvObjectType::OwnedMemberName, "OwnedMemberName", KvValueType::String},
    {KvObjectType::MemberSectionSize, "MemberSectionSize", KvValueType::Double},
    {KvObjectType::BoltsDiameter, "BoltsDiameter", KvValueType::Double},
    {KvObjectType::BoltsHoleOffset, "BoltsHoleOffset", KvValueType::Double},
};

const TypeInfo* infoOf(KvObjectType type) {
    for (const TypeInfo& info : kTypes)
        if (info.type == type) return &info;
    return nullptr;
}

} // namespace

bool objectTypeKeyword(KvObjectType type, Zrk_String& keyword) {
    const TypeInfo* info = infoOf(type);
    if (!info) return false;
    keyword = info->keyword;
    return true;
}

bool objectValueType(KvObjectType type, KvValueType& valueType) {
    const TypeInfo* info = infoOf(type);
    if (!info) return false;
    valueType = info->valueType;
    return true;
}

bool objectTypeFromText(const Zrk_String& text, KvObjectType& type) {
    for (const TypeInfo& info : kTypes) {
        if (text.compare(0, Zrk_String(info.keyword).size(), info.keyword) == 0) {
            type = info.type;
            return true;
        }
    }
    return false;
}

bool isCutOffsetType(KvObjectType type) {
    return type >= KvObjectType::CutOffset && type <= KvObjectType::CutRadius;
}

KvCutOffsetType cutOffsetKind(KvObjectType type) {
    return static_cast<KvCutOffsetType>(static_cast<int>(type) - static_cast<int>(KvObjectType::CutOffset));
}

KvObjectType cutOffsetObjectType(KvCutOffsetType kind) {
    return static_cast<KvObjectType>(static_cast<int>(kind) + static_cast<int>(KvObjectType::CutOffset));
}

} // namespace standards
