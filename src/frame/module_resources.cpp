#include "frame/module_resources.h"

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

} // namespace frame
