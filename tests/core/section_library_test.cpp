// The section library's record: the groups and user-defined types in the library file, what the
// library folder holds, and the section types with their pictures.

#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/files.h"
#include "core/language.h"
#include "core/macro_langs.h"
#include "core/section_library.h"
#include "core/section_types.h"
#include "core/settings.h"
#include "core/text.h"

namespace fs = std::filesystem;

namespace {

class SectionLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        folder =
            fs::temp_directory_path() / ("ss_library_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "library" / "prof");
        fs::create_directories(folder / "product" / "icons");
        savedLibrary = gSettings.libDir;
        savedProduct = gSettings.zrkDir;
        gSettings.libDir = library();
        gSettings.zrkDir = product();
    }
    void TearDown() override {
        gSettings.libDir = savedLibrary;
        gSettings.zrkDir = savedProduct;
        core::setCurrentMacroLanguage("English");
        fs::remove_all(folder);
    }
    Zrk_String library() const { return (folder / "library").string() + "/"; }
    Zrk_String product() const { return (folder / "product").string() + "/"; }
    void write(const Zrk_String& path, const std::string& bytes) {
        fs::create_directories(fs::path(core::osPath(path)).parent_path());
        ASSERT_TRUE(writeFileAtomically(path, bytes));
    }

    fs::path folder;
    Zrk_String savedLibrary, savedProduct;
};

// Two groups and a type; "Träger" is one byte per letter in the module's code page.
DlgEditLibData sampleRecord() {
    DlgEditLibData data;
    data.groups.append({1, "Beams", true, "ProfSectionI", {"Beams", "Tr\xE4ger", "Poutres", "Balken", ""}});
    data.groups.append({4, "Angles", false, "", {"Angles", "", "", "", ""}});
    data.types.append(
        {"Hat section.dwg", true, "Hat section", 4, "HAT", {"Hat section", "Hutprofil", "", "", ""}});
    return data;
}

} // namespace

TEST_F(SectionLibrary, GroupsAndTypesRoundTripThroughTheLibraryFile) {
    const DlgEditLibData data = sampleRecord();
    Zrk_String message;
    ASSERT_TRUE(data.writeToLibrary(&message)) << message;
    std::string bytes;
    ASSERT_TRUE(readFileBytes(library() + "prof/SectionLibrary.txt", bytes));
    EXPECT_EQ(bytes, "SS section library 1\n"
                     "languages\tEnglish\tGerman\tFrench\tDutch\tKorean\n"
                     "group\t1\tBeams\t1\tProfSectionI\tBeams\tTr\xE4ger\tPoutres\tBalken\t\n"
                     "group\t4\tAngles\t0\t\tAngles\t\t\t\t\n"
                     "type\tHat section.dwg\t1\tHat section\t4\tHAT\tHat section\tHutprofil\t\t\t\n");
    DlgEditLibData read;
    ASSERT_TRUE(read.readFromLibrary(&message)) << message;
    EXPECT_EQ(read.groups, data.groups);
    EXPECT_EQ(read.types, data.types);

    // A library without the file has no groups and no types.
    fs::remove(folder / "library" / "prof" / "SectionLibrary.txt");
    ASSERT_TRUE(read.readFromLibrary(&message));
    EXPECT_EQ(read.groups.length(), 0);
    EXPECT_TRUE(read.types.isEmpty());
}

TEST_F(SectionLibrary, ALanguagesLineMapsTheNameColumnsAndAMissingGroupIsNoGroup) {
    write(library() + "prof/SectionLibrary.txt", "SS section library 1\n"
                                                 "\n"
                                                 "languages\tGerman\tKlingon\tEnglish\n"
                                                 "group\t7\tBeams\t1\tpic\tTr\xE4ger\tx\tBeams\n"
                                                 "type\t\t0\t\t9\tT\tTyp\n");
    DlgEditLibData data;
    Zrk_String message;
    ASSERT_TRUE(data.readFromLibrary(&message)) << message;
    Zrk_StringArray langs;
    ASSERT_TRUE(data.groups.getLangs(0, langs));
    EXPECT_EQ(langs, (Zrk_StringArray{"Beams", "Tr\xE4ger", "", "", ""}));
    ASSERT_EQ(data.types.length(), 1);
    EXPECT_EQ(data.types[0].groupId, -1);
    EXPECT_FALSE(data.types[0].enabled);
    EXPECT_EQ(data.types[0].langs, (Zrk_StringArray{"", "Typ", "", "", ""}));

    // Names as the person sees them: the user's language, else the group's name (type: its drawing).
    EXPECT_EQ(data.groups.getName(0), "Beams");
    ASSERT_TRUE(core::setCurrentMacroLanguage("German"));
    EXPECT_EQ(data.groups.getName(0), "Tr\xE4ger");
    EXPECT_EQ(data.types[0].getName(), "Typ");
    ASSERT_TRUE(core::setCurrentMacroLanguage("French"));
    EXPECT_EQ(data.groups.getName(0), "Beams");
    data.types[0].name = "Hat.dwg";
    EXPECT_EQ(data.types[0].getName(), "Hat.dwg");
}

