#pragma once
// The one pair of conversions between the module's 8-bit text (Windows-1252) and UTF-8, used wherever
// text leaves or enters the module: Qt, the terminal, JSON.

#include "core/zrk_string.h"

namespace core {

// Every byte maps to a character; the five bytes that Windows-1252 leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the C1 control characters of the same number, so that any byte
// sequence survives a round trip.
std::string toUtf8(const Zrk_String& text);
// Characters outside Windows-1252 and malformed UTF-8 become '?'.
Zrk_String fromUtf8(const std::string& utf8);

} // namespace core
