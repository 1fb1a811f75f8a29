#pragma once
// A dialog that shows one dialog template as live controls on its picture, with OK and Cancel below
// it: at run time as a macro page shows a template, or in design mode as the designer does. It passes
// its events on to the template the way every host of a template does (designer_data.h), and is the
// host shell's demonstration of templates ("sshost dialog designed-template [--template NAME]
// [--design]").
//
//   DlgTemplateView view(false);
//   view.data.readFromFile(getDesignerRootFolder() + "Base plate.txt", true);
//   view.showValues = [](Zrk_DlgDesignerData& t) { t.setCtrlValue(33004, "1"); };
//   if (view.doModal() == ui::IDOK) ... view.data ...   // design mode: the factors as moved
//
// Keys at run time: Tab goes through the template's controls in their tab order, then to OK and
// Cancel, and back to the template.

#include <functional>
#include <vector>

#include "designer/designer_data.h"
#include "ui/dialog.h"

class DlgTemplateView : public ui::Dialog {
public:
    static constexpr int kTemplate = 20227;

    explicit DlgTemplateView(bool designMode, QWidget* owner = nullptr);

    // The template, read by the caller before the dialog runs; after OK in design mode its factors
    // are the windows' positions.
    Zrk_DlgDesignerData data;
    // Called once the windows exist, to show values in them as a macro page would, and on OK, while
    // the windows still exist, to read them.
    std::function<void(Zrk_DlgDesignerData& data)> showValues;
    std::function<void(Zrk_DlgDesignerData& data)> storeValues;
    // Design mode: the child-window ids selected when the dialog opens.
    std::vector<int> selection;

    bool isDesignMode() const { return designMode_; }

protected:
    bool onInitDialog() override;
    void onOK() override;
    bool preTranslateKey(const ui::KeyPress& key) override;
    void onEraseBackground(QPainter& painter) override;
    void onPaint(QPainter& painter) override;
    void onLButtonDown(const QPoint& point, Qt::KeyboardModifiers modifiers) override;
    void onMouseMove(const QPoint& point, Qt::MouseButtons buttons) override;
    void onLButtonUp(const QPoint& point, Qt::KeyboardModifiers modifiers) override;

private:
    // Places OK and Cancel below the picture and fits the dialog around both.
    void fitToPicture();

    bool designMode_;
};
