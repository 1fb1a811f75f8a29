#include "core/drawing.h"

#include <algorithm>
#include <unordered_map>

#include "core/files.h"
#include "core/text.h"

namespace core {

// What an undo record keeps: the first state of each object written, the order of the objects (by
// handle) before the first add or erase, and the objects that are out of the drawing (erased while
// it was open, or taken out again by putting it back), alive so that they can return at the same
// address. Putting a record back swaps what it keeps with what the drawing holds, so the record then
// holds what it replaced: undo and redo are the same operation.
struct Drawing::UndoRecord {
    std::map<std::int64_t, Zrk_Macro> macros;
    std::map<std::int64_t, Zrk_Profile> profiles;
    std::optional<Zrk_Array<Zrk_Level>> levels;
    std::optional<Zrk_Array<Zrk_CoordSystem>> coordSystems;
    std::optional<std::vector<std::int64_t>> macroOrder;
    std::optional<std::vector<std::int64_t>> profileOrder;
    std::vector<std::unique_ptr<Zrk_DbMacro>> erasedMacros;
    std::vector<std::unique_ptr<Zrk_DbProfile>> erasedProfiles;
};

// What the drawing was when last read or written, kept lazily, so that reading and saving a large
// drawing cost nothing for it: the order of the objects then (by handle), and the earlier state of
// each object and of the level and coordinate system lists, copied at its first change since (by
// the same write accesses that serve undo records, and when undo or redo swaps a state in). What
// has no copy is as it was.
struct Drawing::SavedState {
    std::vector<std::int64_t> macroOrder;
    std::vector<std::int64_t> profileOrder;
    std::unordered_map<std::int64_t, Zrk_Macro> macros;
    std::unordered_map<std::int64_t, Zrk_Profile> profiles;
    std::optional<Zrk_Array<Zrk_Level>> levels;
    std::optional<Zrk_Array<Zrk_CoordSystem>> coordSystems;
};

namespace {

Drawing* gWorkingDrawing = nullptr;

// The owner of the object with that handle in one of two lists, moved out of it; null when neither
// holds it.
template <typename T>
std::unique_ptr<T> takeOwner(std::int64_t handle, std::vector<std::unique_ptr<T>>& first,
                             std::vector<std::unique_ptr<T>>& second) {
    for (auto* list : {&first, &second}) {
        for (auto it = list->begin(); it != list->end(); ++it) {
            if ((*it)->objectId().handle() == handle) {
                std::unique_ptr<T> owner = std::move(*it);
                list->erase(it);
                return owner;
            }
        }
    }
    return nullptr;
}

template <typename T>
T* findIn(std::int64_t handle, std::vector<std::unique_ptr<T>>& first,
          std::vector<std::unique_ptr<T>>& second) {
    for (auto* list : {&first, &second})
        for (auto& object : *list)
            if (object->objectId().handle() == handle) return object.get();
    return nullptr;
}

template <typename T> std::vector<std::int64_t> handlesOf(const std::vector<std::unique_ptr<T>>& list) {
    std::vector<std::int64_t> handles;
    for (const auto& object : list)
        handles.push_back(object->objectId().handle());
    return handles;
}

// Rebuilds list in the order kept, taking the objects from the list and the erased ones; objects
// that are in neither order (added since) move to the erased ones. Answers the order before.
template <typename T>
std::vector<std::int64_t> restoreOrder(const std::vector<std::int64_t>& order,
                                       std::vector<std::unique_ptr<T>>& list,
                                       std::vector<std::unique_ptr<T>>& erased) {
    std::vector<std::int64_t> before = handlesOf(list);
    std::vector<std::unique_ptr<T>> restored;
    for (std::int64_t handle : order)
        if (std::unique_ptr<T> owner = takeOwner(handle, list, erased)) restored.push_back(std::move(owner));
    for (auto& left : list)
        erased.push_back(std::move(left));
    list = std::move(restored);
    return before;
}

} // namespace

Drawing* workingDrawing() {
    return gWorkingDrawing;
}

Drawing* setWorkingDrawing(Drawing* drawing) {
    Drawing* previous = gWorkingDrawing;
    gWorkingDrawing = drawing;
    return previous;
}

Drawing::Drawing() {
    markSaved();
}

Drawing::~Drawing() {
    if (gWorkingDrawing == this) gWorkingDrawing = nullptr;
}

// --- file --------------------------------------------------------------------------------------

bool Drawing::readFromFile(const Zrk_String& path, Zrk_String* message) {
    std::string bytes;
    if (!readFileBytes(path, bytes, message)) return false;
    return fromText(bytes, path, message);
}

bool Drawing::fromText(const std::string& utf8, const Zrk_String& fileName, Zrk_String* message) {
    if (!undoRecords_.empty()) {
        if (message) *message = fileName + ": a drawing cannot be replaced while a transaction is open";
        return false;
    }
    DrawingContent content;
    if (!parseDrawingText(utf8, fileName, content, message)) return false;
    std::int64_t next = 1;
    for (const DrawingMacroRecord& record : content.macros) {
        next = std::max(next, record.id + 1);
        for (const Zrk_Module& module : record.macro.modules)
            for (const Zrk_GeomObject& object : module.geometry)
                next = std::max(next, object.id.handle() + 1);
    }
    for (const DrawingProfileRecord& record : content.profiles)
        next = std::max(next, record.id + 1);
    std::vector<std::unique_ptr<Zrk_DbMacro>> macros;
    for (DrawingMacroRecord& record : content.macros) {
        const std::int64_t handle = record.id > 0 ? record.id : next++;
        auto macro = std::make_unique<Zrk_DbMacro>(std::move(record.macro), AcDbObjectId(handle));
        macro->database_ = this;
        macros.push_back(std::move(macro));
    }
    std::vector<std::unique_ptr<Zrk_DbProfile>> profiles;
    for (DrawingProfileRecord& record : content.profiles) {
        const std::int64_t handle = record.id > 0 ? record.id : next++;
        auto profile = std::make_unique<Zrk_DbProfile>(std::move(record.profile), AcDbObjectId(handle));
        profile->database_ = this;
        profiles.push_back(std::move(profile));
    }
    macros_ = std::move(macros);
    macrosReordered();
    profiles_ = std::move(profiles);
    levels_ = std::move(content.levels);
    coordSystems_ = std::move(content.coordSystems);
    nextHandle_ = next;
    fileVersion_ = content.version;
    clearHistory();
    markSaved();
    return true;
}

Drawing::Content Drawing::content() const {
    Content content;
    for (const auto& macro : macros_)
        content.macros.push_back({macro->objectId().handle(), *macro->macro()});
    for (const auto& profile : profiles_)
        content.profiles.push_back({profile->objectId().handle(), *profile->profile()});
    content.levels = levels_;
    content.coordSystems = coordSystems_;
    return content;
}

std::string Drawing::toText() const {
    return drawingText(content());
}

bool Drawing::writeToFile(const Zrk_String& path, Zrk_String* message) {
    if (!undoRecords_.empty()) {
        if (message) *message = path + ": the drawing cannot be saved while a transaction is open";
        return false;
    }
    const std::string text = toText();
    // What the reader refuses is never written: a number that is no number (JSON has none: it would
    // be written as null), an empty or repeated name or a bolt count out of range set through the
    // model would make a drawing that can never be opened again.
    DrawingContent check;
    Zrk_String refusal;
    if (!parseDrawingText(text, path, check, &refusal)) {
        const Zrk_String prefix = path + ": ";
        if (refusal.rfind(prefix, 0) == 0) refusal = refusal.substr(prefix.size());
        if (message)
            *message = path + ": the drawing is not saved, as it could not be read again: " + refusal + ".";
        return false;
    }
    if (!writeFileAtomically(path, text, message)) return false;
    markSaved();
    return true;
}

void Drawing::markSaved() {
    saved_ = std::make_unique<SavedState>();
    saved_->macroOrder = handlesOf(macros_);
    saved_->profileOrder = handlesOf(profiles_);
}

void Drawing::keepSaved(const Zrk_DbMacro& macro) {
    saved_->macros.try_emplace(macro.objectId().handle(), *macro.macro());
}

void Drawing::keepSaved(const Zrk_DbProfile& profile) {
    saved_->profiles.try_emplace(profile.objectId().handle(), *profile.profile());
}

void Drawing::keepSavedLevels() {
    if (!saved_->levels) saved_->levels = levels_;
}

void Drawing::keepSavedCoordSystems() {
    if (!saved_->coordSystems) saved_->coordSystems = coordSystems_;
}

bool Drawing::isModified() const {
    const SavedState& saved = *saved_;
    if (handlesOf(macros_) != saved.macroOrder || handlesOf(profiles_) != saved.profileOrder) return true;
    // The same objects in the same order: what changed is in the copies. Values that differ can
    // still be the same text (what the file does not keep), so a difference is settled by the text
    // of that part alone (put places a state in an otherwise empty content).
    const auto differ = [](const auto& now, const auto& then, const auto& put) {
        if (now == then) return false;
        Content a, b;
        put(a, now);
        put(b, then);
        return drawingText(a) != drawingText(b);
    };
    const auto anyObjectDiffers = [&differ](const auto& objects, const auto& copies, const auto& stateOf,
                                            const auto& put) {
        if (copies.empty()) return false;
        for (const auto& object : objects) {
            const std::int64_t handle = object->objectId().handle();
            const auto found = copies.find(handle);
            const auto putWithId = [&](Content& content, const auto& state) { put(content, handle, state); };
            if (found != copies.end() && differ(stateOf(*object), found->second, putWithId)) return true;
        }
        return false;
    };
    if (anyObjectDiffers(
            macros_, saved.macros,
            [](const Zrk_DbMacro& macro) -> const Zrk_Macro& { return *macro.macro(); },
            [](Content& content, std::int64_t id, const Zrk_Macro& state) {
                content.macros.push_back({id, state});
            }))
        return true;
    if (anyObjectDiffers(
            profiles_, saved.profiles,
            [](const Zrk_DbProfile& profile) -> const Zrk_Profile& { return *profile.profile(); },
            [](Content& content, std::int64_t id, const Zrk_Profile& state) {
                content.profiles.push_back({id, state});
            }))
        return true;
    if (saved.levels &&
        differ(levels_, *saved.levels,
               [](Content& content, const Zrk_Array<Zrk_Level>& state) { content.levels = state; }))
        return true;
    if (saved.coordSystems && differ(coordSystems_, *saved.coordSystems,
                                     [](Content& content, const Zrk_Array<Zrk_CoordSystem>& state) {
                                         content.coordSystems = state;
                                     }))
        return true;
    return false;
}

// --- macros and profiles -----------------------------------------------------------------------

Zrk_DbMacro* Drawing::macroAt(int index) {
    return (index >= 0 && index < macroCount()) ? macros_[static_cast<std::size_t>(index)].get() : nullptr;
}

const Zrk_DbMacro* Drawing::macroAt(int index) const {
    return const_cast<Drawing*>(this)->macroAt(index);
}

Zrk_DbMacro* Drawing::findMacro(AcDbObjectId id) {
    if (macroIndexStale_) {
        macroIndex_.clear();
        macroIndex_.reserve(macros_.size());
        for (const auto& macro : macros_)
            macroIndex_.emplace(macro->objectId().handle(), macro.get());
        macroIndexStale_ = false;
    }
    const auto found = macroIndex_.find(id.handle());
    return found == macroIndex_.end() ? nullptr : found->second;
}

const Zrk_DbMacro* Drawing::findMacro(AcDbObjectId id) const {
    return const_cast<Drawing*>(this)->findMacro(id);
}

Zrk_DbMacro* Drawing::findMacroByName(const Zrk_String& name) {
    for (const auto& macro : macros_)
        if (macro->macro()->name == name) return macro.get();
    return nullptr;
}

Zrk_DbMacro* Drawing::addMacro(Zrk_Macro macro) {
    recordOrder();
    auto added = std::make_unique<Zrk_DbMacro>(std::move(macro), AcDbObjectId(nextHandle_++));
    added->database_ = this;
    macros_.push_back(std::move(added));
    if (!macroIndexStale_) macroIndex_.emplace(macros_.back()->objectId().handle(), macros_.back().get());
    return macros_.back().get();
}

Zrk_DbProfile* Drawing::profileAt(int index) {
    return (index >= 0 && index < profileCount()) ? profiles_[static_cast<std::size_t>(index)].get()
                                                  : nullptr;
}

Zrk_DbProfile* Drawing::findProfile(AcDbObjectId id) {
    for (const auto& profile : profiles_)
        if (profile->objectId() == id) return profile.get();
    return nullptr;
}

const Zrk_DbProfile* Drawing::findProfile(AcDbObjectId id) const {
    return const_cast<Drawing*>(this)->findProfile(id);
}

Zrk_DbProfile* Drawing::addProfile(Zrk_Profile profile) {
    recordOrder();
    auto added = std::make_unique<Zrk_DbProfile>(std::move(profile), AcDbObjectId(nextHandle_++));
    added->database_ = this;
    profiles_.push_back(std::move(added));
    return profiles_.back().get();
}

AcDbObjectId Drawing::newObjectId() {
    return AcDbObjectId(nextHandle_++);
}

bool Drawing::eraseObject(AcDbObjectId id) {
    UndoRecord* record = undoRecords_.empty() ? nullptr : &undoRecords_.back();
    for (auto it = macros_.begin(); it != macros_.end(); ++it) {
        if ((*it)->objectId() != id) continue;
        recordOrder();
        std::unique_ptr<Zrk_DbMacro> erased = std::move(*it);
        macros_.erase(it);
        macroIndex_.erase(id.handle());
        if (record) record->erasedMacros.push_back(std::move(erased));
        return true;
    }
    for (auto it = profiles_.begin(); it != profiles_.end(); ++it) {
        if ((*it)->objectId() != id) continue;
        recordOrder();
        std::unique_ptr<Zrk_DbProfile> erased = std::move(*it);
        profiles_.erase(it);
        if (record) record->erasedProfiles.push_back(std::move(erased));
        return true;
    }
    return false;
}

// --- levels and coordinate systems -------------------------------------------------------------

Zrk_Array<Zrk_Level>& Drawing::levelsWrite() {
    keepSavedLevels();
    if (!undoRecords_.empty() && !undoRecords_.back().levels) undoRecords_.back().levels = levels_;
    return levels_;
}

int Drawing::findLevel(const Zrk_String& name) const {
    for (int i = 0; i < levels_.length(); ++i)
        if (isEqual(levels_[i].name, name, true)) return i;
    return -1;
}

bool Drawing::levelAbsolute(const Zrk_String& name, double& value) const {
    return core::levelAbsolute(levels_, name, value);
}

Zrk_Array<Zrk_CoordSystem>& Drawing::coordSystemsWrite() {
    keepSavedCoordSystems();
    if (!undoRecords_.empty() && !undoRecords_.back().coordSystems)
        undoRecords_.back().coordSystems = coordSystems_;
    return coordSystems_;
}

int Drawing::findCoordSystem(const Zrk_String& name) const {
    for (int i = 0; i < coordSystems_.length(); ++i)
        if (isEqual(coordSystems_[i].name, name, true)) return i;
    return -1;
}

bool Drawing::clear() {
    if (!undoRecords_.empty()) return false;
    macros_.clear();
    macrosReordered();
    profiles_.clear();
    levels_.removeAll();
    coordSystems_.removeAll();
    clearHistory();
    return true;
}

// --- undo records ------------------------------------------------------------------------------

void Drawing::beginUndoRecord() {
    undoRecords_.emplace_back();
}

int Drawing::undoDepth() const {
    return static_cast<int>(undoRecords_.size());
}

bool Drawing::endUndoRecord(bool keep) {
    if (undoRecords_.empty()) return false;
    UndoRecord record = std::move(undoRecords_.back());
    undoRecords_.pop_back();
    if (!keep) {
        swapState(record);
        return true;
    }
    if (undoRecords_.empty()) {
        // The outermost record becomes a step of the history when it changed anything; a later step
        // that is redone no longer follows from it.
        if (!changes(record)) return true;
        undoHistory_.push_back(std::move(record));
        if (static_cast<int>(undoHistory_.size()) > kHistorySteps) undoHistory_.erase(undoHistory_.begin());
        redoHistory_.clear();
        return true;
    }
    // The outer record keeps its own, older copies and order where it has them.
    UndoRecord& outer = undoRecords_.back();
    for (auto& [handle, state] : record.macros)
        outer.macros.try_emplace(handle, std::move(state));
    for (auto& [handle, state] : record.profiles)
        outer.profiles.try_emplace(handle, std::move(state));
    if (!outer.levels) outer.levels = std::move(record.levels);
    if (!outer.coordSystems) outer.coordSystems = std::move(record.coordSystems);
    if (!outer.macroOrder) outer.macroOrder = std::move(record.macroOrder);
    if (!outer.profileOrder) outer.profileOrder = std::move(record.profileOrder);
    for (auto& erased : record.erasedMacros)
        outer.erasedMacros.push_back(std::move(erased));
    for (auto& erased : record.erasedProfiles)
        outer.erasedProfiles.push_back(std::move(erased));
    return true;
}

void Drawing::swapState(UndoRecord& record) {
    for (auto& [handle, state] : record.macros) {
        Zrk_DbMacro* macro = findMacro(AcDbObjectId(handle));
        if (!macro) macro = findIn(handle, macros_, record.erasedMacros);
        if (macro) {
            keepSaved(*macro);
            std::swap(macro->macro_, state);
        }
    }
    for (auto& [handle, state] : record.profiles) {
        if (Zrk_DbProfile* profile = findIn(handle, profiles_, record.erasedProfiles)) {
            keepSaved(*profile);
            std::swap(profile->profile_, state);
        }
    }
    if (record.levels) {
        keepSavedLevels();
        std::swap(levels_, *record.levels);
    }
    if (record.coordSystems) {
        keepSavedCoordSystems();
        std::swap(coordSystems_, *record.coordSystems);
    }
    if (record.macroOrder) {
        record.macroOrder = restoreOrder(*record.macroOrder, macros_, record.erasedMacros);
        macrosReordered();
    }
    if (record.profileOrder)
        record.profileOrder = restoreOrder(*record.profileOrder, profiles_, record.erasedProfiles);
}

bool Drawing::changes(const UndoRecord& record) const {
    for (const auto& [handle, state] : record.macros) {
        const Zrk_DbMacro* macro = findMacro(AcDbObjectId(handle));
        if (!macro || !(*macro->macro() == state)) return true;
    }
    for (const auto& [handle, state] : record.profiles) {
        const Zrk_DbProfile* profile = findProfile(AcDbObjectId(handle));
        if (!profile || !(*profile->profile() == state)) return true;
    }
    if (record.levels && !(*record.levels == levels_)) return true;
    if (record.coordSystems && !(*record.coordSystems == coordSystems_)) return true;
    if (record.macroOrder && *record.macroOrder != handlesOf(macros_)) return true;
    if (record.profileOrder && *record.profileOrder != handlesOf(profiles_)) return true;
    return false;
}

// --- history -----------------------------------------------------------------------------------

bool Drawing::undo() {
    if (!undoRecords_.empty() || undoHistory_.empty()) return false;
    UndoRecord record = std::move(undoHistory_.back());
    undoHistory_.pop_back();
    swapState(record);
    redoHistory_.push_back(std::move(record));
    return true;
}

bool Drawing::redo() {
    if (!undoRecords_.empty() || redoHistory_.empty()) return false;
    UndoRecord record = std::move(redoHistory_.back());
    redoHistory_.pop_back();
    swapState(record);
    undoHistory_.push_back(std::move(record));
    return true;
}

bool Drawing::canUndo() const {
    return undoRecords_.empty() && !undoHistory_.empty();
}

bool Drawing::canRedo() const {
    return undoRecords_.empty() && !redoHistory_.empty();
}

int Drawing::undoSteps() const {
    return static_cast<int>(undoHistory_.size());
}

int Drawing::redoSteps() const {
    return static_cast<int>(redoHistory_.size());
}

void Drawing::clearHistory() {
    undoHistory_.clear();
    redoHistory_.clear();
}

void Drawing::recordWrite(const Zrk_DbMacro& macro) {
    keepSaved(macro);
    if (undoRecords_.empty()) return;
    undoRecords_.back().macros.try_emplace(macro.objectId().handle(), *macro.macro());
}

void Drawing::recordWrite(const Zrk_DbProfile& profile) {
    keepSaved(profile);
    if (undoRecords_.empty()) return;
    undoRecords_.back().profiles.try_emplace(profile.objectId().handle(), *profile.profile());
}

void Drawing::recordOrder() {
    if (undoRecords_.empty()) return;
    UndoRecord& record = undoRecords_.back();
    if (!record.macroOrder) record.macroOrder = handlesOf(macros_);
    if (!record.profileOrder) record.profileOrder = handlesOf(profiles_);
}

} // namespace core
