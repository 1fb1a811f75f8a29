#pragma once
// Who answers the module's dialogs. Without an installed interaction a person does: modal dialogs run
// Qt's event loop, message boxes and file dialogs are shown. An installed interaction takes over:
//
//  - ScriptedUser (scripted_user.h): tests; a script per dialog, answers for message boxes and file
//    dialogs, a record of everything shown, a virtual clock for timers;
//  - TerminalMessageBoxes: the command-line shell; message boxes are printed on the terminal and
//    take their default answer;
//  - PictureTaker: the shell's "dialog NAME --png FILE"; the first modal dialog is saved as a
//    picture and cancelled, message boxes go to the terminal.
//
// Interactions stack: installing one hides the one before until it is uninstalled again (they are
// installed and uninstalled by their constructors and destructors).

#include <functional>
#include <optional>
#include <string>

#include "ui/file_dialogs.h"
#include "ui/message_box.h"
#include "ui/popup_menu.h"

namespace ui {

class Dialog;

class UserInteraction {
public:
    UserInteraction(const UserInteraction&) = delete;
    UserInteraction& operator=(const UserInteraction&) = delete;
    virtual ~UserInteraction();

    // A modal dialog has been built, initialised and shown: play it until it ends (Dialog::endDialog).
    // False leaves it to a person (Qt's event loop).
    virtual bool runModal(Dialog& dialog) { return false; }
    // The answer to a message box, or nothing to show it to a person.
    virtual std::optional<int> messageBox(const MessageBoxRequest& request) { return std::nullopt; }
    // The answer to a file dialog (true with paths, false for cancel), or nothing to show it.
    virtual std::optional<bool> fileDialog(const FileDialogRequest& request, Zrk_StringArray& paths) {
        return std::nullopt;
    }
    // The chosen command of a pop-up menu (0: none), or nothing to show it to a person.
    virtual std::optional<int> popupMenu(const PopupMenuRequest& request) { return std::nullopt; }
    // Whether timers started now run on the virtual clock (timers.h).
    virtual bool usesVirtualClock() const { return false; }

protected:
    // Installs this interaction on top of the others.
    UserInteraction();
};

// The interaction on top, or null.
UserInteraction* currentUserInteraction();

// Message boxes on a terminal: caption and text are written to out (UTF-8), and the default button
// answers. File dialogs and pop-up menus are cancelled. Dialogs still run as usual.
class TerminalMessageBoxes : public UserInteraction {
public:
    using Output = std::function<void(const std::string& utf8)>;
    // Without an output, the text goes to standard output.
    explicit TerminalMessageBoxes(Output out = {});

    std::optional<int> messageBox(const MessageBoxRequest& request) override;
    std::optional<bool> fileDialog(const FileDialogRequest& request, Zrk_StringArray& paths) override;
    std::optional<int> popupMenu(const PopupMenuRequest&) override { return 0; }

    // The terminal's lines for a message box and its answer.
    static std::string describe(const MessageBoxRequest& request, int answer);

protected:
    Output out_;
};

// Saves the first modal dialog as a PNG picture and cancels it; message boxes as on a terminal.
class PictureTaker : public TerminalMessageBoxes {
public:
    explicit PictureTaker(Zrk_String path, Output out = {});

    bool runModal(Dialog& dialog) override;
    // Saves this dialog now (for a dialog that is not modal). False with error() on failure.
    bool take(Dialog& dialog);

    bool taken() const { return taken_; }
    const Zrk_String& error() const { return error_; }

private:
    Zrk_String path_;
    bool taken_ = false;
    Zrk_String error_;
};

} // namespace ui
