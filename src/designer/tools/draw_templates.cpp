// Draws the sample library's dialog templates: ss_draw_templates LIBRARY [PREVIEW_FOLDER]
//   Dialog Templates/Dialog Design/End plate.txt, .bmp       a beam on a column with an end plate
//   Dialog Templates/Dialog Design/Base plate.txt, .bmp      a column on a base plate with anchors
//   Dialog Templates/Dialog Design/Notched beam.txt, .bmp    a beam notched over a girder's flange:
//                                                            cut type, flex buttons, check boxes
//   Dialog Templates/Dialog Design/Macro plate.txt, Macro bolts.txt, Macro cleats.txt,
//   Macro stiffener.txt (each with its .bmp)                 the four tabs of the sample drawing's
//                                                            end-plate macros; together they use
//                                                            every one of the 31 control types
//   Dialog Templates/Dialog Design/Tests/Bad factors.txt     factors as a hand-edited file may hold
//                                                            them: far off, huge, negative, inverted
//   Dialog Templates/Dialog Design/Lists/*.lst               the items of their combo boxes
// The pictures are drawn here, from nothing, without smoothing: a picture's white is where the dialog
// shows through, and smoothed edges would leave a pale seam around every part. They are stored with a
// palette (they have only a few colours). With a preview folder, each template is also drawn there
// as a PNG with its controls outlined, to check the layout by eye.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <cstdio>
#include <functional>

#include "core/files.h"
#include "core/settings.h"
#include "designer/designer_data.h"

namespace {

const QColor kOutline(60, 66, 74);
const QColor kSteel(172, 182, 194);
const QColor kWeb(208, 214, 222);
const QColor kPlate(118, 150, 188);
const QColor kBolt(72, 72, 76);
const QColor kDimension(30, 60, 150);
const QColor kConcrete(214, 208, 196);
const QColor kGrout(186, 180, 168);

void part(QPainter& p, const QRect& rect, const QColor& fill) {
    p.setPen(kOutline);
    p.setBrush(fill);
    p.drawRect(rect.adjusted(0, 0, -1, -1));
}

// An arrow head at (x, y) pointing in direction (dx, dy), one of the four axes.
void arrowHead(QPainter& p, int x, int y, int dx, int dy) {
    QPolygon head;
    head << QPoint(x, y) << QPoint(x - 7 * dx + 3 * dy, y - 7 * dy + 3 * dx) << QPoint(x - 7 * dx - 3 * dy, y - 7 * dy - 3 * dx);
    p.setBrush(kDimension);
    p.drawPolygon(head);
}

// A vertical chain of dimensions at x through the given heights, with short extension ticks.
void verticalChain(QPainter& p, int x, const std::vector<int>& ys) {
    p.setPen(kDimension);
    p.drawLine(x, ys.front(), x, ys.back());
    for (std::size_t i = 0; i < ys.size(); ++i) {
        p.drawLine(x - 5, ys[i], x + 5, ys[i]);
        if (i > 0) {
            arrowHead(p, x, ys[i], 0, 1);
            arrowHead(p, x, ys[i - 1], 0, -1);
        }
    }
}

void horizontalDimension(QPainter& p, int y, int x1, int x2) {
    p.setPen(kDimension);
    p.drawLine(x1, y, x2, y);
    p.drawLine(x1, y - 5, x1, y + 5);
    p.drawLine(x2, y - 5, x2, y + 5);
    arrowHead(p, x2, y, 1, 0);
    arrowHead(p, x1, y, -1, 0);
}

// A dimension too small for arrows inside: the arrows point at the extension lines from outside.
void outsideDimension(QPainter& p, bool vertical, int at, int from, int to) {
    p.setPen(kDimension);
    if (vertical) {
        p.drawLine(at, from - 16, at, to + 16);
        p.drawLine(at - 5, from, at + 5, from);
        p.drawLine(at - 5, to, at + 5, to);
        arrowHead(p, at, from, 0, 1);
        arrowHead(p, at, to, 0, -1);
    } else {
        p.drawLine(from - 16, at, to + 16, at);
        p.drawLine(from, at - 5, from, at + 5);
        p.drawLine(to, at - 5, to, at + 5);
        arrowHead(p, from, at, 1, 0);
        arrowHead(p, to, at, -1, 0);
    }
}

void extensionLine(QPainter& p, int x1, int y1, int x2, int y2) {
    p.setPen(QPen(kDimension, 1, Qt::DashLine));
    p.drawLine(x1, y1, x2, y2);
}

// A column seen from the side: two flanges and the web between them.
void columnSide(QPainter& p, int left, int right, int top, int bottom) {
    part(p, QRect(left + 12, top, right - left - 24, bottom - top), kWeb);
    part(p, QRect(left, top, 12, bottom - top), kSteel);
    part(p, QRect(right - 12, top, 12, bottom - top), kSteel);
}

// An I-section seen along its length, filling the box: a flange at the top and at the bottom, the web
// between them in the middle.
void sectionAlong(QPainter& p, int left, int top, int width, int height) {
    part(p, QRect(left, top, width, 12), kSteel);
    part(p, QRect(left, top + height - 12, width, 12), kSteel);
    part(p, QRect(left + width / 2 - 6, top + 12, 12, height - 24), kWeb);
}

// A white picture of width x height with what draw puts on it; every template's picture starts so.
QImage canvas(int width, int height, const std::function<void(QPainter&)>& draw) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    draw(p);
    return image;
}

