// Draws the module's pictures into a resource folder: ss_draw_pictures RESOURCES
//   bitmaps/8134.png   the checked face of a picture check box (grids of the macro dialogs)
//   bitmaps/8136.png   the unchecked face
//   button pictures, 16 x 16, as bitmaps and icons under the same numbers:
//     206 delete, 212 add, 217 select in the drawing, 223 copy, 224 paste, 225 insert a row below,
//     226 delete a row, 227 move a row up, 228 move a row down, 231 choose a picture, 232 open,
//     233 save, 234 zoom, 235 same width, 236 same height, 238 find and replace, 257 and 261 move up,
//     258 and 262 move down, 240 show and 241 hide a folded part (double chevrons), 218 the view as
//     it was, 220, 222 and 221 views from the front, the side and above, 237 the clash check, 259 load
//     from the standards
//   icons/148.png      the dialog designer's window (32 x 32)
//   icons/239.png      the face of a flex button: a beam's end with a plate that may be there or not
//                      (32 x 32)
//   bitmaps/251.png    the mark of a bill row's picture: a section of an I-beam (16 x 16)
//   bitmaps/263.png, 264.png  a nut and a washer seen along the bolt (16 x 16)
// and, given a product folder as well (examples/product), the pictures the product keeps there:
//   icons/Cut*.bmp     the six cut types of a macro cut (64 x 40)
//   icons/DrawBolt2.bmp a bolt through two plates, on a light grey ground (120 x 150)
//   icons/MacroFilter*.bmp   the macro filters' pictures (48 x 32; the section angle 64 x 64)
//   icons/Parallel.bmp ... CoordSys.bmp   the constraint palette's kinds (32 x 32, on 0xC0C0C0)
//   icons/ParallelSame.bmp ... AngleQuadrant4.bmp   the options of constraints (24 x 24, on 0xFF00FF)
// and, given a library folder as well (examples/library), the sample pictures to choose from there:
//   Images/*.png       roof purlins, wall rails, cross bracing and portal bracing in a bay (96 x 72)
//   Macros/**/*.bmp    the previews of the sample connections (ui/macro_previews.h), so that the
//                      select-macro dialog finds a picture for each and writes nothing there
// The pictures are drawn here, from nothing, so that the module owns every picture it shows.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cstdio>
#include <functional>

#include "core/files.h"
#include "ui/macro_previews.h"

