#pragma once
// The "Formulas" window (template 133): a grid that loads a spreadsheet file and either reads it out
// (mode 4, ReadSSFile), evaluates one cell (mode 1, EvaluateSS), or serves the module's spreadsheet
// function FROMTABLE (mode 2), which looks a value up in another spreadsheet file by key. Progress and
// results are traced on the host's command line.
//
//   FROMTABLE(file, cell)                    the value of that cell of the file
//   FROMTABLE(file, cell, target)            that cell's data text written into target of the calling
//                                            sheet; no value
//   FROMTABLE(file, keyColumn, valueColumn, key)
//                                            the value in the column headed valueColumn, in the first
//                                            row whose cell in the column headed keyColumn is key
//                                            (headers and keys compared as data texts, letter case
//                                            ignored)
//
// The look-up and the read-out run without showing the window (the traces are the same).

#include "core/zrk_string.h"
#include "module/export.h"
#include "spread/zrk_spread.h"
#include "spreadlib/value_record.h"
#include "ui/dialog.h"

class SS_EXPORT DlgFormulas : public ui::Dialog {
public:
    static constexpr int kTemplateId = 133;
    enum Mode : int { kEvaluate = 1, kLookup = 2, kRead = 4 };
    // Control ids.
    static constexpr int kFileName = 1000;
    static constexpr int kSaveToFile = 1001;
    static constexpr int kGrid = 1004;
    static constexpr int kStyleDefault = 1005;
    static constexpr int kStyleA1 = 1006;
    static constexpr int kStyleR1C1 = 1007;
    static constexpr int kLoadFromFile = 1087;
    static constexpr int kAutoCalculate = 1106;
    static constexpr int kRecalculate = 1107;

    explicit DlgFormulas(QWidget* owner = nullptr);
    ~DlgFormulas() override;

    Zrk_Spread grid;
    int mode = kEvaluate;
    Zrk_String fileName;
    // Mode 1: the cell to evaluate and its data text afterwards.
    int targetColumn = 1;
    int targetRow = 1;
    Zrk_String resultText;
    // Mode 2: the records of the FROMTABLE call, and the grid it came from.
    spreadlib::ValueRecord* lookupResult = nullptr;
    const spreadlib::ValueRecord* lookupArguments = nullptr;
    int lookupArgumentCount = 0;
    Zrk_Spread* callingGrid = nullptr;
    // Mode 4: what the file holds (the caller's arrays; nothing is read without both).
    Zrk_StringArray* columnNames = nullptr;
    Zrk_Array<Zrk_StringArray>* rowArrays = nullptr;
    Zrk_String* topLeftText = nullptr;

    // Runs the mode's work without showing the window: builds it, initialises it (which does the
    // work), and destroys it. False when the window could not be built.
    bool runHidden();

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;

private:
    void registerFromTable();
    void readFile();
    void lookUp();
    void setReferenceStyle(int style);
};

// The grid FROMTABLE reads its cell-reference arguments from: the window's grid while a window
// evaluates or looks up, else null.
Zrk_Spread* currentFormulasGrid();

// The FROMTABLE callback: a look-up in a hidden "Formulas" window. Always answers 1; the result
// stays empty (status 2) when nothing is found, or is unreadable (status 1).
long fromTable(spreadlib::ValueRecord& result, const spreadlib::ValueRecord* args, int argCount);

// Reads a spreadsheet file: the data text of its cell (1, 1), its column headers, and the data
// texts of every row. Nothing is read unless both arrays are given.
SS_EXPORT void ReadSSFile(const Zrk_String& path, Zrk_String* topLeftText, Zrk_StringArray* columnNames,
                          Zrk_Array<Zrk_StringArray>* rows);
// Opens the "Formulas" window on the file "c:\a\t3.sss" and evaluates its cell (1, 1).
SS_EXPORT void EvaluateSS();
