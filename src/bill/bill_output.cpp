#include "bill/bill_output.h"

#include <atomic>
#include <filesystem>
#include <unistd.h>

#include "bill/bill_sheet_holder.h"
#include "core/files.h"
#include "core/text.h"
#include "host/command_line.h"
#include "sheetdoc/sheet_preparation.h"
#include "spread/zrk_spread.h"
#include "spreadlib/constants.h"
#include "ui/bill_pictures.h"

using namespace spreadlib;

namespace {

constexpr int kRowStep = 100;
constexpr int kGridLineKind = 7;
constexpr Color kGridLineColor = rgb(50, 50, 50);
constexpr Color kSubtotalColor = rgb(164, 209, 255);
constexpr int kTextLength = 200;
constexpr int kPictureColumn = 2;
constexpr int kProgressMargin = 20;
constexpr char kTitleMark = '\xBF';

// A file for the picture of one row, in the temporary folder; deleted once the row has it.
Zrk_String pictureFileName() {
    static std::atomic<unsigned> counter{0};
    std::error_code error;
    Zrk_String folder = core::fromOsPath(std::filesystem::temp_directory_path(error).string());
    if (error || folder.empty()) folder = "/tmp";
    return ensureEndSlash(folder) + "ss-bill-" + intToStr(::getpid()) + "-" + intToStr(++counter) + ".bmp";
}

} // namespace

namespace bill {

Zrk_String billTitle(const Zrk_String& fileName) {
    const Zrk_String name = getFileName(normalizePath(fileName), false);
    const std::size_t mark = name.rfind(kTitleMark);
    return mark == Zrk_String::npos ? name : name.substr(mark + 1);
}

Zrk_String billDate(const std::tm& time) {
    static const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
    const auto twoDigits = [](int n) { return Zrk_String(n < 10 ? "0" : "") + intToStr(n); };
    const int month = time.tm_mon >= 0 && time.tm_mon < 12 ? time.tm_mon : 0;
    return twoDigits(time.tm_mday) + " " + kMonths[month] + ", " + intToStr(time.tm_year + 1900) + " (" +
           twoDigits(time.tm_hour) + ":" + twoDigits(time.tm_min) + ")";
}

} // namespace bill

KvSSBillOutput::KvSSBillOutput() : sheetHolder(std::make_shared<BillSheetHolder>()) {}
KvSSBillOutput::KvSSBillOutput(const KvSSBillOutput& other) = default;
KvSSBillOutput& KvSSBillOutput::operator=(const KvSSBillOutput& other) = default;
KvSSBillOutput::~KvSSBillOutput() = default;

Zrk_Spread* KvSSBillOutput::getSSPointer() {
    if (!sheetHolder || !sheetHolder->create()) return nullptr;
    return sheetHolder->grid();
}

Acad::ErrorStatus KvSSBillOutput::init(Zrk_String fileName, const Zrk_StringArray& columnNames,
                                       const Zrk_Array<int>& notRead, const Zrk_Array<int>& columnKinds,
                                       const Zrk_String& settingsName, const Zrk_StringArray& variableNames,
                                       const Zrk_StringArray& variableValues) {
    if (!sheetHolder) return Acad::eCreateFailed;
    Zrk_Spread* grid = getSSPointer();
    if (!grid) return Acad::eCreateFailed;

    this->fileName = std::move(fileName);
    grid->prepareFromSettings(settingsName);
    grid->sheet().setGridType(kGridLineKind);
    grid->sheet().setGridColor(kGridLineColor);
    this->variableNames = variableNames;
    this->variableValues = variableValues;
    grid->setNrCols(columnNames.length(), true);
    grid->setColumnHeaders(columnNames);
    this->columnKinds = columnKinds;
    return Acad::eOk;
}

void KvSSBillOutput::setVars(int setting1, int setting2, int setting3, bool flag1, bool flag2, Zrk_Bill* bill,
                             AcTransaction* transaction) {
    imageSetting1 = setting1;
    imageSetting2 = setting2;
    imageSetting3 = setting3;
    imageFlag1 = flag1;
    imageFlag2 = flag2;
    this->bill = bill;
    this->transaction = transaction;
}