namespace {

using Drawing = std::function<void(QPainter&)>;

// Draws on a ground of one colour (transparent for the module's pictures) and writes the file in the
// format its name ends with.
bool save(const QString& folder, const char* name, int width, int height, const Drawing& draw,
          QColor ground = Qt::transparent) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(ground);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    const QString path = folder + "/" + name;
    const bool bitmap = path.endsWith(".bmp");
    if (!(bitmap ? image.convertToFormat(QImage::Format_RGB32).save(path, "BMP") : image.save(path, "PNG"))) {
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

const QColor kInk(45, 52, 62);
const QColor kPaper(250, 250, 247);

QPen ink(double width = 1.0) {
    return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void cross(QPainter& p) {
    p.setPen(QPen(QColor(196, 43, 28), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
}

void plus(QPainter& p) {
    p.setPen(QPen(QColor(30, 140, 60), 2.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 3), QPointF(8, 13));
    p.drawLine(QPointF(3, 8), QPointF(13, 8));
}

// A closed outline through the corners, in their order.
QPainterPath outline(std::initializer_list<QPointF> corners) {
    QPainterPath path;
    path.addPolygon(QPolygonF(corners));
    path.closeSubpath();
    return path;
}

// A mouse arrow pointing at a small part.
void pointAt(QPainter& p) {
    p.setPen(ink());
    p.setBrush(QColor(150, 190, 230));
    p.drawRect(QRectF(1.5, 1.5, 7, 5));
    const QPainterPath arrow =
        outline({{6, 5}, {6, 15}, {8.5, 12.5}, {10.5, 15.5}, {12, 14.5}, {10, 11.5}, {13.5, 11.5}});
    p.setBrush(Qt::white);
    p.drawPath(arrow);
}

void sheet(QPainter& p, const QRectF& r) {
    p.setPen(ink());
    p.setBrush(kPaper);
    p.drawRect(r);
    p.setPen(QPen(QColor(150, 156, 166), 1));
    for (double y = r.top() + 3; y < r.bottom() - 1; y += 2.5)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

// A box seen from the front, the side or above (face 0, 1, 2), that face shaded; face 3 shows no
// shaded face but a turning arrow (the view as it was).
void viewBox(QPainter& p, int face) {
    const QPolygonF front({QPointF(1.5, 5.5), QPointF(10.5, 5.5), QPointF(10.5, 14.5), QPointF(1.5, 14.5)});
    const QPolygonF side({QPointF(10.5, 5.5), QPointF(14.5, 1.5), QPointF(14.5, 10.5), QPointF(10.5, 14.5)});
    const QPolygonF top({QPointF(1.5, 5.5), QPointF(5.5, 1.5), QPointF(14.5, 1.5), QPointF(10.5, 5.5)});
    const QPolygonF* faces[] = {&front, &side, &top};
    p.setPen(ink());
    for (int i = 0; i < 3; ++i) {
        p.setBrush(i == face ? QColor(90, 140, 210) : kPaper);
        p.drawPolygon(*faces[i]);
    }
    if (face != 3) return;
    p.setPen(QPen(QColor(196, 43, 28), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3, 7, 6, 6), 90 * 16, 270 * 16);
    p.drawLine(QPointF(6, 7), QPointF(8, 5.5));
    p.drawLine(QPointF(6, 7), QPointF(8, 8.5));
}

// A sheet of the standards with an arrow out of it: values loaded from the standards.
void fromStandards(QPainter& p) {
    sheet(p, QRectF(1.5, 1.5, 9, 12));
    p.setPen(QPen(QColor(30, 130, 60), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 9.5), QPointF(14, 9.5));
    p.drawLine(QPointF(14, 9.5), QPointF(11.5, 7));
    p.drawLine(QPointF(14, 9.5), QPointF(11.5, 12));
}

// Two members that overlap, the overlap marked: the clash check.
void clash(QPainter& p) {
    p.setPen(ink());
    p.setBrush(QColor(150, 170, 196));
    p.drawRect(QRectF(1.5, 5.5, 10, 5));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(7.5, 1.5, 5, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(196, 43, 28));
    p.drawRect(QRectF(8, 6, 3.5, 4));
}

// A magnifying glass.
void zoomGlass(QPainter& p) {
    p.setPen(QPen(kInk, 1.6));
    p.setBrush(QColor(220, 235, 250));
    p.drawEllipse(QPointF(6.5, 6.5), 4.8, 4.8);
    p.setPen(QPen(kInk, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.2, 10.2), QPointF(14.5, 14.5));
}

void copy(QPainter& p) {
    sheet(p, QRectF(1.5, 1.5, 8, 10));
    sheet(p, QRectF(6.5, 4.5, 8, 10));
}

// A sheet over a clipboard.
void paste(QPainter& p) {
    p.setPen(ink());
    p.setBrush(QColor(196, 150, 90));
    p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
    p.setBrush(QColor(200, 204, 210));
    p.drawRect(QRectF(4, 1.5, 5, 2.5));
    sheet(p, QRectF(6.5, 5.5, 8, 9));
}

// Three rows of a table; the middle one marked, with a sign beside it.
void tableRows(QPainter& p) {
    p.setPen(ink());
    p.setBrush(kPaper);
    for (double y : {1.5, 6.0, 10.5})
        p.drawRect(QRectF(1.5, y, 9, 4));
}

void rowBelow(QPainter& p) {
    tableRows(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 190, 230));
    p.drawRect(QRectF(2, 11, 8, 3));
    p.setPen(QPen(QColor(30, 140, 60), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(13, 9), QPointF(13, 15));
    p.drawLine(QPointF(10, 12), QPointF(16, 12));
}

void rowDeleted(QPainter& p) {
    tableRows(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 190, 230));
    p.drawRect(QRectF(2, 6.5, 8, 3));
    p.setPen(QPen(QColor(196, 43, 28), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 5.5), QPointF(15, 10));
    p.drawLine(QPointF(15, 5.5), QPointF(10.5, 10));
}

void rowMoved(QPainter& p, bool up) {
    tableRows(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 190, 230));
    p.drawRect(QRectF(2, up ? 11 : 2, 8, 3));
    p.setPen(ink());
    p.setBrush(QColor(60, 120, 200));
    const double tip = up ? 2 : 14, base = up ? 7 : 9;
    p.drawPolygon(
        QPolygonF({QPointF(13, tip), QPointF(15.5, base), QPointF(14, base), QPointF(14, up ? 14 : 2),
                   QPointF(12, up ? 14 : 2), QPointF(12, base), QPointF(10.5, base)}));
}

// A magnifying glass over a line of text.
void find(QPainter& p) {
    p.setPen(QPen(QColor(150, 156, 166), 1));
    p.drawLine(QPointF(1.5, 3.5), QPointF(12.5, 3.5));
    p.setPen(ink(1.3));
    p.setBrush(QColor(220, 236, 250, 200));
    p.drawEllipse(QPointF(6.5, 8), 4, 4);
    p.setPen(ink(2.4));
    p.drawLine(QPointF(9.5, 11), QPointF(14, 15));
}

void landscape(QPainter& p) {
    p.setPen(ink());
    p.setBrush(QColor(205, 228, 246));
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 190, 40));
    p.drawEllipse(QPointF(10.5, 5.8), 1.7, 1.7);
    const QPainterPath hills = outline({{2, 13}, {6, 7.5}, {9, 11}, {11, 9}, {14, 13}});
    p.setBrush(QColor(70, 150, 80));
    p.drawPath(hills);
}

void folder(QPainter& p) {
    p.setPen(ink());
    p.setBrush(QColor(236, 190, 80));
    const QPainterPath back = outline({{1.5, 13.5}, {1.5, 3.5}, {5.5, 3.5}, {7, 5}, {12.5, 5}, {12.5, 13.5}});
    p.drawPath(back);
    p.setBrush(QColor(250, 214, 120));
    const QPainterPath front = outline({{1.5, 13.5}, {4, 7.5}, {15, 7.5}, {12.5, 13.5}});
    p.drawPath(front);
}

void disk(QPainter& p) {
    p.setPen(ink());
    p.setBrush(QColor(60, 100, 170));
    const QPainterPath body = outline({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}});
    p.drawPath(body);
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 1.5, 7.5, 5));
    p.setBrush(QColor(220, 224, 230));
    p.drawRect(QRectF(3.5, 9, 9, 5.5));
}

