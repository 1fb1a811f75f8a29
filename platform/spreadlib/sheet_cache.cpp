#include "spreadlib/sheet_cache.h"

#include <ctime>
#include <list>
#include <unordered_map>

#include "core/files.h"
#include "spreadlib/constants.h"
#include "spreadlib/sheet.h"

namespace spreadlib {

namespace {

// What tells one state of a file from another without reading it.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0; // nanoseconds
    std::int64_t changed = 0;
    bool operator==(const FileStamp&) const = default;
};

// False when the path names no regular file as written. The check after a read asks the file
// system again (fresh), whatever an evaluation's look scope saw before.
bool stampOf(const Zrk_String& path, FileStamp& stamp, bool fresh = false) {
    const core::PathStatus status = fresh ? core::freshPathStatus(path) : core::pathStatus(path);
    if (!status.regularFile) return false;
    stamp.device = status.device;
    stamp.inode = status.inode;
    stamp.size = status.size;
    stamp.modified = status.modified;
    stamp.changed = status.changed;
    return true;
}

std::int64_t nowInNanoseconds() {
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + static_cast<std::int64_t>(now.tv_nsec);
}

} // namespace

struct SheetFileCache::Entries {
    struct Kept {
        Zrk_String path;
        FileStamp stamp;
        std::unique_ptr<Sheet> sheet;
    };
    std::list<Kept> byUse; // most recently used first
    std::unordered_map<Zrk_String, std::list<Kept>::iterator> byPath;
    std::uint64_t bytes = 0;

    void forget(std::list<Kept>::iterator kept) {
        bytes -= kept->stamp.size;
        byPath.erase(kept->path);
        byUse.erase(kept);
    }
};

SheetFileCache::SheetFileCache(std::size_t maxFiles, std::uint64_t maxBytes)
    : entries_(std::make_unique<Entries>()), maxFiles_(maxFiles), maxBytes_(maxBytes) {}

SheetFileCache::~SheetFileCache() = default;

bool SheetFileCache::load(Sheet& target, const Zrk_String& path, Zrk_String& message) {
    const Zrk_String file = normalizePath(path);
    FileStamp stamp;
    if (!stampOf(file, stamp)) return target.loadFromFile(path, message);

    const std::lock_guard<std::mutex> lock(mutex_);
    Entries& entries = *entries_;
    if (const auto found = entries.byPath.find(file); found != entries.byPath.end()) {
        if (found->second->stamp == stamp) {
            entries.byUse.splice(entries.byUse.begin(), entries.byUse, found->second);
            ++hits_;
            // A sheet that cannot take a copy now (its formulas are being calculated) cannot load
            // either: the load says why.
            if (!target.copyFrom(*found->second->sheet)) return target.loadFromFile(path, message);
            message.clear();
            return true;
        }
        entries.forget(found->second);
    }

    ++reads_;
    const std::int64_t readAt = nowInNanoseconds();
    auto pristine = std::make_unique<Sheet>();
    // As read, before any recalculation: the sheet that takes a copy recalculates as its own
    // options say, as it would after loading the file itself.
    pristine->setBool(kOptionAutoCalc, false);
    if (!pristine->loadFromFile(file, message) || !target.copyFrom(*pristine))
        return target.loadFromFile(path, message);
    message.clear();

    FileStamp after;
    const bool settled = readAt - stamp.changed >= std::chrono::nanoseconds(settling_).count();
    if (!settled || !stampOf(file, after, /*fresh=*/true) || after != stamp || stamp.size > maxBytes_ / 4 || maxFiles_ == 0)
        return true;
    entries.byUse.push_front(Entries::Kept{file, stamp, std::move(pristine)});
    entries.byPath[file] = entries.byUse.begin();
    entries.bytes += stamp.size;
    while (entries.byUse.size() > maxFiles_ || entries.bytes > maxBytes_) entries.forget(std::prev(entries.byUse.end()));
    return true;
}

void SheetFileCache::clear() {
    const std::lock_guard<std::mutex> lock(mutex_);
    entries_ = std::make_unique<Entries>();
}

void SheetFileCache::setSettlingTime(std::chrono::milliseconds settling) {
    const std::lock_guard<std::mutex> lock(mutex_);
    settling_ = settling;
}

std::size_t SheetFileCache::keptFiles() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return entries_->byUse.size();
}

std::uint64_t SheetFileCache::hits() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return hits_;
}

std::uint64_t SheetFileCache::reads() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return reads_;
}

} // namespace spreadlib
