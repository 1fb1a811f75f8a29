#include "standards/macro_access.h"
#include "standards/value_type.h"

#include "core/number_text.h"
#include "core/text.h"

namespace standards {

namespace {

using standards::kFail;

bool endsWith(const Zrk_String& text, const Zrk_String& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The text before the last "." (the whole name when it has none).
Zrk_String prefixOf(const Zrk_String& name) {
    const std::size_t dot = name.rfind('.');
    return dot == Zrk_String::npos ? name : name.substr(0, dot);
}

struct CutSuffix {
    const char* suffix;
    KvCutOffsetType kind;
};

constexpr CutSuffix kCutSuffixes[] = {
    {".Cut", kCutOffset},           {".CutPoly", kCutPolyOffset},       {".CutLength", kCutLengthOffset},
    {".CutCenter", kCutCenterOffset}, {".CutInside", kCutInsideOffset}, {".CutOutside", kCutOutsideOffset},
    {".Chamfer1", kCutChamferOffset1}, {".Chamfer2", kCutChamferOffset2}, {".CutRadius", kCutRadius},
};

} // namespace

Acad::ErrorStatus accessDimension(Zrk_Module& module, MacroTabData& tab, const Zrk_String& variable,
                                  Zrk_String& value, bool get) {
    if (!get) {
        bool first = false, second = false;
        Zrk_String group;
        if (tab.getFlexFixBtnStatus(variable, first, second) && !(first && !second) &&
            tab.findFlexFixGroup(variable, group))
            tab.flexFixBtnClicked(group, variable, false);
    }
    return module.getSetConstrVarValue(variable, value, get);
}

Acad::ErrorStatus accessCutOffset(Zrk_Module& module, const Zrk_String& cutName, KvCutOffsetType kind,
                                  Zrk_String& value, bool get) {
    Zrk_CutConstraint* cut = module.getCutConstraint(cutName);
    if (!cut) return kFail;
    double number = get ? 0.0 : core::toDouble(value);
    const Acad::ErrorStatus status = cut->getSetCutValue(kind, number, get);
    if (status == Acad::eOk && get) value = doubleToStr(number, 7);
    return status;
}

Acad::ErrorStatus accessBoltText(MacroTabData& tab, bool diameter, Zrk_String& value, bool get) {
    MacroBoltData* bolts = tab.getBoltData();
    if (!bolts) return kFail;
    Zrk_String& text = diameter ? bolts->diameter : bolts->holeOffset;
    if (get) value = text;
    else text = value;
    return Acad::eOk;
}

Acad::ErrorStatus accessNrBolts(Zrk_Module& module, const Zrk_String& pattern, int direction, Zrk_String& value,
                                bool get) {
    Zrk_BoltPattern* found = module.findPattern(pattern);
    if (!found) return kFail;
    return found->getSetNrBolts(direction, value, get);
}

Acad::ErrorStatus accessReverseStart(Zrk_Module& module, const Zrk_String& pattern, int direction,
                                     Zrk_String& value, bool get) {
    if (!module.isBoltModule()) return kFail;
    Zrk_BoltPattern* found = module.findPattern(pattern);
    if (!found) return kFail;
    bool flag = !get && value == "1";
    const Acad::ErrorStatus status = found->getSetReverseStart(direction, flag, get);
    if (status == Acad::eOk && get) value = flag ? "0" : "1";
    return status;
}

Acad::ErrorStatus accessMemberName(MacroTabData& tab, const Zrk_String& group, Zrk_String& value, bool get) {
    MacroProfProps props;
    if (!tab.getMergedPropsOfGroup(group, props)) return kFail;
    if (get) {
        value = props.memberName;
        return Acad::eOk;
    }
    props.memberName = value;
    return tab.setMergedPropsOfGroup(group, props);
}

Acad::ErrorStatus getSetByName(Zrk_Macro& macro, MacroData* macroData, Zrk_Module* module, const Zrk_String& name,
                               KvValueType valueType, Zrk_String& value, bool get) {
    if (!module || !macroData) return kFail;
    MacroTabData* tab = macroData->findTabOfModule(*module);
    if (!tab) return kFail;
    const bool numeric = isNumeric(valueType);
    const Zrk_String prefix = prefixOf(name);

    // General variables: "gen.W" is the macro's "gen_W".
    if (numeric && name.compare(0, 4, "gen.") == 0) {
        const Zrk_String genName = "gen_" + name.substr(4);
        if (!macro.hasGenVar(genName)) return kFail;
        if (!get) return macro.setGenVar(genName, core::toDouble(value));
        double number = 0.0;
        const Acad::ErrorStatus status = macro.getGenVar(genName, number);
        if (status == Acad::eOk) value = doubleToStr(number, 4);
        return status;
    }
    // Section and material of a profile placement (read only); an unknown placement goes on below.
    if (valueType == KvValueType::String && get && (endsWith(name, ".Name") || endsWith(name, ".Material"))) {
        Zrk_ProfilePlacement* placement = nullptr;
        if (module->getNamedPrpl(prefix, placement) == Acad::eOk)
            return endsWith(name, ".Name") ? placement->getSectionName(value) : placement->getMaterial(value);
    }
    if (numeric) {
        for (const CutSuffix& cut : kCutSuffixes)
            if (endsWith(name, cut.suffix)) return accessCutOffset(*module, prefix, cut.kind, value, get);
        if (endsWith(name, ".Diameter")) return accessBoltText(*tab, true, value, get);
        if (endsWith(name, ".HoleOffset")) return accessBoltText(*tab, false, value, get);
    }
    // Bolt counts are text in the macro, but a sheet may hold them in variables of any type.
    if (endsWith(name, ".NrBolts1")) return accessNrBolts(*module, prefix, 1, value, get);
    if (endsWith(name, ".NrBolts2")) return accessNrBolts(*module, prefix, 2, value, get);
    if (numeric && endsWith(name, ".ReverseStart1")) return accessReverseStart(*module, prefix, 1, value, get);
    if (numeric && endsWith(name, ".ReverseStart2")) return accessReverseStart(*module, prefix, 2, value, get);
    if (valueType == KvValueType::String) {
        if (endsWith(name, ".MemberName")) return accessMemberName(*tab, prefix, value, get);
        return kFail;
    }
    // Any other numeric name is a dimension variable of the module.
    return accessDimension(*module, *tab, name, value, get);
}

} // namespace standards
