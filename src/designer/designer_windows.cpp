// A template's live windows: geometry between factors and pixels, making and removing the windows,
// the background, and the mouse of design mode.

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/codepage.h"
#include "core/language.h"
#include "designer/control_rect.h"
#include "designer/design_tracker.h"
#include "designer/designer_data.h"
#include "module/module_state.h"
#include "ui/resources.h"

namespace {

// Pixels beyond this are as far as a window goes: a hand-edited factor of 1e300 must not overflow.
constexpr double kMaxPixel = 30000.0;
// At run time a combo box's rectangle holds its drop-down list: at least this high.
constexpr int kRunTimeComboHeight = 200;
constexpr int kFlexIconId = 239;

int pixelOf(double pixels) {
    if (!std::isfinite(pixels)) return 0;
    return static_cast<int>(std::lround(std::clamp(pixels, -kMaxPixel, kMaxPixel)));
}

} // namespace

// --- geometry ---------------------------------------------------------------------------------------------

double Zrk_DlgDesignerData::getTopLeftX(const Zrk_DesignerControl& c) const {
    return factorToPixels(true, c.topLeftX);
}
double Zrk_DlgDesignerData::getTopLeftY(const Zrk_DesignerControl& c) const {
    return factorToPixels(false, c.topLeftY);
}
double Zrk_DlgDesignerData::getBottomRightX(const Zrk_DesignerControl& c) const {
    return factorToPixels(true, c.bottomRightX);
}
double Zrk_DlgDesignerData::getBottomRightY(const Zrk_DesignerControl& c) const {
    return factorToPixels(false, c.bottomRightY);
}
void Zrk_DlgDesignerData::setTopLeftX(Zrk_DesignerControl& c, double px) const {
    c.topLeftX = pixelsToFactor(true, px);
}
void Zrk_DlgDesignerData::setTopLeftY(Zrk_DesignerControl& c, double px) const {
    c.topLeftY = pixelsToFactor(false, px);
}
void Zrk_DlgDesignerData::setBottomRightX(Zrk_DesignerControl& c, double px) const {
    c.bottomRightX = pixelsToFactor(true, px);
}
void Zrk_DlgDesignerData::setBottomRightY(Zrk_DesignerControl& c, double px) const {
    c.bottomRightY = pixelsToFactor(false, px);
}
double Zrk_DlgDesignerData::getWidth(const Zrk_DesignerControl& c) const {
    return getBottomRightX(c) - getTopLeftX(c);
}
double Zrk_DlgDesignerData::getHeight(const Zrk_DesignerControl& c) const {
    return getBottomRightY(c) - getTopLeftY(c);
}
void Zrk_DlgDesignerData::setWidth(Zrk_DesignerControl& c, double width) const {
    setBottomRightX(c, getTopLeftX(c) + width);
}
void Zrk_DlgDesignerData::setHeight(Zrk_DesignerControl& c, double height) const {
    setTopLeftY(c, getBottomRightY(c) - height);
}

bool Zrk_DlgDesignerData::changeCtrlSize(int index, bool horizontal, double pixels) {
    Zrk_DesignerControl* control = getControlWrite(index);
    if (!control || (horizontal ? imageWidth_ : imageHeight_) <= 0) return false;
    if (horizontal)
        control->bottomRightX = control->topLeftX + pixelsToFactor(true, pixels);
    else
        control->bottomRightY = control->topLeftY + pixelsToFactor(false, pixels);
    return true;
}

bool Zrk_DlgDesignerData::getSizeFromControl(const int& index) {
    Zrk_DesignerControl* control = getControlWrite(index);
    int drawnIndex = -1;
    CControlRect* drawn = nullptr;
    // Without a picture there is no size to divide by: the factors stay.
    if (!getDlgPtr() || !control || imageWidth_ <= 0 || imageHeight_ <= 0 ||
        !findDrawnCtrlFromResource(control->resourceId, drawnIndex, drawn))
        return false;
    const QRect rect = drawn->rect();
    control->topLeftX = pixelsToFactor(true, rect.x());
    control->topLeftY = pixelsToFactor(false, rect.y());
    control->bottomRightX = pixelsToFactor(true, rect.x() + rect.width());
    control->bottomRightY = pixelsToFactor(false, rect.y() + rect.height());
    return true;
}

bool Zrk_DlgDesignerData::getSizeFromAllControls() {
    if (!getDlgPtr() || imageWidth_ <= 0 || imageHeight_ <= 0) return false;
    for (int i = 0; i < controls_.length(); ++i)
        getSizeFromControl(i);
    return true;
}

