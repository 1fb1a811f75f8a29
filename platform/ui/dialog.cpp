#include "ui/dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <charconv>

#include "core/text.h"
#include "host/command_line.h"
#include "host/editor.h"
#include "ui/button_st.h"
#include "ui/check_combo_box.h"
#include "ui/controls.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"
#include "ui/resources.h"
#include "ui/timers.h"
#include "ui/user_interaction.h"
#include "ui/window_class.h"

namespace ui {
namespace {

constexpr const char* kLabelTextProperty = "ss_labelText";

QPointer<QWidget>& mainWindowPointer() {
    static QPointer<QWidget> window;
    return window;
}

void setLabelSource(QLabel* label, const QString& text) {
    label->setProperty(kLabelTextProperty, text);
    setLabelText(label, text);
}

} // namespace

Dialog::Dialog(int templateId, QWidget* owner) : QDialog(nullptr), templateId_(templateId), owner_(owner) {
    setWindowClassName(this, "#32770");
    setMouseTracking(true); // moves arrive without a button pressed too
    installKeyRouting();
}

Dialog::~Dialog() {
    if (created_) teardown();
    killWindowTimers(this);
}

// --- life ----------------------------------------------------------------------------------------

bool Dialog::build(QWidget* parent) {
    const DialogTemplate* found = findTemplate(templateId_);
    if (!found) {
        acutPrintf("*Error* Dialog template %d not found.\n", templateId_);
        return false;
    }
    template_ = *found;
    const bool child = template_.style & dialogStyle::Child;
    if (child) {
        setParent(parent, Qt::Widget);
    } else {
        if (parent) owner_ = parent;
        Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
        if (!(template_.style & dialogStyle::NoCloseBox)) flags |= Qt::WindowCloseButtonHint;
        if (template_.style & dialogStyle::TopMost) flags |= Qt::WindowStaysOnTopHint;
        setWindowFlags(flags);
        // An owned window stays above its owner.
        QWidget* ownerWindow = owner_ ? owner_->window() : mainWindow() ? mainWindow()->window() : nullptr;
        if (ownerWindow && ownerWindow->windowHandle()) {
            winId(); // the window exists from here on, so that it can know its owner
            if (windowHandle()) windowHandle()->setTransientParent(ownerWindow->windowHandle());
        }
    }
    setFont(dialogFont(template_));
    units_.emplace(font());
    setWindowTitle(qtText(template_.caption));

    const QSize size = units_->toPixels(QRect(0, 0, template_.width, template_.height)).size();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (child || (template_.style & dialogStyle::Resizable)) resize(size);
    else setFixedSize(size);

    lastKind_ = Kind::Static;
    for (const ControlTemplate& control : template_.controls) createItem(control);

    // A label's mnemonic leads to the control after it (the next one Tab reaches).
    for (std::size_t i = 0; i < items_.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(items_[i].widget.data());
        if (!label || windowClassName(label) != "Static" || (windowStyle(label) & style::NoPrefix)) continue;
        for (std::size_t j = i + 1; j < items_.size(); ++j) {
            QWidget* next = items_[j].widget;
            if (next && (next->focusPolicy() & Qt::TabFocus)) {
                label->setBuddy(next);
                setLabelText(label, label->property(kLabelTextProperty).toString());
                break;
            }
        }
    }
    created_ = true;
    ended_ = false;
    result_ = IDCANCEL;
    return true;
}

void Dialog::teardown() {
    created_ = false; // from here on no event reaches the dialog's code
    steppedAside_ = false;
    killWindowTimers(this);
    for (Item& item : items_) {
        if (!item.widget) continue;
        if (item.owned) {
            delete item.widget.data();
        } else {
            item.widget->hide();
            item.widget->setParent(nullptr);
        }
    }
    items_.clear();
    for (QButtonGroup* group : radioGroups_) delete group;
    radioGroups_.clear();
    units_.reset();
}

namespace {
// Puts a new window in the middle of its owner, or of the screen.
void centre(QWidget& window, QWidget* owner) {
    QRect area;
    if (owner && owner->isVisible()) area = owner->window()->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen()) area = screen->availableGeometry();
    if (area.isValid()) window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
}
} // namespace

int Dialog::doModal() {
    if (created_ || !build(nullptr)) return -1;
    centre(*this, owner_ ? owner_.data() : mainWindow());
    setWindowModality(Qt::ApplicationModal);
    runningModal_ = true;
    if (onInitDialog()) focusFirstTabStop();
    if (!ended_) {
        UserInteraction* interaction = currentUserInteraction();
        if (interaction && interaction->runModal(*this)) {
            if (!ended_) endDialog(IDCANCEL);
        } else {
            exec();
        }
    }
    runningModal_ = false;
    hide();
    onDestroy();
    teardown();
    return result_;
}

