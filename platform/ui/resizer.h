#pragma once
// CResizer: the layout keeper of a resizable dialog. It remembers the dialog's client size and the
// rectangles of its child windows when it is attached, and on every size change (move(), from the
// dialog's onSize) puts each child where its anchor bits say, all children at once.
//
// Each tracked child has anchor bits for the horizontal and for the vertical direction:
//   2 (Near) keeps the near edge (left or top) where it was;
//   4 (Far)  keeps the far edge (right or bottom) at its distance from the dialog's far edge;
//   1 (Size) keeps the control's size: with 4 the whole control moves with the far edge (then 2 is
//            ignored), without 4 the far edge follows the near edge.
// An edge that the bits do not fix is scaled in proportion to the change of the dialog's size. So
// (6, 6) stretches both ways, (3, 5) stays at the left and moves down with the bottom, (5, 5) moves
// with the bottom-right corner, and (0, 0) scales.
//
// attach() tracks every child window of the dialog with no bits (it scales in proportion), except
// windows of the class "ToolbarWindow32", which are not tracked; track() gives a child its bits.
// Children made after attach() are not tracked unless track() names them. Rectangles are always
// computed from the remembered ones, so sizes never drift however often the dialog is resized.

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <vector>

class CResizer {
public:
    enum Anchor : int { Size = 1, Near = 2, Far = 4 };

    // Remembers the dialog's client size and its children. False for null.
    bool attach(QWidget* dialog);
    // Gives the child with that control id (or the child itself) its anchor bits; a child made after
    // attach() is remembered as it is now. False when there is no such child.
    bool track(int id, int horizontal, int vertical);
    bool track(QWidget* child, int horizontal, int vertical);
    // Moves and resizes a tracked child by pixels (left, top, width, height), now and in what it
    // remembers, so that later size changes keep the change (a part of the layout folded away and
    // back). False when the child is not tracked.
    bool resizeCtrl(int id, int dx, int dy, int dWidth, int dHeight);
    // Stops tracking a child (it then keeps where it is).
    void untrack(QWidget* child);
    // Puts every tracked child where its bits say for the dialog's current client size.
    void move();

    // Where one edge pair lands: the original near and far edges, the original and the new size of
    // the dialog in that direction, and the anchor bits.
    static void place(int near, int far, int originalSize, int newSize, int anchor, int& newNear, int& newFar);
    bool isTracked(const QWidget* child) const;

private:
    struct Tracked {
        QPointer<QWidget> child;
        QRect original;
        int horizontal = 0;
        int vertical = 0;
    };
    Tracked* find(const QWidget* child);

    QPointer<QWidget> dialog_;
    QSize originalSize_;
    std::vector<Tracked> tracked_;
};
