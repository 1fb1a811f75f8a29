// The catalogue of a macro's mappable objects, and a mapping built from it that drives the macro.

#include "core/text.h"
#include "library_fixture.h"
#include "standards/ss_mapping.h"
#include "standards/standards_data.h"

namespace {

Zrk_String describe(const KvObjectMap& entry) {
    Zrk_String keyword;
    standards::objectTypeKeyword(entry.type, keyword);
    Zrk_String text = entry.groupName + "|" + entry.macroVar + "|" + keyword + "|" + intToStr(entry.varKind);
    if (!entry.columnName.empty()) text += "|" + entry.columnName;
    return text;
}

using Catalogue = LibraryTest;

} // namespace

TEST_F(Catalogue, EveryMappableObjectInOrder) {
    openConnection();
    KvSSMapping mapping;
    KvObjectMap kept;
    kept.ssVar = "Kept";
    kept.type = KvObjectType::GenVar;
    mapping.mappedObjectsWrite().append(kept);
    ASSERT_EQ(mapping.initAllVarsFromMacro(macro, nullptr), Acad::eOk);

    Zrk_StringArray described;
    for (const KvObjectMap& entry : mapping.mappedObjects()) {
        if (&entry != &mapping.mappedObjects()[0]) {
            EXPECT_EQ(entry.ssVar, "");
        }
        described.append(describe(entry));
    }
    const Zrk_StringArray expected{
        "||GenVar|3", // the entries are not cleared first
        // Plate: dimension variables with their kinds, then the offsets its cut types offer
        "EndPlate|Width|Distance|0", "EndPlate|Height|Distance|0", "EndPlate|Thick|Distance|1",
        "EndPlate|Hidden|Distance|3", "EndPlate|Offset|Distance|2", "EndPlate|Edge1|Distance|0",
        "EndPlate|Pitch|Distance|0", "EndPlate|Edge2|Distance|0", "EndPlate|P.Name|Distance|0",
        "EndPlate|S|CutOffset|0", "EndPlate|S|CutLengthOffset|0", "EndPlate|S|CutCenterOffset|0",
        "EndPlate|S|CutRadius|0", "EndPlate|Corner|CutOffset|0",
        // Plate2
        "EndPlate|Width|Distance|0",
        // Bolts: bolt data, then each pattern (the second direction only for kind 282)
        "BoltGroup||BoltsDiameter|0", "BoltGroup||BoltsHoleOffset|0", "BoltGroup|Rows|PatternNrBolts1|0",
        "BoltGroup|Rows|PatternReverseStart1|0", "BoltGroup|Rows|PatternNrBolts2|0",
        "BoltGroup|Rows|PatternReverseStart2|0", "BoltGroup|Single|PatternNrBolts1|0",
        "BoltGroup|Single|PatternReverseStart1|0",
        // Cleat: one owned member per named placement
        "Cleat|Angle|OwnedMemberName|0", "Cleat|Angle|OwnedMemberName|0",
        // base profiles with the value columns of their sections
        "|Prof0|PrPlName|0", "|Prof0|PrPlMaterial|0", "|Prof0;0|MemberSectionSize|0|h", "|Prof0;1|MemberSectionSize|0|b",
        "|Prof1|PrPlName|0", "|Prof1|PrPlMaterial|0", "|Prof1;0|MemberSectionSize|0|h", "|Prof1;1|MemberSectionSize|0|b",
        "|Prof1;2|MemberSectionSize|0|tw", "|Prof1;3|MemberSectionSize|0|tf", "|Prof1;4|MemberSectionSize|0|r",
        "|Prof2|PrPlName|0", "|Prof2|PrPlMaterial|0",
        // general variables
        "|gen_W|GenVar|0", "|Spacing|GenVar|0",
    };
    EXPECT_EQ(described, expected);

    EXPECT_EQ(mapping.initAllVarsFromMacro(nullptr, nullptr), Acad::eInvalidInput);
}

TEST_F(Catalogue, AMappingChosenFromTheCatalogueDrivesTheMacro) {
    openConnection();
    KvSSMapping catalogue;
    ASSERT_EQ(catalogue.initAllVarsFromMacro(macro, nullptr), Acad::eOk);

    // The variables a sheet would declare, each mapped to an object the catalogue offers it.
    struct Choice {
        Zrk_String ssVar;
        KvValueType valueType;
        Zrk_String object;
    };
    const Choice choices[] = {
        {"PlateWidth", KvValueType::Double, "EndPlate|Width|Distance|0"},
        {"Rows", KvValueType::String, "BoltGroup|Rows|PatternNrBolts1|0"},
        {"Flange", KvValueType::Double, "|Prof1;3|MemberSectionSize|0|tf"},
        {"Diameter", KvValueType::Double, "BoltGroup||BoltsDiameter|0"},
    };
    KvSSMapping mapping;
    for (const Choice& choice : choices) {
        Zrk_Array<int> valid;
        ASSERT_EQ(catalogue.getValidVars(true, choice.valueType, valid), Acad::eOk);
        bool found = false;
        for (int index : valid) {
            if (describe(catalogue.mappedObjects()[index]) != choice.object) continue;
            KvObjectMap entry;
            entry.groupName = catalogue.mappedObjects()[index].groupName;
            entry.macroVar = catalogue.mappedObjects()[index].macroVar;
            entry.type = catalogue.mappedObjects()[index].type;
            entry.ssVar = choice.ssVar;
            mapping.mappedObjectsWrite().append(entry);
            found = true;
            break;
        }
        ASSERT_TRUE(found) << choice.object;
    }
    std::filesystem::create_directories(standardsFolder() + "Parents");
    ASSERT_EQ(mapping.setMappingToFile("Parents/EndPlate", "ABCDEFGHIJKLMNOPQRSTUVWX"), Acad::eOk);

    KvDlgStandardsData data;
    ASSERT_EQ(data.initialize(macro, "Parents/EndPlate", "ABCDEFGHIJKLMNOPQRSTUVWX", &macroData), Acad::eOk);
    KvSSMapping loaded;
    ASSERT_EQ(loaded.initFromMacro(data), Acad::eOk);
    Zrk_String value;
    ASSERT_EQ(loaded.getMacroVarValue("Flange", KvValueType::Double, value, data), Acad::eOk);
    EXPECT_EQ(value, "10.7");
    ASSERT_EQ(loaded.getMacroVarValue("Rows", KvValueType::String, value, data), Acad::eOk);
    EXPECT_EQ(value, "3");
    ASSERT_EQ(loaded.setMacroVarValue("PlateWidth", KvValueType::Double, "210", data), Acad::eOk);
    ASSERT_EQ(loaded.setMacroVarValue("Diameter", KvValueType::Double, "16", data), Acad::eOk);
    ASSERT_EQ(loaded.getMacroVarValue("PlateWidth", KvValueType::Double, value, data), Acad::eOk);
    EXPECT_EQ(value, "210.00000000");
    // The bolt data reaches the macro when the dialog data is applied.
    macroData.applyToMacro(*macro->macroWrite());
    EXPECT_EQ(macro->macro()->findModule("Bolts")->boltData->diameter, "16");
    EXPECT_TRUE(drawing.isModified());
}