bool Dialog::create(QWidget* parent) {
    if (created_ || !build(parent)) return false;
    if (isWindow()) centre(*this, owner_ ? owner_.data() : mainWindow());
    if (onInitDialog()) focusFirstTabStop();
    return true;
}

bool Dialog::destroyWindow() {
    if (!created_) return false;
    if (runningModal_) {
        endDialog(IDCANCEL); // the modal run destroys the window when it ends
        return true;
    }
    onDestroy();
    hide();
    teardown();
    return true;
}

void Dialog::endDialog(int result) {
    result_ = result;
    ended_ = true;
    QDialog::done(result); // hides it, and ends Qt's event loop of a modal run
}

void Dialog::accept() { sendCommand(IDOK, BN_CLICKED); }

void Dialog::reject() { sendCommand(IDCANCEL, BN_CLICKED); }

void Dialog::BeginEditorCommand() {
    host::Editor::instance().beginEditorCommand();
    if (!created_ || !isVisible()) return;
    steppedAside_ = true;
    // QDialog::setVisible(false) would end a modal run; the widget's own hides the window only.
    QWidget::setVisible(false);
}

void Dialog::CompleteEditorCommand(bool restoreDialogs) {
    host::Editor::instance().completeEditorCommand(restoreDialogs);
    if (!steppedAside_ || !restoreDialogs) return;
    steppedAside_ = false;
    if (created_ && !ended_) {
        show();
        activateWindow();
    }
}

// --- events --------------------------------------------------------------------------------------

bool Dialog::sendCommand(int id, int code) {
    if (!created_ || silence_) return false;
    return onCommand(id, code);
}

bool Dialog::sendNotify(int id, int code, const void* details) {
    if (!created_ || silence_) return false;
    return onNotify(id, code, details);
}

bool Dialog::onCommand(int id, int code) {
    if (code != BN_CLICKED) return false;
    if (id == IDOK) {
        onOK();
        return true;
    }
    if (id == IDCANCEL) {
        onCancel();
        return true;
    }
    return false;
}

void Dialog::onOK() { endDialog(IDOK); }

void Dialog::onCancel() { endDialog(IDCANCEL); }

void Dialog::onClose() { sendCommand(IDCANCEL, BN_CLICKED); }

int Dialog::defaultButtonId() const {
    for (const Item& item : items_)
        if (auto* button = qobject_cast<QPushButton*>(item.widget.data()); button && button->isDefault()) return item.id;
    return IDOK;
}

void Dialog::keyPressEvent(QKeyEvent* event) {
    if (!isWindow()) { // a page leaves Enter and Escape to the dialog that holds it
        event->ignore();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        sendCommand(IDCANCEL, BN_CLICKED);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        event->accept();
        // A focused push button is the one Enter presses; otherwise the default button.
        int id = defaultButtonId();
        QWidget* focus = windowOf(focusWidget());
        if (auto* button = qobject_cast<QPushButton*>(focus); button && !button->isCheckable() && controlId(button))
            id = controlId(button);
        if (QWidget* button = item(id); button && !button->isEnabled()) return;
        sendCommand(id, BN_CLICKED);
        return;
    }
    default: QWidget::keyPressEvent(event);
    }
}

void Dialog::closeEvent(QCloseEvent* event) {
    if (ended_ || !created_) {
        event->accept();
        return;
    }
    event->ignore(); // the dialog decides (onClose), and ends itself if it wants
    onClose();
}

void Dialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (created_) onSize(width(), height());
}

void Dialog::mousePressEvent(QMouseEvent* event) {
    if (!created_) return;
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) onLButtonDown(point, event->modifiers());
    else if (event->button() == Qt::RightButton) onRButtonDown(point, event->modifiers());
}

void Dialog::mouseReleaseEvent(QMouseEvent* event) {
    if (created_ && event->button() == Qt::LeftButton) onLButtonUp(event->position().toPoint(), event->modifiers());
}

void Dialog::mouseDoubleClickEvent(QMouseEvent* event) {
    if (created_ && event->button() == Qt::LeftButton) onLButtonDblClk(event->position().toPoint(), event->modifiers());
}

void Dialog::mouseMoveEvent(QMouseEvent* event) {
    if (created_) onMouseMove(event->position().toPoint(), event->buttons());
}

void Dialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (!created_) return;
    QPainter painter(this);
    onEraseBackground(painter);
    onPaint(painter);
}

