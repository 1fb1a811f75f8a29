#pragma once
// The section tables of the library: one table per ".pr" file of the folder "prof/" of the library
// folder (gSettings.libDir), and the table file reader and writer (docs/section-tables.md).
//
// In memory a table has no active flag: its columns are the system name, one display (user) name per
// language (4, or 5 when the header of column 5 is "Korean") and the value columns. A section is
// named in two ways:
//   system name   the table name, "-" and the row's system name ("HEA-200")
//   user name     any of the row's display names ("HEA 200")
// Value columns are counted from 0 after the display names: column 0 is the first dimension.
// Names are compared exactly (letter case counts).
//
// gSectionTables loads the folder of the current library on first use, and again whenever
// gSettings.libDir names another library; tables added or removed in memory last until then.

#include <unordered_map>

#include "core/zrk_string.h"
#include "host/acad.h"

class Zrk_SectionTables {
public:
    // followSettings: load the tables of gSettings.libDir by itself (the global manager does).
    explicit Zrk_SectionTables(bool followSettings = false);

    // The table file: a title line, then one line per row with its cells separated by tabs. False
    // (with a message naming the file) when the file cannot be read or holds no title line.
    static bool readFile(const Zrk_String& path, Zrk_String& title, Zrk_Array<Zrk_StringArray>& rows,
                         Zrk_String* message = nullptr);
    // The same for the lines of a file (path names it in the message).
    static bool readLines(const Zrk_String& path, const Zrk_StringArray& lines, Zrk_String& title,
                          Zrk_Array<Zrk_StringArray>& rows, Zrk_String* message = nullptr);
    // Writes atomically. False when the file cannot be written or a text holds a tab or a line break
    // (nothing is written then).
    static bool writeFile(const Zrk_String& path, const Zrk_String& title, const Zrk_Array<Zrk_StringArray>& rows);

    // Replaces the tables by those of the folder's ".pr" files (not its subfolders), in file name
    // order. A file that cannot be used (not text, no column names, a section line with fewer cells
    // than there are column names, as a truncated file ends) is skipped and named, with its line, in
    // loadMessages(): none of its sections is known then. False when the folder does not exist (no
    // tables then).
    bool loadFolder(const Zrk_String& folder);
    const Zrk_StringArray& loadMessages() const { return messages_; }
    // Adds the table of a file's lines as loadFolder does (the name is the file name of path without
    // ".pr"). False with the message loadFolder would keep, the tables as they were.
    bool addTableFromLines(const Zrk_String& path, const Zrk_StringArray& lines, Zrk_String& message);

    // Table names are given with or without the extension ".pr".
    bool hasTable(const Zrk_String& tableName) const;
    Acad::ErrorStatus removeTable(const Zrk_String& tableName);
    // Adds a table whose headers and rows hold no active flag (system name, display names, values).
    // Fails when a table of that name exists or the name is empty.
    Acad::ErrorStatus addSectionTable(const Zrk_String& tableName, const Zrk_String& sectionType,
                                      const Zrk_StringArray& headers, const Zrk_Array<Zrk_StringArray>& rows);
    void getTableNames(Zrk_StringArray& names) const;
    // The section type of a table (the second line of its file). Fails for an unknown table.
    Acad::ErrorStatus getTableSectionType(const Zrk_String& tableName, Zrk_String& sectionType) const;
    // The sections of a table in row order: their system names ("HEA-200") and their user names in
    // the user's language (MacroLangs::GetCurLanguage), or the row's system name ("200") where the
    // row has none in that language. Fails for an unknown table.
    Acad::ErrorStatus getTableSections(const Zrk_String& tableName, Zrk_StringArray& systemNames,
                                       Zrk_StringArray& userNames) const;
    // The table that holds a section (system or user name). False for unknown names.
    bool getTableOfSection(const Zrk_String& section, Zrk_String& tableName) const;

    // The system name of a user name; a system name answers itself. False for unknown names.
    bool getSystemName(const Zrk_String& userName, Zrk_String& systemName) const;
    // The text of value column `column` of a section (system or user name). Fails for an unknown
    // section, a column outside the row or an empty cell.
    Acad::ErrorStatus getSectionValue(const Zrk_String& section, int column, Zrk_String& value) const;
    // Where a section's row was read from: the table file and its line (from 1). False for an unknown
    // section and for tables made in memory.
    bool getSectionSource(const Zrk_String& section, Zrk_String& path, int& line) const;
    // The names of the value columns of a section's table.
    Acad::ErrorStatus getSectionColumnNames(const Zrk_String& section, Zrk_StringArray& names) const;

private:
    struct Table {
        Zrk_String name; // without ".pr"
        Zrk_String sectionType;
        Zrk_StringArray headers;
        Zrk_Array<Zrk_StringArray> rows;
        int languages = 4;
        Zrk_String path;     // the file it was read from; empty for a table made in memory
        Zrk_Array<int> lines; // the file's line of each row (from 1), when read from a file
    };
    struct Place {
        int table = -1;
        int row = -1;
    };

    void ensureLoaded() const;
    void load(const Zrk_String& folder);
    int findTable(const Zrk_String& tableName) const;
    bool findSection(const Zrk_String& section, Place& place) const;
    void buildIndex() const;
    static int languageCount(const Zrk_StringArray& headers);
    // Whether every section line of a table file (rows after the title) has a cell for each column.
    static bool checkRows(const Zrk_String& path, const Zrk_Array<Zrk_StringArray>& rows, Zrk_String& message);

    bool followSettings_;
    mutable bool loaded_ = false;
    mutable Zrk_String loadedFolder_;
    mutable Zrk_Array<Table> tables_;
    mutable Zrk_StringArray messages_;
    mutable bool indexed_ = false;
    mutable std::unordered_map<Zrk_String, Place> bySystemName_;
    mutable std::unordered_map<Zrk_String, Place> byUserName_;
};

extern Zrk_SectionTables gSectionTables;
