#include "spreadlib/cell_type.h"

#include <algorithm>

#include "core/files.h"
#include "core/text.h"

namespace spreadlib {

CellType CellType::edit(std::uint32_t style, int maxLength) {
    CellType type;
    type.code = kTypeEdit;
    type.style = style;
    type.maxLength = std::max(0, maxLength);
    return type;
}

CellType CellType::staticText(std::uint32_t style, int maxLength) {
    CellType type = edit(style, maxLength);
    type.code = kTypeStatic;
    return type;
}

CellType CellType::header(std::uint32_t style) {
    CellType type;
    type.code = kTypeHeader;
    type.style = style;
    return type;
}

CellType CellType::number(std::uint32_t style, int decimals, double minValue, double maxValue, bool separator) {
    CellType type;
    type.code = kTypeNumber;
    type.style = style;
    type.decimals = std::clamp(decimals, 0, 15);
    type.minValue = std::min(minValue, maxValue);
    type.maxValue = std::max(minValue, maxValue);
    type.separator = separator;
    return type;
}

CellType CellType::integer(std::uint32_t style, double minValue, double maxValue) {
    CellType type = number(style, 0, minValue, maxValue, false);
    type.code = kTypeInteger;
    return type;
}

CellType CellType::combo(std::uint32_t style, const Zrk_String& tabSeparatedItems) {
    CellType type;
    type.code = kTypeCombo;
    type.style = style;
    type.text = tabSeparatedItems;
    return type;
}

CellType CellType::checkBox(std::uint32_t style, const Zrk_String& caption) {
    CellType type;
    type.code = kTypeCheckBox;
    type.style = style;
    type.text = caption;
    return type;
}

CellType CellType::button(std::uint32_t style, const Zrk_String& caption) {
    CellType type;
    type.code = kTypeButton;
    type.style = style;
    type.text = caption;
    return type;
}

CellType CellType::checkBoxPictures(std::uint32_t style, const std::uintptr_t (&pictures)[6]) {
    CellType type;
    type.code = kTypeCheckBox;
    type.style = style | kStyleCheckPictures;
    std::copy(std::begin(pictures), std::end(pictures), std::begin(type.pictures));
    return type;
}

CellType CellType::pictureFile(std::uint32_t style, const Zrk_String& path) {
    CellType type;
    type.code = kTypePicture;
    type.style = style;
    type.text = path;
    type.pictureFromFile = true;
    std::string bytes;
    if (readFileBytes(path, bytes) && !bytes.empty() && bytes.size() <= kMaxPictureBytes)
        type.pictureData.bytes = std::make_shared<const std::string>(std::move(bytes));
    return type;
}

CellType CellType::pictureHandle(std::uint32_t style, std::uintptr_t picture) {
    CellType type;
    type.code = kTypePicture;
    type.style = style;
    type.pictures[0] = picture;
    return type;
}

Zrk_StringArray CellType::comboItems() const {
    Zrk_StringArray items;
    if (code == kTypeCombo) strToArr(text, items, '\t');
    return items;
}

int CellType::roundingDecimals() const {
    if (code == kTypeInteger) return 0;
    if (code == kTypeNumber) return decimals;
    return -1;
}

} // namespace spreadlib
