// The pages of the macro settings dialog: their templates, the filter groups and the tables.

#include <algorithm>

#include "constraints/dialog_texts.h"
#include "constraints/dlg_macro_settings.h"
#include "core/files.h"
#include "core/language.h"
#include "core/number_text.h"
#include "core/settings.h"
#include "core/text.h"
#include "designer/designer_data.h"
#include "module/module_resources.h"

namespace {

using ui::Kind;
using A = MacroAngleFiltersPage;
using S = MacroSizeFiltersPage;
using L = MacroListsPage;
using V = MacroVariablesPage;
using G = MacroGroupsPage;

constexpr unsigned kChild = ui::dialogStyle::Child;
constexpr unsigned kIcon = ui::style::Icon;
constexpr int kAddIcon = 212;
constexpr int kDeleteIcon = 206;

// Every page is as large as the standards page, the largest.
const ui::DialogTemplate kAngleTemplate(
    A::kTemplate, "", 320, 250, kChild,
    {
        {A::kActive, Kind::CheckBox, "Filters active", 4, 2, 300, 10},
        {A::kAxisGroup, Kind::GroupBox, "Filters op hoek van de as", 4, 16, 312, 100},
        {A::kAxisEntries, Kind::DropListCombo, "", 11, 28, 150, 100},
        {A::kAxisOn, Kind::CheckBox, "On", 170, 29, 100, 10},
        {A::kAxisPicture0, Kind::Picture, "", 11, 46, 48, 32, ui::style::Sunken},
        {A::kAxisOption0, Kind::RadioButton, "Angle between the axes", 64, 58, 92, 10, ui::style::Group},
        {A::kAxisPicture1, Kind::Picture, "", 160, 46, 48, 32, ui::style::Sunken},
        {A::kAxisOption1, Kind::RadioButton, "Angle of the directions", 213, 58, 98, 10},
        {A::kAxisLabel0, Kind::Static, "Minimum angle:", 11, 88, 78, 9},
        {A::kAxisValue0, Kind::Edit, "", 90, 86, 60, 12},
        {A::kAxisLabel1, Kind::Static, "Maximum angle:", 160, 88, 78, 9},
        {A::kAxisValue1, Kind::Edit, "", 240, 86, 60, 12},
        {A::kSectionGroup, Kind::GroupBox, "Filters op hoek van de doorsnede", 4, 122, 312, 124},
        {A::kSectionEntries, Kind::DropListCombo, "", 11, 134, 150, 100},
        {A::kSectionOn, Kind::CheckBox, "On", 170, 135, 100, 10},
        {A::kSectionPicture, Kind::Picture, "", 11, 152, 64, 64, ui::style::Sunken},
        {A::kSectionTable, Kind::Placeholder, "", 82, 152, 200, 88},
        {A::kSectionInsert, Kind::BitmapButton, "", 288, 152, 21, 14, kIcon, kAddIcon},
        {A::kSectionDelete, Kind::BitmapButton, "", 288, 170, 21, 14, kIcon, kDeleteIcon},
    });

const ui::DialogTemplate
    kSizeTemplate(S::kTemplate, "", 320, 250, kChild,
                  {
                      {S::kActive, Kind::CheckBox, "Filters active", 4, 2, 300, 10},
                      {S::kPathGroup, Kind::GroupBox, "Path distance", 4, 16, 312, 74},
                      {S::kPathEntries, Kind::DropListCombo, "", 11, 28, 150, 100},
                      {S::kPathOn, Kind::CheckBox, "On", 170, 29, 100, 10},
                      {S::kPathPicture, Kind::Picture, "", 11, 46, 48, 32, ui::style::Sunken},
                      {S::kPathLabel0, Kind::Static, "Minimum distance:", 64, 49, 90, 9},
                      {S::kPathValue0, Kind::Edit, "", 160, 47, 60, 12},
                      {S::kPathLabel1, Kind::Static, "Maximum distance:", 64, 66, 90, 9},
                      {S::kPathValue1, Kind::Edit, "", 160, 64, 60, 12},
                      {S::kSizeGroup, Kind::GroupBox, "Section size", 4, 96, 312, 110},
                      {S::kSizeEntries, Kind::DropListCombo, "", 11, 108, 150, 100},
                      {S::kSizeOn, Kind::CheckBox, "On", 170, 109, 100, 10},
                      {S::kSizePicture, Kind::Picture, "", 11, 126, 48, 32, ui::style::Sunken},
                      {S::kSizeLabel0, Kind::Static, "Minimum height:", 64, 129, 90, 9},
                      {S::kSizeValue0, Kind::Edit, "", 160, 127, 60, 12},
                      {S::kSizeLabel0 + 2, Kind::Static, "Maximum height:", 64, 146, 90, 9},
                      {S::kSizeValue0 + 2, Kind::Edit, "", 160, 144, 60, 12},
                      {S::kSizeLabel0 + 4, Kind::Static, "Minimum width:", 64, 163, 90, 9},
                      {S::kSizeValue0 + 4, Kind::Edit, "", 160, 161, 60, 12},
                      {S::kSizeLabel0 + 6, Kind::Static, "Maximum width:", 64, 180, 90, 9},
                      {S::kSizeValue0 + 6, Kind::Edit, "", 160, 178, 60, 12},
                  });

const ui::DialogTemplate kListsTemplate(
    L::kTemplate, "", 320, 250, kChild,
    {
        {L::kExplanation, Kind::Static, "Lists of texts a macro's variables may choose from.", 4, 2, 312, 20},
        {L::kNamesLabel, Kind::Static, "List:", 4, 28, 60, 9},
        {L::kNames, Kind::DropListCombo, "", 68, 26, 160, 100},
        {L::kTable, Kind::Placeholder, "", 4, 44, 280, 150},
        {L::kInsert, Kind::BitmapButton, "", 290, 44, 21, 14, kIcon, kAddIcon},
        {L::kDelete, Kind::BitmapButton, "", 290, 62, 21, 14, kIcon, kDeleteIcon},
        {L::kPictureLabel, Kind::Static, "Picture:", 4, 204, 60, 9},
        {L::kPicture, Kind::DropListCombo, "", 68, 202, 160, 100},
    });

const ui::DialogTemplate
    kVariablesTemplate(V::kTemplate, "", 320, 250, kChild,
                       {
                           {V::kExplanation, Kind::Static, "", 4, 2, 312, 28},
                           {V::kRoundingLabel, Kind::Static, "Rounding:", 4, 38, 100, 9},
                           {V::kRounding, Kind::DropListCombo, "", 108, 36, 150, 100},
                           {V::kUnitsLabel, Kind::Static, "Units:", 4, 56, 100, 9},
                           {V::kUnits, Kind::DropListCombo, "", 108, 54, 150, 100},
                           {V::kDecimalsLabel, Kind::Static, "Decimals:", 4, 74, 100, 9},
                           {V::kDecimals, Kind::DropDownCombo, "", 108, 72, 60, 100},
                           {V::kTable, Kind::Placeholder, "", 4, 92, 280, 150},
                           {V::kInsert, Kind::BitmapButton, "", 290, 92, 21, 14, kIcon, kAddIcon},
                           {V::kDelete, Kind::BitmapButton, "", 290, 110, 21, 14, kIcon, kDeleteIcon},
                       });

const ui::DialogTemplate kGroupsTemplate(G::kTemplate, "", 320, 250, kChild,
                                         {
                                             {G::kNameLabel, Kind::Static, "", 4, 2, 312, 28},
                                             {G::kName, Kind::Edit, "", 4, 32, 200, 12},
                                             {G::kPrefixLabel, Kind::Static, "", 4, 50, 312, 36},
                                             {G::kPrefix, Kind::Edit, "", 4, 88, 200, 12},
                                             {G::kExplanation, Kind::Static, "", 4, 108, 312, 28},
                                             {G::kTable, Kind::Placeholder, "", 4, 138, 312, 108},
                                         });

[[maybe_unused]] const bool kRegistered =
    frame::registerTemplate(kAngleTemplate) && frame::registerTemplate(kSizeTemplate) &&
    frame::registerTemplate(kListsTemplate) && frame::registerTemplate(kVariablesTemplate) &&
    frame::registerTemplate(kGroupsTemplate);

// A picture of the product folder's icons.
void setPicture(ui::Dialog& dialog, int id, const char* file) {
    dialog.setItemImageFile(id, ensureEndSlash(gSettings.zrkDir) + "icons/" + file);
}

Zrk_String numberText(double value) {
    return doubleToStr(value, 2);
}

Zrk_StringArray texts(std::initializer_list<int> ids) {
    Zrk_StringArray result;
    for (int id : ids)
        result.append(dialString(id));
    return result;
}

bool isEmptyRow(const Zrk_StringArray& row) {
    return std::all_of(row.begin(), row.end(), [](const Zrk_String& cell) { return cell.empty(); });
}

Zrk_String cellOf(const Zrk_StringArray& row, int column) {
    return row.isValid(column) ? row[column] : Zrk_String();
}

} // namespace

