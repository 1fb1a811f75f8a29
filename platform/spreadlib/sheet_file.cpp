// Sheet: the library's own file format (docs/spreadsheet-format.md). JSON, UTF-8, one cell a line.
// Loading reads and checks the whole file into a new sheet before anything of the current sheet
// changes; every fault names the file and where in it.
//
// Reading: simdjson parses the whole text at once into its compact tape (a small multiple of the
// file's size, where a tree of JSON objects took ten times the file). The few entries of the sheet
// itself become a small JSON tree that the checks below read; the cells, which are nearly all of a
// file, are read straight from the tape.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include <nlohmann/json.hpp>
#include <simdjson.h>

#include "core/codepage.h"
#include "core/files.h"
#include "spreadlib/functions.h"
#include "spreadlib/number_format.h"
#include "spreadlib/sheet.h"
#include "spreadlib/sheet_internal.h"

namespace spreadlib {

using detail::Cell;
using detail::CellKind;
using detail::Column;
using detail::FormulaCell;
using Json = nlohmann::json;

namespace {

constexpr int kFormatVersion = 1;
constexpr const char* kFormatName = "spreadsheet";

// What the reader takes, and so what the writer keeps to: a file the library writes always reads back.
constexpr std::size_t kMaxFileBytes = 512u << 20;
constexpr long long kMaxFontNumber = 1000;    // height and weight
constexpr long long kMaxLookNumber = 1000000; // appearance, styles, indicator, grid type: either sign
constexpr long long kMaxTipMode = 1000;
constexpr long long kMaxTipDelay = 1000000;   // milliseconds
constexpr double kMaxPixels = 1e6;            // sizes of columns and rows
constexpr long long kMaxDecimals = 15;
// A byte of module text is at most 3 bytes of UTF-8 (0x80, the euro sign, is U+20AC).
constexpr std::size_t kMaxUtf8PerByte = 3;
constexpr int kKnownTypeCodes[] = {kTypeGeneral, kTypeEdit,    kTypeStatic,  kTypeHeader,   kTypeCombo,
                                   kTypeButton,  kTypePicture, kTypeInteger, kTypeCheckBox, kTypeNumber};

// --- writing --------------------------------------------------------------------------------------

void appendString(std::string& out, const Zrk_String& text) {
    const std::string utf8 = core::toUtf8(text);
    out += '"';
    for (const char c : utf8) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                static const char hex[] = "0123456789abcdef";
                out += "\\u00";
                out += hex[(c >> 4) & 0xF];
                out += hex[c & 0xF];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void appendNumber(std::string& out, double value) {
    char buffer[64];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, ec == std::errc() ? ptr : buffer);
}

Json fontJson(const FontSpec& font) {
    return Json{{"face", core::toUtf8(font.face)}, {"height", font.height}, {"weight", font.weight},
                {"italic", font.italic},           {"underline", font.underline}, {"strikeOut", font.strikeOut}};
}

// Picture bytes travel in the file as base64 (RFC 4648, with padding).
constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string toBase64(const std::string& bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t chunk = 0;
        for (std::size_t k = 0; k < 3; ++k)
            chunk = (chunk << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k < 4; ++k) out += k <= n ? kBase64[(chunk >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

bool fromBase64(const std::string& text, std::string& bytes) {
    if (text.size() % 4 != 0) return false;
    bytes.clear();
    bytes.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        std::uint32_t chunk = 0;
        int padding = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const char c = text[i + k];
            const char* at = std::strchr(kBase64, c);
            if (c == '=' && i + 4 == text.size() && k >= 2) {
                ++padding;
                chunk <<= 6;
            } else if (c != '\0' && at && padding == 0) {
                chunk = (chunk << 6) | static_cast<std::uint32_t>(at - kBase64);
            } else {
                return false;
            }
        }
        for (int k = 0; k < 3 - padding; ++k) bytes += static_cast<char>((chunk >> (16 - 8 * k)) & 0xFF);
    }
    return true;
}

Json typeJson(const CellType& type) {
    Json json{{"code", type.code}, {"style", type.style}};
    if (type.code == kTypeEdit || type.code == kTypeStatic) json["maxLength"] = type.maxLength;
    if (type.code == kTypeNumber || type.code == kTypeInteger) {
        json["decimals"] = type.decimals;
        json["min"] = type.minValue;
        json["max"] = type.maxValue;
        json["separator"] = type.separator;
    }
    if (!type.text.empty()) json["text"] = core::toUtf8(type.text);
    if (type.pictureFromFile) json["fromFile"] = true;
    if (!type.pictureData.isEmpty()) json["pictureData"] = toBase64(*type.pictureData.bytes);
    bool pictures = false;
    for (const std::uintptr_t p : type.pictures) pictures = pictures || p != 0;
    if (pictures) {
        Json list = Json::array();
        for (const std::uintptr_t p : type.pictures) list.push_back(static_cast<std::uint64_t>(p));
        json["pictures"] = list;
    }
    return json;
}

Json sideJson(const BorderSide& side) { return Json::array({side.style, side.color}); }

Json formatJson(const CellFormat& format) {
    Json json = Json::object();
    if (format.hasFont) json["font"] = fontJson(format.font);
    if (format.backColor != kColorDefault) json["back"] = format.backColor;
    if (format.foreColor != kColorDefault) json["fore"] = format.foreColor;
    if (!format.border.isEmpty())
        json["border"] = Json{{"left", sideJson(format.border.left)}, {"right", sideJson(format.border.right)},
                              {"top", sideJson(format.border.top)}, {"bottom", sideJson(format.border.bottom)}};
    return json;
}

// What a sheet holds beyond what the reader takes (set through calls that do not check it, or read
// from another format): the first such thing, with where it is. Such a sheet is not saved.
class WriteCheck {
public:
    const Zrk_String& refusal() const { return refusal_; }
    void refuse(const std::string& where, const std::string& what) {
        if (refusal_.empty()) refusal_ = where + ": " + what;
    }
    void text(const Zrk_String& text, const std::string& where) {
        if (text.size() > static_cast<std::size_t>(kMaxCellTextLength))
            refuse(where, "the text is longer than " + std::to_string(kMaxCellTextLength) + " characters");
    }
    void number(long long value, long long minimum, long long maximum, const std::string& where) {
        if (value < minimum || value > maximum)
            refuse(where, std::to_string(value) + " lies outside " + std::to_string(minimum) + " to " + std::to_string(maximum));
    }
    void pixels(double value, const std::string& where) {
        if (!(value >= 0 && value <= kMaxPixels)) refuse(where, "the size lies outside 0 to 1000000 pixels");
    }
    void font(const FontSpec& font, const std::string& where) {
        text(font.face, where + ".face");
        number(font.height, 0, kMaxFontNumber, where + ".height");
        number(font.weight, 0, kMaxFontNumber, where + ".weight");
    }
    void type(const CellType& type, const std::string& where) {
        if (std::find(std::begin(kKnownTypeCodes), std::end(kKnownTypeCodes), type.code) == std::end(kKnownTypeCodes))
            refuse(where, "unknown cell type " + std::to_string(type.code));
        number(type.maxLength, 0, kMaxCellTextLength, where + ".maxLength");
        number(type.decimals, 0, kMaxDecimals, where + ".decimals");
        if (!std::isfinite(type.minValue) || !std::isfinite(type.maxValue) || type.minValue > type.maxValue)
            refuse(where, "the limits must be finite numbers, the minimum not above the maximum");
        text(type.text, where + ".text");
        if (!type.pictureData.isEmpty() && type.pictureData.bytes->size() > kMaxPictureBytes)
            refuse(where + ".pictureData", "the picture is larger than " + std::to_string(kMaxPictureBytes >> 20) + " MB");
    }
    void sheet(const detail::SheetData& d) {
        font(d.defaultFont, "defaultFont");
        pixels(d.defaultColWidth, "defaultColumnWidth");
        pixels(d.defaultRowHeight, "defaultRowHeight");
        for (const auto& [column, px] : d.colWidths) pixels(px, "columnWidths[" + std::to_string(column) + "]");
        for (const auto& [row, px] : d.rowHeights) pixels(px, "rowHeights[" + std::to_string(row) + "]");
        for (const long long look : {d.appearance, d.backColorStyle, d.noteIndicator, d.gridType})
            number(look, -kMaxLookNumber, kMaxLookNumber, "look");
        number(d.textTip.mode, 0, kMaxTipMode, "textTip.mode");
        number(d.textTip.delay, 0, kMaxTipDelay, "textTip.delay");
        font(d.textTip.font, "textTip.font");
    }

private:
    Zrk_String refusal_;
};

// --- reading --------------------------------------------------------------------------------------

// Reads values out of the JSON tree, remembering the first fault with where it was.
class Reader {
public:
    bool failed() const { return !message_.empty(); }
    const Zrk_String& message() const { return message_; }
    void fail(const std::string& where, const std::string& what) {
        if (message_.empty()) message_ = where + ": " + what;
    }

    const Json* member(const Json& object, const char* key, const std::string& where, bool required) {
        if (!object.is_object()) {
            fail(where, "expected an object");
            return nullptr;
        }
        const auto it = object.find(key);
        if (it == object.end()) {
            if (required) fail(where, std::string("the entry \"") + key + "\" is missing");
            return nullptr;
        }
        return &*it;
    }
    long long integer(const Json& object, const char* key, const std::string& where, long long minimum, long long maximum,
                      long long fallback, bool required = false) {
        const Json* value = member(object, key, where, required);
        if (!value) return fallback;
        if (!value->is_number_integer()) {
            fail(where + "." + key, "expected a whole number");
            return fallback;
        }
        const long long number = value->is_number_unsigned() && value->get<std::uint64_t>() > static_cast<std::uint64_t>(maximum)
                                     ? maximum + 1
                                     : value->get<long long>();
        if (number < minimum || number > maximum) {
            fail(where + "." + key, "expected a number from " + std::to_string(minimum) + " to " + std::to_string(maximum));
            return fallback;
        }
        return number;
    }
    double real(const Json& object, const char* key, const std::string& where, double fallback) {
        const Json* value = member(object, key, where, false);
        if (!value) return fallback;
        if (!value->is_number()) {
            fail(where + "." + key, "expected a number");
            return fallback;
        }
        const double number = value->get<double>();
        if (!std::isfinite(number)) {
            fail(where + "." + key, "expected a finite number");
            return fallback;
        }
        return number;
    }
    bool boolean(const Json& object, const char* key, const std::string& where, bool fallback) {
        const Json* value = member(object, key, where, false);
        if (!value) return fallback;
        if (!value->is_boolean()) {
            fail(where + "." + key, "expected true or false");
            return fallback;
        }
        return value->get<bool>();
    }
    Zrk_String text(const Json& object, const char* key, const std::string& where, bool required = false) {
        const Json* value = member(object, key, where, required);
        if (!value) return Zrk_String();
        return text(*value, where + "." + key);
    }
    Zrk_String text(const Json& value, const std::string& where) {
        if (!value.is_string()) {
            fail(where, "expected a text");
            return Zrk_String();
        }
        return utf8Text(value.get_ref<const std::string&>(), where);
    }
    Zrk_String text(simdjson::dom::element value, const std::string& where) {
        std::string_view utf8;
        if (value.get_string().get(utf8)) {
            fail(where, "expected a text");
            return Zrk_String();
        }
        return utf8Text(utf8, where);
    }
    Zrk_String utf8Text(std::string_view utf8, const std::string& where) {
        if (utf8.size() > static_cast<std::size_t>(kMaxCellTextLength) * kMaxUtf8PerByte) {
            fail(where, "the text is too long");
            return Zrk_String();
        }
        Zrk_String result = core::fromUtf8(std::string(utf8));
        if (result.size() > static_cast<std::size_t>(kMaxCellTextLength)) fail(where, "the text is too long");
        return result;
    }
    Color color(const Json& object, const char* key, const std::string& where, Color fallback) {
        return static_cast<Color>(integer(object, key, where, 0, 0xFFFFFFFFLL, fallback));
    }
    FontSpec font(const Json& json, const std::string& where) {
        FontSpec font;
        font.face = text(json, "face", where);
        font.height = static_cast<int>(integer(json, "height", where, 0, kMaxFontNumber, font.height));
        font.weight = static_cast<int>(integer(json, "weight", where, 0, kMaxFontNumber, font.weight));
        font.italic = boolean(json, "italic", where, false);
        font.underline = boolean(json, "underline", where, false);
        font.strikeOut = boolean(json, "strikeOut", where, false);
        return font;
    }

private:
    Zrk_String message_;
};

CellType readType(Reader& in, const Json& json, const std::string& where) {
    CellType type;
    type.code = static_cast<int>(in.integer(json, "code", where, 0, 16, 0, true));
    if (!in.failed() && std::find(std::begin(kKnownTypeCodes), std::end(kKnownTypeCodes), type.code) == std::end(kKnownTypeCodes))
        in.fail(where + ".code", "unknown cell type " + std::to_string(type.code));
    type.style = static_cast<std::uint32_t>(in.integer(json, "style", where, 0, 0xFFFFFFFFLL, 0));
    type.maxLength = static_cast<int>(in.integer(json, "maxLength", where, 0, kMaxCellTextLength, 0));
    type.decimals = static_cast<int>(in.integer(json, "decimals", where, 0, kMaxDecimals, 0));
    type.minValue = in.real(json, "min", where, 0.0);
    type.maxValue = in.real(json, "max", where, 0.0);
    if (type.minValue > type.maxValue) in.fail(where, "the minimum is above the maximum");
    type.separator = in.boolean(json, "separator", where, false);
    type.text = in.text(json, "text", where);
    type.pictureFromFile = in.boolean(json, "fromFile", where, false);
    if (const Json* data = in.member(json, "pictureData", where, false)) {
        std::string bytes;
        if (!data->is_string() || !fromBase64(data->get<std::string>(), bytes) || bytes.size() > kMaxPictureBytes)
            in.fail(where + ".pictureData", "expected the picture's bytes in base64");
        else if (!bytes.empty())
            type.pictureData.bytes = std::make_shared<const std::string>(std::move(bytes));
    }
    if (const Json* pictures = in.member(json, "pictures", where, false)) {
        if (!pictures->is_array() || pictures->size() != 6) {
            in.fail(where + ".pictures", "expected a list of 6 numbers");
        } else {
            for (std::size_t i = 0; i < 6; ++i) {
                if (!(*pictures)[i].is_number_unsigned()) {
                    in.fail(where + ".pictures", "expected a list of 6 numbers");
                    break;
                }
                type.pictures[i] = static_cast<std::uintptr_t>((*pictures)[i].get<std::uint64_t>());
            }
        }
    }
    return type;
}

BorderSide readSide(Reader& in, const Json& json, const char* key, const std::string& where) {
    BorderSide side;
    const Json* value = in.member(json, key, where, false);
    if (!value) return side;
    if (!value->is_array() || value->size() != 2 || !(*value)[0].is_number_integer() || !(*value)[1].is_number_unsigned()) {
        in.fail(where + "." + key, "expected [style, colour]");
        return side;
    }
    const long long style = (*value)[0].get<long long>();
    const std::uint64_t color = (*value)[1].get<std::uint64_t>();
    if (style < 0 || style > kBorderStyleFine || color > 0xFFFFFFFFu) {
        in.fail(where + "." + key, "expected a border style from 0 to 6 and a colour");
        return side;
    }
    side.style = static_cast<int>(style);
    side.color = static_cast<Color>(color);
    return side;
}

CellFormat readFormat(Reader& in, const Json& json, const std::string& where) {
    CellFormat format;
    if (!json.is_object()) {
        in.fail(where, "expected an object");
        return format;
    }
    if (const Json* font = in.member(json, "font", where, false)) {
        format.hasFont = true;
        format.font = in.font(*font, where + ".font");
    }
    format.backColor = in.color(json, "back", where, kColorDefault);
    format.foreColor = in.color(json, "fore", where, kColorDefault);
    if (const Json* border = in.member(json, "border", where, false)) {
        const std::string at = where + ".border";
        format.border.left = readSide(in, *border, "left", at);
        format.border.right = readSide(in, *border, "right", at);
        format.border.top = readSide(in, *border, "top", at);
        format.border.bottom = readSide(in, *border, "bottom", at);
    }
    return format;
}

Zrk_String lineAndColumn(const std::string& text, std::size_t byte) {
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i < byte && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// The sheet's own entries as a JSON tree for the checks (numbers keep their kind, as the checks tell
// whole, unsigned and other numbers apart).
Json toJson(simdjson::dom::element element) {
    using Type = simdjson::dom::element_type;
    switch (element.type()) {
    case Type::ARRAY: {
        Json list = Json::array();
        for (simdjson::dom::element item : simdjson::dom::array(element))
            list.push_back(toJson(item));
        return list;
    }
    case Type::OBJECT: {
        Json object = Json::object();
        for (simdjson::dom::key_value_pair entry : simdjson::dom::object(element))
            object[std::string(entry.key)] = toJson(entry.value); // a key given twice: the last counts
        return object;
    }
    case Type::INT64: {
        // As a JSON reader gives them: whole numbers from 0 up unsigned, negative ones signed.
        const std::int64_t number = element.get_int64().value_unsafe();
        return number >= 0 ? Json(static_cast<std::uint64_t>(number)) : Json(number);
    }
    case Type::UINT64:
        return Json(std::uint64_t(element.get_uint64().value_unsafe()));
    case Type::DOUBLE:
        return Json(element.get_double().value_unsafe());
    case Type::STRING:
        return Json(std::string(element.get_string().value_unsafe()));
    case Type::BOOL:
        return Json(element.get_bool().value_unsafe());
    default:
        return Json(nullptr);
    }
}

// Why a text is no JSON, with the line and column of the fault. nlohmann's reader words it for
// people; it runs only for a text the fast reader refused, and keeps nothing of it.
std::string syntaxFault(const std::string& utf8, simdjson::error_code error) {
    try {
        const Json discarded = Json::parse(utf8, [](int, Json::parse_event_t, Json&) { return false; });
    } catch (const Json::parse_error& e) {
        std::string what = e.what();
        const std::size_t colon = what.find(": ", what.find("parse error"));
        if (colon != std::string::npos) what = what.substr(colon + 2);
        return lineAndColumn(utf8, e.byte == 0 ? 0 : e.byte - 1) + ": " + what;
    } catch (const std::exception& e) {
        // "[json.exception.out_of_range.406] number overflow parsing '1e400'": the words after the tag.
        const std::string what = e.what();
        const std::size_t tag = what.find("] ");
        return tag == std::string::npos ? what : what.substr(tag + 2);
    }
    return simdjson::error_message(error);
}

bool isWhole(simdjson::dom::element value) {
    const simdjson::dom::element_type type = value.type();
    return type == simdjson::dom::element_type::INT64 || type == simdjson::dom::element_type::UINT64;
}
bool isNumber(simdjson::dom::element value) {
    return isWhole(value) || value.type() == simdjson::dom::element_type::DOUBLE;
}

} // namespace

// --- save ---------------------------------------------------------------------------------------

std::string Sheet::saveToText(Zrk_String* refusal) const {
    const detail::SheetData& d = state_->data;
    WriteCheck check;
    check.sheet(d);
    Json header;
    header["format"] = kFormatName;
    header["version"] = kFormatVersion;
    header["columns"] = d.maxCols;
    header["rows"] = d.maxRows;
    Json options = Json::array();
    for (int i = 0; i < kOptionCount; ++i)
        if (detail::isDocumentOption(i) && d.options[i]) options.push_back(i);
    header["options"] = options;
    header["defaultFont"] = fontJson(d.defaultFont);
    header["defaultColumnWidth"] = d.defaultColWidth;
    header["defaultRowHeight"] = d.defaultRowHeight;
    header["look"] = Json{{"appearance", d.appearance},   {"backColorStyle", d.backColorStyle},
                          {"selectionBack", d.selBack},   {"selectionFore", d.selFore},
                          {"noteIndicator", d.noteIndicator}, {"grayBack", d.grayBack},
                          {"grayFore", d.grayFore},       {"shadowBack", d.shadowBack},
                          {"shadowFore", d.shadowFore},   {"gridType", d.gridType},
                          {"gridColor", d.gridColor}};
    header["textTip"] = Json{{"mode", d.textTip.mode}, {"delay", d.textTip.delay}, {"font", fontJson(d.textTip.font)},
                             {"back", d.textTip.backColor}, {"fore", d.textTip.foreColor}};
    header["activeCell"] = Json::array({d.activeCol, d.activeRow});
    if (d.hasSelection) header["selection"] = Json::array({d.selCol1, d.selRow1, d.selCol2, d.selRow2});
    Json widths = Json::array(), heights = Json::array(), spans = Json::array();
    for (const auto& [col, px] : d.colWidths) widths.push_back(Json::array({col, px}));
    for (const auto& [row, px] : d.rowHeights) heights.push_back(Json::array({row, px}));
    for (const detail::Span& s : d.spans) spans.push_back(Json::array({s.col, s.row, s.cols, s.rows}));
    header["columnWidths"] = widths;
    header["rowHeights"] = heights;
    header["spans"] = spans;
    // Only the types and looks that cells use, renumbered.
    std::vector<int> typeIndex(d.types.size(), -1), formatIndex(d.formats.size(), -1);
    Json types = Json::array(), formats = Json::array();
    for (const Column& column : d.columns)
        for (const Cell& cell : column.cells) {
            if (cell.type != 0 && typeIndex[cell.type] < 0) {
                typeIndex[cell.type] = static_cast<int>(types.size()) + 1;
                check.type(d.types[cell.type], "types[" + std::to_string(types.size()) + "]");
                types.push_back(typeJson(d.types[cell.type]));
            }
            if (cell.format != 0 && formatIndex[cell.format] < 0) {
                formatIndex[cell.format] = static_cast<int>(formats.size()) + 1;
                if (d.formats[cell.format].hasFont)
                    check.font(d.formats[cell.format].font, "formats[" + std::to_string(formats.size()) + "].font");
                formats.push_back(formatJson(d.formats[cell.format]));
            }
        }
    header["types"] = types;
    header["formats"] = formats;

    std::string out = header.dump(2);
    out.pop_back(); // the closing brace: the cells follow, one a line
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    out += ",\n  \"cells\": [";
    bool first = true;
    for (std::size_t c = 0; c < d.columns.size(); ++c) {
        const Column& column = d.columns[c];
        for (std::size_t i = 0; i < column.cells.size(); ++i) {
            const Cell& cell = column.cells[i];
            // Where a cell is, built only when something is wrong with it.
            const auto at = [&] { return "cell (" + std::to_string(c) + ", " + std::to_string(column.rows[i]) + ")"; };
            if (check.refusal().empty()) {
                if (cell.kind == CellKind::Text && cell.text.size() > static_cast<std::size_t>(kMaxCellTextLength))
                    check.text(cell.text, at());
                if (cell.tag) check.text(*cell.tag, at() + ".tag");
            }
            out += first ? "\n    {\"c\": " : ",\n    {\"c\": ";
            first = false;
            out += std::to_string(c);
            out += ", \"r\": ";
            out += std::to_string(column.rows[i]);
            switch (cell.kind) {
            case CellKind::Text:
                out += ", \"text\": ";
                appendString(out, cell.text);
                if (cell.forcedText) out += ", \"literal\": true";
                break;
            case CellKind::Number:
                out += ", \"number\": ";
                appendNumber(out, cell.number);
                break;
            case CellKind::Formula: {
                out += ", \"formula\": ";
                // The file holds formulas in A1 style: one written in R1C1 may come out longer.
                const Zrk_String formula = printFormula(cell.formula->formula, false, static_cast<int>(c), column.rows[i], functionResolver());
                if (formula.size() > static_cast<std::size_t>(kMaxFormulaLength))
                    check.refuse(at(), "the formula is longer than " + std::to_string(kMaxFormulaLength) +
                                           " characters in A1 style");
                appendString(out, formula);
                const Value& v = cell.formula->result;
                if (cell.formula->dirty) break;
                out += ", \"result\": ";
                switch (v.kind) {
                case ValueKind::Number:
                    // A number beyond a double's range is no number of the file: the formula computes again.
                    if (std::isfinite(v.number)) appendNumber(out, v.number);
                    else out += "{\"error\": \"#NUM!\"}";
                    break;
                case ValueKind::Bool: out += v.number != 0.0 ? "true" : "false"; break;
                case ValueKind::Text:
                    check.text(v.text, at() + ".result");
                    appendString(out, v.text);
                    break;
                case ValueKind::Error:
                    out += "{\"error\": ";
                    appendString(out, errorText(v.error));
                    out += "}";
                    break;
                default: out += "null"; break;
                }
                break;
            }
            case CellKind::Empty: break;
            }
            if (cell.type) out += ", \"type\": " + std::to_string(typeIndex[cell.type]);
            if (cell.format) out += ", \"format\": " + std::to_string(formatIndex[cell.format]);
            if (cell.locked) out += ", \"locked\": true";
            if (cell.tag) {
                out += ", \"tag\": ";
                appendString(out, *cell.tag);
            }
            out += "}";
        }
    }
    out += first ? "]\n}\n" : "\n  ]\n}\n";
    if (out.size() > kMaxFileBytes) check.refuse("file", "the sheet would take more than " + std::to_string(kMaxFileBytes >> 20) + " MB");
    if (refusal) *refusal = check.refusal();
    return out;
}

bool Sheet::saveToFile(const Zrk_String& path, Zrk_String& message) const {
    const Zrk_String file = normalizePath(path);
    if (file.empty()) {
        message = "No file name was given for saving the spreadsheet.";
        return false;
    }
    Zrk_String refusal;
    const std::string text = saveToText(&refusal);
    if (!refusal.empty()) {
        message = file + ": the spreadsheet is not saved, as it could not be read again: " + refusal + ".";
        return false;
    }
    if (!writeFileAtomically(file, text, &message)) return false;
    message.clear();
    return true;
}

// --- load ---------------------------------------------------------------------------------------

bool Sheet::loadFromFile(const Zrk_String& path, Zrk_String& message) {
    Zrk_String found;
    std::string bytes;
    if (!readFoundFile(normalizePath(path), found, bytes, message)) return false;
    return loadFromText(bytes, found, message);
}

bool Sheet::loadFromText(const std::string& utf8, const Zrk_String& fileName, Zrk_String& message) {
    if (structureLocked()) {
        message = fileName + ": a spreadsheet cannot be loaded while its formulas are calculated.";
        return false;
    }
    if (utf8.size() > kMaxFileBytes) {
        message = fileName + ": the file is too large for a spreadsheet.";
        return false;
    }
    // Small files (standards, tables) reuse one parser's buffers, one per thread; a large file gets
    // buffers of its own, which go with it.
    constexpr std::size_t kReusedParserBytes = 4u << 20;
    static thread_local simdjson::dom::parser reused;
    simdjson::dom::parser own;
    simdjson::dom::parser& parser = utf8.size() <= kReusedParserBytes ? reused : own;
    simdjson::dom::element document;
    if (const simdjson::error_code error = parser.parse(utf8.data(), utf8.size()).get(document)) {
        message = fileName + ": not a spreadsheet file (" + syntaxFault(utf8, error) + ").";
        return false;
    }
    Json root;
    if (document.is_object()) {
        root = Json::object();
        for (simdjson::dom::key_value_pair entry : simdjson::dom::object(document))
            if (entry.key != "cells") root[std::string(entry.key)] = toJson(entry.value);
    }
    Reader in;
    const std::string top = "file";
    if (!root.is_object()) {
        message = fileName + ": not a spreadsheet file (expected a JSON object).";
        return false;
    }
    if (in.text(root, "format", top, true) != kFormatName) {
        message = fileName + ": not a spreadsheet file (the entry \"format\" must be \"spreadsheet\").";
        return false;
    }
    const long long version = in.integer(root, "version", top, 1, 1000000, 1, true);
    if (!in.failed() && version > kFormatVersion) {
        message = fileName + ": the file has format version " + std::to_string(version) + "; this program reads version " +
                  std::to_string(kFormatVersion) + " and older.";
        return false;
    }
    auto data = std::make_unique<detail::SheetData>();
    detail::SheetData& d = *data;
    d.maxCols = static_cast<int>(in.integer(root, "columns", top, 0, kMaxColumnCount, 0, true));
    d.maxRows = static_cast<int>(in.integer(root, "rows", top, 0, kMaxRowCount, 0, true));
    d.columns.clear();
    d.columns.resize(static_cast<std::size_t>(d.maxCols) + 1);
    for (int i = 0; i < kOptionCount; ++i)
        if (detail::isDocumentOption(i)) d.options[i] = false;
    if (const Json* options = in.member(root, "options", top, false)) {
        if (!options->is_array()) in.fail(top + ".options", "expected a list of option numbers");
        else
            for (const Json& option : *options) {
                if (!option.is_number_integer() || option.get<long long>() < 0 || option.get<long long>() >= kOptionCount) {
                    in.fail(top + ".options", "expected option numbers from 0 to " + std::to_string(kOptionCount - 1));
                    break;
                }
                const int number = option.get<int>();
                if (detail::isDocumentOption(number)) d.options[number] = true;
            }
    }
    if (const Json* font = in.member(root, "defaultFont", top, false)) d.defaultFont = in.font(*font, top + ".defaultFont");
    d.defaultColWidth = in.real(root, "defaultColumnWidth", top, d.defaultColWidth);
    d.defaultRowHeight = in.real(root, "defaultRowHeight", top, d.defaultRowHeight);
    if (d.defaultColWidth < 0 || d.defaultRowHeight < 0 || d.defaultColWidth > kMaxPixels || d.defaultRowHeight > kMaxPixels)
        in.fail(top, "the default sizes must lie from 0 to 1000000 pixels");
    if (const Json* look = in.member(root, "look", top, false)) {
        const std::string at = top + ".look";
        d.appearance = static_cast<int>(in.integer(*look, "appearance", at, -kMaxLookNumber, kMaxLookNumber, 0));
        d.backColorStyle = static_cast<int>(in.integer(*look, "backColorStyle", at, -kMaxLookNumber, kMaxLookNumber, 0));
        d.selBack = in.color(*look, "selectionBack", at, kColorDefault);
        d.selFore = in.color(*look, "selectionFore", at, kColorDefault);
        d.noteIndicator = static_cast<int>(in.integer(*look, "noteIndicator", at, -kMaxLookNumber, kMaxLookNumber, 0));
        d.grayBack = in.color(*look, "grayBack", at, kColorDefault);
        d.grayFore = in.color(*look, "grayFore", at, kColorDefault);
        d.shadowBack = in.color(*look, "shadowBack", at, kColorDefault);
        d.shadowFore = in.color(*look, "shadowFore", at, kColorDefault);
        d.gridType = static_cast<int>(in.integer(*look, "gridType", at, -kMaxLookNumber, kMaxLookNumber, 0));
        d.gridColor = in.color(*look, "gridColor", at, kColorDefault);
    }
    if (const Json* tip = in.member(root, "textTip", top, false)) {
        const std::string at = top + ".textTip";
        d.textTip.mode = static_cast<int>(in.integer(*tip, "mode", at, 0, kMaxTipMode, 0));
        d.textTip.delay = static_cast<int>(in.integer(*tip, "delay", at, 0, kMaxTipDelay, 500));
        if (const Json* font = in.member(*tip, "font", at, false)) d.textTip.font = in.font(*font, at + ".font");
        d.textTip.backColor = in.color(*tip, "back", at, kColorDefault);
        d.textTip.foreColor = in.color(*tip, "fore", at, kColorDefault);
    }
    auto intList = [&](const Json& list, std::size_t count, const std::string& where, std::vector<long long>& out) {
        out.clear();
        if (!list.is_array() || list.size() != count) {
            in.fail(where, "expected a list of " + std::to_string(count) + " numbers");
            return false;
        }
        for (const Json& item : list) {
            if (!item.is_number_integer()) {
                in.fail(where, "expected a list of " + std::to_string(count) + " whole numbers");
                return false;
            }
            out.push_back(item.get<long long>());
        }
        return true;
    };
    std::vector<long long> numbers;
    if (const Json* active = in.member(root, "activeCell", top, false))
        if (intList(*active, 2, top + ".activeCell", numbers)) {
            if (numbers[0] < 1 || numbers[1] < 1 || numbers[0] > std::max(d.maxCols, 1) || numbers[1] > std::max(d.maxRows, 1))
                in.fail(top + ".activeCell", "the cell lies outside the sheet");
            d.activeCol = static_cast<int>(numbers[0]);
            d.activeRow = static_cast<int>(numbers[1]);
        }
    if (const Json* selection = in.member(root, "selection", top, false))
        if (intList(*selection, 4, top + ".selection", numbers)) {
            for (std::size_t i = 0; i < 4; ++i)
                if (numbers[i] < -1 || numbers[i] > (i % 2 == 0 ? d.maxCols : d.maxRows)) in.fail(top + ".selection", "the block lies outside the sheet");
            d.hasSelection = true;
            d.selCol1 = static_cast<int>(numbers[0]);
            d.selRow1 = static_cast<int>(numbers[1]);
            d.selCol2 = static_cast<int>(numbers[2]);
            d.selRow2 = static_cast<int>(numbers[3]);
        }
    auto sizes = [&](const char* key, int maximum, std::map<int, double>& out) {
        const Json* list = in.member(root, key, top, false);
        if (!list) return;
        const std::string at = top + "." + key;
        if (!list->is_array()) return in.fail(at, "expected a list of [index, pixels]");
        for (std::size_t i = 0; i < list->size() && !in.failed(); ++i) {
            const Json& item = (*list)[i];
            const std::string where = at + "[" + std::to_string(i) + "]";
            if (!item.is_array() || item.size() != 2 || !item[0].is_number_integer() || !item[1].is_number()) {
                in.fail(where, "expected [index, pixels]");
                return;
            }
            const long long index = item[0].get<long long>();
            const double px = item[1].get<double>();
            if (index < 0 || index > maximum) return in.fail(where, "the index lies outside the sheet");
            if (!(px >= 0 && px <= kMaxPixels)) return in.fail(where, "expected pixels from 0 to 1000000");
            out[static_cast<int>(index)] = px;
        }
    };
    sizes("columnWidths", d.maxCols, d.colWidths);
    sizes("rowHeights", d.maxRows, d.rowHeights);
    if (const Json* spans = in.member(root, "spans", top, false)) {
        if (!spans->is_array()) in.fail(top + ".spans", "expected a list of spans");
        else
            for (std::size_t i = 0; i < spans->size() && !in.failed(); ++i) {
                const std::string where = top + ".spans[" + std::to_string(i) + "]";
                if (!intList((*spans)[i], 4, where, numbers)) break;
                const detail::Span span{static_cast<int>(numbers[0]), static_cast<int>(numbers[1]),
                                        static_cast<int>(numbers[2]), static_cast<int>(numbers[3])};
                if (numbers[0] < 0 || numbers[1] < 0 || numbers[2] < 1 || numbers[3] < 1 ||
                    numbers[0] + numbers[2] - 1 > d.maxCols || numbers[1] + numbers[3] - 1 > d.maxRows) {
                    in.fail(where, "the span lies outside the sheet");
                    break;
                }
                for (const detail::Span& other : d.spans)
                    if (other.col < span.col + span.cols && span.col < other.col + other.cols &&
                        other.row < span.row + span.rows && span.row < other.row + other.rows)
                        in.fail(where, "the span overlaps another span");
                d.spans.push_back(span);
            }
    }
    if (const Json* types = in.member(root, "types", top, false)) {
        if (!types->is_array()) in.fail(top + ".types", "expected a list of cell types");
        else
            for (std::size_t i = 0; i < types->size() && !in.failed(); ++i)
                d.types.push_back(readType(in, (*types)[i], top + ".types[" + std::to_string(i) + "]"));
    }
    if (const Json* formats = in.member(root, "formats", top, false)) {
        if (!formats->is_array()) in.fail(top + ".formats", "expected a list of cell formats");
        else
            for (std::size_t i = 0; i < formats->size() && !in.failed(); ++i)
                d.formats.push_back(readFormat(in, (*formats)[i], top + ".formats[" + std::to_string(i) + "]"));
    }
    // Cells: appended to their columns as they come (a file written by the library has them in
    // order); a column that came out of order is sorted at the end, and a cell given twice refused.
    std::vector<char> unordered(d.columns.size(), 0);
    const auto readCell = [&](simdjson::dom::element item, std::size_t i) {
        using Element = simdjson::dom::element;
        // The path of the entry is built only when something is wrong with it.
        auto where = [&]() { return top + ".cells[" + std::to_string(i) + "]"; };
        if (!item.is_object()) {
            in.fail(where(), "expected an object");
            return;
        }
        // One pass over the entries of the cell (files hold many cells: no lookups per entry); an
        // entry given twice counts with its last value.
        enum Entry {
            kCol,
            kRow,
            kText,
            kNumber,
            kFormula,
            kResult,
            kType,
            kFormat,
            kLocked,
            kTag,
            kLiteral,
            kEntries
        };
        Element entries[kEntries];
        bool given[kEntries] = {};
        for (simdjson::dom::key_value_pair field : simdjson::dom::object(item)) {
            const std::string_view key = field.key;
            int entry = -1;
            if (key == "c")
                entry = kCol;
            else if (key == "r")
                entry = kRow;
            else if (key == "text")
                entry = kText;
            else if (key == "number")
                entry = kNumber;
            else if (key == "formula")
                entry = kFormula;
            else if (key == "result")
                entry = kResult;
            else if (key == "type")
                entry = kType;
            else if (key == "format")
                entry = kFormat;
            else if (key == "locked")
                entry = kLocked;
            else if (key == "tag")
                entry = kTag;
            else if (key == "literal")
                entry = kLiteral;
            if (entry < 0) continue;
            entries[entry] = field.value;
            given[entry] = true;
        }
        const auto value = [&](Entry entry) -> const Element* {
            return given[entry] ? &entries[entry] : nullptr;
        };
        const Element *colJson = value(kCol), *rowJson = value(kRow), *textJson = value(kText),
                      *numberJson = value(kNumber), *formulaJson = value(kFormula),
                      *resultJson = value(kResult), *typeJson = value(kType), *formatJson = value(kFormat),
                      *lockedJson = value(kLocked), *tagJson = value(kTag), *literalJson = value(kLiteral);
        auto whole = [&](const Element* value, const char* key, long long maximum, long long fallback,
                         bool required) {
            if (!value) {
                if (required) in.fail(where(), std::string("the entry \"") + key + "\" is missing");
                return fallback;
            }
            if (!isWhole(*value)) {
                in.fail(where() + "." + key, "expected a whole number");
                return fallback;
            }
            // An unsigned whole number is one beyond the signed ones: above every maximum.
            const long long number = value->type() == simdjson::dom::element_type::UINT64
                                         ? maximum + 1
                                         : static_cast<long long>(value->get_int64().value_unsafe());
            if (number < 0 || number > maximum) {
                in.fail(where() + "." + key, "expected a number from 0 to " + std::to_string(maximum));
                return fallback;
            }
            return number;
        };
        auto flag = [&](const Element* value, const char* key) {
            if (!value) return false;
            bool on = false;
            if (value->get_bool().get(on)) {
                in.fail(where() + "." + key, "expected true or false");
                return false;
            }
            return on;
        };
        const int col = static_cast<int>(whole(colJson, "c", d.maxCols, 0, true));
        const int row = static_cast<int>(whole(rowJson, "r", d.maxRows, 0, true));
        if (in.failed()) return;
        Cell cell;
        if (int(textJson != nullptr) + int(numberJson != nullptr) + int(formulaJson != nullptr) > 1) {
            in.fail(where(), "a cell holds a text, a number or a formula, not several");
            return;
        }
        cell.type = static_cast<std::uint32_t>(whole(typeJson, "type", static_cast<long long>(d.types.size()) - 1, 0, false));
        cell.format = static_cast<std::uint32_t>(whole(formatJson, "format", static_cast<long long>(d.formats.size()) - 1, 0, false));
        cell.locked = flag(lockedJson, "locked");
        if (tagJson) cell.tag = std::make_unique<Zrk_String>(in.text(*tagJson, where() + ".tag"));
        if (textJson) {
            cell.kind = CellKind::Text;
            std::string_view utf8;
            const bool plain = !textJson->get_string().get(utf8) &&
                               utf8.size() <= static_cast<std::size_t>(kMaxCellTextLength);
            cell.text = in.text(*textJson, plain ? std::string() : where() + ".text");
            cell.forcedText = flag(literalJson, "literal");
            double number = 0.0;
            cell.numericText = !cell.forcedText && parseNumber(cell.text, number);
            cell.number = cell.numericText ? number : 0.0;
            if (cell.text.empty()) cell.kind = CellKind::Empty;
        } else if (numberJson) {
            double number = 0.0;
            if (!isNumber(*numberJson) || numberJson->get_double().get(number) || !std::isfinite(number)) {
                in.fail(where() + ".number", "expected a finite number");
                return;
            }
            cell.kind = CellKind::Number;
            cell.number = number;
        } else if (formulaJson) {
            if (col < 1 || row < 1) {
                in.fail(where(), "a header cell cannot hold a formula");
                return;
            }
            const Zrk_String text = in.text(*formulaJson, where() + ".formula");
            if (in.failed()) return;
            auto formula = std::make_unique<FormulaCell>();
            const ParseResult parsed = parseFormula(text, false, col, row, mutableResolver(), formula->formula);
            if (!parsed.ok) {
                in.fail(where() + ".formula", parsed.message);
                return;
            }
            formula->col = col;
            formula->row = row;
            formula->dirty = true;
            if (const Element* result = resultJson) {
                using Type = simdjson::dom::element_type;
                formula->dirty = false;
                const Type type = result->type();
                if (isNumber(*result)) {
                    const double number = result->get_double().value_unsafe();
                    if (!std::isfinite(number)) in.fail(where() + ".result", "expected a finite number");
                    formula->result.setNumber(number);
                } else if (type == Type::BOOL) {
                    formula->result.setBool(result->get_bool().value_unsafe());
                } else if (type == Type::STRING) {
                    formula->result.setText(in.text(*result, where() + ".result"));
                } else if (type == Type::NULL_VALUE) {
                    formula->result.setEmpty();
                } else if (type == Type::OBJECT) {
                    const ErrorCode error =
                        errorFromText(in.text(toJson(*result), "error", where() + ".result", true));
                    if (error == ErrorCode::None && !in.failed())
                        in.fail(where() + ".result.error", "unknown error value");
                    formula->result.setError(error);
                } else {
                    in.fail(where() + ".result", "expected a number, text, true, false, null or {\"error\": ...}");
                }
            }
            cell.kind = CellKind::Formula;
            cell.formula = std::move(formula);
        }
        if (cell.isBlank()) return;
        Column& column = d.columns[static_cast<std::size_t>(col)];
        if (!column.rows.empty() && column.rows.back() >= row) unordered[static_cast<std::size_t>(col)] = 1;
        column.rows.push_back(row);
        column.cells.push_back(std::move(cell));
    };
    if (!in.failed()) {
        std::size_t index = 0;
        // Every entry "cells" counts, in the order of the file.
        for (simdjson::dom::key_value_pair entry : simdjson::dom::object(document)) {
            if (entry.key != "cells") continue;
            simdjson::dom::array cells;
            if (entry.value.get_array().get(cells)) {
                in.fail(top + ".cells", "expected a list of cells");
                break;
            }
            for (simdjson::dom::element item : cells) {
                if (in.failed()) break;
                readCell(item, index++);
            }
        }
    }
    for (std::size_t c = 0; c < d.columns.size() && !in.failed(); ++c) {
        if (!unordered[c]) continue;
        Column& column = d.columns[c];
        std::vector<std::size_t> order(column.rows.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return column.rows[a] < column.rows[b]; });
        std::vector<int> rows;
        std::vector<Cell> cells;
        rows.reserve(order.size());
        cells.reserve(order.size());
        for (const std::size_t i : order) {
            if (!rows.empty() && rows.back() == column.rows[i]) {
                in.fail(top + ".cells", "cell (" + std::to_string(c) + ", " + std::to_string(column.rows[i]) + ") is given twice");
                break;
            }
            rows.push_back(column.rows[i]);
            cells.push_back(std::move(column.cells[i]));
        }
        column.rows = std::move(rows);
        column.cells = std::move(cells);
    }
    if (in.failed()) {
        message = fileName + ": " + in.message() + ".";
        return false;
    }

    // The file is good: it replaces the sheet.
    replaceWithLoaded(d);
    message.clear();
    return true;
}

void Sheet::replaceWithLoaded(detail::SheetData& loaded) {
    notify([](SheetObserver* o) { o->sheetAboutToReset(); });
    for (int i = 0; i < kOptionCount; ++i)
        if (!detail::isDocumentOption(i)) loaded.options[i] = state_->data.options[i];
    loaded.options[kOptionChanged] = false;
    loaded.operationMode = state_->data.operationMode;
    loaded.referenceStyle = state_->data.referenceStyle;
    state_->data = std::move(loaded);
    state_->pending.clear();
    state_->editMode = false;
    rebuildGraph();
    if (state_->data.options[kOptionAutoCalc]) recalcAll();
    notify([](SheetObserver* o) { o->sheetReset(); });
}

bool Sheet::copyFrom(const Sheet& source) {
    if (structureLocked()) return false;
    if (&source == this) return true;
    detail::SheetData copy = source.state_->data;
    // Custom functions are numbered per sheet in the order their names were first met: a formula
    // copied from another sheet calls them by name.
    std::unordered_map<int, int> ids;
    for (Column& column : copy.columns) {
        for (Cell& cell : column.cells) {
            if (!cell.formula) continue;
            for (Token& token : cell.formula->formula.code) {
                if (token.op != Op::Call || token.a < kFirstCustomFunctionId) continue;
                auto [it, added] = ids.try_emplace(token.a, -1);
                if (added) {
                    const auto index = static_cast<std::size_t>(token.a - kFirstCustomFunctionId);
                    if (index < source.state_->customs.size())
                        it->second = customFunctionId(source.state_->customs[index].name, true);
                }
                if (it->second < 0) return false; // this sheet has no room for another function name
                token.a = it->second;
            }
        }
    }
    replaceWithLoaded(copy);
    return true;
}

} // namespace spreadlib