void KvSSBillOutput::nextRow(Zrk_Spread& grid) {
    ++currentRow;
    if (currentRow <= grid.getNrRows()) return;
    // New rows copy the last one, so they are emptied.
    grid.setNrRows(currentRow + kRowStep);
    grid.clearRowsFrom(currentRow, currentRow + kRowStep);
}

void KvSSBillOutput::setRowProperties(int row) {
    Zrk_Spread* grid = getSSPointer();
    if (!grid) return;
    const int columns = std::min(grid->getNrCols(), columnKinds.length());
    for (int column = 1; column <= columns; ++column) {
        switch (columnKinds[column - 1]) {
        case kWholeNumber: grid->setNumberCells(column, row, 0, true); break;
        case kOneDecimal: grid->setNumberCells(column, row, 1, true); break;
        case kText: grid->setTextCells(column, row, kTextLength); break;
        default: break;
        }
        grid->setBorder(column, row, column, row, kBorderNone, kBorderStyleNone, kColorDefault);
        grid->SSRemoveCellSpan(column, row);
    }
    int height = 0;
    if (grid->getMaxTextRowHeight(row, height)) grid->setRowHeightInPixels(row, height);
}

void KvSSBillOutput::addRow(const Zrk_StringArray& row, const Zrk_String& pictureFile) {
    Zrk_Spread* grid = getSSPointer();
    if (!grid) return;
    if (row.length() > grid->getNrCols()) grid->setNrCols(row.length(), true);
    nextRow(*grid);
    setRowProperties(currentRow);
    grid->fillRow(currentRow, row, true);

    if (pictureFile.empty() || !fileExists(pictureFile)) return;
    nextRow(*grid);
    grid->setImageRow(pictureFile, kPictureColumn, currentRow);
    grid->setPictureCell(1, currentRow, kPictureRowBitmap);
}

Acad::ErrorStatus KvSSBillOutput::onStartFeed() {
    if (picturesWanted()) initBMPDialog(imageSetting2 + kProgressMargin);
    return Acad::eOk;
}

void KvSSBillOutput::onAddRow(const Zrk_StringArray& row) {
    if (!picturesWanted()) {
        addRow(row, Zrk_String());
        return;
    }
    const Zrk_String picture = pictureFileName();
    const bool made = createImage(row, picture, imageSetting1, imageSetting2, imageSetting3, imageFlag1, imageFlag2,
                                  bill, transaction);
    addRow(row, made ? picture : Zrk_String());
    deleteFile(picture);
}

void KvSSBillOutput::onAddSubTotals(const Zrk_StringArray& row, const Zrk_StringArray& labels, bool grandTotal,
                                    int level) {
    addRow(row, Zrk_String());
    Zrk_Spread* grid = getSSPointer();
    if (!grid) return;
    const int columns = std::min(grid->getNrCols(), row.length());
    for (int column = 1; column <= columns; ++column) {
        if (row[column - 1].empty()) continue;
        grid->setBorder(column, currentRow, column, currentRow, kBorderAll, kBorderStyleSolid, kColorDefault);
        grid->setColor(column, currentRow, column, currentRow, kSubtotalColor, kColorDefault);
    }
}

Acad::ErrorStatus KvSSBillOutput::onEndFeed() {
    if (picturesWanted()) closeBMPDialog();
    Zrk_Spread* grid = getSSPointer();
    if (!grid) return Acad::eInvalidInput;

    if (currentRow < grid->getNrRows()) grid->setNrRows(currentRow);

    // Every column as wide as its widest text, pictures left out (they span the row).
    const int columns = grid->getNrCols();
    grid->setCellType(1, 0, columns, 0, CellType::header(kStyleHeaderCell));
    for (int column = 1; column <= columns; ++column) {
        int width = 0;
        if (grid->getMaxTextColWidth(column, width, true)) grid->setColWidthInPixels(column, width);
    }

    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    Zrk_StringArray names = {"Date", "Title", "BillFilename"};
    Zrk_StringArray values = {bill::billDate(local), bill::billTitle(fileName), fileName};
    names.append(variableNames);
    values.append(variableValues);
    grid->setDocumentVariables(names, values);

    if (!saveWithSettings(*grid, fileName)) {
        // The list engine would take the bill as written: say that it is not.
        acutPrintf("*Error* The bill was not saved: %s\n", grid->lastFileMessage().c_str());
        return Acad::eFilerError;
    }
    return Acad::eOk;
}
