#include "macrodlg/dlg_prof_advanced.h"

#include <cmath>

#include "core/drawing.h"
#include "core/editor_hooks.h"
#include "core/files.h"
#include "core/language.h"
#include "core/macro_update.h"
#include "core/number_text.h"
#include "core/section_tables.h"
#include "core/section_types.h"
#include "core/settings.h"
#include "core/text.h"
#include "host/command_line.h"
#include "module/entry_function.h"
#include "module/module_resources.h"
#include "ui/dialog_size.h"
#include "ui/dlg_select_prof.h"

namespace {

using ui::Kind;
using A = DlgMacroProfAdv;
using ui::style::Group;
using ui::style::PushLike;

const char* const kAnchorFace = "\xB7"; // a dot: the button's place in the 3 x 3 grid says what it is

const ui::DialogTemplate kProfAdvTemplate(
    A::kTemplate, "Advanced profile settings", 320, 250,
    {
        {A::kSecondCheck, Kind::CheckBox, "Apply to the second profile too", 7, 7, 148, 10,
         ui::style::Hidden},
        {A::kGroupLabel, Kind::Static, "Group:", 7, 8, 40, 9},
        {A::kGroup, Kind::Edit, "", 50, 6, 105, 13},
        {A::kSectionLabel, Kind::Static, "Section:", 7, 26, 40, 9},
        {A::kSection, Kind::DropListCombo, "", 50, 24, 60, 120},
        {A::kPickSection, Kind::PushButton, "Library...", 113, 24, 42, 13},
        {A::kPicture, Kind::Picture, "", 7, 42, 148, 58, ui::style::Sunken | ui::style::Center},
        {A::kOffsetLabel, Kind::Static, "Offset type:", 7, 108, 45, 9},
        {A::kOffsetType, Kind::DropListCombo, "", 55, 106, 100, 150},
        {A::kAnchors[0], Kind::CheckBox, kAnchorFace, 7, 124, 14, 12, PushLike},
        {A::kAnchors[1], Kind::CheckBox, kAnchorFace, 22, 124, 14, 12, PushLike},
        {A::kAnchors[2], Kind::CheckBox, kAnchorFace, 37, 124, 14, 12, PushLike},
        {A::kAnchors[3], Kind::CheckBox, kAnchorFace, 7, 137, 14, 12, PushLike},
        {A::kAnchors[4], Kind::CheckBox, kAnchorFace, 22, 137, 14, 12, PushLike},
        {A::kAnchors[5], Kind::CheckBox, kAnchorFace, 37, 137, 14, 12, PushLike},
        {A::kAnchors[6], Kind::CheckBox, kAnchorFace, 7, 150, 14, 12, PushLike},
        {A::kAnchors[7], Kind::CheckBox, kAnchorFace, 22, 150, 14, 12, PushLike},
        {A::kAnchors[8], Kind::CheckBox, kAnchorFace, 37, 150, 14, 12, PushLike},
        {A::kPickPoint, Kind::PushButton, "Pick a point...", 60, 124, 95, 13},
        {A::kXLabel, Kind::Static, "X:", 60, 142, 15, 9},
        {A::kX, Kind::Edit, "", 78, 140, 77, 13},
        {A::kYLabel, Kind::Static, "Y:", 60, 157, 15, 9},
        {A::kY, Kind::Edit, "", 78, 155, 77, 13},
        {A::kChoiceLabel, Kind::Static, "Place:", 7, 176, 45, 9},
        {A::kChoice, Kind::DropListCombo, "", 55, 174, 100, 150},
        {A::kOption, Kind::ThreeState, "Option", 7, 193, 148, 10},
        {A::kRotationFrame, Kind::GroupBox, "Rotation", 165, 4, 148, 72},
        {A::kRot0, Kind::RadioButton, "0\xB0", 172, 16, 40, 10, Group},
        {A::kRot90, Kind::RadioButton, "90\xB0", 215, 16, 40, 10},
        {A::kRot180, Kind::RadioButton, "180\xB0", 258, 16, 45, 10},
        {A::kRot270, Kind::RadioButton, "270\xB0", 172, 30, 40, 10},
        {A::kRotVaries, Kind::RadioButton, "*VARIES*", 215, 30, 90, 10},
        {A::kRotOther, Kind::RadioButton, "Other:", 172, 46, 42, 10},
        {A::kRotValue, Kind::Edit, "", 215, 44, 50, 13},
        {A::kPlaneFrame, Kind::GroupBox, "Base plane", 165, 80, 148, 112},
        {A::kWcs, Kind::RadioButton, "WCS", 172, 92, 60, 10, Group},
        {A::kPlaneVaries, Kind::RadioButton, "*VARIES*", 235, 92, 70, 10},
        {A::kPickedPlane, Kind::RadioButton, "Picked plane", 172, 106, 133, 10},
        {A::kOwnCoordSystem, Kind::RadioButton, "Profile coordinate system", 172, 120, 133, 10},
        {A::kNamedCoordSystem, Kind::RadioButton, "Named coordinate system", 172, 134, 133, 10},
        {A::kAxisLabel, Kind::Static, "Plane:", 172, 151, 40, 9},
        {A::kAxis, Kind::DropListCombo, "", 215, 149, 90, 60},
        {A::kCoordSystems, Kind::DropListCombo, "", 172, 169, 80, 80},
        {A::kPickPlane, Kind::PushButton, "Pick...", 255, 169, 50, 13},
        {A::kSegmentLabel, Kind::GroupBox, "Polyline", 165, 196, 148, 26},
        {A::kOnSegment, Kind::CheckBox, "On one segment", 172, 208, 75, 10},
        {A::kSegmentNumberLabel, Kind::Static, "Segment:", 250, 208, 32, 9},
        {A::kSegment, Kind::Edit, "", 284, 206, 22, 13},
        {A::kZoom, Kind::BitmapButton, "", 7, 229, 18, 15, 0, 234},
        {A::kSecondSection, Kind::DropListCombo, "", 322, 24, 58, 120},
        {A::kPickSecondSection, Kind::PushButton, "Library...", 322, 40, 58, 13},
        {A::kMorphText1, Kind::Edit, "", 322, 58, 58, 13},
        {A::kMorphText2, Kind::Edit, "", 322, 74, 58, 13},
        {ui::IDOK, Kind::DefPushButton, "Close", 209, 230, 50, 14},
        {ui::IDCANCEL, Kind::PushButton, "Cancel", 263, 230, 50, 14},
    });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kProfAdvTemplate);

