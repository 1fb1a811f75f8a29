#pragma once
// DlgSelectProf: the core library's section chooser. The person chooses a section of the library:
// a section table, then one of its sections (shown by its name in the user's language, with its
// dimensions), or one of the user sections, drawings in "User Sections/" of the library folder. A
// double click on a section chooses it at once.
//
//   DlgSelectProf chooser;
//   chooser.data.section = "HEA-200";             // where to start: a section's system or user name
//   if (chooser.doModal() == ui::IDOK)
//       use(chooser.data.section);                 // "HEA-220", or "User Sections/Frame.dwg"
//
// data.path is the library folder followed by data.section, for the callers that keep a section as
// a path and take the library folder off it. The size is kept under "DLG_SELECT_PROF".

#include "ui/dialog.h"
#include "ui/resizer.h"

struct DlgSelectProfData {
    // In: the section to start from (any name the section tables know, or a user section's path);
    // out: the chosen section's system name ("HEA-200") or user section path ("User Sections/A.dwg").
    Zrk_String section;
    // Out: gSettings.libDir followed by section.
    Zrk_String path;
    bool operator==(const DlgSelectProfData&) const = default;
};

class DlgSelectProf : public ui::Dialog {
public:
    enum : int {
        kTemplate = 30002,
        kTables = 1002,
        kSections = 1004,
        kDimensions = 1006,
    };
    explicit DlgSelectProf(QWidget* owner = nullptr);
    DlgSelectProfData data;

    // The folder of the user sections, below the library folder.
    static constexpr const char* kUserSectionsFolder = "User Sections/";

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onOK() override;
    void onSize(int width, int height) override;
    void onDestroy() override;

private:
    void fillSections(int table);
    void showDimensions();
    bool isUserSectionsEntry(int table) const;

    Zrk_StringArray tableNames_;    // the section tables, then (when there are any) the user sections
    Zrk_StringArray userSections_;  // paths relative to the library folder
    Zrk_StringArray shownSections_; // the system names (or user section paths) of the list shown
    CResizer resizer_;
};
