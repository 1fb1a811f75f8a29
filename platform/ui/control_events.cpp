#include "ui/control_events.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include "ui/check_combo_box.h"
#include "ui/codes.h"
#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/window_class.h"

namespace ui {
namespace {

// Tells the dialog when its control gains or loses the focus.
class FocusNotifier : public QObject {
public:
    FocusNotifier(Dialog& dialog, QWidget* control, int gainCode, int loseCode)
        : QObject(control), dialog_(&dialog), control_(control), gainCode_(gainCode), loseCode_(loseCode) {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != control_ || !dialog_) return false;
        // Qt may repeat a focus event (showing and activating a window both give the focus): the
        // dialog hears each change once.
        if (event->type() == QEvent::FocusIn && !focused_) {
            focused_ = true;
            dialog_->sendCommand(controlId(control_), gainCode_);
        }
        // Opening a combo box's own list takes no focus from the dialog's point of view.
        if (event->type() == QEvent::FocusOut && focused_ &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            focused_ = false;
            dialog_->sendCommand(controlId(control_), loseCode_);
        }
        return false;
    }

private:
    QPointer<Dialog> dialog_;
    QWidget* control_;
    int gainCode_;
    int loseCode_;
    bool focused_ = false;
};

} // namespace

void connectControlEvents(Dialog& dialog, QWidget* control, Kind kind) {
    Dialog* target = &dialog;
    // The id is read when the event comes: a control that replaced another keeps the id it was given.
    const auto command = [target, control](int code) { target->sendCommand(controlId(control), code); };

    switch (kind) {
    case Kind::PushButton:
    case Kind::DefPushButton:
    case Kind::CheckBox:
    case Kind::ThreeState:
    case Kind::RadioButton:
    case Kind::BitmapButton:
        QObject::connect(static_cast<QAbstractButton*>(control), &QAbstractButton::clicked, control,
                         [command] { command(BN_CLICKED); });
        break;
    case Kind::Edit:
        QObject::connect(static_cast<QLineEdit*>(control), &QLineEdit::textChanged, control,
                         [command] { command(EN_CHANGE); });
        new FocusNotifier(dialog, control, EN_SETFOCUS, EN_KILLFOCUS);
        break;
    case Kind::MultiLineEdit:
        QObject::connect(static_cast<QPlainTextEdit*>(control), &QPlainTextEdit::textChanged, control,
                         [command] { command(EN_CHANGE); });
        new FocusNotifier(dialog, control, EN_SETFOCUS, EN_KILLFOCUS);
        break;
    case Kind::DropDownCombo:
    case Kind::DropListCombo:
    case Kind::PictureCombo: {
        auto* combo = static_cast<ComboBox*>(control);
        // activated comes only from the user's choice, never from code.
        QObject::connect(combo, &QComboBox::activated, control, [command] { command(CBN_SELCHANGE); });
        if (QLineEdit* edit = combo->lineEdit())
            QObject::connect(edit, &QLineEdit::textEdited, control, [command] { command(CBN_EDITCHANGE); });
        combo->onPopup = [command](bool shown) { command(shown ? CBN_DROPDOWN : CBN_CLOSEUP); };
        new FocusNotifier(dialog, control, CBN_SETFOCUS, CBN_KILLFOCUS);
        break;
    }
    case Kind::CheckComboBox: {
        auto* combo = static_cast<CCheckComboBox*>(control);
        combo->onUserCheck = [command](int) { command(CBN_SELCHANGE); };
        combo->onPopup = [command](bool shown) { command(shown ? CBN_DROPDOWN : CBN_CLOSEUP); };
        new FocusNotifier(dialog, control, CBN_SETFOCUS, CBN_KILLFOCUS);
        break;
    }
    case Kind::ListBox: {
        auto* list = static_cast<QListWidget*>(control);
        QObject::connect(list, &QListWidget::itemSelectionChanged, control, [command] { command(LBN_SELCHANGE); });
        QObject::connect(list, &QListWidget::itemDoubleClicked, control, [command] { command(LBN_DBLCLK); });
        new FocusNotifier(dialog, control, LBN_SETFOCUS, LBN_KILLFOCUS);
        break;
    }
    case Kind::ImageList: {
        auto* list = static_cast<QListWidget*>(control);
        QObject::connect(list, &QListWidget::itemSelectionChanged, control,
                         [target, control] { target->sendNotify(controlId(control), LVN_ITEMCHANGED); });
        QObject::connect(list, &QListWidget::itemDoubleClicked, control,
                         [target, control] { target->sendNotify(controlId(control), NM_DBLCLK); });
        break;
    }
    case Kind::TabControl: {
        auto* tabs = static_cast<TabControl*>(control);
        QObject::connect(tabs->tabBar(), &QTabBar::currentChanged, control,
                         [target, control] { target->sendNotify(controlId(control), TCN_SELCHANGE); });
        break;
    }
    case Kind::Static:
    case Kind::GroupBox:
    case Kind::Picture:
    case Kind::Placeholder: break;
    }
}

} // namespace ui
