#pragma once
// The add-section dialog (template 226): one new section size for a section table, started from an
// existing section of it. The person types the dimensions; the name is proposed from them in the
// pattern of the table's names (section_naming.h), or typed with the own-name option. On OK the new
// row is inserted into the dialog's copy of the table in sorted place.
//
// What the person sees:
//  - the large picture of the table's section type, the two name options, the name, and one field
//    per dimension of the section started from (at most eleven; the fields beyond are hidden), each
//    labelled with a letter and the dimension's name;
//  - with "Name from the dimensions" the name is read-only and follows the dimensions as they are
//    typed; with "Own name" it is typed;
//  - when no section of the table is named after its dimensions there is no pattern to follow: the
//    first option is disabled, the own-name option is chosen, the name field is empty and has the
//    focus, and a line above the dimensions says to type the name.
// OK is refused, with a message and the dialog left open and the table unchanged, for an empty name,
// a name holding a tab or a line break, a name that another section of the table has already (the
// system name is the table's key), and, in a table of rectangular hollow sections (type 10), a corner
// radius that is neither 0 nor greater than the wall thickness. All is checked before the row is
// inserted, so that the row goes in once however often OK is pressed.

#include "module/export.h"
#include "sections/prof_values_table.h"
#include "sections/section_naming.h"
#include "ui/dialog.h"

// Exported: the host shell's scripted run asks the dialog how many dimension fields it shows, and a
// checked downcast across the module's boundary needs the class's type information.
class SS_EXPORT DlgEditLibSimple : public ui::Dialog {
public:
    static constexpr int kTemplate = 226;
    static constexpr int kPicture = 1300;
    static constexpr int kNameFromDimensions = 1301;
    static constexpr int kOwnName = 1302;
    static constexpr int kNameLabel = 1303;
    static constexpr int kName = 1304;
    static constexpr int kNoPattern = 1305;
    static constexpr int kMostDimensions = 11;
    static constexpr int kFirstDimensionLabel = 1310; // + k - 1 for field k (1..11)
    static constexpr int kFirstDimension = 1330;

    explicit DlgEditLibSimple(Zrk_String sysName = Zrk_String(), QWidget* owner = nullptr)
        : ui::Dialog(kTemplate, owner), sysName(std::move(sysName)) {}

    Zrk_ProfValuesTable data; // the dialog's copy of the table
    Zrk_String sysName;       // the section to start from
    // After OK: the new row's index in the table and its position among the active rows.
    int newRowIndex = -1;
    int newIndex = -1;

    // What the dialog found on opening (for its callers and tests).
    int templateRow() const { return templateRow_; }
    bool hasPattern() const { return hasPattern_; }
    const sections::NamingPattern& pattern() const { return pattern_; }
    int dimensionCount() const { return dimensionCount_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onOK() override;
    void onCancel() override;

private:
    Zrk_StringArray dimensionLabels() const;
    Zrk_StringArray typedDimensions() const;
    void showProposedName();
    bool refuse(const Zrk_String& text, int focusId);

    int templateRow_ = 0;
    bool hasPattern_ = false;
    sections::NamingPattern pattern_;
    int currentLanguage_ = 0;
    int dimensionCount_ = 0;
};

// Runs the add-section dialog on a copy of the table, starting from the section sysName (the first
// row when the table has none of that name). On OK the table is handed back with the new row and
// newIndex is its position among the active rows; true. False (table and newIndex untouched) when
// cancelled, or at once for a table without rows (there is no section to start from). The module's
// resources are not switched here: the caller's switch holds.
SS_EXPORT bool StartDlgEditLibSimple(const Zrk_String& sysName, Zrk_ProfValuesTable& table, int& newIndex);
