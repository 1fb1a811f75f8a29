// The table of modeless macro dialogs: slots reused and trimmed, the 50 ms deferred end of a busy
// dialog on the virtual clock, and an unload that leaves neither dialog nor timer behind.

#include <gtest/gtest.h>

#include "frame/modeless_dialogs.h"
#include "host/command_line.h"
#include "ui/scripted_user.h"

namespace {

struct FakeMacroDialog : frame::ModelessMacroDialog {
    FakeMacroDialog(std::vector<std::string>& log, std::string name) : log(log), name(std::move(name)) {
        data.tabs.setLength(1);
        data.tabs[0].name = this->name;
    }
    ~FakeMacroDialog() override { log.push_back("deleted " + name); }
    bool destroyWindow() override {
        log.push_back("destroyed " + name);
        return !failDestroy;
    }
    const MacroData& macroData() const override { return data; }
    bool isBusy() const override { return busy; }

    std::vector<std::string>& log;
    std::string name;
    MacroData data;
    bool busy = false;
    bool failDestroy = false;
};

class MacroDialogTable : public ::testing::Test {
protected:
    void SetUp() override { host::CommandLine::instance().clear(); }
    void TearDown() override {
        DestroyAllMacroDlgs();
        host::CommandLine::instance().clear();
    }

    // Opens a dialog named name; answers its slot (-1 when it was not made).
    int open(const std::string& name) {
        int slot = 7;
        table.open(slot, [&](int) { return std::make_unique<FakeMacroDialog>(log, name); });
        return slot;
    }
    FakeMacroDialog* at(int slot) { return static_cast<FakeMacroDialog*>(table.dialog(slot)); }
    int delayedCalls() const {
        const Zrk_String& printed = host::CommandLine::instance().buffer();
        int count = 0;
        for (std::size_t at = printed.find("Delayed timer called.\n"); at != Zrk_String::npos;
             at = printed.find("Delayed timer called.\n", at + 1))
            ++count;
        return count;
    }

    ui::ScriptedUser user; // timers on the virtual clock
    frame::MacroDialogTable& table = frame::macroDialogs();
    std::vector<std::string> log;
};

} // namespace

TEST_F(MacroDialogTable, AFreedSlotIsReusedAndEndingTheLastSlotTrimsTheEmptyOnes) {
    EXPECT_EQ(open("A"), 0);
    EXPECT_EQ(open("B"), 1);
    EXPECT_TRUE(EndDlgMacroModeless(0));
    EXPECT_EQ(open("C"), 0); // the first closed: its slot again
    EXPECT_EQ(open("D"), 2);
    EXPECT_TRUE(EndDlgMacroModeless(1));
    EXPECT_EQ(table.slotCount(), 3);
    EXPECT_TRUE(EndDlgMacroModeless(2));
    EXPECT_EQ(table.slotCount(), 1); // slot 1 went with slot 2
    EXPECT_EQ(host::CommandLine::instance().promptRequests(), 3);

    // Nothing to end: an empty slot, one beyond the table, a negative one.
    EXPECT_FALSE(EndDlgMacroModeless(1));
    EXPECT_FALSE(EndDlgMacroModeless(5));
    EXPECT_FALSE(EndDlgMacroModeless(-1));
    EXPECT_EQ(host::CommandLine::instance().promptRequests(), 3);
}

TEST_F(MacroDialogTable, GetDlgMacroDataCopiesTheOpenDialogsData) {
    open("A");
    MacroData data;
    ASSERT_TRUE(GetDlgMacroData(0, data));
    EXPECT_EQ(data.tabs[0].name, "A");
    MacroData untouched;
    EXPECT_FALSE(GetDlgMacroData(1, untouched));
    EXPECT_FALSE(GetDlgMacroData(-1, untouched));
    EXPECT_TRUE(untouched.tabs.isEmpty());
}

TEST_F(MacroDialogTable, AFailedCreationLeavesNoSlotBehind) {
    int slot = 3;
    EXPECT_FALSE(table.open(slot, [](int) { return std::unique_ptr<frame::ModelessMacroDialog>(); }));
    EXPECT_EQ(slot, -1);
    EXPECT_EQ(table.slotCount(), 0);
    open("A");
    open("B");
    EndDlgMacroModeless(0);
    EXPECT_FALSE(table.open(slot, [](int) { return std::unique_ptr<frame::ModelessMacroDialog>(); }));
    EXPECT_EQ(table.slotCount(), 2);
    EXPECT_EQ(table.dialog(0), nullptr);
    EXPECT_EQ(open("C"), 0);
}

