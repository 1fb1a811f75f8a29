#pragma once
// What the core library's operations ask of the host's editor: picks in the drawing, highlighting,
// previews and the view. The host's editor interaction (platform/host) installs an implementation;
// tests install fakes. Without one, every pick answers false (as if the person cancelled it) and the
// rest does nothing, so that an operation never blocks on a missing editor.
//
// A pick that answers false changes nothing of its outputs.

#include "core/drawing_objects.h"
#include "core/zrk_string.h"
#include "host/acad.h"

namespace core {

class EditorHooks {
public:
    virtual ~EditorHooks() = default;

    // One or more macros of the drawing (several: the person may pick more than one).
    virtual bool pickMacros(const Zrk_String& prompt, bool several, AcArray<AcDbObjectId>& ids) {
        return false;
    }
    // A profile of the drawing.
    virtual bool pickProfile(const Zrk_String& prompt, AcDbObjectId& id) { return false; }
    // Any object of the drawing: a macro, a profile (the geometry of a module is picked by its macro).
    virtual bool pickObject(const Zrk_String& prompt, AcDbObjectId& id) { return false; }
    // A geometry object of a macro's module (what the constraints tie together).
    virtual bool pickGeometry(const Zrk_String& prompt, AcDbObjectId& id) { return false; }
    virtual bool pickPoint(const Zrk_String& prompt, Zrk_Point3d& point) { return false; }
    // A plane, described as the pick describes it (stored as a profile's base plane).
    virtual bool pickPlane(const Zrk_String& prompt, Zrk_String& plane) { return false; }
    // A named coordinate system of the drawing.
    virtual bool pickCoordSystem(const Zrk_String& prompt, Zrk_String& name) { return false; }
    // A point of a section (shown turned by rotation, in radians): its displacement from the
    // section's centre.
    virtual bool pickSectionPoint(const Zrk_String& prompt, const Zrk_String& section, double rotation,
                                  double& x, double& y) {
        return false;
    }

    // Highlights objects, or takes the highlight away.
    virtual void highlight(const AcArray<AcDbObjectId>& ids, bool on) {}
    // Shows or removes the preview of cut index of a profile.
    virtual void previewCut(AcDbObjectId profile, int index, bool on) {}
    // Changes the view to show the macros (mode 0-2: the three views of the macro dialog's buttons,
    // 3: back to the view before).
    virtual void changeView(const AcArray<AcDbObjectId>& ids, const Zrk_String& tabName, int mode) {}
    // Runs the host's zoom; false when it was cancelled or one is running already.
    virtual bool zoom() { return false; }
};

// The installed editor, or a stand-in that picks nothing; never null.
EditorHooks& editorHooks();
// Installs an editor (null: none) and answers the one it replaces.
EditorHooks* setEditorHooks(EditorHooks* hooks);

} // namespace core
