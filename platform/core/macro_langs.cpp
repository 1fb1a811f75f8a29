#include "core/macro_langs.h"

namespace {

Zrk_String& currentLanguage() {
    static Zrk_String language = "English";
    return language;
}

} // namespace

void MacroLangs::GetAllLanguages(Zrk_StringArray& languages) {
    languages = Zrk_StringArray{"English", "German", "French", "Dutch", "Korean"};
}

Zrk_String MacroLangs::GetCurLanguage() { return currentLanguage(); }

bool core::setCurrentMacroLanguage(const Zrk_String& language) {
    Zrk_StringArray all;
    MacroLangs::GetAllLanguages(all);
    if (!all.contains(language)) return false;
    currentLanguage() = language;
    return true;
}
