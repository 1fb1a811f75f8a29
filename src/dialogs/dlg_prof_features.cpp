#include "dialogs/dlg_prof_features.h"

#include "core/language.h"
#include "core/levels_data.h"
#include "dialogs/dlg_levels.h"
#include "module/entry_function.h"
#include "module/module_resources.h"

namespace {

using ui::Kind;
using F = DlgProfFeatures;

const ui::DialogTemplate kFeaturesTemplate(
    F::kTemplate, "Profile features", 240, 153,
    {
        {F::kLevelLabel, Kind::Static, "Level:", 7, 9, 70, 9},
        {F::kLevel, Kind::DropListCombo, "", 80, 7, 100, 100},
        {F::kLevelsButton, Kind::PushButton, "Levels...", 184, 7, 49, 14},
        {F::kHeading, Kind::Static, "Features of the profile", 7, 28, 226, 9},
        {F::kRowLabels[0], Kind::Static, "", 7, 44, 70, 9},
        {F::kRowValues[0], Kind::Edit, "", 80, 42, 100, 14},
        {F::kRowLabels[1], Kind::Static, "", 7, 62, 70, 9},
        {F::kRowValues[1], Kind::Edit, "", 80, 60, 100, 14},
        {F::kRowLabels[2], Kind::Static, "", 7, 80, 70, 9},
        {F::kRowValues[2], Kind::Edit, "", 80, 78, 100, 14},
        {F::kThirdLevel, Kind::DropListCombo, "", 80, 78, 100, 100, ui::style::Hidden},
        {F::kThirdLevelsButton, Kind::PushButton, "Levels...", 184, 78, 49, 14, ui::style::Hidden},
        {F::kRowLabels[3], Kind::Static, "", 7, 98, 70, 9},
        {F::kRowValues[3], Kind::Edit, "", 80, 96, 100, 14},
        {F::kSwitch, Kind::CheckBox, "", 7, 116, 226, 10},
        {ui::IDOK, Kind::DefPushButton, "OK", 129, 132, 50, 14},
        {ui::IDCANCEL, Kind::PushButton, "Cancel", 183, 132, 50, 14},
    });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kFeaturesTemplate);

constexpr int kThird = DlgProfFeaturesData::kThirdValue;

} // namespace

DlgProfFeatures::DlgProfFeatures(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

bool DlgProfFeatures::onInitDialog() {
    if (!data.title.empty()) setTitle(data.title);
    frame::setItemTextFromTable(*this, kLevelLabel, 1188);
    frame::setItemTextFromTable(*this, kHeading, 1251);
    frame::setItemTextFromTable(*this, ui::IDOK, 1);
    frame::setItemTextFromTable(*this, ui::IDCANCEL, 2);
    if (const Zrk_String levels = dialString(329); !levels.empty())
        for (int id : {kLevelsButton, kThirdLevelsButton})
            setItemText(id, levels + "...");
    fillLevels(kLevel, data.level);

    for (int row = 0; row < DlgProfFeaturesData::kValueCount; ++row) {
        if (row == kThird) continue;
        const DlgProfFeatureValue& value = data.values[row];
        const bool shown = !value.label.empty();
        showItem(kRowLabels[row], shown);
        showItem(kRowValues[row], shown);
        setItemText(kRowLabels[row], value.label);
        setItemText(kRowValues[row], value.value);
    }
    showItem(kSwitch, hasSwitch());
    setItemText(kSwitch, data.checkCaption);
    setCheck(kSwitch, hasSwitch() && data.flag ? 1 : 0);
    showThirdRow();
    return true;
}

bool DlgProfFeatures::onCommand(int id, int code) {
    if (code == ui::BN_CLICKED && id == kSwitch) {
        switchThirdRow();
        return true;
    }
    if (code == ui::BN_CLICKED && (id == kLevelsButton || id == kThirdLevelsButton)) {
        editLevels();
        return true;
    }
    return ui::Dialog::onCommand(id, code);
}

void DlgProfFeatures::onOK() {
    data.level = itemText(kLevel);
    if (hasSwitch()) data.flag = checkState(kSwitch) == 1;
    for (int row = 0; row < DlgProfFeaturesData::kValueCount; ++row)
        if (row != kThird && isItemShown(kRowValues[row])) data.values[row].value = itemText(kRowValues[row]);
    storeThirdRow();
    endDialog(ui::IDOK);
}

void DlgProfFeatures::fillLevels(int id, const Zrk_String& chosen) {
    comboResetContent(id);
    for (const Zrk_String& name : data.levelNames)
        comboAddString(id, name);
    comboSetCurSel(id, chosen.empty() ? -1 : comboFindStringExact(id, chosen));
}

void DlgProfFeatures::showThirdRow() {
    const DlgProfFeatureValue& third = data.third();
    const bool shown = !third.label.empty();
    setItemText(kRowLabels[kThird], third.label);
    showItem(kRowLabels[kThird], shown);
    showItem(kRowValues[kThird], shown && !third.isLevel);
    showItem(kThirdLevel, shown && third.isLevel);
    showItem(kThirdLevelsButton, shown && third.isLevel);
    if (third.isLevel)
        fillLevels(kThirdLevel, third.value);
    else
        setItemText(kRowValues[kThird], third.value);
}

void DlgProfFeatures::storeThirdRow() {
    DlgProfFeatureValue& third = data.third();
    if (third.label.empty()) return;
    third.value = itemText(third.isLevel ? kThirdLevel : kRowValues[kThird]);
}

// The form the person leaves keeps what was typed in it, should the switch come back.
void DlgProfFeatures::switchThirdRow() {
    storeThirdRow();
    data.flag = checkState(kSwitch) == 1;
    showThirdRow();
}

void DlgProfFeatures::editLevels() {
    KvLevelsDlgData levels;
    if (levels.initialize(data.transaction) != Acad::eOk) return; // no drawing, no levels
    if (!StartDlgLevels(levels)) return;
    levels.setRealLevels();
    data.getAllLevels();
    fillLevels(kLevel, itemText(kLevel));
    if (isItemShown(kThirdLevel)) fillLevels(kThirdLevel, itemText(kThirdLevel));
}

bool StartDlgProfFeatures(DlgProfFeaturesData& data) {
    return frame::runModalOnCopy<DlgProfFeatures>(data);
}
