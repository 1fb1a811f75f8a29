#pragma once
// Small .xlsx and .ods workbooks made here, for the tests and the fuzzer of the workbook import: the
// few XML parts each format needs, in a ZIP archive whose entries are stored (not compressed).
//
// A sheet is a list of cells: a place in A1 style and a typed content ("n:1.5" a number, "s:text" a
// text, "b:1" a logical value, "f:SUM(A1:A2)" a formula in the file's own language, "d:2024-03-15" an
// .ods date). An .xlsx formula may be shared along a block: "F:A1*2@B1:B3" on the block's first cell,
// "G:0" on the others (the index of the shared formula).

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace spreadlib::test {

struct WorkbookCell {
    std::string place; // "B7"
    std::string content;
};
struct WorkbookSheet {
    std::string name;
    std::vector<WorkbookCell> cells;
};

inline std::uint32_t crc32Of(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A ZIP archive of the files (name, bytes) in that order, stored without compression.
inline std::string storedZip(const std::vector<std::pair<std::string, std::string>>& files) {
    std::string out, directory;
    auto u16 = [](std::string& s, unsigned v) {
        s += static_cast<char>(v & 0xFF);
        s += static_cast<char>((v >> 8) & 0xFF);
    };
    auto u32 = [&](std::string& s, std::uint32_t v) {
        u16(s, v & 0xFFFF);
        u16(s, v >> 16);
    };
    for (const auto& [name, bytes] : files) {
        const std::uint32_t offset = static_cast<std::uint32_t>(out.size()), crc = crc32Of(bytes);
        const auto size = static_cast<std::uint32_t>(bytes.size());
        u32(out, 0x04034b50);
        u16(out, 20), u16(out, 0), u16(out, 0), u16(out, 0),
            u16(out, 0x21); // version, flags, stored, time, date
        u32(out, crc), u32(out, size), u32(out, size);
        u16(out, static_cast<unsigned>(name.size())), u16(out, 0);
        out += name;
        out += bytes;
        u32(directory, 0x02014b50);
        u16(directory, 20), u16(directory, 20), u16(directory, 0), u16(directory, 0), u16(directory, 0),
            u16(directory, 0x21);
        u32(directory, crc), u32(directory, size), u32(directory, size);
        u16(directory, static_cast<unsigned>(name.size())), u16(directory, 0), u16(directory, 0);
        u16(directory, 0), u16(directory, 0), u32(directory, 0), u32(directory, offset);
        directory += name;
    }
    const auto directoryOffset = static_cast<std::uint32_t>(out.size());
    out += directory;
    u32(out, 0x06054b50);
    u16(out, 0), u16(out, 0), u16(out, static_cast<unsigned>(files.size())),
        u16(out, static_cast<unsigned>(files.size()));
    u32(out, static_cast<std::uint32_t>(directory.size())), u32(out, directoryOffset), u16(out, 0);
    return out;
}

inline std::string xmlEscaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

// The worksheet part of an .xlsx sheet; strings go into the shared list.
inline std::string xlsxSheetXml(const WorkbookSheet& sheet, std::vector<std::string>& strings) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheetData>";
    // Rows in order, cells in order within a row, as the format requires.
    std::vector<std::pair<int, std::vector<const WorkbookCell*>>> rows;
    for (const WorkbookCell& cell : sheet.cells) {
        const int row = std::stoi(cell.place.substr(cell.place.find_first_of("0123456789")));
        auto it = rows.begin();
        while (it != rows.end() && it->first < row)
            ++it;
        if (it == rows.end() || it->first != row) it = rows.insert(it, {row, {}});
        it->second.push_back(&cell);
    }
    for (const auto& [row, cells] : rows) {
        xml += "<row r=\"" + std::to_string(row) + "\">";
        for (const WorkbookCell* cell : cells) {
            const char type = cell->content[0];
            const std::string value = cell->content.substr(2);
            const std::string at = "<c r=\"" + cell->place + "\"";
            if (type == 'n')
                xml += at + "><v>" + value + "</v></c>";
            else if (type == 'b')
                xml += at + " t=\"b\"><v>" + value + "</v></c>";
            else if (type == 's') {
                strings.push_back(value);
                xml += at + " t=\"s\"><v>" + std::to_string(strings.size() - 1) + "</v></c>";
            } else if (type == 'f')
                xml += at + "><f>" + xmlEscaped(value) + "</f></c>";
            else if (type == 'F') {
                const std::size_t sign = value.rfind('@');
                xml += at + "><f t=\"shared\" ref=\"" + value.substr(sign + 1) + "\" si=\"0\">" +
                       xmlEscaped(value.substr(0, sign)) + "</f></c>";
            } else if (type == 'G')
                xml += at + "><f t=\"shared\" si=\"" + value + "\"/></c>";
        }
        xml += "</row>";
    }
    return xml + "</sheetData></worksheet>";
}

inline std::string xlsxWorkbook(const std::vector<WorkbookSheet>& sheets,
                                const std::string* sheetXmlOverride = nullptr) {
    std::vector<std::pair<std::string, std::string>> files;
    std::string types =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
        "<Override PartName=\"/xl/sharedStrings.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>";
    std::string workbook =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>";
    std::string relations =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    std::vector<std::string> strings;
    std::vector<std::pair<std::string, std::string>> sheetParts;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        types +=
            "<Override PartName=\"/xl/worksheets/sheet" + n +
            ".xml\" "
            "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
        workbook += "<sheet name=\"" + xmlEscaped(sheets[i].name) + "\" sheetId=\"" + n + "\" r:id=\"rId" +
                    n + "\"/>";
        relations +=
            "<Relationship Id=\"rId" + n +
            "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
            "Target=\"worksheets/sheet" +
            n + ".xml\"/>";
        const std::string xml =
            (i == 0 && sheetXmlOverride) ? *sheetXmlOverride : xlsxSheetXml(sheets[i], strings);
        sheetParts.emplace_back("xl/worksheets/sheet" + n + ".xml", xml);
    }
    relations += "<Relationship Id=\"rIdS\" "
                 "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
                 "Target=\"sharedStrings.xml\"/></Relationships>";
    std::string shared = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"" +
                         std::to_string(strings.size()) + "\" uniqueCount=\"" +
                         std::to_string(strings.size()) + "\">";
    for (const std::string& s : strings)
        shared += "<si><t xml:space=\"preserve\">" + xmlEscaped(s) + "</t></si>";
    shared += "</sst>";
    files.emplace_back("[Content_Types].xml", types + "</Types>");
    files.emplace_back(
        "_rels/.rels",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
        "Target=\"xl/workbook.xml\"/></Relationships>");
    files.emplace_back("xl/workbook.xml", workbook + "</sheets></workbook>");
    files.emplace_back("xl/_rels/workbook.xml.rels", relations);
    files.emplace_back("xl/sharedStrings.xml", shared);
    for (auto& part : sheetParts)
        files.push_back(std::move(part));
    return storedZip(files);
}

