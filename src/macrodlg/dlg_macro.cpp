#include "macrodlg/dlg_macro.h"

#include <QApplication>
#include <QShowEvent>
#include <utility>

#include "core/language.h"
#include "core/macro_update.h"
#include "core/number_text.h"
#include "core/text.h"
#include "host/command_line.h"
#include "module/entry_function.h"
#include "module/module_resources.h"
#include "module/module_state.h"
#include "ui/dialog_size.h"

namespace {

using ui::Kind;
using D = DlgMacro;

constexpr unsigned kIcon = ui::style::Icon;

const ui::DialogTemplate kMacroTemplate(
    D::kTemplate, "Macro", 320, 300, ui::dialogStyle::Resizable,
    {
        {D::kSelectOther, Kind::BitmapButton, "", 7, 11, 20, 16, kIcon, 217},
        {D::kList1Frame, Kind::GroupBox, "Group", 32, 2, 138, 28},
        {D::kList1, Kind::DropListCombo, "", 37, 12, 128, 120},
        {D::kList2Frame, Kind::GroupBox, "Macros", 175, 2, 138, 28},
        {D::kList2, Kind::DropListCombo, "", 180, 12, 128, 120},
        {D::kTabs, Kind::TabControl, "", 7, 34, 306, 236},
        {D::kViewReset, Kind::BitmapButton, "", 7, 277, 20, 16, kIcon, 218},
        {D::kView0, Kind::BitmapButton, "", 29, 277, 20, 16, kIcon, 220},
        {D::kView1, Kind::BitmapButton, "", 51, 277, 20, 16, kIcon, 222},
        {D::kView2, Kind::BitmapButton, "", 73, 277, 20, 16, kIcon, 221},
        {D::kLoadStandards, Kind::BitmapButton, "", 99, 277, 20, 16, kIcon, 259},
        {D::kClash, Kind::BitmapButton, "", 121, 277, 20, 16, kIcon | ui::style::Checkable, 237},
        {D::kLoadProps, Kind::BitmapButton, "", 147, 277, 20, 16, kIcon | ui::style::Disabled, 232},
        {D::kSaveProps, Kind::BitmapButton, "", 169, 277, 20, 16, kIcon | ui::style::Disabled, 233},
        {D::kReApply, Kind::PushButton, "Re-apply", 203, 278, 52, 14},
        {ui::IDOK, Kind::PushButton, "Close", 261, 278, 52, 14},
    });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kMacroTemplate);

struct Tip {
    int id;
    int text;
};
constexpr Tip kTips[] = {
    {D::kSelectOther, 973}, {D::kViewReset, 974}, {D::kView0, 975},     {D::kView1, 976},
    {D::kView2, 977},       {D::kLoadProps, 978}, {D::kSaveProps, 979}, {D::kClash, 980},
};
// Our own: the tip of Load from standards.
constexpr const char* kLoadStandardsTip = "Load from standards";

DlgMacro::PropertyFileChooser& propertyFileChooser() {
    static DlgMacro::PropertyFileChooser chooser;
    return chooser;
}

// The modeless dialog as the module's table of modeless macro dialogs keeps it.
class ModelessMacro : public frame::OwnedModelessDialog<DlgMacro, frame::ModelessMacroDialog> {
public:
    using OwnedModelessDialog::OwnedModelessDialog;
    const MacroData& macroData() const override { return dialog()->macroData; }
    bool isBusy() const override { return dialog()->macroData.busy; }
};

} // namespace

DlgMacro::DlgMacro(int modelessIndex, QWidget* owner)
    : ui::Dialog(kTemplate, owner), modelessIndex(modelessIndex) {}

DlgMacro::~DlgMacro() = default;

DlgMacro::PropertyFileChooser DlgMacro::setPropertyFileChooser(PropertyFileChooser chooser) {
    return std::exchange(propertyFileChooser(), std::move(chooser));
}

MacroPage* DlgMacro::page(int index) const {
    return index >= 0 && index < pageCount() ? pages_[static_cast<std::size_t>(index)].get() : nullptr;
}

int DlgMacro::pageKind(int index) const {
    return index >= 0 && index < pageCount() ? pageKinds_[static_cast<std::size_t>(index)] : -1;
}

