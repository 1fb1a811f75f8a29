#pragma once
// What the section groups page (template 8138) and the section types page (8139) of the section
// library editor share: both show one entry of a list at a time.
//
//   - a drop-down of the entries by name, each item's check box showing whether the entry is enabled;
//   - the enabled check box, the picture (a drop-down of the offered picture names, which the person
//     may also type, and the picture itself), and a one-column grid of the names per language;
//   - buttons that add an entry and remove the shown one.
//
// Showing entry i fills the controls from it; storing takes them back into the record. The shown
// entry is stored before another is shown, before one is added or removed, and when the dialog ends
// with OK. The picture, the names and their labels (and what a page adds) are enabled only while the
// shown entry is enabled; without an entry everything but the add button is disabled and storing does
// nothing. Removing asks nothing and shows the entry at the same position, or the last one.

#include "core/section_library.h"
#include "spread/zrk_spread.h"
#include "ui/dialog.h"
#include "ui/resizer.h"

class SectionEntriesPage : public ui::Dialog {
public:
    static constexpr int kEntriesLabel = 1400;
    static constexpr int kEntries = 1401;
    static constexpr int kEnabled = 1402;
    static constexpr int kPictureLabel = 1403;
    static constexpr int kPicture = 1404;
    static constexpr int kPreview = 1405;
    static constexpr int kNamesLabel = 1406;
    static constexpr int kNames = 1407;
    static constexpr int kAdd = 1408;
    static constexpr int kRemove = 1409;

    SectionEntriesPage(int templateId, DlgEditLibData& data, int addText, int removeText)
        : ui::Dialog(templateId), data(data), addText_(addText), removeText_(removeText) {}

    DlgEditLibData& data; // the editor's record
    Zrk_Spread names;     // the names per language

    // The entry shown, -1 for none.
    int shownEntry() const { return shown_; }
    void storeShown();
    void showEntry(int index);

protected:
    // The entries of the record.
    virtual int entryCount() const = 0;
    virtual Zrk_String entryName(int index) const = 0;
    virtual bool entryEnabled(int index) const = 0;
    virtual Zrk_String entryImage(int index) const = 0;
    virtual Zrk_StringArray entryLangs(int index) const = 0;
    virtual void storeEntry(int index, bool enabled, const Zrk_String& image,
                            const Zrk_StringArray& langs) = 0;
    // Appends a new entry and answers its index; removes one.
    virtual int appendEntry() = 0;
    virtual void removeEntry(int index) = 0;
    // What a page shows and stores besides, and enables with the picture.
    virtual void showMore(int index) {}
    virtual void storeMore(int index) {}
    virtual void enableMore(bool enable) {}

    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onSize(int width, int height) override;

    // Fills the drop-down of entries anew, choosing the shown one.
    void fillEntries();
    CResizer layout;

private:
    void showPicture();
    void setEntryItem(int index);

    int addText_;
    int removeText_;
    int shown_ = -1;
};
