#include "ui/dlg_select_prof.h"

#include "core/files.h"
#include "core/language.h"
#include "core/section_tables.h"
#include "core/settings.h"
#include "ui/dialog_size.h"
#include "ui/resources.h"

namespace {

using ui::Kind;

const ui::DialogTemplate
    kSelectProfTemplate(DlgSelectProf::kTemplate, "Choose a section", 330, 190, ui::dialogStyle::Resizable,
                        {
                            {1001, Kind::Static, "Section &tables:", 7, 7, 80, 9},
                            {DlgSelectProf::kTables, Kind::ListBox, "", 7, 18, 80, 145},
                            {1003, Kind::Static, "&Sections:", 93, 7, 120, 9},
                            {DlgSelectProf::kSections, Kind::ListBox, "", 93, 18, 120, 145},
                            {1005, Kind::Static, "Dimensions:", 219, 7, 104, 9},
                            {DlgSelectProf::kDimensions, Kind::MultiLineEdit, "", 219, 18, 104, 145,
                             ui::style::ReadOnly | ui::style::NoTabStop},
                            {ui::IDOK, Kind::DefPushButton, "OK", 219, 169, 50, 14},
                            {ui::IDCANCEL, Kind::PushButton, "Cancel", 273, 169, 50, 14},
                        });
[[maybe_unused]] const bool kRegistered = (ui::coreLibraryResources().addTemplate(kSelectProfTemplate), true);

constexpr const char* kSizeKey = "DLG_SELECT_PROF";

void setText(ui::Dialog& dialog, int id, int textId) {
    const Zrk_String text = dialString(textId);
    if (!text.empty()) dialog.setItemText(id, text);
}

} // namespace

DlgSelectProf::DlgSelectProf(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

bool DlgSelectProf::isUserSectionsEntry(int table) const {
    return !userSections_.isEmpty() && table == tableNames_.length() - 1;
}

bool DlgSelectProf::onInitDialog() {
    if (const Zrk_String caption = dialString(21004); !caption.empty()) setTitle(caption);
    setText(*this, 1001, 21005);
    setText(*this, 1003, 21006);
    setText(*this, 1005, 21007);

    gSectionTables.getTableNames(tableNames_);
    Zrk_StringArray found;
    if (ObjectExportFindFilesRecursive(gSettings.libDir + kUserSectionsFolder, "*.dwg", found))
        for (const Zrk_String& path : found)
            userSections_.append(path.substr(gSettings.libDir.size()));
    if (!userSections_.isEmpty()) tableNames_.append(dialString(21008));
    for (const Zrk_String& name : tableNames_)
        listAddString(kTables, name);

    // Start at the section given: its table, and it.
    int table = tableNames_.isEmpty() ? -1 : 0;
    Zrk_String start = normalizePath(data.section);
    Zrk_String tableName;
    if (userSections_.contains(start))
        table = tableNames_.length() - 1;
    else if (gSectionTables.getTableOfSection(start, tableName)) {
        table = tableNames_.find(tableName);
        gSectionTables.getSystemName(start, start);
    }
    listSetCurSel(kTables, table);
    fillSections(table);
    listSetCurSel(kSections, shownSections_.find(start));
    showDimensions();

    resizer_.attach(this);
    resizer_.track(kTables, CResizer::Near, CResizer::Near | CResizer::Far);
    resizer_.track(kSections, CResizer::Near | CResizer::Far, CResizer::Near | CResizer::Far);
    resizer_.track(1005, CResizer::Far | CResizer::Size, CResizer::Near | CResizer::Size);
    resizer_.track(kDimensions, CResizer::Far | CResizer::Size, CResizer::Near | CResizer::Far);
    resizer_.track(ui::IDOK, CResizer::Far | CResizer::Size, CResizer::Far | CResizer::Size);
    resizer_.track(ui::IDCANCEL, CResizer::Far | CResizer::Size, CResizer::Far | CResizer::Size);
    setMinTrackSize(size());
    ChangeDlgSize(this, kSizeKey);
    gotoDlgCtrl(listCurSel(kSections) >= 0 ? kSections : kTables);
    return false;
}

void DlgSelectProf::fillSections(int table) {
    listResetContent(kSections);
    shownSections_.removeAll();
    if (table < 0 || table >= tableNames_.length()) return;
    Zrk_StringArray shown;
    if (isUserSectionsEntry(table)) {
        shownSections_ = userSections_;
        for (const Zrk_String& path : userSections_)
            shown.append(getFileName(path, false));
    } else if (gSectionTables.getTableSections(tableNames_[table], shownSections_, shown) != Acad::eOk) {
        return;
    }
    for (const Zrk_String& name : shown)
        listAddString(kSections, name);
}

void DlgSelectProf::showDimensions() {
    const int chosen = listCurSel(kSections);
    Zrk_String text;
    Zrk_StringArray columns;
    if (chosen >= 0 && !isUserSectionsEntry(listCurSel(kTables)) &&
        gSectionTables.getSectionColumnNames(shownSections_[chosen], columns) == Acad::eOk) {
        for (int i = 0; i < columns.length(); ++i) {
            Zrk_String value;
            if (gSectionTables.getSectionValue(shownSections_[chosen], i, value) != Acad::eOk) continue;
            text += (text.empty() ? "" : "\n") + columns[i] + " = " + value;
        }
    }
    setItemText(kDimensions, text);
    enableItem(ui::IDOK, chosen >= 0);
}

bool DlgSelectProf::onCommand(int id, int code) {
    if (id == kTables && code == ui::LBN_SELCHANGE) {
        fillSections(listCurSel(kTables));
        showDimensions();
        return true;
    }
    if (id == kSections && code == ui::LBN_SELCHANGE) {
        showDimensions();
        return true;
    }
    if (id == kSections && code == ui::LBN_DBLCLK) {
        onOK();
        return true;
    }
    return ui::Dialog::onCommand(id, code);
}

void DlgSelectProf::onOK() {
    const int chosen = listCurSel(kSections);
    if (chosen < 0 || chosen >= shownSections_.length()) return; // nothing chosen: the dialog stays
    data.section = shownSections_[chosen];
    data.path = gSettings.libDir + data.section;
    endDialog(ui::IDOK);
}

void DlgSelectProf::onSize(int, int) {
    resizer_.move();
}

void DlgSelectProf::onDestroy() {
    WriteDlgSize(this, kSizeKey);
}
