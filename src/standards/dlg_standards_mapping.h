#pragma once
// The standards mapping page (template 8720): which standards spreadsheets drive a macro, in the
// order they run, what each maps to (one module of the macro, or the entire macro), and for an
// entire-macro row which macro object each Input and Output variable of the spreadsheet is bound to.
//
// The page is a child page: its host creates it inside a tab control, after pointing `data` at the
// TabMappingData it owns (with the catalogue of the macro's mappable objects), and calls commit() from
// its OK handler. The upper grid is the row list ("Spreadsheet", "Maps to"); the lower grid first
// loads the current row's spreadsheet to read its variables, then becomes the variable table, one
// drop-down of macro objects per variable.
//
// Variable mappings are written into the spreadsheet's mapping file as the person leaves a row,
// restructures the list or confirms; the row list itself goes back to the host only through commit.
// A changed mapping always gets a new random 24-character key, appended to the file: the record under
// the old key is never rewritten, because other macros' settings may still name it. An unchanged
// mapping writes nothing. So a Cancel of the host leaves the old keys naming the old records.
//
// What the table shows belongs to exactly one row and its spreadsheet: when the row maps to a module,
// or its spreadsheet has no name, cannot be loaded or lacks its "Input" or "Output" section, the
// table is emptied, and nothing of an earlier row stays to be saved under this one.

#include "core/macro_settings.h"
#include "core/zrk_string.h"
#include "host/acad.h"
#include "spread/zrk_spread.h"
#include "standards/ss_mapping.h"
#include "standards/standards_sheet.h"
#include "ui/dialog.h"

// One line of the variable table with a choice of macro objects.
struct VariableRowLink {
    int column = 2;    // the table column of the drop-down
    int row = 0;       // the table row
    int varIndex = -1; // the variable in the spreadsheet's variable cells
    // The objects offered, as indexes into the macro mapping's entries, in the order of the drop-down.
    Zrk_Array<int> validObjects;
    bool operator==(const VariableRowLink&) const = default;
};

class StandardsMappingPage : public ui::Dialog {
public:
    static constexpr int kTemplate = 8720;
    static constexpr int kListGroup = 1080;
    static constexpr int kList = 1081; // the row list
    static constexpr int kUp = 1082;
    static constexpr int kDown = 1083;
    static constexpr int kTableGroup = 1084;
    static constexpr int kTable = 1085; // the variable table
    static constexpr int kAdd = 1088;
    static constexpr int kRemove = 1089;

    static constexpr const char* kEntireMacro = "<Entire macro>";
    static constexpr int kKeyLength = 24;
    static constexpr int kKeyDraws = 9999;

    explicit StandardsMappingPage(QWidget* owner = nullptr);
    ~StandardsMappingPage() override;

    // The record edited; the host owns it and sets this before create().
    TabMappingData* data = nullptr;
    // The row whose variables are shown; -1 after a change of the list's structure.
    int currentRow = 0;
    // Set by every change to the list or to a stored mapping.
    bool modified = false;
    // The variable mapping of the current row as shown and edited.
    KvSSMapping workingMapping;
    Zrk_Array<VariableRowLink> variableRows;
    Zrk_Spread list;
    KvStandardsSheet table;

    // The host's OK: the list into the data, the current row's mapping saved; modified answers the
    // page's flag. Fails (the flag still answered) when the mapping could not be written; why is in
    // lastFailure().
    Acad::ErrorStatus commit(bool& modified);
    const Zrk_String& lastFailure() const { return failure_; }

    // --- the operations behind the controls -----------------------------------------------------

    // The row list from the data: the spreadsheets of the standards folder and "<Entire macro>" with
    // the module names as choices, one row per spreadsheet name.
    Acad::ErrorStatus buildList();
    // The variable table of a row (0-based): empty for a module row and for a spreadsheet that has no
    // name or cannot be read; else the Input and then the Output variables, each preselected with the
    // macro object its stored mapping binds it to.
    Acad::ErrorStatus showMapping(int row);
    // Writes the mapping of the row the table shows, under a new key, when it differs from the one
    // stored under the row's reference. Nothing for a module row or a row the table does not show.
    Acad::ErrorStatus saveMapping(int row);
    // The list's two columns into the data's names and references.
    Acad::ErrorStatus collectList();
    // The working mapping from the table's selections.
    Acad::ErrorStatus buildWorkingMapping();
    // Makes the list's active row current when it is another row: the current row is saved first.
    void checkCurrentRow();
    // Add, Remove, Up, Down on the list's active row.
    void addRow();
    void removeRow();
    void moveRow(int step);

    // The spreadsheets of the standards folder and its subfolders, relative to it, without extension.
    static Zrk_StringArray standardsNames();
    // How a macro object reads in the drop-down: "Group.Name.Keyword", with the keyword left out for
    // dimension variables and section sizes, which show their section column instead.
    static Zrk_String choiceText(const KvObjectMap& object);
    // A random key of kKeyLength letters and digits that is none of the lines' keys (letter case
    // ignored, as the file's look-up ignores it). Fails after kKeyDraws collisions.
    static Acad::ErrorStatus newMappingKey(const Zrk_StringArray& lines, Zrk_String& key);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    bool onNotify(int id, int code, const void* details) override;

private:
    bool validRow(int row) const;
    // The table with its header and no rows; the variables, their records and the working mapping
    // forgotten.
    void clearTable();
    void setUpTable();
    void appendSection(bool inputs);
    // The list's active row, 0-based (-1 when there is none).
    int activeListRow() const;
    // The common steps around a change of the list's structure.
    void beginStructureChange(int& row);
    void endStructureChange(int selectRow);
    void reportFailure();

    int tableRow_ = -1;     // the row whose variables the table holds
    Zrk_String tableSheet_; // and the spreadsheet name they were read for
    Zrk_String failure_;
};
