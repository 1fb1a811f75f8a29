#include "designer/control_rect.h"

#include <QComboBox>
#include <QPainter>
#include <algorithm>

namespace {

// Edges as the rectangle's own numbers: right and bottom lie just past the last pixel.
struct Edges {
    int left, top, right, bottom;
    explicit Edges(const QRect& rect)
        : left(rect.x()), top(rect.y()), right(rect.x() + rect.width()), bottom(rect.y() + rect.height()) {}
    QRect normalised() const {
        const int l = std::min(left, right), r = std::max(left, right);
        const int t = std::min(top, bottom), b = std::max(top, bottom);
        // A control keeps at least one pixel, so that it stays somewhere to click.
        return QRect(l, t, std::max(1, r - l), std::max(1, b - t));
    }
};

} // namespace

CControlRect::CControlRect(int id, QWidget* window, const QRect& rect)
    : id_(id), window_(window), rect_(rect) {
    if (auto* combo = qobject_cast<QComboBox*>(window))
        fieldHeight_ = std::max(combo->height(), combo->sizeHint().height());
}

void CControlRect::setRect(const QRect& rect) {
    rect_ = rect;
    if (!window_) return;
    if (fieldHeight_ > 0)
        window_->setGeometry(rect.x(), rect.y(), rect.width(), std::min(rect.height(), fieldHeight_));
    else
        window_->setGeometry(rect);
}

QRect CControlRect::handleRect(Hit handle) const {
    const Edges e(rect_);
    const int size = kHandleSize;
    const int middleX = rect_.x() + (rect_.width() - size) / 2;
    const int middleY = rect_.y() + (rect_.height() - size) / 2;
    switch (handle) {
    case hitTopLeft:
        return QRect(e.left - size, e.top - size, size, size);
    case hitTopRight:
        return QRect(e.right, e.top - size, size, size);
    case hitBottomRight:
        return QRect(e.right, e.bottom, size, size);
    case hitBottomLeft:
        return QRect(e.left - size, e.bottom, size, size);
    case hitTop:
        return QRect(middleX, e.top - size, size, size);
    case hitRight:
        return QRect(e.right, middleY, size, size);
    case hitBottom:
        return QRect(middleX, e.bottom, size, size);
    case hitLeft:
        return QRect(e.left - size, middleY, size, size);
    default:
        return {};
    }
}

CControlRect::Hit CControlRect::hitTest(const QPoint& point, bool withHandles) const {
    if (withHandles)
        for (int handle = hitTopLeft; handle <= hitLeft; ++handle)
            if (handleRect(static_cast<Hit>(handle)).contains(point)) return static_cast<Hit>(handle);
    return rect_.contains(point) ? hitMiddle : hitNothing;
}

QRect CControlRect::resized(Hit handle, const QPoint& offset) const {
    Edges e(rect_);
    const bool left = handle == hitTopLeft || handle == hitBottomLeft || handle == hitLeft;
    const bool right = handle == hitTopRight || handle == hitBottomRight || handle == hitRight;
    const bool top = handle == hitTopLeft || handle == hitTopRight || handle == hitTop;
    const bool bottom = handle == hitBottomLeft || handle == hitBottomRight || handle == hitBottom;
    if (left) e.left += offset.x();
    if (right) e.right += offset.x();
    if (top) e.top += offset.y();
    if (bottom) e.bottom += offset.y();
    return e.normalised();
}

void CControlRect::drawSelection(QPainter& painter) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    painter.setBrush(Qt::NoBrush);
    // One pixel outside on every side: the window covers the rectangle itself.
    painter.drawRect(rect_.adjusted(-1, -1, 0, 0));
    for (int handle = hitTopLeft; handle <= hitLeft; ++handle)
        painter.fillRect(handleRect(static_cast<Hit>(handle)), Qt::black);
    painter.restore();
}

Qt::CursorShape CControlRect::cursorFor(Hit hit) {
    switch (hit) {
    case hitTopLeft:
    case hitBottomRight:
        return Qt::SizeFDiagCursor;
    case hitTopRight:
    case hitBottomLeft:
        return Qt::SizeBDiagCursor;
    case hitTop:
    case hitBottom:
        return Qt::SizeVerCursor;
    case hitLeft:
    case hitRight:
        return Qt::SizeHorCursor;
    case hitMiddle:
        return Qt::SizeAllCursor;
    case hitNothing:
        break;
    }
    return Qt::ArrowCursor;
}
