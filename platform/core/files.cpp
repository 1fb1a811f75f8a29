#include "core/files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "core/codepage.h"
#include "core/text.h"

namespace fs = std::filesystem;

namespace {

// Module text is Windows-1252; the file system speaks UTF-8. Paths cross that edge here only.
std::string os(const Zrk_String& path) { return core::osPath(path); }
Zrk_String fromOs(const fs::path& path) { return core::fromOsPath(path.string()); }

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

bool readFileBytes(const Zrk_String& path, std::string& bytes) {
    std::ifstream in(os(path), std::ios::binary);
    if (!in) return false;
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    bytes = std::move(content);
    return true;
}

bool writeFileAtomically(const Zrk_String& path, const std::string& bytes) {
    if (path.empty() || folderExists(path)) return false;
    const Zrk_String folder = getPath(path);
    Zrk_String temporary = (folder.empty() ? Zrk_String("./") : folder) + "." + getFileName(path) + ".XXXXXX";
    const std::string osTemporary = os(temporary);
    std::vector<char> name(osTemporary.begin(), osTemporary.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) return false;
    bool ok = true;
    std::size_t written = 0;
    while (ok && written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) ok = false;
        else written += static_cast<std::size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    // New files get the usual permissions rather than mkstemp's 0600; an existing file keeps its own.
    struct stat existing {};
    const mode_t mode = (::stat(os(path).c_str(), &existing) == 0) ? (existing.st_mode & 07777) : []() {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    ok = ::fchmod(fd, mode) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(name.data(), os(path).c_str()) == 0;
    if (!ok) std::remove(name.data());
    return ok;
}

bool ObjectExportReadFile(const Zrk_String& path, Zrk_StringArray& lines) {
    std::string bytes;
    if (folderExists(path) || !readFileBytes(path, bytes)) return false;
    Zrk_StringArray result;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const bool last = end == std::string::npos;
        if (last) end = bytes.size();
        std::size_t lineEnd = end;
        if (lineEnd > start && bytes[lineEnd - 1] == '\r') --lineEnd;
        result.append(bytes.substr(start, lineEnd - start));
        start = end + 1;
    }
    lines = std::move(result);
    return true;
}

bool ObjectExportWriteFile(const Zrk_String& path, const Zrk_StringArray& lines) {
    std::string bytes;
    for (const Zrk_String& line : lines) {
        bytes += line;
        bytes += '\n';
    }
    return writeFileAtomically(path, bytes);
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
    if (folderExists(path)) return false;
    return std::remove(os(path).c_str()) == 0 || errno == ENOENT;
}

bool fileExists(const Zrk_String& path) {
    struct stat info {};
    return ::stat(os(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool folderExists(const Zrk_String& path) {
    struct stat info {};
    return !path.empty() && ::stat(os(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
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

bool findFileIgnoringCase(const Zrk_String& path, Zrk_String& found) {
    if (fileExists(path)) {
        found = path;
        return true;
    }
    const Zrk_String folder = getPath(path);
    const Zrk_String name = getFileName(path);
    std::error_code error;
    fs::directory_iterator it(os(folder.empty() ? Zrk_String(".") : folder), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const Zrk_String candidate = fromOs(it->path().filename());
        if (isEqual(candidate, name, true) && it->is_regular_file(error)) {
            found = folder + candidate;
            return true;
        }
    }
    return false;
}

bool readFoundFile(const Zrk_String& path, Zrk_String& found, std::string& bytes, Zrk_String& message) {
    if (!findFileIgnoringCase(path, found)) {
        message = path + ": the file does not exist.";
        return false;
    }
    if (!readFileBytes(found, bytes)) {
        message = found + ": the file could not be read.";
        return false;
    }
    return true;
}
