#pragma once
// Writing the macro dialog data into the macros of the working drawing, and the services the macro
// dialogs call around it: the selection of other macros, the sub-macro drawing, bolt assemblies, the
// clash checker, and the standards engine's hook.
//
// Every operation that changes the drawing runs in one undo record of it (inside the host's
// transaction when one is open): when a value cannot be written half way, everything it wrote is put
// back and the drawing stays as it was.

#include <functional>

#include "core/macro_data.h"

// Writes the changes of one tab into every edited macro's modules of that group: the kinds of change
// in list1 (codes of macro_data.h; -10 and -11 write nothing), and for cell values (-1) only the
// cells whose indices list2 holds (all cells when it holds none). Varies values and read-only cells
// are not written. True when a macro changed; false when nothing was written, the tab is unknown, or
// a value could not be written (then nothing is).
bool UpdateModule(const Zrk_String& tabName, MacroData& macroData, const Zrk_Array<int>& list1,
                  const Zrk_Array<int>& list2);
// The same for several tabs at once, in one undo record: the tabs whose indices list2 holds (all tabs
// when it holds none), every cell of them.
bool setAllToMacro(MacroData& macroData, const Zrk_Array<int>& list1, const Zrk_Array<int>& list2);
// After a selection list changed (which 1: the group list, 0: the second list): the edited macros
// become those the lists choose and the tabs and title are built again from them.
void UpdateAllFilterModified(MacroData& macroData, int which);
// Lets the person select other macros in the drawing (through the host's editor); true when a new
// selection was made (the data then edits it), false when the pick was cancelled.
bool SelectOtherMacros(MacroData& macroData);
// Replaces the sub-macro drawing of the tab's sub-macro modules in every edited macro by drawingPath
// (made relative to the library folder when it lies in it; '\' becomes '/'). False for an unknown
// tab, a tab without a sub-macro, or a path that is no ".dwg" file of the library.
bool swapBlockRefs(MacroData& macroData, const Zrk_String& tabName, const Zrk_String& drawingPath);

// Bolt assemblies and their diameters (a small table of the library folder's "Bolts/Assemblies.txt"
// when there is one, else a built-in table): all assemblies, the diameters of one, and the diameters
// of the assemblies of a tab's bolt records in all edited macros.
void GetAssemblies(Zrk_StringArray& assemblies);
void GetDiameters(const Zrk_String& composition, Zrk_StringArray& diameters);
void GetMergedDiameters(const MacroData& macroData, const Zrk_String& tabName, Zrk_StringArray& diameters);

// The clash checker of a macro dialog, keyed by its modeless index (-1 for a modal dialog). A clash is
// a member that the edited macros place and another macro of the drawing places too.
void clashInitDlgStarted(int modelessIndex);
void clashResetInfo(int modelessIndex);
// Runs the check (when checking is on) for the dialog's macros; answers the number of clashes found.
int clashcheck(int modelessIndex, const MacroData& macroData);
bool clashGetStatus(int modelessIndex);
void clashSetStatus(int modelessIndex, bool on);
// The clashes the last check found, one text each.
void clashGetInfo(int modelessIndex, Zrk_StringArray& clashes);
void clashDlgClosed(int modelessIndex);

namespace core {
// Runs one standards spreadsheet for one macro of the working drawing (sheet and mapping reference as
// a macro's settings hold them), reading the macro's values into it and writing its outputs into the
// macro and into data (the macro's dialog data). The module installs it while it is loaded: it runs
// inside the host's open transaction (or one of its own) and gives the sheet the macro's general
// variables. False with a reason when the evaluation failed.
using StandardsHook = std::function<bool(AcDbObjectId macroId, MacroData& data, const Zrk_String& sheet,
                                         const Zrk_String& mappingRef, Zrk_String& failure)>;
void setStandardsHook(StandardsHook hook);
const StandardsHook& standardsHook();
} // namespace core
