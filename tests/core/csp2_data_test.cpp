// The cutting-stock input record and its files: group ids, a group's rows replaced at the end of its
// table, numbered and newest files in a group's folder, the 0xBF-separated rows written and read back
// byte for byte, names that cannot be folders, and the library's groups read and written back.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <gtest/gtest.h>

#include "../library_folder.h"

#include "core/csp2_data.h"
#include "core/csp2_library.h"
#include "core/files.h"
#include "core/settings.h"

namespace fs = std::filesystem;

namespace {

using Rows = Zrk_Array<Zrk_StringArray>;
const char S = DlgCSP2Data::kFieldSeparator;

class CuttingStockFiles : public LibraryFolderTest {
protected:
    CuttingStockFiles() : LibraryFolderTest("ss_csp2_") {}

    static void setTime(const fs::path& path, int secondsAfter) {
        fs::last_write_time(path, std::chrono::file_clock::from_sys(
                                      std::chrono::system_clock::from_time_t(1700000000 + secondsAfter)));
    }
};

} // namespace

TEST(CuttingStockRecord, GroupIdsFollowTheLargestAndRowsOfAGroupMoveToTheEnd) {
    DlgCSP2Data data;
    EXPECT_EQ(data.addGroup("A"), 1); // an empty record
    data.groupIds = {3, 8};
    data.groupNames = {"A", "B"};
    EXPECT_EQ(data.addGroup("C"), 9);
    DlgCSP2Data negative;
    negative.groupIds = {-4};
    negative.groupNames = {"N"};
    EXPECT_EQ(negative.nextGroupId(), 1); // all ids below 0: the largest counts as 0

    DlgCSP2Table table;
    table.rows = {{"a1"}, {"a2"}, {"b1"}, {"a3"}}; // a record handed in with the group's rows split
    table.rowGroupIds = {1, 1, 2, 1};
    EXPECT_EQ(table.groupRows(1), (Rows{{"a1"}, {"a2"}, {"a3"}})); // every row, not the first run only
    table.replaceGroupRows(1, {{"x"}, {"y"}});
    EXPECT_EQ(table.rows, (Rows{{"b1"}, {"x"}, {"y"}}));
    EXPECT_EQ(table.rowGroupIds, (Zrk_Array<int>{2, 1, 1}));

    DlgCSP2Table short_; // fewer ids than rows: the rows without one stay and keep no group's id
    short_.rows = {{"r1"}, {"r2"}};
    short_.rowGroupIds = {5};
    short_.replaceGroupRows(7, {{"n"}});
    EXPECT_EQ(short_.rows, (Rows{{"r1"}, {"r2"}, {"n"}}));
    EXPECT_EQ(short_.rowGroupIds, (Zrk_Array<int>{5, -1, 7}));
    EXPECT_EQ(short_.groupRows(-1), (Rows{{"r2"}}));

    DlgCSP2Data three;
    three.addGroup("A");
    three.addGroup("B");
    for (DlgCSP2Table& t : three.tables) {
        t.rows = {{"a"}, {"b"}};
        t.rowGroupIds = {1, 2};
    }
    ASSERT_TRUE(three.removeGroup(0));
    EXPECT_FALSE(three.removeGroup(5));
    EXPECT_EQ(three.groupIds, Zrk_Array<int>{2});
    EXPECT_EQ(three.groupNames, Zrk_StringArray{"B"});
    for (const DlgCSP2Table& t : three.tables)
        EXPECT_EQ(t.rows, Rows{{"b"}});
    EXPECT_EQ(three.summary(), "Groups: B: to cut 1, stock 1, to buy 1.");
}

