#include "macrodlg/macro_page.h"

#include <QApplication>
#include <QPainter>

#include "core/files.h"
#include "core/language.h"
#include "core/macro_update.h"
#include "core/settings.h"
#include "designer/dlg_designer.h"
#include "module/module_resources.h"
#include "host/command_line.h"
#include "host/document.h"
#include "macrodlg/dlg_array.h"
#include "macrodlg/dlg_bolt_advanced.h"
#include "macrodlg/dlg_macro.h"
#include "macrodlg/dlg_pattern_settings.h"
#include "macrodlg/macro_page_link.h"
#include "spreadlib/constants.h"
#include "spreadlib/grid/grid_notify.h"
#include "ui/window_class.h"

namespace {

using ui::Kind;
using P = DlgMacroPage;

const ui::DialogTemplate kPageTemplate(P::kTemplate, "", 300, 200, ui::dialogStyle::Child,
                                       {
                                           {P::kGridPlaceholder, Kind::Placeholder, "", 2, 2, 296, 150},
                                           {P::kCompositionLabel, Kind::Static, "Assembly:", 2, 160, 48, 9},
                                           {P::kComposition, Kind::DropListCombo, "", 52, 158, 80, 120},
                                           {P::kDiameterLabel, Kind::Static, "Diameter:", 140, 160, 40, 9},
                                           {P::kDiameter, Kind::DropListCombo, "", 182, 158, 60, 120},
                                           {P::kAdvanced, Kind::PushButton, "Advanced...", 2, 176, 70, 14},
                                       });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kPageTemplate);

std::map<int, MacroPageFactory>& factories() {
    static std::map<int, MacroPageFactory> registered;
    return registered;
}

} // namespace

// The link the bolt and pattern dialogs apply through: each change they hand over is written into
// the page's tab and applied at once.
class MacroPage::Link : public MacroPageLink {
public:
    explicit Link(MacroPage& page) : page_(page) {}
    bool applyBoltData(MacroBoltData& bolt) override {
        MacroTabData* t = page_.tab();
        if (!t || !t->boltData) return false;
        const MacroTabData before = *t;
        t->boltData = bolt;
        const bool ok = page_.applyTabChange(before) || *t == before;
        if (MacroTabData* now = page_.tab(); now && now->boltData) bolt = *now->boltData;
        return ok;
    }
    bool applyPatternProps(const Zrk_String& pattern, MacroPatternProps& props) override {
        MacroTabData* t = page_.tab();
        int index = -1;
        if (!t || !t->findPatternWithName(pattern, index)) return false;
        const MacroTabData before = *t;
        t->patterns[index].props = props;
        t->patterns[index].hasSettings = true;
        const bool ok = page_.applyTabChange(before) || *t == before;
        if (MacroTabData* now = page_.tab(); now && now->findPatternWithName(pattern, index))
            props = now->patterns[index].props;
        return ok;
    }

private:
    MacroPage& page_;
};

MacroPage::MacroPage(int templateId, DlgMacro& owner, int tabIndex)
    : ui::Dialog(templateId, &owner), owner_(owner), tabIndex_(tabIndex) {
    grid.defaultFontName = kFontName;
}

MacroPage::~MacroPage() = default;

MacroTabData* MacroPage::tab() const {
    return owner_.macroData.getTab(tabIndex_);
}

bool MacroPage::isFixedControl(int id) const {
    for (int fixed : fixedControls())
        if (fixed == id) return true;
    return false;
}

bool MacroPage::onInitDialog() {
    initFixedControls();
    grid.attach(this, kGridPlaceholder, true);
    grid.applyStandardLook(true);
    grid.setBool(spreadlib::kOptionRowHeaders, false);
    grid.setBool(spreadlib::kOptionColumnHeaders, false);
    grid.setMaxCols(4);
    fill();
    ready = true;
    return false;
}

