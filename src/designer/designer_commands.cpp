// The designer's commands on the selected controls: copy, align and size. Each reads the windows'
// positions back into factors first, works in pixels of the picture, and makes the windows again.

#include <cmath>

#include "core/language.h"
#include "core/number_text.h"
#include "designer/design_tracker.h"
#include "designer/designer_data.h"
#include "ui/text_input.h"

namespace {

// Copies land this far right of and below their originals.
constexpr double kCopyOffset = 20.0;
// A control further right than this is no candidate for the left-most one.
constexpr double kLeftLimit = 100000.0;
// The message when the size command gets no size it can use.
constexpr int kTextSizeRefused = 30001;

} // namespace

int Zrk_DlgDesignerData::getCurSel() const {
    int index = -1;
    if (!tracker_ || !findCtrlFromResource(tracker_->getCurSel(), index)) return -1;
    return index;
}

void Zrk_DlgDesignerData::selectCtrls(const std::vector<int>& ids) {
    if (!tracker_) return;
    tracker_->clearSelection();
    for (int id : ids)
        if (id != 0) tracker_->select(id, false);
    if (ui::Dialog* dialog = getDlgPtr()) dialog->update();
}

// The commands work in pixels of the picture: without one there are none to work in.
bool Zrk_DlgDesignerData::readyForCommand() const {
    return getDlgPtr() && tracker_ && imageWidth_ > 0 && imageHeight_ > 0;
}

void Zrk_DlgDesignerData::redrawAndSelect(const std::vector<int>& ids) {
    redrawAllControls();
    selectCtrls(ids);
}

bool Zrk_DlgDesignerData::findMostLeftCtrl(const std::vector<int>& ids, int& index) const {
    double best = kLeftLimit;
    bool found = false;
    for (int id : ids) {
        int candidate = -1;
        if (!findCtrlFromResource(id, candidate)) continue;
        const double left = getTopLeftX(controls_[candidate]);
        if (left < best) {
            best = left;
            index = candidate;
            found = true;
        }
    }
    return found;
}

bool Zrk_DlgDesignerData::copyCurCtrls() {
    if (!readyForCommand() || tracker_->getSelectedIds().empty()) return false;
    getSizeFromAllControls();
    const std::vector<int> selected = tracker_->getSelectedIds();
    std::vector<int> copies;
    for (int id : selected) {
        int index = -1;
        if (!findCtrlFromResource(id, index)) continue;
        Zrk_DesignerControl copy = controls_[index];
        setTopLeftX(copy, getTopLeftX(copy) + kCopyOffset);
        setTopLeftY(copy, getTopLeftY(copy) + kCopyOffset);
        setBottomRightX(copy, getBottomRightX(copy) + kCopyOffset);
        setBottomRightY(copy, getBottomRightY(copy) + kCopyOffset);
        copies.push_back(append(copy));
    }
    redrawAndSelect(copies);
    return !copies.empty();
}

bool Zrk_DlgDesignerData::outlineCurCtrls() {
    if (!readyForCommand() || tracker_->getSelectedIds().empty()) return false;
    getSizeFromAllControls();
    const std::vector<int> selected = tracker_->getSelectedIds();
    int reference = -1;
    if (!findMostLeftCtrl(selected, reference)) return false;
    const double bottom = getBottomRightY(controls_[reference]);
    for (int id : selected) {
        int index = -1;
        if (!findCtrlFromResource(id, index) || index == reference) continue;
        Zrk_DesignerControl& control = controls_[index];
        const double height = getHeight(control);
        setBottomRightY(control, bottom);
        setHeight(control, height);
    }
    redrawAndSelect(selected);
    return true;
}

bool Zrk_DlgDesignerData::stickRightCurCtrls() {
    if (!readyForCommand() || tracker_->getSelectedIds().size() != 2) return false;
    getSizeFromAllControls();
    const std::vector<int> selected = tracker_->getSelectedIds();
    int reference = -1, other = -1;
    if (!findMostLeftCtrl(selected, reference)) return false;
    for (int id : selected) {
        int index = -1;
        if (findCtrlFromResource(id, index) && index != reference) other = index;
    }
    if (other < 0) return false;
    const Zrk_DesignerControl& left = controls_[reference];
    Zrk_DesignerControl& right = controls_[other];
    const double width = getWidth(right);
    setTopLeftX(right, getBottomRightX(left));
    setWidth(right, width);
    setTopLeftY(right, getTopLeftY(left));
    setBottomRightY(right, getBottomRightY(left));
    redrawAndSelect(selected);
    return true;
}

bool Zrk_DlgDesignerData::changeCtrlSize(bool horizontal) {
    ui::Dialog* dialog = getDlgPtr();
    if (!readyForCommand() || tracker_->getSelectedIds().empty()) return false;
    const std::vector<int> selected = tracker_->getSelectedIds();
    ui::TextInput input;
    input.title = dialString(horizontal ? 90 : 744);
    input.label = dialString(horizontal ? 825 : 826);
    input.value = horizontal ? "30" : "18";
    input.okCaption = dialString(1);
    input.cancelCaption = dialString(2);
    if (!ui::inputText(input, dialog)) return false;
    // A size must be a number of pixels above 0: text would give 0, and 0 or less turns the control
    // inside out.
    double pixels = 0.0;
    if (!core::parseNumber(input.value, pixels) || pixels <= 0.0) {
        dialog->messageBox(dialString(kTextSizeRefused), input.title, ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return false;
    }
    getSizeFromAllControls();
    for (int id : selected) {
        int index = -1;
        if (findCtrlFromResource(id, index)) changeCtrlSize(index, horizontal, pixels);
    }
    redrawAndSelect(selected);
    return true;
}
