#pragma once
// ui::Dialog: a dialog made from a template (dialog_template.h), whose controls are reached by id and
// whose events arrive as the virtual functions below. A dialog of the module derives from it, keeps
// its own data as members, and reads like its description:
//
//   class DlgTextInput : public ui::Dialog {
//   public:
//       DlgTextInput() : ui::Dialog(8069) {}
//       Zrk_String value;
//   protected:
//       bool onInitDialog() override {
//           setItemText(8003, value);
//           gotoDlgCtrl(8003);          // focus, all text selected
//           return false;               // the focus is set
//       }
//       void onOK() override {
//           if (itemText(8003).empty()) return;
//           value = itemText(8003);
//           endDialog(ui::IDOK);
//       }
//   };
//   DlgTextInput dialog;  dialog.value = "Beam";
//   if (dialog.doModal() == ui::IDOK) use(dialog.value);
//
// Life: the C++ object and its window are apart, as on the desktop the module was designed for. The
// window (the controls) exists between create() or doModal() and destroyWindow() or the end of the
// modal run; the object, with its data, lives on. doModal() builds the controls, calls onInitDialog,
// shows the dialog and waits until endDialog; then onDestroy is called and the controls go. A
// modeless dialog is built with create() (not shown: call show()) and ends with destroyWindow(), which
// its owner must call before deleting it.
//
// Events, in the order they come: onInitDialog once the controls exist (and before the dialog shows);
// onSize on every change of the client area's size; onCommand for what the user does to a control and
// for Enter (the default button's id) and Escape (IDCANCEL); onNotify from tab controls and grid
// windows; preTranslateKey before any control sees a key; onTimer for the dialog's timers; onClose for
// the close box; the mouse and drawing in the dialog's own area (onLButtonDown, onPaint ...);
// onDestroy when the window goes. Qt signals are turned into these in one place
// (control_events.cpp). Under a ScriptedUser, doModal runs the test's script instead of an event loop.
//
// Texts are module texts (Zrk_String, the module's code page). Rectangles are in pixels of the
// dialog's client area unless they say dialog units.

#include <QDialog>
#include <QPointer>
#include <optional>
#include <vector>

#include "core/zrk_string.h"
#include "ui/codes.h"
#include "ui/dialog_template.h"
#include "ui/dialog_units.h"
#include "ui/keys.h"

class QButtonGroup;
class QPainter;

namespace ui {

class Dialog : public QDialog, public KeyHandler {
public:
    // The owner is the window the dialog belongs to (null: the host's main window, mainWindow()); the
    // dialog is not a Qt child of its owner, so the owner never deletes it.
    explicit Dialog(int templateId, QWidget* owner = nullptr);
    ~Dialog() override;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    int templateId() const { return templateId_; }
    QWidget* owner() const { return owner_; }

    // --- life ------------------------------------------------------------------------------------

    // Runs the dialog modally; answers what endDialog was given, or -1 when the template is missing
    // (a message on the host's command line says so) or the window exists already.
    int doModal();
    // Builds and initialises the dialog without showing it. A template with dialogStyle::Child
    // becomes a page inside parent; any other becomes a window owned by parent. False when the
    // template is missing or the window exists already.
    bool create(QWidget* parent = nullptr);
    // Destroys the window: onDestroy, then the controls go. False when there is no window.
    bool destroyWindow();
    // Ends the dialog with a result: a modal run returns it; a modeless dialog is hidden.
    void endDialog(int result);
    bool isCreated() const { return created_; }
    bool isRunningModal() const { return runningModal_; }
    // Whether endDialog was called since the window was built.
    bool hasEnded() const { return ended_; }
    // The result given to endDialog (IDCANCEL before).
    int modalResult() const { return result_; }

    // --- controls by id --------------------------------------------------------------------------

    // The control with that id, or null.
    QWidget* item(int id) const;
    template <typename Widget> Widget* itemAs(int id) const { return dynamic_cast<Widget*>(item(id)); }
    // The ids of the controls, in creation (tab) order.
    std::vector<int> itemIds() const;

    // Text: labels, buttons and group boxes show it; edits and editable combo boxes hold it; a combo
    // box to choose from answers its chosen item and, given a text, chooses the item that equals it.
    Zrk_String itemText(int id) const;
    bool setItemText(int id, const Zrk_String& text);
    // The text as a whole number; ok (when given) says whether it was one.
    int itemInt(int id, bool* ok = nullptr) const;
    bool setItemInt(int id, int value);

    bool isItemEnabled(int id) const;
    bool enableItem(int id, bool enable = true);
    // Whether the control itself is shown (also while the dialog is hidden).
    bool isItemShown(int id) const;
    bool showItem(int id, bool show = true);
    unsigned itemStyle(int id) const;
    bool setItemToolTip(int id, const Zrk_String& text);
    // Pictures and bitmap buttons: the bitmap (or, with style::Icon, the icon) by resource number.
    bool setItemImage(int id, int imageId);
    // Pictures: the picture of an image file (BMP, PNG ...). False, and the picture emptied, when the
    // file cannot be read.
    bool setItemImageFile(int id, const Zrk_String& path);