void MacroPage::fill() {
    MacroTabData* t = tab();
    grid.setRedraw(false);
    if (t) t->removeAllDlgReferences();
    hasBoltButton = false;
    sectionLists_.clear();
    pictureWidth_ = pictureHeight_ = 0;
    if (t && !t->templatePath.empty()) {
        designer.initialize(this, Zrk_DlgDesignerData::kFirstControlId, Zrk_DlgDesignerData::kLastControlId,
                            0, 0, 0, 0, 0, false);
        if (designer.readFromFile(ensureEndSlash(gSettings.libDir) + t->templatePath, true)) {
            for (int i = designer.getNrControls() - 1; i >= 0; --i)
                if (!bindControl(*designer.getControlWrite(i))) designer.removeControl(i);
            designer.redrawAllControls();
            designer.getImageSize(pictureWidth_, pictureHeight_);
        }
    }
    fillGrid();
    grid.setRedraw(true);
    fillFixedFields();
    showValues();
    placeGrid();
}

void MacroPage::fillFixedFields() {
    setFlexButtons();
}

// --- size -----------------------------------------------------------------------------------------------

void MacroPage::wantedSize(int& width, int& height) const {
    width = std::max(pictureWidth_ - 20, 310);
    height = pictureHeight_ + (grid.isVisibleTo(this) ? 130 : 0) + extraHeight() - 20;
}

void MacroPage::placeGrid() {
    const QRect client = clientRect();
    const int top = pictureHeight_ + 2;
    grid.setGeometry(3, top, std::max(client.width() - 6, 0),
                     std::max(client.height() - top - extraHeight() - 4, 0));
}

void MacroPage::onSize(int, int) {
    placeGrid();
}

void MacroPage::onEraseBackground(QPainter& painter) {
    // The template's picture is the page's background; its labels sit on it.
    designer.OnEraseBkgnd(painter);
}

// --- applying ---------------------------------------------------------------------------------------------

bool MacroPage::applyTabChange(const MacroTabData& before) {
    MacroTabData* t = tab();
    if (!t) return false;
    Zrk_StringArray names;
    Zrk_Array<int> list1, list2;
    t->differences(before, names, list1, list2);
    if (list1.isEmpty()) return false;
    // One host transaction: what the macros refuse leaves the drawing as it was.
    host::TransactionManager& transactions = host::Document::current().transactionManager();
    const bool own = host::Document::current().isOpen() && transactions.startTransaction() != nullptr;
    const bool written = UpdateModule(t->name, owner_.macroData, list1, list2);
    if (own) {
        if (written)
            transactions.endTransaction();
        else
            transactions.abortTransaction();
    }
    if (!written) {
        // The page shows what the drawing holds: the tab as it was before the change.
        *tab() = before;
        showValues();
        return false;
    }
    clashcheck(owner_.modelessIndex, owner_.macroData);
    owner_.countAppliedChange();
    owner_.refreshAllPages(true);
    acedPostCommandPrompt();
    return true;
}

bool MacroPage::applyChanges() {
    MacroTabData* t = tab();
    if (!t || !ready) return false;
    ready = false;
    const MacroTabData before = *t;
    storeValues();
    const bool written = applyTabChange(before);
    ready = true;
    return written;
}

// --- commands ---------------------------------------------------------------------------------------------

bool MacroPage::onCommand(int id, int code) {
    if (id == ui::IDOK) return applyChanges(), true;
    if (id == ui::IDCANCEL) return owner_.closeDialog(), true;
    if (isFixedControl(id)) return onFixedCommand(id, code);
    if (id == kGridPlaceholder) {
        if (code == spreadlib::kGridCheckBoxClicked) return applyChanges(), true;
        if (code == spreadlib::kGridButtonClicked) {
            int column = 0, row = 0;
            grid.getActiveCell(column, row);
            return onGridButton(row);
        }
        return true;
    }
    if (designer.isADynControl(id)) return onTemplateCommand(id, code);
    return ui::Dialog::onCommand(id, code);
}

bool MacroPage::onNotify(int id, int code, const void* details) {
    if (id != kGridPlaceholder) return ui::Dialog::onNotify(id, code, details);
    const auto* record = static_cast<const spreadlib::GridNotify*>(details);
    // A value typed into a cell is applied when its edit ends.
    if ((code == spreadlib::kGridValueChanged && !grid.getEditMode()) ||
        (code == spreadlib::kGridEditEnded && record && record->changed))
        applyChanges();
    return true;
}

