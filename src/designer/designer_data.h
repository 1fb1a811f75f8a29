#pragma once
// A dialog template in memory: a background picture with controls placed on it (designer_control.h),
// and its binding to the dialog whose child windows show those controls. The designer edits
// templates in design mode; the macro dialogs show them at run time.
//
// Live controls. Bound to a dialog (initialize) and with its picture attached, a template makes one
// child window per control (redrawAllControls), placed by its factors on the picture, which the dialog
// paints as its background. The dialog passes on what the template needs of its events:
//
//   run time (a macro page)                      design mode (the designer)
//   onEraseBackground -> OnEraseBkgnd            onEraseBackground -> OnEraseBkgnd
//   preTranslateKey   -> handleTabKey            onPaint           -> OnPaint (the selection)
//   onCommand of its ids (33000 ...) ->          onLButtonDown     -> OnLButtonDown
//     isADynControl, getDynControlType,          onMouseMove       -> OnMouseMove (drags, the pointer)
//     getCtrlValue, getFlexBtnGroupName ...      onLButtonUp       -> OnLButtonUp (true: the selection
//                                                                     or positions may have changed)
// At run time the windows are enabled (unless read-only) and take part in a row-wise tab order; in
// design mode every window lets the mouse through to the dialog and only labels are enabled, so that
// the template's tracker (design_tracker.h) selects, drags and resizes them. Labels and group boxes
// have no background of their own: they always sit transparently on the picture.
//
// Windows move only under the mouse; the factors follow when they are read back
// (getSizeFromAllControls), which the alignment commands and writeToFile do first. Windows are made
// again as a whole (redrawAllControls) after every structural change.
//
// Hand-edited templates: factors that are huge, negative, inverted or no numbers never hang or crash
// the layout. Rectangles are normalised and held within +-30000 pixels (a factor that is no number
// counts as 0); the tab order takes the first remaining control when none has a top below 100 (tops
// of 100 or more, or no numbers), and a control always joins the row it starts; without a picture no
// factor is divided by its size of 0: the factors stay as they are.
//
// Files. A template is a text file "<name>.txt" (the core library's properties list) with its picture
// "<name>.bmp" beside it, somewhere below the root folder (getDesignerRootFolder()); its name is the
// path relative to the root folder without extension ("Plates/End plate"). The keys, in the order
// they are written:
//     nrOfControls                                 integer
//     for each control i = 0 .. N-1:
//       type<i>                                    integer (Zrk_ControlType)
//       topLeftX<i> topLeftY<i> bottomRightX<i> bottomRightY<i>   doubles (factors)
//       contents<i>                                string
//       comboList<i>                               string (the merged parameter text)
// Resource ids, tab order, read-only flags and list items are not stored.
//
// Paths from callers may use '\'; they are made lexically normal before the root-folder test, so a
// path that climbs out of the root folder with ".." is outside it.

#include <QIcon>
#include <QImage>
#include <QPointer>
#include <memory>
#include <vector>

#include "core/zrk_string.h"
#include "designer/designer_control.h"
#include "module/export.h"
#include "spread/tab_msg_handle.h"
#include "ui/dialog.h"

class CControlRect;
class CDesignTracker;
class QPainter;

// The templates' root folder: the library folder's "Dialog Templates/Dialog Design/".
SS_EXPORT Zrk_String getDesignerRootFolder();
// The names of all templates (the ".txt" files below the root folder), sorted.
SS_EXPORT void getModuleImages(Zrk_StringArray& names);

class SS_EXPORT Zrk_DlgDesignerData {
public:
    // The child-window ids the designer and the macro dialogs give to template controls.
    static constexpr int kFirstControlId = 33000;
    static constexpr int kLastControlId = 33099;
    // Text-file templates cannot hold more controls than this.
    static constexpr int kMaxControls = 1000;

    Zrk_DlgDesignerData();
    // A copy holds the same template (controls, name, picture, id range, mode) and is bound to no
    // dialog: initialize it to show it.
    Zrk_DlgDesignerData(const Zrk_DlgDesignerData& other);
    Zrk_DlgDesignerData& operator=(const Zrk_DlgDesignerData& other);
    virtual ~Zrk_DlgDesignerData();