// --- SettingsTable -----------------------------------------------------------------------------------

void SettingsTable::attach(ui::Dialog& page, int placeholderId, const Zrk_StringArray& headers) {
    grid.attach(&page, placeholderId, false);
    grid.applyStandardLook(true);
    grid.setLayout(4, -32767, 36); // narrow row numbers, the columns share the rest
    grid.setBool(spreadlib::kOptionAutoCalc, false);
    grid.setBool(spreadlib::kOptionUserFormulas, false);
    grid.setBool(spreadlib::kOptionMoveActiveOnEnter, true);
    grid.setBool(spreadlib::kOptionVerticalScrollBar, true);
    grid.setBool(spreadlib::kOptionHorizontalScrollBar, false);
    grid.setNrCols(headers.length(), false);
    grid.setColumnHeaders(headers);
    grid.setContextMenu({Zrk_Spread::menuInsertRow, Zrk_Spread::menuDeleteRow});
    grid.applyLayout();
}

void SettingsTable::setRows(const Zrk_Array<Zrk_StringArray>& rows, int minRows) {
    grid.setRedraw(false);
    grid.setNrRows(std::max(rows.length(), minRows));
    if (grid.getMaxRows() >= 1 && grid.getMaxCols() >= 1)
        grid.setTextCells(1, 1, grid.getMaxCols(), grid.getMaxRows());
    // Every cell is written: rows kept from before (or copied from the last) must not show old texts.
    for (int row = 1; row <= grid.getMaxRows(); ++row) {
        Zrk_StringArray cells = rows.isValid(row - 1) ? rows[row - 1] : Zrk_StringArray();
        cells.setLength(grid.getMaxCols());
        grid.fillRow(row, cells);
    }
    grid.setRedraw(true);
}

