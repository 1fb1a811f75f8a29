#pragma once
// A drawing: the macros the host has open, the drawing's profiles, building levels and named
// coordinate systems, read from and written to a drawing file (JSON, described in
// docs/drawing-format.md). Macros and profiles live at stable addresses for the drawing's life, each
// with an object id unique in the drawing.
//
// Undo records serve the host's transactions and the model's own operations: while a record is open,
// the first write access to an object (Zrk_DbMacro::macroWrite, Zrk_DbProfile::profileWrite,
// levelsWrite, coordSystemsWrite) keeps a copy of its state, and adding or erasing an object keeps the
// order before it; ending the record with keep = false puts all of that back (an added object goes,
// an erased one returns at its place and address). Records nest; a kept inner record hands what it
// kept to the one around it. UndoScope is a record that is put back unless it is kept, so that an
// operation failing half way leaves the drawing as it was.
//
// The history: an outermost record that is kept and changed something becomes a step that undo()
// puts back and redo() makes again (the last 100 steps; a new step drops what could be redone).
// Reading a drawing or clearing it forgets the history. Adds and erases are steps like any write: an
// object taken out by undo lives on in its step, so that redo brings back the same object at the
// same address.
//
// The working drawing is the drawing the host shows; the host installs it (setWorkingDrawing), and
// the core library's operations that work on "the drawing" (GetMacroSettings, the macro dialog data,
// the levels record ...) use it.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/drawing_objects.h"
#include "core/macro_model.h"

namespace core {

// The kinds of objects a drawing holds, as the host's editor asks for them (picks, highlights).
enum class ObjectKind { Macro, Profile, Level, CoordinateSystem, Geometry };
// "macro", "profile", "level", "coordinate system", "geometry object".
const char* objectKindName(ObjectKind kind);

struct DrawingObjectRef {
    ObjectKind kind = ObjectKind::Macro;
    AcDbObjectId id; // null for the kinds known by name alone
    Zrk_String name;
};

class Drawing {
public:
    Drawing();
    ~Drawing();
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

    // Replaces the content with the file's. On failure nothing changes and message says which file
    // and what is wrong (JSON syntax with line and column, or the object and field at fault).
    bool readFromFile(const Zrk_String& path, Zrk_String* message = nullptr);
    // Writes the drawing atomically; afterwards it counts as unmodified. Fails while an undo record
    // is open (a transaction that may still be aborted is not saved), and when the text would not read
    // back (the message names the object and field; nothing is written).
    bool writeToFile(const Zrk_String& path, Zrk_String* message = nullptr);
    // The file's text (UTF-8) and its parsing; fileName only names the source in messages.
    bool fromText(const std::string& utf8, const Zrk_String& fileName, Zrk_String* message = nullptr);
    std::string toText() const;
    // The edition of the file last read (1 or 2); a drawing always writes the newest.
    int fileVersion() const { return fileVersion_; }

    // --- macros
    int macroCount() const { return static_cast<int>(macros_.size()); }
    Zrk_DbMacro* macroAt(int index);
    const Zrk_DbMacro* macroAt(int index) const;
    Zrk_DbMacro* findMacro(AcDbObjectId id);
    const Zrk_DbMacro* findMacro(AcDbObjectId id) const;
    // The first macro of that name.
    Zrk_DbMacro* findMacroByName(const Zrk_String& name);
    // Adds a macro under a new object id.
    Zrk_DbMacro* addMacro(Zrk_Macro macro);

    // --- profiles
    int profileCount() const { return static_cast<int>(profiles_.size()); }
    Zrk_DbProfile* profileAt(int index);
    Zrk_DbProfile* findProfile(AcDbObjectId id);
    const Zrk_DbProfile* findProfile(AcDbObjectId id) const;
    Zrk_DbProfile* addProfile(Zrk_Profile profile);

    // A fresh object id, for an object a macro's module holds (a geometry object).
    AcDbObjectId newObjectId();

    // Erases a macro or a profile. False for an id that is neither.
    bool eraseObject(AcDbObjectId id);

    // --- building levels and named coordinate systems
    const Zrk_Array<Zrk_Level>& levels() const { return levels_; }
    Zrk_Array<Zrk_Level>& levelsWrite();
    // The level of that name (letter case ignored, as for every level name); -1 when none.
    int findLevel(const Zrk_String& name) const;
    // The absolute value of a level: its value plus that of the level it refers to, along the chain.
    // "wcs" and the empty name are 0. False for an unknown level or a chain that runs in a circle.
    bool levelAbsolute(const Zrk_String& name, double& value) const;
    const Zrk_Array<Zrk_CoordSystem>& coordSystems() const { return coordSystems_; }
    Zrk_Array<Zrk_CoordSystem>& coordSystemsWrite();
    // The coordinate system of that name (letter case ignored); -1 when none.
    int findCoordSystem(const Zrk_String& name) const;