// The content part of an .ods workbook.
inline std::string odsContentXml(const std::vector<WorkbookSheet>& sheets) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:of=\"urn:oasis:names:tc:opendocument:xmlns:of:1.2\" office:version=\"1.2\">"
        "<office:body><office:spreadsheet>";
    for (const WorkbookSheet& sheet : sheets) {
        xml += "<table:table table:name=\"" + xmlEscaped(sheet.name) + "\">";
        int maxRow = 0, maxCol = 0;
        auto placeOf = [](const std::string& place, int& col, int& row) {
            const std::size_t digits = place.find_first_of("0123456789");
            col = 0;
            for (std::size_t i = 0; i < digits; ++i)
                col = col * 26 + (place[i] - 'A' + 1);
            row = std::stoi(place.substr(digits));
        };
        for (const WorkbookCell& cell : sheet.cells) {
            int col = 0, row = 0;
            placeOf(cell.place, col, row);
            maxRow = std::max(maxRow, row);
            maxCol = std::max(maxCol, col);
        }
        for (int row = 1; row <= maxRow; ++row) {
            xml += "<table:table-row>";
            for (int col = 1; col <= maxCol; ++col) {
                const WorkbookCell* found = nullptr;
                for (const WorkbookCell& cell : sheet.cells) {
                    int c = 0, r = 0;
                    placeOf(cell.place, c, r);
                    if (c == col && r == row) found = &cell;
                }
                if (!found) {
                    xml += "<table:table-cell/>";
                    continue;
                }
                const char type = found->content[0];
                const std::string value = xmlEscaped(found->content.substr(2));
                if (type == 'n')
                    xml += "<table:table-cell office:value-type=\"float\" office:value=\"" + value + "\"/>";
                else if (type == 'b')
                    xml += "<table:table-cell office:value-type=\"boolean\" office:boolean-value=\"" +
                           std::string(value == "1" ? "true" : "false") + "\"/>";
                else if (type == 'd')
                    xml +=
                        "<table:table-cell office:value-type=\"date\" office:date-value=\"" + value + "\"/>";
                else if (type == 's')
                    xml += "<table:table-cell office:value-type=\"string\"><text:p>" + value +
                           "</text:p></table:table-cell>";
                else if (type == 'f')
                    xml += "<table:table-cell table:formula=\"" + value +
                           "\" office:value-type=\"float\" office:value=\"0\"/>";
            }
            xml += "</table:table-row>";
        }
        xml += "</table:table>";
    }
    return xml + "</office:spreadsheet></office:body></office:document-content>";
}

inline std::string odsWorkbook(const std::vector<WorkbookSheet>& sheets,
                               const std::string* contentOverride = nullptr) {
    return storedZip(
        {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
         {"META-INF/manifest.xml",
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\">"
          "<manifest:file-entry manifest:full-path=\"/\" "
          "manifest:media-type=\"application/vnd.oasis.opendocument.spreadsheet\"/>"
          "<manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>"
          "</manifest:manifest>"},
         {"content.xml", contentOverride ? *contentOverride : odsContentXml(sheets)}});
}

} // namespace spreadlib::test
