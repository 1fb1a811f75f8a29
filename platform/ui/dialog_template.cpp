#include "ui/dialog_template.h"

namespace ui {

const ControlTemplate* DialogTemplate::control(int controlId) const {
    for (const ControlTemplate& control : controls)
        if (control.id == controlId) return &control;
    return nullptr;
}

} // namespace ui
