#include "ui/scripted_user.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <iostream>

#include "core/codepage.h"
#include "core/files.h"
#include "core/text.h"
#include "ui/application.h"
#include "ui/check_combo_box.h"
#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/keys.h"
#include "ui/picture.h"
#include "ui/timers.h"

namespace ui {
namespace {

ProblemHandler& defaultHandler() {
    static ProblemHandler handler = [](const std::string& problem) { std::cerr << "ScriptedUser: " << problem << '\n'; };
    return handler;
}

QString qt(const Zrk_String& text) { return QString::fromStdString(core::toUtf8(text)); }

std::string controlName(const Dialog& dialog, int id) {
    return "control " + std::to_string(id) + " of dialog " + std::to_string(dialog.templateId());
}

} // namespace

void setDefaultProblemHandler(ProblemHandler handler) { defaultHandler() = std::move(handler); }

// --- DialogUser ----------------------------------------------------------------------------------

DialogUser::DialogUser(Dialog& dialog, ProblemHandler problems) : dialog_(dialog), problems_(std::move(problems)) {}

void DialogUser::problem(const std::string& text) const {
    if (problems_) problems_(text);
    else if (defaultHandler()) defaultHandler()(text);
}

QWidget* DialogUser::reach(int id, const char* action) const {
    QWidget* widget = dialog_.item(id);
    std::string why;
    if (!dialog_.isCreated()) why = "the dialog has no window";
    else if (!widget) why = "there is no such control";
    else if (!widget->isVisible()) why = "it is not shown";
    else if (!widget->isEnabled()) why = "it is disabled";
    if (why.empty()) return widget;
    problem(std::string("Cannot ") + action + " " + controlName(dialog_, id) + ": " + why + ".");
    return nullptr;
}

bool DialogUser::click(int id) {
    QWidget* widget = reach(id, "click");
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (widget && !button) problem("Cannot click " + controlName(dialog_, id) + ": it is no button.");
    if (!button) return false;
    if (button->focusPolicy() & Qt::ClickFocus) button->setFocus(Qt::MouseFocusReason);
    button->click();
    return true;
}

bool DialogUser::typeText(int id, const Zrk_String& text) {
    QWidget* widget = reach(id, "type into");
    if (!widget) return false;
    widget->setFocus(Qt::MouseFocusReason);
    QLineEdit* line = qobject_cast<QLineEdit*>(widget);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) line = combo->lineEdit();
    if (line && !line->isReadOnly()) {
        line->selectAll();
        line->insert(qt(text));
        return true;
    }
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget); edit && !edit->isReadOnly()) {
        edit->selectAll();
        edit->insertPlainText(qt(text));
        return true;
    }
    problem("Cannot type into " + controlName(dialog_, id) + ": it takes no typing.");
    return false;
}

bool DialogUser::choose(int id, int index) {
    QWidget* widget = reach(id, "choose in");
    if (!widget) return false;
    if (dynamic_cast<CCheckComboBox*>(widget)) {
        problem("Cannot choose in " + controlName(dialog_, id) + ": its items are ticked (toggleItem).");
        return false;
    }
    int count = -1;
    if (auto* combo = qobject_cast<QComboBox*>(widget)) count = combo->count();
    else if (auto* list = qobject_cast<QListWidget*>(widget)) count = list->count();
    else if (auto* tabs = dynamic_cast<TabControl*>(widget)) count = tabs->count();
    if (count < 0) {
        problem("Cannot choose in " + controlName(dialog_, id) + ": it has no items.");
        return false;
    }
    if (index < 0 || index >= count) {
        problem("Cannot choose item " + std::to_string(index) + " of " + controlName(dialog_, id) + ": it has " +
                std::to_string(count) + ".");
        return false;
    }
    widget->setFocus(Qt::MouseFocusReason);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        emit combo->textActivated(combo->itemText(index));
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    } else if (auto* tabs = dynamic_cast<TabControl*>(widget)) {
        tabs->tabBar()->setCurrentIndex(index);
    }
    return true;
}

