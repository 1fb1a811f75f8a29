#include "core/section_tables.h"

#include "core/files.h"
#include "core/macro_langs.h"
#include "core/settings.h"
#include "core/text.h"

Zrk_SectionTables gSectionTables(true);

namespace {

constexpr Acad::ErrorStatus kFail = Acad::eInvalidInput;

Zrk_String withoutExtension(const Zrk_String& tableName) {
    const Zrk_String extension = ".pr";
    if (tableName.size() >= extension.size() &&
        isEqual(tableName.substr(tableName.size() - extension.size()), extension, true))
        return tableName.substr(0, tableName.size() - extension.size());
    return tableName;
}

bool holdsLineBreakOrTab(const Zrk_String& text) { return text.find_first_of("\t\r\n") != Zrk_String::npos; }

} // namespace

Zrk_SectionTables::Zrk_SectionTables(bool followSettings) : followSettings_(followSettings) {}

// --- table files -------------------------------------------------------------------------------

bool Zrk_SectionTables::readFile(const Zrk_String& path, Zrk_String& title, Zrk_Array<Zrk_StringArray>& rows,
                                 Zrk_String* message) {
    Zrk_StringArray lines;
    Zrk_String reason;
    if (!ObjectExportReadFile(path, lines, &reason)) {
        if (message) *message = reason;
        return false;
    }
    return readLines(path, lines, title, rows, message);
}

bool Zrk_SectionTables::readLines(const Zrk_String& path, const Zrk_StringArray& lines, Zrk_String& title,
                                  Zrk_Array<Zrk_StringArray>& rows, Zrk_String* message) {
    if (lines.isEmpty()) {
        if (message) *message = path + ", line 1: expected the table's title line, found an empty file";
        return false;
    }
    const int binary = findNonTextLine(lines);
    if (binary >= 0) {
        if (message) *message = path + ", line " + intToStr(binary + 1) + ": not text (a control byte)";
        return false;
    }
    title = lines[0];
    Zrk_StringArray body = lines;
    body.removeAt(0);
    arrToArrArr(body, rows, '\t');
    return true;
}

bool Zrk_SectionTables::writeFile(const Zrk_String& path, const Zrk_String& title, const Zrk_Array<Zrk_StringArray>& rows) {
    if (holdsLineBreakOrTab(title)) return false;
    for (const Zrk_StringArray& row : rows)
        for (const Zrk_String& cell : row)
            if (holdsLineBreakOrTab(cell)) return false;
    Zrk_StringArray lines;
    arrArrToArr(rows, lines, '\t');
    lines.insertAt(0, title);
    return ObjectExportWriteFile(path, lines);
}

// --- loading -----------------------------------------------------------------------------------

void Zrk_SectionTables::ensureLoaded() const {
    if (!followSettings_) return;
    const Zrk_String folder = gSettings.libDir + "prof/";
    if (!loaded_ || folder != loadedFolder_) const_cast<Zrk_SectionTables*>(this)->load(folder);
}

bool Zrk_SectionTables::loadFolder(const Zrk_String& folder) {
    load(ensureEndSlash(normalizePath(folder)));
    return folderExists(folder);
}

void Zrk_SectionTables::load(const Zrk_String& folder) {
    tables_.removeAll();
    messages_.removeAll();
    indexed_ = false;
    loaded_ = true;
    loadedFolder_ = folder;
    Zrk_StringArray paths;
    if (!ObjectExportFindFilesRecursive(folder, "*.pr", paths)) return;
    for (const Zrk_String& path : paths) {
        if (getPath(path) != folder) continue; // tables live in the folder itself
        Zrk_StringArray lines;
        Zrk_String message;
        if (!ObjectExportReadFile(path, lines, &message) || !addTableFromLines(path, lines, message))
            messages_.append(message);
    }
}

