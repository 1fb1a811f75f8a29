// Reading and writing macro values: through mapped entries, and by name for a module group.

#include "core/text.h"
#include "library_fixture.h"
#include "standards/ss_mapping.h"
#include "standards/standards_data.h"

namespace {

class MacroAccess : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        openConnection();
        data.macro = macro;
        data.macroData = &macroData;
    }

    Zrk_Macro& model() { return *macro->macroWrite(); }
    Zrk_Module& module(const Zrk_String& name) { return *model().findModuleWrite(name); }
    MacroTabData& tab(const Zrk_String& name) {
        int index = -1;
        EXPECT_TRUE(macroData.findTab(name, index)) << name;
        return *macroData.getTab(index);
    }

    // A file mapping of one entry, tied to the spreadsheet variable "V".
    KvSSMapping mapped(const Zrk_String& group, KvObjectType type, const Zrk_String& name) {
        KvSSMapping mapping;
        mapping.kind = KvSSMapping::kFile;
        KvObjectMap entry;
        entry.ssVar = "V";
        entry.groupName = group;
        entry.type = type;
        entry.macroVar = name;
        mapping.mappedObjectsWrite().append(entry);
        return mapping;
    }
    KvValueType valueTypeOf(KvObjectType type) {
        KvValueType valueType = KvValueType::String;
        standards::objectValueType(type, valueType);
        return valueType;
    }
    // Reads through a one-entry mapping; the value starts as "unread".
    std::pair<Acad::ErrorStatus, Zrk_String> read(const Zrk_String& group, KvObjectType type, const Zrk_String& name) {
        Zrk_String value = "unread";
        const Acad::ErrorStatus status = mapped(group, type, name).getMacroVarValue("V", valueTypeOf(type), value, data);
        return {status, value};
    }
    Acad::ErrorStatus write(const Zrk_String& group, KvObjectType type, const Zrk_String& name, const Zrk_String& value) {
        return mapped(group, type, name).setMacroVarValue("V", valueTypeOf(type), value, data);
    }

    // By name in the module group of the data.
    std::pair<Acad::ErrorStatus, Zrk_String> readByName(const Zrk_String& group, const Zrk_String& name,
                                                        KvValueType valueType) {
        data.moduleGroup = group;
        KvSSMapping mapping;
        EXPECT_EQ(mapping.initFromModuleGroup(group), Acad::eOk);
        Zrk_String value = "unread";
        const Acad::ErrorStatus status = mapping.getMacroVarValue(name, valueType, value, data);
        return {status, value};
    }
    Acad::ErrorStatus writeByName(const Zrk_String& group, const Zrk_String& name, KvValueType valueType,
                                  const Zrk_String& value) {
        data.moduleGroup = group;
        KvSSMapping mapping;
        EXPECT_EQ(mapping.initFromModuleGroup(group), Acad::eOk);
        return mapping.setMacroVarValue(name, valueType, value, data);
    }

    using Result = std::pair<Acad::ErrorStatus, Zrk_String>;
    static Result ok(const Zrk_String& value) { return {Acad::eOk, value}; }
    static Result failed() { return {Acad::eInvalidInput, "unread"}; }

    KvDlgStandardsData data;
};

} // namespace

// --- through a mapped entry --------------------------------------------------------------------

TEST_F(MacroAccess, TwoModulesOfAGroupHoldingTheSameVariable) {
    EXPECT_EQ(read("EndPlate", KvObjectType::Distance, "Width"), ok("160.00000000")); // the last module wins
    ASSERT_EQ(write("EndPlate", KvObjectType::Distance, "Width", "175.5"), Acad::eOk);
    EXPECT_EQ(module("Plate").findVariable("Width")->value, 175.5);
    EXPECT_EQ(module("Plate2").findVariable("Width")->value, 175.5);
    // Only one module holds it, or none: a read of none succeeds and leaves the value alone.
    EXPECT_EQ(read("EndPlate", KvObjectType::Distance, "Height"), ok("300.00000000"));
    EXPECT_EQ(read("EndPlate", KvObjectType::Distance, "Nowhere"), ok("unread"));
    // A group no module belongs to fails.
    EXPECT_EQ(read("NoSuchGroup", KvObjectType::Distance, "Width"), failed());
    // A text that is no number never becomes a dimension.
    ASSERT_EQ(write("EndPlate", KvObjectType::Distance, "Height", "#VALUE!"), Acad::eOk);
    EXPECT_EQ(module("Plate").findVariable("Height")->value, 300.0);
}

