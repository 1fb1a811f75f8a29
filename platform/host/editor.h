#pragma once
// The host's drawing editor, as the module's dialogs and the core library meet it: the person picks
// something in the drawing (an object of a kind, several macros, a point, a plane, a point of a
// profile's section, a window to zoom to), objects are highlighted and unhighlighted, temporary
// previews are drawn and removed, and the view changes. One service, whoever answers:
//
//   AcDbObjectId macro;
//   if (host::Editor::instance().selectObject("Select a macro", {core::ObjectKind::Macro}, macro) != RTNORM)
//       return false;                                  // RTCAN: the person cancelled
//
// Who answers a pick is the installed EditorInput: a test's ui::ScriptedUser (answerPick ...), the
// command-line shell's terminal (TerminalEditorInput, terminal_input.h), or a window that lets the
// person choose. Without one a pick is cancelled. The answer is checked here, whoever gave it: an
// object must be in the open drawing and of a kind asked for (the drawing knows its kinds, ids and
// names: core::Drawing::listObjects), points must be numbers, a plane's three points must not lie on
// one line.
//
// Everything the editor is asked to do is recorded, as posted commands are (command_line.h): the
// highlights and previews shown now, the view changes, the picks with their outcome, and one line
// per event in order (events()), so that tests read what a person would have seen.
//
// A modal dialog steps aside while the person works in the drawing: ui::Dialog's BeginEditorCommand
// hides it and CompleteEditorCommand shows it again; both tell the editor, which counts the editor
// commands that are open. The core library's operations reach the editor through the editor hooks
// it declares (core/editor_hooks.h), which the host answers with this editor (editor_hooks_for_core.cpp).

#include <string>
#include <vector>

#include "core/drawing.h"
#include "host/acad.h"

// Results of the editor's prompts, as the host's prompting functions answer them.
inline constexpr int RTNONE = 5000;   // an empty answer where the prompt takes one: Enter ends a
                                      // selection of several objects, or zooms to the extents
inline constexpr int RTNORM = 5100;   // picked
inline constexpr int RTERROR = -5001; // the pick could not be made (no drawing open, an answer that
                                      // does not fit)
inline constexpr int RTCAN = -5002;   // cancelled by the person
inline constexpr int RTREJ = -5003;   // refused: the editor is busy with the same command

namespace host {

enum class PickKind {
    Object,       // an object of the drawing, of one of the kinds asked for
    Point,        // a point, in drawing coordinates
    Plane,        // three points: the plane's origin, a point on its X axis, a point in its XY plane
    SectionPoint, // a point of a profile's section, in the section's own axes (x across, y up) as
                  // drawn at the rotation given
    ZoomWindow,   // two corners of the window to zoom to; an empty answer zooms to the extents
};

struct PickRequest {
    PickKind kind = PickKind::Object;
    Zrk_String prompt;                         // what the person is asked ("Select a macro")
    std::vector<core::ObjectKind> objectKinds; // Object: the kinds accepted
    bool emptyAnswerEnds = false;              // Object: an empty answer (RTNONE) ends a selection
    Zrk_String section;                        // SectionPoint: the section's name
    double rotation = 0.0;                     // SectionPoint: the section's rotation, radians

    // The points an answer holds: Point and SectionPoint 1, Plane 3, ZoomWindow 2, Object 0.
    int pointCount() const;
    // Whether an object of that kind answers the request.
    bool accepts(core::ObjectKind kind) const;
    // "macro", "macro or profile" ...: the kinds asked for, for prompts and messages.
    Zrk_String kindsText() const;
};

// What the person picked. An object is given by id, or by name (objectName, with a null id); the
// editor resolves the name among the objects of the kinds asked for. Objects known by name alone
// (levels, coordinate systems) keep a null id.
struct PickAnswer {
    AcDbObjectId object;
    Zrk_String objectName;
    std::vector<Zrk_Point3d> points;

    static PickAnswer of(AcDbObjectId id);
    static PickAnswer named(const Zrk_String& name);
    static PickAnswer at(std::vector<Zrk_Point3d> points);
};

// The one who answers picks. Constructing one installs it on top of those before; destroying it
// uninstalls it.
class EditorInput {
public:
    EditorInput(const EditorInput&) = delete;
    EditorInput& operator=(const EditorInput&) = delete;
    virtual ~EditorInput();

    // Asks the person: RTNORM with the answer filled, RTCAN when the person cancels, RTNONE for an
    // empty answer. The editor checks the answer again (RTERROR when it does not fit); an input that
    // can ask again checks it first with Editor::checkAnswer.
    virtual int ask(const PickRequest& request, PickAnswer& answer) = 0;

protected:
    EditorInput();
};

// The input on top, or null.
EditorInput* currentEditorInput();

struct Preview {
    int id = 0; // the editor's number of the preview, from 1
    AcDbObjectId object;
    Zrk_String description; // what is drawn ("cut Cut1")
};

struct ViewChange {
    enum class Kind {
        Extents,   // everything in the drawing
        Window,    // the window between corner1 and corner2
        Objects,   // the objects, fitted into the view
        Direction, // the objects (or everything, when none are named) seen along a direction
        Previous,  // back to the view before the last change
    };
    Kind kind = Kind::Extents;
    Zrk_Array<AcDbObjectId> objects; // Objects and Direction
    Zrk_Point3d corner1, corner2;    // Window
    Zrk_Point3d direction;           // Direction: the view looks along it
};

struct PickRecord {
    PickRequest request;
    int status = RTCAN;
    PickAnswer answer; // as resolved: an object by id and name
};

class Editor {
public:
    // The editor of the host's drawing (host::Document::current()).
    static Editor& instance();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // --- picks -----------------------------------------------------------------------------------

