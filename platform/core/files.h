#pragma once
// Files of the core library. Paths use '/'; a '\' that comes from a stored file or a caller is
// turned into '/' by normalizePath where it enters. Text files are the bytes they hold, one
// Zrk_String per line; every write is atomic (a temporary file beside the target, flushed, then
// renamed over it), so a failed write leaves the old file as it was.

#include <cstdint>
#include <ctime>

#include "core/zrk_string.h"

namespace core {
// A module path (Windows-1252 text) as the file system's name for it (UTF-8), and back. Every path
// handed to the operating system or std::filesystem goes through osPath.
std::string osPath(const Zrk_String& path);
Zrk_String fromOsPath(const std::string& path);
} // namespace core

namespace core {
// The lines of a text, as ObjectExportReadFile gives them: without line ends ("\n" or "\r\n"); a
// last line without a line end counts; a text ending in a line end has no empty last line.
void splitLines(const std::string& bytes, Zrk_StringArray& lines);
} // namespace core

// Reads a text file whole, one string per line, without line ends ("\n" or "\r\n"). A last line
// without a line end counts; a file ending in a line end has no empty last line. False on failure
// (message, when given, names the file and the system's reason).
bool ObjectExportReadFile(const Zrk_String& path, Zrk_StringArray& lines, Zrk_String* message = nullptr);
// The index of the first line that is not text: one that holds a byte below 32 other than tab and
// carriage return (a NUL or another control byte: the file is binary or damaged). -1 when all are.
int findNonTextLine(const Zrk_StringArray& lines);
// Writes the lines, each followed by "\n". False on failure (the old file stays as it was; message,
// when given, names the file and the system's reason).
bool ObjectExportWriteFile(const Zrk_String& path, const Zrk_StringArray& lines, Zrk_String* message = nullptr);
// Paths of the files below folder (and its subfolders) whose name matches pattern ("*.kvs";
// '*' and '?' wildcards, letter case ignored), sorted by path. False when folder does not exist.
bool ObjectExportFindFilesRecursive(const Zrk_String& folder, const Zrk_String& pattern, Zrk_StringArray& paths);
// Last modification time of a file. False when it does not exist.
bool ObjectExportGetFileTime(const Zrk_String& path, std::time_t& time);
// Copies a file atomically; with overwrite false an existing target makes it fail.
bool ObjectExportCopyFile(const Zrk_String& from, const Zrk_String& to, bool overwrite = true);
// Deletes a file. False when it could not be deleted (a missing file counts as deleted).
bool ObjectExportDeleteFile(const Zrk_String& path);
// Renames (moves) a file in one step, replacing a file of the new name; the two lie in the same
// folder or at least on the same file system. False when it could not be renamed (nothing changed).
bool ObjectExportRenameFile(const Zrk_String& from, const Zrk_String& to);

// Writes bytes atomically (the primitive behind every file the module writes): a temporary file
// beside the target (".NAME.XXXXXX"), written, synced and renamed over the target while the save
// holds a lock on it; then the folder is synced, so that the new entry survives a crash. A
// temporary that no save holds is the leftover of a save that was killed: the next save of that
// target removes it. False on failure, the target as it was; message (when given) names the file
// and the system's reason ("... cannot be written: No space left on device.").
bool writeFileAtomically(const Zrk_String& path, const std::string& bytes, Zrk_String* message = nullptr);
// Reads a whole file. False for a folder or a file that cannot be read; message (when given) names
// the file and the system's reason.
bool readFileBytes(const Zrk_String& path, std::string& bytes, Zrk_String* message = nullptr);
bool fileExists(const Zrk_String& path);
bool folderExists(const Zrk_String& path);

namespace core {
// What the file system says of a path (one stat, following links).
struct PathStatus {
    bool exists = false;
    bool regularFile = false;
    bool folder = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0; // nanoseconds since the epoch
    std::int64_t changed = 0;  // the inode's change time, nanoseconds
};
PathStatus pathStatus(const Zrk_String& path);
// The status as the file system gives it now, even inside a FileLookScope (which then keeps it):
// for a check that a file did not change while it was read.
PathStatus freshPathStatus(const Zrk_String& path);

// While one lives on this thread, pathStatus (and with it fileExists and folderExists) and the
// folder listings of findFileIgnoringCase look at each path once. One evaluation of a standard
// looks for the same few files dozens of times (each look-up resolves its table file again), and
// each look is a system call; a file that changes in the middle of one evaluation is a race with or
// without the scope. Scopes nest: the outermost forgets what was seen when it ends. Every write,
// copy, rename, deletion and folder creation through this file forgets it at once.
class FileLookScope {
public:
    FileLookScope();
    ~FileLookScope();
    FileLookScope(const FileLookScope&) = delete;
    FileLookScope& operator=(const FileLookScope&) = delete;
};
} // namespace core
// Creates a folder and the folders above it that are missing; true when it exists afterwards.
bool ensureFolder(const Zrk_String& folder);

// '\' becomes '/'.
Zrk_String normalizePath(Zrk_String path);
// The path with its extension replaced ("a/b.kvs" and "map" or ".map" give "a/b.map"); a path
// without extension gets one. An empty extension removes it.
Zrk_String changeExtension(const Zrk_String& path, const Zrk_String& extension);
// The folder part of a path with its closing '/' ("a/b/c.txt" gives "a/b/"); "" without folder.
Zrk_String getPath(const Zrk_String& path);
// The name after the last '/', with or without its extension.
Zrk_String getFileName(const Zrk_String& path, bool withExtension = true);
// The extension without dot ("" when there is none).
Zrk_String getExtension(const Zrk_String& path);
// The text without leading separators ('/' or '\'), so that it can be appended to a folder.
Zrk_String ensureNoStartBSlash(const Zrk_String& text);
// Ensures a non-empty folder text ends with '/'.
Zrk_String ensureEndSlash(const Zrk_String& folder);
// True when name holds a character not allowed in a file name: \ / : * ? " < > | or a control byte.
bool hasInvalidFileNameChars(const Zrk_String& name);
// Whether a group's name (DSTV points, cutting stock) can be the name of its own file or folder in
// the group folder: not empty, no path separator or other character a file name cannot hold, not
// "." or "..", no leading dot (hidden), no blank at either end, at most 200 bytes. False with the
// reason (when given) otherwise.
bool isValidGroupFileName(const Zrk_String& name, Zrk_String* reason = nullptr);
// Reads a whole file found with findFileIgnoringCase; found is the name it has on disk. False with a
// message naming the file when it is a folder, does not exist or cannot be read (and why).
bool readFoundFile(const Zrk_String& path, Zrk_String& found, std::string& bytes, Zrk_String& message);
// Finds a file named as written, or else a file in the same folder whose name differs only in
// letter case. False when neither exists.
bool findFileIgnoringCase(const Zrk_String& path, Zrk_String& found);
