#include "host/terminal_input.h"

#include <cmath>

#include "core/codepage.h"
#include "core/number_text.h"
#include "core/text.h"
#include "host/document.h"

namespace host {
namespace {

std::string utf8(const Zrk_String& text) {
    return core::toUtf8(text);
}

std::string degrees(double radians) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", radians * 180.0 / M_PI);
    return text;
}

} // namespace

bool parsePoint(const std::string& text, Zrk_Point3d& point) {
    Zrk_StringArray parts;
    strToArr(text, parts, ',');
    if (parts.length() < 2 || parts.length() > 3) return false;
    double values[3] = {0.0, 0.0, 0.0};
    for (int i = 0; i < parts.length(); ++i)
        if (!core::parseNumber(parts[i], values[i])) return false;
    point = Zrk_Point3d{values[0], values[1], values[2]};
    return true;
}

TerminalEditorInput::TerminalEditorInput(std::istream& in, Output out, bool echo)
    : in_(in), out_(std::move(out)), echo_(echo) {}

bool TerminalEditorInput::prompt(const std::string& text, Zrk_String& typed) {
    out_(text);
    std::string line;
    if (!std::getline(in_, line)) {
        out_("\n"); // the input ended: the next output starts on a line of its own
        return false;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (echo_) out_(line + "\n");
    typed = trimmed(core::fromUtf8(line));
    return !typed.empty();
}

void TerminalEditorInput::listObjects(const PickRequest& request) {
    Document& document = Document::current();
    std::string list;
    std::vector<core::DrawingObjectRef> objects;
    if (document.isOpen())
        for (core::ObjectKind kind : request.objectKinds) {
            document.database().listObjects(kind, objects);
            for (const core::DrawingObjectRef& object : objects)
                list += "  " + utf8(object.name) + " (" +
                        (object.id.isNull() ? "" : objectIdText(object.id) + ", ") +
                        core::objectKindName(kind) + ")\n";
        }
    out_(list.empty() ? "The drawing holds no " + utf8(request.kindsText()) + ".\n" : list);
}

int TerminalEditorInput::askObject(const PickRequest& request, PickAnswer& answer) {
    const std::string text =
        utf8(request.prompt.empty() ? "Select a " + request.kindsText() : request.prompt) +
        (request.emptyAnswerEnds ? " (name or id, ? lists them, Enter ends): "
                                 : " (name or id, ? lists them, Enter cancels): ");
    for (;;) {
        Zrk_String typed;
        if (!prompt(text, typed)) return request.emptyAnswerEnds ? RTNONE : RTCAN;
        if (typed == "?") {
            listObjects(request);
            continue;
        }
        // A name first: a macro may well be called "12". Then an id, written "#12" or "12".
        PickAnswer candidate = PickAnswer::named(typed);
        Zrk_String why;
        if (Editor::instance().checkAnswer(request, candidate, why)) {
            answer = candidate;
            return RTNORM;
        }
        const Zrk_String digits = typed[0] == '#' ? typed.substr(1) : typed;
        if (!digits.empty() && digits.find_first_not_of("0123456789") == Zrk_String::npos &&
            digits.size() < 18) {
            PickAnswer byId = PickAnswer::of(AcDbObjectId(std::stoll(digits)));
            Zrk_String idWhy;
            if (Editor::instance().checkAnswer(request, byId, idWhy)) {
                answer = byId;
                return RTNORM;
            }
            why = idWhy;
        }
        out_(utf8(why) + "\n");
    }
}

int TerminalEditorInput::askPoint(const std::string& text, bool allowExtents, Zrk_Point3d& point) {
    for (;;) {
        Zrk_String typed;
        if (!prompt(text, typed)) return RTCAN;
        if (allowExtents && (typed == "e" || typed == "E")) return RTNONE;
        if (parsePoint(typed, point)) return RTNORM;
        out_("A point is written x,y or x,y,z (\"120,40\").\n");
    }
}

int TerminalEditorInput::ask(const PickRequest& request, PickAnswer& answer) {
    if (request.kind == PickKind::Object) return askObject(request, answer);
    const std::string title = utf8(request.prompt);
    for (;;) {
        std::vector<Zrk_Point3d> points;
        int status = RTNORM;
        switch (request.kind) {
        case PickKind::Object:
            break;
        case PickKind::Point: {
            Zrk_Point3d point;
            status =
                askPoint((title.empty() ? "Point" : title) + " (x,y[,z], Enter cancels): ", false, point);
            points = {point};
            break;
        }
        case PickKind::SectionPoint: {
            Zrk_Point3d point;
            status = askPoint((title.empty() ? "Point of the section" : title) + " " + utf8(request.section) +
                                  " turned by " + degrees(request.rotation) +
                                  " degrees (x,y in the section, Enter cancels): ",
                              false, point);
            points = {point};
            break;
        }
        case PickKind::Plane: {
            if (!title.empty()) out_(title + "\n");
            const char* prompts[3] = {"Origin of the plane (x,y,z, Enter cancels): ",
                                      "A point on its X axis: ", "A point in the plane, off the X axis: "};
            for (const char* prompt : prompts) {
                Zrk_Point3d point;
                status = askPoint(prompt, false, point);
                if (status != RTNORM) break;
                points.push_back(point);
            }
            break;
        }
        case PickKind::ZoomWindow: {
            Zrk_Point3d first;
            Zrk_Point3d second;
            status = askPoint((title.empty() ? "Zoom" : title) +
                                  ": first corner, or e for the extents (Enter cancels): ",
                              true, first);
            if (status == RTNORM) status = askPoint("Other corner: ", false, second);
            points = {first, second};
            break;
        }
        }
        if (status != RTNORM) return status;
        PickAnswer candidate = PickAnswer::at(points);
        Zrk_String why;
        if (Editor::instance().checkAnswer(request, candidate, why)) {
            answer = candidate;
            return RTNORM;
        }
        out_(utf8(why) + "\n");
    }
}

} // namespace host
