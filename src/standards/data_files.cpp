#include "standards/data_files.h"

#include <sys/stat.h>

#include <cstdint>
#include <map>
#include <unordered_map>

#include "core/files.h"
#include "core/number_text.h"
#include "core/settings.h"
#include "core/text.h"
#include "standards/mapping_file.h"

namespace standards {

namespace {

bool findIn(const Zrk_String& folder, const Zrk_String& name, Zrk_String& path) {
    return findFileIgnoringCase(folder + ensureNoStartBSlash(name), path);
}

// Size and modification time (nanoseconds) of a file; false when it is no readable regular file.
struct FileStamp {
    std::int64_t size = -1;
    std::int64_t modified = 0;
    bool operator==(const FileStamp&) const = default;
};

bool stampOf(const Zrk_String& path, FileStamp& stamp) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    stamp.size = static_cast<std::int64_t>(info.st_size);
    stamp.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    return true;
}

// Parsed files by path with the stamp they were read at. A handful of files serve a library; the
// cache is emptied when it grows beyond that, so that it never holds more than a few tables.
template <typename Parsed> class FileCache {
public:
    std::shared_ptr<const Parsed> get(const Zrk_String& path) {
        FileStamp before;
        if (!stampOf(path, before)) {
            entries_.erase(path);
            return nullptr;
        }
        const auto found = entries_.find(path);
        if (found != entries_.end() && found->second.stamp == before) return found->second.parsed;

        Zrk_StringArray lines;
        if (!ObjectExportReadFile(path, lines)) return nullptr;
        auto parsed = std::make_shared<Parsed>();
        parsed->parse(lines);
        // A file changed while it was read is used as read, but not kept.
        FileStamp after;
        if (stampOf(path, after) && after == before) {
            if (entries_.size() >= kMaxEntries) entries_.clear();
            entries_[path] = Entry{before, parsed};
        } else {
            entries_.erase(path);
        }
        return parsed;
    }
    void clear() { entries_.clear(); }

private:
    static constexpr std::size_t kMaxEntries = 32;
    struct Entry {
        FileStamp stamp;
        std::shared_ptr<const Parsed> parsed;
    };
    std::map<Zrk_String, Entry> entries_;
};

FileCache<TableFile>& tableCache() {
    static FileCache<TableFile> cache;
    return cache;
}
FileCache<SizesFile>& sizesCache() {
    static FileCache<SizesFile> cache;
    return cache;
}

void stripLineComment(Zrk_String& line) {
    const std::size_t comment = line.find("//");
    if (comment != Zrk_String::npos) line.erase(comment);
}

} // namespace

bool findDataFile(const Zrk_String& name, Zrk_String& path) {
    if (name.empty()) return false;
    const Zrk_String written = normalizePath(name);
    // A bare name as written is looked for in the working folder; only a path is also matched
    // ignoring letter case (a bare name would mean listing the working folder on every call).
    if (fileExists(written)) {
        path = written;
        return true;
    }
    if (written.find('/') != Zrk_String::npos && findFileIgnoringCase(written, path)) return true;
    const Zrk_String folder = standardsFolder();
    return findIn(folder + "Data/", written, path) || findIn(folder, written, path) ||
           findIn(gSettings.libDir, written, path);
}

// --- table files -------------------------------------------------------------------------------

struct TableFile::Index {
    std::unordered_map<Zrk_String, int> firstLine;
};

int TableFile::findKey(const Zrk_String& key) const {
    if (!index_) return -1;
    const auto found = index_->firstLine.find(key);
    return found == index_->firstLine.end() ? -1 : found->second;
}

void TableFile::parse(const Zrk_StringArray& fileLines) {
    lines.removeAll();
    auto index = std::make_shared<Index>();
    for (Zrk_String text : fileLines) {
        stripLineComment(text);
        stripSymbols(text, /*atEnd=*/true, /*atStart=*/false, " ");
        if (text.empty()) continue;
        Line line;
        const std::size_t tab = text.find('\t');
        if (tab == Zrk_String::npos) {
            line.key = text;
        } else {
            line.key = text.substr(0, tab);
            const std::size_t next = text.find('\t', tab + 1);
            line.value = text.substr(tab + 1, next == Zrk_String::npos ? Zrk_String::npos : next - tab - 1);
            line.hasValue = true;
        }
        index->firstLine.emplace(line.key, lines.length());
        lines.append(std::move(line));
    }
    index_ = std::move(index);
}

// --- sizes files -------------------------------------------------------------------------------

void SizesFile::parse(const Zrk_StringArray& fileLines) {
    sizes.removeAll();
    thicknesses.removeAll();
    for (Zrk_String text : fileLines) {
        for (std::size_t open = text.find("/*"); open != Zrk_String::npos; open = text.find("/*", open)) {
            const std::size_t close = text.find("*/", open + 2);
            text.erase(open, close == Zrk_String::npos ? Zrk_String::npos : close + 2 - open);
        }
        stripLineComment(text);
        stripSymbols(text, true, true);
        if (text.empty()) continue;
        Zrk_String size, thickness;
        if (splitString(text, "x", size, thickness)) {
            sizes.append(core::toDouble(size));
            thicknesses.append(core::toDouble(thickness));
        } else {
            sizes.append(core::toDouble(text));
            thicknesses.append(0.0);
        }
    }
}

std::shared_ptr<const TableFile> readTableFile(const Zrk_String& path) { return tableCache().get(path); }
std::shared_ptr<const SizesFile> readSizesFile(const Zrk_String& path) { return sizesCache().get(path); }

void clearDataFileCache() {
    tableCache().clear();
    sizesCache().clear();
}

} // namespace standards