TEST_F(MacroAccess, BaseProfilesAndSectionSizesAreReadOnly) {
    EXPECT_EQ(read("", KvObjectType::PrPlName, "Prof1"), ok("IPE-300"));
    EXPECT_EQ(read("", KvObjectType::PrPlMaterial, "Prof1"), ok("S355"));
    EXPECT_EQ(read("", KvObjectType::MemberSectionSize, "Prof1;3"), ok("10.7")); // tf, counting from 0
    EXPECT_EQ(read("", KvObjectType::MemberSectionSize, "Prof0;1"), ok("200.0")); // after five names
    EXPECT_EQ(read("", KvObjectType::MemberSectionSize, "Prof0;2"), failed());
    EXPECT_EQ(read("", KvObjectType::PrPlName, "Prof2"), failed()); // no section
    EXPECT_EQ(read("", KvObjectType::PrPlName, "Prof3"), failed());
    EXPECT_EQ(read("", KvObjectType::PrPlName, "Prof"), failed());
    EXPECT_EQ(read("", KvObjectType::PrPlName, "Prof1;3"), failed());
    EXPECT_EQ(read("", KvObjectType::MemberSectionSize, "Prof1"), failed());
    EXPECT_EQ(write("", KvObjectType::PrPlName, "Prof1", "HEA-200"), Acad::eInvalidInput);
    EXPECT_EQ(write("", KvObjectType::PrPlMaterial, "Prof1", "S235"), Acad::eInvalidInput);
    EXPECT_EQ(write("", KvObjectType::MemberSectionSize, "Prof1;3", "1"), Acad::eInvalidInput);
    EXPECT_EQ(model().baseProfiles[1].sectionName, "IPE-300");
}

TEST_F(MacroAccess, GeneralVariablesWithEightDecimals) {
    EXPECT_EQ(read("", KvObjectType::GenVar, "Spacing"), ok("80.12345679"));
    ASSERT_EQ(write("", KvObjectType::GenVar, "Spacing", " 99.5mm"), Acad::eOk); // as atof reads it
    double value = 0;
    ASSERT_EQ(model().getGenVar("Spacing", value), Acad::eOk);
    EXPECT_EQ(value, 99.5);
    EXPECT_EQ(read("", KvObjectType::GenVar, "Unknown"), failed());
    EXPECT_EQ(write("", KvObjectType::GenVar, "Unknown", "1"), Acad::eInvalidInput);
    EXPECT_FALSE(model().hasGenVar("Unknown"));
}

TEST_F(MacroAccess, CutOffsetsWithSevenDecimals) {
    EXPECT_EQ(read("EndPlate", KvObjectType::CutRadius, "S"), ok("5.2500000"));
    ASSERT_EQ(write("EndPlate", KvObjectType::CutOffset, "S", "12.34"), Acad::eOk);
    EXPECT_EQ(module("Plate").getCutConstraint("S")->offsets[kCutOffset], 12.34);
    // An offset the cut type does not offer is not there to read.
    EXPECT_EQ(read("EndPlate", KvObjectType::CutChamferOffset1, "S"), ok("unread"));
    ASSERT_EQ(write("EndPlate", KvObjectType::CutChamferOffset1, "S", "9"), Acad::eOk);
    EXPECT_EQ(module("Plate").getCutConstraint("S")->offsets[kCutChamferOffset1], 0.0);
}

