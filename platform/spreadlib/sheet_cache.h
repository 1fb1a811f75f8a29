#pragma once
// Sheet files read once. A file that loads stays in memory as a pristine sheet, and loading the same
// unchanged file again copies that sheet (Sheet::copyFrom) instead of reading and parsing the file:
// the standards engine loads the same few sheets for every evaluation and changes them while it runs.
//
// A file counts as unchanged while its identity (device and inode), size, modification time and
// change time stay as they were when it was read. An atomic save (a new file renamed over the old
// one) always changes the inode, and a write in place the times; but file systems keep times in
// ticks (milliseconds, up to two seconds on some), and a write in the same tick as the read leaves
// them as they were. So a file is only kept when its last change lies a settling time (2 seconds)
// before it was read, and when it loaded and did not change while it was read. A path that names no
// regular file as written (missing, a folder, a name found in another letter case) is loaded as
// Sheet::loadFromFile does, every time, and not kept.
//
// The cache keeps the most recently used files up to a count and a total of file bytes; a file
// larger than a quarter of that total is never kept (copying a large sheet saves little over
// reading it, and holds its memory twice). Calls may come from any thread; they take turns.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

#include "core/zrk_string.h"

namespace spreadlib {

class Sheet;

class SheetFileCache {
public:
    explicit SheetFileCache(std::size_t maxFiles = 64, std::uint64_t maxBytes = 64u << 20);
    ~SheetFileCache();
    SheetFileCache(const SheetFileCache&) = delete;
    SheetFileCache& operator=(const SheetFileCache&) = delete;

    // Loads the file into target with the same result, message and effects as
    // target.loadFromFile(path, message).
    bool load(Sheet& target, const Zrk_String& path, Zrk_String& message);
    // Forgets every kept file.
    void clear();
    // How long ago a file must have changed to be kept (tests that write a file and at once want it
    // kept set 0, and change their files by atomic saves).
    void setSettlingTime(std::chrono::milliseconds settling);

    std::size_t keptFiles() const;
    // Loads answered from memory, and files read (and kept or not) since the cache was made.
    std::uint64_t hits() const;
    std::uint64_t reads() const;

private:
    struct Entries;
    mutable std::mutex mutex_;
    std::unique_ptr<Entries> entries_;
    std::size_t maxFiles_;
    std::uint64_t maxBytes_;
    std::chrono::milliseconds settling_{2000};
    std::uint64_t hits_ = 0;
    std::uint64_t reads_ = 0;
};

} // namespace spreadlib
