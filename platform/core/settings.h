#pragma once
// The core library's settings: the library folder, the product folder and the data of the current
// document. Values come, later ones winning, from the built-in defaults (the sample library of this
// project), the settings file, and the environment:
//
//   settings file   $SS_SETTINGS, else $XDG_CONFIG_HOME/ss/settings.ini, else ~/.config/ss/settings.ini
//                   UTF-8 lines "key=value"; keys libDir, zrkDir, reportStandardsErrors (0 or 1);
//                   blank lines and lines starting with '#' or ';' are ignored
//   environment     SS_LIBDIR, SS_ZRKDIR, SS_REPORT_STANDARDS_ERRORS
//
// Folders are stored with '/' separators and a closing '/'.

#include "core/zrk_string.h"

struct Zrk_DocumentData {
    // Whether the standards engine shows its error messages to the user.
    bool reportStandardsErrors = true;
};

class Zrk_Settings {
public:
    Zrk_Settings();

    Zrk_String libDir; // the product's library folder
    Zrk_String zrkDir; // the product folder

    Zrk_DocumentData& current() { return document_; }
    const Zrk_DocumentData& current() const { return document_; }

    // Reloads from defaults, settings file and environment. False (with a message) when the settings
    // file exists but holds a line that is not understood; the other lines still apply.
    bool load(Zrk_String* message = nullptr);
    // Applies the lines of a settings file ("key=value"). False with a message naming the line at the
    // first line that is not understood; the lines before it stay applied.
    bool applySettingsLines(const Zrk_StringArray& lines, const Zrk_String& fileName, Zrk_String* message);
    // Where load() looks for the settings file.
    static Zrk_String settingsFilePath();

private:
    Zrk_DocumentData document_;
};

extern Zrk_Settings gSettings;

namespace core {
// The folder of the sample library and of the module's resources as built.
Zrk_String defaultLibraryFolder();
Zrk_String defaultProductFolder();
Zrk_String resourceFolder(); // $SS_RESOURCES or the resources of the build, with a closing '/'
} // namespace core
