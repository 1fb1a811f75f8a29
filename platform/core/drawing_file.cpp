// The drawing file: JSON (UTF-8, comments allowed), described with an example in
// docs/drawing-format.md. Reading validates everything and names the first fault; writing gives the
// fields in a fixed order and leaves out empty lists and fields at their default. Both editions read;
// the second is written.

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "core/codepage.h"
#include "core/drawing_json.h"
#include "core/text.h"

namespace core {

namespace {

using namespace drawing_json;

constexpr const char* kFormat = "ss-drawing";
constexpr int kNewestVersion = 2;

void readProfile(Reader& reader, const Json& item, DrawingProfileRecord& record) {
    Zrk_Profile& profile = record.profile;
    profile.name = reader.text(item, "name", false);
    reader.nameTrail(profile.name);
    std::vector<const char*> allowed = profPropsKeys();
    allowed.insert(allowed.end(), {"id", "name", "start", "end", "cuts"});
    reader.checkKeys(item, allowed);
    record.id = reader.integer(item, "id", 0, 1, kMaxId);
    readProfProps(reader, item, profile.props);
    profile.start = reader.point(item, "start", Zrk_Point3d{});
    profile.end = reader.point(item, "end", Zrk_Point3d{});
    std::set<Zrk_String> names;
    reader.forEach(item, "cuts", "cut", false, [&](const Json& cutItem) {
        Zrk_CutConstraint cut;
        readCut(reader, cutItem, cut);
        reader.unique(names, cut.name, "the cut name");
        profile.cuts.append(std::move(cut));
    });
}

Json profileJson(const DrawingProfileRecord& record) {
    const Zrk_Profile& profile = record.profile;
    Json json = Json::object();
    if (record.id > 0) json["id"] = record.id;
    putText(json, "name", profile.name);
    putProfProps(json, profile.props);
    putPoint(json, "start", profile.start, Zrk_Point3d{});
    putPoint(json, "end", profile.end, Zrk_Point3d{});
    Json cuts = Json::array();
    for (const Zrk_CutConstraint& cut : profile.cuts)
        cuts.push_back(cutJson(cut));
    putList(json, "cuts", std::move(cuts));
    return json;
}

void readLevels(Reader& reader, const Json& root, Zrk_Array<Zrk_Level>& levels) {
    std::set<Zrk_String> names;
    reader.forEach(root, "levels", "level", false, [&](const Json& item) {
        Zrk_Level level;
        level.name = reader.name(item);
        reader.checkKeys(item, {"name", "reference", "value"});
        if (isEqual(level.name, kWorldLevelName, true)) reader.fail("the level name \"wcs\" is reserved");
        reader.uniqueIgnoringCase(names, level.name, "the level name");
        level.reference = reader.text(item, "reference", false);
        level.value = reader.number(item, "value", false);
        levels.append(std::move(level));
    });
    // Every reference names a level (or the world), and no chain of references runs in a circle.
    std::map<Zrk_String, int> indexOf;
    for (int i = 0; i < levels.length(); ++i)
        indexOf[toLower(levels[i].name)] = i;
    std::vector<int> referenceOf(static_cast<std::size_t>(levels.length()), -1);
    for (int i = 0; i < levels.length(); ++i) {
        const Zrk_String& reference = levels[i].reference;
        if (reference.empty() || isEqual(reference, kWorldLevelName, true)) continue;
        const auto found = indexOf.find(toLower(reference));
        if (found == indexOf.end())
            reader.fail("level \"" + toUtf8(levels[i].name) + "\" refers to the unknown level \"" +
                        toUtf8(reference) + "\"");
        referenceOf[static_cast<std::size_t>(i)] = found->second;
    }
    // 0 not seen, 1 on the chain being walked, 2 known to end at the world.
    std::vector<int> state(referenceOf.size(), 0);
    for (std::size_t start = 0; start < state.size(); ++start) {
        std::vector<std::size_t> chain;
        for (int at = static_cast<int>(start); at >= 0 && state[static_cast<std::size_t>(at)] != 2;
             at = referenceOf[static_cast<std::size_t>(at)]) {
            if (state[static_cast<std::size_t>(at)] == 1)
                reader.fail("the references of level \"" + toUtf8(levels[at].name) + "\" run in a circle");
            state[static_cast<std::size_t>(at)] = 1;
            chain.push_back(static_cast<std::size_t>(at));
        }
        for (std::size_t at : chain)
            state[at] = 2;
    }
}

void readCoordSystems(Reader& reader, const Json& root, Zrk_Array<Zrk_CoordSystem>& systems) {
    std::set<Zrk_String> names;
    reader.forEach(root, "coordinateSystems", "coordinate system", false, [&](const Json& item) {
        Zrk_CoordSystem system;
        system.name = reader.name(item);
        reader.checkKeys(item, {"name", "origin", "xAxis", "yAxis"});
        reader.uniqueIgnoringCase(names, system.name, "the coordinate system name");
        const Zrk_CoordSystem defaults;
        system.origin = reader.point(item, "origin", defaults.origin);
        system.xAxis = reader.point(item, "xAxis", defaults.xAxis);
        system.yAxis = reader.point(item, "yAxis", defaults.yAxis);
        if (!system.hasValidAxes()) reader.fail("\"xAxis\" and \"yAxis\" must not be zero or parallel");
        systems.append(std::move(system));
    });
}

void readDocument(const Json& root, const Zrk_String& fileName, DrawingContent& content) {
    Reader probe(fileName, 1);
    probe.expectObject(root, "the drawing");
    if (!root.contains("format") || !root["format"].is_string() ||
        root["format"].get<std::string>() != kFormat)
        probe.fail("\"format\" must be \"" + std::string(kFormat) + "\" (this is not a drawing file)");
    if (!root.contains("version") || !root["version"].is_number_integer() ||
        root["version"].get<long long>() < 1 || root["version"].get<long long>() > kNewestVersion)
        probe.fail("\"version\" must be 1 or 2 (a drawing of a newer edition needs a newer program)");
    content.version = static_cast<int>(root["version"].get<long long>());
    Reader reader(fileName, content.version);
    if (content.version == 1)
        reader.checkKeys(root, {"format", "version", "macros"});
    else
        reader.checkKeys(root, {"format", "version", "macros", "profiles", "levels", "coordinateSystems"});

    std::set<std::int64_t> ids;
    auto checkId = [&](std::int64_t id) {
        if (id != 0 && !ids.insert(id).second)
            reader.fail("\"id\" " + std::to_string(id) + " is used by an earlier object");
    };
    reader.forEach(root, "macros", "macro", true, [&](const Json& item) {
        DrawingMacroRecord record;
        readMacro(reader, item, record);
        checkId(record.id);
        for (const Zrk_Module& module : record.macro.modules)
            for (const Zrk_GeomObject& object : module.geometry)
                checkId(object.id.handle());
        content.macros.push_back(std::move(record));
    });
    reader.forEach(root, "profiles", "profile", false, [&](const Json& item) {
        DrawingProfileRecord record;
        readProfile(reader, item, record);
        checkId(record.id);
        content.profiles.push_back(std::move(record));
    });
    readLevels(reader, root, content.levels);
    readCoordSystems(reader, root, content.coordSystems);
}

} // namespace

bool parseDrawingText(const std::string& utf8, const Zrk_String& fileName, DrawingContent& content,
                      Zrk_String* message) {
    DrawingContent result;
    try {
        const Json root = Json::parse(utf8, nullptr, true, true);
        readDocument(root, fileName, result);
    } catch (const Reader::Fault& fault) {
        if (message) *message = fromUtf8(fault.text);
        return false;
    } catch (const nlohmann::json::parse_error& error) {
        // The parser's own line count can point past the fault (at the line break after a token);
        // count from the last character it read that is not a blank instead.
        std::size_t at = std::min<std::size_t>(error.byte, utf8.size());
        while (at > 1 && std::isspace(static_cast<unsigned char>(utf8[at - 1])))
            --at;
        int line = 1, column = 0;
        for (std::size_t i = 0; i + 1 < at; ++i) {
            if (utf8[i] == '\n')
                ++line, column = 0;
            else
                ++column;
        }
        std::string what = error.what();
        const std::size_t detail = what.find(": ", what.find("parse error"));
        what = detail == std::string::npos ? std::string("syntax error") : what.substr(detail + 2);
        if (message)
            *message = fileName + ": parse error at line " + intToStr(line) + ", column " +
                       intToStr(column + 1) + ": " + fromUtf8(what);
        return false;
    } catch (const nlohmann::json::exception& error) {
        // "[json.exception.type_error.302] type must be ..." without its tag.
        std::string what = error.what();
        if (what.rfind("[json.exception.", 0) == 0 && what.find("] ") != std::string::npos)
            what = what.substr(what.find("] ") + 2);
        if (message) *message = fileName + ": " + fromUtf8(what);
        return false;
    } catch (const std::exception& error) {
        if (message) *message = fileName + ": " + fromUtf8(error.what());
        return false;
    }
    content = std::move(result);
    return true;
}

std::string drawingText(const DrawingContent& content) {
    Json root = Json::object();
    root["format"] = kFormat;
    root["version"] = kNewestVersion;
    Json macros = Json::array();
    for (const DrawingMacroRecord& record : content.macros)
        macros.push_back(macroJson(record));
    root["macros"] = std::move(macros);
    Json profiles = Json::array();
    for (const DrawingProfileRecord& record : content.profiles)
        profiles.push_back(profileJson(record));
    putList(root, "profiles", std::move(profiles));
    Json levels = Json::array();
    for (const Zrk_Level& level : content.levels) {
        Json item = Json::object();
        item["name"] = textValue(level.name);
        putText(item, "reference", level.reference);
        putNumber(item, "value", level.value, 0.0);
        levels.push_back(std::move(item));
    }
    putList(root, "levels", std::move(levels));
    Json systems = Json::array();
    const Zrk_CoordSystem defaults;
    for (const Zrk_CoordSystem& system : content.coordSystems) {
        Json item = Json::object();
        item["name"] = textValue(system.name);
        putPoint(item, "origin", system.origin, defaults.origin);
        putPoint(item, "xAxis", system.xAxis, defaults.xAxis);
        putPoint(item, "yAxis", system.yAxis, defaults.yAxis);
        systems.push_back(std::move(item));
    }
    putList(root, "coordinateSystems", std::move(systems));
    return root.dump(2) + "\n";
}

} // namespace core