    // --- binding to a dialog -----------------------------------------------------------------------

    // Binds the template to its dialog with the range of child-window ids for its controls. In design
    // mode it also makes the selection, takes the ids of the designer's five property controls, fills
    // the type list with the 31 type names and shows the selection's properties. False for a null
    // dialog.
    bool initialize(ui::Dialog* dialog, int firstId, int lastId, int typeComboId, int contentsLabelId,
                    int contentsEditId, int comboListLabelId, int comboListEditId, bool designMode);
    bool isInitialized() const { return initialized_; }
    bool isDesignMode() const { return designMode_; }
    // The dialog, or null before initialize (or once the dialog is gone).
    ui::Dialog* getDlgPtr() const;
    // The selection (design mode only), or null.
    CDesignTracker* tracker() const { return tracker_.get(); }

    // --- controls ------------------------------------------------------------------------------------

    // Gives c the lowest id of the range that no control uses (0 when all are used), stores a copy at
    // the end and answers the id.
    int append(Zrk_DesignerControl& c);
    // A new control of type t: contents text 171, top-left corner at factors (0.2, 0.2), 30 x 18 pixels
    // of the current picture; its window is made when the template is bound to a dialog.
    bool addNewControl(Zrk_ControlType t);
    // Deletes the control at that index (no window is touched); nothing for an invalid index.
    void removeControl(const int& index);
    int getNrControls() const { return controls_.length(); }
    // The control at index, or null. The pointer is valid until controls are added or removed.
    const Zrk_DesignerControl* getControl(const int& index) const;
    Zrk_DesignerControl* getControlWrite(const int& index);
    // The control with that child-window id, or null.
    Zrk_DesignerControl* getControlFromRes(const int& id);
    // The contents (cell names) of the cell edits (type 2), in template order.
    void getAllCtrlNames(Zrk_StringArray& names) const;

    // --- geometry ------------------------------------------------------------------------------------

    // Pixels of the picture to factors and back; without a picture every factor is 0.
    double pixelsToFactor(bool horizontal, double pixels) const;
    double factorToPixels(bool horizontal, double factor) const;

    // A control's edges in pixels of the picture; the setters take pixels and store factors.
    double getTopLeftX(const Zrk_DesignerControl& control) const;
    double getTopLeftY(const Zrk_DesignerControl& control) const;
    double getBottomRightX(const Zrk_DesignerControl& control) const;
    double getBottomRightY(const Zrk_DesignerControl& control) const;
    void setTopLeftX(Zrk_DesignerControl& control, double pixels) const;
    void setTopLeftY(Zrk_DesignerControl& control, double pixels) const;
    void setBottomRightX(Zrk_DesignerControl& control, double pixels) const;
    void setBottomRightY(Zrk_DesignerControl& control, double pixels) const;
    // Right - left and bottom - top, in pixels.
    double getWidth(const Zrk_DesignerControl& control) const;
    double getHeight(const Zrk_DesignerControl& control) const;
    // The two setters anchor opposite sides: setWidth keeps the left edge, setHeight the bottom edge.
    void setWidth(Zrk_DesignerControl& control, double width) const;
    void setHeight(Zrk_DesignerControl& control, double height) const;
    // Sets the width (keeping the left edge) or the height (keeping the top edge) of the control at
    // index; false for an invalid index or without a picture.
    bool changeCtrlSize(int index, bool horizontal, double pixels);
    // Reads the rectangles of the windows back into the factors of their controls, so that what the
    // mouse moved is what commands and files see. Controls without a window keep their factors, and
    // without a picture all do. False without a dialog or a picture.
    bool getSizeFromAllControls();

    // --- windows -------------------------------------------------------------------------------------

