#include "macrodlg/dlg_array.h"

#include "core/language.h"
#include "core/macro_data.h"
#include "core/text.h"
#include "designer/designer_data.h"
#include "macrodlg/three_state.h"
#include "module/entry_function.h"
#include "module/module_resources.h"

namespace {

using ui::Kind;
using D = DlgArray;

constexpr int kLabelX = 7, kLabelW = 76, kFieldX = 86, kFieldW = 120;
constexpr int kRightLabelX = 214, kRightLabelW = 86, kRightFieldX = 302, kRightFieldW = 43;
const ui::DialogTemplate kArrayTemplate(
    D::kTemplate, "Array", 352, 292,
    {
        {D::kModeLabel, Kind::Static, "Mode:", kLabelX, 9, kLabelW, 9},
        {D::kMode, Kind::DropListCombo, "", kFieldX, 7, kFieldW, 90},
        {D::kTemplateLabel, Kind::Static, "Entry template:", kLabelX, 26, kLabelW, 9},
        {D::kTemplateName, Kind::DropDownCombo, "", kFieldX, 24, kFieldW, 90},
        {D::kDim1Label, Kind::Static, "First dimension:", kLabelX, 43, kLabelW, 9},
        {D::kDim1, Kind::DropDownCombo, "", kFieldX, 41, kFieldW, 90},
        {D::kDim2Label, Kind::Static, "Second dimension:", kLabelX, 60, kLabelW, 9},
        {D::kDim2, Kind::DropDownCombo, "", kFieldX, 58, kFieldW, 90},
        {D::kDim3Label, Kind::Static, "Third dimension:", kLabelX, 77, kLabelW, 9},
        {D::kDim3, Kind::DropDownCombo, "", kFieldX, 75, kFieldW, 90},
        {D::kModeTextLabel, Kind::Static, "Count:", kLabelX, 94, kLabelW, 9},
        {D::kModeText, Kind::Edit, "", kFieldX, 92, kFieldW, 13},
        {D::kValue1Label, Kind::Static, "Start:", kRightLabelX, 9, kRightLabelW, 9},
        {D::kValue1, Kind::Edit, "", kRightFieldX, 7, kRightFieldW, 13},
        {D::kValue2Label, Kind::Static, "Spacing:", kRightLabelX, 26, kRightLabelW, 9},
        {D::kValue2, Kind::Edit, "", kRightFieldX, 24, kRightFieldW, 13},
        {D::kValue3Label, Kind::Static, "Count:", kRightLabelX, 43, kRightLabelW, 9},
        {D::kValue3, Kind::Edit, "", kRightFieldX, 41, kRightFieldW, 13},
        {D::kValue4Label, Kind::Static, "End:", kRightLabelX, 60, kRightLabelW, 9},
        {D::kValue4, Kind::Edit, "", kRightFieldX, 58, kRightFieldW, 13},
        {D::kValue5Label, Kind::Static, "Offset:", kRightLabelX, 77, kRightLabelW, 9},
        {D::kValue5, Kind::Edit, "", kRightFieldX, 75, kRightFieldW, 13},
        {D::kSkipLabel, Kind::Static, "Nr of entries to skip", kRightLabelX, 94, kRightLabelW, 9},
        {D::kSkip, Kind::Edit, "", kRightFieldX, 92, kRightFieldW, 13},
        {D::kFlag, Kind::ThreeState, "Reverse the direction", kLabelX, 112, 190, 10},
        {D::kAlternating, Kind::ThreeState, "Add entries alternating", kRightLabelX, 112, 131, 10},
        {D::kEntriesFrame, Kind::GroupBox, "Entries", kLabelX, 128, 338, 138},
        {D::kEntries, Kind::Placeholder, "", 14, 140, 258, 120, ui::style::Sunken},
        {D::kActivate1, Kind::PushButton, "Insert", 280, 140, 58, 14},
        {D::kActivate2, Kind::PushButton, "Delete", 280, 158, 58, 14},
        {D::kLeaveOut, Kind::PushButton, "Leave out", 280, 176, 58, 14},
        {ui::IDOK, Kind::DefPushButton, "OK", 241, 272, 50, 14},
        {ui::IDCANCEL, Kind::PushButton, "Cancel", 295, 272, 50, 14},
    });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kArrayTemplate);

constexpr int kValueEdits[5] = {D::kValue1, D::kValue2, D::kValue3, D::kValue4, D::kValue5};
constexpr int kDimLists[3] = {D::kDim1, D::kDim2, D::kDim3};

} // namespace

DlgArray::DlgArray(AcArray<AcDbObjectId> objectIds, Zrk_String tabName, QWidget* owner)
    : ui::Dialog(kTemplate, owner), objectIds_(std::move(objectIds)), tabName_(std::move(tabName)) {}

bool DlgArray::onInitDialog() {
    grid.attach(this, kEntries, true);
    grid.applyStandardLook(true);
    for (auto [id, text] : {std::pair{kModeLabel, 228},
                            {kTemplateLabel, 1057},
                            {kDim1Label, 1058},
                            {kDim2Label, 1059},
                            {kModeTextLabel, 1061},
                            {kValue1Label, 1060},
                            {kValue2Label, 1062},
                            {kValue3Label, 1063},
                            {kValue4Label, 1064},
                            {kValue5Label, 1065},
                            {kFlag, 1066},
                            {kEntriesFrame, 1067},
                            {kActivate1, 171},
                            {kActivate2, 172},
                            {kLeaveOut, 1068},
                            {ui::IDOK, 1},
                            {ui::IDCANCEL, 2}})
        frame::setItemTextFromTable(*this, id, text);
    for (int text = 1071; text <= 1074; ++text)
        comboAddString(kMode, dialString(text));
    comboAddString(kMode, core::variesText());
    Zrk_StringArray templates;
    getModuleImages(templates);
    for (const Zrk_String& name : templates)
        comboAddString(kTemplateName, name);
    showData();
    return true;
}

