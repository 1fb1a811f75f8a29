// The one search for library files: as written, then the caller's places in order, letter case
// ignored; and the three searches built on it (standards sheets, child sheets, data files).

#include <fstream>

#include "library_fixture.h"
#include "standards/data_files.h"
#include "standards/library_files.h"
#include "standards/sheet_evaluation.h"

namespace {

class LibraryFiles : public LibraryTest {
protected:
    std::string touch(const std::string& relative) {
        const std::filesystem::path path = library / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << "x";
        return path.string();
    }
};

TEST_F(LibraryFiles, AsWrittenFirstThenThePlacesInOrderIgnoringLetterCase) {
    const std::string inData = touch("Connection Standards/Data/Table.txt");
    const std::string inRoot = touch("Connection Standards/table.TXT");
    const Zrk_String standards = standardsFolder();
    Zrk_String found;
    // The first place that holds it wins, whatever the letter case.
    ASSERT_TRUE(standards::findLibraryFile("TABLE.txt", {standards + "Data/", standards}, found));
    EXPECT_EQ(found, inData);
    ASSERT_TRUE(standards::findLibraryFile("table.txt", {standards, standards + "Data/"}, found));
    EXPECT_EQ(found, inRoot);
    // A leading separator does not make a name absolute for the places.
    ASSERT_TRUE(standards::findInFolders("/Table.txt", {standards + "Data/"}, found));
    EXPECT_EQ(found, inData);
    // A full path as written, also in another letter case; then no place is asked.
    Zrk_String upper = inData;
    upper.replace(upper.size() - 9, 9, "TABLE.TXT");
    ASSERT_TRUE(standards::findLibraryFile(upper, {}, found));
    EXPECT_EQ(found, inData);
    // Nothing, empty places and an empty name find nothing.
    EXPECT_FALSE(standards::findLibraryFile("Other.txt", {"", standards}, found));
    EXPECT_FALSE(standards::findLibraryFile("", {standards}, found));
}

TEST_F(LibraryFiles, SheetsAndDataFilesKeepTheirOwnPlaces) {
    const std::string sheet = touch("Connection Standards/Sub/Plate.kvs");
    EXPECT_EQ(standards::resolveSheetPath("Sub/PLATE"), sheet); // the file name's letter case only
    EXPECT_EQ(standards::resolveSheetPath(sheet), sheet);
    // A missing sheet names the file it would be, and an absolute path stays what it is.
    EXPECT_EQ(standards::resolveSheetPath("Missing"), standardsFolder() + "Missing.kvs");
    EXPECT_EQ(standards::resolveSheetPath("/nowhere/Missing.kvs"), "/nowhere/Missing.kvs");

    const std::string data = touch("Connection Standards/Data/Sizes.txt");
    const std::string inLibrary = touch("Bolts.txt");
    Zrk_String found;
    ASSERT_TRUE(standards::findDataFile("sizes.txt", found));
    EXPECT_EQ(found, data);
    ASSERT_TRUE(standards::findDataFile("bolts.TXT", found));
    EXPECT_EQ(found, inLibrary);
    EXPECT_FALSE(standards::findDataFile("Nuts.txt", found));
}

} // namespace
