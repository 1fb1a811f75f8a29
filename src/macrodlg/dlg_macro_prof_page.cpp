#include "macrodlg/dlg_macro_prof_page.h"

#include "core/drawing.h"
#include "core/editor_hooks.h"
#include "core/language.h"
#include "core/number_text.h"
#include "core/text.h"
#include "host/command_line.h"
#include "macrodlg/dlg_macro.h"
#include "macrodlg/dlg_prof_segmented.h"
#include "module/entry_function.h"
#include "module/module_resources.h"

namespace {

using ui::Kind;
using F = DlgMacroProfPage;

struct BlockPlace {
    int id, x, y, width, height;
};
// Where the block's controls lie, in dialog units from the block's top-left corner (a combo box's
// height is that of its field; its list drops below).
constexpr BlockPlace kBlock[] = {
    {F::kFrame, 2, 0, 296, 80},        {F::kGroups, 8, 14, 80, 12},         {F::kProfiles, 92, 14, 100, 12},
    {F::kAdvanced, 198, 13, 46, 14},   {F::kSegmented, 248, 13, 46, 14},    {F::kSectionLabel, 8, 33, 44, 9},
    {F::kSection, 54, 31, 100, 12},    {F::kPickSection, 158, 30, 46, 14},  {F::kOffsetLabel, 8, 49, 44, 9},
    {F::kOffsetType, 54, 47, 100, 12}, {F::kRotationLabel, 160, 49, 52, 9}, {F::kRotation, 214, 47, 50, 12},
    {F::kPlaneLabel, 8, 65, 44, 9},    {F::kPlane, 54, 63, 100, 12},        {F::kPickPlane, 158, 62, 46, 14},
};

const ui::DialogTemplate
    kProfPageTemplate(F::kTemplate, "", 300, 200, ui::dialogStyle::Child,
                      {
                          {MacroPage::kGridPlaceholder, Kind::Placeholder, "", 2, 2, 296, 110},
                          {F::kFrame, Kind::GroupBox, "Profile settings", 2, 118, 296, 78},
                          {F::kGroups, Kind::DropListCombo, "", 8, 129, 100, 100},
                          {F::kProfiles, Kind::DropListCombo, "", 112, 129, 80, 100},
                          {F::kAdvanced, Kind::PushButton, "Advanced...", 198, 128, 46, 14},
                          {F::kSegmented, Kind::PushButton, "Segmented...", 248, 128, 46, 14},
                          {F::kSectionLabel, Kind::Static, "Section:", 8, 148, 44, 9},
                          {F::kSection, Kind::DropListCombo, "", 54, 146, 100, 120},
                          {F::kPickSection, Kind::PushButton, "Library...", 158, 146, 46, 14},
                          {F::kOffsetLabel, Kind::Static, "Offset type:", 8, 165, 44, 9},
                          {F::kOffsetType, Kind::DropListCombo, "", 54, 163, 100, 150},
                          {F::kRotationLabel, Kind::Static, "Rotation:", 160, 165, 52, 9},
                          {F::kRotation, Kind::DropDownCombo, "", 214, 163, 50, 80},
                          {F::kPlaneLabel, Kind::Static, "Base plane:", 8, 182, 44, 9},
                          {F::kPlane, Kind::DropListCombo, "", 54, 180, 100, 80},
                          {F::kPickPlane, Kind::PushButton, "Pick...", 158, 180, 46, 14},
                      });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kProfPageTemplate);

[[maybe_unused]] const bool kFactory =
    (setMacroPageFactory(core::kTabProfile,
                         [](DlgMacro& owner, int tabIndex) -> std::unique_ptr<MacroPage> {
                             return std::make_unique<DlgMacroProfPage>(owner, tabIndex);
                         }),
     true);

bool isVaries(const Zrk_String& text) {
    return text == core::variesText();
}

// Whether a profile setting of the data names the coordinate system.
bool standsOnCoordSystem(const MacroData& data, const Zrk_String& name) {
    for (const MacroTabData& tab : data.tabs)
        for (const MacroProfData& group : tab.profGroups) {
            if (isEqual(group.merged.coordSystem, name, true)) return true;
            for (const MacroGroupProfile& profile : group.profiles)
                if (isEqual(profile.props.coordSystem, name, true)) return true;
        }
    return false;
}

} // namespace

DlgMacroProfPage::DlgMacroProfPage(DlgMacro& owner, int tabIndex) : MacroPage(kTemplate, owner, tabIndex) {}

