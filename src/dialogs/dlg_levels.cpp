#include "dialogs/dlg_levels.h"

#include <algorithm>

#include "core/drawing_objects.h"
#include "core/language.h"
#include "core/number_text.h"
#include "core/text.h"
#include "module/entry_function.h"
#include "module/module_resources.h"
#include "ui/text_input.h"

namespace {

using ui::Kind;
using L = DlgLevels;

const ui::DialogTemplate kLevelsTemplate(
    L::kTemplate, "Building levels", 262, 131,
    {
        {L::kListLabel, Kind::Static, "Levels:", 7, 7, 100, 9},
        {L::kLevelList, Kind::ListBox, "", 7, 18, 100, 88},
        {L::kAddLevel, Kind::BitmapButton, "", 7, 110, 18, 14, ui::style::Icon, 212},
        {L::kDeleteLevel, Kind::BitmapButton, "", 28, 110, 18, 14, ui::style::Icon, 206},
        {L::kNameLabel, Kind::Static, "Name", 115, 20, 62, 9},
        {L::kName, Kind::Edit, "", 180, 18, 75, 14, ui::style::ReadOnly},
        {L::kReferenceLabel, Kind::Static, "Measured from:", 115, 38, 62, 9},
        {L::kReference, Kind::DropListCombo, "", 180, 36, 75, 100},
        {L::kRelativeLabel, Kind::Static, "Relative value:", 115, 56, 62, 9},
        {L::kRelative, Kind::Edit, "", 180, 54, 75, 14, ui::style::Right},
        {L::kAbsoluteLabel, Kind::Static, "Absolute value:", 115, 74, 62, 9},
        {L::kAbsolute, Kind::Edit, "", 180, 72, 75, 14, ui::style::ReadOnly | ui::style::Right},
        {ui::IDOK, Kind::DefPushButton, "OK", 151, 110, 50, 14},
        {ui::IDCANCEL, Kind::PushButton, "Cancel", 205, 110, 50, 14},
    });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kLevelsTemplate);

constexpr int kTextNewLevelTitle = 87;
constexpr int kTextNewLevelPrompt = 1475;
constexpr int kTextNewLevelStart = 171;
constexpr int kTextRefusedCaption = 856;
constexpr int kTextInUse = 857;
constexpr int kTextChooseAnother = 858;

// The controls that edit the shown level (the name and the absolute value are never editable).
constexpr int kLevelControls[] = {L::kReference, L::kRelative, L::kDeleteLevel};

} // namespace

