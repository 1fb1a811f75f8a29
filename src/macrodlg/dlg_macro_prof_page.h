#pragma once
// The profile page of the macro dialog (template 219, profile tabs): the variable page's template
// and grid (macro_page.h), and below them a block of fixed fields that edits where the tab's
// profiles sit: the section, the offset type, the rotation and the base plane of a profile group,
// or of one profile of it (the profile list's first item is the whole group: its merged settings).
// Only what the person changed in the block is written, and each change is applied at once.
//
// The block is hidden when every group has its advanced button on the template. Its advanced button
// (and a group's advanced button on the template) opens the advanced profile dialog
// (dlg_prof_advanced.h), which the page serves: it reads the settings of the page's target (or of
// the group whose button it was), writes and applies them, and steps aside with the macro dialog for
// picks. Afterwards the page erases only what the advanced dialog made for itself and no profile
// stands on: a coordinate system it created. The macros it edits are never erased.
//
// The lists keep their choice across refills: the group shown before (the first when it is gone),
// and the profile chosen before (the whole group when it is not in the group shown).

#include "core/macro_data.h"
#include "macrodlg/dlg_prof_advanced.h"
#include "macrodlg/macro_page.h"
#include "module/export.h"

class SS_EXPORT DlgMacroProfPage : public MacroPage {
public:
    enum : int {
        kTemplate = 219,
        kFrame = 1211,
        kGroups = 1212,
        kProfiles = 1213,
        kSectionLabel = 1220,
        kSection = 1221,
        kPickSection = 1222,
        kOffsetLabel = 1218,
        kOffsetType = 1219,
        kRotationLabel = 1216,
        kRotation = 1316,
        kPlaneLabel = 1214,
        kPlane = 1215,
        kPickPlane = 1223,
        kAdvanced = 1114,
        kSegmented = 1210,
    };
    // The base plane list's items.
    enum : int { kPlanePicked = 0, kPlaneNone = 1, kPlaneCoordSystem = 2, kPlaneVaries = 3 };
    // The block's height below the grid, in dialog units.
    static constexpr int kBlockUnits = 83;

    DlgMacroProfPage(DlgMacro& owner, int tabIndex);

    std::vector<int> fixedControls() const override;
    void storeValues() override;
    void showValues() override;
    void openAdvancedSettings() override { runAdvanced({}); }

    // The group shown, and the profile chosen (its object number; 0: the whole group).
    Zrk_String shownGroup() const;
    int shownProfile() const;
    // Whether the block of fixed fields is shown.
    bool blockShown() const;
    // The settings the fixed fields edit (of the group, or of the chosen profile); false when there
    // is no such group or profile any more.
    bool readTarget(MacroProfProps& props) const;
    // Runs the advanced profile dialog on the page's target (group empty), or on a group's merged
    // settings.
    void runAdvanced(const Zrk_String& group);
    // Lets the person pick a section for the target (group empty), or for a group's merged settings,
    // and applies it. True when the drawing changed.
    bool pickSection(const Zrk_String& group);

protected:
    void initFixedControls() override;
    void fillFixedFields() override;
    bool onFixedCommand(int id, int code) override;
    int extraHeight() const override;
    bool onProfileGroupButton(int id, Zrk_ControlType type) override;
    void onSize(int width, int height) override;

private:
    void fillLists();
    void showSettings();
    void placeBlock();
    bool pickBasePlane();
    bool runSegmented();
    // Writes props as the target's settings (or a group's merged settings) and applies what changed.
    bool applySettings(const Zrk_String& group, const MacroProfProps& props);
    // A request of the advanced profile dialog (KvMACallBackData's kRead ... kShow).
    bool serveAdvanced(int request, MacroProfData& settings);

    // The target's settings as the fixed fields show them: storing writes only what the person
    // changed since (a template control of the same group may have changed the rest).
    MacroProfProps shownSettings_;
    bool settingsShown_ = false;
    Zrk_StringArray sectionList_; // system names of 1221's items
    Zrk_String lastGroup_;        // the group the list showed before
    int lastProfile_ = 0;         // the profile chosen before (0: the group)
    Zrk_String advancedGroup_;    // the advanced dialog's group (empty: the page's target)
};
