#pragma once
// The DSTV point groups dialog (template 234, StartDSTVPointsDlg): the groups of the library's points
// folder (core/dstv_points.h), the one in use checked. It works on their files as the person goes:
// "+" makes an empty group (its name checked first), "-" deletes the chosen one without asking,
// "Put in use" makes it the group in use, "Edit..." opens the points dialog (dlg_dstv_points.h) on its
// points and writes them back on OK. Failures show their reason and change nothing.

#include "core/zrk_string.h"
#include "module/export.h"
#include "ui/dialog.h"

class DlgDstvGroups : public ui::Dialog {
public:
    static constexpr int kTemplate = 234;
    static constexpr int kGroupCombo = 1010;
    static constexpr int kAddGroup = 1011;
    static constexpr int kRemoveGroup = 1012;
    static constexpr int kUseGroup = 1013;
    static constexpr int kEditGroup = 1014;

    explicit DlgDstvGroups(QWidget* owner = nullptr);

    // The group chosen in the list, or empty.
    Zrk_String chosenGroup() const;

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;

private:
    // The groups again, the one in use checked, choose chosen (else the one at index, else none).
    void fillGroups(const Zrk_String& chosen, int index = 0);
    void addGroup();
    void removeGroup();
    void useGroup();
    void editGroup();
    void updateEnabling();
    void showError(const Zrk_String& message);
};

// The point groups dialog on the library's points folder. The groups and points are written as the
// person changes them.
SS_EXPORT void StartDSTVPointsDlg();
