#pragma once
// Module text (Windows-1252) to Qt and back: the one edge between the two, for every window of the
// framework and the grid.

#include <QString>

#include "core/codepage.h"

namespace ui {

inline QString qtText(const Zrk_String& text) {
    return QString::fromStdString(core::toUtf8(text));
}
inline Zrk_String moduleText(const QString& text) {
    return core::fromUtf8(text.toStdString());
}

} // namespace ui
