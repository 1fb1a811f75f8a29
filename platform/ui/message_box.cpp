#include "ui/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <iostream>

#include "ui/qt_text.h"
#include "ui/user_interaction.h"

namespace ui {
namespace {

Zrk_String& caption() {
    static Zrk_String text = "SS";
    return text;
}

QMessageBox::StandardButton standardButton(int answer) {
    switch (answer) {
    case IDOK: return QMessageBox::Ok;
    case IDCANCEL: return QMessageBox::Cancel;
    case IDABORT: return QMessageBox::Abort;
    case IDRETRY: return QMessageBox::Retry;
    case IDIGNORE: return QMessageBox::Ignore;
    case IDYES: return QMessageBox::Yes;
    case IDNO: return QMessageBox::No;
    case IDTRYAGAIN: return QMessageBox::Retry;
    case IDCONTINUE: return QMessageBox::Ignore;
    default: return QMessageBox::NoButton;
    }
}

QMessageBox::Icon qtIcon(unsigned icon) {
    switch (icon) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

int showToPerson(const MessageBoxRequest& request, QWidget* owner) {
    QMessageBox box(owner ? owner : QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setText(qtText(request.text));
    box.setWindowTitle(qtText(request.caption.empty() ? applicationCaption() : request.caption));
    box.setIcon(qtIcon(request.icon()));
    const std::vector<int> answers = request.answers();
    std::vector<std::pair<QAbstractButton*, int>> buttons;
    for (int answer : answers) {
        QPushButton* button = box.addButton(standardButton(answer));
        // Try again and Continue have no standard button of their own.
        if (answer == IDTRYAGAIN) button->setText(QMessageBox::tr("Try Again"));
        if (answer == IDCONTINUE) button->setText(QMessageBox::tr("Continue"));
        buttons.emplace_back(button, answer);
        if (answer == request.defaultAnswer()) box.setDefaultButton(button);
    }
    // Escape and the close box answer Cancel where there is one; a box with one button closes with it.
    for (const auto& [button, answer] : buttons)
        if (answer == IDCANCEL || buttons.size() == 1) box.setEscapeButton(button);
    box.exec();
    for (const auto& [button, answer] : buttons)
        if (box.clickedButton() == button) return answer;
    return buttons.size() == 1 ? buttons.front().second : IDCANCEL;
}

} // namespace

std::vector<int> MessageBoxRequest::answers() const {
    switch (buttons()) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE: return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default: return {IDOK};
    }
}

int MessageBoxRequest::defaultAnswer() const {
    const std::vector<int> all = answers();
    const std::size_t index = (type & MB_DEFMASK) >> 8;
    return index < all.size() ? all[index] : all.front();
}

int messageBox(const Zrk_String& text, const Zrk_String& caption, unsigned type, QWidget* owner) {
    const MessageBoxRequest request{text, caption, type};
    if (UserInteraction* interaction = currentUserInteraction())
        if (const std::optional<int> answer = interaction->messageBox(request)) return *answer;
    if (!QApplication::instance()) {
        // Nobody can see a window: the message still reaches the terminal.
        std::cerr << TerminalMessageBoxes::describe(request, request.defaultAnswer());
        return request.defaultAnswer();
    }
    return showToPerson(request, owner);
}

const Zrk_String& applicationCaption() { return caption(); }

void setApplicationCaption(const Zrk_String& text) { caption() = text; }

const char* answerName(int answer) {
    switch (answer) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDABORT: return "Abort";
    case IDRETRY: return "Retry";
    case IDIGNORE: return "Ignore";
    case IDYES: return "Yes";
    case IDNO: return "No";
    case IDTRYAGAIN: return "Try Again";
    case IDCONTINUE: return "Continue";
    default: return "no answer";
    }
}

} // namespace ui
