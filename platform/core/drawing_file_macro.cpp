// Macros in the drawing file: modules with their variables, cuts, bolts, patterns, placements, flex
// groups, arrays and segmented profiles, and the macro's general settings. The first edition's
// fields read as they always did; the second edition adds the rest (docs/drawing-format.md).

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/codepage.h"
#include "core/drawing_json.h"
#include "core/files.h"
#include "core/text.h"

namespace core::drawing_json {

namespace {

const char* const kOffsetKeys[kCutOffsetTypeCount] = {"offset",         "polyOffset",     "lengthOffset",
                                                      "centerOffset",   "insideOffset",   "outsideOffset",
                                                      "chamferOffset1", "chamferOffset2", "radius"};

int offsetKindOfKey(const std::string& key) {
    for (int kind = 0; kind < kCutOffsetTypeCount; ++kind)
        if (key == kOffsetKeys[kind]) return kind;
    return -1;
}

// Keys of the first edition, and what the second adds.
std::vector<const char*> keys(std::initializer_list<const char*> first,
                              std::initializer_list<const char*> second, int version) {
    std::vector<const char*> result(first);
    if (version >= 2) result.insert(result.end(), second);
    return result;
}

// --- cuts --------------------------------------------------------------------------------------

// A first-edition cut: types 0-4, only the offsets the type offered then; it reads as the geometric
// type that holds the same offsets.
void readVersion1Cut(Reader& reader, const Json& item, Zrk_CutConstraint& cut) {
    reader.checkKeys(item, {"name", "type", "offsets"});
    const int oldType = reader.smallInteger(item, "type", 0, 0, kVersion1CutTypeCount - 1);
    cut = Zrk_CutConstraint::ofType(cut.name, cutTypeFromVersion1(oldType));
    if (!item.contains("offsets")) return;
    const Json& offsets = item["offsets"];
    reader.expectObject(offsets, std::string("\"offsets\""));
    for (auto it = offsets.begin(); it != offsets.end(); ++it) {
        const int kind = offsetKindOfKey(it.key());
        if (kind < 0) reader.fail("unknown offset \"" + it.key() + "\"");
        if (!cut.holdsOffset(kind))
            reader.fail("cut type " + std::to_string(oldType) + " has no offset \"" + it.key() + "\"");
        cut.offsets[static_cast<std::size_t>(kind)] = reader.number(offsets, kOffsetKeys[kind], true);
    }
}

} // namespace

void readCut(Reader& reader, const Json& item, Zrk_CutConstraint& cut) {
    cut.name = reader.name(item);
    if (reader.version() < 2) {
        readVersion1Cut(reader, item, cut);
        return;
    }
    reader.checkKeys(item, {"name", "type", "offsets", "variables", "checked", "option", "secondFlag",
                            "choice", "flagA", "flagB", "flagC", "text"});
    const int type = reader.smallInteger(item, "type", kCutProfVsPlate, kFirstCutType, kLastCutType);
    cut = Zrk_CutConstraint::ofType(cut.name, type);
    if (item.contains("offsets")) {
        const Json& offsets = item["offsets"];
        reader.expectObject(offsets, std::string("\"offsets\""));
        cut.held = KvCutOffsetSet{};
        for (auto it = offsets.begin(); it != offsets.end(); ++it) {
            const int kind = offsetKindOfKey(it.key());
            if (kind < 0) reader.fail("unknown offset \"" + it.key() + "\"");
            cut.held[kind] = true;
            cut.offsets[static_cast<std::size_t>(kind)] = reader.number(offsets, kOffsetKeys[kind], true);
        }
    }
    if (item.contains("variables")) {
        const Json& variables = item["variables"];
        reader.expectObject(variables, std::string("\"variables\""));
        for (auto it = variables.begin(); it != variables.end(); ++it) {
            const int kind = offsetKindOfKey(it.key());
            if (kind < 0 || !cut.holdsOffset(kind))
                reader.fail("the cut holds no offset \"" + it.key() + "\"");
            const Zrk_String variable = reader.text(variables, kOffsetKeys[kind], true);
            if (variable.compare(0, 4, "gen_") != 0 || variable.size() == 4)
                reader.fail("\"" + toUtf8(variable) + "\" is not a general variable (a \"gen_\" name)");
            cut.offsetVars[static_cast<std::size_t>(kind)] = variable;
        }
    }
    for (const Zrk_String& key : reader.texts(item, "checked")) {
        const int kind = offsetKindOfKey(toUtf8(key));
        if (kind < 0 || !cut.holdsOffset(kind))
            reader.fail("the cut holds no offset \"" + toUtf8(key) + "\" to check");
        cut.checked[kind] = true;
    }
    cut.option = reader.flag(item, "option", false);
    cut.secondFlag = reader.flag(item, "secondFlag", false);
    cut.choice = reader.smallInteger(item, "choice", kCutChoiceNone, 0, kCutChoiceNone);
    cut.flagA = reader.flag(item, "flagA", false);
    cut.flagB = reader.flag(item, "flagB", false);
    cut.flagC = reader.flag(item, "flagC", false);
    cut.text = reader.text(item, "text", false);
}

Json cutJson(const Zrk_CutConstraint& cut) {
    Json json = Json::object();
    json["name"] = textValue(cut.name);
    json["type"] = cut.cutType;
    Json offsets = Json::object(), variables = Json::object(), checked = Json::array();
    for (int kind = 0; kind < kCutOffsetTypeCount; ++kind) {
        if (!cut.held[kind]) continue;
        const std::size_t at = static_cast<std::size_t>(kind);
        offsets[kOffsetKeys[kind]] = cut.offsets[at];
        if (!cut.offsetVars[at].empty()) variables[kOffsetKeys[kind]] = textValue(cut.offsetVars[at]);
        if (cut.checked[at]) checked.push_back(kOffsetKeys[kind]);
    }
    json["offsets"] = std::move(offsets);
    putObject(json, "variables", std::move(variables));
    putList(json, "checked", std::move(checked));
    putFlag(json, "option", cut.option);
    putFlag(json, "secondFlag", cut.secondFlag);
    putInteger(json, "choice", cut.choice, kCutChoiceNone);
    putFlag(json, "flagA", cut.flagA);
    putFlag(json, "flagB", cut.flagB);
    putFlag(json, "flagC", cut.flagC);
    putText(json, "text", cut.text);
    return json;
}

// --- profiles ----------------------------------------------------------------------------------

// The placement fields by their stored names (profile_model.h); "onSegment" is a flag in the file,
// "morphed" a field of its own.
std::vector<const char*> profPropsKeys() {
    std::vector<const char*> keys;
    for (const MacroProfTextField& field : macroProfTextFields())
        keys.push_back(field.key);
    for (const MacroProfNumberField& field : macroProfNumberFields())
        keys.push_back(field.key);
    keys.push_back("morphed");
    return keys;
}

void readProfProps(Reader& reader, const Json& item, MacroProfProps& props) {
    const MacroProfProps defaults;
    const bool firstEdition = reader.version() < 2;
    for (const MacroProfTextField& field : macroProfTextFields()) {
        const std::string key = field.key;
        if (firstEdition && key != "section" && key != "material" && key != "memberName") continue;
        props.*field.member = reader.text(item, field.key, false, defaults.*field.member);
    }
    if (firstEdition) return;
    for (const MacroProfNumberField& field : macroProfNumberFields()) {
        if (std::string(field.key) == "onSegment")
            props.onSegment = reader.flag(item, "onSegment", defaults.onSegment != 0) ? 1 : 0;
        else
            props.*field.member =
                reader.smallInteger(item, field.key, defaults.*field.member, field.lowest, field.highest);
    }
    props.morphed = reader.flag(item, "morphed", false);
}

void putProfProps(Json& object, const MacroProfProps& props) {
    const MacroProfProps defaults;
    for (const MacroProfTextField& field : macroProfTextFields())
        putText(object, field.key, props.*field.member, defaults.*field.member);
    for (const MacroProfNumberField& field : macroProfNumberFields()) {
        if (std::string(field.key) == "onSegment")
            putFlag(object, "onSegment", props.onSegment != 0);
        else
            putInteger(object, field.key, props.*field.member, defaults.*field.member);
    }
    putFlag(object, "morphed", props.morphed);
}

namespace {

// --- bolts -------------------------------------------------------------------------------------

void readBolts(Reader& reader, const Json& bolts, MacroBoltData& data) {
    reader.checkKeys(
        bolts, keys({"diameter", "holeOffset"},
                    {"composition", "penetrationLength", "addedLength", "holeTolerance", "length", "tapped",
                     "reverseOrientation", "countersunk", "boltedInWorkshop", "optionCount", "optionFlag",
                     "nut1", "nut2", "washer1", "washer2", "washers", "holeColumns", "slottedHoles"},
                    reader.version()));
    data.diameter = reader.text(bolts, "diameter", false);
    data.holeOffset = reader.text(bolts, "holeOffset", false);
    if (reader.version() < 2) return;
    data.composition = reader.text(bolts, "composition", false);
    data.penetrationLength = reader.text(bolts, "penetrationLength", false);
    data.addedLength = reader.text(bolts, "addedLength", false);
    data.holeTolerance = reader.text(bolts, "holeTolerance", false);
    data.length = reader.text(bolts, "length", false);
    data.tapped = reader.smallInteger(bolts, "tapped", 0, 0, 2);
    data.reverseOrientation = reader.smallInteger(bolts, "reverseOrientation", 0, 0, 2);
    data.countersunk = reader.smallInteger(bolts, "countersunk", 0, 0, 2);
    data.boltedInWorkshop = reader.smallInteger(bolts, "boltedInWorkshop", 0, 0, 2);
    data.optionCount = reader.smallInteger(bolts, "optionCount", 0, 0, 1'000'000);
    data.optionFlag = reader.flag(bolts, "optionFlag", false);
    data.nut1 = reader.smallInteger(bolts, "nut1", 0, -1, 1);
    data.nut2 = reader.smallInteger(bolts, "nut2", 0, -1, 1);
    data.washer1 = reader.smallInteger(bolts, "washer1", 0, -1, 1);
    data.washer2 = reader.smallInteger(bolts, "washer2", 0, -1, 1);
    data.washers = reader.smallInteger(bolts, "washers", 0, -1, 1);
    reader.forEach(bolts, "holeColumns", "hole column", false, [&](const Json& column) {
        reader.checkKeys(column, {"used", "text"});
        data.holeColumns.append(
            MacroHoleColumn{reader.flag(column, "used", false), reader.text(column, "text", false)});
    });
    reader.forEach(bolts, "slottedHoles", "slotted hole", false, [&](const Json& hole) {
        reader.checkKeys(hole, {"active", "slotType", "radius", "length", "angle", "extra"});
        MacroSlottedHole entry;
        entry.active = reader.flag(hole, "active", false);
        entry.slotType = reader.smallInteger(hole, "slotType", 0, 0, kSlotTypeCount - 1);
        entry.radius = reader.number(hole, "radius", false);
        entry.length = reader.number(hole, "length", false);
        entry.angle = reader.number(hole, "angle", false);
        entry.extra = reader.number(hole, "extra", false);
        data.slottedHoles.append(entry);
    });
}

Json boltsJson(const MacroBoltData& data) {
    Json json = Json::object();
    putText(json, "composition", data.composition);
    json["diameter"] = textValue(data.diameter);
    json["holeOffset"] = textValue(data.holeOffset);
    putText(json, "penetrationLength", data.penetrationLength);
    putText(json, "addedLength", data.addedLength);
    putText(json, "holeTolerance", data.holeTolerance);
    putText(json, "length", data.length);
    putInteger(json, "tapped", data.tapped, 0);
    putInteger(json, "reverseOrientation", data.reverseOrientation, 0);
    putInteger(json, "countersunk", data.countersunk, 0);
    putInteger(json, "boltedInWorkshop", data.boltedInWorkshop, 0);
    putInteger(json, "optionCount", data.optionCount, 0);
    putFlag(json, "optionFlag", data.optionFlag);
    putInteger(json, "nut1", data.nut1, 0);
    putInteger(json, "nut2", data.nut2, 0);
    putInteger(json, "washer1", data.washer1, 0);
    putInteger(json, "washer2", data.washer2, 0);
    putInteger(json, "washers", data.washers, 0);
    Json columns = Json::array();
    for (const MacroHoleColumn& column : data.holeColumns) {
        Json item = Json::object();
        putFlag(item, "used", column.used);
        putText(item, "text", column.text);
        columns.push_back(std::move(item));
    }
    putList(json, "holeColumns", std::move(columns));
    Json holes = Json::array();
    for (const MacroSlottedHole& hole : data.slottedHoles) {
        Json item = Json::object();
        putFlag(item, "active", hole.active);
        putInteger(item, "slotType", hole.slotType, 0);
        putNumber(item, "radius", hole.radius, 0.0);
        putNumber(item, "length", hole.length, 0.0);
        putNumber(item, "angle", hole.angle, 0.0);
        putNumber(item, "extra", hole.extra, 0.0);
        holes.push_back(std::move(item));
    }
    putList(json, "slottedHoles", std::move(holes));
    return json;
}

void readPatternDirection(Reader& reader, const Json& item, MacroPatternDirection& direction) {
    reader.checkKeys(item, {"distribution", "countOption", "countText", "secondText", "flag", "values"});
    direction.distribution = reader.smallInteger(item, "distribution", 0, 0, 2);
    direction.countOption = reader.smallInteger(item, "countOption", 0, 0, 1);
    direction.countText = reader.text(item, "countText", false);
    direction.secondText = reader.text(item, "secondText", false);
    direction.flag = reader.flag(item, "flag", false);
    direction.values = reader.texts(item, "values");
}

Json patternDirectionJson(const MacroPatternDirection& direction) {
    Json json = Json::object();
    putInteger(json, "distribution", direction.distribution, 0);
    putInteger(json, "countOption", direction.countOption, 0);
    putText(json, "countText", direction.countText);
    putText(json, "secondText", direction.secondText);
    putFlag(json, "flag", direction.flag);
    putTexts(json, "values", direction.values);
    return json;
}

void readPattern(Reader& reader, const Json& item, Zrk_BoltPattern& pattern) {
    pattern.name = reader.name(item);
    reader.checkKeys(item, keys({"name", "kind", "nrBolts1", "nrBolts2", "reverseStart1", "reverseStart2"},
                                {"settings"}, reader.version()));
    pattern.kindCode = reader.smallInteger(item, "kind", kPatternOneDirection, INT32_MIN, INT32_MAX);
    if (!pattern.hasSecondDirection() && (item.contains("nrBolts2") || item.contains("reverseStart2")))
        reader.fail(
            "\"nrBolts2\" and \"reverseStart2\" belong to patterns with two directions (\"kind\": 282)");
    pattern.nrBolts1 = reader.boltCount(item, "nrBolts1");
    pattern.nrBolts2 = reader.boltCount(item, "nrBolts2");
    pattern.reverseStart1 = reader.flag(item, "reverseStart1", false);
    pattern.reverseStart2 = reader.flag(item, "reverseStart2", false);
    reader.inObject(item, "settings", false, [&](const Json& settings) {
        reader.checkKeys(settings, {"kind", "direction1", "direction2", "options"});
        pattern.hasSettings = true;
        pattern.props.kind = reader.smallInteger(settings, "kind", 1, 1, 2);
        reader.inObject(settings, "direction1", false, [&](const Json& direction) {
            readPatternDirection(reader, direction, pattern.props.direction1);
        });
        reader.inObject(settings, "direction2", false, [&](const Json& direction) {
            readPatternDirection(reader, direction, pattern.props.direction2);
        });
        const Zrk_Array<int> options = reader.integers(settings, "options", 0, 1);
        if (options.length() > 4) reader.fail("\"options\" holds at most four values");
        for (int i = 0; i < options.length(); ++i)
            pattern.props.options[static_cast<std::size_t>(i)] = options[i];
    });
}

Json patternJson(const Zrk_BoltPattern& pattern) {
    Json json = {{"name", textValue(pattern.name)},
                 {"kind", pattern.kindCode},
                 {"nrBolts1", textValue(pattern.nrBolts1)},
                 {"reverseStart1", pattern.reverseStart1}};
    if (pattern.hasSecondDirection()) {
        json["nrBolts2"] = textValue(pattern.nrBolts2);
        json["reverseStart2"] = pattern.reverseStart2;
    }
    if (pattern.hasSettings) {
        const MacroPatternProps& props = pattern.props;
        Json settings = Json::object();
        settings["kind"] = props.kind;
        putObject(settings, "direction1", patternDirectionJson(props.direction1));
        putObject(settings, "direction2", patternDirectionJson(props.direction2));
        if (props.options != std::array<int, 4>{})
            settings["options"] =
                Json::array({props.options[0], props.options[1], props.options[2], props.options[3]});
        json["settings"] = std::move(settings);
    }
    return json;
}

// --- arrays and segmented profiles -------------------------------------------------------------

void readArray(Reader& reader, const Json& item, DynArrayData& array) {
    array.name = reader.name(item);
    reader.checkKeys(item, {"name", "mode", "template", "dimensions", "modeText", "values", "skipCount",
                            "flag", "alternating", "entries"});
    array.mode = reader.smallInteger(item, "mode", 0, 0, kArrayModeCount - 1);
    array.templateName = reader.text(item, "template", false);
    const Zrk_StringArray dimensions = reader.texts(item, "dimensions");
    if (dimensions.length() > 3) reader.fail("\"dimensions\" holds at most three names");
    for (int i = 0; i < dimensions.length(); ++i)
        array.dimNames[static_cast<std::size_t>(i)] = dimensions[i];
    array.modeText = reader.text(item, "modeText", false);
    const Zrk_StringArray values = reader.texts(item, "values");
    if (values.length() > 5) reader.fail("\"values\" holds at most five texts");
    for (int i = 0; i < values.length(); ++i)
        array.values[static_cast<std::size_t>(i)] = values[i];
    array.skipCount = reader.text(item, "skipCount", false, "0");
    array.flag = reader.smallInteger(item, "flag", 0, 0, 1);
    array.alternating = reader.smallInteger(item, "alternating", 0, 0, 1);
    reader.forEach(item, "entries", "entry", false, [&](const Json& entryItem) {
        reader.checkKeys(entryItem, {"action", "used", "text"});
        DynArrayEntry entry;
        entry.action = reader.smallInteger(entryItem, "action", 0, 0, kArrayEntryActionCount - 1);
        entry.used = reader.flag(entryItem, "used", true);
        entry.text = reader.text(entryItem, "text", false);
        array.entries.append(std::move(entry));
    });
}

template <std::size_t N> Zrk_StringArray trimmedList(const std::array<Zrk_String, N>& texts) {
    Zrk_StringArray list(std::vector<Zrk_String>(texts.begin(), texts.end()));
    while (!list.isEmpty() && list.last().empty())
        list.removeLast();
    return list;
}

Json arrayJson(const DynArrayData& array) {
    Json json = Json::object();
    json["name"] = textValue(array.name);
    json["mode"] = array.mode;
    putText(json, "template", array.templateName);
    putTexts(json, "dimensions", trimmedList(array.dimNames));
    putText(json, "modeText", array.modeText);
    putTexts(json, "values", trimmedList(array.values));
    putText(json, "skipCount", array.skipCount, "0");
    putInteger(json, "flag", array.flag, 0);
    putInteger(json, "alternating", array.alternating, 0);
    Json entries = Json::array();
    for (const DynArrayEntry& entry : array.entries) {
        Json item = Json::object();
        putInteger(item, "action", entry.action, 0);
        putFlag(item, "used", entry.used, true);
        putText(item, "text", entry.text);
        entries.push_back(std::move(item));
    }
    putList(json, "entries", std::move(entries));
    return json;
}

void readSegment(Reader& reader, const Json& item, MacroSegmentedProfile& segment) {
    segment.name = reader.name(item);
    reader.checkKeys(item, {"name", "text", "gap", "breakAtPoints", "points"});
    segment.text = reader.text(item, "text", false);
    segment.gap = reader.number(item, "gap", false);
    segment.breakAtPoints = reader.flag(item, "breakAtPoints", false);
    reader.forEach(item, "points", "point", false, [&](const Json& pointItem) {
        reader.checkKeys(pointItem, {"value", "text"});
        segment.pointValues.append(reader.number(pointItem, "value", false));
        segment.pointTexts.append(reader.text(pointItem, "text", false));
    });
}

Json segmentJson(const MacroSegmentedProfile& segment) {
    Json json = Json::object();
    json["name"] = textValue(segment.name);
    putText(json, "text", segment.text);
    putNumber(json, "gap", segment.gap, 0.0);
    putFlag(json, "breakAtPoints", segment.breakAtPoints);
    Json points = Json::array();
    const int count = std::max(segment.pointValues.length(), segment.pointTexts.length());
    for (int i = 0; i < count; ++i) {
        Json point = Json::object();
        point["value"] = segment.pointValues.isValid(i) ? segment.pointValues[i] : 0.0;
        putText(point, "text", segment.pointTexts.isValid(i) ? segment.pointTexts[i] : Zrk_String());
        points.push_back(std::move(point));
    }
    putList(json, "points", std::move(points));
    return json;
}

// --- variables ---------------------------------------------------------------------------------

void readVariable(Reader& reader, const Json& item, Zrk_DimVariable& variable) {
    variable.name = reader.name(item);
    reader.checkKeys(item, keys({"name", "value", "shown", "driving"},
                                {"label", "cell", "readOnly", "choices"}, reader.version()));
    variable.value = reader.number(item, "value", true);
    variable.shown = reader.flag(item, "shown", true);
    variable.driving = reader.flag(item, "driving", true);
    variable.label = reader.text(item, "label", false);
    variable.cellKind = reader.smallInteger(item, "cell", kCellNumber, kCellNumber, kCellCheckBox);
    variable.readOnly = reader.flag(item, "readOnly", false);
    variable.choices = reader.texts(item, "choices");
    const double value = variable.value;
    // Compared without a cast to an integer type: a value beyond its range would be undefined there.
    const bool whole = std::isfinite(value) && std::trunc(value) == value;
    if (variable.cellKind == kCellWholeNumber && !whole)
        reader.fail("a whole-number cell needs a whole \"value\"");
    if (variable.cellKind == kCellCheckBox && value != 0.0 && value != 1.0)
        reader.fail("a check-box cell needs the \"value\" 0 or 1");
    if (variable.cellKind == kCellChoice && (!whole || value < 0 || value >= variable.choices.length()))
        reader.fail("a choice cell needs a \"value\" that is the index of one of its \"choices\"");
}

Json variableJson(const Zrk_DimVariable& variable) {
    Json json = {{"name", textValue(variable.name)},
                 {"value", variable.value},
                 {"shown", variable.shown},
                 {"driving", variable.driving}};
    putText(json, "label", variable.label);
    putInteger(json, "cell", variable.cellKind, kCellNumber);
    putFlag(json, "readOnly", variable.readOnly);
    putTexts(json, "choices", variable.choices);
    return json;
}

// --- modules -----------------------------------------------------------------------------------

void readModule(Reader& reader, const Json& item, Zrk_Module& module) {
    module.name = reader.name(item);
    reader.checkKeys(item, keys({"name", "group", "kind", "variables", "cuts", "bolts", "patterns",
                                 "placements", "flexGroups"},
                                {"template", "subMacro", "arrays", "segments", "geometry", "constraints",
                                 "moduleVariables", "equations"},
                                reader.version()));
    module.groupName = reader.text(item, "group", false);
    module.kind = reader.smallInteger(item, "kind", 0, INT32_MIN, INT32_MAX);
    if (!module.isBoltModule() && (item.contains("bolts") || item.contains("patterns")))
        reader.fail("\"bolts\" and \"patterns\" belong to bolt modules (\"kind\": 232)");
    if (!module.isSubMacroModule() && item.contains("subMacro"))
        reader.fail("\"subMacro\" belongs to sub-macro modules (\"kind\": 234)");
    module.templatePath = normalizePath(reader.text(item, "template", false));
    module.subMacro = normalizePath(reader.text(item, "subMacro", false));

    std::set<Zrk_String> names;
    reader.forEach(item, "variables", "variable", false, [&](const Json& varItem) {
        Zrk_DimVariable variable;
        readVariable(reader, varItem, variable);
        reader.unique(names, variable.name, "the variable name");
        module.variables.append(std::move(variable));
    });
    names.clear();
    reader.forEach(item, "cuts", "cut", false, [&](const Json& cutItem) {
        Zrk_CutConstraint cut;
        readCut(reader, cutItem, cut);
        reader.unique(names, cut.name, "the cut name");
        module.cuts.append(std::move(cut));
    });
    reader.inObject(item, "bolts", false, [&](const Json& bolts) {
        MacroBoltData data;
        readBolts(reader, bolts, data);
        module.boltData = std::move(data);
    });
    names.clear();
    reader.forEach(item, "patterns", "pattern", false, [&](const Json& patternItem) {
        Zrk_BoltPattern pattern;
        readPattern(reader, patternItem, pattern);
        reader.unique(names, pattern.name, "the pattern name");
        module.patterns.append(std::move(pattern));
    });
    reader.forEach(item, "placements", "placement", false, [&](const Json& placementItem) {
        Zrk_ProfilePlacement placement;
        placement.name = reader.text(placementItem, "name", false);
        reader.nameTrail(placement.name);
        std::vector<const char*> allowed = {"name", "section", "material", "memberName"};
        if (reader.version() >= 2) {
            allowed = profPropsKeys();
            allowed.push_back("name");
            allowed.push_back("number");
        }
        reader.checkKeys(placementItem, allowed);
        readProfProps(reader, placementItem, placement);
        placement.number = reader.smallInteger(placementItem, "number", 0, 0, INT32_MAX);
        module.placements.append(std::move(placement));
    });
    names.clear();
    std::set<Zrk_String> grouped;
    reader.forEach(item, "flexGroups", "flex group", false, [&](const Json& groupItem) {
        Zrk_FlexFixGroup group;
        group.name = reader.name(groupItem);
        reader.checkKeys(groupItem, {"name", "entries"});
        reader.unique(names, group.name, "the flex group name");
        reader.forEach(groupItem, "entries", "entry", true, [&](const Json& entryItem) {
            reader.checkKeys(entryItem, {"variable", "flexible"});
            Zrk_FlexFixEntry entry;
            entry.variable = reader.text(entryItem, "variable", true);
            entry.flexible = reader.flag(entryItem, "flexible", false);
            if (!module.findVariable(entry.variable))
                reader.fail("\"" + toUtf8(entry.variable) + "\" is not a variable of the module");
            if (!grouped.insert(entry.variable).second)
                reader.fail("\"" + toUtf8(entry.variable) + "\" belongs to a flex group already");
            group.entries.append(std::move(entry));
        });
        module.flexGroups.append(std::move(group));
    });
    names.clear();
    reader.forEach(item, "arrays", "array", false, [&](const Json& arrayItem) {
        DynArrayData array;
        readArray(reader, arrayItem, array);
        reader.unique(names, array.name, "the array name");
        module.arrays.append(std::move(array));
    });
    names.clear();
    reader.forEach(item, "segments", "segmented profile", false, [&](const Json& segmentItem) {
        MacroSegmentedProfile segment;
        readSegment(reader, segmentItem, segment);
        reader.unique(names, segment.name, "the segmented profile name");
        module.segments.append(std::move(segment));
    });
    readConstraintParts(reader, item, module);
}

Json moduleJson(const Zrk_Module& module) {
    Json item = Json::object();
    item["name"] = textValue(module.name);
    putText(item, "group", module.groupName);
    item["kind"] = module.kind;
    putText(item, "template", module.templatePath);
    putText(item, "subMacro", module.subMacro);
    Json variables = Json::array();
    for (const Zrk_DimVariable& variable : module.variables)
        variables.push_back(variableJson(variable));
    putList(item, "variables", std::move(variables));
    Json cuts = Json::array();
    for (const Zrk_CutConstraint& cut : module.cuts)
        cuts.push_back(cutJson(cut));
    putList(item, "cuts", std::move(cuts));
    if (module.boltData) item["bolts"] = boltsJson(*module.boltData);
    Json patterns = Json::array();
    for (const Zrk_BoltPattern& pattern : module.patterns)
        patterns.push_back(patternJson(pattern));
    putList(item, "patterns", std::move(patterns));
    Json placements = Json::array();
    for (const Zrk_ProfilePlacement& placement : module.placements) {
        Json placementItem = Json::object();
        placementItem["name"] = textValue(placement.name);
        putInteger(placementItem, "number", placement.number, 0);
        putProfProps(placementItem, placement);
        placements.push_back(std::move(placementItem));
    }
    putList(item, "placements", std::move(placements));
    Json flexGroups = Json::array();
    for (const Zrk_FlexFixGroup& group : module.flexGroups) {
        Json entries = Json::array();
        for (const Zrk_FlexFixEntry& entry : group.entries)
            entries.push_back({{"variable", textValue(entry.variable)}, {"flexible", entry.flexible}});
        flexGroups.push_back({{"name", textValue(group.name)}, {"entries", std::move(entries)}});
    }
    putList(item, "flexGroups", std::move(flexGroups));
    Json arrays = Json::array();
    for (const DynArrayData& array : module.arrays)
        arrays.push_back(arrayJson(array));
    putList(item, "arrays", std::move(arrays));
    Json segments = Json::array();
    for (const MacroSegmentedProfile& segment : module.segments)
        segments.push_back(segmentJson(segment));
    putList(item, "segments", std::move(segments));
    putConstraintParts(item, module);
    return item;
}

} // namespace

// --- macros ------------------------------------------------------------------------------------

void readMacro(Reader& reader, const Json& item, DrawingMacroRecord& record) {
    record.macro.name = reader.text(item, "name", false);
    reader.nameTrail(record.macro.name);
    reader.checkKeys(item, keys({"id", "name", "modules", "baseProfiles", "generalVariables"},
                                {"library", "settings"}, reader.version()));
    record.id = reader.integer(item, "id", 0, 1, kMaxId);
    record.macro.libraryName = normalizePath(reader.text(item, "library", false));
    std::set<Zrk_String> moduleNames;
    reader.forEach(item, "modules", "module", false, [&](const Json& moduleItem) {
        Zrk_Module module;
        readModule(reader, moduleItem, module);
        reader.unique(moduleNames, module.name, "the module name");
        record.macro.modules.append(std::move(module));
    });
    reader.forEach(item, "baseProfiles", "base profile", false, [&](const Json& profileItem) {
        reader.checkKeys(profileItem, {"section", "material"});
        Zrk_BaseProfile profile;
        profile.sectionName = reader.text(profileItem, "section", false);
        profile.material = reader.text(profileItem, "material", false);
        record.macro.baseProfiles.append(std::move(profile));
    });
    std::set<Zrk_String> genNames;
    reader.forEach(item, "generalVariables", "general variable", false, [&](const Json& varItem) {
        Zrk_GenVariable variable;
        variable.name = reader.name(varItem);
        reader.checkKeys(varItem, {"name", "value"});
        variable.value = reader.number(varItem, "value", true);
        reader.unique(genNames, variable.name, "the name");
        record.macro.genVars.append(std::move(variable));
    });
    reader.inObject(item, "settings", false,
                    [&](const Json& settings) { readSettings(reader, settings, record.macro.settings); });
}

Json macroJson(const DrawingMacroRecord& record) {
    const Zrk_Macro& macro = record.macro;
    Json json = Json::object();
    if (record.id > 0) json["id"] = record.id;
    json["name"] = textValue(macro.name);
    putText(json, "library", macro.libraryName);
    Json modules = Json::array();
    for (const Zrk_Module& module : macro.modules)
        modules.push_back(moduleJson(module));
    putList(json, "modules", std::move(modules));
    Json profiles = Json::array();
    for (const Zrk_BaseProfile& profile : macro.baseProfiles)
        profiles.push_back(
            {{"section", textValue(profile.sectionName)}, {"material", textValue(profile.material)}});
    putList(json, "baseProfiles", std::move(profiles));
    Json genVars = Json::array();
    for (const Zrk_GenVariable& variable : macro.genVars)
        genVars.push_back({{"name", textValue(variable.name)}, {"value", variable.value}});
    putList(json, "generalVariables", std::move(genVars));
    putObject(json, "settings", settingsJson(macro.settings));
    return json;
}

} // namespace core::drawing_json