bool MacroPage::onTemplateCommand(int id, int code) {
    Zrk_ControlType type = ctLabel;
    MacroTabData* t = tab();
    if (!t || !designer.getDynControlType(id, type)) return false;
    int index = -1;
    const designer::ControlKind kind = designer::controlKind(type);
    if (kind == designer::ControlKind::Edit) {
        if (code == ui::EN_KILLFOCUS) applyChanges();
        return true;
    }
    if (kind == designer::ControlKind::ComboBox && type != ctSubMacro) {
        if (code == ui::CBN_SELCHANGE || code == ui::CBN_KILLFOCUS) applyChanges();
        return true;
    }
    if (code != ui::BN_CLICKED && type != ctSubMacro) return true;
    switch (type) {
    case ctCellCheck:
        applyChanges();
        return true;
    case ctCellButton:
    case ctCellButton2:
        runCellButton(id);
        return true;
    case ctPatternButton:
        if (t->findPatternWithBtnId(id, index)) runPatternDialog(index);
        return true;
    case ctBoltAdvanced:
        runAdvancedBolt();
        return true;
    case ctArrayButton:
        if (t->findArrayWithBtnId(id, index)) runArrayDialog(index);
        return true;
    case ctProfButton:
    case ctProfAdvanced:
        return onProfileGroupButton(id, type);
    case ctSubMacro: {
        if (code != ui::CBN_SELCHANGE) return true;
        int at = -1;
        if (!designer.findCtrlFromResource(id, at)) return true;
        const Zrk_String name = itemText(id);
        if (name.empty() || name == core::variesText()) return true;
        Zrk_String folder = normalizePath(designer.getControl(at)->comboList);
        if (!folder.empty() && folder.back() != '/') folder += '/';
        // One transaction, as every apply: the window that shows the drawing hears it.
        host::TransactionManager& transactions = host::Document::current().transactionManager();
        const bool own = host::Document::current().isOpen() && transactions.startTransaction() != nullptr;
        const bool swapped = swapBlockRefs(owner_.macroData, t->name,
                                           ensureEndSlash(gSettings.libDir) + folder + name + ".dwg");
        if (own) swapped ? transactions.endTransaction() : transactions.abortTransaction();
        if (swapped) {
            owner_.countAppliedChange();
            owner_.refreshAllPages(true);
        } else {
            showValues();
        }
        return true;
    }
    case ctFlexButton: {
        Zrk_String group, name;
        int state = 0, at = -1;
        if (!designer.getFlexBtnGroupName(id, group, name) || !designer.findCtrlFromResource(id, at) ||
            !designer.getFlexBtnStatus(at, state))
            return true;
        const MacroTabData before = *t;
        if (t->flexFixBtnClicked(group, name, state == 1))
            applyTabChange(before);
        else
            setFlexButtons();
        return true;
    }
    default:
        return true;
    }
}

bool MacroPage::onGridButton(int row) {
    MacroTabData* t = tab();
    if (!t || row < 1 || row > static_cast<int>(rows_.size())) return false;
    const GridRow& item = rows_[static_cast<std::size_t>(row - 1)];
    if (item.kind == GridRow::Array) return runArrayDialog(item.index);
    if (item.kind == GridRow::Pattern) return runPatternDialog(item.index);
    return false;
}

bool MacroPage::runArrayDialog(int arrayIndex) {
    MacroTabData* t = tab();
    if (!t || !t->arrays.isValid(arrayIndex)) return false;
    acedPostCommand("CANCELCMD");
    const MacroTabData before = *t;
    DynArrayData array = t->arrays[arrayIndex];
    if (!StartArrayDlg(array, owner_.macroData.macroIds, t->name)) return false;
    t = tab();
    // The dialog's references stay the page's.
    array.valueCtrls = t->arrays[arrayIndex].valueCtrls;
    array.buttonCtrl = t->arrays[arrayIndex].buttonCtrl;
    for (int e = 0; e < array.entries.length() && e < t->arrays[arrayIndex].entries.length(); ++e)
        array.entries[e].ctrl = t->arrays[arrayIndex].entries[e].ctrl;
    t->arrays[arrayIndex] = array;
    return applyTabChange(before);
}

