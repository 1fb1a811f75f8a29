#include "core/language.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "core/codepage.h"
#include "core/files.h"
#include "core/settings.h"

namespace core {
namespace {

using Table = std::vector<std::pair<int, Zrk_String>>;

struct Tables {
    std::optional<Table> main;
    std::optional<Table> secondary;
};

Tables& tables() {
    static Tables instance;
    return instance;
}

Zrk_String unescape(const std::string& text) {
    Zrk_String result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == 'n' || next == 't' || next == '\\') {
                result += next == 'n' ? '\n' : next == 't' ? '\t' : '\\';
                ++i;
                continue;
            }
        }
        result += text[i];
    }
    return result;
}

// A table is every file "<stem>.txt" and "<stem>-*.txt" of the language folder, read in name order,
// so that each part of the module keeps its texts in a file of its own.
const Table& load(std::optional<Table>& slot, const char* stem) {
    if (!slot) {
        Zrk_StringArray all;
        Zrk_StringArray files;
        ObjectExportFindFilesRecursive(resourceFolder() + "lang", Zrk_String(stem) + "*.txt", files);
        for (const Zrk_String& file : files) {
            const Zrk_String name = getFileName(file, false);
            if (name != stem && name.rfind(Zrk_String(stem) + "-", 0) != 0) continue;
            Zrk_StringArray lines;
            if (ObjectExportReadFile(file, lines)) all.append(lines);
        }
        Table table;
        parseTextTable(all, table);
        slot = std::move(table);
    }
    return *slot;
}

Zrk_String lookUp(const Table& table, int id) {
    auto it = std::lower_bound(table.begin(), table.end(), id, [](const auto& entry, int key) { return entry.first < key; });
    return (it != table.end() && it->first == id) ? it->second : Zrk_String();
}

} // namespace

void parseTextTable(const Zrk_StringArray& lines, Table& table) {
    table.clear();
    for (const Zrk_String& line : lines) {
        if (line.empty() || line[0] == '#') continue;
        const std::size_t tab = line.find('\t');
        if (tab == Zrk_String::npos) continue;
        int id = 0;
        const auto [end, error] = std::from_chars(line.data(), line.data() + tab, id);
        if (error != std::errc() || end != line.data() + tab) continue;
        table.emplace_back(id, fromUtf8(unescape(line.substr(tab + 1))));
    }
    // Sorted for lookup; of two lines with the same id the later one wins.
    std::stable_sort(table.begin(), table.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    Table unique;
    for (auto& entry : table) {
        if (!unique.empty() && unique.back().first == entry.first) unique.back() = std::move(entry);
        else unique.push_back(std::move(entry));
    }
    table = std::move(unique);
}

void reloadTexts() {
    tables().main.reset();
    tables().secondary.reset();
}

} // namespace core

Zrk_String dialString(int id) { return core::lookUp(core::load(core::tables().main, "texts"), id); }

Zrk_String secondaryString(int id) { return core::lookUp(core::load(core::tables().secondary, "secondary"), id); }
