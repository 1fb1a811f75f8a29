#pragma once
// The steps of reading and writing one value of a module that the mapped access and the by-name
// access share. Every step answers eOk or eInvalidInput and leaves value alone when it fails.

#include "core/macro_data.h"
#include "core/macro_model.h"
#include "standards/value_type.h"

namespace standards {

// A dimension variable; before a write the variable's flex/fix button is pressed when the variable
// is not fixed, or its group has nothing left to give way (the outcome of the press is not checked).
Acad::ErrorStatus accessDimension(Zrk_Module& module, MacroTabData& tab, const Zrk_String& variable,
                                  Zrk_String& value, bool get);
// An offset of a cut constraint; read with 7 decimals, written from the number the text starts with.
Acad::ErrorStatus accessCutOffset(Zrk_Module& module, const Zrk_String& cutName, KvCutOffsetType kind,
                                  Zrk_String& value, bool get);
// The bolt diameter or hole offset text of the tab's bolt data. Fails without bolt data.
Acad::ErrorStatus accessBoltText(MacroTabData& tab, bool diameter, Zrk_String& value, bool get);
// A bolt count of a pattern of the module.
Acad::ErrorStatus accessNrBolts(Zrk_Module& module, const Zrk_String& pattern, int direction, Zrk_String& value,
                                bool get);
// A reverse-start flag of a pattern of a bolt module. A write sets the flag exactly when the text is
// "1"; a read answers "0" when the flag is set and "1" when it is clear. The read is not the mirror
// of the write: standards written for this behaviour rely on it.
Acad::ErrorStatus accessReverseStart(Zrk_Module& module, const Zrk_String& pattern, int direction,
                                     Zrk_String& value, bool get);
// The member name of the merged profile properties of a profile group of the tab.
Acad::ErrorStatus accessMemberName(MacroTabData& tab, const Zrk_String& group, Zrk_String& value, bool get);

// The by-name access of a spreadsheet variable to one module of a module group: the variable's name
// says which object it means, by its prefix ("gen.") or suffix (".Cut", ".NrBolts1" ...).
Acad::ErrorStatus getSetByName(Zrk_Macro& macro, MacroData* macroData, Zrk_Module* module, const Zrk_String& name,
                               KvValueType valueType, Zrk_String& value, bool get);

} // namespace standards
