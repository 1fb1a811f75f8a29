#pragma once
// One loaded connection standard: a spreadsheet (extension "kvs") laid out in sections, with its
// declared variables and the general variables of the running evaluation.
//
// Layout. Four section headers, each a cell whose whole value text is "Input", "Output", "Local" or
// "Calc" (letter case ignored); the first such cell in reading order counts. "Input" and "Output" are
// required, "Local" optional, "Calc" required for the calculation. A declaration section runs from
// the row after its header down to the next header row of the other three (that row included), or
// to the last row; every declaration in those rows declares a variable with the section's role. The
// equation area runs from the row after "Calc" to the last row: every non-empty cell in it is an
// equation ("Width = Thickness * 2") or a child call ("CallChild(\"Child.kvs\", A, B)"). Variables are
// listed section by section (Input, Output, Local), each row by row, left to right.
//
// Evaluation for a macro (mode 0): initSSForInput, then calcMain. As a child of another sheet
// (mode 1): getFromVars, then calcChild. Child calls run on another host dialog of the pool.

#include <memory>
#include <vector>

#include "core/zrk_string.h"
#include "host/acad.h"
#include "spread/zrk_spread.h"
#include "standards/var_cell.h"

class KvDlgStandardsData;

namespace standards {
class WordReplacer;

// The rows of the four section headers; 0 for a missing one.
struct SheetSections {
    int input = 0;
    int output = 0;
    int local = 0;
    int calc = 0;
};

// Why a child call failed; reported when the call has shown its own message already (so the
// equation's report would only repeat it).
struct ChildCallFailure {
    Zrk_String reason;
    bool reported = false;
};
} // namespace standards

class KvStandardsSheet : public Zrk_Spread {
public:
    KvStandardsSheet();
    ~KvStandardsSheet() override;

    Zrk_String filePath;       // the loaded file
    KvVarCells varCells;       // the declared variables, with the mapping
    Zrk_StringArray genVarNames; // the general variables of the running evaluation
    Zrk_StringArray genVarValues;

    // The file standards::resolveSheetPath gives for the name: the name itself when it is a file, else
    // the standards folder's file of that name with ".kvs" (a file whose name differs only in letter
    // case counts). Loaded with editing on, arrows not leaving the editor, user formulas on and
    // automatic recalculation off. A failure names that file once.
    Acad::ErrorStatus loadStandardsFile(const Zrk_String& name);
    // The variables of the declaration sections. Fails without "Input" (nothing read) and without
    // "Output" (the inputs stay).
    Acad::ErrorStatus readVarCells();
    // The section headers as they stand now.
    standards::SheetSections findSections() const;

    // Mode 0: the variables, their values from the macro into their cells, the general variables.
    Acad::ErrorStatus initSSForInput(const KvDlgStandardsData& data);
    // Mode 1: the variables, the caller's values (matched by position to the non-local variables)
    // into their cells, the general variables. Fails when the sheet lacks "Input" or "Output", when the
    // caller has fewer variables, when an Output meets a caller's Input, or when a value cannot be
    // written into its cell.
    Acad::ErrorStatus getFromVars(const KvDlgStandardsData& data);
    // Mode 0: calculates, reads the outputs from their cells and writes them into the macro.
    Acad::ErrorStatus calcMain(const KvDlgStandardsData& data);
    // Mode 1: calculates and hands the outputs back to the caller's variables, by position.
    Acad::ErrorStatus calcChild(KvVarCells& callerCells);

    // --- the equation area and child calls (standards_equations.cpp) ----------------------------------

    // Registers the functions, reports and drops duplicate names, evaluates the equation area once in
    // reading order. Fails only without "Calc".
    Acad::ErrorStatus calculate();
    Acad::ErrorStatus registerFunctions();
    // One cell of the equation area: an equation turned into a formula over the variables' cells whose
    // result goes into its variable, or a child call. A failure is reported (when the document asks
    // for standards errors) and answered eInvalidInput.
    Acad::ErrorStatus calcCell(int column, int row);
    // The variables' names in the expression replaced by their cells' names (A1 style).
    Acad::ErrorStatus replaceVariables(Zrk_String& expression);
    // The general variables' names replaced by their values in every cell (quoted where they are no
    // numbers); a changed cell keeps the new text as its data.
    Acad::ErrorStatus replaceGenVars();
    // Runs the child sheet the expression names with the variables it passes; the child's outputs
    // come back into the variables declared Output here. A failure's reason goes into failure when
    // given, else to standards::setFailure.
    Acad::ErrorStatus callChild(const Zrk_String& expression, const Zrk_String& functionName,
                                standards::ChildCallFailure* failure = nullptr);
    // The first of: the name as written; beside this sheet; in the standards folder; in its "Childs/",
    // "Data/" and "Parents/". Otherwise the name as written.
    Zrk_String findChildFile(const Zrk_String& name) const;

private:
    // The last row and column that can hold anything (the counts, or less where the sheet is empty).
    void contentBounds(int& lastColumn, int& lastRow) const;
    // Reports duplicate variable names and keeps the first variable of each name.
    void dropDuplicates();
    void reportEquation(const Zrk_String& name, const Zrk_String& expression, int row);
    int findVariable(const Zrk_String& name) const;
    // A traced evaluation notes the variables (by index) the running equation reads.
    void noteReads(const std::vector<int>& variables);

    // While the equation area is evaluated: what this file's equation area came to so far (the
    // variables by name, the replacer of their names, each equation cell's translation).
    struct CalcIndex;
    struct EquationPlan;
    // The plan of the file at path, kept from one evaluation to the next (one set per thread).
    static EquationPlan& planOf(const Zrk_String& path);
    EquationPlan* plan_ = nullptr;
    const CalcIndex* calcIndex_ = nullptr;
};