// --- controls ------------------------------------------------------------------------------------

const Dialog::Item* Dialog::findItem(int id) const {
    for (const Item& item : items_)
        if (item.id == id && item.widget) return &item;
    return nullptr;
}

QWidget* Dialog::item(int id) const {
    const Item* found = findItem(id);
    return found ? found->widget.data() : nullptr;
}

std::vector<int> Dialog::itemIds() const {
    std::vector<int> ids;
    for (const Item& item : items_)
        if (item.widget) ids.push_back(item.id);
    return ids;
}

void Dialog::registerItem(int id, QWidget* widget, bool owned) { items_.push_back({id, widget, owned}); }

QButtonGroup* Dialog::radioGroupFor(const ControlTemplate& control) {
    if (radioGroups_.empty() || (control.style & style::Group) || lastKind_ != Kind::RadioButton) {
        auto* group = new QButtonGroup(this);
        group->setExclusive(true);
        radioGroups_.push_back(group);
    }
    return radioGroups_.back();
}

QWidget* Dialog::createItem(const ControlTemplate& control) {
    if (!units_) return nullptr;
    return createItem(control, units_->toPixels(QRect(control.x, control.y, control.width, control.height)));
}

QWidget* Dialog::createItem(const ControlTemplate& control, const QRect& pixels) {
    if (!units_) return nullptr;
    QWidget* widget = createControl(*this, control, pixels, *units_);
    if (control.kind == Kind::Static) widget->setProperty(kLabelTextProperty, qtText(control.text));
    if (control.kind == Kind::RadioButton) radioGroupFor(control)->addButton(static_cast<QRadioButton*>(widget));
    lastKind_ = control.kind;
    registerItem(control.id, widget, true);
    return widget;
}

bool Dialog::replaceItem(int id, QWidget* window) {
    auto it = std::find_if(items_.begin(), items_.end(), [id](const Item& item) { return item.id == id && item.widget; });
    if (it == items_.end() || !window) return false;
    QWidget* placeholder = it->widget;
    window->setParent(placeholder->parentWidget());
    window->setGeometry(placeholder->geometry());
    window->stackUnder(placeholder);
    setControlId(window, id);
    // Tab reaches it where it reached the placeholder.
    if (it != items_.begin()) {
        for (auto before = it; before != items_.begin();) {
            --before;
            if (before->widget) {
                QWidget::setTabOrder(before->widget, window);
                break;
            }
        }
    }
    window->setEnabled(placeholder->isEnabled());
    window->setVisible(!placeholder->isHidden());
    if (it->owned) delete placeholder;
    it->widget = window;
    it->owned = false;
    return true;
}

void Dialog::addItem(int id, QWidget* window, const QRect& pixels) {
    window->setParent(this);
    window->setGeometry(pixels);
    setControlId(window, id);
    window->show();
    registerItem(id, window, false);
}

bool Dialog::destroyItem(int id) {
    auto it = std::find_if(items_.begin(), items_.end(), [id](const Item& item) { return item.id == id && item.widget; });
    if (it == items_.end()) return false;
    QWidget* widget = it->widget;
    const bool owned = it->owned;
    items_.erase(it);
    if (owned) {
        delete widget;
    } else {
        widget->hide();
        widget->setParent(nullptr);
    }
    return true;
}

Zrk_String Dialog::itemText(int id) const {
    QWidget* widget = item(id);
    if (auto* label = qobject_cast<QLabel*>(widget)) return moduleText(label->property(kLabelTextProperty).toString());
    if (auto* checkCombo = dynamic_cast<CCheckComboBox*>(widget)) return checkCombo->displayText();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return moduleText(button->text());
    if (auto* box = qobject_cast<QGroupBox*>(widget)) return moduleText(box->title());
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return moduleText(edit->text());
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) return moduleText(edit->toPlainText());
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return moduleText(combo->currentText());
    if (auto* list = qobject_cast<QListWidget*>(widget)) return list->currentItem() ? moduleText(list->currentItem()->text()) : "";
    return {};
}

bool Dialog::setItemText(int id, const Zrk_String& text) {
    QWidget* widget = item(id);
    const QString value = qtText(text);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        setLabelSource(label, value);
    } else if (dynamic_cast<CCheckComboBox*>(widget)) {
        return false;
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(value);
    } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
        box->setTitle(value);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(value);
        edit->setCursorPosition(0);
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        edit->setPlainText(value);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->isEditable()) {
            combo->setEditText(value);
        } else {
            const int index = comboFindStringExact(id, text);
            if (index < 0) return false;
            comboSetCurSel(id, index);
        }
    } else {
        return false;
    }
    return true;
}

