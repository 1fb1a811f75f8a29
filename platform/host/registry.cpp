#include "host/registry.h"


bool AcRxClass::isDerivedFrom(const AcRxClass* other) const {
    for (const AcRxClass* c = this; c; c = c->parent_)
        if (c == other) return true;
    return false;
}

AcRxClass* AcRxObject::desc() {
    static AcRxClass c("AcRxObject", nullptr);
    return &c;
}
AcRxClass* AcRxDictionary::desc() {
    static AcRxClass c("AcRxDictionary", AcRxObject::desc());
    return &c;
}
AcRxClass* AcRxClassEntry::desc() {
    static AcRxClass c("AcRxClass", AcRxObject::desc());
    return &c;
}
AcRxClass* AcRxDynamicLinker::desc() {
    static AcRxClass c("AcRxDynamicLinker", AcRxObject::desc());
    return &c;
}
AcRxClass* AcEdCommandStack::desc() {
    static AcRxClass c("AcEdCommandStack", AcRxObject::desc());
    return &c;
}

AcRxObject* AcRxDictionary::at(const std::string& key) const {
    auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : it->second;
}

void AcRxDictionary::atPut(const std::string& key, AcRxObject* object) { entries_[key] = object; }

bool AcRxDictionary::remove(const std::string& key) { return entries_.erase(key) > 0; }

namespace host {
std::vector<std::string>& hostTrace() {
    static std::vector<std::string> trace;
    return trace;
}
} // namespace host

std::string AcRxDynamicLinker::applicationName(const void* appId) const {
    auto it = names_.find(appId);
    return it == names_.end() ? std::string("(unknown)") : it->second;
}

bool AcRxDynamicLinker::unlockApplication(const void* appId) {
    unlocked_.insert(appId);
    host::hostTrace().push_back("dynamic linker: application " + applicationName(appId) + " unlocked");
    return true;
}

bool AcRxDynamicLinker::registerAppMDIAware(const void* appId) {
    mdiAware_.insert(appId);
    host::hostTrace().push_back("dynamic linker: application " + applicationName(appId) +
                                   " registered as MDI-aware");
    return true;
}

void AcRxDynamicLinker::addApplication(const void* appId, const std::string& name) { names_[appId] = name; }

void AcRxDynamicLinker::forget(const void* appId) {
    unlocked_.erase(appId);
    mdiAware_.erase(appId);
    names_.erase(appId);
}

Acad::ErrorStatus AcEdCommandStack::addCommand(const std::string& group, const std::string& command) {
    groups_[group].push_back(command);
    return Acad::eOk;
}

Acad::ErrorStatus AcEdCommandStack::removeGroup(const std::string& group) {
    if (groups_.erase(group) == 0) {
        host::hostTrace().push_back("command stack: no group \"" + group + "\" to remove");
        return Acad::eKeyNotFound;
    }
    host::hostTrace().push_back("command stack: group \"" + group + "\" removed");
    return Acad::eOk;
}

namespace host {
AcRxDynamicLinker& dynamicLinker() {
    static AcRxDynamicLinker linker;
    return linker;
}
AcEdCommandStack& commandStack() {
    static AcEdCommandStack stack;
    return stack;
}
} // namespace host

AcRxDictionary* acrxClassDictionary() {
    static AcRxClassEntry commandStackClass(AcEdCommandStack::desc());
    static AcRxClassEntry linkerClass(AcRxDynamicLinker::desc());
    static AcRxDictionary dictionary = [] {
        AcRxDictionary d;
        d.atPut("AcEdCommandStack", &commandStackClass);
        d.atPut("AcRxDynamicLinker", &linkerClass);
        return d;
    }();
    return &dictionary;
}

AcRxDictionary* acrxSysRegistry() {
    static AcRxDictionary registry = [] {
        AcRxDictionary r;
        r.atPut("DynamicLinker", &host::dynamicLinker());
        r.atPut("ACAD_REGISTERED_COMMANDS", &host::commandStack());
        r.atPut("ClassDictionary", acrxClassDictionary());
        return r;
    }();
    return &registry;
}
