// The rewriting of equations: declarations parse without harm; whole-word replacement gives the same
// text plain and indexed; a general variable's value put into an equation is a text literal that the
// formula engine reads back as exactly that value.
//
// Input: the text to rewrite on the first line, then lines of names and values in turn; a first
// byte's low bit asks for quoting.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/files.h"
#include "core/text.h"
#include "spreadlib/sheet.h"
#include "standards/replace_words.h"
#include "standards/var_cell.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool quote = data[0] & 1;
    Zrk_StringArray lines;
    core::splitLines(std::string(reinterpret_cast<const char*>(data + 1), size - 1), lines);
    if (lines.isEmpty()) return 0;
    const Zrk_String text = lines[0];

    KvValueType type;
    Zrk_String name, left, right;
    KvVarCell::parseDeclaration(text, type, name);
    splitString(text, "=", left, right, /*trimBlanks=*/true);

    Zrk_StringArray names, values;
    for (int i = 1; i + 1 < lines.length() && names.length() < 16; i += 2) {
        names.append(lines[i]);
        values.append(lines[i + 1]);
    }
    Zrk_String plain = text, indexed = text;
    bool plainOverflow = false, indexedOverflow = false;
    const bool plainChanged = standards::replaceWords(plain, names, values, quote, &plainOverflow);
    const bool indexedChanged = standards::WordReplacer(names, values, quote).apply(indexed, &indexedOverflow);
    if (plainChanged != indexedChanged || plain != indexed || plainOverflow != indexedOverflow) std::abort();

    // Each value as the literal an equation gets: the engine reads the value back.
    spreadlib::Sheet sheet;
    for (const Zrk_String& value : values) {
        if (isNumber(value) || value.size() > 2000) continue;
        Zrk_String literal = "X";
        standards::replaceWords(literal, {"X"}, {value}, true);
        Zrk_String message, read;
        if (!sheet.setFormula(1, 1, literal, true, &message)) std::abort();
        sheet.getValue(1, 1, read);
        if (read != value) std::abort();
    }
    return 0;
}
