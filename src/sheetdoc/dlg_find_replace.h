#pragma once
// The find/replace dialog of a grid (template 218): modeless, above other windows, bound to the grid
// that opened it (F3 or F5, Zrk_Spread::showFindDialog). It searches the value texts of the cells in
// reading order for the find text as a part of them, and replaces it.

#include "ui/dialog.h"

class Zrk_Spread;

class DlgFindReplace : public ui::Dialog {
public:
    static constexpr int kTemplate = 218;
    static constexpr int kFindLabel = 1206;
    static constexpr int kFindEdit = 1207;
    static constexpr int kReplaceLabel = 1208;
    static constexpr int kReplaceEdit = 1209;
    static constexpr int kReplace = 1204;
    static constexpr int kReplaceAll = 1205;

    DlgFindReplace(Zrk_Spread& grid, QWidget* owner);
    ~DlgFindReplace() override;

    Zrk_Spread& grid() const { return grid_; }

    // The next cell from the active cell on (or from the selection's end in the edited cell) whose
    // value text holds the find text: it becomes the active cell, edited, with the text selected.
    // Past the last cell, with ask, the user is asked whether to go on from the first cell.
    bool findNext(bool ask);
    // Finds the next as findNext, then replaces the selected text of the edited cell.
    bool replace(bool ask);
    // Every cell from the first on whose value text holds the find text, each once; a message says
    // how many. Locked cells are left as they are. Answers the count.
    int replaceAll();

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onCancel() override;
    void onDestroy() override;
    bool preTranslateKey(const ui::KeyPress& key) override;

private:
    void storeSize();

    Zrk_Spread& grid_;
    bool editingWasOn_ = false; // option 13 when the dialog opened
    bool sizeStored_ = false;
    int lastCol_ = 0, lastRow_ = 0; // the last hit
};
