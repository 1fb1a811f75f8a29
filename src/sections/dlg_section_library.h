#pragma once
// The section library editor (template 209): a tab control with three pages, the section groups
// (8138), the user-defined section types (8139) and the section tables (8716), on the editor's own
// copy of the caller's record (DlgEditLibData).
//
// On opening, the record's list of available files is filled (GetAvailableFiles), and the tables page
// is shown when a section to start from is given, else the groups page. OK first lets the tables page
// offer to save a changed table (Cancel there keeps the editor open), then the groups and types pages
// store what they show, and the editor ends. The tables are files of their own: what the tables page
// saves, renames or deletes is done on disk at once and stays done when the editor is cancelled; the
// groups and types go back to the caller on OK only (who keeps them, DlgEditLibData::writeToLibrary).
// The editor's size and place are kept under "DLG_EDIT_SECTIONLIB".

#include "core/section_library.h"
#include "module/export.h"
#include "sections/dlg_section_groups.h"
#include "sections/dlg_section_tables.h"
#include "ui/dialog.h"
#include "ui/resizer.h"

class DlgEditLibSections : public ui::Dialog {
public:
    static constexpr int kTemplate = 209;
    static constexpr int kTabs = 1440;
    enum Page { groupsPageIndex = 0, typesPageIndex = 1, tablesPageIndex = 2 };

    explicit DlgEditLibSections(const Zrk_String& start = Zrk_String(), QWidget* owner = nullptr)
        : ui::Dialog(kTemplate, owner), tablesPage(data, start) {}

    DlgEditLibData data; // the editor's copy of the caller's record
    DlgSectionGroupsPage groupsPage{data};
    DlgSectionTypesPage typesPage{data};
    DlgSectionTablesPage tablesPage;

    // Shows the page of that tab (as choosing the tab does).
    void showPage(int index);

protected:
    bool onInitDialog() override;
    bool onNotify(int id, int code, const void* details) override;
    void onOK() override;
    void onCancel() override;
    void onSize(int width, int height) override;
    void onDestroy() override;

private:
    void placePages();
    CResizer layout_;
};

// Runs the section library editor on a copy of data, starting with the section start (a table name,
// "-" and a section's system name, or a table name; empty: the groups page). On OK the edited record
// is copied back and the answer is true; otherwise data stays as it was.
SS_EXPORT bool StartDlgEditLibSections(DlgEditLibData& data, const Zrk_String& start);
