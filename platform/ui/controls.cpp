#include "ui/controls.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <algorithm>

#include "ui/button_st.h"
#include "ui/check_combo_box.h"
#include "ui/control_events.h"
#include "ui/dialog.h"
#include "ui/image_list_ctrl.h"
#include "ui/picture_combo.h"
#include "ui/qt_text.h"
#include "ui/resources.h"
#include "ui/window_class.h"

namespace ui {
namespace {

Qt::Alignment horizontalAlignment(unsigned style) {
    if (style & style::Center) return Qt::AlignHCenter;
    if (style & style::Right) return Qt::AlignRight;
    return Qt::AlignLeft;
}

QPixmap picture(int imageId, bool icon) {
    if (icon) {
        const QIcon found = loadIcon(imageId);
        return found.isNull() ? QPixmap() : found.pixmap(32, 32);
    }
    QImage image;
    return findBitmap(imageId, image) ? QPixmap::fromImage(image) : QPixmap();
}

QWidget* makeWidget(const ControlTemplate& control, QWidget* parent) {
    const QString text = qtText(control.text);
    const unsigned style = control.style;
    switch (control.kind) {
    case Kind::Static: {
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(horizontalAlignment(style) | Qt::AlignTop);
        if (style & style::Sunken) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setFocusPolicy(Qt::NoFocus);
        return label; // its text comes once its style is known (createControl)
    }
    case Kind::GroupBox: {
        auto* box = new QGroupBox(text, parent);
        box->setFocusPolicy(Qt::NoFocus);
        // The controls it frames are its siblings: clicks go through it to the dialog.
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        return box;
    }
    case Kind::PushButton:
    case Kind::DefPushButton: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        button->setDefault(control.kind == Kind::DefPushButton);
        return button;
    }
    case Kind::CheckBox:
        if (style & style::PushLike) {
            auto* button = new QPushButton(text, parent);
            button->setAutoDefault(false);
            button->setCheckable(true);
            return button;
        }
        return new QCheckBox(text, parent);
    case Kind::ThreeState: return new ThreeStateCheckBox(text, parent);
    case Kind::RadioButton: {
        auto* radio = new QRadioButton(text, parent);
        radio->setAutoExclusive(false); // its group (Dialog) makes it exclusive
        return radio;
    }
    case Kind::BitmapButton: {
        auto* button = new CButtonST(parent);
        button->setText(text);
        button->setCheckable(style & style::Checkable);
        if (control.image) {
            if (style & style::Icon) button->setIconImage(control.image);
            else button->setBitmap(control.image);
        }
        return button;
    }
    case Kind::Edit: {
        auto* edit = new QLineEdit(text, parent);
        edit->setAlignment(horizontalAlignment(style) | Qt::AlignVCenter);
        edit->setReadOnly(style & style::ReadOnly);
        if (style & style::Password) edit->setEchoMode(QLineEdit::Password);
        if (style & style::Number)
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
        edit->setCursorPosition(0);
        return edit;
    }
    case Kind::MultiLineEdit: {
        auto* edit = new MultiLineEdit(style & style::WantReturn, parent);
        edit->setPlainText(text);
        edit->setReadOnly(style & style::ReadOnly);
        return edit;
    }
    case Kind::DropDownCombo:
    case Kind::DropListCombo: {
        auto* combo = new ComboBox(parent);
        combo->setEditable(control.kind == Kind::DropDownCombo);
        combo->setInsertPolicy(QComboBox::NoInsert);
        if (combo->isEditable()) combo->setEditText(text);
        return combo;
    }
    case Kind::CheckComboBox: return new CCheckComboBox(parent);
    case Kind::ListBox: {
        auto* list = new QListWidget(parent);
        list->setSelectionMode(style & style::MultipleSelection   ? QAbstractItemView::MultiSelection
                               : style & style::ExtendedSelection ? QAbstractItemView::ExtendedSelection
                                                                  : QAbstractItemView::SingleSelection);
        return list;
    }
    case Kind::TabControl: return new TabControl(parent);
    case Kind::Picture: {
        auto* label = new QLabel(parent);
        label->setAlignment((style & style::Center) ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
        if (style & style::Sunken) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (control.image) label->setPixmap(picture(control.image, style & style::Icon));
        return label;
    }
    case Kind::PictureCombo: return new PictureComboBox(parent);
    case Kind::ImageList: return new CImageListCtrl(parent);
    case Kind::Placeholder: {
        auto* frame = new QFrame(parent);
        if (style & style::Sunken) frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        frame->setFocusPolicy(Qt::NoFocus);
        return frame;
    }
    }
    return new QWidget(parent);
}

bool isComboKind(Kind kind) {
    return kind == Kind::DropDownCombo || kind == Kind::DropListCombo || kind == Kind::CheckComboBox ||
           kind == Kind::PictureCombo;
}

} // namespace

ThreeStateCheckBox::ThreeStateCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {
    setTristate(true);
}

void ThreeStateCheckBox::nextCheckState() {
    // Switched to two states, it is a plain check box.
    if (!isTristate()) {
        QCheckBox::nextCheckState();
        return;
    }
    switch (checkState()) {
    case Qt::Unchecked: setCheckState(Qt::Checked); break;
    case Qt::Checked: setCheckState(Qt::PartiallyChecked); break;
    case Qt::PartiallyChecked: setCheckState(Qt::Unchecked); break;
    }
}

void ComboBox::showPopup() {
    if (onPopup) onPopup(true);
    QComboBox::showPopup();
}

void ComboBox::hidePopup() {
    QComboBox::hidePopup();
    if (onPopup) onPopup(false);
}

MultiLineEdit::MultiLineEdit(bool wantReturn, QWidget* parent) : QPlainTextEdit(parent), wantReturn_(wantReturn) {
    setTabChangesFocus(true);
}

void MultiLineEdit::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !wantReturn_ && !(event->modifiers() & Qt::ControlModifier)) {
        event->ignore(); // the dialog's default button
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

TabControl::TabControl(QWidget* parent) : QWidget(parent), bar_(new QTabBar(this)) {
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    bar_->setFocusPolicy(Qt::TabFocus);
    setFocusProxy(bar_);
}

int TabControl::insertItem(int index, const QString& text) {
    const int at = bar_->insertTab(index < 0 ? bar_->count() : index, text);
    bar_->resize(width(), bar_->sizeHint().height());
    update();
    return at;
}

void TabControl::deleteAllItems() {
    while (bar_->count() > 0) bar_->removeTab(bar_->count() - 1);
    update();
}

QRect TabControl::itemRect(int index) const {
    if (index < 0 || index >= bar_->count()) return {};
    return bar_->tabRect(index).translated(bar_->pos());
}

QRect TabControl::displayRect() const {
    const int top = bar_->count() > 0 ? bar_->geometry().bottom() + 1 : 0;
    // Inside the frame drawn around the display area.
    return QRect(0, top, width(), height() - top).adjusted(2, 2, -2, -2);
}

void TabControl::resizeEvent(QResizeEvent*) { bar_->setGeometry(0, 0, width(), bar_->sizeHint().height()); }

void TabControl::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = displayRect().adjusted(-2, -2, 2, 2);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = bar_->sizeHint();
    frame.tabBarRect = bar_->geometry();
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

QWidget* createControl(Dialog& dialog, const ControlTemplate& control, const QRect& pixels, const DialogUnits& units) {
    QWidget* widget = makeWidget(control, &dialog);
    setControlId(widget, control.id);
    setWindowClassName(widget, windowClassOf(control.kind));
    setWindowStyle(widget, control.style);
    if (control.kind == Kind::Static) setLabelText(static_cast<QLabel*>(widget), qtText(control.text));

    QRect geometry = pixels;
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && isComboKind(control.kind)) {
        // The template's height holds the field and its drop-down list.
        const int field = std::min(pixels.height(), std::max(units.toPixelsY(14), combo->sizeHint().height()));
        const int lineHeight = std::max(1, combo->fontMetrics().height() + 2);
        combo->setMaxVisibleItems(std::max(5, (pixels.height() - field) / lineHeight));
        geometry.setHeight(field);
    }
    widget->setGeometry(geometry);

    if (control.style & style::NoTabStop && widget->focusPolicy() != Qt::NoFocus)
        widget->setFocusPolicy(Qt::ClickFocus);
    widget->setEnabled(!(control.style & style::Disabled));
    widget->setVisible(!(control.style & style::Hidden));
    connectControlEvents(dialog, widget, control.kind);
    return widget;
}

const char* windowClassOf(Kind kind) {
    switch (kind) {
    case Kind::Static:
    case Kind::Picture:
    case Kind::Placeholder: return "Static";
    case Kind::GroupBox:
    case Kind::PushButton:
    case Kind::DefPushButton:
    case Kind::CheckBox:
    case Kind::ThreeState:
    case Kind::RadioButton:
    case Kind::BitmapButton: return "Button";
    case Kind::Edit:
    case Kind::MultiLineEdit: return "Edit";
    case Kind::DropDownCombo:
    case Kind::DropListCombo:
    case Kind::CheckComboBox:
    case Kind::PictureCombo: return "ComboBox";
    case Kind::ListBox: return "ListBox";
    case Kind::ImageList: return "SysListView32";
    case Kind::TabControl: return "SysTabControl32";
    }
    return "Static";
}

QString withoutMnemonics(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) ++i; // "&x" shows x, "&&" shows &
        plain += text[i];
    }
    return plain;
}

void setLabelText(QLabel* label, const QString& text) {
    const bool keepAmpersands = windowStyle(label) & style::NoPrefix;
    label->setText(label->buddy() || keepAmpersands ? text : withoutMnemonics(text));
}

} // namespace ui