QImage endPlatePicture() {
    return canvas(560, 340, [](QPainter& p) {
        columnSide(p, 150, 230, 10, 275);
        // The beam: flanges and web, cut short on the right.
        part(p, QRect(242, 112, 298, 116), kWeb);
        part(p, QRect(242, 100, 298, 12), kSteel);
        part(p, QRect(242, 228, 298, 12), kSteel);
        p.setPen(QPen(kOutline, 1, Qt::DashDotLine));
        p.drawLine(536, 96, 536, 244);
        part(p, QRect(230, 90, 12, 161), kPlate);
        // Three bolts through the plate and the column flange: head, shank, nut.
        for (int y : {126, 170, 214}) {
            part(p, QRect(242, y - 7, 8, 15), kBolt);
            part(p, QRect(210, y - 3, 32, 7), kBolt);
            part(p, QRect(203, y - 7, 7, 15), kBolt);
        }
        extensionLine(p, 50, 90, 228, 90);
        extensionLine(p, 50, 250, 228, 250);
        for (int y : {126, 170, 214}) extensionLine(p, 115, y, 202, y);
        verticalChain(p, 56, {90, 250});
        verticalChain(p, 120, {90, 126, 170, 214, 250});
        extensionLine(p, 230, 88, 230, 52);
        extensionLine(p, 241, 88, 241, 52);
        outsideDimension(p, false, 58, 230, 241);
    });
}

QImage basePlatePicture() {
    return canvas(560, 380, [](QPainter& p) {
        // Concrete with its hatching, the grout bed, the plate and the column on it.
        part(p, QRect(40, 250, 480, 80), kConcrete);
        p.setPen(QColor(160, 150, 136));
        p.setClipRect(QRect(41, 251, 478, 78));
        for (int x = 0; x < 600; x += 16) p.drawLine(x, 330, x + 80, 250);
        p.setClipping(false);
        part(p, QRect(150, 240, 260, 10), kGrout);
        part(p, QRect(140, 220, 280, 20), kPlate);
        columnSide(p, 220, 340, 10, 220);
        // Fillet welds at the column's foot.
        p.setPen(kOutline);
        p.setBrush(kBolt);
        p.drawPolygon(QPolygon({QPoint(219, 219), QPoint(210, 219), QPoint(219, 210)}));
        p.drawPolygon(QPolygon({QPoint(341, 219), QPoint(350, 219), QPoint(341, 210)}));
        // Anchors: rod, nut and washer.
        for (int x : {170, 390}) {
            part(p, QRect(x - 4, 196, 9, 126), kBolt);
            part(p, QRect(x - 10, 206, 21, 10), kBolt);
            part(p, QRect(x - 13, 216, 27, 4), kSteel);
        }
        extensionLine(p, 140, 242, 140, 356);
        extensionLine(p, 419, 242, 419, 356);
        horizontalDimension(p, 350, 140, 419);
        extensionLine(p, 140, 218, 140, 184);
        extensionLine(p, 170, 194, 170, 184);
        horizontalDimension(p, 188, 140, 170);
        extensionLine(p, 422, 220, 446, 220);
        extensionLine(p, 422, 239, 446, 239);
        outsideDimension(p, true, 440, 220, 239);
    });
}

