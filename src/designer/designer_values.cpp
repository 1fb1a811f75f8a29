// The values a template's windows show, its flex buttons, and its positions on the command line.

#include <QCheckBox>
#include <QComboBox>

#include "core/language.h"
#include "core/number_text.h"
#include "core/text.h"
#include "designer/designer_data.h"
#include "host/command_line.h"

namespace {

// The text of a value that differs between the macros edited together.
Zrk_String variesText() {
    return dialString(695);
}

} // namespace

// --- values
// --------------------------------------------------------------------------------------------------

bool Zrk_DlgDesignerData::getCtrlValue(const int& id, Zrk_String& value) const {
    int index = -1;
    if (!isADynControl(id) || !findCtrlFromResource(id, index)) return false;
    switch (controls_[index].type) {
    case ctCellCheck:
        return getCheckValue(id, value);
    case ctCutType:
        return getComboValue(id, value);
    default:
        value = getDlgPtr()->itemText(id);
        return true;
    }
}

bool Zrk_DlgDesignerData::setCtrlValue(const int& id, const Zrk_String& value) {
    int index = -1;
    if (!isADynControl(id) || !findCtrlFromResource(id, index)) return false;
    switch (controls_[index].type) {
    case ctCellButton:
    case ctCellButton2:
        return true; // they show their own text
    case ctCellCheck:
        return setCheckValue(id, value);
    case ctCutType:
        return setComboValue(id, value);
    default:
        getDlgPtr()->setItemText(id, value);
        return true;
    }
}

bool Zrk_DlgDesignerData::setCtrlReadOnly(const int& id, const bool& readOnly) {
    int index = -1;
    QWidget* window = windowOf(id);
    if (!window || !findCtrlFromResource(id, index)) return false;
    const Zrk_ControlType type = controls_[index].type;
    if (type != ctCellEdit && type != ctCellCombo) return false;
    if (window->isEnabled() == readOnly) window->setEnabled(!readOnly);
    return true;
}

// The chosen index of a list, as a decimal number (-1 for none).
bool Zrk_DlgDesignerData::getComboValue(const int& id, Zrk_String& value) const {
    if (!qobject_cast<QComboBox*>(windowOf(id))) return false;
    value = intToStr(getDlgPtr()->comboCurSel(id));
    return true;
}

// Chooses the item whose index is the number in value; a number that is no index chooses none.
bool Zrk_DlgDesignerData::setComboValue(const int& id, const Zrk_String& value) {
    if (!qobject_cast<QComboBox*>(windowOf(id))) return false;
    ui::Dialog* dialog = getDlgPtr();
    const int index = core::toInt(value);
    dialog->comboSetCurSel(id, index >= 0 && index < dialog->comboCount(id) ? index : -1);
    return true;
}

bool Zrk_DlgDesignerData::getSetComboValue(const bool& set, const int& id, Zrk_String& value) {
    return set ? setComboValue(id, value) : getComboValue(id, value);
}

bool Zrk_DlgDesignerData::getCheckValue(const int& id, Zrk_String& value) const {
    auto* button = qobject_cast<QAbstractButton*>(windowOf(id));
    if (!button) return false;
    const int state = getDlgPtr()->checkState(id);
    value = state == 2 ? variesText() : intToStr(state);
    return true;
}

// The varies text makes the box a three-state one, undetermined; any other value makes it a two-state
// one again, checked for a number above 0. A push-like flex button has no third state: it shows the
// varies text unchecked.
bool Zrk_DlgDesignerData::setCheckValue(const int& id, const Zrk_String& value) {
    auto* button = qobject_cast<QAbstractButton*>(windowOf(id));
    if (!button) return false;
    const bool varies = value == variesText();
    if (auto* check = qobject_cast<QCheckBox*>(button)) {
        check->setTristate(varies);
        check->setCheckState(varies                      ? Qt::PartiallyChecked
                             : core::toDouble(value) > 0 ? Qt::Checked
                                                         : Qt::Unchecked);
        return true;
    }
    return getDlgPtr()->setCheck(id, !varies && core::toDouble(value) > 0 ? 1 : 0);
}

