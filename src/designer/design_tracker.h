#pragma once
// The selection of the dialog designer: which of a template's controls are selected, by child-window
// id, in the order they were selected. It belongs to a template object in design mode and knows the
// dialog the controls lie in.

#include <QPointer>
#include <vector>

#include "ui/dialog.h"

class CDesignTracker {
public:
    void setHost(ui::Dialog* dialog) { host_ = dialog; }
    ui::Dialog* host() const { return host_; }

    // The id of the selected control when exactly one is selected, else -1.
    int getCurSel() const { return selected_.size() == 1 ? selected_.front() : -1; }
    // All selected ids, in the order they were selected.
    const std::vector<int>& getSelectedIds() const { return selected_; }
    bool isSelected(int id) const;
    // Adds id to the selection (once), after clearing it when clearFirst.
    void select(int id, bool clearFirst);
    void deselect(int id);
    void clearSelection() { selected_.clear(); }
    // A control that goes leaves the selection.
    void removeControl(int id) { deselect(id); }

private:
    QPointer<ui::Dialog> host_;
    std::vector<int> selected_;
};
