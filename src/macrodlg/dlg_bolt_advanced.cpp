#include "macrodlg/dlg_bolt_advanced.h"

#include <QLabel>
#include <QPixmap>

#include "core/language.h"
#include "core/macro_tabs.h"
#include "core/macro_update.h"
#include "core/number_text.h"
#include "core/settings.h"
#include "core/text.h"
#include "module/entry_function.h"
#include "module/module_resources.h"
#include "ui/controls.h"
#include "ui/dialog_size.h"
#include "ui/picture_file.h"

namespace {

using ui::Kind;
using D = DlgMacroBoltAdvanced;

constexpr int kLabelX = 14, kLabelW = 72, kFieldX = 90, kFieldW = 116;
constexpr unsigned kPictureButton = ui::style::Checkable;
const ui::DialogTemplate
    kBoltTemplate(D::kTemplate, "Advanced bolt settings", 330, 308,
                  {
                      {D::kFrame, Kind::GroupBox, "Bolt", 7, 7, 206, 120},
                      {D::kCompositionLabel, Kind::Static, "Assembly:", kLabelX, 21, kLabelW, 9},
                      {D::kComposition, Kind::DropListCombo, "", kFieldX, 19, kFieldW, 100},
                      {D::kDiameterLabel, Kind::Static, "Diameter:", kLabelX, 38, kLabelW, 9},
                      {D::kDiameter, Kind::DropListCombo, "", kFieldX, 36, kFieldW, 100},
                      {D::kPenetrationLabel, Kind::Static, "Penetration length:", kLabelX, 55, kLabelW, 9},
                      {D::kPenetration, Kind::Edit, "", kFieldX, 53, kFieldW, 13},
                      {D::kAddedLabel, Kind::Static, "Added length:", kLabelX, 72, kLabelW, 9},
                      {D::kAdded, Kind::Edit, "", kFieldX, 70, kFieldW, 13},
                      {D::kToleranceLabel, Kind::Static, "Hole tolerance:", kLabelX, 89, kLabelW, 9},
                      {D::kTolerance, Kind::Edit, "", kFieldX, 87, kFieldW, 13},
                      {D::kOptionFlag, Kind::CheckBox, "Option", kLabelX, 106, 78, 10},
                      {D::kOptionLabel, Kind::Static, "", 96, 107, 110, 9},
                      {D::kPicture, Kind::Picture, "", 218, 7, 105, 120, ui::style::Center},
                      {D::kTapped, Kind::ThreeState, "Tapped", 7, 133, 76, 10},
                      {D::kReverse, Kind::ThreeState, "Reverse orientation", 86, 133, 80, 10},
                      {D::kCountersunk, Kind::ThreeState, "Countersunk", 169, 133, 76, 10},
                      {D::kWorkshop, Kind::ThreeState, "Bolted in workshop", 248, 133, 76, 10},
                      {D::kWasher1Label, Kind::Static, "Washer", 7, 150, 60, 9},
                      {D::kWasher1, Kind::BitmapButton, "", 7, 161, 24, 18, kPictureButton},
                      {D::kNut1Label, Kind::Static, "Nut 1", 70, 150, 60, 9},
                      {D::kNut1, Kind::BitmapButton, "", 70, 161, 24, 18, kPictureButton},
                      {D::kNut2Label, Kind::Static, "Nut 2", 133, 150, 60, 9},
                      {D::kNut2, Kind::BitmapButton, "", 133, 161, 24, 18, kPictureButton},
                      {D::kWasher2Label, Kind::Static, "Washer", 196, 150, 60, 9},
                      {D::kWasher2, Kind::BitmapButton, "", 196, 161, 24, 18, kPictureButton},
                      {D::kWashersLabel, Kind::Static, "Washers", 259, 150, 64, 9},
                      {D::kWashers, Kind::BitmapButton, "", 259, 161, 24, 18, kPictureButton},
                      {D::kHoleColumns, Kind::Placeholder, "", 7, 186, 150, 95, ui::style::Sunken},
                      {D::kSlotGroup, Kind::GroupBox, "Slotted holes", 162, 182, 161, 99},
                      {D::kEntries, Kind::DropListCombo, "", 169, 194, 147, 80},
                      {D::kActive, Kind::CheckBox, "Enabled", 169, 211, 140, 10},
                      {D::kSlotLabel, Kind::Static, "Slot type:", 169, 227, 50, 9},
                      {D::kSlotType, Kind::DropListCombo, "", 222, 225, 94, 60},
                      {D::kRadiusLabel, Kind::Static, "Diameter:", 169, 244, 50, 9},
                      {D::kRadius, Kind::Edit, "", 222, 242, 30, 13},
                      {D::kAngleLabel, Kind::Static, "Angle:", 256, 244, 30, 9},
                      {D::kAngle, Kind::Edit, "", 288, 242, 28, 13},
                      {D::kLengthLabel, Kind::Static, "Length:", 169, 261, 50, 9},
                      {D::kLength, Kind::Edit, "", 222, 259, 30, 13},
                      {D::kExtraLabel, Kind::Static, "Extra:", 256, 261, 30, 9},
                      {D::kExtra, Kind::Edit, "", 288, 259, 28, 13},
                      {ui::IDOK, Kind::DefPushButton, "Close", 219, 287, 50, 14},
                      {ui::IDCANCEL, Kind::PushButton, "Cancel", 273, 287, 50, 14},
                  });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kBoltTemplate);

