// Zrk_Spread: the context menu, the keys F3, F5 and F8, and the find/replace dialog it opens.

#include <QGuiApplication>
#include <QTimer>

#include "core/language.h"
#include "sheetdoc/dlg_find_replace.h"
#include "spread/zrk_spread.h"
#include "ui/codes.h"

using namespace spreadlib;

namespace {

// Command ids of the menu entries, by position among the entries that are no separators.
constexpr int kMenuCommands[] = {32811, 32812, 32816, 32817, 32818, 32800, 32801, 32802, 32803, 32804};
constexpr int kMenuCommandCount = static_cast<int>(sizeof(kMenuCommands) / sizeof(kMenuCommands[0]));

// The language text of an entry kind; 0 for a kind that is no command.
int menuText(int kind) {
    switch (kind) {
    case Zrk_Spread::menuCopy:
        return 1154;
    case Zrk_Spread::menuPaste:
        return 1155;
    case Zrk_Spread::menuInsertRow:
        return 774;
    case Zrk_Spread::menuDeleteRow:
        return 775;
    case Zrk_Spread::menuInsertColumn:
        return 1156;
    case Zrk_Spread::menuDeleteColumn:
        return 1157;
    case Zrk_Spread::menuCheckAll:
        return 1400;
    case Zrk_Spread::menuUncheckAll:
        return 1401;
    default:
        return 0;
    }
}

} // namespace

int Zrk_Spread::menuCommandId(int position) {
    return position >= 0 && position < kMenuCommandCount ? kMenuCommands[position] : 0;
}

// Kinds that are neither a separator nor a command are left out; commands beyond the ten ids too.
void Zrk_Spread::setContextMenu(const Zrk_Array<int>& kinds) {
    menuItemKinds = kinds;
    contextMenu.clear();
    int position = 0;
    for (const int kind : kinds) {
        if (kind == menuSeparator) {
            contextMenu.push_back(ui::MenuItem::separatorLine());
        } else if (menuText(kind) && menuCommandId(position)) {
            contextMenu.push_back(ui::MenuItem{menuCommandId(position), dialString(menuText(kind))});
            ++position;
        }
    }
}

void Zrk_Spread::onRightButtonDown(int, int, const QPoint& globalPosition) {
    if (!attached || menuItemKinds.isEmpty() || contextMenu.empty()) return;
    const int chosen = ui::trackPopupMenu(contextMenu, globalPosition, this);
    if (chosen) onMenuCommand(chosen);
}

bool Zrk_Spread::onMenuCommand(int commandId) {
    if (!attached) return false;
    int position = -1;
    for (int i = 0; i < kMenuCommandCount; ++i)
        if (kMenuCommands[i] == commandId) position = i;
    int kind = 0, k = 0;
    for (const int entry : menuItemKinds) {
        if (entry == menuSeparator || !menuText(entry)) continue;
        if (k++ == position) {
            kind = entry;
            break;
        }
    }
    if (!kind) return false;
    int column = 1, row = 1;
    TSpread::getActiveCell(column, row);
    int col1 = 0, row1 = 0, col2 = 0, row2 = 0;
    switch (kind) {
    case menuCopy:
        return getSelection(col1, row1, col2, row2) && clipboardCopy(col1, row1, col2, row2);
    case menuPaste:
        return getSelection(col1, row1, col2, row2) && clipboardPaste(col1, row1);
    case menuInsertRow:
        return insertRowAt(std::clamp(row, 1, getMaxRows() + 1), false, true);
    case menuDeleteRow:
        return deleteActiveRow();
    case menuInsertColumn:
        return insertColumnAt(std::clamp(column, 1, getMaxCols() + 1), true, true);
    case menuDeleteColumn:
        return deleteColumnAt(column);
    case menuCheckAll:
        return setSelectionChecked(true);
    case menuUncheckAll:
        return setSelectionChecked(false);
    default:
        return false;
    }
}

// --- keys and the find dialog ---------------------------------------------------------------------------

bool Zrk_Spread::preTranslateKey(const ui::KeyPress& key) {
    if (!attached) return false;
    if (key.key == ui::VK_F3 || key.key == ui::VK_F5) {
        if (!findDialog || !findDialog->isCreated()) return showFindDialog(key.key == ui::VK_F5) || true;
        if (key.key == ui::VK_F3)
            findDialog->findNext(true);
        else
            findDialog->replace(true);
        return true;
    }
    if (key.key == ui::VK_F8 && toggleKeyEnabled) setBool(kOptionEditing, !getBool(kOptionEditing));
    return false; // F8 and every other key go on to the grid
}

bool Zrk_Spread::showFindDialog(bool replace) {
    if (!attached) return false;
    closedFindDialog_.reset();
    if (!findDialog) {
        findDialog = std::make_unique<DlgFindReplace>(
            *this, parentWindow ? static_cast<QWidget*>(parentWindow) : window());
        if (!findDialog->create(findDialog->owner())) {
            findDialog.reset();
            return false;
        }
    }
    findDialog->show();
    if (QGuiApplication::platformName() != "offscreen") findDialog->raise(); // headless windows do not stack
    findDialog->gotoDlgCtrl(replace ? DlgFindReplace::kReplaceEdit : DlgFindReplace::kFindEdit);
    return true;
}

// The dialog closed itself from one of its own handlers: it is destroyed once they have returned.
void Zrk_Spread::findDialogClosed() {
    if (!findDialog) return;
    closedFindDialog_ = std::move(findDialog);
    QTimer::singleShot(0, this, [this] { retireFindDialog(); });
}

void Zrk_Spread::retireFindDialog() {
    if (closedFindDialog_) closedFindDialog_->destroyWindow();
    closedFindDialog_.reset();
}
