#include "ui/button_st.h"

#include <QPixmap>

#include "core/codepage.h"
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

Zrk_String CButtonST::tooltipText() const { return core::fromUtf8(toolTip().toStdString()); }
