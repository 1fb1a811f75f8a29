#include "macrodlg/macro_page_link.h"

#include "core/macro_update.h"

MacroTabData* MacroDataLink::tab() {
    int index = -1;
    return data_.findTab(tabName_, index) ? data_.getTab(index) : nullptr;
}

template <class Asked> bool MacroDataLink::write(int code, Asked asked) {
    if (UpdateModule(tabName_, data_, {code}, {})) {
        ++changes_;
        return true;
    }
    // Nothing was written: either nothing differed from the drawing, or a value was refused (and
    // nothing is). The tab shows the drawing again; it holds what was asked only in the first case.
    UpdateAllFilterModified(data_, 0);
    const MacroTabData* shown = tab();
    return shown && asked(*shown);
}

bool MacroDataLink::applyBoltData(MacroBoltData& bolt) {
    MacroTabData* target = tab();
    if (!target || !target->boltData) return false;
    const MacroBoltData asked = bolt;
    target->boltData = asked;
    const bool ok = write(core::kChangeBolts, [&](const MacroTabData& shown) {
        return shown.boltData && *shown.boltData == asked;
    });
    if (const MacroTabData* shown = tab(); shown && shown->boltData) bolt = *shown->boltData;
    return ok;
}

bool MacroDataLink::applyPatternProps(const Zrk_String& pattern, MacroPatternProps& props) {
    MacroTabData* target = tab();
    int index = -1;
    if (!target || !target->findPatternWithName(pattern, index)) return false;
    const MacroPatternProps asked = props;
    target->patterns[index].props = asked;
    target->patterns[index].hasSettings = true;
    const bool ok = write(core::kChangePatterns, [&](const MacroTabData& shown) {
        int at = -1;
        return shown.findPatternWithName(pattern, at) && shown.patterns[at].props == asked;
    });
    if (const MacroTabData* shown = tab(); shown && shown->findPatternWithName(pattern, index))
        props = shown->patterns[index].props;
    return ok;
}
