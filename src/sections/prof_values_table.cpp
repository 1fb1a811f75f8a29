#include "sections/prof_values_table.h"

#include <system_error>

#include "core/files.h"
#include "core/macro_langs.h"
#include "core/section_tables.h"
#include "core/settings.h"
#include "core/text.h"
#include "host/command_line.h"

namespace {

constexpr Acad::ErrorStatus kFail = Acad::eInvalidInput;
const Zrk_String kExtension = ".pr";

bool endsWithExtension(const Zrk_String& name) {
    return name.size() >= kExtension.size() &&
           isEqual(name.substr(name.size() - kExtension.size()), kExtension, true);
}

} // namespace

bool Zrk_ProfValuesTable::isValidName(const Zrk_String& name) {
    return !name.empty() && !hasInvalidFileNameChars(name) && name != "." && name != ".." &&
           trimmed(name) == name;
}

Zrk_ProfValuesTable::~Zrk_ProfValuesTable() = default;

// --- files -------------------------------------------------------------------------------------------

Zrk_String Zrk_ProfValuesTable::filePath(const Zrk_String& name) {
    const Zrk_String path = gSettings.libDir + "prof/" + (endsWithExtension(name) ? name : name + kExtension);
    Zrk_String found;
    return findFileIgnoringCase(path, found) ? found : path;
}

bool Zrk_ProfValuesTable::readFromFile(const Zrk_String& name, Zrk_String* message) {
    Zrk_String reason;
    Zrk_String title;
    Zrk_Array<Zrk_StringArray> lines;
    if (!isValidName(name))
        reason = "\"" + name + "\" is not the name of a section table";
    else
        Zrk_SectionTables::readFile(filePath(name), title, lines, &reason);
    if (!reason.empty()) {
        if (message) *message = reason;
        else acutPrintf("*Error* %s\n", asSentence(reason).c_str());
        return false;
    }

    tableName = title;
    sectionType.clear();
    columnNames.removeAll();
    if (lines.length() > 1) {
        if (!lines[0].isEmpty()) sectionType = lines[0][0];
        columnNames = lines[1];
        lines.removeAt(0);
        lines.removeAt(0);
    }
    // Blank lines carry nothing; they would show as rows without a name.
    rows.removeAll();
    for (Zrk_StringArray& line : lines)
        if (!line.isEmpty()) rows.append(std::move(line));
    return true;
}

bool Zrk_ProfValuesTable::writeToFile(const Zrk_String& name) const {
    if (!isValidName(name)) return false;
    const Zrk_String path = filePath(name);
    ensureFolder(getPath(path));

    Zrk_Array<Zrk_StringArray> lines;
    lines.append(Zrk_StringArray{sectionType});
    lines.append(columnNames);
    lines.append(rows);
    return Zrk_SectionTables::writeFile(path, tableName, lines);
}

// --- rows ----------------------------------------------------------------------------------------------

bool Zrk_ProfValuesTable::getRow(int index, Zrk_StringArray& row) const {
    if (!rows.isValid(index)) return false;
    row = rows[index];
    return true;
}

bool Zrk_ProfValuesTable::deleteRow(int index) { return rows.removeAt(index); }

bool Zrk_ProfValuesTable::getColumn(int index, Zrk_StringArray& column) const {
    if (rows.isEmpty() || index < 0 || index >= rows[0].length()) return false;
    Zrk_StringArray result;
    for (const Zrk_StringArray& row : rows) result.append(index < row.length() ? row[index] : Zrk_String());
    column = std::move(result);
    return true;
}

bool Zrk_ProfValuesTable::getColumn(const Zrk_String& name, Zrk_StringArray& column) const {
    return getColumn(getColumnIdx(name), column);
}

int Zrk_ProfValuesTable::getColumnIdx(const Zrk_String& name) const { return columnNames.find(name); }

bool Zrk_ProfValuesTable::insertRow(int index) {
    if (!rows.isValid(index)) return false;

    const int languageColumn = getColumnIdx(MacroLangs::GetCurLanguage());
    Zrk_StringArray copy = rows[index];
    // The copy takes the table's columns; a table read without headers keeps the row as it is.
    if (!columnNames.isEmpty()) copy.setLength(columnNames.length());
    if (copy.isEmpty()) copy.setLength(1);

    Zrk_String displayBase = tableName;
    if (languageColumn >= 0 && languageColumn < copy.length()) {
        Zrk_String shown = copy[languageColumn];
        int position = 0;
        Zrk_String digits;
        if (findFirstNumbers(shown, position, digits)) shown = shown.substr(0, static_cast<std::size_t>(position));
        if (!shown.empty()) displayBase = shown;
    }
    const Zrk_String systemName = findUnusedSysName(copy[0].empty() ? Zrk_String("1") : copy[0]);
    copy[0] = systemName;
    if (languageColumn >= 0 && languageColumn < copy.length()) copy[languageColumn] = displayBase + systemName;
    return rows.insertAt(index + 1, copy);
}

