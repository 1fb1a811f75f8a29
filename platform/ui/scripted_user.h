#pragma once
// The scripted user: tests play the person in front of the module's dialogs, headless, with the same
// widgets a person sees.
//
//   ui::ScriptedUser user;                       // installed until it goes out of scope
//   user.onDialog(8069, [](ui::DialogUser& u) {  // the next time dialog 8069 runs modally
//       u.typeText(8003, "Beam 12");              // as typed into the edit: EN_CHANGE arrives
//       u.click(ui::IDOK);                        // BN_CLICKED, onOK, endDialog
//   });
//   user.answerMessageBox(ui::IDNO);             // the next message box is answered No
//   ... run the code that opens the dialog ...
//   EXPECT_EQ(user.messageBoxes().size(), 1u);   // everything shown is recorded
//
// Picks in the drawing (host/editor.h) are answered the same way, in order:
//   user.answerPick("BasePlate1");                // the next pick: the object of that name
//   user.answerPick({{120, 40, 0}});              // then a point
//   user.cancelPick();                            // then the person presses Escape
// A pick while a modal dialog is still shown is a problem (the dialog steps aside first with
// BeginEditorCommand), and so is an answer the editor refuses (the person could not have picked it).
//
// While a ScriptedUser is installed, doModal runs no event loop: it builds and initialises the
// dialog, shows it (off screen under QT_QPA_PLATFORM=offscreen), runs the script, and returns what
// the script's actions ended it with. A dialog opened inside a script (a command handler that opens
// another dialog) runs its own script the same way, nested. Timers started meanwhile run on the
// virtual clock: they fire when the script passes time (passTime), in order, at once.
//
// Mistakes are problems, reported to the problem handler (tests install one that fails the test):
// a dialog without a script, a script that does not end its dialog, an action on a control that is
// missing, hidden or disabled, an answer a message box or pop-up menu does not offer, and scripts or
// answers left unused when the ScriptedUser goes.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/editor.h"
#include "ui/user_interaction.h"

namespace ui {

class Dialog;

using ProblemHandler = std::function<void(const std::string& problem)>;
// The handler of ScriptedUsers and DialogUsers made without one (at first: standard error).
void setDefaultProblemHandler(ProblemHandler handler);

// A person's hands on one dialog. Every action goes through the real widgets, as a person's would,
// so the dialog hears what it would hear; each answers false (and reports a problem) when the person
// could not have done it.
class DialogUser {
public:
    explicit DialogUser(Dialog& dialog, ProblemHandler problems = {});

    Dialog& dialog() const { return dialog_; }

    // Clicks a push, check, radio or bitmap button (the focus goes to it first, as with a mouse).
    bool click(int id);
    // Replaces the text of an edit or an editable combo box by typing: the dialog hears each change.
    bool typeText(int id, const Zrk_String& text);
    // Chooses an item of a combo box or list box, or a tab of a tab control.
    bool choose(int id, int index);
    // Chooses the item with that text (letter case ignored).
    bool chooseText(int id, const Zrk_String& text);
    // Ticks or unticks an item of a check combo box.
    bool toggleItem(int id, int index);
    // Clicks into a control, giving it the focus.
    bool focus(int id);
    // Clicks at a point of the dialog's client area, on whatever lies there (the right button with
    // right set); twice for a double click. A disabled control passes the click on to the window it
    // lies in (the dialog), as the window system does; so do the mouse actions below. The press
    // gives the focus to what lies there when it takes the focus by a click (a grid, an edit).
    bool clickAt(const QPoint& point, bool right = false, bool twice = false);
    // Clicks with the left button at a point of the client area while Shift and/or Ctrl are held.
    bool clickHolding(const QPoint& point, bool shift, bool control);
    // Drags with the left button: pressed at from (a point of the client area), moved to to in a few
    // steps, released there, with Shift and/or Ctrl held throughout. As with a real mouse, the window
    // that took the press hears the moves and the release, wherever they are (to may lie outside).
    bool drag(const QPoint& from, const QPoint& to, bool shift = false, bool control = false);
    // Moves the mouse to a point of the client area without a button held (what lies there hears it
    // when it follows the mouse, else the window under it that does: the dialog).
    bool moveMouseTo(const QPoint& point);
    // Presses a key (virtual-key code, codes.h) where the focus is: VK_TAB, VK_ESCAPE, VK_F5 ...
    bool pressKey(int virtualKey, bool shift = false, bool control = false);
    // Clicks the close box.
    void closeWindow();
    // Drags the dialog to a new client size (the dialog keeps to its minimum tracking size).
    void resize(int width, int height);
    // Lets time pass on the virtual clock: due timers fire.
    void passTime(int milliseconds);
    // Saves the dialog as it looks now (picture.h).
    bool savePicture(const Zrk_String& path);

private:
    QWidget* reach(int id, const char* action) const;
    // The window under a point of the client area (the dialog where no control takes the mouse), or
    // null with a problem reported when the point is outside the shown dialog.
    QWidget* mouseTarget(const QPoint& point, const char* action) const;
    void problem(const std::string& text) const;

