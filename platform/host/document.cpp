#include "host/document.h"

// --- transactions ------------------------------------------------------------------------------

Acad::ErrorStatus AcTransaction::getObject(Zrk_DbMacro*& macro, AcDbObjectId id, host::OpenMode mode) {
    if (id.isNull()) return Acad::eNullObjectId;
    if (document_.transactionManager().topTransaction() != this) return Acad::eNotApplicable;
    Zrk_DbMacro* found = document_.database().findMacro(id);
    if (!found) return Acad::eKeyNotFound;
    if (mode == host::OpenMode::forWrite) found->macroWrite(); // records the state to go back to
    macro = found;
    return Acad::eOk;
}

namespace host {

AcTransaction* TransactionManager::startTransaction() {
    if (!document_.isOpen()) return nullptr;
    document_.database().beginUndoRecord();
    active_.push_back(std::make_unique<AcTransaction>(document_));
    return active_.back().get();
}

Acad::ErrorStatus TransactionManager::endTransaction() {
    if (active_.empty()) return Acad::eNotApplicable;
    document_.database().endUndoRecord(true);
    active_.pop_back();
    finished();
    return Acad::eOk;
}

Acad::ErrorStatus TransactionManager::abortTransaction() {
    if (active_.empty()) return Acad::eNotApplicable;
    document_.database().endUndoRecord(false);
    active_.pop_back();
    finished();
    return Acad::eOk;
}

void TransactionManager::finished() {
    if (active_.empty()) document_.notifyChanged();
}

// --- the open drawing --------------------------------------------------------------------------

Document::Document() : transactions_(*this) {}

Document& Document::current() {
    static Document document;
    // The core library's operations on "the drawing" work on the one the host shows.
    static const bool installed = (core::setWorkingDrawing(&document.database()), true);
    (void)installed;
    return document;
}

bool Document::busy(const Zrk_String& what, Zrk_String& message) const {
    if (!open_ || transactions_.numActiveTransactions() == 0) return false;
    message = path_ + ": the drawing cannot be " + what + " while a transaction is active";
    return true;
}

bool Document::open(const Zrk_String& path, Zrk_String& message) {
    if (busy("replaced", message)) return false;
    if (!drawing_.readFromFile(path, &message)) return false;
    path_ = path;
    open_ = true;
    notifyChanged();
    return true;
}

bool Document::create(const Zrk_String& path, Zrk_String& message) {
    if (busy("replaced", message)) return false;
    drawing_.fromText("{\"format\": \"ss-drawing\", \"version\": 2, \"macros\": []}", path, &message);
    path_ = path;
    open_ = true;
    notifyChanged();
    return true;
}

bool Document::save(Zrk_String& message) {
    return saveAs(path_, message);
}

bool Document::saveAs(const Zrk_String& path, Zrk_String& message) {
    if (!open_) {
        message = "no drawing is open";
        return false;
    }
    if (busy("saved", message)) return false;
    if (!drawing_.writeToFile(path, &message)) return false;
    path_ = path;
    return true;
}

bool Document::close() {
    Zrk_String message;
    if (busy("closed", message)) return false;
    drawing_.clear();
    path_.clear();
    open_ = false;
    notifyChanged();
    return true;
}

bool Document::undo(Zrk_String& message) {
    if (busy("undone", message)) return false;
    if (!open_ || !drawing_.undo()) {
        message = "there is nothing to undo";
        return false;
    }
    notifyChanged();
    return true;
}

bool Document::redo(Zrk_String& message) {
    if (busy("redone", message)) return false;
    if (!open_ || !drawing_.redo()) {
        message = "there is nothing to redo";
        return false;
    }
    notifyChanged();
    return true;
}

} // namespace host
