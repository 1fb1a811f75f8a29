#include "standards/library_files.h"

#include "core/files.h"
#include "core/text.h"

namespace standards {

bool findAsWritten(const Zrk_String& name, Zrk_String& found) {
    const Zrk_String written = normalizePath(name);
    if (written.empty()) return false;
    if (fileExists(written)) {
        found = written;
        return true;
    }
    return written.find('/') != Zrk_String::npos && findFileIgnoringCase(written, found);
}

bool findInFolders(const Zrk_String& name, std::initializer_list<Zrk_String> folders, Zrk_String& found) {
    const Zrk_String relative = ensureNoStartBSlash(normalizePath(name));
    if (relative.empty()) return false;
    for (const Zrk_String& folder : folders)
        if (!folder.empty() && findFileIgnoringCase(folder + relative, found)) return true;
    return false;
}

bool findLibraryFile(const Zrk_String& name, std::initializer_list<Zrk_String> folders, Zrk_String& found) {
    return findAsWritten(name, found) || findInFolders(name, folders, found);
}

} // namespace standards
