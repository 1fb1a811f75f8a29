#pragma once
// The macro dialog data: what the macro dialogs (and the standards engine) edit of one or more macros
// edited together, one tab (MacroTabData) per module group. A tab is named by the group name, or by
// the module name for a module without a group. Built from the macros of the working drawing
// (initFromMacros) or from one macro (initFromMacro); written back through UpdateModule and
// setAllToMacro (macro_update.h), or into one macro (applyToMacro).
//
// Merging. Where the macros (or the modules of one group) hold different values for one item, the
// item shows its varies value: the varies text (translated text 695) for texts, and for numbers the
// value named in the record's comment (-1 for most). A varies value is never written back.
//
// Dialog references. Each item records the control that shows it: a positive number is the child id
// of a control of the tab's designed template, a negative number -r row r of the tab's variable grid,
// and 0 none. They belong to the dialog of the moment and are never written to a drawing or a file.
//
// Change codes. differences() compares two states of a tab or of the whole data and answers the
// names of what changed and two lists (see the functions); the codes of the first list are:
//   -1 cell values            -2 the bolt record          -3 bolt patterns (counts, settings)
//   -4 profile groups: section, material, member name, offset type, displacement, rotation, choice,
//      option and morphing of the placements
//   -5 arrays                 -6 the cut-type choices     -7 the sub-macro drawing
//   -8 flex/fix states        -9 segmented profiles
//   -10 what only the dialog shows (template path, labels, kinds, references): never written
//   -11 the title, the selection lists and the group: never written
//   -12 profile groups: base plane, coordinate system and segment, which name objects of one drawing
//       (left out when the values come from a property file)
//   -13 every profile-group field (-4 and -12 together), for callers that set all of them at once

#include <optional>

#include "core/macro_model.h"

namespace core {
// The text shown (and stored in merged records) where the merged objects hold different values:
// translated text 695.
Zrk_String variesText();

inline constexpr int kTabPlain = 0;
inline constexpr int kTabBolt = 1;
inline constexpr int kTabProfile = 2;
inline constexpr int kTabSubMacro = 3;

inline constexpr int kChangeCells = -1;
inline constexpr int kChangeBolts = -2;
inline constexpr int kChangePatterns = -3;
inline constexpr int kChangeProfiles = -4;
inline constexpr int kChangeArrays = -5;
inline constexpr int kChangeCuts = -6;
inline constexpr int kChangeSubMacro = -7;
inline constexpr int kChangeFlex = -8;
inline constexpr int kChangeSegments = -9;
inline constexpr int kChangeDialog = -10;
inline constexpr int kChangeSelection = -11;
inline constexpr int kChangePlacementRefs = -12;
inline constexpr int kChangeAllProfileSettings = -13;
} // namespace core

// A variable of the tab (a dimension variable the macro dialog shows), with its value as text: a
// number for kinds 1, 2 and 4, the chosen text for kind 3, "0" or "1" for kind 5.
struct MacroCellData {
    Zrk_String name;
    Zrk_String label;
    Zrk_String value;
    int kind = core::kCellNumber;
    bool readOnly = false;
    Zrk_StringArray choices{};
    int ctrl = 0;
    bool operator==(const MacroCellData&) const = default;
};

// A bolt pattern of the tab; a count that differs between the macros holds the varies text.
struct MacroPatternData : Zrk_BoltPattern {
    int count1Ctrl = 0;
    int count2Ctrl = 0;
    int buttonCtrl = 0;
    bool operator==(const MacroPatternData&) const = default;
};

// The dialog references of the bolt record: the five values (template types 7-11) and the advanced
// button (type 12).
struct MacroBoltRefs {
    std::array<int, 5> valueCtrls{};
    int advancedCtrl = 0;
    bool operator==(const MacroBoltRefs&) const = default;
};

// One profile of a profile group, with its own settings.
struct MacroGroupProfile {
    AcDbObjectId macroId;
    Zrk_String moduleName;
    int placementIndex = -1; // its place among the module's placements
    int number = 0;
    MacroProfProps props;
    bool operator==(const MacroGroupProfile&) const = default;
};

// A profile group of the tab: the placements of one name, merged, and each of them.
struct MacroProfData {
    Zrk_String groupName;
    MacroProfProps merged;
    Zrk_Array<MacroGroupProfile> profiles;
    int sectionCtrl = 0;    // template type 13
    int buttonCtrl = 0;     // 14
    int offsetTypeCtrl = 0; // 15
    int rotationCtrl = 0;   // 16
    int advancedCtrl = 0;   // 17
    bool operator==(const MacroProfData&) const = default;
};

