#include "core/macro_data.h"

#include "core/language.h"

namespace core {

Zrk_String variesText() {
    const Zrk_String text = dialString(695);
    return text.empty() ? Zrk_String("*VARIES*") : text;
}

} // namespace core

// --- tabs --------------------------------------------------------------------------------------

bool MacroTabData::findProfDataWithGroup(const Zrk_String& group, int& index) const {
    for (int i = 0; i < profGroups.length(); ++i) {
        if (profGroups[i].groupName == group) {
            index = i;
            return true;
        }
    }
    return false;
}

bool MacroTabData::getMergedPropsOfGroup(const Zrk_String& group, MacroProfProps& props) const {
    int index = -1;
    if (!findProfDataWithGroup(group, index)) return false;
    props = profGroups[index].merged;
    return true;
}

Acad::ErrorStatus MacroTabData::setMergedPropsOfGroup(const Zrk_String& group, const MacroProfProps& props) {
    int index = -1;
    if (!findProfDataWithGroup(group, index)) return Acad::eInvalidInput;
    profGroups[index].merged = props;
    return Acad::eOk;
}

const Zrk_FlexFixGroup* MacroTabData::groupOf(const Zrk_String& variable) const {
    for (const Zrk_FlexFixGroup& group : flexGroups)
        if (group.findEntry(variable) >= 0) return &group;
    return nullptr;
}

bool MacroTabData::hasBtnFlexFix(const Zrk_String& variable) const {
    return groupOf(variable) != nullptr;
}

bool MacroTabData::findFlexFixGroup(const Zrk_String& variable, Zrk_String& group) const {
    const Zrk_FlexFixGroup* found = groupOf(variable);
    if (!found) return false;
    group = found->name;
    return true;
}

bool MacroTabData::getFlexFixBtnStatus(const Zrk_String& variable, bool& first, bool& second) const {
    const Zrk_FlexFixGroup* group = groupOf(variable);
    if (!group) return false;
    first = !group->entries[group->findEntry(variable)].flexible;
    second = !group->hasFlexibleEntry();
    return true;
}

bool MacroTabData::flexFixBtnClicked(const Zrk_String& group, const Zrk_String& name, bool checked) {
    for (Zrk_FlexFixGroup& candidate : flexGroups)
        if (candidate.name == group) return candidate.press(name, checked);
    return false;
}

// --- macro data --------------------------------------------------------------------------------

bool MacroData::findTab(const Zrk_String& tabName, int& index) const {
    for (int i = 0; i < tabs.length(); ++i) {
        if (tabs[i].name == tabName) {
            index = i;
            return true;
        }
    }
    return false;
}

MacroTabData* MacroData::findTabOfModule(const Zrk_Module& module) {
    int index = -1;
    return findTab(module.tabName(), index) ? &tabs[index] : nullptr;
}

namespace {} // namespace

void MacroData::initFromMacro(const Zrk_Macro& macro) {
    tabs.removeAll();
    for (const Zrk_Module& module : macro.modules) {
        int index = -1;
        if (!findTab(module.tabName(), index)) {
            MacroTabData tab;
            tab.name = module.tabName();
            tabs.append(std::move(tab));
            index = tabs.length() - 1;
        }
        MacroTabData& tab = tabs[index];
        if (module.isBoltModule())
            tab.kind = core::kTabBolt;
        else if (module.isProfileModule() && tab.kind == core::kTabPlain)
            tab.kind = core::kTabProfile;
        if (module.isBoltModule() && module.boltData && !tab.boltData) tab.boltData = module.boltData;
        for (const Zrk_ProfilePlacement& placement : module.placements) {
            if (placement.name.empty()) continue;
            int group = -1;
            const bool first = !tab.findProfDataWithGroup(placement.name, group);
            if (first) {
                MacroProfData data;
                data.groupName = placement.name;
                tab.profGroups.append(std::move(data));
                group = tab.profGroups.length() - 1;
            }
            MacroProfProps& merged = tab.profGroups[group].merged;
            if (first)
                merged = placement;
            else
                merged.mergeWith(placement, core::variesText());
        }
        for (const Zrk_FlexFixGroup& group : module.flexGroups) {
            bool known = false;
            for (const Zrk_FlexFixGroup& existing : tab.flexGroups)
                known = known || existing.name == group.name;
            if (!known) tab.flexGroups.append(group);
        }
    }
}

void MacroData::applyToMacro(Zrk_Macro& macro) const {
    const Zrk_String varies = core::variesText();
    for (Zrk_Module& module : macro.modules) {
        int index = -1;
        if (!findTab(module.tabName(), index)) continue;
        const MacroTabData& tab = tabs[index];
        if (module.isBoltModule() && tab.boltData) module.boltData = tab.boltData;
        for (Zrk_ProfilePlacement& placement : module.placements) {
            MacroProfProps merged;
            if (placement.name.empty() || !tab.getMergedPropsOfGroup(placement.name, merged)) continue;
            merged.applyTo(placement, varies);
        }
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
}