    // Makes the windows again: at run time after sorting the tab order, in design mode after clearing
    // the selection. False when the template is not bound to a dialog.
    bool redrawAllControls();
    // Destroys the windows (and takes them out of the selection); the controls stay.
    void removeAllDrawnCtrls();
    // Destroys the window with that id; false when there is none.
    bool removeDrawnCtrlOnly(const int& id);
    // Design mode: removes the selected controls and their windows; false without a selection tracker.
    bool removeCurControls();
    // The drawn control (window and rectangle) with that id and its place among the drawn ones.
    bool findDrawnCtrlFromResource(const int& id, int& index, CControlRect*& drawn) const;
    int getNrDrawnControls() const { return static_cast<int>(drawnControls_.size()); }
    const CControlRect* getDrawnControl(int index) const;
    // The icon of flex buttons (module icon 239), loaded on first use.
    const QIcon& flexIcon();

    // --- painting and the mouse (the host dialog passes them on) -------------------------------------

    // The background: in design mode the button face first, then the picture at the client origin with
    // its white left out, so that the dialog shows through. False (nothing painted) when unbound.
    bool OnEraseBkgnd(QPainter& painter);
    // Design mode: the frames and handles of the selected controls, and what the mouse drags.
    void OnPaint(QPainter& painter);
    // Design mode: the pointer for a point of the client area (handles, move cross); false where the
    // template has none, which leaves the dialog's own.
    bool OnSetCursor(const QPoint& point);
    // Design mode (design_tracker.h): a press selects (Ctrl toggles, Shift adds) and starts a drag,
    // a resize or a rubber band, which moves follow and the release ends. OnLButtonUp answers true when
    // a drag ended: the selection or the positions may have changed.
    void OnLButtonDown(Qt::KeyboardModifiers flags, const QPoint& point);
    void OnMouseMove(const QPoint& point);
    bool OnLButtonUp(Qt::KeyboardModifiers flags, const QPoint& point);

    // --- selection and alignment (design mode) -------------------------------------------------------

    // The index of the single selected control, or -1.
    int getCurSel() const;
    // Selects exactly these child-window ids.
    void selectCtrls(const std::vector<int>& ids);
    // Each command reads the window positions back first and makes the windows again after.
    // A copy of every selected control, 20 pixels right and down; the copies become the selection.
    bool copyCurCtrls();
    // Aligns the bottom edges of the selected controls on the one furthest left (heights kept).
    bool outlineCurCtrls();
    // Exactly two selected: the right one is put against the right edge of the left one, with its top
    // and bottom (its width kept).
    bool stickRightCurCtrls();
    // Asks for a width or height in pixels (the module's text input) and gives it to every selected
    // control. Anything but a number above 0 is refused with a message, and nothing changes.
    bool changeCtrlSize(bool horizontal);

    // --- tab order and focus ---------------------------------------------------------------------------

    // Gives tab orders 1, 2, ... row by row from the top, left to right within a row. A row is the
    // topmost remaining control and every remaining one whose top lies above its bottom. Labels, group
    // boxes and read-only controls take no part and keep their previous order.
    void sortAllControls();
    // Tab (key 9) on a template control: the focus goes to the next (Shift: the previous) control in
    // tab order that can take it (tabHandled), or the answer is tabPastLast / tabBeforeFirst for the
    // caller to move on. False (and tabNotHandled) for another key, an unbound template, one without
    // editable controls, or the focus elsewhere.
    bool handleTabKey(int keyCode, bool shift, Zrk_TabMsgHandle& result);
    bool handleTabKey(const ui::KeyPress& key, Zrk_TabMsgHandle& result) {
        return handleTabKey(key.key, key.shift, result);
    }
    // The focus to the first (or last) control in tab order that can take it; an edit's text selected.
    bool setFocusToCtrl(bool first);
    // The id of the template window that has the focus.
    bool getFocusedDynControl(int& id) const;

    // --- look-ups ----------------------------------------------------------------------------------------

    // The first cell edit or cell combo box (2, 3) whose contents is text.
    bool findEditCtrlWithContents(const Zrk_String& text, int& index) const;
    // Whether a window with that id was made from this template (and still exists).
    bool isADynControl(const int& id) const;
    bool getDynControlType(const int& id, Zrk_ControlType& type) const;
    // Bolt counts (4, 5).
    bool isTypeBoltCount(const int& id) const;

