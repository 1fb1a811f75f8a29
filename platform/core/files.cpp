#include "core/files.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unordered_map>
#include <vector>
#include <unistd.h>

#include "core/codepage.h"
#include "core/text.h"

namespace fs = std::filesystem;

namespace {

// Module text is Windows-1252; the file system speaks UTF-8. Paths cross that edge here only.
std::string os(const Zrk_String& path) { return core::osPath(path); }
Zrk_String fromOs(const fs::path& path) { return core::fromOsPath(path.string()); }

// What a FileLookScope saw is forgotten when the function that changes files returns.
void forgetLooks();
struct ForgetLooksOnReturn {
    ForgetLooksOnReturn() = default;
    ForgetLooksOnReturn(const ForgetLooksOnReturn&) = delete;
    ForgetLooksOnReturn& operator=(const ForgetLooksOnReturn&) = delete;
    ~ForgetLooksOnReturn() { forgetLooks(); }
};

bool matchesPattern(const char* pattern, const char* name) {
    // Iterative wildcard match with back-tracking to the last '*'.
    const char* star = nullptr;
    const char* resume = nullptr;
    auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    while (*name) {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?' || (*pattern && fold(*pattern) == fold(*name))) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*') ++pattern;
    return *pattern == '\0';
}

} // namespace

namespace core {
std::string osPath(const Zrk_String& path) { return toUtf8(path); }
Zrk_String fromOsPath(const std::string& path) { return fromUtf8(path); }
} // namespace core

namespace {

// The system's reason for the last failed call, in its words ("No space left on device").
Zrk_String systemReason(int error) { return core::fromOsPath(std::generic_category().message(error)); }

bool failWith(Zrk_String* message, const Zrk_String& text) {
    if (message) *message = text;
    return false;
}

// The temporary file of a save is the target's name with a dot in front and six characters behind
// (".Plate.kvs.a1B2c3"). A save holds a lock on it until it is renamed over the target, so that a
// temporary nobody holds is a leftover of a save that was killed.
bool isTemporaryOf(const std::string& candidate, const std::string& target) {
    const std::size_t prefix = target.size() + 2;
    if (candidate.size() != prefix + 6 || candidate[0] != '.' || candidate.compare(1, target.size(), target) != 0 ||
        candidate[prefix - 1] != '.')
        return false;
    return std::all_of(candidate.begin() + static_cast<std::ptrdiff_t>(prefix), candidate.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

void removeLeftoverTemporaries(const std::string& folder, const std::string& target) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        if (!isTemporaryOf(entry->d_name, target)) continue;
        const std::string path = folder + entry->d_name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) continue;
        struct stat opened {}, named {};
        // Unlinked only when no save holds it and the name still means the file that was locked.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
            ::lstat(path.c_str(), &named) == 0 && named.st_ino == opened.st_ino && named.st_dev == opened.st_dev)
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

// Makes the temporary file of a save and locks it. A leftover-remover of another save may have
// taken the name away between the two; then another name is tried.
int makeLockedTemporary(const std::string& pattern, std::vector<char>& name, int& error) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        name.assign(pattern.begin(), pattern.end());
        name.push_back('\0');
        const int fd = ::mkstemp(name.data());
        if (fd < 0) {
            error = errno;
            return -1;
        }
        struct stat opened {}, named {};
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &opened) == 0 && ::lstat(name.data(), &named) == 0 &&
            named.st_ino == opened.st_ino && named.st_dev == opened.st_dev)
            return fd;
        ::close(fd);
    }
    error = EAGAIN;
    return -1;
}

// The folder's entry of a renamed file reaches the disk only with the folder itself.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd); // the file is in place either way; some file systems cannot sync a folder
    ::close(fd);
}

} // namespace