TEST_F(SectionLibrary, AFaultyLibraryFileIsRefusedWithFileAndLineAndChangesNothing) {
    const DlgEditLibData before = sampleRecord();
    const std::pair<std::string, std::string> cases[] = {
        {"Section library\n", "line 1: expected \"SS section library 1\", found \"Section library\""},
        {"SS section library 1\ngroups\t1\n",
         "line 2: expected \"languages\", \"group\" or \"type\", found \"groups\""},
        {"SS section library 1\ngroup\t1\tA\t1\n",
         "line 2: expected a group's id, name, enabled flag and picture"},
        {"SS section library 1\ngroup\t0\tA\t1\t\n",
         "line 2: expected a group id (a whole number above 0), found \"0\""},
        {"SS section library 1\ngroup\t1.5\tA\t1\t\n",
         "expected a group id (a whole number above 0), found \"1.5\""},
        {"SS section library 1\ngroup\t1\tA\tyes\t\n", "line 2: expected 0 or 1, found \"yes\""},
        {"SS section library 1\ngroup\t1\tA\t1\t\n\ngroup\t1\tB\t1\t\n",
         "line 4: the group id 1 is given twice"},
        {"SS section library 1\ntype\tX.dwg\t1\t\tnone\tT\n",
         "line 2: expected a group id (a whole number), found \"none\""},
        {"SS section library 1\ntype\tX.dwg\t1\t\n",
         "line 2: expected a type's drawing, enabled flag, picture, group and table"},
        {"", "expected the table's title line, found an empty file"},
    };
    for (const auto& [bytes, expected] : cases) {
        write(library() + "prof/SectionLibrary.txt", bytes);
        DlgEditLibData data = before;
        Zrk_String message;
        EXPECT_FALSE(data.readFromLibrary(&message)) << bytes;
        EXPECT_NE(message.find(expected), Zrk_String::npos) << message;
        EXPECT_NE(message.find("SectionLibrary.txt"), Zrk_String::npos) << message;
        EXPECT_EQ(data, before);
    }
}

TEST_F(SectionLibrary, AWriteThatCannotStoreANameLeavesTheOldFile) {
    DlgEditLibData data = sampleRecord();
    ASSERT_TRUE(data.writeToLibrary());
    std::string before;
    ASSERT_TRUE(readFileBytes(DlgEditLibData::libraryFilePath(), before));
    data.groups.setLangs(0, {"Two\tcells"});
    Zrk_String message;
    EXPECT_FALSE(data.writeToLibrary(&message));
    EXPECT_NE(message.find("cannot be written"), Zrk_String::npos);
    std::string after;
    ASSERT_TRUE(readFileBytes(DlgEditLibData::libraryFilePath(), after));
    EXPECT_EQ(after, before);
}

TEST_F(SectionLibrary, NewGroupsGetFreshIdsAndUnusedNamesAndTypesOfARemovedGroupLoseIt) {
    DlgEditLibData data = sampleRecord();
    const int added = data.groups.appendNewGrp();
    EXPECT_EQ(added, 2);
    EXPECT_EQ(data.groups.getId(added), 5);
    EXPECT_EQ(data.groups.getName(added), dialString(758));
    EXPECT_TRUE(data.groups.getEnabled(added));
    Zrk_StringArray langs;
    data.groups.getLangs(added, langs);
    EXPECT_EQ(langs, Zrk_StringArray(std::vector<Zrk_String>(5, dialString(758))));
    EXPECT_EQ(data.groups.getName(data.groups.appendNewGrp()), dialString(758) + "1");

    // The group of the type goes; a new group does not take its id, and the type is written without.
    ASSERT_TRUE(data.groups.removeAt(1));
    ASSERT_TRUE(data.groups.removeAt(data.groups.length() - 1));
    ASSERT_TRUE(data.groups.removeAt(data.groups.length() - 1));
    EXPECT_EQ(data.groups.getId(data.groups.appendNewGrp()), 7);
    ASSERT_TRUE(data.writeToLibrary());
    DlgEditLibData read;
    ASSERT_TRUE(read.readFromLibrary());
    EXPECT_EQ(read.types[0].groupId, -1);

    Zrk_StringArray names;
    Zrk_Array<int> ids;
    read.groups.namesOfAllGroups(names, ids);
    EXPECT_EQ(names, (Zrk_StringArray{"Beams", dialString(758)}));
    EXPECT_EQ(ids, (Zrk_Array<int>{1, 7}));
    EXPECT_FALSE(read.groups.setEnabled(2, true));
    EXPECT_EQ(read.groups.getName(-1), "");
}

