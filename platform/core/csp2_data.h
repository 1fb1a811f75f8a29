#pragma once
// DlgCSP2Data: the input of a cutting-stock optimisation, grouped (one group per section size, say),
// as the cutting-stock input dialog edits it and its caller optimises it. Each group has rows in
// three tables: the lengths to cut (table 0), the stock lengths on hand (table 1) and the lengths that
// can be bought (table 2). Rows are records of text fields, one per column.
//
// The rows of one group stand together in a table, in display order; replacing a group's rows
// removes all of them and appends the new ones at the end, which keeps that so.
//
// Files: the stock and purchase tables of a group are kept in its folder of the library,
// "Cutting Stock/<group>/", as ".shp" (table 1) and ".buy" (table 2) files: one line per row, the
// fields joined by the byte 0xBF, no header, no group id (the folder gives the group). Written
// atomically. A field that holds the separator byte or a line break would split on reading, so such
// rows are refused when written, with the place named.

#include <array>
#include <ctime>

#include "core/zrk_string.h"

// One of the three tables: its column titles, and for each stored row the id of its group.
struct DlgCSP2Table {
    Zrk_StringArray columnHeaders;
    Zrk_Array<int> rowGroupIds;
    Zrk_Array<Zrk_StringArray> rows;

    // Every row of the group, in stored order (also where a record handed in has split them).
    Zrk_Array<Zrk_StringArray> groupRows(int groupId) const;
    // Removes every row of the group and appends these with its id.
    void replaceGroupRows(int groupId, const Zrk_Array<Zrk_StringArray>& newRows);
    void removeGroupRows(int groupId);

    bool operator==(const DlgCSP2Table&) const = default;
};

class DlgCSP2Data {
public:
    enum Table : int { kCutTable = 0, kStockTable = 1, kPurchaseTable = 2 };
    static constexpr int kTableCount = 3;
    static constexpr char kFieldSeparator = '\xBF';
    static constexpr const char* kStockExtension = "shp";
    static constexpr const char* kPurchaseExtension = "buy";

    // Only the stock table is edited, and saved for every group at once.
    bool stockMode = false;
    // One id per group, in display order, and its name (which is also its folder's name).
    Zrk_Array<int> groupIds;
    Zrk_StringArray groupNames;
    std::array<DlgCSP2Table, kTableCount> tables;

    // The index of the group with that id, or -1.
    int groupIndex(int groupId) const;
    // One more than the largest id (the largest counting as 0 when all are lower), so 1 at first.
    int nextGroupId() const;
    // Appends a group; answers its id.
    int addGroup(const Zrk_String& name);
    // Removes the group at index with all its rows. False for an index that is no group.
    bool removeGroup(int index);
    // One line for a person: each group with its count of rows to cut, in stock and to buy
    // ("Groups: HEA 200: to cut 2, stock 3, to buy 0."), or "No groups.".
    Zrk_String summary() const;

    // --- files of the library ------------------------------------------------------------------

    // The library's "Cutting Stock/" folder (ending in '/').
    static Zrk_String cuttingStockFolder();
    // The folder of a group (ending in '/'), made when missing. False, with the reason, when the name
    // cannot be a folder name (so that nothing is written outside "Cutting Stock/") or the folder
    // cannot be made.
    static bool groupFolder(const Zrk_String& groupName, Zrk_String& folder, Zrk_String* reason = nullptr);
    // The newest file "*.<extension>" of a folder (letter case ignored) by modification time; of files
    // with the same time the first by name. False when there is none.
    static bool newestFile(const Zrk_String& folder, const Zrk_String& extension, Zrk_String& path,
                           std::time_t& time);
    // The name for a new numbered file: the folder, "Stock", one more than the largest number of the
    // files "Stock<digits>.<extension>" there (letter case ignored; text that does not start with
    // digits counts 0), "." and the extension. "Stock1.<extension>" in an empty folder.
    static Zrk_String nextStockFileName(const Zrk_String& folder, const Zrk_String& extension);
    // The path as it is written: the file name (only) in lower case, with "." and the extension added
    // when it does not end with them.
    static Zrk_String savedFilePath(const Zrk_String& path, const Zrk_String& extension);
    // The path with "." and the extension added when it does not end with them (letter case ignored).
    static Zrk_String withExtension(const Zrk_String& path, const Zrk_String& extension);

    // Reads a table file: one row per line. False, with the reason naming the file, when it cannot be
    // read or is no text file; rows are then untouched.
    static bool readRowsFile(const Zrk_String& path, Zrk_Array<Zrk_StringArray>& rows,
                             Zrk_String* reason = nullptr);
    // Writes rows as a table file, atomically. False, with the reason, when a field holds the
    // separator byte or a line break (naming row and field, from 1) or the file cannot be written;
    // nothing is then written.
    static bool writeRowsFile(const Zrk_String& path, const Zrk_Array<Zrk_StringArray>& rows,
                              Zrk_String* reason = nullptr);

    bool operator==(const DlgCSP2Data&) const = default;
};
