// DSTV point groups: the group files, the group in use, and the names a group may have.

#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "../library_folder.h"

#include "core/dstv_points.h"
#include "core/files.h"
#include "core/settings.h"
#include "core/text.h"

namespace fs = std::filesystem;

namespace {

class DstvGroups : public LibraryFolderTest {
protected:
    DstvGroups() : LibraryFolderTest("ss_dstv_") {}
    void SetUp() override {
        LibraryFolderTest::SetUp();
        folder = DlgDstvPoints::getDstvPointsFolder();
    }

    Zrk_String folder;
};

Zrk_DstvPointInfo intersectionPoint() {
    Zrk_DstvPointInfo point("Gusset\tmiddle");
    point.setSelectGeomExtent(false, dstvSideBottom, dstvSideRight);
    point.setSelectIntersGeom(true, false, dstvSideLeft);
    point.setPlateSelection(3, 4, 12.5);
    point.setDrillFullHole(true, true, 0.75);
    return point;
}

} // namespace

TEST_F(DstvGroups, ANewPointHasTheDefaults) {
    const Zrk_DstvPointInfo point("P");
    EXPECT_TRUE(point.selectGeomExtent());
    EXPECT_EQ(point.sideSelection1(), dstvSideTop);
    EXPECT_EQ(point.sideSelection2(), dstvSideLeft);
    EXPECT_FALSE(point.selectIntersGeom());
    EXPECT_TRUE(point.selectIntersMid());
    EXPECT_EQ(point.intersStartDir(), dstvSideTop);
    EXPECT_EQ(point.viewPlateSelection(), 0);
    EXPECT_EQ(point.markPlateSelection(), 0);
    EXPECT_EQ(point.minPlateSideDist(), 50.0);
    EXPECT_FALSE(point.drillFullHole());
    EXPECT_FALSE(point.radiusThicknessBased());
    EXPECT_EQ(point.drillRadius(), 16.0);
}

TEST_F(DstvGroups, PointsKeepEveryAttributeThroughTheirFile) {
    DlgDstvPoints group;
    group.points.append(Zrk_DstvPointInfo("Weld \xe9")); // a name in the module's code page
    group.points.append(intersectionPoint());
    Zrk_String message;
    ASSERT_TRUE(DlgDstvPoints::createGroup("Plates", &message)) << message;
    ASSERT_TRUE(group.writeToFile("Plates", &message)) << message;

    DlgDstvPoints read;
    ASSERT_TRUE(read.readFromFile("Plates", &message)) << message;
    EXPECT_EQ(read, group);
    Zrk_StringArray lines;
    ASSERT_TRUE(ObjectExportReadFile(folder + "Plates.dat", lines));
    EXPECT_EQ(lines[0], "format:string=DSTV points");
    EXPECT_EQ(lines[3], "name.0:string=Weld \xe9");
    EXPECT_NE(findString(lines, "name.1:string=Gusset\\tmiddle"), -1);
    EXPECT_NE(findString(lines, "drillRadius.1:double=0.75"), -1);
}

TEST_F(DstvGroups, GroupsAreListedAndOneIsInUse) {
    Zrk_StringArray groups;
    DlgDstvPoints::getAllDstvPointsFiles(groups); // no folder yet
    EXPECT_TRUE(groups.isEmpty());
    EXPECT_EQ(DlgDstvPoints::getStandardDstvPointsFile(), "");

    for (const char* name : {"welds", "Anchors", "Bolts"})
        ASSERT_TRUE(DlgDstvPoints::createGroup(name));
    ASSERT_TRUE(writeFileAtomically(folder + "notes.txt", "not a group"));
    DlgDstvPoints::getAllDstvPointsFiles(groups);
    EXPECT_EQ(groups, (Zrk_StringArray{"Anchors", "Bolts", "welds"}));

    Zrk_String message;
    EXPECT_FALSE(DlgDstvPoints::createGroup("WELDS", &message));
    EXPECT_EQ(message, "There is a group \"WELDS\" already.");

    ASSERT_TRUE(DlgDstvPoints::setStandardDstvPointsFile("Bolts"));
    EXPECT_EQ(DlgDstvPoints::getStandardDstvPointsFile(), "Bolts");
    ASSERT_TRUE(DlgDstvPoints::deleteGroup("Anchors"));
    EXPECT_EQ(DlgDstvPoints::getStandardDstvPointsFile(), "Bolts");
    // Deleting the group in use leaves none in use.
    ASSERT_TRUE(DlgDstvPoints::deleteGroup("Bolts"));
    EXPECT_EQ(DlgDstvPoints::getStandardDstvPointsFile(), "");
    DlgDstvPoints::getAllDstvPointsFiles(groups);
    EXPECT_EQ(groups, (Zrk_StringArray{"welds"}));
}

