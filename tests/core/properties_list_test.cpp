#include <cmath>
#include <filesystem>

#include <gtest/gtest.h>

#include "core/files.h"
#include "core/properties_list.h"

TEST(PropertiesList, TypedEntriesKeepTheirOrder) {
    Zrk_PropertiesList list;
    list.setProperty("nrOfControls", 2);
    list.setProperty("topLeftX0", 0.1);
    list.setProperty("contents0", "a\\b\nc\td");
    list.setProperty("nrOfControls", 3); // replaced in place

    int count = 0;
    double factor = 0;
    Zrk_String text;
    EXPECT_TRUE(list.getProperty("nrOfControls", count));
    EXPECT_EQ(count, 3);
    EXPECT_TRUE(list.getProperty("nrOfControls", factor)) << "an integer reads as a double";
    EXPECT_FALSE(list.getProperty("topLeftX0", count));
    EXPECT_FALSE(list.getProperty("missing", text));
    EXPECT_EQ(list.keyAt(0), "nrOfControls");
    EXPECT_EQ(list.toText(), "nrOfControls:int=3\ntopLeftX0:double=0.1\ncontents0:string=a\\\\b\\nc\\td\n");
}

TEST(PropertiesList, FileRoundTripAndFaults) {
    const std::string path = std::filesystem::temp_directory_path() / ("ss_props_" + std::to_string(getpid()) + ".txt");
    Zrk_PropertiesList list;
    list.setProperty("b", 1.0 / 3.0);
    list.setProperty("a", -7);
    list.setProperty("text", "x:y=z \xBF");
    list.setProperty("empty", "");
    ASSERT_TRUE(list.writeToFile(path));
    Zrk_PropertiesList read;
    ASSERT_TRUE(read.readFromFile(path));
    EXPECT_EQ(read, list);

    Zrk_String message;
    ASSERT_TRUE(ObjectExportWriteFile(path, {"a:int=1", "b:int=1.5"}));
    EXPECT_FALSE(read.readFromFile(path, &message));
    EXPECT_EQ(read, list) << "a failed read changes nothing";
    EXPECT_EQ(message, path + ", line 2: expected a whole number");
    for (const Zrk_StringArray& bad : {Zrk_StringArray{"novalue"}, Zrk_StringArray{"k:float=1"},
                                        Zrk_StringArray{"k:string=bad\\q"}, Zrk_StringArray{"k:double=nan"}}) {
        ASSERT_TRUE(ObjectExportWriteFile(path, bad));
        EXPECT_FALSE(read.readFromFile(path)) << bad[0];
    }
    EXPECT_FALSE(read.readFromFile(path + ".missing", &message));
    EXPECT_EQ(message, path + ".missing: the file cannot be read: No such file or directory.");

    Zrk_PropertiesList badKey;
    badKey.setProperty("a=b", 1);
    EXPECT_FALSE(badKey.writeToFile(path));
    Zrk_PropertiesList noNumber; // "nan" would be written, and refused by the reader
    noNumber.setProperty("width", std::nan(""));
    std::filesystem::remove(path);
    EXPECT_FALSE(noNumber.writeToFile(path));
    EXPECT_FALSE(std::filesystem::exists(path));
}
