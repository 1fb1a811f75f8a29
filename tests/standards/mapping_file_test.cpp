// The mapping table and its file: loading by key, saving, and the comparisons the dialog relies on.

#include <sys/stat.h>

#include "core/text.h"
#include "library_fixture.h"
#include "standards/mapping_file.h"
#include "standards/ss_mapping.h"
#include "standards/standards_data.h"

namespace {

KvObjectMap entry(const Zrk_String& ssVar, const Zrk_String& group, KvObjectType type, const Zrk_String& name,
                  int varKind = 3) {
    KvObjectMap map;
    map.ssVar = ssVar;
    map.groupName = group;
    map.type = type;
    map.macroVar = name;
    map.varKind = varKind;
    return map;
}

KvSSMapping mappingOf(std::initializer_list<KvObjectMap> entries) {
    KvSSMapping mapping;
    for (const KvObjectMap& map : entries) mapping.mappedObjectsWrite().append(map);
    return mapping;
}

std::string bytesOf(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(readFileBytes(path, bytes)) << path;
    return bytes;
}

// The modification time in nanoseconds, to tell whether a save touched the file.
long long modificationTime(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return static_cast<long long>(info.st_mtim.tv_sec) * 1'000'000'000LL + info.st_mtim.tv_nsec;
}

class MappingFile : public LibraryTest {
protected:
    std::string mapPath(const std::string& name = "Std") const { return standardsFolder() + name + ".map"; }
    void writeMap(const std::string& bytes, const std::string& name = "Std") const {
        ASSERT_TRUE(writeFileAtomically(mapPath(name), bytes));
    }
};

} // namespace

TEST_F(MappingFile, WrittenFileIsByteIdenticalToTheHandWrittenOne) {
    KvSSMapping mapping = mappingOf({
        entry("Width", "EndPlate", KvObjectType::Distance, "Width"),
        entry("Dia", "BoltGroup", KvObjectType::BoltsDiameter, ""),
        entry("Rev", "BoltGroup", KvObjectType::PatternReverseStart1, "Rows"),
        entry("Section", "", KvObjectType::PrPlName, "Prof1"),
    });
    ASSERT_EQ(mapping.setMappingToFile("Std", "Key1"), Acad::eOk);
    EXPECT_EQ(bytesOf(mapPath()), bytesOf(dataFile("handwritten.map")));

    // And the hand-written file reads back into the same entries.
    ASSERT_TRUE(ObjectExportCopyFile(dataFile("handwritten.map"), mapPath("Hand")));
    KvSSMapping read;
    ASSERT_EQ(read.getMappingFromFile("Hand", "key1"), Acad::eOk); // keys ignore letter case
    ASSERT_EQ(read.mappedObjects().length(), 4);
    EXPECT_EQ(read.mappedObjects()[1].type, KvObjectType::BoltsDiameter);
    EXPECT_TRUE(read.isEqual(mapping)); // what is stored maps as the mapping does
    EXPECT_EQ(read.mappedObjects()[1].macroVar, "");
    EXPECT_EQ(read.mappedObjects()[3].groupName, "");
    EXPECT_TRUE(read.isEqual(mapping));
    EXPECT_TRUE(mapping.isEqual(read));
}

TEST_F(MappingFile, TwoKeysInOneFile) {
    writeMap("Mapping version 1.0\n"
             "A=X\x83G\x95" "Distance W\n"
             "B=Y\x83G\x95GenVar V\xBFZ\x83G\x95" "Distance H\n");
    KvSSMapping mapping;
    ASSERT_EQ(mapping.getMappingFromFile("Std", "B"), Acad::eOk);
    ASSERT_EQ(mapping.mappedObjects().length(), 2);
    EXPECT_EQ(mapping.mappedObjects()[0].ssVar, "Y");
    ASSERT_EQ(mapping.getMappingFromFile("Std", "A"), Acad::eOk);
    ASSERT_EQ(mapping.mappedObjects().length(), 1);
    EXPECT_EQ(mapping.mappedObjects()[0].macroVar, "W");

    // An unknown key or a missing file fails and leaves the entries alone.
    EXPECT_EQ(mapping.getMappingFromFile("Std", "C"), Acad::eInvalidInput);
    EXPECT_EQ(mapping.getMappingFromFile("Missing", "A"), Acad::eInvalidInput);
    EXPECT_EQ(mapping.mappedObjects().length(), 1);
}

