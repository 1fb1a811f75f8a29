#include "designer/design_tracker.h"

#include <QPainter>
#include <algorithm>

// --- the drawn controls ----------------------------------------------------------------------------------

void CDesignTracker::addControl(CControlRect* control) {
    if (control && std::find(controls_.begin(), controls_.end(), control) == controls_.end())
        controls_.push_back(control);
}

void CDesignTracker::removeControl(int id) {
    controls_.erase(std::remove_if(controls_.begin(), controls_.end(),
                                   [id](const CControlRect* c) { return c->id() == id; }),
                    controls_.end());
    clearSelection();
    // A control that goes in the middle of a drag takes the drag with it.
    mode_ = Mode::None;
}

void CDesignTracker::removeAllControls() {
    controls_.clear();
    clearSelection();
    mode_ = Mode::None;
}

CControlRect* CDesignTracker::findControl(int id) const {
    for (CControlRect* control : controls_)
        if (control->id() == id) return control;
    return nullptr;
}

// --- the selection ---------------------------------------------------------------------------------------

bool CDesignTracker::isSelected(int id) const { return std::find(selected_.begin(), selected_.end(), id) != selected_.end(); }

void CDesignTracker::select(int id, bool clearFirst) {
    if (clearFirst) selected_.clear();
    if (!isSelected(id)) selected_.push_back(id);
}

void CDesignTracker::deselect(int id) { selected_.erase(std::remove(selected_.begin(), selected_.end(), id), selected_.end()); }

// --- the mouse -------------------------------------------------------------------------------------------

CControlRect* CDesignTracker::hitControl(const QPoint& point, CControlRect::Hit& hit) const {
    for (CControlRect* control : controls_) {
        hit = control->hitTest(point, isSelected(control->id()));
        if (hit != CControlRect::hitNothing) return control;
    }
    hit = CControlRect::hitNothing;
    return nullptr;
}

QPoint CDesignTracker::heldInside(const QPoint& point) const {
    if (!host_) return point;
    const QRect client = host_->clientRect();
    return QPoint(std::clamp(point.x(), client.left(), client.right()),
                  std::clamp(point.y(), client.top(), client.bottom()));
}

QRect CDesignTracker::selectionBounds() const {
    QRect bounds;
    for (int id : selected_)
        if (const CControlRect* control = findControl(id)) bounds = bounds.united(control->rect());
    return bounds;
}

QPoint CDesignTracker::moveOffset() const {
    QPoint offset = current_ - start_;
    if (!host_) return offset;
    // A drag takes the selection no further out of the client area than it lies already.
    const QRect bounds = selectionBounds();
    const QRect client = host_->clientRect();
    const int minX = std::min(client.left(), bounds.left()) - bounds.left();
    const int maxX = std::max(client.right(), bounds.right()) - bounds.right();
    const int minY = std::min(client.top(), bounds.top()) - bounds.top();
    const int maxY = std::max(client.bottom(), bounds.bottom()) - bounds.bottom();
    return QPoint(std::clamp(offset.x(), minX, maxX), std::clamp(offset.y(), minY, maxY));
}

QRect CDesignTracker::feedback() const {
    switch (mode_) {
    case Mode::Move:
        return selectionBounds().translated(moveOffset());
    case Mode::Resize: {
        const CControlRect* control = findControl(resizedId_);
        return control ? control->resized(handle_, current_ - start_) : QRect();
    }
    case Mode::RubberBand:
        return QRect(start_, current_).normalized();
    case Mode::None:
        break;
    }
    return {};
}

void CDesignTracker::repaintHost() const {
    if (host_) host_->update();
}

void CDesignTracker::mousePress(const QPoint& point, bool shift, bool control) {
    mode_ = Mode::None;
    CControlRect::Hit hit = CControlRect::hitNothing;
    CControlRect* hitRect = hitControl(point, hit);
    if (hitRect) {
        const int id = hitRect->id();
        if (control) {
            if (isSelected(id))
                deselect(id);
            else
                select(id, false);
        } else if (shift) {
            select(id, false);
        } else {
            // (Only a selected control has handles to hit.)
            if (!isSelected(id)) select(id, true);
            mode_ = hit == CControlRect::hitMiddle ? Mode::Move : Mode::Resize;
            resizedId_ = id;
            handle_ = hit;
        }
    } else if (!shift && !control) {
        clearSelection();
        mode_ = Mode::RubberBand;
    }
    start_ = current_ = heldInside(point);
    repaintHost();
}

void CDesignTracker::mouseMove(const QPoint& point) {
    if (mode_ == Mode::None) return;
    current_ = heldInside(point);
    repaintHost();
}

bool CDesignTracker::mouseRelease(const QPoint& point) {
    if (mode_ == Mode::None) return false;
    current_ = heldInside(point);
    const QPoint offset = current_ - start_;
    switch (mode_) {
    case Mode::Move:
        if (const QPoint move = moveOffset(); !move.isNull())
            for (int id : selected_)
                if (CControlRect* moved = findControl(id)) moved->setRect(moved->rect().translated(move));
        break;
    case Mode::Resize:
        if (CControlRect* resized = findControl(resizedId_); resized && !offset.isNull())
            resized->setRect(resized->resized(handle_, offset));
        break;
    case Mode::RubberBand: {
        const QRect band = QRect(start_, current_).normalized();
        for (const CControlRect* inside : controls_)
            if (band.contains(inside->rect())) select(inside->id(), false);
        break;
    }
    case Mode::None:
        break;
    }
    mode_ = Mode::None;
    repaintHost();
    return true;
}

bool CDesignTracker::cursorAt(const QPoint& point, Qt::CursorShape& shape) const {
    CControlRect::Hit hit = CControlRect::hitNothing;
    const CControlRect* control = hitControl(point, hit);
    // Inside a control that is not selected a press selects it: no move cross yet.
    if (!control || (hit == CControlRect::hitMiddle && !isSelected(control->id()))) return false;
    shape = CControlRect::cursorFor(hit);
    return true;
}

void CDesignTracker::paint(QPainter& painter) const {
    for (int id : selected_)
        if (const CControlRect* control = findControl(id)) control->drawSelection(painter);
    if (mode_ == Mode::None || current_ == start_) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(feedback().adjusted(-1, -1, 0, 0));
    painter.restore();
}
