#pragma once
// How the desktop window answers the editor's picks (host/editor.h): while the window is open, a pick
// asks the person in a small dialog. An object pick lists the drawing's objects of the kinds asked
// for (the entry chosen in the tree first, when it is one of them); a point, plane, section point or
// zoom window takes typed coordinates ("x, y, z", points separated by ";", z may be left out). OK
// answers, Escape or Cancel cancels, and "Done" gives the empty answer where the request takes one
// (it ends a selection of several objects, or zooms to the extents). An answer the editor would
// refuse is said at once and the person answers again.

#include <functional>

#include "host/editor.h"
#include "ui/dialog.h"

namespace sshost::gui {

class DlgPick : public ui::Dialog {
public:
    enum : int { kTemplate = 30300, kPrompt = 1001, kObjects = 1002, kPointsLabel = 1003, kPoints = 1004, kDone = 1005 };

    DlgPick(const host::PickRequest& request, const core::Drawing* drawing, QWidget* owner);

    // In: the object to offer first (may be null). Out (IDOK): the answer.
    AcDbObjectId preselected;
    host::PickAnswer answer;

    // Reads "x, y, z; x, y" into points; false with the reason when it is not count points of numbers.
    static bool parsePoints(const Zrk_String& text, int count, std::vector<Zrk_Point3d>& points, Zrk_String& why);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onOK() override;

private:
    const host::PickRequest& request_;
    std::vector<core::DrawingObjectRef> objects_;
};

// Installed while the window lives (on top of whoever answered before); each pick runs a DlgPick and
// tells the window (prompt shown, answer printed) through report.
class WindowPickInput : public host::EditorInput {
public:
    using Report = std::function<void(const Zrk_String& prompt, const Zrk_String& outcome)>;
    using Preselect = std::function<AcDbObjectId()>;
    WindowPickInput(QWidget* window, Preselect preselect, Report report)
        : window_(window), preselect_(std::move(preselect)), report_(std::move(report)) {}
    int ask(const host::PickRequest& request, host::PickAnswer& answer) override;

private:
    QWidget* window_;
    Preselect preselect_;
    Report report_;
};

} // namespace sshost::gui
