#include "dialogs/dlg_dstv_points.h"

#include <algorithm>

#include "core/language.h"
#include "core/number_text.h"
#include "core/text.h"
#include "module/module_resources.h"
#include "ui/text_input.h"

namespace {

using ui::Kind;
using D = DlgEditDstvPoints;

constexpr int kRight = 142; // the column of the drop-downs and edits
constexpr int kFieldWidth = 106;
const ui::DialogTemplate kPointsTemplate(
    D::kTemplate, "Edit DSTV points", 262, 262,
    {
        {D::kPointCombo, Kind::DropListCombo, "", 7, 7, 200, 120},
        {D::kAddPoint, Kind::PushButton, "+", 211, 7, 20, 14},
        {D::kRemovePoint, Kind::PushButton, "-", 235, 7, 20, 14},
        {D::kPropsFrame, Kind::GroupBox, "Point", 7, 26, 248, 208},
        {D::kNameLabel, Kind::Static, "Name:", 14, 42, 120, 9},
        {D::kName, Kind::Edit, "", kRight, 40, kFieldWidth, 13},
        // The two options follow each other: one group of radio buttons.
        {D::kGeomExtent, Kind::RadioButton, "Extent of the geometry", 14, 60, 234, 10, ui::style::Group},
        {D::kIntersGeom, Kind::RadioButton, "Intersection of the geometry", 14, 94, 234, 10},
        {D::kSide1, Kind::DropListCombo, "", 26, 74, kFieldWidth, 80},
        {D::kSide2, Kind::DropListCombo, "", kRight, 74, kFieldWidth, 80},
        {D::kMiddle, Kind::CheckBox, "Middle", 26, 110, 100, 10, ui::style::Group},
        {D::kStartDir, Kind::DropListCombo, "", kRight, 108, kFieldWidth, 80},
        {D::kViewPlateLabel, Kind::Static, "View plate:", 14, 130, 120, 9},
        {D::kViewPlate, Kind::DropListCombo, "", kRight, 128, kFieldWidth, 90},
        {D::kMarkPlateLabel, Kind::Static, "Marked plate:", 14, 148, 120, 9},
        {D::kMarkPlate, Kind::DropListCombo, "", kRight, 146, kFieldWidth, 90},
        {D::kMinDistLabel, Kind::Static, "Least distance to a side:", 14, 166, 120, 9},
        {D::kMinDist, Kind::Edit, "", kRight, 164, kFieldWidth, 13},
        {D::kFullHole, Kind::CheckBox, "Drill a full hole", 14, 184, 234, 10},
        {D::kThicknessBased, Kind::CheckBox, "Radius from the plate thickness", 26, 198, 222, 10},
        {D::kRadiusLabel, Kind::Static, "Radius:", 26, 216, 108, 9},
        {D::kRadius, Kind::Edit, "", kRight, 214, kFieldWidth, 13},
        {ui::IDOK, Kind::DefPushButton, "OK", 151, 241, 50, 14},
        {ui::IDCANCEL, Kind::PushButton, "Cancel", 205, 241, 50, 14},
    });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kPointsTemplate);

constexpr int kTextCaption = 844;
constexpr int kTextNewPrompt = 855;
constexpr int kTextRadiusOfThickness = 859;
constexpr int kTextRadius = 860;
// Our own: the messages when a point cannot be stored as shown.
constexpr int kTextNoName = 30101;
constexpr int kTextNoNumber = 30102;

// The four sides (the second text table), and the plates: automatic, then plates 1 to 4, the third
// marked as the usual one.
void fillSides(ui::Dialog& dialog, int id) {
    dialog.comboResetContent(id);
    for (int side = 0; side < core::kDstvSideCount; ++side)
        dialog.comboAddString(id, secondaryString(10046 + side));
}

void fillPlates(ui::Dialog& dialog, int id) {
    dialog.comboResetContent(id);
    dialog.comboAddString(id, dialString(854));
    for (int plate = 1; plate < core::kDstvPlateSelectionCount; ++plate) {
        Zrk_String text = secondaryString(10157) + " " + intToStr(plate);
        if (plate == 3) text += " (" + dialString(1496) + ")";
        dialog.comboAddString(id, text);
    }
}

KvDstvPointSideSelection sideOf(const ui::Dialog& dialog, int id) {
    const int index = dialog.comboCurSel(id);
    return static_cast<KvDstvPointSideSelection>(std::clamp(index, 0, core::kDstvSideCount - 1));
}