    // Check, three-state, radio and checkable bitmap buttons: 0 unchecked, 1 checked, 2 undetermined.
    int checkState(int id) const;
    bool setCheck(int id, int state);
    // Checks checkId and unchecks every other radio button with an id from first to last.
    void checkRadioButton(int first, int last, int checkId);
    // The id of the checked radio button from first to last, or 0.
    int checkedRadioButton(int first, int last) const;

    // Edits: the selection (end -1: to the end of the text), the most characters, read-only.
    bool setEditSel(int id, int start, int end);
    bool editSel(int id, int& start, int& end) const;
    bool setTextLimit(int id, int characters);
    bool setReadOnly(int id, bool readOnly);

    // Combo boxes (also check combo boxes); indexes from 0, -1 for none.
    int comboAddString(int id, const Zrk_String& text); // sorted place with style::Sort
    int comboInsertString(int id, int index, const Zrk_String& text); // -1 appends
    bool comboDeleteString(int id, int index);
    bool comboResetContent(int id);
    int comboCount(int id) const;
    int comboCurSel(int id) const;
    bool comboSetCurSel(int id, int index);
    Zrk_String comboText(int id, int index) const;
    // The first item equal to text (letter case ignored) after start (-1: from the first), or -1.
    int comboFindStringExact(int id, const Zrk_String& text, int start = -1) const;
    bool comboSetItemData(int id, int index, long long data);
    long long comboItemData(int id, int index) const;
    // A check box shown beside an item of a combo box to choose from (the item is still chosen, not
    // ticked, by the user): 1 checked, 0 unchecked, -1 no check box (or no such item).
    bool comboSetItemCheck(int id, int index, bool checked);
    int comboItemCheck(int id, int index) const;

    // List boxes; indexes from 0, -1 for none.
    int listAddString(int id, const Zrk_String& text);
    int listInsertString(int id, int index, const Zrk_String& text);
    bool listDeleteString(int id, int index);
    bool listResetContent(int id);
    int listCount(int id) const;
    int listCurSel(int id) const;
    bool listSetCurSel(int id, int index);
    Zrk_String listText(int id, int index) const;
    int listFindStringExact(int id, const Zrk_String& text, int start = -1) const;
    // Several selected items (style::MultipleSelection or ExtendedSelection).
    std::vector<int> listSelectedIndexes(int id) const;
    bool listSetSel(int id, int index, bool selected);

    // Tab controls.
    int tabInsertItem(int id, int index, const Zrk_String& text);
    bool tabDeleteAllItems(int id);
    int tabCount(int id) const;
    int tabCurSel(int id) const;
    bool tabSetCurSel(int id, int index);
    // In the dialog's client coordinates.
    QRect tabItemRect(int id, int index) const;
    QRect tabDisplayRect(int id) const;

    // Focus: to a control; gotoDlgCtrl also selects all the text of an edit, as Tab does.
    bool setItemFocus(int id);
    bool gotoDlgCtrl(int id);
    // The id of the control that has the focus in this dialog (or in a page inside it), or 0.
    int focusedItemId() const;

    // --- geometry --------------------------------------------------------------------------------

    QRect itemRect(int id) const;
    bool moveItem(int id, const QRect& rect);
    QRect clientRect() const { return rect(); }
    // The dialog units of the dialog's font (of the template's font before the window exists).
    DialogUnits dialogUnits() const;
    QRect mapDialogRect(const QRect& units) const { return dialogUnits().toPixels(units); }
    // The smallest size the user can give the client area.
    void setMinTrackSize(const QSize& size);
    QSize minTrackSize() const { return minimumSize(); }

    // --- controls made by code -------------------------------------------------------------------

    // Makes a control like a template's, at the template's rectangle (dialog units) or at one in
    // pixels; the dialog destroys it with its window.
    QWidget* createItem(const ControlTemplate& control);
    QWidget* createItem(const ControlTemplate& control, const QRect& pixels);
    // Puts a window made elsewhere (a grid) in the place of a placeholder: same id, rectangle,
    // tab position and stacking; the placeholder is destroyed. The window stays its maker's: the
    // dialog hides it and lets it go when the dialog's window is destroyed. False without such a
    // control.
    bool replaceItem(int id, QWidget* window);
    // Adds a window made elsewhere as a control with that id, at a rectangle in pixels.
    void addItem(int id, QWidget* window, const QRect& pixels);
    bool destroyItem(int id);

    // --- the window ------------------------------------------------------------------------------

    Zrk_String title() const;
    void setTitle(const Zrk_String& text);
    bool setIconImage(int iconId);
    // A message box owned by this dialog (message_box.h).
    int messageBox(const Zrk_String& text, const Zrk_String& caption = {}, unsigned type = MB_OK);

