#pragma once
// The pool of hidden standards host dialogs behind StartDlgStandardsSS. An evaluation takes a dialog
// that is not in use (or a new one when all are) and releases it when it ends; a child evaluation runs
// while its caller's dialog is still in use, so each nesting level has a dialog of its own. The pool
// keeps its largest size until the module goes.

#include "core/zrk_string.h"
#include "host/acad.h"
#include "module/export.h"

class KvStandardsHostDlg;

class SS_EXPORT KvSSDlgsMgr {
public:
    KvSSDlgsMgr();
    // A dialog belongs to one pool: a copy starts empty, and assigning a pool keeps the dialogs this
    // one has (two pools destroying the same dialogs would destroy them twice).
    KvSSDlgsMgr(const KvSSDlgsMgr&);
    KvSSDlgsMgr& operator=(const KvSSDlgsMgr&);
    // Destroys every dialog.
    virtual ~KvSSDlgsMgr();

    // The first dialog not in use, now in use; when all are, a new host dialog (owned by the host's
    // main window, created from template 253 without being shown), in use. Null when it cannot be
    // made.
    KvStandardsHostDlg* getDlg();
    // The dialog is free again (and stays alive for the next evaluation); unknown dialog: eInvalidInput.
    Acad::ErrorStatus releaseDlg(KvStandardsHostDlg* dialog);

    // A dialog taken for as long as the lease lives, released on every way out of its scope; a lease
    // taken while another is held gets another dialog, so nested evaluations each have their own.
    class Lease {
    public:
        explicit Lease(KvSSDlgsMgr& pool) : pool_(pool), dialog_(pool.getDlg()) {}
        ~Lease() {
            if (dialog_) pool_.releaseDlg(dialog_);
        }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        // Null when no dialog could be made.
        KvStandardsHostDlg* get() const { return dialog_; }
        explicit operator bool() const { return dialog_ != nullptr; }
        KvStandardsHostDlg& operator*() const { return *dialog_; }
        KvStandardsHostDlg* operator->() const { return dialog_; }

    private:
        KvSSDlgsMgr& pool_;
        KvStandardsHostDlg* dialog_;
    };
    // Destroys the dialogs, the last first, and empties the pool.
    void destroyAll();

    int dialogCount() const { return static_cast<int>(dialogs_.length()); }
    bool isInUse(int index) const { return inUse_.isValid(index) && inUse_[index] != 0; }

private:
    Acad::ErrorStatus destroyDlg(int index);

    Zrk_Array<KvStandardsHostDlg*> dialogs_;
    Zrk_Array<int> inUse_; // 1 in use, 0 free
};

SS_EXPORT extern KvSSDlgsMgr gSSDlgsMgr;
