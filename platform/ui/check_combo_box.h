#pragma once
// CCheckComboBox: a drop-down list whose items are ticked rather than chosen. Clicking an item (or
// Space on it) ticks or unticks it and leaves the list open; the closed box shows the ticked items
// joined by ", ". Each tick the user makes tells the dialog CBN_SELCHANGE. Templates make one for
// Kind::CheckComboBox; a dialog reaches it with itemAs<CCheckComboBox>(id).

#include <functional>

#include "core/zrk_string.h"
#include "ui/controls.h"

class CCheckComboBox : public ui::ComboBox {
public:
    explicit CCheckComboBox(QWidget* parent = nullptr);

    // Appends an unticked item; answers its index.
    int addString(const Zrk_String& text);
    void resetContent();
    Zrk_String text(int index) const;
    bool getCheck(int index) const;
    // False for an index out of range. Code's ticks tell nobody.
    bool setCheck(int index, bool checked);
    void checkAll(bool checked);
    Zrk_StringArray checkedTexts() const;
    // What the closed box shows.
    Zrk_String displayText() const;

    // Ticks or unticks an item as the user does (the dialog is told). False for an index out of range.
    bool toggleByUser(int index);
    // Called with the item's index for every tick the user makes.
    std::function<void(int index)> onUserCheck;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
