// The files of the library: sections, general variables, DSTV points, templates, pictures, connections,
// cutting stock.
#include "sshost/gui/actions.h"

#include "core/csp2_library.h"
#include "core/files.h"
#include "core/gen_vars.h"
#include "core/section_library.h"
#include "core/settings.h"
#include "core/text.h"
#include "cuttingstock/dlg_csp2.h"
#include "designer/dlg_designer.h"
#include "dialogs/dlg_dstv_groups.h"
#include "dialogs/dlg_select_image.h"
#include "macrodlg/dlg_select_macro.h"
#include "sections/dlg_section_library.h"
#include "spread/formulas_dlg.h"
#include "standards/dlg_gen_vars.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"

namespace sshost::gui {
namespace {

void editSectionLibrary(ActionContext& context) {
    DlgEditLibData data;
    Zrk_String message;
    if (!data.readFromLibrary(&message)) {
        warn(context, message);
        return;
    }
    if (!StartDlgEditLibSections(data, {})) return;
    if (!data.writeToLibrary(&message)) {
        warn(context, message);
        return;
    }
    print("Section library written: " + core::toUtf8(DlgEditLibData::libraryFilePath()) + "\n");
}

void editGeneralVariables(ActionContext& context) {
    const Zrk_String path = KvAutoStandardsData::libraryFile(gSettings.libDir);
    KvAutoStandardsData data;
    Zrk_String message;
    if (!data.readFromFile(path, &message)) {
        warn(context, message);
        return;
    }
    if (!StartDlgGenVars(data)) return;
    if (!data.writeToFile(path)) {
        ui::messageBox("The general variables could not be written to " + path + ".", {},
                       ui::MB_OK | ui::MB_ICONEXCLAMATION, context.window);
        return;
    }
    print("General variables written: " + core::toUtf8(path) + "\n");
}

// The groups dialog writes the library's DSTV point files as the person changes them.
void editDstvPoints(ActionContext&) {
    StartDSTVPointsDlg();
}

// The library's cutting-stock groups; on OK the changed rows are written back to their files.
void editCuttingStock(ActionContext& context) {
    DlgCSP2Data data = CuttingStockLibrary::newRecord(false);
    CuttingStockLibrary library;
    Zrk_String message;
    if (!library.read(data, &message)) {
        warn(context, message);
        return;
    }
    if (!StartDlgCSP2(data)) return;
    Zrk_StringArray written;
    const bool ok = library.writeBack(data, written, &message);
    for (const Zrk_String& path : written)
        print("Cutting stock written: " + core::toUtf8(path) + "\n");
    if (!ok) warn(context, message);
}

// The designer writes a template only when the person saves it there.
void openDesigner(ActionContext&) {
    StartDlgDesigner({});
}

// The pictures of the library's "Images/" folder, the last one chosen chosen again.
void choosePicture(ActionContext& context) {
    static KvSelectImageDlgData data;
    const Zrk_String folder = gSettings.libDir + DlgSelectImage::kLibraryImagesFolder;
    data.images.removeAll();
    ObjectExportFindFilesRecursive(folder, "*.png", data.images);
    if (data.images.isEmpty()) {
        ui::messageBox("There are no pictures in " + folder + ".", {}, ui::MB_OK | ui::MB_ICONINFORMATION,
                       context.window);
        return;
    }
    if (!StartDlgSelectImage(data)) return;
    print("Picture chosen: " + core::toUtf8(data.selection) + "\n");
}

// The connections of the library's "Macros/" folder by their pictures, with the extra button offered.
void selectMacro(ActionContext&) {
    Zrk_String result;
    bool other = true;
    if (!StartDlgSelectMacro({}, {}, -1, -1, result, other, false)) return;
    print(other ? std::string("Select macro: \"Other...\" pressed, no connection chosen\n")
                : "Connection chosen: " + core::toUtf8(result) + "\n");
}

// The "Formulas" window on a spreadsheet the person chooses (the library's standards first): its
// formulas calculated, to be read, changed and saved there.
void openFormulas(ActionContext& context) {
    ui::FileDialogRequest request;
    request.title = "Spreadsheet for the Formulas window";
    request.filterName = "Spreadsheets";
    request.extension = "kvs";
    request.startFolder = standardsFolder();
    Zrk_String path;
    if (!ui::getOpenFileName(request, path, context.window)) return;
    DlgFormulas window(context.window);
    window.mode = DlgFormulas::kEvaluate;
    window.fileName = path;
    window.doModal();
    print("Formulas: " + core::toUtf8(path) + ", cell (1, 1) = " + core::toUtf8(window.resultText) + "\n");
}

} // namespace

std::vector<WindowAction> libraryActions() {
    return {
        {"Library", "Section library...", TreeKind::None, &editSectionLibrary},
        {"Library", "General variables...", TreeKind::None, &editGeneralVariables},
        {"Library", "DSTV points...", TreeKind::None, &editDstvPoints},
        {"Library", "Dialog designer...", TreeKind::None, &openDesigner},
        {"Library", "Pictures...", TreeKind::None, &choosePicture},
        {"Library", "Select macro...", TreeKind::None, &selectMacro},
        {"Library", "Cutting stock input...", TreeKind::None, &editCuttingStock},
        {"Library", "Formulas...", TreeKind::None, &openFormulas},
    };
}

} // namespace sshost::gui
