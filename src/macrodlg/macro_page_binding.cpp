// The binding of a page's template controls to the items of its tab, by control type. A control
// that binds records its child id in its item (and gets the list items and texts it shows); one
// whose item is missing, or cannot be shown by that type, is removed by the caller.

#include <QDir>
#include <cmath>

#include "core/files.h"
#include "core/language.h"
#include "core/macro_langs.h"
#include "core/number_text.h"
#include "core/settings.h"
#include "core/text.h"
#include "macrodlg/dlg_prof_advanced.h"
#include "macrodlg/macro_page.h"

namespace {

// Text 968 ("Advanced...") and 969 ("Library...") of the buttons.
constexpr int kTextAdvanced = 968;
constexpr int kTextGroupButton = 969;

// The four rotations a type-16 list offers (the degree sign in the module's code page).
const char* const kRotations[] = {"0\xB0", "90\xB0", "180\xB0", "270\xB0"};

Zrk_String fileStem(const Zrk_String& path) {
    Zrk_String name = path;
    const auto slash = name.find_last_of("/\\");
    if (slash != Zrk_String::npos) name = name.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != Zrk_String::npos) name = name.substr(0, dot);
    return name;
}

} // namespace

namespace macrodlg {

Zrk_String labelText(const Zrk_String& text) {
    // A label is a name of the macro-name table in the person's language where the table has it.
    Zrk_String shown = gMacroLangs.GetString("", text);
    if (shown.size() > 120) shown.resize(120);
    return shown;
}

Zrk_String rotationText(const Zrk_String& rotation) {
    if (rotation == core::variesText()) return rotation;
    return rotation + "\xB0";
}

Zrk_String rotationOfText(const Zrk_String& shown) {
    // "90\xB0" and "90" both mean 90 degrees.
    Zrk_String rotation = shown;
    while (!rotation.empty() && static_cast<unsigned char>(rotation.back()) == 0xB0)
        rotation.pop_back();
    return trimmed(rotation);
}

Zrk_StringArray rotationItems() {
    Zrk_StringArray items;
    for (const char* rotation : kRotations)
        items.append(rotation);
    items.append(core::variesText());
    return items;
}

// The drawing names (without extension) of a library subfolder's "*.dwg" files, sorted.
Zrk_StringArray subMacroNames(const Zrk_String& folder) {
    Zrk_StringArray names;
    const QDir dir(QString::fromStdString(ensureEndSlash(gSettings.libDir) + normalizePath(folder)));
    for (const QString& file : dir.entryList({"*.dwg", "*.DWG"}, QDir::Files, QDir::Name))
        names.append(fileStem(file.toStdString()));
    return names;
}

} // namespace macrodlg

Zrk_String MacroPage::fittedButtonText(const Zrk_DesignerControl& control, int textId) const {
    const Zrk_String text = dialString(textId);
    const double width = designer.getWidth(control);
    return width < static_cast<double>(text.size()) * kButtonCharWidth ? Zrk_String("...") : text;
}