TEST_F(MappingFile, FileWithoutHeaderOrWithOnlyAHeader) {
    writeMap("First=X\x83G\x95" "Distance W\nSecond=Y\x83G\x95" "Distance H\n");
    KvSSMapping mapping;
    ASSERT_EQ(mapping.getMappingFromFile("Std", "First"), Acad::eOk);
    EXPECT_EQ(mapping.mappedObjects()[0].ssVar, "X");

    // Saving keeps the old first line as data and puts the header before it.
    mapping.mappedObjectsWrite()[0].macroVar = "Other";
    ASSERT_EQ(mapping.setMappingToFile("Std", "First"), Acad::eOk);
    EXPECT_EQ(bytesOf(mapPath()), "Mapping version 1.0\nSecond=Y\x83G\x95" "Distance H\nFirst=X\x83G\x95" "Distance Other\n");

    writeMap("Mapping version 1.0\n", "Empty");
    EXPECT_EQ(mapping.getMappingFromFile("Empty", "First"), Acad::eOk); // nothing to load: unchanged
    EXPECT_EQ(mapping.mappedObjects()[0].macroVar, "Other");
}

TEST_F(MappingFile, MalformedEntriesAndLinesAreSkippedOneByOne) {
    writeMap("Mapping version 1.0\n"
             "no equals sign here\n"
             "K=NoSeparator\xBFOk\x83G\x95" "Distance W\xBF\xBF" "Bad\x83G Distance W\xBFUnknown\x83G\x95Nothing\xBF"
             "Ok2\x83\x95GenVar V\n");
    KvSSMapping mapping;
    ASSERT_EQ(mapping.getMappingFromFile("Std", "K"), Acad::eOk);
    ASSERT_EQ(mapping.mappedObjects().length(), 2);
    EXPECT_EQ(mapping.mappedObjects()[0].ssVar, "Ok");
    EXPECT_EQ(mapping.mappedObjects()[1].ssVar, "Ok2");

    // A line without "=" has an empty key and loads nothing; the entries are cleared then.
    EXPECT_EQ(mapping.getMappingFromFile("Std", ""), Acad::eInvalidInput);
    EXPECT_TRUE(mapping.mappedObjects().isEmpty());
    EXPECT_EQ(mapping.initMappingFromLine("K="), Acad::eOk);
    EXPECT_TRUE(mapping.mappedObjects().isEmpty());
}

TEST_F(MappingFile, SavingTheSameEntriesTwiceDoesNotTouchTheFile) {
    KvSSMapping mapping = mappingOf({entry("W", "G", KvObjectType::Distance, "Width")});
    ASSERT_EQ(mapping.setMappingToFile("Std", "K"), Acad::eOk);
    const long long written = modificationTime(mapPath());
    const std::string bytes = bytesOf(mapPath());
    ::usleep(20000);
    ASSERT_EQ(mapping.setMappingToFile("Std", "k"), Acad::eOk);
    EXPECT_EQ(modificationTime(mapPath()), written);
    EXPECT_EQ(bytesOf(mapPath()), bytes);

    // A stored line holding more entries counts as equal too (the comparison is one-sided).
    writeMap("Mapping version 1.0\nK=W\x83G\x95" "Distance Width\xBFH\x83G\x95" "Distance Height\n");
    const long long before = modificationTime(mapPath());
    ::usleep(20000);
    ASSERT_EQ(mapping.setMappingToFile("Std", "K"), Acad::eOk);
    EXPECT_EQ(modificationTime(mapPath()), before);
}

