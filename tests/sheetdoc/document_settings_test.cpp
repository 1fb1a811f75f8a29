// Document settings of spreadsheets: the key/value store and its text form, the settings record, named
// ".kvd" files, header and footer paths, and the spreadsheet editor's defaults.

#include <QSettings>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

#include "core/files.h"
#include "core/settings.h"
#include "sheetdoc/document_settings.h"
#include "sheetdoc/editor_defaults.h"
#include "sheetdoc/settings_store.h"
#include "spreadlib/sheet.h"

namespace fs = std::filesystem;

namespace {

// ¤ (0xA4), the separator of the text form, for writing expected texts readably.
Zrk_String form(const Zrk_String& withBars) {
    Zrk_String text = withBars;
    for (char& c : text)
        if (c == '|') c = SettingsStore::kSeparator;
    return text;
}

// A product folder and a document folder in a temporary folder, with gSettings.zrkDir pointing at
// the product folder for the test's life.
class SettingsFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temporary.isValid());
        root = temporary.path().toStdString() + "/";
        fs::create_directories(root + "product");
        fs::create_directories(root + "work/docs");
        savedZrkDir = gSettings.zrkDir;
        gSettings.zrkDir = root + "product/";
    }
    void TearDown() override { gSettings.zrkDir = savedZrkDir; }

    void write(const Zrk_String& path, const std::string& bytes) { ASSERT_TRUE(writeFileAtomically(root + path, bytes)); }
    // Sets the file's modification time seconds from now.
    void age(const Zrk_String& path, int seconds) {
        fs::last_write_time(root + path, fs::file_time_type::clock::now() + std::chrono::seconds(seconds));
    }

    QTemporaryDir temporary;
    Zrk_String root;
    Zrk_String savedZrkDir;
};

} // namespace

// --- the store and its text form ----------------------------------------------------------------

TEST(SettingsStore, DefaultsAreWrittenInTheirOrderWithTypesAndValues) {
    DocumentSettings settings;
    const Zrk_String text = settings.toStore().toText();
    EXPECT_EQ(text.rfind(form("defaultFont|4|Tahoma|defaultTextHeight|2|13|headerFile|4||footerFile|4||"), 0), 0u);
    EXPECT_EQ(text, form("defaultFont|4|Tahoma|defaultTextHeight|2|13|headerFile|4||footerFile|4||"
                         "marginLeft|2|9|marginRight|2|5|marginTop|2|5|marginBottom|2|5|smartPrint|2|1|"
                         "colors|2|1|colHeader|2|1|rowHeader|2|1|cellSeperators|2|1|border|2|1|"));

    settings.varNames = {"Project", "Client"};
    settings.varValues = {"Hall 3", "Smith"};
    const Zrk_String withVariables = settings.toStore().toText();
    EXPECT_EQ(withVariables.substr(text.size()),
              form("varNames0|4|Project|varValues0|4|Hall 3|varNames1|4|Client|varValues1|4|Smith|"));
}

TEST(SettingsStore, NamesIgnoreCaseAndSettingReplacesInPlace) {
    SettingsStore store;
    store.setString("Font", "Arial");
    store.setDouble("Scale", 1.5);
    store.setInt("FONT", 12); // replaces the string, keeps its place and spelling
    ASSERT_EQ(store.count(), 2);
    EXPECT_EQ(store.entries()[0].name, "Font");
    EXPECT_EQ(store.entries()[0].text, ""); // a value that is not a string empties the text part

    Zrk_String text = "unchanged";
    int number = 0;
    EXPECT_FALSE(store.getString("font", text)); // now an int
    EXPECT_EQ(text, "unchanged");
    EXPECT_TRUE(store.getInt("font", number));
    EXPECT_EQ(number, 12);
    bool flag = false;
    EXPECT_TRUE(store.getBool("Font", flag));
    EXPECT_TRUE(flag);
    EXPECT_FALSE(store.getInt("Scale", number)); // a double is no int
    EXPECT_FALSE(store.getBool("Missing", flag));
    long long big = 0;
    store.setLong("Big", -9000000000LL);
    EXPECT_TRUE(store.getLong("big", big));
    EXPECT_EQ(big, -9000000000LL);
    EXPECT_EQ(store.toText(), form("Font|2|12|Scale|1|1.50|Big|3|-9000000000|"));
}

