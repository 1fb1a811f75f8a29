#pragma once
// The defaults of the companion spreadsheet editor, from its machine-wide key
// "Software\Korvalent\Spreadsheet Editor v1.0": the language and the name of the default document
// settings (a ".kvd" file of the product folder). The module only reads them.
//
// On this platform the key is kept with QSettings in the system scope, INI format, organisation
// "Korvalent", application "Spreadsheet Editor v1.0": the file
//     $XDG_CONFIG_DIRS/Korvalent/Spreadsheet Editor v1.0.ini   (by default /etc/xdg/...)
// with the values at its top level:
//     Language=EN
//     Default%20Settings=Office          (QSettings writes the blank of the value name as %20)
// The editor's installation writes it. Tests point the system scope elsewhere with
// QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, folder).

#include "core/zrk_string.h"

class EditorDefaults {
public:
    static constexpr const char* kOrganization = "Korvalent";
    static constexpr const char* kApplication = "Spreadsheet Editor v1.0";
    static constexpr const char* kLanguageValue = "Language";
    static constexpr const char* kDefaultSettingsValue = "Default Settings";

    Zrk_String language = "EN";
    Zrk_String defaultSettings; // the name of the default settings file, without folder and ".kvd"

    // Reads both values; each one that is missing keeps its default. True only when both were found.
    bool read();
};
