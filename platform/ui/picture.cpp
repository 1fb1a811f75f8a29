#include "ui/picture.h"

#include <QBuffer>
#include <QPainter>

#include "core/files.h"

namespace ui {
namespace {

// A plain frame and title bar around a window's client area, as a window manager draws them, so that
// a picture shows the window's caption even where no window manager runs.
QImage framed(QWidget& window, const QImage& client) {
    QFont font = window.font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int border = 1;
    const int titleHeight = metrics.height() + 10;
    QImage picture(client.width() + 2 * border, client.height() + titleHeight + 2 * border,
                   QImage::Format_ARGB32_Premultiplied);
    picture.fill(QColor(112, 116, 122));
    QPainter painter(&picture);
    const QRect title(border, border, client.width(), titleHeight);
    painter.fillRect(title, QColor(222, 226, 231));
    painter.setFont(font);
    painter.setPen(QColor(32, 33, 36));
    int right = title.right() - 8;
    if (window.windowFlags() & Qt::WindowCloseButtonHint) {
        // The close box: a small cross.
        const int size = metrics.height() / 2;
        const QPoint centre(title.right() - titleHeight / 2, title.center().y());
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(32, 33, 36), 1.6));
        painter.drawLine(centre + QPoint(-size / 2, -size / 2), centre + QPoint(size / 2, size / 2));
        painter.drawLine(centre + QPoint(-size / 2, size / 2), centre + QPoint(size / 2, -size / 2));
        right = title.right() - titleHeight;
    }
    const QRect text(title.left() + 8, title.top(), std::max(0, right - title.left() - 8), title.height());
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, metrics.elidedText(window.windowTitle(), Qt::ElideRight, text.width()));
    painter.drawImage(border, border + titleHeight, client);
    return picture;
}

} // namespace

QImage windowPicture(QWidget& window) {
    const QImage client = window.grab().toImage();
    return window.isWindow() ? framed(window, client) : client;
}

bool savePicture(QWidget& window, const Zrk_String& path, Zrk_String* error) {
    const QImage picture = windowPicture(window);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (picture.isNull() || !picture.save(&buffer, "PNG")) {
        if (error) *error = "The window could not be drawn as a picture.";
        return false;
    }
    if (!writeFileAtomically(normalizePath(path), std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
        if (error) *error = "Cannot write the picture " + path + ".";
        return false;
    }
    return true;
}

} // namespace ui
