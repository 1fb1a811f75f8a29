// The drawing file: JSON (UTF-8, comments allowed), described with an example in
// docs/drawing-format.md. Reading validates everything and names the first fault; writing gives the
// fields in a fixed order and leaves out empty lists.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>

#include <nlohmann/json.hpp>

#include "core/codepage.h"
#include "core/drawing.h"
#include "core/text.h"

namespace core {

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kFormat = "ss-drawing";
constexpr int kVersion = 1;
// Object ids stay well inside the integers a JSON number holds exactly.
constexpr std::int64_t kMaxId = 1'000'000'000'000'000;

const char* const kOffsetKeys[kCutOffsetTypeCount] = {
    "offset",       "polyOffset",    "lengthOffset",   "centerOffset", "insideOffset",
    "outsideOffset", "chamferOffset1", "chamferOffset2", "radius"};

// Reads one JSON document into macros, keeping a trail of where it is for the message of the first
// fault. Every check that fails throws Fault, caught at the edge of parseDrawingText.
class Reader {
public:
    struct Fault {
        std::string text;
    };

    explicit Reader(Zrk_String fileName) : fileName_(std::move(fileName)) {}

    void readDocument(const Json& root, std::vector<DrawingMacroRecord>& macros) {
        expectObject(root, "the drawing");
        checkKeys(root, {"format", "version", "macros"});
        if (!root.contains("format") || !root["format"].is_string() || root["format"].get<std::string>() != kFormat)
            fail("\"format\" must be \"" + std::string(kFormat) + "\" (this is not a drawing file)");
        if (!root.contains("version") || !root["version"].is_number_integer() || root["version"].get<long long>() != kVersion)
            fail("\"version\" must be " + std::to_string(kVersion));
        std::set<std::int64_t> ids;
        forEach(root, "macros", "macro", true, [&](const Json& item) {
            DrawingMacroRecord record;
            readMacro(item, record);
            if (record.id != 0 && !ids.insert(record.id).second)
                fail("\"id\" " + std::to_string(record.id) + " is used by an earlier macro");
            macros.push_back(std::move(record));
        });
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        std::string where;
        for (const std::string& step : trail_) where += (where.empty() ? "" : ", ") + step;
        throw Fault{toUtf8(fileName_) + ": " + (where.empty() ? "" : where + ": ") + what};
    }

    void expectObject(const Json& value, const std::string& what) const {
        if (!value.is_object()) fail(what + " must be a JSON object");
    }

    void checkKeys(const Json& object, std::initializer_list<const char*> allowed) const {
        for (auto it = object.begin(); it != object.end(); ++it) {
            bool known = false;
            for (const char* key : allowed) known = known || it.key() == key;
            if (!known) fail("unknown field \"" + it.key() + "\"");
        }
    }

    // Calls read for every element of the array field key (missing: nothing, unless required).
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

    // After the name is known, the trail names the object by it too.
    void nameTrail(const Zrk_String& name) {
        if (!name.empty()) trail_.back() += " \"" + toUtf8(name) + "\"";
    }

    Zrk_String text(const Json& object, const char* key, bool required, const Zrk_String& fallback = {}) const {
        if (!object.contains(key)) {
            if (required) fail("\"" + std::string(key) + "\" is missing");
            return fallback;
        }
        if (!object[key].is_string()) fail("\"" + std::string(key) + "\" must be a text");
        return fromUtf8(object[key].get<std::string>());
    }

    Zrk_String name(const Json& object) {
        Zrk_String result = text(object, "name", true);
        if (result.empty()) fail("\"name\" must not be empty");
        nameTrail(result);
        return result;
    }

    double number(const Json& object, const char* key, bool required, double fallback = 0.0) const {
        if (!object.contains(key)) {
            if (required) fail("\"" + std::string(key) + "\" is missing");
            return fallback;
        }
        const Json& value = object[key];
        if (!value.is_number() || !std::isfinite(value.get<double>()))
            fail("\"" + std::string(key) + "\" must be a number");
        return value.get<double>();
    }

    long long integer(const Json& object, const char* key, long long fallback, long long lowest, long long highest) const {
        if (!object.contains(key)) return fallback;
        const Json& value = object[key];
        const bool whole = value.is_number_integer() &&
                           (value.is_number_unsigned() ? value.get<unsigned long long>() <= static_cast<unsigned long long>(highest)
                                                       : true);
        if (!whole || value.get<long long>() < lowest || value.get<long long>() > highest)
            fail("\"" + std::string(key) + "\" must be a whole number from " + std::to_string(lowest) + " to " +
                 std::to_string(highest));
        return value.get<long long>();
    }

