// A macro's general settings in the drawing file (second edition).

#include "core/codepage.h"
#include "core/drawing_json.h"
#include "core/files.h"

namespace core::drawing_json {

namespace {

void readFilterEntries(Reader& reader, const Json& object, const char* key, bool withOption,
                       Zrk_Array<MacroFilterEntry>& entries) {
    reader.forEach(object, key, "entry", false, [&](const Json& item) {
        MacroFilterEntry entry;
        entry.name = reader.text(item, "name", false);
        reader.nameTrail(entry.name);
        if (withOption)
            reader.checkKeys(item, {"name", "on", "option", "values"});
        else
            reader.checkKeys(item, {"name", "on", "values"});
        entry.on = reader.flag(item, "on", false);
        entry.option = reader.smallInteger(item, "option", 0, 0, 1);
        entry.values = reader.numbers(item, "values");
        entries.append(std::move(entry));
    });
}

Json filterEntriesJson(const Zrk_Array<MacroFilterEntry>& entries) {
    Json list = Json::array();
    for (const MacroFilterEntry& entry : entries) {
        Json item = Json::object();
        item["name"] = textValue(entry.name);
        putFlag(item, "on", entry.on);
        putInteger(item, "option", entry.option, 0);
        putNumbers(item, "values", entry.values);
        list.push_back(std::move(item));
    }
    return list;
}

// A mapping reference: "", "Module." and a module name, or the key of a mapping file line (the
// mapping page makes 24-character ones), which holds no "=" and no line break.
bool isMappingRef(const Zrk_String& ref) {
    return TabMappingData::isModuleRef(ref) || ref.find_first_of("=\r\n") == Zrk_String::npos;
}

} // namespace

void readSettings(Reader& reader, const Json& item, MacroSettingsData& settings) {
    reader.checkKeys(item, {"angleFilters", "sizeFilters", "lists", "variables", "groups", "standards",
                            "standardsModified"});
    reader.inObject(item, "angleFilters", false, [&](const Json& filters) {
        reader.checkKeys(filters, {"enabled", "axisAngle", "sectionAngle"});
        settings.angleFilters.enabled = reader.flag(filters, "enabled", false);
        readFilterEntries(reader, filters, "axisAngle", true, settings.angleFilters.axisAngle);
        readFilterEntries(reader, filters, "sectionAngle", false, settings.angleFilters.sectionAngle);
    });
    reader.inObject(item, "sizeFilters", false, [&](const Json& filters) {
        reader.checkKeys(filters, {"enabled", "pathDistance", "sectionSize"});
        settings.sizeFilters.enabled = reader.flag(filters, "enabled", false);
        readFilterEntries(reader, filters, "pathDistance", false, settings.sizeFilters.pathDistance);
        readFilterEntries(reader, filters, "sectionSize", false, settings.sizeFilters.sectionSize);
    });
    reader.forEach(item, "lists", "list", false, [&](const Json& list) {
        reader.checkKeys(list, {"name", "strings", "picture"});
        settings.listNames.append(reader.text(list, "name", false));
        reader.nameTrail(settings.listNames.last());
        settings.stringLists.append(reader.texts(list, "strings"));
        settings.listPictures.append(reader.text(list, "picture", false));
    });
    reader.inObject(item, "variables", false, [&](const Json& variables) {
        reader.checkKeys(variables, {"rounding", "units", "decimals", "defaults"});
        settings.varRounding = reader.smallInteger(variables, "rounding", 0, 0, 2);
        settings.varUnits = reader.smallInteger(variables, "units", 0, 0, 2);
        settings.varDecimals = reader.smallInteger(variables, "decimals", 2, 0, 3);
        reader.forEach(variables, "defaults", "default", false, [&](const Json& entry) {
            reader.checkKeys(entry, {"name", "value"});
            settings.defaultVarNames.append(reader.text(entry, "name", false));
            reader.nameTrail(settings.defaultVarNames.last());
            settings.defaultVarValues.append(reader.number(entry, "value", false));
        });
    });
    reader.inObject(item, "groups", false, [&](const Json& groups) {
        reader.checkKeys(groups, {"name", "memberPrefix", "rows"});
        settings.groupName = reader.text(groups, "name", false);
        settings.memberPrefix = reader.text(groups, "memberPrefix", false);
        reader.forEach(groups, "rows", "row", false, [&](const Json& row) {
            reader.checkKeys(row, {"module", "members", "count"});
            settings.groupModules.append(reader.text(row, "module", false));
            settings.groupMembers.append(reader.text(row, "members", false));
            settings.groupCounts.append(reader.smallInteger(row, "count", 0, INT32_MIN, INT32_MAX));
        });
    });
    reader.forEach(item, "standards", "standard", false, [&](const Json& row) {
        reader.checkKeys(row, {"sheet", "mapping"});
        const Zrk_String sheet = normalizePath(reader.text(row, "sheet", false));
        reader.nameTrail(sheet);
        const Zrk_String ref = reader.text(row, "mapping", false);
        if (!isMappingRef(ref))
            reader.fail(
                "\"mapping\" must be empty, \"Module.\" and a module name, or a mapping key (no \"=\")");
        settings.tabMapping.ssNames.append(sheet);
        settings.tabMapping.mappingRefs.append(ref);
    });
    settings.standardsModified = reader.flag(item, "standardsModified", false);
}

Json settingsJson(const MacroSettingsData& data) {
    MacroSettingsData settings = data;
    settings.padParallelLists();
    Json json = Json::object();
    const MacroSettingsData defaults;
    if (!(settings.angleFilters == defaults.angleFilters)) {
        Json filters = Json::object();
        putFlag(filters, "enabled", settings.angleFilters.enabled);
        putList(filters, "axisAngle", filterEntriesJson(settings.angleFilters.axisAngle));
        putList(filters, "sectionAngle", filterEntriesJson(settings.angleFilters.sectionAngle));
        json["angleFilters"] = std::move(filters);
    }
    if (!(settings.sizeFilters == defaults.sizeFilters)) {
        Json filters = Json::object();
        putFlag(filters, "enabled", settings.sizeFilters.enabled);
        putList(filters, "pathDistance", filterEntriesJson(settings.sizeFilters.pathDistance));
        putList(filters, "sectionSize", filterEntriesJson(settings.sizeFilters.sectionSize));
        json["sizeFilters"] = std::move(filters);
    }
    Json lists = Json::array();
    for (int i = 0; i < settings.listNames.length(); ++i) {
        Json list = Json::object();
        putText(list, "name", settings.listNames[i]);
        putTexts(list, "strings", settings.stringLists[i]);
        putText(list, "picture", settings.listPictures[i]);
        lists.push_back(std::move(list));
    }
    putList(json, "lists", std::move(lists));
    Json variables = Json::object();
    putInteger(variables, "rounding", settings.varRounding, defaults.varRounding);
    putInteger(variables, "units", settings.varUnits, defaults.varUnits);
    putInteger(variables, "decimals", settings.varDecimals, defaults.varDecimals);
    Json defaultsList = Json::array();
    for (int i = 0; i < settings.defaultVarNames.length(); ++i) {
        Json entry = Json::object();
        putText(entry, "name", settings.defaultVarNames[i]);
        putNumber(entry, "value", settings.defaultVarValues[i], 0.0);
        defaultsList.push_back(std::move(entry));
    }
    putList(variables, "defaults", std::move(defaultsList));
    putObject(json, "variables", std::move(variables));
    Json groups = Json::object();
    putText(groups, "name", settings.groupName);
    putText(groups, "memberPrefix", settings.memberPrefix);
    Json rows = Json::array();
    for (int i = 0; i < settings.groupModules.length(); ++i) {
        Json row = Json::object();
        putText(row, "module", settings.groupModules[i]);
        putText(row, "members", settings.groupMembers[i]);
        putInteger(row, "count", settings.groupCounts[i], 0);
        rows.push_back(std::move(row));
    }
    putList(groups, "rows", std::move(rows));
    putObject(json, "groups", std::move(groups));
    Json standards = Json::array();
    for (int i = 0; i < settings.tabMapping.ssNames.length(); ++i) {
        Json row = Json::object();
        putText(row, "sheet", settings.tabMapping.ssNames[i]);
        putText(row, "mapping", settings.tabMapping.mappingRefs[i]);
        standards.push_back(std::move(row));
    }
    putList(json, "standards", std::move(standards));
    putFlag(json, "standardsModified", settings.standardsModified);
    return json;
}

} // namespace core::drawing_json
