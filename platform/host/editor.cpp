#include "host/editor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/text.h"
#include "host/document.h"

namespace host {
namespace {

std::vector<EditorInput*>& inputs() {
    static std::vector<EditorInput*> stack;
    return stack;
}

const char* pickKindName(PickKind kind) {
    switch (kind) {
    case PickKind::Object:
        return "object";
    case PickKind::Point:
        return "point";
    case PickKind::Plane:
        return "plane";
    case PickKind::SectionPoint:
        return "section point";
    case PickKind::ZoomWindow:
        return "zoom window";
    }
    return "pick";
}

std::string number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

const char* statusText(int status) {
    switch (status) {
    case RTCAN:
        return "cancelled";
    case RTNONE:
        return "nothing";
    case RTREJ:
        return "refused";
    default:
        return "failed";
    }
}

Zrk_Point3d minus(const Zrk_Point3d& a, const Zrk_Point3d& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

double length(const Zrk_Point3d& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

Zrk_Point3d cross(const Zrk_Point3d& a, const Zrk_Point3d& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

bool isFinite(const Zrk_Point3d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// A window has area when its corners differ across and up.
bool hasArea(const Zrk_Point3d& corner1, const Zrk_Point3d& corner2) {
    return isFinite(corner1) && isFinite(corner2) && corner1.x != corner2.x && corner1.y != corner2.y;
}

core::Drawing* openDrawing() {
    Document& document = Document::current();
    return document.isOpen() ? &document.database() : nullptr;
}

} // namespace

// --- requests, answers and inputs ----------------------------------------------------------------

int PickRequest::pointCount() const {
    switch (kind) {
    case PickKind::Object:
        return 0;
    case PickKind::Point:
    case PickKind::SectionPoint:
        return 1;
    case PickKind::Plane:
        return 3;
    case PickKind::ZoomWindow:
        return 2;
    }
    return 0;
}

bool PickRequest::accepts(core::ObjectKind objectKind) const {
    return std::find(objectKinds.begin(), objectKinds.end(), objectKind) != objectKinds.end();
}

Zrk_String PickRequest::kindsText() const {
    Zrk_String text;
    for (std::size_t i = 0; i < objectKinds.size(); ++i) {
        if (i) text += i + 1 == objectKinds.size() ? " or " : ", ";
        text += core::objectKindName(objectKinds[i]);
    }
    return text.empty() ? Zrk_String("object") : text;
}

PickAnswer PickAnswer::of(AcDbObjectId id) {
    PickAnswer answer;
    answer.object = id;
    return answer;
}

PickAnswer PickAnswer::named(const Zrk_String& name) {
    PickAnswer answer;
    answer.objectName = name;
    return answer;
}

PickAnswer PickAnswer::at(std::vector<Zrk_Point3d> points) {
    PickAnswer answer;
    answer.points = std::move(points);
    return answer;
}

EditorInput::EditorInput() {
    inputs().push_back(this);
}

EditorInput::~EditorInput() {
    auto& stack = inputs();
    stack.erase(std::remove(stack.begin(), stack.end(), this), stack.end());
}

EditorInput* currentEditorInput() {
    return inputs().empty() ? nullptr : inputs().back();
}

std::string objectIdText(AcDbObjectId id) {
    return "#" + std::to_string(id.handle());
}

std::string pointText(const Zrk_Point3d& point) {
    return "(" + number(point.x) + ", " + number(point.y) + ", " + number(point.z) + ")";
}

// --- the editor ----------------------------------------------------------------------------------

Editor& Editor::instance() {
    static Editor editor;
    return editor;
}

void Editor::record(std::string event) {
    events_.push_back(std::move(event));
}

bool Editor::holdsObject(AcDbObjectId id) const {
    const core::Drawing* drawing = openDrawing();
    core::DrawingObjectRef found;
    return drawing && drawing->findObject(id, found);
}

bool Editor::resolveObject(const PickRequest& request, PickAnswer& answer, Zrk_String& why) const {
    const core::Drawing* drawing = openDrawing();
    if (!drawing) {
        why = "No drawing is open.";
        return false;
    }
    const Zrk_String wanted = request.kindsText();
    if (answer.object.isNull()) {
        // By name: exactly as written first, then ignoring letter case (a person typing).
        const Zrk_String name = trimmed(answer.objectName);
        std::vector<core::DrawingObjectRef> objects;
        for (const bool ignoreCase : {false, true})
            for (core::ObjectKind kind : request.objectKinds) {
                drawing->listObjects(kind, objects);
                for (const core::DrawingObjectRef& object : objects)
                    if (isEqual(object.name, name, ignoreCase)) {
                        answer.object = object.id;
                        answer.objectName = object.name;
                        return true;
                    }
            }
        why = "The drawing has no " + wanted + " named \"" + name + "\".";
        return false;
    }
    core::DrawingObjectRef found;
    if (!drawing->findObject(answer.object, found)) {
        why = "The drawing has no object " + objectIdText(answer.object) + ".";
        return false;
    }
    if (!request.accepts(found.kind)) {
        why = objectIdText(answer.object) + " is a " + core::objectKindName(found.kind) + ", not a " +
              wanted + ".";
        return false;
    }
    answer.objectName = found.name;
    return true;
}

bool Editor::checkAnswer(const PickRequest& request, PickAnswer& answer, Zrk_String& why) const {
    if (request.kind == PickKind::Object) {
        answer.points.clear();
        return resolveObject(request, answer, why);
    }
    const int wanted = request.pointCount();
    if (static_cast<int>(answer.points.size()) != wanted) {
        why = "A " + std::string(pickKindName(request.kind)) + " takes " + std::to_string(wanted) + " point" +
              (wanted == 1 ? "" : "s") + ", not " + std::to_string(answer.points.size()) + ".";
        return false;
    }
    if (!std::all_of(answer.points.begin(), answer.points.end(), isFinite)) {
        why = "A point's coordinates must be numbers.";
        return false;
    }
    if (request.kind == PickKind::Plane &&
        !(length(cross(minus(answer.points[1], answer.points[0]),
                       minus(answer.points[2], answer.points[0]))) > 1e-9)) {
        why = "The three points of a plane must not lie on one line.";
        return false;
    }
    if (request.kind == PickKind::ZoomWindow && !hasArea(answer.points[0], answer.points[1])) {
        why = "The corners of a zoom window must differ across and up.";
        return false;
    }
    answer.object.setNull();
    answer.objectName.clear();
    return true;
}

int Editor::pick(const PickRequest& request, PickAnswer& answer) {
    PickRecord pickRecord{request, RTCAN, {}};
    std::string event =
        std::string("pick ") +
        (request.kind == PickKind::Object ? request.kindsText() : pickKindName(request.kind)) + ": ";
    const bool takesEmpty = request.kind == PickKind::ZoomWindow || request.emptyAnswerEnds;
    EditorInput* input = currentEditorInput();
    if (request.kind == PickKind::Object && (request.objectKinds.empty() || !openDrawing())) {
        pickRecord.status = RTERROR;
    } else if (input) {
        PickAnswer given;
        const int status = input->ask(request, given);
        Zrk_String why;
        if (status == RTNORM)
            pickRecord.status = checkAnswer(request, given, why) ? RTNORM : RTERROR;
        else if (status == RTNONE)
            pickRecord.status = takesEmpty ? RTNONE : RTCAN;
        else
            pickRecord.status = status == RTERROR ? RTERROR : RTCAN;
        if (pickRecord.status == RTNORM) pickRecord.answer = given;
    }
    if (pickRecord.status == RTNORM) {
        if (request.kind == PickKind::Object) {
            event += pickRecord.answer.objectName;
            if (!pickRecord.answer.object.isNull())
                event += " (" + objectIdText(pickRecord.answer.object) + ")";
        } else {
            for (std::size_t i = 0; i < pickRecord.answer.points.size(); ++i)
                event += (i ? " " : "") + pointText(pickRecord.answer.points[i]);
        }
        answer = pickRecord.answer;
    } else {
        event += statusText(pickRecord.status);
        if (!input && pickRecord.status == RTCAN) event += " (nobody to ask)";
    }
    record(std::move(event));
    const int status = pickRecord.status;
    picks_.push_back(std::move(pickRecord));
    return status;
}

int Editor::selectObject(const Zrk_String& prompt, std::vector<core::ObjectKind> kinds, AcDbObjectId& id) {
    PickRequest request;
    request.prompt = prompt;
    request.objectKinds = std::move(kinds);
    PickAnswer answer;
    const int status = pick(request, answer);
    if (status == RTNORM) id = answer.object;
    return status;
}

int Editor::selectObjectName(const Zrk_String& prompt, std::vector<core::ObjectKind> kinds,
                             Zrk_String& name) {
    PickRequest request;
    request.prompt = prompt;
    request.objectKinds = std::move(kinds);
    PickAnswer answer;
    const int status = pick(request, answer);
    if (status == RTNORM) name = answer.objectName;
    return status;
}

int Editor::selectObjects(const Zrk_String& prompt, std::vector<core::ObjectKind> kinds,
                          AcArray<AcDbObjectId>& ids) {
    PickRequest request;
    request.prompt = prompt;
    request.objectKinds = std::move(kinds);
    AcArray<AcDbObjectId> picked;
    for (;;) {
        PickAnswer answer;
        const int status = pick(request, answer);
        if (status == RTNONE) break;
        if (status != RTNORM) return status;
        if (!picked.contains(answer.object)) picked.append(answer.object);
        request.emptyAnswerEnds = true; // from the second pick on, Enter ends the selection
    }
    ids = picked;
    return RTNORM;
}

int Editor::getPoint(const Zrk_String& prompt, Zrk_Point3d& point) {
    PickRequest request;
    request.kind = PickKind::Point;
    request.prompt = prompt;
    PickAnswer answer;
    const int status = pick(request, answer);
    if (status == RTNORM) point = answer.points[0];
    return status;
}

int Editor::getPlane(const Zrk_String& prompt, Zrk_Point3d& origin, Zrk_Point3d& xPoint,
                     Zrk_Point3d& yPoint) {
    PickRequest request;
    request.kind = PickKind::Plane;
    request.prompt = prompt;
    PickAnswer answer;
    const int status = pick(request, answer);
    if (status == RTNORM) {
        origin = answer.points[0];
        xPoint = answer.points[1];
        yPoint = answer.points[2];
    }
    return status;
}

int Editor::getSectionPoint(const Zrk_String& prompt, const Zrk_String& section, double rotation,
                            Zrk_Point3d& point) {
    PickRequest request;
    request.kind = PickKind::SectionPoint;
    request.prompt = prompt;
    request.section = section;
    request.rotation = rotation;
    PickAnswer answer;
    const int status = pick(request, answer);
    if (status == RTNORM) point = answer.points[0];
    return status;
}

int Editor::zoom() {
    if (zooming_) {
        record("zoom: refused (a zoom runs already)");
        return RTREJ;
    }
    zooming_ = true;
    PickRequest request;
    request.kind = PickKind::ZoomWindow;
    request.prompt = "Zoom window";
    PickAnswer answer;
    const int status = pick(request, answer);
    zooming_ = false;
    ViewChange change; // the extents, for an empty answer
    if (status == RTNORM) {
        change.kind = ViewChange::Kind::Window;
        change.corner1 = answer.points[0];
        change.corner2 = answer.points[1];
    } else if (status != RTNONE) {
        return status;
    }
    changeView(change);
    return RTNORM;
}

// --- editor commands -----------------------------------------------------------------------------

void Editor::beginEditorCommand() {
    ++openCommands_;
    record("begin editor command");
}

bool Editor::completeEditorCommand(bool restoreDialogs) {
    if (openCommands_ == 0) return false;
    --openCommands_;
    record(restoreDialogs ? "complete editor command" : "complete editor command (dialogs stay hidden)");
    return true;
}

// --- highlights ----------------------------------------------------------------------------------

Acad::ErrorStatus Editor::highlight(AcDbObjectId id) {
    if (id.isNull()) return Acad::eNullObjectId;
    if (!holdsObject(id)) return Acad::eKeyNotFound;
    if (isHighlighted(id)) return Acad::eOk;
    highlights_.push_back(id);
    record("highlight " + objectIdText(id));
    return Acad::eOk;
}

Acad::ErrorStatus Editor::unhighlight(AcDbObjectId id) {
    const auto found = std::find(highlights_.begin(), highlights_.end(), id);
    if (found == highlights_.end()) return Acad::eNotApplicable;
    highlights_.erase(found);
    record("unhighlight " + objectIdText(id));
    return Acad::eOk;
}

void Editor::unhighlightAll() {
    while (!highlights_.empty())
        unhighlight(highlights_.back());
}

bool Editor::isHighlighted(AcDbObjectId id) const {
    return std::find(highlights_.begin(), highlights_.end(), id) != highlights_.end();
}

// --- previews ------------------------------------------------------------------------------------

int Editor::drawPreview(AcDbObjectId id, const Zrk_String& description) {
    if (!holdsObject(id)) return 0;
    const int previewId = nextPreview_++;
    previews_.push_back({previewId, id, description});
    record("preview " + std::to_string(previewId) + " of " + objectIdText(id) + ": " + description);
    return previewId;
}

bool Editor::erasePreview(int previewId) {
    const auto found = std::find_if(previews_.begin(), previews_.end(),
                                    [previewId](const Preview& p) { return p.id == previewId; });
    if (found == previews_.end()) return false;
    previews_.erase(found);
    record("erase preview " + std::to_string(previewId));
    return true;
}

void Editor::eraseAllPreviews() {
    while (!previews_.empty())
        erasePreview(previews_.back().id);
}

// --- views ---------------------------------------------------------------------------------------

Acad::ErrorStatus Editor::changeView(const ViewChange& change) {
    std::string event = "view ";
    switch (change.kind) {
    case ViewChange::Kind::Extents:
        event += "extents";
        break;
    case ViewChange::Kind::Window:
        if (!hasArea(change.corner1, change.corner2)) return Acad::eInvalidInput;
        event += "window " + pointText(change.corner1) + " " + pointText(change.corner2);
        break;
    case ViewChange::Kind::Objects:
    case ViewChange::Kind::Direction:
        if (change.kind == ViewChange::Kind::Objects) {
            if (change.objects.isEmpty()) return Acad::eInvalidInput;
            event += "objects";
        } else {
            if (!isFinite(change.direction) || !(length(change.direction) > 0.0)) return Acad::eInvalidInput;
            event += "direction " + pointText(change.direction);
        }
        for (const AcDbObjectId& id : change.objects) {
            if (!holdsObject(id)) return Acad::eKeyNotFound;
            event += " " + objectIdText(id);
        }
        break;
    case ViewChange::Kind::Previous:
        if (viewDepth_ == 0) return Acad::eNotApplicable;
        event += "previous";
        break;
    }
    viewDepth_ += change.kind == ViewChange::Kind::Previous ? -1 : 1;
    viewChanges_.push_back(change);
    record(std::move(event));
    return Acad::eOk;
}

void Editor::clear() {
    zooming_ = false;
    openCommands_ = 0;
    nextPreview_ = 1;
    viewDepth_ = 0;
    highlights_.clear();
    previews_.clear();
    viewChanges_.clear();
    picks_.clear();
    events_.clear();
}

} // namespace host
