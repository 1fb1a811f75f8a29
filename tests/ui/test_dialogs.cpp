#include "test_dialogs.h"

#include "core/settings.h"
#include "ui/popup_menu.h"
#include "ui/resources.h"

namespace test {
namespace {

using ui::Kind;
namespace style = ui::style;

void registerAll() {
    ui::ResourceSet& resources = ui::hostResources();
    resources.setPictureFolder(core::resourceFolder());
    resources.addTemplate(ui::DialogTemplate(kEveryControl, "Every control", 300, 200, ui::dialogStyle::Resizable, {
        {kLabel, Kind::Static, "&Name:", 7, 7, 40, 8},
        {kEdit, Kind::Edit, "start", 50, 5, 100, 14},
        {kMultiLine, Kind::MultiLineEdit, "", 50, 22, 100, 30},
        {kGroup, Kind::GroupBox, "Options", 160, 5, 130, 60},
        {kCheck, Kind::CheckBox, "&Check", 167, 16, 60, 10},
        {kThreeState, Kind::ThreeState, "Three", 167, 28, 60, 10},
        {kRadioOne, Kind::RadioButton, "One", 230, 16, 50, 10, style::Group},
        {kRadioTwo, Kind::RadioButton, "Two", 230, 28, 50, 10},
        {kRadioOther, Kind::RadioButton, "Other", 230, 40, 50, 10, style::Group},
        {kDropDown, Kind::DropDownCombo, "", 7, 60, 80, 60},
        {kDropList, Kind::DropListCombo, "", 90, 60, 60, 60, style::Sort},
        {kCheckCombo, Kind::CheckComboBox, "", 7, 78, 80, 60},
        {kList, Kind::ListBox, "", 160, 70, 130, 40},
        {kTabs, Kind::TabControl, "", 7, 115, 140, 50},
        {kPicture, Kind::Picture, "", 160, 115, 20, 20, 0, 8134},
        {kPlaceholder, Kind::Placeholder, "", 190, 115, 100, 50},
        {kBitmapButton, Kind::BitmapButton, "", 90, 78, 20, 14, style::Checkable, 8136},
        {kMore, Kind::PushButton, "&More...", 7, 180, 50, 14},
        {kHiddenEdit, Kind::Edit, "", 60, 180, 40, 14, style::Hidden},
        {kDisabledButton, Kind::PushButton, "Never", 103, 180, 40, 14, style::Disabled},
        {ui::IDOK, Kind::DefPushButton, "OK", 190, 180, 50, 14},
        {ui::IDCANCEL, Kind::PushButton, "Cancel", 243, 180, 50, 14},
    }));
    resources.addTemplate(ui::DialogTemplate(kNameDialog, "Name", 150, 50, {
        {ui::IDC_STATIC, Kind::Static, "Name:", 7, 7, 136, 8},
        {kNameEdit, Kind::Edit, "", 7, 17, 136, 14},
        {ui::IDOK, Kind::DefPushButton, "OK", 39, 34, 50, 14},
        {ui::IDCANCEL, Kind::PushButton, "Cancel", 93, 34, 50, 14},
    }));
    resources.addTemplate(ui::DialogTemplate(kResizable, "Strings", 200, 100, ui::dialogStyle::Resizable, {
        {kGrid, Kind::Placeholder, "", 10, 10, 180, 60},
        {ui::IDOK, Kind::DefPushButton, "OK", 10, 76, 40, 14},
        {ui::IDCANCEL, Kind::PushButton, "Cancel", 54, 76, 40, 14},
        {kAdd, Kind::PushButton, "Add", 106, 76, 40, 14},
        {kRemove, Kind::PushButton, "Remove", 150, 76, 40, 14},
        {kNote, Kind::Static, "note", 100, 2, 40, 6},
    }));
    resources.addTemplate(ui::DialogTemplate(kPage, "", 120, 40, ui::dialogStyle::Child, {
        {ui::IDC_STATIC, Kind::Static, "On the page:", 5, 5, 50, 8},
        {kPageEdit, Kind::Edit, "", 5, 15, 100, 14},
    }));
}

std::string line(const char* what, int a, int b) { return std::string(what) + " " + std::to_string(a) + " " + std::to_string(b); }

} // namespace

void registerTestTemplates() {
    static const bool registered = (registerAll(), true);
    (void)registered;
}

RecordingDialog::RecordingDialog(int templateId, QWidget* owner) : ui::Dialog(templateId, owner) { registerTestTemplates(); }

std::vector<std::string> RecordingDialog::linesStarting(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& entry : log)
        if (entry.rfind(prefix, 0) == 0) found.push_back(entry);
    return found;
}