    // Asks the installed input, checks the answer and records the pick. RTNORM: answer holds the
    // object (id and name) or the points; RTCAN: cancelled (or nobody to ask); RTNONE: an empty
    // answer where the request takes one; RTERROR: an object pick without an open drawing, or an
    // answer that does not fit. Outputs are left alone unless the answer is RTNORM.
    int pick(const PickRequest& request, PickAnswer& answer);
    int selectObject(const Zrk_String& prompt, std::vector<core::ObjectKind> kinds, AcDbObjectId& id);
    // An object known by name alone (a coordinate system, a level), or any object by its name.
    int selectObjectName(const Zrk_String& prompt, std::vector<core::ObjectKind> kinds, Zrk_String& name);
    // Several objects, one pick after another until an empty answer ends the selection: RTNORM with
    // the objects picked (each once, in picking order), RTCAN when the first pick or any later one
    // is cancelled (a selection is taken whole or not at all).
    int selectObjects(const Zrk_String& prompt, std::vector<core::ObjectKind> kinds,
                      AcArray<AcDbObjectId>& ids);
    int getPoint(const Zrk_String& prompt, Zrk_Point3d& point);
    // The plane's origin, a point on its X axis and a point in its XY plane (not on one line).
    int getPlane(const Zrk_String& prompt, Zrk_Point3d& origin, Zrk_Point3d& xPoint, Zrk_Point3d& yPoint);
    int getSectionPoint(const Zrk_String& prompt, const Zrk_String& section, double rotation,
                        Zrk_Point3d& point);

    // The host's interactive zoom: asks for a window (two corners; an empty answer zooms to the
    // extents) and changes the view. RTNORM zoomed, RTCAN cancelled, RTREJ while a zoom runs already.
    int zoom();
    bool isZooming() const { return zooming_; }

    // Whether an answer fits the request, resolving an object's name to its id (and an id to its
    // name) in the open drawing. False with the reason in why, for the person.
    bool checkAnswer(const PickRequest& request, PickAnswer& answer, Zrk_String& why) const;

    // --- editor commands -------------------------------------------------------------------------

    void beginEditorCommand();
    // False when no editor command is open.
    bool completeEditorCommand(bool restoreDialogs = true);
    int openEditorCommands() const { return openCommands_; }

    // --- highlights ------------------------------------------------------------------------------

    // eNullObjectId for the null id, eKeyNotFound for an object the drawing does not hold (or no
    // drawing open). Highlighting what is highlighted already changes nothing.
    Acad::ErrorStatus highlight(AcDbObjectId id);
    // eNotApplicable when it is not highlighted.
    Acad::ErrorStatus unhighlight(AcDbObjectId id);
    void unhighlightAll();
    const std::vector<AcDbObjectId>& highlights() const { return highlights_; }
    bool isHighlighted(AcDbObjectId id) const;

    // --- previews --------------------------------------------------------------------------------

    // Draws a temporary picture of something of an object (not part of the drawing, never saved).
    // Answers the preview's number, or 0 for an object the drawing does not hold.
    int drawPreview(AcDbObjectId id, const Zrk_String& description);
    // False for a preview that is not shown.
    bool erasePreview(int previewId);
    void eraseAllPreviews();
    const std::vector<Preview>& previews() const { return previews_; }

    // --- views -----------------------------------------------------------------------------------

    // eInvalidInput for a window without area, a zero direction or no objects to fit; eKeyNotFound
    // for an object the drawing does not hold; eNotApplicable for Previous with no view to go back to.
    Acad::ErrorStatus changeView(const ViewChange& change);
    const std::vector<ViewChange>& viewChanges() const { return viewChanges_; }

    // --- the record ------------------------------------------------------------------------------

    const std::vector<PickRecord>& picks() const { return picks_; }
    // One line per event, in order: "pick macro: BasePlate1 (#1)", "pick point: cancelled",
    // "highlight #3", "unhighlight #3", "preview 1 of #5: cut Cut1", "erase preview 1",
    // "view objects #3", "begin editor command", "complete editor command" ...
    const std::vector<std::string>& events() const { return events_; }
    // Forgets the record and the highlights, previews and open commands (a test starts afresh).
    void clear();

private:
    Editor() = default;
    void record(std::string event);
    bool resolveObject(const PickRequest& request, PickAnswer& answer, Zrk_String& why) const;
    bool holdsObject(AcDbObjectId id) const;

    bool zooming_ = false;
    int openCommands_ = 0;
    int nextPreview_ = 1;
    int viewDepth_ = 0;
    std::vector<AcDbObjectId> highlights_;
    std::vector<Preview> previews_;
    std::vector<ViewChange> viewChanges_;
    std::vector<PickRecord> picks_;
    std::vector<std::string> events_;
};

// "#12": how the editor writes an object id for a person.
std::string objectIdText(AcDbObjectId id);
// "(1, 2, 0)": how the editor writes a point.
std::string pointText(const Zrk_Point3d& point);

} // namespace host
