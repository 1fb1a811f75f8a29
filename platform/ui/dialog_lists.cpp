// The items of combo boxes, list boxes and tab controls, by control id. Changes made here are the
// program's, not the person's: they send no notifications (Silence).
#include <QComboBox>
#include <QListWidget>

#include "core/text.h"
#include "ui/check_combo_box.h"
#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/qt_text.h"

namespace ui {
namespace {

// The first index from start + 1 on (wrapping around) whose text equals text, letter case ignored.
template <typename TextAt> int findExact(int count, int start, const Zrk_String& text, TextAt textAt) {
    for (int k = 0; k < count; ++k) {
        const int index = ((start < 0 ? -1 : start) + 1 + k) % count;
        if (isEqual(textAt(index), text, true)) return index;
    }
    return -1;
}

// Where an item goes in a sorted list: before the first one that sorts after it, letter case ignored.
template <typename TextAt> int sortedPosition(int count, const Zrk_String& text, TextAt textAt) {
    for (int i = 0; i < count; ++i)
        if (compareStrings(textAt(i), text, true) > 0) return i;
    return count;
}

} // namespace

struct Dialog::Silence {
    explicit Silence(const Dialog& dialog) : dialog(const_cast<Dialog&>(dialog)) { ++this->dialog.silence_; }
    ~Silence() { --dialog.silence_; }
    Dialog& dialog;
};

// --- combo boxes ---------------------------------------------------------------------------------

int Dialog::comboAddString(int id, const Zrk_String& text) {
    auto* combo = itemAs<QComboBox>(id);
    if (!combo) return -1;
    int index = combo->count();
    if (itemStyle(id) & style::Sort)
        index = sortedPosition(combo->count(), text, [&](int i) { return comboText(id, i); });
    return comboInsertString(id, index, text);
}

int Dialog::comboInsertString(int id, int index, const Zrk_String& text) {
    auto* combo = itemAs<QComboBox>(id);
    if (!combo || index > combo->count()) return -1;
    const int at = index < 0 ? combo->count() : index;
    const Silence silence(*this);
    if (auto* checkCombo = dynamic_cast<CCheckComboBox*>(combo)) {
        if (at == combo->count()) return checkCombo->addString(text);
        return -1; // a check combo box only appends
    }
    combo->insertItem(at, qtText(text));
    return at;
}

bool Dialog::comboDeleteString(int id, int index) {
    auto* combo = itemAs<QComboBox>(id);
    if (!combo || index < 0 || index >= combo->count()) return false;
    const Silence silence(*this);
    combo->removeItem(index);
    return true;
}

bool Dialog::comboResetContent(int id) {
    auto* combo = itemAs<QComboBox>(id);
    if (!combo) return false;
    const Silence silence(*this);
    combo->clear();
    return true;
}

int Dialog::comboCount(int id) const {
    auto* combo = itemAs<QComboBox>(id);
    return combo ? combo->count() : -1;
}

int Dialog::comboCurSel(int id) const {
    auto* combo = itemAs<QComboBox>(id);
    return combo ? combo->currentIndex() : -1;
}

bool Dialog::comboSetCurSel(int id, int index) {
    auto* combo = itemAs<QComboBox>(id);
    if (!combo || index >= combo->count()) return false;
    const Silence silence(*this);
    combo->setCurrentIndex(index < 0 ? -1 : index);
    if (index < 0 && combo->isEditable()) combo->setEditText(QString());
    return index >= 0;
}

Zrk_String Dialog::comboText(int id, int index) const {
    auto* combo = itemAs<QComboBox>(id);
    return combo && index >= 0 && index < combo->count() ? moduleText(combo->itemText(index)) : Zrk_String();
}

int Dialog::comboFindStringExact(int id, const Zrk_String& text, int start) const {
    const int count = comboCount(id);
    if (count <= 0) return -1;
    return findExact(count, start, text, [&](int i) { return comboText(id, i); });
}

bool Dialog::comboSetItemData(int id, int index, long long data) {
    auto* combo = itemAs<QComboBox>(id);
    if (!combo || index < 0 || index >= combo->count()) return false;
    combo->setItemData(index, QVariant::fromValue<qlonglong>(data));
    return true;
}

long long Dialog::comboItemData(int id, int index) const {
    auto* combo = itemAs<QComboBox>(id);
    return combo && index >= 0 && index < combo->count() ? combo->itemData(index).toLongLong() : 0;
}

bool Dialog::comboSetItemCheck(int id, int index, bool checked) {
    auto* combo = itemAs<QComboBox>(id);
    if (!combo || index < 0 || index >= combo->count()) return false;
    combo->setItemData(index, checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    combo->update();
    return true;
}

int Dialog::comboItemCheck(int id, int index) const {
    auto* combo = itemAs<QComboBox>(id);
    if (!combo || index < 0 || index >= combo->count()) return -1;
    const QVariant state = combo->itemData(index, Qt::CheckStateRole);
    return state.isValid() ? (state.value<Qt::CheckState>() == Qt::Checked ? 1 : 0) : -1;
}

// --- list boxes ----------------------------------------------------------------------------------

int Dialog::listAddString(int id, const Zrk_String& text) {
    auto* list = itemAs<QListWidget>(id);
    if (!list) return -1;
    int index = list->count();
    if (itemStyle(id) & style::Sort) index = sortedPosition(list->count(), text, [&](int i) { return listText(id, i); });
    return listInsertString(id, index, text);
}

int Dialog::listInsertString(int id, int index, const Zrk_String& text) {
    auto* list = itemAs<QListWidget>(id);
    if (!list || index > list->count()) return -1;
    const int at = index < 0 ? list->count() : index;
    const Silence silence(*this);
    list->insertItem(at, qtText(text));
    return at;
}

bool Dialog::listDeleteString(int id, int index) {
    auto* list = itemAs<QListWidget>(id);
    if (!list || index < 0 || index >= list->count()) return false;
    const Silence silence(*this);
    delete list->takeItem(index);
    return true;
}

bool Dialog::listResetContent(int id) {
    auto* list = itemAs<QListWidget>(id);
    if (!list) return false;
    const Silence silence(*this);
    list->clear();
    return true;
}

int Dialog::listCount(int id) const {
    auto* list = itemAs<QListWidget>(id);
    return list ? list->count() : -1;
}

int Dialog::listCurSel(int id) const {
    auto* list = itemAs<QListWidget>(id);
    if (!list) return -1;
    if (list->selectionMode() != QAbstractItemView::SingleSelection) return list->currentRow();
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

bool Dialog::listSetCurSel(int id, int index) {
    auto* list = itemAs<QListWidget>(id);
    if (!list || index >= list->count()) return false;
    const Silence silence(*this);
    if (index < 0) {
        list->clearSelection();
        list->setCurrentRow(-1);
        return false;
    }
    list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    list->scrollToItem(list->item(index));
    return true;
}

Zrk_String Dialog::listText(int id, int index) const {
    auto* list = itemAs<QListWidget>(id);
    return list && index >= 0 && index < list->count() ? moduleText(list->item(index)->text()) : Zrk_String();
}

int Dialog::listFindStringExact(int id, const Zrk_String& text, int start) const {
    const int count = listCount(id);
    if (count <= 0) return -1;
    return findExact(count, start, text, [&](int i) { return listText(id, i); });
}

std::vector<int> Dialog::listSelectedIndexes(int id) const {
    std::vector<int> indexes;
    if (auto* list = itemAs<QListWidget>(id))
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->isSelected()) indexes.push_back(i);
    return indexes;
}

bool Dialog::listSetSel(int id, int index, bool selected) {
    auto* list = itemAs<QListWidget>(id);
    if (!list || index >= list->count()) return false;
    const Silence silence(*this);
    for (int i = 0; i < list->count(); ++i)
        if (index < 0 || i == index) list->item(i)->setSelected(selected);
    return true;
}

// --- tab controls --------------------------------------------------------------------------------

int Dialog::tabInsertItem(int id, int index, const Zrk_String& text) {
    auto* tabs = itemAs<TabControl>(id);
    if (!tabs) return -1;
    const Silence silence(*this);
    return tabs->insertItem(index, qtText(text));
}

bool Dialog::tabDeleteAllItems(int id) {
    auto* tabs = itemAs<TabControl>(id);
    if (!tabs) return false;
    const Silence silence(*this);
    tabs->deleteAllItems();
    return true;
}

int Dialog::tabCount(int id) const {
    auto* tabs = itemAs<TabControl>(id);
    return tabs ? tabs->count() : -1;
}

int Dialog::tabCurSel(int id) const {
    auto* tabs = itemAs<TabControl>(id);
    return tabs ? tabs->curSel() : -1;
}

bool Dialog::tabSetCurSel(int id, int index) {
    auto* tabs = itemAs<TabControl>(id);
    if (!tabs || index < 0 || index >= tabs->count()) return false;
    const Silence silence(*this);
    tabs->setCurSel(index);
    return true;
}

QRect Dialog::tabItemRect(int id, int index) const {
    auto* tabs = itemAs<TabControl>(id);
    if (!tabs) return {};
    const QRect rect = tabs->itemRect(index);
    return rect.isNull() ? rect : QRect(tabs->mapTo(this, rect.topLeft()), rect.size());
}

QRect Dialog::tabDisplayRect(int id) const {
    auto* tabs = itemAs<TabControl>(id);
    if (!tabs) return {};
    const QRect rect = tabs->displayRect();
    return QRect(tabs->mapTo(this, rect.topLeft()), rect.size());
}

} // namespace ui