// --- initialisation ----------------------------------------------------------------------------------

bool DlgMacro::onInitDialog() {
    for (const Tip& tip : kTips) {
        const Zrk_String text = dialString(tip.text);
        if (!text.empty()) setItemToolTip(tip.id, text);
    }
    setItemToolTip(kLoadStandards, kLoadStandardsTip);
    frame::setItemTextFromTable(*this, kList1Frame, 755);
    frame::setItemTextFromTable(*this, kList2Frame, 981);
    frame::setItemTextFromTable(*this, kReApply, 982);
    frame::setItemTextFromTable(*this, ui::IDOK, 285);
    layout_.attach(this);
    layout_.track(kSelectOther, CResizer::Near | CResizer::Size, CResizer::Near | CResizer::Size);
    for (int id : {kList1Frame, kList1, kList2Frame, kList2})
        layout_.track(id, CResizer::Near | CResizer::Size, CResizer::Near | CResizer::Size);
    layout_.track(kTabs, CResizer::Near | CResizer::Far, CResizer::Near | CResizer::Far);
    for (int id : {kViewReset, kView0, kView1, kView2, kLoadStandards, kClash, kLoadProps, kSaveProps})
        layout_.track(id, CResizer::Near | CResizer::Size, CResizer::Far | CResizer::Size);
    for (int id : {kReApply, int(ui::IDOK)})
        layout_.track(id, CResizer::Far | CResizer::Size, CResizer::Far | CResizer::Size);

    rebuildPages();
    int first = 0;
    if (!macroData.findTab(macroData.firstTabName, first)) first = 0;
    if (first < pageCount()) tabSetCurSel(kTabs, first);
    showSelectedPage();
    fillTitleAndLists();
    minimumSize_ = size();
    ChangeDlgSize(this, sizeKey());
    fitToPages();
    clashInitDlgStarted(modelessIndex);
    clashResetInfo(modelessIndex);
    setCheck(kClash, clashGetStatus(modelessIndex) ? 1 : 0);
    clashcheck(modelessIndex, macroData);
    QApplication::restoreOverrideCursor();
    initialised_ = true;
    // The caller may ask for the advanced settings of the profile tab shown first, once the dialog is
    // complete around it.
    if (macroData.profAdvAtStart && pageKind(activePageIndex()) == core::kTabProfile)
        if (MacroPage* shown = activePage()) shown->openAdvancedSettings();
    return false;
}

Zrk_String DlgMacro::sizeKey() const {
    Zrk_String key = "DLG_MACRO_EDITVARS_";
    const int edited = macroData.macroIds.length();
    if (edited == 1) return key + (macroData.macroNames.isEmpty() ? Zrk_String() : macroData.macroNames[0]);
    Zrk_String group;
    if (macroData.currentGroupName(group)) return key + "GROUP_" + group;
    return key + std::to_string(edited) + "_MACROS";
}

// --- pages ------------------------------------------------------------------------------------------------

void DlgMacro::destroyPages() {
    for (auto& shown : pages_)
        if (shown) shown->destroyWindow();
    pages_.clear();
    pageKinds_.clear();
    activePage_ = -1;
}

void DlgMacro::rebuildPages() {
    const int selected = std::max(tabCurSel(kTabs), 0);
    if (MacroPage* shown = activePage()) shown->storeFocus();
    tabDeleteAllItems(kTabs);
    destroyPages();
    for (int i = 0; i < macroData.tabs.length(); ++i) {
        const MacroTabData& tab = macroData.tabs[i];
        std::unique_ptr<MacroPage> made = makeMacroPage(*this, i, tab.kind);
        tabInsertItem(kTabs, i, tab.name);
        if (made && made->create(this))
            made->hide();
        else
            made.reset();
        pages_.push_back(std::move(made));
        pageKinds_.push_back(tab.kind);
    }
    placePages();
    if (pageCount() > 0) tabSetCurSel(kTabs, std::min(selected, pageCount() - 1));
    if (initialised_) showSelectedPage();
    enablePropertyButtons();
}

