#pragma once
// The DSTV points dialog (template 233): the points of one group (core/dstv_points.h), one shown at a
// time. The point groups dialog (dlg_dstv_groups.h) opens it on a copy of a group's points.
//
//   choosing another point     stores the shown one first (a name or a number it cannot use keeps
//                              it shown, with a message), then shows the chosen one
//   "+"                        a new point with the defaults, before the shown one, and shown
//   "-"                        deletes the shown point and shows the one now at its place (the new
//                              last one when it was the last)
//   OK                         stores the shown point and closes
//
// Enabling: the geometry's extent enables the two sides, the intersection its start side and
// "Middle"; the radius follows "Drill a full hole", and the thickness box needs the full hole and the
// intersection. The two sides always lie in different classes (top/bottom, left/right): choosing a
// side of the other one's class moves the other one across.

#include "core/dstv_points.h"
#include "ui/dialog.h"

class DlgEditDstvPoints : public ui::Dialog {
public:
    static constexpr int kTemplate = 233;
    static constexpr int kPointCombo = 1020;
    static constexpr int kAddPoint = 1021;
    static constexpr int kRemovePoint = 1022;
    static constexpr int kPropsFrame = 1023;
    static constexpr int kNameLabel = 1024;
    static constexpr int kName = 1025;
    static constexpr int kGeomExtent = 1026;
    static constexpr int kSide1 = 1027;
    static constexpr int kSide2 = 1028;
    static constexpr int kIntersGeom = 1029;
    static constexpr int kMiddle = 1030;
    static constexpr int kStartDir = 1031;
    static constexpr int kViewPlateLabel = 1032;
    static constexpr int kViewPlate = 1033;
    static constexpr int kMarkPlateLabel = 1034;
    static constexpr int kMarkPlate = 1035;
    static constexpr int kMinDistLabel = 1036;
    static constexpr int kMinDist = 1037;
    static constexpr int kFullHole = 1038;
    static constexpr int kThicknessBased = 1039;
    static constexpr int kRadiusLabel = 1040;
    static constexpr int kRadius = 1041;

    explicit DlgEditDstvPoints(QWidget* owner = nullptr);

    // The group's points: the dialog's own copy.
    DlgDstvPoints data;
    // The index of the point shown, or -1.
    int shownPoint() const { return shown_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onOK() override;

private:
    void fillPointList();
    void showPoint(int index);
    // The fields into the shown point. False, with a message and the field in focus, when the name is
    // empty or a number is none (or below 0); the point then stays as it was.
    bool storePoint();
    void addPoint();
    void removePoint();
    void updateEnabling();
    // After side changed: the other side moves to the other class when both lie in one.
    void keepSidesApart(int changed);

    int shown_ = -1;
};

// Asks for the name of a new point or group (the text input with the prompt text promptText, starting
// from the text "New"). False when the person cancels.
bool askDstvName(int promptText, QWidget* owner, Zrk_String& name);