    // --- values --------------------------------------------------------------------------------------------

    // The value a window shows: check boxes (29) "0", "1" or the varies text (695) when undetermined;
    // cut types (28) the chosen index; every other window its text. False without such a window.
    bool getCtrlValue(const int& id, Zrk_String& value) const;
    // Shows a value: cell buttons (25, 26) keep their text; check boxes are checked for a number above
    // 0, and undetermined (a three-state box until the next value) for the varies text; cut types
    // choose the item of that index (none for another number); other windows take it as their text.
    bool setCtrlValue(const int& id, const Zrk_String& value);
    // Enables or disables a cell edit or cell combo box (2, 3); false for other types.
    bool setCtrlReadOnly(const int& id, const bool& readOnly);

    // --- flex buttons (30): a group is the first flex parameter, a button's name its contents -------

    // Every group once (empty names are no group), in template order.
    void getFlexBtnsGroups(Zrk_StringArray& groups) const;
    // The indices of the group's buttons, and of those whose third flex parameter is given.
    bool getFlexBtnsInGroup(const Zrk_String& group, std::vector<int>& indices,
                            std::vector<int>& withThirdParam) const;
    bool findFlexButton(const Zrk_String& group, const Zrk_String& name, int& index) const;
    // The names of the group's buttons; false when it has none.
    bool getAllFlexVarsOfGroup(const Zrk_String& group, Zrk_StringArray& names) const;
    bool getFlexBtnGroupName(const int& id, Zrk_String& group, Zrk_String& name) const;
    // The check state (0, 1) of the flex button at index.
    bool getFlexBtnStatus(const int& index, int& state);
    // Sets the check state of the group's button of that name (2 counts as 0).
    bool setFlexBtnStatus(const Zrk_String& group, const Zrk_String& name, const int& state);
    // Reads (set false) or sets the check state of the flex button at index; 2 is set as 0.
    bool getSetFlexBtnStatus(const bool& set, const int& index, int& state);
    bool hideAllFlexBtns(const Zrk_String& group);

    // Every control's contents and factors on the host's command line.
    void printPositions() const;

    // --- picture ---------------------------------------------------------------------------------------

    // The picture size; 0 and 0 before initialize or while no picture is attached.
    void getImageSize(int& width, int& height) const;
    // Loads the picture (BMP or PNG) at its own size and builds its mask: a 1-bit image with the white
    // (0xFFFFFF) pixels set, which are then black in the picture, so that drawing the mask with AND and
    // the picture with OR lets the dialog show through the white. Transparent pixels count as white. A
    // file that does not exist changes nothing; one that is no picture leaves no picture (0 x 0).
    void attachBitmap(const Zrk_String& path);
    const QImage& picture() const { return picture_; }
    const QImage& mask() const { return mask_; }

    // --- files -----------------------------------------------------------------------------------------

    // Reads the template at path (a name differing only in letter case is found too) with its picture
    // when attachPicture. False, and nothing changed, for a missing file, a path outside the root
    // folder, or a file that is no template (the reason then in message, or else on the command line).
    bool readFromFile(const Zrk_String& path, bool attachPicture, Zrk_String* message = nullptr);
    // Writes the template to path and copies the current picture beside it, so that saving under a new
    // name carries the picture along. A path outside the root folder, or one that does not end in
    // ".txt" (the picture's copy would land on it), writes nothing. False when nothing
    // was written (the reason in message, when given); the template keeps its old name then.
    bool writeToFile(const Zrk_String& path, Zrk_String* message = nullptr);
    // The template's name: its path below the root folder without extension, or empty.
    const Zrk_String& getTemplateName() const { return templateName_; }

    // --- the designer's property fields (design mode) -----------------------------------------------

