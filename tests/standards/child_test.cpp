// Child calls: where child files are found, what goes in and comes back, the pool's dialogs per
// nesting level, and the faults: a missing child, no variables, a sheet calling itself, and children
// that call their callers without end.
#include <gtest/gtest.h>

#include "frame/ss_dlgs_mgr.h"
#include "frame/standards_entry.h"
#include "library_fixture.h"
#include "sheet_writer.h"
#include "standards/evaluation_chain.h"
#include "standards/host_dialogs.h"
#include "standards/standards_data.h"
#include "standards/standards_host_dlg.h"
#include "ui/scripted_user.h"

namespace {

KvVarCell variable(const Zrk_String& name, KvCellType role, const Zrk_String& value = Zrk_String()) {
    KvVarCell cell;
    cell.name = name;
    cell.role = role;
    cell.value = value;
    cell.valueType = KvValueType::Double;
    return cell;
}

class ChildTest : public LibraryTest {
protected:
    std::filesystem::path folder() const { return library / "Connection Standards"; }
    // Runs a sheet in mode 1 with one Input "in" and one Output "out".
    bool run(const std::filesystem::path& sheet, const Zrk_String& in, Zrk_String& out) {
        KvDlgStandardsData data;
        data.mode = KvDlgStandardsData::kEvaluateAsChild;
        data.ssName = sheet.string();
        data.varCells.append(variable("in", KvCellType::Input, in));
        data.varCells.append(variable("out", KvCellType::Output));
        if (!StartDlgStandardsSS(data)) return false;
        out = data.varCells[1].value;
        return true;
    }
    // A child computing Out = In * factor.
    void writeChild(const std::filesystem::path& path, const std::string& factor) {
        writeSheet(path, {{"Input"}, {"Double In"}, {"Output"}, {"Double Out"}, {"Calc"}, {"Out = In * " + factor}});
    }
    // A parent passing A to the child and taking B back.
    void writeParent(const std::filesystem::path& path, const std::string& call) {
        writeSheet(path, {{"Input"}, {"Double A"}, {"Output"}, {"Double B"}, {"Calc"}, {call}});
    }

