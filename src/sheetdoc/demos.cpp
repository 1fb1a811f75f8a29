// Demonstrations of the spreadsheet documents' dialogs for the host shell (module/demo_dialogs.h).

#include "module/demo_dialogs.h"
#include "sheetdoc/dlg_text_input.h"

namespace {

// The name question of a grid that inserts a column.
Zrk_String demoTextInput() {
    ui::TextInput input;
    input.title = "Insert column";
    input.label = "Name of the new column:";
    input.value = "Column 4";
    input.okCaption = "Ok";
    if (!askForText(input)) return "Cancelled.";
    return "Accepted: \"" + input.value + "\"";
}

[[maybe_unused]] const bool kDemo = frame::registerDemoDialog("text-input", &demoTextInput);

} // namespace
