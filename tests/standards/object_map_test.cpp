// Mapping entries: their text form, parsing and compatibility.

#include <gtest/gtest.h>

#include "standards/object_map.h"

namespace {

KvObjectMap entry(const Zrk_String& group, const Zrk_String& name, KvObjectType type, const Zrk_String& ssVar = "") {
    KvObjectMap map;
    map.groupName = group;
    map.macroVar = name;
    map.type = type;
    map.ssVar = ssVar;
    return map;
}

} // namespace

TEST(ObjectMap, NewEntryIsUnsetOfKindThree) {
    const KvObjectMap map;
    EXPECT_EQ(map.type, KvObjectType::NotSet);
    EXPECT_EQ(map.varKind, 3);
    Zrk_String macroSide = "untouched", ssSide = "untouched";
    EXPECT_EQ(map.setMappingToStrs(macroSide, ssSide), Acad::eInvalidInput);
    EXPECT_EQ(macroSide, "untouched");
}

TEST(ObjectMap, TextFormOfEveryKindReadsBack) {
    for (int code = 1; code <= 21; ++code) {
        const KvObjectMap written = entry("Group A", "Name 1", static_cast<KvObjectType>(code), "Var");
        Zrk_String macroSide, ssSide;
        ASSERT_EQ(written.setMappingToStrs(macroSide, ssSide), Acad::eOk) << code;
        EXPECT_EQ(macroSide.substr(0, 8), "Group A\x95");
        KvObjectMap read;
        ASSERT_EQ(read.getMappingFromStrs(ssSide, macroSide), Acad::eOk) << macroSide;
        EXPECT_EQ(read.type, written.type) << macroSide;
        EXPECT_EQ(read.groupName, "Group A");
        EXPECT_EQ(read.macroVar, "Name 1"); // the name is everything after the first blank
        EXPECT_EQ(read.ssVar, "Var");
    }
    Zrk_String macroSide, ssSide;
    ASSERT_EQ(entry("G", "N", KvObjectType::Distance, "S").setMappingToStrs(macroSide, ssSide), Acad::eOk);
    EXPECT_EQ(macroSide, "G\x95" "Distance N");
    EXPECT_EQ(ssSide, "S");
    EXPECT_EQ(entry("", "", static_cast<KvObjectType>(22)).setMappingToStrs(macroSide, ssSide), Acad::eInvalidInput);
}

TEST(ObjectMap, ParsingRules) {
    KvObjectMap map;
    // Leading blanks after the group separator are skipped; a keyword followed by more letters still
    // counts as that keyword.
    ASSERT_EQ(map.getMappingFromStrs("S", "G\x95   CutRadius Notch"), Acad::eOk);
    EXPECT_EQ(map.type, KvObjectType::CutRadius);
    EXPECT_EQ(map.macroVar, "Notch");
    ASSERT_EQ(map.getMappingFromStrs("S", "G\x95" "DistanceX W"), Acad::eOk);
    EXPECT_EQ(map.type, KvObjectType::Distance);
    EXPECT_EQ(map.macroVar, "W");
    // No blank: empty name; a trailing blank is the empty name of a bolt-diameter entry.
    ASSERT_EQ(map.getMappingFromStrs("S", "G\x95" "BoltsDiameter"), Acad::eOk);
    EXPECT_EQ(map.macroVar, "");
    ASSERT_EQ(map.getMappingFromStrs("S", "G\x95" "BoltsHoleOffset "), Acad::eOk);
    EXPECT_EQ(map.type, KvObjectType::BoltsHoleOffset);
    EXPECT_EQ(map.macroVar, "");
    // Only the first separator splits the group off.
    ASSERT_EQ(map.getMappingFromStrs("S", "G\x95" "Distance a\x95" "b"), Acad::eOk);
    EXPECT_EQ(map.macroVar, "a\x95" "b");

    // Failures leave the entry as it was.
    const KvObjectMap before = map;
    EXPECT_EQ(map.getMappingFromStrs("T", "G Distance W"), Acad::eInvalidInput);
    EXPECT_EQ(map.getMappingFromStrs("T", "G\x95Unknown W"), Acad::eInvalidInput);
    EXPECT_EQ(map.getMappingFromStrs("T", "G\x95 distance W"), Acad::eInvalidInput); // keywords are exact
    EXPECT_EQ(map.ssVar, before.ssVar);
    EXPECT_EQ(map.macroVar, before.macroVar);
}

TEST(ObjectMap, CompatibilityIgnoresVariableAndKind) {
    KvObjectMap a = entry("G", "W", KvObjectType::Distance, "One");
    KvObjectMap b = entry("G", "W", KvObjectType::Distance, "Two");
    b.varKind = 0;
    EXPECT_EQ(a.isCompatible(b), Acad::eOk);
    EXPECT_EQ(a.isCompatible(entry("G", "W", KvObjectType::GenVar)), Acad::eInvalidInput);
    EXPECT_EQ(a.isCompatible(entry("g", "W", KvObjectType::Distance)), Acad::eInvalidInput);
    EXPECT_EQ(a.isCompatible(entry("G", "w", KvObjectType::Distance)), Acad::eInvalidInput);
}

TEST(ObjectMap, MapFromArrays) {
    const Zrk_StringArray ssSides{"A", "B", "C"};
    const Zrk_StringArray macroSides{"G\x95" "Distance X", "G\x95GenVar Y"};
    KvObjectMap map;
    ASSERT_EQ(map.mapFromArrays(ssSides, macroSides, "B"), Acad::eOk);
    EXPECT_EQ(map.type, KvObjectType::GenVar);
    EXPECT_EQ(map.ssVar, "B");
    EXPECT_EQ(map.mapFromArrays(ssSides, macroSides, "C"), Acad::eInvalidInput); // no macro side
    EXPECT_EQ(map.mapFromArrays(ssSides, macroSides, "D"), Acad::eInvalidInput);
    EXPECT_EQ(map.ssVar, "B");
}
