// The pattern settings dialog on the patterns of the sample drawing's first macro, applying through a
// link to the tab: one direction or two, the options that follow the second, the varies
// distribution, and a bolt count typed one keystroke at a time.

#include "core/macro_update.h"
#include "core/text.h"
#include "macro_dialog_fixture.h"
#include "macrodlg/dlg_pattern_settings.h"

namespace {

using P = DlgPatternSettings;
using macrotest::kMacroA;

// Passes every apply on and keeps what it was handed.
class RecordingLink : public MacroPageLink {
public:
    explicit RecordingLink(MacroPageLink& next) : next_(next) {}
    bool applyBoltData(MacroBoltData& bolt) override { return next_.applyBoltData(bolt); }
    bool applyPatternProps(const Zrk_String& pattern, MacroPatternProps& props) override {
        handed.push_back(props);
        return next_.applyPatternProps(pattern, props);
    }
    std::vector<MacroPatternProps> handed;

private:
    MacroPageLink& next_;
};

class PatternDialog : public macrotest::MacroDialogTest {
protected:
    void SetUp() override {
        MacroDialogTest::SetUp();
        ASSERT_TRUE(data.initFromMacros({kMacroA}));
    }
    Zrk_BoltPattern pattern(const Zrk_String& name) {
        int tab = -1, index = -1;
        EXPECT_TRUE(data.findTab("EndPlateBolts", tab));
        EXPECT_TRUE(data.tabs[tab].findPatternWithName(name, index));
        return data.tabs[tab].patterns[index];
    }
    bool run(Zrk_BoltPattern& edited, MacroPageLink* through,
             const std::function<void(P&, ui::DialogUser&)>& script) {
        user.onDialog(P::kTemplate, [&](ui::DialogUser& u) { script(static_cast<P&>(u.dialog()), u); });
        return StartDlgPatternSettings(edited, through);
    }
    const MacroPatternProps& inDrawing(const Zrk_String& name) {
        for (const Zrk_BoltPattern& each : moduleOf(kMacroA, "Bolts").patterns)
            if (each.name == name) return each.props;
        ADD_FAILURE() << "no pattern " << name;
        return none;
    }

    MacroData data;
    MacroPatternProps none;
    MacroDataLink link{data, "EndPlateBolts"};
    RecordingLink recording{link};
};

} // namespace

TEST_F(PatternDialog, APatternOfOneDirectionHasTheSecondDirectionDisabled) {
    Zrk_BoltPattern extra = pattern("Extra");
    ASSERT_EQ(extra.kindCode, core::kPatternOneDirection);
    EXPECT_EQ(core::patternSettingsKind(extra.kindCode), 1);
    EXPECT_EQ(core::patternSettingsKind(core::kPatternTwoDirections), 2);
    const bool ok = run(extra, &recording, [&](P& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.title(), dialString(1034));
        for (int id : {P::kType2, P::kCountOption2, P::kCount2, P::kText2, P::kFlag2, P::kValues2,
                       P::kOption1, P::kOption2, P::kOption3, P::kOption4})
            EXPECT_FALSE(dialog.isItemEnabled(id)) << id;
        EXPECT_EQ(dialog.comboCurSel(P::kType1), 2);
        EXPECT_EQ(cell(dialog.grid1, 1, 1), "60");
        EXPECT_TRUE(recording.handed.empty()); // showing applies nothing
        u.click(P::kFlag1);
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(ok);
    EXPECT_TRUE(inDrawing("Extra").direction1.flag);
    EXPECT_EQ(inDrawing("Extra").kind, 1);
}

TEST_F(PatternDialog, ClearingTheSecondOptionDisablesTheLastTwoAndAppliesAtOnce) {
    Zrk_BoltPattern rows = pattern("Rows");
    const int before = document.database().undoSteps();
    const bool ok = run(rows, &recording, [&](P& dialog, ui::DialogUser& u) {
        EXPECT_TRUE(dialog.isItemEnabled(P::kType2));
        EXPECT_EQ(dialog.checkState(P::kOption2), 1);
        EXPECT_TRUE(dialog.isItemEnabled(P::kOption3));
        EXPECT_TRUE(dialog.isItemEnabled(P::kCount1)); // its count option is checked
        EXPECT_FALSE(dialog.isItemEnabled(P::kCount2));
        u.click(P::kOption2); // checked -> undecided: the last two still apply
        EXPECT_TRUE(dialog.isItemEnabled(P::kOption4));
        u.click(P::kOption2); // -> cleared
        EXPECT_EQ(dialog.checkState(P::kOption2), 0);
        EXPECT_FALSE(dialog.isItemEnabled(P::kOption3));
        EXPECT_FALSE(dialog.isItemEnabled(P::kOption4));
        EXPECT_EQ(inDrawing("Rows").options[1], 0);
        EXPECT_EQ(document.database().undoSteps(), before + 1); // the undecided state wrote nothing
        macrotest::MacroDialogTest::savePicture(u, "pattern-settings");
        u.click(ui::IDCANCEL);
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(inDrawing("Rows").options[1], 0); // Cancel undoes nothing
    EXPECT_EQ(rows.props.options[1], 0);
}

TEST_F(PatternDialog, AVariesDistributionIsShownAndStoredBackAsVaries) {
    Zrk_BoltPattern rows = pattern("Rows");
    rows.props.direction2.distribution = -1;
    const bool ok = run(rows, nullptr, [&](P& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.comboCurSel(P::kType2), P::kVariesItem);
        EXPECT_EQ(dialog.comboText(P::kType2, P::kVariesItem), core::variesText());
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(rows.props.direction2.distribution, -1);
}

TEST_F(PatternDialog, ACountTypedKeyByKeyNeverLeavesAnInvalidCountInTheDrawing) {
    Zrk_BoltPattern rows = pattern("Rows");
    const bool ok = run(rows, &recording, [&](P& dialog, ui::DialogUser& u) {
        u.typeText(P::kCount1, "12");
        EXPECT_EQ(inDrawing("Rows").direction1.countText, "12");
        u.typeText(P::kCount1, "0");
        EXPECT_EQ(inDrawing("Rows").direction1.countText, "12");
        u.click(ui::IDOK); // no count: said, and the dialog stays
        ASSERT_EQ(user.messageBoxes().size(), 1u);
        EXPECT_EQ(user.messageBoxes()[0].request.text, dialString(30220));
        EXPECT_FALSE(dialog.hasEnded());
        u.typeText(P::kCount1, "6");
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(ok);
    ASSERT_FALSE(recording.handed.empty());
    for (const MacroPatternProps& handed : recording.handed) {
        int count = 0;
        EXPECT_TRUE(Zrk_BoltPattern::getCount(handed.direction1.countText, count))
            << handed.direction1.countText;
    }
    EXPECT_EQ(inDrawing("Rows").direction1.countText, "6");
}
