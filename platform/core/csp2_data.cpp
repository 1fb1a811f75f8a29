#include "core/csp2_data.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "core/files.h"
#include "core/settings.h"
#include "core/text.h"

namespace fs = std::filesystem;

namespace {

void setReason(Zrk_String* reason, const Zrk_String& text) {
    if (reason) *reason = text;
}

bool endsWithIgnoringCase(const Zrk_String& text, const Zrk_String& end) {
    return text.size() >= end.size() && isEqual(text.substr(text.size() - end.size()), end, true);
}

// The names of the files (not folders) directly in a folder, sorted by name.
Zrk_StringArray fileNamesIn(const Zrk_String& folder) {
    Zrk_StringArray names;
    std::error_code error;
    for (fs::directory_iterator it(core::osPath(folder), error), end; !error && it != end;
         it.increment(error)) {
        std::error_code kind;
        if (it->is_regular_file(kind)) names.append(core::fromOsPath(it->path().filename().string()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

// --- tables ------------------------------------------------------------------------------------

Zrk_Array<Zrk_StringArray> DlgCSP2Table::groupRows(int groupId) const {
    Zrk_Array<Zrk_StringArray> found;
    for (int i = 0; i < rows.length() && i < rowGroupIds.length(); ++i)
        if (rowGroupIds[i] == groupId) found.append(rows[i]);
    return found;
}

void DlgCSP2Table::removeGroupRows(int groupId) {
    // A record handed in with fewer ids than rows: the rows without an id belong to no group and stay.
    for (int i = std::min(rows.length(), rowGroupIds.length()) - 1; i >= 0; --i) {
        if (rowGroupIds[i] != groupId) continue;
        rows.removeAt(i);
        rowGroupIds.removeAt(i);
    }
}

void DlgCSP2Table::replaceGroupRows(int groupId, const Zrk_Array<Zrk_StringArray>& newRows) {
    removeGroupRows(groupId);
    // Rows without an id would take the new rows' ids: the ids are made as long as the rows first.
    while (rowGroupIds.length() < rows.length())
        rowGroupIds.append(-1);
    for (const Zrk_StringArray& row : newRows) {
        rows.append(row);
        rowGroupIds.append(groupId);
    }
}

// --- groups ------------------------------------------------------------------------------------

int DlgCSP2Data::groupIndex(int groupId) const {
    return groupIds.find(groupId);
}

int DlgCSP2Data::nextGroupId() const {
    int largest = 0;
    for (int id : groupIds)
        largest = std::max(largest, id);
    return largest + 1;
}

int DlgCSP2Data::addGroup(const Zrk_String& name) {
    const int id = nextGroupId();
    groupIds.append(id);
    groupNames.append(name);
    return id;
}

bool DlgCSP2Data::removeGroup(int index) {
    if (!groupIds.isValid(index)) return false;
    const int id = groupIds[index];
    for (DlgCSP2Table& table : tables)
        table.removeGroupRows(id);
    groupIds.removeAt(index);
    if (groupNames.isValid(index)) groupNames.removeAt(index);
    return true;
}

Zrk_String DlgCSP2Data::summary() const {
    Zrk_String text;
    for (int i = 0; i < groupIds.length() && i < groupNames.length(); ++i) {
        text += (text.empty() ? "Groups: " : "; ") + groupNames[i] + ":";
        const char* const names[] = {" to cut ", ", stock ", ", to buy "};
        for (int table = 0; table < kTableCount; ++table)
            text += names[table] + intToStr(tables[table].groupRows(groupIds[i]).length());
    }
    return text.empty() ? Zrk_String("No groups.") : text + ".";
}

// --- files -------------------------------------------------------------------------------------

Zrk_String DlgCSP2Data::cuttingStockFolder() {
    return ensureEndSlash(gSettings.libDir) + "Cutting Stock/";
}

bool DlgCSP2Data::groupFolder(const Zrk_String& groupName, Zrk_String& folder, Zrk_String* reason) {
    Zrk_String why;
    if (!isValidGroupFileName(groupName, &why)) {
        setReason(reason, why);
        return false;
    }
    const Zrk_String path = cuttingStockFolder() + groupName + "/";
    if (!ensureFolder(path)) {
        setReason(reason, "The folder " + path + " cannot be made.");
        return false;
    }
    folder = path;
    return true;
}

bool DlgCSP2Data::newestFile(const Zrk_String& folder, const Zrk_String& extension, Zrk_String& path,
                             std::time_t& time) {
    bool found = false;
    for (const Zrk_String& name : fileNamesIn(folder)) {
        if (!endsWithIgnoringCase(name, "." + extension)) continue;
        std::time_t fileTime = 0;
        if (!ObjectExportGetFileTime(folder + name, fileTime)) continue;
        // Only a strictly later time replaces the best so far: of equal times the first name wins.
        if (found && fileTime <= time) continue;
        path = folder + name;
        time = fileTime;
        found = true;
    }
    return found;
}

Zrk_String DlgCSP2Data::nextStockFileName(const Zrk_String& folder, const Zrk_String& extension) {
    const Zrk_String stem = "Stock";
    const Zrk_String end = "." + extension;
    long long largest = 0;
    for (const Zrk_String& name : fileNamesIn(folder)) {
        if (name.size() < stem.size() + end.size() || !isEqual(name.substr(0, stem.size()), stem, true) ||
            !endsWithIgnoringCase(name, end))
            continue;
        const Zrk_String middle = name.substr(stem.size(), name.size() - stem.size() - end.size());
        // The leading digits (at most 9, so that the number stays far from overflowing).
        long long number = 0;
        for (std::size_t i = 0;
             i < middle.size() && i < 9 && std::isdigit(static_cast<unsigned char>(middle[i])); ++i)
            number = number * 10 + (middle[i] - '0');
        largest = std::max(largest, number);
    }
    return folder + stem + intToStr(largest + 1) + end;
}

Zrk_String DlgCSP2Data::withExtension(const Zrk_String& path, const Zrk_String& extension) {
    return endsWithIgnoringCase(path, "." + extension) ? path : path + "." + extension;
}

Zrk_String DlgCSP2Data::savedFilePath(const Zrk_String& path, const Zrk_String& extension) {
    // Only the name is lowered: the folders above it (a group's folder with capitals) stay as they are.
    const Zrk_String normal = normalizePath(path);
    const std::size_t slash = normal.rfind('/');
    const std::size_t nameStart = slash == Zrk_String::npos ? 0 : slash + 1;
    const Zrk_String lowered = normal.substr(0, nameStart) + toLower(normal.substr(nameStart));
    return lowered.size() >= extension.size() + 1 && lowered.compare(lowered.size() - extension.size() - 1,
                                                                     Zrk_String::npos, "." + extension) == 0
               ? lowered
               : lowered + "." + extension;
}

bool DlgCSP2Data::readRowsFile(const Zrk_String& path, Zrk_Array<Zrk_StringArray>& rows, Zrk_String* reason) {
    Zrk_StringArray lines;
    Zrk_String message;
    if (!ObjectExportReadFile(path, lines, &message)) {
        setReason(reason, message);
        return false;
    }
    if (const int bad = findNonTextLine(lines); bad >= 0) {
        setReason(reason,
                  path + ": line " + intToStr(bad + 1) + " is no text; the file holds no rows to load.");
        return false;
    }
    arrToArrArr(lines, rows, kFieldSeparator);
    return true;
}

bool DlgCSP2Data::writeRowsFile(const Zrk_String& path, const Zrk_Array<Zrk_StringArray>& rows,
                                Zrk_String* reason) {
    for (int r = 0; r < rows.length(); ++r) {
        for (int f = 0; f < rows[r].length(); ++f) {
            if (rows[r][f].find_first_of(Zrk_String(1, kFieldSeparator) + "\r\n") == Zrk_String::npos)
                continue;
            setReason(reason, "Row " + intToStr(r + 1) + ", field " + intToStr(f + 1) + " holds \"" +
                                  Zrk_String(1, kFieldSeparator) +
                                  "\" or a line break, which would split it when the file is read; " + path +
                                  " was not written.");
            return false;
        }
    }
    Zrk_StringArray lines;
    arrArrToArr(rows, lines, kFieldSeparator);
    return ObjectExportWriteFile(path, lines, reason);
}
