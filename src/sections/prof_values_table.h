#pragma once
// One section table of the section library in editable form: a row per section size with its system
// name, active flag, display name per language and dimension values. It reads and writes the table's
// file (the library folder's "prof/", docs/section-tables.md), exchanges it with a grid, and publishes
// it into the core library's section tables so that the rest of the product sees the edit at once.
//
// Row layout (0-based columns):
//   0            system name, unique within the table
//   1            active flag: "1" active, "0" inactive
//   2 .. 1 + L   display (user) names, one per language
//   2 + L ..     dimension values, as text (setValues writes one decimal)
// L, the number of languages, is 4; it is 5 when column 6 is headed "Korean".
//
// A row is active when its flag is exactly "1": the filtered system names and the positions among
// active rows (getfilteredIdx) count the same rows, so that a position found by one is the place in
// the list made by the other. removeInactiveEntries removes only rows flagged "0".

#include "core/zrk_string.h"
#include "module/export.h"
#include "host/acad.h"

class Zrk_SectionTables;
class Zrk_Spread;

class SS_EXPORT Zrk_ProfValuesTable {
public:
    Zrk_ProfValuesTable() = default;
    Zrk_ProfValuesTable(const Zrk_ProfValuesTable&) = default;
    Zrk_ProfValuesTable& operator=(const Zrk_ProfValuesTable&) = default;
    virtual ~Zrk_ProfValuesTable();

    Zrk_String tableName;            // the file's base name and the prefix of system names
    Zrk_String sectionType;          // a built-in section type number, or a user-defined type's name
    Zrk_StringArray columnNames;     // column headers
    Zrk_Array<Zrk_StringArray> rows; // the sections, in file order

    // --- files -------------------------------------------------------------------------------------

    // A table name is a file name inside "prof/": not empty, no folder part, nothing a file name cannot
    // hold (\ / : * ? " < > | and control bytes), no blanks around it, not "." or "..".
    static bool isValidName(const Zrk_String& name);
    // The file of a table: libDir + "prof/" + name, with ".pr" appended unless the name ends with it.
    // An existing file whose name differs only in letter case is the table's file too.
    static Zrk_String filePath(const Zrk_String& name);
    // Reads the table. The title line becomes tableName; with more than one line after it, the first
    // is the section type and the second the column names, and the rest are the rows (blank lines are
    // skipped); a file of a title and one line has that line as its only row and no headers. False,
    // nothing changed and the reason in message (or else on the command line) when the file cannot be
    // read.
    bool readFromFile(const Zrk_String& name, Zrk_String* message = nullptr);
    // Writes the section type, the column names and the rows under the title tableName, atomically,
    // creating the folder "prof/" when the library has none. False when nothing could be written (a
    // text holding a tab or a line break cannot be stored).
    bool writeToFile(const Zrk_String& name) const;

    // --- grid exchange -------------------------------------------------------------------------------

    // Shows the table in the grid; false (the grid emptied) when the table has no rows.
    bool setToSS(Zrk_Spread* grid) const;
    // Takes the table back from the grid; false for a grid without rows or columns.
    bool getFromSS(Zrk_Spread* grid);

    // --- rows ------------------------------------------------------------------------------------------

    bool getRow(int index, Zrk_StringArray& row) const;
    bool deleteRow(int index);
    // One text per row, empty where a row is shorter. False when the table has no rows, or the index is
    // negative or not below the length of the first row.
    bool getColumn(int index, Zrk_StringArray& column) const;
    bool getColumn(const Zrk_String& name, Zrk_StringArray& column) const;
    // The first column headed name, or -1.
    int getColumnIdx(const Zrk_String& name) const;

    // Inserts a copy of row index after it, with an unused system name made from the copied one and,
    // in the column of the user's language (MacroLangs::GetCurLanguage), the copied display name's
    // text before its first digits (or tableName) followed by that system name. The last row can be
    // copied too. False for an index outside the table.
    bool insertRow(int index);
    // insertRow(index), then the given system name and display name (in every language) on the new
    // row at index + 1. eInvalidInput, and the table unchanged, when the index is outside the table,
    // another row already has that system name, or the rows have no room for L display names.
    Acad::ErrorStatus insertRow(int index, const Zrk_String& systemName, const Zrk_String& userName);
    // eInvalidInput for an index outside the table or an empty row.
    Acad::ErrorStatus setSysName(int index, const Zrk_String& name);
    // The same display name in all L language columns; eInvalidInput for an index outside the table or
    // a row shorter than L + 2.
    Acad::ErrorStatus setUserNames(int index, const Zrk_String& name);
    // The values, each with one decimal, into the value columns in order. eInvalidInput unless the row
    // has exactly L + 2 + values.length() cells.
    Acad::ErrorStatus setValues(int index, const Zrk_Array<double>& values);
    // Removes every row that has more than one cell and the active flag "0".
    void removeInactiveEntries();

    // --- system names ----------------------------------------------------------------------------------

    // tableName + "-" + the system name of every row; getFilteredSysNames only of active rows. Both give
    // nothing when the first row is too short to have an active flag.
    void getSysNames(Zrk_StringArray& names) const;
    void getFilteredSysNames(Zrk_StringArray& names) const;
    bool findSysName(const Zrk_String& name, int& index) const;
    // base, or base followed by the smallest number that makes it a system name no row has.
    Zrk_String findUnusedSysName(const Zrk_String& base) const;
    // The position of row index among the active rows; -1 for an index outside the table.
    int getfilteredIdx(int index) const;
    int getNrLanguages() const;

    // --- publishing --------------------------------------------------------------------------------

    // Replaces the manager's table of this name by this one without the active flags. eInvalidInput
    // without a manager; otherwise the manager's answer.
    Acad::ErrorStatus setToGlobals(Zrk_SectionTables* manager) const;

private:
    static bool isActive(const Zrk_StringArray& row);
};
