#include "bill/bill_sheet_holder.h"

#include "module/module_resources.h"
#include "module/module_state.h"

namespace {

// A pop-up that is never shown: only a host for the grid.
const ui::DialogTemplate kBillSheetTemplate(BillSheetDialog::kTemplate, "Bill", 320, 200, {
    {BillSheetDialog::kPlaceholder, ui::Kind::Placeholder, "", 0, 0, 320, 200},
});
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kBillSheetTemplate);

int gLiveWindows = 0;

} // namespace

namespace bill {
int liveSheetWindows() { return gLiveWindows; }
} // namespace bill

BillSheetDialog::BillSheetDialog() : ui::Dialog(kTemplate) {}

BillSheetDialog::~BillSheetDialog() {
    if (isCreated()) destroyWindow();
}

bool BillSheetDialog::onInitDialog() {
    grid.attach(this, kPlaceholder, false);
    return true;
}

BillSheetHolder::~BillSheetHolder() {
    if (!dialog_) return;
    dialog_->destroyWindow();
    dialog_.reset();
    --gLiveWindows;
}

bool BillSheetHolder::create() {
    if (!dialog_) {
        ModuleResourceSwitch resources;
        auto dialog = std::make_unique<BillSheetDialog>();
        if (!dialog->create(ui::mainWindow())) return false;
        dialog_ = std::move(dialog);
        ++gLiveWindows;
        if (QWidget* main = ui::mainWindow()) main->setFocus();
    }
    return grid() != nullptr;
}

Zrk_Spread* BillSheetHolder::grid() const {
    if (!dialog_ || !dialog_->isCreated() || !dialog_->grid.attached) return nullptr;
    return &dialog_->grid;
}