    Dialog& dialog_;
    ProblemHandler problems_;
};

class ScriptedUser : public UserInteraction {
public:
    using Script = std::function<void(DialogUser& user)>;

    struct ShownMessageBox {
        MessageBoxRequest request;
        int answer = 0;
        bool byDefault = false; // no answer was queued: the default button answered
    };

    explicit ScriptedUser(ProblemHandler problems = {});
    ~ScriptedUser() override;

    // Plays the next modal run of that template (scripts for one template are used in order).
    void onDialog(int templateId, Script script);
    // Answers for the next message boxes, in order; without one the default button answers.
    void answerMessageBox(int answer);
    // Answers for the next file dialogs: the chosen paths (one for Open and Save; a name without
    // extension gets the dialog's default one), or cancel. Without one a file dialog is cancelled.
    void answerFileDialog(const Zrk_StringArray& paths);
    void answerFileDialog(const Zrk_String& path) { answerFileDialog(Zrk_StringArray{path}); }
    void cancelFileDialog() { answerFileDialog(Zrk_StringArray{}); }
    // The command chosen in the next pop-up menu (0: closed without a choice). Without one the menu
    // closes without a choice.
    void answerPopupMenu(int commandId);

    // What the user saw, in order.
    const std::vector<ShownMessageBox>& messageBoxes() const { return messageBoxes_; }
    const std::vector<FileDialogRequest>& fileDialogs() const { return fileDialogs_; }
    const std::vector<PopupMenuRequest>& popupMenus() const { return popupMenus_; }
    const std::vector<int>& dialogsRun() const { return dialogsRun_; }
    const std::vector<std::string>& problems() const { return problems_; }

    void passTime(int milliseconds);

    // --- picks in the drawing ----------------------------------------------------------------------

    // Plays the next pick: answers RTNORM with the answer filled, or RTCAN; it may look at the
    // dialogs while the person picks.
    using PickScript = std::function<int(const host::PickRequest& request, host::PickAnswer& answer)>;
    void onPick(PickScript script);
    // The next pick picks the object of that name, or of that id.
    void answerPick(const Zrk_String& objectName);
    void answerPick(AcDbObjectId object);
    // The next pick gives these points (one for a point, three for a plane, two for a zoom window).
    void answerPick(std::vector<Zrk_Point3d> points);
    // The next pick is cancelled (Escape).
    void cancelPick();
    // The next pick is answered with Enter alone: it ends a selection of several objects, or zooms
    // to the extents.
    void answerEnter();
    // The picks asked for, in order.
    const std::vector<host::PickRequest>& picksAsked() const { return picksAsked_; }

    bool runModal(Dialog& dialog) override;
    std::optional<int> messageBox(const MessageBoxRequest& request) override;
    std::optional<bool> fileDialog(const FileDialogRequest& request, Zrk_StringArray& paths) override;
    std::optional<int> popupMenu(const PopupMenuRequest& request) override;
    bool usesVirtualClock() const override { return true; }

private:
    class PickInput;
    static std::shared_ptr<PickInput> makePickInput(ScriptedUser& user);
    void problem(const std::string& text);
    int answerPickRequest(const host::PickRequest& request, host::PickAnswer& answer);

    ProblemHandler handler_;
    std::deque<PickScript> pickAnswers_;
    std::vector<host::PickRequest> picksAsked_;
    std::shared_ptr<PickInput> pickInput_; // installed as the editor's input while this user is
    std::map<int, std::deque<Script>> scripts_;
    std::deque<int> messageBoxAnswers_;
    std::deque<Zrk_StringArray> fileAnswers_;
    std::deque<int> menuAnswers_;
    std::vector<PopupMenuRequest> popupMenus_;
    std::vector<ShownMessageBox> messageBoxes_;
    std::vector<FileDialogRequest> fileDialogs_;
    std::vector<int> dialogsRun_;
    std::vector<std::string> problems_;
};

} // namespace ui