// A cut of the tab: its cut-type choice (0-3 one of texts 1395-1398, 4 none, -1 the macros differ).
struct MacroCutData {
    Zrk_String name;
    int cutType = core::kCutChoiceNone;
    int ctrl = 0;
    bool operator==(const MacroCutData&) const = default;
};

class MacroTabData {
public:
    Zrk_String name;
    int kind = core::kTabPlain;
    Zrk_String templatePath; // the designed template (relative to the library folder); empty: none
    Zrk_Array<MacroCellData> cells;
    Zrk_Array<MacroPatternData> patterns;
    std::optional<MacroBoltData> boltData; // bolt tabs
    MacroBoltRefs boltRefs;
    Zrk_Array<MacroProfData> profGroups;
    Zrk_Array<DynArrayData> arrays;
    Zrk_Array<MacroCutData> cuts;
    bool hasSubMacro = false; // the tab inserts a sub-macro drawing
    Zrk_String subMacro;      // its drawing (a library path), or the varies text
    int subMacroCtrl = 0;
    Zrk_Array<MacroSegmentedProfile> segments;
    Zrk_Array<Zrk_FlexFixGroup> flexGroups;

    // Null when the tab has no bolt data.
    MacroBoltData* getBoltData() { return boltData ? &*boltData : nullptr; }

    // Look-ups by name; false (index untouched) when there is none.
    bool findCellWithName(const Zrk_String& cellName, int& index) const;
    bool findPatternWithName(const Zrk_String& patternName, int& index) const;
    bool findProfDataWithGroup(const Zrk_String& group, int& index) const;
    bool findArrayWithName(const Zrk_String& arrayName, int& index) const;
    bool findCutWithName(const Zrk_String& cutName, int& index) const;
    // Look-ups by a control id (positive: template control; negative: grid row): the pattern or
    // array whose button, or the profile group any of whose controls, it is.
    bool findPatternWithBtnId(int ctrlId, int& index) const;
    bool findArrayWithBtnId(int ctrlId, int& index) const;
    bool findProfDataWithCtrlResId(int ctrlId, int& index) const;
    // Sets every dialog reference of the tab to 0.
    void removeAllDlgReferences();

    bool getMergedPropsOfGroup(const Zrk_String& group, MacroProfProps& props) const;
    // Replaces the merged properties of an existing profile group (and, field by field where they
    // are not varies values, those of each of its profiles); fails for an unknown group.
    Acad::ErrorStatus setMergedPropsOfGroup(const Zrk_String& group, const MacroProfProps& props);
    // The settings of one profile of a group, by its object number; false when there is none.
    bool getPropsOfProfile(const Zrk_String& group, int number, MacroProfProps& props) const;
    // Sets one profile's settings and merges the group again.
    Acad::ErrorStatus setPropsOfProfile(const Zrk_String& group, int number, const MacroProfProps& props);
    // Whether every profile group has its advanced button on the template.
    bool advBtnForEveryGroup() const;

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

    // What differs from other (the tab's state before): names = the names of the changed items (a
    // cell, pattern, profile group, array or cut name; "bolts", "subMacro", "flex" or "segments"),
    // list1 = the change codes, each once, in code order (-1, -2 ...), list2 = the indices of the
    // changed cells.
    void differences(const MacroTabData& other, Zrk_StringArray& names, Zrk_Array<int>& list1,
                     Zrk_Array<int>& list2) const;

    bool operator==(const MacroTabData&) const = default;

private:
    const Zrk_FlexFixGroup* groupOf(const Zrk_String& variable) const;
};

class MacroData {
public:
    Zrk_Array<MacroTabData> tabs;
    Zrk_String title;
    // The first selection list is the group list: the groups of the selected macros (macros made
    // from one library drawing, or of one name), selectIndex1 the current group. The second lists
    // the current group's macros after a first entry for all of them; selectIndex2 says which are
    // edited (0: all).
    Zrk_StringArray selectList1;
    int selectIndex1 = -1;
    Zrk_StringArray selectList2;
    int selectIndex2 = -1;
    Zrk_String firstTabName;         // the tab shown first
    bool profAdvAtStart = false;     // open the advanced profile settings at start (a profile tab)
    bool closed = false;             // the dialog was closed
    bool busy = false;               // an operation runs; the dialog may not end now
    AcArray<AcDbObjectId> selection; // the macros the person selected
    AcArray<AcDbObjectId> macroIds;  // the macros edited (those of the selection the lists choose)
    Zrk_StringArray macroNames;      // their names, parallel
    Zrk_String profAdvView;          // a view for the advanced profile dialog (passed in, cleared after)
    AcDbObjectId tempObjectId;       // a drawing object made for a dialog, erased after it
    Zrk_String tempCoordSystem;      // a coordinate system made during a dialog, erased after it
    bool coordSystemAllowed = true;  // the advanced profile dialog may create coordinate systems

