#include "macrodlg/dlg_select_macro.h"

#include <QFontMetrics>
#include <QTableView>

#include "core/files.h"
#include "core/language.h"
#include "core/macro_langs.h"
#include "core/text.h"
#include "module/entry_function.h"
#include "module/module_resources.h"
#include "spreadlib/grid/grid_notify.h"
#include "ui/dialog_size.h"
#include "ui/image_list_ctrl.h"
#include "ui/macro_previews.h"

namespace {

using ui::Kind;
using S = DlgSelectMacro;

const ui::DialogTemplate kSelectMacroTemplate(
    S::kTemplate, "Select a connection", 330, 280, ui::dialogStyle::Resizable,
    {
        {S::kShowHide, Kind::BitmapButton, "", 7, 6, 16, 14, ui::style::Icon, S::kIconShown},
        {S::kFilterFrame, Kind::GroupBox, "Filter  ", 26, 4, 297, 96},
        {S::kFilterGrid, Kind::Placeholder, "", 33, 16, 283, 78, ui::style::Sunken},
        {S::kImages, Kind::ImageList, "", 7, 106, 316, 146},
        {S::kHint, Kind::Static, "", 7, 200, 316, 50, ui::style::Hidden},
        {S::kExtra, Kind::PushButton, "Other...", 7, 259, 70, 14},
        {ui::IDOK, Kind::DefPushButton, "OK", 219, 259, 50, 14},
        {ui::IDCANCEL, Kind::PushButton, "Cancel", 273, 259, 50, 14},
    });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kSelectMacroTemplate);

const char* const kSizeKey = "DLG_SELECT_MACRO";
const char* const kLargeKey = "LARGE_DLG";
constexpr int kHintUnits = 60; // the thumbnails give way to the hint
constexpr spreadlib::Color kGreyed = 0xDCDCDC;
constexpr int kCheckColumnPixels = 22; // a check box and its margins

} // namespace