    bool flag(const Json& object, const char* key, bool fallback) const {
        if (!object.contains(key)) return fallback;
        if (!object[key].is_boolean()) fail("\"" + std::string(key) + "\" must be true or false");
        return object[key].get<bool>();
    }

    // A bolt count: a text, or a whole number for convenience; stored as text.
    Zrk_String boltCount(const Json& object, const char* key) const {
        Zrk_String count = "1";
        if (object.contains(key)) {
            const Json& value = object[key];
            if (value.is_number_integer()) count = value.dump();
            else if (value.is_string()) count = fromUtf8(value.get<std::string>());
            else fail("\"" + std::string(key) + "\" must be a bolt count");
        }
        int parsed = -1;
        if (!Zrk_BoltPattern::getCount(count, parsed))
            fail("\"" + std::string(key) + "\" must be a bolt count from 1 to " + std::to_string(kMaxBoltCount));
        return count;
    }

    template <typename Item> void unique(std::set<Zrk_String>& seen, const Zrk_String& key, const Item& what) {
        if (!seen.insert(key).second) fail(std::string(what) + " \"" + toUtf8(key) + "\" appears twice");
    }

    void readMacro(const Json& item, DrawingMacroRecord& record) {
        record.macro.name = text(item, "name", false);
        nameTrail(record.macro.name);
        checkKeys(item, {"id", "name", "modules", "baseProfiles", "generalVariables"});
        record.id = integer(item, "id", 0, 1, kMaxId);
        std::set<Zrk_String> moduleNames;
        forEach(item, "modules", "module", false, [&](const Json& moduleItem) {
            Zrk_Module module;
            readModule(moduleItem, module);
            unique(moduleNames, module.name, "the module name");
            record.macro.modules.append(std::move(module));
        });
        forEach(item, "baseProfiles", "base profile", false, [&](const Json& profileItem) {
            checkKeys(profileItem, {"section", "material"});
            Zrk_BaseProfile profile;
            profile.sectionName = text(profileItem, "section", false);
            profile.material = text(profileItem, "material", false);
            record.macro.baseProfiles.append(std::move(profile));
        });
        std::set<Zrk_String> genNames;
        forEach(item, "generalVariables", "general variable", false, [&](const Json& varItem) {
            Zrk_GenVariable variable;
            variable.name = name(varItem);
            checkKeys(varItem, {"name", "value"});
            variable.value = number(varItem, "value", true);
            unique(genNames, variable.name, "the name");
            record.macro.genVars.append(std::move(variable));
        });
    }

