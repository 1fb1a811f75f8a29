#include "sheetdoc/document_settings.h"

#include <algorithm>
#include <ctime>

#include "core/files.h"
#include "core/settings.h"
#include "core/text.h"
#include "spreadlib/sheet.h"

namespace {

// The folder above a folder given with its closing '/': "a/b/" gives "a/", "/" stays "/"; a
// relative folder with nothing above it ("" or "a/") climbs with "../".
Zrk_String parentFolder(const Zrk_String& folder) {
    if (folder.empty()) return "../";
    if (folder == "/") return folder;
    const Zrk_String inner = folder.substr(0, folder.size() - 1);
    const std::size_t slash = inner.rfind('/');
    const Zrk_String last = slash == Zrk_String::npos ? inner : inner.substr(slash + 1);
    if (last == "..") return folder + "../";
    if (last == ".") return parentFolder(inner.substr(0, slash == Zrk_String::npos ? 0 : slash + 1));
    return slash == Zrk_String::npos ? Zrk_String() : inner.substr(0, slash + 1);
}

bool startsWith(const Zrk_String& text, const Zrk_String& prefix) {
    return !prefix.empty() && text.compare(0, prefix.size(), prefix) == 0;
}

// Copies from to to when to does not exist or is older than from.
bool copyIfNewer(const Zrk_String& from, const Zrk_String& to) {
    std::time_t source = 0, target = 0;
    if (!ObjectExportGetFileTime(from, source)) return false;
    if (ObjectExportGetFileTime(to, target) && target >= source) return false;
    return ObjectExportCopyFile(from, to, true);
}

const char* const kVarNames = "varNames";
const char* const kVarValues = "varValues";

void readList(const SettingsStore& store, const char* key, Zrk_StringArray& list) {
    Zrk_String text;
    for (int i = 0; store.getString(append(key, i), text); ++i) list.append(text);
}

} // namespace

void DocumentSettings::reset() { *this = DocumentSettings(); }

void DocumentSettings::takeOver(const SettingsStore& store) {
    store.getString("headerFile", headerFile);
    store.getString("footerFile", footerFile);
    store.getString("defaultFont", defaultFont);
    store.getInt("defaultTextHeight", defaultTextHeight);
    store.getInt("marginLeft", marginLeft);
    store.getInt("marginRight", marginRight);
    store.getInt("marginTop", marginTop);
    store.getInt("marginBottom", marginBottom);
    store.getBool("smartPrint", smartPrint);
    store.getBool("colors", colors);
    store.getBool("colHeader", colHeader);
    store.getBool("rowHeader", rowHeader);
    store.getBool("cellSeperators", cellSeperators);
    store.getBool("border", border);

    Zrk_StringArray names, values;
    readList(store, kVarNames, names);
    readList(store, kVarValues, values);
    const int common = std::min(names.length(), values.length());
    names.setLength(common);
    values.setLength(common);
    varNames = names;
    varValues = values;
}

void DocumentSettings::writeTo(SettingsStore& store) const {
    store.setString("defaultFont", defaultFont);
    store.setInt("defaultTextHeight", defaultTextHeight);
    store.setString("headerFile", headerFile);
    store.setString("footerFile", footerFile);
    store.setInt("marginLeft", marginLeft);
    store.setInt("marginRight", marginRight);
    store.setInt("marginTop", marginTop);
    store.setInt("marginBottom", marginBottom);
    store.setBool("smartPrint", smartPrint);
    store.setBool("colors", colors);
    store.setBool("colHeader", colHeader);
    store.setBool("rowHeader", rowHeader);
    store.setBool("cellSeperators", cellSeperators);
    store.setBool("border", border);
    for (int i = 0; i < std::max(varNames.length(), varValues.length()); ++i) {
        if (i < varNames.length()) store.setString(append(kVarNames, i), varNames[i]);
        if (i < varValues.length()) store.setString(append(kVarValues, i), varValues[i]);
    }
}

SettingsStore DocumentSettings::toStore() const {
    SettingsStore store;
    writeTo(store);
    return store;
}

void DocumentSettings::readFromSheet(const spreadlib::Sheet& sheet) {
    reset();
    loaded = true;
    Zrk_String tag;
    if (!sheet.SSGetCellTag(0, 0, tag)) return;
    SettingsStore store;
    store.fromText(tag);
    takeOver(store);
}

bool DocumentSettings::applyToSheet(spreadlib::Sheet& sheet) const {
    return loaded && sheet.SSSetCellTag(0, 0, toStore().toText());
}

bool DocumentSettings::readNamed(const Zrk_String& name) {
    reset();
    loaded = true;
    if (name.empty()) return false;
    std::string bytes;
    if (!readFileBytes(settingsFilePath(name), bytes)) return false;
    SettingsStore store;
    store.fromText(bytes);
    takeOver(store);
    return true;
}

bool DocumentSettings::relocateHeaderFooter(const Zrk_String& documentPath, bool headerFlag) {
    Zrk_String& stored = headerFlag ? headerFile : footerFile;
    if (stored.empty()) return false;
    const Zrk_String resolved = resolveSettingsPath(documentPath, stored);
    if (!fileExists(resolved)) return false;

    const Zrk_String documentFolder = getPath(normalizePath(documentPath));
    const Zrk_String target = documentFolder + getFileName(resolved);
    if (!copyIfNewer(resolved, target)) return false;
    copyIfNewer(changeExtension(resolved, "bmp"), changeExtension(target, "bmp"));

    if (startsWith(target, documentFolder)) stored = target.substr(documentFolder.size());
    else if (startsWith(target, gSettings.zrkDir)) stored = target.substr(gSettings.zrkDir.size());
    else stored = target;
    return true;
}

Zrk_String settingsFilePath(const Zrk_String& name) {
    const Zrk_String path = ensureEndSlash(normalizePath(gSettings.zrkDir)) + normalizePath(name) + ".kvd";
    Zrk_String found;
    return findFileIgnoringCase(path, found) ? found : path;
}

Zrk_String resolveSettingsPath(const Zrk_String& documentPath, const Zrk_String& storedPath) {
    Zrk_String path = normalizePath(storedPath);
    if (path.find(':') != Zrk_String::npos || path.find("//") != Zrk_String::npos || startsWith(path, "/"))
        return path;

    bool higher = false;
    if (const std::size_t up = path.find("../"); up != Zrk_String::npos) {
        path.erase(up, 3);
        higher = true;
    }
    Zrk_String documentFolder = getPath(normalizePath(documentPath));
    Zrk_String productFolder = ensureEndSlash(normalizePath(gSettings.zrkDir));
    if (higher) {
        documentFolder = parentFolder(documentFolder);
        productFolder = parentFolder(productFolder);
    }
    if (fileExists(documentFolder + path)) return documentFolder + path;
    if (fileExists(productFolder + path)) return productFolder + path;
    return path;
}