TEST_F(MacroAccess, BoltDataAndPatterns) {
    EXPECT_EQ(read("BoltGroup", KvObjectType::BoltsDiameter, ""), ok("20"));
    EXPECT_EQ(read("BoltGroup", KvObjectType::BoltsHoleOffset, ""), ok("2"));
    ASSERT_EQ(write("BoltGroup", KvObjectType::BoltsDiameter, "", "M24"), Acad::eOk);
    EXPECT_EQ(tab("BoltGroup").getBoltData()->diameter, "M24");
    EXPECT_EQ(read("EndPlate", KvObjectType::BoltsDiameter, ""), ok("unread")); // a tab without bolt data

    EXPECT_EQ(read("BoltGroup", KvObjectType::PatternNrBolts2, "Rows"), ok("2"));
    ASSERT_EQ(write("BoltGroup", KvObjectType::PatternNrBolts2, "Rows", "5"), Acad::eOk);
    EXPECT_EQ(module("Bolts").findPattern("Rows")->nrBolts2, "5");
    ASSERT_EQ(write("BoltGroup", KvObjectType::PatternNrBolts1, "Rows", "none"), Acad::eOk);
    EXPECT_EQ(module("Bolts").findPattern("Rows")->nrBolts1, "3");
    EXPECT_EQ(read("BoltGroup", KvObjectType::PatternNrBolts2, "Single"), ok("unread")); // one direction
}

TEST_F(MacroAccess, ReverseStartReadIsNotTheMirrorOfTheWrite) {
    ASSERT_EQ(write("BoltGroup", KvObjectType::PatternReverseStart1, "Rows", "1"), Acad::eOk);
    EXPECT_TRUE(module("Bolts").findPattern("Rows")->reverseStart1);
    EXPECT_EQ(read("BoltGroup", KvObjectType::PatternReverseStart1, "Rows"), ok("0"));
    ASSERT_EQ(write("BoltGroup", KvObjectType::PatternReverseStart1, "Rows", "0"), Acad::eOk);
    EXPECT_FALSE(module("Bolts").findPattern("Rows")->reverseStart1);
    EXPECT_EQ(read("BoltGroup", KvObjectType::PatternReverseStart1, "Rows"), ok("1"));
    ASSERT_EQ(write("BoltGroup", KvObjectType::PatternReverseStart2, "Rows", "1.0"), Acad::eOk); // not "1"
    EXPECT_FALSE(module("Bolts").findPattern("Rows")->reverseStart2);
}

TEST_F(MacroAccess, OwnedMemberNameGoesThroughTheMergedProperties) {
    EXPECT_EQ(read("Cleat", KvObjectType::OwnedMemberName, "Angle"), ok("CL1"));
    ASSERT_EQ(write("Cleat", KvObjectType::OwnedMemberName, "Angle", "CL9"), Acad::eOk);
    MacroProfProps props;
    ASSERT_TRUE(tab("Cleat").getMergedPropsOfGroup("Angle", props));
    EXPECT_EQ(props.memberName, "CL9");
    EXPECT_EQ(props.material, core::variesText()); // the two placements differ
    // Applying the tab writes the member name into both placements and leaves their materials.
    macroData.applyToMacro(model());
    EXPECT_EQ(module("Cleat").placements[0].memberName, "CL9");
    EXPECT_EQ(module("Cleat").placements[1].memberName, "CL9");
    EXPECT_EQ(module("Cleat").placements[1].material, "S355");
    EXPECT_EQ(read("Cleat", KvObjectType::OwnedMemberName, "Nothing"), ok("unread"));
}