std::vector<int> DlgMacroProfPage::fixedControls() const {
    return {kGroups,   kProfiles, kSection, kPickSection, kOffsetType,
            kAdvanced, kRotation, kPlane,   kPickPlane,   kSegmented};
}

void DlgMacroProfPage::initFixedControls() {
    for (auto [id, text] : {std::pair<int, int>{kFrame, 1002},
                            {kSectionLabel, 1003},
                            {kPickSection, 969},
                            {kOffsetLabel, 1004},
                            {kPlaneLabel, 1006},
                            {kPickPlane, 1008},
                            {kAdvanced, 1007},
                            {kSegmented, 1009}})
        frame::setItemTextFromTable(*this, id, text);
    // The rotation's label says its unit.
    setItemText(kRotationLabel, dialString(1005) + " (\xB0):");
}

// --- layout ------------------------------------------------------------------------------------------------

bool DlgMacroProfPage::blockShown() const {
    const MacroTabData* t = tab();
    return t && !t->advBtnForEveryGroup();
}

int DlgMacroProfPage::extraHeight() const {
    return blockShown() ? mapDialogRect(QRect(0, 0, 4, kBlockUnits)).height() : 0;
}

void DlgMacroProfPage::placeBlock() {
    const int top = clientRect().height() - extraHeight();
    for (const BlockPlace& place : kBlock) {
        QRect rect = mapDialogRect(QRect(place.x, place.y, place.width, place.height));
        rect.translate(0, top);
        // The frame spans the page's width.
        if (place.id == kFrame) rect.setWidth(std::max(clientRect().width() - 2 * rect.left(), rect.width()));
        moveItem(place.id, rect);
    }
}

void DlgMacroProfPage::onSize(int width, int height) {
    MacroPage::onSize(width, height);
    placeBlock();
}

// --- filling and showing
// -------------------------------------------------------------------------------------

void DlgMacroProfPage::fillFixedFields() {
    MacroPage::fillFixedFields();
    const MacroTabData* t = tab();
    const bool shown = blockShown();
    for (const BlockPlace& place : kBlock)
        showItem(place.id, shown);
    showItem(kSegmented, shown && t && !t->segments.isEmpty());
    comboResetContent(kOffsetType);
    Zrk_StringArray offsetTypes;
    core::getOffsetTypeStrings(offsetTypes);
    for (const Zrk_String& name : offsetTypes)
        comboAddString(kOffsetType, name);
    comboResetContent(kRotation);
    for (const Zrk_String& rotation : macrodlg::rotationItems())
        comboAddString(kRotation, rotation);
    comboResetContent(kPlane);
    for (const Zrk_String& text : {dialString(1018), dialString(697), dialString(1019), core::variesText()})
        comboAddString(kPlane, text);
    placeBlock();
}

void DlgMacroProfPage::fillLists() {
    const MacroTabData* t = tab();
    comboResetContent(kGroups);
    comboResetContent(kProfiles);
    if (!t) return;
    for (const MacroProfData& group : t->profGroups)
        comboAddString(kGroups, group.groupName);
    int group = comboFindStringExact(kGroups, lastGroup_);
    if (group < 0 && comboCount(kGroups) > 0) group = 0;
    comboSetCurSel(kGroups, group);
    if (group < 0) return;
    lastGroup_ = comboText(kGroups, group);
    comboAddString(kProfiles, dialString(1010));
    int chosen = 0;
    for (const MacroGroupProfile& profile : t->profGroups[group].profiles) {
        const int item = comboAddString(kProfiles, intToStr(profile.number));
        if (lastProfile_ != 0 && profile.number == lastProfile_) chosen = item;
    }
    comboSetCurSel(kProfiles, chosen);
}

Zrk_String DlgMacroProfPage::shownGroup() const {
    const int group = comboCurSel(kGroups);
    return group >= 0 ? comboText(kGroups, group) : Zrk_String();
}

int DlgMacroProfPage::shownProfile() const {
    const int item = comboCurSel(kProfiles);
    return item >= 1 ? core::toInt(comboText(kProfiles, item)) : 0;
}

bool DlgMacroProfPage::readTarget(MacroProfProps& props) const {
    const MacroTabData* t = tab();
    const Zrk_String group = shownGroup();
    if (!t || group.empty()) return false;
    const int profile = shownProfile();
    return profile == 0 ? t->getMergedPropsOfGroup(group, props)
                        : t->getPropsOfProfile(group, profile, props);
}

void DlgMacroProfPage::showValues() {
    MacroPage::showValues();
    if (!blockShown()) return;
    fillLists();
    showSettings();
}