bool MacroPage::runPatternDialog(int patternIndex) {
    MacroTabData* t = tab();
    if (!t || !t->patterns.isValid(patternIndex)) return false;
    acedPostCommand("CANCELCMD");
    Zrk_BoltPattern pattern = t->patterns[patternIndex];
    Link link(*this);
    return StartDlgPatternSettings(pattern, &link);
}

bool MacroPage::runAdvancedBolt() {
    MacroTabData* t = tab();
    if (!t || !t->boltData) return false;
    applyChanges();
    t = tab();
    MacroBoltData bolt = *t->boltData;
    Zrk_StringArray diameters;
    GetMergedDiameters(owner_.macroData, t->name, diameters);
    Link link(*this);
    return StartDlgMacroBoltAdvanced(bolt, diameters, &link);
}

void MacroPage::openDesigner() {
    MacroTabData* t = tab();
    if (!t || t->templatePath.empty()) return;
    StartDlgDesigner(ensureEndSlash(gSettings.libDir) + t->templatePath);
}

// --- keys and focus -----------------------------------------------------------------------------------

QWidget* MacroPage::focusInPage() const {
    QWidget* focus = QApplication::focusWidget();
    // Once the focus has left the page (a click on the tab control), the page's last focused control.
    if (!focus || !isAncestorOf(focus)) focus = focusWidget();
    return focus && isAncestorOf(focus) ? focus : nullptr;
}

MacroPage::Area MacroPage::areaOf(QWidget* focus) const {
    if (!focus) return NoArea;
    if (focus == &grid || grid.isAncestorOf(focus)) return GridArea;
    const int id = ui::controlId(ui::windowOf(focus));
    if (designer.isADynControl(id)) return TemplateArea;
    if (isFixedControl(id)) return FixedArea;
    return NoArea;
}

MacroPage::Area MacroPage::areaOfFocus() const {
    QWidget* focus = QApplication::focusWidget();
    return focus && isAncestorOf(focus) ? areaOf(focus) : NoArea;
}

bool MacroPage::enterArea(Area area, bool forward) {
    switch (area) {
    case TemplateArea:
        return designer.isInitialized() && designer.setFocusToCtrl(forward);
    case GridArea:
        return grid.isVisibleTo(this) && grid.focusFreeCell(forward);
    case FixedArea: {
        std::vector<int> ids = fixedControls();
        if (!forward) std::reverse(ids.begin(), ids.end());
        for (int id : ids) {
            QWidget* control = item(id);
            if (control && control->isVisibleTo(this) && control->isEnabled()) return gotoDlgCtrl(id);
        }
        return false;
    }
    default:
        return false;
    }
}

bool MacroPage::cycleTab(bool shift) {
    const bool forward = !shift;
    Area area = areaOfFocus();
    auto next = [forward](Area from) { return static_cast<Area>(forward ? (from + 1) % 3 : (from + 2) % 3); };
    Zrk_TabMsgHandle answer = tabNotHandled;
    Area target = TemplateArea;
    switch (area) {
    case TemplateArea:
        if (designer.handleTabKey(ui::VK_TAB, shift, answer) && answer == tabHandled) return true;
        target = next(area);
        break;
    case GridArea:
        // Inside the grid its own Tab moves between the cells.
        if (grid.handleTabKey(ui::VK_TAB, shift, answer) && answer == tabHandled) return false;
        target = next(area);
        break;
    case FixedArea: {
        std::vector<int> ids;
        for (int id : fixedControls()) {
            QWidget* control = item(id);
            if (control && control->isVisibleTo(this) && control->isEnabled()) ids.push_back(id);
        }
        const int focused = focusedItemId();
        const auto at = std::find(ids.begin(), ids.end(), focused);
        if (at != ids.end()) {
            const auto position = at - ids.begin();
            const auto step = position + (forward ? 1 : -1);
            if (step >= 0 && step < static_cast<long>(ids.size()))
                return gotoDlgCtrl(ids[static_cast<std::size_t>(step)]);
        }
        target = next(area);
        break;
    }
    default:
        target = TemplateArea;
        break;
    }
    // An area without a field is passed by; after four tries nothing happens.
    for (int attempt = 0; attempt < 4; ++attempt, target = next(target))
        if (enterArea(target, forward)) return true;
    return true;
}