void DlgMacro::placePages() {
    if (tabCount(kTabs) <= 0) return;
    const QRect tabs = itemRect(kTabs);
    const QRect first = tabItemRect(kTabs, 0);
    const int left = first.left();
    const int top = first.bottom() + 2;
    const QRect area(left, top, std::max(tabs.right() - left - 3, 0), std::max(tabs.bottom() - top - 2, 0));
    for (auto& each : pages_)
        if (each) each->setGeometry(area);
}

void DlgMacro::showSelectedPage() {
    if (MacroPage* shown = activePage()) shown->storeFocus();
    for (auto& each : pages_)
        if (each) each->hide();
    const int selected = tabCurSel(kTabs);
    MacroPage* chosen = page(selected);
    activePage_ = selected;
    if (!chosen) return;
    chosen->show();
    chosen->raise();
    chosen->placeGrid();
    if (shownBefore_)
        chosen->restoreFocus();
    else
        chosen->setFirstFocus();
    shownBefore_ = true;
}

void DlgMacro::selectTab(int index) {
    if (index < 0 || index >= tabCount(kTabs)) return;
    tabSetCurSel(kTabs, index);
    showSelectedPage();
}

void DlgMacro::fitToPages() {
    int widest = 0, tallest = 0;
    for (auto& each : pages_) {
        if (!each) continue;
        int width = 0, height = 0;
        each->wantedSize(width, height);
        widest = std::max(widest, width);
        tallest = std::max(tallest, height);
    }
    // Pages are never cut: the window grows to them, and a larger size (the person's) stays.
    const QSize fitted(std::max(widest + kFitExtraWidth, minimumSize_.width()),
                       std::max(tallest + kFitExtraHeight, minimumSize_.height()));
    setMinTrackSize(fitted);
    resize(size().expandedTo(fitted));
    userResized_ = true;
}

void DlgMacro::onSize(int, int) {
    userResized_ = true;
    layout_.move();
    placePages();
    if (MacroPage* shown = activePage()) shown->placeGrid();
}

void DlgMacro::fillTitleAndLists() {
    setTitle(macroData.title);
    for (const auto& [id, items, current] :
         {std::tuple{kList1, &macroData.selectList1, macroData.selectIndex1},
          std::tuple{kList2, &macroData.selectList2, macroData.selectIndex2}}) {
        comboResetContent(id);
        for (const Zrk_String& each : *items)
            comboAddString(id, each);
        comboSetCurSel(id, current);
    }
}

void DlgMacro::enablePropertyButtons() {
    Zrk_String reason;
    const bool allowed = propertyFileChooser() && macroData.propListAllowed(reason);
    enableItem(kLoadProps, allowed);
    enableItem(kSaveProps, allowed);
}

void DlgMacro::refreshAllPages(bool keepFocus) {
    MacroPage* shown = activePage();
    if (keepFocus && shown) shown->storeFocus();
    for (auto& each : pages_)
        if (each) each->showValues();
    if (keepFocus && shown) shown->restoreFocus();
    setCheck(kClash, clashGetStatus(modelessIndex) ? 1 : 0);
}

void DlgMacro::readAllPages() {
    // Each page stores its controls and writes what changed, in a transaction of its own.
    for (auto& each : pages_)
        if (each) each->applyChanges();
    clashcheck(modelessIndex, macroData);
}

void DlgMacro::countAppliedChange() {
    ++appliedChanges_;
    if (onDrawingChanged) onDrawingChanged();
}

// --- commands ---------------------------------------------------------------------------------------------

bool DlgMacro::selectOtherMacros() {
    acedPostCommand("CANCELCMD");
    BeginEditorCommand();
    const bool changed = SelectOtherMacros(macroData);
    CompleteEditorCommand();
    if (!changed) return false;
    rebuildPages();
    fillTitleAndLists();
    clashResetInfo(modelessIndex);
    fitToPages();
    return true;
}

void DlgMacro::selectionListChanged(int listId) {
    macroData.selectIndex1 = comboCurSel(kList1);
    macroData.selectIndex2 = comboCurSel(kList2);
    UpdateAllFilterModified(macroData, listId == kList1 ? 1 : 0);
    rebuildPages();
    fillTitleAndLists();
    fitToPages();
}

void DlgMacro::changeView(int mode) {
    acedPostCommand("CANCELCMD");
    const MacroTabData* tab = macroData.getTab(tabCurSel(kTabs));
    macroData.changeView(tab ? tab->name : Zrk_String(), mode);
}

