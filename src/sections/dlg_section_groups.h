#pragma once
// The pages of the section library editor that edit its groups (template 8138) and its user-defined
// section types (template 8139), on the editor's record (DlgEditLibData). How an entry is shown and
// stored is SectionEntriesPage's (dlg_section_entries.h).
//
// A type has besides its group (a drop-down of the names of all groups; the group's id is stored, -1
// when none is chosen) and its section table (a drop-down of the table names, which the person may
// also type). Whenever the types page is shown, both lists are filled anew from the record, as the
// groups and tables pages may have changed them, keeping what the page shows.

#include "sections/dlg_section_entries.h"

class DlgSectionGroupsPage : public SectionEntriesPage {
public:
    static constexpr int kTemplate = 8138;
    explicit DlgSectionGroupsPage(DlgEditLibData& data) : SectionEntriesPage(kTemplate, data, 758, 759) {}

protected:
    bool onInitDialog() override;
    int entryCount() const override { return data.groups.length(); }
    Zrk_String entryName(int index) const override { return data.groups.getName(index); }
    bool entryEnabled(int index) const override { return data.groups.getEnabled(index); }
    Zrk_String entryImage(int index) const override { return data.groups.getImage(index); }
    Zrk_StringArray entryLangs(int index) const override;
    void storeEntry(int index, bool enabled, const Zrk_String& image, const Zrk_StringArray& langs) override;
    int appendEntry() override { return data.groups.appendNewGrp(); }
    void removeEntry(int index) override { data.groups.removeAt(index); }
};

class DlgSectionTypesPage : public SectionEntriesPage {
public:
    static constexpr int kTemplate = 8139;
    static constexpr int kGroupLabel = 1410;
    static constexpr int kGroup = 1411;
    static constexpr int kTableLabel = 1412;
    static constexpr int kTable = 1413;

    explicit DlgSectionTypesPage(DlgEditLibData& data) : SectionEntriesPage(kTemplate, data, 764, 765) {}

    // The group and table lists filled anew from the record (the page is being shown).
    void refillLists();

protected:
    bool onInitDialog() override;
    int entryCount() const override { return data.types.length(); }
    Zrk_String entryName(int index) const override { return data.types[index].getName(); }
    bool entryEnabled(int index) const override { return data.types[index].enabled; }
    Zrk_String entryImage(int index) const override { return data.types[index].image; }
    Zrk_StringArray entryLangs(int index) const override { return data.types[index].langs; }
    void storeEntry(int index, bool enabled, const Zrk_String& image, const Zrk_StringArray& langs) override;
    int appendEntry() override;
    void removeEntry(int index) override { data.types.removeAt(index); }
    void showMore(int index) override;
    void storeMore(int index) override;
    void enableMore(bool enable) override;

private:
    int chosenGroupId() const;
    void chooseGroup(int groupId);
};
