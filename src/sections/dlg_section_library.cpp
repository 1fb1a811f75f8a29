#include "sections/dlg_section_library.h"

#include "core/language.h"
#include "module/entry_function.h"
#include "module/module_resources.h"
#include "ui/dialog_size.h"

namespace {

using ui::Kind;
using D = DlgEditLibSections;

const ui::DialogTemplate kLibraryTemplate(D::kTemplate, "Section Library", 410, 264,
                                          ui::dialogStyle::Resizable,
                                          {
                                              {D::kTabs, Kind::TabControl, "", 7, 7, 396, 232},
                                              {ui::IDOK, Kind::DefPushButton, "OK", 299, 244, 50, 14},
                                              {ui::IDCANCEL, Kind::PushButton, "Cancel", 353, 244, 50, 14},
                                          });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kLibraryTemplate);

const Zrk_String kSizeKey = "DLG_EDIT_SECTIONLIB";

} // namespace

bool DlgEditLibSections::onInitDialog() {
    if (const Zrk_String title = dialString(754); !title.empty()) setTitle(title);
    data.GetAvailableFiles();
    const int tabTexts[] = {755, 756, 757};
    for (int i = 0; i < 3; ++i)
        tabInsertItem(kTabs, i, dialString(tabTexts[i]));
    groupsPage.create(this);
    typesPage.create(this);
    tablesPage.create(this);

    setMinTrackSize(size());
    layout_.attach(this);
    layout_.track(kTabs, CResizer::Near | CResizer::Far, CResizer::Near | CResizer::Far);
    layout_.track(ui::IDOK, CResizer::Far | CResizer::Size, CResizer::Far | CResizer::Size);
    layout_.track(ui::IDCANCEL, CResizer::Far | CResizer::Size, CResizer::Far | CResizer::Size);
    for (ui::Dialog* page : {static_cast<ui::Dialog*>(&groupsPage), static_cast<ui::Dialog*>(&typesPage),
                             static_cast<ui::Dialog*>(&tablesPage)})
        layout_.untrack(page);
    ChangeDlgSize(this, kSizeKey);
    placePages();
    showPage(tablesPage.start.empty() ? groupsPageIndex : tablesPageIndex);
    return true;
}

void DlgEditLibSections::placePages() {
    const QRect area = tabDisplayRect(kTabs);
    for (ui::Dialog* page : {static_cast<ui::Dialog*>(&groupsPage), static_cast<ui::Dialog*>(&typesPage),
                             static_cast<ui::Dialog*>(&tablesPage)})
        page->setGeometry(area);
}

void DlgEditLibSections::showPage(int index) {
    tabSetCurSel(kTabs, index);
    if (index == typesPageIndex) typesPage.refillLists();
    groupsPage.setVisible(index == groupsPageIndex);
    typesPage.setVisible(index == typesPageIndex);
    tablesPage.setVisible(index == tablesPageIndex);
}

bool DlgEditLibSections::onNotify(int id, int code, const void* details) {
    if (id == kTabs && code == ui::TCN_SELCHANGE) {
        showPage(tabCurSel(kTabs));
        return true;
    }
    return ui::Dialog::onNotify(id, code, details);
}

void DlgEditLibSections::onSize(int, int) {
    layout_.move();
    placePages();
}

void DlgEditLibSections::onOK() {
    if (!tablesPage.offerSave()) return;
    groupsPage.storeShown();
    typesPage.storeShown();
    WriteDlgSize(this, kSizeKey);
    endDialog(ui::IDOK);
}

void DlgEditLibSections::onCancel() {
    WriteDlgSize(this, kSizeKey);
    endDialog(ui::IDCANCEL);
}

void DlgEditLibSections::onDestroy() {
    groupsPage.destroyWindow();
    typesPage.destroyWindow();
    tablesPage.destroyWindow();
}

bool StartDlgEditLibSections(DlgEditLibData& data, const Zrk_String& start) {
    return frame::runModalOnCopy<DlgEditLibSections>(data, frame::EntryOptions{}, start);
}
