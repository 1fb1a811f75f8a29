#include "core/macro_data.h"

#include <algorithm>

#include "core/drawing.h"
#include "core/editor_hooks.h"
#include "core/language.h"
#include "core/macro_tabs.h"
#include "core/text.h"

namespace core {

Zrk_String variesText() {
    const Zrk_String text = dialString(695);
    return text.empty() ? Zrk_String("*VARIES*") : text;
}

} // namespace core

namespace {

template <typename Item, typename Key> bool findIndex(const Zrk_Array<Item>& items, Key key, int& index) {
    for (int i = 0; i < items.length(); ++i) {
        if (key(items[i])) {
            index = i;
            return true;
        }
    }
    return false;
}

} // namespace

// --- tabs: look-ups ----------------------------------------------------------------------------

bool MacroTabData::findCellWithName(const Zrk_String& cellName, int& index) const {
    return findIndex(
        cells, [&](const MacroCellData& cell) { return cell.name == cellName; }, index);
}

bool MacroTabData::findPatternWithName(const Zrk_String& patternName, int& index) const {
    return findIndex(
        patterns, [&](const MacroPatternData& pattern) { return pattern.name == patternName; }, index);
}

bool MacroTabData::findProfDataWithGroup(const Zrk_String& group, int& index) const {
    return findIndex(
        profGroups, [&](const MacroProfData& data) { return data.groupName == group; }, index);
}

bool MacroTabData::findArrayWithName(const Zrk_String& arrayName, int& index) const {
    return findIndex(
        arrays, [&](const DynArrayData& array) { return array.name == arrayName; }, index);
}

bool MacroTabData::findCutWithName(const Zrk_String& cutName, int& index) const {
    return findIndex(
        cuts, [&](const MacroCutData& cut) { return cut.name == cutName; }, index);
}

bool MacroTabData::findPatternWithBtnId(int ctrlId, int& index) const {
    return ctrlId != 0 &&
           findIndex(
               patterns, [&](const MacroPatternData& pattern) { return pattern.buttonCtrl == ctrlId; },
               index);
}

bool MacroTabData::findArrayWithBtnId(int ctrlId, int& index) const {
    return ctrlId != 0 &&
           findIndex(
               arrays, [&](const DynArrayData& array) { return array.buttonCtrl == ctrlId; }, index);
}

bool MacroTabData::findProfDataWithCtrlResId(int ctrlId, int& index) const {
    return ctrlId != 0 && findIndex(
                              profGroups,
                              [&](const MacroProfData& data) {
                                  return data.sectionCtrl == ctrlId || data.buttonCtrl == ctrlId ||
                                         data.offsetTypeCtrl == ctrlId || data.rotationCtrl == ctrlId ||
                                         data.advancedCtrl == ctrlId;
                              },
                              index);
}

void MacroTabData::removeAllDlgReferences() {
    for (MacroCellData& cell : cells)
        cell.ctrl = 0;
    for (MacroPatternData& pattern : patterns)
        pattern.count1Ctrl = pattern.count2Ctrl = pattern.buttonCtrl = 0;
    boltRefs = MacroBoltRefs();
    for (MacroProfData& group : profGroups)
        group.sectionCtrl = group.buttonCtrl = group.offsetTypeCtrl = group.rotationCtrl =
            group.advancedCtrl = 0;
    for (DynArrayData& array : arrays) {
        array.valueCtrls = {};
        array.buttonCtrl = 0;
        for (DynArrayEntry& entry : array.entries)
            entry.ctrl = 0;
    }
    for (MacroCutData& cut : cuts)
        cut.ctrl = 0;
    subMacroCtrl = 0;
}

// --- tabs: profile groups ----------------------------------------------------------------------

bool MacroTabData::getMergedPropsOfGroup(const Zrk_String& group, MacroProfProps& props) const {
    int index = -1;
    if (!findProfDataWithGroup(group, index)) return false;
    props = profGroups[index].merged;
    return true;
}