void DlgMacroProfPage::showSettings() {
    MacroProfProps s;
    if (!readTarget(s)) return; // no group, or a profile no longer in the tab: the fields stay
    shownSettings_ = s;
    settingsShown_ = true;
    Zrk_StringArray shownNames;
    macrodlg::sectionListOf(s.sectionName, sectionList_, shownNames);
    comboResetContent(kSection);
    for (const Zrk_String& name : shownNames)
        comboAddString(kSection, name);
    comboSetCurSel(kSection,
                   isVaries(s.sectionName) ? comboCount(kSection) - 1 : sectionList_.find(s.sectionName));
    comboSetCurSel(kOffsetType, core::getDlgOffsetType(s.offsetType));
    // A rotation the list does not offer (45) is shown as typed.
    const int rotation = comboFindStringExact(kRotation, macrodlg::rotationText(s.rotation));
    comboSetCurSel(kRotation, rotation);
    if (rotation < 0) setItemText(kRotation, s.rotation);
    int plane = kPlanePicked;
    if (isVaries(s.basePlane))
        plane = kPlaneVaries;
    else if (s.basePlane.empty() && s.coordSystem.empty())
        plane = kPlaneNone;
    comboSetCurSel(kPlane, plane);
}

// --- storing and applying
// --------------------------------------------------------------------------------------

void DlgMacroProfPage::storeValues() {
    MacroPage::storeValues();
    MacroProfProps s;
    if (!blockShown() || !settingsShown_ || !readTarget(s)) return;
    const MacroProfProps& shown = shownSettings_;
    const MacroProfProps was = s;
    // Each field the person changed; the varies text (and an empty field) changes nothing.
    const int section = comboCurSel(kSection);
    if (sectionList_.isValid(section) && sectionList_[section] != shown.sectionName)
        s.sectionName = sectionList_[section];
    const int offset = comboCurSel(kOffsetType);
    if (offset >= 0 && offset != core::getDlgOffsetType(shown.offsetType))
        s.offsetType = core::getProfOffsetType(offset);
    const Zrk_String rotation = macrodlg::rotationOfText(itemText(kRotation));
    if (!rotation.empty() && !isVaries(rotation) && rotation != shown.rotation) s.rotation = rotation;
    if (comboCurSel(kPlane) == kPlaneNone && !(shown.basePlane.empty() && shown.coordSystem.empty())) {
        // No plane: the coordinate system goes too, or the list would show a picked plane again.
        s.basePlane.clear();
        s.coordSystem.clear();
    }
    if (s == was) return;
    MacroTabData* t = tab();
    const int profile = shownProfile();
    if (profile == 0)
        t->setMergedPropsOfGroup(shownGroup(), s);
    else
        t->setPropsOfProfile(shownGroup(), profile, s);
}

bool DlgMacroProfPage::applySettings(const Zrk_String& group, const MacroProfProps& props) {
    MacroTabData* t = tab();
    if (!t) return false;
    const MacroTabData before = *t;
    const int profile = group.empty() ? shownProfile() : 0;
    const Zrk_String name = group.empty() ? shownGroup() : group;
    const Acad::ErrorStatus written =
        profile == 0 ? t->setMergedPropsOfGroup(name, props) : t->setPropsOfProfile(name, profile, props);
    return written == Acad::eOk && applyTabChange(before);
}

// --- picks
// ---------------------------------------------------------------------------------------------------------

bool DlgMacroProfPage::pickSection(const Zrk_String& group) {
    const MacroTabData* t = tab();
    MacroProfProps s;
    if (!t || !(group.empty() ? readTarget(s) : t->getMergedPropsOfGroup(group, s))) return false;
    acedPostCommand("CANCELCMD");
    Zrk_String picked;
    if (!macrodlg::chooseSection(this, s.sectionName, picked) || picked.empty()) return false;
    s.sectionName = picked;
    return applySettings(group, s);
}

bool DlgMacroProfPage::pickBasePlane() {
    const int item = comboCurSel(kPlane);
    MacroProfProps s;
    if ((item != kPlanePicked && item != kPlaneCoordSystem) || !readTarget(s)) return false;
    DlgMacro& dialog = macroDialog();
    dialog.BeginEditorCommand();
    Zrk_String answer;
    bool picked = false;
    if (item == kPlaneCoordSystem) {
        picked = core::editorHooks().pickCoordSystem("Select a coordinate system", answer);
        if (picked) {
            s.basePlane = "xp";
            s.coordSystem = answer;
        }
    } else {
        picked = core::editorHooks().pickPlane("Pick the base plane of the profile", answer);
        if (picked) s.basePlane = answer;
    }
    dialog.CompleteEditorCommand();
    return picked && applySettings({}, s);
}