bool RecordingDialog::onInitDialog() {
    log.push_back("init");
    if (templateId() != kEveryControl || !fillOnInit) return true;
    // What code sets is no user's doing: none of this may come back as a notification.
    for (const char* item : {"IPE 200", "HEA 100", "UNP 80"}) comboAddString(kDropDown, item);
    for (const char* item : {"b", "C", "a"}) comboAddString(kDropList, item);
    comboSetCurSel(kDropList, 0);
    for (const char* item : {"bolts", "nuts", "washers"}) comboAddString(kCheckCombo, item);
    for (const char* item : {"first", "second", "third"}) listAddString(kList, item);
    listSetCurSel(kList, 0);
    tabInsertItem(kTabs, 0, "General");
    tabInsertItem(kTabs, 1, "Details");
    tabSetCurSel(kTabs, 0);
    checkRadioButton(kRadioOne, kRadioTwo, kRadioOne);
    setCheck(kRadioOther, 1);
    return true;
}

bool RecordingDialog::onCommand(int id, int code) {
    log.push_back(line("command", id, code));
    if (id == kMore && code == ui::BN_CLICKED) {
        if (messageBox("Replace the name?", "Name", ui::MB_YESNO | ui::MB_ICONQUESTION) == ui::IDYES) {
            NameDialog name;
            name.name = itemText(kEdit);
            if (name.doModal() == ui::IDOK) setItemText(kEdit, name.name);
        }
        return true;
    }
    return ui::Dialog::onCommand(id, code);
}

bool RecordingDialog::onNotify(int id, int code, const void* details) {
    log.push_back(line("notify", id, code) + (details ? " with details" : ""));
    return true;
}

void RecordingDialog::onTimer(int timerId) {
    log.push_back("timer " + std::to_string(timerId));
    if (++timerTicks == 3) killTimer(timerId);
}

void RecordingDialog::onSize(int width, int height) { log.push_back(line("size", width, height)); }

void RecordingDialog::onClose() {
    log.push_back("close");
    if (closeResult) endDialog(closeResult);
    else ui::Dialog::onClose();
}

void RecordingDialog::onDestroy() { log.push_back("destroy"); }

namespace {
std::string withKeys(std::string text, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::ShiftModifier) text += " shift";
    if (modifiers & Qt::ControlModifier) text += " ctrl";
    return text;
}
} // namespace

void RecordingDialog::onLButtonDown(const QPoint& point, Qt::KeyboardModifiers modifiers) {
    log.push_back(withKeys(line("lbutton", point.x(), point.y()), modifiers));
}

void RecordingDialog::onLButtonUp(const QPoint& point, Qt::KeyboardModifiers modifiers) {
    log.push_back(withKeys(line("lbuttonup", point.x(), point.y()), modifiers));
}

void RecordingDialog::onMouseMove(const QPoint& point, Qt::MouseButtons buttons) {
    log.push_back(line(buttons & Qt::LeftButton ? "drag" : "hover", point.x(), point.y()));
}

void RecordingDialog::onLButtonDblClk(const QPoint& point, Qt::KeyboardModifiers) { log.push_back(line("double", point.x(), point.y())); }

// A context menu, as grids have.
void RecordingDialog::onRButtonDown(const QPoint& point, Qt::KeyboardModifiers) {
    const int chosen = ui::trackPopupMenu({{32811, "&Copy"}, ui::MenuItem::separatorLine(), {32812, "&Paste", false, false}},
                                          mapToGlobal(point), this);
    log.push_back("menu " + std::to_string(chosen));
}

void RecordingDialog::onPaint(QPainter&) { ++paints; }

bool RecordingDialog::preTranslateKey(const ui::KeyPress& key) {
    log.push_back(line("key", key.key, key.targetId) + (key.shift ? " shift" : ""));
    for (int consumed : keysToConsume)
        if (consumed == key.key) return true;
    return false;
}

bool NameDialog::onInitDialog() {
    setItemText(kNameEdit, name);
    gotoDlgCtrl(kNameEdit);
    return false;
}

void NameDialog::onOK() {
    name = itemText(kNameEdit);
    endDialog(ui::IDOK);
}

} // namespace test