TEST_F(DstvGroups, NamesThatCannotBeFileNamesAreRefusedBeforeAnyFileIsTouched) {
    ASSERT_TRUE(DlgDstvPoints::createGroup("Kept"));
    const std::vector<std::pair<Zrk_String, Zrk_String>> refused = {
        {"", "A group needs a name."},
        {"../Kept",
         "The name \"../Kept\" holds a character a file name cannot hold (\\ / : * ? \" < > | or a "
         "control character)."},
        {"a\\b", ""},
        {"a:b", ""},
        {"tab\there", ""},
        {"..", "The name \"..\" is no file name."},
        {".", ""},
        {".hidden", "The name \".hidden\" may not start with a dot."},
        {" Kept", "The name \" Kept\" may not start or end with a blank."},
        {Zrk_String(201, 'x'), "The name is longer than 200 characters."},
    };
    for (const auto& [name, reason] : refused) {
        Zrk_String message;
        EXPECT_FALSE(DlgDstvPoints::isValidGroupName(name, &message)) << name;
        if (!reason.empty()) {
            EXPECT_EQ(message, reason);
        }
        EXPECT_FALSE(DlgDstvPoints::createGroup(name)) << name;
        EXPECT_FALSE(DlgDstvPoints::deleteGroup(name)) << name;
        // An empty name for the group in use means none is in use.
        if (!name.empty()) {
            EXPECT_FALSE(DlgDstvPoints::setStandardDstvPointsFile(name)) << name;
        }
        EXPECT_FALSE(DlgDstvPoints().writeToFile(name)) << name;
    }
    EXPECT_TRUE(fileExists(folder + "Kept.dat"));
    EXPECT_EQ(std::distance(fs::directory_iterator(library), fs::directory_iterator()), 1); // only the folder
    EXPECT_TRUE(DlgDstvPoints::isValidGroupName("Weld points (2)"));
    EXPECT_TRUE(DlgDstvPoints::isValidGroupName("a..b"));
}

TEST_F(DstvGroups, FilesThatHoldNoGroupAreRefusedWithFileAndEntry) {
    ASSERT_TRUE(DlgDstvPoints::createGroup("G"));
    DlgDstvPoints group;
    group.points.append(Zrk_DstvPointInfo("Kept"));
    const Zrk_String file = folder + "G.dat";
    const Zrk_String head = "format:string=DSTV points\nversion:int=1\nnrOfPoints:int=1\nname.0:string=A\n";
    const std::vector<std::pair<std::string, Zrk_String>> cases = {
        {"", file + " holds no DSTV points: its entry \"format\" must be \"DSTV points\"."},
        {"format:string=DSTV points\nversion:int=2\n",
         file +
             ": the entry \"version\" must be a whole number from 1 to 1 (a later version of the program may "
             "have written it)."},
        {"format:string=DSTV points\nversion:int=1\nnrOfPoints:int=-1\n",
         file + ": the entry \"nrOfPoints\" must be a whole number from 0 to 10000."},
        {"format:string=DSTV points\nversion:int=1\nnrOfPoints:int=1\n",
         file + ": the entry \"name.0\" must be a text that is not empty."},
        {head + "sideSelection2.0:int=4\n",
         file + ": the entry \"sideSelection2.0\" must be a whole number from 0 to 3."},
        {head + "markPlateSelection.0:int=5\n",
         file + ": the entry \"markPlateSelection.0\" must be a whole number from 0 to 4."},
        {head + "drillFullHole.0:int=2\n",
         file + ": the entry \"drillFullHole.0\" must be a whole number from 0 to 1."},
        {head + "drillRadius.0:double=-1\n",
         file + ": the entry \"drillRadius.0\" must be a number of 0 or more."},
        {head + "minPlateSideDist.0:string=far\n",
         file + ": the entry \"minPlateSideDist.0\" must be a number of 0 or more."},
        {head + "garbage\n", file + ", line 5: expected key:type=value"},
    };
    for (const auto& [text, reason] : cases) {
        ASSERT_TRUE(writeFileAtomically(file, text));
        Zrk_String message;
        EXPECT_FALSE(group.readFromFile("G", &message)) << text;
        EXPECT_EQ(message, reason);
        ASSERT_EQ(group.points.length(), 1);
        EXPECT_EQ(group.points[0].name(), "Kept");
    }
    Zrk_String message;
    EXPECT_FALSE(group.readFromFile("Missing", &message));
    EXPECT_NE(message.find(folder + "Missing.dat"), Zrk_String::npos) << message;

    // Entries left out take the defaults; entries of a later program are passed by.
    ASSERT_TRUE(writeFileAtomically(file, head + "drillRadius.0:int=20\ncolour.0:string=red\n"));
    ASSERT_TRUE(group.readFromFile("G", &message)) << message;
    ASSERT_EQ(group.points.length(), 1);
    Zrk_DstvPointInfo expected("A");
    expected.setDrillFullHole(false, false, 20.0);
    EXPECT_EQ(group.points[0], expected);
}

TEST_F(DstvGroups, APointWithoutANameIsNotWritten) {
    ASSERT_TRUE(DlgDstvPoints::createGroup("G"));
    std::string before;
    ASSERT_TRUE(readFileBytes(folder + "G.dat", before));
    DlgDstvPoints group;
    group.points.append(Zrk_DstvPointInfo("A"));
    group.points.append(Zrk_DstvPointInfo(""));
    Zrk_String message;
    EXPECT_FALSE(group.writeToFile("G", &message));
    EXPECT_EQ(message, "Point 2 of the group \"G\" has no name.");
    std::string after;
    ASSERT_TRUE(readFileBytes(folder + "G.dat", after));
    EXPECT_EQ(after, before);
}