DlgLevels::DlgLevels(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

bool DlgLevels::onInitDialog() {
    if (const Zrk_String caption = dialString(1478); !caption.empty()) setTitle(caption);
    frame::setItemTextFromTable(*this, kListLabel, 760);
    frame::setItemTextFromTable(*this, kNameLabel, 87);
    frame::setItemTextFromTable(*this, kReferenceLabel, 1473);
    frame::setItemTextFromTable(*this, kRelativeLabel, 593);
    frame::setItemTextFromTable(*this, kAbsoluteLabel, 1474);
    frame::setItemTextFromTable(*this, ui::IDOK, 1);
    frame::setItemTextFromTable(*this, ui::IDCANCEL, 2);
    setItemToolTip(kAddLevel, dialString(131));
    setItemToolTip(kDeleteLevel, dialString(134));
    fillList();
    if (listCount(kLevelList) > 0) {
        showLevel(0);
        listSetCurSel(kLevelList, 0);
    } else {
        showNoLevel();
    }
    return true;
}

bool DlgLevels::onCommand(int id, int code) {
    if (id == kLevelList && code == ui::LBN_SELCHANGE) {
        const int chosen = listCurSel(kLevelList);
        if (chosen < 0 || chosen == current_) return true;
        storeCurrentLevel();
        showLevel(chosen);
        return true;
    }
    if (code == ui::BN_CLICKED && id == kAddLevel) {
        addLevel();
        return true;
    }
    if (code == ui::BN_CLICKED && id == kDeleteLevel) {
        deleteLevel();
        return true;
    }
    return ui::Dialog::onCommand(id, code);
}

void DlgLevels::onOK() {
    storeCurrentLevel();
    endDialog(ui::IDOK);
}

void DlgLevels::fillList() {
    Zrk_StringArray names;
    data.getNames(names);
    listResetContent(kLevelList);
    for (const Zrk_String& name : names)
        listAddString(kLevelList, name);
}

void DlgLevels::showLevel(int index) {
    Zrk_String name, reference;
    double relative = 0.0, absolute = 0.0;
    if (data.getLevelData(index, name, reference, relative, absolute) != Acad::eOk) {
        showNoLevel();
        return;
    }
    Zrk_StringArray names;
    data.getNames(names);
    comboResetContent(kReference);
    for (int i = 0; i < names.length(); ++i)
        if (i != index) comboAddString(kReference, names[i]);
    setItemText(kName, name);
    comboSetCurSel(kReference, comboFindStringExact(kReference, reference));
    setItemText(kRelative, doubleToStr(relative, 3));
    setItemText(kAbsolute, doubleToStr(absolute, 3));
    current_ = index;
    newLevel_ = false;
    for (int id : kLevelControls)
        enableItem(id, true);
    enableItem(kReference, false);
}

// Nothing to show: the fields are empty and only "+" does anything.
void DlgLevels::showNoLevel() {
    current_ = -1;
    newLevel_ = false;
    setItemText(kName, {});
    comboResetContent(kReference);
    setItemText(kRelative, {});
    setItemText(kAbsolute, {});
    for (int id : kLevelControls)
        enableItem(id, false);
}

void DlgLevels::storeCurrentLevel() {
    if (current_ < 0) return;
    data.updateLevel(current_, core::toDouble(itemText(kRelative)));
    // A reference the record refuses (one resting on this level) leaves the level where it was.
    if (newLevel_) data.updateLevel(current_, itemText(kReference));
}

void DlgLevels::addLevel() {
    storeCurrentLevel();
    Zrk_StringArray taken;
    data.getNames(taken);
    taken.append(core::kWorldLevelName);
    ui::TextInput input;
    input.title = dialString(kTextNewLevelTitle);
    input.label = dialString(kTextNewLevelPrompt);
    input.value = dialString(kTextNewLevelStart);
    input.okCaption = dialString(1);
    input.cancelCaption = dialString(2);
    for (int attempt = 0; attempt < kMostNameAttempts; ++attempt) {
        if (!ui::inputText(input, this)) return;
        const Zrk_String name = trimmed(input.value);
        if (name.empty()) continue; // nothing to refuse: asked again
        int index = -1;
        if (findString(taken, name, true) < 0 && data.addLevel(name, index) == Acad::eOk) {
            fillList();
            listSetCurSel(kLevelList, index);
            showLevel(index);
            newLevel_ = true;
            enableItem(kReference, true);
            return;
        }
        messageBox(dialString(kTextInUse) + ".\n" + dialString(kTextChooseAnother) + ".",
                   dialString(kTextRefusedCaption), ui::MB_OK | ui::MB_ICONEXCLAMATION);
    }
    // So many refusals: the person is not going to find a free name here; nothing is added.
}

void DlgLevels::deleteLevel() {
    if (current_ < 0 || !data.deleteLevel(current_)) return;
    const int deleted = current_;
    fillList();
    const int count = listCount(kLevelList);
    if (count == 0) {
        showNoLevel();
        return;
    }
    const int shown = std::clamp(deleted - 1, 0, count - 1);
    listSetCurSel(kLevelList, shown);
    showLevel(shown);
}

bool StartDlgLevels(KvLevelsDlgData& data) {
    return frame::runModalOnCopy<DlgLevels>(data);
}
