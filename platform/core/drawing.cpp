#include "core/drawing.h"

#include "core/files.h"

namespace core {

Drawing::Drawing() = default;
Drawing::~Drawing() = default;

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
    std::vector<DrawingMacroRecord> records;
    if (!parseDrawingText(utf8, fileName, records, message)) return false;
    std::int64_t next = 1;
    for (const DrawingMacroRecord& record : records) next = std::max(next, record.id + 1);
    std::vector<std::unique_ptr<Zrk_DbMacro>> macros;
    for (DrawingMacroRecord& record : records) {
        const std::int64_t handle = record.id > 0 ? record.id : next++;
        auto macro = std::make_unique<Zrk_DbMacro>(std::move(record.macro), AcDbObjectId(handle));
        macro->database_ = this;
        macros.push_back(std::move(macro));
    }
    macros_ = std::move(macros);
    nextHandle_ = next;
    markSaved();
    return true;
}

std::string Drawing::toText() const {
    std::vector<DrawingMacroRecord> records;
    records.reserve(macros_.size());
    for (const auto& macro : macros_) records.push_back({macro->objectId().handle(), *macro->macro()});
    return drawingText(records);
}

bool Drawing::writeToFile(const Zrk_String& path, Zrk_String* message) {
    if (!undoRecords_.empty()) {
        if (message) *message = path + ": the drawing cannot be saved while a transaction is open";
        return false;
    }
    if (!writeFileAtomically(path, toText())) {
        if (message) *message = path + ": the drawing file cannot be written";
        return false;
    }
    markSaved();
    return true;
}

Zrk_DbMacro* Drawing::macroAt(int index) {
    return (index >= 0 && index < macroCount()) ? macros_[static_cast<std::size_t>(index)].get() : nullptr;
}

Zrk_DbMacro* Drawing::findMacro(AcDbObjectId id) {
    for (const auto& macro : macros_)
        if (macro->objectId() == id) return macro.get();
    return nullptr;
}

Zrk_DbMacro* Drawing::findMacroByName(const Zrk_String& name) {
    for (const auto& macro : macros_)
        if (macro->macro()->name == name) return macro.get();
    return nullptr;
}

Zrk_DbMacro* Drawing::addMacro(Zrk_Macro macro) {
    auto added = std::make_unique<Zrk_DbMacro>(std::move(macro), AcDbObjectId(nextHandle_++));
    added->database_ = this;
    macros_.push_back(std::move(added));
    return macros_.back().get();
}

bool Drawing::clear() {
    if (!undoRecords_.empty()) return false;
    macros_.clear();
    return true;
}

bool Drawing::isModified() const {
    if (saved_.size() != macros_.size()) return true;
    for (std::size_t i = 0; i < macros_.size(); ++i)
        if (saved_[i].first != macros_[i]->objectId() || !(saved_[i].second == *macros_[i]->macro())) return true;
    return false;
}

void Drawing::markSaved() {
    saved_.clear();
    saved_.reserve(macros_.size());
    for (const auto& macro : macros_) saved_.emplace_back(macro->objectId(), *macro->macro());
}

void Drawing::beginUndoRecord() { undoRecords_.emplace_back(); }

bool Drawing::endUndoRecord(bool keep) {
    if (undoRecords_.empty()) return false;
    std::map<std::int64_t, Zrk_Macro> record = std::move(undoRecords_.back());
    undoRecords_.pop_back();
    if (keep) {
        // The outer record keeps its own, older copy of a macro both have seen.
        if (!undoRecords_.empty())
            for (auto& [handle, state] : record) undoRecords_.back().try_emplace(handle, std::move(state));
        return true;
    }
    for (auto& [handle, state] : record)
        if (Zrk_DbMacro* macro = findMacro(AcDbObjectId(handle))) macro->macro_ = std::move(state);
    return true;
}

void Drawing::recordWrite(const Zrk_DbMacro& macro) {
    if (undoRecords_.empty()) return;
    undoRecords_.back().try_emplace(macro.objectId().handle(), *macro.macro());
}

} // namespace core