void DlgMacro::loadFromStandards() {
    Zrk_String failure;
    // What the standards could not do is said on the command line; the pages show what the data holds.
    if (!macroData.loadFromStandards(&failure) && !failure.empty()) acutPrintf("%s\n", failure.c_str());
    rebuildPages();
    clashcheck(modelessIndex, macroData);
}

void DlgMacro::reApply() {
    if (macroData.reApply()) closeDialog();
}

bool DlgMacro::choosePropertyFile(bool load, Zrk_String& path) {
    Zrk_String reason;
    if (!propertyFileChooser() || !macroData.propListAllowed(reason)) return false;
    return propertyFileChooser()(*this, load, path);
}

bool DlgMacro::loadPropertyFile() {
    if (MacroPage* shown = activePage()) shown->storeFocus();
    Zrk_String path, failure;
    if (!choosePropertyFile(true, path)) return false;
    const MacroData before = macroData;
    int notUsed = 0;
    if (!macroData.readFromFile(path, notUsed, &failure)) {
        messageBox(failure, {}, ui::MB_OK | ui::MB_ICONERROR);
        return false;
    }
    Zrk_StringArray names;
    Zrk_Array<int> list1, list2;
    macroData.differences(before, names, list1, list2);
    if (notUsed > 0)
        messageBox(dialString(1507) + ".\n" + dialString(1508) + " " + intToStr(notUsed) + " " +
                       dialString(1509) + ".\n\n" + dialString(1510),
                   {}, ui::MB_OK | ui::MB_ICONINFORMATION);
    // The placements' references name objects of the drawing the file was written in; what only the
    // dialog shows is never written.
    for (int code : {core::kChangePlacementRefs, core::kChangeDialog, core::kChangeSelection})
        while (list1.contains(code))
            list1.removeAt(list1.find(code));
    bool loaded = true;
    if (!list1.isEmpty()) {
        if (setAllToMacro(macroData, list1, list2)) {
            countAppliedChange();
        } else {
            // The macros refused a value and kept every one: the pages go on showing what they hold.
            macroData = before;
            loaded = false;
            messageBox("The macros do not take the values of this property file; nothing was changed.", {},
                       ui::MB_OK | ui::MB_ICONEXCLAMATION);
        }
    }
    refreshAllPages(true);
    clashcheck(modelessIndex, macroData);
    return loaded;
}

bool DlgMacro::savePropertyFile() {
    readAllPages();
    Zrk_String path, failure;
    if (!choosePropertyFile(false, path)) return false;
    if (macroData.writeToFile(path, &failure)) return true;
    messageBox(failure, {}, ui::MB_OK | ui::MB_ICONERROR);
    return false;
}

bool DlgMacro::onCommand(int id, int code) {
    if ((id == kList1 || id == kList2) && code == ui::CBN_SELCHANGE) {
        selectionListChanged(id);
        return true;
    }
    if (code != ui::BN_CLICKED) return ui::Dialog::onCommand(id, code);
    switch (id) {
    case kSelectOther:
        selectOtherMacros();
        return true;
    case kViewReset:
        changeView(3);
        return true;
    case kView0:
        changeView(0);
        return true;
    case kView1:
        changeView(1);
        return true;
    case kView2:
        changeView(2);
        return true;
    case kLoadStandards:
        loadFromStandards();
        return true;
    case kClash:
        clashSetStatus(modelessIndex, checkState(kClash) == 1);
        return true;
    case kReApply:
        reApply();
        return true;
    case kLoadProps:
        loadPropertyFile();
        return true;
    case kSaveProps:
        savePropertyFile();
        return true;
    default:
        return ui::Dialog::onCommand(id, code);
    }
}

bool DlgMacro::onNotify(int id, int code, const void* details) {
    if (id == kTabs && code == ui::TCN_SELCHANGE) {
        showSelectedPage();
        return true;
    }
    return ui::Dialog::onNotify(id, code, details);
}

