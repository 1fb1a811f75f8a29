#pragma once
// The hidden window that hosts the bill's grid: a modeless dialog of template 248 (a hidden pop-up
// with the placeholder 1196) owned by the host's main window, with a Zrk_Spread over the
// placeholder. The holder makes the window on first use and destroys it when it is destroyed
// itself; the bill outputs that share a holder share its one window.

#include <memory>

#include "spread/zrk_spread.h"
#include "ui/dialog.h"

class BillSheetDialog : public ui::Dialog {
public:
    static constexpr int kTemplate = 248;
    static constexpr int kPlaceholder = 1196;

    BillSheetDialog();
    ~BillSheetDialog() override;

    Zrk_Spread grid;

protected:
    bool onInitDialog() override;
};

class BillSheetHolder {
public:
    BillSheetHolder() = default;
    ~BillSheetHolder();
    BillSheetHolder(const BillSheetHolder&) = delete;
    BillSheetHolder& operator=(const BillSheetHolder&) = delete;

    // Makes the window unless it exists (inside the module's resource switch), then gives the focus
    // back to the host's main window. True when the window and its grid exist.
    bool create();
    // The grid while the window exists, else null.
    Zrk_Spread* grid() const;

private:
    std::unique_ptr<BillSheetDialog> dialog_;
};

namespace bill {
// How many hidden bill windows exist now (each made once, destroyed once).
int liveSheetWindows();
} // namespace bill
