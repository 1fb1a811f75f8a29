#pragma once
// The entry functions of the standards engine: a caller hands a macro (or its own variables) and a
// standards spreadsheet; the sheet computes; the results come back.

#include "module/export.h"
#include "standards/host_dialogs.h"

class KvDlgStandardsData;

// Runs the evaluation the record asks for (mode 0 for a macro, mode 1 as a child, any other mode load
// only) on a hidden host dialog of the pool. True when it succeeded: the record then holds the
// results. False leaves the record as it was.
SS_EXPORT bool StartDlgStandardsSS(KvDlgStandardsData& data);
// A fixed check: "c:\a\a\a\test.kvs" in mode 1 with the Inputs Column "IPE-200" and Thickness "10" and
// the Outputs Width "212" and Length "356".
SS_EXPORT bool StartDlgStandardsSStest();

namespace frame {
// Lends a dialog of the pool (gSSDlgsMgr) to work, with the module's resources current: the lender
// the frame installs for the engine (standards/host_dialogs.h), and what StartDlgStandardsSS runs on.
bool lendStandardsHostDialog(const standards::HostDialogWork& work, Zrk_String& error);
} // namespace frame
