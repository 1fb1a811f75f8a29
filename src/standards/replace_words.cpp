#include "standards/replace_words.h"

#include "core/text.h"

namespace standards {

bool isWordChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool replaceWords(Zrk_String& text, const Zrk_StringArray& names, const Zrk_StringArray& values, bool quote,
                  bool* overflow) {
    if (overflow) *overflow = false;
    const int pairs = std::min(names.length(), values.length());
    // Most texts hold none of the names: answer without copying them.
    bool any = false;
    for (int i = 0; i < pairs && !any; ++i) any = !names[i].empty() && text.find(names[i]) != Zrk_String::npos;
    if (!any) return false;

    Zrk_String result = text;
    bool replaced = false;
    for (int i = 0; i < pairs; ++i) {
        const Zrk_String& name = names[i];
        if (name.empty()) continue;
        Zrk_String value = values[i];
        if (quote && !isNumber(value)) value = "\"" + value + "\"";
        std::size_t position = 0;
        for (long iteration = 0; iteration < 99999999L; ++iteration) {
            const std::size_t found = result.find(name, position);
            if (found == Zrk_String::npos) break;
            const std::size_t after = found + name.size();
            const bool startsWord = found == 0 || !isWordChar(result[found - 1]);
            const bool endsWord = after == result.size() || !isWordChar(result[after]);
            if (!startsWord || !endsWord) {
                position = after;
                continue;
            }
            if (result.size() - name.size() + value.size() > kMaxReplacedTextLength) {
                if (overflow) *overflow = true;
                return false;
            }
            result.replace(found, name.size(), value);
            position = found + value.size();
            replaced = true;
        }
    }
    if (replaced) text = std::move(result);
    return replaced;
}

} // namespace standards
