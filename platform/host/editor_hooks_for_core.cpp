// The core library's editor hooks (core/editor_hooks.h) answered by the host's editor, installed
// when the host is loaded, so that the core library's operations pick, highlight, preview and change
// the view through the one editor the dialogs use.
//
// Decisions of the host for what the hooks leave open:
//   - a plane is described as its three points, "ox,oy,oz;xx,xy,xz;yx,yy,yz" (origin, a point on
//     its X axis, a point in its XY plane), the text a profile keeps as its picked base plane;
//   - the macro dialog's three views: mode 0 fits the macros into the view, mode 1 looks down on
//     them (plan), mode 2 looks at them from the south-west above (isometric); mode 3 goes back to
//     the view before;
//   - a cut's preview is described as "cut " and the cut's name (its index when it has none).

#include <cstdio>
#include <map>

#include "core/editor_hooks.h"
#include "host/document.h"
#include "host/editor.h"

namespace host {
namespace {

std::string coordinates(const Zrk_Point3d& point) {
    char text[96];
    std::snprintf(text, sizeof text, "%g,%g,%g", point.x, point.y, point.z);
    return text;
}

class EditorHooksForCore : public core::EditorHooks {
public:
    bool pickMacros(const Zrk_String& prompt, bool several, AcArray<AcDbObjectId>& ids) override {
        if (several) return editor().selectObjects(prompt, {core::ObjectKind::Macro}, ids) == RTNORM;
        AcDbObjectId id;
        if (editor().selectObject(prompt, {core::ObjectKind::Macro}, id) != RTNORM) return false;
        ids = AcArray<AcDbObjectId>{id};
        return true;
    }
    bool pickProfile(const Zrk_String& prompt, AcDbObjectId& id) override {
        return editor().selectObject(prompt, {core::ObjectKind::Profile}, id) == RTNORM;
    }
    bool pickObject(const Zrk_String& prompt, AcDbObjectId& id) override {
        return editor().selectObject(prompt, {core::ObjectKind::Macro, core::ObjectKind::Profile}, id) ==
               RTNORM;
    }
    bool pickGeometry(const Zrk_String& prompt, AcDbObjectId& id) override {
        return editor().selectObject(prompt, {core::ObjectKind::Geometry}, id) == RTNORM;
    }
    bool pickPoint(const Zrk_String& prompt, Zrk_Point3d& point) override {
        return editor().getPoint(prompt, point) == RTNORM;
    }
    bool pickPlane(const Zrk_String& prompt, Zrk_String& plane) override {
        Zrk_Point3d origin, xPoint, yPoint;
        if (editor().getPlane(prompt, origin, xPoint, yPoint) != RTNORM) return false;
        plane = coordinates(origin) + ";" + coordinates(xPoint) + ";" + coordinates(yPoint);
        return true;
    }
    bool pickCoordSystem(const Zrk_String& prompt, Zrk_String& name) override {
        return editor().selectObjectName(prompt, {core::ObjectKind::CoordinateSystem}, name) == RTNORM;
    }
    bool pickSectionPoint(const Zrk_String& prompt, const Zrk_String& section, double rotation, double& x,
                          double& y) override {
        Zrk_Point3d point;
        if (editor().getSectionPoint(prompt, section, rotation, point) != RTNORM) return false;
        x = point.x;
        y = point.y;
        return true;
    }

    void highlight(const AcArray<AcDbObjectId>& ids, bool on) override {
        for (const AcDbObjectId& id : ids)
            on ? editor().highlight(id) : editor().unhighlight(id);
    }

    void previewCut(AcDbObjectId profile, int index, bool on) override {
        const auto key = std::make_pair(profile.handle(), index);
        const auto shown = cutPreviews_.find(key);
        if (!on) {
            if (shown != cutPreviews_.end()) editor().erasePreview(shown->second);
            if (shown != cutPreviews_.end()) cutPreviews_.erase(shown);
            return;
        }
        if (shown != cutPreviews_.end()) {
            for (const Preview& preview : editor().previews())
                if (preview.id == shown->second) return; // shown already
            cutPreviews_.erase(shown);
        }
        Zrk_String name = std::to_string(index);
        const Zrk_DbProfile* found = Document::current().database().findProfile(profile);
        if (found && found->profile()->cuts.isValid(index) && !found->profile()->cuts[index].name.empty())
            name = found->profile()->cuts[index].name;
        if (const int previewId = editor().drawPreview(profile, "cut " + name)) cutPreviews_[key] = previewId;
    }

    void changeView(const AcArray<AcDbObjectId>& ids, const Zrk_String& tabName, int mode) override {
        ViewChange change;
        change.objects = ids;
        switch (mode) {
        case 0:
            change.kind = ids.isEmpty() ? ViewChange::Kind::Extents : ViewChange::Kind::Objects;
            break;
        case 1:
            change.kind = ViewChange::Kind::Direction;
            change.direction = {0, 0, -1};
            break;
        case 2:
            change.kind = ViewChange::Kind::Direction;
            change.direction = {1, 1, -1};
            break;
        case 3:
            change.kind = ViewChange::Kind::Previous;
            break;
        default:
            return;
        }
        editor().changeView(change);
    }

    bool zoom() override { return editor().zoom() == RTNORM; }

private:
    static Editor& editor() { return Editor::instance(); }
    std::map<std::pair<std::int64_t, int>, int> cutPreviews_; // (profile, cut index) -> preview
};

EditorHooksForCore gHooks;
// The core library's operations reach the editor from the moment the host is loaded.
[[maybe_unused]] const bool kInstalled = (core::setEditorHooks(&gHooks), true);

} // namespace
} // namespace host