bool DialogUser::chooseText(int id, const Zrk_String& text) {
    int index = dialog_.comboFindStringExact(id, text);
    if (index < 0) index = dialog_.listFindStringExact(id, text);
    if (index < 0) {
        problem("Cannot choose \"" + core::toUtf8(text) + "\" in " + controlName(dialog_, id) + ": no such item.");
        return false;
    }
    return choose(id, index);
}

bool DialogUser::toggleItem(int id, int index) {
    QWidget* widget = reach(id, "tick in");
    auto* combo = dynamic_cast<CCheckComboBox*>(widget);
    if (widget && !combo) problem("Cannot tick in " + controlName(dialog_, id) + ": it is no check combo box.");
    if (!combo) return false;
    widget->setFocus(Qt::MouseFocusReason);
    if (combo->toggleByUser(index)) return true;
    problem("Cannot tick item " + std::to_string(index) + " of " + controlName(dialog_, id) + ": no such item.");
    return false;
}

bool DialogUser::focus(int id) {
    QWidget* widget = reach(id, "click into");
    if (!widget) return false;
    if (!(widget->focusPolicy() & Qt::ClickFocus)) {
        problem("Cannot click into " + controlName(dialog_, id) + ": it takes no focus.");
        return false;
    }
    widget->setFocus(Qt::MouseFocusReason);
    return true;
}

QWidget* DialogUser::mouseTarget(const QPoint& point, const char* action) const {
    if (!dialog_.isVisible() || !dialog_.rect().contains(point)) {
        problem(std::string("Cannot ") + action + " at (" + std::to_string(point.x()) + ", " +
                std::to_string(point.y()) + ") in dialog " + std::to_string(dialog_.templateId()) + ": " +
                (dialog_.isVisible() ? "outside it." : "it is not shown."));
        return nullptr;
    }
    QWidget* target = dialog_.childAt(point);
    // A disabled window passes the mouse on to the window it lies in, as the window system does.
    while (target && target != &dialog_ && !target->isEnabled())
        target = target->parentWidget();
    return target ? target : &dialog_;
}

