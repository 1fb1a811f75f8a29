#pragma once
// The select-macro dialog (template 8717): the person picks a connection drawing of the macro library
// by its preview, after narrowing the list, if he likes, by ticking in the filter grid the modules and
// module properties the connection must have (Zrk_MacroPropsFilter, core/macro_props_filter.h).
//
// Thumbnails. A drawing's picture is the file beside it with its name and the extension "bmp", else
// the preview made for it ("abm"): previews are made once, when the dialog opens, for drawings that
// have neither, and a preview that cannot be made is passed over (the thumbnail is an empty frame).
// The caption is the drawing's name in the person's language (the macro-name table); trailing digits
// are stripped from all captions, unless two captions would then read the same.
//
// The filter grid has a pair of columns (a check box and a name) per entry of a row: the module, then
// its properties; a row shorter than the widest is greyed and locked beyond its end. Ticking a box
// narrows (or widens) the list at once. The filter can be folded away (the button beside it); whether
// it is shown ("LARGE_DLG") and the dialog's size are kept under "DLG_SELECT_MACRO".
//
// OK (or a double click on a thumbnail) chooses the selected drawing; without a selection the dialog
// stays. The extra button, when the caller allows it, ends the dialog with OK and no drawing.

#include "core/macro_props_filter.h"
#include "module/export.h"
#include "host/acad.h"
#include "spread/zrk_spread.h"
#include "ui/dialog.h"
#include "ui/resizer.h"

class SS_EXPORT DlgSelectMacro : public ui::Dialog {
public:
    static constexpr int kTemplate = 8717;
    static constexpr int kImages = 1001;
    static constexpr int kFilterFrame = 1002;
    static constexpr int kFilterGrid = 1003;
    static constexpr int kShowHide = 1004;
    static constexpr int kHint = 1005;
    static constexpr int kExtra = 1006;
    static constexpr int kIconShown = 241;  // the button folds the filter away
    static constexpr int kIconHidden = 240; // the button shows it
    // The preview pictures' extension.
    static constexpr const char* kPreviewExtension = "abm";

    explicit DlgSelectMacro(QWidget* owner = nullptr);

    Zrk_String caption;          // the title; empty: text 1116
    Zrk_MacroPropsFilter filter; // initialised by the caller
    bool extraAllowed = false;   // in: the extra button is enabled
    bool extraPressed = false;   // out: the dialog was closed with it
    bool showHint = false;       // in: with the extra button not allowed, the hint is shown
    Zrk_String result;           // out: the chosen drawing's path

    Zrk_StringArray files;                   // the filtered drawings shown
    Zrk_StringArray labels;                  // their captions
    Zrk_Array<Zrk_StringArray> filterRows;   // per module: its name, then its properties
    Zrk_Array<Zrk_Array<bool>> filterStates; // their ticks
    bool filterShown = true;
    int collapseHeight = 0; // pixels

    Zrk_Spread grid; // the filter grid

    // The picture a drawing's thumbnail shows: "bmp" beside it when there is one, else the preview.
    static Zrk_String pictureOf(const Zrk_String& drawing);
    // Captions of drawings: translated names, trailing digits stripped unless that makes two alike.
    static Zrk_StringArray captionsOf(const Zrk_StringArray& drawings);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    bool onNotify(int id, int code, const void* details) override;
    void onOK() override;
    void onSize(int width, int height) override;
    void onDestroy() override;

private:
    void createMissingPreviews();
    void buildThumbnails();
    void buildFilterGrid();
    void showFilter(bool show);
    void boxTicked();

    CResizer resizer_;
    bool filterValid_ = false; // the grid shows the filter's rows (clicks mean something)
};

// Lets the person pick a connection drawing of the macro library. The filter starts from list, flags
// and the two bounds (Zrk_MacroPropsFilter::initialize); special in: whether the extra button may be
// used, out: whether it closed the dialog (result then empty). True on OK, with result and special;
// false, both unchanged, on Cancel.
SS_EXPORT bool StartDlgSelectMacro(const Zrk_String& title, const Zrk_StringArray& list,
                                   const AcArray<bool>& flags, const int& a, const int& b, Zrk_String& result,
                                   bool& special, bool showHint);
// The same with every module of the list required.
SS_EXPORT bool StartDlgSelectMacro(const Zrk_String& title, const Zrk_StringArray& list, const int& a,
                                   const int& b, Zrk_String& result, bool& special, bool showHint);
