// A template's tab order, the Tab key and the focus, and the look-ups of its windows.

#include <algorithm>
#include <cmath>

#include "designer/control_rect.h"
#include "designer/designer_data.h"
#include "ui/codes.h"
#include "ui/window_class.h"

namespace {

// The tops of hand-edited templates may lie anywhere: a row starts at the topmost control whose top
// lies below this.
constexpr double kTopLimit = 100.0;

// Ascending, with values that are no numbers after all others (and equal among themselves), so that
// sorting stays a strict weak order.
bool lessLeft(double a, double b) {
    if (std::isnan(a)) return false;
    return std::isnan(b) || a < b;
}

} // namespace

// --- tab order
// -----------------------------------------------------------------------------------------------

void Zrk_DlgDesignerData::sortAllControls() {
    std::vector<int> indices;
    for (int i = 0; i < controls_.length(); ++i) {
        const Zrk_DesignerControl& control = controls_[i];
        if (!control.readOnly && control.type != ctLabel && control.type != ctGroupBox) indices.push_back(i);
    }
    int counter = 1;
    // Every row takes at least its first control, so this ends.
    while (!indices.empty())
        sortNextRow(indices, counter);
}

void Zrk_DlgDesignerData::sortNextRow(std::vector<int>& indices, int& counter) {
    if (indices.empty()) return;
    // The topmost control; the earliest wins a tie. When no top lies below the limit (tops of 100 or
    // more, or no numbers) the first remaining control starts the row, or the sort would never end.
    std::size_t first = 0;
    double best = kTopLimit;
    for (std::size_t k = 0; k < indices.size(); ++k) {
        const double top = controls_[indices[k]].topLeftY;
        if (top < best) {
            best = top;
            first = k;
        }
    }
    const double rowBottom = controls_[indices[first]].bottomRightY;

    // The control that starts the row is in it even when its bottom lies above its top.
    std::vector<int> row;
    std::vector<int> rest;
    for (std::size_t k = 0; k < indices.size(); ++k) {
        if (k == first || controls_[indices[k]].topLeftY <= rowBottom)
            row.push_back(indices[k]);
        else
            rest.push_back(indices[k]);
    }
    std::stable_sort(row.begin(), row.end(),
                     [this](int a, int b) { return lessLeft(controls_[a].topLeftX, controls_[b].topLeftX); });
    for (int index : row)
        controls_[index].tabOrder = counter++;
    indices = std::move(rest);
}

int Zrk_DlgDesignerData::highestTabOrder() const {
    int highest = 0;
    for (const Zrk_DesignerControl& control : controls_)
        highest = std::max(highest, control.tabOrder);
    return highest;
}

bool Zrk_DlgDesignerData::findCtrlWithTabOrder(const int& order, int& index) const {
    for (int i = 0; i < controls_.length(); ++i) {
        if (controls_[i].tabOrder == order) {
            index = i;
            return true;
        }
    }
    return false;
}

bool Zrk_DlgDesignerData::containsEditableCtrls() const {
    return std::any_of(controls_.begin(), controls_.end(),
                       [](const Zrk_DesignerControl& c) { return !c.readOnly; });
}

// --- focus
// -----------------------------------------------------------------------------------------------------

bool Zrk_DlgDesignerData::setFocusToCtrl(const int& index) {
    ui::Dialog* dialog = getDlgPtr();
    const Zrk_DesignerControl* control = getControl(index);
    if (!dialog || !control || !windowOf(control->resourceId)) return false;
    if (designer::controlKind(control->type) == designer::ControlKind::Edit)
        return dialog->gotoDlgCtrl(control->resourceId);
    return dialog->setItemFocus(control->resourceId);
}

// A control of that order whose window is hidden (flex buttons of a hidden group) or disabled (a cell
// made read-only since the sort) cannot take the focus; Tab passes it by instead of stopping there.
bool Zrk_DlgDesignerData::focusTabOrder(int order) {
    for (int i = 0; i < controls_.length(); ++i)
        if (controls_[i].tabOrder == order && setFocusToCtrl(i)) return true;
    return false;
}

bool Zrk_DlgDesignerData::setFocusToCtrl(bool first) {
    if (!getDlgPtr() || !containsEditableCtrls()) return false;
    const int last = highestTabOrder();
    if (first) {
        for (int order = 1; order <= last; ++order)
            if (focusTabOrder(order)) return true;
    } else {
        for (int order = last; order >= 1; --order)
            if (focusTabOrder(order)) return true;
    }
    return false;
}

bool Zrk_DlgDesignerData::getFocusedDynControl(int& id) const {
    QWidget* focused = ui::focusWindow();
    if (!getDlgPtr() || !focused) return false;
    for (const auto& drawn : drawnControls_) {
        if (drawn->window() == focused) {
            id = drawn->id();
            return true;
        }
    }
    return false;
}

bool Zrk_DlgDesignerData::handleTabKey(int keyCode, bool shift, Zrk_TabMsgHandle& result) {
    result = tabNotHandled;
    int id = 0, index = -1;
    if (keyCode != ui::VK_TAB || !getDlgPtr() || !containsEditableCtrls() || !getFocusedDynControl(id) ||
        !findCtrlFromResource(id, index))
        return false;
    const int order = controls_[index].tabOrder;
    result = shift ? tabBeforeFirst : tabPastLast;
    if (shift) {
        for (int previous = order - 1; previous >= 1; --previous)
            if (focusTabOrder(previous)) {
                result = tabHandled;
                break;
            }
    } else {
        const int last = highestTabOrder();
        for (int next = order + 1; next <= last; ++next)
            if (focusTabOrder(next)) {
                result = tabHandled;
                break;
            }
    }
    return true;
}

// --- look-ups
// ------------------------------------------------------------------------------------------------

bool Zrk_DlgDesignerData::findEditCtrlWithContents(const Zrk_String& text, int& index) const {
    for (int i = 0; i < controls_.length(); ++i) {
        const Zrk_DesignerControl& control = controls_[i];
        if ((control.type == ctCellEdit || control.type == ctCellCombo) && control.contents == text) {
            index = i;
            return true;
        }
    }
    return false;
}

bool Zrk_DlgDesignerData::isADynControl(const int& id) const {
    return windowOf(id) != nullptr;
}

bool Zrk_DlgDesignerData::getDynControlType(const int& id, Zrk_ControlType& type) const {
    int index = -1;
    if (!isADynControl(id) || !findCtrlFromResource(id, index)) return false;
    type = controls_[index].type;
    return true;
}

bool Zrk_DlgDesignerData::isTypeBoltCount(const int& id) const {
    Zrk_ControlType type = ctLabel;
    return getDynControlType(id, type) && (type == ctBoltCount1 || type == ctBoltCount2);
}
