// Demonstrations of the image selection and CIS/2 options dialogs for the host shell
// (module/demo_dialogs.h):
//   sshost dialog select-image   the pictures of the library's "Images/" folder, "Portal bracing" chosen
//   sshost dialog cis2           new options; "Section names..." edits the sample translation on a
//                                temporary copy of the library

#include "core/files.h"
#include "core/section_translation.h"
#include "core/settings.h"
#include "core/text.h"
#include "dialogs/dlg_cis2.h"
#include "dialogs/dlg_select_image.h"
#include "module/demo_dialogs.h"
#include "module/temporary_library.h"

namespace {

Zrk_String demoSelectImage() {
    KvSelectImageDlgData data;
    data.caption = "Choose a picture";
    const Zrk_String folder = gSettings.libDir + DlgSelectImage::kLibraryImagesFolder;
    if (!ObjectExportFindFilesRecursive(folder, "*.png", data.images) || data.images.isEmpty())
        return "There are no pictures in " + folder + ".";
    for (const Zrk_String& path : data.images)
        if (getFileName(path, false) == "PortalBracing") data.selection = path;
    if (!StartDlgSelectImage(data)) return "Cancelled.";
    return "Chosen: " + data.selection + ".";
}

Zrk_String demoCis2() {
    frame::TemporaryLibrary library({core::kSectionTranslationFile, "Macros"});
    if (!library.ok()) return "The library could not be copied into a temporary folder.";
    KvDlgCis2Data data;
    if (!StartDlgCis2Info(data)) return "Cancelled.";
    return "CIS/2 export: " + asSentence(cis2Summary(data));
}

[[maybe_unused]] const bool kSelectImageDemo = frame::registerDemoDialog("select-image", &demoSelectImage);
[[maybe_unused]] const bool kCis2Demo = frame::registerDemoDialog("cis2", &demoCis2);

} // namespace