// A double arrow between two bars, across (same width) or up and down (same height).
void sameSize(QPainter& p, bool across) {
    if (!across) {
        p.translate(16, 0);
        p.rotate(90);
    }
    p.setPen(ink(1.4));
    p.drawLine(QPointF(1.5, 3), QPointF(1.5, 13));
    p.drawLine(QPointF(14.5, 3), QPointF(14.5, 13));
    p.drawLine(QPointF(4, 8), QPointF(12, 8));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(3.5, 8), QPointF(6.5, 5.5), QPointF(6.5, 10.5)}));
    p.drawPolygon(QPolygonF({QPointF(12.5, 8), QPointF(9.5, 5.5), QPointF(9.5, 10.5)}));
}

void arrow(QPainter& p, bool up) {
    if (!up) {
        p.translate(16, 16);
        p.rotate(180);
    }
    p.setPen(ink());
    p.setBrush(QColor(60, 120, 200));
    p.drawPolygon(QPolygonF({QPointF(8, 2), QPointF(14, 9), QPointF(10.5, 9), QPointF(10.5, 14),
                             QPointF(5.5, 14), QPointF(5.5, 9), QPointF(2, 9)}));
}

// Two chevrons one above the other, pointing up (fold away) or down (show).
void chevrons(QPainter& p, bool up) {
    if (!up) {
        p.translate(16, 16);
        p.rotate(180);
    }
    p.setPen(QPen(QColor(60, 120, 200), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (double top : {3.0, 8.5})
        p.drawPolyline(QPolygonF({QPointF(3, top + 5), QPointF(8, top), QPointF(13, top + 5)}));
}

// A dialog with a title bar, two fields and a button, over a drawing of a plate.
void designer(QPainter& p) {
    p.setPen(ink(1.2));
    p.setBrush(QColor(238, 238, 236));
    p.drawRoundedRect(QRectF(2.5, 3.5, 27, 25), 2, 2);
    p.setBrush(QColor(60, 100, 170));
    p.drawRect(QRectF(2.5, 3.5, 27, 5));
    p.setPen(QPen(QColor(120, 126, 136), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(6.5, 12.5, 19, 9));
    p.drawLine(QPointF(6.5, 21.5), QPointF(25.5, 12.5));
    p.setPen(ink());
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8.5, 14.5, 7, 3));
    p.drawRect(QRectF(17.5, 23.5, 9, 3));
}

// The cross-section of an I-beam, as the bill marks the picture of a part with it.
void beamSection(QPainter& p) {
    const QPainterPath section = outline({{2.5, 2.5}, {13.5, 2.5}, {13.5, 5}, {9.2, 5}, {9.2, 11}, {13.5, 11},
                                          {13.5, 13.5}, {2.5, 13.5}, {2.5, 11}, {6.8, 11}, {6.8, 5}, {2.5, 5}});
    p.setPen(ink());
    p.setBrush(QColor(96, 130, 172));
    p.drawPath(section);
}

// A flex button chooses one of several variants of a part: an I-beam's end, seen along the beam, with
// a stiffener plate between its flanges drawn in the plate colour and a dashed outline of where the
// other variant's plate would go.
void flexVariant(QPainter& p) {
    p.setPen(QPen(QColor(60, 66, 74), 1.2));
    p.setBrush(QColor(172, 182, 194));
    p.drawRect(QRectF(4.5, 4.5, 23, 4));
    p.drawRect(QRectF(4.5, 23.5, 23, 4));
    p.drawRect(QRectF(14.5, 8.5, 3, 15));
    p.setBrush(QColor(96, 130, 172));
    p.drawRect(QRectF(17.5, 9.5, 8, 13));
    p.setPen(QPen(QColor(60, 66, 74), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(6.5, 9.5, 8, 13));
}

// --- the cut types of a macro cut (64 x 40 bitmaps of the product folder's icons/) -------------------

const QColor kSteel(150, 170, 196);
const QColor kOther(200, 200, 200);
const QColor kCut(196, 43, 28);

// A beam seen from the side, coming from the left, its end given by the path's right part.
void beamFrom(QPainter& p, const QPainterPath& outline) {
    p.setPen(ink());
    p.setBrush(kSteel);
    p.drawPath(outline);
}

QPainterPath band(double right, double top = 12, double bottom = 28) {
    QPainterPath path;
    path.addRect(QRectF(2, top, right - 2, bottom - top));
    return path;
}

void cutLine(QPainter& p, const QPointF& from, const QPointF& to) {
    p.setPen(QPen(kCut, 1.6, Qt::DashLine, Qt::RoundCap));
    p.drawLine(from, to);
}

void cutAgainstPlate(QPainter& p) {
    p.setPen(ink());
    p.setBrush(kOther);
    p.drawRect(QRectF(44, 2, 6, 36));
    beamFrom(p, band(43.5));
    cutLine(p, QPointF(43.5, 6), QPointF(43.5, 34));
}

void cutAgainstProfile(QPainter& p) {
    p.setPen(ink());
    p.setBrush(kOther);
    p.drawRect(QRectF(42, 2, 4, 36)); // the column's flanges and web, seen from the side
    p.drawRect(QRectF(46, 2, 10, 36));
    p.drawRect(QRectF(56, 2, 4, 36));
    beamFrom(p, band(41.5));
    cutLine(p, QPointF(41.5, 6), QPointF(41.5, 34));
}

void cutIntoProfile(QPainter& p) {
    p.setPen(ink());
    p.setBrush(kOther);
    p.drawRect(QRectF(30, 4, 30, 6)); // the other profile's flange the beam reaches into
    beamFrom(p, outline({{2, 12}, {30, 12}, {30, 10.5}, {52, 10.5}, {52, 30}, {2, 30}}));
    cutLine(p, QPointF(28, 11), QPointF(54, 11));
}

void cutThreeSegments(QPainter& p) {
    beamFrom(p, outline({{2, 8}, {40, 8}, {48, 16}, {48, 24}, {40, 32}, {2, 32}}));
    p.setPen(QPen(kCut, 1.6, Qt::DashLine, Qt::RoundCap));
    p.drawPolyline(QPolygonF({QPointF(40, 8), QPointF(48, 16), QPointF(48, 24), QPointF(40, 32)}));
}

void cutChamfer(QPainter& p) {
    beamFrom(p, outline({{6, 6}, {44, 6}, {58, 20}, {58, 34}, {6, 34}}));
    cutLine(p, QPointF(40, 2), QPointF(62, 24));
}

void cutFillet(QPainter& p) {
    QPainterPath plate;
    plate.moveTo(6, 6);
    plate.lineTo(44, 6);
    plate.arcTo(QRectF(30, 6, 28, 28), 90, -90);
    plate.lineTo(58, 34);
    plate.lineTo(6, 34);
    plate.closeSubpath();
    beamFrom(p, plate);
    p.setPen(QPen(kCut, 1.6, Qt::DashLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(30, 6, 28, 28), 90 * 16, -90 * 16);
}

// --- the macro filters' pictures (the macro settings dialog) ------------------------------------------

void arrowHead(QPainter& p, const QPointF& tip, const QPointF& from) {
    const QLineF back(tip, from);
    QLineF side1 = back, side2 = back;
    side1.setLength(5);
    side2.setLength(5);
    side1.setAngle(back.angle() + 25);
    side2.setAngle(back.angle() - 25);
    p.drawLine(side1);
    p.drawLine(side2);
}

void dimension(QPainter& p, const QPointF& a, const QPointF& b) {
    p.setPen(QPen(kCut, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    arrowHead(p, a, b);
    arrowHead(p, b, a);
}

// Two members meeting at right angles: the angle between their axes.
void filterAngle90(QPainter& p) {
    p.setPen(ink());
    p.setBrush(kSteel);
    p.drawRect(QRectF(4, 20, 40, 8));
    p.drawRect(QRectF(8, 2, 8, 18));
    p.setPen(QPen(kCut, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4, 10, 20, 20), 0, 90 * 16);
}

// Two members in line: the angle between their directions.
void filterAngle180(QPainter& p) {
    p.setPen(ink());
    p.setBrush(kSteel);
    p.drawRect(QRectF(2, 12, 20, 8));
    p.drawRect(QRectF(26, 12, 20, 8));
    p.setPen(QPen(kCut, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(14, 6, 20, 20), 0, 180 * 16);
}

// An I-section turned about its axis, with the angle it is turned by.
void filterSectionAngle(QPainter& p) {
    p.setPen(QPen(kOther.darker(150), 1, Qt::DashLine));
    p.drawLine(QPointF(32, 4), QPointF(32, 60));
    p.drawLine(QPointF(4, 32), QPointF(60, 32));
    p.translate(32, 32);
    p.rotate(-30);
    p.setPen(ink());
    p.setBrush(kSteel);
    p.drawPath(outline({{-14, -18},
                        {14, -18},
                        {14, -13},
                        {3, -13},
                        {3, 13},
                        {14, 13},
                        {14, 18},
                        {-14, 18},
                        {-14, 13},
                        {-3, 13},
                        {-3, -13},
                        {-14, -13}}));
    p.resetTransform();
    p.setPen(QPen(kCut, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(8, 8, 48, 48), 90 * 16, 30 * 16);
}

// The distance along the path between two members.
void filterPathDistance(QPainter& p) {
    p.setPen(ink());
    p.setBrush(kSteel);
    p.drawRect(QRectF(4, 4, 8, 24));
    p.drawRect(QRectF(36, 4, 8, 24));
    dimension(p, QPointF(13, 16), QPointF(35, 16));
}

// The height and width of a section.
void filterSectionSize(QPainter& p) {
    p.setPen(ink());
    p.setBrush(kSteel);
    p.drawPath(outline({{10, 4},
                        {30, 4},
                        {30, 7},
                        {21.5, 7},
                        {21.5, 25},
                        {30, 25},
                        {30, 28},
                        {10, 28},
                        {10, 25},
                        {18.5, 25},
                        {18.5, 7},
                        {10, 7}}));
    dimension(p, QPointF(38, 4), QPointF(38, 28));
    dimension(p, QPointF(10, 31), QPointF(30, 31));
}

// --- the constraint kinds' pictures (the constraint dialog's palette), on the transparent grey -------

QPen line(double width = 2.0) {
    return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}
QPen mark() {
    return QPen(kCut, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void kindParallel(QPainter& p) {
    p.setPen(line());
    p.drawLine(QPointF(4, 22), QPointF(20, 4));
    p.drawLine(QPointF(12, 28), QPointF(28, 10));
}

void kindPerpendicular(QPainter& p) {
    p.setPen(line());
    p.drawLine(QPointF(6, 4), QPointF(6, 27));
    p.drawLine(QPointF(6, 27), QPointF(28, 27));
    p.setPen(mark());
    p.drawPolyline(QPolygonF({QPointF(6, 19), QPointF(14, 19), QPointF(14, 27)}));
}

void kindCoincident(QPainter& p) {
    p.setPen(line());
    p.drawLine(QPointF(4, 26), QPointF(16, 16));
    p.drawLine(QPointF(16, 16), QPointF(28, 22));
    p.setPen(Qt::NoPen);
    p.setBrush(kCut);
    p.drawEllipse(QPointF(16, 16), 3.5, 3.5);
}

void kindSymmetric(QPainter& p) {
    p.setPen(QPen(kInk, 1.2, Qt::DashLine));
    p.drawLine(QPointF(16, 2), QPointF(16, 30));
    p.setPen(line());
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(7, 16), 4, 4);
    p.drawEllipse(QPointF(25, 16), 4, 4);
    p.setPen(mark());
    p.drawLine(QPointF(12, 16), QPointF(20, 16));
}

void kindTangent(QPainter& p) {
    p.setPen(line());
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 18), 9, 9);
    p.setPen(mark());
    p.drawLine(QPointF(2, 9), QPointF(30, 9));
}

void kindConcentric(QPainter& p) {
    p.setPen(line());
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 16), 12, 12);
    p.drawEllipse(QPointF(16, 16), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(kCut);
    p.drawEllipse(QPointF(16, 16), 2, 2);
}

void kindEqualRadius(QPainter& p) {
    p.setPen(line());
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(9, 12), 6, 6);
    p.drawEllipse(QPointF(23, 12), 6, 6);
    p.setPen(mark());
    p.drawLine(QPointF(10, 24), QPointF(22, 24));
    p.drawLine(QPointF(10, 28), QPointF(22, 28));
}

void kindDistance(QPainter& p) {
    p.setPen(line());
    p.drawLine(QPointF(5, 4), QPointF(5, 22));
    p.drawLine(QPointF(27, 4), QPointF(27, 22));
    dimension(p, QPointF(6, 27), QPointF(26, 27));
}

void kindAngle(QPainter& p) {
    p.setPen(line());
    p.drawLine(QPointF(4, 27), QPointF(29, 27));
    p.drawLine(QPointF(4, 27), QPointF(24, 5));
    p.setPen(mark());
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-10, 13, 28, 28), 0, 48 * 16);
}

void kindRadius(QPainter& p) {
    p.setPen(line());
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(14, 18), 11, 11);
    p.setPen(mark());
    p.drawLine(QPointF(14, 18), QPointF(22, 10));
    arrowHead(p, QPointF(22, 10), QPointF(14, 18));
    p.setFont(QFont("Sans", 8, QFont::Bold));
    p.drawText(QRectF(20, 0, 12, 12), Qt::AlignCenter, "R");
}

void kindAddModule(QPainter& p) {
    p.setPen(line(1.6));
    p.setBrush(kSteel);
    p.drawRect(QRectF(3, 8, 18, 18));
    p.setPen(QPen(QColor(30, 130, 60), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 4), QPointF(24, 16));
    p.drawLine(QPointF(18, 10), QPointF(30, 10));
}

void kindBoltPattern(QPainter& p) {
    p.setPen(line(1.6));
    p.setBrush(kSteel);
    p.drawRect(QRectF(3, 3, 26, 26));
    for (double x : {10.0, 22.0})
        for (double y : {10.0, 22.0}) {
            p.setPen(line(1.2));
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(x, y), 4, 4);
            p.drawLine(QPointF(x - 2.5, y), QPointF(x + 2.5, y));
            p.drawLine(QPointF(x, y - 2.5), QPointF(x, y + 2.5));
        }
}

