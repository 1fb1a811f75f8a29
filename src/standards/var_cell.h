#pragma once
// The declared variables of a standards sheet. A cell whose text is a type keyword, a blank and a name
// ("Double PlateWidth") declares a variable; the section the cell stands in gives its role (Input,
// Output, Local). The declaring cell is also where the variable's value lives while the sheet is
// evaluated: the engine overwrites the declaration with the value, and equations refer to the
// variable by that cell.

#include "core/zrk_string.h"
#include "host/acad.h"
#include "module/export.h"
#include "standards/ss_mapping.h"
#include "standards/value_type.h"

class Zrk_Spread;
class KvDlgStandardsData;
class KvStandardsSheet;
class KvVarCells;

class SS_EXPORT KvVarCell {
public:
    KvVarCell() = default;
    KvVarCell(const KvVarCell&) = default;
    KvVarCell& operator=(const KvVarCell&) = default;
    virtual ~KvVarCell();

    Zrk_String name;
    KvCellType role = KvCellType::Input;
    Zrk_String value; // the current value as text
    KvValueType valueType = KvValueType::String;
    int col = 0; // the declaring cell, 1-based
    int row = 0;

    // Reads the cell's text and parses it as a declaration; on success sets the name, the value type,
    // the cell and the role. Fails for an unreadable cell and a text without type keyword.
    Acad::ErrorStatus initialize(Zrk_Spread& sheet, int column, int cellRow, KvCellType cellRole);
    // A declaration: blanks (spaces, tabs) at the start and at the end do not count; the text starts
    // with "Int", "Double" or "String", tried in this order (a longer word that starts with one counts
    // as it: "Integer Count" declares an Int); the name is what follows the first blank, without the
    // blanks that follow that one. A text without a blank declares a variable with an empty name.
    static bool parseDeclaration(const Zrk_String& text, KvValueType& type, Zrk_String& variableName);

    // The value from the macro, or into it, through the mapping (by name or through the variable's
    // entry).
    Acad::ErrorStatus setValueFromMacro(KvSSMapping& mapping, const KvDlgStandardsData& data);
    Acad::ErrorStatus setValueToMacro(KvSSMapping& mapping, const KvDlgStandardsData& data);
    // Takes the other variable's value and writes it into this variable's cell.
    Acad::ErrorStatus setValueFromOther(Zrk_Spread& sheet, const KvVarCell& other);

    bool isInput() const { return role == KvCellType::Input; }
    bool isOutput() const { return role == KvCellType::Output; }
    bool isLocal() const { return role == KvCellType::Local; }

    // The cell formats of values: Int a number cell with 0 decimals, Double one with 7, String a text
    // cell of at most 9999 characters.
    static constexpr int kIntDecimals = 0;
    static constexpr int kDoubleDecimals = 7;
    static constexpr int kStringLength = 9999;

private:
    friend class KvVarCells;
    friend class KvStandardsSheet;

    Acad::ErrorStatus setNewValue(const Zrk_String& text);
    Acad::ErrorStatus setNewValue(Zrk_Spread& sheet, const Zrk_String& text);
    // Formats the declaring cell by the value type and writes the value into it.
    Acad::ErrorStatus setValueToSS(Zrk_Spread& sheet);
    Acad::ErrorStatus getCurrentValue(Zrk_Spread& sheet, Zrk_String& text) const;
};

class SS_EXPORT KvVarCells {
public:
    KvVarCells() = default;
    KvVarCells(const KvVarCells&) = default;
    KvVarCells& operator=(const KvVarCells&) = default;
    virtual ~KvVarCells();

    // The variables in the order they were found (section by section, row by row, left to right).
    Zrk_Array<KvVarCell> cells;

    KvSSMapping& mapping() { return mapping_; }
    const KvSSMapping& mapping() const { return mapping_; }

    // Sets up the mapping (by the data's module group, else from the mapping file under its key) and
    // reads every Input and Output value from the macro; Locals are emptied. A variable that cannot
    // be read is reported (when the document asks for standards errors) and keeps its value. Fails
    // only without module group and without macro; a mapping that cannot be set up reads nothing.
    Acad::ErrorStatus getFromMacro(const KvDlgStandardsData& data);
    // Writes every Output to the macro; failures of single variables are not reported. Always eOk.
    Acad::ErrorStatus setToMacro(const KvDlgStandardsData& data);
    // Every Output takes the text of its declaring cell; the first that cannot be read ends with a
    // failure (the ones before keep their new values).
    Acad::ErrorStatus getValuesFromSS(Zrk_Spread& sheet);
    // Every variable's value into its declaring cell; the first failure ends.
    Acad::ErrorStatus setValuesToSS(Zrk_Spread& sheet);
    // Every own Input has a namesake in other with the same value type and value (other may hold more).
    bool hasSameInput(const KvVarCells& other) const;
    // The index of the first variable of that name.
    Acad::ErrorStatus findVarCell(const Zrk_String& name, int& index) const;

    int length() const { return cells.length(); }
    KvVarCell& operator[](int index) { return cells[index]; }
    const KvVarCell& operator[](int index) const { return cells[index]; }
    void append(const KvVarCell& cell) { cells.append(cell); }
    bool removeAt(int index) { return cells.removeAt(index); }
    // Empties the list; the mapping stays.
    void resetVarCells() { cells.removeAll(); }

private:
    KvSSMapping mapping_;
};
