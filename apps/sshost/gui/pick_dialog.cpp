#include "sshost/gui/pick_dialog.h"

#include "core/number_text.h"
#include "core/text.h"
#include "host/document.h"
#include "ui/message_box.h"
#include "ui/resources.h"

namespace sshost::gui {
namespace {

using ui::Kind;

const ui::DialogTemplate kPickTemplate(DlgPick::kTemplate, "Pick in the drawing", 250, 170, 0,
                                       {
                                           {DlgPick::kPrompt, Kind::Static, "", 7, 7, 236, 18},
                                           {DlgPick::kObjects, Kind::ListBox, "", 7, 28, 236, 112},
                                           {DlgPick::kPointsLabel, Kind::Static,
                                            "&Coordinates (x, y, z; a point after each \";\"):", 7, 28, 236,
                                            9},
                                           {DlgPick::kPoints, Kind::Edit, "", 7, 40, 236, 14},
                                           {DlgPick::kDone, Kind::PushButton, "&Done", 83, 149, 50, 14},
                                           {ui::IDOK, Kind::DefPushButton, "OK", 139, 149, 50, 14},
                                           {ui::IDCANCEL, Kind::PushButton, "Cancel", 193, 149, 50, 14},
                                       });
[[maybe_unused]] const bool kRegistered = (ui::hostResources().addTemplate(kPickTemplate), true);

Zrk_String objectLabel(const core::DrawingObjectRef& object) {
    Zrk_String label = object.name + " (" + core::objectKindName(object.kind);
    if (!object.id.isNull()) label += " " + host::objectIdText(object.id);
    return label + ")";
}

} // namespace

DlgPick::DlgPick(const host::PickRequest& request, const core::Drawing* drawing, QWidget* owner)
    : ui::Dialog(kTemplate, owner), request_(request) {
    if (drawing && request.kind == host::PickKind::Object)
        for (core::ObjectKind kind : request.objectKinds)
            drawing->listObjects(kind, objects_);
}

bool DlgPick::parsePoints(const Zrk_String& text, int count, std::vector<Zrk_Point3d>& points,
                          Zrk_String& why) {
    std::vector<Zrk_Point3d> read;
    Zrk_StringArray parts;
    strToArr(text, parts, ';');
    for (const Zrk_String& part : parts) {
        Zrk_StringArray numbers;
        strToArr(part, numbers, ',');
        if (numbers.length() < 2 || numbers.length() > 3) {
            why = "A point is two or three numbers separated by commas: \"" + trimmed(part) + "\".";
            return false;
        }
        double value[3] = {0.0, 0.0, 0.0};
        for (int i = 0; i < numbers.length(); ++i) {
            if (!core::parseNumber(trimmed(numbers[i]), value[i])) {
                why = "\"" + trimmed(numbers[i]) + "\" is not a number.";
                return false;
            }
        }
        read.push_back({value[0], value[1], value[2]});
    }
    if (static_cast<int>(read.size()) != count) {
        why = "The answer takes " + intToStr(count) + (count == 1 ? " point" : " points") + "; " +
              intToStr(static_cast<int>(read.size())) + " given.";
        return false;
    }
    points = std::move(read);
    return true;
}

bool DlgPick::onInitDialog() {
    setItemText(kPrompt, request_.prompt);
    const bool objects = request_.kind == host::PickKind::Object;
    showItem(kObjects, objects);
    showItem(kPointsLabel, !objects);
    showItem(kPoints, !objects);
    const bool takesEmpty =
        request_.kind == host::PickKind::ZoomWindow || (objects && request_.emptyAnswerEnds);
    showItem(kDone, takesEmpty);
    if (request_.kind == host::PickKind::ZoomWindow) setItemText(kDone, "&Extents");
    for (std::size_t i = 0; i < objects_.size(); ++i) {
        listAddString(kObjects, objectLabel(objects_[i]));
        if (!preselected.isNull() && objects_[i].id == preselected)
            listSetCurSel(kObjects, static_cast<int>(i));
    }
    if (objects && listCurSel(kObjects) < 0 && !objects_.empty()) listSetCurSel(kObjects, 0);
    gotoDlgCtrl(objects ? kObjects : kPoints);
    return false;
}

bool DlgPick::onCommand(int id, int code) {
    if (id == kObjects && code == ui::LBN_DBLCLK) {
        onOK();
        return true;
    }
    if (id == kDone && code == ui::BN_CLICKED) {
        endDialog(kDone);
        return true;
    }
    return ui::Dialog::onCommand(id, code);
}

void DlgPick::onOK() {
    host::PickAnswer given;
    Zrk_String why;
    if (request_.kind == host::PickKind::Object) {
        const int chosen = listCurSel(kObjects);
        if (chosen < 0) {
            ui::messageBox("Choose one of the objects, or cancel.", {}, ui::MB_OK | ui::MB_ICONEXCLAMATION,
                           this);
            return;
        }
        const core::DrawingObjectRef& object = objects_[static_cast<std::size_t>(chosen)];
        given = object.id.isNull() ? host::PickAnswer::named(object.name) : host::PickAnswer::of(object.id);
    } else if (!parsePoints(itemText(kPoints), request_.pointCount(), given.points, why)) {
        ui::messageBox(why, {}, ui::MB_OK | ui::MB_ICONEXCLAMATION, this);
        gotoDlgCtrl(kPoints);
        return;
    }
    if (!host::Editor::instance().checkAnswer(request_, given, why)) {
        ui::messageBox(why, {}, ui::MB_OK | ui::MB_ICONEXCLAMATION, this);
        return;
    }
    answer = given;
    endDialog(ui::IDOK);
}

int WindowPickInput::ask(const host::PickRequest& request, host::PickAnswer& answer) {
    host::Document& document = host::Document::current();
    DlgPick dialog(request, document.isOpen() ? &document.database() : nullptr, window_);
    if (preselect_) dialog.preselected = preselect_();
    const int result = dialog.doModal();
    Zrk_String outcome = "cancelled";
    int status = RTCAN;
    if (result == ui::IDOK) {
        answer = dialog.answer;
        status = RTNORM;
        outcome = answer.points.empty()
                      ? (answer.object.isNull() ? answer.objectName : host::objectIdText(answer.object))
                      : Zrk_String();
        for (const Zrk_Point3d& point : answer.points)
            outcome += (outcome.empty() ? "" : " ") + host::pointText(point);
    } else if (result == DlgPick::kDone) {
        status = RTNONE;
        outcome = "done";
    }
    if (report_) report_(request.prompt, outcome);
    return status;
}

} // namespace sshost::gui
