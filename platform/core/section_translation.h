#pragma once
// The section-name translation of the CIS/2 export: for each section of the product (its system
// name, "HEA-200", or a user section's path), the name a CIS/2 file gives it ("HE200A"). The export
// looks a section up by its product name; a section the table does not list keeps its own name.
//
// The table is the file "CIS2ProfNames.dat" of the library folder (docs/section-translation.md): the
// module's 8-bit text, one section a line, the product's name and the CIS/2 name separated by a tab.
// readSectionTranslation reads it; the editor (ui/dlg_section_translation.h, writeSectionTranslation)
// lets the person change it and writes it through writeSectionTranslationFile, atomically.
//
// A table is sound (checkSectionTranslation) when both lists are as long, no name is empty, starts or
// ends with a blank or holds a tab or another control character, and no product name comes twice
// (letter case ignored, as section names are read): the export could not tell which to use.

#include "core/zrk_string.h"

namespace core {
// "CIS2ProfNames.dat" of a library folder (one ending with '/').
Zrk_String sectionTranslationPath(const Zrk_String& libraryFolder);
inline constexpr const char* kSectionTranslationFile = "CIS2ProfNames.dat";

// Why an entry cannot stand in a table beside the sections of others ("the section name is empty",
// "the section HEA-200 is listed already"); empty when it can.
Zrk_String sectionTranslationEntryProblem(const Zrk_StringArray& others, const Zrk_String& name,
                                          const Zrk_String& cis2Name);
// Whether the table is sound; the reason (naming the entry, from 1) when it is not.
bool checkSectionTranslation(const Zrk_StringArray& names, const Zrk_StringArray& cis2Names,
                             Zrk_String* reason = nullptr);
// The lines of a table file; fileName names it in messages. Blank lines are passed over. False, with
// the lists as they were and the reason naming the file and line, for a line without a tab, with a
// name that is empty or not text, or a product name that came before.
bool parseSectionTranslation(const Zrk_StringArray& lines, const Zrk_String& fileName, Zrk_StringArray& names,
                             Zrk_StringArray& cis2Names, Zrk_String* message = nullptr);
// The file's lines for a sound table.
Zrk_StringArray sectionTranslationLines(const Zrk_StringArray& names, const Zrk_StringArray& cis2Names);
} // namespace core

// Reads the table of a file. A missing file is an empty table (true): the person starts one. False,
// with the lists as they were and the reason, when the file cannot be read or is not a table.
bool readSectionTranslation(const Zrk_String& path, Zrk_StringArray& names, Zrk_StringArray& cis2Names,
                            Zrk_String* message = nullptr);
// Writes a sound table to the file, atomically. False, and nothing written, for a table that is not
// sound or a file that cannot be written (the reason in message).
bool writeSectionTranslationFile(const Zrk_String& path, const Zrk_StringArray& names,
                                 const Zrk_StringArray& cis2Names, Zrk_String* message = nullptr);