bool Zrk_SectionTables::addTableFromLines(const Zrk_String& path, const Zrk_StringArray& lines, Zrk_String& message) {
    Zrk_String title;
    Zrk_Array<Zrk_StringArray> rows;
    if (!readLines(path, lines, title, rows, &message)) return false;
    if (rows.length() < 2) {
        message = path + ": expected a section type line and a line of column names after the title";
        return false;
    }
    if (!checkRows(path, rows, message)) return false;
    // Without the active flag (column 1), as the section table editor publishes its tables.
    Table table;
    table.name = withoutExtension(getFileName(path));
    table.sectionType = rows[0].isEmpty() ? Zrk_String() : rows[0][0];
    table.headers = rows[1];
    table.headers.removeAt(1);
    table.path = path;
    for (int i = 2; i < rows.length(); ++i) {
        Zrk_StringArray row = rows[i];
        if (row.isEmpty()) continue;
        row.removeAt(1);
        table.rows.append(std::move(row));
        table.lines.append(i + 2); // the title is line 1, rows[0] line 2
    }
    table.languages = languageCount(table.headers);
    tables_.append(std::move(table));
    indexed_ = false;
    return true;
}

bool Zrk_SectionTables::checkRows(const Zrk_String& path, const Zrk_Array<Zrk_StringArray>& rows, Zrk_String& message) {
    // Lines 2 and 3 are rows 0 and 1; the sections follow. A section line with fewer cells than there
    // are column names was cut short (a truncated file ends in one); cells beyond them must be empty.
    const int columns = rows[1].length();
    if (columns < 2) {
        message = path + ", line 3: expected the column names (system name, active flag, display names, values)";
        return false;
    }
    for (int i = 2; i < rows.length(); ++i) {
        const Zrk_StringArray& row = rows[i];
        if (row.isEmpty()) continue;
        int used = row.length();
        while (used > columns && row[used - 1].empty()) --used;
        if (used != columns) {
            message = path + ", line " + intToStr(i + 2) + ": expected " + intToStr(columns) +
                      " cells separated by tabs, as line 3 names them, found " + intToStr(row.length());
            return false;
        }
    }
    return true;
}

int Zrk_SectionTables::languageCount(const Zrk_StringArray& headers) {
    return (headers.length() >= 6 && headers[5] == "Korean") ? 5 : 4;
}

// --- tables ------------------------------------------------------------------------------------

int Zrk_SectionTables::findTable(const Zrk_String& tableName) const {
    const Zrk_String name = withoutExtension(tableName);
    for (int i = 0; i < tables_.length(); ++i)
        if (tables_[i].name == name) return i;
    return -1;
}

bool Zrk_SectionTables::hasTable(const Zrk_String& tableName) const {
    ensureLoaded();
    return findTable(tableName) >= 0;
}

Acad::ErrorStatus Zrk_SectionTables::removeTable(const Zrk_String& tableName) {
    ensureLoaded();
    const int index = findTable(tableName);
    if (index < 0) return kFail;
    tables_.removeAt(index);
    indexed_ = false;
    return Acad::eOk;
}

Acad::ErrorStatus Zrk_SectionTables::addSectionTable(const Zrk_String& tableName, const Zrk_String& sectionType,
                                                     const Zrk_StringArray& headers,
                                                     const Zrk_Array<Zrk_StringArray>& rows) {
    ensureLoaded();
    const Zrk_String name = withoutExtension(tableName);
    if (name.empty() || findTable(name) >= 0) return kFail;
    Table table;
    table.name = name;
    table.sectionType = sectionType;
    table.headers = headers;
    for (const Zrk_StringArray& row : rows)
        if (!row.isEmpty()) table.rows.append(row);
    table.languages = languageCount(headers);
    tables_.append(std::move(table));
    indexed_ = false;
    return Acad::eOk;
}

void Zrk_SectionTables::getTableNames(Zrk_StringArray& names) const {
    ensureLoaded();
    names.removeAll();
    for (const Table& table : tables_) names.append(table.name);
}

Acad::ErrorStatus Zrk_SectionTables::getTableSectionType(const Zrk_String& tableName,
                                                         Zrk_String& sectionType) const {
    ensureLoaded();
    const int index = findTable(tableName);
    if (index < 0) return kFail;
    sectionType = tables_[index].sectionType;
    return Acad::eOk;
}

