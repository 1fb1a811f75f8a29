#pragma once
// "NAME=VALUE" options of the host shell (--in, --genvar).

#include <string>
#include <vector>

#include "core/zrk_string.h"

namespace sshost {

// Splits each text at its first "=" into a name and a value (module text, from UTF-8). False with a
// message naming the option when a text has no "=" or no name.
bool splitNameValues(const std::vector<std::string>& texts, const char* option, Zrk_StringArray& names,
                     Zrk_StringArray& values, std::string& error);

} // namespace sshost
