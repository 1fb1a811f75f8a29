#include "ui/button_st.h"

#include <QPixmap>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

#include "core/codepage.h"
#include "ui/picture_file.h"
#include "ui/resources.h"

CButtonST::CButtonST(QWidget* parent) : QPushButton(parent) { setAutoDefault(false); }

void CButtonST::showImage(const QImage& image, int id) {
    imageId_ = id;
    setIcon(QIcon(QPixmap::fromImage(image)));
    setIconSize(image.size());
}

bool CButtonST::setBitmap(int bitmapId) {
    QImage image;
    if (!ui::findBitmap(bitmapId, image)) return false;
    showImage(image, bitmapId);
    return true;
}

bool CButtonST::setIconImage(int iconId) {
    const QIcon icon = ui::loadIcon(iconId);
    if (icon.isNull()) return false;
    const QList<QSize> sizes = icon.availableSizes();
    showImage(icon.pixmap(sizes.isEmpty() ? QSize(32, 32) : sizes.first()).toImage(), iconId);
    return true;
}

void CButtonST::setTooltipText(const Zrk_String& text) { setToolTip(QString::fromStdString(core::toUtf8(text))); }

bool CButtonST::setBitmapFile(const Zrk_String& path, unsigned transparentColour) {
    QImage image;
    if (!ui::loadPictureFile(path, image, transparentColour)) {
        imageId_ = 0;
        setIcon(QIcon());
        return false;
    }
    showImage(image, -1);
    return true;
}

void CButtonST::setTextBelowPicture(bool below) {
    textBelow_ = below;
    updateGeometry();
    update();
}

namespace {
constexpr int kGap = 2; // between the picture and the text below it
} // namespace

QSize CButtonST::sizeHint() const {
    if (!textBelow_) return QPushButton::sizeHint();
    const QSize picture = icon().isNull() ? QSize(0, 0) : iconSize();
    const QSize words = fontMetrics().size(Qt::TextShowMnemonic, text());
    return QSize(std::max(picture.width(), words.width()) + 12,
                 picture.height() + kGap + words.height() + 10);
}

void CButtonST::paintEvent(QPaintEvent* event) {
    if (!textBelow_) {
        QPushButton::paintEvent(event);
        return;
    }
    // The button's face as the style draws it, then the picture centred in its upper part and the
    // text centred under it.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect area = rect().adjusted(4, 4, -4, -4);
    const QSize picture = icon().isNull() ? QSize(0, 0) : iconSize();
    const int textHeight = fontMetrics().height();
    const int top = area.top() + std::max(0, (area.height() - picture.height() - kGap - textHeight) / 2);
    if (!icon().isNull())
        icon().paint(&painter,
                     QRect(QPoint(area.left() + (area.width() - picture.width()) / 2, top), picture),
                     Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(QRect(area.left(), top + picture.height() + kGap, area.width(), textHeight),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic, text());
}

Zrk_String CButtonST::tooltipText() const { return core::fromUtf8(toolTip().toStdString()); }
