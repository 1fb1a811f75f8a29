#pragma once
// The macro dialog (template 8131): the parameter window of one or more connection macros edited
// together. It works on its own copy of the caller's MacroData (macro_data.h): one page per tab
// (macro_page.h), each change applied to the macros of the drawing at once; the caller gets the data
// back when the dialog ends (modal) or reads it while it is open (modeless, GetDlgMacroData).
//
// Around the pages: the selection of other macros, the two selection lists (the group and the macros
// of it), the view buttons, load from standards, the clash check, re-apply-and-close, the property
// files (disabled until their dialog is installed: setPropertyFileChooser) and Close. When the data
// asks for the advanced profile settings at start and the tab shown first is a profile tab, its page
// opens them once the dialog is initialised.
//
// Close (the Close button, the close box, Escape on a page, and after a re-apply that succeeded) posts
// "CANCELCMD", changes the view of the shown tab with mode 3, marks the data as closed and ends the
// dialog: a modal one as OK, a modeless one through its slot of the modeless table
// (EndDlgMacroModeless), which may defer the end while the data is busy.
//
// Size. The window's size is stored under a key made of the edited macros (sizeKey) when the window
// is destroyed, and given back when a dialog for the same macros opens. The window fits its pages
// once it has had a size change of its own; it never becomes smaller than its first size.
//
// Other windows recognise a macro dialog by its answer 1 to the private message 0x7101
// (isMacroDialog).

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "core/macro_data.h"
#include "frame/modeless_dialogs.h"
#include "macrodlg/macro_page.h"
#include "module/export.h"
#include "ui/dialog.h"
#include "ui/resizer.h"

class SS_EXPORT DlgMacro : public ui::Dialog {
public:
    static constexpr int kTemplate = 8131;
    static constexpr int kTabs = 8097;
    static constexpr int kSelectOther = 1176;
    static constexpr int kList1Frame = 1179;
    static constexpr int kList1 = 1177;
    static constexpr int kList2Frame = 1180;
    static constexpr int kList2 = 1178;
    static constexpr int kViewReset = 1181; // mode 3
    static constexpr int kView0 = 1182;
    static constexpr int kView1 = 1183;
    static constexpr int kView2 = 1184;
    static constexpr int kLoadStandards = 1185;
    static constexpr int kClash = 1292;
    static constexpr int kReApply = 1293;
    static constexpr int kLoadProps = 1299;
    static constexpr int kSaveProps = 1302;
    // The private message a macro dialog answers with 1.
    static constexpr int kMacroDialogMessage = 0x7101;
    // What fitting adds to the widest and tallest page.
    static constexpr int kFitExtraWidth = 47;
    static constexpr int kFitExtraHeight = 160;
    static constexpr int kMinTrackWidth = 280;
    static constexpr int kMinTrackHeight = 300;

    // modelessIndex: the slot in the modeless table, -1 for a modal dialog.
    explicit DlgMacro(int modelessIndex = -1, QWidget* owner = nullptr);
    ~DlgMacro() override;

    MacroData macroData;         // the dialog's own copy
    MacroData& data = macroData; // the name the entry helpers use
    const int modelessIndex;

    // --- what the pages use ----------------------------------------------------------------------
    int pageCount() const { return static_cast<int>(pages_.size()); }
    MacroPage* page(int index) const;
    int pageKind(int index) const;
    // The page shown, or null.
    MacroPage* activePage() const { return page(activePage_); }
    int activePageIndex() const { return activePage_; }
    // Every page shows its tab again; with keepFocus the shown page keeps its focus.
    void refreshAllPages(bool keepFocus);
    // Reads every page into the data, writing each tab's changes into the macros.
    void readAllPages();
    void closeDialog();
    // The focus memory of the pages, by tab name.
    std::map<Zrk_String, MacroPageFocus> focusMemory;
    // Whether the dialog has shown a page before (the shown page's focus is then restored).
    bool hasShownPage() const { return shownBefore_; }
    // Whether the dialog is being closed from inside (the window must not be deleted meanwhile).
    bool isClosing() const { return closing_; }