Acad::ErrorStatus Zrk_ProfValuesTable::insertRow(int index, const Zrk_String& systemName, const Zrk_String& userName) {
    int existing = -1;
    if (!rows.isValid(index) || findSysName(systemName, existing)) return kFail;
    const Zrk_ProfValuesTable before = *this;
    if (insertRow(index) && setSysName(index + 1, systemName) == Acad::eOk &&
        setUserNames(index + 1, userName) == Acad::eOk)
        return Acad::eOk;
    *this = before;
    return kFail;
}

Acad::ErrorStatus Zrk_ProfValuesTable::setSysName(int index, const Zrk_String& name) {
    if (!rows.isValid(index) || rows[index].isEmpty()) return kFail;
    rows[index][0] = name;
    return Acad::eOk;
}

Acad::ErrorStatus Zrk_ProfValuesTable::setUserNames(int index, const Zrk_String& name) {
    const int languages = getNrLanguages();
    if (!rows.isValid(index) || rows[index].length() < languages + 2) return kFail;
    for (int i = 2; i < 2 + languages; ++i) rows[index][i] = name;
    return Acad::eOk;
}

Acad::ErrorStatus Zrk_ProfValuesTable::setValues(int index, const Zrk_Array<double>& values) {
    const int first = getNrLanguages() + 2;
    if (!rows.isValid(index) || rows[index].length() != first + values.length()) return kFail;
    for (int i = 0; i < values.length(); ++i) rows[index][first + i] = doubleToStr(values[i], 1);
    return Acad::eOk;
}

void Zrk_ProfValuesTable::removeInactiveEntries() {
    for (int i = rows.length() - 1; i >= 0; --i)
        if (rows[i].length() > 1 && rows[i][1] == "0") rows.removeAt(i);
}

// --- system names --------------------------------------------------------------------------------------

bool Zrk_ProfValuesTable::isActive(const Zrk_StringArray& row) { return row.length() > 1 && row[1] == "1"; }

void Zrk_ProfValuesTable::getSysNames(Zrk_StringArray& names) const {
    names.removeAll();
    Zrk_StringArray systemNames, flags;
    if (!getColumn(0, systemNames) || !getColumn(1, flags)) return;
    for (const Zrk_String& name : systemNames) names.append(tableName + "-" + name);
}

void Zrk_ProfValuesTable::getFilteredSysNames(Zrk_StringArray& names) const {
    names.removeAll();
    Zrk_StringArray systemNames, flags;
    if (!getColumn(0, systemNames) || !getColumn(1, flags)) return;
    for (const Zrk_StringArray& row : rows)
        if (isActive(row)) names.append(tableName + "-" + row[0]);
}

bool Zrk_ProfValuesTable::findSysName(const Zrk_String& name, int& index) const {
    for (int i = 0; i < rows.length(); ++i) {
        if (!rows[i].isEmpty() && rows[i][0] == name) {
            index = i;
            return true;
        }
    }
    return false;
}

Zrk_String Zrk_ProfValuesTable::findUnusedSysName(const Zrk_String& base) const {
    Zrk_StringArray used;
    for (const Zrk_StringArray& row : rows)
        if (!row.isEmpty()) used.append(row[0]);
    return findNonExistingString(base, used);
}

int Zrk_ProfValuesTable::getfilteredIdx(int index) const {
    if (!rows.isValid(index)) return -1;
    int position = index;
    for (int i = 0; i < index; ++i)
        if (!isActive(rows[i])) --position;
    return position;
}

int Zrk_ProfValuesTable::getNrLanguages() const {
    return (columnNames.length() >= 7 && columnNames[6] == "Korean") ? 5 : 4;
}

// --- publishing ------------------------------------------------------------------------------------------

Acad::ErrorStatus Zrk_ProfValuesTable::setToGlobals(Zrk_SectionTables* manager) const {
    if (!manager) return kFail;
    Zrk_StringArray headers = columnNames;
    headers.removeAt(1);
    Zrk_Array<Zrk_StringArray> published;
    for (Zrk_StringArray row : rows) {
        row.removeAt(1);
        published.append(std::move(row));
    }
    // A type that names a file (a user-defined section's drawing) lies in the folder "Prof/".
    const Zrk_String type = hasASubstr(sectionType, ".") ? "Prof/" + sectionType : sectionType;
    if (manager->hasTable(tableName)) manager->removeTable(tableName);
    return manager->addSectionTable(tableName + kExtension, type, headers, published);
}
