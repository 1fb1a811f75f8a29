// The macro library's filter over the sample library's "Macros/" folder: what the drawings hold as
// rows, the members' range, and how ticked modules and properties narrow the drawings.

#include <gtest/gtest.h>

#include "core/files.h"
#include "core/macro_props_filter.h"
#include "core/settings.h"

namespace {

Zrk_StringArray names(const Zrk_StringArray& paths) {
    Zrk_StringArray result;
    for (const Zrk_String& path : paths)
        result.append(getFileName(path, false));
    return result;
}

class MacroPropsFilter : public ::testing::Test {
protected:
    Zrk_StringArray filtered() const {
        Zrk_StringArray files;
        filter.getFilteredMacros(files);
        return names(files);
    }
    Zrk_StringArray row(const Zrk_String& module) const {
        Zrk_Array<Zrk_StringArray> rows;
        Zrk_Array<Zrk_Array<bool>> states;
        filter.getMergedProperties(rows, states);
        for (const Zrk_StringArray& each : rows)
            if (each[0] == module) return each;
        return {};
    }
    const Zrk_String folder = core::defaultLibraryFolder() + "Macros/";
    Zrk_MacroPropsFilter filter;
};

} // namespace

TEST_F(MacroPropsFilter, EveryDrawingBelowTheFolderIsOfferedUntilSomethingIsTicked) {
    filter.initialize({}, {}, -1, -1, folder);
    Zrk_StringArray all;
    filter.getAllDwgFiles(all);
    EXPECT_EQ(names(all), (Zrk_StringArray{"BasePlate", "EndPlate", "FinPlate1", "FinPlate2", "Splice"}));
    EXPECT_EQ(filtered(), names(all));
    // A module's properties merge over the drawings that hold it, in their fixed order.
    EXPECT_EQ(row("Bolts"), (Zrk_StringArray{"Bolts", "Bolts", "Bolt patterns"}));
    EXPECT_EQ(row("Cleats"), (Zrk_StringArray{"Cleats", "Profiles"}));
}

TEST_F(MacroPropsFilter, TickedModulesAndPropertiesNarrowTheDrawings) {
    filter.initialize({"Cleats", "Bolts"}, {false, true}, -1, -1, folder);
    Zrk_Array<Zrk_StringArray> rows;
    Zrk_Array<Zrk_Array<bool>> states;
    ASSERT_TRUE(filter.getMergedProperties(rows, states));
    // The caller's modules first, in its order, with their starting ticks.
    EXPECT_EQ(rows[0][0], "Cleats");
    EXPECT_EQ(rows[1][0], "Bolts");
    EXPECT_FALSE(*states[0].begin());
    EXPECT_TRUE(*states[1].begin());
    EXPECT_EQ(filtered(), (Zrk_StringArray{"EndPlate", "FinPlate1", "FinPlate2"}));
    ASSERT_TRUE(filter.setModulePropStatus("Cleats", "Profiles", true)); // implies the module
    EXPECT_EQ(filtered(), (Zrk_StringArray{"FinPlate2"}));
    ASSERT_TRUE(filter.setModulePropStatus("Cleats", "Profiles", false));
    ASSERT_TRUE(filter.setModuleStatus("Bolts", false));
    EXPECT_EQ(filtered().length(), 5);
    EXPECT_FALSE(filter.setModuleStatus("Nothing", true));
    EXPECT_FALSE(filter.setModulePropStatus("Bolts", "Nothing", true));
}

TEST_F(MacroPropsFilter, TheMembersRangeKeepsDrawingsAndTheirModulesOut) {
    filter.initialize({}, {}, 2, 2, folder);
    EXPECT_EQ(filtered(), (Zrk_StringArray{"FinPlate1", "FinPlate2"}));
    EXPECT_TRUE(row("Anchors").isEmpty()); // the base plate's module: out of the range
    filter.initialize({}, {}, -1, 1, folder);
    EXPECT_EQ(filtered(), (Zrk_StringArray{"BasePlate", "EndPlate", "Splice"})); // the splice joins none
}

TEST_F(MacroPropsFilter, AFolderWithoutDrawingsGivesNoRows) {
    filter.initialize({}, {}, -1, -1, core::defaultLibraryFolder() + "no such folder/");
    Zrk_Array<Zrk_StringArray> rows;
    Zrk_Array<Zrk_Array<bool>> states;
    EXPECT_FALSE(filter.getMergedProperties(rows, states));
    EXPECT_TRUE(filtered().isEmpty());
}