TEST_F(CuttingStockFiles, NumberedFilesCountOnFromTheLargestWhateverTheLetterCase) {
    Zrk_String folder;
    ASSERT_TRUE(DlgCSP2Data::groupFolder("HEA 200", folder));
    EXPECT_TRUE(folderExists(folder)); // made when needed
    EXPECT_EQ(DlgCSP2Data::nextStockFileName(folder, "shp"), folder + "Stock1.shp");
    ASSERT_TRUE(
        DlgCSP2Data::writeRowsFile(DlgCSP2Data::savedFilePath(folder + "Stock1.shp", "shp"), {{"1"}}));
    EXPECT_TRUE(fileExists(folder + "stock1.shp")); // the name lowered, the folder kept
    const Zrk_String second =
        DlgCSP2Data::savedFilePath(DlgCSP2Data::nextStockFileName(folder, "shp"), "shp");
    EXPECT_EQ(second, folder + "stock2.shp");

    for (const char* name : {"stock7.shp", "STOCK12.SHP", "Stockx.shp", "stock99.buy", "other5.shp"})
        writeBytes(fs::path(folder) / name, "");
    EXPECT_EQ(DlgCSP2Data::nextStockFileName(folder, "shp"), folder + "Stock13.shp");
    EXPECT_EQ(DlgCSP2Data::nextStockFileName(folder, "buy"), folder + "Stock100.buy");

    EXPECT_EQ(DlgCSP2Data::savedFilePath("/Lib/Cutting Stock/IPE 300/My Stock", "shp"),
              "/Lib/Cutting Stock/IPE 300/my stock.shp");
    EXPECT_EQ(DlgCSP2Data::savedFilePath("/Lib/G/Old.SHP", "shp"), "/Lib/G/old.shp");
    EXPECT_EQ(DlgCSP2Data::withExtension("/Lib/G/Old.SHP", "shp"),
              "/Lib/G/Old.SHP"); // loading keeps the case
    EXPECT_EQ(DlgCSP2Data::withExtension("/Lib/G/Old", "shp"), "/Lib/G/Old.shp");
}

TEST_F(CuttingStockFiles, TheNewestFileWinsAndOfEqualTimesTheFirstByName) {
    Zrk_String folder, path;
    std::time_t time = 0;
    ASSERT_TRUE(DlgCSP2Data::groupFolder("G", folder));
    EXPECT_FALSE(DlgCSP2Data::newestFile(folder, "shp", path, time));
    for (const char* name : {"b.shp", "a.shp", "C.SHP", "z.buy"})
        writeBytes(fs::path(folder) / name, "");
    fs::create_directories(fs::path(folder) / "newer.shp"); // a folder is no file
    setTime(fs::path(folder) / "a.shp", 10);
    setTime(fs::path(folder) / "b.shp", 10);
    setTime(fs::path(folder) / "C.SHP", 5);
    setTime(fs::path(folder) / "z.buy", 50);
    ASSERT_TRUE(DlgCSP2Data::newestFile(folder, "shp", path, time));
    EXPECT_EQ(path, folder + "a.shp");
    EXPECT_EQ(time, 1700000010);
    setTime(fs::path(folder) / "C.SHP", 20);
    ASSERT_TRUE(DlgCSP2Data::newestFile(folder, "shp", path, time));
    EXPECT_EQ(path, folder + "C.SHP"); // as the folder lists it
}

TEST_F(CuttingStockFiles, RowsRoundTripByteForByteAndAFieldThatWouldSplitIsRefused) {
    const fs::path file = library / "rows.shp";
    const std::string bytes = std::string("6000") + S + "4" + S + "Hall A\n" + "12000" + S + S + "\n" + "\n" +
                              "\xE9l\xE8ve" + S + "x\n";
    writeBytes(file, bytes);
    Rows rows;
    ASSERT_TRUE(DlgCSP2Data::readRowsFile(file.string(), rows));
    EXPECT_EQ(rows, (Rows{{"6000", "4", "Hall A"}, {"12000", "", ""}, {}, {"\xE9l\xE8ve", "x"}}));
    const fs::path copy = library / "copy.shp";
    ASSERT_TRUE(DlgCSP2Data::writeRowsFile(copy.string(), rows));
    EXPECT_EQ(readBytes(copy), bytes);

    Zrk_String reason;
    EXPECT_FALSE(
        DlgCSP2Data::writeRowsFile(copy.string(), {{"a"}, {"b", std::string("x") + S + "y"}}, &reason));
    EXPECT_NE(reason.find("Row 2, field 2"), Zrk_String::npos) << reason;
    EXPECT_FALSE(DlgCSP2Data::writeRowsFile(copy.string(), {{"two\nlines"}}, &reason));
    EXPECT_EQ(readBytes(copy), bytes); // nothing written

    Rows kept = {{"kept"}};
    EXPECT_FALSE(DlgCSP2Data::readRowsFile((library / "missing.shp").string(), kept, &reason));
    EXPECT_NE(reason.find("missing.shp"), Zrk_String::npos) << reason;
    writeBytes(library / "binary.shp", std::string("ab\0cd\n", 6));
    EXPECT_FALSE(DlgCSP2Data::readRowsFile((library / "binary.shp").string(), kept, &reason));
    EXPECT_EQ(kept, Rows{{"kept"}});
}

