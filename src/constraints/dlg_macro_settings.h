#pragma once
// The macro settings dialog (template 8721): the general settings of one macro on six pages, each a
// child page of the tab control sized to its display area, only the chosen one shown:
//   0 angle filters (8142)      the axis-angle and section-angle filter groups
//   1 size filters (213)        the path-distance and section-size filter groups
//   2 lists (8718)              named string lists, each with a module picture
//   3 variables (214)           rounding, units, decimals and default values of variables
//   4 groups (215)              the group name, the member prefix and the group table
//   5 standards (8720)          the standards mapping page (standards/dlg_standards_mapping.h)
//
// The dialog keeps one MacroSettingsData (`data`, the entry's copy) and hands each page a pointer to
// the part it edits. Who stores when:
//   - the filter pages work on the settings directly and store the entry shown and their
//     filters-active flag when they are destroyed, however the dialog ended;
//   - the lists page works on copies of the three parallel lists and hands them back only on OK;
//   - the variables and groups pages store their controls when they are destroyed;
//   - the standards page is committed on OK; its modified flag goes to data.standardsModified. A
//     mapping that cannot be written keeps the dialog open with the reason shown.
// After Cancel the caller does not write the settings back (runModalOnCopy copies only on OK), so what
// the pages stored on the way out is dropped with the dialog's copy.
//
// A filter group (MacroFilterGroupView) shows a group's entries in a drop-down whose items carry a
// check box for their on/off flag; a separate check box mirrors the flag of the entry shown. Choosing
// another entry stores the values shown into the entry that was shown first. Numbers are shown with
// two decimals and read back leniently (a text that is no number reads 0). An entry's value controls
// are enabled only while it is on; a group without entries has its drop-down, its check box and its
// group box disabled and shows no values.

#include <vector>

#include "core/macro_settings.h"
#include "module/export.h"
#include "host/acad.h"
#include "spread/zrk_spread.h"
#include "standards/dlg_standards_mapping.h"
#include "ui/dialog.h"

// A grid of text rows with insert-row and delete-row buttons (either may be 0: none), as the pages'
// tables are. Rows are read back as their data texts.
class SettingsTable {
public:
    Zrk_Spread grid;

    // Takes the placeholder's place with the headers as its columns.
    void attach(ui::Dialog& page, int placeholderId, const Zrk_StringArray& headers);
    // One row per entry, and at least minRows rows (empty).
    void setRows(const Zrk_Array<Zrk_StringArray>& rows, int minRows = 1);
    // Every row, each with a text per column (what is being typed counts).
    Zrk_Array<Zrk_StringArray> rows();
    // A new empty row below the active cell (at the top when there is none).
    void insertRow();
    // Deletes the active cell's row; nothing without one.
    void deleteRow();
};

// One filter group of a filter page; the controls are the page's ids (0: the group has none).
class MacroFilterGroupView {
public:
    struct Controls {
        int groupBox = 0;
        int entries = 0;          // the drop-down of entry names, an item check box per entry
        int onCheck = 0;          // mirrors the on/off flag of the entry shown
        std::vector<int> numbers; // number edits, values[0], values[1] ...
        int firstOption = 0;      // two radio buttons: option 0 and option 1
        int secondOption = 0;
        std::vector<int> others; // further value controls (pictures, table buttons), enabled with the values
    };

    MacroFilterGroupView(ui::Dialog& page, Controls controls) : page_(page), controls_(std::move(controls)) {}

    // The entries edited; the table for groups whose entries hold value pairs (the section angle).
    Zrk_Array<MacroFilterEntry>* entries = nullptr;
    SettingsTable* pairs = nullptr;
    // The entry shown, -1 for none.
    int shown = -1;

    // Fills the drop-down from the entries and shows the first.
    void fill();
    // Stores the values shown into the entry shown.
    void store();
    // Handles the group's controls; true when the command was one of them.
    bool onCommand(int id, int code);

private:
    void show(int index);
    void enableValues(bool enable);

    ui::Dialog& page_;
    Controls controls_;
};

// Page 0: the filters-active flag, the axis-angle group and the section-angle group.
class MacroAngleFiltersPage : public ui::Dialog {
public:
    static constexpr int kTemplate = 8142;
    static constexpr int kActive = 1301;
    static constexpr int kAxisGroup = 1302, kAxisEntries = 1303, kAxisOn = 1304;
    static constexpr int kAxisPicture0 = 1305, kAxisOption0 = 1306, kAxisPicture1 = 1307, kAxisOption1 = 1308;
    static constexpr int kAxisLabel0 = 1309, kAxisValue0 = 1310, kAxisLabel1 = 1311, kAxisValue1 = 1312;
    static constexpr int kSectionGroup = 1313, kSectionEntries = 1314, kSectionOn = 1315;
    static constexpr int kSectionPicture = 1316, kSectionTable = 1317, kSectionInsert = 1318,
                         kSectionDelete = 1319;

    MacroAngleFiltersPage();
    MacroAngleFilters* data = nullptr; // set by the host before create()
    SettingsTable sectionTable;
    MacroFilterGroupView axis;
    MacroFilterGroupView section;

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onDestroy() override;
};

