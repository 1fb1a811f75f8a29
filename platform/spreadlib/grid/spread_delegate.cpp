#include "spreadlib/grid/spread_delegate.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleValidator>
#include <QFileInfo>
#include <QLineEdit>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>

#include "spreadlib/grid/picture_registry.h"
#include "spreadlib/grid/qt_text.h"
#include "spreadlib/grid/spread_model.h"

namespace spreadlib {

namespace {

const CellDisplay& displayOf(const QModelIndex& index) {
    return *reinterpret_cast<const CellDisplay*>(index.data(kRoleDisplay).value<quintptr>());
}

// Pictures of picture cells that show a file: read once, kept by path and time.
QImage filePicture(const Zrk_String& path) {
    const QString file = qtText(path);
    const QFileInfo info(file);
    const QString key = "spreadlib:" + file + ":" + QString::number(info.lastModified().toMSecsSinceEpoch());
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        QImage image;
        if (!image.load(file)) return QImage();
        pixmap = QPixmap::fromImage(image);
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap.toImage();
}

// The picture a picture-from-file cell keeps; decoded once per distinct picture.
QImage keptPicture(const PictureData& data) {
    const QString key = "spreadlib:data:" + QString::number(std::hash<std::string>{}(*data.bytes), 16) + ":" +
                        QString::number(data.bytes->size());
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        QImage image;
        if (!image.loadFromData(reinterpret_cast<const uchar*>(data.bytes->data()), static_cast<int>(data.bytes->size())))
            return QImage();
        pixmap = QPixmap::fromImage(image);
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap.toImage();
}

// A picture placed in rect: scaled to fit (keeping its shape) with kStylePictureFit or when larger
// than the cell, centred with kStyleCenter, else at the left.
void drawPicture(QPainter* painter, const QRect& rect, const QImage& image, std::uint32_t style) {
    if (image.isNull() || rect.isEmpty()) return;
    QSize size = image.size();
    if ((style & kStylePictureFit) || size.width() > rect.width() || size.height() > rect.height())
        size = size.scaled(rect.size(), Qt::KeepAspectRatio);
    int x = rect.left() + 2;
    if (style & kStyleCenter) x = rect.left() + (rect.width() - size.width()) / 2;
    const int y = rect.top() + (rect.height() - size.height()) / 2;
    painter->drawImage(QRect(QPoint(x, y), size), image);
}

} // namespace

SpreadDelegate::SpreadDelegate(SpreadModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model) {}

bool SpreadDelegate::paintFace(QPainter* painter, const QRect& rect, const CellDisplay& cell, bool pressed,
                               const QWidget* widget) {
    const CellType& type = cell.type;
    QStyle* style = widget ? widget->style() : QApplication::style();
    switch (type.code) {
    case kTypeCheckBox: {
        const bool checked = cell.text == "1";
        if (type.style & kStyleCheckPictures) {
            // Faces: checked normal, pressed, disabled; unchecked normal, pressed, disabled.
            const int face = (checked ? 0 : 3) + (cell.locked ? 2 : pressed ? 1 : 0);
            QImage image;
            if (!findPicture(type.pictures[face], image)) findPicture(type.pictures[checked ? 0 : 3], image);
            drawPicture(painter, rect, image, type.style);
            return true;
        }
        QStyleOptionButton box;
        box.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
        if (cell.locked) box.state &= ~QStyle::State_Enabled;
        const QRect indicator = style->subElementRect(QStyle::SE_CheckBoxIndicator, &box, widget);
        const int x = (type.style & kStyleCenter) && type.text.empty()
                          ? rect.left() + (rect.width() - indicator.width()) / 2
                          : rect.left() + 3;
        box.rect = QRect(x, rect.top() + (rect.height() - indicator.height()) / 2, indicator.width(),
                         indicator.height());
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
        if (!type.text.empty()) {
            painter->save();
            painter->setFont(qtFont(cell.font));
            painter->drawText(rect.adjusted(box.rect.right() - rect.left() + 5, 0, 0, 0),
                              Qt::AlignVCenter | Qt::AlignLeft, qtText(type.text));
            painter->restore();
        }
        return true;
    }
    case kTypeButton: {
        QStyleOptionButton button;
        button.rect = rect.adjusted(1, 1, -1, -1);
        button.text = qtText(type.text);
        button.state = QStyle::State_Enabled | (pressed ? QStyle::State_Sunken : QStyle::State_Raised);
        if (cell.locked) button.state &= ~QStyle::State_Enabled;
        painter->save();
        painter->setFont(qtFont(cell.font));
        button.fontMetrics = painter->fontMetrics();
        style->drawControl(QStyle::CE_PushButton, &button, painter, widget);
        painter->restore();
        return true;
    }
    case kTypePicture: {
        QImage image;
        if (type.pictureFromFile)
            image = type.pictureData.isEmpty() ? filePicture(type.text) : keptPicture(type.pictureData);
        else
            findPicture(type.pictures[0], image);
        drawPicture(painter, rect, image, type.style);
        return true;
    }
    default:
        return false;
    }
}

void SpreadDelegate::paintBorder(QPainter* painter, const QRect& rect, const CellDisplay& cell) {
    const Border& border = cell.border;
    if (border.isEmpty()) return;
    auto line = [&](const BorderSide& side, QPoint a, QPoint b) {
        if (side.style == kBorderStyleNone) return;
        const QColor colour = qtColor(side.color);
        QPen pen(colour.isValid() ? colour : QColor(Qt::black));
        switch (side.style) {
        case kBorderStyleDash:
            pen.setStyle(Qt::DashLine);
            break;
        case kBorderStyleDot:
            pen.setStyle(Qt::DotLine);
            break;
        case kBorderStyleDashDot:
            pen.setStyle(Qt::DashDotLine);
            break;
        case kBorderStyleDashDotDot:
            pen.setStyle(Qt::DashDotDotLine);
            break;
        default:
            break;
        }
        painter->setPen(pen);
        painter->drawLine(a, b);
    };
    painter->save();
    line(border.left, rect.topLeft(), rect.bottomLeft());
    line(border.right, rect.topRight(), rect.bottomRight());
    line(border.top, rect.topLeft(), rect.topRight());
    line(border.bottom, rect.bottomLeft(), rect.bottomRight());
    painter->restore();
}

void SpreadDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    const CellDisplay cell = displayOf(index);
    const int col = index.column() + 1, row = index.row() + 1;
    const bool face =
        cell.type.code == kTypeCheckBox || cell.type.code == kTypeButton || cell.type.code == kTypePicture;
    if (!face) {
        QStyledItemDelegate::paint(painter, option, index);
    } else {
        const QVariant back = index.data(Qt::BackgroundRole);
        painter->fillRect(option.rect, back.value<QColor>());
        if (option.state & QStyle::State_Selected) {
            QColor highlight = option.palette.color(QPalette::Highlight);
            highlight.setAlpha(90);
            painter->fillRect(option.rect, highlight);
        }
        paintFace(painter, option.rect, cell, col == pressedCol_ && row == pressedRow_, option.widget);
    }
    paintBorder(painter, option.rect, cell);
}

