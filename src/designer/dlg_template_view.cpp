#include "designer/dlg_template_view.h"

#include <algorithm>

#include "core/language.h"
#include "module/module_resources.h"

namespace {

const ui::DialogTemplate
    kTemplateViewTemplate(DlgTemplateView::kTemplate, "Dialog template", 300, 200, ui::dialogStyle::Resizable,
                          {
                              {ui::IDOK, ui::Kind::DefPushButton, "OK", 190, 180, 50, 14},
                              {ui::IDCANCEL, ui::Kind::PushButton, "Cancel", 244, 180, 50, 14},
                          });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kTemplateViewTemplate);

// The title texts: the template at run time, and in design mode.
constexpr int kTextTitle = 30002;
constexpr int kTextDesignTitle = 30003;

} // namespace

DlgTemplateView::DlgTemplateView(bool designMode, QWidget* owner)
    : ui::Dialog(kTemplate, owner), designMode_(designMode) {}

bool DlgTemplateView::onInitDialog() {
    Zrk_String title = dialString(designMode_ ? kTextDesignTitle : kTextTitle);
    if (!data.getTemplateName().empty()) title += " - <" + data.getTemplateName() + ">";
    setTitle(title);
    setItemText(ui::IDOK, dialString(1));
    setItemText(ui::IDCANCEL, dialString(2));

    data.initialize(this, Zrk_DlgDesignerData::kFirstControlId, Zrk_DlgDesignerData::kLastControlId, 0, 0, 0,
                    0, 0, designMode_);
    data.redrawAllControls();
    if (showValues) showValues(data);
    fitToPicture();
    if (designMode_) {
        data.selectCtrls(selection);
        return true;
    }
    return !data.setFocusToCtrl(true);
}

void DlgTemplateView::fitToPicture() {
    int width = 0, height = 0;
    data.getImageSize(width, height);
    const QRect button = mapDialogRect(QRect(0, 0, 50, 14));
    const int gap = mapDialogRect(QRect(0, 0, 7, 7)).width();
    width = std::max(width, 2 * button.width() + 3 * gap);
    moveItem(ui::IDOK, QRect(QPoint(width - 2 * (button.width() + gap), height + gap), button.size()));
    moveItem(ui::IDCANCEL, QRect(QPoint(width - button.width() - gap, height + gap), button.size()));
    resize(width, height + button.height() + 2 * gap);
}

void DlgTemplateView::onOK() {
    if (designMode_) data.getSizeFromAllControls();
    if (storeValues) storeValues(data);
    endDialog(ui::IDOK);
}

bool DlgTemplateView::preTranslateKey(const ui::KeyPress& key) {
    if (designMode_ || key.key != ui::VK_TAB) return false;
    Zrk_TabMsgHandle answer = tabNotHandled;
    if (data.handleTabKey(key, answer)) {
        if (answer == tabPastLast)
            gotoDlgCtrl(ui::IDOK);
        else if (answer == tabBeforeFirst)
            gotoDlgCtrl(ui::IDCANCEL);
        return true;
    }
    // Past the dialog's own buttons the template comes again.
    if (!key.shift && key.targetId == ui::IDCANCEL) return data.setFocusToCtrl(true);
    if (key.shift && key.targetId == ui::IDOK) return data.setFocusToCtrl(false);
    return false;
}

void DlgTemplateView::onEraseBackground(QPainter& painter) {
    data.OnEraseBkgnd(painter);
}

void DlgTemplateView::onPaint(QPainter& painter) {
    data.OnPaint(painter);
}

void DlgTemplateView::onLButtonDown(const QPoint& point, Qt::KeyboardModifiers modifiers) {
    data.OnLButtonDown(modifiers, point);
}

void DlgTemplateView::onMouseMove(const QPoint& point, Qt::MouseButtons) {
    data.OnMouseMove(point);
}

void DlgTemplateView::onLButtonUp(const QPoint& point, Qt::KeyboardModifiers modifiers) {
    data.OnLButtonUp(modifiers, point);
}