// Page 1: the filters-active flag, the path-distance group and the section-size group.
class MacroSizeFiltersPage : public ui::Dialog {
public:
    static constexpr int kTemplate = 213;
    static constexpr int kActive = 1321;
    static constexpr int kPathGroup = 1322, kPathEntries = 1323, kPathOn = 1324, kPathPicture = 1325;
    static constexpr int kPathLabel0 = 1326, kPathValue0 = 1327, kPathLabel1 = 1328, kPathValue1 = 1329;
    static constexpr int kSizeGroup = 1330, kSizeEntries = 1331, kSizeOn = 1332, kSizePicture = 1333;
    static constexpr int kSizeLabel0 = 1334; // labels at 1334, 1336, 1338, 1340; values one above each
    static constexpr int kSizeValue0 = 1335;

    MacroSizeFiltersPage();
    MacroSizeFilters* data = nullptr;
    MacroFilterGroupView path;
    MacroFilterGroupView size;

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onDestroy() override;
};

// Page 2: the named string lists, on copies of the settings' three parallel lists.
class MacroListsPage : public ui::Dialog {
public:
    static constexpr int kTemplate = 8718;
    static constexpr int kExplanation = 1341, kNamesLabel = 1342, kNames = 1343, kTable = 1344,
                         kInsert = 1345, kDelete = 1346, kPictureLabel = 1347, kPicture = 1348;

    MacroListsPage() : ui::Dialog(kTemplate) {}
    // The copies (set by the host before create()) and the list shown (-1 none).
    Zrk_StringArray names;
    Zrk_Array<Zrk_StringArray> lists;
    Zrk_StringArray pictures;
    int shown = -1;
    SettingsTable table;

    // Stores the list shown: its strings (empty rows left out) and the picture chosen.
    void store();
    // The host's OK: the list shown stored, the copies handed back.
    void handBack(MacroSettingsData& settings);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;

private:
    void show(int index);
};

// Page 3: how variables are rounded, their units and decimals, and default values.
class MacroVariablesPage : public ui::Dialog {
public:
    static constexpr int kTemplate = 214;
    static constexpr int kExplanation = 1350;
    static constexpr int kRoundingLabel = 1352, kRounding = 1353, kUnitsLabel = 1354, kUnits = 1355,
                         kDecimalsLabel = 1356, kDecimals = 1357, kTable = 1358, kInsert = 1359,
                         kDelete = 1360;

    MacroVariablesPage() : ui::Dialog(kTemplate) {}
    MacroSettingsData* data = nullptr;
    SettingsTable table;

    // The controls into the settings. The decimals are a whole number from 0 to 3 (a text that is no
    // number reads 0, others are brought into that range); rows without a name and without a value
    // are left out.
    void store();

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onDestroy() override;
};

// Page 4: the group name, the member prefix and the (module, member group, count) table.
class MacroGroupsPage : public ui::Dialog {
public:
    static constexpr int kTemplate = 215;
    static constexpr int kNameLabel = 1361, kName = 1182, kPrefixLabel = 1362, kPrefix = 1018,
                         kExplanation = 1363, kTable = 1364;

    MacroGroupsPage() : ui::Dialog(kTemplate) {}
    MacroSettingsData* data = nullptr;
    SettingsTable table;

    // The controls into the settings; rows with every cell empty are left out, counts read leniently.
    void store();

protected:
    bool onInitDialog() override;
    void onDestroy() override;
};

class DlgMacroSettings : public ui::Dialog {
public:
    static constexpr int kTemplate = 8721;
    static constexpr int kTabs = 1000;
    enum Page { kAnglePage, kSizePage, kListsPage, kVariablesPage, kGroupsPage, kStandardsPage, kPageCount };

    // The macro's name goes into the caption; firstPage is the page shown first.
    explicit DlgMacroSettings(Zrk_String macroName = Zrk_String(), int firstPage = kAnglePage,
                              QWidget* owner = nullptr);
    ~DlgMacroSettings() override;

    // The dialog's own record; its tabMapping needs the catalogue of the macro (macroMapping) for the
    // standards page to show bindings.
    MacroSettingsData data;
    MacroAngleFiltersPage anglePage;
    MacroSizeFiltersPage sizePage;
    MacroListsPage listsPage;
    MacroVariablesPage variablesPage;
    MacroGroupsPage groupsPage;
    StandardsMappingPage mappingPage;

    // The page shown.
    int currentPage() const;

protected:
    bool onInitDialog() override;
    bool onNotify(int id, int code, const void* details) override;
    void onOK() override;
    void onDestroy() override;

private:
    ui::Dialog& page(int index);
    void showPage(int index);

    Zrk_String macroName_;
    int firstPage_;
};

// The general settings of the macro with that id in the working drawing: read (GetMacroSettings), the
// standards page given the catalogue of the macro's mappable objects, the dialog run on them from
// firstPage, and on OK written back (SetMacroSettings, one undo record). Mapping records the standards
// page wrote stay in the mapping files whatever the end. False when the id is no macro of the working
// drawing, on Cancel, and when the settings could not be written.
SS_EXPORT bool StartDlgMacroSettings(AcDbObjectId macroId, int firstPage = DlgMacroSettings::kAnglePage);
