#pragma once
// The languages of the product's names (macro names, section display names): the languages every
// name table carries, in their column order, and the one the user works in; and the macro-name
// table, which gives a name (a macro's file name, a picture's) in the user's language.
//
// A table of names has one column per language, headed by the language's name. Tables of the section
// library carry the first four languages, or all five when their fifth language column is headed
// "Korean".
//
// The macro-name table is the file "Macros/MacroNames.txt" of the library folder (gSettings.libDir),
// described in docs/macro-names.md: UTF-8 lines, cells separated by tabs; a header line "Name" and
// language names; "[section]" lines open a section (the lines before the first one are the section
// without a name); each other line is a name and its translations. gMacroLangs reads it on first
// use, and again whenever gSettings.libDir names another library.

#include "core/zrk_string.h"

class MacroLangs {
public:
    // "English", "German", "French", "Dutch", "Korean".
    static void GetAllLanguages(Zrk_StringArray& languages);
    // The user's language, one of GetAllLanguages ("English" unless set otherwise).
    static Zrk_String GetCurLanguage();

    // followSettings: read the table of gSettings.libDir by itself (gMacroLangs does).
    explicit MacroLangs(bool followSettings = false) : followSettings_(followSettings) {}

    // The name in the user's language: the table's entry of that name in that section (the name as
    // written, else ignoring letter case), in the user's language column, else in the English one;
    // the name itself when the table has none.
    Zrk_String GetString(const Zrk_String& section, const Zrk_String& name) const;

    // Replaces the table by the file's. A missing file is an empty table (true). False, with the
    // reason naming the file and line, when the file cannot be read or is malformed: the table is
    // empty then.
    bool readFile(const Zrk_String& path, Zrk_String* message = nullptr);
    // The lines of a table file (UTF-8), for readFile, tests and fuzzing; fileName names it in messages.
    bool parse(const Zrk_StringArray& lines, const Zrk_String& fileName, Zrk_String* message = nullptr);
    // Why the last reading of the table failed (empty when it did not).
    const Zrk_String& loadMessage() const { return message_; }
    int entryCount() const { return entries_.length(); }

private:
    struct Entry {
        Zrk_String section;
        Zrk_String name;
        Zrk_StringArray texts; // one per language of GetAllLanguages; empty where the table has none
    };
    void ensureLoaded() const;
    const Entry* find(const Zrk_String& section, const Zrk_String& name) const;

    bool followSettings_;
    mutable bool loaded_ = false;
    mutable Zrk_String loadedFolder_;
    mutable Zrk_Array<Entry> entries_;
    mutable Zrk_String message_;
};

// The product's macro-name table.
extern MacroLangs gMacroLangs;

namespace core {
// Makes a language of MacroLangs::GetAllLanguages the user's language. False, and nothing changes,
// for any other name.
bool setCurrentMacroLanguage(const Zrk_String& language);
// Where gMacroLangs reads its table: "Macros/MacroNames.txt" of a library folder.
Zrk_String macroNamesPath(const Zrk_String& libraryFolder);
} // namespace core