bool DlgMacro::enterValue(const Zrk_String& variable, const Zrk_String& value, Zrk_String& failure) {
    for (int p = 0; p < pageCount(); ++p) {
        MacroPage* shown = page(p);
        MacroTabData* tab = shown ? shown->tab() : nullptr;
        int index = -1;
        if (!tab || !tab->findCellWithName(variable, index)) continue;
        if (tab->cells[index].readOnly) {
            failure = "The variable " + variable + " cannot be changed.";
            return false;
        }
        selectTab(p);
        const bool shownValue = shown->showCellValue(index, value);
        if (shownValue) shown->applyChanges();
        // What the drawing now holds is what the page shows.
        const Zrk_String held = shown->tab()->cells[index].value;
        double typed = 0, number = 0;
        if (shownValue && (held == value || (core::parseNumber(value, typed) &&
                                             core::parseNumber(held, number) && typed == number)))
            return true;
        failure = "The macros do not take \"" + value + "\" for " + variable + ".";
        return false;
    }
    failure = "The macros have no variable " + variable + " to change.";
    return false;
}

// --- closing ---------------------------------------------------------------------------------------------

void DlgMacro::closeDialog() {
    if (closing_) return;
    closing_ = true;
    acedPostCommand("CANCELCMD");
    changeView(3);
    macroData.closed = true;
    if (modelessIndex < 0) {
        acedPostCommandPrompt();
        endDialog(ui::IDOK);
        closing_ = false;
        return;
    }
    // The table destroys the window (now, or once the data is no longer busy); when it does so now,
    // this object is deleted once the event that closed it is handled.
    EndDlgMacroModeless(modelessIndex);
    closing_ = false;
}

void DlgMacro::onOK() {
    closeDialog();
}

void DlgMacro::onCancel() {
    closeDialog();
}

void DlgMacro::onClose() {
    closeDialog();
}

void DlgMacro::showEvent(QShowEvent* event) {
    everShown_ = true;
    ui::Dialog::showEvent(event);
}

void DlgMacro::onDestroy() {
    if (everShown_) WriteDlgSize(this, sizeKey());
    clashDlgClosed(modelessIndex);
    if (closing_) {
        // Closed from inside a page (Escape): the pages go with this object, after the event.
        for (auto& each : pages_)
            if (each) each->hide();
        return;
    }
    destroyPages();
}

// --- recognising and running -----------------------------------------------------------------------------

bool isMacroDialog(const QWidget* window) {
    const auto* dialog = dynamic_cast<const DlgMacro*>(window);
    return dialog && dialog->sendPrivateMessage(DlgMacro::kMacroDialogMessage) == 1;
}

void StartDlgMacro(MacroData& data) {
    runMacroDialog(data);
}

int runMacroDialog(MacroData& data) {
    DlgMacro dialog;
    dialog.macroData = data;
    frame::runModal(dialog);
    data = dialog.macroData;
    return dialog.appliedChanges();
}

bool enterMacroValues(MacroData& data, const std::vector<std::pair<Zrk_String, Zrk_String>>& values,
                      int& changes, Zrk_String& failure) {
    ModuleResourceSwitch resources;
    DlgMacro dialog;
    dialog.macroData = data;
    changes = 0;
    if (!dialog.create()) {
        failure = "The macro dialog could not be made.";
        return false;
    }
    bool entered = true;
    for (const auto& [variable, value] : values)
        if (!(entered = dialog.enterValue(variable, value, failure))) break;
    if (entered) dialog.closeDialog();
    changes = dialog.appliedChanges();
    dialog.destroyWindow();
    data = dialog.macroData;
    return entered;
}

bool StartDlgMacroModeless(bool keepFocus, MacroData& data, int& slot) {
    ModuleResourceSwitch resources;
    const bool made =
        frame::macroDialogs().open(slot, [&](int index) -> std::unique_ptr<frame::ModelessMacroDialog> {
            auto dialog = std::make_unique<DlgMacro>(index);
            dialog->macroData = data;
            if (!dialog->create()) return nullptr;
            dialog->show();
            return std::make_unique<ModelessMacro>(std::move(dialog));
        });
    if (made && !keepFocus)
        if (QWidget* main = ui::mainWindow()) main->activateWindow();
    return made;
}

DlgMacro* modelessMacroDialog(int slot) {
    const auto* open = dynamic_cast<const ModelessMacro*>(frame::macroDialogs().dialog(slot));
    return open ? open->dialog() : nullptr;
}