// A beam notched at its end where it meets a girder, so that its top flange clears the girder's.
QImage notchedBeamPicture() {
    return canvas(560, 340, [](QPainter& p) {
        // The girder, seen along its length: flanges and web, with a dashed stiffener on its near side.
        sectionAlong(p, 170, 60, 80, 220);
        p.setPen(QPen(kOutline, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(174, 74, 27, 191));
        // The beam, from the right: the top flange stops short of the notch, the web is cut down there.
        part(p, QRect(342, 60, 194, 12), kSteel);
        part(p, QRect(218, 188, 318, 12), kSteel);
        p.setPen(kOutline);
        p.setBrush(kWeb);
        p.drawPolygon(QPolygon({QPoint(218, 104), QPoint(342, 104), QPoint(342, 72), QPoint(535, 72),
                                QPoint(535, 187), QPoint(218, 187)}));
        p.setPen(QPen(kOutline, 1, Qt::DashDotLine));
        p.drawLine(536, 56, 536, 204);
        // The fin plate on the girder's web and its two bolts through the beam's web.
        part(p, QRect(216, 116, 48, 64), kPlate);
        for (int y : {132, 164}) {
            part(p, QRect(234, y - 5, 12, 11), kBolt);
            part(p, QRect(216, y - 2, 18, 5), kBolt);
        }
        // The notch's length and depth.
        extensionLine(p, 218, 102, 218, 30);
        extensionLine(p, 342, 58, 342, 30);
        horizontalDimension(p, 36, 218, 342);
        extensionLine(p, 340, 60, 312, 60);
        outsideDimension(p, true, 318, 60, 104);
    });
}

// A small plate with a hole: the picture of the template of bad factors.
QImage plainPlatePicture() {
    return canvas(300, 200, [](QPainter& p) {
        part(p, QRect(40, 90, 220, 70), kPlate);
        p.setPen(kOutline);
        p.setBrush(Qt::white);
        p.drawEllipse(QRect(140, 115, 20, 20));
    });
}

// The plate of the sample macros' plain tab: a plate with three holes and the chain of its heights
// on the left, the arrays' stiffeners below it.
QImage macroPlatePicture() {
    return canvas(440, 300, [](QPainter& p) {
        part(p, QRect(150, 30, 110, 200), kPlate);
        p.setPen(kOutline);
        p.setBrush(Qt::white);
        for (int y : {70, 130, 190}) p.drawEllipse(QRect(197, y - 8, 16, 16));
        for (int y : {30, 230}) extensionLine(p, 120, y, 148, y);
        for (int y : {70, 130}) extensionLine(p, 120, y, 195, y);
        verticalChain(p, 126, {30, 70, 130, 230});
        for (int x : {160, 205, 250}) part(p, QRect(x - 3, 232, 6, 22), kSteel);
    });
}

// The bolt tab: rows and columns of bolts in a plate.
QImage macroBoltsPicture() {
    return canvas(440, 230, [](QPainter& p) {
        part(p, QRect(30, 20, 160, 190), kPlate);
        for (int x : {75, 145})
            for (int y : {50, 95, 140, 185}) part(p, QRect(x - 8, y - 8, 16, 16), kBolt);
        verticalChain(p, 16, {20, 50, 95});
        horizontalDimension(p, 222, 75, 145);
    });
}

// The profile tab: two angle cleats on a beam's web, seen along the beam.
QImage macroCleatsPicture() {
    return canvas(440, 200, [](QPainter& p) {
        sectionAlong(p, 60, 20, 100, 160);
        part(p, QRect(80, 60, 24, 8), kPlate);
        part(p, QRect(96, 60, 8, 80), kPlate);
        part(p, QRect(116, 60, 24, 8), kPlate);
        part(p, QRect(116, 60, 8, 80), kPlate);
    });
}

// The sub-macro tab: a stiffener plate between two flanges.
QImage macroStiffenerPicture() {
    return canvas(440, 200, [](QPainter& p) {
        part(p, QRect(30, 20, 160, 12), kSteel);
        part(p, QRect(30, 118, 160, 12), kSteel);
        part(p, QRect(100, 32, 20, 86), kPlate);
    });
}

struct Placed {
    Zrk_ControlType type;
    Zrk_String contents;
    Zrk_String comboList;
    QRect pixels;
};

double factor(int pixels, int size) { return std::round(10000.0 * pixels / size) / 10000.0; }

bool writePreview(const QString& folder, const Zrk_String& name, const QImage& picture, const std::vector<Placed>& placed) {
    QImage preview = picture.convertToFormat(QImage::Format_RGB32);
    QPainter p(&preview);
    p.setPen(QColor(230, 120, 0));
    p.setBrush(Qt::NoBrush);
    QFont font = p.font();
    font.setPixelSize(10);
    p.setFont(font);
    for (const Placed& entry : placed) {
        p.drawRect(entry.pixels);
        p.drawText(entry.pixels.adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   QString::fromStdString(entry.contents));
    }
    p.end();
    const QString path = folder + "/" + QString::fromStdString(name) + ".png";
    if (!preview.save(path, "PNG")) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

QString gPreviewFolder;

// The picture and the text file of a template.
bool writeFiles(const Zrk_String& name, const QImage& picture,
                const std::vector<Zrk_DesignerControl>& controls) {
    const Zrk_String root = getDesignerRootFolder();
    const Zrk_String picturePath = root + name + ".bmp";
    if (!QDir().mkpath(QString::fromStdString(getPath(picturePath)))) {
        std::fprintf(stderr, "Cannot make the folder of %s\n", picturePath.c_str());
        return false;
    }
    const QImage paletted = picture.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    if (!paletted.save(QString::fromStdString(picturePath), "BMP")) {
        std::fprintf(stderr, "Cannot write %s\n", picturePath.c_str());
        return false;
    }
    Zrk_DlgDesignerData data;
    for (Zrk_DesignerControl control : controls)
        data.append(control);
    const Zrk_String path = root + name + ".txt";
    if (!data.writeToFile(path)) {
        std::fprintf(stderr, "Cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s\n%s\n", path.c_str(), picturePath.c_str());
    return true;
}

// A template whose factors are given as they stand, however far off.
struct Factored {
    Zrk_ControlType type;
    Zrk_String contents;
    double left, top, right, bottom;
    Zrk_String comboList = {};
};

bool writeFactoredTemplate(const Zrk_String& name, const QImage& picture,
                           const std::vector<Factored>& entries) {
    std::vector<Zrk_DesignerControl> controls;
    for (const Factored& entry : entries) {
        Zrk_DesignerControl control;
        control.type = entry.type;
        control.contents = entry.contents;
        control.setSplitExtComboList(entry.comboList);
        control.topLeftX = entry.left;
        control.topLeftY = entry.top;
        control.bottomRightX = entry.right;
        control.bottomRightY = entry.bottom;
        controls.push_back(control);
    }
    return writeFiles(name, picture, controls);
}

// A template placed in pixels of its picture: its factors are the pixels' share of the picture's size.
bool writeTemplate(const Zrk_String& name, const QImage& picture, const std::vector<Placed>& placed) {
    std::vector<Factored> entries;
    for (const Placed& entry : placed)
        entries.push_back({entry.type, entry.contents, factor(entry.pixels.left(), picture.width()),
                           factor(entry.pixels.top(), picture.height()),
                           factor(entry.pixels.right() + 1, picture.width()),
                           factor(entry.pixels.bottom() + 1, picture.height()), entry.comboList});
    return writeFactoredTemplate(name, picture, entries) &&
           (gPreviewFolder.isEmpty() || writePreview(gPreviewFolder, name, picture, placed));
}

bool writeList(const Zrk_String& name, const Zrk_StringArray& items) {
    const Zrk_String path = getDesignerRootFolder() + "Lists/" + name;
    if (!ObjectExportWriteFile(path, items)) {
        std::fprintf(stderr, "Cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

QRect at(int x, int y, int width, int height) { return QRect(x, y, width, height); }

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: ss_draw_templates LIBRARY_FOLDER [PREVIEW_FOLDER]\n");
        return 2;
    }
    if (argc == 3) gPreviewFolder = QString::fromLocal8Bit(argv[2]);
    gSettings.libDir = ensureEndSlash(normalizePath(argv[1]));
    const Zrk_String root = getDesignerRootFolder();
    if (!QDir().mkpath(QString::fromStdString(root + "Lists"))) {
        std::fprintf(stderr, "Cannot make %s\n", root.c_str());
        return 1;
    }
    const Zrk_String lists = "Dialog Templates/Dialog Design/Lists/";

    bool ok = writeList("Steel grades.lst", {"S235", "S275", "S355", "S460"});
    ok = writeList("Anchor sizes.lst", {"M16", "M20", "M24", "M27", "M30"}) && ok;

    ok = writeTemplate("End plate", endPlatePicture(), {
        {ctLabel, "Height", "", at(4, 144, 48, 16)},
        {ctCellEdit, "Height", "", at(4, 162, 48, 18)},
        {ctCellEdit, "Edge1", "", at(66, 99, 48, 18)},
        {ctCellEdit, "Pitch", "", at(66, 139, 48, 18)},
        {ctCellEdit, "Edge2", "", at(66, 223, 48, 18)},
        {ctCellEdit, "Thick", "", at(262, 49, 48, 18)},
        {ctGroupBox, "Plate", "", at(288, 278, 196, 60)},
        {ctLabel, "Width", "", at(298, 294, 80, 16)},
        {ctCellEdit, "Width", "", at(384, 292, 56, 18)},
        {ctLabel, "Bolt rows", "", at(298, 316, 80, 16)},
        {ctBoltCount1, "Rows", "", at(384, 313, 56, 20)},
        {ctPatternButton, "Rows", "", at(446, 313, 30, 20)},
        {ctLabel, "Steel grade", "", at(20, 294, 84, 16)},
        {ctCellCombo, "Grade", lists + "Steel grades.lst", at(106, 292, 90, 18)},
        {ctCellCheck, "Stiffener", "Stiff", at(20, 316, 176, 18)},
    }) && ok;

    ok = writeTemplate("Base plate", basePlatePicture(), {
        {ctLabel, "Column", "", at(20, 20, 120, 16)},
        {ctProfSection, "Column", "", at(20, 38, 120, 18)},
        {ctLabel, "Anchor", "", at(400, 20, 120, 16)},
        {ctCellCombo, "Anchor", lists + "Anchor sizes.lst", at(400, 38, 120, 18)},
        {ctCellCheck, "Grout layer", "Grout", at(400, 64, 140, 18)},
        {ctFlexButton, "None", "Stiffeners", at(20, 66, 30, 30)},
        {ctFlexButton, "Ribs", "Stiffeners", at(54, 66, 30, 30)},
        {ctCellEdit, "Edge", "", at(76, 179, 54, 18)},
        {ctCellEdit, "Thick", "", at(450, 221, 50, 18)},
        {ctCellEdit, "Length", "", at(250, 356, 60, 18)},
    }) && ok;

    ok = writeTemplate("Notched beam", notchedBeamPicture(),
                       {
                           {ctCellEdit, "NotchLength", "", at(253, 8, 54, 18)},
                           {ctCellEdit, "NotchDepth", "", at(256, 78, 50, 18)},
                           {ctLabel, "Cut at the end", "", at(20, 216, 120, 16)},
                           {ctCutType, "Notch", "", at(20, 234, 120, 18)},
                           {ctLabel, "Steel grade", "", at(20, 264, 120, 16)},
                           {ctCellCombo, "Grade", lists + "Steel grades.lst", at(20, 282, 120, 18)},
                           {ctLabel, "Stiffeners", "", at(290, 216, 110, 16)},
                           {ctFlexButton, "None", "Stiffeners", at(290, 234, 32, 32)},
                           {ctFlexButton, "One side", "Stiffeners", at(326, 234, 32, 32)},
                           {ctFlexButton, "Both sides", "Stiffeners;;Mirrored;", at(362, 234, 32, 32)},
                           {ctGroupBox, "Finish", "", at(416, 212, 134, 74)},
                           {ctCellCheck, "Weld all round", "WeldAll", at(426, 232, 118, 18)},
                           {ctCellCheck, "Galvanised", "Galv", at(426, 258, 118, 18)},
                       }) &&
         ok;

    // The sample drawing's end-plate macros: one template per tab, every control type among them.
    ok = writeTemplate("Macro plate", macroPlatePicture(), {
        {ctLabel, "Edge", "", at(4, 32, 60, 16)},
        {ctCellEdit, "Edge", "", at(4, 50, 60, 18)},
        {ctFlexButton, "Edge", "HeightChain", at(68, 46, 26, 26)},
        {ctLabel, "Pitch", "", at(4, 82, 60, 16)},
        {ctCellEdit, "Pitch", "", at(4, 100, 60, 18)},
        {ctFlexButton, "Pitch", "HeightChain", at(68, 96, 26, 26)},
        {ctLabel, "Height", "", at(4, 152, 60, 16)},
        {ctCellEdit, "PlateHeight", "", at(4, 170, 60, 18)},
        {ctLabel, "Plate width", "", at(276, 4, 70, 16)},
        {ctCellEdit, "PlateWidth", "", at(350, 2, 86, 18)},
        {ctLabel, "Thickness", "", at(276, 30, 70, 16)},
        {ctCellCombo, "PlateThickness", "", at(350, 28, 86, 20)},
        {ctLabel, "Finish", "", at(276, 58, 70, 16)},
        {ctCellCombo, "Finish", "", at(350, 56, 86, 20)},
        {ctCellCheck, "Welded to the beam", "Welded", at(276, 84, 160, 18)},
        {ctLabel, "Beam end", "", at(276, 110, 70, 16)},
        {ctCutType, "BeamEnd", "", at(350, 108, 86, 20)},
        {ctLabel, "Mass (kg)", "Mass", at(276, 138, 70, 16)},
        {ctCellButton, "Edge x 2", "Mass;Edge;;2", at(350, 134, 86, 22)},
        {ctCellButton2, "Edge + pitch", "Mass;Pitch;Edge;", at(350, 160, 86, 22)},
        {ctGroupBox, "Holes", "", at(276, 186, 160, 90)},
        {ctLabel, "Start", "", at(284, 204, 70, 16)},
        {ctArrayValue1, "Holes", "", at(358, 202, 70, 18)},
        {ctLabel, "Spacing", "", at(284, 226, 70, 16)},
        {ctArrayValue2, "Holes", "", at(358, 224, 70, 18)},
        {ctLabel, "Count", "", at(284, 248, 70, 16)},
        {ctArrayValue3, "Holes", "", at(358, 246, 70, 18)},
        {ctLabel, "Stiffeners", "", at(4, 262, 64, 16)},
        {ctArrayValue4, "Stiffeners", "", at(72, 260, 44, 18)},
        {ctArrayValue5, "Stiffeners", "", at(120, 260, 44, 18)},
        {ctArrayEntry, "Stiffeners", "0", at(168, 260, 56, 18)},
        {ctArrayButton, "Stiffeners", "", at(228, 258, 44, 22)},
    }) && ok;

    ok = writeTemplate("Macro bolts", macroBoltsPicture(), {
        {ctLabel, "Rows", "", at(220, 6, 110, 16)},
        {ctBoltCount1, "Rows", "", at(334, 2, 56, 22)},
        {ctPatternButton, "Rows", "", at(398, 2, 30, 22)},
        {ctLabel, "Columns", "", at(220, 34, 110, 16)},
        {ctBoltCount2, "Rows", "", at(334, 30, 56, 22)},
        {ctLabel, "Penetration length", "", at(220, 62, 110, 16)},
        {ctPatternSetting1, "Rows", "", at(334, 60, 90, 20)},
        {ctLabel, "Added length", "", at(220, 88, 110, 16)},
        {ctPatternSetting2, "Rows", "", at(334, 86, 90, 18)},
        {ctLabel, "Hole tolerance", "", at(220, 110, 110, 16)},
        {ctPatternSetting3, "Rows", "", at(334, 108, 90, 18)},
        {ctLabel, "Hole offset", "", at(220, 132, 110, 16)},
        {ctPatternSetting4, "Rows", "", at(334, 130, 90, 18)},
        {ctLabel, "Bolt length", "", at(220, 154, 110, 16)},
        {ctPatternSetting5, "Rows", "", at(334, 152, 90, 18)},
        {ctBoltAdvanced, "Rows", "", at(334, 178, 90, 22)},
    }) && ok;

    ok = writeTemplate("Macro cleats", macroCleatsPicture(), {
        {ctLabel, "Cleat section", "", at(200, 6, 100, 16)},
        {ctProfSection, "Cleat", "", at(304, 2, 76, 20)},
        {ctProfButton, "Cleat", "", at(384, 2, 52, 22)},
        {ctLabel, "Offset type", "", at(200, 34, 100, 16)},
        {ctProfOffsetType, "Cleat", "", at(304, 30, 132, 20)},
        {ctLabel, "Rotation", "", at(200, 60, 100, 16)},
        {ctProfRotation, "Cleat", "", at(304, 56, 80, 20)},
        {ctProfAdvanced, "Cleat", "", at(304, 84, 100, 22)},
        {ctLabel, "Cleat length", "", at(200, 118, 100, 16)},
        {ctCellEdit, "CleatLength", "", at(304, 116, 80, 18)},
    }) && ok;

    ok = writeTemplate("Macro stiffener", macroStiffenerPicture(), {
        {ctGroupBox, "Stiffener", "", at(212, 2, 224, 96)},
        {ctLabel, "Drawing", "", at(220, 22, 90, 16)},
        {ctSubMacro, "Drawing", "Macros/Stiffeners", at(314, 20, 110, 20)},
        {ctLabel, "Thickness", "", at(220, 48, 90, 16)},
        {ctCellEdit, "StiffenerThickness", "", at(314, 46, 80, 18)},
        {ctLabel, "The stiffener drawing is inserted between the flanges.", "", at(212, 110, 224, 16)},
    }) && ok;

    // A template as a hand-edited file may leave it: every control still reads, and the layout lays
    // them out, sorts them and saves them without hanging.
    ok = writeFactoredTemplate("Tests/Bad factors", plainPlatePicture(),
                               {
                                   {ctCellEdit, "Normal", 0.1, 0.1, 0.4, 0.2},
                                   {ctCellEdit, "Far below", 0.1, 150.0, 0.4, 150.1},
                                   {ctCellEdit, "Huge", 1e300, 1e300, 2e300, 2e300},
                                   {ctCellEdit, "Inverted", 0.9, 0.9, 0.6, 0.7},
                                   {ctCellCombo, "Negative", -0.5, -0.2, -0.1, -0.05},
                                   {ctLabel, "Label", 0.5, 0.1, 0.8, 0.2},
                                   {static_cast<Zrk_ControlType>(99), "Unknown type", 0.5, 0.25, 0.8, 0.35},
                                   {ctCellEdit, "Zero size", 0.5, 0.5, 0.5, 0.5},
                                   {ctCellEdit, "Same top, right", 0.6, 0.6, 0.8, 0.7},
                                   {ctCellEdit, "Same top, left", 0.1, 0.6, 0.3, 0.7},
                               }) &&
         ok;
    return ok ? 0 : 1;
}