const char* const kSizeKey = "DLG_MACRO_BOLTADVANCED";
// The button pictures of a nut and of a washer.
constexpr int kNutBitmap = 263;
constexpr int kWasherBitmap = 264;
// Our own: a record the page could not write.
constexpr int kTextNotWritten = 30210;

constexpr int kEntryFields[] = {D::kRadiusLabel, D::kRadius,  D::kLengthLabel, D::kLength,
                                D::kAngleLabel,  D::kAngle,   D::kExtraLabel,  D::kExtra,
                                D::kSlotLabel,   D::kSlotType};

// The bolt record's fields by control: the three-state options and the nut and washer values.
struct FieldControl {
    int id;
    int MacroBoltData::*field;
};
constexpr FieldControl kThreeStateBoxes[] = {{D::kTapped, &MacroBoltData::tapped},
                                             {D::kReverse, &MacroBoltData::reverseOrientation},
                                             {D::kCountersunk, &MacroBoltData::countersunk},
                                             {D::kWorkshop, &MacroBoltData::boltedInWorkshop}};
constexpr FieldControl kPartButtons[] = {{D::kNut1, &MacroBoltData::nut1},
                                         {D::kNut2, &MacroBoltData::nut2},
                                         {D::kWasher1, &MacroBoltData::washer1},
                                         {D::kWasher2, &MacroBoltData::washer2},
                                         {D::kWashers, &MacroBoltData::washers}};

// A box the person clicked decides from then on: it has two states (from the undecided state a
// click leaves it unchecked).
void disableTriState(ui::Dialog& dialog, int id) {
    auto* box = dialog.itemAs<ui::ThreeStateCheckBox>(id);
    if (!box) return;
    if (box->checkState() == Qt::PartiallyChecked) box->setCheckState(Qt::Unchecked);
    box->setTristate(false);
}

// Toggles an enabled check button as a click on it would, without telling the dialog.
void changeCheckStatus(ui::Dialog& dialog, int id) {
    if (dialog.isItemEnabled(id)) dialog.setCheck(id, dialog.checkState(id) == 1 ? 0 : 1);
}

// A combo box lists the texts with text among them (added first when missing), text chosen.
void fillAndSelect(ui::Dialog& dialog, int id, Zrk_StringArray items, const Zrk_String& text) {
    if (!items.contains(text)) items.append(text);
    dialog.comboResetContent(id);
    for (const Zrk_String& item : items)
        dialog.comboAddString(id, item);
    dialog.comboSetCurSel(id, dialog.comboFindStringExact(id, text));
}

Zrk_String chosenText(const ui::Dialog& dialog, int id) {
    const int index = dialog.comboCurSel(id);
    return index >= 0 ? dialog.comboText(id, index) : dialog.itemText(id);
}

} // namespace

DlgMacroBoltAdvanced::DlgMacroBoltAdvanced(Zrk_StringArray diameters, MacroPageLink* link, QWidget* owner)
    : ui::Dialog(kTemplate, owner), diameters_(std::move(diameters)), link_(link) {}

