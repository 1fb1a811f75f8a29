#pragma once
// The one place where Qt's signals and focus events of the controls become the dialog's onCommand
// and onNotify (codes.h says which code means what).

#include <QWidget>

#include "ui/dialog_template.h"

namespace ui {

class Dialog;

void connectControlEvents(Dialog& dialog, QWidget* control, Kind kind);

} // namespace ui
