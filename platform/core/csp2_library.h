#pragma once
// The cutting-stock input of the library's own files, for the host's commands that open the
// cutting-stock input dialog on them: every folder of "Cutting Stock/" is a group, and its newest
// ".shp" and ".buy" files give its stock and purchase rows. After the dialog, the rows that changed
// are written back to the file they were read from (a group that had none gets a new numbered file),
// atomically, and only when every row of every group can be written.

#include <array>
#include <vector>

#include "core/csp2_data.h"

class CuttingStockLibrary {
public:
    // A record with the column titles the host gives the three tables ("Length", "Count" and a note),
    // and no groups yet.
    static DlgCSP2Data newRecord(bool stockMode);
    // Fills data's groups (ids from 1, names in natural order) and their stock and purchase rows; its
    // column headers and first table stay as they are. False, with the reason naming the file, when a
    // file cannot be read; data is then unchanged.
    bool read(DlgCSP2Data& data, Zrk_String* reason = nullptr);
    // Writes back the rows of every group of data that differ from what was read (groups added since
    // get their folder when they have rows). written lists the files written. False with the reason
    // when a group's name cannot be a folder name or a field holds the separator byte or a line break
    // (then nothing is written), or a file cannot be written.
    bool writeBack(const DlgCSP2Data& data, Zrk_StringArray& written, Zrk_String* reason = nullptr) const;

private:
    static constexpr int kFileTables[2] = {DlgCSP2Data::kStockTable, DlgCSP2Data::kPurchaseTable};
    struct Source {
        int groupId = -1;
        Zrk_String groupName;
        std::array<Zrk_String, 2> paths;                // empty: the group had no such file
        std::array<Zrk_Array<Zrk_StringArray>, 2> rows; // as read
    };
    std::vector<Source> sources_;
};