bool readFileBytes(const Zrk_String& path, std::string& bytes, Zrk_String* message) {
    if (folderExists(path)) return failWith(message, path + " is a folder, not a file.");
    std::ifstream in(os(path), std::ios::binary);
    if (!in) return failWith(message, path + ": the file cannot be read: " + systemReason(errno) + ".");
    // A file of known size is read at once (a large drawing would otherwise grow the text many
    // times); what a file of unknown size holds (a pipe), or gained meanwhile, is read after.
    std::string content;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.clear();
    in.seekg(0, std::ios::beg);
    in.clear();
    if (size > 0) {
        content.resize(static_cast<std::size_t>(size));
        in.read(content.data(), static_cast<std::streamsize>(size));
        content.resize(static_cast<std::size_t>(in.gcount()));
        if (!in.bad()) in.clear();
    }
    if (!in.bad()) content.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return failWith(message, path + ": the file cannot be read: " + systemReason(errno) + ".");
    bytes = std::move(content);
    return true;
}

bool writeFileAtomically(const Zrk_String& path, const std::string& bytes, Zrk_String* message) {
    const ForgetLooksOnReturn forget;
    if (path.empty()) return failWith(message, "No file name was given to write.");
    if (folderExists(path)) return failWith(message, path + " is a folder; it cannot be written as a file.");
    const Zrk_String folder = getPath(path);
    const std::string osFolder = os(folder.empty() ? Zrk_String("./") : folder);
    const std::string osName = os(getFileName(path));
    const auto cannot = [&](int error) {
        if (error == ENOENT && !folderExists(folder.empty() ? Zrk_String(".") : folder))
            return failWith(message, path + " cannot be written: the folder " + folder + " does not exist.");
        return failWith(message, path + " cannot be written: " + systemReason(error) + ".");
    };

    removeLeftoverTemporaries(osFolder, osName);
    std::vector<char> name;
    int error = 0;
    const int fd = makeLockedTemporary(osFolder + "." + osName + ".XXXXXX", name, error);
    if (fd < 0) return cannot(error);
    bool ok = true;
    std::size_t written = 0;
    while (ok && written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n < 0 ? errno : EIO;
            ok = false;
        } else {
            written += static_cast<std::size_t>(n);
        }
    }
    if (ok && ::fsync(fd) != 0) {
        error = errno;
        ok = false;
    }
    // New files get the usual permissions rather than mkstemp's 0600; an existing file keeps its own.
    struct stat existing {};
    const mode_t mode = (::stat(os(path).c_str(), &existing) == 0) ? (existing.st_mode & 07777) : []() {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    if (ok && ::fchmod(fd, mode) != 0) {
        error = errno;
        ok = false;
    }
    // Renamed while still locked: no leftover-remover takes it away before.
    if (ok && std::rename(name.data(), os(path).c_str()) != 0) {
        error = errno;
        ok = false;
    }
    if (!ok) ::unlink(name.data());
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (!ok) return cannot(error);
    syncFolder(osFolder);
    return true;
}

namespace core {
void splitLines(const std::string& bytes, Zrk_StringArray& lines) {
    Zrk_StringArray result;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::size_t lineEnd = end;
        if (lineEnd > start && bytes[lineEnd - 1] == '\r') --lineEnd;
        result.append(bytes.substr(start, lineEnd - start));
        start = end + 1;
    }
    lines = std::move(result);
}
} // namespace core

bool ObjectExportReadFile(const Zrk_String& path, Zrk_StringArray& lines, Zrk_String* message) {
    std::string bytes;
    if (!readFileBytes(path, bytes, message)) return false;
    core::splitLines(bytes, lines);
    return true;
}

int findNonTextLine(const Zrk_StringArray& lines) {
    for (int i = 0; i < lines.length(); ++i)
        for (const char c : lines[i])
            if (static_cast<unsigned char>(c) < 32 && c != '\t' && c != '\r') return i;
    return -1;
}

bool ObjectExportWriteFile(const Zrk_String& path, const Zrk_StringArray& lines, Zrk_String* message) {
    std::string bytes;
    for (const Zrk_String& line : lines) {
        bytes += line;
        bytes += '\n';
    }
    return writeFileAtomically(path, bytes, message);
}

bool ObjectExportFindFilesRecursive(const Zrk_String& folder, const Zrk_String& pattern, Zrk_StringArray& paths) {
    std::error_code error;
    if (!fs::is_directory(os(folder), error)) return false;
    std::vector<Zrk_String> found;
    fs::recursive_directory_iterator it(os(folder), fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        const Zrk_String name = fromOs(it->path().filename());
        if (matchesPattern(pattern.c_str(), name.c_str())) found.push_back(fromOs(it->path()));
    }
    std::sort(found.begin(), found.end());
    paths = Zrk_StringArray(std::move(found));
    return true;
}

