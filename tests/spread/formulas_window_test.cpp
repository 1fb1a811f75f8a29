// The "Formulas" window: FROMTABLE look-ups by key and by cell, the copy into the calling sheet, the
// read-out of ReadSSFile, and the traces on the host's command line.
#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "host/command_line.h"
#include "spread/formulas_dlg.h"
#include "spreadlib/sheet.h"
#include "ui/scripted_user.h"

namespace {

class FormulasWindow : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("ss_formulas_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        // The table: headers Size, Weight, Note; "HEA 200" twice.
        spreadlib::Sheet table;
        table.setMaxCols(3);
        table.setMaxRows(4);
        table.setData(1, 0, "Size");
        table.setData(2, 0, "Weight");
        table.setData(3, 0, "Note");
        const char* rows[4][3] = {{"HEA 100", "16.7", "light"},
                                  {"hea 200", "42.3", "first"},
                                  {"HEA 200", "99", "second"},
                                  {"10", "1", "number key"}};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 3; ++c)
                table.setData(c + 1, r + 1, rows[r][c]);
        table.SSSetTypeNumber(2, 1, 2, 4, spreadlib::kStyleNumberCell, 1, -1e6, 1e6, false);
        save(table, "table.kvs");
        host::CommandLine::instance().clear();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }
    void save(const spreadlib::Sheet& sheet, const std::string& name) {
        Zrk_String message;
        ASSERT_TRUE(sheet.saveToFile(path(name), message)) << message;
    }
    // Evaluates cell A1 of a sheet holding the formula (and the given cells) in a hidden window.
    Zrk_String evaluate(const Zrk_String& formula, Zrk_String* c3 = nullptr) {
        spreadlib::Sheet caller;
        caller.setMaxCols(4);
        caller.setMaxRows(4);
        caller.setData(2, 2, "42");
        caller.setData(4, 4, "HEA 200");
        EXPECT_TRUE(caller.setFormula(1, 1, formula, false));
        save(caller, "caller.kvs");
        DlgFormulas window;
        window.mode = DlgFormulas::kEvaluate;
        window.fileName = path("caller.kvs");
        EXPECT_TRUE(window.runHidden());
        if (c3) {
            Zrk_String text;
            window.grid.getCellText(3, 3, text, 0);
            *c3 = text;
        }
        return window.resultText;
    }
    Zrk_String commandLine() const { return host::CommandLine::instance().buffer(); }

    std::filesystem::path folder;
};

TEST_F(FormulasWindow, LookUpByKeyTakesTheFirstMatchingRow) {
    const Zrk_String table = "\"" + path("table.kvs") + "\"";
    EXPECT_EQ(evaluate("FROMTABLE(" + table + ",\"size\",\"WEIGHT\",\"HEA 200\")"), "42.3");
    EXPECT_NE(commandLine().find("Result is double: 42.300000\n"), Zrk_String::npos);
    EXPECT_NE(commandLine().find("Loading spreadsheet:" + path("caller.kvs") + "\n"), Zrk_String::npos);
    EXPECT_NE(commandLine().find("Loading spreadsheet:\n"), Zrk_String::npos); // the look-up window's own
    // A key from a cell of the calling sheet, a number key, a text result.
    EXPECT_EQ(evaluate("FROMTABLE(" + table + ",\"Size\",\"Note\",D4)"), "first");
    EXPECT_EQ(evaluate("FROMTABLE(" + table + ",\"Size\",\"Note\",10)"), "number key");
    EXPECT_NE(commandLine().find("Result is string: number key\n"), Zrk_String::npos);
}

TEST_F(FormulasWindow, NothingFoundLeavesNoValue) {
    const Zrk_String table = "\"" + path("table.kvs") + "\"";
    host::CommandLine::instance().clear();
    EXPECT_EQ(evaluate("FROMTABLE(" + table + ",\"Length\",\"Weight\",\"HEA 200\")"), "");
    EXPECT_EQ(evaluate("FROMTABLE(" + table + ",\"Size\",\"Weight\",\"IPE 80\")"), "");
    EXPECT_EQ(evaluate("FROMTABLE(\"" + path("none.kvs") + "\",B2)"), "");
    EXPECT_EQ(evaluate("FROMTABLE(" + table + ",\"Size\",\"Weight\",B2:C3)"),
              ""); // a range key: "Weight" again
    EXPECT_EQ(commandLine().find("Result is"), Zrk_String::npos);
}

