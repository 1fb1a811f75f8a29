#pragma once
// The section tables page of the section library editor (template 8716): one section table of the
// library at a time, in a grid, with its section type; tables are made, deleted, renamed and saved
// here, each into its own file ("prof/NAME.pr", Zrk_ProfValuesTable).
//
// - The table list is the record's (DlgEditLibData::tableNames), which the page keeps up to date.
// - A changed table is offered for saving (Yes, No, Cancel) before another table is chosen, before a
//   new one is made, and when the editor ends with OK; Cancel keeps the table and abandons the
//   action. A new table is written only when it is saved: answering No drops it from the list.
// - Saving takes the table from the grid with the type chosen, writes it atomically and publishes it
//   into the core library's section tables (gSectionTables) so that the product sees it at once. A
//   table that cannot be written is said so and stays as it is in the grid; the action waits.
// - Renaming refuses an empty name, a name no file may have and the name of another table (letter
//   case ignored: it would be that table's file); it writes the table under the new name first and
//   deletes the old file only then, so that a failed write loses nothing.
// - A table that cannot be read is said so and shown as an empty, disabled grid, as is the place of
//   the last table deleted: there is nothing to edit or save.
// - Choosing a built-in type makes the value columns that type's: the first six columns (seven when
//   the seventh is "Korean") stay, more columns are added as needed, and surplus ones are removed
//   when the person agrees.
// - The button "Save table" saves the shown table at once; the grid button with the magnifier opens
//   the grid's find and replace.

#include "core/section_library.h"
#include "sections/prof_values_table.h"
#include "spread/zrk_spread.h"
#include "ui/dialog.h"
#include "ui/resizer.h"

class DlgSectionTablesPage : public ui::Dialog {
public:
    static constexpr int kTemplate = 8716;
    static constexpr int kTableLabel = 1420;
    static constexpr int kTables = 1421;
    static constexpr int kTypeLabel = 1422;
    static constexpr int kType = 1423;
    static constexpr int kNewTable = 1424;
    static constexpr int kDeleteTable = 1425;
    static constexpr int kRenameTable = 1426;
    static constexpr int kSaveTable = 1427;
    static constexpr int kCopy = 1430;
    static constexpr int kPaste = 1431;
    static constexpr int kInsertRow = 1432;
    static constexpr int kDeleteRow = 1433;
    static constexpr int kRowUp = 1434;
    static constexpr int kRowDown = 1435;
    static constexpr int kFind = 1436;
    static constexpr int kGrid = 1437;

    DlgSectionTablesPage(DlgEditLibData& data, Zrk_String start)
        : ui::Dialog(kTemplate), data(data), start(std::move(start)) {}

    DlgEditLibData& data; // the editor's record
    Zrk_String start;     // the section to show first: a table name, "-" and a system name
    Zrk_Spread grid;

    // The index (in data.tableNames) of the table shown, -1 for none; whether it was read.
    int shownTable() const { return shown_; }
    bool isTableLoaded() const { return loaded_; }
    const Zrk_ProfValuesTable& table() const { return table_; }

    // Asks whether to save a changed table (Yes, No, Cancel). False when the action must not go on:
    // the person cancelled, or the table could not be written.
    bool offerSave();
    bool saveTable();

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onSize(int width, int height) override;

private:
    void loadTable(int index);
    void showTypes();
    void enableControls();
    void chooseTable();
    void newTable();
    void deleteTable();
    void renameTable();
    void changeType();
    void insertRow();
    bool takeFromGrid(Zrk_ProfValuesTable& table);
    void dropUnsavedTable();
    bool tell(const Zrk_String& text);

    Zrk_ProfValuesTable table_;
    int shown_ = -1;
    bool loaded_ = false;
    bool unsaved_ = false; // a new table that has no file yet
    CResizer layout_;
};
