#include "constraints/dlg_edit_constraints.h"
#include "constraints/dialog_texts.h"

#include <QCoreApplication>
#include <QEvent>

#include "constraints/dlg_macro_settings.h"
#include "core/files.h"
#include "core/language.h"
#include "core/settings.h"
#include "frame/modeless_dialogs.h"
#include "module/entry_function.h"
#include "module/module_resources.h"
#include "module/module_state.h"
#include "ui/button_st.h"
#include "ui/dialog_size.h"
#include "ui/text_input.h"
#include <algorithm>

namespace {

using ui::Kind;
using D = DlgEditConstraints;
using P = ConstraintPalettePage;

constexpr unsigned kIcon = ui::style::Icon;

const ui::DialogTemplate
    kConstraintsTemplate(D::kTemplate, "Constraints", 300, 290, ui::dialogStyle::Resizable,
                         {
                             {D::kSelect, Kind::BitmapButton, "Select", 7, 7, 60, 16, kIcon, 217},
                             {D::kModules, Kind::DropListCombo, "", 72, 9, 118, 100},
                             {D::kAddModule, Kind::BitmapButton, "", 195, 7, 21, 16, kIcon, 212},
                             {D::kRename, Kind::PushButton, "Rename...", 220, 7, 46, 16},
                             {D::kRemove, Kind::BitmapButton, "", 271, 7, 21, 16, kIcon, 206},
                             {D::kTabs, Kind::TabControl, "", 7, 28, 286, 234},
                             {D::kZoom, Kind::BitmapButton, "", 7, 268, 21, 16, kIcon, 234},
                             {D::kSettings, Kind::PushButton, "General settings...", 33, 269, 80, 14},
                             {ui::IDOK, Kind::DefPushButton, "Close", 243, 269, 50, 14},
                         });

// Four rows of (at most) four kinds; a picture above its text.
std::vector<ui::ControlTemplate> paletteButtons() {
    std::vector<ui::ControlTemplate> buttons;
    for (int kind = 0; kind < P::kKinds; ++kind)
        buttons.push_back({P::kFirstButton + kind, Kind::BitmapButton, "", 4 + (kind % 4) * 69,
                           4 + (kind / 4) * 50, 65, 46});
    return buttons;
}

const ui::DialogTemplate kPaletteTemplate(P::kTemplate, "", 280, 204, ui::dialogStyle::Child,
                                          paletteButtons());

[[maybe_unused]] const bool kRegistered =
    frame::registerTemplate(kConstraintsTemplate) && frame::registerTemplate(kPaletteTemplate);

constexpr int kTabTexts[D::kTabCount] = {873, 874, 875, 876};

struct PaletteKind {
    const char* picture;
    int text;
};
constexpr PaletteKind kPaletteKinds[P::kKinds] = {
    {"Parallel.bmp", 903},
    {"Perpendicular.bmp", 904},
    {"Coincident.bmp", 905},
    {"Symmetric.bmp", 906},
    {"Tangent.bmp", 907},
    {"Concentric.bmp", 908},
    {"EqualRadius.bmp", 909},
    {"Distance.bmp", 910},
    {"Angle.bmp", 911},
    {"Radius.bmp", 912},
    {"", 0},
    {"AddModule.bmp", 913},
    {"BoltPattern.bmp", 914},
    {"CoordSys.bmp", 915},
};

// The palette's pictures are drawn on this grey, which the buttons leave out.
constexpr unsigned kPictureGround = 0xC0C0C0;

// The modeless window as the module's table of modeless dialogs keeps it.
using ModelessConstraints = frame::OwnedModelessDialog<DlgEditConstraints>;

} // namespace

// --- the palette -------------------------------------------------------------------------------------

const char* ConstraintPalettePage::pictureFile(int kind) {
    return kind >= 0 && kind < kKinds ? kPaletteKinds[kind].picture : "";
}

int ConstraintPalettePage::textId(int kind) {
    return kind >= 0 && kind < kKinds ? kPaletteKinds[kind].text : 0;
}

bool ConstraintPalettePage::onInitDialog() {
    const Zrk_String icons = ensureEndSlash(gSettings.zrkDir) + "icons/";
    for (int kind = 0; kind < kKinds; ++kind) {
        auto* button = itemAs<CButtonST>(kFirstButton + kind);
        if (!button || !*pictureFile(kind)) continue;
        button->setTextBelowPicture(true);
        button->setBitmapFile(icons + pictureFile(kind), kPictureGround);
        setItemText(kFirstButton + kind, dialString(textId(kind)));
    }
    return true;
}

bool ConstraintPalettePage::onCommand(int id, int code) {
    if (code == ui::BN_CLICKED && id >= kFirstButton && id < kFirstButton + kKinds) {
        if (onKind) onKind(id - kFirstButton);
        return true;
    }
    return ui::Dialog::onCommand(id, code);
}

// --- the window --------------------------------------------------------------------------------------

