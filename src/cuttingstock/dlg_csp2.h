#pragma once
// The cutting-stock input dialog (template 8122, StartDlgCSP2): the groups of a DlgCSP2Data
// (core/csp2_data.h) in a drop-down and, for the chosen group, its rows of the three tables in three
// grids: the lengths to cut, the stock lengths (".shp" files) and the lengths to buy (".buy" files).
//
//   choosing a group      the shown rows go back into the record (all of the group's rows, which
//                         then stand at the end of their table), then the chosen group is shown
//   add group             asks for a name (one that can be a folder name in "Cutting Stock/")
//   delete group          without asking: the group and its rows go; the group at its place (the
//                         new last one when it was last) is shown
//   insert / delete row   below the grid's active row / the active row
//   load                  the group's folder's newest file of the table's kind is proposed; the
//                         chosen file's rows replace the group's rows of that table
//   save                  a new numbered file ("stock<N>.shp") is proposed; the group's rows are
//                         written (a field holding the separator byte or a line break is refused)
//   all groups            full mode: the newest files of every group loaded, with a report; stock
//                         mode: every group's stock table saved, asking for each name only when
//                         "show file dialogs" is ticked
//   OK                    stores the shown rows and closes; Cancel hands nothing back
//
// In stock mode only the stock grid, its buttons and the all-groups button work. A file that cannot
// be read or written is said in a message and changes nothing. The dialog's size is kept under
// "DLG_OPTIMIZECSP2".

#include <array>

#include "core/csp2_data.h"
#include "module/export.h"
#include "spread/zrk_spread.h"
#include "ui/dialog.h"
#include "ui/resizer.h"

class SS_EXPORT DlgCSP2 : public ui::Dialog {
public:
    static constexpr int kTemplate = 8122;
    static constexpr int kGroupLabel = 1001;
    static constexpr int kGroupCombo = 1002;
    static constexpr int kAddGroup = 1003;
    static constexpr int kDeleteGroup = 1004;
    static constexpr int kAllGroups = 1005;
    static constexpr int kShowFileDialogs = 1006;
    // The controls of table t are kTableBase[t] + one of these.
    static constexpr int kTableBase[DlgCSP2Data::kTableCount] = {1010, 1020, 1030};
    enum TableControl : int { kBox = 0, kGrid = 1, kInsertRow = 2, kDeleteRow = 3, kLoad = 4, kSave = 5 };
    static constexpr int tableControl(int table, TableControl control) { return kTableBase[table] + control; }
    static constexpr const char* kSizeKey = "DLG_OPTIMIZECSP2";

    explicit DlgCSP2(QWidget* owner = nullptr);

    // The dialog's own copy of the caller's record.
    DlgCSP2Data data;
    // The id of the group shown, or -1.
    int currentGroup() const { return current_; }
    Zrk_Spread& grid(int table) { return grids_[table]; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onOK() override;
    void onSize(int width, int height) override;
    void onDestroy() override;

private:
    void setUpGrid(int table);
    void showGroup();
    void storeGroup();
    void changeGroup(int index);
    void addGroup();
    void deleteGroup();
    void insertRow(int table);
    void deleteRow(int table);
    void loadFile(int table);
    // Saves a table of the group at index; showDialog asks for the name. False with the reason when it
    // could not be written (a cancelled dialog is no failure: true, nothing written).
    bool saveFile(int index, int table, bool showDialog, Zrk_String& reason);
    void loadNewestOfAllGroups();
    void saveStockOfAllGroups();
    void tell(const Zrk_String& message);

    std::array<Zrk_Spread, DlgCSP2Data::kTableCount> grids_;
    CResizer resizer_;
    int current_ = -1;
};

// Runs the dialog on a copy of the record; on OK the edited record is copied back and the answer is
// true, otherwise the record stays as it was.
SS_EXPORT bool StartDlgCSP2(DlgCSP2Data& data);