bool ObjectExportGetFileTime(const Zrk_String& path, std::time_t& time) {
    struct stat info {};
    if (::stat(os(path).c_str(), &info) != 0) return false;
    time = info.st_mtime;
    return true;
}

bool ObjectExportCopyFile(const Zrk_String& from, const Zrk_String& to, bool overwrite) {
    std::string bytes;
    if (folderExists(from) || !readFileBytes(from, bytes)) return false;
    if (!overwrite && fileExists(to)) return false;
    return writeFileAtomically(to, bytes);
}

bool ObjectExportDeleteFile(const Zrk_String& path) {
    const ForgetLooksOnReturn forget;
    if (folderExists(path)) return false;
    return std::remove(os(path).c_str()) == 0 || errno == ENOENT;
}

bool ObjectExportRenameFile(const Zrk_String& from, const Zrk_String& to) {
    const ForgetLooksOnReturn forget;
    if (folderExists(from) || folderExists(to)) return false;
    return std::rename(os(from).c_str(), os(to).c_str()) == 0;
}

namespace {

// What the scopes of this thread have seen: the status of each path and the names in each folder.
struct Looks {
    int depth = 0;
    std::unordered_map<std::string, core::PathStatus> statuses;
    std::unordered_map<std::string, std::vector<std::string>> listings; // names as the system gives them
};
thread_local Looks gLooks;

void forgetLooks() {
    gLooks.statuses.clear();
    gLooks.listings.clear();
}

std::int64_t nanoseconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1000000000 + static_cast<std::int64_t>(time.tv_nsec);
}

core::PathStatus statusNow(const std::string& osName) {
    core::PathStatus status;
    struct stat info {};
    if (::stat(osName.c_str(), &info) != 0) return status;
    status.exists = true;
    status.regularFile = S_ISREG(info.st_mode);
    status.folder = S_ISDIR(info.st_mode);
    status.device = static_cast<std::uint64_t>(info.st_dev);
    status.inode = static_cast<std::uint64_t>(info.st_ino);
    status.size = static_cast<std::uint64_t>(info.st_size);
    status.modified = nanoseconds(info.st_mtim);
    status.changed = nanoseconds(info.st_ctim);
    return status;
}

// The names in a folder ("." for the current one); false when it cannot be listed.
bool folderNames(const std::string& osFolder, std::vector<std::string>& names) {
    if (gLooks.depth > 0) {
        if (const auto seen = gLooks.listings.find(osFolder); seen != gLooks.listings.end()) {
            names = seen->second;
            return true;
        }
    }
    names.clear();
    std::error_code error;
    fs::directory_iterator it(osFolder, error);
    if (error) return false;
    for (; !error && it != fs::directory_iterator(); it.increment(error))
        names.push_back(it->path().filename().string());
    if (gLooks.depth > 0) gLooks.listings[osFolder] = names;
    return true;
}

} // namespace

namespace core {

PathStatus pathStatus(const Zrk_String& path) {
    std::string osName = os(path);
    if (gLooks.depth == 0) return statusNow(osName);
    if (const auto seen = gLooks.statuses.find(osName); seen != gLooks.statuses.end()) return seen->second;
    const PathStatus status = statusNow(osName);
    gLooks.statuses.emplace(std::move(osName), status);
    return status;
}

PathStatus freshPathStatus(const Zrk_String& path) {
    std::string osName = os(path);
    const PathStatus status = statusNow(osName);
    if (gLooks.depth > 0) gLooks.statuses[std::move(osName)] = status;
    return status;
}

FileLookScope::FileLookScope() { ++gLooks.depth; }

FileLookScope::~FileLookScope() {
    if (--gLooks.depth == 0) forgetLooks();
}

} // namespace core

bool fileExists(const Zrk_String& path) {
    return core::pathStatus(path).regularFile;
}

bool folderExists(const Zrk_String& path) {
    return !path.empty() && core::pathStatus(path).folder;
}

