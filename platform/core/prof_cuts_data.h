#pragma once
// The profile cuts record: the cuts of one profile of the working drawing, their descriptions and
// previews, removing them, and picking another profile. A removed cut is removed from the drawing at
// once (one undo record); previews go through the host's editor.

#include "core/drawing_objects.h"
#include "host/acad.h"

class DlgProfCutsData {
public:
    AcDbObjectId profileId;

    // One description per cut, in order: its name and its type ("Top - Chamfer"); none when the
    // profile is not in the working drawing.
    void getCutDescs(Zrk_StringArray& descs) const;
    // Shows (and takes away) the preview of a cut; an index that is no cut does nothing.
    void drawCutPreview(int index);
    void removeCutPreview(int index);
    void removeAllCutPreviews();
    // Removes a cut from the profile; false for an index that is no cut.
    bool removeCut(int index);
    // Lets the person pick another profile; false when the pick was cancelled or is no profile. The
    // previews of the old profile are taken away first.
    bool selectOtherProf();
    // The cuts whose previews are shown.
    const Zrk_Array<int>& previews() const { return previews_; }

    bool operator==(const DlgProfCutsData&) const = default;

private:
    const Zrk_Profile* profile() const;
    Zrk_Array<int> previews_;
};
