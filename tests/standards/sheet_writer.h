#pragma once
// Writes standards sheets for tests: rows of cell texts, row 1 first, column A first; an empty text
// leaves the cell empty. The sheet is just large enough for its rows and columns.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "spreadlib/sheet.h"

using SheetRows = std::vector<std::vector<std::string>>;

inline void writeSheet(const std::filesystem::path& path, const SheetRows& rows) {
    std::filesystem::create_directories(path.parent_path());
    spreadlib::Sheet sheet;
    std::size_t columns = 1;
    for (const auto& row : rows) columns = std::max(columns, row.size());
    sheet.setMaxCols(static_cast<int>(columns));
    sheet.setMaxRows(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            if (!rows[r][c].empty()) sheet.setData(static_cast<int>(c + 1), static_cast<int>(r + 1), rows[r][c]);
    Zrk_String message;
    ASSERT_TRUE(sheet.saveToFile(path.string(), message)) << message;
}
