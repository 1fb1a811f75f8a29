// Demonstrations of the core library's dialogs for the host shell (module/demo_dialogs.h): the report
// and the section chooser, on the sample library.

#include "core/language.h"
#include "module/demo_dialogs.h"
#include "ui/dlg_info.h"
#include "ui/dlg_select_prof.h"

namespace {

// A report as the cutting-stock input writes one when it loads the newest files of every group.
Zrk_String demoReport() {
    DlgInfoData report("Load the newest files", dialString(285));
    const Zrk_String rule(116, '-');
    report.addLine(rule);
    report.addLine("Loaded stock file \"stock3.shp\" for group \"HEA 200\" of 12 March, 2024 (09:41)");
    report.addLine("");
    report.addLine("No purchase file found for group \"HEA 200\".");
    report.addLine(rule);
    report.addLine("Loaded stock file \"stock1.shp\" for group \"IPE 300\" of 2 February, 2024 (16:05)");
    report.addLine("");
    report.addLine("Loaded purchase file \"stock2.buy\" for group \"IPE 300\" of 2 February, 2024 (16:07)");
    report.addLine(rule);
    return ExportStartDlgInfo(report) ? "Closed." : "The report could not be shown.";
}

// The section chooser, starting at a section of the sample library.
Zrk_String demoSelectSection() {
    DlgSelectProf chooser;
    chooser.data.section = "HEA-200";
    if (chooser.doModal() != ui::IDOK) return "Cancelled.";
    return "Chosen: " + chooser.data.section + " (" + chooser.data.path + ")";
}

[[maybe_unused]] const bool kReportDemo = frame::registerDemoDialog("report", &demoReport);
[[maybe_unused]] const bool kSectionDemo = frame::registerDemoDialog("select-section", &demoSelectSection);

} // namespace
