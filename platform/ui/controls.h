#pragma once
// The controls a template makes, one Qt widget per kind:
//
//   Static         QLabel (plain text, wrapped, top-left; '&' marks the mnemonic of the next control)
//   GroupBox       QGroupBox (a frame; the controls inside it are its siblings, not its children)
//   PushButton,    QPushButton (Enter is handled by the dialog, not by the button)
//   DefPushButton
//   CheckBox       QCheckBox
//   ThreeState     ThreeStateCheckBox (0 -> 1 -> 2 -> 0 on clicks)
//   RadioButton    QRadioButton, exclusive within its group
//   BitmapButton   CButtonST (button_st.h)
//   Edit           QLineEdit
//   MultiLineEdit  MultiLineEdit (below)
//   DropDownCombo, ComboBox (below; editable / not editable); its height is one line, the template's height
//   DropListCombo  sets how many items the drop-down list shows
//   CheckComboBox  CCheckComboBox (check_combo_box.h)
//   ListBox        QListWidget
//   TabControl     TabControl (below)
//   Picture        QLabel showing a bitmap or an icon
//   Placeholder    QFrame, empty
//   PictureCombo   PictureComboBox (picture_combo.h)
//   ImageList      CImageListCtrl (image_list_ctrl.h)
//
// Each widget carries its control id, window class name and style flags (window_class.h), and its
// Qt signals are turned into the dialog's onCommand and onNotify (control_events.cpp).

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QWidget>
#include <functional>

#include "ui/dialog_template.h"
#include "ui/dialog_units.h"

namespace ui {

class Dialog;

// A check box with three states whose clicks go unchecked -> checked -> undetermined -> unchecked;
// with setTristate(false) it is a plain two-state check box until it is given three states again.
class ThreeStateCheckBox : public QCheckBox {
public:
    explicit ThreeStateCheckBox(const QString& text, QWidget* parent = nullptr);

protected:
    void nextCheckState() override;
};

// A combo box that tells when its list drops down and closes up.
class ComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void(bool shown)> onPopup;
    void showPopup() override;
    void hidePopup() override;
};

// A multi-line edit: Tab moves the focus on, and Enter is the dialog's unless it wants it.
class MultiLineEdit : public QPlainTextEdit {
public:
    MultiLineEdit(bool wantReturn, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool wantReturn_;
};

// A row of tabs over a framed display area. The dialog places its pages in displayRect().
class TabControl : public QWidget {
public:
    explicit TabControl(QWidget* parent = nullptr);

    QTabBar* tabBar() const { return bar_; }
    int insertItem(int index, const QString& text);
    void deleteAllItems();
    int count() const { return bar_->count(); }
    int curSel() const { return bar_->currentIndex(); }
    void setCurSel(int index) { bar_->setCurrentIndex(index); }
    // Rectangles in this widget's coordinates.
    QRect itemRect(int index) const;
    QRect displayRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabBar* bar_;
};

// Makes the control inside the dialog at the rectangle given in pixels, with its id, class name,
// style flags, text and events. The dialog keeps track of it.
QWidget* createControl(Dialog& dialog, const ControlTemplate& control, const QRect& pixels,
                       const DialogUnits& units);

// The window class name of a kind ("Button", "Edit" ...).
const char* windowClassOf(Kind kind);

// Label text: with a buddy the label shows '&' as a mnemonic; without one the mnemonics are removed
// here, so that "&Name" never shows its '&' (and "&&" shows one).
void setLabelText(QLabel* label, const QString& text);
// The text without mnemonic marks ("&Name" gives "Name", "&&" gives "&").
QString withoutMnemonics(const QString& text);

} // namespace ui