bool DlgMacroBoltAdvanced::onInitDialog() {
    applied_ = data;
    ChangeDlgSize(this, kSizeKey);
    // The product's drawing of a bolt, on its light grey ground.
    QImage picture;
    if (auto* label = itemAs<QLabel>(kPicture);
        label && ui::loadPictureFile(gSettings.zrkDir + "icons/DrawBolt2.bmp", picture, 0xC0C0C0u))
        label->setPixmap(QPixmap::fromImage(ui::fitPicture(picture, label->size())));
    enableItem(kPicture, false);
    setTitle(dialString(983));
    for (auto [id, text] :
         {std::pair{kFrame, 1477}, {kCompositionLabel, 275}, {kDiameterLabel, 328}, {kPenetrationLabel, 277},
          {kAddedLabel, 278},      {kToleranceLabel, 242},   {kTapped, 674},        {kReverse, 985},
          {kCountersunk, 234},     {kWorkshop, 276},         {kOptionFlag, 984},    {kWasher1Label, 992},
          {kWasher2Label, 992},    {kWashersLabel, 993},     {kSlotGroup, 986},     {kActive, 761},
          {kRadiusLabel, 328},     {kLengthLabel, 987},      {kAngleLabel, 988},    {kExtraLabel, 989},
          {kSlotLabel, 990},       {ui::IDOK, 285},          {ui::IDCANCEL, 2}})
        frame::setItemTextFromTable(*this, id, text);
    setItemText(kNut1Label, dialString(991) + " 1");
    setItemText(kNut2Label, dialString(991) + " 2");
    for (int id : {kNut1, kNut2})
        setItemImage(id, kNutBitmap);
    for (int id : {kWasher1, kWasher2, kWashers})
        setItemImage(id, kWasherBitmap);
    for (int text : {994, 995, 996})
        comboAddString(kSlotType, dialString(text));
    grid.attach(this, kHoleColumns, true);
    grid.applyStandardLook(true);
    showRecord();
    showEntry(0);
    return true;
}

void DlgMacroBoltAdvanced::showRecord() {
    Zrk_StringArray assemblies;
    GetAssemblies(assemblies);
    fillAndSelect(*this, kComposition, assemblies, data.composition);
    fillAndSelect(*this, kDiameter, diameters_, data.diameter);
    setItemText(kPenetration, data.penetrationLength);
    setItemText(kAdded, data.addedLength);
    setItemText(kTolerance, data.holeTolerance);
    setCheck(kOptionFlag, data.optionFlag ? 1 : 0);
    enableItem(kOptionFlag, data.optionCount > 0);
    setItemText(kOptionLabel, dialString(data.optionCount > 0 ? 997 : 998));
    for (const auto& [id, field] : kThreeStateBoxes) {
        const int value = data.*field;
        if (value == 2)
            if (auto* box = itemAs<ui::ThreeStateCheckBox>(id)) box->setTristate(true);
        setCheck(id, value == 1 ? 1 : value == 0 ? 0 : 2);
    }

    const int rows = data.holeColumns.length();
    grid.setRedraw(false);
    grid.setNrRows(0);
    grid.setMaxCols(2);
    grid.setMaxRows(rows);
    grid.applyFonts();
    grid.setColumnHeaders({" ", dialString(242)});
    if (rows > 0) {
        grid.setCheckBoxColumn(1);
        grid.setTextCells(2, 1, 2, rows);
    }
    for (int row = 1; row <= rows; ++row) {
        grid.setCellBool(1, row, data.holeColumns[row - 1].used);
        grid.setCellText(2, row, data.holeColumns[row - 1].text);
    }
    grid.setLayout({-32767, 1, 2}, {25, 22, 160});
    grid.applyLayout();
    grid.setRedraw(true);

    fillEntries();
    for (const auto& [id, field] : kPartButtons) {
        const int value = data.*field;
        enableItem(id, value >= 0);
        setCheck(id, value > 0 ? 1 : 0);
    }
}

void DlgMacroBoltAdvanced::fillEntries() {
    comboResetContent(kEntries);
    for (int i = 0; i < data.slottedHoles.length(); ++i) {
        comboAddString(kEntries, dialString(999) + " nr: " + intToStr(i + 1));
        comboSetItemCheck(kEntries, i, data.slottedHoles[i].active);
    }
    comboSetCurSel(kEntries, shown_);
}

void DlgMacroBoltAdvanced::enableEntryFields(bool enable) {
    for (int id : kEntryFields)
        enableItem(id, enable);
}

void DlgMacroBoltAdvanced::showEntry(int index) {
    shown_ = data.slottedHoles.isValid(index) ? index : -1;
    comboSetCurSel(kEntries, shown_);
    enableItem(kActive, shown_ >= 0);
    if (shown_ < 0) {
        setCheck(kActive, 0);
        enableEntryFields(false);
        return;
    }
    const MacroSlottedHole& hole = data.slottedHoles[shown_];
    setCheck(kActive, hole.active ? 1 : 0);
    const bool known = hole.slotType >= 0 && hole.slotType < core::kSlotTypeCount;
    comboSetCurSel(kSlotType, known ? hole.slotType : core::kSlotTypeCount - 1);
    setItemText(kRadius, core::numberText(hole.radius));
    setItemText(kLength, core::numberText(hole.length));
    setItemText(kAngle, core::numberText(hole.angle));
    setItemText(kExtra, core::numberText(hole.extra));
    enableEntryFields(hole.active);
}

