// Sheet files read once: a kept sheet comes back as the file was, whatever was done to the copies
// handed out; a file written again is read again; a bad file is never kept. The files here are
// written moments before they are read, so most tests let them be kept at once (settling time 0).
#include <filesystem>
#include <fstream>

#include "spreadlib/sheet_cache.h"
#include "test_util.h"

namespace spreadlib::test {
namespace {

namespace fs = std::filesystem;

class SheetCache : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("spreadlib-cache-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    static std::unique_ptr<SheetFileCache> settledCache(std::size_t maxFiles = 64, std::uint64_t maxBytes = 64u << 20) {
        auto cache = std::make_unique<SheetFileCache>(maxFiles, maxBytes);
        cache->setSettlingTime(std::chrono::milliseconds(0));
        return cache;
    }
    Zrk_String path(const char* name) const { return (folder / name).string(); }
    // A small sheet: a text, a number and a formula over the number.
    void writeSheet(const Zrk_String& file, const Zrk_String& text, const Zrk_String& number) {
        Sheet sheet;
        sheet.setMaxCols(3);
        sheet.setMaxRows(3);
        sheet.setData(1, 1, text);
        sheet.setData(1, 2, number);
        sheet.setFormula(2, 2, "A2*2");
        Zrk_String message;
        ASSERT_TRUE(sheet.saveToFile(file, message)) << message;
    }
    fs::path folder;
};

TEST_F(SheetCache, AnUnchangedFileComesBackAsItWasWhateverTheLastCopyWentThrough) {
    const Zrk_String file = path("plate.kvs");
    writeSheet(file, "Width", "21");
    const auto kept = settledCache();
    SheetFileCache& cache = *kept;
    Sheet target;
    Zrk_String message = "stale";
    ASSERT_TRUE(cache.load(target, file, message)) << message;
    EXPECT_TRUE(message.empty());
    Sheet direct;
    ASSERT_TRUE(direct.loadFromFile(file, message));
    EXPECT_EQ(target.saveToText(), direct.saveToText());

    // What an evaluation does to its copy: new texts, formulas, counts.
    target.setData(1, 1, "changed");
    target.setFormula(3, 3, "B2+1");
    target.setMaxRows(10);
    ASSERT_TRUE(cache.load(target, file, message)) << message;
    EXPECT_EQ(cache.reads(), 1u);
    EXPECT_EQ(cache.hits(), 1u);
    EXPECT_EQ(target.saveToText(), direct.saveToText());
    EXPECT_EQ(target.getMaxRows(), 3);
    EXPECT_FALSE(target.getBool(kOptionChanged));
    // The copy's formulas are its own: a new value recalculates them there, not in the kept sheet.
    target.setBool(kOptionAutoCalc, true);
    target.setData(1, 2, "5");
    EXPECT_EQ(valueOf(target, 2, 2), "10");
    Sheet other;
    ASSERT_TRUE(cache.load(other, file, message));
    other.recalcAll();
    EXPECT_EQ(valueOf(other, 2, 2), "42");
}

TEST_F(SheetCache, AFileWrittenAgainIsReadAgain) {
    const Zrk_String file = path("plate.kvs");
    writeSheet(file, "Width", "21");
    const auto kept = settledCache();
    SheetFileCache& cache = *kept;
    Sheet target;
    Zrk_String message;
    ASSERT_TRUE(cache.load(target, file, message));

    // Saved atomically (a new file renamed over the old one).
    writeSheet(file, "Height", "21");
    ASSERT_TRUE(cache.load(target, file, message));
    EXPECT_EQ(valueOf(target, 1, 1), "Height");

    // Written in place, as an editor may do.
    std::string text;
    {
        std::ifstream in(file, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::size_t at = text.find("\"Height\"");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 8, "\"Thickness\"");
    {
        std::fstream out(file, std::ios::binary | std::ios::in | std::ios::out);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    ASSERT_TRUE(cache.load(target, file, message));
    EXPECT_EQ(valueOf(target, 1, 1), "Thickness");
    EXPECT_EQ(cache.reads(), 3u);
    EXPECT_EQ(cache.hits(), 0u);
    EXPECT_EQ(cache.keptFiles(), 1u);
}

TEST_F(SheetCache, AFileChangedMomentsBeforeItWasReadIsReadEveryTime) {
    // A write in the same tick of the file system's clock would leave size and times as they were:
    // such a file is not trusted to stay as read until it has settled.
    const Zrk_String file = path("plate.kvs");
    writeSheet(file, "Width", "21");
    SheetFileCache cache;
    Sheet target;
    Zrk_String message;
    ASSERT_TRUE(cache.load(target, file, message));
    ASSERT_TRUE(cache.load(target, file, message));
    EXPECT_EQ(cache.reads(), 2u);
    EXPECT_EQ(cache.keptFiles(), 0u);
    EXPECT_EQ(valueOf(target, 1, 1), "Width");
}

TEST_F(SheetCache, ABadFileSaysWhatLoadingItSaysAndIsNeverKept) {
    const Zrk_String file = path("broken.kvs");
    { std::ofstream(file, std::ios::binary) << "{ \"format\": "; }
    const auto kept = settledCache();
    SheetFileCache& cache = *kept;
    Sheet target;
    target.setData(1, 1, "kept");
    Zrk_String message, direct;
    EXPECT_FALSE(cache.load(target, file, message));
    Sheet plain;
    EXPECT_FALSE(plain.loadFromFile(file, direct));
    EXPECT_EQ(message, direct);
    EXPECT_EQ(valueOf(target, 1, 1), "kept");
    EXPECT_EQ(cache.keptFiles(), 0u);

    // Missing, a folder, another letter case: loaded as the sheet loads them, never kept.
    EXPECT_FALSE(cache.load(target, path("missing.kvs"), message));
    EXPECT_FALSE(plain.loadFromFile(path("missing.kvs"), direct));
    EXPECT_EQ(message, direct);
    EXPECT_FALSE(cache.load(target, folder.string(), message));
    writeSheet(path("Upper.kvs"), "Width", "1");
    ASSERT_TRUE(cache.load(target, path("upper.kvs"), message)) << message;
    EXPECT_EQ(valueOf(target, 1, 1), "Width");
    EXPECT_EQ(cache.keptFiles(), 0u);

    writeSheet(file, "Mended", "1");
    ASSERT_TRUE(cache.load(target, file, message));
    EXPECT_EQ(valueOf(target, 1, 1), "Mended");
    EXPECT_EQ(cache.keptFiles(), 1u);
}

TEST_F(SheetCache, FormulasCallCustomFunctionsByNameInEverySheetThatTakesACopy) {
    const Zrk_String file = path("functions.kvs");
    {
        Sheet sheet;
        sheet.setFormula(1, 1, "FIRST()");
        sheet.setFormula(1, 2, "SECOND()");
        Zrk_String message;
        ASSERT_TRUE(sheet.saveToFile(file, message)) << message;
    }
    const auto answer = [](double value) {
        return [value](ValueRecord& result, const ValueRecord*, int) {
            result.setDouble(value);
            return 1L;
        };
    };
    const auto kept = settledCache();
    SheetFileCache& cache = *kept;
    Zrk_String message;
    // Each sheet numbers its functions in the order it met them: here the other way round.
    Sheet target;
    ASSERT_TRUE(target.SSAddCustomFunctionExt("SECOND", 0, 0, answer(2)));
    ASSERT_TRUE(target.SSAddCustomFunctionExt("FIRST", 0, 0, answer(1)));
    ASSERT_TRUE(cache.load(target, file, message));
    ASSERT_TRUE(cache.load(target, file, message));
    EXPECT_EQ(cache.hits(), 1u);
    target.recalcAll();
    EXPECT_EQ(valueOf(target, 1, 1), "1");
    EXPECT_EQ(valueOf(target, 1, 2), "2");
    EXPECT_EQ(formulaOf(target, 1, 2), "SECOND()");
}

TEST_F(SheetCache, TheLeastRecentlyUsedFileMakesRoom) {
    writeSheet(path("a.kvs"), "A", "1");
    writeSheet(path("b.kvs"), "B", "1");
    writeSheet(path("c.kvs"), "C", "1");
    const auto kept = settledCache(2);
    SheetFileCache& cache = *kept;
    Sheet target;
    Zrk_String message;
    for (const char* name : {"a.kvs", "b.kvs", "a.kvs", "c.kvs", "a.kvs", "b.kvs"})
        ASSERT_TRUE(cache.load(target, path(name), message));
    // a, b read; a kept; c read (b goes); a kept; b read again (c goes).
    EXPECT_EQ(cache.reads(), 4u);
    EXPECT_EQ(cache.hits(), 2u);
    EXPECT_EQ(cache.keptFiles(), 2u);
    EXPECT_EQ(valueOf(target, 1, 1), "B");

    // A file above a quarter of the bytes is read every time.
    const auto small = settledCache(8, 64);
    ASSERT_TRUE(small->load(target, path("a.kvs"), message));
    EXPECT_EQ(small->keptFiles(), 0u);
}

} // namespace
} // namespace spreadlib::test