TEST_F(FormulasWindow, ACellArgumentNamesTheTargetOrTheCopy) {
    const Zrk_String table = "\"" + path("table.kvs") + "\"";
    EXPECT_EQ(evaluate("FROMTABLE(" + table + ",C2)"), "first"); // the table's C2
    Zrk_String copied;
    EXPECT_EQ(evaluate("FROMTABLE(" + table + ",A3,C3)", &copied), "");
    EXPECT_EQ(copied, "HEA 200"); // the table's A3 written into the caller's C3
}

TEST_F(FormulasWindow, ReadSSFileGivesHeadersAndRows) {
    Zrk_String topLeft;
    Zrk_StringArray names;
    Zrk_Array<Zrk_StringArray> rows;
    ReadSSFile(path("table.kvs"), &topLeft, &names, &rows);
    EXPECT_EQ(topLeft, "HEA 100");
    EXPECT_EQ(names, (Zrk_StringArray{"Size", "Weight", "Note"}));
    ASSERT_EQ(rows.length(), 4);
    EXPECT_EQ(rows[1], (Zrk_StringArray{"hea 200", "42.3", "first"}));

    spreadlib::Sheet empty;
    empty.setMaxCols(2);
    empty.setMaxRows(0);
    empty.setData(1, 0, "A");
    empty.setData(2, 0, "B");
    save(empty, "empty.kvs");
    topLeft = "old";
    ReadSSFile(path("empty.kvs"), &topLeft, &names, &rows);
    EXPECT_EQ(topLeft, "");
    EXPECT_EQ(names, (Zrk_StringArray{"A", "B"}));
    EXPECT_TRUE(rows.isEmpty());

    // Without both arrays nothing is read.
    topLeft = "untouched";
    ReadSSFile(path("table.kvs"), &topLeft, &names, nullptr);
    EXPECT_EQ(topLeft, "untouched");
}

TEST_F(FormulasWindow, EvaluateSSOpensTheWindowOnItsFixedFile) {
    ui::ScriptedUser user;
    user.onDialog(DlgFormulas::kTemplateId, [](ui::DialogUser& u) {
        EXPECT_EQ(u.dialog().itemText(DlgFormulas::kFileName), "c:\\a\\t3.sss");
        u.click(ui::IDCANCEL);
    });
    EvaluateSS();
    EXPECT_NE(commandLine().find("Loading spreadsheet:c:\\a\\t3.sss\n"), Zrk_String::npos);
}

TEST_F(FormulasWindow, TheWindowsButtons) {
    ui::ScriptedUser user;
    user.onDialog(DlgFormulas::kTemplateId, [&](ui::DialogUser& u) {
        auto& window = static_cast<DlgFormulas&>(u.dialog());
        EXPECT_EQ(window.checkedRadioButton(DlgFormulas::kStyleDefault, DlgFormulas::kStyleR1C1),
                  DlgFormulas::kStyleDefault);
        EXPECT_EQ(window.checkState(DlgFormulas::kAutoCalculate), 0);
        u.typeText(DlgFormulas::kFileName, path("missing.kvs"));
        u.click(DlgFormulas::kLoadFromFile);
        u.typeText(DlgFormulas::kFileName, path("saved.kvs"));
        u.click(DlgFormulas::kSaveToFile);
        u.click(DlgFormulas::kAutoCalculate);
        EXPECT_FALSE(window.isItemEnabled(DlgFormulas::kRecalculate));
        u.click(DlgFormulas::kAutoCalculate);
        EXPECT_TRUE(window.isItemEnabled(DlgFormulas::kRecalculate));
        window.grid.sheet().setFormula(4, 1, "B2*2");
        u.click(DlgFormulas::kStyleR1C1);
        Zrk_String text;
        window.grid.getCellText(1, 1, text, 0);
        EXPECT_EQ(text, "R[1]C[-2]*2");
        u.click(ui::IDOK);
    });
    spreadlib::Sheet plain; // general cells, so that column 1 takes the formula texts
    plain.setMaxCols(5);
    plain.setMaxRows(5);
    save(plain, "plain.kvs");
    DlgFormulas window;
    window.fileName = path("plain.kvs");
    EXPECT_EQ(window.doModal(), ui::IDOK);
    EXPECT_NE(commandLine().find("Load failed\n"), Zrk_String::npos);
    EXPECT_TRUE(std::filesystem::exists(folder / "saved.kvs"));
}

} // namespace