    // The dialog steps aside while the person works in the drawing (host/editor.h: a pick, a zoom):
    // BeginEditorCommand hides it (a modal run goes on) and opens an editor command of the host;
    // CompleteEditorCommand closes the command and, with restoreDialogs, shows the dialog again.
    void BeginEditorCommand();
    void CompleteEditorCommand(bool restoreDialogs = true);
    // Whether the dialog is hidden by BeginEditorCommand.
    bool isSteppedAside() const { return steppedAside_; }

    // Timers of this dialog: onTimer(timerId) every interval until killed (timers.h). Setting a
    // running id restarts it. False when the window does not exist.
    bool setTimer(int timerId, int milliseconds);
    bool killTimer(int timerId);

    // --- events from controls (the layer and grid windows call these) ------------------------------

    // Delivers onCommand(id, code); answers whether it was handled.
    bool sendCommand(int id, int code);
    // Delivers onNotify(id, code, details).
    bool sendNotify(int id, int code, const void* details = nullptr);

    // A key before the focused control gets it (keys.h): true consumes it. Dialogs override this
    // for Tab, Shift+Tab, Enter, Escape and function keys; the base consumes nothing.
    bool preTranslateKey(const KeyPress& key) override { return false; }

protected:
    // The controls exist, the dialog is not shown yet. True: the focus goes to the first control that
    // Tab reaches; false: the dialog has set the focus itself.
    virtual bool onInitDialog() { return true; }
    // A control's notification (codes.h), Enter (the default button's id, BN_CLICKED) or Escape
    // (IDCANCEL, BN_CLICKED). True when handled. The base calls onOK for IDOK and onCancel for
    // IDCANCEL; derived dialogs handle their ids and leave the rest to the base.
    virtual bool onCommand(int id, int code);
    // A notification with a record of its own (tab controls, grid windows). True when handled.
    virtual bool onNotify(int id, int code, const void* details) { return false; }
    // Defaults: endDialog(IDOK) and endDialog(IDCANCEL).
    virtual void onOK();
    virtual void onCancel();
    // The close box. Default: the same as Escape (onCommand(IDCANCEL, BN_CLICKED)).
    virtual void onClose();
    virtual void onTimer(int timerId) {}
    // The client area has a new size (in pixels).
    virtual void onSize(int width, int height) {}
    // The window is about to go; the controls still exist.
    virtual void onDestroy() {}
    // The mouse in the dialog's own area (on no control, or on a disabled one), client coordinates.
    virtual void onLButtonDown(const QPoint& point, Qt::KeyboardModifiers modifiers) {}
    virtual void onLButtonUp(const QPoint& point, Qt::KeyboardModifiers modifiers) {}
    virtual void onLButtonDblClk(const QPoint& point, Qt::KeyboardModifiers modifiers) {}
    virtual void onRButtonDown(const QPoint& point, Qt::KeyboardModifiers modifiers) {}
    virtual void onMouseMove(const QPoint& point, Qt::MouseButtons buttons) {}
    // Drawing the dialog's own area, over the window's colour and under the controls: first the
    // background, then the rest.
    virtual void onEraseBackground(QPainter& painter) {}
    virtual void onPaint(QPainter& painter) {}

    // Qt's side: turned into the events above.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

public:
    // Qt's ways of ending a dialog become the commands IDOK and IDCANCEL.
    void accept() override;
    void reject() override;

private:
    struct Item {
        int id;
        QPointer<QWidget> widget;
        bool owned; // made by the dialog (destroyed with its window), or a window made elsewhere
    };
    bool build(QWidget* parent);
    void teardown();
    void registerItem(int id, QWidget* widget, bool owned);
    const Item* findItem(int id) const;
    QButtonGroup* radioGroupFor(const ControlTemplate& control);
    void focusFirstTabStop();
    int defaultButtonId() const;
    // While code changes a selection, the user did not: no notification.
    struct Silence;

    int templateId_;
    QPointer<QWidget> owner_;
    DialogTemplate template_;
    std::optional<DialogUnits> units_;
    std::vector<Item> items_;
    std::vector<QButtonGroup*> radioGroups_;
    Kind lastKind_ = Kind::Static;
    bool created_ = false;
    bool runningModal_ = false;
    bool ended_ = false;
    int result_ = IDCANCEL;
    int silence_ = 0;
    bool steppedAside_ = false;
};

// The dialog a widget lies in (itself or its nearest ancestor that is a Dialog), or null.
Dialog* dialogOf(QWidget* widget);
// A control tells its dialog: onNotify(its id, code, details) / onCommand(its id, code).
bool notifyParent(QWidget* control, int code, const void* details = nullptr);
bool commandParent(QWidget* control, int code);

// The host's main window, owner of dialogs that have no other (may be null).
QWidget* mainWindow();
void setMainWindow(QWidget* window);

} // namespace ui
