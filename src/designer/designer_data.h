#pragma once
// A dialog template in memory: a background picture with controls placed on it (designer_control.h),
// and its binding to the dialog whose child windows show those controls. The designer edits
// templates in design mode; the macro dialogs show them at run time.
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

#include <QImage>
#include <QPointer>
#include <memory>

#include "core/zrk_string.h"
#include "designer/designer_control.h"
#include "frame/export.h"
#include "ui/dialog.h"

class CDesignTracker;

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
    // of the current picture.
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
    // name carries the picture along. A path outside the root folder writes nothing. False when nothing
    // was written; the template keeps its old name then.
    bool writeToFile(const Zrk_String& path);
    // The template's name: its path below the root folder without extension, or empty.
    const Zrk_String& getTemplateName() const { return templateName_; }

    // --- the designer's property fields (design mode) -----------------------------------------------

    // Fills the property fields from the single selected control and keeps it selected alone; with no
    // single selection the fields are emptied and disabled.
    void updatePropsOfCurSel();
    void updateProps(int index);
    bool isUpdatingProps() const { return updatingProps_; }

    // The index of the control with that child-window id (false for ids of 0 and below).
    bool findCtrlFromResource(const int& id, int& index) const;

protected:
    // True when path lies below the root folder; name is then its path below it without extension.
    bool getNameFromFile(const Zrk_String& path, Zrk_String& name) const;

private:
    void copyTemplate(const Zrk_DlgDesignerData& other);

    bool initialized_ = false;
    bool updatingProps_ = false;
    bool designMode_ = false;
    QPointer<ui::Dialog> dialog_;
    std::unique_ptr<CDesignTracker> tracker_;
    QImage picture_;
    QImage mask_;
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