void kindCoordSys(QPainter& p) {
    p.setPen(QPen(kCut, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 26), QPointF(28, 26));
    arrowHead(p, QPointF(28, 26), QPointF(6, 26));
    p.setPen(QPen(QColor(30, 130, 60), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 26), QPointF(6, 4));
    arrowHead(p, QPointF(6, 4), QPointF(6, 26));
    p.setPen(QPen(QColor(40, 80, 200), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 26), QPointF(18, 14));
    arrowHead(p, QPointF(18, 14), QPointF(6, 26));
}

// --- bolts: the nut and washer buttons of the advanced bolt dialog, and the product's bolt drawing ---

// A hexagon nut seen along its axis (16 x 16).
void nut(QPainter& p) {
    QPolygonF hexagon;
    for (int i = 0; i < 6; ++i) {
        const double angle = M_PI / 3 * i + M_PI / 6;
        hexagon << QPointF(8 + 6.5 * std::cos(angle), 8 + 6.5 * std::sin(angle));
    }
    p.setPen(ink());
    p.setBrush(kSteel);
    p.drawPolygon(hexagon);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 8), 2.6, 2.6);
}

// A washer seen along its axis (16 x 16).
void washer(QPainter& p) {
    QPainterPath ring;
    ring.addEllipse(QPointF(8, 8), 6.5, 6.5);
    ring.addEllipse(QPointF(8, 8), 3, 3);
    p.setPen(ink());
    p.setBrush(kSteel);
    p.drawPath(ring);
}