TEST_F(MappingFile, ChangedEntriesMoveTheKeyToTheEnd) {
    writeMap("Mapping version 1.0\nA=X\x83G\x95" "Distance W\nB=Y\x83G\x95" "Distance H\n");
    KvSSMapping mapping = mappingOf({entry("X", "G", KvObjectType::Distance, "Changed")});
    ASSERT_EQ(mapping.setMappingToFile("Std", "a"), Acad::eOk);
    Zrk_StringArray lines;
    ASSERT_TRUE(ObjectExportReadFile(mapPath(), lines));
    ASSERT_EQ(lines.length(), 3);
    EXPECT_EQ(lines[0], "Mapping version 1.0");
    EXPECT_EQ(lines[1], "B=Y\x83G\x95" "Distance H");
    EXPECT_EQ(lines[2], "a=X\x83G\x95" "Distance Changed");
}

TEST_F(MappingFile, AStaleDuplicateLineOfTheKeyGoesToo) {
    // Otherwise the older line would still be the one found first.
    writeMap("Mapping version 1.0\nK=X\x83G\x95" "Distance Old\nk=X\x83G\x95" "Distance Older\n");
    KvSSMapping mapping = mappingOf({entry("X", "G", KvObjectType::Distance, "New")});
    ASSERT_EQ(mapping.setMappingToFile("Std", "K"), Acad::eOk);
    EXPECT_EQ(bytesOf(mapPath()), "Mapping version 1.0\nK=X\x83G\x95" "Distance New\n");
}

TEST_F(MappingFile, EntriesThatCannotBeStoredAreLeftOut) {
    KvSSMapping mapping = mappingOf({
        entry("Dup", "G", KvObjectType::Distance, "First"),
        entry("Dup", "G", KvObjectType::Distance, "Second"),
        entry("Bad/Name", "G", KvObjectType::Distance, "W"),
        entry("Unset", "G", KvObjectType::NotSet, "W"),
        entry("Sep", "G", KvObjectType::Distance, "a\xBF" "b"),
        entry("Line", "G\n", KvObjectType::Distance, "W"),
        entry("Empty", "B", KvObjectType::BoltsDiameter, ""),
        // The mapping reads Shadowed by its first entry, which cannot be stored: the later one must
        // not take its place in the file.
        entry("Shadowed", "G\x83", KvObjectType::Distance, "W"),
        entry("Shadowed", "G", KvObjectType::Distance, "Later"),
    });
    ASSERT_EQ(mapping.setMappingToFile("Std", "K"), Acad::eOk);
    EXPECT_EQ(bytesOf(mapPath()), "Mapping version 1.0\nK=Dup\x83G\x95" "Distance First\xBF"
                                  "Empty\x83" "B\x95" "BoltsDiameter \n");

    // The empty name of the bolt diameter survives the round trip.
    KvSSMapping read;
    ASSERT_EQ(read.getMappingFromFile("Std", "K"), Acad::eOk);
    ASSERT_EQ(read.mappedObjects().length(), 2);
    EXPECT_EQ(read.mappedObjects()[1].macroVar, "");
    EXPECT_EQ(read.mappedObjects()[1].type, KvObjectType::BoltsDiameter);
    EXPECT_TRUE(read.isEqual(mapping)); // what is stored maps as the mapping does

    // A key that would break the line is refused and nothing is written.
    const std::string bytes = bytesOf(mapPath());
    EXPECT_EQ(mapping.setMappingToFile("Std", "A=B"), Acad::eInvalidInput);
    EXPECT_EQ(mapping.setMappingToFile("Std", "A\nB"), Acad::eInvalidInput);
    EXPECT_EQ(bytesOf(mapPath()), bytes);
}

TEST_F(MappingFile, AFileThatCannotBeReadIsNotOverwritten) {
    std::filesystem::create_directories(mapPath("Folder")); // a folder where the file should be
    KvSSMapping mapping = mappingOf({entry("W", "G", KvObjectType::Distance, "Width")});
    EXPECT_EQ(mapping.setMappingToFile("Folder", "K"), Acad::eInvalidInput);
    EXPECT_TRUE(folderExists(mapPath("Folder")));
}

