#pragma once
// A drawing: the macros the host has open, read from and written to a drawing file (JSON, described
// in docs/drawing-format.md). Macros live at stable addresses for the drawing's life, each with an
// object id unique in the drawing.
//
// Undo records serve the host's transactions: while a record is open, the first write access to a
// macro (Zrk_DbMacro::macroWrite) keeps a copy of its state; ending the record with keep = false puts
// those states back. Records nest; a kept inner record hands its copies to the one around it.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/macro_model.h"

namespace core {

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
    // is open (a transaction that may still be aborted is not saved).
    bool writeToFile(const Zrk_String& path, Zrk_String* message = nullptr);
    // The file's text (UTF-8) and its parsing; fileName only names the source in messages.
    bool fromText(const std::string& utf8, const Zrk_String& fileName, Zrk_String* message = nullptr);
    std::string toText() const;

    int macroCount() const { return static_cast<int>(macros_.size()); }
    Zrk_DbMacro* macroAt(int index);
    Zrk_DbMacro* findMacro(AcDbObjectId id);
    // The first macro of that name.
    Zrk_DbMacro* findMacroByName(const Zrk_String& name);
    // Adds a macro under a new object id.
    Zrk_DbMacro* addMacro(Zrk_Macro macro);
    // Removes every macro (not while an undo record is open).
    bool clear();

    // Whether the macros differ from what was last read or written.
    bool isModified() const;

    void beginUndoRecord();
    // Ends the innermost record; keep false restores the macros written since it began. False when no
    // record is open.
    bool endUndoRecord(bool keep);
    int undoDepth() const { return static_cast<int>(undoRecords_.size()); }

private:
    friend class ::Zrk_DbMacro;
    void recordWrite(const Zrk_DbMacro& macro);
    void markSaved();

    std::vector<std::unique_ptr<Zrk_DbMacro>> macros_;
    std::vector<std::pair<AcDbObjectId, Zrk_Macro>> saved_;
    std::vector<std::map<std::int64_t, Zrk_Macro>> undoRecords_;
    std::int64_t nextHandle_ = 1;
};

// The drawing file's text of macros and its parsing, for the drawing and for tests and fuzzing.
// A macro without an id in the file gets id 0 here; the drawing gives it a fresh one.
struct DrawingMacroRecord {
    std::int64_t id = 0;
    Zrk_Macro macro;
};
bool parseDrawingText(const std::string& utf8, const Zrk_String& fileName,
                      std::vector<DrawingMacroRecord>& macros, Zrk_String* message);
std::string drawingText(const std::vector<DrawingMacroRecord>& macros);

} // namespace core
