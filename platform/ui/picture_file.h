#pragma once
// Pictures read from files of the library or product folder (cut types, constraint kinds, macro
// previews), as opposed to the module's pictures by resource number (resources.h). Any format Qt
// reads is taken (BMP, PNG ...); the name is a module text.

#include <QImage>
#include <optional>

#include "core/zrk_string.h"

namespace ui {

// Reads the picture. With a transparent colour, every pixel of exactly that colour (0xRRGGBB)
// becomes transparent, as bitmaps drawn on a plain ground are shown on a button. False (and image
// untouched) when the file cannot be read or is no picture.
bool loadPictureFile(const Zrk_String& path, QImage& image,
                     std::optional<unsigned> transparentColour = std::nullopt);

// The picture scaled to fit a box of that size, keeping its proportions, centred on a transparent
// ground of exactly that size.
QImage fitPicture(const QImage& picture, const QSize& box);

} // namespace ui