// A bolt through two plates, seen from the side: head, washers, nut, and the thread (120 x 150).
void boltThroughPlates(QPainter& p) {
    p.setPen(ink());
    p.setBrush(kOther);
    p.drawRect(QRectF(20, 58, 80, 14)); // the plates
    p.drawRect(QRectF(20, 72, 80, 14));
    p.setBrush(kSteel);
    p.drawRect(QRectF(48, 30, 24, 24));  // the head
    p.drawRect(QRectF(40, 54, 40, 4));   // washer under the head
    p.drawRect(QRectF(53, 54, 14, 70));  // the shank
    p.drawRect(QRectF(40, 86, 40, 4));   // washer under the nut
    p.drawRect(QRectF(46, 90, 28, 20));  // the nut
    p.setPen(ink(0.7));
    for (double y = 112; y < 124; y += 3) p.drawLine(QPointF(53, y), QPointF(67, y + 1.5)); // thread
    p.setPen(ink());
    p.drawLine(QPointF(60, 30), QPointF(60, 54)); // the head's edges
    p.setPen(QPen(kCut, 1.0, Qt::DashDotLine));
    p.drawLine(QPointF(60, 20), QPointF(60, 134)); // the axis
}


// --- the constraints' options (the constraint list page's picture buttons, 24 x 24 on 0xFF00FF) -------