TEST_F(MappingFile, FileLocation) {
    // Relative names live in the standards folder, subfolders included; ".kvs" is added before the
    // extension becomes "map", so dots in the name stay.
    EXPECT_EQ(standards::mappingFilePath("Parents/Std.v2"), standardsFolder() + "Parents/Std.v2.map");
    EXPECT_EQ(standards::mappingFilePath("\\Std"), standardsFolder() + "Std.map");
    // A full path of an existing spreadsheet has its mapping file beside it.
    const std::string sheet = library.string() + "/elsewhere.kvs";
    ASSERT_TRUE(writeFileAtomically(sheet, "sheet"));
    EXPECT_EQ(standards::mappingFilePath(sheet), library.string() + "/elsewhere.map");
    // A mapping file whose name differs only in letter case is found.
    writeMap("Mapping version 1.0\nK=X\x83G\x95" "Distance W\n", "Mixed");
    EXPECT_EQ(standards::mappingFilePath("MIXED"), mapPath("Mixed"));
    KvSSMapping mapping;
    EXPECT_EQ(mapping.getMappingFromFile("mixed", "K"), Acad::eOk);
}

TEST_F(MappingFile, HasSameMapping) {
    writeMap("Mapping version 1.0\nA=X\x83G\x95" "Distance W\nB=X\x83G\x95" "Distance H\xBFY\x83G\x95GenVar V\n");
    Zrk_String key;
    EXPECT_TRUE(mappingOf({entry("Y", "G", KvObjectType::GenVar, "V")}).hasSameMapping("Std", key));
    EXPECT_EQ(key, "B");
    EXPECT_TRUE(mappingOf({entry("X", "G", KvObjectType::Distance, "W")}).hasSameMapping("Std", key));
    EXPECT_EQ(key, "A");
    key = "kept";
    EXPECT_FALSE(mappingOf({entry("X", "G", KvObjectType::Distance, "Z")}).hasSameMapping("Std", key));
    EXPECT_FALSE(mappingOf({entry("X", "G", KvObjectType::Distance, "W")}).hasSameMapping("Missing", key));
    EXPECT_EQ(key, "kept");
}

TEST_F(MappingFile, InitFromMacroAndModuleGroup) {
    writeMap("Mapping version 1.0\nK=X\x83G\x95" "Distance W\n");
    Zrk_DbMacro macro;
    MacroData macroData;
    KvDlgStandardsData data;
    ASSERT_EQ(data.initialize(&macro, "Std", "K", &macroData), Acad::eOk);
    KvSSMapping mapping;
    ASSERT_EQ(mapping.initFromMacro(data), Acad::eOk);
    EXPECT_EQ(mapping.kind, KvSSMapping::kFile);
    EXPECT_EQ(mapping.mappedObjects().length(), 1);

    ASSERT_EQ(data.initialize(&macro, "Std", "Module.Grp.A", &macroData), Acad::eOk);
    EXPECT_EQ(data.moduleGroup, "Grp.A");
    KvSSMapping other;
    EXPECT_EQ(other.initFromMacro(data), Acad::eInvalidInput); // a module group is not a file mapping
    EXPECT_EQ(other.initFromModuleGroup(""), Acad::eInvalidInput);
    EXPECT_EQ(other.kind, KvSSMapping::kNotSet);
    EXPECT_EQ(mapping.initFromModuleGroup(data.moduleGroup), Acad::eOk);
    EXPECT_EQ(mapping.kind, KvSSMapping::kModuleGroup);
    EXPECT_EQ(mapping.mappedObjects().length(), 1); // entries untouched

    KvDlgStandardsData untouched;
    untouched.ssName = "before";
    EXPECT_EQ(untouched.initialize(nullptr, "Std", "K", &macroData), Acad::eInvalidInput);
    EXPECT_EQ(untouched.initialize(&macro, "Std", "K", nullptr), Acad::eInvalidInput);
    EXPECT_EQ(untouched.ssName, "before");
}

// --- comparisons of mappings ---------------------------------------------------------------------