TEST(SettingsStore, ReadingKeepsCompleteGroupsAndTypesOnly) {
    SettingsStore store;
    // A double, a long, an unknown type (kept as none), a group without its last separator.
    store.fromText(form("w|1|2.5|n|3|42|odd|9|text|x|2"));
    ASSERT_EQ(store.count(), 3);
    double w = 0;
    EXPECT_TRUE(store.getDouble("W", w));
    EXPECT_DOUBLE_EQ(w, 2.5);
    long long n = 0;
    EXPECT_TRUE(store.getLong("n", n));
    EXPECT_EQ(n, 42);
    EXPECT_EQ(store.entries()[2].type, SettingsStore::kNone);
    EXPECT_EQ(store.toText(), form("w|1|2.50|n|3|42|odd|0||"));

    // A name that comes twice: the later value, the first place.
    store.fromText(form("a|2|1|b|2|2|A|2|3|"));
    ASSERT_EQ(store.count(), 2);
    int a = 0;
    EXPECT_TRUE(store.getInt("a", a));
    EXPECT_EQ(a, 3);

    store.fromText("no separator at all");
    EXPECT_EQ(store.count(), 0);
}

TEST(SettingsStore, ASeparatorInsideATextCannotShiftTheEntriesAfterIt) {
    SettingsStore store;
    store.setString("headerFile", form("odd|name.bmp"));
    store.setInt("marginLeft", 7);
    SettingsStore back;
    back.fromText(store.toText());
    Zrk_String header;
    int margin = 0;
    EXPECT_TRUE(back.getString("headerFile", header));
    EXPECT_EQ(header, "odd?name.bmp");
    EXPECT_TRUE(back.getInt("marginLeft", margin));
    EXPECT_EQ(margin, 7);
}

// --- the settings record -------------------------------------------------------------------------

TEST(DocumentSettings, VariablesStopAtTheFirstGapAndPairUp) {
    SettingsStore store;
    store.setString("varNames0", "Project");
    store.setString("varNames1", "Client");
    store.setString("varValues0", "Hall 3");
    store.setString("varNames3", "Unreached"); // after the gap at 2
    DocumentSettings settings;
    settings.takeOver(store);
    EXPECT_EQ(settings.varNames, Zrk_StringArray({"Project"}));
    EXPECT_EQ(settings.varValues, Zrk_StringArray({"Hall 3"}));

    store.setInt("varValues1", 5); // not a string: ends the values there too
    store.setString("varValues0", "Hall 4");
    settings.takeOver(store);
    EXPECT_EQ(settings.varValues, Zrk_StringArray({"Hall 4"}));
}

TEST(DocumentSettings, KeysOfTheWrongTypeLeaveTheDefault) {
    SettingsStore store;
    store.setString("defaultTextHeight", "20");
    store.setInt("defaultFont", 3);
    store.setInt("smartPrint", 0);
    store.setInt("MARGINTOP", 12);
    DocumentSettings settings;
    settings.takeOver(store);
    EXPECT_EQ(settings.defaultTextHeight, 13);
    EXPECT_EQ(settings.defaultFont, "Tahoma");
    EXPECT_FALSE(settings.smartPrint);
    EXPECT_EQ(settings.marginTop, 12);
}