    void readModule(const Json& item, Zrk_Module& module) {
        module.name = name(item);
        checkKeys(item, {"name", "group", "kind", "variables", "cuts", "bolts", "patterns", "placements", "flexGroups"});
        module.groupName = text(item, "group", false);
        module.kind = static_cast<int>(integer(item, "kind", 0, INT32_MIN, INT32_MAX));
        if (!module.isBoltModule() && (item.contains("bolts") || item.contains("patterns")))
            fail("\"bolts\" and \"patterns\" belong to bolt modules (\"kind\": 232)");

        std::set<Zrk_String> names;
        forEach(item, "variables", "variable", false, [&](const Json& varItem) {
            Zrk_DimVariable variable;
            variable.name = name(varItem);
            checkKeys(varItem, {"name", "value", "shown", "driving"});
            variable.value = number(varItem, "value", true);
            variable.shown = flag(varItem, "shown", true);
            variable.driving = flag(varItem, "driving", true);
            unique(names, variable.name, "the variable name");
            module.variables.append(std::move(variable));
        });
        names.clear();
        forEach(item, "cuts", "cut", false, [&](const Json& cutItem) {
            Zrk_CutConstraint cut;
            cut.name = name(cutItem);
            checkKeys(cutItem, {"name", "type", "offsets"});
            cut.cutType = static_cast<int>(integer(cutItem, "type", 0, 0, kCutTypeCount - 1));
            if (cutItem.contains("offsets")) {
                const Json& offsets = cutItem["offsets"];
                expectObject(offsets, std::string("\"offsets\""));
                for (auto it = offsets.begin(); it != offsets.end(); ++it) {
                    int kind = 0;
                    while (kind < kCutOffsetTypeCount && it.key() != kOffsetKeys[kind]) ++kind;
                    if (kind == kCutOffsetTypeCount) fail("unknown offset \"" + it.key() + "\"");
                    if (!Zrk_CutConstraint::offersOffset(cut.cutType, kind))
                        fail("cut type " + std::to_string(cut.cutType) + " has no offset \"" + it.key() + "\"");
                    cut.offsets[static_cast<std::size_t>(kind)] = number(offsets, kOffsetKeys[kind], true);
                }
            }
            unique(names, cut.name, "the cut name");
            module.cuts.append(std::move(cut));
        });
        if (item.contains("bolts")) {
            const Json& bolts = item["bolts"];
            trail_.push_back("bolts");
            expectObject(bolts, std::string("\"bolts\""));
            checkKeys(bolts, {"diameter", "holeOffset"});
            MacroBoltData data;
            data.diameter = text(bolts, "diameter", false);
            data.holeOffset = text(bolts, "holeOffset", false);
            module.boltData = data;
            trail_.pop_back();
        }
        names.clear();
        forEach(item, "patterns", "pattern", false, [&](const Json& patternItem) {
            Zrk_BoltPattern pattern;
            pattern.name = name(patternItem);
            checkKeys(patternItem, {"name", "kind", "nrBolts1", "nrBolts2", "reverseStart1", "reverseStart2"});
            pattern.kindCode = static_cast<int>(integer(patternItem, "kind", kPatternOneDirection, INT32_MIN, INT32_MAX));
            if (!pattern.hasSecondDirection() && (patternItem.contains("nrBolts2") || patternItem.contains("reverseStart2")))
                fail("\"nrBolts2\" and \"reverseStart2\" belong to patterns with two directions (\"kind\": 282)");
            pattern.nrBolts1 = boltCount(patternItem, "nrBolts1");
            pattern.nrBolts2 = boltCount(patternItem, "nrBolts2");
            pattern.reverseStart1 = flag(patternItem, "reverseStart1", false);
            pattern.reverseStart2 = flag(patternItem, "reverseStart2", false);
            unique(names, pattern.name, "the pattern name");
            module.patterns.append(std::move(pattern));
        });
        forEach(item, "placements", "placement", false, [&](const Json& placementItem) {
            Zrk_ProfilePlacement placement;
            placement.name = text(placementItem, "name", false);
            nameTrail(placement.name);
            checkKeys(placementItem, {"name", "section", "material", "memberName"});
            placement.sectionName = text(placementItem, "section", false);
            placement.material = text(placementItem, "material", false);
            placement.memberName = text(placementItem, "memberName", false);
            module.placements.append(std::move(placement));
        });
        names.clear();
        std::set<Zrk_String> grouped;
        forEach(item, "flexGroups", "flex group", false, [&](const Json& groupItem) {
            Zrk_FlexFixGroup group;
            group.name = name(groupItem);
            checkKeys(groupItem, {"name", "entries"});
            unique(names, group.name, "the flex group name");
            forEach(groupItem, "entries", "entry", true, [&](const Json& entryItem) {
                checkKeys(entryItem, {"variable", "flexible"});
                Zrk_FlexFixEntry entry;
                entry.variable = text(entryItem, "variable", true);
                entry.flexible = flag(entryItem, "flexible", false);
                if (!module.findVariable(entry.variable))
                    fail("\"" + toUtf8(entry.variable) + "\" is not a variable of the module");
                if (!grouped.insert(entry.variable).second)
                    fail("\"" + toUtf8(entry.variable) + "\" belongs to a flex group already");
                group.entries.append(std::move(entry));
            });
            module.flexGroups.append(std::move(group));
        });
    }

