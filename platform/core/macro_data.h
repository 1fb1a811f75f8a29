#pragma once
// The macro dialog data: what the macro dialogs and the standards engine edit of a macro, one tab
// (MacroTabData) per module group. A tab is named by the group name, or by the module name for a
// module without a group, and holds the tab's bolt data, the merged properties of its profile groups
// and its flex/fix buttons. MacroData is built from a macro (initFromMacro) and written back into it
// (applyToMacro); between the two, changes live in the tabs only.

#include <optional>

#include "core/macro_model.h"

namespace core {
// The text shown (and stored in merged properties) where the merged objects hold different values:
// translated text 695.
Zrk_String variesText();
} // namespace core

// The properties of a profile group are its placements' MacroProfProps (profile_model.h), merged: a
// field holds the common value, or its varies value when the placements differ.
struct MacroProfData {
    Zrk_String groupName; // the name of the placements it merges
    MacroProfProps merged;
    bool operator==(const MacroProfData&) const = default;
};

// Tab kinds.
namespace core {
inline constexpr int kTabPlain = 0;
inline constexpr int kTabBolt = 1;
inline constexpr int kTabProfile = 2;
} // namespace core

class MacroTabData {
public:
    Zrk_String name;
    int kind = core::kTabPlain;
    std::optional<MacroBoltData> boltData; // bolt tabs
    Zrk_Array<MacroProfData> profGroups;
    Zrk_Array<Zrk_FlexFixGroup> flexGroups;

    // Null when the tab has no bolt data.
    MacroBoltData* getBoltData() { return boltData ? &*boltData : nullptr; }

    bool findProfDataWithGroup(const Zrk_String& group, int& index) const;
    bool getMergedPropsOfGroup(const Zrk_String& group, MacroProfProps& props) const;
    // Replaces the merged properties of an existing profile group; fails for an unknown group.
    Acad::ErrorStatus setMergedPropsOfGroup(const Zrk_String& group, const MacroProfProps& props);

    // Whether a dimension variable has a flex/fix button, and the flex group it belongs to.
    bool hasBtnFlexFix(const Zrk_String& variable) const;
    bool findFlexFixGroup(const Zrk_String& variable, Zrk_String& group) const;
    // The state of a variable's flex/fix button. False when the variable has no button; otherwise
    // first = the variable is fixed (a value written to it holds), second = its group has no
    // flexible entry at all (a written value would leave nothing to give way). A value may be written
    // as it stands when first is set and second clear; otherwise the button is to be pressed first.
    bool getFlexFixBtnStatus(const Zrk_String& variable, bool& first, bool& second) const;
    // Presses the button of entry name in group into the state checked (Zrk_FlexFixGroup::press).
    // True when a state changed.
    bool flexFixBtnClicked(const Zrk_String& group, const Zrk_String& name, bool checked);

    bool operator==(const MacroTabData&) const = default;

private:
    const Zrk_FlexFixGroup* groupOf(const Zrk_String& variable) const;
};

class MacroData {
public:
    Zrk_Array<MacroTabData> tabs;

    bool findTab(const Zrk_String& tabName, int& index) const;
    MacroTabData* getTab(int index) { return tabs.isValid(index) ? &tabs[index] : nullptr; }
    const MacroTabData* getTab(int index) const { return tabs.isValid(index) ? &tabs[index] : nullptr; }
    // The tab of a module (by its group name, or its name when it has no group); null when none.
    MacroTabData* findTabOfModule(const Zrk_Module& module);

    // Rebuilds the tabs from a macro, in the order in which the groups first appear:
    //  - kind: bolt when a module of the group is a bolt module, else profile when one is a profile
    //    module, else plain;
    //  - bolt data: that of the group's first bolt module that has bolt data;
    //  - profile groups: one per placement name (non-empty), in order of appearance, merged over the
    //    group's placements of that name;
    //  - flex groups: those of the group's modules, the first of each name.
    void initFromMacro(const Zrk_Macro& macro);
    // Writes the tabs back into the macro's modules: bolt data into every bolt module of the group,
    // merged properties into every placement of the profile group (fields holding the varies text are
    // left alone), and flex states into the modules' flex groups of the same name.
    void applyToMacro(Zrk_Macro& macro) const;

    bool operator==(const MacroData&) const = default;
};
