#include "macrodlg/dlg_prop_file.h"

#include "core/files.h"
#include "core/language.h"
#include "module/entry_function.h"
#include "module/module_resources.h"
#include "ui/dialog_size.h"
#include "ui/file_dialogs.h"

namespace {

using ui::Kind;
using P = DlgPropFile;

const ui::DialogTemplate
    kPropFileTemplate(P::kTemplate, "Property files", 220, 200, ui::dialogStyle::Resizable,
                      {
                          {P::kList, Kind::ListBox, "", 7, 7, 206, 128},
                          {P::kNameLabel, Kind::Static, "Name:", 7, 143, 30, 9},
                          {P::kName, Kind::Edit, "", 40, 141, 173, 13},
                          {P::kShowAll, Kind::CheckBox, "Show the files of all macros", 7, 161, 160, 10},
                          {P::kDelete, Kind::BitmapButton, "", 195, 158, 18, 15, 0, 206},
                          {ui::IDOK, Kind::DefPushButton, "OK", 109, 179, 50, 14},
                          {ui::IDCANCEL, Kind::PushButton, "Cancel", 163, 179, 50, 14},
                      });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kPropFileTemplate);

const char* const kSizeKey = "DLG_OPENSAVEFILTERED";

// A name of the list that names a file of the folder and no other.
bool staysInFolder(const Zrk_String& name) {
    return !name.empty() && name.find("..") == Zrk_String::npos && name.find('/') == Zrk_String::npos &&
           name.find('\\') == Zrk_String::npos;
}

} // namespace

DlgPropFile::DlgPropFile(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

bool DlgPropFile::onInitDialog() {
    setTitle(dialString(data.saveMode ? 1127 : 1126));
    frame::setItemTextFromTable(*this, ui::IDOK, data.saveMode ? 842 : 841);
    frame::setItemTextFromTable(*this, ui::IDCANCEL, 2);
    frame::setItemTextFromTable(*this, kShowAll, 1498);
    setCheck(kShowAll, 0);
    setItemToolTip(kDelete, "Selectie verwijderen...");
    enableItem(kName, data.saveMode);
    resizer_.attach(this);
    resizer_.track(kList, CResizer::Near | CResizer::Far, CResizer::Near | CResizer::Far);
    resizer_.track(kNameLabel, CResizer::Near | CResizer::Size, CResizer::Far | CResizer::Size);
    resizer_.track(kName, CResizer::Near | CResizer::Far, CResizer::Far | CResizer::Size);
    resizer_.track(kShowAll, CResizer::Near | CResizer::Size, CResizer::Far | CResizer::Size);
    for (int id : {kDelete, ui::IDOK, ui::IDCANCEL})
        resizer_.track(id, CResizer::Far | CResizer::Size, CResizer::Far | CResizer::Size);
    setMinTrackSize(size());
    ChangeDlgSize(this, kSizeKey);
    fillList();
    return true;
}

void DlgPropFile::fillList() {
    listResetContent(kList);
    for (const Zrk_String& name : checkState(kShowAll) == 1 ? data.allNames : data.matchingNames)
        listAddString(kList, name);
}

bool DlgPropFile::onCommand(int id, int code) {
    if (id == kList && code == ui::LBN_SELCHANGE) {
        const int selected = listCurSel(kList);
        if (selected >= 0) setItemText(kName, listText(kList, selected));
        return true;
    }
    if (id == kList && code == ui::LBN_DBLCLK) {
        onOK();
        return true;
    }
    if (id == kShowAll && code == ui::BN_CLICKED) {
        fillList();
        return true;
    }
    if (id == kDelete && code == ui::BN_CLICKED) {
        deleteSelected();
        return true;
    }
    return ui::Dialog::onCommand(id, code);
}

void DlgPropFile::deleteSelected() {
    const int selected = listCurSel(kList);
    const Zrk_String name = selected >= 0 ? listText(kList, selected) : Zrk_String();
    if (name.empty()) return;
    const Zrk_String question =
        dialString(1132) + " \"" + name + "\" " + dialString(1133) + "\n" + dialString(1134) + "\n";
    if (messageBox(question, dialString(1135), ui::MB_YESNO | ui::MB_ICONWARNING) != ui::IDYES) return;
    if (!staysInFolder(name) || !ObjectExportDeleteFile(data.pathOf(name))) {
        // The file is still there (or was never this folder's): the lists keep it, and the person
        // learns that it was not deleted rather than seeing it come back later.
        messageBox("The property file \"" + name + "\" could not be deleted (" + data.pathOf(name) + ").",
                   dialString(1135), ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return;
    }
    data.allNames.removeAt(data.allNames.find(name));
    data.matchingNames.removeAt(data.matchingNames.find(name));
    if (itemText(kName) == name) setItemText(kName, "");
    fillList();
}

void DlgPropFile::onOK() {
    const Zrk_String name = itemText(kName);
    if (name.empty()) return;
    if (data.saveMode) {
        if (warnInvalidFileName(name, this)) return;
        if (fileExists(data.pathOf(name))) {
            Zrk_String question = dialString(1128) + "\n";
            if (!data.matchingNames.contains(name)) question += dialString(1129) + "\n";
            question += "\n" + dialString(1130) + "\n";
            if (messageBox(question, dialString(1131), ui::MB_YESNOCANCEL | ui::MB_ICONWARNING) != ui::IDYES)
                return;
        }
    } else if (!staysInFolder(name)) {
        return;
    }
    data.chosenName = name;
    endDialog(ui::IDOK);
}

void DlgPropFile::onSize(int, int) {
    resizer_.move();
}

void DlgPropFile::onDestroy() {
    WriteDlgSize(this, kSizeKey);
}

bool StartDlgPropFile(DlgPropFileData& data) {
    // Deleted files are gone whichever way the dialog ends: the lists always come back.
    DlgPropFile dialog;
    dialog.data = data;
    const bool ok = frame::runModal(dialog) == ui::IDOK;
    data.allNames = dialog.data.allNames;
    data.matchingNames = dialog.data.matchingNames;
    if (ok) data.chosenName = dialog.data.chosenName;
    return ok;
}
