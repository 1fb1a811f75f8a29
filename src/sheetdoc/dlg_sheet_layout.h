#pragma once
// The sheet-layout dialog (template 176): the column and row counts of a grid, the height of its
// column headers and the width of its row headers, and the names of its columns and rows, typed into
// two preview grids. editSheetLayout shows it for a grid and applies the result on OK.

#include "spread/zrk_spread.h"
#include "ui/dialog.h"

class DlgSheetLayout : public ui::Dialog {
public:
    static constexpr int kTemplate = 176;
    static constexpr int kColumnPreview = 1025; // one row: the column names
    static constexpr int kRowPreview = 1002;    // one column: the row names
    static constexpr int kColumns = 1017;
    static constexpr int kRows = 1019;
    static constexpr int kHeaderHeight = 1021;
    static constexpr int kRowHeaderWidth = 1023;
    static constexpr int kIntro = 1026;
    static constexpr int kNamesLabel = 1027;
    static constexpr int kColumnsLabel = 1016;
    static constexpr int kRowsLabel = 1018;
    static constexpr int kHeaderHeightLabel = 1020;
    static constexpr int kRowHeaderWidthLabel = 1022;

    explicit DlgSheetLayout(QWidget* owner = nullptr) : ui::Dialog(kTemplate, owner) {}

    // In and out: the counts and the header sizes (pixels).
    int columnCount = 0;
    int rowCount = 0;
    int headerHeight = 20;
    int rowHeaderWidth = 64;
    // In: the names given.
    Zrk_StringArray columnNames;
    Zrk_StringArray rowNames;
    // The names typed so far, by position: kept while the counts change.
    Zrk_StringArray typedColumnNames;
    Zrk_StringArray typedRowNames;
    // Out, on OK.
    Zrk_StringArray resultColumnNames;
    Zrk_StringArray resultRowNames;

    Zrk_Spread columnPreview;
    Zrk_Spread rowPreview;

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onOK() override;

private:
    void collectColumnNames();
    void collectRowNames();
    void fillColumnPreview();
    void fillRowPreview();
};

// Shows the sheet-layout dialog for the grid; on OK the grid gets the counts, the header sizes and
// the names, and its changed flag. False when cancelled or the grid is not attached.
bool editSheetLayout(Zrk_Spread& grid);
