#include "core/prof_cuts_data.h"

#include "core/drawing.h"
#include "core/editor_hooks.h"
#include "core/language.h"

namespace {

// The name of a geometric cut type: translated texts 1084-1089, plain English without them.
Zrk_String cutTypeName(int cutType) {
    static const char* const kNames[] = {"Profile against plate",
                                         "Profile against profile",
                                         "Profile in profile",
                                         "Profile against profile, three segments",
                                         "Chamfer",
                                         "Fillet"};
    if (!core::isCutType(cutType)) return Zrk_String();
    const Zrk_String text = dialString(1083 + cutType);
    return text.empty() ? Zrk_String(kNames[cutType - 1]) : text;
}

} // namespace

const Zrk_Profile* DlgProfCutsData::profile() const {
    const core::Drawing* drawing = core::workingDrawing();
    const Zrk_DbProfile* found = drawing ? drawing->findProfile(profileId) : nullptr;
    return found ? found->profile() : nullptr;
}

void DlgProfCutsData::getCutDescs(Zrk_StringArray& descs) const {
    descs.removeAll();
    if (const Zrk_Profile* found = profile())
        for (const Zrk_CutConstraint& cut : found->cuts)
            descs.append(cut.name + " - " + cutTypeName(cut.cutType));
}

void DlgProfCutsData::drawCutPreview(int index) {
    const Zrk_Profile* found = profile();
    if (!found || !found->cuts.isValid(index)) return;
    core::editorHooks().previewCut(profileId, index, true);
    if (!previews_.contains(index)) previews_.append(index);
}

void DlgProfCutsData::removeCutPreview(int index) {
    const int at = previews_.find(index);
    if (at < 0) return;
    core::editorHooks().previewCut(profileId, index, false);
    previews_.removeAt(at);
}

void DlgProfCutsData::removeAllCutPreviews() {
    while (!previews_.isEmpty())
        removeCutPreview(previews_.last());
}

bool DlgProfCutsData::removeCut(int index) {
    core::Drawing* drawing = core::workingDrawing();
    Zrk_DbProfile* found = drawing ? drawing->findProfile(profileId) : nullptr;
    if (!found || !found->profile()->cuts.isValid(index)) return false;
    removeCutPreview(index);
    {
        core::UndoScope undo(*drawing);
        found->profileWrite()->cuts.removeAt(index);
        undo.keep();
    }
    // The previews of later cuts move up with them.
    for (int& preview : previews_)
        if (preview > index) --preview;
    return true;
}

bool DlgProfCutsData::selectOtherProf() {
    AcDbObjectId picked;
    const core::Drawing* drawing = core::workingDrawing();
    if (!core::editorHooks().pickProfile("Select another profile", picked) || !drawing ||
        !drawing->findProfile(picked))
        return false;
    removeAllCutPreviews();
    profileId = picked;
    return true;
}