    // Removes every object (not while an undo record is open).
    bool clear();

    // --- every object, by kind, for the host's editor (which knows no kinds itself): macros and
    // profiles by id and name (a profile's name is its mark), the geometry objects of the macros'
    // modules by id and description, building levels and named coordinate systems by name alone
    // (their id is null).
    void listObjects(ObjectKind kind, std::vector<DrawingObjectRef>& objects) const;
    // The macro, profile or geometry object of an id. False for an id the drawing does not hold.
    bool findObject(AcDbObjectId id, DrawingObjectRef& object) const;

    // Whether the drawing differs from what was last read or written: whether writing it now would
    // give other text than that. A value changed and changed back, or undone, is no change.
    bool isModified() const;

    void beginUndoRecord();
    // Ends the innermost record; keep false puts back what changed since it began. False when no
    // record is open.
    bool endUndoRecord(bool keep);
    int undoDepth() const;

    // --- the history of kept records
    static constexpr int kHistorySteps = 100;
    // Puts back the last step (redo() makes it again). False while a record is open, or when there is
    // no step.
    bool undo();
    bool redo();
    bool canUndo() const;
    bool canRedo() const;
    int undoSteps() const;
    int redoSteps() const;
    void clearHistory();

    // Everything the file holds, as value records (for the file, for tests and for fuzzing).
    struct Content;
    Content content() const;

private:
    friend class ::Zrk_DbMacro;
    friend class ::Zrk_DbProfile;
    struct UndoRecord;
    struct SavedState;
    void recordWrite(const Zrk_DbMacro& macro);
    void recordWrite(const Zrk_DbProfile& profile);
    void recordOrder();
    // After the list of macros changed other than by adding at its end.
    void macrosReordered() { macroIndexStale_ = true; }
    void markSaved();
    // Keeps what the object (or list) was when last read or written, before its first change since.
    void keepSaved(const Zrk_DbMacro& macro);
    void keepSaved(const Zrk_DbProfile& profile);
    void keepSavedLevels();
    void keepSavedCoordSystems();
    // Swaps what the record keeps with what the drawing holds (the record is put back, and then holds
    // what it replaced).
    void swapState(UndoRecord& record);
    // Whether putting the record back would change the drawing.
    bool changes(const UndoRecord& record) const;

    std::vector<std::unique_ptr<Zrk_DbMacro>> macros_;
    // The macros by handle, for findMacro in a drawing of thousands; rebuilt when stale.
    mutable std::unordered_map<std::int64_t, Zrk_DbMacro*> macroIndex_;
    mutable bool macroIndexStale_ = true;
    std::vector<std::unique_ptr<Zrk_DbProfile>> profiles_;
    Zrk_Array<Zrk_Level> levels_;
    Zrk_Array<Zrk_CoordSystem> coordSystems_;
    std::unique_ptr<SavedState> saved_;
    std::vector<UndoRecord> undoRecords_;
    std::vector<UndoRecord> undoHistory_;
    std::vector<UndoRecord> redoHistory_;
    std::int64_t nextHandle_ = 1;
    int fileVersion_ = 2;
};

// An undo record of a drawing that puts everything back when it ends, unless keep() was called.
class UndoScope {
public:
    explicit UndoScope(Drawing& drawing) : drawing_(drawing) { drawing_.beginUndoRecord(); }
    ~UndoScope() { drawing_.endUndoRecord(kept_); }
    UndoScope(const UndoScope&) = delete;
    UndoScope& operator=(const UndoScope&) = delete;
    void keep() { kept_ = true; }

private:
    Drawing& drawing_;
    bool kept_ = false;
};

// The drawing the host shows, or null. The host installs it; tests install their own.
Drawing* workingDrawing();
// Installs a working drawing and answers the one it replaces.
Drawing* setWorkingDrawing(Drawing* drawing);

// The drawing file's content and its parsing, for the drawing and for tests and fuzzing. An object
// without an id in the file gets id 0 here; the drawing gives it a fresh one.
struct DrawingMacroRecord {
    std::int64_t id = 0;
    Zrk_Macro macro;
    bool operator==(const DrawingMacroRecord&) const = default;
};
struct DrawingProfileRecord {
    std::int64_t id = 0;
    Zrk_Profile profile;
    bool operator==(const DrawingProfileRecord&) const = default;
};
struct Drawing::Content {
    int version = 2; // the edition the text was written in (reading); writing always gives the newest
    std::vector<DrawingMacroRecord> macros;
    std::vector<DrawingProfileRecord> profiles;
    Zrk_Array<Zrk_Level> levels;
    Zrk_Array<Zrk_CoordSystem> coordSystems;
    bool operator==(const Content&) const = default;
};
using DrawingContent = Drawing::Content;

bool parseDrawingText(const std::string& utf8, const Zrk_String& fileName, DrawingContent& content,
                      Zrk_String* message);
std::string drawingText(const DrawingContent& content);

} // namespace core