Acad::ErrorStatus MacroTabData::setMergedPropsOfGroup(const Zrk_String& group, const MacroProfProps& props) {
    int index = -1;
    if (!findProfDataWithGroup(group, index)) return Acad::eInvalidInput;
    MacroProfData& data = profGroups[index];
    const Zrk_String varies = core::variesText();
    for (MacroGroupProfile& profile : data.profiles)
        props.applyTo(profile.props, varies);
    data.merged = props;
    return Acad::eOk;
}

bool MacroTabData::getPropsOfProfile(const Zrk_String& group, int number, MacroProfProps& props) const {
    int index = -1;
    if (!findProfDataWithGroup(group, index)) return false;
    for (const MacroGroupProfile& profile : profGroups[index].profiles) {
        if (profile.number == number) {
            props = profile.props;
            return true;
        }
    }
    return false;
}

Acad::ErrorStatus MacroTabData::setPropsOfProfile(const Zrk_String& group, int number,
                                                  const MacroProfProps& props) {
    int index = -1;
    if (!findProfDataWithGroup(group, index)) return Acad::eInvalidInput;
    MacroProfData& data = profGroups[index];
    bool found = false;
    for (MacroGroupProfile& profile : data.profiles) {
        if (profile.number != number) continue;
        props.applyTo(profile.props, core::variesText());
        found = true;
    }
    if (!found) return Acad::eInvalidInput;
    core::remergeProfiles(data);
    return Acad::eOk;
}

bool MacroTabData::advBtnForEveryGroup() const {
    for (const MacroProfData& group : profGroups)
        if (group.advancedCtrl <= 0) return false;
    return true;
}

// --- tabs: flex/fix ----------------------------------------------------------------------------

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
    return findIndex(
        tabs, [&](const MacroTabData& tab) { return tab.name == tabName; }, index);
}

MacroTabData* MacroData::findTabOfModule(const Zrk_Module& module) {
    int index = -1;
    return findTab(module.tabName(), index) ? &tabs[index] : nullptr;
}

bool MacroData::currentGroupName(Zrk_String& name) const {
    if (!selectList1.isValid(selectIndex1)) return false;
    name = selectList1[selectIndex1];
    return true;
}

void MacroData::initFromMacro(const Zrk_Macro& macro) {
    tabs = core::tabsOfMacro(macro, AcDbObjectId());
}

bool MacroData::applyToMacro(Zrk_Macro& macro) const {
    Zrk_Macro result = macro;
    const Zrk_Array<int> codes = {core::kChangeBolts, core::kChangeAllProfileSettings, core::kChangeFlex};
    Zrk_String fault;
    for (const MacroTabData& tab : tabs)
        if (!core::writeTab(tab, result, AcDbObjectId(), true, codes, {}, fault)) return false;
    macro = std::move(result);
    return true;
}

bool MacroData::initFromMacros(const AcArray<AcDbObjectId>& ids) {
    const core::Drawing* drawing = core::workingDrawing();
    if (!drawing) return false;
    AcArray<AcDbObjectId> found;
    for (AcDbObjectId id : ids)
        if (drawing->findMacro(id) && !found.contains(id)) found.append(id);
    if (found.isEmpty()) return false;
    selection = std::move(found);
    // The group list: the library drawing of each macro (its own name without one), in order.
    selectList1.removeAll();
    for (AcDbObjectId id : selection) {
        const Zrk_String group = core::groupOfMacro(*drawing->findMacro(id)->macro());
        if (!selectList1.contains(group)) selectList1.append(group);
    }
    selectIndex1 = 0;
    core::chooseMacros(*this, *drawing, true);
    return true;
}

void MacroData::changeView(const Zrk_String& tabName, int mode) const {
    core::editorHooks().changeView(macroIds, tabName, mode);
}

void MacroData::eraseTemporaries() {
    core::Drawing* drawing = core::workingDrawing();
    if (!drawing) return;
    if (!tempObjectId.isNull()) drawing->eraseObject(tempObjectId);
    tempObjectId.setNull();
    if (!tempCoordSystem.empty()) {
        const int index = drawing->findCoordSystem(tempCoordSystem);
        if (index >= 0) drawing->coordSystemsWrite().removeAt(index);
        tempCoordSystem.clear();
    }
}
