#include "dialogs/dlg_select_image.h"

#include "core/files.h"
#include "core/macro_langs.h"
#include "module/entry_function.h"
#include "module/module_resources.h"
#include "ui/dialog_size.h"
#include "ui/image_list_ctrl.h"

namespace {

using ui::Kind;
using S = DlgSelectImage;

const ui::DialogTemplate
    kSelectImageTemplate(S::kTemplate, "Choose a picture", 300, 200, ui::dialogStyle::Resizable,
                         {
                             {S::kImages, Kind::ImageList, "", 7, 7, 286, 166},
                             {ui::IDOK, Kind::DefPushButton, "OK", 189, 179, 50, 14},
                             {ui::IDCANCEL, Kind::PushButton, "Cancel", 243, 179, 50, 14},
                         });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kSelectImageTemplate);

constexpr const char* kSizeKey = "DLG_SELECT_IMAGE";

} // namespace

DlgSelectImage::DlgSelectImage(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

bool DlgSelectImage::onInitDialog() {
    if (!data.caption.empty()) setTitle(data.caption);
    auto* images = itemAs<CImageListCtrl>(kImages);
    Zrk_StringArray captions;
    for (const Zrk_String& path : data.images)
        captions.append(gMacroLangs.GetString({}, getFileName(normalizePath(path), false)));
    images->setImages(data.images, captions);
    images->selectIndex(data.selection.empty() ? -1 : data.images.find(data.selection));

    resizer_.attach(this);
    resizer_.track(kImages, CResizer::Near | CResizer::Far, CResizer::Near | CResizer::Far);
    resizer_.track(ui::IDOK, CResizer::Far | CResizer::Size, CResizer::Far | CResizer::Size);
    resizer_.track(ui::IDCANCEL, CResizer::Far | CResizer::Size, CResizer::Far | CResizer::Size);
    setMinTrackSize(size());
    ChangeDlgSize(this, kSizeKey);
    gotoDlgCtrl(kImages);
    return false;
}

bool DlgSelectImage::onNotify(int id, int code, const void*) {
    if (id == kImages && code == ui::NM_DBLCLK) {
        onOK();
        return true;
    }
    return false;
}

void DlgSelectImage::onOK() {
    const Zrk_String chosen = itemAs<CImageListCtrl>(kImages)->selectedName();
    if (chosen.empty()) return; // nothing chosen: the dialog stays
    data.selection = chosen;
    endDialog(ui::IDOK);
}

void DlgSelectImage::onSize(int, int) {
    resizer_.move();
}

void DlgSelectImage::onDestroy() {
    WriteDlgSize(this, kSizeKey);
}

bool StartDlgSelectImage(KvSelectImageDlgData& data) {
    return frame::runModalOnCopy<DlgSelectImage>(data);
}