void optionParallel(QPainter& p, bool opposite) {
    p.setPen(line());
    p.drawLine(QPointF(3, 7), QPointF(21, 7));
    p.drawLine(QPointF(3, 17), QPointF(21, 17));
    p.setPen(mark());
    arrowHead(p, QPointF(21, 7), QPointF(3, 7));
    if (opposite) arrowHead(p, QPointF(3, 17), QPointF(21, 17));
    else arrowHead(p, QPointF(21, 17), QPointF(3, 17));
}

void optionTangent(QPainter& p, bool inside) {
    p.setPen(line());
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 13), 8, 8);
    p.setPen(mark());
    // Touching it from outside, or from inside.
    if (inside) p.drawEllipse(QPointF(12, 9), 4, 4);
    else p.drawLine(QPointF(2, 5), QPointF(22, 5));
}

void optionDistance(QPainter& p, int direction) {
    p.setPen(line());
    p.drawEllipse(QPointF(5, 18), 1.5, 1.5);
    p.drawEllipse(QPointF(19, 6), 1.5, 1.5);
    if (direction == 0) dimension(p, QPointF(5, 18), QPointF(19, 6));
    else if (direction == 1) dimension(p, QPointF(5, 21), QPointF(19, 21));
    else dimension(p, QPointF(22, 18), QPointF(22, 6));
}

void optionSide(QPainter& p, bool other) {
    p.setPen(line());
    p.drawLine(QPointF(3, 12), QPointF(21, 12));
    p.setPen(mark());
    const double y = other ? 19 : 5;
    dimension(p, QPointF(5, y), QPointF(19, y));
}

void optionQuadrant(QPainter& p, int quadrant) {
    p.setPen(QPen(kInk, 1.2));
    p.drawLine(QPointF(2, 12), QPointF(22, 12));
    p.drawLine(QPointF(12, 2), QPointF(12, 22));
    p.setPen(mark());
    p.setBrush(Qt::NoBrush);
    // The quadrants counted anticlockwise from the upper right.
    p.drawArc(QRectF(4, 4, 16, 16), (90 * (quadrant - 1)) * 16, 90 * 16);
}

