// The reader's checks and the writer's helpers of the drawing file.

#include <cmath>

#include "core/codepage.h"
#include "core/drawing_json.h"
#include "core/text.h"

namespace core::drawing_json {

// --- reading -----------------------------------------------------------------------------------

void Reader::fail(const std::string& what) const {
    std::string where;
    for (const std::string& step : trail_)
        where += (where.empty() ? "" : ", ") + step;
    throw Fault{toUtf8(fileName_) + ": " + (where.empty() ? "" : where + ": ") + what};
}

void Reader::expectObject(const Json& value, const std::string& what) const {
    if (!value.is_object()) fail(what + " must be a JSON object");
}

void Reader::checkKeys(const Json& object, std::initializer_list<const char*> allowed) const {
    checkKeys(object, std::vector<const char*>(allowed));
}

void Reader::checkKeys(const Json& object, const std::vector<const char*>& allowed) const {
    for (auto it = object.begin(); it != object.end(); ++it) {
        bool known = false;
        for (const char* key : allowed)
            known = known || it.key() == key;
        if (!known) fail("unknown field \"" + it.key() + "\"");
    }
}

void Reader::nameTrail(const Zrk_String& name) {
    if (!name.empty() && !trail_.empty()) trail_.back() += " \"" + toUtf8(name) + "\"";
}

Zrk_String Reader::text(const Json& object, const char* key, bool required,
                        const Zrk_String& fallback) const {
    if (!object.contains(key)) {
        if (required) fail("\"" + std::string(key) + "\" is missing");
        return fallback;
    }
    if (!object[key].is_string()) fail("\"" + std::string(key) + "\" must be a text");
    return fromUtf8(object[key].get<std::string>());
}

Zrk_String Reader::name(const Json& object) {
    Zrk_String result = text(object, "name", true);
    if (result.empty()) fail("\"name\" must not be empty");
    nameTrail(result);
    return result;
}

double Reader::number(const Json& object, const char* key, bool required, double fallback) const {
    if (!object.contains(key)) {
        if (required) fail("\"" + std::string(key) + "\" is missing");
        return fallback;
    }
    const Json& value = object[key];
    if (!value.is_number() || !std::isfinite(value.get<double>()))
        fail("\"" + std::string(key) + "\" must be a number");
    return value.get<double>();
}

long long Reader::integer(const Json& object, const char* key, long long fallback, long long lowest,
                          long long highest) const {
    if (!object.contains(key)) return fallback;
    const Json& value = object[key];
    const bool whole = value.is_number_integer() &&
                       (value.is_number_unsigned()
                            ? value.get<unsigned long long>() <= static_cast<unsigned long long>(highest)
                            : true);
    if (!whole || value.get<long long>() < lowest || value.get<long long>() > highest)
        fail("\"" + std::string(key) + "\" must be a whole number from " + std::to_string(lowest) + " to " +
             std::to_string(highest));
    return value.get<long long>();
}

bool Reader::flag(const Json& object, const char* key, bool fallback) const {
    if (!object.contains(key)) return fallback;
    if (!object[key].is_boolean()) fail("\"" + std::string(key) + "\" must be true or false");
    return object[key].get<bool>();
}

Zrk_StringArray Reader::texts(const Json& object, const char* key) const {
    Zrk_StringArray result;
    if (!object.contains(key)) return result;
    const Json& list = object[key];
    if (!list.is_array()) fail("\"" + std::string(key) + "\" must be a list of texts");
    for (const Json& item : list) {
        if (!item.is_string()) fail("\"" + std::string(key) + "\" must be a list of texts");
        result.append(fromUtf8(item.get<std::string>()));
    }
    return result;
}

Zrk_Array<double> Reader::numbers(const Json& object, const char* key) const {
    Zrk_Array<double> result;
    if (!object.contains(key)) return result;
    const Json& list = object[key];
    if (!list.is_array()) fail("\"" + std::string(key) + "\" must be a list of numbers");
    for (const Json& item : list) {
        if (!item.is_number() || !std::isfinite(item.get<double>()))
            fail("\"" + std::string(key) + "\" must be a list of numbers");
        result.append(item.get<double>());
    }
    return result;
}

Zrk_Array<int> Reader::integers(const Json& object, const char* key, int lowest, int highest) const {
    Zrk_Array<int> result;
    if (!object.contains(key)) return result;
    const Json& list = object[key];
    const std::string what = "\"" + std::string(key) + "\" must be a list of whole numbers from " +
                             std::to_string(lowest) + " to " + std::to_string(highest);
    if (!list.is_array()) fail(what);
    for (const Json& item : list) {
        if (!item.is_number_integer()) fail(what);
        if (item.is_number_unsigned()
                ? item.get<unsigned long long>() > static_cast<unsigned long long>(highest)
                : (item.get<long long>() < lowest || item.get<long long>() > highest))
            fail(what);
        result.append(static_cast<int>(item.get<long long>()));
    }
    return result;
}

Zrk_Point3d Reader::point(const Json& object, const char* key, const Zrk_Point3d& fallback) const {
    if (!object.contains(key)) return fallback;
    const Zrk_Array<double> values = numbers(object, key);
    if (values.length() != 3) fail("\"" + std::string(key) + "\" must be a list of three numbers");
    return Zrk_Point3d{values[0], values[1], values[2]};
}

Zrk_String Reader::boltCount(const Json& object, const char* key) const {
    Zrk_String count = "1";
    if (object.contains(key)) {
        const Json& value = object[key];
        if (value.is_number_integer())
            count = value.dump();
        else if (value.is_string())
            count = fromUtf8(value.get<std::string>());
        else
            fail("\"" + std::string(key) + "\" must be a bolt count");
    }
    int parsed = -1;
    if (!Zrk_BoltPattern::getCount(count, parsed))
        fail("\"" + std::string(key) + "\" must be a bolt count from 1 to " + std::to_string(kMaxBoltCount));
    return count;
}

void Reader::unique(std::set<Zrk_String>& seen, const Zrk_String& key, const char* what) const {
    if (!seen.insert(key).second) fail(std::string(what) + " \"" + toUtf8(key) + "\" appears twice");
}

void Reader::uniqueIgnoringCase(std::set<Zrk_String>& seen, const Zrk_String& key, const char* what) const {
    if (!seen.insert(toLower(key)).second) fail(std::string(what) + " \"" + toUtf8(key) + "\" appears twice");
}

// --- writing -----------------------------------------------------------------------------------

Json textValue(const Zrk_String& text) {
    return Json(toUtf8(text));
}

void putText(Json& object, const char* key, const Zrk_String& text, const Zrk_String& fallback) {
    if (text != fallback) object[key] = textValue(text);
}

void putFlag(Json& object, const char* key, bool value, bool fallback) {
    if (value != fallback) object[key] = value;
}

void putInteger(Json& object, const char* key, long long value, long long fallback) {
    if (value != fallback) object[key] = value;
}

void putNumber(Json& object, const char* key, double value, double fallback) {
    if (value != fallback) object[key] = value;
}

void putTexts(Json& object, const char* key, const Zrk_StringArray& texts) {
    if (texts.isEmpty()) return;
    Json list = Json::array();
    for (const Zrk_String& text : texts)
        list.push_back(textValue(text));
    object[key] = std::move(list);
}

void putNumbers(Json& object, const char* key, const Zrk_Array<double>& numbers) {
    if (numbers.isEmpty()) return;
    Json list = Json::array();
    for (double value : numbers)
        list.push_back(value);
    object[key] = std::move(list);
}

void putIntegers(Json& object, const char* key, const Zrk_Array<int>& numbers) {
    if (numbers.isEmpty()) return;
    Json list = Json::array();
    for (int value : numbers)
        list.push_back(value);
    object[key] = std::move(list);
}

void putPoint(Json& object, const char* key, const Zrk_Point3d& point, const Zrk_Point3d& fallback) {
    if (point != fallback) object[key] = Json::array({point.x, point.y, point.z});
}

void putList(Json& object, const char* key, Json list) {
    if (!list.empty()) object[key] = std::move(list);
}

void putObject(Json& object, const char* key, Json value) {
    if (!value.empty()) object[key] = std::move(value);
}

} // namespace core::drawing_json
