#pragma once
// The engine runs each sheet on a hidden host dialog (the spreadsheet control needs a window; see
// standards_host_dlg.h). The dialogs belong to the frame's pool; the frame lends them to the engine
// through this hook, which it installs while the module is loaded, so that the engine never reaches
// up into the frame. Without a lender installed nothing runs and the reason says so.

#include <functional>

#include "core/zrk_string.h"
#include "module/export.h"

class KvDlgStandardsData;
class KvStandardsHostDlg;

namespace standards {

using HostDialogWork = std::function<bool(KvStandardsHostDlg& dialog)>;
// Runs work on a dialog taken from the pool with the module's resources current. The dialog stays
// taken until work returns, so an evaluation nested inside it (a child sheet) gets a dialog of its
// own. Answers what work answered; false with the reason in error when no dialog could be had.
using HostDialogLender = bool (*)(const HostDialogWork& work, Zrk_String& error);

SS_EXPORT void setHostDialogLender(HostDialogLender lender);
bool withHostDialog(const HostDialogWork& work, Zrk_String& error);

// The evaluation the record asks for (mode 0 for a macro, 1 as a child, any other: load only) on a
// lent dialog: the dialog works on a copy, and the record takes the results only when it succeeded.
// A failure's reason is left in lastFailure() (evaluation_chain.h).
bool evaluateOnHostDialog(KvDlgStandardsData& data);

} // namespace standards