bool drawProductPictures(const QString& product) {
    const QString icons = product + "/icons";
    if (!QDir().mkpath(icons)) {
        std::fprintf(stderr, "Cannot make %s\n", qPrintable(icons));
        return false;
    }
    const std::pair<const char*, Drawing> cuts[] = {
        {"CutProfvsPlate.bmp", cutAgainstPlate}, {"CutProfvsProf.bmp", cutAgainstProfile},
        {"CutProfinProf.bmp", cutIntoProfile},   {"CutProfvsProf3Segments.bmp", cutThreeSegments},
        {"CutChamfer.bmp", cutChamfer},          {"CutFillet.bmp", cutFillet},
    };
    bool ok = true;
    // The product folder's pictures are bitmap files on a white ground, as the product reads them.
    for (const auto& [name, draw] : cuts)
        ok = save(icons, name, 64, 40, draw, Qt::white) && ok;
    const std::pair<const char*, Drawing> filters[] = {
        {"MacroFilterAngle90.bmp", filterAngle90},
        {"MacroFilterAngle180.bmp", filterAngle180},
        {"MacroFilterPathDistance.bmp", filterPathDistance},
        {"MacroFilterSectionSize.bmp", filterSectionSize},
    };
    for (const auto& [name, draw] : filters)
        ok = save(icons, name, 48, 32, draw, Qt::white) && ok;
    ok = save(icons, "MacroFilterSectionAngle.bmp", 64, 64, filterSectionAngle, Qt::white) && ok;
    // The palette's pictures are drawn on 0xC0C0C0, the colour the palette shows transparent.
    const std::pair<const char*, Drawing> kinds[] = {
        {"Parallel.bmp", kindParallel},
        {"Perpendicular.bmp", kindPerpendicular},
        {"Coincident.bmp", kindCoincident},
        {"Symmetric.bmp", kindSymmetric},
        {"Tangent.bmp", kindTangent},
        {"Concentric.bmp", kindConcentric},
        {"EqualRadius.bmp", kindEqualRadius},
        {"Distance.bmp", kindDistance},
        {"Angle.bmp", kindAngle},
        {"Radius.bmp", kindRadius},
        {"AddModule.bmp", kindAddModule},
        {"BoltPattern.bmp", kindBoltPattern},
        {"CoordSys.bmp", kindCoordSys},
    };
    for (const auto& [name, draw] : kinds)
        ok = save(icons, name, 32, 32, draw, QColor(192, 192, 192)) && ok;
    // The options of constraints, on the magenta the picture buttons show through.
    const std::pair<const char*, Drawing> options[] = {
        {"ParallelSame.bmp", [](QPainter& p) { optionParallel(p, false); }},
        {"ParallelOpposite.bmp", [](QPainter& p) { optionParallel(p, true); }},
        {"TangentOutside.bmp", [](QPainter& p) { optionTangent(p, false); }},
        {"TangentInside.bmp", [](QPainter& p) { optionTangent(p, true); }},
        {"DistanceAligned.bmp", [](QPainter& p) { optionDistance(p, 0); }},
        {"DistanceX.bmp", [](QPainter& p) { optionDistance(p, 1); }},
        {"DistanceY.bmp", [](QPainter& p) { optionDistance(p, 2); }},
        {"DistanceThisSide.bmp", [](QPainter& p) { optionSide(p, false); }},
        {"DistanceOtherSide.bmp", [](QPainter& p) { optionSide(p, true); }},
        {"AngleQuadrant1.bmp", [](QPainter& p) { optionQuadrant(p, 1); }},
        {"AngleQuadrant2.bmp", [](QPainter& p) { optionQuadrant(p, 2); }},
        {"AngleQuadrant3.bmp", [](QPainter& p) { optionQuadrant(p, 3); }},
        {"AngleQuadrant4.bmp", [](QPainter& p) { optionQuadrant(p, 4); }},
    };
    for (const auto& [name, draw] : options)
        ok = save(icons, name, 24, 24, draw, QColor(255, 0, 255)) && ok;
    // Shown with its light grey ground transparent.
    ok = save(icons, "DrawBolt2.bmp", 120, 150, boltThroughPlates, QColor(0xC0, 0xC0, 0xC0)) && ok;
    return ok;
}

// --- the sample library's pictures ----------------------------------------------------------------------

