#include "macrodlg/dlg_prof_segmented.h"

#include "core/language.h"
#include "core/number_text.h"
#include "core/text.h"
#include "module/entry_function.h"
#include "module/module_resources.h"
#include "ui/dialog_size.h"

namespace {

using ui::Kind;
using D = DlgProfSegmented;

const ui::DialogTemplate
    kSegmentedTemplate(D::kTemplate, "Segmented profiles", 260, 230, ui::dialogStyle::Resizable,
                       {
                           {D::kEntriesLabel, Kind::Static, "Profile:", 7, 9, 50, 9},
                           {D::kEntries, Kind::DropListCombo, "", 60, 7, 193, 90},
                           {D::kFrame, Kind::GroupBox, "Segments", 7, 26, 246, 176},
                           {D::kNameLabel, Kind::Static, "Name:", 14, 42, 50, 9},
                           {D::kName, Kind::Edit, "", 66, 40, 90, 13},
                           {D::kGapLabel, Kind::Static, "Gap:", 14, 59, 50, 9},
                           {D::kGap, Kind::Edit, "", 66, 57, 50, 13},
                           {D::kBreak, Kind::CheckBox, "Break at every point", 124, 59, 122, 10},
                           {D::kPoints, Kind::Placeholder, "", 14, 76, 232, 100, ui::style::Sunken},
                           {D::kInsertRow, Kind::BitmapButton, "", 14, 181, 18, 15, 0, 212},
                           {D::kDeleteRow, Kind::BitmapButton, "", 35, 181, 18, 15, 0, 206},
                           {D::kButton, Kind::PushButton, "Points", 176, 181, 70, 14},
                           {ui::IDOK, Kind::DefPushButton, "OK", 149, 209, 50, 14},
                           {ui::IDCANCEL, Kind::PushButton, "Cancel", 203, 209, 50, 14},
                       });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kSegmentedTemplate);

const char* const kSizeKey = "DLG_MACRO_PROFSEGMENTED";
constexpr int kEntryFields[] = {D::kPoints, D::kNameLabel, D::kName,      D::kGapLabel, D::kGap,
                                D::kBreak,  D::kInsertRow, D::kDeleteRow, D::kButton};

} // namespace

DlgProfSegmented::DlgProfSegmented(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

bool DlgProfSegmented::onInitDialog() {
    grid.attach(this, kPoints, true);
    grid.applyStandardLook(true);
    setItemToolTip(kInsertRow, dialString(1025));
    setItemToolTip(kDeleteRow, dialString(1026));
    setTitle(dialString(1027));
    for (auto [id, text] : {std::pair{kEntriesLabel, 1028},
                            {kFrame, 63},
                            {kNameLabel, 1029},
                            {kGapLabel, 266},
                            {kBreak, 1030},
                            {kButton, 1031},
                            {ui::IDOK, 1},
                            {ui::IDCANCEL, 2}})
        frame::setItemTextFromTable(*this, id, text);
    resizer_.attach(this);
    resizer_.track(kEntriesLabel, 3, 3);
    resizer_.track(kEntries, 6, 3);
    for (int id : {kFrame, kPoints})
        resizer_.track(id, 6, 6);
    for (int id : {kNameLabel, kName, kGapLabel, kGap, kBreak})
        resizer_.track(id, 5, 3);
    for (int id : {kInsertRow, kDeleteRow, kButton})
        resizer_.track(id, 5, 5);
    for (int id : {ui::IDOK, ui::IDCANCEL})
        resizer_.track(id, 3, 5);
    setMinTrackSize(size());
    ChangeDlgSize(this, kSizeKey);
    for (const MacroSegmentedProfile& entry : data)
        comboAddString(kEntries, entry.name + " - " + entry.text);
    showEntry(0);
    return true;
}

void DlgProfSegmented::onSize(int, int) {
    resizer_.move();
}

void DlgProfSegmented::showEntry(int index) {
    shown_ = data.isValid(index) ? index : -1;
    comboSetCurSel(kEntries, shown_);
    for (int id : kEntryFields)
        enableItem(id, shown_ >= 0);
    if (shown_ < 0) return;
    const MacroSegmentedProfile& entry = data[shown_];
    setItemText(kName, entry.name);
    setItemText(kGap, doubleToStr(entry.gap, 2));
    setCheck(kBreak, entry.breakAtPoints ? 1 : 0);
    const int rows = entry.pointValues.length();
    grid.setRedraw(false);
    grid.setNrRows(0);
    grid.setMaxCols(2);
    grid.setMaxRows(rows);
    grid.applyFonts();
    grid.setColumnHeaders({dialString(1032) + " nr.", dialString(1033)});
    if (rows > 0) {
        grid.setNumberCells(1, 1, 1, rows, 2);
        grid.setTextCells(2, 1, 2, rows);
    }
    grid.fillColumn(1, entry.pointValues);
    grid.fillColumn(2, entry.pointTexts);
    grid.setLayout(1);
    grid.applyLayout();
    grid.setRedraw(true);
}

void DlgProfSegmented::storeEntry(int index) {
    if (!data.isValid(index)) return;
    MacroSegmentedProfile& entry = data[index];
    entry.name = itemText(kName);
    entry.gap = core::toDouble(itemText(kGap));
    entry.breakAtPoints = checkState(kBreak) == 1;
    grid.setEditMode(false); // a value being typed counts
    Zrk_Array<double> values;
    Zrk_StringArray texts;
    if (grid.getNrRows() > 0) {
        Zrk_StringArray valueTexts;
        grid.readColumn(1, valueTexts);
        for (const Zrk_String& text : valueTexts)
            values.append(core::toDouble(text));
        grid.readColumn(2, texts);
    }
    entry.pointValues = values;
    entry.pointTexts = texts;
}

bool DlgProfSegmented::onCommand(int id, int code) {
    if (id == kEntries && code == ui::CBN_SELCHANGE) {
        storeEntry(shown_);
        showEntry(comboCurSel(kEntries));
        return true;
    }
    if (code == ui::BN_CLICKED) {
        int column = 0, row = 0;
        if (id == kInsertRow) {
            // At the active row; with no rows (or none active) the first.
            if (grid.getNrRows() <= 0 || !grid.getActiveCell(column, row) || row < 1) row = 1;
            grid.insertRowAt(std::min(row, grid.getNrRows() + 1));
            return true;
        }
        if (id == kDeleteRow) {
            if (grid.getActiveCell(column, row) && row >= 1) grid.deleteRowAt(row);
            return true;
        }
        if (id == kButton) return true; // no behaviour of its own
    }
    return ui::Dialog::onCommand(id, code);
}

void DlgProfSegmented::onOK() {
    storeEntry(shown_);
    endDialog(ui::IDOK);
}

void DlgProfSegmented::onDestroy() {
    WriteDlgSize(this, kSizeKey);
}

bool StartDlgProfSegmented(Zrk_Array<MacroSegmentedProfile>& segments) {
    return frame::runModalOnCopy<DlgProfSegmented>(segments);
}
