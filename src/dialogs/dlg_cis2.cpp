#include "dialogs/dlg_cis2.h"

#include "core/language.h"
#include "core/section_translation.h"
#include "core/settings.h"
#include "core/text.h"
#include "module/entry_function.h"
#include "module/module_resources.h"
#include "ui/dlg_section_translation.h"

namespace {

using ui::Kind;
using D = DlgCis2Info;

const ui::DialogTemplate kCis2Template(
    D::kTemplate, "CIS/2 export", 250, 196,
    {
        {D::kExplanation, Kind::Static, "", 7, 7, 236, 36, ui::style::NoPrefix},
        {D::kAnalysisModel, Kind::RadioButton, "Analysis model", 7, 50, 236, 10, ui::style::Group},
        {D::kManufacturingModel, Kind::RadioButton, "Manufacturing model, with:", 7, 64, 236, 10},
        {D::kBolts, Kind::CheckBox, "Bolts and holes", 19, 78, 224, 10, ui::style::Group},
        {D::kPlainParts, Kind::RadioButton, "Parts as plain lengths of section", 19, 92, 224, 10,
         ui::style::Group},
        {D::kPartsWithCuts, Kind::RadioButton, "Parts with their cuts", 19, 106, 224, 10},
        {D::kWelds, Kind::CheckBox, "Welds", 19, 120, 224, 10, ui::style::Group},
        {D::kAssemblies, Kind::CheckBox, "Assemblies", 19, 134, 224, 10},
        {D::kSectionNames, Kind::PushButton, "Section names...", 7, 155, 80, 14},
        {ui::IDOK, Kind::DefPushButton, "OK", 139, 176, 50, 14},
        {ui::IDCANCEL, Kind::PushButton, "Cancel", 193, 176, 50, 14},
    });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kCis2Template);

constexpr int kTextCaption = 1731;
constexpr int kTextExplanation1 = 1732;
constexpr int kTextExplanation2 = 1733;
constexpr int kTextSectionHeading = 670;
constexpr int kTextCis2Heading = 1740;

} // namespace

DlgCis2Info::DlgCis2Info(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

bool DlgCis2Info::onInitDialog() {
    if (const Zrk_String caption = dialString(kTextCaption); !caption.empty()) setTitle(caption);
    setItemText(kExplanation, dialString(kTextExplanation1) + "\n" + dialString(kTextExplanation2));
    frame::setItemTextFromTable(*this, kAnalysisModel, 1734);
    frame::setItemTextFromTable(*this, kManufacturingModel, 1735);
    frame::setItemTextFromTable(*this, kBolts, 665);
    frame::setItemTextFromTable(*this, kWelds, 1736);
    frame::setItemTextFromTable(*this, kPlainParts, 1737);
    frame::setItemTextFromTable(*this, kPartsWithCuts, 1738);
    frame::setItemTextFromTable(*this, kSectionNames, 1739);
    frame::setItemTextFromTable(*this, kAssemblies, 1741);

    checkRadioButton(kAnalysisModel, kManufacturingModel,
                     data.analysisModel ? kAnalysisModel : kManufacturingModel);
    setCheck(kBolts, data.bolts ? 1 : 0);
    checkRadioButton(kPlainParts, kPartsWithCuts, data.partsWithCuts ? kPartsWithCuts : kPlainParts);
    setCheck(kWelds, data.welds ? 1 : 0);
    setCheck(kAssemblies, data.assemblies ? 1 : 0);
    updateEnabling();
    return true;
}

void DlgCis2Info::updateEnabling() {
    const bool manufacturing = checkedRadioButton(kAnalysisModel, kManufacturingModel) == kManufacturingModel;
    for (int id : {kBolts, kPlainParts, kPartsWithCuts, kWelds, kAssemblies})
        enableItem(id, manufacturing);
}

void DlgCis2Info::editSectionNames() {
    const Zrk_String path = core::sectionTranslationPath(gSettings.libDir);
    Zrk_StringArray names;
    Zrk_StringArray cis2Names;
    Zrk_String message;
    if (!readSectionTranslation(path, names, cis2Names, &message)) {
        messageBox(asSentence(message), title(), ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return;
    }
    writeSectionTranslation(names, cis2Names, dialString(kTextSectionHeading), dialString(kTextCis2Heading),
                            path, this);
}

bool DlgCis2Info::onCommand(int id, int code) {
    if ((id == kAnalysisModel || id == kManufacturingModel) && code == ui::BN_CLICKED) {
        updateEnabling();
        return true;
    }
    if (id == kSectionNames && code == ui::BN_CLICKED) {
        editSectionNames();
        return true;
    }
    return ui::Dialog::onCommand(id, code);
}

void DlgCis2Info::onOK() {
    data.analysisModel = checkedRadioButton(kAnalysisModel, kManufacturingModel) != kManufacturingModel;
    data.bolts = checkState(kBolts) == 1;
    data.partsWithCuts = checkedRadioButton(kPlainParts, kPartsWithCuts) == kPartsWithCuts;
    data.welds = checkState(kWelds) == 1;
    data.assemblies = checkState(kAssemblies) == 1;
    endDialog(ui::IDOK);
}

bool StartDlgCis2Info(KvDlgCis2Data& data) {
    return frame::runModalOnCopy<DlgCis2Info>(data);
}

Zrk_String cis2Summary(const KvDlgCis2Data& data) {
    if (data.analysisModel) return "the analysis model";
    Zrk_StringArray with;
    Zrk_StringArray without;
    const auto list = [&](bool included, const char* what) { (included ? with : without).append(what); };
    list(data.bolts, "bolts");
    with.append(data.partsWithCuts ? "parts with their cuts" : "plain parts");
    list(data.welds, "welds");
    list(data.assemblies, "assemblies");
    const auto joined = [](const Zrk_StringArray& parts) {
        Zrk_String text;
        for (const Zrk_String& part : parts)
            text += (text.empty() ? "" : ", ") + part;
        return text;
    };
    Zrk_String text = "the manufacturing model with " + joined(with);
    if (!without.isEmpty()) text += ", without " + joined(without);
    return text;
}
