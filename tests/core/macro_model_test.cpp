// The macro model and the macro dialog data built from it.

#include <clocale>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "core/macro_data.h"
#include "core/number_text.h"

namespace {

Zrk_Module moduleNamed(const Zrk_String& name, const Zrk_String& group, int kind = 0) {
    Zrk_Module module;
    module.name = name;
    module.groupName = group;
    module.kind = kind;
    return module;
}

Zrk_ProfilePlacement placementOf(const Zrk_String& section, const Zrk_String& material,
                                 const Zrk_String& name, const Zrk_String& member) {
    Zrk_ProfilePlacement placement;
    placement.sectionName = section;
    placement.material = material;
    placement.name = name;
    placement.memberName = member;
    return placement;
}

MacroBoltData boltsOf(const Zrk_String& diameter, const Zrk_String& holeOffset) {
    MacroBoltData bolts;
    bolts.diameter = diameter;
    bolts.holeOffset = holeOffset;
    return bolts;
}

Zrk_FlexFixGroup chain(bool a, bool b, bool c) {
    Zrk_FlexFixGroup group;
    group.name = "Chain";
    group.entries = {{"A", a}, {"B", b}, {"C", c}};
    return group;
}

} // namespace

TEST(NumberText, ReadsLikeAtofWhateverTheLocale) {
    const char* saved = std::setlocale(LC_NUMERIC, nullptr);
    const std::string previous = saved ? saved : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8"); // a comma locale where it exists
    EXPECT_EQ(core::toDouble("2.5"), 2.5);
    EXPECT_EQ(core::toDouble("  -12.5mm"), -12.5);
    EXPECT_EQ(core::toDouble("+.5"), 0.5);
    EXPECT_EQ(core::toDouble("1e3x"), 1000.0);
    EXPECT_EQ(core::toDouble("2e"), 2.0);
    EXPECT_EQ(core::toDouble("abc"), 0.0);
    EXPECT_EQ(core::toDouble(""), 0.0);
    EXPECT_EQ(core::toDouble("-"), 0.0);
    EXPECT_EQ(core::toDouble("inf"), 0.0);
    EXPECT_EQ(core::toDouble("nan"), 0.0);
    EXPECT_EQ(core::toDouble("1e999"), 0.0);
    EXPECT_EQ(core::toInt(" 42abc"), 42);
    EXPECT_EQ(core::toInt("3.9"), 3);
    EXPECT_EQ(core::toInt("-7"), -7);
    EXPECT_EQ(core::toInt("x1"), 0);
    EXPECT_EQ(core::toInt("99999999999999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(core::toInt("-99999999999999999999"), std::numeric_limits<int>::min());
    std::setlocale(LC_NUMERIC, previous.c_str());
}

TEST(MacroModel, CutsHoldTheOffsetsOfTheirType) {
    Zrk_CutConstraint cut = Zrk_CutConstraint::ofType("C", core::kCutProfVsProf); // inside, outside, radius
    double value = 7.5;
    EXPECT_EQ(cut.getSetCutValue(kCutRadius, value, false), Acad::eOk);
    value = 0;
    EXPECT_EQ(cut.getSetCutValue(kCutRadius, value, true), Acad::eOk);
    EXPECT_EQ(value, 7.5);
    EXPECT_EQ(cut.getSetCutValue(kCutOffset, value, false), Acad::eInvalidInput);
    value = std::numeric_limits<double>::infinity();
    EXPECT_EQ(cut.getSetCutValue(kCutInsideOffset, value, false), Acad::eInvalidInput);
    EXPECT_EQ(cut.offsets[kCutInsideOffset], 0.0);
    // A number written replaces the general variable the offset followed.
    cut.offsetVars[kCutRadius] = "gen_R";
    value = 3;
    EXPECT_EQ(cut.getSetCutValue(kCutRadius, value, false), Acad::eOk);
    EXPECT_TRUE(cut.offsetVars[kCutRadius].empty());

    int held = 0;
    for (int type = core::kFirstCutType; type <= core::kLastCutType; ++type) {
        Zrk_Array<KvCutOffsetType> kinds;
        Zrk_CutConstraint::ofType("C", type).getOffsetKinds(kinds);
        held += kinds.length();
    }
    EXPECT_EQ(held, 14);
    Zrk_Array<KvCutOffsetType> none{kCutOffset};
    Zrk_CutConstraint::ofType("C", 7).getOffsetKinds(none);
    EXPECT_TRUE(none.isEmpty());

    // The first edition's types read as the geometric type holding the same offsets.
    const int version1Offsets[core::kVersion1CutTypeCount][5] = {
        {kCutOffset, -1},
        {kCutOffset, kCutPolyOffset, -1},
        {kCutOffset, kCutLengthOffset, kCutCenterOffset, kCutRadius, -1},
        {kCutInsideOffset, kCutOutsideOffset, kCutRadius, -1},
        {kCutOffset, kCutChamferOffset1, kCutChamferOffset2, -1}};
    for (int oldType = 0; oldType < core::kVersion1CutTypeCount; ++oldType) {
        Zrk_Array<KvCutOffsetType> kinds, expected;
        Zrk_CutConstraint::ofType("C", core::cutTypeFromVersion1(oldType)).getOffsetKinds(kinds);
        for (int i = 0; version1Offsets[oldType][i] >= 0; ++i)
            expected.append(static_cast<KvCutOffsetType>(version1Offsets[oldType][i]));
        EXPECT_EQ(kinds, expected) << oldType;
    }
    EXPECT_EQ(core::cutTypeFromVersion1(5), 0);
}

TEST(MacroModel, BoltCounts) {
    int count = 0;
    EXPECT_TRUE(Zrk_BoltPattern::getCount(" 3 ", count));
    EXPECT_EQ(count, 3);
    EXPECT_TRUE(Zrk_BoltPattern::getCount("4.0000000", count));
    EXPECT_EQ(count, 4);
    for (const char* bad : {"0", "2.5", "-1", "x", "", "10000", "1e9"}) {
        EXPECT_FALSE(Zrk_BoltPattern::getCount(bad, count)) << bad;
        EXPECT_EQ(count, -1);
    }

    Zrk_BoltPattern pattern; // one direction
    Zrk_String value = "2.0";
    EXPECT_EQ(pattern.getSetNrBolts(1, value, false), Acad::eOk);
    EXPECT_EQ(pattern.nrBolts1, "2");
    value = "5";
    EXPECT_EQ(pattern.getSetNrBolts(2, value, false), Acad::eInvalidInput);
    bool flag = true;
    EXPECT_EQ(pattern.getSetReverseStart(2, flag, false), Acad::eInvalidInput);
    EXPECT_EQ(pattern.getSetReverseStart(0, flag, false), Acad::eInvalidInput);
    pattern.kindCode = core::kPatternTwoDirections;
    EXPECT_EQ(pattern.getSetNrBolts(2, value, false), Acad::eOk);
    EXPECT_EQ(pattern.getSetReverseStart(2, flag, false), Acad::eOk);
    EXPECT_TRUE(pattern.reverseStart2);
}

TEST(MacroModel, FlexFixPresses) {
    Zrk_FlexFixGroup group = chain(false, false, true);
    EXPECT_FALSE(group.press("A", false)); // already fixed, C still gives way
    EXPECT_TRUE(group.press("A", true));   // A becomes the only flexible entry
    EXPECT_EQ(group, chain(true, false, false));
    EXPECT_TRUE(group.press("A", false)); // fixing the only flexible entry hands over to the next
    EXPECT_EQ(group, chain(false, true, false));
    group = chain(false, false, false);
    EXPECT_TRUE(group.press("C", false)); // wraps round to the first
    EXPECT_EQ(group, chain(true, false, false));
    EXPECT_FALSE(group.press("Unknown", true));

    Zrk_FlexFixGroup single;
    single.entries = {{"Only", true}};
    EXPECT_TRUE(single.press("Only", false));
    EXPECT_FALSE(single.hasFlexibleEntry());
}

TEST(MacroModel, ModulesOfGroupsAndOpening) {
    Zrk_Macro macro;
    macro.modules = {moduleNamed("A1", "A"), moduleNamed("Solo", ""), moduleNamed("A2", "A"),
                     moduleNamed("B", "Solo")};
    Zrk_StringArray names{"stale"};
    ASSERT_EQ(macro.getModNamesOfGroup("A", names), Acad::eOk);
    EXPECT_EQ(names, (Zrk_StringArray{"A1", "A2"}));
    // A module without group is its own group; a group name may equal such a module's name.
    ASSERT_EQ(macro.getModNamesOfGroup("Solo", names), Acad::eOk);
    EXPECT_EQ(names, (Zrk_StringArray{"Solo", "B"}));
    ASSERT_EQ(macro.getModNamesOfGroup("", names), Acad::eOk);
    EXPECT_TRUE(names.isEmpty());
    names = {"kept"};
    EXPECT_EQ(macro.getModNamesOfGroup("Nothing", names), Acad::eInvalidInput);
    EXPECT_EQ(names, Zrk_StringArray{"kept"});

    Zrk_Module* module = nullptr;
    ASSERT_EQ(macro.openModule("A2", 1, module), Acad::eOk);
    EXPECT_EQ(module, &macro.modules[2]);
    ASSERT_EQ(macro.openModule("A2", 0, module), Acad::eOk); // a stale position: found by name
    EXPECT_EQ(module, &macro.modules[2]);
    ASSERT_EQ(macro.openModule("B", 7, module), Acad::eOk);
    EXPECT_EQ(module, &macro.modules[3]);
    EXPECT_EQ(macro.openModule("Z", 0, module), Acad::eInvalidInput);
    EXPECT_EQ(module, &macro.modules[3]);
}

TEST(MacroModel, DimensionVariablesTakeNumbersOnly) {
    Zrk_Module module = moduleNamed("M", "");
    module.variables = {{"W", 10.0, true, false}};
    Zrk_String value;
    ASSERT_EQ(module.getSetConstrVarValue("W", value, true), Acad::eOk);
    EXPECT_EQ(value, "10.00000000");
    for (const char* bad : {"", "12mm", "#VALUE!", "1e999"}) {
        value = bad;
        EXPECT_EQ(module.getSetConstrVarValue("W", value, false), Acad::eInvalidInput) << bad;
    }
    value = " -2.5 ";
    ASSERT_EQ(module.getSetConstrVarValue("W", value, false), Acad::eOk);
    EXPECT_EQ(module.variables[0].value, -2.5);
    EXPECT_EQ(module.getSetConstrVarValue("X", value, true), Acad::eInvalidInput);

    Zrk_StringArray names;
    Zrk_Array<int> shown, driving;
    ASSERT_EQ(module.getDialogVariables(names, shown, driving), Acad::eOk);
    EXPECT_EQ(shown, Zrk_Array<int>{1});
    EXPECT_EQ(driving, Zrk_Array<int>{0});
}

TEST(MacroData, TabsFromModuleGroups) {
    Zrk_Macro macro;
    Zrk_Module plate = moduleNamed("Plate", "Connection");
    plate.placements = {placementOf("HEA-200", "S235", "Stiffener", "ST1"),
                        placementOf("HEA-200", "S355", "Stiffener", "ST1"),
                        placementOf("IPE-300", "S235", "", "none")};
    plate.variables = {{"A", 1}, {"B", 2}};
    plate.flexGroups = {Zrk_FlexFixGroup{"G", {{"A", false}, {"B", true}}}};
    Zrk_Module bolts = moduleNamed("Bolts", "Connection", core::kBoltModule);
    bolts.boltData = boltsOf("20", "2");
    Zrk_Module bolts2 = moduleNamed("Bolts2", "", core::kBoltModule);
    bolts2.boltData = boltsOf("16", "1");
    Zrk_Module cleat = moduleNamed("Cleat", "", core::kProfileModule);
    macro.modules = {plate, cleat, bolts, bolts2};

    MacroData data;
    data.initFromMacro(macro);
    ASSERT_EQ(data.tabs.length(), 3);
    EXPECT_EQ(data.tabs[0].name, "Connection");
    EXPECT_EQ(data.tabs[0].kind, core::kTabBolt);
    EXPECT_EQ(data.tabs[1].name, "Cleat");
    EXPECT_EQ(data.tabs[1].kind, core::kTabProfile);
    EXPECT_EQ(data.tabs[2].name, "Bolts2");
    EXPECT_EQ(data.tabs[0].boltData, (boltsOf("20", "2")));
    EXPECT_EQ(data.findTabOfModule(bolts2), &data.tabs[2]);

    MacroProfProps merged;
    ASSERT_TRUE(data.tabs[0].getMergedPropsOfGroup("Stiffener", merged));
    EXPECT_EQ(merged.sectionName, "HEA-200");
    EXPECT_EQ(merged.material, core::variesText());
    EXPECT_EQ(merged.memberName, "ST1");
    EXPECT_EQ(data.tabs[0].profGroups.length(), 1); // the unnamed placement forms no group
    EXPECT_EQ(data.tabs[0].setMergedPropsOfGroup("Nothing", merged), Acad::eInvalidInput);

    bool first = false, second = true;
    ASSERT_TRUE(data.tabs[0].getFlexFixBtnStatus("A", first, second));
    EXPECT_TRUE(first);
    EXPECT_FALSE(second);
    EXPECT_FALSE(data.tabs[0].getFlexFixBtnStatus("Z", first, second));

    // Changes of the tabs reach the macro when applied; the varies text is never written.
    data.tabs[0].boltData->diameter = "24";
    merged.sectionName = "HEA-220";
    merged.memberName = "ST2";
    ASSERT_EQ(data.tabs[0].setMergedPropsOfGroup("Stiffener", merged), Acad::eOk);
    EXPECT_TRUE(data.tabs[0].flexFixBtnClicked("G", "A", true));
    data.applyToMacro(macro);
    EXPECT_EQ(macro.modules[2].boltData->diameter, "24");
    EXPECT_EQ(macro.modules[3].boltData->diameter, "16");
    EXPECT_EQ(macro.modules[0].placements[0], placementOf("HEA-220", "S235", "Stiffener", "ST2"));
    EXPECT_EQ(macro.modules[0].placements[1].material, "S355");
    EXPECT_EQ(macro.modules[0].placements[2].memberName, "none");
    EXPECT_TRUE(macro.modules[0].flexGroups[0].entries[0].flexible);
    EXPECT_FALSE(macro.modules[0].flexGroups[0].entries[1].flexible);
}
