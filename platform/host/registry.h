#pragma once
// The host's system registry: a dictionary of named service objects, each an AcRxObject that knows its
// class. A module looks a service up by key and uses it only when it is of the expected class.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "host/acad.h"

class AcRxClass {
public:
    AcRxClass(std::string name, const AcRxClass* parent) : name_(std::move(name)), parent_(parent) {}
    const std::string& name() const { return name_; }
    bool isDerivedFrom(const AcRxClass* other) const;

private:
    std::string name_;
    const AcRxClass* parent_;
};

class AcRxObject {
public:
    virtual ~AcRxObject() = default;
    static AcRxClass* desc();
    virtual const AcRxClass* isA() const { return desc(); }
    bool isKindOf(const AcRxClass* someClass) const { return someClass && isA()->isDerivedFrom(someClass); }
};

// A dictionary of named objects. It does not own what it holds.
class AcRxDictionary : public AcRxObject {
public:
    static AcRxClass* desc();
    const AcRxClass* isA() const override { return desc(); }

    AcRxObject* at(const std::string& key) const;
    void atPut(const std::string& key, AcRxObject* object);
    bool remove(const std::string& key);

private:
    std::map<std::string, AcRxObject*> entries_;
};

// A class descriptor as an entry of the class dictionary.
class AcRxClassEntry : public AcRxObject {
public:
    explicit AcRxClassEntry(const AcRxClass* described) : described_(described) {}
    static AcRxClass* desc();
    const AcRxClass* isA() const override { return desc(); }
    const AcRxClass* described() const { return described_; }

private:
    const AcRxClass* described_;
};

// Loads and unloads applications; an application is locked (cannot be unloaded) until it unlocks itself.
class AcRxDynamicLinker : public AcRxObject {
public:
    static AcRxClass* desc();
    const AcRxClass* isA() const override { return desc(); }

    bool unlockApplication(const void* appId);
    bool registerAppMDIAware(const void* appId);
    bool isApplicationLocked(const void* appId) const { return !unlocked_.count(appId); }
    bool isAppMDIAware(const void* appId) const { return mdiAware_.count(appId) > 0; }
    // The loader names each application it loads, for the trace; forget drops what is known of one.
    void addApplication(const void* appId, const std::string& name);
    std::string applicationName(const void* appId) const;
    void forget(const void* appId);

private:
    std::map<const void*, std::string> names_;
    std::set<const void*> unlocked_;
    std::set<const void*> mdiAware_;
};

// The registered commands of the editor, by group.
class AcEdCommandStack : public AcRxObject {
public:
    static AcRxClass* desc();
    const AcRxClass* isA() const override { return desc(); }

    Acad::ErrorStatus addCommand(const std::string& group, const std::string& command);
    // eKeyNotFound when the group has no command.
    Acad::ErrorStatus removeGroup(const std::string& group);
    bool hasGroup(const std::string& group) const { return groups_.count(group) > 0; }

private:
    std::map<std::string, std::vector<std::string>> groups_;
};

// The system registry of the running host: "DynamicLinker", "ACAD_REGISTERED_COMMANDS" and the class
// dictionary "ClassDictionary".
AcRxDictionary* acrxSysRegistry();
// The class dictionary (the "ClassDictionary" entry of the system registry).
AcRxDictionary* acrxClassDictionary();

namespace host {
// The host's own service objects behind the registry keys.
AcRxDynamicLinker& dynamicLinker();
AcEdCommandStack& commandStack();
// The trace of what the host's services saw ("unlocked", "registered as MDI-aware", "group removed"...).
std::vector<std::string>& hostTrace();
} // namespace host
