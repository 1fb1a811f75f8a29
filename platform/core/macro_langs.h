#pragma once
// The languages of the product's names (macro names, section display names): the languages every
// name table carries, in their column order, and the one the user works in.
//
// A table of names has one column per language, headed by the language's name. Tables of the section
// library carry the first four languages, or all five when their fifth language column is headed
// "Korean".

#include "core/zrk_string.h"

class MacroLangs {
public:
    // "English", "German", "French", "Dutch", "Korean".
    static void GetAllLanguages(Zrk_StringArray& languages);
    // The user's language, one of GetAllLanguages ("English" unless set otherwise).
    static Zrk_String GetCurLanguage();
};

namespace core {
// Makes a language of MacroLangs::GetAllLanguages the user's language. False, and nothing changes,
// for any other name.
bool setCurrentMacroLanguage(const Zrk_String& language);
} // namespace core
