#include "ui/user_interaction.h"

#include <algorithm>
#include <iostream>
#include <vector>

#include "core/codepage.h"
#include "ui/application.h"
#include "ui/dialog.h"
#include "ui/picture.h"

namespace ui {
namespace {

std::vector<UserInteraction*>& installed() {
    static std::vector<UserInteraction*> stack;
    return stack;
}

} // namespace

UserInteraction::UserInteraction() { installed().push_back(this); }

UserInteraction::~UserInteraction() {
    auto& stack = installed();
    stack.erase(std::remove(stack.begin(), stack.end(), this), stack.end());
}

UserInteraction* currentUserInteraction() { return installed().empty() ? nullptr : installed().back(); }

TerminalMessageBoxes::TerminalMessageBoxes(Output out) : out_(std::move(out)) {
    if (!out_) out_ = [](const std::string& text) { std::cout << text << std::flush; };
}

std::string TerminalMessageBoxes::describe(const MessageBoxRequest& request, int answer) {
    const Zrk_String caption = request.caption.empty() ? applicationCaption() : request.caption;
    std::string lines = "[" + core::toUtf8(caption) + "] ";
    // Later lines of the text are indented under the first.
    for (char c : core::toUtf8(request.text)) {
        lines += c;
        if (c == '\n') lines += "    ";
    }
    lines += "\n    -> ";
    lines += answerName(answer);
    lines += '\n';
    return lines;
}

std::optional<int> TerminalMessageBoxes::messageBox(const MessageBoxRequest& request) {
    const int answer = request.defaultAnswer();
    out_(describe(request, answer));
    return answer;
}

std::optional<bool> TerminalMessageBoxes::fileDialog(const FileDialogRequest&, Zrk_StringArray&) { return false; }

PictureTaker::PictureTaker(Zrk_String path, Output out) : TerminalMessageBoxes(std::move(out)), path_(std::move(path)) {}

bool PictureTaker::take(Dialog& dialog) {
    // Shown as a person would see it, focus included, but drawn off the screen.
    if (!dialog.isVisible()) {
        dialog.setAttribute(Qt::WA_DontShowOnScreen, true);
        dialog.show();
        activateNow(&dialog);
    }
    taken_ = savePicture(dialog, path_, &error_);
    return taken_;
}

bool PictureTaker::runModal(Dialog& dialog) {
    if (!taken_ && error_.empty()) take(dialog);
    dialog.endDialog(IDCANCEL);
    dialog.setAttribute(Qt::WA_DontShowOnScreen, false);
    return true;
}

} // namespace ui