    bool findTab(const Zrk_String& tabName, int& index) const;
    MacroTabData* getTab(int index) { return tabs.isValid(index) ? &tabs[index] : nullptr; }
    const MacroTabData* getTab(int index) const { return tabs.isValid(index) ? &tabs[index] : nullptr; }
    // The tab of a module (by its group name, or its name when it has no group); null when none.
    MacroTabData* findTabOfModule(const Zrk_Module& module);
    // The current group's name; false when the group list or its index says none.
    bool currentGroupName(Zrk_String& name) const;

    // Rebuilds the tabs from one macro (for callers outside a drawing, as the standards engine):
    //  - kind: bolt when a module of the group is a bolt module, else profile when one is a profile
    //    module, else sub-macro when one is a sub-macro module, else plain;
    //  - cells: the shown variables of the group's modules, the first of each name;
    //  - bolt data: that of the group's first bolt module that has bolt data; patterns by name;
    //  - profile groups: one per placement name (non-empty), in order of appearance, merged;
    //  - arrays, cuts, segmented profiles, flex groups: the first of each name; template path and
    //    sub-macro drawing: the first module's that has one.
    void initFromMacro(const Zrk_Macro& macro);
    // Writes what the tabs keep for the standards engine back into the macro's modules: the bolt
    // records, the profile groups and the flex states (the engine writes cells, cuts and patterns into
    // the macro itself). Varies values are left. False, with the macro as it was, when a value cannot
    // be written.
    bool applyToMacro(Zrk_Macro& macro) const;

    // Edits the macros of the working drawing with those ids: the selection becomes them, the group
    // list is built, the first group and all its macros are chosen, and the tabs are merged over
    // those macros. False (nothing changed) when no id is a macro of the working drawing.
    bool initFromMacros(const AcArray<AcDbObjectId>& ids);

    // Property files. The folder is the library's "Macro Properties/", the extension ".kvp"; a file
    // matches the data when it was written for the same group (library drawing). allowed: whether
    // they may be used now (reason says why not).
    bool propListAllowed(Zrk_String& reason) const;
    void getPropFiles(Zrk_String& folder, Zrk_String& extension, Zrk_StringArray& allNames,
                      Zrk_StringArray& matchingNames) const;
    // The path of a property file of that name; false for a name that is empty, holds '/', '\\' or
    // "..", or a character a file name cannot hold (it would leave its folder, or name none).
    bool propFilePath(const Zrk_String& name, Zrk_String& path) const;
    // Reads a property file into the tabs; notUsed counts the values that could not be used (an
    // item the data lacks, a value it does not take, a read-only cell). False, changing nothing, for
    // a file that cannot be read, is no property file, or whose path leaves the property folder.
    bool readFromFile(const Zrk_String& path, int& notUsed, Zrk_String* message = nullptr);
    // Writes the tabs' values atomically; false for such a path or a file that cannot be written.
    bool writeToFile(const Zrk_String& path, Zrk_String* message = nullptr) const;

    // What differs from other (the data's state before): names = the changed tabs' names, list1 =
    // the change codes (as for a tab; -11 for the title and lists), list2 = the changed tabs' indices.
    void differences(const MacroData& other, Zrk_StringArray& names, Zrk_Array<int>& list1,
                     Zrk_Array<int>& list2) const;

    // Changes the drawing's view for a tab (mode 0-3) through the host's editor.
    void changeView(const Zrk_String& tabName, int mode) const;
    // Writes every tab into the macros again (as setAllToMacro with every change); true when that
    // succeeded, so that the dialog may close.
    bool reApply();
    // Runs the standards of each edited macro (its settings' spreadsheets, in order; a row without a
    // mapping record yet is passed over) and shows what they computed. All or nothing: when one fails, the
    // drawing stays as it was and so does the data. False without a standards engine (none installed) or when
    // one failed; failure then says why.
    bool loadFromStandards(Zrk_String* failure = nullptr);
    // Erases the temporary drawing object and coordinate system made for a dialog (when there are).
    void eraseTemporaries();

    bool operator==(const MacroData&) const = default;
};