bool Zrk_DlgDesignerData::getSetCheckValue(const bool& set, const int& id, Zrk_String& value) {
    return set ? setCheckValue(id, value) : getCheckValue(id, value);
}

// --- flex buttons ------------------------------------------------------------------------------------------

namespace {
bool isFlexButtonOf(const Zrk_DesignerControl& control, const Zrk_String& group) {
    return control.type == ctFlexButton && !group.empty() && control.flexParams[0] == group;
}
} // namespace

void Zrk_DlgDesignerData::getFlexBtnsGroups(Zrk_StringArray& groups) const {
    groups.removeAll();
    for (const Zrk_DesignerControl& control : controls_) {
        const Zrk_String& group = control.flexParams[0];
        if (control.type == ctFlexButton && !group.empty() && findString(groups, group) < 0)
            groups.append(group);
    }
}

bool Zrk_DlgDesignerData::getFlexBtnsInGroup(const Zrk_String& group, std::vector<int>& indices,
                                             std::vector<int>& withThirdParam) const {
    indices.clear();
    withThirdParam.clear();
    for (int i = 0; i < controls_.length(); ++i) {
        if (!isFlexButtonOf(controls_[i], group)) continue;
        indices.push_back(i);
        if (!controls_[i].flexParams[2].empty()) withThirdParam.push_back(i);
    }
    return true;
}

bool Zrk_DlgDesignerData::findFlexButton(const Zrk_String& group, const Zrk_String& name, int& index) const {
    for (int i = 0; i < controls_.length(); ++i) {
        if (isFlexButtonOf(controls_[i], group) && controls_[i].contents == name) {
            index = i;
            return true;
        }
    }
    return false;
}

bool Zrk_DlgDesignerData::getAllFlexVarsOfGroup(const Zrk_String& group, Zrk_StringArray& names) const {
    names.removeAll();
    for (const Zrk_DesignerControl& control : controls_)
        if (isFlexButtonOf(control, group)) names.append(control.contents);
    return !names.isEmpty();
}

bool Zrk_DlgDesignerData::getFlexBtnGroupName(const int& id, Zrk_String& group, Zrk_String& name) const {
    int index = -1;
    if (!findCtrlFromResource(id, index) || controls_[index].type != ctFlexButton) return false;
    group = controls_[index].flexParams[0];
    name = controls_[index].contents;
    return true;
}

bool Zrk_DlgDesignerData::getSetFlexBtnStatus(const bool& set, const int& index, int& state) {
    const Zrk_DesignerControl* control = getControl(index);
    if (!control || control->type != ctFlexButton || !windowOf(control->resourceId)) return false;
    ui::Dialog* dialog = getDlgPtr();
    if (!set) {
        state = dialog->checkState(control->resourceId);
        return true;
    }
    return dialog->setCheck(control->resourceId, state == 1 ? 1 : 0);
}

bool Zrk_DlgDesignerData::getFlexBtnStatus(const int& index, int& state) {
    return getSetFlexBtnStatus(false, index, state);
}

bool Zrk_DlgDesignerData::setFlexBtnStatus(const Zrk_String& group, const Zrk_String& name,
                                           const int& state) {
    int index = -1;
    int value = state;
    return findFlexButton(group, name, index) && getSetFlexBtnStatus(true, index, value);
}

bool Zrk_DlgDesignerData::hideAllFlexBtns(const Zrk_String& group) {
    ui::Dialog* dialog = getDlgPtr();
    if (!dialog) return false;
    for (const Zrk_DesignerControl& control : controls_)
        if (isFlexButtonOf(control, group) && windowOf(control.resourceId))
            dialog->showItem(control.resourceId, false);
    return true;
}

// --- diagnostics -------------------------------------------------------------------------------------------

void Zrk_DlgDesignerData::printPositions() const {
    for (const Zrk_DesignerControl& control : controls_) {
        acutPrintf("**** Control %s ****\n", control.contents.c_str());
        acutPrintf("Left: %f - Right: %f\n", control.topLeftX, control.bottomRightX);
        acutPrintf("Top: %f - Bottom: %f\n", control.topLeftY, control.bottomRightY);
    }
    acutPrintf("********\n");
}
