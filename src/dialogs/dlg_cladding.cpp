#include "dialogs/dlg_cladding.h"

#include <algorithm>

#include "core/language.h"
#include "core/settings.h"
#include "module/entry_function.h"
#include "module/module_resources.h"
#include "ui/dlg_select_prof.h"

namespace {

using ui::Kind;
using C = DlgCladdingSettings;
using B = DlgBracing;

const ui::DialogTemplate
    kCladdingTemplate(C::kTemplate, "Cladding settings", 262, 158,
                      {
                          {1001, Kind::Static, "Purlin section:", 7, 9, 80, 9},
                          {C::kSection, Kind::DropDownCombo, "", 90, 7, 110, 100},
                          {C::kChooseSection, Kind::PushButton, "Library...", 205, 6, 50, 14},
                          {1004, Kind::Static, "Purlin kind:", 7, 28, 80, 9},
                          {C::kPurlinKind, Kind::DropListCombo, "", 90, 26, 165, 80},
                          {1006, Kind::Static, "Spacing:", 7, 47, 80, 9},
                          {C::kPlacement, Kind::DropListCombo, "", 90, 45, 165, 100},
                          {1008, Kind::Static, "Distance(s):", 7, 66, 80, 9},
                          {C::kSpacing, Kind::Edit, "", 90, 64, 165, 14},
                          {1010, Kind::Static, "First purlin:", 7, 85, 80, 9},
                          {C::kFirstConstraint, Kind::DropListCombo, "", 90, 83, 165, 100},
                          {1012, Kind::Static, "Last purlin:", 7, 104, 80, 9},
                          {C::kLastConstraint, Kind::DropListCombo, "", 90, 102, 165, 100},
                          {C::kSagRods, Kind::CheckBox, "Sag rods between the purlins", 90, 121, 165, 10},
                          {ui::IDOK, Kind::DefPushButton, "OK", 151, 138, 50, 14},
                          {ui::IDCANCEL, Kind::PushButton, "Cancel", 205, 138, 50, 14},
                      });
const ui::DialogTemplate
    kBracingTemplate(B::kTemplate, "Bracing", 250, 150,
                     {
                         {1001, Kind::GroupBox, "Roof bracing", 7, 7, 236, 50},
                         {B::kRoofKind, Kind::DropListCombo, "", 15, 20, 220, 100},
                         {1003, Kind::Static, "Section:", 15, 39, 60, 9},
                         {B::kRoofSection, Kind::DropDownCombo, "", 78, 37, 157, 100},
                         {1005, Kind::GroupBox, "Wall bracing", 7, 62, 236, 50},
                         {B::kWallKind, Kind::DropListCombo, "", 15, 75, 220, 100},
                         {1007, Kind::Static, "Section:", 15, 94, 60, 9},
                         {B::kWallSection, Kind::DropDownCombo, "", 78, 92, 157, 100},
                         {B::kGussetPlates, Kind::CheckBox, "Gusset plates at the joints", 7, 118, 236, 10},
                         {ui::IDOK, Kind::DefPushButton, "OK", 139, 131, 50, 14},
                         {ui::IDCANCEL, Kind::PushButton, "Cancel", 193, 131, 50, 14},
                     });
[[maybe_unused]] const bool kCladdingRegistered = frame::registerTemplate(kCladdingTemplate);
[[maybe_unused]] const bool kBracingRegistered = frame::registerTemplate(kBracingTemplate);

constexpr int kTextCladdingCaption = 1708;
constexpr int kTextSection = 1012;
constexpr int kTextChooseSection = 969;
constexpr int kTextPurlinKind = 1709;
constexpr int kTextPlacement = 1710;
constexpr int kTextSpacing = 1711;
constexpr int kTextSagRods = 1712;
constexpr int kTextFirstPurlinKind = 1713;
constexpr int kTextFirstPlacement = 1716;
constexpr int kTextFirstConstraintLabel = 1721;
constexpr int kTextLastConstraintLabel = 1722;
constexpr int kTextFirstConstraintType = 1723;

constexpr int kTextBracingCaption = 1742;
constexpr int kTextRoofGroup = 1743;
constexpr int kTextWallGroup = 1744;
constexpr int kTextFirstBracingKind = 1745;
constexpr int kTextBracingSection = 1486;
constexpr int kTextGussetPlates = 1757;

// The placements whose distances the spacing field gives.
bool placementTakesSpacing(int placement) {
    return placement == 3 || placement == 4;
}

void setCaptionFromTable(ui::Dialog& dialog, int textId) {
    if (const Zrk_String caption = dialString(textId); !caption.empty()) dialog.setTitle(caption);
}

// A label that is a text of the table followed by ":" (the template's text where the table has none).
void setLabelFromTable(ui::Dialog& dialog, int id, int textId) {
    if (const Zrk_String text = dialString(textId); !text.empty()) dialog.setItemText(id, text + ":");
}

// count consecutive texts of the table from first, each an item.
void fillFromTable(ui::Dialog& dialog, int id, int firstText, int count) {
    dialog.comboResetContent(id);
    for (int k = 0; k < count; ++k)
        dialog.comboAddString(id, dialString(firstText + k));
}

// Selects the item at index; an index outside the list selects nothing.
void showIndex(ui::Dialog& dialog, int id, int index) {
    dialog.comboSetCurSel(id, index >= 0 && index < dialog.comboCount(id) ? index : -1);
}

// The chosen item's index; with nothing chosen the record's value stays.
void readIndex(const ui::Dialog& dialog, int id, int& index) {
    if (const int chosen = dialog.comboCurSel(id); chosen >= 0) index = chosen;
}

// The offered names, the record's name shown in the editable field (chosen when offered).
void showSections(ui::Dialog& dialog, int id, const Zrk_StringArray& names, const Zrk_String& name) {
    dialog.comboResetContent(id);
    for (const Zrk_String& offered : names)
        dialog.comboAddString(id, offered);
    dialog.setItemText(id, name);
}

// A section path below the library folder, as the records keep it.
Zrk_String relativeToLibrary(const Zrk_String& path) {
    const Zrk_String& library = gSettings.libDir;
    if (!library.empty() && path.size() > library.size() && path.compare(0, library.size(), library) == 0)
        return path.substr(library.size());
    return path;
}

} // namespace

