// Writes a drawing of many connections whose macros name their standards, for the tests and the
// benchmark of "sshost standards --all":
//   make_standards_drawing SOURCE.json OUT.json COUNT [MACRO=SHEET:MAPPING]...
// The macros of SOURCE named in the arguments are copied round-robin until there are COUNT of them
// (each copy named after its model and its number), each naming the sheet and mapping record given
// for its model. The other objects of SOURCE stay as they are; the models themselves are left out.
#include <iostream>
#include <string>
#include <vector>

#include "core/codepage.h"
#include "core/drawing.h"

int main(int argc, char** argv) {
    if (argc < 5) {
        std::cerr << "usage: make_standards_drawing SOURCE.json OUT.json COUNT MACRO=SHEET:MAPPING...\n";
        return 2;
    }
    core::Drawing source;
    Zrk_String message;
    if (!source.readFromFile(core::fromUtf8(argv[1]), &message)) {
        std::cerr << core::toUtf8(message) << '\n';
        return 1;
    }
    struct Model {
        Zrk_Macro macro;
        Zrk_String sheet, mapping;
    };
    std::vector<Model> models;
    for (int i = 4; i < argc; ++i) {
        const std::string argument = argv[i];
        const std::size_t equals = argument.find('='), colon = argument.find(':', equals);
        Zrk_DbMacro* macro = equals == std::string::npos || colon == std::string::npos
                                 ? nullptr
                                 : source.findMacroByName(core::fromUtf8(argument.substr(0, equals)));
        if (!macro) {
            std::cerr << "no macro for " << argument << " (expected MACRO=SHEET:MAPPING)\n";
            return 2;
        }
        models.push_back({*macro->macro(), core::fromUtf8(argument.substr(equals + 1, colon - equals - 1)),
                          core::fromUtf8(argument.substr(colon + 1))});
    }
    for (const Model& model : models)
        source.eraseObject(source.findMacroByName(model.macro.name)->objectId());
    const int count = std::stoi(argv[3]);
    for (int i = 0; i < count; ++i) {
        const Model& model = models[static_cast<std::size_t>(i) % models.size()];
        Zrk_Macro copy = model.macro;
        copy.name = model.macro.name + "-" + std::to_string(i + 1);
        copy.settings.tabMapping.ssNames.removeAll();
        copy.settings.tabMapping.mappingRefs.removeAll();
        copy.settings.tabMapping.ssNames.append(model.sheet);
        copy.settings.tabMapping.mappingRefs.append(model.mapping);
        source.addMacro(std::move(copy));
    }
    if (!source.writeToFile(core::fromUtf8(argv[2]), &message)) {
        std::cerr << core::toUtf8(message) << '\n';
        return 1;
    }
    return 0;
}
