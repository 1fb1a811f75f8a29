#include "ui/macro_previews.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include "core/codepage.h"
#include "core/drawing.h"
#include "core/files.h"

namespace ui {

namespace {

constexpr int kWidth = 160, kHeight = 120;

// Members side by side as I-sections, the modules as plates between them (a bolt module's plate
// carries its bolts, a profile module's its cleats), and the drawing's name along the bottom.
void sketch(QPainter& painter, const core::Drawing& drawing, const QString& name) {
    painter.fillRect(0, 0, kWidth, kHeight, QColor(250, 250, 246));
    int members = 0;
    Zrk_Array<const Zrk_Module*> modules;
    for (int m = 0; m < drawing.macroCount(); ++m) {
        const Zrk_Macro& macro = *drawing.macroAt(m)->macro();
        members += macro.baseProfiles.length();
        for (const Zrk_Module& module : macro.modules)
            modules.append(&module);
    }
    members = std::clamp(members, 1, 3);
    const int band = kWidth / members;
    painter.setPen(QPen(QColor(70, 70, 80), 1.5));
    painter.setBrush(QColor(170, 180, 195));
    for (int i = 0; i < members; ++i) {
        const int x = band * i + band / 2;
        painter.drawRect(QRectF(x - 14, 10, 28, 5)); // flange
        painter.drawRect(QRectF(x - 3, 15, 6, 66));  // web
        painter.drawRect(QRectF(x - 14, 81, 28, 5)); // flange
    }
    const int count = std::max(1, modules.length());
    for (int i = 0; i < modules.length(); ++i) {
        const Zrk_Module& module = *modules[i];
        const QRectF plate(12 + i * (kWidth - 24) / count + 4, 28, (kWidth - 24) / count - 8, 40);
        painter.setPen(QPen(QColor(60, 60, 60), 1));
        painter.setBrush(module.isProfileModule() ? QColor(120, 160, 110) : QColor(210, 150, 70));
        painter.drawRect(plate);
        if (module.isBoltModule()) {
            painter.setBrush(QColor(50, 50, 50));
            for (int row = 0; row < 2; ++row)
                for (int column = 0; column < 2; ++column)
                    painter.drawEllipse(QPointF(plate.left() + plate.width() * (column + 1) / 3,
                                                plate.top() + plate.height() * (row + 1) / 3),
                                        2.5, 2.5);
        }
    }
    painter.setPen(QColor(30, 30, 30));
    painter.drawText(QRect(2, 94, kWidth - 4, 22), Qt::AlignCenter, name);
}

} // namespace

bool drawMacroPreview(const Zrk_String& drawingPath, std::string& bmpBytes) {
    core::Drawing drawing;
    if (!drawing.readFromFile(drawingPath)) return false;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    sketch(painter, drawing, QString::fromStdString(core::toUtf8(getFileName(drawingPath, false))));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP")) return false;
    bmpBytes.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}

} // namespace ui

int CreatePreviewBMPs(const Zrk_StringArray& drawings, const Zrk_String& extension) {
    int made = 0;
    for (const Zrk_String& drawing : drawings) {
        std::string bytes;
        if (ui::drawMacroPreview(drawing, bytes) &&
            writeFileAtomically(changeExtension(drawing, extension), bytes))
            ++made;
    }
    return made;
}
