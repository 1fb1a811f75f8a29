#include "dialogs/dlg_look_up.h"

#include "core/language.h"
#include "core/text.h"
#include "module/entry_function.h"
#include "module/module_resources.h"

namespace {

using ui::Kind;
using L = DlgLookUp;

const ui::DialogTemplate kLookUpTemplate(
    L::kTemplate, "Look up", 250, 227,
    {
        {L::kCriteriaGroup, Kind::GroupBox, "Look for", 7, 7, 236, 111},
        {L::kChoiceA, Kind::DropListCombo, "", 14, 20, 222, 60},
        {L::kCriteriaLabels[0], Kind::Static, "Name", 14, 40, 60, 9},
        {L::kCriteria[0], Kind::DropDownCombo, "", 78, 38, 158, 100},
        {L::kCriteriaLabels[1], Kind::Static, "Section:", 14, 58, 60, 9},
        {L::kCriteria[1], Kind::DropDownCombo, "", 78, 56, 158, 100},
        {L::kCriteriaLabels[2], Kind::Static, "Material:", 14, 76, 60, 9},
        {L::kCriteria[2], Kind::DropDownCombo, "", 78, 74, 158, 100},
        {L::kCriteriaLabels[3], Kind::Static, "Mark:", 14, 94, 60, 9},
        {L::kCriteria[3], Kind::DropDownCombo, "", 78, 92, 158, 100},
        {L::kFifthLabel, Kind::Static, "Phase:", 7, 126, 67, 9},
        {L::kFifth, Kind::DropDownCombo, "", 78, 124, 165, 100},
        {L::kFlagAOff, Kind::RadioButton, "Look in the whole drawing", 7, 144, 236, 10, ui::style::Group},
        {L::kFlagAOn, Kind::RadioButton, "Look in the selection", 7, 168, 236, 10},
        // Under the first radio button, whose choice it refines (after the pair, which must be one).
        {L::kFlagB, Kind::CheckBox, "Including hidden objects", 19, 156, 224, 10},
        {L::kChoiceBLabel, Kind::Static, "Found objects:", 7, 188, 67, 9},
        {L::kChoiceB, Kind::DropListCombo, "", 78, 186, 165, 60},
        {L::kShowAll, Kind::PushButton, "Show all", 7, 207, 60, 14},
        {ui::IDOK, Kind::DefPushButton, "OK", 139, 207, 50, 14},
        {ui::IDCANCEL, Kind::PushButton, "Cancel", 193, 207, 50, 14},
    });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kLookUpTemplate);

constexpr int kChoiceATexts[] = {88, 89, 1511};
constexpr int kChoiceBTexts[] = {1504, 1505, 1506};

void fillCriterion(ui::Dialog& dialog, int id, const Zrk_StringArray& list, const Zrk_String& text) {
    dialog.comboResetContent(id);
    for (const Zrk_String& item : list)
        dialog.comboAddString(id, item);
    dialog.setItemText(id, text);
}

void fillChoice(ui::Dialog& dialog, int id, const int (&texts)[3], int chosen) {
    dialog.comboResetContent(id);
    for (int text : texts)
        dialog.comboAddString(id, dialString(text));
    dialog.comboSetCurSel(id, chosen >= 0 && chosen < 3 ? chosen : -1);
}

} // namespace

DlgLookUp::DlgLookUp(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

bool DlgLookUp::onInitDialog() {
    if (const Zrk_String caption = dialString(1499); !caption.empty()) setTitle(caption);
    frame::setItemTextFromTable(*this, kCriteriaGroup, 1500);
    frame::setItemTextFromTable(*this, kCriteriaLabels[0], 87);
    if (const Zrk_String text = secondaryString(2262); !text.empty()) setItemText(kCriteriaLabels[1], text);
    if (const Zrk_String text = secondaryString(2263); !text.empty()) setItemText(kCriteriaLabels[2], text);
    frame::setItemTextFromTable(*this, kCriteriaLabels[3], 95);
    frame::setItemTextFromTable(*this, kFifthLabel, 96);
    frame::setItemTextFromTable(*this, kChoiceBLabel, 1501);
    frame::setItemTextFromTable(*this, kFlagAOff, 1516);
    frame::setItemTextFromTable(*this, kFlagAOn, 1517);
    frame::setItemTextFromTable(*this, kFlagB, 1502);
    frame::setItemTextFromTable(*this, kShowAll, 1503);
    frame::setItemTextFromTable(*this, ui::IDOK, 1);
    frame::setItemTextFromTable(*this, ui::IDCANCEL, 2);

    for (int i = 0; i < KvLookUpDlgData::kCriterionCount; ++i)
        fillCriterion(*this, kCriteria[i], data.criteriaLists[i], data.criteria[i]);
    fillCriterion(*this, kFifth, data.fifthCriterionList, data.fifthCriterion);
    fillChoice(*this, kChoiceA, kChoiceATexts, data.choiceA);
    fillChoice(*this, kChoiceB, kChoiceBTexts, data.choiceB);
    checkRadioButton(kFlagAOff, kFlagAOn, data.flagA ? kFlagAOn : kFlagAOff);
    setCheck(kFlagB, data.flagB ? 1 : 0);
    updateFlagB();
    return true;
}

bool DlgLookUp::onCommand(int id, int code) {
    if (code == ui::BN_CLICKED && (id == kFlagAOff || id == kFlagAOn)) {
        updateFlagB();
        return true;
    }
    if (code == ui::BN_CLICKED && id == kShowAll) {
        store();
        data.resultMode = KvLookUpDlgData::kResultShowAll;
        endDialog(ui::IDOK);
        return true;
    }
    return ui::Dialog::onCommand(id, code);
}

void DlgLookUp::onOK() {
    store();
    endDialog(ui::IDOK);
}

// The check box belongs to the whole drawing: it is offered only while that is the choice.
void DlgLookUp::updateFlagB() {
    enableItem(kFlagB, checkState(kFlagAOff) == 1);
}

void DlgLookUp::store() {
    for (int i = 0; i < KvLookUpDlgData::kCriterionCount; ++i)
        data.criteria[i] = itemText(kCriteria[i]);
    data.fifthCriterion = itemText(kFifth);
    // A choice the record held out of range is shown as none and kept as it was.
    if (const int chosen = comboCurSel(kChoiceB); chosen >= 0) data.choiceB = chosen;
    if (const int chosen = comboCurSel(kChoiceA); chosen >= 0) data.choiceA = chosen;
    data.flagA = checkState(kFlagAOff) != 1;
    data.flagB = checkState(kFlagB) == 1;
    data.resultMode = KvLookUpDlgData::kResultLookUp;
}

bool StartDlgLookUp(KvLookUpDlgData& data) {
    return frame::runModalOnCopy<DlgLookUp>(data);
}

Zrk_String lookUpSummary(const KvLookUpDlgData& data) {
    auto shown = [](const Zrk_String& text) { return text.empty() ? Zrk_String("(any)") : text; };
    Zrk_String criteria;
    for (const Zrk_String& criterion : data.criteria)
        criteria += (criteria.empty() ? "" : ", ") + shown(criterion);
    return Zrk_String(data.resultMode == KvLookUpDlgData::kResultShowAll ? "show all" : "look up") + ": " +
           criteria + "; " + shown(data.fifthCriterion) + "; choices " + intToStr(data.choiceA) + " and " +
           intToStr(data.choiceB) + (data.flagA ? "; in the selection" : "; in the whole drawing") +
           (!data.flagA && data.flagB ? ", hidden objects too" : "");
}
