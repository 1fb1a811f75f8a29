#pragma once
// The constraint dialog (template 8715): one macro's modules and, for the current module, its
// constraints, geometry, variables and equations, over an EditConstrData record of the window's own
// (copied from the caller's, never written back: every change goes into the drawing through the core
// library's operations, each one undo step).
//
// Four tabs, each a child page sized to the tab control's display area:
//   0 the constraint list page (template 207)     } editing pages (ConstraintEditingPage): each
//   1 the geometry page (template 8135)           } fills itself from the record (refresh) and writes
//   2 the variables and equations page (8099)     } its edits into it (store)
//   3 the palette (template 216)                  the kinds 0-13, a button each
//
// Rules the window keeps:
//   - An operation that needs the person to pick in the drawing (select another macro, a palette
//     kind, add module, zoom) runs inside the interactive wrapper: the window steps aside (hidden, an
//     editor command of the host open), the operation runs, the command is completed and the window
//     shows again, whatever the outcome.
//   - Every page is stored before the current module changes, before a rename, before a palette
//     command or a module's removal (both fill the pages again) and when the window is destroyed; switching tabs stores the page that was open when it is the list or the geometry
//     page, refreshes the list page before it is shown, and stores and refreshes the variables page.
//   - A failed (or cancelled) operation leaves the window as it was: the tab, the module shown.
//
// The window is modeless (one at a time, StartDlgEditConstraints, ended by EndDlgEditConstraints or
// its close box) or modal (StartDlgEditConstrModal: the close box cancels, the Close button is OK).

#include <functional>
#include <memory>

#include "constraints/constraint_pages.h"
#include "core/edit_constr_data.h"
#include "module/export.h"
#include "ui/dialog.h"
#include "ui/resizer.h"

// The palette (template 216): a button per constraint kind, each telling the window its kind.
class ConstraintPalettePage : public ui::Dialog {
public:
    static constexpr int kTemplate = 216;
    static constexpr int kFirstButton = 1024; // kind k is button 1024 + k
    static constexpr int kKinds = 14;

    ConstraintPalettePage() : ui::Dialog(kTemplate) {}
    // Called with the kind of the button pressed.
    std::function<void(int kind)> onKind;

    // The picture file of a kind (in the product folder's icons), and its text id; "" and 0 for the
    // kind without a picture (10).
    static const char* pictureFile(int kind);
    static int textId(int kind);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
};

class SS_EXPORT DlgEditConstraints : public ui::Dialog {
public:
    static constexpr int kTemplate = 8715;
    static constexpr int kSelect = 1079;
    static constexpr int kModules = 1088;
    static constexpr int kAddModule = 1090;
    static constexpr int kRename = 1183;
    static constexpr int kRemove = 1089;
    static constexpr int kZoom = 1320;
    static constexpr int kSettings = 1137;
    static constexpr int kTabs = 8097;
    enum Tab { kListTab, kGeometryTab, kVariablesTab, kPaletteTab, kTabCount };
    static constexpr int kAddModuleKind = 11;
    static constexpr const char* kSizeKey = "DLG_EDIT_MACRO";

    explicit DlgEditConstraints(bool modeless = false, QWidget* owner = nullptr, int firstTab = kListTab);
    ~DlgEditConstraints() override;

    EditConstrData data;
    const bool modeless;
    // The tab shown first.
    const int firstTab;
    std::unique_ptr<ConstraintEditingPage> listPage;
    std::unique_ptr<ConstraintEditingPage> geometryPage;
    std::unique_ptr<ConstraintEditingPage> variablesPage;
    ConstraintPalettePage palette;

    // The tab shown; -1 before the first is.
    int currentTab() const { return currentTab_; }
    // Whether the close box is being handled (the window must not be deleted meanwhile).
    bool isClosing() const { return closing_; }

    // --- what the controls do -------------------------------------------------------------------
    // Each answers whether the operation succeeded; a failure leaves the window as it was.
    bool runPaletteKind(int kind);
    bool selectOtherMacro();
    bool renameModule();
    bool removeModule();
    bool zoom();
    bool editSettings();

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    bool onNotify(int id, int code, const void* details) override;
    // Modeless, the Close button, Escape and the close box all end the window (EndDlgEditConstraints):
    // a window merely hidden would still count as the open one, and no later start would show it.
    // Modal, Close is OK and the others cancel.
    void onOK() override;
    void onCancel() override;
    void onClose() override;
    void onSize(int width, int height) override;
    void onDestroy() override;

private:
    bool interactive(const std::function<bool()>& operation);
    void endModeless();
    void fillModuleList();
    void makeSelectedModuleCurrent();
    void refreshEditingPages();
    void storeAllPages();
    void switchPages();
    ui::Dialog* page(int tab);
    void placePages();

    CResizer layout_;
    int currentTab_ = -1;
    bool zooming_ = false;
    bool closing_ = false;
};

// The open modeless constraint dialog, or null.
DlgEditConstraints* openConstraintDialog();

// The record of a macro of the working drawing with its first module current (no module current
// when it has none).
SS_EXPORT EditConstrData constraintRecordOf(AcDbObjectId macroId);

// Opens the modeless constraint dialog on a copy of data, over the host's main window, and gives the
// focus back to the main window. While one is open nothing happens (true all the same). False when
// the window could not be made.
SS_EXPORT bool StartDlgEditConstraints(EditConstrData& data);
// Runs the constraint dialog modally on a copy of data, showing the tab firstTab (a Tab) first; true
// when it ends with its Close button (the close box cancels). The caller's record is not written back.
SS_EXPORT bool StartDlgEditConstrModal(EditConstrData& data, int firstTab = DlgEditConstraints::kListTab);
