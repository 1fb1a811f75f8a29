#pragma once
// Inside the core library: how the macro dialog data's tabs are built from macros (and merged over
// the modules of a group and over several macros) and written back into a macro. MacroData and the
// update functions (macro_update.h) are built on these; other callers use those.

#include "core/macro_data.h"

namespace core {
class Drawing;

// A number as the shortest text that reads back to the same number ("150", "12.345", "1e+20").
Zrk_String numberText(double value);
// The value text of a dimension variable as its cell shows it.
Zrk_String cellValueText(const Zrk_DimVariable& variable);
// The number a cell text gives a dimension variable of that cell kind; false when the text gives none
// (no number, not a whole number for kind 2, not one of the choices for kind 3, not 0 or 1 for 5).
bool cellValueOfText(const Zrk_DimVariable& variable, const Zrk_String& text, double& value);

// The tabs of one macro, each merged over the modules of its group; the profiles of its groups carry
// macroId.
Zrk_Array<MacroTabData> tabsOfMacro(const Zrk_Macro& macro, AcDbObjectId macroId);
// Merges the tabs of another macro into tabs (tabs of the same name merged item by item, new tabs
// appended).
void mergeTabs(Zrk_Array<MacroTabData>& tabs, const Zrk_Array<MacroTabData>& other);
// Merges a profile group's profiles into its merged settings again.
void remergeProfiles(MacroProfData& group);

// The group of a macro: its library drawing's name, or its own name without one.
Zrk_String groupOfMacro(const Zrk_Macro& macro);
// Sets the edited macros from the selection and the two lists (resetSecond: the second list goes back
// to all macros of the group and is filled again), then the tabs and the title.
void chooseMacros(MacroData& data, const Drawing& drawing, bool resetSecond);

// Writes the changes of kinds codes (change codes of macro_data.h) of one tab into a macro: for cell
// values only the cells of cellIndices (all when empty). The profiles written are those of macroId
// (any profile when anyMacro, for data built from one macro). False with a fault when a value cannot
// be written; macro may then be half written (callers write into a copy or an undo record).
bool writeTab(const MacroTabData& tab, Zrk_Macro& macro, AcDbObjectId macroId, bool anyMacro,
              const Zrk_Array<int>& codes, const Zrk_Array<int>& cellIndices, Zrk_String& fault);

} // namespace core
