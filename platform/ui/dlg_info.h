#pragma once
// The core library's report window: a DlgInfoData (core/info_data.h) shown for the person to read,
// resizable, with its lines in a font of fixed width, a button that saves the report as a text file,
// and the closing button (the record's heading). Its size is kept under "DLG_INFO".
//
//   DlgInfoData report(dialString(652), dialString(285));
//   report.addLine(Zrk_String(116, '-'));
//   ...
//   ExportStartDlgInfo(report);

#include "core/info_data.h"
#include "ui/dialog.h"
#include "ui/resizer.h"

class DlgInfo : public ui::Dialog {
public:
    enum : int { kTemplate = 30001, kText = 1001, kSave = 1002 };
    DlgInfo();
    DlgInfoData data;

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onSize(int width, int height) override;
    void onDestroy() override;

private:
    void save();
    CResizer resizer_;
};

// Shows the report modally until the person closes it. False when it could not be shown.
bool ExportStartDlgInfo(DlgInfoData& data);
