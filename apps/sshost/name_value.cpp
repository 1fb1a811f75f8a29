#include "sshost/name_value.h"

#include "core/codepage.h"

namespace sshost {

bool splitNameValues(const std::vector<std::string>& texts, const char* option, Zrk_StringArray& names,
                     Zrk_StringArray& values, std::string& error) {
    for (const std::string& text : texts) {
        const std::size_t equals = text.find('=');
        if (equals == std::string::npos || equals == 0) {
            error = std::string(option) + " expects NAME=VALUE, not \"" + text + "\".";
            return false;
        }
        names.append(core::fromUtf8(text.substr(0, equals)));
        values.append(core::fromUtf8(text.substr(equals + 1)));
    }
    return true;
}

} // namespace sshost