// --- cladding ------------------------------------------------------------------------------------------

DlgCladdingSettings::DlgCladdingSettings(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

bool DlgCladdingSettings::onInitDialog() {
    setCaptionFromTable(*this, kTextCladdingCaption);
    frame::setItemTextFromTable(*this, 1001, kTextSection);
    frame::setItemTextFromTable(*this, kChooseSection, kTextChooseSection);
    frame::setItemTextFromTable(*this, 1004, kTextPurlinKind);
    frame::setItemTextFromTable(*this, 1006, kTextPlacement);
    frame::setItemTextFromTable(*this, 1008, kTextSpacing);
    frame::setItemTextFromTable(*this, kSagRods, kTextSagRods);
    setLabelFromTable(*this, 1010, kTextFirstConstraintLabel);
    setLabelFromTable(*this, 1012, kTextLastConstraintLabel);

    fillFromTable(*this, kPurlinKind, kTextFirstPurlinKind, core::kPurlinKindCount);
    fillFromTable(*this, kPlacement, kTextFirstPlacement, core::kPlacementCount);
    // The holds a purlin of the record's type may have, in type order; the same list for both ends.
    offered_.clear();
    for (int k = 0; k < core::kCladConstrainTypeCount; ++k)
        if (isValidConstrainType(data.purlinType, KvCladConstrainType(k), true))
            offered_.push_back(KvCladConstrainType(k));
    for (int id : {kFirstConstraint, kLastConstraint}) {
        comboResetContent(id);
        for (KvCladConstrainType type : offered_)
            comboAddString(id, dialString(kTextFirstConstraintType + int(type)));
    }
    showForm();
    return true;
}

void DlgCladdingSettings::showForm() {
    showSections(*this, kSection, data.sections, data.section);
    showIndex(*this, kPurlinKind, data.purlinKind);
    showIndex(*this, kPlacement, data.placement);
    setItemText(kSpacing, data.spacing);
    showConstraint(kFirstConstraint, data.firstConstraint);
    showConstraint(kLastConstraint, data.lastConstraint);
    setCheck(kSagRods, data.sagRods ? 1 : 0);
    updateEnabling();
}

void DlgCladdingSettings::storeForm() {
    data.section = itemText(kSection);
    readIndex(*this, kPurlinKind, data.purlinKind);
    readIndex(*this, kPlacement, data.placement);
    // Kept even while the field is disabled: the person may come back to a placement that uses it.
    data.spacing = itemText(kSpacing);
    data.firstConstraint = chosenConstraint(kFirstConstraint);
    data.lastConstraint = chosenConstraint(kLastConstraint);
    data.sagRods = checkState(kSagRods) == 1;
}

void DlgCladdingSettings::showConstraint(int id, KvCladConstrainType type) {
    const auto found = std::find(offered_.begin(), offered_.end(), type);
    comboSetCurSel(id, found == offered_.end() ? -1 : int(found - offered_.begin()));
}

// The hold at the chosen place of the list, found by its place rather than by its text: two holds
// whose texts read the same in some language would otherwise both come back as the first. With
// nothing chosen (the record's hold was not valid for its purlin type), the purlin is free.
KvCladConstrainType DlgCladdingSettings::chosenConstraint(int id) const {
    const int chosen = comboCurSel(id);
    return chosen >= 0 && chosen < int(offered_.size()) ? offered_[chosen] : KvCladConstrainType::Free;
}

void DlgCladdingSettings::updateEnabling() {
    enableItem(kSpacing, placementTakesSpacing(comboCurSel(kPlacement)));
}

void DlgCladdingSettings::chooseSection() {
    storeForm();
    DlgSelectProf chooser(this);
    chooser.data.section = data.section;
    if (chooser.doModal() == ui::IDOK) data.section = relativeToLibrary(chooser.data.path);
    showForm();
}

bool DlgCladdingSettings::onCommand(int id, int code) {
    if (id == kPlacement && code == ui::CBN_SELCHANGE) {
        updateEnabling();
        return true;
    }
    if (id == kChooseSection && code == ui::BN_CLICKED) {
        chooseSection();
        return true;
    }
    return ui::Dialog::onCommand(id, code);
}

void DlgCladdingSettings::onOK() {
    storeForm();
    endDialog(ui::IDOK);
}

// --- bracing -------------------------------------------------------------------------------------------

DlgBracing::DlgBracing(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

bool DlgBracing::onInitDialog() {
    setCaptionFromTable(*this, kTextBracingCaption);
    frame::setItemTextFromTable(*this, 1001, kTextRoofGroup);
    frame::setItemTextFromTable(*this, 1005, kTextWallGroup);
    setLabelFromTable(*this, 1003, kTextBracingSection);
    setLabelFromTable(*this, 1007, kTextBracingSection);
    frame::setItemTextFromTable(*this, kGussetPlates, kTextGussetPlates);
    for (int id : {kRoofKind, kWallKind})
        fillFromTable(*this, id, kTextFirstBracingKind, core::kBracingKindCount);
    showIndex(*this, kRoofKind, data.roofKind);
    showIndex(*this, kWallKind, data.wallKind);
    showSections(*this, kRoofSection, data.sections, data.roofSection);
    showSections(*this, kWallSection, data.sections, data.wallSection);
    setCheck(kGussetPlates, data.gussetPlates ? 1 : 0);
    updateEnabling();
    return true;
}

void DlgBracing::updateEnabling() {
    enableItem(kRoofSection, comboCurSel(kRoofKind) == core::kBracingKindSection);
    enableItem(kWallSection, comboCurSel(kWallKind) == core::kBracingKindSection);
}

bool DlgBracing::onCommand(int id, int code) {
    if ((id == kRoofKind || id == kWallKind) && code == ui::CBN_SELCHANGE) {
        updateEnabling();
        return true;
    }
    return ui::Dialog::onCommand(id, code);
}

void DlgBracing::onOK() {
    readIndex(*this, kRoofKind, data.roofKind);
    readIndex(*this, kWallKind, data.wallKind);
    data.roofSection = itemText(kRoofSection);
    data.wallSection = itemText(kWallSection);
    data.gussetPlates = checkState(kGussetPlates) == 1;
    endDialog(ui::IDOK);
}

// --- entry functions -----------------------------------------------------------------------------------

bool StartDlgCladdingSettings(KvCladdingDlgData& data) {
    return frame::runModalOnCopy<DlgCladdingSettings>(data);
}

bool StartDlgBracing(KvBracingDlgData& data) {
    return frame::runModalOnCopy<DlgBracing>(data);
}

// --- summaries -----------------------------------------------------------------------------------------

namespace {

// The text of an item of a list (consecutive texts from first), or the index itself when it is
// outside the list.
Zrk_String itemName(int firstText, int count, int index) {
    return index >= 0 && index < count ? dialString(firstText + index) : "choice " + std::to_string(index);
}

Zrk_String bracingName(int kind, const Zrk_String& section) {
    return itemName(kTextFirstBracingKind, core::kBracingKindCount, kind) +
           (kind == core::kBracingKindSection ? " " + section : Zrk_String());
}

} // namespace

Zrk_String claddingSummary(const KvCladdingDlgData& data) {
    const auto hold = [](KvCladConstrainType type) {
        return itemName(kTextFirstConstraintType, core::kCladConstrainTypeCount, int(type));
    };
    return "purlins " + data.section + ", " +
           itemName(kTextFirstPurlinKind, core::kPurlinKindCount, data.purlinKind) + "; " +
           itemName(kTextFirstPlacement, core::kPlacementCount, data.placement) +
           (placementTakesSpacing(data.placement) ? " (" + data.spacing + ")" : Zrk_String()) +
           "; first purlin " + hold(data.firstConstraint) + ", last purlin " + hold(data.lastConstraint) +
           (data.sagRods ? "; sag rods" : "; no sag rods");
}

Zrk_String bracingSummary(const KvBracingDlgData& data) {
    return "roof bracing " + bracingName(data.roofKind, data.roofSection) + "; wall bracing " +
           bracingName(data.wallKind, data.wallSection) +
           (data.gussetPlates ? "; gusset plates" : "; no gusset plates");
}
