#include "core/macro_langs.h"

#include "core/codepage.h"
#include "core/files.h"
#include "core/settings.h"
#include "core/text.h"

MacroLangs gMacroLangs(true);

namespace {

Zrk_String& currentLanguage() {
    static Zrk_String language = "English";
    return language;
}

int languageIndex(const Zrk_String& language) {
    Zrk_StringArray all;
    MacroLangs::GetAllLanguages(all);
    return all.find(language);
}

} // namespace

void MacroLangs::GetAllLanguages(Zrk_StringArray& languages) {
    languages = Zrk_StringArray{"English", "German", "French", "Dutch", "Korean"};
}

Zrk_String MacroLangs::GetCurLanguage() { return currentLanguage(); }

bool core::setCurrentMacroLanguage(const Zrk_String& language) {
    if (languageIndex(language) < 0) return false;
    currentLanguage() = language;
    return true;
}

Zrk_String core::macroNamesPath(const Zrk_String& libraryFolder) {
    return libraryFolder + "Macros/MacroNames.txt";
}

void MacroLangs::ensureLoaded() const {
    if (!followSettings_) return;
    if (loaded_ && loadedFolder_ == gSettings.libDir) return;
    loadedFolder_ = gSettings.libDir;
    const_cast<MacroLangs*>(this)->readFile(core::macroNamesPath(gSettings.libDir));
}

bool MacroLangs::readFile(const Zrk_String& path, Zrk_String* message) {
    loaded_ = true;
    entries_.removeAll();
    message_.clear();
    if (!fileExists(path)) return true;
    Zrk_StringArray lines;
    if (!ObjectExportReadFile(path, lines, &message_)) {
        if (message) *message = message_;
        return false;
    }
    return parse(lines, path, message);
}

bool MacroLangs::parse(const Zrk_StringArray& lines, const Zrk_String& fileName, Zrk_String* message) {
    loaded_ = true;
    entries_.removeAll();
    message_.clear();
    const auto fail = [&](int line, const Zrk_String& why) {
        entries_.removeAll();
        message_ = fileName + ", line " + std::to_string(line) + ": " + why;
        if (message) *message = message_;
        return false;
    };

    Zrk_StringArray languages;
    GetAllLanguages(languages);
    std::vector<int> columnLanguage; // per column after the name: the index in languages
    Zrk_String section;
    bool headerSeen = false;
    for (int i = 0; i < lines.length(); ++i) {
        Zrk_String line = core::fromUtf8(lines[i]);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (trimmed(line).empty() || line[0] == '#') continue;
        Zrk_StringArray cells;
        strToArr(line, cells, '\t');
        if (!headerSeen) {
            if (cells.isEmpty() || trimmed(cells[0]) != "Name")
                return fail(i + 1, "the first line must name the columns: Name, then languages");
            for (int c = 1; c < cells.length(); ++c) {
                const int index = languages.find(trimmed(cells[c]));
                if (index < 0)
                    return fail(i + 1, "\"" + cells[c] +
                                           "\" is no language (English, German, French, Dutch, Korean)");
                for (int known : columnLanguage)
                    if (known == index) return fail(i + 1, "the language " + cells[c] + " has two columns");
                columnLanguage.push_back(index);
            }
            headerSeen = true;
            continue;
        }
        const Zrk_String first = trimmed(cells[0]);
        if (first.size() >= 2 && first.front() == '[' && first.back() == ']') {
            if (cells.length() > 1)
                return fail(i + 1, "a section line holds nothing after the section's name");
            section = trimmed(first.substr(1, first.size() - 2));
            continue;
        }
        if (first.empty()) return fail(i + 1, "a line must start with the name it translates");
        if (cells.length() - 1 > static_cast<int>(columnLanguage.size()))
            return fail(i + 1, "more cells than the first line names languages");
        Entry entry;
        entry.section = section;
        entry.name = first;
        entry.texts.setLength(languages.length());
        for (int c = 1; c < cells.length(); ++c)
            entry.texts[columnLanguage[static_cast<std::size_t>(c - 1)]] = trimmed(cells[c]);
        entries_.append(std::move(entry));
    }
    return true;
}

const MacroLangs::Entry* MacroLangs::find(const Zrk_String& section, const Zrk_String& name) const {
    for (const bool ignoreCase : {false, true})
        for (const Entry& entry : entries_)
            if (isEqual(entry.section, section, ignoreCase) && isEqual(entry.name, name, ignoreCase))
                return &entry;
    return nullptr;
}

Zrk_String MacroLangs::GetString(const Zrk_String& section, const Zrk_String& name) const {
    ensureLoaded();
    const Entry* entry = find(section, name);
    if (!entry) return name;
    const int current = languageIndex(GetCurLanguage());
    if (current >= 0 && !entry->texts[current].empty()) return entry->texts[current];
    if (!entry->texts[0].empty()) return entry->texts[0];
    return name;
}
