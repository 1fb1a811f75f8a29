#include "ui/picture_file.h"

#include <QPainter>

#include "core/files.h"

namespace ui {

bool loadPictureFile(const Zrk_String& path, QImage& image, std::optional<unsigned> transparentColour) {
    std::string bytes;
    if (path.empty() || !readFileBytes(path, bytes)) return false;
    QImage loaded;
    if (!loaded.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size())) ||
        loaded.isNull())
        return false;
    if (transparentColour) {
        loaded = loaded.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = 0xFF000000u | (*transparentColour & 0xFFFFFFu);
        for (int y = 0; y < loaded.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(loaded.scanLine(y));
            for (int x = 0; x < loaded.width(); ++x)
                if (line[x] == key) line[x] = 0;
        }
    }
    image = loaded;
    return true;
}

QImage fitPicture(const QImage& picture, const QSize& box) {
    QImage fitted(box, QImage::Format_ARGB32_Premultiplied);
    fitted.fill(Qt::transparent);
    if (picture.isNull() || box.isEmpty()) return fitted;
    const QImage scaled = picture.size().width() <= box.width() && picture.size().height() <= box.height()
                              ? picture
                              : picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&fitted);
    painter.drawImage(QPoint((box.width() - scaled.width()) / 2, (box.height() - scaled.height()) / 2),
                      scaled);
    return fitted;
}

} // namespace ui