    // Fills the property fields from the single selected control and keeps it selected alone; with no
    // single selection the fields are emptied and disabled.
    void updatePropsOfCurSel();
    void updateProps(int index);
    bool isUpdatingProps() const { return updatingProps_; }
    // The person changed a property field: the single selected control takes the fields' values
    // (readProps). A new text shows in its window; a new type makes all windows again (the positions
    // read back first) and keeps the control selected. Nothing while the fields are being filled, or
    // without a single selection. True when the control changed.
    bool propsOfCurSelUpdated();
    // The fields into the control at index: the type chosen, the text, and the parameter text split
    // (only while its field is in use: a type without one keeps what it holds).
    bool readProps(int index);

    // The index of the control with that child-window id (false for ids of 0 and below).
    bool findCtrlFromResource(const int& id, int& index) const;

protected:
    // True when path lies below the root folder; name is then its path below it without extension.
    bool getNameFromFile(const Zrk_String& path, Zrk_String& name) const;

    // Makes the window of one control (nothing for a control without an id, or when unbound).
    bool drawControl(Zrk_DesignerControl& control);
    // Fills a combo box: cut types with their five texts, others with comboItems or else the lines of
    // the comboList file; then chooses the item equal to contents (letter case ignored), or shows
    // contents as the box's text.
    bool FillDesCombo(ui::Dialog* dialog, Zrk_DesignerControl& control);
    bool setBtnIcon(const Zrk_DesignerControl& control);
    // Reads the rectangle of the window of the control at index back into its factors.
    bool getSizeFromControl(const int& index);
    // The selected control furthest left (the earliest of equals); false when none lies left of
    // 100000 pixels.
    bool findMostLeftCtrl(const std::vector<int>& ids, int& index) const;
    // One row of the tab order: takes its controls out of indices and numbers them from counter on.
    void sortNextRow(std::vector<int>& indices, int& counter);
    // The focus to the window of the control at index (an edit's text selected); false when it has
    // none or it cannot take the focus (hidden or disabled).
    bool setFocusToCtrl(const int& index);
    // The first control with that tab order.
    bool findCtrlWithTabOrder(const int& order, int& index) const;
    // Some control is not read-only.
    bool containsEditableCtrls() const;

    bool getComboValue(const int& id, Zrk_String& value) const;
    bool setComboValue(const int& id, const Zrk_String& value);
    bool getSetComboValue(const bool& set, const int& id, Zrk_String& value);
    bool getCheckValue(const int& id, Zrk_String& value) const;
    bool setCheckValue(const int& id, const Zrk_String& value);
    bool getSetCheckValue(const bool& set, const int& id, Zrk_String& value);

private:
    void copyTemplate(const Zrk_DlgDesignerData& other);
    // The window made from this template with that id, or null.
    QWidget* windowOf(int id) const;
    // Focuses a control of that tab order that can take the focus.
    bool focusTabOrder(int order);
    int highestTabOrder() const;
    // Design mode, bound, with a picture.
    bool readyForCommand() const;
    // After an alignment command: the windows again, with these ids selected, and the dialog repainted.
    void redrawAndSelect(const std::vector<int>& ids);
    // Shows a control's new texts in its window as drawControl shows them.
    void showContents(Zrk_DesignerControl& control);

    bool initialized_ = false;
    bool updatingProps_ = false;
    bool designMode_ = false;
    QPointer<ui::Dialog> dialog_;
    std::unique_ptr<CDesignTracker> tracker_;
    QImage picture_;
    QImage mask_;
    QImage shownPicture_; // the picture with its white transparent, as the background shows it
    QIcon flexIcon_;
    bool flexIconLoaded_ = false;
    std::vector<std::unique_ptr<CControlRect>> drawnControls_;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    int firstResourceId_ = kFirstControlId;
    int lastResourceId_ = kLastControlId;
    int typeComboId_ = 0;
    int contentsLabelId_ = 0;
    int contentsEditId_ = 0;
    int comboListLabelId_ = 0;
    int comboListEditId_ = 0;
    Zrk_String templateName_;
    Zrk_Array<Zrk_DesignerControl> controls_;
};

// Reads the template at path without its picture and gives the names of its controls (the cell names
// of its cell edits); none when it cannot be read.
SS_EXPORT void GetImageDlgCtrlNames(const Zrk_String& path, Zrk_StringArray& names);
