#pragma once
// The string-array grid dialog (template 208): a table of strings in a grid, with column names, row
// names when given, "Add" and "Remove" for rows when editable, and a size kept under the dialog's
// name. Other parts of the product open it through the exported startGridDialog.

#include "module/export.h"
#include "spread/zrk_spread.h"
#include "ui/dialog.h"
#include "ui/resizer.h"

class DlgStringArray : public ui::Dialog {
public:
    static constexpr int kTemplate = 208;
    static constexpr int kGrid = 1196;
    static constexpr int kAdd = 1088;
    static constexpr int kRemove = 1089;
    static constexpr const char* kDefaultName = "DLG_SS_STRINGARRAY";

    explicit DlgStringArray(QWidget* owner = nullptr) : ui::Dialog(kTemplate, owner) {}

    bool editable = true;
    Zrk_String templateName = kDefaultName; // the key of the stored size
    Zrk_String title;
    Zrk_StringArray columnNames;
    Zrk_StringArray rowNames;
    Zrk_Array<Zrk_StringArray> rows; // in; on OK the grid's rows

    Zrk_Spread grid;
    CResizer layoutKeeper;

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onOK() override;
    void onSize(int width, int height) override;
    void onDestroy() override;

private:
    void setUpGrid();
    void fillGrid();
    void addRow();
    void removeRow();
};

// Shows the dialog modally with the module's resources: the columns named by columnNames, the rows
// by rowNames (none: no row headers), the strings of rows. On OK rows becomes what the grid holds
// (the data texts of every row) and the answer is true. No column names: false at once, nothing
// shown; Cancel: false, rows unchanged. An empty template name is "DLG_SS_STRINGARRAY".
SS_EXPORT bool startGridDialog(const Zrk_StringArray& columnNames, const Zrk_StringArray& rowNames,
                               Zrk_Array<Zrk_StringArray>& rows, bool editable = true,
                               const Zrk_String& templateName = Zrk_String(),
                               const Zrk_String& title = Zrk_String());
