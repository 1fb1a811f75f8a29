// A module's geometry, constraints, module variables and equations in the drawing file (second
// edition; docs/drawing-format.md).

#include "core/codepage.h"
#include "core/drawing_json.h"
#include "core/text.h"

namespace core::drawing_json {

namespace {

int findGeometryIndex(const Zrk_Module& module, std::int64_t id) {
    for (int i = 0; i < module.geometry.length(); ++i)
        if (module.geometry[i].id.handle() == id) return i;
    return -1;
}

} // namespace

void readConstraintParts(Reader& reader, const Json& item, Zrk_Module& module) {
    std::set<Zrk_String> tags;
    reader.forEach(item, "geometry", "geometry object", false, [&](const Json& objectItem) {
        reader.checkKeys(objectItem, {"id", "kind", "nameTag", "flexibility", "constrained"});
        Zrk_GeomObject object;
        if (!objectItem.contains("id")) reader.fail("\"id\" is missing");
        object.id = AcDbObjectId(reader.integer(objectItem, "id", 0, 1, kMaxId));
        object.kind = reader.smallInteger(objectItem, "kind", kGeomLine, 0, kGeomKindCount - 1);
        object.nameTag = reader.text(objectItem, "nameTag", false);
        if (object.nameTag.find_first_of("\t\r\n") != Zrk_String::npos)
            reader.fail("\"nameTag\" may not hold a tab or a line break");
        if (!object.nameTag.empty()) reader.uniqueIgnoringCase(tags, object.nameTag, "the name tag");
        object.flexibility =
            reader.smallInteger(objectItem, "flexibility", kFlexFixed, kFlexFixed, kFlexFlexible);
        object.constrained = reader.smallInteger(objectItem, "constrained", 1, 0, kConstrainedByMacro);
        if (findGeometryIndex(module, object.id.handle()) >= 0)
            reader.fail("\"id\" " + std::to_string(object.id.handle()) + " is used by an earlier object");
        module.geometry.append(std::move(object));
    });

    std::set<int> ids;
    reader.forEach(item, "constraints", "constraint", false, [&](const Json& constrItem) {
        reader.checkKeys(constrItem, {"id", "name", "kind", "objects", "value", "variable", "choice",
                                      "driving", "shown", "options"});
        Zrk_Constraint constraint;
        constraint.name = reader.text(constrItem, "name", false);
        reader.nameTrail(constraint.name);
        if (!constrItem.contains("id")) reader.fail("\"id\" is missing");
        constraint.id = reader.smallInteger(constrItem, "id", 0, 1, INT32_MAX);
        if (!ids.insert(constraint.id).second)
            reader.fail("\"id\" " + std::to_string(constraint.id) + " is used by an earlier constraint");
        if (!constrItem.contains("kind")) reader.fail("\"kind\" is missing");
        constraint.kind = reader.smallInteger(constrItem, "kind", 0, 0, kConstrKindCount - 1);
        if (!constrItem.contains("objects") || !constrItem["objects"].is_array())
            reader.fail("\"objects\" must be a list of the ids of geometry objects of the module");
        int otherKind = -1;
        for (const Json& id : constrItem["objects"]) {
            const int index = constraint.objects.length();
            const int at = id.is_number_integer() ? findGeometryIndex(module, id.get<std::int64_t>()) : -1;
            if (at < 0)
                reader.fail("\"objects\" must be a list of the ids of geometry objects of the module");
            const Zrk_GeomObject& object = module.geometry[at];
            if (constraint.objects.contains(object.id))
                reader.fail("\"objects\" names " + std::to_string(object.id.handle()) + " twice");
            if (!Zrk_Constraint::acceptsObject(constraint.kind, index, object.kind, otherKind))
                reader.fail("a " + toUtf8(toLower(constraintKindName(constraint.kind))) +
                            " constraint cannot " + "take the " + toUtf8(toLower(geomKindName(object.kind))) +
                            " " + std::to_string(object.id.handle()));
            otherKind = object.kind;
            constraint.objects.append(object.id);
        }
        if (constraint.objects.length() != Zrk_Constraint::objectCountOf(constraint.kind))
            reader.fail("a " + toUtf8(toLower(constraintKindName(constraint.kind))) + " constraint takes " +
                        std::to_string(Zrk_Constraint::objectCountOf(constraint.kind)) + " objects");
        constraint.value = reader.text(constrItem, "value", false);
        constraint.variable = reader.text(constrItem, "variable", false);
        constraint.choice = reader.smallInteger(constrItem, "choice", 0, 0, INT32_MAX);
        constraint.driving = reader.flag(constrItem, "driving", false);
        constraint.shown = reader.flag(constrItem, "shown", false);
        constraint.options = reader.integers(constrItem, "options", 0, 5);
        if (constraint.options.isEmpty())
            constraint.options.setLength(Zrk_Constraint::pictureGroupCountOf(constraint.kind));
        const Zrk_String fault = constraint.fault();
        if (!fault.empty()) reader.fail(toUtf8(fault));
        if (!constraint.variable.empty() && !module.findVariable(constraint.variable))
            reader.fail("\"" + toUtf8(constraint.variable) + "\" is not a variable of the module");
        for (const Zrk_Constraint& earlier : module.constraints)
            if (!constraint.variable.empty() && isEqual(earlier.variable, constraint.variable, true))
                reader.fail("\"" + toUtf8(constraint.variable) + "\" is carried by an earlier constraint");
        module.constraints.append(std::move(constraint));
    });

    std::set<Zrk_String> names;
    reader.forEach(item, "moduleVariables", "module variable", false, [&](const Json& varItem) {
        reader.checkKeys(varItem, {"name", "value", "kind"});
        Zrk_ModuleVariable variable;
        variable.name = reader.name(varItem);
        if (!isVariableName(variable.name))
            reader.fail("the name must be letters and digits, the first a letter");
        reader.uniqueIgnoringCase(names, variable.name, "the variable name");
        if (module.findVariable(variable.name))
            reader.fail("a dimension variable of the module has that name");
        variable.value = reader.number(varItem, "value", false);
        variable.kind = reader.smallInteger(varItem, "kind", 0, 0, kVariableKindCount - 1);
        module.moduleVariables.append(std::move(variable));
    });

    module.equations = reader.texts(item, "equations");
    for (const Zrk_String& equation : module.equations) {
        Zrk_String name, expression;
        if (!splitEquation(equation, name, expression))
            reader.fail("\"" + toUtf8(equation) + "\" is no equation (a name, \"=\" and an expression)");
    }
}

void putConstraintParts(Json& item, const Zrk_Module& module) {
    Json geometry = Json::array();
    for (const Zrk_GeomObject& object : module.geometry) {
        Json json = Json::object();
        json["id"] = object.id.handle();
        putInteger(json, "kind", object.kind, kGeomLine);
        putText(json, "nameTag", object.nameTag);
        putInteger(json, "flexibility", object.flexibility, kFlexFixed);
        putInteger(json, "constrained", object.constrained, 1);
        geometry.push_back(std::move(json));
    }
    putList(item, "geometry", std::move(geometry));
    Json constraints = Json::array();
    for (const Zrk_Constraint& constraint : module.constraints) {
        Json json = Json::object();
        json["id"] = constraint.id;
        putText(json, "name", constraint.name);
        json["kind"] = constraint.kind;
        Json objects = Json::array();
        for (const AcDbObjectId& id : constraint.objects)
            objects.push_back(id.handle());
        json["objects"] = std::move(objects);
        putText(json, "value", constraint.value);
        putText(json, "variable", constraint.variable);
        putInteger(json, "choice", constraint.choice, 0);
        putFlag(json, "driving", constraint.driving);
        putFlag(json, "shown", constraint.shown);
        bool anyOption = false;
        for (int option : constraint.options)
            anyOption = anyOption || option != 0;
        if (anyOption) putIntegers(json, "options", constraint.options);
        constraints.push_back(std::move(json));
    }
    putList(item, "constraints", std::move(constraints));
    Json variables = Json::array();
    for (const Zrk_ModuleVariable& variable : module.moduleVariables) {
        Json json = Json::object();
        json["name"] = textValue(variable.name);
        putNumber(json, "value", variable.value, 0.0);
        putInteger(json, "kind", variable.kind, 0);
        variables.push_back(std::move(json));
    }
    putList(item, "moduleVariables", std::move(variables));
    putTexts(item, "equations", module.equations);
}

} // namespace core::drawing_json
