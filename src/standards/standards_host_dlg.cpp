#include "standards/standards_host_dlg.h"

#include "frame/module_resources.h"
#include "standards/evaluation_chain.h"
#include "standards/standards_timers.h"

namespace {

const ui::DialogTemplate kStandardsHostTemplate(KvStandardsHostDlg::kTemplateId, "Standards", 260, 207, {
    {KvStandardsHostDlg::kSheetPlaceholder, ui::Kind::Placeholder, "", 7, 7, 190, 193},
    {ui::IDOK, ui::Kind::DefPushButton, "OK", 203, 7, 50, 14},
    {ui::IDCANCEL, ui::Kind::PushButton, "Cancel", 203, 24, 50, 14},
});
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kStandardsHostTemplate);

} // namespace

KvStandardsHostDlg::KvStandardsHostDlg(QWidget* owner) : ui::Dialog(kTemplateId, owner) {}

KvStandardsHostDlg::~KvStandardsHostDlg() = default;

bool KvStandardsHostDlg::onInitDialog() {
    sheet.attach(this, kSheetPlaceholder, /*clientRelative=*/false);
    return true;
}

Acad::ErrorStatus KvStandardsHostDlg::runStandards() {
    if (standards::evaluationChain().isEmpty()) standards::clearFailure();
    if (!sheet.attached) {
        standards::setFailure("The spreadsheet window of the standards evaluation could not be created.");
        return Acad::eInvalidInput;
    }

    gLoadFile.start();
    if (sheet.loadStandardsFile(data.ssName) != Acad::eOk) return Acad::eInvalidInput;
    gLoadFile.end();

    const standards::ChainLink link(sheet.filePath);
    switch (data.mode) {
    case KvDlgStandardsData::kEvaluateForMacro:
        if (sheet.initSSForInput(data) != Acad::eOk || sheet.calcMain(data) != Acad::eOk) return Acad::eInvalidInput;
        data.varCells = sheet.varCells;
        return Acad::eOk;
    case KvDlgStandardsData::kEvaluateAsChild:
        if (sheet.getFromVars(data) != Acad::eOk || sheet.calcChild(data.varCells) != Acad::eOk)
            return Acad::eInvalidInput;
        return Acad::eOk;
    default:
        return Acad::eOk;
    }
}
