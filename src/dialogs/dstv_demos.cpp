// Demonstrations of the DSTV point dialogs for the host shell (module/demo_dialogs.h), on a temporary
// copy of the library's points folder: a person may add, delete and edit groups and points without
// changing the library.
//   sshost dialog dstv-groups    the point groups dialog, the group in use checked
//   sshost dialog dstv-points    the points dialog on the group "Weld points" (three points)

#include "core/dstv_points.h"
#include "core/text.h"
#include "dialogs/dlg_dstv_groups.h"
#include "dialogs/dlg_dstv_points.h"
#include "module/demo_dialogs.h"
#include "module/entry_function.h"
#include "module/temporary_library.h"

namespace {

const char* const kPointsFolder = "DSTV Points";
const Zrk_String kSampleGroup = "Weld points";
const Zrk_String kNotKept = " (on a copy of the library, not kept)";

Zrk_String joined(const Zrk_StringArray& parts) {
    Zrk_String text;
    for (const Zrk_String& part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text.empty() ? Zrk_String("none") : text;
}

Zrk_String demoGroups() {
    frame::TemporaryLibrary library({kPointsFolder});
    if (!library.ok()) return "The library could not be copied into a temporary folder.";
    StartDSTVPointsDlg();
    Zrk_StringArray groups;
    DlgDstvPoints::getAllDstvPointsFiles(groups);
    const Zrk_String inUse = DlgDstvPoints::getStandardDstvPointsFile();
    return "Groups: " + joined(groups) + "; in use: " + (inUse.empty() ? Zrk_String("none") : inUse) +
           kNotKept + ".";
}

Zrk_String demoPoints() {
    frame::TemporaryLibrary library({kPointsFolder});
    if (!library.ok()) return "The library could not be copied into a temporary folder.";
    DlgDstvPoints points;
    Zrk_String message;
    if (!points.readFromFile(kSampleGroup, &message)) return message;
    if (!frame::runModalOnCopy<DlgEditDstvPoints>(points, {frame::Resources::CallerResources}))
        return "Cancelled.";
    Zrk_StringArray names;
    for (const Zrk_DstvPointInfo& point : points.points)
        names.append(point.name());
    return "Points of " + kSampleGroup + ": " + joined(names) + kNotKept + ".";
}

[[maybe_unused]] const bool kGroupsDemo = frame::registerDemoDialog("dstv-groups", &demoGroups);
[[maybe_unused]] const bool kPointsDemo = frame::registerDemoDialog("dstv-points", &demoPoints);

} // namespace
