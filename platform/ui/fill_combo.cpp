#include "ui/fill_combo.h"

#include <QSignalBlocker>

#include "core/codepage.h"
#include "core/text.h"
#include "ui/check_combo_box.h"
#include "ui/dialog.h"

namespace {

void fill(QComboBox* combo, const Zrk_StringArray& items) {
    const QSignalBlocker quiet(combo);
    combo->clear();
    auto* checkCombo = dynamic_cast<CCheckComboBox*>(combo);
    for (const Zrk_String& item : items) {
        if (checkCombo) checkCombo->addString(item);
        else combo->addItem(QString::fromStdString(core::toUtf8(item)));
    }
}

bool choose(QComboBox* combo, int selection) {
    const QSignalBlocker quiet(combo);
    const bool valid = selection >= -1 && selection < combo->count();
    combo->setCurrentIndex(valid ? selection : -1);
    return valid;
}

} // namespace

bool FillCombo(QComboBox* combo, const Zrk_StringArray& items, int selection) {
    if (!combo) return false;
    fill(combo, items);
    return choose(combo, selection);
}

bool FillCombo(QComboBox* combo, const Zrk_StringArray& items, const Zrk_String& selected) {
    if (!combo) return false;
    fill(combo, items);
    const int index = findString(items, selected, true);
    choose(combo, index);
    if (index < 0 && combo->isEditable()) {
        const QSignalBlocker quiet(combo);
        combo->setEditText(QString::fromStdString(core::toUtf8(selected)));
    }
    return true;
}

bool FillCombo(ui::Dialog& dialog, int id, const Zrk_StringArray& items, int selection) {
    return FillCombo(dialog.itemAs<QComboBox>(id), items, selection);
}

bool FillCombo(ui::Dialog& dialog, int id, const Zrk_StringArray& items, const Zrk_String& selected) {
    return FillCombo(dialog.itemAs<QComboBox>(id), items, selected);
}