Zrk_Array<Zrk_StringArray> SettingsTable::rows() {
    grid.setEditMode(false); // what is being typed counts
    Zrk_Array<Zrk_StringArray> result;
    grid.readAllRows(result, 0);
    for (Zrk_StringArray& row : result)
        while (row.length() < grid.getMaxCols())
            row.append(Zrk_String());
    return result;
}

void SettingsTable::insertRow() {
    int column = 1, row = 0;
    if (!grid.getActiveCell(column, row) || row < 0) {
        column = 1;
        row = 0;
    }
    if (!grid.insertRowAt(std::min(row + 1, grid.getNrRows() + 1))) return;
    grid.setTextCells(1, row + 1, grid.getMaxCols(), row + 1);
    grid.setActiveCell(column, row + 1);
}

void SettingsTable::deleteRow() {
    int column = 1, row = 0;
    if (grid.getNrRows() < 1 || !grid.getActiveCell(column, row) || row < 1) return;
    grid.setEditMode(false);
    grid.deleteRowAt(row);
    if (grid.getNrRows() >= 1) grid.setActiveCell(column, std::min(row, grid.getNrRows()));
}

// --- MacroFilterGroupView ----------------------------------------------------------------------------

void MacroFilterGroupView::fill() {
    page_.comboResetContent(controls_.entries);
    const bool any = entries && !entries->isEmpty();
    if (any)
        for (int i = 0; i < entries->length(); ++i) {
            page_.comboAddString(controls_.entries, (*entries)[i].name);
            page_.comboSetItemCheck(controls_.entries, i, (*entries)[i].on);
        }
    for (int id : {controls_.groupBox, controls_.entries, controls_.onCheck})
        if (id) page_.enableItem(id, any);
    shown = -1;
    show(any ? 0 : -1);
}