TEST_F(MacroAccess, FlexFixStepBeforeADimensionIsWritten) {
    MacroTabData& plate = tab("EndPlate");
    bool first = false, second = false;
    ASSERT_TRUE(plate.getFlexFixBtnStatus("Edge2", first, second));
    EXPECT_FALSE(first); // flexible

    // Writing the flexible Edge2 fixes it; the next entry (round to Edge1) gives way instead.
    ASSERT_EQ(write("EndPlate", KvObjectType::Distance, "Edge2", "45"), Acad::eOk);
    EXPECT_EQ(module("Plate").findVariable("Edge2")->value, 45.0);
    const Zrk_FlexFixGroup& group = plate.flexGroups[0];
    EXPECT_FALSE(group.entries[2].flexible);
    EXPECT_TRUE(group.entries[0].flexible);
    // A fixed entry of a group that can give way is written as it stands.
    ASSERT_EQ(write("EndPlate", KvObjectType::Distance, "Pitch", "75"), Acad::eOk);
    EXPECT_TRUE(group.entries[0].flexible);
    EXPECT_FALSE(group.entries[1].flexible);
    // A group with nothing flexible is mended by the press.
    plate.flexGroups[0].entries[0].flexible = false;
    ASSERT_EQ(write("EndPlate", KvObjectType::Distance, "Pitch", "80"), Acad::eOk);
    EXPECT_TRUE(plate.flexGroups[0].entries[2].flexible);
    EXPECT_FALSE(plate.flexGroups[0].entries[1].flexible);
}

TEST_F(MacroAccess, WhatTheMappedAccessNeeds) {
    KvSSMapping mapping = mapped("EndPlate", KvObjectType::Distance, "Width");
    Zrk_String value = "unread";
    // No entry of that variable with that exact value type.
    EXPECT_EQ(mapping.getMacroVarValue("V", KvValueType::Int, value, data), Acad::eInvalidInput);
    EXPECT_EQ(mapping.getMacroVarValue("W", KvValueType::Double, value, data), Acad::eInvalidInput);
    EXPECT_EQ(value, "unread");
    // No macro data: the modules cannot be reached.
    data.macroData = nullptr;
    EXPECT_EQ(mapping.getMacroVarValue("V", KvValueType::Double, value, data), Acad::eOk);
    EXPECT_EQ(value, "unread");
    data.macro = nullptr;
    EXPECT_EQ(mapping.getMacroVarValue("V", KvValueType::Double, value, data), Acad::eInvalidInput);
    EXPECT_EQ(mapping.setMacroVarValue("V", KvValueType::Double, "1", data), Acad::eInvalidInput);
}

// --- by name -----------------------------------------------------------------------------------

TEST_F(MacroAccess, ByNameGeneralVariables) {
    EXPECT_EQ(readByName("EndPlate", "gen.W", KvValueType::Double), ok("12.5000"));
    EXPECT_EQ(readByName("EndPlate", "gen.W", KvValueType::Int), ok("12.5000"));
    EXPECT_EQ(readByName("EndPlate", "gen.W", KvValueType::String), failed()); // falls through, then fails
    EXPECT_EQ(readByName("EndPlate", "gen.Spacing", KvValueType::Double), failed()); // only gen_ names
    ASSERT_EQ(writeByName("EndPlate", "gen.W", KvValueType::Double, "3.25"), Acad::eOk);
    double value = 0;
    ASSERT_EQ(model().getGenVar("gen_W", value), Acad::eOk);
    EXPECT_EQ(value, 3.25);
}

TEST_F(MacroAccess, ByNameProfilePlacementsAndDimensions) {
    EXPECT_EQ(readByName("EndPlate", "P.Name", KvValueType::String), ok("HEA-200"));
    EXPECT_EQ(readByName("EndPlate", "P.Material", KvValueType::String), ok("S355"));
    EXPECT_EQ(readByName("EndPlate", "P.Name", KvValueType::Double), ok("1.00000000")); // a dimension
    EXPECT_EQ(readByName("EndPlate", "Q.Name", KvValueType::String), failed());
    EXPECT_EQ(writeByName("EndPlate", "P.Name", KvValueType::String, "IPE-300"), Acad::eInvalidInput);
    // A read ends with the first module that answers; a write reaches every module.
    EXPECT_EQ(readByName("EndPlate", "Width", KvValueType::Double), ok("150.00000000"));
    ASSERT_EQ(writeByName("EndPlate", "Width", KvValueType::Int, "180"), Acad::eOk);
    EXPECT_EQ(module("Plate2").findVariable("Width")->value, 180.0);
    EXPECT_EQ(writeByName("EndPlate", "Height", KvValueType::Double, "310"), Acad::eOk); // Plate only
    EXPECT_EQ(writeByName("EndPlate", "Nowhere", KvValueType::Double, "1"), Acad::eInvalidInput);
    EXPECT_EQ(readByName("EndPlate", "Width", KvValueType::String), failed());
}

