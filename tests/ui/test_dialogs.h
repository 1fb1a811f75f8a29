#pragma once
// Dialogs for the layer's tests, registered with the host's resources: 9000 has a control of every
// kind, 9001 asks for a name, 9002 is a page, 9100 is a resizable dialog for the layout keeper.

#include <string>
#include <vector>

#include "ui/dialog.h"

namespace test {

enum : int {
    kEveryControl = 9000,
    kNameDialog = 9001,
    kPage = 9002,
    kResizable = 9100,
};

enum : int {
    kLabel = 1000,
    kEdit = 1001,
    kMultiLine = 1002,
    kGroup = 1003,
    kCheck = 1004,
    kThreeState = 1005,
    kRadioOne = 1006,
    kRadioTwo = 1007,
    kRadioOther = 1008,
    kDropDown = 1009,
    kDropList = 1010,
    kCheckCombo = 1011,
    kList = 1012,
    kTabs = 1013,
    kPicture = 1014,
    kPlaceholder = 1015,
    kBitmapButton = 1016,
    kMore = 1017,
    kHiddenEdit = 1018,
    kDisabledButton = 1019,
    kNameEdit = 1101,
    kPageEdit = 1201,
    kGrid = 1196,
    kAdd = 1088,
    kRemove = 1089,
    kNote = 1090,
};

// Registers the templates (once).
void registerTestTemplates();

// Records every event it gets as a line ("command 1001 768", "notify 1013 -551", "timer 7" ...); the
// mouse as "lbutton 10 12" (with " shift" and " ctrl" for the keys held), "lbuttonup 40 30", "drag 20 15"
// for a move with the left button down and "hover 5 5" for one without.
class RecordingDialog : public ui::Dialog {
public:
    explicit RecordingDialog(int templateId = kEveryControl, QWidget* owner = nullptr);

    std::vector<std::string> log;
    int timerTicks = 0;
    int closeResult = 0;         // when set, the close box ends the dialog with it
    std::vector<int> keysToConsume; // virtual keys preTranslateKey answers true for
    bool fillOnInit = true;
    int paints = 0;

    // Lines of the log that start with prefix.
    std::vector<std::string> linesStarting(const std::string& prefix) const;
    bool preTranslateKey(const ui::KeyPress& key) override;

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    bool onNotify(int id, int code, const void* details) override;
    void onTimer(int timerId) override;
    void onSize(int width, int height) override;
    void onClose() override;
    void onDestroy() override;
    void onLButtonDown(const QPoint& point, Qt::KeyboardModifiers modifiers) override;
    void onLButtonUp(const QPoint& point, Qt::KeyboardModifiers modifiers) override;
    void onMouseMove(const QPoint& point, Qt::MouseButtons buttons) override;
    void onLButtonDblClk(const QPoint& point, Qt::KeyboardModifiers modifiers) override;
    void onRButtonDown(const QPoint& point, Qt::KeyboardModifiers modifiers) override;
    void onPaint(QPainter& painter) override;
};

// The name dialog: its edit's text becomes name on OK.
class NameDialog : public ui::Dialog {
public:
    NameDialog() : ui::Dialog(kNameDialog) {}
    Zrk_String name;

protected:
    bool onInitDialog() override;
    void onOK() override;
};

} // namespace test
