// Demonstrations of the grids' side dialogs for the host shell (module/demo_dialogs.h), on a small
// table of a steel structure's members.

#include "core/text.h"
#include "module/demo_dialogs.h"
#include "sheetdoc/dlg_find_replace.h"
#include "sheetdoc/dlg_sheet_layout.h"
#include "sheetdoc/dlg_string_array.h"
#include "ui/user_interaction.h"

namespace {

const Zrk_StringArray kColumns{"Profile", "Length", "Material", "Count"};
const Zrk_StringArray kRowNames{"Column", "Beam", "Brace", "Purlin", "Rafter"};

Zrk_Array<Zrk_StringArray> sampleRows() {
    return Zrk_Array<Zrk_StringArray>{
        {"HEA 200", "4500", "S235", "12"}, {"IPE 300", "6000", "S355", "8"},
        {"L 60x6", "3200", "S235", "16"},  {"C 120x50", "5800", "S235", "24"},
        {"IPE 360", "7200", "S355", "6"},
    };
}

// A string-array dialog that holds the sample table, as a grid to work on.
class SampleTable : public DlgStringArray {
public:
    explicit SampleTable(bool withFind) : withFind_(withFind) {
        columnNames = kColumns;
        rowNames = kRowNames;
        rows = sampleRows();
        title = "Members";
    }

protected:
    bool onInitDialog() override {
        DlgStringArray::onInitDialog();
        if (withFind_) {
            grid.showFindDialog();
            grid.findDialog->setItemText(DlgFindReplace::kFindEdit, "S235");
            grid.findDialog->setItemText(DlgFindReplace::kReplaceEdit, "S275");
        }
        return true;
    }

private:
    bool withFind_;
};

Zrk_String demoStringArrayGrid() {
    Zrk_Array<Zrk_StringArray> rows = sampleRows();
    if (!startGridDialog(kColumns, kRowNames, rows, true, "DLG_SS_STRINGARRAY", "Members"))
        return "Cancelled.";
    Zrk_String result = "Accepted " + intToStr(rows.length()) + " rows:";
    for (const Zrk_StringArray& row : rows)
        result += " [" + arrToStr(row, ',') + "]";
    return result;
}

Zrk_String demoSheetLayout() {
    SampleTable table(false);
    if (!table.create()) return "The sample table could not be made.";
    const bool accepted = editSheetLayout(table.grid);
    Zrk_String result = "Cancelled.";
    if (accepted) {
        Zrk_StringArray names;
        table.grid.getColumnHeaders(names);
        result = "Accepted: " + intToStr(table.grid.getNrCols()) + " columns (" + arrToStr(names, ',') +
                 "), " + intToStr(table.grid.getNrRows()) + " rows.";
    }
    table.destroyWindow();
    return result;
}

// The find dialog is modeless: its picture is taken over its table; a person gets both.
Zrk_String demoFindReplace() {
    if (auto* taker = dynamic_cast<ui::PictureTaker*>(ui::currentUserInteraction())) {
        SampleTable table(true);
        if (!table.create() || !table.grid.findDialog) return "The sample table could not be made.";
        taker->take(*table.grid.findDialog);
        table.destroyWindow();
        return "Find \"S235\", replace with \"S275\".";
    }
    SampleTable table(true);
    table.doModal();
    return "Closed.";
}

[[maybe_unused]] const bool kStringArray =
    frame::registerDemoDialog("string-array-grid", &demoStringArrayGrid);
[[maybe_unused]] const bool kSheetLayout = frame::registerDemoDialog("sheet-layout", &demoSheetLayout);
[[maybe_unused]] const bool kFindReplace = frame::registerDemoDialog("find-replace", &demoFindReplace);

} // namespace
