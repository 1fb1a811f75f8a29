#include "standards/data_files.h"


#include <cstdint>
#include <map>
#include <unordered_map>

#include "core/files.h"
#include "core/number_text.h"
#include "core/settings.h"
#include "core/text.h"
#include "standards/library_files.h"
#include "standards/mapping_file.h"

namespace standards {

namespace {

// Size and modification time (nanoseconds) of a file; false when it is no readable regular file.
struct FileStamp {
    std::int64_t size = -1;
    std::int64_t modified = 0;
    bool operator==(const FileStamp&) const = default;
};

// The check after a read asks the file system again (fresh), whatever the evaluation's look scope
// saw before.
bool stampOf(const Zrk_String& path, FileStamp& stamp, bool fresh = false) {
    const core::PathStatus status = fresh ? core::freshPathStatus(path) : core::pathStatus(path);
    if (!status.regularFile) return false;
    stamp.size = static_cast<std::int64_t>(status.size);
    stamp.modified = status.modified;
    return true;
}

// Parsed files by path with the stamp they were read at. A handful of files serve a library; the
// cache is emptied when it grows beyond that, so that it never holds more than a few tables.
template <typename Parsed> class FileCache {
public:
    std::shared_ptr<const Parsed> get(const Zrk_String& path, Zrk_String* message) {
        FileStamp before;
        if (!stampOf(path, before)) {
            entries_.erase(path);
            if (message) {
                // A folder or a missing file: the reader's own message says which and why.
                std::string none;
                if (folderExists(path) || !core::pathStatus(path).exists)
                    readFileBytes(path, none, message);
                else
                    *message = path + ": the file cannot be read: it is not a regular file.";
            }
            return nullptr;
        }
        const auto found = entries_.find(path);
        if (found != entries_.end() && found->second.stamp == before) return answer(found->second, message);

        Entry entry{before, nullptr, Zrk_String()};
        Zrk_StringArray lines;
        if (ObjectExportReadFile(path, lines, &entry.refusal)) {
            auto parsed = std::make_shared<Parsed>();
            if (parsed->parse(lines, path, entry.refusal)) entry.parsed = std::move(parsed);
        }
        // A file changed while it was read is used as read, but not kept.
        FileStamp after;
        if (stampOf(path, after, /*fresh=*/true) && after == before) {
            if (entries_.size() >= kMaxEntries) entries_.clear();
            entries_[path] = entry;
        } else {
            entries_.erase(path);
        }
        return answer(entry, message);
    }
    void clear() { entries_.clear(); }

private:
    static constexpr std::size_t kMaxEntries = 32;
    struct Entry {
        FileStamp stamp;
        std::shared_ptr<const Parsed> parsed; // null when refused
        Zrk_String refusal;
    };
    static std::shared_ptr<const Parsed> answer(const Entry& entry, Zrk_String* message) {
        if (!entry.parsed && message) *message = entry.refusal;
        return entry.parsed;
    }
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

// Refuses lines that are not text, with the file and line.
bool checkText(const Zrk_StringArray& lines, const Zrk_String& fileName, Zrk_String& message) {
    const int line = findNonTextLine(lines);
    if (line < 0) return true;
    message = fileName + ", line " + intToStr(line + 1) + ": not text (a control byte); the file is not read.";
    return false;
}

void stripLineComment(Zrk_String& line) {
    const std::size_t comment = line.find("//");
    if (comment != Zrk_String::npos) line.erase(comment);
}

} // namespace

bool findDataFile(const Zrk_String& name, Zrk_String& path) {
    const Zrk_String folder = standardsFolder();
    return findLibraryFile(name, {folder + "Data/", folder, gSettings.libDir}, path);
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

bool TableFile::parse(const Zrk_StringArray& fileLines, const Zrk_String& fileName, Zrk_String& message) {
    lines.removeAll();
    index_.reset();
    if (!checkText(fileLines, fileName, message)) return false;
    auto index = std::make_shared<Index>();
    for (int i = 0; i < fileLines.length(); ++i) {
        Zrk_String text = fileLines[i];
        stripLineComment(text);
        stripSymbols(text, /*atEnd=*/true, /*atStart=*/false, " ");
        if (text.empty()) continue;
        Line line;
        line.line = i + 1;
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
    return true;
}

// --- sizes files -------------------------------------------------------------------------------

bool SizesFile::parse(const Zrk_StringArray& fileLines, const Zrk_String& fileName, Zrk_String& message) {
    sizes.removeAll();
    thicknesses.removeAll();
    lines.removeAll();
    if (!checkText(fileLines, fileName, message)) return false;
    for (int i = 0; i < fileLines.length(); ++i) {
        Zrk_String text = fileLines[i];
        for (std::size_t open = text.find("/*"); open != Zrk_String::npos; open = text.find("/*", open)) {
            const std::size_t close = text.find("*/", open + 2);
            text.erase(open, close == Zrk_String::npos ? Zrk_String::npos : close + 2 - open);
        }
        stripLineComment(text);
        stripSymbols(text, true, true);
        if (text.empty()) continue;
        Zrk_String size, thickness;
        const bool pair = splitString(text, "x", size, thickness);
        double sizeValue = 0.0, thicknessValue = 0.0;
        if (!core::parseNumber(pair ? size : text, sizeValue) || (pair && !core::parseNumber(thickness, thicknessValue))) {
            sizes.removeAll();
            thicknesses.removeAll();
            lines.removeAll();
            message = fileName + ", line " + intToStr(i + 1) + ": expected a size or a size \"x\" thickness (\"100x10\"), found \"" +
                      text + "\"; the file is not read.";
            return false;
        }
        sizes.append(sizeValue);
        thicknesses.append(thicknessValue);
        lines.append(i + 1);
    }
    return true;
}

std::shared_ptr<const TableFile> readTableFile(const Zrk_String& path, Zrk_String* message) {
    return tableCache().get(path, message);
}
std::shared_ptr<const SizesFile> readSizesFile(const Zrk_String& path, Zrk_String* message) {
    return sizesCache().get(path, message);
}

void clearDataFileCache() {
    tableCache().clear();
    sizesCache().clear();
}

} // namespace standards
