#pragma once
// Zrk_MacroPropsFilter: which connection drawings of the macro library a person may pick from, and
// how he narrows them down by what they hold. The library is the drawing files (docs/drawing-format.md,
// extension ".json") of the library's "Macros/" folder and its subfolders.
//
// What a drawing holds is read once, when the filter is initialised: the names of the modules of its
// macros and, per module, its properties: what the module holds, under fixed names (kPropBolts ...,
// in that order). A drawing that cannot be read holds nothing and is never offered; its preview may
// still be made.
//
// initialize(list, flags, minBase, maxBase):
//   - list, flags: module names the caller asks about, and whether each is required at the start
//     (flags shorter than the list: the rest are not). They come first among the rows, in the
//     caller's order, whether or not a drawing holds them, so that a required module can be let go;
//   - minBase, maxBase: how many base profiles (members joined) a connection must have, from minBase
//     to maxBase; a negative bound is none. A drawing outside the range is never offered and makes
//     no rows.
// The filtered drawings are those in the range that hold every ticked module and, for every ticked
// property, a module of that name holding it. Nothing ticked: every drawing in the range.

#include "core/zrk_string.h"

class Zrk_MacroPropsFilter {
public:
    static constexpr const char* kMacrosFolder = "Macros/";
    static constexpr const char* kDrawingExtension = "json";
    // Property names, in the order a row lists them.
    static const Zrk_StringArray& propertyNames();

    // Reads the drawings of gSettings.libDir's "Macros/" folder (or of folder when given).
    void initialize(const Zrk_StringArray& list, const Zrk_Array<bool>& flags, int minBase, int maxBase,
                    const Zrk_String& folder = {});

    // Every drawing file of the folder, sorted by path (readable or not).
    void getAllDwgFiles(Zrk_StringArray& files) const;
    // The drawings the filter lets through, sorted by path.
    void getFilteredMacros(Zrk_StringArray& files) const;
    // Per module (the caller's first, then the others in the order the drawings show them): the
    // module's name, then the properties some drawing in the range gives it; and whether each is
    // ticked. False (rows and states emptied) when there is no module at all.
    bool getMergedProperties(Zrk_Array<Zrk_StringArray>& rows, Zrk_Array<Zrk_Array<bool>>& states) const;
    // Ticks or unticks a module, or one property of a module; false for a name the rows do not hold.
    bool setModuleStatus(const Zrk_String& module, bool required);
    bool setModulePropStatus(const Zrk_String& module, const Zrk_String& property, bool required);

private:
    struct Module {
        Zrk_String name;
        Zrk_StringArray properties;
    };
    struct Drawing {
        Zrk_String path;
        bool inRange = false;
        Zrk_Array<Module> modules;
    };
    struct Row {
        Zrk_String module;
        bool required = false;
        Zrk_StringArray properties;
        Zrk_Array<int> propRequired; // 1 ticked (Zrk_Array<bool> has no references to its items)
    };
    Row* findRow(const Zrk_String& module);
    bool passes(const Drawing& drawing) const;

    Zrk_StringArray allFiles_;
    Zrk_Array<Drawing> drawings_;
    Zrk_Array<Row> rows_;
};