TEST_F(SectionLibrary, AvailableFilesListTablesDrawingsAndOfferedPictures) {
    for (const char* name :
         {"prof/IPE.pr", "prof/HEA.pr", "prof/notes.txt", "prof/old/X.pr", "User Sections/Hat.dwg",
          "User Sections/Hat.bmp", "User Sections/Box section.dwg"})
        write(library() + name, "x");
    for (const char* name : {"icons/ProfSectionI-big.bmp", "icons/ProfSectionI-small.bmp",
                             "icons/Custom-big.bmp", "icons/Hat-automated.bmp", "icons/-big.bmp"})
        write(product() + name, "x");
    DlgEditLibData data;
    EXPECT_TRUE(data.GetAvailableFiles());
    EXPECT_EQ(data.tableNames, (Zrk_StringArray{"HEA", "IPE"}));
    EXPECT_EQ(data.userTypeNames, (Zrk_StringArray{"Box section.dwg", "Hat.dwg"}));
    EXPECT_EQ(data.availableFiles, (Zrk_StringArray{"User Sections/Box section.dwg", "User Sections/Hat.dwg",
                                                    "prof/HEA.pr", "prof/IPE.pr"}));
    EXPECT_EQ(data.pictureNames, (Zrk_StringArray{"Custom", "ProfSectionI"}));

    // A library without those folders has none of them.
    gSettings.libDir = library() + "none/";
    gSettings.zrkDir = product() + "none/";
    EXPECT_TRUE(data.GetAvailableFiles());
    EXPECT_TRUE(data.availableFiles.isEmpty() && data.tableNames.isEmpty() && data.pictureNames.isEmpty());
}

// --- section types ------------------------------------------------------------------------------------

TEST(SectionTypes, TheBuiltInTypesHaveTheirTextsPicturesAndValueColumns) {
    const auto& types = core::builtInSectionTypes();
    ASSERT_EQ(types.size(), 24u);
    const char* pictures[] = {"ProfSectionI",
                              "ProfSectionCL",
                              "ProfSectionHL",
                              "ProfSectionCU",
                              "ProfSectionT",
                              "ProfSectionOI",
                              "ProfSectionOU",
                              "ProfSectionRect",
                              "ProfSectionRound",
                              "ProfSectionRectTube",
                              "ProfSectionRoundTube",
                              "ProfSectionC",
                              "ProfSectionZ",
                              "ProfSectionV",
                              "ProfSectionO",
                              "ProfSectionQ",
                              "ProfSectionCuttedI",
                              "ProfSectionSigma",
                              "ProfSectionSigma+",
                              "ProfSectionSigma Sleeve",
                              "ProfSectionC+",
                              "ProfSectionC Sleeve",
                              "ProfSectionSingle Cleat",
                              "ProfSectionDouble Cleat"};
    for (int n = 1; n <= 24; ++n) {
        const BuiltInSectionType& type = types[static_cast<std::size_t>(n - 1)];
        EXPECT_EQ(type.number, n);
        EXPECT_EQ(type.nameText, n <= 17 ? 718 + n : 1659 + n);
        EXPECT_STREQ(type.pictureName, pictures[n - 1]);
        EXPECT_FALSE(dialString(type.nameText).empty()) << n;
        EXPECT_GE(type.valueTexts.size(), 1u);
        EXPECT_LE(type.valueTexts.size(), 11u); // the add-section dialog has eleven fields
        for (int text : type.valueTexts)
            EXPECT_FALSE(dialString(text).empty()) << n << ": " << text;
    }
    EXPECT_EQ(types[0].valueTexts, (std::vector<int>{736, 737, 738, 739, 740}));
    Zrk_StringArray names;
    ASSERT_TRUE(core::sectionTypeValueColumns("10", names));
    EXPECT_EQ(names, (Zrk_StringArray{"Height", "Width", "Thickness", "Radius"}));
    EXPECT_FALSE(core::sectionTypeValueColumns("Hat.dwg", names));
    EXPECT_TRUE(names.isEmpty());
}