TEST_F(MacroDialogTable, AWindowThatCannotBeDestroyedStays) {
    open("A");
    at(0)->failDestroy = true;
    EXPECT_FALSE(EndDlgMacroModeless(0));
    EXPECT_NE(table.dialog(0), nullptr);
    EXPECT_EQ(host::CommandLine::instance().promptRequests(), 0);
}

TEST_F(MacroDialogTable, ABusyDialogEndsAbout50msLaterOnceItIsFree) {
    open("A");
    at(0)->busy = true;
    EXPECT_TRUE(EndDlgMacroModeless(0));
    EXPECT_TRUE(EndDlgMacroModeless(0)); // asked again meanwhile: still one try waiting
    EXPECT_EQ(table.pendingEnds(), 1);
    user.passTime(49);
    EXPECT_EQ(delayedCalls(), 0);
    user.passTime(1);
    EXPECT_EQ(delayedCalls(), 1);
    ASSERT_NE(table.dialog(0), nullptr); // still busy: tried again later
    EXPECT_EQ(table.pendingEnds(), 1);
    at(0)->busy = false;
    user.passTime(50);
    EXPECT_EQ(delayedCalls(), 2);
    EXPECT_EQ(table.slotCount(), 0);
    EXPECT_EQ(table.pendingEnds(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"destroyed A", "deleted A"}));
    user.passTime(500); // no timer is left
    EXPECT_EQ(delayedCalls(), 2);
}

TEST_F(MacroDialogTable, ARetryThatFindsItsDialogBusyLeavesTheOtherWaitingEndsAlone) {
    open("A");
    open("B");
    at(0)->busy = true;
    at(1)->busy = true;
    EndDlgMacroModeless(0); // tried at 50
    user.passTime(20);
    EndDlgMacroModeless(1); // tried at 70
    user.passTime(30);      // A's try: still busy, tried again at 100
    EXPECT_EQ(table.pendingEnds(), 2);
    at(1)->busy = false;
    user.passTime(20); // B's own try ends B
    EXPECT_EQ(table.dialog(1), nullptr);
    EXPECT_NE(table.dialog(0), nullptr);
    EXPECT_EQ(table.pendingEnds(), 1);
    at(0)->busy = false;
    user.passTime(30);
    EXPECT_EQ(table.slotCount(), 0);
    EXPECT_EQ(delayedCalls(), 3); // A at 50 and 100, B at 70
}

TEST_F(MacroDialogTable, AWaitingEndNeverEndsTheNextDialogOfItsSlot) {
    open("A");
    at(0)->busy = true;
    EndDlgMacroModeless(0);
    at(0)->busy = false;
    EXPECT_TRUE(EndDlgMacroModeless(0)); // ended at once, by its caller
    EXPECT_EQ(open("B"), 0);
    user.passTime(200);
    EXPECT_NE(table.dialog(0), nullptr);
    EXPECT_EQ(delayedCalls(), 0);
}

TEST_F(MacroDialogTable, UnloadingDestroysBusyDialogsAndLeavesNoTimer) {
    open("A");
    open("B");
    at(1)->busy = true;
    EndDlgMacroModeless(1);
    EXPECT_EQ(table.pendingEnds(), 1);
    DestroyAllMacroDlgs();
    EXPECT_EQ(table.slotCount(), 0);
    EXPECT_EQ(table.pendingEnds(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"destroyed B", "deleted B", "destroyed A", "deleted A"}));
    user.passTime(500);
    EXPECT_EQ(delayedCalls(), 0);
}

TEST_F(MacroDialogTable, AConstraintDialogThatCannotBeErasedIsStillForgotten) {
    struct Stubborn : frame::ModelessDialog {
        bool destroyWindow() override { return false; }
    };
    frame::constraintDialog() = std::make_unique<Stubborn>();
    EndDlgEditConstraints();
    EXPECT_EQ(frame::constraintDialog(), nullptr);
    EXPECT_EQ(host::CommandLine::instance().buffer(), "Erase window failed\n");
    EXPECT_EQ(host::CommandLine::instance().promptRequests(), 1);
    EndDlgEditConstraints(); // none open: nothing
    EXPECT_EQ(host::CommandLine::instance().promptRequests(), 1);
}
