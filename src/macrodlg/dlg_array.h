#pragma once
// The array dialog (template 236): one array of a macro tab (core/array_model.h) on a copy, handed
// back on OK. What it shows follows the mode:
//
//   mode 0, 2   every field but the count text; the three dimension lists refilled
//   mode 1      the count text, the second dimension and the five values; no entry list
//   mode 3      as 2 without the first dimension
//   mode -1     the macros differ: the varies item; no list is refilled (there is no mode to ask for)
//
// A dimension list is filled with the names the array may use for that mode (getValidDimNames over
// the edited macros and the tab); the stored name stays its text even when the list lacks it.
// Changing the mode stores the controls first, so nothing typed is lost. The two three-state boxes
// show -1 as their indeterminate state and store it back as -1.

#include "core/array_model.h"
#include "module/export.h"
#include "spread/zrk_spread.h"
#include "ui/dialog.h"

class DlgArray : public ui::Dialog {
public:
    static constexpr int kTemplate = 236;
    static constexpr int kModeLabel = 1015;
    static constexpr int kMode = 1005;
    static constexpr int kTemplateLabel = 1125;
    static constexpr int kTemplateName = 1345;
    static constexpr int kDim1Label = 1129;
    static constexpr int kDim1 = 1347;
    static constexpr int kDim2Label = 1130;
    static constexpr int kDim2 = 1350;
    static constexpr int kDim3Label = 1131;
    static constexpr int kDim3 = 1351;
    static constexpr int kModeTextLabel = 1134;
    static constexpr int kModeText = 1011;
    static constexpr int kValue1Label = 1126;
    static constexpr int kValue1 = 1002;
    static constexpr int kValue2Label = 1127;
    static constexpr int kValue2 = 1003;
    static constexpr int kValue3Label = 1128;
    static constexpr int kValue3 = 1004;
    static constexpr int kValue4Label = 1132;
    static constexpr int kValue4 = 1009;
    static constexpr int kValue5Label = 1133;
    static constexpr int kValue5 = 1010;
    static constexpr int kSkipLabel = 1135;
    static constexpr int kSkip = 1006;
    static constexpr int kFlag = 1346;
    static constexpr int kAlternating = 1352;
    static constexpr int kEntriesFrame = 1349;
    static constexpr int kEntries = 1196;
    static constexpr int kActivate1 = 1348;
    static constexpr int kActivate2 = 1087;
    static constexpr int kLeaveOut = 1089;
    // The mode list's fifth item: the macros differ.
    static constexpr int kVariesItem = 4;

    DlgArray(AcArray<AcDbObjectId> objectIds, Zrk_String tabName, QWidget* owner = nullptr);

    DynArrayData data; // the dialog's own copy
    Zrk_Spread grid;   // the entries

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onOK() override;

private:
    void showData();
    void layoutByMode();
    void refillDimList(int listId, int kind);
    void store();

    AcArray<AcDbObjectId> objectIds_;
    Zrk_String tabName_;
};

// Runs the array dialog on a copy of data for the macros objectIds and the tab tabName: true, with
// the copy written back, when the person pressed OK.
SS_EXPORT bool StartArrayDlg(DynArrayData& data, const AcArray<AcDbObjectId>& objectIds,
                             const Zrk_String& tabName);