// A bay of a frame as the pictures of cladding and bracing show it: two columns and the beam or
// rafter over them, in dark grey.
void bayFrame(QPainter& painter, bool sloped) {
    painter.setPen(QPen(QColor(60, 60, 60), 4, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(16, 66, 16, sloped ? 30 : 14);
    painter.drawLine(80, 66, 80, 14);
    painter.drawLine(16, sloped ? 30 : 14, 80, 14);
}

void roofPurlins(QPainter& painter) {
    bayFrame(painter, true);
    // Hat sections along the rafter, evenly spaced.
    painter.setPen(QPen(QColor(20, 90, 170), 2));
    for (int i = 0; i < 5; ++i) {
        const double x = 20 + i * 14.5;
        const double y = 30 - (x - 16) * 16.0 / 64.0 - 6;
        QPainterPath hat;
        hat.moveTo(x - 5, y + 4);
        hat.lineTo(x - 3, y + 4);
        hat.lineTo(x - 3, y);
        hat.lineTo(x + 3, y);
        hat.lineTo(x + 3, y + 4);
        hat.lineTo(x + 5, y + 4);
        painter.drawPath(hat);
    }
}

void wallRails(QPainter& painter) {
    bayFrame(painter, false);
    painter.setPen(QPen(QColor(20, 90, 170), 3));
    for (int y = 24; y <= 60; y += 12)
        painter.drawLine(10, y, 86, y);
}

void crossBracing(QPainter& painter) {
    bayFrame(painter, false);
    painter.setPen(QPen(QColor(190, 60, 30), 2));
    painter.drawLine(18, 16, 78, 64);
    painter.drawLine(78, 16, 18, 64);
}

void portalBracing(QPainter& painter) {
    bayFrame(painter, false);
    painter.setPen(QPen(QColor(190, 60, 30), 3));
    painter.drawLine(18, 30, 78, 30);
    painter.drawLine(18, 44, 32, 30);
    painter.drawLine(78, 44, 64, 30);
}

bool drawLibraryPictures(const QString& library) {
    const QString images = library + "/Images";
    if (!QDir().mkpath(images)) {
        std::fprintf(stderr, "Cannot make %s\n", qPrintable(images));
        return false;
    }
    const std::pair<const char*, Drawing> pictures[] = {
        {"RoofPurlins.png", roofPurlins},
        {"WallRails.png", wallRails},
        {"CrossBracing.png", crossBracing},
        {"PortalBracing.png", portalBracing},
    };
    bool ok = true;
    for (const auto& [name, draw] : pictures) ok = save(images, name, 96, 72, draw, Qt::white) && ok;
    Zrk_StringArray drawings;
    ObjectExportFindFilesRecursive((library + "/Macros/").toStdString(), "*.json", drawings);
    for (const Zrk_String& drawing : drawings) {
        std::string bytes;
        const Zrk_String bitmap = changeExtension(drawing, "bmp");
        if (!ui::drawMacroPreview(drawing, bytes) || !writeFileAtomically(bitmap, bytes)) {
            std::fprintf(stderr, "Cannot write %s\n", bitmap.c_str());
            ok = false;
        } else {
            std::printf("%s\n", bitmap.c_str());
        }
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: ss_draw_pictures RESOURCE_FOLDER [PRODUCT_FOLDER [LIBRARY_FOLDER]]\n");
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
    ok = save(bitmaps, "251.png", 16, 16, beamSection) && ok;
    ok = save(bitmaps, "263.png", 16, 16, nut) && ok;
    ok = save(bitmaps, "264.png", 16, 16, washer) && ok;

    const QString icons = QString::fromLocal8Bit(argv[1]) + "/icons";
    if (!QDir().mkpath(icons)) {
        std::fprintf(stderr, "Cannot make %s\n", qPrintable(icons));
        return 1;
    }
    const std::pair<int, Drawing> buttons[] = {
        {206, cross},
        {212, plus},
        {217, pointAt},
        {223, copy},
        {224, paste},
        {225, rowBelow},
        {226, rowDeleted},
        {227, [](QPainter& p) { rowMoved(p, true); }},
        {228, [](QPainter& p) { rowMoved(p, false); }},
        {231, landscape},
        {232, folder},
        {233, disk},
        {234, zoomGlass},
        {235, [](QPainter& p) { sameSize(p, true); }},
        {236, [](QPainter& p) { sameSize(p, false); }},
        {238, find},
        {240, [](QPainter& p) { chevrons(p, false); }},
        {241, [](QPainter& p) { chevrons(p, true); }},
        {218, [](QPainter& p) { viewBox(p, 3); }},
        {220, [](QPainter& p) { viewBox(p, 0); }},
        {221, [](QPainter& p) { viewBox(p, 2); }},
        {222, [](QPainter& p) { viewBox(p, 1); }},
        {237, clash},
        {259, fromStandards},
        {257, [](QPainter& p) { arrow(p, true); }},
        {258, [](QPainter& p) { arrow(p, false); }},
        {261, [](QPainter& p) { arrow(p, true); }},
        {262, [](QPainter& p) { arrow(p, false); }},
    };
    for (const auto& [number, draw] : buttons) {
        const QByteArray name = QByteArray::number(number) + ".png";
        ok = save(bitmaps, name.constData(), 16, 16, draw) && ok;
        ok = save(icons, name.constData(), 16, 16, draw) && ok;
    }
    ok = save(icons, "148.png", 32, 32, designer) && ok;
    ok = save(icons, "239.png", 32, 32, flexVariant) && ok;
    if (argc >= 3) ok = drawProductPictures(QString::fromLocal8Bit(argv[2])) && ok;
    if (argc == 4) ok = drawLibraryPictures(QString::fromLocal8Bit(argv[3])) && ok;
    return ok ? 0 : 1;
}
