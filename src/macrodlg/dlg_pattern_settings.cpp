#include "macrodlg/dlg_pattern_settings.h"

#include "core/language.h"
#include "core/macro_data.h"
#include "core/text.h"
#include "macrodlg/three_state.h"
#include "module/entry_function.h"
#include "module/module_resources.h"
#include "spreadlib/grid/grid_notify.h"

namespace {

using ui::Kind;
using D = DlgPatternSettings;

constexpr int kLeft = 7, kRight = 170, kColumnW = 153;
const ui::DialogTemplate
    kPatternTemplate(D::kTemplate, "Pattern settings", 330, 262,
                     {
                         {D::kTypeLabel1, Kind::Static, "Distribution:", kLeft, 9, 60, 9},
                         {D::kType1, Kind::DropListCombo, "", kLeft + 62, 7, kColumnW - 62, 80},
                         {D::kCountOption1, Kind::ThreeState, "Bolt count:", kLeft, 25, 60, 10},
                         {D::kCount1, Kind::Edit, "", kLeft + 62, 23, kColumnW - 62, 13},
                         {D::kTextLabel1, Kind::Static, "Offset:", kLeft, 42, 60, 9},
                         {D::kText1, Kind::Edit, "", kLeft + 62, 40, kColumnW - 62, 13},
                         {D::kFlag1, Kind::CheckBox, "Reverse", kLeft, 58, kColumnW, 10},
                         {D::kValues1, Kind::Placeholder, "", kLeft, 72, kColumnW, 90, ui::style::Sunken},
                         {D::kTypeLabel2, Kind::Static, "Distribution:", kRight, 9, 60, 9},
                         {D::kType2, Kind::DropListCombo, "", kRight + 62, 7, kColumnW - 62, 80},
                         {D::kCountOption2, Kind::ThreeState, "Bolt count:", kRight, 25, 60, 10},
                         {D::kCount2, Kind::Edit, "", kRight + 62, 23, kColumnW - 62, 13},
                         {D::kTextLabel2, Kind::Static, "Offset:", kRight, 42, 60, 9},
                         {D::kText2, Kind::Edit, "", kRight + 62, 40, kColumnW - 62, 13},
                         {D::kFlag2, Kind::CheckBox, "Reverse", kRight, 58, kColumnW, 10},
                         {D::kValues2, Kind::Placeholder, "", kRight, 72, kColumnW, 90, ui::style::Sunken},
                         {D::kOption1, Kind::ThreeState, "Option 1", kLeft, 170, kColumnW, 10},
                         {D::kOption2, Kind::ThreeState, "Option 2", kLeft, 184, kColumnW, 10},
                         {D::kOption3, Kind::ThreeState, "Option 3", kLeft + 12, 198, kColumnW - 12, 10},
                         {D::kOption4, Kind::ThreeState, "Option 4", kLeft + 12, 212, kColumnW - 12, 10},
                         {ui::IDOK, Kind::DefPushButton, "Close", 219, 241, 50, 14},
                         {ui::IDCANCEL, Kind::PushButton, "Cancel", 273, 241, 50, 14},
                     });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kPatternTemplate);

constexpr int kOptions[4] = {D::kOption1, D::kOption2, D::kOption3, D::kOption4};
// Our own: OK with a count text that is none.
constexpr int kTextNoCount = 30220;

} // namespace

// The controls of one direction.
struct DlgPatternSettings::Direction {
    int typeLabel, type, countOption, count, textLabel, text, flag;
    Zrk_Spread D::*grid;
};

namespace {
const DlgPatternSettings::Direction kDirection1{D::kTypeLabel1, D::kType1, D::kCountOption1, D::kCount1,
                                                D::kTextLabel1, D::kText1, D::kFlag1,        &D::grid1};
const DlgPatternSettings::Direction kDirection2{D::kTypeLabel2, D::kType2, D::kCountOption2, D::kCount2,
                                                D::kTextLabel2, D::kText2, D::kFlag2,        &D::grid2};
} // namespace

DlgPatternSettings::DlgPatternSettings(Zrk_String patternName, MacroPageLink* link, QWidget* owner)
    : ui::Dialog(kTemplate, owner), patternName_(std::move(patternName)), link_(link) {}

bool DlgPatternSettings::onInitDialog() {
    applied_ = data;
    grid1.attach(this, kValues1, true);
    grid2.attach(this, kValues2, true);
    for (Zrk_Spread* grid : {&grid1, &grid2})
        grid->applyStandardLook(true);
    setTitle(dialString(1034));
    for (const Direction* controls : {&kDirection1, &kDirection2}) {
        frame::setItemTextFromTable(*this, controls->typeLabel, 1042);
        frame::setItemTextFromTable(*this, controls->countOption, 1043);
        frame::setItemTextFromTable(*this, controls->textLabel, 1360);
        frame::setItemTextFromTable(*this, controls->flag, 1402);
        for (int text : {994, 1055, 996})
            comboAddString(controls->type, dialString(text));
        comboAddString(controls->type, core::variesText());
        comboAddString(controls->type, "");
    }
    for (int i = 0; i < 4; ++i)
        frame::setItemTextFromTable(*this, kOptions[i], 1051 + i);
    frame::setItemTextFromTable(*this, ui::IDOK, 285);
    frame::setItemTextFromTable(*this, ui::IDCANCEL, 2);
    showSettings();
    ready_ = true;
    return true;
}

