#include "dialogs/dlg_prof_cuts.h"

#include <algorithm>

#include "core/language.h"
#include "module/entry_function.h"
#include "module/module_resources.h"

namespace {

using ui::Kind;
using D = DlgProfCuts;

const ui::DialogTemplate kProfCutsTemplate(
    D::kTemplate, "Profile cuts", 220, 66,
    {
        {D::kCutList, Kind::DropListCombo, "", 7, 7, 182, 100},
        {D::kDeleteCut, Kind::BitmapButton, "", 193, 7, 20, 14, ui::style::Icon, 206},
        {D::kOtherProfile, Kind::BitmapButton, "Other profile...", 7, 26, 110, 16, ui::style::Icon, 217},
        {D::kNoPreview, Kind::CheckBox, "No preview", 7, 49, 95, 10},
        {ui::IDOK, Kind::DefPushButton, "Close", 109, 46, 50, 14},
        {ui::IDCANCEL, Kind::PushButton, "Cancel", 163, 46, 50, 14},
    });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kProfCutsTemplate);

constexpr int kTextOtherProfileTip = 1121;
constexpr int kTextDeleteTip = 1122;
constexpr int kTextCaption = 1123;
constexpr int kTextOtherProfile = 1124;
constexpr int kTextNoPreview = 1125;
constexpr int kTextClose = 285;

// Loaded with the module: previews on.
bool gRememberedPreview = true;

} // namespace

bool DlgProfCuts::rememberedPreview() {
    return gRememberedPreview;
}

void DlgProfCuts::setRememberedPreview(bool on) {
    gRememberedPreview = on;
}

DlgProfCuts::DlgProfCuts(QWidget* owner) : ui::Dialog(kTemplate, owner), previewOn_(gRememberedPreview) {}

bool DlgProfCuts::onInitDialog() {
    setItemToolTip(kOtherProfile, dialString(kTextOtherProfileTip));
    setItemToolTip(kDeleteCut, dialString(kTextDeleteTip));
    if (const Zrk_String caption = dialString(kTextCaption); !caption.empty()) setTitle(caption);
    frame::setItemTextFromTable(*this, ui::IDOK, kTextClose);
    frame::setItemTextFromTable(*this, ui::IDCANCEL, 2);
    frame::setItemTextFromTable(*this, kOtherProfile, kTextOtherProfile);
    frame::setItemTextFromTable(*this, kNoPreview, kTextNoPreview);
    fillList();
    select(0);
    // The box says that no preview is wanted.
    setCheck(kNoPreview, previewOn_ ? 0 : 1);
    return true;
}

bool DlgProfCuts::onCommand(int id, int code) {
    if (id == kCutList && code == ui::CBN_SELCHANGE) {
        chooseFromList();
        return true;
    }
    if (code == ui::BN_CLICKED) {
        switch (id) {
        case kNoPreview:
            setPreview(checkState(kNoPreview) != 1);
            return true;
        case kDeleteCut:
            deleteCut();
            return true;
        case kOtherProfile:
            pickOtherProfile();
            return true;
        default:
            break;
        }
    }
    return ui::Dialog::onCommand(id, code);
}

void DlgProfCuts::onOK() {
    gRememberedPreview = previewOn_;
    endDialog(ui::IDOK);
}

void DlgProfCuts::onDestroy() {
    // Whatever the box says now and however the dialog ends: no preview stays in the drawing.
    data.removeAllCutPreviews();
}

void DlgProfCuts::fillList() {
    Zrk_StringArray descriptions;
    data.getCutDescs(descriptions);
    comboResetContent(kCutList);
    for (const Zrk_String& description : descriptions)
        comboAddString(kCutList, description);
}

void DlgProfCuts::select(int index) {
    const int count = comboCount(kCutList);
    if (count < 1) {
        current_ = -1;
        comboSetCurSel(kCutList, -1);
        return;
    }
    current_ = std::clamp(index, 0, count - 1);
    comboSetCurSel(kCutList, current_);
    if (previewOn_) data.drawCutPreview(current_);
}

void DlgProfCuts::chooseFromList() {
    data.removeCutPreview(current_);
    current_ = comboCurSel(kCutList);
    if (previewOn_) data.drawCutPreview(current_);
}

void DlgProfCuts::setPreview(bool on) {
    if (on == previewOn_) return;
    previewOn_ = on;
    if (!on)
        data.removeAllCutPreviews();
    else if (current_ >= 0)
        data.drawCutPreview(current_);
}

void DlgProfCuts::deleteCut() {
    const int chosen = comboCurSel(kCutList);
    // An empty list has nothing to delete.
    if (chosen < 0) return;
    data.removeCutPreview(current_);
    data.removeCut(chosen);
    fillList();
    // The cut now at its place, or the new last one.
    select(chosen);
}

void DlgProfCuts::pickOtherProfile() {
    data.removeAllCutPreviews();
    BeginEditorCommand();
    if (data.selectOtherProf()) {
        fillList();
        select(current_ < 0 ? 0 : current_);
    } else if (previewOn_ && current_ >= 0) {
        // The pick was cancelled: the chosen cut is shown again.
        data.drawCutPreview(current_);
    }
    CompleteEditorCommand(true);
}

bool StartEditProfCutsDlg(DlgProfCutsData& data) {
    return frame::runModalOnCopy<DlgProfCuts>(data, {frame::Resources::Module, frame::CopyBack::Never});
}
