#pragma once
// The application loader: does with a module library what the operating system and the host do with a
// plug-in. Loading maps the library, calls its attach entry (which may refuse), checks the interface
// version it answers and sends it the initialisation message; unloading sends the unload message,
// calls the detach entry and unmaps the library. Every step is written to the host trace.

#include <string>

namespace host {

class ApplicationLoader {
public:
    ApplicationLoader() = default;
    ~ApplicationLoader();
    ApplicationLoader(const ApplicationLoader&) = delete;
    ApplicationLoader& operator=(const ApplicationLoader&) = delete;

    // False with a message for the user when the library is missing, lacks an entry, refuses to
    // attach, or speaks another interface version; nothing stays loaded then.
    bool load(const std::string& path, std::string& error);
    // False when nothing is loaded, or when the module has not unlocked itself.
    bool unload(std::string& error);

    bool isLoaded() const { return handle_ != nullptr; }
    const std::string& path() const { return path_; }
    // The loaded library's handle, which is also its application id.
    void* handle() const { return handle_; }
    // An exported symbol of the loaded module, or null.
    void* symbol(const char* name) const;

private:
    void close();

    void* handle_ = nullptr;
    std::string path_;
};

} // namespace host
