#pragma once
// Inside the drawing file code (drawing_file*.cpp): the JSON reader with its trail of where it is,
// the writer's helpers, and the readers and writers of each kind of object. Not for other callers;
// they use core::parseDrawingText and core::drawingText (drawing.h).

#include <cstdint>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/drawing.h"

namespace core::drawing_json {

using Json = nlohmann::ordered_json;

// Object ids stay well inside the integers a JSON number holds exactly.
inline constexpr std::int64_t kMaxId = 1'000'000'000'000'000;

// Reads JSON values into records, keeping a trail of where it is for the message of the first
// fault. Every check that fails throws Fault, caught at the edge of parseDrawingText.
class Reader {
public:
    struct Fault {
        std::string text;
    };

    Reader(Zrk_String fileName, int version) : fileName_(std::move(fileName)), version_(version) {}
    int version() const { return version_; }

    [[noreturn]] void fail(const std::string& what) const;
    void expectObject(const Json& value, const std::string& what) const;
    // Fails at the first key that is not allowed.
    void checkKeys(const Json& object, std::initializer_list<const char*> allowed) const;
    void checkKeys(const Json& object, const std::vector<const char*>& allowed) const;

    // Calls read for every element of the array field key (missing: nothing, unless required); each
    // element must be an object and is named "itemName N" in the trail.
    template <typename Read>
    void forEach(const Json& object, const char* key, const char* itemName, bool required, Read read) {
        if (!object.contains(key)) {
            if (required) fail("\"" + std::string(key) + "\" is missing");
            return;
        }
        const Json& array = object[key];
        if (!array.is_array()) fail("\"" + std::string(key) + "\" must be a list");
        int position = 0;
        for (const Json& item : array) {
            trail_.push_back(std::string(itemName) + " " + std::to_string(++position));
            if (!item.is_object()) fail("expected a JSON object");
            read(item);
            trail_.pop_back();
        }
    }
    // Reads the object field key (missing: nothing, unless required), named by key in the trail.
    template <typename Read> void inObject(const Json& object, const char* key, bool required, Read read) {
        if (!object.contains(key)) {
            if (required) fail("\"" + std::string(key) + "\" is missing");
            return;
        }
        trail_.push_back(key);
        expectObject(object[key], "\"" + std::string(key) + "\"");
        read(object[key]);
        trail_.pop_back();
    }

    // After the name is known, the trail names the object by it too.
    void nameTrail(const Zrk_String& name);

    Zrk_String text(const Json& object, const char* key, bool required,
                    const Zrk_String& fallback = {}) const;
    // A required, non-empty "name".
    Zrk_String name(const Json& object);
    double number(const Json& object, const char* key, bool required, double fallback = 0.0) const;
    long long integer(const Json& object, const char* key, long long fallback, long long lowest,
                      long long highest) const;
    int smallInteger(const Json& object, const char* key, int fallback, int lowest, int highest) const {
        return static_cast<int>(integer(object, key, fallback, lowest, highest));
    }
    bool flag(const Json& object, const char* key, bool fallback) const;
    Zrk_StringArray texts(const Json& object, const char* key) const;
    Zrk_Array<double> numbers(const Json& object, const char* key) const;
    Zrk_Array<int> integers(const Json& object, const char* key, int lowest, int highest) const;
    // A point: a list of three numbers.
    Zrk_Point3d point(const Json& object, const char* key, const Zrk_Point3d& fallback) const;
    // A bolt count: a text, or a whole number for convenience; stored as text.
    Zrk_String boltCount(const Json& object, const char* key) const;
    // Fails when key was seen before (what names the kind of name in the message).
    void unique(std::set<Zrk_String>& seen, const Zrk_String& key, const char* what) const;
    // The same with letter case ignored (level and coordinate system names).
    void uniqueIgnoringCase(std::set<Zrk_String>& seen, const Zrk_String& key, const char* what) const;

private:
    Zrk_String fileName_;
    int version_;
    std::vector<std::string> trail_;
};

// --- writing: fields at their default are left out, as are empty lists ---------------------------

Json textValue(const Zrk_String& text);
void putText(Json& object, const char* key, const Zrk_String& text, const Zrk_String& fallback = {});
void putFlag(Json& object, const char* key, bool value, bool fallback = false);
void putInteger(Json& object, const char* key, long long value, long long fallback);
void putNumber(Json& object, const char* key, double value, double fallback);
void putTexts(Json& object, const char* key, const Zrk_StringArray& texts);
void putNumbers(Json& object, const char* key, const Zrk_Array<double>& numbers);
void putIntegers(Json& object, const char* key, const Zrk_Array<int>& numbers);
void putPoint(Json& object, const char* key, const Zrk_Point3d& point, const Zrk_Point3d& fallback);
void putList(Json& object, const char* key, Json list);
void putObject(Json& object, const char* key, Json value);

// --- the kinds of objects ------------------------------------------------------------------------

void readMacro(Reader& reader, const Json& item, DrawingMacroRecord& record);
Json macroJson(const DrawingMacroRecord& record);

void readCut(Reader& reader, const Json& item, Zrk_CutConstraint& cut);
Json cutJson(const Zrk_CutConstraint& cut);
// Section, material, member name and placement settings (the fields of a placement object).
void readProfProps(Reader& reader, const Json& item, MacroProfProps& props);
void putProfProps(Json& object, const MacroProfProps& props);
std::vector<const char*> profPropsKeys();

// A module's geometry, constraints, module variables and equations (read after its variables).
void readConstraintParts(Reader& reader, const Json& item, Zrk_Module& module);
void putConstraintParts(Json& item, const Zrk_Module& module);

void readSettings(Reader& reader, const Json& item, MacroSettingsData& settings);
Json settingsJson(const MacroSettingsData& settings);

} // namespace core::drawing_json