// --- windows
// -------------------------------------------------------------------------------------------------

const QIcon& Zrk_DlgDesignerData::flexIcon() {
    if (!flexIconLoaded_) {
        flexIcon_ = ui::loadIcon(frame::moduleInstance(), kFlexIconId);
        if (flexIcon_.isNull()) flexIcon_ = ui::loadIcon(kFlexIconId);
        flexIconLoaded_ = true;
    }
    return flexIcon_;
}

QWidget* Zrk_DlgDesignerData::windowOf(int id) const {
    int index = -1;
    CControlRect* drawn = nullptr;
    return findDrawnCtrlFromResource(id, index, drawn) ? drawn->window() : nullptr;
}

bool Zrk_DlgDesignerData::findDrawnCtrlFromResource(const int& id, int& index, CControlRect*& drawn) const {
    if (id == 0) return false;
    for (std::size_t i = 0; i < drawnControls_.size(); ++i) {
        if (drawnControls_[i]->id() == id && drawnControls_[i]->window()) {
            index = static_cast<int>(i);
            drawn = drawnControls_[i].get();
            return true;
        }
    }
    return false;
}

const CControlRect* Zrk_DlgDesignerData::getDrawnControl(int index) const {
    return index >= 0 && index < getNrDrawnControls() ? drawnControls_[static_cast<std::size_t>(index)].get()
                                                      : nullptr;
}

bool Zrk_DlgDesignerData::setBtnIcon(const Zrk_DesignerControl& control) {
    auto* button = qobject_cast<QAbstractButton*>(windowOf(control.resourceId));
    if (!button) return false;
    const QIcon& icon = flexIcon();
    button->setIcon(icon);
    const int side = std::max(8, std::min(button->width(), button->height()) - 8);
    button->setIconSize(QSize(side, side));
    return !icon.isNull();
}

bool Zrk_DlgDesignerData::FillDesCombo(ui::Dialog* dialog, Zrk_DesignerControl& control) {
    const int id = control.resourceId;
    if (!dialog || !qobject_cast<QComboBox*>(dialog->item(id))) return false;
    Zrk_StringArray items;
    if (control.type == ctCutType) {
        for (int text : {1395, 1396, 1397, 1398, 695})
            items.append(dialString(text));
    } else {
        items = control.comboItems;
        if (items.isEmpty()) control.getComboItemsFromFile(items);
    }
    if (items.isEmpty()) return true;
    dialog->comboResetContent(id);
    for (const Zrk_String& item : items)
        dialog->comboAddString(id, item);
    const int found = dialog->comboFindStringExact(id, control.contents);
    if (found >= 0) {
        dialog->comboSetCurSel(id, found);
    } else {
        // A list to choose from shows nothing then; an editable one shows the text.
        dialog->comboSetCurSel(id, -1);
        dialog->setItemText(id, control.contents);
    }
    return true;
}

bool Zrk_DlgDesignerData::drawControl(Zrk_DesignerControl& control) {
    ui::Dialog* dialog = getDlgPtr();
    if (!dialog || control.resourceId == 0) return false;

    const int left = pixelOf(getTopLeftX(control));
    const int top = pixelOf(getTopLeftY(control));
    const int right = pixelOf(getBottomRightX(control));
    const int bottom = pixelOf(getBottomRightY(control));
    QRect rect(std::min(left, right), std::min(top, bottom), std::abs(right - left), std::abs(bottom - top));
    const designer::ControlKind kind = designer::controlKind(control.type);
    if (!designMode_ && kind == designer::ControlKind::ComboBox && rect.height() < kRunTimeComboHeight)
        rect.setHeight(kRunTimeComboHeight);

    const designer::ControlCreation creation = designer::controlCreation(control.type);
    ui::ControlTemplate shape(control.resourceId, creation.kind,
                              creation.showsIcon ? Zrk_String() : control.contents, 0, 0, 0, 0,
                              creation.style);
    QWidget* window = dialog->createItem(shape, rect);
    if (!window) return false;
    if (creation.showsIcon) window->setToolTip(QString::fromStdString(core::toUtf8(control.contents)));
    // Disabled so that the designer's clicks are not the controls'; the mouse goes through them all.
    if (control.readOnly || (designMode_ && kind != designer::ControlKind::Static)) window->setEnabled(false);
    if (designMode_) window->setAttribute(Qt::WA_TransparentForMouseEvents);

    drawnControls_.push_back(std::make_unique<CControlRect>(control.resourceId, window, rect));
    if (designMode_ && tracker_) {
        tracker_->addControl(drawnControls_.back().get());
        window->raise();
    }

    if (kind == designer::ControlKind::ComboBox) FillDesCombo(dialog, control);
    if (control.type == ctCutType) {
        setComboValue(control.resourceId, control.contents);
    } else if (control.type == ctCellCheck) {
        setCheckValue(control.resourceId, control.comboList);
    } else if (control.type == ctFlexButton) {
        setBtnIcon(control);
    }
    return true;
}

