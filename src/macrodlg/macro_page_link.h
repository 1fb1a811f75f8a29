#pragma once
// The link between a macro dialog page and the sub-dialogs that hand it every change the person
// accepts, at once (the advanced bolt dialog, the pattern settings dialog): the page writes what it
// is handed into its tab, applies the differences to the drawing, and hands back the record as the
// drawing then holds it, so that the sub-dialog shows that. Closing the sub-dialog undoes nothing.
//
// MacroDataLink is the link of one tab of macro dialog data for a caller without a page (the host
// shell, the desktop window, tests): each apply that changes something is one undo step of the
// working drawing, written through UpdateModule.

#include "core/macro_data.h"
#include "module/export.h"

class SS_EXPORT MacroPageLink {
public:
    virtual ~MacroPageLink() = default;
    // The tab's bolt record. False when it could not be written (the drawing stays as it was);
    // bolt is then the record as the drawing holds it.
    virtual bool applyBoltData(MacroBoltData& bolt) = 0;
    // The settings of the tab's pattern of that name, likewise.
    virtual bool applyPatternProps(const Zrk_String& pattern, MacroPatternProps& props) = 0;
};

class SS_EXPORT MacroDataLink : public MacroPageLink {
public:
    MacroDataLink(MacroData& data, Zrk_String tabName) : data_(data), tabName_(std::move(tabName)) {}

    bool applyBoltData(MacroBoltData& bolt) override;
    bool applyPatternProps(const Zrk_String& pattern, MacroPatternProps& props) override;

    // How many applies changed the drawing.
    int changes() const { return changes_; }

private:
    MacroTabData* tab();
    // Writes the tab's items of that change code; true when the drawing then holds what was asked
    // (asked() compares the tab, shown again from the drawing, with the request).
    template <class Asked> bool write(int code, Asked asked);

    MacroData& data_;
    Zrk_String tabName_;
    int changes_ = 0;
};
