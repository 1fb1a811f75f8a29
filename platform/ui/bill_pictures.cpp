#include "ui/bill_pictures.h"

#include <QBuffer>
#include <QDialog>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

#include "core/codepage.h"
#include "core/files.h"
#include "core/text.h"
#include "ui/dialog.h"

namespace {

constexpr int kDefaultHeight = 32;
constexpr int kMargin = 8;
constexpr int kLargest = 4000; // pixels; a picture of a row is never larger
constexpr int kAreaMargin = 20;

class PictureProgressDialog : public QDialog {
public:
    explicit PictureProgressDialog(int areaHeight) : QDialog(ui::mainWindow()) {
        setWindowTitle(QStringLiteral("Bill pictures"));
        setWindowFlag(Qt::WindowContextHelpButtonHint, false);
        setModal(false);
        auto* layout = new QVBoxLayout(this);
        count_ = new QLabel(QStringLiteral("Making the pictures of the bill ..."), this);
        picture_ = new QLabel(this);
        picture_->setAlignment(Qt::AlignCenter);
        picture_->setMinimumSize(240, areaHeight);
        picture_->setStyleSheet(QStringLiteral("background: white; border: 1px solid #a0a0a0;"));
        bar_ = new QProgressBar(this);
        bar_->setRange(0, 0); // the bill engine does not say how many rows will come
        bar_->setTextVisible(false);
        layout->addWidget(count_);
        layout->addWidget(picture_);
        layout->addWidget(bar_);
    }

    void showPicture(const QImage& image) {
        ++shown_;
        if (!isVisible()) return;
        count_->setText(QStringLiteral("Pictures made: %1").arg(shown_));
        picture_->setPixmap(QPixmap::fromImage(image.height() > picture_->height() - 4
                                                   ? image.scaledToHeight(std::max(1, picture_->height() - 4))
                                                   : image));
        repaint(); // at once: the feed does not return to the event loop until it ends
    }
    void restart() { shown_ = 0; }
    int shown() const { return shown_; }

private:
    QLabel* count_ = nullptr;
    QLabel* picture_ = nullptr;
    QProgressBar* bar_ = nullptr;
    int shown_ = 0;
};

QPointer<PictureProgressDialog>& progressDialog() {
    static QPointer<PictureProgressDialog> dialog;
    return dialog;
}

QImage drawCard(const QString& name, int& width, int height, bool framed, bool bold) {
    QFont font;
    font.setPixelSize(std::clamp(height * 9 / 20, 6, 200));
    font.setBold(bold);
    if (width < 1) width = QFontMetrics(font).horizontalAdvance(name) + 2 * kMargin;
    width = std::clamp(width, 1, kLargest);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    if (framed) {
        painter.setPen(QPen(QColor(90, 90, 90), 1));
        painter.drawRect(0, 0, width - 1, height - 1);
    }
    painter.setFont(font);
    painter.setPen(QColor(20, 20, 20));
    painter.drawText(QRect(0, 0, width, height), Qt::AlignCenter, name);
    painter.end();
    return image;
}

} // namespace

bool createImage(const Zrk_StringArray& row, const Zrk_String& fileName, int& width, int& height, int& count,
                 bool& framed, bool& bold, const Zrk_Bill* bill, AcTransaction* transaction) {
    if (!bill || !transaction || fileName.empty()) return false;
    if (!row.isValid(bill->sectionColumn)) return false;
    const Zrk_String section = trimmed(row[bill->sectionColumn]);
    if (section.empty()) return false;

    const int pictureHeight = height > 0 ? std::min(height, kLargest) : kDefaultHeight;
    int pictureWidth = width;
    const QImage image = drawCard(QString::fromStdString(core::toUtf8(section)), pictureWidth, pictureHeight, framed, bold);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "BMP")) return false;
    if (!writeFileAtomically(fileName, bytes.toStdString())) return false;

    width = pictureWidth;
    ++count;
    if (PictureProgressDialog* dialog = progressDialog()) dialog->showPicture(image);
    return true;
}

void initBMPDialog(int pictureAreaHeight) {
    const int areaHeight = std::clamp(pictureAreaHeight, kDefaultHeight + kAreaMargin, kLargest);
    if (PictureProgressDialog* open = progressDialog()) {
        open->restart();
        return;
    }
    auto* dialog = new PictureProgressDialog(areaHeight);
    progressDialog() = dialog;
    dialog->show();
}

void closeBMPDialog() {
    if (PictureProgressDialog* dialog = progressDialog()) {
        progressDialog() = nullptr;
        dialog->hide();
        delete dialog; // not from inside its own event handlers: the feed calls this
    }
}

namespace ui {
QWidget* bmpDialog() { return progressDialog().data(); }
int bmpDialogPictureCount() { return progressDialog() ? progressDialog()->shown() : 0; }
} // namespace ui
