#include "sections/dlg_section_entries.h"

#include <algorithm>

#include "core/language.h"
#include "core/macro_langs.h"
#include "core/section_types.h"
#include "core/text.h"
#include "module/module_resources.h"
#include "ui/fill_combo.h"

namespace {

constexpr int kNameHeaderText = 87;
constexpr int kLanguageColumnWidth = 72; // pixels of the row headers: the language names

Zrk_StringArray languages() {
    Zrk_StringArray all;
    MacroLangs::GetAllLanguages(all);
    return all;
}

} // namespace

bool SectionEntriesPage::onInitDialog() {
    frame::setItemTextFromTable(*this, kEnabled, 761);
    frame::setItemTextFromTable(*this, kPictureLabel, 762);
    frame::setItemTextFromTable(*this, kNamesLabel, 771);
    frame::setItemTextFromTable(*this, kAdd, addText_);
    frame::setItemTextFromTable(*this, kRemove, removeText_);

    const Zrk_StringArray all = languages();
    names.attach(this, kNames, true);
    names.applyStandardLook(true);
    names.setRedraw(false);
    names.setNrCols(1);
    names.setNrRows(all.length());
    names.setColumnHeaders({dialString(kNameHeaderText)});
    names.setRowHeaders(all);
    names.setTextCells(1, 1, 1, all.length());
    names.setLayout(4, -32767, kLanguageColumnWidth);
    names.applyLayout();
    names.setRedraw(true);

    FillCombo(*this, kPicture, data.pictureNames);
    fillEntries();
    showEntry(entryCount() > 0 ? 0 : -1);

    // The grid grows with the page; the other controls keep their place and size.
    layout.attach(this);
    for (int id : itemIds())
        layout.track(id, CResizer::Near | CResizer::Size, CResizer::Near | CResizer::Size);
    layout.track(kNames, CResizer::Near | CResizer::Far, CResizer::Near | CResizer::Far);
    return true;
}

void SectionEntriesPage::onSize(int, int) {
    layout.move();
}

void SectionEntriesPage::fillEntries() {
    comboResetContent(kEntries);
    for (int i = 0; i < entryCount(); ++i) {
        comboAddString(kEntries, entryName(i));
        comboSetItemCheck(kEntries, i, entryEnabled(i));
    }
    comboSetCurSel(kEntries, shown_);
}

void SectionEntriesPage::setEntryItem(int index) {
    comboDeleteString(kEntries, index);
    comboInsertString(kEntries, index, entryName(index));
    comboSetItemCheck(kEntries, index, entryEnabled(index));
    comboSetCurSel(kEntries, shown_);
}

void SectionEntriesPage::showEntry(int index) {
    shown_ = (index >= 0 && index < entryCount()) ? index : -1;
    const bool valid = shown_ >= 0;
    comboSetCurSel(kEntries, shown_);
    setCheck(kEnabled, valid && entryEnabled(shown_) ? 1 : 0);
    setItemText(kPicture, valid ? entryImage(shown_) : Zrk_String());
    Zrk_StringArray langs = valid ? entryLangs(shown_) : Zrk_StringArray();
    langs.setLength(names.getNrRows());
    names.fillColumn(1, langs);
    showMore(shown_);
    showPicture();

    const bool enabled = valid && entryEnabled(shown_);
    enableItem(kEntries, entryCount() > 0);
    enableItem(kEnabled, valid);
    enableItem(kRemove, valid);
    for (int id : {kPictureLabel, kPicture, kPreview, kNamesLabel, kNames})
        enableItem(id, enabled);
    enableMore(enabled);
}

void SectionEntriesPage::storeShown() {
    if (shown_ < 0 || shown_ >= entryCount()) return;
    names.setEditMode(false); // a name being typed counts
    Zrk_StringArray langs;
    names.readColumn(1, langs);
    storeEntry(shown_, checkState(kEnabled) == 1, trimmed(itemText(kPicture)), langs);
    storeMore(shown_);
    setEntryItem(shown_);
}

void SectionEntriesPage::showPicture() {
    setItemImageFile(kPreview, core::sectionPictureFile(trimmed(itemText(kPicture)), true));
}

bool SectionEntriesPage::onCommand(int id, int code) {
    switch (id) {
    case kEntries:
        if (code == ui::CBN_SELCHANGE && comboCurSel(kEntries) != shown_) {
            const int chosen = comboCurSel(kEntries);
            storeShown();
            showEntry(chosen);
        }
        return true;
    case kEnabled:
        if (code == ui::BN_CLICKED) {
            storeShown();
            showEntry(shown_);
        }
        return true;
    case kPicture:
        if (code == ui::CBN_SELCHANGE || code == ui::CBN_EDITCHANGE) showPicture();
        return true;
    case kAdd:
        if (code == ui::BN_CLICKED) {
            storeShown();
            const int added = appendEntry();
            fillEntries();
            showEntry(added);
        }
        return true;
    case kRemove:
        if (code == ui::BN_CLICKED && shown_ >= 0) {
            const int removed = shown_;
            removeEntry(removed);
            shown_ = -1;
            fillEntries();
            showEntry(std::min(removed, entryCount() - 1));
        }
        return true;
    default:
        return ui::Dialog::onCommand(id, code);
    }
}
