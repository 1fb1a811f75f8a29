#pragma once
// The key/value store of spreadsheet document settings and its text form, the same in the tag of a
// sheet's cell (0, 0) and in named ".kvd" settings files.
//
// Text form: for each entry in order, the name, the separator byte 0xA4 ('¤' in the module's code
// page), the type number in decimal, 0xA4, the value text, 0xA4. No header, no line break, no
// escaping. Value texts: doubles with two decimals, ints and longs in decimal, strings as they are,
// none empty.
//
// Reading keeps every completed group of three fields as one entry, in order; bytes after the last
// complete group are ignored, and a type number other than 1..4 gives an entry of type none. A name
// that comes twice is set twice: the later value wins, the entry keeps the place of the first.
//
// A separator byte inside a name or a text would split its entry and shift every entry after it, so
// it is written as '?' instead: the one text loses a character, the rest of the store stays intact.

#include <unordered_map>
#include <vector>

#include "core/zrk_string.h"

class SettingsStore {
public:
    enum ValueType : int { kNone = 0, kDouble = 1, kInt = 2, kLong = 3, kString = 4 };
    static constexpr char kSeparator = '\xA4';

    struct Entry {
        Zrk_String name;
        int type = kNone;
        double doubleValue = 0.0;
        int intValue = 0;
        long long longValue = 0;
        Zrk_String text;
        bool operator==(const Entry&) const = default;
    };

    // Setting a name that exists (letter case ignored) replaces its type and value; for a value that
    // is not a string its text part is emptied as well. A new name is appended at the end.
    void setDouble(const Zrk_String& name, double value);
    void setInt(const Zrk_String& name, int value);
    void setLong(const Zrk_String& name, long long value);
    void setString(const Zrk_String& name, const Zrk_String& text);
    // A bool is an int entry holding 0 or 1.
    void setBool(const Zrk_String& name, bool value) { setInt(name, value ? 1 : 0); }
    void setNone(const Zrk_String& name);

    // A typed read succeeds only when the entry exists and has that type; value is left alone
    // otherwise. A bool reads an int entry as value != 0.
    bool getDouble(const Zrk_String& name, double& value) const;
    bool getInt(const Zrk_String& name, int& value) const;
    bool getLong(const Zrk_String& name, long long& value) const;
    bool getString(const Zrk_String& name, Zrk_String& text) const;
    bool getBool(const Zrk_String& name, bool& value) const;

    // Index of the entry with that name (letter case ignored), or -1.
    int find(const Zrk_String& name) const;
    const std::vector<Entry>& entries() const { return entries_; }
    int count() const { return static_cast<int>(entries_.size()); }
    void clear() {
        entries_.clear();
        index_.clear();
    }

    Zrk_String toText() const;
    // Replaces the content with the entries read from the text form. Never fails: what cannot be
    // read is left out as described above.
    void fromText(const Zrk_String& text);

    bool operator==(const SettingsStore& other) const { return entries_ == other.entries_; }

private:
    Entry& entryFor(const Zrk_String& name);

    std::vector<Entry> entries_;
    // Entry index by name in lower case, so that long texts read in linear time.
    std::unordered_map<Zrk_String, int> index_;
};
