#pragma once
// The advanced bolt dialog (template 8140): the full bolt record of a bolt tab (core/bolt_model.h) -
// assembly and diameter, lengths and tolerance, four three-state options, the option flag, nuts and
// washers, the hole columns (a grid) and the slotted-hole entries (one shown at a time).
//
// Every change the person makes is applied at once through the page link (macro_page_link.h), which
// writes it into the drawing and hands back the record as it then stands; the dialog shows that.
// Clicks on the options, the active box and the nut and washer buttons apply, so do a choice of
// assembly, diameter or slot type, the option flag, Enter and OK; a typed text counts with the next
// of them. An apply first checks the slotted-hole entries: an active one needs a radius and a length
// above 0, else a message names it (counted from 0, while the list counts from 1) and nothing is
// applied. OK closes only after a successful apply; Cancel closes and undoes nothing applied.
//
// A three-state option shows the macros' disagreement (2) until the person clicks it; from then on it
// has two states. A nut or washer value of -1 (the assembly has none) disables its button and is
// stored back as -1. A slot type of -1 (the macros differ) shows the last type and stays -1 unless
// the person chooses a type.

#include "core/macro_data.h"
#include "module/export.h"
#include "macrodlg/macro_page_link.h"
#include "spread/zrk_spread.h"
#include "ui/dialog.h"

class DlgMacroBoltAdvanced : public ui::Dialog {
public:
    static constexpr int kTemplate = 8140;
    static constexpr int kFrame = 1365;
    static constexpr int kCompositionLabel = 1111;
    static constexpr int kComposition = 1091;
    static constexpr int kDiameterLabel = 1112;
    static constexpr int kDiameter = 1092;
    static constexpr int kPenetrationLabel = 1121;
    static constexpr int kPenetration = 1103;
    static constexpr int kAddedLabel = 1123;
    static constexpr int kAdded = 1102;
    static constexpr int kToleranceLabel = 1126;
    static constexpr int kTolerance = 1104;
    static constexpr int kTapped = 1110;
    static constexpr int kReverse = 1116;
    static constexpr int kCountersunk = 1115;
    static constexpr int kWorkshop = 1095;
    static constexpr int kOptionFlag = 1343;
    static constexpr int kOptionLabel = 1344;
    static constexpr int kNut1 = 8713;
    static constexpr int kNut2 = 8714;
    static constexpr int kWasher1 = 8710;
    static constexpr int kWasher2 = 8711;
    static constexpr int kWashers = 8712;
    static constexpr int kNut1Label = 8669;
    static constexpr int kNut2Label = 8667;
    static constexpr int kWasher1Label = 8665;
    static constexpr int kWasher2Label = 8675;
    static constexpr int kWashersLabel = 8672;
    static constexpr int kHoleColumns = 1196;
    static constexpr int kPicture = 1178;
    static constexpr int kSlotGroup = 1109;
    static constexpr int kEntries = 1108;
    static constexpr int kActive = 1120;
    static constexpr int kSlotType = 1324;
    static constexpr int kRadiusLabel = 1117;
    static constexpr int kRadius = 1119;
    static constexpr int kLengthLabel = 1113;
    static constexpr int kLength = 1118;
    static constexpr int kAngleLabel = 1114;
    static constexpr int kAngle = 1022;
    static constexpr int kExtraLabel = 1124;
    static constexpr int kExtra = 1125;
    static constexpr int kSlotLabel = 1122;

    DlgMacroBoltAdvanced(Zrk_StringArray diameters, MacroPageLink* link, QWidget* owner = nullptr);

    MacroBoltData data; // the dialog's own copy
    Zrk_Spread grid;    // the hole columns

    // The record as the page last handed it back (the record given, before any apply).
    const MacroBoltData& applied() const { return applied_; }
    int shownEntry() const { return shown_; }
    // Stores the controls, checks the slotted holes and hands the record to the page. False when an
    // entry is not valid (with the message) or the page could not write it.
    bool apply();

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    bool preTranslateKey(const ui::KeyPress& key) override;
    void onLButtonDown(const QPoint& point, Qt::KeyboardModifiers modifiers) override;
    void onOK() override;
    void onDestroy() override;

private:
    void showRecord();
    void fillEntries();
    void showEntry(int index);
    void enableEntryFields(bool enable);
    void store(MacroBoltData& record, bool entryOnly, int entry);

    Zrk_StringArray diameters_;
    MacroPageLink* link_ = nullptr;
    MacroBoltData applied_;
    int shown_ = -1;
};

// Runs the advanced bolt dialog on a copy of bolt, with the merged diameters of the edited macros,
// applying every change through link. True when the person pressed OK; bolt is then the dialog's
// record, and after Cancel the record as last applied (changes applied stay applied).
SS_EXPORT bool StartDlgMacroBoltAdvanced(MacroBoltData& bolt, const Zrk_StringArray& diameters,
                                         MacroPageLink* link);
