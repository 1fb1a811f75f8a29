// The module's three entry points: the library attach/detach entry, the host's message entry and the
// interface version query.

#include "core/settings.h"
#include "module/export.h"
#include "frame/modeless_dialogs.h"
#include "module/module_resources.h"
#include "module/module_state.h"
#include "frame/ss_dlgs_mgr.h"
#include "host/module_entry.h"
#include "host/registry.h"

namespace {

constexpr const char* kCommandGroup = "ZORKLAN_SS";

void initApplication(void* appId) {
    AcRxObject* found = acrxSysRegistry()->at("DynamicLinker");
    if (found && found->isKindOf(AcRxDynamicLinker::desc())) {
        auto* linker = static_cast<AcRxDynamicLinker*>(found);
        linker->unlockApplication(appId);
        linker->registerAppMDIAware(appId);
    }
    // Found through the framework's resource search: in this module, which joined its chain at attach.
    gCheckBoxCheckedBitmap.loadBitmap(8134);
    gCheckBoxUncheckedBitmap.loadBitmap(8136);
}

// The command stack's class, looked up once in the class dictionary and remembered.
const AcRxClass* commandStackClass() {
    static const AcRxClass* remembered = nullptr;
    if (!remembered) {
        AcRxObject* dictionary = acrxSysRegistry()->at("ClassDictionary");
        if (dictionary && dictionary->isKindOf(AcRxDictionary::desc())) {
            AcRxObject* entry = static_cast<AcRxDictionary*>(dictionary)->at("AcEdCommandStack");
            if (entry && entry->isKindOf(AcRxClassEntry::desc()))
                remembered = static_cast<AcRxClassEntry*>(entry)->described();
        }
    }
    return remembered;
}

void unloadApplication() {
    AcRxObject* found = acrxSysRegistry()->at("ACAD_REGISTERED_COMMANDS");
    if (found && found->isKindOf(commandStackClass()))
        static_cast<AcEdCommandStack*>(found)->removeGroup(kCommandGroup);
    DestroyAllMacroDlgs();
    EndDlgEditConstraints();
}

} // namespace

extern "C" SS_EXPORT int DllMain(void* instance, unsigned long reason, void* /*reserved*/) {
    if (reason == host::kProcessAttach) {
        frame::setModuleInstance(instance);
        frame::resourceOverride().SaveDefaultResource(instance);
        // Join the windowing framework's chain of libraries, so that its resource search finds this
        // module's templates and pictures; the load is refused when that fails.
        frame::moduleResources().setPictureFolder(core::resourceFolder());
        if (!ui::initExtensionModule(instance, frame::moduleResources())) return 0;
    } else if (reason == host::kProcessDetach) {
        // The module's static data goes with it: the pool's hidden standards dialogs first.
        gSSDlgsMgr.destroyAll();
        ui::terminateExtensionModule(instance);
        gCheckBoxCheckedBitmap.deleteObject();
        gCheckBoxUncheckedBitmap.deleteObject();
    }
    return 1;
}

extern "C" SS_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId) {
    switch (message) {
    case AcRx::kInitAppMsg: initApplication(appId); break;
    case AcRx::kUnloadAppMsg: unloadApplication(); break;
    default: break;
    }
    return AcRx::kRetOK;
}

extern "C" SS_EXPORT int acrxGetApiVersion() { return host::kApiVersion; }
