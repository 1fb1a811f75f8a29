#include "ui/dlg_section_translation.h"

#include <cctype>

#include "core/language.h"
#include "core/section_translation.h"
#include "core/text.h"
#include "ui/dialog_size.h"
#include "ui/resources.h"

namespace {

using ui::Kind;
using D = DlgSectionTranslation;

const ui::DialogTemplate
    kTranslationTemplate(D::kTemplate, "Section names for CIS/2", 260, 200, ui::dialogStyle::Resizable,
                         {
                             {D::kEntries, Kind::ListBox, "", 7, 7, 246, 110},
                             {D::kNameLabel, Kind::Static, "Section", 7, 124, 120, 9},
                             {D::kName, Kind::Edit, "", 7, 135, 120, 14},
                             {D::kCis2NameLabel, Kind::Static, "CIS/2 name", 133, 124, 120, 9},
                             {D::kCis2Name, Kind::Edit, "", 133, 135, 120, 14},
                             {D::kAdd, Kind::PushButton, "Add", 7, 155, 50, 14},
                             {D::kChange, Kind::PushButton, "Change", 61, 155, 50, 14},
                             {D::kDelete, Kind::PushButton, "Delete", 115, 155, 50, 14},
                             {ui::IDOK, Kind::DefPushButton, "OK", 149, 179, 50, 14},
                             {ui::IDCANCEL, Kind::PushButton, "Cancel", 203, 179, 50, 14},
                         });
[[maybe_unused]] const bool kRegistered =
    (ui::coreLibraryResources().addTemplate(kTranslationTemplate), true);

constexpr const char* kSizeKey = "DLG_SECTION_TRANSLATION";
constexpr int kTextCaption = 21009;
constexpr int kTextAdd = 21010;
constexpr int kTextChange = 21011;
constexpr int kTextDelete = 21012;

void setText(ui::Dialog& dialog, int id, int textId) {
    if (const Zrk_String text = dialString(textId); !text.empty()) dialog.setItemText(id, text);
}

} // namespace

