#pragma once
// KvSSBillOutput: writes a bill of materials into a spreadsheet file. The core library's list engine
// feeds it row by row (Zrk_ListOutputCallback): init, setVars, then onStartFeed, onAddRow and
// onAddSubTotals in the bill's order, and onEndFeed, which saves the sheet with its document
// settings. The sheet is built in a grid of a hidden window of the module.
//
// Rows: each written row takes the cell types of its column's kind (1 whole number, 2 number with one
// decimal, 3 text), no border and no merged cells; a row with a picture is followed by an image row.
// The sheet grows in steps of 100 rows and is cut to the rows written at the end. Subtotal rows get
// a full border and a light blue background in their non-empty cells. The document variables begin
// with "Date", "Title" and "BillFilename", followed by the caller's.
//
// Copies share the hidden window (and its grid): it is made once and destroyed when the last copy
// goes.

#include <ctime>
#include <memory>

#include "core/list_output.h"
#include "core/zrk_string.h"
#include "module/export.h"

class AcTransaction;
class BillSheetHolder;
class Zrk_Spread;

class SS_EXPORT KvSSBillOutput : public Zrk_ListOutputCallback {
public:
    // Column kinds.
    enum ColumnKind : int { kWholeNumber = 1, kOneDecimal = 2, kText = 3 };
    // The module's bitmap shown in column 1 of an image row.
    static constexpr int kPictureRowBitmap = 251;

    KvSSBillOutput();
    KvSSBillOutput(const KvSSBillOutput& other);
    KvSSBillOutput& operator=(const KvSSBillOutput& other);
    ~KvSSBillOutput() override;

    // Makes the hidden window, prepares the sheet from the named document settings, sets the columns
    // and their names and keeps the kinds and the variables. eCreateFailed (337) when the window or
    // its grid cannot be made. The integer array after the names is not read.
    Acad::ErrorStatus init(Zrk_String fileName, const Zrk_StringArray& columnNames, const Zrk_Array<int>& notRead,
                           const Zrk_Array<int>& columnKinds, const Zrk_String& settingsName,
                           const Zrk_StringArray& variableNames, const Zrk_StringArray& variableValues);
    // The image maker's five settings (ui/bill_pictures.h), the bill and the transaction. Pictures
    // are made only when both the bill and the transaction are set.
    void setVars(int setting1, int setting2, int setting3, bool flag1, bool flag2, Zrk_Bill* bill,
                 AcTransaction* transaction);

    Acad::ErrorStatus onStartFeed() override;
    void onAddRow(const Zrk_StringArray& row) override;
    void onAddSubTotals(const Zrk_StringArray& row, const Zrk_StringArray& labels, bool grandTotal, int level) override;
    // Cuts the sheet to its rows, fits the columns, sets the document variables and saves the sheet
    // with its settings. eInvalidInput (3) without a grid; eFilerError when the file could not be
    // written (a line on the host's command line says why).
    Acad::ErrorStatus onEndFeed() override;

    // The last row written (rows are 1-based).
    int lastRow() const { return currentRow; }

private:
    friend class KvSSBillOutputInspector; // tests look at the grid

    Zrk_Spread* getSSPointer();
    void nextRow(Zrk_Spread& grid);
    void addRow(const Zrk_StringArray& row, const Zrk_String& pictureFile);
    void setRowProperties(int row);
    bool picturesWanted() const { return bill != nullptr && transaction != nullptr; }

    int imageSetting1 = -1;
    int imageSetting2 = 0;
    int imageSetting3 = 0;
    bool imageFlag1 = true;
    bool imageFlag2 = true;
    Zrk_Bill* bill = nullptr;
    AcTransaction* transaction = nullptr;
    std::shared_ptr<BillSheetHolder> sheetHolder;
    int currentRow = 0;
    Zrk_Array<int> columnKinds;
    Zrk_String fileName;
    Zrk_StringArray variableNames;
    Zrk_StringArray variableValues;
};

namespace bill {
// The title of a bill file: its name without folder and extension, and without everything up to and
// including the last 0xBF ('¿') when it holds one.
Zrk_String billTitle(const Zrk_String& fileName);
// A time as the bill's "Date" variable: "07 December, 2026 (14:05)", English month names whatever
// the process locale.
Zrk_String billDate(const std::tm& time);
} // namespace bill