TEST(DocumentSettings, TheTagOfTheCornerCellCarriesTheSettings) {
    spreadlib::Sheet sheet;
    DocumentSettings settings;
    EXPECT_FALSE(settings.applyToSheet(sheet)); // not loaded
    settings.loaded = true;
    settings.defaultFont = "Verdana";
    settings.marginBottom = 20;
    settings.border = false;
    settings.varNames = {"Date"};
    settings.varValues = {"today"};
    ASSERT_TRUE(settings.applyToSheet(sheet));
    Zrk_String tag;
    ASSERT_TRUE(sheet.SSGetCellTag(0, 0, tag));
    EXPECT_EQ(tag.rfind(form("defaultFont|4|Verdana|"), 0), 0u);

    DocumentSettings back;
    back.marginLeft = 99; // reading resets first
    back.readFromSheet(sheet);
    EXPECT_TRUE(back.loaded);
    EXPECT_EQ(back, settings);

    spreadlib::Sheet empty;
    back.readFromSheet(empty);
    DocumentSettings defaults;
    defaults.loaded = true;
    EXPECT_EQ(back, defaults);
}

// --- named settings files ------------------------------------------------------------------------

TEST_F(SettingsFiles, ANamedFileIsReadWithNamesInAnyCase) {
    write("product/Office.kvd", form("DEFAULTFONT|4|Courier New|DefaultTextHeight|2|11|marginleft|2|3|"
                                     "varNames0|4|Project|varValues0|4|Hall|trailing|4"));
    DocumentSettings settings;
    ASSERT_TRUE(settings.readNamed("Office"));
    EXPECT_TRUE(settings.loaded);
    EXPECT_EQ(settings.defaultFont, "Courier New");
    EXPECT_EQ(settings.defaultTextHeight, 11);
    EXPECT_EQ(settings.marginLeft, 3);
    EXPECT_EQ(settings.marginRight, 5);
    EXPECT_EQ(settings.varNames, Zrk_StringArray({"Project"}));

    // The name in another letter case finds the same file.
    DocumentSettings again;
    ASSERT_TRUE(again.readNamed("office"));
    EXPECT_EQ(again.defaultFont, "Courier New");
    EXPECT_EQ(settingsFilePath("OFFICE"), root + "product/Office.kvd");
}

TEST_F(SettingsFiles, AMissingFileGivesTheDefaultsStillLoaded) {
    DocumentSettings settings;
    settings.defaultFont = "Changed";
    EXPECT_FALSE(settings.readNamed("Nowhere"));
    EXPECT_TRUE(settings.loaded);
    EXPECT_EQ(settings.defaultFont, "Tahoma");
    EXPECT_FALSE(settings.readNamed(""));
    EXPECT_EQ(settingsFilePath("sub\\Plan"), root + "product/sub/Plan.kvd");
}

// --- header and footer paths ---------------------------------------------------------------------

TEST_F(SettingsFiles, ARelativePathWithParentIsSoughtAboveTheDocumentThenAboveTheProduct) {
    const Zrk_String document = root + "work/docs/bill.kvs";
    // Above the product folder only.
    write("logo.bmp", "product parent");
    EXPECT_EQ(resolveSettingsPath(document, "..\\logo.bmp"), root + "logo.bmp");
    // Above the document's folder as well: that one wins.
    write("work/logo.bmp", "document parent");
    EXPECT_EQ(resolveSettingsPath(document, "..\\logo.bmp"), root + "work/logo.bmp");
    // Found nowhere: the path less its "..\".
    EXPECT_EQ(resolveSettingsPath(document, "..\\missing.bmp"), "missing.bmp");
}

TEST_F(SettingsFiles, PathsWithoutParentAreSoughtBesideTheDocumentThenInTheProduct) {
    const Zrk_String document = root + "work/docs/bill.kvs";
    write("product/head.bmp", "x");
    EXPECT_EQ(resolveSettingsPath(document, "head.bmp"), root + "product/head.bmp");
    write("work/docs/head.bmp", "x");
    EXPECT_EQ(resolveSettingsPath(document, "head.bmp"), root + "work/docs/head.bmp");
    EXPECT_EQ(resolveSettingsPath(document, "pics\\none.bmp"), "pics/none.bmp");
    // Absolute forms are kept as they are (with '/').
    EXPECT_EQ(resolveSettingsPath(document, "C:\\logos\\a.bmp"), "C:/logos/a.bmp");
    EXPECT_EQ(resolveSettingsPath(document, "\\\\server\\a.bmp"), "//server/a.bmp");
    EXPECT_EQ(resolveSettingsPath(document, "/srv/a.bmp"), "/srv/a.bmp");
}