DlgEditConstraints::DlgEditConstraints(bool modeless, QWidget* owner, int firstTab)
    : ui::Dialog(kTemplate, owner), modeless(modeless), firstTab(firstTab),
      listPage(makeConstraintListPage()), geometryPage(makeGeometryPage()),
      variablesPage(makeVariablesPage()) {
    palette.onKind = [this](int kind) { runPaletteKind(kind); };
}

DlgEditConstraints::~DlgEditConstraints() = default;

ui::Dialog* DlgEditConstraints::page(int tab) {
    switch (tab) {
    case kListTab:
        return listPage.get();
    case kGeometryTab:
        return geometryPage.get();
    case kVariablesTab:
        return variablesPage.get();
    case kPaletteTab:
        return &palette;
    default:
        return nullptr;
    }
}

bool DlgEditConstraints::onInitDialog() {
    constraints::setTextOf(*this, kSelect, 870);
    constraints::setTipOf(*this, kSelect, 865);
    constraints::setTipOf(*this, kAddModule, 866);
    constraints::setTextOf(*this, kRename, 871);
    constraints::setTipOf(*this, kRemove, 867);
    constraints::setTipOf(*this, kZoom, 868);
    constraints::setTextOf(*this, kSettings, 872);
    constraints::setTextOf(*this, ui::IDOK, 285);
    const Zrk_String caption = dialString(8715);
    if (!caption.empty()) setTitle(caption);
    fillModuleList();
    for (int tab = 0; tab < kTabCount; ++tab)
        tabInsertItem(kTabs, tab, dialString(kTabTexts[tab]));
    for (ConstraintEditingPage* editing : {listPage.get(), geometryPage.get(), variablesPage.get()})
        editing->data = &data;
    for (int tab = 0; tab < kTabCount; ++tab)
        if (page(tab)->create(this)) page(tab)->hide();
    placePages();
    tabSetCurSel(kTabs, firstTab >= 0 && firstTab < kTabCount ? firstTab : kListTab);
    switchPages();
    setMinTrackSize(size());
    layout_.attach(this);
    for (int id : {kSelect, kAddModule, kRename, kRemove})
        layout_.track(id, CResizer::Near | CResizer::Size, CResizer::Near | CResizer::Size);
    layout_.track(kModules, CResizer::Near | CResizer::Far, CResizer::Near | CResizer::Size);
    layout_.track(kTabs, CResizer::Near | CResizer::Far, CResizer::Near | CResizer::Far);
    for (int id : {kZoom, kSettings})
        layout_.track(id, CResizer::Near | CResizer::Size, CResizer::Far | CResizer::Size);
    layout_.track(ui::IDOK, CResizer::Far | CResizer::Size, CResizer::Far | CResizer::Size);
    for (int tab = 0; tab < kTabCount; ++tab)
        layout_.untrack(page(tab));
    ChangeDlgSize(this, kSizeKey);
    return true;
}

void DlgEditConstraints::placePages() {
    const QRect area = tabDisplayRect(kTabs);
    for (int tab = 0; tab < kTabCount; ++tab)
        if (page(tab)->isCreated()) page(tab)->setGeometry(area);
}

void DlgEditConstraints::onSize(int, int) {
    layout_.move();
    placePages();
}

void DlgEditConstraints::fillModuleList() {
    comboResetContent(kModules);
    Zrk_StringArray names;
    if (MacroGetModules(data, names))
        for (const Zrk_String& name : names)
            comboAddString(kModules, name);
    const int current = data.moduleName.empty() ? -1 : comboFindStringExact(kModules, data.moduleName);
    comboSetCurSel(kModules, current);
}

void DlgEditConstraints::refreshEditingPages() {
    listPage->refresh();
    geometryPage->refresh();
    variablesPage->refresh();
}

void DlgEditConstraints::storeAllPages() {
    listPage->store();
    geometryPage->store();
    variablesPage->store();
}

void DlgEditConstraints::makeSelectedModuleCurrent() {
    const int selected = comboCurSel(kModules);
    // No entry chosen (an empty list): no module is made current, an empty name least of all.
    if (selected < 0) return;
    SetCurrentModule(data, comboText(kModules, selected));
    refreshEditingPages();
}

void DlgEditConstraints::switchPages() {
    if (currentTab_ == kListTab) listPage->store();
    if (currentTab_ == kGeometryTab) geometryPage->store();
    if (currentTab_ != tabCurSel(kTabs)) {
        if (currentTab_ == kListTab) listPage->leave();
        if (currentTab_ == kGeometryTab) geometryPage->leave();
    }
    for (int tab = 0; tab < kTabCount; ++tab)
        page(tab)->hide();
    const int tab = tabCurSel(kTabs);
    if (tab == kListTab) listPage->refresh();
    if (tab == kVariablesTab) {
        variablesPage->store();
        variablesPage->refresh();
    }
    if (ui::Dialog* shown = page(tab)) shown->show();
    currentTab_ = tab;
}

bool DlgEditConstraints::interactive(const std::function<bool()>& operation) {
    return runSteppedAside(*this, operation);
}

