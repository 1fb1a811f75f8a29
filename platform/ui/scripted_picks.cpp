// The scripted user's picks in the drawing: the host editor's input while the user is installed.

#include <QApplication>

#include "core/codepage.h"
#include "ui/dialog.h"
#include "ui/scripted_user.h"

namespace ui {

class ScriptedUser::PickInput : public host::EditorInput {
public:
    explicit PickInput(ScriptedUser& user) : user_(user) {}
    int ask(const host::PickRequest& request, host::PickAnswer& answer) override {
        return user_.answerPickRequest(request, answer);
    }

private:
    ScriptedUser& user_;
};

std::shared_ptr<ScriptedUser::PickInput> ScriptedUser::makePickInput(ScriptedUser& user) {
    return std::make_shared<PickInput>(user);
}

namespace {

std::string describe(const host::PickRequest& request) {
    std::string text =
        request.kind == host::PickKind::Object ? "of a " + core::toUtf8(request.kindsText()) : "";
    switch (request.kind) {
    case host::PickKind::Object:
        break;
    case host::PickKind::Point:
        text = "of a point";
        break;
    case host::PickKind::Plane:
        text = "of a plane";
        break;
    case host::PickKind::SectionPoint:
        text = "of a section point";
        break;
    case host::PickKind::ZoomWindow:
        text = "of a zoom window";
        break;
    }
    return "The pick " + text + (request.prompt.empty() ? "" : " (\"" + core::toUtf8(request.prompt) + "\")");
}

} // namespace

void ScriptedUser::onPick(PickScript script) {
    pickAnswers_.push_back(std::move(script));
}

void ScriptedUser::answerPick(const Zrk_String& objectName) {
    onPick([objectName](const host::PickRequest&, host::PickAnswer& answer) {
        answer = host::PickAnswer::named(objectName);
        return RTNORM;
    });
}

void ScriptedUser::answerPick(AcDbObjectId object) {
    onPick([object](const host::PickRequest&, host::PickAnswer& answer) {
        answer = host::PickAnswer::of(object);
        return RTNORM;
    });
}

void ScriptedUser::answerPick(std::vector<Zrk_Point3d> points) {
    onPick([points](const host::PickRequest&, host::PickAnswer& answer) {
        answer = host::PickAnswer::at(points);
        return RTNORM;
    });
}

void ScriptedUser::cancelPick() {
    onPick([](const host::PickRequest&, host::PickAnswer&) { return RTCAN; });
}

void ScriptedUser::answerEnter() {
    onPick([](const host::PickRequest&, host::PickAnswer&) { return RTNONE; });
}

int ScriptedUser::answerPickRequest(const host::PickRequest& request, host::PickAnswer& answer) {
    picksAsked_.push_back(request);
    // The person cannot reach the drawing past a modal dialog that is still shown.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* dialog = dynamic_cast<Dialog*>(window);
        if (dialog && dialog->isRunningModal() && dialog->isVisible())
            problem(describe(request) + " came while dialog " + std::to_string(dialog->templateId()) +
                    " was shown (BeginEditorCommand steps it aside).");
    }
    if (pickAnswers_.empty()) {
        problem(describe(request) + " had no answer; it was cancelled.");
        return RTCAN;
    }
    const PickScript script = std::move(pickAnswers_.front());
    pickAnswers_.pop_front();
    host::PickAnswer given;
    const int status = script(request, given);
    if (status == RTNORM) {
        Zrk_String why;
        if (!host::Editor::instance().checkAnswer(request, given, why)) {
            problem(describe(request) + " was answered with what cannot be picked: " + core::toUtf8(why) +
                    " It was cancelled.");
            return RTCAN;
        }
        answer = given;
    }
    return status;
}

} // namespace ui
