#pragma once
// One created window of a template control, with the rectangle it takes on the template's picture and
// the look of the designer's selection: a solid frame and eight square handles of 5 pixels, all just
// outside the rectangle, so that they never hide the control itself.
//
// The rectangle is the control's, in pixels of the host dialog's client area, and is what the
// template reads back into factors. It equals the window's rectangle except for combo boxes, whose
// rectangle also holds the drop-down list while the window is the one-line field at its top. Moving
// the rectangle (setRect) moves the window with it.

#include <QPointer>
#include <QRect>
#include <QWidget>

class QPainter;

class CControlRect {
public:
    // What a point hits: a handle (the four corners, then the four edge middles), the rectangle, or
    // nothing.
    enum Hit {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8,
    };
    static constexpr int kHandleSize = 5;

    CControlRect(int id, QWidget* window, const QRect& rect);

    // The child-window id of the control.
    int id() const { return id_; }
    // The window, or null once it is gone.
    QWidget* window() const { return window_.data(); }
    const QRect& rect() const { return rect_; }
    // Moves the rectangle and the window; a combo box's window keeps its own height.
    void setRect(const QRect& rect);

    // What point hits; handles count only when withHandles (they are shown for selected controls).
    Hit hitTest(const QPoint& point, bool withHandles) const;
    // The handle's square, outside the rectangle.
    QRect handleRect(Hit handle) const;
    // The rectangle after dragging handle by offset (the opposite edges stay), normalised.
    QRect resized(Hit handle, const QPoint& offset) const;
    // The frame and the handles, drawn on the host dialog.
    void drawSelection(QPainter& painter) const;
    // The mouse pointer over a hit.
    static Qt::CursorShape cursorFor(Hit hit);

private:
    int id_;
    QPointer<QWidget> window_;
    QRect rect_;
    int fieldHeight_ = 0; // combo boxes: the height of the one-line field
};
