#include "core/csp2_library.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/files.h"
#include "core/text.h"

namespace fs = std::filesystem;

namespace {

void setReason(Zrk_String* reason, const Zrk_String& text) {
    if (reason) *reason = text;
}

const char* extensionOf(int table) {
    return table == DlgCSP2Data::kStockTable ? DlgCSP2Data::kStockExtension : DlgCSP2Data::kPurchaseExtension;
}

} // namespace

DlgCSP2Data CuttingStockLibrary::newRecord(bool stockMode) {
    DlgCSP2Data data;
    data.stockMode = stockMode;
    data.tables[DlgCSP2Data::kCutTable].columnHeaders = {"Length", "Count", "Mark"};
    data.tables[DlgCSP2Data::kStockTable].columnHeaders = {"Length", "Count", "Place"};
    data.tables[DlgCSP2Data::kPurchaseTable].columnHeaders = {"Length", "Count", "Price"};
    return data;
}

bool CuttingStockLibrary::read(DlgCSP2Data& data, Zrk_String* reason) {
    Zrk_StringArray names;
    std::error_code error;
    for (fs::directory_iterator it(core::osPath(DlgCSP2Data::cuttingStockFolder()), error), end;
         !error && it != end; it.increment(error)) {
        std::error_code kind;
        const Zrk_String name = core::fromOsPath(it->path().filename().string());
        // A folder that could not be the name of a group (a hidden one) is none.
        if (it->is_directory(kind) && isValidGroupFileName(name)) names.append(name);
    }
    std::sort(names.begin(), names.end(),
              [](const Zrk_String& a, const Zrk_String& b) { return compareNatural(a, b) < 0; });

    DlgCSP2Data read = data;
    read.groupIds.removeAll();
    read.groupNames.removeAll();
    for (int t : kFileTables)
        read.tables[t] = DlgCSP2Table{data.tables[t].columnHeaders, {}, {}};
    std::vector<Source> sources;
    for (const Zrk_String& name : names) {
        Source source;
        source.groupName = name;
        source.groupId = read.addGroup(name);
        const Zrk_String folder = DlgCSP2Data::cuttingStockFolder() + name + "/";
        for (int i = 0; i < 2; ++i) {
            std::time_t time = 0;
            if (!DlgCSP2Data::newestFile(folder, extensionOf(kFileTables[i]), source.paths[i], time))
                continue;
            if (!DlgCSP2Data::readRowsFile(source.paths[i], source.rows[i], reason)) return false;
            read.tables[kFileTables[i]].replaceGroupRows(source.groupId, source.rows[i]);
        }
        sources.push_back(std::move(source));
    }
    data = std::move(read);
    sources_ = std::move(sources);
    return true;
}

bool CuttingStockLibrary::writeBack(const DlgCSP2Data& data, Zrk_StringArray& written,
                                    Zrk_String* reason) const {
    struct Write {
        Zrk_String groupName;
        int table;
        Zrk_String path; // empty: a new numbered file in the group's folder
        Zrk_Array<Zrk_StringArray> rows;
    };
    std::vector<Write> writes;
    for (int g = 0; g < data.groupIds.length() && g < data.groupNames.length(); ++g) {
        const auto source = std::find_if(sources_.begin(), sources_.end(), [&](const Source& s) {
            return s.groupId == data.groupIds[g] && s.groupName == data.groupNames[g];
        });
        for (int i = 0; i < 2; ++i) {
            Zrk_Array<Zrk_StringArray> rows = data.tables[kFileTables[i]].groupRows(data.groupIds[g]);
            const bool hadFile = source != sources_.end() && !source->paths[i].empty();
            if (hadFile ? rows == source->rows[i] : rows.isEmpty()) continue;
            writes.push_back(
                {data.groupNames[g], kFileTables[i], hadFile ? source->paths[i] : Zrk_String(), rows});
        }
    }
    // Everything is checked before the first file is written, so that a fault leaves the library as it was.
    for (const Write& write : writes) {
        Zrk_String why;
        if (!isValidGroupFileName(write.groupName, &why)) {
            setReason(reason, why);
            return false;
        }
        for (const Zrk_StringArray& row : write.rows)
            for (const Zrk_String& field : row)
                if (field.find_first_of(Zrk_String(1, DlgCSP2Data::kFieldSeparator) + "\r\n") !=
                    Zrk_String::npos) {
                    setReason(
                        reason,
                        "A row of the group \"" + write.groupName +
                            "\" holds the separator byte or a line break in a field; nothing was written.");
                    return false;
                }
    }
    for (const Write& write : writes) {
        Zrk_String path = write.path;
        if (path.empty()) {
            Zrk_String folder;
            if (!DlgCSP2Data::groupFolder(write.groupName, folder, reason)) return false;
            path = DlgCSP2Data::savedFilePath(
                DlgCSP2Data::nextStockFileName(folder, extensionOf(write.table)), extensionOf(write.table));
        }
        if (!DlgCSP2Data::writeRowsFile(path, write.rows, reason)) return false;
        written.append(path);
    }
    return true;
}
