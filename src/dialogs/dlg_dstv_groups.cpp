#include "dialogs/dlg_dstv_groups.h"

#include <algorithm>

#include "core/dstv_points.h"
#include "core/language.h"
#include "core/text.h"
#include "dialogs/dlg_dstv_points.h"
#include "module/entry_function.h"
#include "module/module_resources.h"

namespace {

using ui::Kind;
using G = DlgDstvGroups;

const ui::DialogTemplate kGroupsTemplate(G::kTemplate, "DSTV point groups", 220, 67,
                                         {
                                             {G::kGroupCombo, Kind::DropListCombo, "", 7, 7, 150, 120},
                                             {G::kAddGroup, Kind::PushButton, "+", 161, 7, 24, 14},
                                             {G::kRemoveGroup, Kind::PushButton, "-", 189, 7, 24, 14},
                                             {G::kUseGroup, Kind::PushButton, "Put in use", 7, 26, 103, 14},
                                             {G::kEditGroup, Kind::PushButton, "Edit...", 114, 26, 99, 14},
                                             {ui::IDOK, Kind::DefPushButton, "Close", 163, 46, 50, 14},
                                         });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kGroupsTemplate);

constexpr int kTextCaption = 863;
constexpr int kTextNewPrompt = 864;
constexpr int kTextRefusedCaption = 856;
constexpr int kTextExists = 857;
constexpr int kTextChooseAnother = 858;

} // namespace

DlgDstvGroups::DlgDstvGroups(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

bool DlgDstvGroups::onInitDialog() {
    if (const Zrk_String caption = dialString(kTextCaption); !caption.empty()) setTitle(caption);
    frame::setItemTextFromTable(*this, kUseGroup, 861);
    frame::setItemTextFromTable(*this, kEditGroup, 862);
    frame::setItemTextFromTable(*this, ui::IDOK, 285);
    fillGroups(DlgDstvPoints::getStandardDstvPointsFile());
    return true;
}

bool DlgDstvGroups::onCommand(int id, int code) {
    if (id == kGroupCombo && code == ui::CBN_SELCHANGE) {
        updateEnabling();
        return true;
    }
    if (code == ui::BN_CLICKED) {
        switch (id) {
        case kAddGroup:
            addGroup();
            return true;
        case kRemoveGroup:
            removeGroup();
            return true;
        case kUseGroup:
            useGroup();
            return true;
        case kEditGroup:
            editGroup();
            return true;
        default:
            break;
        }
    }
    return ui::Dialog::onCommand(id, code);
}

Zrk_String DlgDstvGroups::chosenGroup() const {
    const int index = comboCurSel(kGroupCombo);
    return index >= 0 ? comboText(kGroupCombo, index) : Zrk_String();
}

void DlgDstvGroups::fillGroups(const Zrk_String& chosen, int index) {
    Zrk_StringArray groups;
    DlgDstvPoints::getAllDstvPointsFiles(groups);
    const Zrk_String inUse = DlgDstvPoints::getStandardDstvPointsFile();
    comboResetContent(kGroupCombo);
    for (int i = 0; i < groups.length(); ++i) {
        comboAddString(kGroupCombo, groups[i]);
        comboSetItemCheck(kGroupCombo, i, groups[i] == inUse);
    }
    const int found = findString(groups, chosen);
    comboSetCurSel(kGroupCombo, found >= 0 ? found : std::min(index, groups.length() - 1));
    updateEnabling();
}

void DlgDstvGroups::updateEnabling() {
    const bool chosen = comboCurSel(kGroupCombo) >= 0;
    for (int id : {kRemoveGroup, kUseGroup, kEditGroup})
        enableItem(id, chosen);
}

void DlgDstvGroups::showError(const Zrk_String& message) {
    messageBox(message, dialString(kTextRefusedCaption), ui::MB_OK | ui::MB_ICONEXCLAMATION);
}

void DlgDstvGroups::addGroup() {
    Zrk_String name;
    if (!askDstvName(kTextNewPrompt, this, name)) return;
    Zrk_StringArray groups;
    DlgDstvPoints::getAllDstvPointsFiles(groups);
    if (findString(groups, name, true) >= 0) {
        showError(dialString(kTextExists) + ".\n" + dialString(kTextChooseAnother) + ".");
        return;
    }
    // The name becomes a file name: one that cannot be one is refused before any file is touched.
    Zrk_String reason;
    if (!DlgDstvPoints::createGroup(name, &reason)) {
        showError(reason);
        return;
    }
    const Zrk_String chosen = chosenGroup();
    fillGroups(chosen.empty() ? name : chosen);
}

void DlgDstvGroups::removeGroup() {
    const Zrk_String group = chosenGroup();
    if (group.empty()) return;
    const int index = comboCurSel(kGroupCombo);
    Zrk_String reason;
    if (!DlgDstvPoints::deleteGroup(group, &reason)) showError(reason);
    // The group now at its place is chosen (the new last one when the last went).
    fillGroups(Zrk_String(), index);
}

void DlgDstvGroups::useGroup() {
    const Zrk_String group = chosenGroup();
    if (group.empty()) return;
    Zrk_String reason;
    if (!DlgDstvPoints::setStandardDstvPointsFile(group, &reason)) showError(reason);
    fillGroups(group);
}

void DlgDstvGroups::editGroup() {
    const Zrk_String group = chosenGroup();
    if (group.empty()) return;
    DlgDstvPoints points;
    Zrk_String reason;
    // A group that cannot be read is not opened: saving it would write over what it holds.
    if (!points.readFromFile(group, &reason)) {
        showError(reason);
        return;
    }
    if (!frame::runModalOnCopy<DlgEditDstvPoints>(points, {frame::Resources::CallerResources})) return;
    if (!points.writeToFile(group, &reason)) showError(reason);
}

void StartDSTVPointsDlg() {
    DlgDstvGroups dialog;
    frame::runModal(dialog, frame::Resources::CallerResources);
}
