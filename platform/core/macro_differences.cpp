// What differs between two states of the macro dialog data, with the change codes of macro_data.h.

#include <algorithm>
#include <set>

#include "core/macro_data.h"

namespace {

// Collects names and codes without repeating them.
struct Changes {
    Zrk_StringArray names;
    std::set<int> codes;
    Zrk_Array<int> cells;

    void add(int code, const Zrk_String& name) {
        codes.insert(code);
        if (!name.empty() && !names.contains(name)) names.append(name);
    }
};

// The placement fields that name objects of one drawing (base plane, coordinate system, segment).
bool refsDiffer(const MacroProfProps& a, const MacroProfProps& b) {
    return a.basePlane != b.basePlane || a.coordSystem != b.coordSystem || a.onSegment != b.onSegment ||
           a.segment != b.segment;
}

bool mainDiffers(const MacroProfProps& a, const MacroProfProps& b) {
    MacroProfProps left = a, right = b;
    left.basePlane = right.basePlane;
    left.coordSystem = right.coordSystem;
    left.onSegment = right.onSegment;
    left.segment = right.segment;
    return !(left == right);
}

void compareProfiles(const MacroProfData& now, const MacroProfData& before, Changes& changes) {
    bool main = mainDiffers(now.merged, before.merged), refs = refsDiffer(now.merged, before.merged);
    if (now.profiles.length() != before.profiles.length()) {
        main = true;
    } else {
        for (int i = 0; i < now.profiles.length(); ++i) {
            const MacroGroupProfile& a = now.profiles[i];
            const MacroGroupProfile& b = before.profiles[i];
            if (a.macroId != b.macroId || a.moduleName != b.moduleName ||
                a.placementIndex != b.placementIndex || a.number != b.number)
                main = true;
            main = main || mainDiffers(a.props, b.props);
            refs = refs || refsDiffer(a.props, b.props);
        }
    }
    if (main) changes.add(core::kChangeProfiles, now.groupName);
    if (refs) changes.add(core::kChangePlacementRefs, now.groupName);
    if (now.sectionCtrl != before.sectionCtrl || now.buttonCtrl != before.buttonCtrl ||
        now.offsetTypeCtrl != before.offsetTypeCtrl || now.rotationCtrl != before.rotationCtrl ||
        now.advancedCtrl != before.advancedCtrl)
        changes.add(core::kChangeDialog, Zrk_String());
}

DynArrayData withoutRefs(DynArrayData array) {
    array.valueCtrls = {};
    array.buttonCtrl = 0;
    for (DynArrayEntry& entry : array.entries)
        entry.ctrl = 0;
    return array;
}

// Items compared by position; a list that changed length is a change of what the dialog shows.
template <typename Item, typename Compare>
void compareLists(const Zrk_Array<Item>& now, const Zrk_Array<Item>& before, Changes& changes,
                  Compare compare) {
    if (now.length() != before.length()) changes.add(core::kChangeDialog, Zrk_String());
    for (int i = 0; i < now.length() && i < before.length(); ++i)
        compare(i, now[i], before[i]);
}

void compareTabs(const MacroTabData& now, const MacroTabData& before, Changes& changes) {
    if (now.name != before.name || now.kind != before.kind || now.templatePath != before.templatePath)
        changes.add(core::kChangeDialog, Zrk_String());
    compareLists(now.cells, before.cells, changes,
                 [&](int i, const MacroCellData& a, const MacroCellData& b) {
                     if (a.value != b.value) {
                         changes.add(core::kChangeCells, a.name);
                         changes.cells.append(i);
                     }
                     if (a.name != b.name || a.label != b.label || a.kind != b.kind ||
                         a.readOnly != b.readOnly || a.choices != b.choices || a.ctrl != b.ctrl)
                         changes.add(core::kChangeDialog, Zrk_String());
                 });
    compareLists(now.patterns, before.patterns, changes,
                 [&](int, const MacroPatternData& a, const MacroPatternData& b) {
                     if (!(static_cast<const Zrk_BoltPattern&>(a) == static_cast<const Zrk_BoltPattern&>(b)))
                         changes.add(core::kChangePatterns, a.name);
                     if (a.count1Ctrl != b.count1Ctrl || a.count2Ctrl != b.count2Ctrl ||
                         a.buttonCtrl != b.buttonCtrl)
                         changes.add(core::kChangeDialog, Zrk_String());
                 });
    if (now.boltData != before.boltData) changes.add(core::kChangeBolts, "bolts");
    if (!(now.boltRefs == before.boltRefs)) changes.add(core::kChangeDialog, Zrk_String());
    compareLists(
        now.profGroups, before.profGroups, changes,
        [&](int, const MacroProfData& a, const MacroProfData& b) { compareProfiles(a, b, changes); });
    compareLists(now.arrays, before.arrays, changes, [&](int, const DynArrayData& a, const DynArrayData& b) {
        if (!(withoutRefs(a) == withoutRefs(b)))
            changes.add(core::kChangeArrays, a.name);
        else if (!(a == b))
            changes.add(core::kChangeDialog, Zrk_String());
    });
    compareLists(now.cuts, before.cuts, changes, [&](int, const MacroCutData& a, const MacroCutData& b) {
        if (a.name != b.name || a.cutType != b.cutType) changes.add(core::kChangeCuts, a.name);
        if (a.ctrl != b.ctrl) changes.add(core::kChangeDialog, Zrk_String());
    });
    if (now.hasSubMacro != before.hasSubMacro || now.subMacro != before.subMacro)
        changes.add(core::kChangeSubMacro, "subMacro");
    if (now.subMacroCtrl != before.subMacroCtrl) changes.add(core::kChangeDialog, Zrk_String());
    if (!(now.segments == before.segments)) changes.add(core::kChangeSegments, "segments");
    if (!(now.flexGroups == before.flexGroups)) changes.add(core::kChangeFlex, "flex");
}

void codesInto(const std::set<int>& codes, Zrk_Array<int>& list) {
    list.removeAll();
    for (auto it = codes.rbegin(); it != codes.rend(); ++it)
        list.append(*it); // -1 first
}

} // namespace

void MacroTabData::differences(const MacroTabData& other, Zrk_StringArray& names, Zrk_Array<int>& list1,
                               Zrk_Array<int>& list2) const {
    Changes changes;
    compareTabs(*this, other, changes);
    names = std::move(changes.names);
    codesInto(changes.codes, list1);
    list2 = std::move(changes.cells);
}

void MacroData::differences(const MacroData& other, Zrk_StringArray& names, Zrk_Array<int>& list1,
                            Zrk_Array<int>& list2) const {
    std::set<int> codes;
    names.removeAll();
    list2.removeAll();
    for (int i = 0; i < std::max(tabs.length(), other.tabs.length()); ++i) {
        Changes changes;
        if (!tabs.isValid(i) || !other.tabs.isValid(i))
            changes.add(core::kChangeDialog, Zrk_String());
        else
            compareTabs(tabs[i], other.tabs[i], changes);
        if (changes.codes.empty()) continue;
        codes.insert(changes.codes.begin(), changes.codes.end());
        names.append(tabs.isValid(i) ? tabs[i].name : other.tabs[i].name);
        list2.append(i);
    }
    if (title != other.title || selectList1 != other.selectList1 || selectIndex1 != other.selectIndex1 ||
        selectList2 != other.selectList2 || selectIndex2 != other.selectIndex2 ||
        firstTabName != other.firstTabName || selection != other.selection || macroIds != other.macroIds)
        codes.insert(core::kChangeSelection);
    codesInto(codes, list1);
}
