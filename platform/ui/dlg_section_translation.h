#pragma once
// The core library's editor of the CIS/2 section-name translation (core/section_translation.h): the
// table's entries in a list, each a section's product name and its CIS/2 name; the two fields below
// the list hold the entry chosen (or a new one), and Add, Change and Delete apply them to the list.
// OK writes the table to its file (atomically); a table that cannot be written keeps the editor open
// with the reason, so that nothing the person typed is lost.
//
//   Zrk_StringArray names, cis2Names;
//   if (readSectionTranslation(path, names, cis2Names, &message))
//       writeSectionTranslation(names, cis2Names, dialString(670), dialString(1740), path);
//
// Add and Change refuse an empty name, a name with a tab or a blank around it, and a section listed
// already (letter case ignored), saying why. The size is kept under "DLG_SECTION_TRANSLATION".

#include "ui/dialog.h"
#include "ui/resizer.h"

class DlgSectionTranslation : public ui::Dialog {
public:
    enum : int {
        kTemplate = 30003,
        kEntries = 1001,
        kNameLabel = 1002,
        kName = 1003,
        kCis2NameLabel = 1004,
        kCis2Name = 1005,
        kAdd = 1006,
        kChange = 1007,
        kDelete = 1008,
    };
    explicit DlgSectionTranslation(QWidget* owner = nullptr);

    Zrk_StringArray names;     // the sections' product names
    Zrk_StringArray cis2Names; // their CIS/2 names, at the same places
    Zrk_String nameHeading;    // the label of the product's name ("Section")
    Zrk_String cis2Heading;    // the label of the CIS/2 name
    Zrk_String path;           // the file OK writes

    // How an entry reads in the list.
    static Zrk_String entryText(const Zrk_String& name, const Zrk_String& cis2Name);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onOK() override;
    void onSize(int width, int height) override;
    void onDestroy() override;

private:
    void fillEntries(int chosen);
    void showChosen();
    void updateEnabling();
    // The pair in the fields, checked against the list without the entry at except; false (and the
    // reason shown) when it cannot stand there.
    bool fieldsPair(int except, Zrk_String& name, Zrk_String& cis2Name);
    void add();
    void change();
    void remove();
    void showError(const Zrk_String& message);

    CResizer resizer_;
};

// Lets the person edit the table and writes it to the file at path on OK. True when it was written
// (names and cis2Names are then the table written); false when the person cancelled (the lists and
// the file as they were).
bool writeSectionTranslation(Zrk_StringArray& names, Zrk_StringArray& cis2Names,
                             const Zrk_String& nameHeading, const Zrk_String& cis2Heading,
                             const Zrk_String& path, QWidget* owner = nullptr);
