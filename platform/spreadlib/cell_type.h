#pragma once
// Records that describe a cell beyond its content: its type with the type's settings (CellType) and
// its look (FontSpec, Border, CellFormat). All are plain value classes; a sheet keeps one shared copy
// of each distinct record and its cells refer to it.

#include <cstdint>
#include <memory>
#include <string>

#include "core/zrk_string.h"
#include "spreadlib/constants.h"

namespace spreadlib {

// The bytes of a picture file as they were when a picture cell was made: the cell shows them even
// after the file is gone, and the sheet's file carries them. Compared by content.
struct PictureData {
    std::shared_ptr<const std::string> bytes;
    bool isEmpty() const { return !bytes || bytes->empty(); }
    bool operator==(const PictureData& other) const {
        return isEmpty() ? other.isEmpty() : (!other.isEmpty() && *bytes == *other.bytes);
    }
};

// A type record is built with one of the static makers and then set on a cell or a block.
struct CellType {
    int code = kTypeGeneral;
    std::uint32_t style = 0;
    // Edit and static: the most characters the grid's editor accepts. Programs may store longer texts:
    // the limit guards typing, it never cuts stored text.
    int maxLength = 0;
    // Number and integer: decimals (0..15) and limits (both 0: no limits).
    int decimals = 0;
    double minValue = 0.0;
    double maxValue = 0.0;
    bool separator = false; // thousands separators in the value text
    // Combo: the items, tab-separated. Check box and button: the caption. Picture from file: the path.
    Zrk_String text;
    // Picture from a handle: the picture. Check box with pictures: the pictures of the checked and
    // unchecked faces (normal, pressed, disabled). Handles belong to the caller; 0 is none.
    std::uintptr_t pictures[6] = {0, 0, 0, 0, 0, 0};
    bool pictureFromFile = false;
    // Picture from file: the file's bytes, read when the type is made (empty when it could not be read).
    PictureData pictureData;

    static CellType general() { return CellType(); }
    static CellType edit(std::uint32_t style, int maxLength);
    static CellType staticText(std::uint32_t style, int maxLength);
    static CellType header(std::uint32_t style);
    static CellType number(std::uint32_t style, int decimals, double minValue, double maxValue, bool separator);
    static CellType integer(std::uint32_t style, double minValue, double maxValue);
    static CellType combo(std::uint32_t style, const Zrk_String& tabSeparatedItems);
    static CellType checkBox(std::uint32_t style, const Zrk_String& caption);
    static CellType button(std::uint32_t style, const Zrk_String& caption);
    // checkedNormal, checkedPressed, checkedDisabled, uncheckedNormal, uncheckedPressed, uncheckedDisabled
    static CellType checkBoxPictures(std::uint32_t style, const std::uintptr_t (&pictures)[6]);
    // Reads the file now (up to kMaxPictureBytes), so that the cell keeps its picture when the file
    // is deleted or moved, as bill pictures are.
    static CellType pictureFile(std::uint32_t style, const Zrk_String& path);
    static CellType pictureHandle(std::uint32_t style, std::uintptr_t picture);

    // The items of a combo cell.
    Zrk_StringArray comboItems() const;
    // Number and integer cells round values to this many decimals (integer: 0); others: -1.
    int roundingDecimals() const;
    bool isNumeric() const { return code == kTypeNumber || code == kTypeInteger; }

    bool operator==(const CellType&) const = default;
};

struct FontSpec {
    Zrk_String face = "Tahoma";
    int height = 15; // pixels
    int weight = kFontWeightNormal;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool operator==(const FontSpec&) const = default;
};

struct BorderSide {
    int style = kBorderStyleNone;
    Color color = kColorDefault;
    bool operator==(const BorderSide&) const = default;
};

// The four sides of a cell's border.
struct Border {
    BorderSide left, right, top, bottom;
    bool isEmpty() const { return left.style == 0 && right.style == 0 && top.style == 0 && bottom.style == 0; }
    bool operator==(const Border&) const = default;
};

// Everything about a cell's look. A cell without a format record uses the sheet's defaults.
struct CellFormat {
    bool hasFont = false; // false: the sheet's default font
    FontSpec font;
    Color backColor = kColorDefault;
    Color foreColor = kColorDefault;
    Border border;
    bool operator==(const CellFormat&) const = default;
};

// Text-tip settings of a sheet (the tip that shows a cell's whole text under the mouse).
struct TextTipSettings {
    int mode = 0;   // 0 off, 1 fixed, 2 floating, 3 fixed with focus, 4 floating with focus
    int delay = 500; // milliseconds
    FontSpec font;
    Color backColor = kColorDefault;
    Color foreColor = kColorDefault;
    bool operator==(const TextTipSettings&) const = default;
};

// A key that triggers one of the grid's actions (0 clear, 1 current, 2 cancel ...): key code 0 is none.
struct ActionKey {
    int shift = 0;
    int key = 0;
    bool operator==(const ActionKey&) const = default;
};

} // namespace spreadlib