void Zrk_DlgDesignerData::showContents(Zrk_DesignerControl& control) {
    ui::Dialog* dialog = getDlgPtr();
    QWidget* window = windowOf(control.resourceId);
    if (!dialog || !window) return;
    const designer::ControlCreation creation = designer::controlCreation(control.type);
    if (creation.showsIcon) {
        window->setToolTip(QString::fromStdString(core::toUtf8(control.contents)));
    } else {
        dialog->setItemText(control.resourceId, control.contents);
    }
    if (designer::controlKind(control.type) == designer::ControlKind::ComboBox) FillDesCombo(dialog, control);
    if (control.type == ctCutType) {
        setComboValue(control.resourceId, control.contents);
    } else if (control.type == ctCellCheck) {
        setCheckValue(control.resourceId, control.comboList);
    }
    window->update();
}

bool Zrk_DlgDesignerData::redrawAllControls() {
    if (!getDlgPtr()) return false;
    if (designMode_) {
        if (tracker_) tracker_->clearSelection();
    } else {
        sortAllControls();
    }
    removeAllDrawnCtrls();
    for (Zrk_DesignerControl& control : controls_)
        drawControl(control);
    return true;
}

void Zrk_DlgDesignerData::removeAllDrawnCtrls() {
    if (tracker_) tracker_->removeAllControls();
    ui::Dialog* dialog = dialog_.data();
    for (const auto& drawn : drawnControls_)
        if (dialog && drawn->window() && dialog->item(drawn->id()) == drawn->window())
            dialog->destroyItem(drawn->id());
    drawnControls_.clear();
}

bool Zrk_DlgDesignerData::removeDrawnCtrlOnly(const int& id) {
    int index = -1;
    CControlRect* drawn = nullptr;
    if (!findDrawnCtrlFromResource(id, index, drawn)) return false;
    if (tracker_) tracker_->removeControl(id);
    if (ui::Dialog* dialog = dialog_.data(); dialog && dialog->item(id) == drawn->window())
        dialog->destroyItem(id);
    drawnControls_.erase(drawnControls_.begin() + index);
    return true;
}

bool Zrk_DlgDesignerData::removeCurControls() {
    if (!tracker_) return false;
    const std::vector<int> ids = tracker_->getSelectedIds();
    for (int id : ids) {
        removeDrawnCtrlOnly(id);
        int index = -1;
        if (findCtrlFromResource(id, index)) removeControl(index);
    }
    tracker_->clearSelection();
    return true;
}

// --- painting and the mouse
// ------------------------------------------------------------------------------------

bool Zrk_DlgDesignerData::OnEraseBkgnd(QPainter& painter) {
    ui::Dialog* dialog = getDlgPtr();
    if (!dialog) return false;
    if (designMode_) painter.fillRect(dialog->clientRect(), dialog->palette().color(QPalette::Button));
    if (!shownPicture_.isNull()) painter.drawImage(QPoint(0, 0), shownPicture_);
    return true;
}

void Zrk_DlgDesignerData::OnPaint(QPainter& painter) {
    if (getDlgPtr() && tracker_) tracker_->paint(painter);
}

bool Zrk_DlgDesignerData::OnSetCursor(const QPoint& point) {
    ui::Dialog* dialog = getDlgPtr();
    if (!dialog || !tracker_) return false;
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (tracker_->cursorAt(point, shape)) {
        dialog->setCursor(shape);
        return true;
    }
    dialog->unsetCursor();
    return false;
}

void Zrk_DlgDesignerData::OnLButtonDown(Qt::KeyboardModifiers flags, const QPoint& point) {
    if (!getDlgPtr() || !designMode_ || !tracker_) return;
    tracker_->mousePress(point, flags & Qt::ShiftModifier, flags & Qt::ControlModifier);
}

void Zrk_DlgDesignerData::OnMouseMove(const QPoint& point) {
    if (!getDlgPtr() || !tracker_) return;
    if (tracker_->isTracking())
        tracker_->mouseMove(point);
    else
        OnSetCursor(point);
}

bool Zrk_DlgDesignerData::OnLButtonUp(Qt::KeyboardModifiers, const QPoint& point) {
    return getDlgPtr() && tracker_ && tracker_->mouseRelease(point);
}