// --- the advanced and segmented dialogs
// ---------------------------------------------------------------------------

bool DlgMacroProfPage::serveAdvanced(int request, MacroProfData& settings) {
    // The macro dialog steps aside for the pick as a dialog does (a plain hide would end its modal run).
    if (request == KvMACallBackData::kHide) return macroDialog().BeginEditorCommand(), true;
    if (request == KvMACallBackData::kShow) return macroDialog().CompleteEditorCommand(), true;
    if (request == KvMACallBackData::kWrite) applySettings(advancedGroup_, settings.merged);
    // Read: the group's record, with the chosen profile's settings when the page's target is one.
    const MacroTabData* t = tab();
    const Zrk_String group = advancedGroup_.empty() ? shownGroup() : advancedGroup_;
    int index = -1;
    if (!t || !t->findProfDataWithGroup(group, index)) return false;
    MacroProfData read = t->profGroups[index];
    if (advancedGroup_.empty() && !readTarget(read.merged)) return false;
    settings = read;
    return true;
}

void DlgMacroProfPage::runAdvanced(const Zrk_String& group) {
    const MacroTabData* t = tab();
    const Zrk_String name = group.empty() ? shownGroup() : group;
    if (!t || name.empty()) return;
    acedPostCommand("CANCELCMD");
    MacroData& data = macroDialog().macroData;
    advancedGroup_ = group;
    DlgMacroProfAdv dialog(this);
    dialog.data.groupName = name;
    dialog.groupFixed = true;
    dialog.coordSystemAllowed = data.coordSystemAllowed;
    dialog.callbackData.macroData = &data;
    dialog.callbackData.tabName = t->name;
    dialog.callback = [this](int request, KvMACallBackData&, MacroProfData& settings) {
        return serveAdvanced(request, settings);
    };
    frame::runModal(dialog);
    advancedGroup_.clear();
    data.profAdvView.clear();
    // The coordinate system the dialog made goes again unless a profile now stands on it. Nothing
    // else is erased: the objects the dialog edited are the person's macros.
    if (!dialog.createdCoordSystem.empty() && !standsOnCoordSystem(data, dialog.createdCoordSystem))
        if (core::Drawing* drawing = core::workingDrawing()) {
            const int at = drawing->findCoordSystem(dialog.createdCoordSystem);
            if (at >= 0) drawing->coordSystemsWrite().removeAt(at);
        }
    macroDialog().refreshAllPages(true);
}

bool DlgMacroProfPage::runSegmented() {
    MacroTabData* t = tab();
    if (!t) return false;
    Zrk_Array<MacroSegmentedProfile> segments = t->segments;
    if (!StartDlgProfSegmented(segments)) return false;
    t = tab();
    const MacroTabData before = *t;
    t->segments = segments;
    return applyTabChange(before);
}

// --- events
// ----------------------------------------------------------------------------------------------------------

bool DlgMacroProfPage::onFixedCommand(int id, int code) {
    if (code == ui::CBN_SELCHANGE) {
        switch (id) {
        case kGroups:
            lastGroup_ = shownGroup();
            showValues();
            return true;
        case kProfiles:
            lastProfile_ = shownProfile();
            showValues();
            return true;
        case kSection:
        case kOffsetType:
            applyChanges();
            return true;
        case kRotation: {
            const int item = comboCurSel(kRotation);
            if (item >= 0) setItemText(kRotation, comboText(kRotation, item));
            applyChanges();
            return true;
        }
        case kPlane:
            if (!pickBasePlane()) applyChanges();
            return true;
        default:
            return true;
        }
    }
    if (id == kRotation && code == ui::CBN_KILLFOCUS) return applyChanges(), true;
    if (code != ui::BN_CLICKED) return true;
    switch (id) {
    case kPickSection:
        pickSection({});
        return true;
    case kPickPlane:
        pickBasePlane();
        return true;
    case kAdvanced:
        runAdvanced({});
        return true;
    case kSegmented:
        runSegmented();
        return true;
    default:
        return true;
    }
}

bool DlgMacroProfPage::onProfileGroupButton(int id, Zrk_ControlType type) {
    const MacroTabData* t = tab();
    int index = -1;
    if (!t || !t->findProfDataWithCtrlResId(id, index)) return false;
    const Zrk_String group = t->profGroups[index].groupName;
    if (type == ctProfButton)
        pickSection(group);
    else
        runAdvanced(group);
    return true;
}