namespace {
// An editor shows the cell's own background (the view's base colour is the grey area's).
void paintLikeTheCell(QWidget* editor, const CellDisplay& cell) {
    QPalette palette = editor->palette();
    const QColor back = qtColor(cell.backColor);
    palette.setColor(QPalette::Base, back.isValid() ? back : QColor(Qt::white));
    const QColor fore = qtColor(cell.foreColor);
    if (fore.isValid()) palette.setColor(QPalette::Text, fore);
    editor->setPalette(palette);
}
} // namespace

QWidget* SpreadDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex& index) const {
    const CellDisplay cell = displayOf(index);
    const CellType& type = cell.type;
    if (type.code == kTypeCombo) {
        auto* combo = new QComboBox(parent);
        combo->setEditable(type.style & kStyleComboEditable);
        for (const Zrk_String& item : type.comboItems())
            combo->addItem(qtText(item));
        combo->setFont(qtFont(cell.font));
        combo->setFrame(false);
        paintLikeTheCell(combo, cell);
        created_ = combo;
        return combo;
    }
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    edit->setFont(qtFont(cell.font));
    paintLikeTheCell(edit, cell);
    if (type.code == kTypeEdit && type.maxLength > 0) edit->setMaxLength(type.maxLength);
    if (type.isNumeric()) {
        // Numbers as the sheet reads them: '.' as the decimal point, whatever the desktop's locale.
        const bool limited = type.minValue != 0.0 || type.maxValue != 0.0;
        auto* validator = new QDoubleValidator(
            limited ? type.minValue : -1e300, limited ? type.maxValue : 1e300, type.roundingDecimals(), edit);
        validator->setLocale(QLocale::c());
        validator->setNotation(QDoubleValidator::StandardNotation);
        // A formula may be typed into a number cell when user formulas are on.
        if (!model_.sheet().getBool(kOptionUserFormulas)) edit->setValidator(validator);
    }
    if (cell.isNumber || type.isNumeric()) edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    created_ = edit;
    return edit;
}

void SpreadDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const int found = combo->findText(text);
        if (found >= 0)
            combo->setCurrentIndex(found);
        else if (combo->isEditable())
            combo->setEditText(text);
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        // The editor shows the cell's text whatever the validator would take now.
        const QValidator* validator = edit->validator();
        edit->setValidator(nullptr);
        edit->setText(text);
        edit->setValidator(validator);
        edit->selectAll();
    }
}

void SpreadDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const {
    QString text;
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        text = combo->currentText();
    else if (auto* edit = qobject_cast<QLineEdit*>(editor))
        text = edit->text();
    else
        return;
    if (text == index.data(Qt::EditRole).toString()) return; // nothing typed: the cell stays as it is
    model->setData(index, text, Qt::EditRole);
}

void SpreadDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                          const QModelIndex&) const {
    editor->setGeometry(option.rect);
}

} // namespace spreadlib