short plateOf(const ui::Dialog& dialog, int id) {
    return static_cast<short>(std::clamp(dialog.comboCurSel(id), 0, core::kDstvPlateSelectionCount - 1));
}

// The controls of the shown point (all but the list, "+" and the dialog's buttons).
constexpr int kPointControls[] = {
    D::kPropsFrame, D::kNameLabel,      D::kName,        D::kGeomExtent,   D::kSide1,
    D::kSide2,      D::kIntersGeom,     D::kMiddle,      D::kStartDir,     D::kViewPlateLabel,
    D::kViewPlate,  D::kMarkPlateLabel, D::kMarkPlate,   D::kMinDistLabel, D::kMinDist,
    D::kFullHole,   D::kThicknessBased, D::kRadiusLabel, D::kRadius,       D::kRemovePoint,
};

} // namespace

bool askDstvName(int promptText, QWidget* owner, Zrk_String& name) {
    ui::TextInput input;
    input.title = dialString(87);
    input.label = dialString(promptText);
    input.value = dialString(171);
    if (!ui::inputText(input, owner)) return false;
    name = input.value;
    return true;
}

DlgEditDstvPoints::DlgEditDstvPoints(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

bool DlgEditDstvPoints::onInitDialog() {
    if (const Zrk_String caption = dialString(kTextCaption); !caption.empty()) setTitle(caption);
    frame::setItemTextFromTable(*this, kPropsFrame, 846);
    frame::setItemTextFromTable(*this, kNameLabel, 221);
    frame::setItemTextFromTable(*this, kGeomExtent, 847);
    frame::setItemTextFromTable(*this, kIntersGeom, 848);
    frame::setItemTextFromTable(*this, kMiddle, 849);
    frame::setItemTextFromTable(*this, kViewPlateLabel, 1689);
    frame::setItemTextFromTable(*this, kMarkPlateLabel, 1690);
    frame::setItemTextFromTable(*this, kMinDistLabel, 851);
    frame::setItemTextFromTable(*this, kFullHole, 852);
    frame::setItemTextFromTable(*this, kThicknessBased, 853);
    frame::setItemTextFromTable(*this, ui::IDOK, 1);
    frame::setItemTextFromTable(*this, ui::IDCANCEL, 2);
    for (int id : {kSide1, kSide2, kStartDir})
        fillSides(*this, id);
    for (int id : {kViewPlate, kMarkPlate})
        fillPlates(*this, id);
    fillPointList();
    showPoint(data.points.isEmpty() ? -1 : 0);
    return true;
}

bool DlgEditDstvPoints::onCommand(int id, int code) {
    if (code == ui::CBN_SELCHANGE) {
        if (id == kPointCombo) {
            const int chosen = comboCurSel(kPointCombo);
            if (chosen == shown_) return true;
            if (!storePoint()) {
                comboSetCurSel(kPointCombo, shown_);
                return true;
            }
            showPoint(chosen);
            return true;
        }
        if (id == kSide1 || id == kSide2) {
            keepSidesApart(id);
            return true;
        }
    }
    if (code == ui::BN_CLICKED) {
        switch (id) {
        case kAddPoint:
            addPoint();
            return true;
        case kRemovePoint:
            removePoint();
            return true;
        case kGeomExtent:
        case kIntersGeom:
        case kFullHole:
        case kThicknessBased:
            updateEnabling();
            return true;
        default:
            break;
        }
    }
    return ui::Dialog::onCommand(id, code);
}

void DlgEditDstvPoints::onOK() {
    if (storePoint()) endDialog(ui::IDOK);
}

void DlgEditDstvPoints::fillPointList() {
    comboResetContent(kPointCombo);
    for (const Zrk_DstvPointInfo& point : data.points)
        comboAddString(kPointCombo, point.name());
    comboSetCurSel(kPointCombo, shown_);
}

void DlgEditDstvPoints::showPoint(int index) {
    shown_ = data.points.isValid(index) ? index : -1;
    comboSetCurSel(kPointCombo, shown_);
    const Zrk_DstvPointInfo point = shown_ >= 0 ? data.points[shown_] : Zrk_DstvPointInfo();
    setItemText(kName, point.name());
    checkRadioButton(kGeomExtent, kIntersGeom, point.selectIntersGeom() ? kIntersGeom : kGeomExtent);
    comboSetCurSel(kSide1, point.sideSelection1());
    comboSetCurSel(kSide2, point.sideSelection2());
    setCheck(kMiddle, point.selectIntersMid() ? 1 : 0);
    comboSetCurSel(kStartDir, point.intersStartDir());
    comboSetCurSel(kViewPlate, point.viewPlateSelection());
    comboSetCurSel(kMarkPlate, point.markPlateSelection());
    setItemText(kMinDist, doubleToStr(point.minPlateSideDist(), 3));
    setCheck(kFullHole, point.drillFullHole() ? 1 : 0);
    setCheck(kThicknessBased, point.radiusThicknessBased() ? 1 : 0);
    setItemText(kRadius, doubleToStr(point.drillRadius(), 3));
    if (shown_ < 0) {
        // No point: nothing to edit.
        setItemText(kName, "");
        setItemText(kMinDist, "");
        setItemText(kRadius, "");
        for (int id : kPointControls)
            enableItem(id, false);
        return;
    }
    for (int id : kPointControls)
        enableItem(id, true);
    updateEnabling();
}

bool DlgEditDstvPoints::storePoint() {
    if (shown_ < 0) return true;
    const Zrk_String name = itemText(kName);
    if (trimmed(name).empty()) {
        messageBox(dialString(kTextNoName), dialString(kTextCaption), ui::MB_OK | ui::MB_ICONEXCLAMATION);
        gotoDlgCtrl(kName);
        return false;
    }
    double minDist = 0.0, radius = 0.0;
    for (auto [id, value] : {std::pair{kMinDist, &minDist}, std::pair{kRadius, &radius}}) {
        if (!core::parseNumber(itemText(id), *value) || *value < 0.0) {
            messageBox(dialString(kTextNoNumber) + "\n" + itemText(id), dialString(kTextCaption),
                       ui::MB_OK | ui::MB_ICONEXCLAMATION);
            gotoDlgCtrl(id);
            return false;
        }
    }
    Zrk_DstvPointInfo& point = data.points[shown_];
    const bool nameChanged = point.name() != name;
    point.setName(name);
    point.setSelectGeomExtent(checkState(kGeomExtent) == 1, sideOf(*this, kSide1), sideOf(*this, kSide2));
    point.setSelectIntersGeom(checkState(kIntersGeom) == 1, checkState(kMiddle) == 1,
                              sideOf(*this, kStartDir));
    point.setPlateSelection(plateOf(*this, kViewPlate), plateOf(*this, kMarkPlate), minDist);
    point.setDrillFullHole(checkState(kFullHole) == 1, checkState(kThicknessBased) == 1, radius);
    if (nameChanged) fillPointList();
    return true;
}

void DlgEditDstvPoints::addPoint() {
    if (!storePoint()) return;
    Zrk_String name;
    if (!askDstvName(kTextNewPrompt, this, name)) return;
    if (trimmed(name).empty()) {
        messageBox(dialString(kTextNoName), dialString(kTextCaption), ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return;
    }
    // Before the shown point, which moves one down.
    const int position = shown_ < 0 ? 0 : shown_;
    data.points.insertAt(position, Zrk_DstvPointInfo(name));
    shown_ = position;
    fillPointList();
    showPoint(position);
}

void DlgEditDstvPoints::removePoint() {
    if (shown_ < 0) return;
    const int removed = shown_;
    data.points.removeAt(removed);
    // The point now at its place; when the last one went, the one now last.
    const int next = std::min(removed, data.points.length() - 1);
    shown_ = next;
    fillPointList();
    showPoint(next);
}

void DlgEditDstvPoints::updateEnabling() {
    if (shown_ < 0) return;
    const bool extent = checkState(kGeomExtent) == 1;
    const bool intersection = checkState(kIntersGeom) == 1;
    const bool fullHole = checkState(kFullHole) == 1;
    enableItem(kSide1, extent);
    enableItem(kSide2, extent);
    enableItem(kStartDir, !extent);
    enableItem(kMiddle, !extent);
    enableItem(kRadius, fullHole);
    enableItem(kRadiusLabel, fullHole);
    enableItem(kThicknessBased, fullHole && intersection);
    setItemText(kRadiusLabel,
                dialString(checkState(kThicknessBased) == 1 ? kTextRadiusOfThickness : kTextRadius));
}

void DlgEditDstvPoints::keepSidesApart(int changed) {
    const int other = changed == kSide1 ? kSide2 : kSide1;
    const int mine = comboCurSel(changed);
    const int theirs = comboCurSel(other);
    if (mine < 0 || theirs < 0 || core::dstvSideClass(mine) != core::dstvSideClass(theirs)) return;
    comboSetCurSel(other, core::dstvSideClass(theirs) == 0 ? dstvSideLeft : dstvSideTop);
}