    // --- what the controls do --------------------------------------------------------------------
    // Each is what the control's command does; a test or the window calls them alike.
    void selectTab(int index);
    bool selectOtherMacros();
    void selectionListChanged(int listId);
    void changeView(int mode);
    void loadFromStandards();
    void reApply();
    // The size key of the edited macros (see the top of this file).
    Zrk_String sizeKey() const;
    // The answer to a private message: 1 for kMacroDialogMessage, else 0.
    long sendPrivateMessage(int message) const { return message == kMacroDialogMessage ? 1 : 0; }
    // Enters a value as a person types it: the variable's tab is shown, the value goes into the
    // control (or grid cell) that shows the variable, and the page is applied. False, with the reason,
    // when no tab has the variable, it is read-only, or the macros do not take the value (the drawing
    // then stays as it was).
    bool enterValue(const Zrk_String& variable, const Zrk_String& value, Zrk_String& failure);
    // How many times the drawing was changed through the dialog (each apply that wrote something).
    int appliedChanges() const { return appliedChanges_; }
    void countAppliedChange();
    // Called after each apply that changed the drawing (the desktop window marks the drawing changed).
    std::function<void()> onDrawingChanged;

    // --- property files --------------------------------------------------------------------------
    // The property-file dialog's part: it lets the person choose a file of the data's property folder
    // to load (load true) or to save, and answers its path (false: cancelled). The dialog installs it
    // (macro_property_files.cpp); without one the load and save buttons stay disabled. Answers the
    // chooser it replaces.
    using PropertyFileChooser = std::function<bool(DlgMacro& dialog, bool load, Zrk_String& path)>;
    static PropertyFileChooser setPropertyFileChooser(PropertyFileChooser chooser);
    // Load: the file's values into the data and the macros (placement references left out, as they
    // name objects of another drawing), the pages shown again; values the macros could not use are
    // counted in a message. When the macros refuse the values, nothing changes and the person is told.
    // Save: the pages read into the data, the data written to the file. False when not allowed,
    // cancelled, refused, or the file could not be read or written (the reason said).
    bool loadPropertyFile();
    bool savePropertyFile();

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    bool onNotify(int id, int code, const void* details) override;
    void onOK() override;
    void onCancel() override;
    void onClose() override;
    void onSize(int width, int height) override;
    void onDestroy() override;
    void showEvent(QShowEvent* event) override;

private:
    void rebuildPages();
    void destroyPages();
    void placePages();
    void fitToPages();
    void fillTitleAndLists();
    void showSelectedPage();
    void enablePropertyButtons();
    bool choosePropertyFile(bool load, Zrk_String& path);

    std::vector<std::unique_ptr<MacroPage>> pages_;
    std::vector<int> pageKinds_;
    int activePage_ = -1;
    bool shownBefore_ = false;
    bool userResized_ = false;
    bool initialised_ = false;
    bool closing_ = false;
    bool everShown_ = false; // a dialog never shown (values entered by a script) keeps no size
    int appliedChanges_ = 0;
    QSize minimumSize_;
    CResizer layout_;
};

// A window is a macro dialog when it answers the private message with 1.
SS_EXPORT bool isMacroDialog(const QWidget* window);

// Runs the macro dialog modally on a copy of data; data is always the dialog's afterwards.
SS_EXPORT void StartDlgMacro(MacroData& data);
// The same, answering how many applies changed the drawing.
SS_EXPORT int runMacroDialog(MacroData& data);
// Enters the values (variable, value) into a macro dialog on a copy of data, as a person types them
// (DlgMacro::enterValue), without showing it, then closes it as Close does; data is the dialog's
// afterwards. False at the first value that cannot be entered, with the reason. changes: how many
// applies changed the drawing.
SS_EXPORT bool enterMacroValues(MacroData& data, const std::vector<std::pair<Zrk_String, Zrk_String>>& values,
                                int& changes, Zrk_String& failure);
// Opens a modeless macro dialog on a copy of data in a slot of the modeless table (slot: its index;
// -1 when none could be made); keepFocus false gives the focus back to the host's main window. True
// when the dialog was made.
SS_EXPORT bool StartDlgMacroModeless(bool keepFocus, MacroData& data, int& slot);
// The dialog of a modeless slot (null for an empty slot).
SS_EXPORT DlgMacro* modelessMacroDialog(int slot);
