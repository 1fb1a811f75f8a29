#pragma once
// The levels record: the building levels of the working drawing as the levels dialog edits them. It
// works on its own copy (initialize takes it from the drawing); setRealLevels writes the copy into
// the drawing. Level names are compared without regard to letter case; "wcs" is the world's zero.

#include "core/drawing_objects.h"
#include "host/acad.h"

class AcTransaction;

class KvLevelsDlgData {
public:
    Zrk_Array<Zrk_Level> levels;
    AcTransaction* transaction = nullptr; // the caller's, passed through

    // Takes the working drawing's levels; eInvalidInput without a working drawing.
    Acad::ErrorStatus initialize(AcTransaction* transaction);
    void getNames(Zrk_StringArray& names) const;
    Acad::ErrorStatus getLevelData(int index, Zrk_String& name, Zrk_String& refName, double& relative,
                                   double& absolute) const;
    // A new value relative to the level's reference (a finite number).
    Acad::ErrorStatus updateLevel(int index, double relative);
    // A new reference: empty or "wcs" for the world, or another level whose chain does not lead back
    // to this one.
    Acad::ErrorStatus updateLevel(int index, const Zrk_String& refName);
    // Adds a level measured from the world at 0; refused for an empty name, "wcs" or a name in use.
    Acad::ErrorStatus addLevel(const Zrk_String& name, int& index);
    // Deletes a level no other level refers to; answers whether it was deleted.
    bool deleteLevel(int index);
    // Writes the levels into the working drawing (one undo record).
    Acad::ErrorStatus setRealLevels() const;

    bool operator==(const KvLevelsDlgData&) const = default;
};
