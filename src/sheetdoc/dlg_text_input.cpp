#include "sheetdoc/dlg_text_input.h"

#include "core/language.h"
#include "module/module_resources.h"
#include "module/module_state.h"

namespace {

using ui::Kind;

const ui::DialogTemplate kTextInputTemplate(DlgTextInput::kTemplate, "Input", 230, 62, {
    {DlgTextInput::kLabel, Kind::Static, "", 7, 7, 216, 9},
    {DlgTextInput::kEdit, Kind::Edit, "", 7, 19, 216, 14},
    {ui::IDOK, Kind::DefPushButton, "OK", 119, 41, 50, 14},
    {ui::IDCANCEL, Kind::PushButton, "Cancel", 173, 41, 50, 14},
});

[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kTextInputTemplate);

// The module's text-input dialog serves every ui::inputText of the layer.
[[maybe_unused]] const bool kServesLayer = (ui::setTextInputFunction(&askForText), true);

// The caller's caption, else the language's text, else the template's own.
void setCaption(ui::Dialog& dialog, int id, const Zrk_String& caption, int textId) {
    const Zrk_String text = caption.empty() ? dialString(textId) : caption;
    if (!text.empty()) dialog.setItemText(id, text);
}

} // namespace

bool DlgTextInput::onInitDialog() {
    setTitle(title);
    setItemText(kLabel, label);
    setItemText(kEdit, value);
    setCaption(*this, ui::IDOK, okCaption, 1);
    setCaption(*this, ui::IDCANCEL, cancelCaption, 2);
    showItem(kEdit, showEdit);
    if (!showEdit) return true; // the focus goes to the first button
    gotoDlgCtrl(kEdit);         // the whole value selected, ready to be typed over
    return false;
}

void DlgTextInput::onOK() {
    const Zrk_String text = itemText(kEdit);
    if (showEdit && text.empty()) return; // an empty name is no answer: the dialog stays
    value = text;
    accepted = true;
    endDialog(ui::IDOK);
}

bool askForText(ui::TextInput& input, QWidget* owner) {
    ModuleResourceSwitch resources;
    DlgTextInput dialog(owner);
    dialog.title = input.title;
    dialog.label = input.label;
    dialog.value = input.value;
    dialog.okCaption = input.okCaption;
    dialog.cancelCaption = input.cancelCaption;
    dialog.showEdit = input.showEdit;
    if (dialog.doModal() != ui::IDOK || !dialog.accepted) return false;
    input.value = dialog.value;
    return true;
}
