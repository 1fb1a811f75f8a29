#pragma once
// The pattern settings dialog (template 222): both directions of a bolt pattern and its four
// pattern-wide options (core/bolt_model.h), on a copy of the pattern's settings. Every change is handed
// to the page link at once (macro_page_link.h); closing undoes nothing.
//
// Per direction: the distribution (the fourth item is the macros' disagreement, -1), whether the
// count text sets the bolt count (three states; the text is enabled only while it is checked), the
// count text, a second text, a flag and the list of distances (a grid, one row a value).
//
// A pattern of one direction (kind 1) has the second direction and the four options disabled. The
// last two options are enabled while the second is checked or undecided.
//
// What is applied: every click, choice, text change and grid change once the dialog is shown. A bolt
// count typed one keystroke at a time passes through texts that are no count ("" while it is cleared,
// "0"): while a direction's count text sets the count and is none, nothing is handed over; OK then
// says so and keeps the dialog open, so the drawing never gets such a count.

#include "core/bolt_model.h"
#include "module/export.h"
#include "macrodlg/macro_page_link.h"
#include "spread/zrk_spread.h"
#include "ui/dialog.h"

class DlgPatternSettings : public ui::Dialog {
public:
    static constexpr int kTemplate = 222;
    // Direction 1 / direction 2.
    static constexpr int kTypeLabel1 = 1278, kTypeLabel2 = 1280;
    static constexpr int kType1 = 1279, kType2 = 1281;
    static constexpr int kCountOption1 = 1356, kCountOption2 = 1360;
    static constexpr int kCount1 = 1264, kCount2 = 1267;
    static constexpr int kTextLabel1 = 1265, kTextLabel2 = 1268;
    static constexpr int kText1 = 1266, kText2 = 1269;
    static constexpr int kFlag1 = 1359, kFlag2 = 1361;
    static constexpr int kValues1 = 1357, kValues2 = 1358;
    // The pattern-wide options.
    static constexpr int kOption1 = 1273, kOption2 = 1274, kOption3 = 1276, kOption4 = 1277;
    // The distribution list's item for macros that differ.
    static constexpr int kVariesItem = 3;

    DlgPatternSettings(Zrk_String patternName, MacroPageLink* link, QWidget* owner = nullptr);

    MacroPatternProps data; // the dialog's own copy; kind says one or two directions
    Zrk_Spread grid1, grid2;

    // The controls of one direction.
    struct Direction;

    // The settings as the page last took them (the settings given, before any apply).
    const MacroPatternProps& applied() const { return applied_; }
    bool ready() const { return ready_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    bool onNotify(int id, int code, const void* details) override;
    void onOK() override;

private:
    void showSettings();
    void showDirection(const Direction& controls, const MacroPatternDirection& direction);
    void storeDirection(const Direction& controls, MacroPatternDirection& direction);
    void store();
    void enableLastOptions();
    // The first direction whose count text sets the count and is none; 0 when there is none.
    int directionWithoutCount() const;
    bool apply();

    Zrk_String patternName_;
    MacroPageLink* link_ = nullptr;
    MacroPatternProps applied_;
    bool ready_ = false;
};

// Runs the pattern settings dialog on the settings of pattern (a pattern of the page's tab), its kind
// following the pattern's (core::patternSettingsKind), applying every change through link. True when
// the person pressed OK; pattern's settings are then the dialog's, after Cancel those last applied.
SS_EXPORT bool StartDlgPatternSettings(Zrk_BoltPattern& pattern, MacroPageLink* link);
