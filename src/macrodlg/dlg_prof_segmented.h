#pragma once
// The segmented profile dialog (template 221): the segmented profiles of a profile tab
// (core/profile_model.h) on a copy, handed back on OK. One entry is shown at a time: its name, gap,
// whether it breaks at every point of its polyline, and its points (a grid: value and text per row).
// Choosing another entry stores the shown one first; a gap that is no number is stored as 0. Rows are
// inserted at and deleted from the grid's active row. Without entries every entry field is disabled.
// The window is resizable (no smaller than at first); the grid grows with it.

#include "core/profile_model.h"
#include "module/export.h"
#include "spread/zrk_spread.h"
#include "ui/dialog.h"
#include "ui/resizer.h"

class DlgProfSegmented : public ui::Dialog {
public:
    static constexpr int kTemplate = 221;
    static constexpr int kEntriesLabel = 1248;
    static constexpr int kEntries = 1247;
    static constexpr int kFrame = 1081;
    static constexpr int kNameLabel = 1123;
    static constexpr int kName = 1000;
    static constexpr int kGapLabel = 1124;
    static constexpr int kGap = 1232;
    static constexpr int kBreak = 1249;
    static constexpr int kPoints = 1196;
    static constexpr int kInsertRow = 1088;
    static constexpr int kDeleteRow = 1089;
    static constexpr int kButton = 1090;

    explicit DlgProfSegmented(QWidget* owner = nullptr);

    Zrk_Array<MacroSegmentedProfile> data; // the dialog's own copy
    Zrk_Spread grid;                       // the points of the shown entry

    int shownEntry() const { return shown_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onSize(int width, int height) override;
    void onOK() override;
    void onDestroy() override;

private:
    void showEntry(int index);
    void storeEntry(int index);

    CResizer resizer_;
    int shown_ = -1;
};

// Runs the segmented profile dialog on a copy of segments: true, with the copy written back, when the
// person pressed OK.
SS_EXPORT bool StartDlgProfSegmented(Zrk_Array<MacroSegmentedProfile>& segments);
