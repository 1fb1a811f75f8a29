// The macro dialog's property files are chosen in the property-file dialog (dlg_prop_file.h): the
// files of the data's property folder, those written for the macros edited first. The name chosen
// becomes the file's path in that folder; a name that cannot be one (it would leave the folder) is
// told and nothing is read or written. The macro dialog reads or writes the file itself.

#include "core/language.h"
#include "macrodlg/dlg_macro.h"
#include "macrodlg/dlg_prop_file.h"
#include "ui/message_box.h"

namespace {

bool choosePropertyFile(DlgMacro& dialog, bool load, Zrk_String& path) {
    const MacroData& data = dialog.macroData;
    DlgPropFileData files;
    files.saveMode = !load;
    data.getPropFiles(files.folder, files.extension, files.allNames, files.matchingNames);
    if (!StartDlgPropFile(files)) return false;
    if (data.propFilePath(files.chosenName, path)) return true;
    dialog.messageBox("\"" + files.chosenName + "\" cannot name a property file.", {},
                      ui::MB_OK | ui::MB_ICONEXCLAMATION);
    return false;
}

[[maybe_unused]] const bool kInstalled = (DlgMacro::setPropertyFileChooser(&choosePropertyFile), true);

} // namespace
