#include "standards/standards_host_dlg.h"

#include "core/files.h"
#include "module/module_resources.h"
#include "standards/evaluation_chain.h"
#include "standards/evaluation_trace.h"
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

bool KvStandardsHostDlg::evaluate(KvDlgStandardsData& record) {
    data = record;
    if (runStandards() != Acad::eOk) return false;
    record = data;
    return true;
}

Acad::ErrorStatus KvStandardsHostDlg::runStandards() {
    // One run (with its children) looks at each library file once.
    const core::FileLookScope looks;
    if (standards::evaluationChain().isEmpty()) standards::clearFailure();
    if (!sheet.attached) {
        standards::setFailure("The spreadsheet window of the standards evaluation could not be created.");
        return Acad::eInvalidInput;
    }

    {
        const Zrk_FunctionTimer timer(gLoadFile);
        if (sheet.loadStandardsFile(data.ssName) != Acad::eOk) return Acad::eInvalidInput;
    }

    const standards::ChainLink link(sheet.filePath);
    const standards::SheetRecording recording(sheet.filePath);
    switch (data.mode) {
    case KvDlgStandardsData::kEvaluateForMacro:
        if (sheet.initSSForInput(data) != Acad::eOk || sheet.calcMain(data) != Acad::eOk) return Acad::eInvalidInput;
        data.varCells = sheet.varCells;
        break;
    case KvDlgStandardsData::kEvaluateAsChild:
        if (sheet.getFromVars(data) != Acad::eOk || sheet.calcChild(data.varCells) != Acad::eOk)
            return Acad::eInvalidInput;
        break;
    default:
        return Acad::eOk;
    }
    // The values the evaluation ended with (the Outputs as read back from their cells).
    if (standards::SheetTrace* trace = standards::currentSheetTrace()) {
        for (standards::TracedVariable& variable : trace->variables) {
            int index = -1;
            if (sheet.varCells.findVarCell(variable.name, index) == Acad::eOk) variable.value = sheet.varCells[index].value;
        }
        trace->complete = true;
    }
    return Acad::eOk;
}
