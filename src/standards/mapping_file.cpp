#include "standards/mapping_file.h"

#include "core/files.h"
#include "core/settings.h"
#include "core/text.h"

namespace standards {

Zrk_String standardsFolder() { return gSettings.libDir + "Connection Standards/"; }

Zrk_String mappingFilePath(const Zrk_String& ssName) {
    const Zrk_String name = normalizePath(ssName);
    const Zrk_String path = fileExists(name) ? changeExtension(name, "map")
                                             : changeExtension(standardsFolder() + ensureNoStartBSlash(name) + ".kvs", "map");
    Zrk_String found;
    return findFileIgnoringCase(path, found) ? found : path;
}

bool isMappingHeader(const Zrk_String& line) { return hasASubstr(line, "Mapping") && hasASubstr(line, "version"); }

bool readMappingLines(const Zrk_String& path, Zrk_StringArray& lines, Zrk_String* message) {
    Zrk_StringArray read;
    read.setPhysicalLength(1024);
    if (!ObjectExportReadFile(path, read, message)) return false;
    if (!read.isEmpty() && isMappingHeader(read[0])) read.removeAt(0);
    lines = std::move(read);
    return true;
}

Zrk_String mappingLineKey(const Zrk_String& line) {
    const std::size_t equals = line.find('=');
    return equals == Zrk_String::npos ? Zrk_String() : line.substr(0, equals);
}

int findMappingLine(const Zrk_StringArray& lines, const Zrk_String& key) {
    for (int i = 0; i < lines.length(); ++i)
        if (isEqual(mappingLineKey(lines[i]), key, true)) return i;
    return -1;
}

Zrk_String mappingProblem(const Zrk_String& ssName, const Zrk_String& key) {
    const Zrk_String path = mappingFilePath(ssName);
    if (!fileExists(path))
        return path + (folderExists(path) ? ": the mapping file is a folder." : ": the mapping file does not exist.");
    Zrk_StringArray lines;
    Zrk_String unreadable;
    if (!readMappingLines(path, lines, &unreadable)) return unreadable;
    if (findMappingLine(lines, key) < 0) return path + ": the mapping file has no line with the key \"" + key + "\".";
    return Zrk_String();
}

} // namespace standards