TEST_F(CuttingStockFiles, NoGroupNameLeadsOutsideTheCuttingStockFolder) {
    for (const char* name :
         {"", "..", ".", "a/b", "..\\x", "../../etc", ".hidden", " padded", "a:b", "tab\there"}) {
        Zrk_String folder = "unchanged", reason;
        EXPECT_FALSE(DlgCSP2Data::groupFolder(name, folder, &reason)) << name;
        EXPECT_EQ(folder, "unchanged");
        EXPECT_FALSE(reason.empty());
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(library), fs::directory_iterator()), 0); // nothing made
    Zrk_String folder;
    EXPECT_TRUE(DlgCSP2Data::groupFolder("L 50x5 (S355)", folder));
    EXPECT_EQ(folder, gSettings.libDir + "Cutting Stock/L 50x5 (S355)/");
}

TEST_F(CuttingStockFiles, TheLibrarysGroupsAreReadAndWhatChangedIsWrittenBack) {
    const fs::path stock = library / "Cutting Stock";
    writeBytes(stock / "IPE 300" / "stock1.shp", std::string("12000") + S + "5\n");
    writeBytes(stock / "IPE 300" / "stock2.shp", std::string("6000") + S + "2\n");
    setTime(stock / "IPE 300" / "stock1.shp", 0);
    setTime(stock / "IPE 300" / "stock2.shp", 100);
    writeBytes(stock / "IPE 300" / "stock1.buy", std::string("15000") + S + "1\n");
    writeBytes(stock / "HEA 100" / "stock1.shp", std::string("3000") + S + "1\n");
    fs::create_directories(stock / "HEA 20");
    fs::create_directories(stock / ".trash");

    DlgCSP2Data data;
    data.tables[0].columnHeaders = {"Length", "Count"};
    CuttingStockLibrary source;
    ASSERT_TRUE(source.read(data));
    EXPECT_EQ(data.groupNames, (Zrk_StringArray{"HEA 20", "HEA 100", "IPE 300"})); // natural order
    EXPECT_EQ(data.groupIds, (Zrk_Array<int>{1, 2, 3}));
    EXPECT_EQ(data.tables[1].groupRows(3), (Rows{{"6000", "2"}})); // the newest
    EXPECT_EQ(data.tables[2].groupRows(3), (Rows{{"15000", "1"}}));
    EXPECT_EQ(data.tables[0].columnHeaders, (Zrk_StringArray{"Length", "Count"}));

    Zrk_StringArray written;
    ASSERT_TRUE(source.writeBack(data, written));
    EXPECT_TRUE(written.isEmpty()); // nothing changed, nothing written

    data.tables[1].replaceGroupRows(3, {{"6000", "1"}});
    data.tables[2].replaceGroupRows(1, {{"9000", "3"}});
    data.addGroup("New");
    data.tables[1].replaceGroupRows(4, {{"100", "1"}});
    const int added = data.addGroup("Bad/Name");
    DlgCSP2Data bad = data;
    bad.tables[1].replaceGroupRows(added, {{"1"}});
    Zrk_String reason;
    EXPECT_FALSE(source.writeBack(bad, written, &reason));
    EXPECT_TRUE(written.isEmpty()); // checked before anything was written
    EXPECT_EQ(readBytes(stock / "IPE 300" / "stock2.shp"), std::string("6000") + S + "2\n");

    ASSERT_TRUE(source.writeBack(data, written, &reason)) << reason;
    EXPECT_EQ(written.length(), 3);
    EXPECT_EQ(readBytes(stock / "IPE 300" / "stock2.shp"), std::string("6000") + S + "1\n");
    EXPECT_EQ(readBytes(stock / "HEA 20" / "stock1.buy"), std::string("9000") + S + "3\n");
    EXPECT_EQ(readBytes(stock / "New" / "stock1.shp"), std::string("100") + S + "1\n");
}
