#pragma once
// Arrays: a module repeats a part of itself along one or more dimension variables. DynArrayData is
// the array record the array dialog edits and a tab shows.
//
// Modes: 0 linear (one dimension variable per direction, entries listed one by one), 1 by count (the
// second dimension variable and the mode text give the count; no entry list), 2 paired (as 0, in two
// directions), 3 free (as 2 without a first dimension variable); -1 the macros edited together differ.
// The five values are texts as typed: 1 start, 2 spacing, 3 count (mode 1), 4 end, 5 offset. An entry
// is one repetition: an action (0 keep, 1 leave out, 2 mirror), whether it is used, and a text.

#include <array>

#include "core/zrk_string.h"
#include "host/acad.h"

namespace core {
inline constexpr int kArrayModeCount = 4;
inline constexpr int kArrayEntryActionCount = 3;
} // namespace core

struct DynArrayEntry {
    int action = 0;
    bool used = true;
    Zrk_String text;
    int ctrl = 0; // dialog reference (a tab's template control; not stored)
    bool operator==(const DynArrayEntry&) const = default;
};

class DynArrayData {
public:
    Zrk_String name;
    int mode = 0;
    Zrk_String templateName;            // the designed template of the entries
    std::array<Zrk_String, 3> dimNames; // the first, second and third dimension variable
    Zrk_String modeText;                // mode 1 only
    std::array<Zrk_String, 5> values;
    Zrk_String skipCount = "0";
    int flag = 0;        // -1, 0, 1
    int alternating = 0; // -1, 0, 1: entries are added alternating
    Zrk_Array<DynArrayEntry> entries;
    // Dialog references of a tab (not stored): the controls of the five values and of the button.
    std::array<int, 5> valueCtrls{};
    int buttonCtrl = 0;

    // The entries as three parallel columns, and back. setEntryColumns fails (changing nothing) when
    // the columns differ in length or an action is not 0-2; entries beyond the old count are added.
    void getEntryColumns(Zrk_Array<int>& actions, Zrk_Array<int>& used, Zrk_StringArray& texts) const;
    bool setEntryColumns(const Zrk_Array<int>& actions, const Zrk_Array<int>& used,
                         const Zrk_StringArray& texts);

    // The dimension variables the array may use as its first (kind 0), second (1) or third (2)
    // variable in a mode: the variables of the tab's modules that every one of the macros (of the
    // working drawing) has, in the first macro's order, that the macro dialog shows; the first and
    // third kind take only variables that drive the geometry, and mode 1 offers none for them. Empty
    // when no macro of the ids is in the drawing.
    void getValidDimNames(const AcArray<AcDbObjectId>& objectIds, const Zrk_String& tabName, int forMode,
                          int kind, Zrk_StringArray& names) const;
    bool operator==(const DynArrayData&) const = default;
};