void DlgPatternSettings::showDirection(const Direction& controls, const MacroPatternDirection& direction) {
    const int type = direction.distribution;
    comboSetCurSel(controls.type, type >= 0 && type <= 2 ? type : kVariesItem);
    setCheck(controls.countOption, macrodlg::checkOfFlag(direction.countOption));
    setItemText(controls.count, direction.countText);
    enableItem(controls.count, direction.countOption > 0);
    setItemText(controls.text, direction.secondText);
    setCheck(controls.flag, direction.flag ? 1 : 0);
    Zrk_Spread& grid = this->*controls.grid;
    const int rows = direction.values.length();
    grid.setRedraw(false);
    grid.setNrRows(0);
    grid.setMaxCols(1);
    grid.setMaxRows(rows);
    grid.applyFonts();
    grid.setColumnHeaders({dialString(1078)});
    if (rows > 0) grid.setComboCells(1, 1, 1, rows, {dialString(1359), core::variesText()}, true);
    grid.fillColumn(1, direction.values);
    grid.setLayout(1);
    grid.applyLayout();
    grid.setRedraw(true);
}

void DlgPatternSettings::showSettings() {
    const bool twoDirections = data.kind != 1;
    for (int id : {kTypeLabel2, kType2, kCountOption2, kCount2, kTextLabel2, kText2, kFlag2, kValues2})
        enableItem(id, twoDirections);
    for (int id : kOptions)
        enableItem(id, twoDirections);
    showDirection(kDirection2, data.direction2);
    if (!twoDirections) enableItem(kCount2, false);
    showDirection(kDirection1, data.direction1);
    for (std::size_t i = 0; i < 4; ++i)
        setCheck(kOptions[i], macrodlg::checkOfFlag(data.options[i]));
    if (data.kind == 2) enableLastOptions();
}

void DlgPatternSettings::enableLastOptions() {
    const bool on = checkState(kOption2) != 0; // checked or undecided
    enableItem(kOption3, on);
    enableItem(kOption4, on);
}

void DlgPatternSettings::storeDirection(const Direction& controls, MacroPatternDirection& direction) {
    const int type = comboCurSel(controls.type);
    direction.distribution = type >= 0 && type <= 2 ? type : -1;
    direction.countOption = macrodlg::flagOfCheck(checkState(controls.countOption));
    direction.countText = itemText(controls.count);
    direction.secondText = itemText(controls.text);
    direction.flag = checkState(controls.flag) == 1;
    Zrk_Spread& grid = this->*controls.grid;
    grid.setEditMode(false); // a value being typed counts
    Zrk_StringArray values;
    if (grid.getNrRows() > 0) grid.readColumn(1, values);
    direction.values = values;
}

void DlgPatternSettings::store() {
    storeDirection(kDirection1, data.direction1);
    storeDirection(kDirection2, data.direction2);
    for (std::size_t i = 0; i < 4; ++i)
        data.options[i] = macrodlg::flagOfCheck(checkState(kOptions[i]));
}

int DlgPatternSettings::directionWithoutCount() const {
    const MacroPatternDirection* directions[] = {&data.direction1, &data.direction2};
    for (int i = 0; i < (data.kind == 1 ? 1 : 2); ++i) {
        const MacroPatternDirection& direction = *directions[i];
        int count = 0;
        if (direction.countOption > 0 && direction.countText != core::variesText() &&
            !Zrk_BoltPattern::getCount(direction.countText, count))
            return i + 1;
    }
    return 0;
}

bool DlgPatternSettings::apply() {
    if (!ready_) return true;
    store();
    if (directionWithoutCount() != 0) return false; // not yet a count: nothing reaches the drawing
    if (!link_) return true;
    MacroPatternProps settings = data;
    if (!link_->applyPatternProps(patternName_, settings)) return false;
    applied_ = settings;
    return true;
}

bool DlgPatternSettings::onCommand(int id, int code) {
    if (code == ui::BN_CLICKED) {
        if (id == kCountOption1 || id == kCountOption2) {
            const int count = id == kCountOption1 ? kCount1 : kCount2;
            enableItem(count, checkState(id) == 1);
            apply();
            return true;
        }
        if (id == kOption2) {
            enableLastOptions();
            apply();
            return true;
        }
        for (int box : {kOption1, kOption3, kOption4, kFlag1, kFlag2})
            if (id == box) {
                apply();
                return true;
            }
    }
    if (code == ui::CBN_SELCHANGE && (id == kType1 || id == kType2)) {
        apply();
        return true;
    }
    if (code == ui::EN_CHANGE && (id == kCount1 || id == kText1 || id == kCount2 || id == kText2)) {
        apply();
        return true;
    }
    return ui::Dialog::onCommand(id, code);
}

bool DlgPatternSettings::onNotify(int id, int code, const void* details) {
    if ((id == kValues1 || id == kValues2) && code == spreadlib::kGridValueChanged) {
        apply();
        return true;
    }
    return ui::Dialog::onNotify(id, code, details);
}

void DlgPatternSettings::onOK() {
    if (!apply()) {
        if (const int direction = directionWithoutCount(); direction != 0) {
            messageBox(dialString(kTextNoCount), dialString(1034), ui::MB_OK | ui::MB_ICONEXCLAMATION);
            gotoDlgCtrl(direction == 1 ? kCount1 : kCount2);
        }
        return;
    }
    endDialog(ui::IDOK);
}

bool StartDlgPatternSettings(Zrk_BoltPattern& pattern, MacroPageLink* link) {
    DlgPatternSettings dialog(pattern.name, link);
    dialog.data = pattern.props;
    dialog.data.kind = core::patternSettingsKind(pattern.kindCode);
    const bool ok = frame::runModal(dialog) == ui::IDOK;
    pattern.props = ok ? dialog.data : dialog.applied();
    return ok;
}
