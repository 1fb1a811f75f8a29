// Building the macro dialog data's tabs from macros, merging them, and writing them back.

#include "core/macro_tabs.h"

#include <charconv>

#include "core/drawing.h"
#include "core/number_text.h"
#include "core/text.h"

namespace core {

namespace {

// The text of the second selection list's first entry: every macro of the group.
constexpr const char* kAllMacros = "<All macros>";

int tabKindOf(const Zrk_Module& module) {
    if (module.isBoltModule()) return kTabBolt;
    if (module.isProfileModule()) return kTabProfile;
    if (module.isSubMacroModule()) return kTabSubMacro;
    return kTabPlain;
}

// Which kind wins when the modules of a group differ: bolt, then profile, then sub-macro.
int kindRank(int kind) {
    switch (kind) {
    case kTabBolt:
        return 3;
    case kTabProfile:
        return 2;
    case kTabSubMacro:
        return 1;
    default:
        return 0;
    }
}

void mergeText(Zrk_String& into, const Zrk_String& from, const Zrk_String& varies) {
    if (into != from) into = varies;
}

void mergeNumber(int& into, int from, int varies) {
    if (into != from) into = varies;
}

template <typename Item, typename Merge>
void mergeByName(Zrk_Array<Item>& into, const Zrk_Array<Item>& from, Merge merge) {
    for (const Item& item : from) {
        bool found = false;
        for (Item& existing : into) {
            if (existing.name != item.name) continue;
            merge(existing, item);
            found = true;
            break;
        }
        if (!found) into.append(item);
    }
}

void mergeBolts(MacroBoltData& into, const MacroBoltData& from, const Zrk_String& varies) {
    for (const MacroBoltTextField& field : macroBoltTextFields())
        mergeText(into.*field.member, from.*field.member, varies);
    for (const MacroBoltNumberField& field : macroBoltNumberFields())
        if (field.varies != kNoVaries) mergeNumber(into.*field.member, from.*field.member, field.varies);
}

void mergePatternDirection(MacroPatternDirection& into, const MacroPatternDirection& from,
                           const Zrk_String& varies) {
    mergeNumber(into.distribution, from.distribution, -1);
    mergeNumber(into.countOption, from.countOption, -1);
    mergeText(into.countText, from.countText, varies);
    mergeText(into.secondText, from.secondText, varies);
    if (into.values != from.values) into.values = {varies};
}

void mergePattern(MacroPatternData& into, const MacroPatternData& from, const Zrk_String& varies) {
    mergeText(into.nrBolts1, from.nrBolts1, varies);
    mergeText(into.nrBolts2, from.nrBolts2, varies);
    if (!into.hasSettings) {
        into.hasSettings = from.hasSettings;
        into.props = from.props;
    } else if (from.hasSettings) {
        into.props.kind = std::max(into.props.kind, from.props.kind);
        mergePatternDirection(into.props.direction1, from.props.direction1, varies);
        mergePatternDirection(into.props.direction2, from.props.direction2, varies);
        for (std::size_t i = 0; i < into.props.options.size(); ++i)
            mergeNumber(into.props.options[i], from.props.options[i], -1);
    }
}

void mergeArray(DynArrayData& into, const DynArrayData& from, const Zrk_String& varies) {
    mergeNumber(into.mode, from.mode, -1);
    mergeText(into.templateName, from.templateName, varies);
    for (std::size_t i = 0; i < into.dimNames.size(); ++i)
        mergeText(into.dimNames[i], from.dimNames[i], varies);
    mergeText(into.modeText, from.modeText, varies);
    for (std::size_t i = 0; i < into.values.size(); ++i)
        mergeText(into.values[i], from.values[i], varies);
    mergeText(into.skipCount, from.skipCount, varies);
    mergeNumber(into.flag, from.flag, -1);
    mergeNumber(into.alternating, from.alternating, -1);
}

void mergeTab(MacroTabData& into, const MacroTabData& from) {
    const Zrk_String varies = variesText();
    if (kindRank(from.kind) > kindRank(into.kind)) into.kind = from.kind;
    if (into.templatePath.empty()) into.templatePath = from.templatePath;
    mergeByName(into.cells, from.cells,
                [&](MacroCellData& a, const MacroCellData& b) { mergeText(a.value, b.value, varies); });
    mergeByName(into.patterns, from.patterns,
                [&](MacroPatternData& a, const MacroPatternData& b) { mergePattern(a, b, varies); });
    if (!into.boltData)
        into.boltData = from.boltData;
    else if (from.boltData)
        mergeBolts(*into.boltData, *from.boltData, varies);
    for (const MacroProfData& group : from.profGroups) {
        int index = -1;
        if (!into.findProfDataWithGroup(group.groupName, index)) {
            into.profGroups.append(group);
            continue;
        }
        into.profGroups[index].merged.mergeWith(group.merged, varies);
        into.profGroups[index].profiles.append(group.profiles);
    }
    mergeByName(into.arrays, from.arrays,
                [&](DynArrayData& a, const DynArrayData& b) { mergeArray(a, b, varies); });
    mergeByName(into.cuts, from.cuts,
                [&](MacroCutData& a, const MacroCutData& b) { mergeNumber(a.cutType, b.cutType, -1); });
    if (from.hasSubMacro) {
        if (!into.hasSubMacro)
            into.subMacro = from.subMacro;
        else
            mergeText(into.subMacro, from.subMacro, varies);
        into.hasSubMacro = true;
    }
    if (into.segments.isEmpty()) into.segments = from.segments;
    mergeByName(into.flexGroups, from.flexGroups, [](Zrk_FlexFixGroup&, const Zrk_FlexFixGroup&) {});
}

MacroTabData tabOfModule(const Zrk_Module& module, AcDbObjectId macroId) {
    MacroTabData tab;
    tab.name = module.tabName();
    tab.kind = tabKindOf(module);
    tab.templatePath = module.templatePath;
    for (const Zrk_DimVariable& variable : module.variables) {
        if (!variable.shown) continue;
        MacroCellData cell;
        cell.name = variable.name;
        cell.label = variable.label.empty() ? variable.name : variable.label;
        cell.value = cellValueText(variable);
        cell.kind = variable.cellKind;
        cell.readOnly = variable.readOnly;
        cell.choices = variable.choices;
        tab.cells.append(std::move(cell));
    }
    if (module.isBoltModule()) {
        for (const Zrk_BoltPattern& pattern : module.patterns) {
            MacroPatternData data;
            static_cast<Zrk_BoltPattern&>(data) = pattern;
            tab.patterns.append(std::move(data));
        }
        tab.boltData = module.boltData;
    }
    const Zrk_String varies = variesText();
    for (int i = 0; i < module.placements.length(); ++i) {
        const Zrk_ProfilePlacement& placement = module.placements[i];
        if (placement.name.empty()) continue;
        MacroGroupProfile profile;
        profile.macroId = macroId;
        profile.moduleName = module.name;
        profile.placementIndex = i;
        profile.number = placement.number;
        profile.props = placement;
        int index = -1;
        if (!tab.findProfDataWithGroup(placement.name, index)) {
            MacroProfData group;
            group.groupName = placement.name;
            group.merged = profile.props;
            tab.profGroups.append(std::move(group));
            index = tab.profGroups.length() - 1;
        } else {
            tab.profGroups[index].merged.mergeWith(profile.props, varies);
        }
        tab.profGroups[index].profiles.append(std::move(profile));
    }
    tab.arrays = module.arrays;
    for (const Zrk_CutConstraint& cut : module.cuts)
        tab.cuts.append(MacroCutData{cut.name, cut.choice, 0});
    tab.hasSubMacro = module.isSubMacroModule();
    tab.subMacro = module.subMacro;
    tab.segments = module.segments;
    tab.flexGroups = module.flexGroups;
    return tab;
}

// --- writing -----------------------------------------------------------------------------------

void applyText(const Zrk_String& from, Zrk_String& to, const Zrk_String& varies) {
    if (from != varies) to = from;
}

void applyNumber(int from, int& to, int varies) {
    if (from != varies) to = from;
}

void applyBolts(const MacroBoltData& from, MacroBoltData& to, const Zrk_String& varies) {
    for (const MacroBoltTextField& field : macroBoltTextFields())
        applyText(from.*field.member, to.*field.member, varies);
    for (const MacroBoltNumberField& field : macroBoltNumberFields())
        applyNumber(from.*field.member, to.*field.member, field.varies);
    to.optionCount = from.optionCount;
    to.optionFlag = from.optionFlag;
    to.holeColumns = from.holeColumns;
    to.slottedHoles = from.slottedHoles;
}

void applyPatternDirection(const MacroPatternDirection& from, MacroPatternDirection& to,
                           const Zrk_String& varies) {
    applyNumber(from.distribution, to.distribution, -1);
    applyNumber(from.countOption, to.countOption, -1);
    applyText(from.countText, to.countText, varies);
    applyText(from.secondText, to.secondText, varies);
    to.flag = from.flag;
    if (!(from.values.length() == 1 && from.values[0] == varies)) to.values = from.values;
}

void applyArray(const DynArrayData& from, DynArrayData& to, const Zrk_String& varies) {
    applyNumber(from.mode, to.mode, -1);
    applyText(from.templateName, to.templateName, varies);
    for (std::size_t i = 0; i < to.dimNames.size(); ++i)
        applyText(from.dimNames[i], to.dimNames[i], varies);
    applyText(from.modeText, to.modeText, varies);
    for (std::size_t i = 0; i < to.values.size(); ++i)
        applyText(from.values[i], to.values[i], varies);
    applyText(from.skipCount, to.skipCount, varies);
    applyNumber(from.flag, to.flag, -1);
    applyNumber(from.alternating, to.alternating, -1);
    to.entries = from.entries;
    for (DynArrayEntry& entry : to.entries)
        entry.ctrl = 0;
}

// The placement fields that name objects of one drawing (change code -12), and the others (-4).
void copyPlacementRefs(const MacroProfProps& from, MacroProfProps& to) {
    to.basePlane = from.basePlane;
    to.coordSystem = from.coordSystem;
    to.onSegment = from.onSegment;
    to.segment = from.segment;
}

void copyPlacementMain(const MacroProfProps& from, MacroProfProps& to) {
    const MacroProfProps refs = to;
    const bool morphed = to.morphed;
    to = from;
    copyPlacementRefs(refs, to);
    to.morphed = morphed; // whether a profile is morphed is its own
}

bool has(const Zrk_Array<int>& codes, int code) {
    if (codes.contains(code)) return true;
    return (code == kChangeProfiles || code == kChangePlacementRefs) &&
           codes.contains(kChangeAllProfileSettings);
}

} // namespace

Zrk_String numberText(double value) {
    if (value == 0.0) return "0"; // never "-0"
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return Zrk_String(buffer, result.ptr);
}

Zrk_String cellValueText(const Zrk_DimVariable& variable) {
    switch (variable.cellKind) {
    case kCellChoice: {
        const int index = static_cast<int>(variable.value);
        return (variable.choices.isValid(index) && index == variable.value) ? variable.choices[index]
                                                                            : numberText(variable.value);
    }
    case kCellCheckBox:
        return variable.value != 0.0 ? "1" : "0";
    default:
        return numberText(variable.value);
    }
}

bool cellValueOfText(const Zrk_DimVariable& variable, const Zrk_String& text, double& value) {
    if (variable.cellKind == kCellChoice) {
        const int index = variable.choices.find(text);
        if (index < 0) return false;
        value = index;
        return true;
    }
    double number = 0.0;
    if (!parseNumber(text, number)) return false;
    if (variable.cellKind == kCellWholeNumber &&
        number != static_cast<double>(static_cast<long long>(number)))
        return false;
    if (variable.cellKind == kCellCheckBox && number != 0.0 && number != 1.0) return false;
    value = number;
    return true;
}

Zrk_Array<MacroTabData> tabsOfMacro(const Zrk_Macro& macro, AcDbObjectId macroId) {
    Zrk_Array<MacroTabData> tabs;
    for (const Zrk_Module& module : macro.modules)
        mergeTabs(tabs, {tabOfModule(module, macroId)});
    return tabs;
}

void mergeTabs(Zrk_Array<MacroTabData>& tabs, const Zrk_Array<MacroTabData>& other) {
    mergeByName(tabs, other, [](MacroTabData& a, const MacroTabData& b) { mergeTab(a, b); });
}

void remergeProfiles(MacroProfData& group) {
    if (group.profiles.isEmpty()) return;
    const Zrk_String varies = variesText();
    group.merged = group.profiles[0].props;
    for (int i = 1; i < group.profiles.length(); ++i)
        group.merged.mergeWith(group.profiles[i].props, varies);
}

Zrk_String groupOfMacro(const Zrk_Macro& macro) {
    if (!macro.libraryName.empty()) return macro.libraryName;
    const Zrk_String stripped = stripNumbersAtEnd(macro.name);
    return stripped.empty() ? macro.name : stripped;
}

void chooseMacros(MacroData& data, const Drawing& drawing, bool resetSecond) {
    Zrk_String group;
    const bool grouped = data.currentGroupName(group);
    AcArray<AcDbObjectId> members;
    Zrk_StringArray names;
    for (AcDbObjectId id : data.selection) {
        const Zrk_DbMacro* macro = drawing.findMacro(id);
        if (!macro || (grouped && groupOfMacro(*macro->macro()) != group)) continue;
        members.append(id);
        names.append(macro->macro()->name);
    }
    if (resetSecond || data.selectList2.length() != names.length() + 1) {
        data.selectList2 = {kAllMacros};
        data.selectList2.append(names);
        data.selectIndex2 = 0;
    }
    data.macroIds.removeAll();
    data.macroNames.removeAll();
    for (int i = 0; i < members.length(); ++i) {
        if (data.selectIndex2 > 0 && i != data.selectIndex2 - 1) continue;
        data.macroIds.append(members[i]);
        data.macroNames.append(names[i]);
    }
    data.tabs.removeAll();
    for (AcDbObjectId id : data.macroIds)
        mergeTabs(data.tabs, tabsOfMacro(*drawing.findMacro(id)->macro(), id));
    int first = -1;
    if (!data.findTab(data.firstTabName, first))
        data.firstTabName = data.tabs.isEmpty() ? Zrk_String() : data.tabs[0].name;
    if (data.macroNames.length() == 1)
        data.title = data.macroNames[0];
    else
        data.title = (grouped ? group + ": " : Zrk_String()) + intToStr(data.macroNames.length()) + " macros";
}

bool writeTab(const MacroTabData& tab, Zrk_Macro& macro, AcDbObjectId macroId, bool anyMacro,
              const Zrk_Array<int>& codes, const Zrk_Array<int>& cellIndices, Zrk_String& fault) {
    const Zrk_String varies = variesText();
    bool groupHasProfileModule = false;
    for (const Zrk_Module& module : macro.modules)
        groupHasProfileModule =
            groupHasProfileModule || (module.tabName() == tab.name && module.isProfileModule());
    bool firstOfGroup = true;
    for (Zrk_Module& module : macro.modules) {
        if (module.tabName() != tab.name) continue;
        if (has(codes, kChangeCells)) {
            for (int i = 0; i < tab.cells.length(); ++i) {
                if (!cellIndices.isEmpty() && !cellIndices.contains(i)) continue;
                const MacroCellData& cell = tab.cells[i];
                Zrk_DimVariable* variable = module.findVariable(cell.name);
                if (!variable || cell.readOnly || cell.value == varies) continue;
                double value = 0.0;
                if (!cellValueOfText(*variable, cell.value, value)) {
                    fault = "\"" + cell.value + "\" is no value for " + cell.label;
                    return false;
                }
                variable->value = value;
            }
        }
        if (has(codes, kChangeBolts) && module.isBoltModule() && tab.boltData) {
            if (!module.boltData) module.boltData = MacroBoltData();
            applyBolts(*tab.boltData, *module.boltData, varies);
        }
        if (has(codes, kChangePatterns)) {
            for (const MacroPatternData& pattern : tab.patterns) {
                Zrk_BoltPattern* target = module.findPattern(pattern.name);
                if (!target) continue;
                for (int direction = 1; direction <= 2; ++direction) {
                    Zrk_String count = direction == 1 ? pattern.nrBolts1 : pattern.nrBolts2;
                    if (count == varies || (direction == 2 && !target->hasSecondDirection())) continue;
                    if (target->getSetNrBolts(direction, count, false) != Acad::eOk) {
                        fault = "\"" + count + "\" is no bolt count for " + pattern.name;
                        return false;
                    }
                }
                target->reverseStart1 = pattern.reverseStart1;
                target->reverseStart2 = pattern.reverseStart2;
                if (pattern.hasSettings) {
                    target->hasSettings = true;
                    target->props.kind = pattern.props.kind;
                    applyPatternDirection(pattern.props.direction1, target->props.direction1, varies);
                    applyPatternDirection(pattern.props.direction2, target->props.direction2, varies);
                    for (std::size_t i = 0; i < target->props.options.size(); ++i)
                        applyNumber(pattern.props.options[i], target->props.options[i], -1);
                }
            }
        }
        const bool main = has(codes, kChangeProfiles), refs = has(codes, kChangePlacementRefs);
        if (main || refs) {
            for (const MacroProfData& group : tab.profGroups) {
                for (const MacroGroupProfile& profile : group.profiles) {
                    if ((!anyMacro && profile.macroId != macroId) || profile.moduleName != module.name ||
                        !module.placements.isValid(profile.placementIndex))
                        continue;
                    Zrk_ProfilePlacement& placement = module.placements[profile.placementIndex];
                    if (placement.name != group.groupName) continue;
                    if (main) copyPlacementMain(profile.props, placement);
                    if (refs) copyPlacementRefs(profile.props, placement);
                }
            }
        }
        if (has(codes, kChangeArrays))
            for (const DynArrayData& array : tab.arrays)
                for (DynArrayData& target : module.arrays)
                    if (target.name == array.name) applyArray(array, target, varies);
        if (has(codes, kChangeCuts))
            for (const MacroCutData& cut : tab.cuts)
                if (Zrk_CutConstraint* target = module.getCutConstraint(cut.name); target && cut.cutType >= 0)
                    target->choice = cut.cutType;
        if (has(codes, kChangeSubMacro) && module.isSubMacroModule() && tab.hasSubMacro &&
            tab.subMacro != varies)
            module.subMacro = tab.subMacro;
        if (has(codes, kChangeFlex)) {
            for (Zrk_FlexFixGroup& group : module.flexGroups) {
                for (const Zrk_FlexFixGroup& tabGroup : tab.flexGroups) {
                    if (tabGroup.name != group.name) continue;
                    for (Zrk_FlexFixEntry& entry : group.entries) {
                        const int at = tabGroup.findEntry(entry.variable);
                        if (at >= 0) entry.flexible = tabGroup.entries[at].flexible;
                    }
                }
            }
        }
        // Segmented profiles belong to the group's profile modules (its first module without one).
        if (has(codes, kChangeSegments) && (groupHasProfileModule ? module.isProfileModule() : firstOfGroup))
            module.segments = tab.segments;
        firstOfGroup = false;
    }
    return true;
}

} // namespace core