TEST_F(MacroAccess, ByNameCutSuffixes) {
    EXPECT_EQ(readByName("EndPlate", "S.Cut", KvValueType::Double), ok("10.0000000"));
    EXPECT_EQ(readByName("EndPlate", "S.CutRadius", KvValueType::Double), ok("5.2500000"));
    EXPECT_EQ(readByName("EndPlate", "S.CutLength", KvValueType::Int), ok("20.0000000"));
    EXPECT_EQ(readByName("EndPlate", "S.Chamfer1", KvValueType::Double), failed()); // not offered
    EXPECT_EQ(readByName("EndPlate", "T.Cut", KvValueType::Double), failed());
    EXPECT_EQ(readByName("EndPlate", "S.Cut", KvValueType::String), failed());
    ASSERT_EQ(writeByName("EndPlate", "S.CutCenter", KvValueType::Double, "7.5"), Acad::eOk);
    EXPECT_EQ(module("Plate").getCutConstraint("S")->offsets[kCutCenterOffset], 7.5);
}

TEST_F(MacroAccess, ByNameBolts) {
    EXPECT_EQ(readByName("BoltGroup", "Any.Diameter", KvValueType::Double), ok("20"));
    EXPECT_EQ(readByName("BoltGroup", "Any.HoleOffset", KvValueType::Int), ok("2"));
    EXPECT_EQ(readByName("BoltGroup", "Any.Diameter", KvValueType::String), failed());
    EXPECT_EQ(readByName("EndPlate", "Any.Diameter", KvValueType::Double), failed());
    // Bolt counts take variables of any type.
    EXPECT_EQ(readByName("BoltGroup", "Rows.NrBolts1", KvValueType::Int), ok("3"));
    EXPECT_EQ(readByName("BoltGroup", "Rows.NrBolts2", KvValueType::String), ok("2"));
    ASSERT_EQ(writeByName("BoltGroup", "Single.NrBolts1", KvValueType::Double, "6.0000000"), Acad::eOk);
    EXPECT_EQ(module("Bolts").findPattern("Single")->nrBolts1, "6");
    EXPECT_EQ(writeByName("BoltGroup", "Single.NrBolts1", KvValueType::Double, "0"), Acad::eInvalidInput);
    // Reverse flags: numeric variables of a bolt module, read as the mapped access reads them.
    EXPECT_EQ(readByName("BoltGroup", "Rows.ReverseStart2", KvValueType::Int), ok("0"));
    EXPECT_EQ(readByName("BoltGroup", "Rows.ReverseStart1", KvValueType::Double), ok("1"));
    EXPECT_EQ(readByName("BoltGroup", "Single.ReverseStart2", KvValueType::Int), failed());
    EXPECT_EQ(readByName("BoltGroup", "Rows.ReverseStart1", KvValueType::String), failed());
    EXPECT_EQ(readByName("EndPlate", "Rows.ReverseStart1", KvValueType::Int), failed());
    ASSERT_EQ(writeByName("BoltGroup", "Single.ReverseStart1", KvValueType::Int, "1"), Acad::eOk);
    EXPECT_TRUE(module("Bolts").findPattern("Single")->reverseStart1);
}

TEST_F(MacroAccess, ByNameMemberNames) {
    EXPECT_EQ(readByName("Cleat", "Angle.MemberName", KvValueType::String), ok("CL1"));
    ASSERT_EQ(writeByName("Cleat", "Angle.MemberName", KvValueType::String, "M2"), Acad::eOk);
    MacroProfProps props;
    ASSERT_TRUE(tab("Cleat").getMergedPropsOfGroup("Angle", props));
    EXPECT_EQ(props.memberName, "M2");
    EXPECT_EQ(readByName("Cleat", "Other.MemberName", KvValueType::String), failed());
    EXPECT_EQ(readByName("NoGroup", "Angle.MemberName", KvValueType::String), failed());
}