void MacroFilterGroupView::show(int index) {
    shown = index;
    const MacroFilterEntry* entry = entries && entries->isValid(index) ? &(*entries)[index] : nullptr;
    page_.comboSetCurSel(controls_.entries, entry ? index : -1);
    page_.setCheck(controls_.onCheck, entry && entry->on ? 1 : 0);
    for (std::size_t i = 0; i < controls_.numbers.size(); ++i) {
        const int value = static_cast<int>(i);
        page_.setItemText(controls_.numbers[i],
                          entry ? numberText(entry->values.isValid(value) ? entry->values[value] : 0.0)
                                : Zrk_String());
    }
    if (controls_.firstOption) {
        page_.setCheck(controls_.firstOption, entry && entry->option == 0 ? 1 : 0);
        page_.setCheck(controls_.secondOption, entry && entry->option == 1 ? 1 : 0);
    }
    if (pairs) {
        Zrk_Array<Zrk_StringArray> rows;
        if (entry)
            for (int i = 0; i + 1 < entry->values.length(); i += 2)
                rows.append({numberText(entry->values[i]), numberText(entry->values[i + 1])});
        pairs->setRows(rows, 1);
    }
    enableValues(entry && entry->on);
}

void MacroFilterGroupView::enableValues(bool enable) {
    for (int id : controls_.numbers)
        page_.enableItem(id, enable);
    for (int id : {controls_.firstOption, controls_.secondOption})
        if (id) page_.enableItem(id, enable);
    for (int id : controls_.others)
        page_.enableItem(id, enable);
    if (pairs) pairs->grid.setEnabled(enable);
}

void MacroFilterGroupView::store() {
    if (!entries || !entries->isValid(shown)) return;
    MacroFilterEntry& entry = (*entries)[shown];
    entry.on = page_.checkState(controls_.onCheck) == 1;
    if (!controls_.numbers.empty()) {
        // Values beyond the ones shown (an entry read with more) are kept as they are.
        while (entry.values.length() < static_cast<int>(controls_.numbers.size()))
            entry.values.append(0.0);
        for (std::size_t i = 0; i < controls_.numbers.size(); ++i)
            entry.values[static_cast<int>(i)] = core::toDouble(page_.itemText(controls_.numbers[i]));
    }
    if (controls_.firstOption) entry.option = page_.checkState(controls_.secondOption) == 1 ? 1 : 0;
    if (pairs) {
        // A row whose two values are both 0 is no pair (it is what an empty row reads).
        Zrk_Array<double> values;
        for (const Zrk_StringArray& row : pairs->rows()) {
            const double first = core::toDouble(cellOf(row, 0));
            const double second = core::toDouble(cellOf(row, 1));
            if (first == 0.0 && second == 0.0) continue;
            values.append(first);
            values.append(second);
        }
        entry.values = std::move(values);
    }
}

bool MacroFilterGroupView::onCommand(int id, int code) {
    if (id == controls_.entries && code == ui::CBN_SELCHANGE) {
        store();
        show(page_.comboCurSel(controls_.entries));
        return true;
    }
    if (id == controls_.onCheck && code == ui::BN_CLICKED) {
        const bool on = page_.checkState(controls_.onCheck) == 1;
        if (entries && entries->isValid(shown)) {
            (*entries)[shown].on = on;
            page_.comboSetItemCheck(controls_.entries, shown, on);
        }
        enableValues(on && shown >= 0);
        return true;
    }
    return false;
}

// --- page 0: angle filters ---------------------------------------------------------------------------

