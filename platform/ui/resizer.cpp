#include "ui/resizer.h"

#include <algorithm>

#include "ui/window_class.h"

namespace {
int scaled(int edge, int originalSize, int newSize) {
    if (originalSize <= 0) return edge;
    const long long product = static_cast<long long>(edge) * newSize;
    return static_cast<int>((product + originalSize / 2) / originalSize);
}
} // namespace

bool CResizer::attach(QWidget* dialog) {
    if (!dialog) return false;
    dialog_ = dialog;
    originalSize_ = dialog->size();
    tracked_.clear();
    for (QObject* object : dialog->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow() || ui::windowClassName(child) == "ToolbarWindow32") continue;
        tracked_.push_back({child, child->geometry(), 0, 0});
    }
    return true;
}

CResizer::Tracked* CResizer::find(const QWidget* child) {
    for (Tracked& tracked : tracked_)
        if (tracked.child == child) return &tracked;
    return nullptr;
}

bool CResizer::isTracked(const QWidget* child) const {
    return std::any_of(tracked_.begin(), tracked_.end(), [child](const Tracked& t) { return t.child == child; });
}

bool CResizer::track(int id, int horizontal, int vertical) {
    if (!dialog_) return false;
    for (QObject* object : dialog_->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child && !child->isWindow() && ui::controlId(child) == id) return track(child, horizontal, vertical);
    }
    return false;
}

bool CResizer::track(QWidget* child, int horizontal, int vertical) {
    if (!dialog_ || !child || child->parentWidget() != dialog_) return false;
    Tracked* tracked = find(child);
    if (!tracked) {
        tracked_.push_back({child, child->geometry(), 0, 0});
        tracked = &tracked_.back();
    }
    tracked->horizontal = horizontal;
    tracked->vertical = vertical;
    return true;
}

bool CResizer::resizeCtrl(int id, int dx, int dy, int dWidth, int dHeight) {
    for (Tracked& tracked : tracked_) {
        if (!tracked.child || ui::controlId(tracked.child) != id) continue;
        tracked.original.adjust(dx, dy, dx + dWidth, dy + dHeight);
        const QRect now = tracked.child->geometry();
        tracked.child->setGeometry(now.adjusted(dx, dy, dx + dWidth, dy + dHeight));
        return true;
    }
    return false;
}

void CResizer::untrack(QWidget* child) {
    tracked_.erase(std::remove_if(tracked_.begin(), tracked_.end(), [child](const Tracked& t) { return t.child == child; }),
                   tracked_.end());
}

void CResizer::place(int near, int far, int originalSize, int newSize, int anchor, int& newNear, int& newFar) {
    const int delta = newSize - originalSize;
    if ((anchor & Size) && (anchor & Far)) {
        newFar = far + delta;
        newNear = newFar - (far - near);
    } else if (anchor & Size) {
        newNear = (anchor & Near) ? near : scaled(near, originalSize, newSize);
        newFar = newNear + (far - near);
    } else {
        newNear = (anchor & Near) ? near : scaled(near, originalSize, newSize);
        newFar = (anchor & Far) ? far + delta : scaled(far, originalSize, newSize);
    }
    newFar = std::max(newFar, newNear); // a control never turns inside out
}

void CResizer::move() {
    if (!dialog_) return;
    const QSize size = dialog_->size();
    // All at once: nothing is drawn until every child has its place.
    const bool updates = dialog_->updatesEnabled();
    dialog_->setUpdatesEnabled(false);
    for (const Tracked& tracked : tracked_) {
        if (!tracked.child) continue;
        const QRect& r = tracked.original;
        int left = 0, right = 0, top = 0, bottom = 0;
        // Edges as positions: right and bottom are one past the last pixel.
        place(r.left(), r.left() + r.width(), originalSize_.width(), size.width(), tracked.horizontal, left, right);
        place(r.top(), r.top() + r.height(), originalSize_.height(), size.height(), tracked.vertical, top, bottom);
        tracked.child->setGeometry(left, top, right - left, bottom - top);
    }
    dialog_->setUpdatesEnabled(updates);
}