bool MacroPage::preTranslateKey(const ui::KeyPress& key) {
    switch (key.key) {
    case ui::VK_TAB:
        if (key.control || key.alt) return false;
        return cycleTab(key.shift);
    case ui::VK_ESCAPE:
        // Escape in a cell's editor only ends the edit.
        if (grid.getEditMode()) return false;
        owner_.closeDialog();
        return true;
    case ui::VK_F12:
        openDesigner();
        return true;
    case ui::VK_RETURN:
        if (areaOfFocus() == GridArea && grid.getEditMode()) return false;
        applyChanges();
        return true;
    default:
        return false;
    }
}

void MacroPage::storeFocus() {
    MacroTabData* t = tab();
    QWidget* focused = focusInPage();
    if (!t || !focused) return;
    MacroPageFocus focus;
    const int id = ui::controlId(ui::windowOf(focused));
    if (areaOf(focused) == GridArea) {
        focus.kind = MacroPageFocus::GridCell;
        grid.getActiveCell(focus.column, focus.row);
    } else if (id != 0) {
        focus.kind = MacroPageFocus::Control;
        focus.id = id;
        if (designer.isTypeBoltCount(id)) editSel(id, focus.selStart, focus.selEnd);
    }
    if (focus.kind != MacroPageFocus::None) owner_.focusMemory[t->name] = focus;
}

void MacroPage::restoreFocus() {
    MacroTabData* t = tab();
    if (!t) return;
    const auto found = owner_.focusMemory.find(t->name);
    if (found == owner_.focusMemory.end()) return setFirstFocus();
    const MacroPageFocus& focus = found->second;
    if (focus.kind == MacroPageFocus::GridCell && grid.isVisibleTo(this) && focus.row >= 1 &&
        focus.row <= grid.getNrRows()) {
        grid.setFocus(Qt::OtherFocusReason);
        grid.setActiveCell(focus.column, focus.row);
        return;
    }
    QWidget* control = focus.kind == MacroPageFocus::Control ? item(focus.id) : nullptr;
    if (!control || !control->isVisibleTo(this) || !control->isEnabled()) return setFirstFocus();
    if (focus.selStart >= 0) {
        setItemFocus(focus.id);
        setEditSel(focus.id, focus.selStart, focus.selEnd);
    } else {
        gotoDlgCtrl(focus.id);
    }
}

void MacroPage::setFirstFocus() {
    if (designer.isInitialized() && designer.setFocusToCtrl(true)) return;
    if (grid.isVisibleTo(this) && grid.focusFreeCell(true)) return;
    enterArea(FixedArea, true);
}

// --- the variable page ------------------------------------------------------------------------------------

DlgMacroPage::DlgMacroPage(DlgMacro& owner, int tabIndex) : MacroPage(kTemplate, owner, tabIndex) {}

std::vector<int> DlgMacroPage::fixedControls() const {
    return {kComposition, kDiameter, kAdvanced};
}

void DlgMacroPage::initFixedControls() {
    frame::setItemTextFromTable(*this, kCompositionLabel, 275);
    frame::setItemTextFromTable(*this, kDiameterLabel, 328);
    frame::setItemTextFromTable(*this, kAdvanced, 968);
}

bool DlgMacroPage::showsBoltFields() const {
    const MacroTabData* t = tab();
    return t && t->kind == core::kTabBolt && t->boltData && !hasBoltButton;
}

int DlgMacroPage::extraHeight() const {
    return showsBoltFields() ? kBoltFieldsHeight : 0;
}

void DlgMacroPage::fillFixedFields() {
    MacroPage::fillFixedFields();
    const bool shown = showsBoltFields();
    for (int id : {kCompositionLabel, kComposition, kDiameterLabel, kDiameter, kAdvanced})
        showItem(id, shown);
    if (shown) fillBoltFields();
}