MacroAngleFiltersPage::MacroAngleFiltersPage()
    : ui::Dialog(kTemplate), axis(*this, {kAxisGroup,
                                          kAxisEntries,
                                          kAxisOn,
                                          {kAxisValue0, kAxisValue1},
                                          kAxisOption0,
                                          kAxisOption1,
                                          {kAxisPicture0, kAxisPicture1, kAxisLabel0, kAxisLabel1}}),
      section(*this, {kSectionGroup,
                      kSectionEntries,
                      kSectionOn,
                      {},
                      0,
                      0,
                      {kSectionPicture, kSectionInsert, kSectionDelete}}) {}

bool MacroAngleFiltersPage::onInitDialog() {
    constraints::setTextOf(*this, kActive, 922);
    constraints::setTextOf(*this, kAxisGroup, 923);
    constraints::setTextOf(*this, kAxisOn, 934);
    constraints::setTextOf(*this, kAxisOption0, 928);
    constraints::setTextOf(*this, kAxisOption1, 929);
    constraints::setTextOf(*this, kAxisLabel0, 926);
    constraints::setTextOf(*this, kAxisLabel1, 927);
    constraints::setTextOf(*this, kSectionGroup, 924);
    constraints::setTextOf(*this, kSectionOn, 934);
    constraints::setTipOf(*this, kSectionInsert, 920);
    constraints::setTipOf(*this, kSectionDelete, 921);
    setPicture(*this, kAxisPicture0, "MacroFilterAngle90.bmp");
    setPicture(*this, kAxisPicture1, "MacroFilterAngle180.bmp");
    setPicture(*this, kSectionPicture, "MacroFilterSectionAngle.bmp");
    sectionTable.attach(*this, kSectionTable, texts({931, 932}));
    section.pairs = &sectionTable;
    if (data) {
        setCheck(kActive, data->enabled ? 1 : 0);
        axis.entries = &data->axisAngle;
        section.entries = &data->sectionAngle;
    }
    axis.fill();
    section.fill();
    return true;
}

bool MacroAngleFiltersPage::onCommand(int id, int code) {
    if (axis.onCommand(id, code) || section.onCommand(id, code)) return true;
    if (code == ui::BN_CLICKED && id == kSectionInsert) return sectionTable.insertRow(), true;
    if (code == ui::BN_CLICKED && id == kSectionDelete) return sectionTable.deleteRow(), true;
    return ui::Dialog::onCommand(id, code);
}

void MacroAngleFiltersPage::onDestroy() {
    if (!data) return;
    data->enabled = checkState(kActive) == 1;
    axis.store();
    section.store();
}

// --- page 1: path-distance and section-size filters --------------------------------------------------

MacroSizeFiltersPage::MacroSizeFiltersPage()
    : ui::Dialog(kTemplate), path(*this, {kPathGroup,
                                          kPathEntries,
                                          kPathOn,
                                          {kPathValue0, kPathValue1},
                                          0,
                                          0,
                                          {kPathPicture, kPathLabel0, kPathLabel1}}),
      size(*this, {kSizeGroup,
                   kSizeEntries,
                   kSizeOn,
                   {kSizeValue0, kSizeValue0 + 2, kSizeValue0 + 4, kSizeValue0 + 6},
                   0,
                   0,
                   {kSizePicture, kSizeLabel0, kSizeLabel0 + 2, kSizeLabel0 + 4, kSizeLabel0 + 6}}) {}

bool MacroSizeFiltersPage::onInitDialog() {
    constraints::setTextOf(*this, kActive, 1351);
    constraints::setTextOf(*this, kPathGroup, 933);
    constraints::setTextOf(*this, kPathOn, 934);
    constraints::setTextOf(*this, kPathLabel0, 935);
    constraints::setTextOf(*this, kPathLabel1, 936);
    constraints::setTextOf(*this, kSizeGroup, 937);
    constraints::setTextOf(*this, kSizeOn, 934);
    for (int i = 0; i < 4; ++i)
        constraints::setTextOf(*this, kSizeLabel0 + 2 * i, 938 + i);
    setPicture(*this, kPathPicture, "MacroFilterPathDistance.bmp");
    setPicture(*this, kSizePicture, "MacroFilterSectionSize.bmp");
    if (data) {
        setCheck(kActive, data->enabled ? 1 : 0);
        path.entries = &data->pathDistance;
        size.entries = &data->sectionSize;
    }
    path.fill();
    size.fill();
    return true;
}

