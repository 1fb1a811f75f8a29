#include "frame/ss_dlgs_mgr.h"

#include <QCoreApplication>

#include "standards/standards_host_dlg.h"
#include "ui/dialog.h"

KvSSDlgsMgr gSSDlgsMgr;

KvSSDlgsMgr::KvSSDlgsMgr() = default;

KvSSDlgsMgr::KvSSDlgsMgr(const KvSSDlgsMgr&) {}

KvSSDlgsMgr& KvSSDlgsMgr::operator=(const KvSSDlgsMgr&) { return *this; }

KvSSDlgsMgr::~KvSSDlgsMgr() {
    // Windows outlive nothing once the windowing framework has gone (at the very end of a program):
    // then they are left to the operating system.
    if (QCoreApplication::instance()) destroyAll();
}

KvStandardsHostDlg* KvSSDlgsMgr::getDlg() {
    for (int i = 0; i < dialogs_.length(); ++i) {
        if (!inUse_[i] && dialogs_[i]) {
            inUse_[i] = 1;
            return dialogs_[i];
        }
    }
    auto* dialog = new KvStandardsHostDlg(ui::mainWindow());
    if (!dialog->create(ui::mainWindow())) {
        delete dialog;
        return nullptr;
    }
    dialogs_.append(dialog);
    inUse_.append(1);
    return dialog;
}

Acad::ErrorStatus KvSSDlgsMgr::releaseDlg(KvStandardsHostDlg* dialog) {
    const int index = dialogs_.find(dialog);
    if (index < 0 || !dialog) return Acad::eInvalidInput;
    inUse_[index] = 0;
    return Acad::eOk;
}

void KvSSDlgsMgr::destroyAll() {
    for (int i = dialogs_.length() - 1; i >= 0; --i) destroyDlg(i);
    dialogs_.removeAll();
    inUse_.removeAll();
}

Acad::ErrorStatus KvSSDlgsMgr::destroyDlg(int index) {
    if (!dialogs_.isValid(index) || !dialogs_[index]) return Acad::eInvalidInput;
    KvStandardsHostDlg* dialog = dialogs_[index];
    dialog->destroyWindow();
    delete dialog;
    dialogs_.removeAt(index);
    if (inUse_.isValid(index)) inUse_.removeAt(index);
    return Acad::eOk;
}
