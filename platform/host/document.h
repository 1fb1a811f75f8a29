#pragma once
// The drawing the host has open, and the host's transactions over it.
//
// A transaction is an undo record of the drawing (core::Drawing): what is written through it (or
// through Zrk_DbMacro::macroWrite while it is open) is kept when it ends and put back when it is
// aborted. Transactions nest; only the innermost one ends or aborts. A drawing is not opened, closed
// or saved while a transaction is active.
//
// Each outermost transaction that changed the drawing is a step of its history, which the person
// undoes and redoes (Document::undo, redo). Whoever shows the drawing listens for changes
// (Document::setChangeListener): it hears after every outermost transaction, undo, redo, open and
// close, whoever started them (a dialog, the standards engine, the window itself).

#include <functional>
#include <memory>
#include <vector>

#include "core/drawing.h"
#include "host/acad.h"

namespace host {
enum class OpenMode { forRead, forWrite };
class Document;
} // namespace host

class AcTransaction {
public:
    explicit AcTransaction(host::Document& document) : document_(document) {}
    AcTransaction(const AcTransaction&) = delete;
    AcTransaction& operator=(const AcTransaction&) = delete;

    // The macro with that id, opened for reading or writing. eNullObjectId for the null id,
    // eKeyNotFound when the drawing has no such macro, eNotApplicable when this is not the innermost
    // transaction (an outer transaction cannot record a write any more).
    Acad::ErrorStatus getObject(Zrk_DbMacro*& macro, AcDbObjectId id, host::OpenMode mode = host::OpenMode::forRead);
    host::Document& document() const { return document_; }

private:
    host::Document& document_;
};

namespace host {

class TransactionManager {
public:
    explicit TransactionManager(Document& document) : document_(document) {}
    TransactionManager(const TransactionManager&) = delete;
    TransactionManager& operator=(const TransactionManager&) = delete;

    // Null when no drawing is open.
    AcTransaction* startTransaction();
    // Keeps the innermost transaction's changes; eNotApplicable when none is active.
    Acad::ErrorStatus endTransaction();
    // Puts back what the innermost transaction changed; eNotApplicable when none is active.
    Acad::ErrorStatus abortTransaction();
    int numActiveTransactions() const { return static_cast<int>(active_.size()); }
    AcTransaction* topTransaction() const { return active_.empty() ? nullptr : active_.back().get(); }

private:
    void finished();

    Document& document_;
    std::vector<std::unique_ptr<AcTransaction>> active_;
};

class Document {
public:
    Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // The drawing the host shows (the one the module's callers work on).
    static Document& current();

    // Opens a drawing file in place of the open one. False, with a message naming the file and the
    // fault, when the file cannot be read or is not a valid drawing, or a transaction is active; the
    // open drawing then stays as it was.
    bool open(const Zrk_String& path, Zrk_String& message);
    // Starts an empty drawing that will be saved to path.
    bool create(const Zrk_String& path, Zrk_String& message);
    // Writes the drawing to its file (atomically), or to another one that it then belongs to.
    bool save(Zrk_String& message);
    bool saveAs(const Zrk_String& path, Zrk_String& message);
    // Closes the drawing without saving. False while a transaction is active.
    bool close();

    // Puts back the last transaction that changed the drawing, or makes the last one undone again.
    // False, with the reason, while a transaction is active or when there is nothing to undo or redo.
    bool undo(Zrk_String& message);
    bool redo(Zrk_String& message);

    // Called after anything that may have changed the drawing (see above); null removes it.
    using ChangeListener = std::function<void()>;
    void setChangeListener(ChangeListener listener) { listener_ = std::move(listener); }
    void notifyChanged() const {
        if (listener_) listener_();
    }

    bool isOpen() const { return open_; }
    const Zrk_String& path() const { return path_; }
    core::Drawing& database() { return drawing_; }
    TransactionManager& transactionManager() { return transactions_; }

private:
    bool busy(const Zrk_String& what, Zrk_String& message) const;

    core::Drawing drawing_;
    TransactionManager transactions_;
    Zrk_String path_;
    bool open_ = false;
    ChangeListener listener_;
};

} // namespace host
