#pragma once
// Profiles: section and material, and how a profile is placed (its placement settings). The same
// record serves a profile a module places, a profile of the drawing, and the settings of a profile
// group merged over its profiles, where a field the profiles do not share holds its "varies" value:
//   texts                                  the varies text (core::variesText(), translated text 695)
//   offsetType, segment, onSegment         -1
//   placeChoice                            kPlaceChoiceVaries (the last item of its list)
//   option                                 2 (the third state)
//
// Placement settings:
//   offsetType   where the profile's section is anchored, an index into getOffsetTypeStrings: 0 free
//                (displaced by offsetX and offsetY), 1 reference line, 2 shear centre, 3 centre,
//                4 gravity line, 5 top middle, 6 bottom middle, 7 middle left, 8 middle right, 9 top
//                left, 10 top right, 11 bottom left, 12 bottom right
//   offsetX/Y    the displacement of a free profile, as text (a number, shown with 3 decimals)
//   rotation     degrees about the profile's axis, as text ("0", "90", "45" ...)
//   basePlane    empty: none (the world); "xp", "yp", "zp": that plane of coordSystem; any other text:
//                a plane picked in the drawing, as the pick described it
//   coordSystem  the name of a named coordinate system of the drawing, or empty
//   placeChoice  0-9: one of the ten choices of the advanced profile dialog's list
//   onSegment    1: placed on one segment (segment, counted from 1) of the polyline it follows
//   option       the three-state option of the advanced profile dialog (0, 1; 2 undecided)
//   morphed      the section changes along the profile to secondSection; morphText1 and morphText2
//                are the two texts of the morphing

#include <vector>

#include "core/zrk_string.h"
#include "host/acad.h"

namespace core {
inline constexpr int kOffsetTypeCount = 13;
inline constexpr int kPlaceChoiceCount = 10;
inline constexpr int kPlaceChoiceVaries = 10;
// The names of the offset types, in index order.
void getOffsetTypeStrings(Zrk_StringArray& names);
// The dialog's list index of a stored offset type, and back; -1 for a value that is none.
int getDlgOffsetType(int profOffsetType);
int getProfOffsetType(int dlgIndex);
} // namespace core

// Section and material of a profile. The getters fail when the text is empty.
struct Zrk_ProfileProps {
    Zrk_String sectionName;
    Zrk_String material;
    Acad::ErrorStatus getSectionName(Zrk_String& section) const;
    Acad::ErrorStatus getMaterial(Zrk_String& materialName) const;
    bool operator==(const Zrk_ProfileProps&) const = default;
};

// Section, material, member name and placement settings of a profile (see the top of this file).
struct MacroProfProps : Zrk_ProfileProps {
    Zrk_String memberName;
    int offsetType = 3;
    Zrk_String offsetX = "0";
    Zrk_String offsetY = "0";
    Zrk_String rotation = "0";
    Zrk_String basePlane;
    Zrk_String coordSystem;
    int placeChoice = 0;
    int onSegment = 0;
    int segment = 1;
    int option = 0;
    bool morphed = false;
    Zrk_String secondSection;
    Zrk_String morphText1;
    Zrk_String morphText2;

    // Merges other into this record, field by field: a field that differs takes its varies value.
    void mergeWith(const MacroProfProps& other, const Zrk_String& varies);
    // Copies into target every field of this record that does not hold its varies value.
    void applyTo(MacroProfProps& target, const Zrk_String& varies) const;
    bool operator==(const MacroProfProps&) const = default;
};

// The fields of MacroProfProps by the names the drawing file and property files store them under,
// with the value each takes where merged profiles differ, and whether it names an object of one
// drawing (a placement reference: base plane, coordinate system, segment) or belongs to the morphing.
struct MacroProfTextField {
    const char* key;
    Zrk_String MacroProfProps::*member;
    bool reference;
    bool morphing;
};
struct MacroProfNumberField {
    const char* key;
    int MacroProfProps::*member;
    int varies;
    int lowest;
    int highest;
    bool reference;
};
const std::vector<MacroProfTextField>& macroProfTextFields();
const std::vector<MacroProfNumberField>& macroProfNumberFields();

// A base profile of a macro: a member the connection is attached to.
struct Zrk_BaseProfile : Zrk_ProfileProps {
    bool operator==(const Zrk_BaseProfile&) const = default;
};

// A profile the module places (a cleat, a stiffener ...). Placements of the same name form one
// profile group of the module's tab; memberName is the name of the member the placement owns; number
// is the profile's object number (shown where one profile of a group is chosen; 0 none).
struct Zrk_ProfilePlacement : MacroProfProps {
    Zrk_String name;
    int number = 0;
    bool operator==(const Zrk_ProfilePlacement&) const = default;
};

// A segmented profile: profiles laid along a polyline, with a gap between them, broken at every
// point of the polyline or not, and the polyline's points (a value and a text each).
struct MacroSegmentedProfile {
    Zrk_String name;
    Zrk_String text; // the second text shown after the name
    double gap = 0.0;
    bool breakAtPoints = false;
    Zrk_Array<double> pointValues;
    Zrk_StringArray pointTexts; // parallel to pointValues
    bool operator==(const MacroSegmentedProfile&) const = default;
};