bool MacroSizeFiltersPage::onCommand(int id, int code) {
    if (path.onCommand(id, code) || size.onCommand(id, code)) return true;
    return ui::Dialog::onCommand(id, code);
}

void MacroSizeFiltersPage::onDestroy() {
    if (!data) return;
    data->enabled = checkState(kActive) == 1;
    path.store();
    size.store();
}

// --- page 2: named string lists ----------------------------------------------------------------------

bool MacroListsPage::onInitDialog() {
    constraints::setTextOf(*this, kExplanation, 957);
    constraints::setTextOf(*this, kNamesLabel, 958);
    constraints::setTextOf(*this, kPictureLabel, 960);
    constraints::setTipOf(*this, kInsert, 961);
    constraints::setTipOf(*this, kDelete, 962);
    table.attach(*this, kTable, texts({85}));
    // Every list gets a list and a picture, so that each name can be shown and stored.
    while (lists.length() < names.length())
        lists.append(Zrk_StringArray());
    while (pictures.length() < names.length())
        pictures.append(Zrk_String());
    // The module pictures offered; "" is no picture, and a list's picture that is no longer among
    // them stays offered, so that showing the page never changes it.
    Zrk_StringArray offered;
    getModuleImages(offered);
    comboAddString(kPicture, Zrk_String());
    for (const Zrk_String& name : offered)
        comboAddString(kPicture, name);
    for (const Zrk_String& picture : pictures)
        if (!picture.empty() && comboFindStringExact(kPicture, picture) < 0)
            comboAddString(kPicture, picture);
    for (const Zrk_String& name : names)
        comboAddString(kNames, name);
    const bool any = !names.isEmpty();
    for (int id : {kNames, kInsert, kDelete, kPicture})
        enableItem(id, any);
    table.grid.setEnabled(any);
    show(any ? 0 : -1);
    return true;
}

void MacroListsPage::show(int index) {
    shown = names.isValid(index) ? index : -1;
    comboSetCurSel(kNames, shown);
    Zrk_Array<Zrk_StringArray> rows;
    if (shown >= 0)
        for (const Zrk_String& text : lists[shown])
            rows.append({text});
    table.setRows(rows, 1);
    const int picture = shown >= 0 ? comboFindStringExact(kPicture, pictures[shown]) : -1;
    comboSetCurSel(kPicture, picture);
}

void MacroListsPage::store() {
    if (shown < 0 || !isCreated()) return;
    Zrk_StringArray strings;
    for (const Zrk_StringArray& row : table.rows())
        if (!isEmptyRow(row)) strings.append(row[0]);
    lists[shown] = std::move(strings);
    pictures[shown] = comboCurSel(kPicture) >= 0 ? comboText(kPicture, comboCurSel(kPicture)) : Zrk_String();
}

void MacroListsPage::handBack(MacroSettingsData& settings) {
    store();
    settings.listNames = names;
    settings.stringLists = lists;
    settings.listPictures = pictures;
}

bool MacroListsPage::onCommand(int id, int code) {
    if (id == kNames && code == ui::CBN_SELCHANGE) {
        store();
        show(comboCurSel(kNames));
        return true;
    }
    if (code == ui::BN_CLICKED && id == kInsert) return table.insertRow(), true;
    if (code == ui::BN_CLICKED && id == kDelete) return table.deleteRow(), true;
    return ui::Dialog::onCommand(id, code);
}

// --- page 3: variables -------------------------------------------------------------------------------