int Dialog::itemInt(int id, bool* ok) const {
    const Zrk_String text = trimmed(itemText(id));
    int value = 0;
    const char* begin = text.data() + (text.size() > 1 && text[0] == '+' ? 1 : 0);
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    const bool valid = !text.empty() && error == std::errc() && end == text.data() + text.size();
    if (ok) *ok = valid;
    return valid ? value : 0;
}

bool Dialog::setItemInt(int id, int value) { return setItemText(id, std::to_string(value)); }

bool Dialog::isItemEnabled(int id) const {
    QWidget* widget = item(id);
    return widget && widget->isEnabled();
}

bool Dialog::enableItem(int id, bool enable) {
    QWidget* widget = item(id);
    if (!widget) return false;
    widget->setEnabled(enable);
    return true;
}

bool Dialog::isItemShown(int id) const {
    QWidget* widget = item(id);
    return widget && !widget->isHidden();
}

bool Dialog::showItem(int id, bool show) {
    QWidget* widget = item(id);
    if (!widget) return false;
    widget->setVisible(show);
    return true;
}

unsigned Dialog::itemStyle(int id) const { return windowStyle(item(id)); }

bool Dialog::setItemToolTip(int id, const Zrk_String& text) {
    QWidget* widget = item(id);
    if (!widget) return false;
    widget->setToolTip(qtText(text));
    return true;
}

bool Dialog::setItemImage(int id, int imageId) {
    QWidget* widget = item(id);
    const bool icon = windowStyle(widget) & style::Icon;
    if (auto* button = dynamic_cast<CButtonST*>(widget)) return icon ? button->setIconImage(imageId) : button->setBitmap(imageId);
    auto* label = qobject_cast<QLabel*>(widget);
    if (!label) return false;
    QPixmap pixmap;
    if (icon) {
        pixmap = loadIcon(imageId).pixmap(32, 32);
    } else if (QImage image; findBitmap(imageId, image)) {
        pixmap = QPixmap::fromImage(image);
    }
    if (pixmap.isNull()) return false;
    label->setPixmap(pixmap);
    return true;
}

bool Dialog::setItemImageFile(int id, const Zrk_String& path) {
    auto* label = qobject_cast<QLabel*>(item(id));
    if (!label || dynamic_cast<CButtonST*>(item(id))) return false;
    const QImage image(qtText(path));
    label->setPixmap(QPixmap::fromImage(image));
    return !image.isNull();
}

int Dialog::checkState(int id) const {
    QWidget* widget = item(id);
    if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        switch (check->checkState()) {
        case Qt::Unchecked: return 0;
        case Qt::Checked: return 1;
        case Qt::PartiallyChecked: return 2;
        }
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->isChecked() ? 1 : 0;
    return 0;
}

bool Dialog::setCheck(int id, int state) {
    QWidget* widget = item(id);
    if (state < 0 || state > 2) return false;
    if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        if (state == 2 && !check->isTristate()) return false;
        check->setCheckState(state == 0 ? Qt::Unchecked : state == 1 ? Qt::Checked : Qt::PartiallyChecked);
        return true;
    }
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (!button || !button->isCheckable() || state == 2) return false;
    // The checked button of an exclusive group can be unchecked only with the group open.
    QButtonGroup* group = button->group();
    const bool exclusive = group && group->exclusive();
    if (exclusive && state == 0) group->setExclusive(false);
    button->setChecked(state == 1);
    if (exclusive && state == 0) group->setExclusive(true);
    return true;
}

void Dialog::checkRadioButton(int first, int last, int checkId) {
    for (const Item& item : items_) {
        if (item.id < first || item.id > last || !qobject_cast<QRadioButton*>(item.widget.data())) continue;
        setCheck(item.id, item.id == checkId ? 1 : 0);
    }
}

int Dialog::checkedRadioButton(int first, int last) const {
    for (const Item& item : items_) {
        auto* radio = qobject_cast<QRadioButton*>(item.widget.data());
        if (radio && item.id >= first && item.id <= last && radio->isChecked()) return item.id;
    }
    return 0;
}

bool Dialog::setEditSel(int id, int start, int end) {
    QWidget* widget = item(id);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) widget = combo->lineEdit();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        const int length = static_cast<int>(edit->text().size());
        const int from = std::clamp(start, 0, length);
        const int to = end < 0 ? length : std::clamp(end, from, length);
        edit->setSelection(from, to - from);
        return true;
    }
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        QTextCursor cursor = edit->textCursor();
        const int length = static_cast<int>(edit->toPlainText().size());
        cursor.setPosition(std::clamp(start, 0, length));
        cursor.setPosition(end < 0 ? length : std::clamp(end, 0, length), QTextCursor::KeepAnchor);
        edit->setTextCursor(cursor);
        return true;
    }
    return false;
}