DlgSelectMacro::DlgSelectMacro(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

Zrk_String DlgSelectMacro::pictureOf(const Zrk_String& drawing) {
    const Zrk_String bitmap = changeExtension(drawing, "bmp");
    return fileExists(bitmap) ? bitmap : changeExtension(drawing, kPreviewExtension);
}

Zrk_StringArray DlgSelectMacro::captionsOf(const Zrk_StringArray& drawings) {
    Zrk_StringArray full, stripped;
    for (const Zrk_String& drawing : drawings) {
        full.append(gMacroLangs.GetString({}, getFileName(drawing, false)));
        stripped.append(stripNumbersAtEnd(full.last()));
    }
    return hasDuplicates(stripped) ? full : stripped;
}

bool DlgSelectMacro::onInitDialog() {
    grid.attach(this, kFilterGrid, true);
    grid.applyStandardLook(false);
    setItemToolTip(kShowHide, "Show or hide filter options");

    resizer_.attach(this);
    resizer_.track(kShowHide, CResizer::Near | CResizer::Size, CResizer::Near | CResizer::Size);
    resizer_.track(kFilterFrame, CResizer::Near | CResizer::Far, CResizer::Near | CResizer::Size);
    resizer_.track(kFilterGrid, CResizer::Near | CResizer::Far, CResizer::Near | CResizer::Size);
    resizer_.track(kImages, CResizer::Near | CResizer::Far, CResizer::Near | CResizer::Far);
    resizer_.track(kHint, CResizer::Near | CResizer::Far, CResizer::Far | CResizer::Size);
    resizer_.track(kExtra, CResizer::Near | CResizer::Size, CResizer::Far | CResizer::Size);
    for (int id : {ui::IDOK, ui::IDCANCEL})
        resizer_.track(id, CResizer::Far | CResizer::Size, CResizer::Far | CResizer::Size);

    if (!extraAllowed) {
        enableItem(kExtra, false);
        if (showHint) {
            setItemText(kHint, dialString(1312) + "\n" + dialString(1313));
            showItem(kHint, true);
            resizer_.resizeCtrl(kImages, 0, 0, 0, -mapDialogRect(QRect(0, 0, 4, kHintUnits)).height());
        }
    }
    setMinTrackSize(size());
    ChangeDlgSize(this, kSizeKey);

    setTitle(caption.empty() ? dialString(1116) : caption);
    setItemText(kFilterFrame, dialString(1644) + "  ");
    frame::setItemTextFromTable(*this, ui::IDOK, 1);
    frame::setItemTextFromTable(*this, ui::IDCANCEL, 2);
    frame::setItemTextFromTable(*this, kExtra, 1309);
    collapseHeight = itemRect(kFilterFrame).height() - 8;

    createMissingPreviews();
    buildFilterGrid();
    buildThumbnails();

    bool large = true; // the template's layout is the one with the filter shown
    readDlgRegBool(kSizeKey, kLargeKey, large);
    filterShown = true;
    if (!large) showFilter(false);
    gotoDlgCtrl(kImages);
    return false;
}

void DlgSelectMacro::createMissingPreviews() {
    Zrk_StringArray all, missing;
    filter.getAllDwgFiles(all);
    for (const Zrk_String& drawing : all)
        if (!fileExists(changeExtension(drawing, "bmp")) &&
            !fileExists(changeExtension(drawing, kPreviewExtension)))
            missing.append(drawing);
    CreatePreviewBMPs(missing, kPreviewExtension);
}

void DlgSelectMacro::buildThumbnails() {
    filter.getFilteredMacros(files);
    Zrk_StringArray pictures;
    for (const Zrk_String& drawing : files)
        pictures.append(pictureOf(drawing));
    labels = captionsOf(files);
    itemAs<CImageListCtrl>(kImages)->setImages(pictures, labels);
}

void DlgSelectMacro::buildFilterGrid() {
    Zrk_Array<Zrk_StringArray> rows;
    Zrk_Array<Zrk_Array<bool>> states;
    filterValid_ = filter.getMergedProperties(rows, states);
    if (!filterValid_) return; // the grid stays as it was
    filterRows = rows;
    filterStates = states;
    int pairs = 0;
    for (const Zrk_StringArray& row : rows)
        pairs = std::max(pairs, row.length());
    grid.setRedraw(false);
    grid.setNrRows(0);
    grid.setMaxCols(2 * pairs);
    grid.setMaxRows(rows.length());
    grid.applyFonts();
    Zrk_StringArray headers;
    for (int k = 0; k < pairs; ++k) {
        headers.append(k == 0 ? dialString(1119) : dialString(1120) + " " + intToStr(k));
        headers.append(Zrk_String());
    }
    grid.setColumnHeaders(headers);
    for (int k = 0; k < pairs; ++k)
        grid.SSAddCellSpan(2 * k + 1, 0, 2, 1);
    for (int r = 0; r < rows.length(); ++r) {
        const int row = r + 1;
        for (int i = 0; i < pairs; ++i) {
            const int box = 2 * i + 1, name = box + 1;
            if (i < rows[r].length()) {
                grid.setCheckBoxCell(box, row);
                grid.setCellBool(box, row, states[r].begin()[i]);
                grid.setStaticCells(name, row);
                grid.setCellText(name, row, rows[r][i]);
                grid.setCellLocked(box, row, false);
                grid.setCellLocked(name, row, true);
            } else {
                grid.setStaticCells(box, row, name, row);
                grid.setColor(box, row, name, row, kGreyed, spreadlib::kColorDefault);
                grid.setLock(box, row, name, row, true);
            }
        }
    }
    // Each name column as wide as its names and its pair's header need.
    const QFontMetrics metrics(grid.view()->font());
    for (int k = 0; k < pairs; ++k) {
        int width = 0;
        grid.getMaxTextColWidth(2 * k + 2, width);
        const int header = metrics.horizontalAdvance(QString::fromStdString(headers[2 * k])) + 12;
        grid.setColWidthInPixels(2 * k + 1, kCheckColumnPixels);
        grid.setColWidthInPixels(2 * k + 2, std::max({width + 10, header - kCheckColumnPixels, 40}));
    }
    grid.setRedraw(true);
}

void DlgSelectMacro::boxTicked() {
    int column = 0, row = 0;
    if (!filterValid_ || !grid.getActiveCell(column, row) || !filterRows.isValid(row - 1)) return;
    const Zrk_StringArray& entries = filterRows[row - 1];
    const int index = (column - 1) / 2;
    bool ticked = false;
    if (!entries.isValid(index) || !grid.getCellBool(column, row, ticked)) return;
    if (index == 0)
        filter.setModuleStatus(entries[0], ticked);
    else
        filter.setModulePropStatus(entries[0], entries[index], ticked);
    buildFilterGrid();
    buildThumbnails();
}

void DlgSelectMacro::showFilter(bool show) {
    if (show == filterShown) return;
    filterShown = show;
    const int change = show ? collapseHeight : -collapseHeight;
    showItem(kFilterGrid, show);
    resizer_.resizeCtrl(kFilterFrame, 0, 0, 0, change);
    resizer_.resizeCtrl(kImages, 0, change, 0, -change);
    setItemImage(kShowHide, show ? kIconShown : kIconHidden);
}

bool DlgSelectMacro::onCommand(int id, int code) {
    if (id == kFilterGrid && code == spreadlib::kGridCheckBoxClicked) {
        boxTicked();
        return true;
    }
    if (id == kShowHide && code == ui::BN_CLICKED) {
        showFilter(!filterShown);
        return true;
    }
    if (id == kExtra && code == ui::BN_CLICKED) {
        extraPressed = true;
        result.clear();
        endDialog(ui::IDOK);
        return true;
    }
    return ui::Dialog::onCommand(id, code);
}

bool DlgSelectMacro::onNotify(int id, int code, const void*) {
    if (id == kImages && code == ui::NM_DBLCLK) {
        onOK();
        return true;
    }
    return false;
}

void DlgSelectMacro::onOK() {
    const Zrk_String picture = itemAs<CImageListCtrl>(kImages)->selectedName();
    if (picture.empty()) return; // nothing chosen: the dialog stays
    result = changeExtension(picture, Zrk_MacroPropsFilter::kDrawingExtension);
    extraPressed = false;
    endDialog(ui::IDOK);
}

void DlgSelectMacro::onSize(int, int) {
    resizer_.move();
}

void DlgSelectMacro::onDestroy() {
    WriteDlgSize(this, kSizeKey);
    writeDlgRegBool(kSizeKey, kLargeKey, filterShown);
}

bool StartDlgSelectMacro(const Zrk_String& title, const Zrk_StringArray& list, const AcArray<bool>& flags,
                         const int& a, const int& b, Zrk_String& result, bool& special, bool showHint) {
    ModuleResourceSwitch resources;
    DlgSelectMacro dialog;
    dialog.caption = title;
    dialog.filter.initialize(list, flags, a, b);
    dialog.extraAllowed = special;
    dialog.showHint = showHint;
    if (frame::runModal(dialog, frame::Resources::CallerResources) != ui::IDOK) return false;
    result = dialog.result;
    special = dialog.extraPressed;
    return true;
}

bool StartDlgSelectMacro(const Zrk_String& title, const Zrk_StringArray& list, const int& a, const int& b,
                         Zrk_String& result, bool& special, bool showHint) {
    AcArray<bool> flags;
    for (int i = 0; i < list.length(); ++i)
        flags.append(true);
    return StartDlgSelectMacro(title, list, flags, a, b, result, special, showHint);
}
