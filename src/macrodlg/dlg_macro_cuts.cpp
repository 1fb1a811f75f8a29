#include "macrodlg/dlg_macro_cuts.h"

#include "core/language.h"
#include "core/settings.h"
#include "core/text.h"
#include "module/entry_function.h"
#include "module/module_resources.h"
#include "ui/dialog_size.h"
#include "ui/picture_combo.h"

namespace {

using ui::Kind;
using D = DlgMacroCuts;

const ui::DialogTemplate kCutsTemplate(
    D::kTemplate, "Macro cut", 300, 250,
    {
        {D::kType, Kind::PictureCombo, "", 7, 7, 170, 160},
        {D::kNameLabel, Kind::Static, "Name:", 7, 37, 60, 9},
        {D::kName, Kind::Edit, "", 70, 35, 130, 13},
        {D::kOffsets, Kind::Placeholder, "", 7, 54, 286, 82, ui::style::Sunken},
        {D::kRadio1, Kind::RadioButton, "Option 1", 7, 142, 92, 10, ui::style::Group},
        {D::kRadio2, Kind::RadioButton, "Option 2", 102, 142, 92, 10},
        {D::kRadio3, Kind::RadioButton, "Option 3", 197, 142, 92, 10},
        {D::kTextLabel, Kind::Static, "Text:", 7, 160, 80, 9, ui::style::Group},
        {D::kText, Kind::Edit, "", 90, 158, 110, 13},
        {D::kChoiceLabel, Kind::Static, "Corner:", 7, 160, 80, 9},
        {D::kChoice, Kind::DropListCombo, "", 90, 158, 110, 80},
        {D::kFlagA, Kind::CheckBox, "Flag 1", 7, 177, 92, 10},
        {D::kFlagB, Kind::CheckBox, "Flag 2", 102, 177, 92, 10},
        {D::kFlagC, Kind::CheckBox, "Flag 3", 197, 177, 92, 10},
        {D::kModeOwn, Kind::RadioButton, "A module of these macros", 7, 194, 140, 10, ui::style::Group},
        {D::kModePicked, Kind::RadioButton, "A module of another macro", 150, 194, 143, 10},
        {D::kModuleLabel, Kind::Static, "Module:", 7, 211, 80, 9, ui::style::Group},
        {D::kModule, Kind::DropDownCombo, "", 90, 209, 110, 80},
        {D::kPick, Kind::PushButton, "Pick macro", 206, 208, 87, 14},
        {ui::IDOK, Kind::DefPushButton, "OK", 189, 229, 50, 14},
        {ui::IDCANCEL, Kind::PushButton, "Cancel", 243, 229, 50, 14},
    });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kCutsTemplate);

const char* const kSizeKey = "DLG_MACRO_CUTS";

// The six types, in list order (type = index + 1): picture file and caption.
struct CutTypePicture {
    const char* file;
    int text;
};
constexpr CutTypePicture kTypePictures[] = {
    {"CutProfvsPlate.bmp", 1084},         {"CutProfvsProf.bmp", 1085}, {"CutProfinProf.bmp", 1086},
    {"CutProfvsProf3Segments.bmp", 1087}, {"CutChamfer.bmp", 1088},    {"CutFillet.bmp", 1089},
};

// Offset names as shown; a name not listed shows as it is stored.
struct OffsetText {
    const char* stored;
    int text;
    const char* number; // appended after a blank ("Chamfer offset 1"), or null
};
constexpr OffsetText kOffsetTexts[] = {
    {"Offset", 1099, nullptr},       {"PolyOffset", 1099, nullptr},   {"LengthOffset", 1100, nullptr},
    {"CenterOffset", 1101, nullptr}, {"InsideOffset", 1102, nullptr}, {"OutsideOffset", 1103, nullptr},
    {"Offset1", 1104, "1"},          {"Offset2", 1104, "2"},          {"Radius", 740, nullptr},
};