    ui::ScriptedUser user;
};

TEST_F(ChildTest, FoundBesideTheCallerBeforeTheStandardsFolder) {
    writeChild(folder() / "Parents" / "Child.kvs", "2");
    writeChild(folder() / "Child.kvs", "3");
    writeChild(folder() / "Childs" / "Only.kvs", "5");
    writeParent(folder() / "Parents" / "P.kvs", "CallChild(\"Child.kvs\", A, B)");
    writeParent(folder() / "Q.kvs", "CallChild(Only.kvs,A,B)");
    Zrk_String out;
    ASSERT_TRUE(run(folder() / "Parents" / "P.kvs", "10", out));
    EXPECT_EQ(out, "20.0000000");
    ASSERT_TRUE(run(folder() / "Q.kvs", "10", out)); // found in "Childs/", quotes optional
    EXPECT_EQ(out, "50.0000000");
    EXPECT_TRUE(user.messageBoxes().empty());
}

TEST_F(ChildTest, OnlyOutputsOfTheCallerReceiveResults) {
    writeSheet(folder() / "Two.kvs", {{"Input"}, {"Double X", "Double Y"}, {"Output"}, {"Double S", "Double T"},
                                       {"Calc"}, {"S = X + Y", "T = X * Y"}});
    writeSheet(folder() / "Caller.kvs", {
        {"Input"}, {"Double A"}, {"Output"}, {"Double B"}, {"Local"}, {"Double L", "Double M"},
        {"Calc"},
        {"L = 3", "M = 100"},
        {"CallChild(\"Two.kvs\", A, L, B, M)"}, // the child's T meets the caller's Local M
    });
    KvDlgStandardsData data;
    data.mode = KvDlgStandardsData::kEvaluateAsChild;
    data.ssName = (folder() / "Caller.kvs").string();
    data.varCells.append(variable("a", KvCellType::Input, "4"));
    data.varCells.append(variable("b", KvCellType::Output));
    ASSERT_TRUE(StartDlgStandardsSS(data)) << standards::lastFailure();
    EXPECT_EQ(data.varCells[1].value, "7.0000000"); // S into the Output B
    EXPECT_TRUE(user.messageBoxes().empty());
}

TEST_F(ChildTest, GeneralVariablesReachTheChild) {
    writeSheet(folder() / "GenChild.kvs", {{"Input"}, {"Double In"}, {"Output"}, {"Double Out"}, {"Calc"},
                                            {"Out = In + gen_Extra"}});
    writeParent(folder() / "GenParent.kvs", "CallChild(\"GenChild.kvs\", A, B)");
    KvDlgStandardsData data;
    data.mode = KvDlgStandardsData::kEvaluateAsChild;
    data.ssName = (folder() / "GenParent.kvs").string();
    data.varCells.append(variable("a", KvCellType::Input, "1"));
    data.varCells.append(variable("b", KvCellType::Output));
    data.genVarNames = {"gen_Extra"};
    data.genVarValues = {"0.5"};
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_EQ(data.varCells[1].value, "1.5000000");
}

TEST_F(ChildTest, FaultyCallsFailTheirCellAndAreReported) {
    writeChild(folder() / "Child.kvs", "2");
    writeSheet(folder() / "NoOut.kvs", {{"Input"}, {"Double In"}, {"Calc"}});
    const std::pair<std::string, std::string> calls[] = {
        {"CallChild(\"Child.kvs\")", "no variable"},
        {"CallChild(\"Missing.kvs\", A, B)", "missing file"},
        {"CallChild(\"Child.kvs\", A, Nobody)", "unknown variable"},
        {"CallChild(\"Faulty.kvs\", A, B)", "calls itself"},
        {"CallChild(\"NoOut.kvs\", A, B)", "child fails"},
        {"CallChild \"Child.kvs\", A, B", "no parentheses"},
    };
    for (const auto& [call, what] : calls) {
        writeParent(folder() / "Faulty.kvs", call);
        const std::size_t before = user.messageBoxes().size();
        Zrk_String out = "unchanged";
        ASSERT_TRUE(run(folder() / "Faulty.kvs", "1", out)) << what;
        EXPECT_EQ(out, "") << what; // the caller's Output keeps the (empty) value it was given
        ASSERT_EQ(user.messageBoxes().size(), before + 1) << what;
        EXPECT_NE(user.messageBoxes().back().request.text.find("The following equation failed:\n" + call), Zrk_String::npos)
            << what;
    }
}

TEST_F(ChildTest, EachNestingLevelTakesItsOwnDialogAndThePoolIsReused) {
    writeChild(folder() / "Leaf.kvs", "2");
    writeParent(folder() / "Middle.kvs", "CallChild(\"Leaf.kvs\", A, B)");
    writeParent(folder() / "Top.kvs", "CallChild(\"Middle.kvs\", A, B)");
    gSSDlgsMgr.destroyAll();
    Zrk_String out;
    ASSERT_TRUE(run(folder() / "Top.kvs", "21", out));
    EXPECT_EQ(out, "42.0000000");
    EXPECT_EQ(gSSDlgsMgr.dialogCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(gSSDlgsMgr.isInUse(i));
    ASSERT_TRUE(run(folder() / "Leaf.kvs", "1", out));
    EXPECT_EQ(gSSDlgsMgr.dialogCount(), 3);
    KvStandardsHostDlg* first = gSSDlgsMgr.getDlg();
    EXPECT_TRUE(gSSDlgsMgr.isInUse(0));
    EXPECT_EQ(gSSDlgsMgr.releaseDlg(first), Acad::eOk);
    EXPECT_EQ(gSSDlgsMgr.releaseDlg(nullptr), Acad::eInvalidInput);
    KvStandardsHostDlg stray;
    EXPECT_EQ(gSSDlgsMgr.releaseDlg(&stray), Acad::eInvalidInput);
}

TEST_F(ChildTest, LeasesNestAndEachKeepsItsDialogUntilItEnds) {
    gSSDlgsMgr.destroyAll();
    {
        const KvSSDlgsMgr::Lease outer(gSSDlgsMgr);
        ASSERT_TRUE(outer);
        {
            const KvSSDlgsMgr::Lease inner(gSSDlgsMgr);
            ASSERT_TRUE(inner);
            EXPECT_NE(inner.get(), outer.get());
            EXPECT_TRUE(gSSDlgsMgr.isInUse(0));
            EXPECT_TRUE(gSSDlgsMgr.isInUse(1));
        }
        // The inner dialog is free again; the outer one is still taken.
        EXPECT_TRUE(gSSDlgsMgr.isInUse(0));
        EXPECT_FALSE(gSSDlgsMgr.isInUse(1));
        const KvSSDlgsMgr::Lease again(gSSDlgsMgr);
        EXPECT_EQ(gSSDlgsMgr.dialogCount(), 2);
    }
    EXPECT_FALSE(gSSDlgsMgr.isInUse(0));
    EXPECT_FALSE(gSSDlgsMgr.isInUse(1));
}

TEST_F(ChildTest, TheEngineRunsChildrenOnDialogsTheFrameLends) {
    // While a child runs, its caller's dialog stays taken: the engine's lent dialog is in use for as
    // long as its work runs, and a failure to lend is a reason, not a crash.
    gSSDlgsMgr.destroyAll();
    Zrk_String error;
    int inUseDuringWork = 0;
    EXPECT_TRUE(standards::withHostDialog(
        [&](KvStandardsHostDlg&) {
            for (int i = 0; i < gSSDlgsMgr.dialogCount(); ++i)
                inUseDuringWork += gSSDlgsMgr.isInUse(i) ? 1 : 0;
            return true;
        },
        error));
    EXPECT_EQ(inUseDuringWork, 1);
    EXPECT_FALSE(gSSDlgsMgr.isInUse(0));
    EXPECT_FALSE(standards::withHostDialog([](KvStandardsHostDlg&) { return false; }, error));

    standards::setHostDialogLender(nullptr);
    KvDlgStandardsData data;
    data.mode = KvDlgStandardsData::kEvaluateAsChild;
    data.ssName = (folder() / "Missing.kvs").string();
    EXPECT_FALSE(standards::evaluateOnHostDialog(data));
    EXPECT_NE(standards::lastFailure().find("No host dialogs"), Zrk_String::npos) << standards::lastFailure();
    standards::setHostDialogLender(&frame::lendStandardsHostDialog);
}

TEST_F(ChildTest, ChildrenThatCallTheirCallersStopAtTheNestingLimit) {
    writeParent(folder() / "A.kvs", "CallChild(\"B.kvs\", A, B)");
    writeParent(folder() / "B.kvs", "CallChild(\"A.kvs\", A, B)");
    Zrk_String out = "unchanged";
    ASSERT_TRUE(run(folder() / "A.kvs", "1", out)); // the innermost call fails; the others go on
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    const Zrk_String& text = user.messageBoxes()[0].request.text;
    EXPECT_NE(text.find("nested more than 16 levels deep"), Zrk_String::npos);
    // The chain names the sixteen sheets, the top one first.
    const Zrk_String a = (folder() / "A.kvs").string(), b = (folder() / "B.kvs").string();
    Zrk_String chain = "The spreadsheets that called each other:\n";
    for (int i = 0; i < 16; ++i) chain += (i % 2 == 0 ? a : b) + (i < 15 ? "\n" : "");
    EXPECT_NE(text.find(chain), Zrk_String::npos) << text;
    EXPECT_TRUE(standards::evaluationChain().isEmpty());
    EXPECT_EQ(gSSDlgsMgr.dialogCount() >= 16, true);
    // The evaluation goes on, but callers without a person at the screen learn that it failed, and
    // where the calls went round.
    ASSERT_TRUE(standards::evaluationHasFailures());
    const Zrk_String& failure = standards::evaluationProblems()[0].text;
    EXPECT_NE(failure.find("nested more than 16 levels deep: " + a + " -> " + b + " -> " + a), Zrk_String::npos)
        << failure;
}

TEST_F(ChildTest, AFailingChildCallNamesItsReason) {
    writeChild(folder() / "Child.kvs", "2");
    writeSheet(folder() / "NoOut.kvs", {{"Input"}, {"Double In"}, {"Calc"}});
    const std::pair<std::string, std::string> calls[] = {
        {"CallChild(\"Child.kvs\")", "at least one variable"},
        {"CallChild(\"Missing.kvs\", A, B)", "there is no child spreadsheet Missing.kvs"},
        {"CallChild(\"Child.kvs\", A, Nobody)", "\"Nobody\" is no variable of the sheet"},
        {"CallChild(\"Faulty.kvs\", A, B)", "cannot call itself"},
        {"CallChild(\"NoOut.kvs\", A, B)", "has no \"Output\" section"},
    };
    for (const auto& [call, reason] : calls) {
        writeParent(folder() / "Faulty.kvs", call);
        Zrk_String out;
        ASSERT_TRUE(run(folder() / "Faulty.kvs", "1", out)) << call;
        ASSERT_EQ(standards::evaluationProblems().length(), 1) << call;
        const Zrk_String& failure = standards::evaluationProblems()[0].text;
        EXPECT_EQ(failure.rfind((folder() / "Faulty.kvs").string() + ", cell A6: \"" + call + "\" failed: ", 0), 0u)
            << failure;
        EXPECT_NE(failure.find(reason), Zrk_String::npos) << failure;
    }
}

} // namespace