bool ensureFolder(const Zrk_String& folder) {
    const ForgetLooksOnReturn forget;
    if (folder.empty() || folderExists(folder)) return !folder.empty();
    std::error_code error;
    fs::create_directories(os(folder), error);
    forgetLooks(); // the folder as it is now, not as a scope saw it before
    return folderExists(folder);
}

Zrk_String normalizePath(Zrk_String path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

Zrk_String changeExtension(const Zrk_String& path, const Zrk_String& extension) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    Zrk_String stem = (dot != Zrk_String::npos && (slash == Zrk_String::npos || dot > slash)) ? path.substr(0, dot) : path;
    Zrk_String ext = extension;
    if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
    return ext.empty() ? stem : stem + "." + ext;
}

Zrk_String getPath(const Zrk_String& path) {
    const std::size_t slash = path.rfind('/');
    return slash == Zrk_String::npos ? Zrk_String() : path.substr(0, slash + 1);
}

Zrk_String getFileName(const Zrk_String& path, bool withExtension) {
    const std::size_t slash = path.rfind('/');
    Zrk_String name = slash == Zrk_String::npos ? path : path.substr(slash + 1);
    if (!withExtension) {
        const std::size_t dot = name.rfind('.');
        if (dot != Zrk_String::npos && dot > 0) name.erase(dot);
    }
    return name;
}

Zrk_String getExtension(const Zrk_String& path) {
    const Zrk_String name = getFileName(path);
    const std::size_t dot = name.rfind('.');
    return (dot == Zrk_String::npos || dot == 0) ? Zrk_String() : name.substr(dot + 1);
}

Zrk_String ensureNoStartBSlash(const Zrk_String& text) {
    const std::size_t start = text.find_first_not_of("/\\");
    return start == Zrk_String::npos ? Zrk_String() : text.substr(start);
}

Zrk_String ensureEndSlash(const Zrk_String& folder) {
    if (folder.empty() || folder.back() == '/') return folder;
    return folder + "/";
}

bool hasInvalidFileNameChars(const Zrk_String& name) {
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 32) return true;
        if (Zrk_String("\\/:*?\"<>|").find(c) != Zrk_String::npos) return true;
    }
    return false;
}

bool isValidGroupFileName(const Zrk_String& name, Zrk_String* reason) {
    // Longer names make file names that file systems refuse.
    constexpr std::size_t kMaxName = 200;
    const Zrk_String quotedName = "\"" + name + "\"";
    Zrk_String why;
    if (name.empty())
        why = "A group needs a name.";
    else if (hasInvalidFileNameChars(name))
        why = "The name " + quotedName +
              " holds a character a file name cannot hold (\\ / : * ? \" < > | "
              "or a control character).";
    else if (name == "." || name == "..")
        why = "The name " + quotedName + " is no file name.";
    else if (name.front() == '.')
        why = "The name " + quotedName + " may not start with a dot.";
    else if (trimmed(name) != name)
        why = "The name " + quotedName + " may not start or end with a blank.";
    else if (name.size() > kMaxName)
        why = "The name is longer than " + intToStr(static_cast<long long>(kMaxName)) + " characters.";
    if (why.empty()) return true;
    if (reason) *reason = why;
    return false;
}

bool findFileIgnoringCase(const Zrk_String& path, Zrk_String& found) {
    if (fileExists(path)) {
        found = path;
        return true;
    }
    const Zrk_String folder = getPath(path);
    const Zrk_String name = getFileName(path);
    std::vector<std::string> names;
    if (!folderNames(os(folder.empty() ? Zrk_String(".") : folder), names)) return false;
    for (const std::string& osName : names) {
        const Zrk_String candidate = core::fromOsPath(osName);
        if (isEqual(candidate, name, true) && fileExists(folder + candidate)) {
            found = folder + candidate;
            return true;
        }
    }
    return false;
}

bool readFoundFile(const Zrk_String& path, Zrk_String& found, std::string& bytes, Zrk_String& message) {
    if (folderExists(path)) {
        message = path + " is a folder, not a file.";
        return false;
    }
    if (!findFileIgnoringCase(path, found)) {
        message = path + ": the file does not exist.";
        return false;
    }
    return readFileBytes(found, bytes, &message);
}