constexpr int kNameColumn = 1;
constexpr int kCheckColumn = 2;
constexpr int kValueColumn = 3;

void warn(ui::Dialog& dialog, const Zrk_String& text, const Zrk_String& caption) {
    dialog.messageBox(text, caption, ui::MB_OK | ui::MB_ICONEXCLAMATION);
}

} // namespace

Zrk_String DlgMacroCuts::offsetDisplayName(const Zrk_String& storedName) {
    for (const OffsetText& entry : kOffsetTexts) {
        if (storedName != entry.stored) continue;
        Zrk_String shown = dialString(entry.text);
        if (entry.number) shown += Zrk_String(" ") + entry.number;
        return shown;
    }
    return storedName;
}

DlgMacroCuts::DlgMacroCuts(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

bool DlgMacroCuts::onInitDialog() {
    ChangeDlgSize(this, kSizeKey);
    grid.attach(this, kOffsets, true);
    grid.applyStandardLook(true);
    setTitle(dialString(data.exists ? 1079 : 1080));
    frame::setItemTextFromTable(*this, kNameLabel, 1081);
    frame::setItemTextFromTable(*this, kModeOwn, 710);
    frame::setItemTextFromTable(*this, kModePicked, 711);
    frame::setItemTextFromTable(*this, kPick, 1082);
    frame::setItemTextFromTable(*this, kModuleLabel, 1083);
    frame::setItemTextFromTable(*this, ui::IDOK, 1);
    frame::setItemTextFromTable(*this, ui::IDCANCEL, 2);
    if (auto* types = itemAs<ui::PictureComboBox>(kType))
        for (const CutTypePicture& type : kTypePictures)
            types->addPictureFile(gSettings.zrkDir + "icons/" + type.file, dialString(type.text));
    for (int text = 1395; text <= 1398; ++text)
        comboAddString(kChoice, dialString(text));
    comboAddString(kChoice, "");
    showData();
    if (data.exists) {
        enableItem(kType, false);
        enableItem(kName, false);
        for (int id : {kModeOwn, kModePicked, kPick, kModuleLabel, kModule})
            showItem(id, false);
    }
    return true;
}

int DlgMacroCuts::shownType() const {
    return comboCurSel(kType) + 1;
}

void DlgMacroCuts::showData() {
    const Zrk_CutConstraint& cut = data.cut;
    comboSetCurSel(kType, core::isCutType(cut.cutType) ? cut.cutType - 1 : -1);
    setItemText(kName, cut.name);
    fillOffsets();
    setItemText(kText, cut.text);
    if (cut.cutType == core::kCutProfVsPlate) {
        comboSetCurSel(kChoice, cut.choice >= 0 && cut.choice <= core::kCutChoiceNone ? cut.choice
                                                                                      : core::kCutChoiceNone);
        setCheck(kFlagB, cut.flagB ? 1 : 0);
        setCheck(kFlagC, cut.flagC ? 1 : 0);
        checkRadioButton(kRadio1, kRadio3, cut.option ? kRadio2 : kRadio1);
    } else if (cut.cutType == core::kCutProfVsProf3Segments) {
        checkRadioButton(kRadio1, kRadio3, !cut.option ? kRadio3 : cut.secondFlag ? kRadio2 : kRadio1);
    }
    if (cut.cutType == core::kCutProfVsPlate || cut.cutType == core::kCutProfInProf)
        setCheck(kFlagA, cut.flagA ? 1 : 0);
    layoutByType();
    checkRadioButton(kModeOwn, kModePicked, data.moduleMode == 2 ? kModePicked : kModeOwn);
    enableItem(kPick, data.moduleMode == 2);
    fillModules(data.moduleName);
}

void DlgMacroCuts::fillOffsets() {
    const int rows = data.offsetNames.length();
    grid.setRedraw(false);
    grid.setNrRows(0);
    grid.setMaxCols(3);
    grid.setMaxRows(rows);
    grid.applyFonts();
    grid.setColumnHeaders({dialString(87), dialString(881), dialString(1078)});
    if (rows > 0) {
        grid.setStaticCells(kNameColumn, 1, kNameColumn, rows);
        grid.setCheckBoxColumn(kCheckColumn);
        grid.setTextCells(kValueColumn, 1, kValueColumn, rows);
    }
    for (int row = 1; row <= rows; ++row) {
        const int i = row - 1;
        grid.setCellText(kNameColumn, row, offsetDisplayName(data.offsetNames[i]));
        grid.setCellBool(kCheckColumn, row, data.offsetFlags.isValid(i) && data.offsetFlags[i] != 0);
        const Zrk_String value = data.offsetValues.isValid(i) ? data.offsetValues[i] : Zrk_String();
        grid.setCellText(kValueColumn, row, value.empty() ? Zrk_String("0") : value);
    }
    grid.setLayout(4, kCheckColumn, 20);
    grid.applyLayout();
    grid.setRedraw(true);
}

void DlgMacroCuts::layoutByType() {
    const int type = shownType();
    const bool type1 = type == core::kCutProfVsPlate;
    const bool type4 = type == core::kCutProfVsProf3Segments;
    showItem(kRadio1, type1 || type4);
    showItem(kRadio2, type1 || type4);
    showItem(kRadio3, type4);
    showItem(kChoiceLabel, type1);
    showItem(kChoice, type1);
    showItem(kFlagA, type1 || type == core::kCutProfInProf);
    showItem(kFlagB, type1 && !data.exists);
    showItem(kFlagC, type1);
    if (type1) {
        frame::setItemTextFromTable(*this, kRadio1, 1105);
        frame::setItemTextFromTable(*this, kRadio2, 1106);
        frame::setItemTextFromTable(*this, kChoiceLabel, 1394);
        frame::setItemTextFromTable(*this, kFlagA, 1108);
        frame::setItemTextFromTable(*this, kFlagB, 1109);
        frame::setItemTextFromTable(*this, kFlagC, 1399);
        if (checkState(kRadio3) == 1) checkRadioButton(kRadio1, kRadio3, kRadio2);
        if (comboCurSel(kChoice) < 0) comboSetCurSel(kChoice, core::kCutChoiceNone);
    } else if (type4) {
        frame::setItemTextFromTable(*this, kRadio1, 1110);
        frame::setItemTextFromTable(*this, kRadio2, 1111);
        frame::setItemTextFromTable(*this, kRadio3, 1112);
        if (checkedRadioButton(kRadio1, kRadio3) == 0) checkRadioButton(kRadio1, kRadio3, kRadio3);
    } else if (type == core::kCutProfInProf) {
        frame::setItemTextFromTable(*this, kFlagA, 1113);
    }
    updateTextField();
    updateFlags();
}

void DlgMacroCuts::updateTextField() {
    const bool shown = shownType() == core::kCutProfVsProf3Segments && checkState(kRadio3) != 1;
    showItem(kTextLabel, shown);
    showItem(kText, shown);
    if (shown) frame::setItemTextFromTable(*this, kTextLabel, checkState(kRadio2) == 1 ? 1114 : 1115);
}

void DlgMacroCuts::updateFlags() {
    if (shownType() != core::kCutProfVsPlate) {
        enableItem(kFlagA, true);
        return;
    }
    const bool a = checkState(kFlagA) == 1;
    const bool b = checkState(kFlagB) == 1;
    enableItem(kFlagB, !a);
    enableItem(kFlagA, !b);
    enableItem(kFlagC, b && !a);
}

void DlgMacroCuts::fillModules(const Zrk_String& keep) {
    comboResetContent(kModule);
    for (const Zrk_String& name : data.moduleNames)
        comboAddString(kModule, name);
    const int index = comboFindStringExact(kModule, keep);
    if (index >= 0)
        comboSetCurSel(kModule, index);
    else
        setItemText(kModule, keep);
}

void DlgMacroCuts::pickMacro() {
    const Zrk_String keep = itemText(kModule);
    BeginEditorCommand();
    const bool picked = data.UserSelectMacro();
    if (picked) fillModules(keep);
    CompleteEditorCommand();
}

bool DlgMacroCuts::onCommand(int id, int code) {
    if (id == kType && code == ui::CBN_SELCHANGE) {
        data.GetDefaultValues(shownType(), data.offsetNames, data.offsetValues, data.offsetFlags);
        fillOffsets();
        layoutByType();
        return true;
    }
    if (code == ui::BN_CLICKED) {
        switch (id) {
        case kModeOwn:
            enableItem(kPick, false);
            return true;
        case kModePicked:
            enableItem(kPick, true);
            pickMacro();
            return true;
        case kPick:
            pickMacro();
            return true;
        case kRadio1:
        case kRadio2:
        case kRadio3:
            updateTextField();
            return true;
        case kFlagA:
        case kFlagB:
            updateFlags();
            return true;
        default:
            break;
        }
    }
    return ui::Dialog::onCommand(id, code);
}

bool DlgMacroCuts::preTranslateKey(const ui::KeyPress& key) {
    if (key.key == ui::VK_ESCAPE) escaped_ = true; // then it cancels as usual
    return false;
}

void DlgMacroCuts::store() {
    Zrk_CutConstraint& cut = data.cut;
    if (!data.exists) {
        cut.cutType = shownType();
        cut.name = itemText(kName);
    }
    cut.text = itemText(kText);
    const int radio = checkedRadioButton(kRadio1, kRadio3);
    if (cut.cutType == core::kCutProfVsPlate) {
        cut.option = radio != 0 && radio != kRadio1;
        const int choice = comboCurSel(kChoice);
        cut.choice = choice < 0 ? core::kCutChoiceNone : choice;
        cut.flagB = checkState(kFlagB) == 1;
        cut.flagC = checkState(kFlagC) == 1;
    } else if (cut.cutType == core::kCutProfVsProf3Segments) {
        cut.option = radio != kRadio3;
        cut.secondFlag = cut.option && radio == kRadio2;
    }
    if (cut.cutType == core::kCutProfVsPlate || cut.cutType == core::kCutProfInProf)
        cut.flagA = checkState(kFlagA) == 1;
    grid.setEditMode(false); // a value being typed counts
    const int rows = data.offsetNames.length();
    data.offsetFlags.setLength(rows);
    data.offsetValues.setLength(rows);
    for (int row = 1; row <= rows; ++row) {
        bool checked = false;
        grid.getCellBool(kCheckColumn, row, checked);
        data.offsetFlags[row - 1] = checked ? 1 : 0;
        Zrk_String value;
        grid.getCellText(kValueColumn, row, value);
        data.offsetValues[row - 1] = trimmed(value);
    }
    if (!data.exists) {
        data.moduleMode = checkState(kModeOwn) == 1 ? 1 : 2;
        data.moduleName = itemText(kModule);
    }
}

void DlgMacroCuts::onOK() {
    if (itemText(kModule).empty()) {
        warn(*this, dialString(1090), dialString(1091));
        return;
    }
    store();
    if (data.moduleMode == 2 && data.CutNameInUse()) {
        warn(*this, dialString(1092) + "\n" + dialString(1093), dialString(1094));
        return;
    }
    if (!data.AreVarNamesValid()) {
        warn(*this, dialString(1095) + "\n" + dialString(1096) + " " + dialString(1097) + " \"gen_\".\n",
             dialString(1098));
        return;
    }
    endDialog(ui::IDOK);
}

void DlgMacroCuts::onDestroy() {
    WriteDlgSize(this, kSizeKey);
}

bool StartDlgMacroCuts(DlgMacroCutsData& data, bool& escaped) {
    DlgMacroCuts dialog;
    dialog.data = data;
    const bool ok = frame::runModal(dialog) == ui::IDOK;
    escaped = dialog.escaped();
    if (ok) data = dialog.data;
    return ok;
}