void DlgArray::showData() {
    setTitle(dialString(1056) + " (" + tabName_ + ")");
    setItemText(kTemplateName, data.templateName);
    comboSetCurSel(kMode, data.mode >= 0 && data.mode < core::kArrayModeCount ? data.mode : kVariesItem);
    if (data.mode == 1) setItemText(kModeText, data.modeText);
    for (int i = 0; i < 3; ++i)
        setItemText(kDimLists[i], data.dimNames[static_cast<std::size_t>(i)]);
    for (int i = 0; i < 5; ++i)
        setItemText(kValueEdits[i], data.values[static_cast<std::size_t>(i)]);
    setItemText(kSkip, data.skipCount);
    setCheck(kFlag, macrodlg::checkOfFlag(data.flag));
    setCheck(kAlternating, macrodlg::checkOfFlag(data.alternating));

    Zrk_Array<int> actions, used;
    Zrk_StringArray texts;
    data.getEntryColumns(actions, used, texts);
    const int rows = actions.length();
    grid.setRedraw(false);
    grid.setNrRows(0);
    grid.setMaxCols(3);
    grid.setMaxRows(rows);
    grid.applyFonts();
    grid.setColumnHeaders({dialString(30201), dialString(30202), ""});
    if (rows > 0) {
        Zrk_StringArray choices;
        for (int action = 0; action < core::kArrayEntryActionCount; ++action)
            choices.append(intToStr(action));
        grid.setComboCells(1, 1, 1, rows, choices);
        grid.setCheckBoxColumn(2, true, true);
        grid.setTextCells(3, 1, 3, rows);
    }
    grid.fillColumn(1, actions);
    Zrk_Array<bool> flags;
    for (int value : used)
        flags.append(value != 0);
    grid.fillColumn(2, flags);
    grid.fillColumn(3, texts);
    grid.setLayout({-32767, 2}, {25, 22});
    grid.applyLayout();
    grid.setRedraw(true);
    layoutByMode();
}

void DlgArray::refillDimList(int listId, int kind) {
    const Zrk_String text = itemText(listId);
    Zrk_StringArray names;
    data.getValidDimNames(objectIds_, tabName_, data.mode, kind, names);
    comboResetContent(listId);
    for (const Zrk_String& name : names)
        comboAddString(listId, name);
    setItemText(listId, text);
}

void DlgArray::layoutByMode() {
    const int mode = data.mode;
    const bool countMode = mode == 1;
    for (int id : {kModeTextLabel, kModeText})
        showItem(id, countMode);
    for (int id : {kDim1Label, kDim1})
        showItem(id, !countMode && mode != 3);
    for (int id : {kDim3Label, kDim3, kEntriesFrame, kEntries, kLeaveOut})
        showItem(id, !countMode);
    const int thirdLabel = (mode == 1 || mode == 2) ? 1076 : mode == 3 ? 1077 : 0;
    if (thirdLabel)
        frame::setItemTextFromTable(*this, kDim3Label, thirdLabel);
    else
        setItemText(kDim3Label, "");
    if (mode < 0) return; // the macros differ: there is no mode to offer names for
    if (countMode) {
        refillDimList(kDim2, 1);
        return;
    }
    for (int kind = 0; kind < 3; ++kind)
        refillDimList(kDimLists[kind], kind);
}

void DlgArray::store() {
    const int item = comboCurSel(kMode);
    data.mode = item >= 0 && item < core::kArrayModeCount ? item : -1;
    if (data.mode == 1) data.modeText = itemText(kModeText);
    data.templateName = itemText(kTemplateName);
    for (int i = 0; i < 3; ++i)
        data.dimNames[static_cast<std::size_t>(i)] = itemText(kDimLists[i]);
    for (int i = 0; i < 5; ++i)
        data.values[static_cast<std::size_t>(i)] = itemText(kValueEdits[i]);
    data.skipCount = itemText(kSkip);
    data.flag = macrodlg::flagOfCheck(checkState(kFlag));
    data.alternating = macrodlg::flagOfCheck(checkState(kAlternating));
    grid.setEditMode(false); // a text being typed counts
    Zrk_Array<int> actions;
    Zrk_Array<bool> flags;
    Zrk_StringArray texts;
    grid.readColumn(1, actions);
    grid.readColumn(2, flags);
    grid.readColumn(3, texts);
    Zrk_Array<int> used;
    for (bool flag : flags)
        used.append(flag ? 1 : 0);
    // The grid has a row per entry; a column the grid could not give (no rows) is the empty list.
    data.setEntryColumns(actions, used, texts);
}

bool DlgArray::onCommand(int id, int code) {
    if (id == kMode && code == ui::CBN_SELCHANGE) {
        store();
        layoutByMode();
        return true;
    }
    if (code == ui::BN_CLICKED) {
        int column = 0, row = 0;
        switch (id) {
        case kActivate1:
        case kActivate2:
            grid.ensureActiveCell(column, row);
            return true;
        case kLeaveOut:
            if (grid.ensureActiveCell(column, row)) grid.setCellText(1, row, "1");
            return true;
        default:
            break;
        }
    }
    return ui::Dialog::onCommand(id, code);
}

void DlgArray::onOK() {
    store();
    endDialog(ui::IDOK);
}

bool StartArrayDlg(DynArrayData& data, const AcArray<AcDbObjectId>& objectIds, const Zrk_String& tabName) {
    return frame::runModalOnCopy<DlgArray>(data, frame::EntryOptions{}, objectIds, tabName);
}
