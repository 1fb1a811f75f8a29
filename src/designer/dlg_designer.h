#pragma once
// The dialog designer (template 227): the modal window in which a macro author edits a dialog
// template on its picture. The picture lies at the window's top-left corner with the template's
// controls on it; the panel on the right holds the commands and the selected control's properties.
//
//   mouse on the picture      select (Ctrl toggles, Shift adds), drag, resize, rubber band
//   Open, Save as             a template below the root folder (getDesignerRootFolder())
//   Add, Delete, Copy         a cell edit at (0.2, 0.2); the selection; the selection 20 px further
//   Width, Height             a size in pixels for every selected control
//   "_ _", "| |"              bottom edges on the control furthest left; one control against the
//                             right edge of another
//   Picture                   a picture copied beside the template (a template without a name is
//                             saved first)
//   type, the two texts       the single selected control's properties, applied as they change
//   Close (OK)                asks whether to save a changed template; Cancel closes without asking;
//                             Escape does nothing; the close box asks and ends as Cancel
//
// The window keeps whether the template has changed since it was opened or saved: every press of
// the mouse on it, every command that changes it and every property applied marks it. Nothing
// changed is lost without the question; a save that fails says why, keeps the mark and never closes
// the window.
//
//   StartDlgDesigner(getDesignerRootFolder() + "End plate.txt");   // true when closed with OK

#include <vector>

#include "designer/designer_data.h"
#include "module/export.h"
#include "ui/dialog.h"
#include "ui/file_dialogs.h"
#include "ui/resizer.h"

class DlgDesigner : public ui::Dialog {
public:
    static constexpr int kTemplate = 227;
    // The property panel.
    static constexpr int kTypeCombo = 1005;
    static constexpr int kTypeFrame = 1015;
    static constexpr int kContentsLabel = 1016;
    static constexpr int kContentsEdit = 1304;
    static constexpr int kComboListLabel = 1017;
    static constexpr int kComboListEdit = 1305;
    // The commands.
    static constexpr int kOpen = 1299;
    static constexpr int kSaveAs = 1302;
    static constexpr int kAdd = 1300;
    static constexpr int kDelete = 1301;
    static constexpr int kWidth = 1306;
    static constexpr int kHeight = 1307;
    static constexpr int kCopy = 1199;
    static constexpr int kPicture = 1303;
    static constexpr int kAlignBottoms = 1200;
    static constexpr int kStickRight = 1201;

    // templatePath: the full path of the template to open (or empty: a new template).
    explicit DlgDesigner(const Zrk_String& templatePath = {}, QWidget* owner = nullptr);

    // The template being edited (design mode once the window exists).
    Zrk_DlgDesignerData data;
    // Child-window ids selected when the window opens, after the template was read.
    std::vector<int> selection;

    bool isModified() const { return modified_; }

    // The commands of the panel, as its buttons run them; each answers whether it did its work.
    bool openTemplate();
    // Saves under a name the person chooses; false when cancelled or nothing was written.
    bool saveAs();
    bool choosePicture();
    // Asks whether to save a changed template: false when the person cancels, or a save failed.
    bool askToSave();

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onOK() override;
    void onClose() override;
    void onSize(int width, int height) override;
    void onDestroy() override;
    bool preTranslateKey(const ui::KeyPress& key) override;
    void onEraseBackground(QPainter& painter) override;
    void onPaint(QPainter& painter) override;
    void onLButtonDown(const QPoint& point, Qt::KeyboardModifiers modifiers) override;
    void onMouseMove(const QPoint& point, Qt::MouseButtons buttons) override;
    void onLButtonUp(const QPoint& point, Qt::KeyboardModifiers modifiers) override;

private:
    // Writes the template to path; a failure is shown with its reason. True when written.
    bool writeTemplate(const Zrk_String& path);
    // After a template was read: its windows, the window grown to show its picture, the title.
    void showTemplate();
    void updateTitle();
    // Makes the client area large enough for the picture beside the panel (it never shrinks).
    void fitToPicture();
    // The file dialog's request for a template file (*.txt), in the folder of the current template
    // (the root folder for a template without a name).
    ui::FileDialogRequest templateFileRequest(ui::FileDialogRequest::Mode mode, int titleText) const;
    void markModified(bool changed) { modified_ = modified_ || changed; }

    Zrk_String initialPath_;
    bool modified_ = false;
    CResizer resizer_;
};

// Runs the designer on the template at templatePath (a full path, or empty), with the module's
// resources current. True when the person closed it with OK (Close).
SS_EXPORT bool StartDlgDesigner(const Zrk_String& templatePath);
