#pragma once
// How a grid window draws and edits a cell, by its cell type: texts in their fonts and colours with
// their borders, check boxes (plain, or with pictures), buttons and pictures; and an editor per type
// (a line edit with the edit cell's maximum length, a line edit taking a number cell's numbers only,
// a combo box of a combo cell's items).

#include <QPointer>
#include <QStyledItemDelegate>

namespace spreadlib {

class SpreadModel;
struct CellDisplay;

class SpreadDelegate : public QStyledItemDelegate {
public:
    SpreadDelegate(SpreadModel& model, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // The editor made last (once: the view takes it when editing begins).
    QWidget* takeCreatedEditor() const {
        QWidget* editor = created_;
        created_ = nullptr;
        return editor;
    }

    // The button cell drawn pressed (-1: none), while the mouse holds it down.
    void setPressedCell(int col, int row) {
        pressedCol_ = col;
        pressedRow_ = row;
    }

    // Draws a cell's own face (check box, button, picture) into rect; false for a cell drawn as text.
    static bool paintFace(QPainter* painter, const QRect& rect, const CellDisplay& cell, bool pressed,
                          const QWidget* widget);
    static void paintBorder(QPainter* painter, const QRect& rect, const CellDisplay& cell);

private:
    SpreadModel& model_;
    mutable QPointer<QWidget> created_;
    int pressedCol_ = -1;
    int pressedRow_ = -1;
};

} // namespace spreadlib