bool MacroPage::bindControl(Zrk_DesignerControl& control) {
    MacroTabData* t = tab();
    if (!t) return false;
    const int id = control.resourceId;
    int index = -1;
    switch (control.type) {
    case ctLabel:
    case ctGroupBox:
        if (!control.comboList.empty() && !t->findCellWithName(control.comboList, index))
            control.contents.clear();
        else
            control.contents = macrodlg::labelText(control.contents);
        return true;
    case ctCellEdit:
    case ctCellCombo: {
        if (!t->findCellWithName(control.contents, index)) return false;
        MacroCellData& cell = t->cells[index];
        control.readOnly = cell.readOnly;
        if (control.type == ctCellCombo && control.comboList.empty()) control.comboItems = cell.choices;
        cell.ctrl = id;
        return true;
    }
    case ctBoltCount1:
    case ctBoltCount2:
    case ctPatternButton:
    case ctPatternSetting1:
    case ctPatternSetting2:
    case ctPatternSetting3:
    case ctPatternSetting4:
    case ctPatternSetting5:
    case ctBoltAdvanced: {
        if (!t->findPatternWithName(control.contents, index)) return false;
        MacroPatternData& pattern = t->patterns[index];
        int count = -1;
        switch (control.type) {
        case ctBoltCount1:
            pattern.count1Ctrl = id;
            return true;
        case ctBoltCount2:
            if (!pattern.hasSecondDirection() || !Zrk_BoltPattern::getCount(pattern.nrBolts2, count)) {
                // The varies text counts as a count the macros hold, only differently.
                if (!pattern.hasSecondDirection() || pattern.nrBolts2 != core::variesText()) return false;
            }
            pattern.count2Ctrl = id;
            return true;
        case ctPatternButton:
            pattern.buttonCtrl = id;
            control.contents = "...";
            return true;
        case ctBoltAdvanced:
            t->boltRefs.advancedCtrl = id;
            hasBoltButton = true;
            control.contents = fittedButtonText(control, kTextAdvanced);
            return true;
        default:
            if (!t->boltData) return false;
            t->boltRefs.valueCtrls[static_cast<std::size_t>(control.type - ctPatternSetting1)] = id;
            return true;
        }
    }
    case ctProfSection:
    case ctProfButton:
    case ctProfOffsetType:
    case ctProfRotation:
    case ctProfAdvanced: {
        MacroProfProps merged;
        if (!t->findProfDataWithGroup(control.contents, index) ||
            !t->getMergedPropsOfGroup(control.contents, merged))
            return false;
        MacroProfData& group = t->profGroups[index];
        switch (control.type) {
        case ctProfSection: {
            // The sections of the group's section table, shown by their user names.
            Zrk_StringArray systemNames, shownNames;
            macrodlg::sectionListOf(merged.sectionName, systemNames, shownNames);
            control.comboItems = shownNames;
            sectionLists_[id] = systemNames;
            group.sectionCtrl = id;
            return true;
        }
        case ctProfButton:
            control.contents = dialString(kTextGroupButton);
            group.buttonCtrl = id;
            return true;
        case ctProfOffsetType: {
            Zrk_StringArray names;
            core::getOffsetTypeStrings(names);
            names.append(core::variesText());
            control.comboItems = names;
            group.offsetTypeCtrl = id;
            return true;
        }
        case ctProfRotation:
            control.comboItems = macrodlg::rotationItems();
            group.rotationCtrl = id;
            return true;
        default:
            control.contents = fittedButtonText(control, kTextAdvanced);
            group.advancedCtrl = id;
            return true;
        }
    }
    case ctArrayValue1:
    case ctArrayValue2:
    case ctArrayValue3:
    case ctArrayValue4:
    case ctArrayValue5:
    case ctArrayEntry:
    case ctArrayButton: {
        if (!t->findArrayWithName(control.contents, index)) return false;
        DynArrayData& array = t->arrays[index];
        if (control.type == ctArrayButton) {
            array.buttonCtrl = id;
            control.contents = fittedButtonText(control, kTextAdvanced);
            return true;
        }
        if (control.type == ctArrayEntry) {
            double number = 0;
            const bool ok = core::parseNumber(control.comboList, number) && number >= 0 && number <= 1e6 &&
                            number == std::floor(number);
            const int entry = ok ? static_cast<int>(number) : -1;
            if (array.mode == 1 || !ok || !array.entries.isValid(entry)) return false;
            array.entries[entry].ctrl = id;
            return true;
        }
        if (control.type == ctArrayValue3 && array.mode != 1) return false;
        array.valueCtrls[static_cast<std::size_t>(control.type - ctArrayValue1)] = id;
        return true;
    }
    case ctCellButton:
    case ctCellButton2: {
        if (!t->findCellWithName(control.cellButtonParams[0], index) || !t->cells[index].readOnly)
            return false;
        t->cells[index].ctrl = id;
        return true;
    }
    case ctSubMacro: {
        if (!t->hasSubMacro) return false;
        Zrk_StringArray items = macrodlg::subMacroNames(control.comboList);
        items.append(core::variesText());
        control.comboItems = items;
        control.contents = t->subMacro == core::variesText() ? t->subMacro : fileStem(t->subMacro);
        t->subMacroCtrl = id;
        return true;
    }
    case ctCutType:
        if (!t->findCutWithName(control.contents, index)) return false;
        t->cuts[index].ctrl = id;
        return true;
    case ctCellCheck: {
        if (!t->findCellWithName(control.comboList, index)) return false;
        MacroCellData& cell = t->cells[index];
        control.contents = macrodlg::labelText(control.contents);
        control.readOnly = cell.readOnly;
        cell.ctrl = id;
        return true;
    }
    case ctFlexButton:
        for (const Zrk_FlexFixGroup& group : t->flexGroups)
            if (group.name == control.flexParams[0]) return group.findEntry(control.contents) >= 0;
        return false;
    default:
        // A type number outside 0-30 read from a file behaves as a label.
        return true;
    }
}
