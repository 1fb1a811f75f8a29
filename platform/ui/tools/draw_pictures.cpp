// Draws the module's pictures into a resource folder: ss_draw_pictures RESOURCES
//   bitmaps/8134.png   the checked face of a picture check box (grids of the macro dialogs)
//   bitmaps/8136.png   the unchecked face
// The pictures are drawn here, from nothing, so that the module owns every picture it shows.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>

namespace {

using Drawing = std::function<void(QPainter&)>;

bool save(const QString& folder, const char* name, int width, int height, const Drawing& draw) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    const QString path = folder + "/" + name;
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// A 13 x 13 box: white inside, a grey frame, a soft shade along the top and left inside edges.
void checkBoxFrame(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255));
    painter.drawRect(QRectF(1, 1, 11, 11));
    painter.setBrush(QColor(226, 226, 226));
    painter.drawRect(QRectF(1, 1, 11, 1));
    painter.drawRect(QRectF(1, 1, 1, 11));
    painter.setPen(QPen(QColor(112, 112, 112), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, 12, 12));
}

void checkMark(QPainter& painter) {
    QPainterPath tick;
    tick.moveTo(3.2, 6.6);
    tick.lineTo(5.4, 9.0);
    tick.lineTo(9.9, 3.6);
    painter.setPen(QPen(QColor(32, 32, 32), 1.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tick);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ss_draw_pictures RESOURCE_FOLDER\n");
        return 2;
    }
    const QString bitmaps = QString::fromLocal8Bit(argv[1]) + "/bitmaps";
    if (!QDir().mkpath(bitmaps)) {
        std::fprintf(stderr, "Cannot make %s\n", qPrintable(bitmaps));
        return 1;
    }
    bool ok = save(bitmaps, "8134.png", 13, 13, [](QPainter& p) {
        checkBoxFrame(p);
        checkMark(p);
    });
    ok = save(bitmaps, "8136.png", 13, 13, [](QPainter& p) { checkBoxFrame(p); }) && ok;
    return ok ? 0 : 1;
}