void DlgMacroBoltAdvanced::store(MacroBoltData& record, bool entryOnly, int entry) {
    if (!entryOnly) {
        record.composition = chosenText(*this, kComposition);
        record.diameter = chosenText(*this, kDiameter);
        record.penetrationLength = itemText(kPenetration);
        record.addedLength = itemText(kAdded);
        record.holeTolerance = itemText(kTolerance);
        if (record.optionCount > 0) record.optionFlag = checkState(kOptionFlag) == 1;
        for (const auto& [id, field] : kThreeStateBoxes) {
            const int state = checkState(id);
            record.*field = state == 1 ? 1 : state == 0 ? 0 : 2;
        }
        grid.setEditMode(false); // a text being typed counts
        const int rows = std::max(grid.getNrRows(), 0);
        record.holeColumns.setLength(rows);
        for (int row = 1; row <= rows; ++row) {
            bool used = false;
            grid.getCellBool(1, row, used);
            record.holeColumns[row - 1].used = used;
            grid.getCellText(2, row, record.holeColumns[row - 1].text);
        }
        for (const auto& [id, field] : kPartButtons)
            record.*field = isItemEnabled(id) ? (checkState(id) == 1 ? 1 : 0) : -1;
    }
    if (!record.slottedHoles.isValid(entry)) return;
    MacroSlottedHole& hole = record.slottedHoles[entry];
    hole.active = checkState(kActive) == 1;
    hole.radius = core::toDouble(itemText(kRadius));
    hole.length = core::toDouble(itemText(kLength));
    hole.angle = core::toDouble(itemText(kAngle));
    hole.extra = core::toDouble(itemText(kExtra));
    // The last type shows an undecided type as well; that stays undecided until another is chosen.
    const int type = comboCurSel(kSlotType);
    if (!(hole.slotType < 0 && type == core::kSlotTypeCount - 1)) hole.slotType = type;
}

bool DlgMacroBoltAdvanced::apply() {
    store(data, false, shown_);
    if (const int invalid = data.firstInvalidSlottedHole(); invalid >= 0) {
        messageBox(dialString(1000) + " " + intToStr(invalid) + " " + dialString(1001) + "\n\n" +
                       dialString(888) + ".",
                   "Ongeldige waarde", ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return false;
    }
    if (!link_) return true;
    MacroBoltData record = data;
    const bool written = link_->applyBoltData(record);
    if (!written) {
        messageBox(dialString(kTextNotWritten), dialString(983), ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return false;
    }
    data = record;
    applied_ = record;
    showRecord();
    showEntry(shown_);
    return true;
}

bool DlgMacroBoltAdvanced::onCommand(int id, int code) {
    if (code == ui::BN_CLICKED) {
        for (const FieldControl& box : kThreeStateBoxes)
            if (id == box.id) {
                disableTriState(*this, id);
                apply();
                return true;
            }
        for (const FieldControl& button : kPartButtons)
            if (id == button.id) {
                apply();
                return true;
            }
        if (id == kActive) {
            const bool active = checkState(kActive) == 1;
            enableEntryFields(active);
            if (shown_ >= 0) comboSetItemCheck(kEntries, shown_, active);
            apply();
            return true;
        }
        if (id == kOptionFlag) {
            apply();
            return true;
        }
    }
    if (code == ui::CBN_SELCHANGE) {
        if (id == kComposition || id == kDiameter || id == kSlotType) {
            apply();
            return true;
        }
        if (id == kEntries) {
            store(data, true, shown_);
            showEntry(comboCurSel(kEntries));
            return true;
        }
    }
    return ui::Dialog::onCommand(id, code);
}

bool DlgMacroBoltAdvanced::preTranslateKey(const ui::KeyPress& key) {
    if (key.key != ui::VK_RETURN) return false;
    apply();
    return true; // the key goes no further
}

void DlgMacroBoltAdvanced::onLButtonDown(const QPoint& point, Qt::KeyboardModifiers) {
    if (itemRect(kNut1Label).contains(point)) changeCheckStatus(*this, kNut1);
}

void DlgMacroBoltAdvanced::onOK() {
    if (apply()) endDialog(ui::IDOK);
}

void DlgMacroBoltAdvanced::onDestroy() {
    WriteDlgSize(this, kSizeKey);
}

bool StartDlgMacroBoltAdvanced(MacroBoltData& bolt, const Zrk_StringArray& diameters, MacroPageLink* link) {
    DlgMacroBoltAdvanced dialog(diameters, link);
    dialog.data = bolt;
    const bool ok = frame::runModal(dialog) == ui::IDOK;
    bolt = ok ? dialog.data : dialog.applied();
    return ok;
}
