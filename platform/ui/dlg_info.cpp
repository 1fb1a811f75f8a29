#include "ui/dlg_info.h"

#include <QFontDatabase>
#include <QPlainTextEdit>

#include "core/codepage.h"
#include "core/language.h"
#include "ui/dialog_size.h"
#include "ui/file_dialogs.h"
#include "ui/resources.h"

namespace {

using ui::Kind;

const ui::DialogTemplate
    kInfoTemplate(DlgInfo::kTemplate, "Report", 480, 220, ui::dialogStyle::Resizable,
                  {
                      {DlgInfo::kText, Kind::MultiLineEdit, "", 7, 7, 466, 185, ui::style::ReadOnly},
                      {DlgInfo::kSave, Kind::PushButton, "Save as...", 7, 199, 60, 14},
                      {ui::IDOK, Kind::DefPushButton, "Close", 413, 199, 60, 14},
                  });
[[maybe_unused]] const bool kRegistered = (ui::coreLibraryResources().addTemplate(kInfoTemplate), true);

constexpr const char* kSizeKey = "DLG_INFO";

} // namespace

DlgInfo::DlgInfo() : ui::Dialog(kTemplate) {}

bool DlgInfo::onInitDialog() {
    if (!data.title.empty()) setTitle(data.title);
    if (!data.heading.empty()) setItemText(ui::IDOK, data.heading);
    if (const Zrk_String save = dialString(21001); !save.empty()) setItemText(kSave, save);
    if (auto* text = itemAs<QPlainTextEdit>(kText)) {
        text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
    }
    Zrk_String all = data.text();
    if (!all.empty()) all.pop_back(); // no empty line after the last
    setItemText(kText, all);
    resizer_.attach(this);
    resizer_.track(kText, CResizer::Near | CResizer::Far, CResizer::Near | CResizer::Far);
    resizer_.track(kSave, CResizer::Near, CResizer::Far | CResizer::Size);
    resizer_.track(ui::IDOK, CResizer::Far | CResizer::Size, CResizer::Far | CResizer::Size);
    setMinTrackSize(size());
    ChangeDlgSize(this, kSizeKey);
    gotoDlgCtrl(ui::IDOK);
    return false;
}

bool DlgInfo::onCommand(int id, int code) {
    if (id == kSave && code == ui::BN_CLICKED) {
        save();
        return true;
    }
    return ui::Dialog::onCommand(id, code);
}

void DlgInfo::save() {
    ui::FileDialogRequest request;
    request.mode = ui::FileDialogRequest::Mode::Save;
    request.title = itemText(kSave);
    request.filterName = dialString(21002);
    request.extension = "txt";
    request.fileName = "report.txt";
    Zrk_String path;
    if (!ui::getSaveFileName(request, path, this)) return;
    if (!data.writeToFile(path))
        messageBox(dialString(21003) + " " + path + ".", title(), ui::MB_OK | ui::MB_ICONEXCLAMATION);
}

void DlgInfo::onSize(int, int) {
    resizer_.move();
}

void DlgInfo::onDestroy() {
    WriteDlgSize(this, kSizeKey);
}

bool ExportStartDlgInfo(DlgInfoData& data) {
    DlgInfo dialog;
    dialog.data = data;
    return dialog.doModal() != -1;
}
