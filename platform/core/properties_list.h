#pragma once
// A typed key/value store kept in the order the keys were first set, written to and read from a text
// file whole. Keys are compared as written (letter case counts).
//
// File format, one entry a line, in order:
//     key:int=42
//     key:double=0.125
//     key:string=text
// A key holds no ':', '=' or line break. Doubles are written with the fewest digits that read back to
// the same value. In strings, '\' is written "\\", a line break "\n", a carriage return "\r" and a
// tab "\t". Blank lines are ignored on reading. Other text files are refused with a message that
// names the file and the line.

#include <variant>

#include "core/zrk_string.h"

class Zrk_PropertiesList {
public:
    using Value = std::variant<int, double, Zrk_String>;

    // Setting a key that exists replaces its value and type and keeps its place.
    void setProperty(const Zrk_String& key, int value);
    void setProperty(const Zrk_String& key, double value);
    void setProperty(const Zrk_String& key, const Zrk_String& value);
    void setProperty(const Zrk_String& key, const char* value) { setProperty(key, Zrk_String(value)); }

    // A getter answers false, leaving value alone, when the key is missing or holds another type.
    // An integer entry also reads as a double.
    bool getProperty(const Zrk_String& key, int& value) const;
    bool getProperty(const Zrk_String& key, double& value) const;
    bool getProperty(const Zrk_String& key, Zrk_String& value) const;

    bool hasProperty(const Zrk_String& key) const { return indexOf(key) >= 0; }
    bool removeProperty(const Zrk_String& key);
    void clear() { entries_.clear(); }
    int count() const { return static_cast<int>(entries_.size()); }
    const Zrk_String& keyAt(int index) const { return entries_[static_cast<std::size_t>(index)].first; }
    const Value& valueAt(int index) const { return entries_[static_cast<std::size_t>(index)].second; }

    // Replaces the content with the file's. False (content unchanged, message set) on failure.
    bool readFromFile(const Zrk_String& path, Zrk_String* message = nullptr);
    // Writes atomically. False when the file could not be written, or a key or a number (not finite)
    // cannot be stored: nothing is written then.
    bool writeToFile(const Zrk_String& path) const;

    // The file text and its parsing, for callers that keep lists elsewhere.
    Zrk_String toText() const;
    bool fromText(const Zrk_StringArray& lines, const Zrk_String& fileName, Zrk_String* message = nullptr);

    bool operator==(const Zrk_PropertiesList& other) const = default;

private:
    int indexOf(const Zrk_String& key) const;
    void set(const Zrk_String& key, Value value);

    std::vector<std::pair<Zrk_String, Value>> entries_;
};