    Zrk_String fileName_;
    std::vector<std::string> trail_;
};

Json textValue(const Zrk_String& text) { return Json(toUtf8(text)); }

Json macroJson(const DrawingMacroRecord& record) {
    const Zrk_Macro& macro = record.macro;
    Json json = Json::object();
    if (record.id > 0) json["id"] = record.id;
    json["name"] = textValue(macro.name);
    Json modules = Json::array();
    for (const Zrk_Module& module : macro.modules) {
        Json item = Json::object();
        item["name"] = textValue(module.name);
        if (!module.groupName.empty()) item["group"] = textValue(module.groupName);
        item["kind"] = module.kind;
        Json variables = Json::array();
        for (const Zrk_DimVariable& variable : module.variables)
            variables.push_back({{"name", textValue(variable.name)},
                                 {"value", variable.value},
                                 {"shown", variable.shown},
                                 {"driving", variable.driving}});
        if (!variables.empty()) item["variables"] = std::move(variables);
        Json cuts = Json::array();
        for (const Zrk_CutConstraint& cut : module.cuts) {
            Json offsets = Json::object();
            Zrk_Array<KvCutOffsetType> kinds;
            Zrk_CutConstraint::getOffsetKinds(cut.cutType, kinds);
            for (KvCutOffsetType kind : kinds) offsets[kOffsetKeys[kind]] = cut.offsets[static_cast<std::size_t>(kind)];
            cuts.push_back({{"name", textValue(cut.name)}, {"type", cut.cutType}, {"offsets", std::move(offsets)}});
        }
        if (!cuts.empty()) item["cuts"] = std::move(cuts);
        if (module.boltData)
            item["bolts"] = {{"diameter", textValue(module.boltData->diameter)},
                             {"holeOffset", textValue(module.boltData->holeOffset)}};
        Json patterns = Json::array();
        for (const Zrk_BoltPattern& pattern : module.patterns) {
            Json patternItem = {{"name", textValue(pattern.name)},
                                {"kind", pattern.kindCode},
                                {"nrBolts1", textValue(pattern.nrBolts1)},
                                {"reverseStart1", pattern.reverseStart1}};
            if (pattern.hasSecondDirection()) {
                patternItem["nrBolts2"] = textValue(pattern.nrBolts2);
                patternItem["reverseStart2"] = pattern.reverseStart2;
            }
            patterns.push_back(std::move(patternItem));
        }
        if (!patterns.empty()) item["patterns"] = std::move(patterns);
        Json placements = Json::array();
        for (const Zrk_ProfilePlacement& placement : module.placements)
            placements.push_back({{"name", textValue(placement.name)},
                                  {"section", textValue(placement.sectionName)},
                                  {"material", textValue(placement.material)},
                                  {"memberName", textValue(placement.memberName)}});
        if (!placements.empty()) item["placements"] = std::move(placements);
        Json flexGroups = Json::array();
        for (const Zrk_FlexFixGroup& group : module.flexGroups) {
            Json entries = Json::array();
            for (const Zrk_FlexFixEntry& entry : group.entries)
                entries.push_back({{"variable", textValue(entry.variable)}, {"flexible", entry.flexible}});
            flexGroups.push_back({{"name", textValue(group.name)}, {"entries", std::move(entries)}});
        }
        if (!flexGroups.empty()) item["flexGroups"] = std::move(flexGroups);
        modules.push_back(std::move(item));
    }
    if (!modules.empty()) json["modules"] = std::move(modules);
    Json profiles = Json::array();
    for (const Zrk_BaseProfile& profile : macro.baseProfiles)
        profiles.push_back({{"section", textValue(profile.sectionName)}, {"material", textValue(profile.material)}});
    if (!profiles.empty()) json["baseProfiles"] = std::move(profiles);
    Json genVars = Json::array();
    for (const Zrk_GenVariable& variable : macro.genVars)
        genVars.push_back({{"name", textValue(variable.name)}, {"value", variable.value}});
    if (!genVars.empty()) json["generalVariables"] = std::move(genVars);
    return json;
}

} // namespace

bool parseDrawingText(const std::string& utf8, const Zrk_String& fileName, std::vector<DrawingMacroRecord>& macros,
                      Zrk_String* message) {
    std::vector<DrawingMacroRecord> result;
    try {
        const Json root = Json::parse(utf8, nullptr, true, true);
        Reader(fileName).readDocument(root, result);
    } catch (const Reader::Fault& fault) {
        if (message) *message = fromUtf8(fault.text);
        return false;
    } catch (const nlohmann::json::parse_error& error) {
        // The parser's own line count can point past the fault (at the line break after a token);
        // count from the last character it read that is not a blank instead.
        std::size_t at = std::min<std::size_t>(error.byte, utf8.size());
        while (at > 1 && std::isspace(static_cast<unsigned char>(utf8[at - 1]))) --at;
        int line = 1, column = 0;
        for (std::size_t i = 0; i + 1 < at; ++i) {
            if (utf8[i] == '\n') ++line, column = 0;
            else ++column;
        }
        std::string what = error.what();
        const std::size_t detail = what.find(": ", what.find("parse error"));
        what = detail == std::string::npos ? std::string("syntax error") : what.substr(detail + 2);
        if (message)
            *message = fileName + ": parse error at line " + intToStr(line) + ", column " + intToStr(column + 1) +
                       ": " + fromUtf8(what);
        return false;
    } catch (const nlohmann::json::exception& error) {
        // "[json.exception.parse_error.101] parse error at line 3, column 5: ..." without its tag.
        std::string what = error.what();
        if (what.rfind("[json.exception.", 0) == 0 && what.find("] ") != std::string::npos)
            what = what.substr(what.find("] ") + 2);
        if (message) *message = fileName + ": " + fromUtf8(what);
        return false;
    } catch (const std::exception& error) {
        if (message) *message = fileName + ": " + fromUtf8(error.what());
        return false;
    }
    macros = std::move(result);
    return true;
}

std::string drawingText(const std::vector<DrawingMacroRecord>& macros) {
    Json root = Json::object();
    root["format"] = kFormat;
    root["version"] = kVersion;
    Json list = Json::array();
    for (const DrawingMacroRecord& record : macros) list.push_back(macroJson(record));
    root["macros"] = std::move(list);
    return root.dump(2) + "\n";
}

} // namespace core
