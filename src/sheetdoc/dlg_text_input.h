#pragma once
// The module's one-line text-input dialog (template 8069): a title, a label, an edit holding the value,
// OK and Cancel. Dialogs and grids ask for a name with it, through ui::inputText or askForText.

#include "ui/dialog.h"
#include "ui/text_input.h"

class DlgTextInput : public ui::Dialog {
public:
    static constexpr int kTemplate = 8069;
    static constexpr int kLabel = 8600;
    static constexpr int kEdit = 8003;

    explicit DlgTextInput(QWidget* owner = nullptr) : ui::Dialog(kTemplate, owner) {}

    Zrk_String title;
    Zrk_String label;
    Zrk_String value;
    Zrk_String okCaption;     // empty: the language's "OK" (text 1)
    Zrk_String cancelCaption; // empty: the language's "Cancel" (text 2)
    bool showEdit = true;
    bool accepted = false;

protected:
    bool onInitDialog() override;
    void onOK() override;
};

// Shows the text-input dialog with the module's resources. True when accepted; input.value is then
// the text (with the edit hidden: the value given in).
bool askForText(ui::TextInput& input, QWidget* owner = nullptr);
