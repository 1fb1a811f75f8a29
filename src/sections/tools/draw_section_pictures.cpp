// Draws the pictures of the section types into a product folder's icons and a library's user
// sections: ss_draw_section_pictures ICONS [USER_SECTIONS]
//   ICONS/NAME-big.bmp, ICONS/NAME-small.bmp   every built-in type's picture (ProfSectionI ...), the
//                                              picture "Unknown", and the sample user section's
//                                              ("Hat section"), 96 x 96 and 24 x 24
//   USER_SECTIONS/Hat section.bmp              the sample user section's own small picture
// The shapes are drawn here, from nothing, in a box of 100 x 100 units: solid sections filled, thin
// walled (cold-formed) ones as a thick line. The files are 8-bit BMP, as the product's pictures are.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const QColor kSteel(96, 130, 172);
const QColor kSleeve(176, 196, 220);
const QColor kInk(40, 46, 56);

using Drawing = std::function<void(QPainter&)>;

QPainterPath polyline(std::initializer_list<QPointF> points) {
    QPainterPath path;
    for (const QPointF& point : points) {
        if (path.elementCount() == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath path = polyline(points);
    path.closeSubpath();
    return path;
}

void solid(QPainter& p, const QPainterPath& path, const QColor& fill = kSteel) {
    p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

// A thin-walled section: the wall as a thick line with an outline.
void thin(QPainter& p, const QPainterPath& path, const QColor& fill = kSteel, double wall = 7) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, wall + 2.4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPath(path);
    p.setPen(QPen(fill, wall, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPath(path);
}

// A weld seam: a small dark triangle in a corner.
void weld(QPainter& p, QPointF corner, double dx, double dy) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPath(polygon({corner, corner + QPointF(dx, 0), corner + QPointF(0, dy)}));
}

QPainterPath iSection() {
    return polygon({{15, 10},
                    {85, 10},
                    {85, 22},
                    {56, 22},
                    {56, 78},
                    {85, 78},
                    {85, 90},
                    {15, 90},
                    {15, 78},
                    {44, 78},
                    {44, 22},
                    {15, 22}});
}

QPainterPath channel() {
    return polygon({{25, 10}, {80, 10}, {80, 22}, {38, 22}, {38, 78}, {80, 78}, {80, 90}, {25, 90}});
}

// A sigma section: a channel whose web is folded inwards, with lips (and returns on the lips).
QPainterPath sigma(bool returns) {
    QPainterPath path;
    path.moveTo(returns ? QPointF(64, 28) : QPointF(76, 28));
    for (const QPointF& point :
         {QPointF(76, 28), QPointF(76, 12), QPointF(30, 12), QPointF(30, 36), QPointF(42, 44),
          QPointF(42, 56), QPointF(30, 64), QPointF(30, 88), QPointF(76, 88), QPointF(76, 72)})
        path.lineTo(point);
    if (returns) path.lineTo(64, 72);
    return path;
}

QPainterPath angle() {
    return polygon({{22, 10}, {35, 10}, {35, 77}, {88, 77}, {88, 90}, {22, 90}});
}

const std::vector<std::pair<const char*, Drawing>>& shapes() {
    static const std::vector<std::pair<const char*, Drawing>> all = {
        {"ProfSectionI", [](QPainter& p) { solid(p, iSection()); }},
        {"ProfSectionCL",
         [](QPainter& p) {
             thin(p, polyline({{78, 30}, {78, 14}, {28, 14}, {28, 86}, {78, 86}, {78, 70}}));
         }},
        {"ProfSectionHL", [](QPainter& p) { solid(p, angle()); }},
        {"ProfSectionCU", [](QPainter& p) { solid(p, channel()); }},
        {"ProfSectionT",
         [](QPainter& p) {
             solid(p,
                   polygon({{12, 12}, {88, 12}, {88, 25}, {56, 25}, {56, 90}, {44, 90}, {44, 25}, {12, 25}}));
         }},
        {"ProfSectionOI",
         [](QPainter& p) {
             solid(p, iSection());
             weld(p, {56, 22}, 7, 7);
             weld(p, {44, 22}, -7, 7);
             weld(p, {56, 78}, 7, -7);
             weld(p, {44, 78}, -7, -7);
         }},
        {"ProfSectionOU",
         [](QPainter& p) {
             solid(p, channel());
             weld(p, {38, 22}, 7, 7);
             weld(p, {38, 78}, 7, -7);
         }},
        {"ProfSectionRect",
         [](QPainter& p) {
             solid(p, polygon({{8, 40}, {92, 40}, {92, 60}, {8, 60}}));
         }},
        {"ProfSectionRound",
         [](QPainter& p) {
             QPainterPath circle;
             circle.addEllipse(QPointF(50, 50), 36, 36);
             solid(p, circle);
         }},
        {"ProfSectionRectTube",
         [](QPainter& p) {
             QPainterPath tube;
             tube.addRoundedRect(QRectF(22, 8, 56, 84), 12, 12);
             tube.addRoundedRect(QRectF(31, 17, 38, 66), 5, 5);
             solid(p, tube);
         }},
        {"ProfSectionRoundTube",
         [](QPainter& p) {
             QPainterPath tube;
             tube.addEllipse(QPointF(50, 50), 38, 38);
             tube.addEllipse(QPointF(50, 50), 29, 29);
             solid(p, tube);
         }},
        {"ProfSectionC",
         [](QPainter& p) {
             thin(p, polyline({{78, 14}, {28, 14}, {28, 86}, {78, 86}}));
         }},
        {"ProfSectionZ",
         [](QPainter& p) {
             thin(p, polyline({{14, 14}, {50, 14}, {50, 86}, {86, 86}}));
         }},
        {"ProfSectionV",
         [](QPainter& p) {
             thin(p, polyline({{26, 10}, {26, 78}, {90, 78}}));
         }},
        {"ProfSectionO",
         [](QPainter& p) {
             QPainterPath oval;
             oval.addEllipse(QPointF(50, 50), 42, 28);
             oval.addEllipse(QPointF(50, 50), 34, 20);
             solid(p, oval);
         }},
        {"ProfSectionQ",
         [](QPainter& p) {
             solid(p, polygon({{20, 20}, {80, 20}, {80, 80}, {20, 80}}));
         }},
        {"ProfSectionCuttedI",
         [](QPainter& p) {
             solid(p,
                   polygon({{15, 14}, {85, 14}, {85, 26}, {56, 26}, {56, 70}, {44, 70}, {44, 26}, {15, 26}}));
             p.setPen(QPen(kInk, 2, Qt::DashLine));
             p.drawLine(QPointF(30, 78), QPointF(70, 78));
         }},
        {"ProfSectionSigma", [](QPainter& p) { thin(p, sigma(false)); }},
        {"ProfSectionSigma+", [](QPainter& p) { thin(p, sigma(true)); }},
        {"ProfSectionSigma Sleeve",
         [](QPainter& p) {
             thin(p, sigma(false));
             thin(p, polyline({{66, 22}, {38, 22}, {38, 32}}), kSleeve, 5);
             thin(p, polyline({{66, 78}, {38, 78}, {38, 68}}), kSleeve, 5);
         }},
        {"ProfSectionC+",
         [](QPainter& p) {
             thin(p,
                  polyline({{64, 28}, {78, 28}, {78, 14}, {28, 14}, {28, 86}, {78, 86}, {78, 72}, {64, 72}}));
         }},
        {"ProfSectionC Sleeve",
         [](QPainter& p) {
             thin(p, polyline({{78, 30}, {78, 14}, {28, 14}, {28, 86}, {78, 86}, {78, 70}}));
             thin(p, polyline({{68, 24}, {38, 24}, {38, 76}, {68, 76}}), kSleeve, 5);
         }},
        {"ProfSectionSingle Cleat",
         [](QPainter& p) {
             solid(p, angle());
             p.setPen(QPen(kInk, 2));
             p.setBrush(Qt::white);
             p.drawEllipse(QPointF(28.5, 40), 4, 4);
             p.drawEllipse(QPointF(62, 83.5), 4, 4);
         }},
        {"ProfSectionDouble Cleat",
         [](QPainter& p) {
             solid(p, polygon({{40, 12}, {47, 12}, {47, 80}, {86, 80}, {86, 88}, {40, 88}}));
             solid(p, polygon({{53, 12}, {60, 12}, {60, 88}, {14, 88}, {14, 80}, {53, 80}}));
         }},
        {"Hat section",
         [](QPainter& p) {
             thin(p, polyline({{8, 78}, {28, 78}, {34, 22}, {66, 22}, {72, 78}, {92, 78}}));
         }},
        {"Unknown",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 3, Qt::DashLine));
             p.setBrush(Qt::NoBrush);
             p.drawRect(QRectF(14, 14, 72, 72));
             QFont font;
             font.setPixelSize(56);
             font.setBold(true);
             p.setFont(font);
             p.setPen(kSteel);
             p.drawText(QRectF(14, 14, 72, 72), Qt::AlignCenter, "?");
         }},
    };
    return all;
}

bool save(const QString& path, int size, const Drawing& draw) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 100.0, size / 100.0);
    draw(painter);
    painter.end();
    if (!image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither)
             .save(path, "BMP")) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: ss_draw_section_pictures ICONS [USER_SECTIONS]\n");
        return 2;
    }
    const QString icons = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(icons)) {
        std::fprintf(stderr, "Cannot make %s\n", qPrintable(icons));
        return 1;
    }
    bool ok = true;
    for (const auto& [name, draw] : shapes()) {
        ok = save(icons + "/" + name + "-big.bmp", 96, draw) && ok;
        ok = save(icons + "/" + name + "-small.bmp", 24, draw) && ok;
    }
    if (argc == 3) {
        const QString userSections = QString::fromLocal8Bit(argv[2]);
        for (const auto& [name, draw] : shapes())
            if (QString(name) == "Hat section")
                ok = QDir().mkpath(userSections) && save(userSections + "/Hat section.bmp", 24, draw) && ok;
    }
    return ok ? 0 : 1;
}