const char* const kSizeKey = "DLG_MACRO_PROFADVANCED";
const int kMorphedControls[] = {A::kSecondSection, A::kPickSecondSection, A::kMorphText1, A::kMorphText2};
const Zrk_String kRotations[] = {"0", "90", "180", "270"};
const int kRotationButtons[] = {A::kRot0, A::kRot90, A::kRot180, A::kRot270};
const Zrk_String kAxes[] = {"xp", "yp", "zp"};
// The offset type index of each anchor button 1-9.
constexpr int kAnchorOffsetTypes[9] = {9, 5, 10, 7, 3, 8, 11, 6, 12};

bool isVaries(const Zrk_String& text) {
    return text == core::variesText();
}

} // namespace

const int DlgMacroProfAdv::kAnchors[9] = {1232, 1236, 1237, 1049, 1050, 1051, 1052, 1053, 1054};

DlgMacroProfAdv::DlgMacroProfAdv(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

int DlgMacroProfAdv::offsetTypeOfAnchor(int anchor) {
    return anchor >= 1 && anchor <= 9 ? kAnchorOffsetTypes[anchor - 1] : -1;
}

int DlgMacroProfAdv::anchorOfOffsetType(int index) {
    for (int anchor = 1; anchor <= 9; ++anchor)
        if (kAnchorOffsetTypes[anchor - 1] == index) return anchor;
    return 0;
}

bool DlgMacroProfAdv::request(int what) {
    return callback && callback(what, callbackData, data);
}

bool DlgMacroProfAdv::onInitDialog() {
    ChangeDlgSize(this, kSizeKey);
    setTitle(dialString(1011));
    for (auto [id, text] : {std::pair<int, int>{kSecondCheck, 1497},
                            {kGroupLabel, 705},
                            {kPickSection, 969},
                            {kPickSecondSection, 969},
                            {kChoiceLabel, 1409},
                            {kSegmentLabel, 1410},
                            {kAxisLabel, 1411},
                            {kOffsetLabel, 1013},
                            {kPickPoint, 1014},
                            {kXLabel, 1015},
                            {kYLabel, 1016},
                            {kRotationFrame, 1005},
                            {kRotOther, 1017},
                            {kPlaneFrame, 460},
                            {kPickedPlane, 1018},
                            {kOwnCoordSystem, 462},
                            {kNamedCoordSystem, 1019},
                            {kOption, 1343},
                            {kOnSegment, 1020},
                            {kSegmentNumberLabel, 1021},
                            {ui::IDOK, 285},
                            {ui::IDCANCEL, 2}})
        frame::setItemTextFromTable(*this, id, text);
    for (int i = 0; i < 4; ++i)
        setItemText(kRotationButtons[i], kRotations[i] + "\xB0");
    setItemText(kRotVaries, core::variesText());
    setItemText(kPlaneVaries, core::variesText());
    setItemToolTip(kZoom, dialString(868));
    for (int text : {10164, 10046, 10047, 10048, 10049, 10418, 10420, 10419, 10421})
        comboAddString(kChoice, secondaryString(text));
    comboAddString(kChoice, dialString(1413));
    comboAddString(kChoice, core::variesText());
    Zrk_StringArray offsetTypes;
    core::getOffsetTypeStrings(offsetTypes);
    for (const Zrk_String& name : offsetTypes)
        comboAddString(kOffsetType, name);

    if (groupFixed) enableItem(kGroup, false);
    showItem(kGroupLabel, !hasSecondCheck);
    showItem(kGroup, !hasSecondCheck);
    showItem(kSecondCheck, hasSecondCheck);
    for (int text : {1022, 1023, 1024})
        comboAddString(kAxis, dialString(text));
    comboSetCurSel(kAxis, 2);
    enableItem(kOwnCoordSystem, coordSystemAllowed);

    if (callback && request(KvMACallBackData::kRead)) {
        morphed = data.merged.morphed;
        showSettings();
        // The second section's controls lie beyond the window's right edge until it widens for them.
        if (morphed) setFixedSize(width() + mapDialogRect(QRect(0, 0, kMorphedUnits, 4)).width(), height());
        showPicture();
    }
    for (int id : kMorphedControls)
        showItem(id, morphed);
    shown_ = true;
    return true;
}

void DlgMacroProfAdv::fillSectionList(int id, const Zrk_String& section, Zrk_StringArray& systemNames) {
    Zrk_StringArray shownNames;
    macrodlg::sectionListOf(section, systemNames, shownNames);
    comboResetContent(id);
    for (const Zrk_String& name : shownNames)
        comboAddString(id, name);
    comboSetCurSel(id, isVaries(section) ? comboCount(id) - 1 : systemNames.find(section));
}

Zrk_String DlgMacroProfAdv::sectionOfList(int id, const Zrk_StringArray& systemNames,
                                          const Zrk_String& stored) const {
    const int index = comboCurSel(id);
    return systemNames.isValid(index) ? systemNames[index] : stored;
}

void DlgMacroProfAdv::showSettings() {
    const MacroProfProps& s = data.merged;
    setCheck(kSecondCheck, secondCheck ? 1 : 0);
    setItemText(kGroup, data.groupName);
    fillSectionList(kSection, s.sectionName, sections_);
    fillSectionList(kSecondSection, s.secondSection, secondSections_);
    setItemText(kMorphText1, s.morphText1);
    setItemText(kMorphText2, s.morphText2);

    const int offsetIndex = core::getDlgOffsetType(s.offsetType);
    comboSetCurSel(kOffsetType, offsetIndex);
    const int anchor = anchorOfOffsetType(offsetIndex);
    for (int i = 0; i < 9; ++i)
        setCheck(kAnchors[i], anchor == i + 1 ? 1 : 0);
    enableItem(kX, offsetIndex == 0);
    enableItem(kY, offsetIndex == 0);
    auto displacement = [](const Zrk_String& text) {
        return isVaries(text) || !isNumber(text) ? text : doubleToStr(core::toDouble(text), 3);
    };
    setItemText(kX, displacement(s.offsetX));
    setItemText(kY, displacement(s.offsetY));
    comboSetCurSel(kChoice, s.placeChoice >= 0 && s.placeChoice <= core::kPlaceChoiceVaries
                                ? s.placeChoice
                                : core::kPlaceChoiceVaries);

    int rotationButton = kRotOther;
    if (isVaries(s.rotation)) rotationButton = kRotVaries;
    for (int i = 0; i < 4; ++i)
        if (s.rotation == kRotations[i]) rotationButton = kRotationButtons[i];
    for (int id : {kRot0, kRot90, kRot180, kRot270, kRotVaries, kRotOther})
        setCheck(id, id == rotationButton ? 1 : 0);
    setItemText(kRotValue, rotationButton == kRotOther ? s.rotation : Zrk_String());
    enableItem(kRotValue, rotationButton == kRotOther);

    int planeButton = 0;
    if (isVaries(s.basePlane))
        planeButton = kPlaneVaries;
    else if (s.basePlane.empty())
        planeButton = kWcs;
    else if (!checkState(kPickedPlane) && !checkState(kNamedCoordSystem) && !checkState(kOwnCoordSystem))
        planeButton = kPickedPlane;
    if (planeButton != 0)
        for (int id : {kWcs, kPlaneVaries, kPickedPlane, kOwnCoordSystem, kNamedCoordSystem})
            setCheck(id, id == planeButton ? 1 : 0);
    for (int i = 0; i < 3; ++i)
        if (s.basePlane == kAxes[i]) comboSetCurSel(kAxis, i);
    comboResetContent(kCoordSystems);
    if (const core::Drawing* drawing = core::workingDrawing())
        for (const Zrk_CoordSystem& system : drawing->coordSystems())
            comboAddString(kCoordSystems, system.name);
    comboSetCurSel(kCoordSystems, comboFindStringExact(kCoordSystems, s.coordSystem));
    updateCoordControls();

    setCheck(kOption, s.option == 0 || s.option == 1 ? s.option : 2);
    setCheck(kOnSegment, s.onSegment == 1 ? 1 : 0);
    setItemText(kSegment, s.segment < 0 ? core::variesText() : intToStr(s.segment));
    enableItem(kSegmentNumberLabel, s.onSegment == 1);
    enableItem(kSegment, s.onSegment == 1);
}

void DlgMacroProfAdv::updateCoordControls() {
    const bool picked = checkState(kPickedPlane) == 1, named = checkState(kNamedCoordSystem) == 1,
               own = checkState(kOwnCoordSystem) == 1;
    enableItem(kPickPlane, picked || named);
    enableItem(kCoordSystems, named);
    enableItem(kAxis, named || own);
    setItemText(kPickPlane, dialString(named ? 1368 : 1230) + "...");
}

void DlgMacroProfAdv::store(bool justPicked) {
    MacroProfProps& s = data.merged;
    if (!groupFixed && !hasSecondCheck) data.groupName = itemText(kGroup);
    if (!justPicked && !isEqual(getExtension(s.sectionName), "dwg", true))
        s.sectionName = sectionOfList(kSection, sections_, s.sectionName);
    if (morphed) {
        if (!justPicked) s.secondSection = sectionOfList(kSecondSection, secondSections_, s.secondSection);
        s.morphText1 = itemText(kMorphText1);
        s.morphText2 = itemText(kMorphText2);
    }
    const int choice = comboCurSel(kChoice);
    if (choice >= 0) s.placeChoice = choice;
    const int offsetIndex = comboCurSel(kOffsetType);
    if (offsetIndex >= 0 && offsetIndex != core::getDlgOffsetType(s.offsetType))
        s.offsetType = core::getProfOffsetType(offsetIndex);
    // A displacement that is no number (being typed, or the varies text) keeps what is stored.
    for (auto [id, field] : {std::pair{kX, &MacroProfProps::offsetX}, {kY, &MacroProfProps::offsetY}}) {
        const Zrk_String text = trimmed(itemText(id));
        double value = 0;
        if (core::parseNumber(text, value)) s.*field = text;
    }
    for (int i = 0; i < 4; ++i)
        if (checkState(kRotationButtons[i]) == 1) s.rotation = kRotations[i];
    if (checkState(kRotVaries) == 1) s.rotation = core::variesText();
    if (checkState(kRotOther) == 1 && !trimmed(itemText(kRotValue)).empty())
        s.rotation = trimmed(itemText(kRotValue));
    const int axis = std::max(0, comboCurSel(kAxis));
    if (checkState(kPlaneVaries) == 1) s.basePlane = core::variesText();
    if (checkState(kWcs) == 1) s.basePlane.clear();
    if (checkState(kOwnCoordSystem) == 1) s.basePlane = kAxes[axis];
    if (checkState(kNamedCoordSystem) == 1) {
        s.basePlane = kAxes[axis];
        const int system = comboCurSel(kCoordSystems);
        if (system >= 0) s.coordSystem = comboText(kCoordSystems, system);
    }
    s.option = checkState(kOption);
    s.onSegment = checkState(kOnSegment) == 1 ? 1 : 0;
    const Zrk_String segment = trimmed(itemText(kSegment));
    double number = 0;
    if (core::parseNumber(segment, number) && number >= 1 && number < 1e6)
        s.segment = static_cast<int>(number);
}

void DlgMacroProfAdv::apply(bool justPicked) {
    store(justPicked);
    if (!callback) return;
    request(KvMACallBackData::kWrite);
    showSettings();
}

void DlgMacroProfAdv::showPicture() {
    // The drawing of the section's type, from the product's pictures.
    Zrk_String table, type;
    const BuiltInSectionType* builtIn = nullptr;
    if (gSectionTables.getTableOfSection(data.merged.sectionName, table) &&
        gSectionTables.getTableSectionType(table, type) == Acad::eOk)
        builtIn = core::builtInSectionTypeOf(type);
    if (builtIn)
        setItemImageFile(kPicture,
                         ensureEndSlash(gSettings.zrkDir) + "icons/" + builtIn->pictureName + "-big.bmp");
    else
        setItemImageFile(kPicture, {});
}

void DlgMacroProfAdv::pickSection(bool second) {
    Zrk_String picked;
    if (!macrodlg::chooseSection(this, second ? data.merged.secondSection : data.merged.sectionName,
                                 picked) ||
        picked.empty())
        return;
    (second ? data.merged.secondSection : data.merged.sectionName) = picked;
    apply(true);
    if (!second) showPicture();
}

void DlgMacroProfAdv::pickPlaneOrSystem() {
    request(KvMACallBackData::kHide);
    BeginEditorCommand();
    bool picked = false;
    Zrk_String answer;
    if (checkState(kPickedPlane) == 1) {
        picked = core::editorHooks().pickPlane("Pick the base plane of the profile", answer);
        if (picked) data.merged.basePlane = answer;
    } else {
        picked = core::editorHooks().pickCoordSystem("Select a coordinate system", answer);
        if (picked) {
            data.merged.coordSystem = answer;
            comboSetCurSel(kCoordSystems, comboFindStringExact(kCoordSystems, answer));
        }
    }
    CompleteEditorCommand();
    request(KvMACallBackData::kShow);
    if (picked) apply(checkState(kPickedPlane) == 1);
}

void DlgMacroProfAdv::pickSectionPoint() {
    const Zrk_String rotationText = checkState(kRotOther) == 1 ? itemText(kRotValue) : data.merged.rotation;
    const double rotation = core::toDouble(rotationText) * M_PI / 180.0;
    request(KvMACallBackData::kHide);
    BeginEditorCommand();
    double x = 0, y = 0;
    const bool picked = core::editorHooks().pickSectionPoint("Pick a point of the section",
                                                             data.merged.sectionName, rotation, x, y);
    CompleteEditorCommand();
    request(KvMACallBackData::kShow);
    if (!picked) return;
    pointPicked = true;
    // The profile hangs at the point picked: a free offset displaced by it.
    comboSetCurSel(kOffsetType, 0);
    setItemText(kX, doubleToStr(x, 3));
    setItemText(kY, doubleToStr(y, 3));
    apply(false);
}

bool DlgMacroProfAdv::onCommand(int id, int code) {
    if (!shown_) return ui::Dialog::onCommand(id, code);
    if (code == ui::CBN_SELCHANGE) {
        if (id == kOffsetType) {
            const int index = comboCurSel(kOffsetType);
            const int anchor = anchorOfOffsetType(index);
            for (int i = 0; i < 9; ++i)
                setCheck(kAnchors[i], anchor == i + 1 ? 1 : 0);
            enableItem(kX, index == 0);
            enableItem(kY, index == 0);
            apply(false);
            return true;
        }
        if (id == kCoordSystems) {
            data.merged.coordSystem.clear();
            apply(false);
            return true;
        }
        if (id == kSection || id == kSecondSection || id == kChoice || id == kAxis) {
            apply(false);
            if (id == kSection) showPicture();
            return true;
        }
    }
    if (code != ui::BN_CLICKED) return ui::Dialog::onCommand(id, code);
    for (int i = 0; i < 9; ++i)
        if (id == kAnchors[i]) {
            comboSetCurSel(kOffsetType, offsetTypeOfAnchor(i + 1));
            onCommand(kOffsetType, ui::CBN_SELCHANGE);
            return true;
        }
    switch (id) {
    case kRot0:
    case kRot90:
    case kRot180:
    case kRot270:
    case kRotVaries:
        enableItem(kRotValue, checkState(kRotOther) == 1);
        apply(false);
        return true;
    case kRotOther:
        enableItem(kRotValue, true);
        return true;
    case kWcs:
        updateCoordControls();
        apply(false);
        return true;
    case kPlaneVaries:
    case kNamedCoordSystem:
        updateCoordControls();
        return true;
    case kPickedPlane:
        updateCoordControls();
        pickPlaneOrSystem();
        return true;
    case kOwnCoordSystem:
        updateCoordControls();
        if (data.merged.coordSystem.empty()) {
            if (core::Drawing* drawing = core::workingDrawing()) {
                Zrk_StringArray names;
                for (const Zrk_CoordSystem& system : drawing->coordSystems())
                    names.append(system.name);
                Zrk_CoordSystem system;
                system.name = findNonExistingString("ProfileCS", names, true);
                drawing->coordSystemsWrite().append(system);
                createdCoordSystem = system.name;
                data.merged.coordSystem = system.name;
            }
        }
        apply(false);
        return true;
    case kPickPlane:
        pickPlaneOrSystem();
        return true;
    case kPickPoint:
        pickSectionPoint();
        return true;
    case kPickSection:
        pickSection(false);
        return true;
    case kPickSecondSection:
        pickSection(true);
        return true;
    case kOnSegment:
        enableItem(kSegmentNumberLabel, checkState(kOnSegment) == 1);
        enableItem(kSegment, checkState(kOnSegment) == 1);
        apply(false);
        return true;
    case kOption:
        // The box loses its third state once the person clicks it.
        if (checkState(kOption) == 2) setCheck(kOption, 0);
        apply(false);
        return true;
    case kZoom:
        if (zooming_) return true;
        zooming_ = true;
        BeginEditorCommand();
        core::editorHooks().zoom();
        CompleteEditorCommand();
        zooming_ = false;
        return true;
    default:
        return ui::Dialog::onCommand(id, code);
    }
}

bool DlgMacroProfAdv::preTranslateKey(const ui::KeyPress& key) {
    if (key.key != ui::VK_RETURN || key.shift || key.control || key.alt) return false;
    apply(false);
    return true; // Enter applies what was typed; it does not close the dialog
}

void DlgMacroProfAdv::onOK() {
    if (hasSecondCheck) secondCheck = checkState(kSecondCheck) == 1;
    apply(false);
    endDialog(ui::IDOK);
}

void DlgMacroProfAdv::onDestroy() {
    WriteDlgSize(this, kSizeKey);
}

namespace macrodlg {

void sectionListOf(const Zrk_String& section, Zrk_StringArray& systemNames, Zrk_StringArray& shownNames) {
    systemNames.removeAll();
    shownNames.removeAll();
    Zrk_StringArray userNames;
    const Zrk_String table = section.substr(0, section.find('-'));
    if (isVaries(section) || gSectionTables.getTableSections(table, systemNames, userNames) != Acad::eOk) {
        systemNames.removeAll();
        userNames.removeAll();
    }
    if (systemNames.find(section) < 0 && !section.empty() && !isVaries(section)) {
        // A section of no table (a user section's drawing): offered as it is.
        systemNames.insertAt(0, section);
        userNames.insertAt(0, section);
    }
    for (int i = 0; i < systemNames.length(); ++i)
        shownNames.append(i < userNames.length() && !userNames[i].empty() ? userNames[i] : systemNames[i]);
    shownNames.append(core::variesText());
}

bool chooseSection(QWidget* owner, const Zrk_String& section, Zrk_String& picked) {
    DlgSelectProf chooser(owner);
    chooser.data.section = section;
    if (chooser.doModal() != ui::IDOK) return false;
    // A section of the library is kept relative to the library folder.
    picked = chooser.data.path;
    const Zrk_String library = gSettings.libDir;
    if (!library.empty() && picked.compare(0, library.size(), library) == 0)
        picked = picked.substr(library.size());
    return true;
}

} // namespace macrodlg

KvMACallBackType macroDataProfileCallback() {
    return [](int request, KvMACallBackData& link, MacroProfData& settings) {
        if (!link.macroData) return false;
        MacroData& macroData = *link.macroData;
        int tab = -1, group = -1;
        if (!macroData.findTab(link.tabName, tab) ||
            !macroData.tabs[tab].findProfDataWithGroup(settings.groupName, group))
            return false;
        if (request == KvMACallBackData::kWrite) {
            if (macroData.tabs[tab].setMergedPropsOfGroup(settings.groupName, settings.merged) != Acad::eOk)
                return false;
            UpdateModule(link.tabName, macroData, {core::kChangeAllProfileSettings}, {});
            if (!macroData.findTab(link.tabName, tab) ||
                !macroData.tabs[tab].findProfDataWithGroup(settings.groupName, group))
                return false;
        }
        if (request == KvMACallBackData::kRead || request == KvMACallBackData::kWrite)
            settings = macroData.tabs[tab].profGroups[group];
        return true;
    };
}

void StartDlgMacroProfAdv(MacroData& data, const Zrk_String& tabName, const Zrk_String& groupName,
                          bool groupFixed) {
    DlgMacroProfAdv dialog;
    dialog.data.groupName = groupName;
    dialog.groupFixed = groupFixed;
    dialog.coordSystemAllowed = data.coordSystemAllowed;
    dialog.callbackData.macroData = &data;
    dialog.callbackData.tabName = tabName;
    dialog.callback = macroDataProfileCallback();
    frame::runModal(dialog, frame::Resources::CallerResources);
    // Callers hand in data made for this dialog over one temporary object of the drawing.
    if (data.macroIds.length() == 1) data.tempObjectId = data.macroIds[0];
    if (!dialog.createdCoordSystem.empty()) data.tempCoordSystem = dialog.createdCoordSystem;
    data.eraseTemporaries();
}

void StartDlgMacroProfAdv(const AcArray<AcDbObjectId>* objects, bool& flag, KvMACallBackType callback) {
    if (!objects || objects->isEmpty()) return;
    DlgMacroProfAdv dialog;
    dialog.groupFixed = true;
    dialog.hasSecondCheck = flag;
    dialog.secondCheck = false;
    dialog.callback = std::move(callback);
    dialog.callbackData.objects = *objects;
    const bool ok = frame::runModal(dialog) == ui::IDOK;
    flag = ok && dialog.hasSecondCheck ? dialog.secondCheck : false;
}
