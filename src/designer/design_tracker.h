#pragma once
// The selection of the dialog designer and what the mouse does to it. It belongs to a template object
// in design mode, knows the dialog the controls lie in and the drawn controls (CControlRect, owned by
// the template), and keeps which of them are selected, by child-window id, in the order they were
// selected.
//
// The mouse, as the designer's host dialog passes it on (left button only):
//   press on a control       Ctrl toggles it in the selection, Shift adds it; without either it becomes
//                            the selection unless it is selected already, and then a press inside it
//                            drags all selected controls, a press on one of its handles resizes it
//   press on nothing         without Shift and Ctrl: the selection is cleared and a rubber band starts;
//                            every control lying wholly inside the band when the button is released
//                            is selected
//   move                     the drag, resize or band follows (drawn by paint); the mouse is held to
//                            the client area, and a drag takes the selection no further out of it
//                            than it lies already, so nothing is dragged out of reach
//   release                  the windows move to their new rectangles (a drag moves every selected
//                            control by the same offset)
// Handles show, and count for hits, on selected controls only. Windows move only on release; the
// template reads their rectangles back into factors when it needs them.

#include <QPointer>
#include <QRect>
#include <vector>

#include "designer/control_rect.h"
#include "ui/dialog.h"

class QPainter;

class CDesignTracker {
public:
    void setHost(ui::Dialog* dialog) { host_ = dialog; }
    ui::Dialog* host() const { return host_; }

    // --- the drawn controls (not owned) ------------------------------------------------------------

    void addControl(CControlRect* control);
    // The control leaves the tracker; the selection is cleared.
    void removeControl(int id);
    void removeAllControls();
    // The drawn control with that id, or null.
    CControlRect* findControl(int id) const;

    // --- the selection --------------------------------------------------------------------------------

    // The id of the selected control when exactly one is selected, else -1.
    int getCurSel() const { return selected_.size() == 1 ? selected_.front() : -1; }
    // All selected ids, in the order they were selected.
    const std::vector<int>& getSelectedIds() const { return selected_; }
    bool isSelected(int id) const;
    // Adds id to the selection (once), after clearing it when clearFirst.
    void select(int id, bool clearFirst);
    void deselect(int id);
    void clearSelection() { selected_.clear(); }

    // --- the mouse --------------------------------------------------------------------------------------

    // The left button went down at point (client coordinates of the host).
    void mousePress(const QPoint& point, bool shift, bool control);
    void mouseMove(const QPoint& point);
    // The left button came up: the drag, resize or rubber band ends. True when one was going on.
    bool mouseRelease(const QPoint& point);
    bool isTracking() const { return mode_ != Mode::None; }
    // The pointer over point: a handle's arrows, the move cross inside a selected control. False over
    // nothing (the host's own pointer).
    bool cursorAt(const QPoint& point, Qt::CursorShape& shape) const;
    // The frames and handles of the selected controls, and the outline being dragged.
    void paint(QPainter& painter) const;

private:
    enum class Mode { None, Move, Resize, RubberBand };
    // The first drawn control that point hits (handles of selected controls included), in drawing order.
    CControlRect* hitControl(const QPoint& point, CControlRect::Hit& hit) const;
    QPoint heldInside(const QPoint& point) const;
    QRect selectionBounds() const;
    // How far a drag moves the selection now.
    QPoint moveOffset() const;
    // The outline the mouse shows now: the moved bounds, the resized control or the band.
    QRect feedback() const;
    void repaintHost() const;

    QPointer<ui::Dialog> host_;
    std::vector<CControlRect*> controls_;
    std::vector<int> selected_;

    Mode mode_ = Mode::None;
    QPoint start_;
    QPoint current_;
    int resizedId_ = 0;
    CControlRect::Hit handle_ = CControlRect::hitNothing;
};