namespace {

Qt::KeyboardModifiers held(bool shift, bool control) {
    Qt::KeyboardModifiers modifiers;
    if (shift) modifiers |= Qt::ShiftModifier;
    if (control) modifiers |= Qt::ControlModifier;
    return modifiers;
}

// One mouse event at a point of the dialog's client area, to the window that hears it (it may have
// gone meanwhile: a click may destroy what it clicks).
void sendMouse(Dialog& dialog, const QPointer<QWidget>& receiver, QEvent::Type type, const QPoint& point,
               Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    if (!receiver) return;
    QMouseEvent event(type, QPointF(receiver->mapFrom(&dialog, point)), QPointF(dialog.mapToGlobal(point)),
                      button, buttons, modifiers);
    QApplication::sendEvent(receiver, &event);
}

// A press gives the focus to the window under the mouse that takes it by a click (or to the nearest
// window around it that does), before the window hears the press, as the window system does for a
// real mouse; events sent by code get no such help from Qt.
void focusOnPress(QWidget* receiver) {
    for (QWidget* widget = receiver; widget; widget = widget->parentWidget()) {
        QWidget* proxy = widget;
        while (proxy->focusProxy())
            proxy = proxy->focusProxy();
        if (widget->isEnabled() && (widget->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus &&
            (proxy->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus) {
            widget->setFocus(Qt::MouseFocusReason);
            return;
        }
        if (widget->isWindow()) return;
    }
}

} // namespace

bool DialogUser::clickAt(const QPoint& point, bool right, bool twice) {
    QWidget* target = mouseTarget(point, "click");
    if (!target) return false;
    const QPointer<QWidget> receiver = target;
    const Qt::MouseButton button = right ? Qt::RightButton : Qt::LeftButton;
    focusOnPress(receiver);
    sendMouse(dialog_, receiver, QEvent::MouseButtonPress, point, button, button, Qt::NoModifier);
    sendMouse(dialog_, receiver, QEvent::MouseButtonRelease, point, button, Qt::NoButton, Qt::NoModifier);
    if (twice) {
        sendMouse(dialog_, receiver, QEvent::MouseButtonDblClick, point, button, button, Qt::NoModifier);
        sendMouse(dialog_, receiver, QEvent::MouseButtonRelease, point, button, Qt::NoButton, Qt::NoModifier);
    }
    return true;
}

bool DialogUser::clickHolding(const QPoint& point, bool shift, bool control) {
    QWidget* target = mouseTarget(point, "click");
    if (!target) return false;
    const QPointer<QWidget> receiver = target;
    const Qt::KeyboardModifiers modifiers = held(shift, control);
    focusOnPress(receiver);
    sendMouse(dialog_, receiver, QEvent::MouseButtonPress, point, Qt::LeftButton, Qt::LeftButton, modifiers);
    sendMouse(dialog_, receiver, QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton, modifiers);
    return true;
}

bool DialogUser::drag(const QPoint& from, const QPoint& to, bool shift, bool control) {
    QWidget* target = mouseTarget(from, "drag");
    if (!target) return false;
    // The window that takes the press keeps the mouse until the release, as the window system does.
    const QPointer<QWidget> receiver = target;
    const Qt::KeyboardModifiers modifiers = held(shift, control);
    focusOnPress(receiver);
    sendMouse(dialog_, receiver, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, modifiers);
    constexpr int kSteps = 4;
    for (int step = 1; step <= kSteps; ++step) {
        const QPoint at = from + (to - from) * step / kSteps;
        sendMouse(dialog_, receiver, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton, modifiers);
    }
    sendMouse(dialog_, receiver, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, modifiers);
    return true;
}

bool DialogUser::moveMouseTo(const QPoint& point) {
    QWidget* target = mouseTarget(point, "move the mouse");
    if (!target) return false;
    // Without a button held only a window that follows the mouse hears it moving.
    while (target != &dialog_ && !target->hasMouseTracking())
        target = target->parentWidget();
    sendMouse(dialog_, QPointer<QWidget>(target), QEvent::MouseMove, point, Qt::NoButton, Qt::NoButton,
              Qt::NoModifier);
    return true;
}

bool DialogUser::pressKey(int virtualKeyCode, bool shift, bool control) {
    int key = qtKey(virtualKeyCode);
    if (!key) {
        problem("Cannot press key " + std::to_string(virtualKeyCode) + ": no such key.");
        return false;
    }
    if (!dialog_.isVisible()) {
        problem("Cannot press a key in dialog " + std::to_string(dialog_.templateId()) + ": it is not shown.");
        return false;
    }
    if (key == Qt::Key_Tab && shift) key = Qt::Key_Backtab;
    Qt::KeyboardModifiers modifiers;
    if (shift) modifiers |= Qt::ShiftModifier;
    if (control) modifiers |= Qt::ControlModifier;
    QString text;
    if (!control && ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Space))
        text = shift ? QChar(key) : QChar(key).toLower();
    QWidget* window = dialog_.window();
    QPointer<QWidget> target = window->focusWidget() ? window->focusWidget() : window;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    if (target) {
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(target, &release);
    }
    return true;
}

void DialogUser::closeWindow() { dialog_.window()->close(); }

void DialogUser::resize(int width, int height) { dialog_.window()->resize(width, height); }

void DialogUser::passTime(int milliseconds) { ui::passTime(milliseconds); }

bool DialogUser::savePicture(const Zrk_String& path) {
    Zrk_String error;
    if (ui::savePicture(dialog_, path, &error)) return true;
    problem(core::toUtf8(error));
    return false;
}

// --- ScriptedUser --------------------------------------------------------------------------------

ScriptedUser::ScriptedUser(ProblemHandler problems)
    : handler_(std::move(problems)), pickInput_(makePickInput(*this)) {}

ScriptedUser::~ScriptedUser() {
    for (const auto& [templateId, scripts] : scripts_)
        if (!scripts.empty())
            problem(std::to_string(scripts.size()) + " script(s) for dialog " + std::to_string(templateId) + " never ran.");
    if (!messageBoxAnswers_.empty())
        problem(std::to_string(messageBoxAnswers_.size()) + " message box answer(s) were never asked for.");
    if (!fileAnswers_.empty())
        problem(std::to_string(fileAnswers_.size()) + " file dialog answer(s) were never asked for.");
    if (!menuAnswers_.empty())
        problem(std::to_string(menuAnswers_.size()) + " pop-up menu answer(s) were never asked for.");
    if (!pickAnswers_.empty())
        problem(std::to_string(pickAnswers_.size()) + " pick answer(s) were never asked for.");
}

void ScriptedUser::problem(const std::string& text) {
    problems_.push_back(text);
    if (handler_) handler_(text);
    else if (defaultHandler()) defaultHandler()(text);
}

void ScriptedUser::onDialog(int templateId, Script script) { scripts_[templateId].push_back(std::move(script)); }

void ScriptedUser::answerMessageBox(int answer) { messageBoxAnswers_.push_back(answer); }

void ScriptedUser::answerFileDialog(const Zrk_StringArray& paths) { fileAnswers_.push_back(paths); }

void ScriptedUser::answerPopupMenu(int commandId) { menuAnswers_.push_back(commandId); }

void ScriptedUser::passTime(int milliseconds) { ui::passTime(milliseconds); }

bool ScriptedUser::runModal(Dialog& dialog) {
    const int templateId = dialog.templateId();
    dialogsRun_.push_back(templateId);
    auto found = scripts_.find(templateId);
    if (found == scripts_.end() || found->second.empty()) {
        problem("Dialog " + std::to_string(templateId) + " ran without a script; it was cancelled.");
        dialog.endDialog(IDCANCEL);
        return true;
    }
    const Script script = std::move(found->second.front());
    found->second.pop_front();

    const QPointer<QWidget> previous = QApplication::activeWindow();
    dialog.show();
    activateNow(&dialog);
    DialogUser user(dialog, [this](const std::string& text) { problem(text); });
    script(user);
    if (!dialog.hasEnded()) {
        problem("The script for dialog " + std::to_string(templateId) + " did not end it; it was cancelled.");
        dialog.endDialog(IDCANCEL);
    }
    if (previous && previous->isVisible()) activateNow(previous);
    return true;
}

std::optional<int> ScriptedUser::messageBox(const MessageBoxRequest& request) {
    ShownMessageBox shown{request, request.defaultAnswer(), true};
    if (!messageBoxAnswers_.empty()) {
        const int answer = messageBoxAnswers_.front();
        messageBoxAnswers_.pop_front();
        const std::vector<int> offered = request.answers();
        if (std::find(offered.begin(), offered.end(), answer) != offered.end()) {
            shown.answer = answer;
            shown.byDefault = false;
        } else {
            problem(std::string("The message box \"") + core::toUtf8(request.text) + "\" offers no " + answerName(answer) +
                    "; its default answered.");
        }
    }
    messageBoxes_.push_back(shown);
    return shown.answer;
}

std::optional<bool> ScriptedUser::fileDialog(const FileDialogRequest& request, Zrk_StringArray& paths) {
    fileDialogs_.push_back(request);
    if (fileAnswers_.empty()) return false;
    Zrk_StringArray answer = fileAnswers_.front();
    fileAnswers_.pop_front();
    if (answer.isEmpty()) return false;
    if (request.mode != FileDialogRequest::Mode::OpenMultiple && answer.length() > 1) {
        problem("A file dialog for one file was answered with " + std::to_string(answer.length()) + "; it was cancelled.");
        return false;
    }
    for (Zrk_String& path : answer) {
        path = normalizePath(path);
        if (request.mode == FileDialogRequest::Mode::Save) path = request.withDefaultExtension(path);
        // The dialog itself refuses a file that does not exist where one must.
        if (request.mode != FileDialogRequest::Mode::Save && request.mustExist && !fileExists(path)) {
            problem("The file dialog was answered with " + core::toUtf8(path) + ", which does not exist; it was cancelled.");
            return false;
        }
    }
    paths = answer;
    return true;
}

} // namespace ui

namespace ui {

std::optional<int> ScriptedUser::popupMenu(const PopupMenuRequest& request) {
    popupMenus_.push_back(request);
    if (menuAnswers_.empty()) return 0;
    const int chosen = menuAnswers_.front();
    menuAnswers_.pop_front();
    if (chosen != 0 && !request.offers(chosen)) {
        problem("The pop-up menu offers no command " + std::to_string(chosen) + "; it was closed without a choice.");
        return 0;
    }
    return chosen;
}

} // namespace ui
