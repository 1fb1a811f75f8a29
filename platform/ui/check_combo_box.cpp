#include "ui/check_combo_box.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStandardItemModel>
#include <QStylePainter>

#include "core/codepage.h"

namespace {
QStandardItem* itemAt(const QComboBox& box, int index) {
    auto* model = qobject_cast<QStandardItemModel*>(box.model());
    return model && index >= 0 && index < box.count() ? model->item(index) : nullptr;
}
} // namespace

CCheckComboBox::CCheckComboBox(QWidget* parent) : ui::ComboBox(parent) {
    setEditable(false);
    view()->viewport()->installEventFilter(this);
    view()->installEventFilter(this);
}

int CCheckComboBox::addString(const Zrk_String& text) {
    addItem(QString::fromStdString(core::toUtf8(text)));
    const int index = count() - 1;
    if (QStandardItem* item = itemAt(*this, index)) {
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    return index;
}

void CCheckComboBox::resetContent() { clear(); }

Zrk_String CCheckComboBox::text(int index) const {
    return index >= 0 && index < count() ? core::fromUtf8(itemText(index).toStdString()) : Zrk_String();
}

bool CCheckComboBox::getCheck(int index) const {
    const QStandardItem* item = itemAt(*this, index);
    return item && item->checkState() == Qt::Checked;
}

bool CCheckComboBox::setCheck(int index, bool checked) {
    QStandardItem* item = itemAt(*this, index);
    if (!item) return false;
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    update();
    return true;
}

void CCheckComboBox::checkAll(bool checked) {
    for (int i = 0; i < count(); ++i) setCheck(i, checked);
}

Zrk_StringArray CCheckComboBox::checkedTexts() const {
    Zrk_StringArray texts;
    for (int i = 0; i < count(); ++i)
        if (getCheck(i)) texts.append(text(i));
    return texts;
}

Zrk_String CCheckComboBox::displayText() const {
    Zrk_String shown;
    for (const Zrk_String& text : checkedTexts()) shown += (shown.empty() ? "" : ", ") + text;
    return shown;
}

bool CCheckComboBox::toggleByUser(int index) {
    if (!setCheck(index, !getCheck(index))) return false;
    if (onUserCheck) onUserCheck(index);
    return true;
}

void CCheckComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = QString::fromStdString(core::toUtf8(displayText()));
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

bool CCheckComboBox::eventFilter(QObject* watched, QEvent* event) {
    // Clicks and Space tick the item under them and keep the list open.
    if (watched == view()->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QModelIndex index = view()->indexAt(mouse->position().toPoint());
        if (index.isValid()) toggleByUser(index.row());
        return true;
    }
    if (watched == view() && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        toggleByUser(view()->currentIndex().row());
        return true;
    }
    return ui::ComboBox::eventFilter(watched, event);
}
