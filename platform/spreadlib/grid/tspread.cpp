#include "spreadlib/grid/tspread.h"

#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLineEdit>
#include <QResizeEvent>
#include <QScrollBar>

#include "spreadlib/grid/qt_text.h"
#include "spreadlib/grid/spread_model.h"
#include "spreadlib/grid/spread_view.h"
#include "ui/dialog.h"
#include "ui/window_class.h"

TSpread::TSpread(QWidget* parent, int columns, int rows) : QWidget(parent) {
    sheet_ = std::make_unique<spreadlib::Sheet>();
    if (columns >= 0) sheet_->setMaxCols(columns);
    if (rows >= 0) sheet_->setMaxRows(rows);
    // Texts are measured as the grid draws them (fitting columns to their texts).
    sheet_->setTextMeasurer(
        [](const Zrk_String& text, const spreadlib::FontSpec& font, int& width, int& height) {
            const QFontMetrics metrics(spreadlib::qtFont(font));
            width = metrics.horizontalAdvance(spreadlib::qtText(text)) + 8;
            height = metrics.height() + 4;
        });
    model_ = std::make_unique<spreadlib::SpreadModel>(*sheet_);
    model_->setSignalCells(false); // until the grid shows: a hidden grid draws nothing
    view_ = new spreadlib::SpreadView(*this, *model_);
    view_->setGeometry(rect());
    setFocusProxy(view_);
    setFocusPolicy(Qt::StrongFocus);
    ui::setWindowClassName(this, "fpSpread70");
}

TSpread::~TSpread() {
    // The view goes before the model and the sheet it shows.
    delete view_;
    view_ = nullptr;
}

QTableView* TSpread::view() const {
    return view_;
}

void TSpread::flushView() {
    view_->flushLayout();
}

void TSpread::getClientArea(int& width, int& height) const {
    const int frame = view_->frameWidth();
    width = std::max(0, this->width() - 2 * frame);
    height = std::max(0, this->height() - 2 * frame);
}

void TSpread::SSGetScrollBarSize(int& verticalWidth, int& horizontalHeight) const {
    const int extent = view_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view_);
    verticalWidth = view_->verticalScrollBar()->isVisibleTo(view_) ? extent : 0;
    horizontalHeight = view_->horizontalScrollBar()->isVisibleTo(view_) ? extent : 0;
}

void TSpread::setEditSel(int start, int end) {
    sheet_->setEditSel(start, end);
    if (auto* edit = qobject_cast<QLineEdit*>(view_->openEditor())) {
        sheet_->getEditSel(start, end);
        edit->setSelection(start, end - start);
    } else if (auto* combo = qobject_cast<QComboBox*>(view_->openEditor()); combo && combo->lineEdit()) {
        sheet_->getEditSel(start, end);
        combo->lineEdit()->setSelection(start, end - start);
    }
}

void TSpread::getEditSel(int& start, int& end) const {
    QLineEdit* edit = qobject_cast<QLineEdit*>(view_->openEditor());
    if (!edit)
        if (auto* combo = qobject_cast<QComboBox*>(view_->openEditor())) edit = combo->lineEdit();
    if (!edit) {
        sheet_->getEditSel(start, end);
        return;
    }
    if (edit->hasSelectedText()) {
        start = edit->selectionStart();
        end = edit->selectionEnd();
    } else {
        start = end = edit->cursorPosition();
    }
}

void TSpread::showCell(int col, int row) {
    const QModelIndex index = model_->index(row - 1, col - 1);
    if (index.isValid()) view_->scrollTo(index);
}

bool TSpread::clipboardCopy(int col1, int row1, int col2, int row2) {
    if (!sheet_->clipboardCopy(col1, row1, col2, row2)) return false;
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(spreadlib::qtText(spreadlib::Sheet::clipboardText()));
    return true;
}

bool TSpread::clipboardPaste(int col, int row) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        const QString text = clipboard->text();
        if (!text.isEmpty()) spreadlib::Sheet::setClipboardText(spreadlib::moduleText(text));
    }
    return sheet_->clipboardPaste(col, row);
}

void TSpread::onCellCommand(int code) {
    ui::commandParent(this, code);
}

void TSpread::notifyDialog(int code, const spreadlib::GridNotify& record) {
    ui::notifyParent(this, code, &record);
}

void TSpread::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    view_->setGeometry(rect());
    onSizeChanged();
}

void TSpread::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    view_->setFocus();
}
