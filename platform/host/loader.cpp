#include "host/loader.h"

#include <dlfcn.h>

#include "host/module_entry.h"
#include "host/registry.h"

namespace host {
namespace {

void trace(const std::string& line) { hostTrace().push_back("loader: " + line); }

template <typename Function> Function entry(void* handle, const char* name) {
    return reinterpret_cast<Function>(dlsym(handle, name));
}

} // namespace

ApplicationLoader::~ApplicationLoader() {
    std::string ignored;
    if (isLoaded()) unload(ignored);
}

void* ApplicationLoader::symbol(const char* name) const { return handle_ ? dlsym(handle_, name) : nullptr; }

void ApplicationLoader::close() {
    dynamicLinker().forget(handle_);
    dlclose(handle_);
    trace("library " + path_ + " unmapped");
    handle_ = nullptr;
    path_.clear();
}

bool ApplicationLoader::load(const std::string& path, std::string& error) {
    if (isLoaded()) {
        error = "A module is already loaded: " + path_;
        return false;
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        error = "Cannot load the module " + path + ": " + (reason ? reason : "unknown reason");
        return false;
    }
    handle_ = handle;
    path_ = path;
    trace("library " + path + " mapped");

    const auto attach = entry<AttachEntry>(handle, kAttachEntryName);
    const auto version = entry<ApiVersionEntry>(handle, kApiVersionEntryName);
    const auto message = entry<MessageEntry>(handle, kMessageEntryName);
    if (!attach || !version || !message) {
        error = "The module " + path + " is not a plug-in of this host: it lacks the entry " +
                (!attach ? kAttachEntryName : !version ? kApiVersionEntryName : kMessageEntryName) + ".";
        close();
        return false;
    }
    if (!attach(handle, kProcessAttach, nullptr)) {
        trace("attach refused");
        error = "The module " + path + " refused to load.";
        close();
        return false;
    }
    trace("attached");
    const int answered = version();
    if (answered != kApiVersion) {
        error = "The module " + path + " was built for plug-in interface " + std::to_string(answered) +
                "; this host needs " + std::to_string(kApiVersion) + ".";
        attach(handle, kProcessDetach, nullptr);
        trace("detached");
        close();
        return false;
    }
    trace("interface version " + std::to_string(answered) + " accepted");
    dynamicLinker().addApplication(handle, path.substr(path.rfind('/') + 1));
    message(AcRx::kInitAppMsg, handle);
    trace("initialisation message sent");
    return true;
}

bool ApplicationLoader::unload(std::string& error) {
    if (!isLoaded()) {
        error = "No module is loaded.";
        return false;
    }
    if (dynamicLinker().isApplicationLocked(handle_)) {
        error = "The module " + path_ + " is locked and cannot be unloaded.";
        trace("unload refused: the application is locked");
        return false;
    }
    if (const auto message = entry<MessageEntry>(handle_, kMessageEntryName)) {
        message(AcRx::kUnloadAppMsg, handle_);
        trace("unload message sent");
    }
    if (const auto attach = entry<AttachEntry>(handle_, kAttachEntryName)) {
        attach(handle_, kProcessDetach, nullptr);
        trace("detached");
    }
    close();
    return true;
}

} // namespace host
