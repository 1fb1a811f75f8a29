#include "module/module_resources.h"

#include "core/language.h"

ui::Bitmap gCheckBoxCheckedBitmap;
ui::Bitmap gCheckBoxUncheckedBitmap;

namespace frame {

ui::ResourceSet& moduleResources() {
    static ui::ResourceSet resources;
    return resources;
}

bool registerTemplate(const ui::DialogTemplate& dialogTemplate) {
    moduleResources().addTemplate(dialogTemplate);
    return true;
}

void setItemTextFromTable(ui::Dialog& dialog, int id, int textId) {
    if (const Zrk_String text = dialString(textId); !text.empty()) dialog.setItemText(id, text);
}

} // namespace frame
