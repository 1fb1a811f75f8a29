#include "designer/design_tracker.h"

#include <algorithm>

bool CDesignTracker::isSelected(int id) const { return std::find(selected_.begin(), selected_.end(), id) != selected_.end(); }

void CDesignTracker::select(int id, bool clearFirst) {
    if (clearFirst) selected_.clear();
    if (!isSelected(id)) selected_.push_back(id);
}

void CDesignTracker::deselect(int id) { selected_.erase(std::remove(selected_.begin(), selected_.end(), id), selected_.end()); }
