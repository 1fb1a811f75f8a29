#include "constraints/dlg_macro_settings.h"
#include "constraints/dialog_texts.h"

#include "core/drawing.h"
#include "core/language.h"
#include "module/entry_function.h"
#include "module/module_resources.h"

namespace {

using ui::Kind;
using D = DlgMacroSettings;

const ui::DialogTemplate kSettingsTemplate(D::kTemplate, "Macro settings", 342, 302,
                                           {
                                               {D::kTabs, Kind::TabControl, "", 7, 7, 328, 270},
                                               {ui::IDOK, Kind::DefPushButton, "OK", 229, 283, 50, 14},
                                               {ui::IDCANCEL, Kind::PushButton, "Cancel", 285, 283, 50, 14},
                                           });

[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kSettingsTemplate);

// The tab texts, in page order.
constexpr int kTabTexts[D::kPageCount] = {917, 918, 919, 875, 755, 1728};

} // namespace

DlgMacroSettings::DlgMacroSettings(Zrk_String macroName, int firstPage, QWidget* owner)
    : ui::Dialog(kTemplate, owner), macroName_(std::move(macroName)),
      firstPage_(firstPage >= 0 && firstPage < kPageCount ? firstPage : kAnglePage) {}

DlgMacroSettings::~DlgMacroSettings() = default;

ui::Dialog& DlgMacroSettings::page(int index) {
    switch (index) {
    case kAnglePage:
        return anglePage;
    case kSizePage:
        return sizePage;
    case kListsPage:
        return listsPage;
    case kVariablesPage:
        return variablesPage;
    case kGroupsPage:
        return groupsPage;
    default:
        return mappingPage;
    }
}

bool DlgMacroSettings::onInitDialog() {
    const Zrk_String caption = dialString(916);
    if (!caption.empty()) setTitle(macroName_.empty() ? caption : caption + " - " + macroName_);
    constraints::setTextOf(*this, ui::IDOK, 1);
    constraints::setTextOf(*this, ui::IDCANCEL, 2);
    for (int i = 0; i < kPageCount; ++i)
        tabInsertItem(kTabs, i, dialString(kTabTexts[i]));
    anglePage.data = &data.angleFilters;
    sizePage.data = &data.sizeFilters;
    listsPage.names = data.listNames;
    listsPage.lists = data.stringLists;
    listsPage.pictures = data.listPictures;
    variablesPage.data = &data;
    groupsPage.data = &data;
    mappingPage.data = &data.tabMapping;
    const QRect area = tabDisplayRect(kTabs);
    for (int i = 0; i < kPageCount; ++i)
        if (page(i).create(this)) {
            page(i).setGeometry(area);
            page(i).hide();
        }
    tabSetCurSel(kTabs, firstPage_);
    showPage(firstPage_);
    return true;
}

int DlgMacroSettings::currentPage() const {
    return tabCurSel(kTabs);
}

void DlgMacroSettings::showPage(int index) {
    for (int i = 0; i < kPageCount; ++i)
        page(i).setVisible(i == index);
}

bool DlgMacroSettings::onNotify(int id, int code, const void* details) {
    if (id == kTabs && code == ui::TCN_SELCHANGE) {
        showPage(tabCurSel(kTabs));
        return true;
    }
    return ui::Dialog::onNotify(id, code, details);
}

void DlgMacroSettings::onOK() {
    bool modified = false;
    if (mappingPage.commit(modified) != Acad::eOk) {
        messageBox(mappingPage.lastFailure(), Zrk_String(), ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return;
    }
    data.standardsModified = modified;
    listsPage.handBack(data);
    endDialog(ui::IDOK);
}

void DlgMacroSettings::onDestroy() {
    // The filter, variables and groups pages store into the settings as they go.
    for (int i = 0; i < kPageCount; ++i)
        page(i).destroyWindow();
}

bool StartDlgMacroSettings(AcDbObjectId macroId, int firstPage) {
    core::Drawing* drawing = core::workingDrawing();
    Zrk_DbMacro* macro = drawing ? drawing->findMacro(macroId) : nullptr;
    MacroSettingsData settings;
    if (!macro || !GetMacroSettings(macroId, settings)) return false;
    KvSSMapping catalogue;
    catalogue.initAllVarsFromMacro(macro, nullptr);
    settings.tabMapping.macroMapping = &catalogue;
    if (!frame::runModalOnCopy<DlgMacroSettings>(settings, frame::EntryOptions{}, macro->macro()->name,
                                                 firstPage))
        return false;
    return SetMacroSettings(macroId, settings);
}
