#include "core/drawing.h"

#include <algorithm>

#include "core/files.h"
#include "core/text.h"

namespace core {

// What an undo record keeps: the first state of each object written, the order of the objects before
// the first add or erase, and the objects erased while it was open (alive, so that they can return
// at the same address).
struct Drawing::UndoRecord {
    std::map<std::int64_t, Zrk_Macro> macros;
    std::map<std::int64_t, Zrk_Profile> profiles;
    std::optional<Zrk_Array<Zrk_Level>> levels;
    std::optional<Zrk_Array<Zrk_CoordSystem>> coordSystems;
    std::optional<std::vector<Zrk_DbMacro*>> macroOrder;
    std::optional<std::vector<Zrk_DbProfile*>> profileOrder;
    std::vector<std::unique_ptr<Zrk_DbMacro>> erasedMacros;
    std::vector<std::unique_ptr<Zrk_DbProfile>> erasedProfiles;
};

namespace {

Drawing* gWorkingDrawing = nullptr;

// The owner of object in one of two lists, moved out of it; null when neither holds it.
template <typename T>
std::unique_ptr<T> takeOwner(T* object, std::vector<std::unique_ptr<T>>& first,
                             std::vector<std::unique_ptr<T>>& second) {
    for (auto* list : {&first, &second}) {
        for (auto it = list->begin(); it != list->end(); ++it) {
            if (it->get() == object) {
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

// Rebuilds list in the order kept, taking the objects from the list and the erased ones; objects
// that are in neither order (added since) go.
template <typename T>
void restoreOrder(const std::vector<T*>& order, std::vector<std::unique_ptr<T>>& list,
                  std::vector<std::unique_ptr<T>>& erased) {
    std::vector<std::unique_ptr<T>> restored;
    for (T* object : order)
        if (std::unique_ptr<T> owner = takeOwner(object, list, erased)) restored.push_back(std::move(owner));
    list = std::move(restored);
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
    if (folderExists(path) || !readFileBytes(path, bytes)) {
        if (message) *message = path + ": the drawing file cannot be read";
        return false;
    }
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
    for (const DrawingMacroRecord& record : content.macros)
        next = std::max(next, record.id + 1);
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
    profiles_ = std::move(profiles);
    levels_ = std::move(content.levels);
    coordSystems_ = std::move(content.coordSystems);
    nextHandle_ = next;
    fileVersion_ = content.version;
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
    if (!writeFileAtomically(path, text, message)) return false;
    savedText_ = text;
    return true;
}

void Drawing::markSaved() {
    savedText_ = toText();
}

bool Drawing::isModified() const {
    return toText() != savedText_;
}

// --- macros and profiles -----------------------------------------------------------------------

Zrk_DbMacro* Drawing::macroAt(int index) {
    return (index >= 0 && index < macroCount()) ? macros_[static_cast<std::size_t>(index)].get() : nullptr;
}

Zrk_DbMacro* Drawing::findMacro(AcDbObjectId id) {
    for (const auto& macro : macros_)
        if (macro->objectId() == id) return macro.get();
    return nullptr;
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

bool Drawing::eraseObject(AcDbObjectId id) {
    UndoRecord* record = undoRecords_.empty() ? nullptr : &undoRecords_.back();
    for (auto it = macros_.begin(); it != macros_.end(); ++it) {
        if ((*it)->objectId() != id) continue;
        recordOrder();
        std::unique_ptr<Zrk_DbMacro> erased = std::move(*it);
        macros_.erase(it);
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
    if (!undoRecords_.empty() && !undoRecords_.back().levels) undoRecords_.back().levels = levels_;
    return levels_;
}

int Drawing::findLevel(const Zrk_String& name) const {
    for (int i = 0; i < levels_.length(); ++i)
        if (isEqual(levels_[i].name, name, true)) return i;
    return -1;
}

bool Drawing::levelAbsolute(const Zrk_String& name, double& value) const {
    double sum = 0.0;
    Zrk_String at = name;
    for (int steps = 0; steps <= levels_.length(); ++steps) {
        if (at.empty() || isEqual(at, kWorldLevelName, true)) {
            value = sum;
            return true;
        }
        const int index = findLevel(at);
        if (index < 0) return false;
        sum += levels_[index].value;
        at = levels_[index].reference;
    }
    return false; // a circle
}

Zrk_Array<Zrk_CoordSystem>& Drawing::coordSystemsWrite() {
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
    profiles_.clear();
    levels_.removeAll();
    coordSystems_.removeAll();
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
    if (keep) {
        if (undoRecords_.empty()) return true; // what was erased goes now
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
    for (auto& [handle, state] : record.macros)
        if (Zrk_DbMacro* macro = findIn(handle, macros_, record.erasedMacros))
            macro->macro_ = std::move(state);
    for (auto& [handle, state] : record.profiles)
        if (Zrk_DbProfile* profile = findIn(handle, profiles_, record.erasedProfiles))
            profile->profile_ = std::move(state);
    if (record.levels) levels_ = std::move(*record.levels);
    if (record.coordSystems) coordSystems_ = std::move(*record.coordSystems);
    if (record.macroOrder) restoreOrder(*record.macroOrder, macros_, record.erasedMacros);
    if (record.profileOrder) restoreOrder(*record.profileOrder, profiles_, record.erasedProfiles);
    return true;
}

void Drawing::recordWrite(const Zrk_DbMacro& macro) {
    if (undoRecords_.empty()) return;
    undoRecords_.back().macros.try_emplace(macro.objectId().handle(), *macro.macro());
}

void Drawing::recordWrite(const Zrk_DbProfile& profile) {
    if (undoRecords_.empty()) return;
    undoRecords_.back().profiles.try_emplace(profile.objectId().handle(), *profile.profile());
}

void Drawing::recordOrder() {
    if (undoRecords_.empty()) return;
    UndoRecord& record = undoRecords_.back();
    if (!record.macroOrder) {
        record.macroOrder.emplace();
        for (const auto& macro : macros_)
            record.macroOrder->push_back(macro.get());
    }
    if (!record.profileOrder) {
        record.profileOrder.emplace();
        for (const auto& profile : profiles_)
            record.profileOrder->push_back(profile.get());
    }
}

} // namespace core