TEST(MappingTable, IsEqualIsOneSided) {
    const KvSSMapping one = mappingOf({entry("X", "G", KvObjectType::Distance, "W")});
    const KvSSMapping more = mappingOf({entry("Y", "G", KvObjectType::GenVar, "V"), entry("X", "G", KvObjectType::Distance, "W")});
    EXPECT_TRUE(one.isEqual(more));
    EXPECT_FALSE(more.isEqual(one));
    EXPECT_TRUE(KvSSMapping().isEqual(one));
    // Same variable, other object; and an entry without value type is never equal.
    EXPECT_FALSE(mappingOf({entry("X", "G", KvObjectType::Distance, "H")}).isEqual(more));
    EXPECT_FALSE(mappingOf({entry("X", "G", KvObjectType::NotSet, "W")}).isEqual(more));

    int count = -1;
    EXPECT_EQ(more.isCompatible(one, count), Acad::eOk);
    EXPECT_EQ(count, 1);
    int index = -1;
    EXPECT_EQ(more.findCompatible(entry("other", "G", KvObjectType::Distance, "W"), index), Acad::eOk);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(more.findCompatible(entry("X", "G", KvObjectType::Distance, "Q"), index), Acad::eInvalidInput);
}

TEST(MappingTable, ValidVarsOfferWhatFindSSVarDoesNotFind) {
    const KvSSMapping mapping = mappingOf({
        entry("Count", "G", KvObjectType::Distance, "W"),        // Double
        entry("", "B", KvObjectType::PatternNrBolts1, "Rows"),   // String
        entry("", "B", KvObjectType::PatternReverseStart1, "R"), // Int
        entry("", "", KvObjectType::NotSet, "X"),
        entry("", "", KvObjectType::PrPlName, "Prof0"), // String
    });
    Zrk_Array<int> indices{99};
    ASSERT_EQ(mapping.getValidVars(true, KvValueType::Int, indices), Acad::eOk);
    EXPECT_EQ(indices, (Zrk_Array<int>{0, 2}));
    ASSERT_EQ(mapping.getValidVars(false, KvValueType::Double, indices), Acad::eOk);
    EXPECT_EQ(indices, (Zrk_Array<int>{0, 2}));
    ASSERT_EQ(mapping.getValidVars(true, KvValueType::String, indices), Acad::eOk);
    EXPECT_EQ(indices, (Zrk_Array<int>{1, 4}));

    // An Int variable may be mapped to a Distance, but findSSVar matches the value type exactly.
    int index = -1;
    EXPECT_EQ(mapping.findSSVar("Count", KvValueType::Int, index), Acad::eInvalidInput);
    EXPECT_EQ(mapping.findSSVar("Count", KvValueType::Double, index), Acad::eOk);
    EXPECT_EQ(index, 0);
}

TEST(MappingTable, SortValidVarsGroupsByKind) {
    const KvSSMapping mapping = mappingOf({
        entry("", "G", KvObjectType::Distance, "a", 0),
        entry("", "G", KvObjectType::Distance, "b", 1),
        entry("", "G", KvObjectType::Distance, "c", 2),
        entry("", "G", KvObjectType::Distance, "d", 3),
        entry("", "G", KvObjectType::Distance, "e", 1),
    });
    Zrk_Array<int> indices{0, 1, 2, 3, 4};
    EXPECT_EQ(mapping.sortValidVars(indices, Zrk_Array<int>()), Acad::eInvalidInput);
    EXPECT_EQ(indices, (Zrk_Array<int>{0, 1, 2, 3, 4}));
    // Kinds 2 and 3 are not in the order: they join the last group, the one of kind 0.
    ASSERT_EQ(mapping.sortValidVars(indices, Zrk_Array<int>{1, 0}), Acad::eOk);
    EXPECT_EQ(indices, (Zrk_Array<int>{-1, 1, 4, -1, 0, 2, 3}));
    // Sorting again drops the old markers; every group is marked even when empty.
    ASSERT_EQ(mapping.sortValidVars(indices, Zrk_Array<int>{3, 5, 1, 0, 2}), Acad::eOk);
    EXPECT_EQ(indices, (Zrk_Array<int>{-1, 3, -1, -1, 1, 4, -1, 0, -1, 2}));
}
