#pragma once
// Bolts: the bolt record of a bolt module (and of its tab), and bolt patterns with their settings.
//
// Three-state values (tapped, reverse orientation, countersunk, bolted in workshop) are 0 off, 1 on,
// 2 undecided (the macros edited together differ). Nut and washer values are -1 (the assembly has no
// such part: its button is disabled), 0 or 1. Pattern option values are -1 (the macros differ), 0 or 1.

#include <array>
#include <vector>

#include "core/zrk_string.h"
#include "host/acad.h"

namespace core {
inline constexpr int kPatternOneDirection = 281;
inline constexpr int kPatternTwoDirections = 282;
// The largest bolt count a pattern direction takes.
inline constexpr int kMaxBoltCount = 9999;
// The kind of a pattern's settings (MacroPatternProps::kind: 1 one direction, 2 two) for the pattern's
// kind code: where the settings dialog's kinds meet the model's codes.
int patternSettingsKind(int kindCode);
// Slot types of a slotted-hole entry: the three items of the slot-type list (texts 994-996); -1 the
// macros differ.
inline constexpr int kSlotTypeCount = 3;
} // namespace core

// One slotted-hole setting of a bolt record. An active entry needs a radius and a length above 0.
struct MacroSlottedHole {
    bool active = false;
    int slotType = 0;
    double radius = 0.0;
    double length = 0.0;
    double angle = 0.0;
    double extra = 0.0; // the further value (1125)
    bool operator==(const MacroSlottedHole&) const = default;
};

// One hole column of a bolt record: whether it is used and its text.
struct MacroHoleColumn {
    bool used = false;
    Zrk_String text;
    bool operator==(const MacroHoleColumn&) const = default;
};

// The bolt record. Lengths and diameters are texts, as the dialogs show them as typed.
struct MacroBoltData {
    Zrk_String composition; // the bolt assembly
    Zrk_String diameter;
    Zrk_String penetrationLength;
    Zrk_String addedLength;
    Zrk_String holeTolerance;
    Zrk_String holeOffset;
    Zrk_String length; // a bolt length given by hand ("" computed)
    int tapped = 0;
    int reverseOrientation = 0;
    int countersunk = 0;
    int boltedInWorkshop = 0;
    int optionCount = 0; // how many options the assembly offers; the option flag counts only above 0
    bool optionFlag = false;
    int nut1 = 0;
    int nut2 = 0;
    int washer1 = 0;
    int washer2 = 0;
    int washers = 0;
    Zrk_Array<MacroHoleColumn> holeColumns;
    Zrk_Array<MacroSlottedHole> slottedHoles;

    // The five values a designed template shows (control types 7-11): 1 penetration length, 2 added
    // length, 3 hole tolerance, 4 hole offset, 5 length. Null for another number.
    Zrk_String* value(int number);
    const Zrk_String* value(int number) const;
    // The index of the first active slotted-hole entry whose radius or length is not above 0; -1 when
    // every active entry is valid.
    int firstInvalidSlottedHole() const;
    bool operator==(const MacroBoltData&) const = default;
};

// The bolt record's single values by the names property files store them under: its texts, and its
// numbers with their range and the value each takes where merged records differ (three-state values
// 2; nuts and washers never differ in a merged record, they keep the first record's).
struct MacroBoltTextField {
    const char* key;
    Zrk_String MacroBoltData::*member;
};
struct MacroBoltNumberField {
    const char* key;
    int MacroBoltData::*member;
    int lowest;
    int highest;
    int varies; // kNoVaries: none
};
namespace core {
inline constexpr int kNoVaries = -1000;
}
const std::vector<MacroBoltTextField>& macroBoltTextFields();
const std::vector<MacroBoltNumberField>& macroBoltNumberFields();

// The settings of one direction of a bolt pattern.
struct MacroPatternDirection {
    int distribution = 0; // 0, 1, 2 (texts 994, 1055, 996); -1 the macros differ
    int countOption = 0;  // -1, 0, 1: whether countText sets the bolt count
    Zrk_String countText;
    Zrk_String secondText;
    bool flag = false;
    Zrk_StringArray values; // the distances between bolts, one per row
    bool operator==(const MacroPatternDirection&) const = default;
};

// The settings of a bolt pattern (the pattern settings dialog). kind 1: one direction (the second
// direction and the four options do not apply); kind 2: two directions.
struct MacroPatternProps {
    int kind = 1;
    MacroPatternDirection direction1;
    MacroPatternDirection direction2;
    std::array<int, 4> options{}; // -1, 0, 1 each; the last two apply while the second is not 0
    bool operator==(const MacroPatternProps&) const = default;
};

struct Zrk_BoltPattern {
    Zrk_String name;
    int kindCode = core::kPatternOneDirection;
    Zrk_String nrBolts1 = "1";
    Zrk_String nrBolts2 = "1"; // used when kindCode is 282
    bool reverseStart1 = false;
    bool reverseStart2 = false;
    bool hasSettings = false; // whether the pattern has settings (props) to edit
    MacroPatternProps props;

    bool hasSecondDirection() const { return kindCode == core::kPatternTwoDirections; }
    // The count of a bolt count text: a number with a whole value from 1 to kMaxBoltCount ("3",
    // " 3 ", "3.0000000"). Otherwise count is -1 and the answer false.
    static bool getCount(const Zrk_String& text, int& count);
    // Direction 1 or 2 (2 only for a pattern with a second direction). A write takes a valid count
    // text and stores it as the whole number ("3.0000000" is stored as "3"); anything else fails and
    // changes nothing.
    Acad::ErrorStatus getSetNrBolts(int direction, Zrk_String& value, bool get);
    Acad::ErrorStatus getSetReverseStart(int direction, bool& flag, bool get);
    bool operator==(const Zrk_BoltPattern&) const = default;
};
