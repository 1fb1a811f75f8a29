#include "standards/dlg_standards_mapping_host.h"

#include "core/drawing.h"
#include "core/language.h"
#include "frame/entry_function.h"
#include "frame/module_resources.h"

namespace {

using ui::Kind;
using Host = DlgStandardsMappingHost;

const ui::DialogTemplate kHostTemplate(Host::kTemplate, "Macro settings", 342, 302,
                                       {
                                           {Host::kTabs, Kind::TabControl, "", 7, 7, 328, 270},
                                           {ui::IDOK, Kind::DefPushButton, "OK", 229, 283, 50, 14},
                                           {ui::IDCANCEL, Kind::PushButton, "Cancel", 285, 283, 50, 14},
                                       });

[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kHostTemplate);

void setText(ui::Dialog& dialog, int id, int textId) {
    const Zrk_String text = dialString(textId);
    if (!text.empty()) dialog.setItemText(id, text);
}

} // namespace

DlgStandardsMappingHost::DlgStandardsMappingHost(Zrk_String macroName, QWidget* owner)
    : ui::Dialog(kTemplate, owner), macroName_(std::move(macroName)) {}

DlgStandardsMappingHost::~DlgStandardsMappingHost() = default;

bool DlgStandardsMappingHost::onInitDialog() {
    const Zrk_String caption = dialString(916);
    if (!caption.empty()) setTitle(macroName_.empty() ? caption : caption + " - " + macroName_);
    setText(*this, ui::IDOK, 1);
    setText(*this, ui::IDCANCEL, 2);
    tabInsertItem(kTabs, 0, dialString(1728));
    tabSetCurSel(kTabs, 0);
    page.data = &data.tabMapping;
    if (page.create(this)) {
        page.setGeometry(tabDisplayRect(kTabs));
        page.show();
    }
    return true;
}

void DlgStandardsMappingHost::onOK() {
    bool modified = false;
    if (page.commit(modified) != Acad::eOk) {
        messageBox(page.lastFailure(), Zrk_String(), ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return;
    }
    data.standardsModified = modified;
    endDialog(ui::IDOK);
}

void DlgStandardsMappingHost::onDestroy() {
    page.destroyWindow();
}

bool StartDlgStandardsMapping(AcDbObjectId macroId) {
    core::Drawing* drawing = core::workingDrawing();
    Zrk_DbMacro* macro = drawing ? drawing->findMacro(macroId) : nullptr;
    MacroSettingsData settings;
    if (!macro || !GetMacroSettings(macroId, settings)) return false;
    KvSSMapping catalogue;
    catalogue.initAllVarsFromMacro(macro, nullptr);
    settings.tabMapping.macroMapping = &catalogue;
    if (!frame::runModalOnCopy<DlgStandardsMappingHost>(settings, frame::EntryOptions{},
                                                        macro->macro()->name))
        return false;
    return SetMacroSettings(macroId, settings);
}