void DlgMacroPage::fillBoltFields() {
    MacroTabData* t = tab();
    if (!t || !t->boltData) return;
    Zrk_StringArray assemblies, diameters;
    GetAssemblies(assemblies);
    GetMergedDiameters(macroDialog().macroData, t->name, diameters);
    comboResetContent(kComposition);
    for (const Zrk_String& assembly : assemblies)
        comboAddString(kComposition, assembly);
    comboResetContent(kDiameter);
    for (const Zrk_String& diameter : diameters)
        comboAddString(kDiameter, diameter);
    showValues();
}

void DlgMacroPage::showValues() {
    MacroPage::showValues();
    MacroTabData* t = tab();
    if (!showsBoltFields() || !t) return;
    // The record's texts are chosen, added to their lists first when they are not there.
    for (const auto& [id, text] :
         {std::pair{kComposition, t->boltData->composition}, std::pair{kDiameter, t->boltData->diameter}}) {
        if (comboFindStringExact(id, text) < 0) comboAddString(id, text);
        comboSetCurSel(id, comboFindStringExact(id, text));
    }
    placeBoltFields();
}

void DlgMacroPage::storeValues() {
    MacroPage::storeValues();
    MacroTabData* t = tab();
    if (!showsBoltFields() || !t) return;
    t->boltData->composition = itemText(kComposition);
    t->boltData->diameter = itemText(kDiameter);
}

void DlgMacroPage::placeBoltFields() {
    const QRect client = clientRect();
    const int top = client.height() - kBoltFieldsHeight;
    const QRect label = mapDialogRect(QRect(0, 0, 48, 9));
    const QRect combo = mapDialogRect(QRect(0, 0, 80, 12));
    moveItem(kCompositionLabel, QRect(QPoint(3, top + 4), label.size()));
    moveItem(kComposition, QRect(QPoint(3 + label.width() + 2, top + 1), combo.size()));
    const int second = 3 + label.width() + combo.width() + 12;
    moveItem(kDiameterLabel, QRect(QPoint(second, top + 4), label.size()));
    moveItem(kDiameter, QRect(QPoint(second + label.width() + 2, top + 1),
                              QSize(combo.width() * 3 / 4, combo.height())));
    moveItem(kAdvanced,
             QRect(QPoint(3, top + combo.height() + 4), mapDialogRect(QRect(0, 0, 70, 13)).size()));
}

bool DlgMacroPage::onFixedCommand(int id, int code) {
    MacroTabData* t = tab();
    if (!t) return true;
    if (id == kAdvanced && code == ui::BN_CLICKED) {
        runAdvancedBolt();
        return true;
    }
    if (id == kComposition && code == ui::CBN_SELCHANGE) {
        const Zrk_String composition = itemText(kComposition);
        if (composition != core::variesText()) {
            // The diameters of the chosen assembly; the diameter chosen before stays chosen.
            const Zrk_String diameter = itemText(kDiameter);
            Zrk_StringArray diameters;
            GetDiameters(composition, diameters);
            comboResetContent(kDiameter);
            for (const Zrk_String& each : diameters)
                comboAddString(kDiameter, each);
            if (comboFindStringExact(kDiameter, diameter) < 0) comboAddString(kDiameter, diameter);
            comboSetCurSel(kDiameter, comboFindStringExact(kDiameter, diameter));
        }
        applyChanges();
        return true;
    }
    if (id == kDiameter && code == ui::CBN_SELCHANGE) applyChanges();
    return true;
}

// --- page kinds
// ---------------------------------------------------------------------------------------------

void setMacroPageFactory(int tabKind, MacroPageFactory factory) {
    factories()[tabKind] = std::move(factory);
}

std::unique_ptr<MacroPage> makeMacroPage(DlgMacro& owner, int tabIndex, int tabKind) {
    if (tabKind < core::kTabPlain || tabKind > core::kTabSubMacro) return nullptr;
    const auto found = factories().find(tabKind);
    if (found != factories().end() && found->second) return found->second(owner, tabIndex);
    return std::make_unique<DlgMacroPage>(owner, tabIndex);
}