bool Dialog::editSel(int id, int& start, int& end) const {
    QWidget* widget = item(id);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) widget = combo->lineEdit();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (edit->hasSelectedText()) {
            start = edit->selectionStart();
            end = edit->selectionEnd();
        } else {
            start = end = edit->cursorPosition();
        }
        return true;
    }
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        start = edit->textCursor().selectionStart();
        end = edit->textCursor().selectionEnd();
        return true;
    }
    return false;
}

bool Dialog::setTextLimit(int id, int characters) {
    auto* edit = itemAs<QLineEdit>(id);
    if (!edit) return false;
    edit->setMaxLength(characters > 0 ? characters : 32767);
    return true;
}

bool Dialog::setReadOnly(int id, bool readOnly) {
    QWidget* widget = item(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->setReadOnly(readOnly);
    else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) edit->setReadOnly(readOnly);
    else return false;
    return true;
}

// --- focus ---------------------------------------------------------------------------------------

bool Dialog::setItemFocus(int id) {
    QWidget* widget = item(id);
    if (!widget || widget->isHidden() || !widget->isEnabled()) return false;
    widget->setFocus(Qt::OtherFocusReason);
    return true;
}

bool Dialog::gotoDlgCtrl(int id) {
    if (!setItemFocus(id)) return false;
    setEditSel(id, 0, -1);
    return true;
}

int Dialog::focusedItemId() const {
    QWidget* focus = window()->focusWidget();
    if (!focus || !isAncestorOf(focus)) return 0;
    return controlId(windowOf(focus));
}

void Dialog::focusFirstTabStop() {
    for (const Item& item : items_) {
        QWidget* widget = item.widget;
        if (widget && !widget->isHidden() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus)) {
            gotoDlgCtrl(item.id);
            return;
        }
    }
}

// --- geometry and window -------------------------------------------------------------------------

QRect Dialog::itemRect(int id) const {
    QWidget* widget = item(id);
    if (!widget) return {};
    return widget->parentWidget() == this ? widget->geometry() : QRect(widget->mapTo(this, QPoint(0, 0)), widget->size());
}

bool Dialog::moveItem(int id, const QRect& rect) {
    QWidget* widget = item(id);
    if (!widget) return false;
    QWidget* parent = widget->parentWidget();
    widget->setGeometry(parent == this || !parent ? rect : QRect(parent->mapFrom(this, rect.topLeft()), rect.size()));
    return true;
}

DialogUnits Dialog::dialogUnits() const {
    if (units_) return *units_;
    const DialogTemplate* found = findTemplate(templateId_);
    return DialogUnits(found ? dialogFont(*found) : QApplication::font());
}

void Dialog::setMinTrackSize(const QSize& size) { setMinimumSize(size); }

Zrk_String Dialog::title() const { return moduleText(windowTitle()); }

void Dialog::setTitle(const Zrk_String& text) { setWindowTitle(qtText(text)); }

bool Dialog::setIconImage(int iconId) {
    const QIcon icon = loadIcon(iconId);
    if (icon.isNull()) return false;
    setWindowIcon(icon);
    return true;
}

int Dialog::messageBox(const Zrk_String& text, const Zrk_String& caption, unsigned type) {
    return ui::messageBox(text, caption, type, this);
}

bool Dialog::setTimer(int timerId, int milliseconds) {
    if (!created_) return false;
    return setWindowTimer(this, timerId, milliseconds, [this](int id) {
        if (created_) onTimer(id);
    });
}

bool Dialog::killTimer(int timerId) { return killWindowTimer(this, timerId); }

// --- free functions ------------------------------------------------------------------------------

Dialog* dialogOf(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (auto* dialog = dynamic_cast<Dialog*>(w)) return dialog;
    return nullptr;
}

bool notifyParent(QWidget* control, int code, const void* details) {
    Dialog* dialog = control ? dialogOf(control->parentWidget()) : nullptr;
    return dialog && dialog->sendNotify(controlId(control), code, details);
}

bool commandParent(QWidget* control, int code) {
    Dialog* dialog = control ? dialogOf(control->parentWidget()) : nullptr;
    return dialog && dialog->sendCommand(controlId(control), code);
}

QWidget* mainWindow() { return mainWindowPointer(); }

void setMainWindow(QWidget* window) { mainWindowPointer() = window; }

} // namespace ui
