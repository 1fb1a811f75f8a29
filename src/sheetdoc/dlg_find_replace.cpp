#include "sheetdoc/dlg_find_replace.h"

#include "core/language.h"
#include "core/text.h"
#include "module/module_resources.h"
#include "spread/zrk_spread.h"
#include "ui/dialog_size.h"

namespace {

using ui::Kind;

const ui::DialogTemplate
    kFindReplaceTemplate(DlgFindReplace::kTemplate, "Find and Replace", 262, 80, ui::dialogStyle::TopMost,
                         {
                             {DlgFindReplace::kFindLabel, Kind::Static, "Find what:", 7, 9, 58, 9},
                             {DlgFindReplace::kFindEdit, Kind::Edit, "", 66, 7, 124, 14},
                             {DlgFindReplace::kReplaceLabel, Kind::Static, "Replace with:", 7, 27, 58, 9},
                             {DlgFindReplace::kReplaceEdit, Kind::Edit, "", 66, 25, 124, 14},
                             {ui::IDOK, Kind::DefPushButton, "Find Next", 198, 7, 57, 14},
                             {DlgFindReplace::kReplace, Kind::PushButton, "Replace", 198, 25, 57, 14},
                             {DlgFindReplace::kReplaceAll, Kind::PushButton, "Replace All", 198, 43, 57, 14},
                             {ui::IDCANCEL, Kind::PushButton, "Close", 198, 59, 57, 14},
                         });

[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kFindReplaceTemplate);

const char* const kSizeKey = "DLG_FINDREPLACE";

// The language's text, else the template's own.
void setText(ui::Dialog& dialog, int id, int textId) {
    const Zrk_String text = dialString(textId);
    if (!text.empty()) dialog.setItemText(id, text);
}

} // namespace

DlgFindReplace::DlgFindReplace(Zrk_Spread& grid, QWidget* owner)
    : ui::Dialog(kTemplate, owner), grid_(grid) {}

DlgFindReplace::~DlgFindReplace() = default;

bool DlgFindReplace::onInitDialog() {
    if (const Zrk_String title = dialString(1136); !title.empty()) setTitle(title);
    setText(*this, kFindLabel, 1137);
    setText(*this, kReplaceLabel, 1138);
    setText(*this, ui::IDOK, 1139);
    setText(*this, kReplace, 1140);
    setText(*this, kReplaceAll, 1141);
    setText(*this, ui::IDCANCEL, 285);
    editingWasOn_ = grid_.getBool(spreadlib::kOptionEditing);
    grid_.setBool(spreadlib::kOptionEditing, true);
    grid_.setBool(spreadlib::kOptionEditReplace, false);
    ChangeDlgSize(this, kSizeKey);
    gotoDlgCtrl(kFindEdit);
    return false;
}

bool DlgFindReplace::onCommand(int id, int code) {
    if (code == ui::BN_CLICKED) {
        switch (id) {
        case ui::IDOK:
            findNext(true);
            return true;
        case kReplace:
            replace(true);
            return true;
        case kReplaceAll:
            replaceAll();
            return true;
        default:
            break;
        }
    }
    return ui::Dialog::onCommand(id, code);
}

bool DlgFindReplace::preTranslateKey(const ui::KeyPress& key) {
    if (key.key == ui::VK_F3) return findNext(true), true;
    if (key.key == ui::VK_F5) return replace(true), true;
    return false;
}

void DlgFindReplace::storeSize() {
    if (sizeStored_) return;
    sizeStored_ = true;
    WriteDlgSize(this, kSizeKey);
}

// Closing: the size is stored, editing goes back off if it was off, and the grid lets the dialog go.
void DlgFindReplace::onCancel() {
    storeSize();
    if (!editingWasOn_) grid_.setBool(spreadlib::kOptionEditing, false);
    endDialog(ui::IDCANCEL);
    grid_.findDialogClosed();
}

void DlgFindReplace::onDestroy() {
    storeSize();
}

bool DlgFindReplace::findNext(bool ask) {
    const Zrk_String text = itemText(kFindEdit);
    if (text.empty()) return false;
    grid_.setFocus();
    int column = 0, row = 0;
    if (!grid_.ensureActiveCell(column, row)) return false;
    int startCol = column, startRow = row;
    if (grid_.getEditMode()) {
        int start = 0, end = 0;
        grid_.getEditSel(start, end);
        if (end > start) {
            if (grid_.selectFound(text, column, row, end)) return true;
            startCol = column + 1;
        }
    } else if (column == lastCol_ && row == lastRow_) {
        // The last hit could not be edited (a locked cell): go on after it, not round on it.
        startCol = column + 1;
    }
    int foundCol = 0, foundRow = 0;
    bool found = grid_.findNext(text, true, startCol, startRow, foundCol, foundRow);
    if (!found) {
        if (!ask) return false;
        const Zrk_String question = dialString(1142) + "\n" + dialString(1143) + "\n";
        if (messageBox(question, dialString(1144), ui::MB_YESNO | ui::MB_ICONQUESTION) != ui::IDYES)
            return false;
        found = grid_.findNext(text, true, 1, 1, foundCol, foundRow);
        if (!found) {
            messageBox(dialString(1145), dialString(1146));
            return false;
        }
    }
    lastCol_ = foundCol;
    lastRow_ = foundRow;
    return grid_.selectFound(text, foundCol, foundRow, 0);
}

bool DlgFindReplace::replace(bool ask) {
    findNext(ask);
    int column = 0, row = 0, start = 0, end = 0;
    if (!grid_.getEditMode() || !grid_.getActiveCell(column, row)) return false;
    grid_.getEditSel(start, end);
    Zrk_String value;
    if (end <= start || !grid_.getCellText(column, row, value)) return false;
    start = std::min<int>(start, static_cast<int>(value.size()));
    end = std::min<int>(end, static_cast<int>(value.size()));
    const Zrk_String replaced = value.substr(0, start) + itemText(kReplaceEdit) + value.substr(end);
    if (!grid_.setCellText(column, row, replaced)) return false;
    grid_.setBool(spreadlib::kOptionChanged, true);
    grid_.setEditSel(start + 1, end);
    return true;
}

int DlgFindReplace::replaceAll() {
    const Zrk_String text = itemText(kFindEdit);
    const Zrk_String replacement = itemText(kReplaceEdit);
    int count = 0;
    if (!text.empty()) {
        grid_.setEditMode(false); // an open edit takes over what it holds first
        int column = 1, row = 1, foundCol = 0, foundRow = 0;
        while (grid_.findNext(text, true, column, row, foundCol, foundRow)) {
            int anchorCol = foundCol, anchorRow = foundRow, cols = 1, rows = 1;
            grid_.SSGetCellSpan(foundCol, foundRow, anchorCol, anchorRow, cols, rows);
            if (!grid_.getLock(anchorCol, anchorRow) &&
                grid_.replaceInCell(foundCol, foundRow, text, replacement))
                ++count;
            column = foundCol + 1;
            row = foundRow;
        }
    }
    messageBox(dialString(1147) + " " + intToStr(count) + " " + dialString(1148), dialString(1149));
    grid_.setBool(spreadlib::kOptionChanged, true);
    return count;
}
