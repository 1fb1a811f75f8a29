#include "sheetdoc/sheet_preparation.h"

#include "core/files.h"
#include "sheetdoc/document_settings.h"
#include "sheetdoc/editor_defaults.h"
#include "spread/zrk_spread.h"
#include "spreadlib/constants.h"

using namespace spreadlib;

namespace {

constexpr int kDocumentColumns = 6;
constexpr int kDocumentRows = 11;
constexpr int kDocumentEditLength = 100;
// The grid-line setting of a new document, as the grid wrapper reads the library's (1, -1) of its
// standard look: kind 4, colour value 5.
constexpr int kDocumentGridKind = 4;
constexpr Color kDocumentGridColor = 5;
constexpr int kTipMode = 2;  // floating
constexpr int kTipDelay = 10; // milliseconds

bool hasFont(const DocumentSettings& settings) {
    return !settings.defaultFont.empty() && settings.defaultTextHeight > 0;
}

// The grid's share of prepareFromSettings: the sheet, then the font it is to use.
bool prepareHook(Zrk_Spread& grid, const Zrk_String& settingsName, Zrk_String& fontName, int& fontHeight) {
    if (!prepareSheet(grid, settingsName)) return false;
    DocumentSettings settings;
    settings.readFromGrid(grid);
    if (!settings.defaultFont.empty()) fontName = settings.defaultFont;
    if (settings.defaultTextHeight > 0) fontHeight = settings.defaultTextHeight;
    return true;
}

bool setVariablesHook(Zrk_Spread& grid, const Zrk_StringArray& names, const Zrk_StringArray& values) {
    DocumentSettings settings;
    settings.readFromGrid(grid);
    settings.varNames = names;
    settings.varValues = values;
    return settings.applyToGrid(grid);
}

[[maybe_unused]] const bool kHooks = (spread::setDocumentHooks(&prepareHook, &setVariablesHook), true);

} // namespace

void DocumentSettings::readFromGrid(Zrk_Spread& grid) {
    if (grid.attached) {
        readFromSheet(grid.sheet());
    } else {
        reset();
        loaded = true;
    }
    this->grid = &grid;
}

bool DocumentSettings::applyToGrid(Zrk_Spread& grid) const { return grid.attached && applyToSheet(grid.sheet()); }

bool prepareSheet(Zrk_Spread& grid, const Zrk_String& settingsName) {
    if (!grid.attached) return false;
    for (const int option : {kOptionUserFormulas, kOptionCellOverflow, kOptionAutoCalc, kOptionMoveActiveOnEnter})
        grid.setBool(option, true);

    grid.setMaxCols(kDocumentColumns);
    grid.setMaxRows(kDocumentRows);
    grid.sheet().setGridType(kDocumentGridKind);
    grid.sheet().setGridColor(kDocumentGridColor);
    grid.setCellType(1, 1, kDocumentColumns, kDocumentRows, CellType::edit(kStyleDocumentEditCell, kDocumentEditLength));

    DocumentSettings settings;
    if (!settings.readNamed(settingsName)) {
        EditorDefaults defaults;
        defaults.read();
        settings.readNamed(defaults.defaultSettings);
    }
    settings.applyToGrid(grid);

    FontSpec font;
    if (hasFont(settings)) {
        font.face = settings.defaultFont;
        font.height = settings.defaultTextHeight;
        const int columns = grid.getMaxCols();
        const int rows = grid.getMaxRows();
        font.weight = kFontWeightNormal;
        grid.setFont(1, 1, columns, rows, font);
        font.weight = kFontWeightBold;
        grid.setFont(0, 0, 0, rows, font);
        grid.setFont(0, 0, columns, 0, font);
        font.weight = kFontWeightNormal;
    }

    TextTipSettings tip;
    grid.SSGetTextTip(tip);
    tip.mode = kTipMode;
    tip.delay = kTipDelay;
    if (hasFont(settings)) tip.font = font;
    grid.SSSetTextTip(tip);
    grid.SSSetCellNoteIndicator(0);
    return true;
}

bool saveWithSettings(Zrk_Spread& grid, const Zrk_String& documentPath) {
    const Zrk_String path = normalizePath(documentPath);
    if (!grid.saveFile(path)) return false;
    grid.setBool(kOptionChanged, false);
    DocumentSettings settings;
    settings.readFromGrid(grid);
    if (settings.relocateHeaderFooter(path, true) || settings.relocateHeaderFooter(path, false))
        settings.applyToGrid(grid);
    return true;
}
