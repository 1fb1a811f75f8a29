#pragma once
// The image selection dialog (template 8719, StartDlgSelectImage): the pictures of the record shown
// as thumbnails, each captioned with its file's name in the user's language (the macro-name table,
// core/macro_langs.h), for the person to choose one. OK without a chosen thumbnail keeps the dialog
// open; a double click on a thumbnail chooses it at once. The dialog is resizable; its size is kept
// under "DLG_SELECT_IMAGE".
//
// The chosen picture comes back as its file's path, as the record listed it: the thumbnail list gives
// the select-macro dialog a file path for the same choice, and a caption or a bare file name could be
// the same for two pictures of different folders. A record whose selection names one of its pictures
// opens with that thumbnail chosen.

#include "core/zrk_string.h"
#include "module/export.h"
#include "ui/dialog.h"
#include "ui/resizer.h"

class SS_EXPORT KvSelectImageDlgData {
public:
    Zrk_String caption;     // the dialog's caption (empty: the dialog's own)
    Zrk_StringArray images; // full paths of the picture files offered
    Zrk_String selection;   // out: the chosen picture's path (in: the one to start from)

    bool operator==(const KvSelectImageDlgData&) const = default;
};

class SS_EXPORT DlgSelectImage : public ui::Dialog {
public:
    static constexpr int kTemplate = 8719;
    static constexpr int kImages = 1001;
    // The library's folder of pictures that the host shell and the desktop window offer.
    static constexpr const char* kLibraryImagesFolder = "Images/";

    explicit DlgSelectImage(QWidget* owner = nullptr);
    KvSelectImageDlgData data;

protected:
    bool onInitDialog() override;
    bool onNotify(int id, int code, const void* details) override;
    void onOK() override;
    void onSize(int width, int height) override;
    void onDestroy() override;

private:
    CResizer resizer_;
};

// The image selection on a copy of data; true, with data.selection the chosen picture's path, when
// the person ends with OK.
SS_EXPORT bool StartDlgSelectImage(KvSelectImageDlgData& data);