TEST_F(SettingsFiles, RelocatingCopiesTheFileAndItsPictureNextToTheDocument) {
    write("product/header.hdr", "header v1");
    write("product/header.bmp", "picture v1");
    const Zrk_String document = root + "work/docs/bill.kvs";
    DocumentSettings settings;
    settings.headerFile = "header.hdr";
    settings.footerFile = "unchanged.ftr";

    ASSERT_TRUE(settings.relocateHeaderFooter(document, true));
    EXPECT_EQ(settings.headerFile, "header.hdr"); // relative to the document's folder now
    EXPECT_EQ(settings.footerFile, "unchanged.ftr");
    std::string bytes;
    ASSERT_TRUE(readFileBytes(root + "work/docs/header.hdr", bytes));
    EXPECT_EQ(bytes, "header v1");
    ASSERT_TRUE(readFileBytes(root + "work/docs/header.bmp", bytes));
    EXPECT_EQ(bytes, "picture v1");

    // The copy is as new as the original: nothing to do, and the call says so.
    settings.headerFile = "header.hdr";
    EXPECT_FALSE(settings.relocateHeaderFooter(document, true));

    // A newer original replaces an older copy. (The copy beside the document would be found first
    // by its name, so the settings name the product's file by its whole path.)
    write("product/header.hdr", "header v2");
    age("work/docs/header.hdr", -120);
    settings.headerFile = root + "product/header.hdr";
    ASSERT_TRUE(settings.relocateHeaderFooter(document, true));
    EXPECT_EQ(settings.headerFile, "header.hdr");
    ASSERT_TRUE(readFileBytes(root + "work/docs/header.hdr", bytes));
    EXPECT_EQ(bytes, "header v2");

    // Nothing to relocate: an empty or missing footer.
    settings.footerFile.clear();
    EXPECT_FALSE(settings.relocateHeaderFooter(document, false));
    settings.footerFile = "missing.ftr";
    EXPECT_FALSE(settings.relocateHeaderFooter(document, false));
    EXPECT_EQ(settings.footerFile, "missing.ftr");
}

// --- the spreadsheet editor's defaults -----------------------------------------------------------

class EditorKey : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, folder.path());
    }
    QSettings key() const {
        return QSettings(QSettings::IniFormat, QSettings::SystemScope, EditorDefaults::kOrganization,
                         EditorDefaults::kApplication);
    }
    QTemporaryDir folder;
};

TEST_F(EditorKey, BothValuesMustBeThereForTheReadToSucceed) {
    EditorDefaults defaults;
    EXPECT_FALSE(defaults.read());
    EXPECT_EQ(defaults.language, "EN");
    EXPECT_EQ(defaults.defaultSettings, "");

    {
        QSettings writer = key();
        writer.setValue(EditorDefaults::kDefaultSettingsValue, QString::fromUtf8("B\xC3\xBCr\xC3\xBC"));
    }
    EXPECT_FALSE(defaults.read());
    EXPECT_EQ(defaults.language, "EN");
    EXPECT_EQ(defaults.defaultSettings, "B\xFCr\xFC"); // the module's code page

    {
        QSettings writer = key();
        writer.setValue(EditorDefaults::kLanguageValue, "DE");
    }
    EditorDefaults both;
    EXPECT_TRUE(both.read());
    EXPECT_EQ(both.language, "DE");
    EXPECT_TRUE(fs::exists(folder.path().toStdString() + "/Korvalent/Spreadsheet Editor v1.0.ini"));
}
