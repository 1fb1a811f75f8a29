#include "core/settings.h"

#include <cstdlib>

#include "core/codepage.h"
#include "core/files.h"
#include "core/text.h"

Zrk_Settings gSettings;

namespace core {

namespace {
Zrk_String environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? fromUtf8(value) : Zrk_String();
}
Zrk_String asFolder(const Zrk_String& text) { return ensureEndSlash(normalizePath(text)); }
} // namespace

Zrk_String defaultLibraryFolder() { return asFolder(fromUtf8(SS_SAMPLE_LIBRARY)); }
Zrk_String defaultProductFolder() { return asFolder(fromUtf8(SS_SAMPLE_PRODUCT)); }

Zrk_String resourceFolder() {
    const Zrk_String fromEnvironment = environment("SS_RESOURCES");
    return asFolder(fromEnvironment.empty() ? fromUtf8(SS_RESOURCE_DIR) : fromEnvironment);
}

} // namespace core

Zrk_Settings::Zrk_Settings() { load(); }

Zrk_String Zrk_Settings::settingsFilePath() {
    if (const char* explicitFile = std::getenv("SS_SETTINGS")) return core::fromUtf8(explicitFile);
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        return ensureEndSlash(core::fromUtf8(config)) + "ss/settings.ini";
    if (const char* home = std::getenv("HOME"); home && *home) return ensureEndSlash(core::fromUtf8(home)) + ".config/ss/settings.ini";
    return Zrk_String();
}

bool Zrk_Settings::applySettingsLines(const Zrk_StringArray& lines, const Zrk_String& fileName, Zrk_String* message) {
    for (int i = 0; i < lines.length(); ++i) {
        const Zrk_String line = trimmed(lines[i]);
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        Zrk_String key, value;
        bool understood = splitString(line, "=", key, value, true);
        if (understood && isEqual(key, "libDir", true)) libDir = ensureEndSlash(normalizePath(value));
        else if (understood && isEqual(key, "zrkDir", true)) zrkDir = ensureEndSlash(normalizePath(value));
        else if (understood && isEqual(key, "reportStandardsErrors", true) && (value == "0" || value == "1"))
            document_.reportStandardsErrors = value == "1";
        else understood = false;
        if (!understood) {
            if (message)
                *message = fileName + ", line " + intToStr(i + 1) +
                           ": expected libDir=FOLDER, zrkDir=FOLDER or reportStandardsErrors=0|1, found \"" +
                           line + "\"";
            return false;
        }
    }
    return true;
}

bool Zrk_Settings::load(Zrk_String* message) {
    libDir = core::defaultLibraryFolder();
    zrkDir = core::defaultProductFolder();
    document_ = Zrk_DocumentData();

    bool ok = true;
    const Zrk_String file = settingsFilePath();
    Zrk_StringArray lines;
    if (!file.empty() && fileExists(file) && ObjectExportReadFile(file, lines)) {
        for (Zrk_String& line : lines) line = core::fromUtf8(line); // the settings file is UTF-8
        ok = applySettingsLines(lines, file, message);
    }

    if (const char* dir = std::getenv("SS_LIBDIR"); dir && *dir) libDir = ensureEndSlash(normalizePath(core::fromUtf8(dir)));
    if (const char* dir = std::getenv("SS_ZRKDIR"); dir && *dir) zrkDir = ensureEndSlash(normalizePath(core::fromUtf8(dir)));
    if (const char* report = std::getenv("SS_REPORT_STANDARDS_ERRORS"); report && *report)
        document_.reportStandardsErrors = Zrk_String(report) != "0";
    return ok;
}
