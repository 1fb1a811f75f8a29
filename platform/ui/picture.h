#pragma once
// Pictures of windows: any dialog saved as a PNG file, with or without a display.

#include <QImage>
#include <QWidget>

#include "core/zrk_string.h"

namespace ui {

// The window as it looks now; a window (not a page) with a plain frame and its title bar.
QImage windowPicture(QWidget& window);
// Writes the picture as a PNG file (atomically). False with a message when it cannot be written.
bool savePicture(QWidget& window, const Zrk_String& path, Zrk_String* error = nullptr);

} // namespace ui