DlgSectionTranslation::DlgSectionTranslation(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

Zrk_String DlgSectionTranslation::entryText(const Zrk_String& name, const Zrk_String& cis2Name) {
    return name + "   \xBB   " + cis2Name; // a right-pointing double angle quote in the module's code page
}

bool DlgSectionTranslation::onInitDialog() {
    if (const Zrk_String caption = dialString(kTextCaption); !caption.empty()) setTitle(caption);
    if (!nameHeading.empty()) setItemText(kNameLabel, nameHeading);
    if (!cis2Heading.empty()) setItemText(kCis2NameLabel, cis2Heading);
    setText(*this, kAdd, kTextAdd);
    setText(*this, kChange, kTextChange);
    setText(*this, kDelete, kTextDelete);
    fillEntries(names.isEmpty() ? -1 : 0);

    resizer_.attach(this);
    resizer_.track(kEntries, CResizer::Near | CResizer::Far, CResizer::Near | CResizer::Far);
    // The two fields share the width; the buttons below them keep their size at the left.
    for (int id : {kNameLabel, kName, kCis2NameLabel, kCis2Name})
        resizer_.track(id, 0, CResizer::Far | CResizer::Size);
    for (int id : {kAdd, kChange, kDelete})
        resizer_.track(id, CResizer::Near | CResizer::Size, CResizer::Far | CResizer::Size);
    resizer_.track(ui::IDOK, CResizer::Far | CResizer::Size, CResizer::Far | CResizer::Size);
    resizer_.track(ui::IDCANCEL, CResizer::Far | CResizer::Size, CResizer::Far | CResizer::Size);
    setMinTrackSize(size());
    ChangeDlgSize(this, kSizeKey);
    gotoDlgCtrl(names.isEmpty() ? kName : kEntries);
    return false;
}

void DlgSectionTranslation::fillEntries(int chosen) {
    listResetContent(kEntries);
    for (int i = 0; i < names.length() && i < cis2Names.length(); ++i)
        listAddString(kEntries, entryText(names[i], cis2Names[i]));
    listSetCurSel(kEntries, chosen < listCount(kEntries) ? chosen : listCount(kEntries) - 1);
    showChosen();
}

void DlgSectionTranslation::showChosen() {
    const int chosen = listCurSel(kEntries);
    if (chosen >= 0) {
        setItemText(kName, names[chosen]);
        setItemText(kCis2Name, cis2Names[chosen]);
    }
    updateEnabling();
}

void DlgSectionTranslation::updateEnabling() {
    const bool chosen = listCurSel(kEntries) >= 0;
    enableItem(kChange, chosen);
    enableItem(kDelete, chosen);
}

void DlgSectionTranslation::showError(const Zrk_String& message) {
    messageBox(asSentence(message), title(), ui::MB_OK | ui::MB_ICONEXCLAMATION);
}

bool DlgSectionTranslation::fieldsPair(int except, Zrk_String& name, Zrk_String& cis2Name) {
    name = trimmed(itemText(kName));
    cis2Name = trimmed(itemText(kCis2Name));
    Zrk_StringArray others = names;
    if (except >= 0 && except < others.length()) others.removeAt(except);
    Zrk_String why = core::sectionTranslationEntryProblem(others, name, cis2Name);
    if (why.empty()) return true;
    why[0] = char(std::toupper(static_cast<unsigned char>(why[0])));
    showError(why);
    return false;
}

void DlgSectionTranslation::add() {
    Zrk_String name;
    Zrk_String cis2Name;
    if (!fieldsPair(-1, name, cis2Name)) return;
    names.append(name);
    cis2Names.append(cis2Name);
    fillEntries(names.length() - 1);
}

void DlgSectionTranslation::change() {
    const int chosen = listCurSel(kEntries);
    Zrk_String name;
    Zrk_String cis2Name;
    if (chosen < 0 || !fieldsPair(chosen, name, cis2Name)) return;
    names[chosen] = name;
    cis2Names[chosen] = cis2Name;
    fillEntries(chosen);
}

void DlgSectionTranslation::remove() {
    const int chosen = listCurSel(kEntries);
    if (chosen < 0) return;
    names.removeAt(chosen);
    cis2Names.removeAt(chosen);
    fillEntries(chosen);
    if (listCurSel(kEntries) < 0) {
        setItemText(kName, {});
        setItemText(kCis2Name, {});
    }
}

bool DlgSectionTranslation::onCommand(int id, int code) {
    if (id == kEntries && code == ui::LBN_SELCHANGE) {
        showChosen();
        return true;
    }
    if (code == ui::BN_CLICKED) {
        switch (id) {
        case kAdd:
            add();
            return true;
        case kChange:
            change();
            return true;
        case kDelete:
            remove();
            return true;
        default:
            break;
        }
    }
    return ui::Dialog::onCommand(id, code);
}

void DlgSectionTranslation::onOK() {
    Zrk_String message;
    if (!writeSectionTranslationFile(path, names, cis2Names, &message)) {
        showError(message);
        return;
    }
    endDialog(ui::IDOK);
}

void DlgSectionTranslation::onSize(int, int) {
    resizer_.move();
}

void DlgSectionTranslation::onDestroy() {
    WriteDlgSize(this, kSizeKey);
}

bool writeSectionTranslation(Zrk_StringArray& names, Zrk_StringArray& cis2Names,
                             const Zrk_String& nameHeading, const Zrk_String& cis2Heading,
                             const Zrk_String& path, QWidget* owner) {
    DlgSectionTranslation editor(owner);
    editor.names = names;
    editor.cis2Names = cis2Names;
    editor.nameHeading = nameHeading;
    editor.cis2Heading = cis2Heading;
    editor.path = path;
    if (editor.doModal() != ui::IDOK) return false;
    names = editor.names;
    cis2Names = editor.cis2Names;
    return true;
}