TEST(SectionTypes, TypeTextsAreNumbersOrDrawingsAndShowAsBracketedNames) {
    EXPECT_EQ(core::builtInSectionTypeOf("3"), core::findBuiltInSectionType(3));
    EXPECT_EQ(core::builtInSectionTypeOf(" 3.0 "), core::findBuiltInSectionType(3));
    for (const char* none : {"", "0", "25", "-1", "3.5", "abc", "3.dwg", "1e999"})
        EXPECT_EQ(core::builtInSectionTypeOf(none), nullptr) << none;
    EXPECT_TRUE(core::isUserSectionType("Hat section.DWG"));
    EXPECT_FALSE(core::isUserSectionType("dwg"));

    EXPECT_EQ(core::sectionTypeDisplayText("3"), "<Angle>");
    EXPECT_EQ(core::sectionTypeDisplayText("Hat.dwg"), "Hat.dwg");
    EXPECT_EQ(core::sectionTypeDisplayText("abc"), "");
    for (int n = 1; n <= 24; ++n) {
        const Zrk_String shown = core::sectionTypeDisplayText(intToStr(n));
        EXPECT_EQ(core::sectionTypeFromDisplayText(shown), intToStr(n)) << shown;
    }
    EXPECT_EQ(core::sectionTypeFromDisplayText("Hat.dwg"), "Hat.dwg");
}

TEST_F(SectionLibrary, TypePicturesFallBackToACopiedUserPictureOrUnknown) {
    write(product() + "icons/ProfSectionHL-big.bmp", "angle");
    write(product() + "icons/Hat-small.bmp", "hat");
    EXPECT_EQ(core::sectionTypePicture("3", "", true), product() + "icons/ProfSectionHL-big.bmp");
    EXPECT_EQ(core::sectionTypePicture("3", "", false), product() + "icons/Unknown-small.bmp");
    EXPECT_EQ(core::sectionTypePicture("Hat.dwg", "", false), product() + "icons/Hat-small.bmp");
    EXPECT_EQ(core::sectionTypePicture("Hat.dwg", "", true), product() + "icons/Unknown-big.bmp");
    EXPECT_EQ(core::sectionTypePicture("99", "", true), product() + "icons/Unknown-big.bmp");
    EXPECT_EQ(core::sectionTypePictureName("", "User Sections\\Box.dwg"), "Box");

    // No type: the section's own picture of "User Sections/" is copied for the small picture only.
    const Zrk_String source = library() + "User Sections/Box.bmp";
    const Zrk_String copy = product() + "icons/Box-automated.bmp";
    EXPECT_EQ(core::sectionTypePicture("", "User Sections/Box.dwg", false),
              product() + "icons/Unknown-small.bmp");
    write(source, "first");
    EXPECT_EQ(core::sectionTypePicture("", "User Sections/Box.dwg", true),
              product() + "icons/Unknown-big.bmp");
    EXPECT_FALSE(fileExists(copy));
    EXPECT_EQ(core::sectionTypePicture("", "User Sections/Box.dwg", false), copy);
    std::string bytes;
    ASSERT_TRUE(readFileBytes(copy, bytes));
    EXPECT_EQ(bytes, "first");

    // A newer source is copied again; an older one is not.
    write(source, "second");
    fs::last_write_time(core::osPath(copy),
                        fs::last_write_time(core::osPath(source)) - std::chrono::hours(1));
    EXPECT_EQ(core::sectionTypePicture("", "Box", false), copy);
    ASSERT_TRUE(readFileBytes(copy, bytes));
    EXPECT_EQ(bytes, "second");
    write(source, "third");
    fs::last_write_time(core::osPath(source),
                        fs::last_write_time(core::osPath(copy)) - std::chrono::hours(1));
    EXPECT_EQ(core::sectionTypePicture("", "Box", false), copy);
    ASSERT_TRUE(readFileBytes(copy, bytes));
    EXPECT_EQ(bytes, "second");
}