bool MacroVariablesPage::onInitDialog() {
    setItemText(kExplanation, dialString(942) + ".\n" + dialString(943) + ".");
    constraints::setTextOf(*this, kRoundingLabel, 1388);
    constraints::setTextOf(*this, kUnitsLabel, 1392);
    constraints::setTextOf(*this, kDecimalsLabel, 1407);
    constraints::setTipOf(*this, kInsert, 896);
    constraints::setTipOf(*this, kDelete, 897);
    for (int id : {1385, 1386, 1387})
        comboAddString(kRounding, dialString(id));
    for (int id : {1389, 1390, 1391})
        comboAddString(kUnits, dialString(id));
    for (const char* decimals : {"0", "1", "2", "3"})
        comboAddString(kDecimals, decimals);
    table.attach(*this, kTable, texts({87, 86}));
    if (!data) return true;
    comboSetCurSel(kRounding, data->varRounding);
    comboSetCurSel(kUnits, data->varUnits);
    setItemText(kDecimals, intToStr(data->varDecimals));
    Zrk_Array<Zrk_StringArray> rows;
    for (int i = 0; i < data->defaultVarNames.length(); ++i)
        rows.append({data->defaultVarNames[i],
                     numberText(data->defaultVarValues.isValid(i) ? data->defaultVarValues[i] : 0.0)});
    table.setRows(rows, 1);
    return true;
}

void MacroVariablesPage::store() {
    if (!data || !isCreated()) return;
    // A choice the list does not hold (none made) keeps what the settings had.
    if (comboCurSel(kRounding) >= 0) data->varRounding = comboCurSel(kRounding);
    if (comboCurSel(kUnits) >= 0) data->varUnits = comboCurSel(kUnits);
    data->varDecimals = std::clamp(core::toInt(itemText(kDecimals)), 0, 3);
    data->defaultVarNames.removeAll();
    data->defaultVarValues.removeAll();
    for (const Zrk_StringArray& row : table.rows()) {
        if (isEmptyRow(row)) continue;
        data->defaultVarNames.append(row[0]);
        data->defaultVarValues.append(core::toDouble(row[1]));
    }
}

bool MacroVariablesPage::onCommand(int id, int code) {
    if (code == ui::BN_CLICKED && id == kInsert) return table.insertRow(), true;
    if (code == ui::BN_CLICKED && id == kDelete) return table.deleteRow(), true;
    return ui::Dialog::onCommand(id, code);
}

void MacroVariablesPage::onDestroy() {
    store();
}

// --- page 4: groups ----------------------------------------------------------------------------------

bool MacroGroupsPage::onInitDialog() {
    const Zrk_String example = secondaryString(10320) + ": ";
    setItemText(kNameLabel,
                dialString(947) + "\n" + dialString(948) + " " + example + "\"" + dialString(949) + "\"");
    setItemText(kPrefixLabel,
                dialString(950) + "\n" + dialString(951) + "\n" + example + "\"" + dialString(952) + "\"");
    setItemText(kExplanation, dialString(953) + "\n" + dialString(954) + "\n" + dialString(955));
    table.attach(*this, kTable, texts({944, 945, 946}));
    if (!data) return true;
    setItemText(kName, data->groupName);
    setItemText(kPrefix, data->memberPrefix);
    Zrk_Array<Zrk_StringArray> rows;
    for (int i = 0; i < data->groupModules.length(); ++i)
        rows.append({data->groupModules[i], cellOf(data->groupMembers, i),
                     intToStr(data->groupCounts.isValid(i) ? data->groupCounts[i] : 0)});
    table.setRows(rows, 1);
    return true;
}

void MacroGroupsPage::store() {
    if (!data || !isCreated()) return;
    data->groupName = itemText(kName);
    data->memberPrefix = itemText(kPrefix);
    data->groupModules.removeAll();
    data->groupMembers.removeAll();
    data->groupCounts.removeAll();
    for (const Zrk_StringArray& row : table.rows()) {
        if (isEmptyRow(row)) continue;
        data->groupModules.append(row[0]);
        data->groupMembers.append(row[1]);
        data->groupCounts.append(core::toInt(row[2]));
    }
}

void MacroGroupsPage::onDestroy() {
    store();
}
