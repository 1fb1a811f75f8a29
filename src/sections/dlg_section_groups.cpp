#include "sections/dlg_section_groups.h"

#include "core/language.h"
#include "core/macro_langs.h"
#include "module/module_resources.h"

namespace {

using ui::Kind;
namespace style = ui::style;
using P = SectionEntriesPage;
using T = DlgSectionTypesPage;

const ui::DialogTemplate
    kGroupsTemplate(DlgSectionGroupsPage::kTemplate, "", 396, 214, ui::dialogStyle::Child,
                    {
                        {P::kEntriesLabel, Kind::Static, "Section group:", 7, 9, 70, 9},
                        {P::kEntries, Kind::DropListCombo, "", 80, 7, 150, 120},
                        {P::kAdd, Kind::PushButton, "New group", 240, 6, 72, 14},
                        {P::kRemove, Kind::PushButton, "Remove group", 317, 6, 72, 14},
                        {P::kEnabled, Kind::CheckBox, "Enabled", 80, 25, 150, 10},
                        {P::kPictureLabel, Kind::Static, "Picture:", 7, 43, 70, 9},
                        {P::kPicture, Kind::DropDownCombo, "", 80, 41, 150, 120},
                        {P::kPreview, Kind::Picture, "", 317, 25, 72, 72, style::Sunken | style::Center},
                        {P::kNamesLabel, Kind::Static, "Names", 7, 62, 70, 9},
                        {P::kNames, Kind::Placeholder, "", 80, 60, 230, 120},
                    });

const ui::DialogTemplate
    kTypesTemplate(DlgSectionTypesPage::kTemplate, "", 396, 214, ui::dialogStyle::Child,
                   {
                       {P::kEntriesLabel, Kind::Static, "Section type:", 7, 9, 70, 9},
                       {P::kEntries, Kind::DropListCombo, "", 80, 7, 150, 120},
                       {P::kAdd, Kind::PushButton, "New type", 240, 6, 72, 14},
                       {P::kRemove, Kind::PushButton, "Remove type", 317, 6, 72, 14},
                       {P::kEnabled, Kind::CheckBox, "Enabled", 80, 25, 150, 10},
                       {P::kPictureLabel, Kind::Static, "Picture:", 7, 43, 70, 9},
                       {P::kPicture, Kind::DropDownCombo, "", 80, 41, 150, 120},
                       {T::kGroupLabel, Kind::Static, "Section group:", 7, 61, 70, 9},
                       {T::kGroup, Kind::DropListCombo, "", 80, 59, 150, 120},
                       {T::kTableLabel, Kind::Static, "Section table:", 7, 79, 70, 9},
                       {T::kTable, Kind::DropDownCombo, "", 80, 77, 150, 120},
                       {P::kPreview, Kind::Picture, "", 317, 25, 72, 72, style::Sunken | style::Center},
                       {P::kNamesLabel, Kind::GroupBox, "Names", 7, 96, 303, 112},
                       {P::kNames, Kind::Placeholder, "", 14, 108, 289, 94},
                   });

[[maybe_unused]] const bool kRegistered =
    frame::registerTemplate(kGroupsTemplate) && frame::registerTemplate(kTypesTemplate);

} // namespace

// --- groups ----------------------------------------------------------------------------------------------

bool DlgSectionGroupsPage::onInitDialog() {
    frame::setItemTextFromTable(*this, kEntriesLabel, 769);
    return SectionEntriesPage::onInitDialog();
}

Zrk_StringArray DlgSectionGroupsPage::entryLangs(int index) const {
    Zrk_StringArray langs;
    data.groups.getLangs(index, langs);
    return langs;
}

void DlgSectionGroupsPage::storeEntry(int index, bool enabled, const Zrk_String& image,
                                      const Zrk_StringArray& langs) {
    data.groups.setEnabled(index, enabled);
    data.groups.setImage(index, image);
    data.groups.setLangs(index, langs);
}

// --- types -----------------------------------------------------------------------------------------------

bool DlgSectionTypesPage::onInitDialog() {
    frame::setItemTextFromTable(*this, kEntriesLabel, 750);
    frame::setItemTextFromTable(*this, kGroupLabel, 769);
    frame::setItemTextFromTable(*this, kTableLabel, 770);
    refillLists();
    const bool result = SectionEntriesPage::onInitDialog();
    layout.track(kNamesLabel, CResizer::Near | CResizer::Far, CResizer::Near | CResizer::Far);
    return result;
}

void DlgSectionTypesPage::refillLists() {
    const int groupId = chosenGroupId();
    const Zrk_String table = itemText(kTable);
    Zrk_StringArray names;
    Zrk_Array<int> ids;
    data.groups.namesOfAllGroups(names, ids);
    comboResetContent(kGroup);
    for (int i = 0; i < names.length(); ++i) {
        comboAddString(kGroup, names[i]);
        comboSetItemData(kGroup, i, ids[i]);
    }
    chooseGroup(groupId);
    comboResetContent(kTable);
    for (const Zrk_String& name : data.tableNames)
        comboAddString(kTable, name);
    setItemText(kTable, table);
}

int DlgSectionTypesPage::chosenGroupId() const {
    const int chosen = comboCurSel(kGroup);
    return chosen >= 0 ? static_cast<int>(comboItemData(kGroup, chosen)) : -1;
}

void DlgSectionTypesPage::chooseGroup(int groupId) {
    int found = -1;
    for (int i = 0; i < comboCount(kGroup) && found < 0; ++i)
        if (comboItemData(kGroup, i) == groupId) found = i;
    comboSetCurSel(kGroup, found);
}

void DlgSectionTypesPage::storeEntry(int index, bool enabled, const Zrk_String& image,
                                     const Zrk_StringArray& langs) {
    SectionType& type = data.types[index];
    type.enabled = enabled;
    type.image = image;
    type.langs = langs;
}

int DlgSectionTypesPage::appendEntry() {
    SectionType type;
    Zrk_StringArray languages;
    MacroLangs::GetAllLanguages(languages);
    type.langs = Zrk_StringArray(
        std::vector<Zrk_String>(static_cast<std::size_t>(languages.length()), dialString(764)));
    data.types.append(type);
    return data.types.length() - 1;
}

void DlgSectionTypesPage::showMore(int index) {
    const bool valid = data.types.isValid(index);
    chooseGroup(valid ? data.types[index].groupId : -1);
    setItemText(kTable, valid ? data.types[index].table : Zrk_String());
}

void DlgSectionTypesPage::storeMore(int index) {
    data.types[index].groupId = chosenGroupId();
    data.types[index].table = itemText(kTable);
}

void DlgSectionTypesPage::enableMore(bool enable) {
    for (int id : {kGroupLabel, kGroup, kTableLabel, kTable})
        enableItem(id, enable);
}
