#pragma once
// The mapping file of a standards spreadsheet: the spreadsheet's path with the extension "map".
//
//   Mapping version 1.0
//   KEY=S1[83]G1[95]Distance N1[BF]S2[83]G2[95]BoltsDiameter 
//
// One line per key: the key, "=", then the entries separated by the byte 0xBF; an entry is the
// spreadsheet variable, the byte 0x83 and the macro side (group, 0x95, keyword, blank, object name).
// Bytes are the module's 8-bit text; lines end in "\n".

#include "core/zrk_string.h"

namespace standards {

inline constexpr char kEntrySeparator = '\xBF';
inline constexpr char kSideSeparator = '\x83';
inline constexpr char kGroupSeparator = '\x95';
inline constexpr const char* kMappingHeader = "Mapping version 1.0";

// The standards folder: the library folder's "Connection Standards/".
Zrk_String standardsFolder();
// The mapping file of a standards name. A name that is an existing file (a full path) has its mapping
// file beside it; any other name is taken relative to the standards folder, with ".kvs" added and
// then the extension changed to "map" ("Sub/Std" gives ".../Connection Standards/Sub/Std.map"). When
// no file of that exact name exists but one differing only in letter case does, that one is meant.
Zrk_String mappingFilePath(const Zrk_String& ssName);

// Whether a first line is the header (it holds both "Mapping" and "version").
bool isMappingHeader(const Zrk_String& line);
// Reads the mapping file's lines without the header. False when the file is missing or unreadable
// (message, when given, names the file and the system's reason).
bool readMappingLines(const Zrk_String& path, Zrk_StringArray& lines, Zrk_String* message = nullptr);
// The key of a line: the text before its first "="; empty for a line without "=".
Zrk_String mappingLineKey(const Zrk_String& line);
// The index of the first line whose key equals key, letter case ignored; -1 when none.
int findMappingLine(const Zrk_StringArray& lines, const Zrk_String& key);
// Why the mapping of key cannot be read from the mapping file of a standards name ("FILE: the mapping
// file does not exist", "... has no line with the key K"); empty when it can.
Zrk_String mappingProblem(const Zrk_String& ssName, const Zrk_String& key);

} // namespace standards