bool DlgEditConstraints::runPaletteKind(int kind) {
    // The command fills the pages again (or changes the module): what they hold is stored first.
    storeAllPages();
    if (!interactive([&] { return StartMacroCommand(data, kind); })) return false;
    if (kind <= 10) {
        tabSetCurSel(kTabs, kListTab);
        switchPages();
        fillModuleList();
        refreshEditingPages();
    } else if (kind == kAddModuleKind) {
        fillModuleList();
        comboSetCurSel(kModules, comboCount(kModules) - 1);
        makeSelectedModuleCurrent();
    }
    return true;
}

bool DlgEditConstraints::selectOtherMacro() {
    storeAllPages();
    if (!interactive([&] { return SelectOtherMacro(data); })) return false;
    fillModuleList();
    makeSelectedModuleCurrent();
    return true;
}

bool DlgEditConstraints::renameModule() {
    storeAllPages();
    ui::TextInput input;
    input.title = dialString(877);
    input.label = dialString(878);
    input.value = data.moduleName;
    if (!ui::inputText(input, this) || !RenameModule(data, input.value)) return false;
    const int position = comboCurSel(kModules);
    fillModuleList();
    comboSetCurSel(kModules, position);
    makeSelectedModuleCurrent();
    return true;
}

bool DlgEditConstraints::removeModule() {
    const int position = comboCurSel(kModules);
    if (position < 0) return false;
    storeAllPages(); // the pages are filled again afterwards
    // One undo step of the drawing, so that no question is needed.
    if (!RemoveModule(data, comboText(kModules, position))) return false;
    fillModuleList();
    comboSetCurSel(kModules, std::min(position, comboCount(kModules) - 1));
    makeSelectedModuleCurrent();
    return true;
}

bool DlgEditConstraints::zoom() {
    if (zooming_) return false; // a second press while one runs
    zooming_ = true;
    const bool ok = interactive([&] { return ZoomCommand(data); });
    zooming_ = false;
    return ok;
}

bool DlgEditConstraints::editSettings() {
    return StartDlgMacroSettings(data.macroId);
}

bool DlgEditConstraints::onCommand(int id, int code) {
    if (code == ui::BN_CLICKED) {
        switch (id) {
        case kSelect:
            return selectOtherMacro(), true;
        case kAddModule:
            return runPaletteKind(kAddModuleKind), true;
        case kRename:
            return renameModule(), true;
        case kRemove:
            return removeModule(), true;
        case kZoom:
            return zoom(), true;
        case kSettings:
            return editSettings(), true;
        default:
            break;
        }
    }
    if (id == kModules && code == ui::CBN_SELCHANGE) {
        storeAllPages();
        makeSelectedModuleCurrent();
        return true;
    }
    return ui::Dialog::onCommand(id, code);
}

bool DlgEditConstraints::onNotify(int id, int code, const void* details) {
    if (id == kTabs && code == ui::TCN_SELCHANGE) {
        switchPages();
        return true;
    }
    return ui::Dialog::onNotify(id, code, details);
}

void DlgEditConstraints::endModeless() {
    closing_ = true;
    EndDlgEditConstraints();
    closing_ = false;
}

void DlgEditConstraints::onOK() {
    if (modeless) return endModeless();
    ui::Dialog::onOK();
}

void DlgEditConstraints::onCancel() {
    if (modeless) return endModeless();
    ui::Dialog::onCancel();
}

void DlgEditConstraints::onClose() {
    if (modeless) return endModeless();
    ui::Dialog::onCancel();
}

void DlgEditConstraints::onDestroy() {
    storeAllPages();
    WriteDlgSize(this, kSizeKey);
    for (int tab = 0; tab < kTabCount; ++tab)
        page(tab)->destroyWindow();
}

// --- entries -----------------------------------------------------------------------------------------

EditConstrData constraintRecordOf(AcDbObjectId macroId) {
    EditConstrData data;
    data.macroId = macroId;
    Zrk_StringArray modules;
    if (MacroGetModules(data, modules) && !modules.isEmpty()) SetCurrentModule(data, modules[0]);
    return data;
}

DlgEditConstraints* openConstraintDialog() {
    auto* open = dynamic_cast<ModelessConstraints*>(frame::constraintDialog().get());
    return open ? open->dialog() : nullptr;
}

bool StartDlgEditConstraints(EditConstrData& data) {
    std::unique_ptr<frame::ModelessDialog>& open = frame::constraintDialog();
    if (open) return true;
    ModuleResourceSwitch resources;
    auto dialog = std::make_unique<DlgEditConstraints>(true, ui::mainWindow());
    dialog->data = data;
    if (!dialog->create(ui::mainWindow())) return false;
    dialog->show();
    if (QWidget* main = ui::mainWindow()) main->activateWindow();
    open = std::make_unique<ModelessConstraints>(std::move(dialog));
    return true;
}

bool StartDlgEditConstrModal(EditConstrData& data, int firstTab) {
    return frame::runModalOnCopy<DlgEditConstraints>(data, {frame::Resources::Module, frame::CopyBack::Never},
                                                     false, nullptr, firstTab);
}
