#pragma once
// The hidden host dialog of a standards evaluation: the spreadsheet control needs a window, so each
// evaluation runs in one of these, lent from the frame's pool (host_dialogs.h). It is a modeless
// dialog of template 253, created and never shown; its sheet takes the place of placeholder 1196 when
// it is created.

#include "host/acad.h"
#include "standards/standards_data.h"
#include "standards/standards_sheet.h"
#include "ui/dialog.h"

class KvStandardsHostDlg : public ui::Dialog {
public:
    static constexpr int kTemplateId = 253;
    static constexpr int kSheetPlaceholder = 1196;

    explicit KvStandardsHostDlg(QWidget* owner = nullptr);
    ~KvStandardsHostDlg() override;

    // The dialog's own copy of the caller's record.
    KvDlgStandardsData data;
    KvStandardsSheet sheet;

    // Runs the evaluation the record asks for: loads the sheet, then mode 0 evaluates it for the macro
    // (the record's variables become the sheet's), mode 1 as a child (the record's variables receive
    // the outputs); any other mode only loads. eInvalidInput when a step fails.
    Acad::ErrorStatus runStandards();
    // The caller's record in, runStandards, the results back into the record when it succeeded (a
    // failure leaves the record as it was).
    bool evaluate(KvDlgStandardsData& record);

protected:
    bool onInitDialog() override;
};
