#pragma once
// The general variables dialog (template 256): the two lists of general variables ("gen_" names)
// that feed standards spreadsheets with values not taken from a macro, each in a grid: the general
// variables of drawings (name, value, filter) and those of standards (name, value, override, filter).
// A filter names the drawings and folders of the library's "Macros/" folder a variable applies to,
// joined by ";"; the "..." button of a row adds drawings chosen in a file dialog.
//
// Other modules open it through StartDlgGenVars, on a copy of their record, copied back on OK.

#include "core/gen_vars.h"
#include "module/export.h"
#include "spread/zrk_spread.h"
#include "ui/dialog.h"
#include "ui/resizer.h"

class DlgGenVars : public ui::Dialog {
public:
    static constexpr int kTemplate = 256;
    static constexpr int kDrawingGroup = 1437;
    static constexpr int kDrawingGrid = 1434;
    static constexpr int kDrawingAdd = 1435;
    static constexpr int kDrawingRemove = 1436;
    static constexpr int kDrawingUp = 1438;
    static constexpr int kDrawingDown = 1439;
    static constexpr int kStandardGroup = 1445;
    static constexpr int kStandardGrid = 1444;
    static constexpr int kStandardAdd = 1443;
    static constexpr int kStandardRemove = 1442;
    static constexpr int kStandardUp = 1440;
    static constexpr int kStandardDown = 1441;
    static constexpr const char* kSizeKey = "DLG_GENVARS";
    static constexpr int kButtonWidth = 16; // pixels of the "..." column

    explicit DlgGenVars(QWidget* owner = nullptr);
    ~DlgGenVars() override;

    // The dialog's own record.
    KvAutoStandardsData data;

    Zrk_Spread drawingGrid;
    Zrk_Spread standardGrid;
    CResizer layoutKeeper;

    // The filter with the paths appended that it does not hold yet: an empty filter becomes the
    // paths joined by ";" (no leading ";"); a path is compared with the filter's entries after
    // turning '\' into '/'.
    static Zrk_String appendToFilter(const Zrk_String& filter, const Zrk_StringArray& paths);
    // The chosen files that lie in the library's "Macros/" folder, relative to it.
    static Zrk_StringArray pathsInMacros(const Zrk_StringArray& chosen);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onOK() override;
    void onSize(int width, int height) override;
    void onDestroy() override;

private:
    void setUpGrid(Zrk_Spread& grid, int columns, const Zrk_StringArray& headers);
    void fillGrid(Zrk_Spread& grid, const std::vector<const Zrk_StringArray*>& columns);
    void setButtons(Zrk_Spread& grid);
    void addRow(Zrk_Spread& grid);
    void removeRow(Zrk_Spread& grid);
    void moveRow(Zrk_Spread& grid, bool up);
    void chooseDrawings(Zrk_Spread& grid);
    void readGrid(const Zrk_Spread& grid, const std::vector<Zrk_StringArray*>& columns);
};

// Edits the general variables modally, with the module's resources. True on OK: the record then
// holds the grids' rows; false leaves it as it was.
SS_EXPORT bool StartDlgGenVars(KvAutoStandardsData& data);