Acad::ErrorStatus Zrk_SectionTables::getTableSections(const Zrk_String& tableName,
                                                      Zrk_StringArray& systemNames,
                                                      Zrk_StringArray& userNames) const {
    ensureLoaded();
    const int index = findTable(tableName);
    if (index < 0) return kFail;
    const Table& table = tables_[index];
    Zrk_StringArray languages;
    MacroLangs::GetAllLanguages(languages);
    const int language = 1 + languages.find(MacroLangs::GetCurLanguage()); // the row's column, 0 for none
    Zrk_StringArray systems, users;
    for (const Zrk_StringArray& row : table.rows) {
        systems.append(table.name + "-" + row[0]);
        const bool named =
            language >= 1 && language <= table.languages && language < row.length() && !row[language].empty();
        users.append(named ? row[language] : row[0]);
    }
    systemNames = std::move(systems);
    userNames = std::move(users);
    return Acad::eOk;
}

bool Zrk_SectionTables::getTableOfSection(const Zrk_String& section, Zrk_String& tableName) const {
    Place place;
    if (!findSection(section, place)) return false;
    tableName = tables_[place.table].name;
    return true;
}

// --- sections ----------------------------------------------------------------------------------

void Zrk_SectionTables::buildIndex() const {
    if (indexed_) return;
    bySystemName_.clear();
    byUserName_.clear();
    for (int t = 0; t < tables_.length(); ++t) {
        const Table& table = tables_[t];
        for (int r = 0; r < table.rows.length(); ++r) {
            const Zrk_StringArray& row = table.rows[r];
            bySystemName_.emplace(table.name + "-" + row[0], Place{t, r}); // the first one wins
            for (int language = 1; language <= table.languages && language < row.length(); ++language)
                if (!row[language].empty()) byUserName_.emplace(row[language], Place{t, r});
        }
    }
    indexed_ = true;
}

bool Zrk_SectionTables::findSection(const Zrk_String& section, Place& place) const {
    ensureLoaded();
    buildIndex();
    for (const auto* index : {&bySystemName_, &byUserName_}) {
        const auto it = index->find(section);
        if (it != index->end()) {
            place = it->second;
            return true;
        }
    }
    return false;
}

bool Zrk_SectionTables::getSystemName(const Zrk_String& userName, Zrk_String& systemName) const {
    ensureLoaded();
    buildIndex();
    for (const auto* index : {&byUserName_, &bySystemName_}) {
        const auto it = index->find(userName);
        if (it == index->end()) continue;
        const Table& table = tables_[it->second.table];
        systemName = table.name + "-" + table.rows[it->second.row][0];
        return true;
    }
    return false;
}

Acad::ErrorStatus Zrk_SectionTables::getSectionValue(const Zrk_String& section, int column, Zrk_String& value) const {
    Place place;
    if (column < 0 || !findSection(section, place)) return kFail;
    const Table& table = tables_[place.table];
    const Zrk_StringArray& row = table.rows[place.row];
    const int index = 1 + table.languages + column;
    if (index >= row.length() || row[index].empty()) return kFail;
    value = row[index];
    return Acad::eOk;
}

bool Zrk_SectionTables::getSectionSource(const Zrk_String& section, Zrk_String& path, int& line) const {
    Place place;
    if (!findSection(section, place)) return false;
    const Table& table = tables_[place.table];
    if (table.path.empty() || !table.lines.isValid(place.row)) return false;
    path = table.path;
    line = table.lines[place.row];
    return true;
}

Acad::ErrorStatus Zrk_SectionTables::getSectionColumnNames(const Zrk_String& section, Zrk_StringArray& names) const {
    Place place;
    if (!findSection(section, place)) return kFail;
    const Table& table = tables_[place.table];
    Zrk_StringArray result;
    for (int i = 1 + table.languages; i < table.headers.length(); ++i) result.append(table.headers[i]);
    names = std::move(result);
    return Acad::eOk;
}
