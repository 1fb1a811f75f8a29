#pragma once
// The profile-features record: what a module that places profiles asks the person before it places
// one — the level the profile stands on, up to four labelled values (a length, a rotation, a height
// or a top level ...) and an optional switch. The caller fills the labels and starting values; the
// profile-features dialog shows the rows whose label is not empty and stores what the person
// typed or chose.
//
// The third row has two forms, the first while the switch (flag) is off and the second while it is
// on, so that one switch can turn, say, "Height" into "Top level". Only the third row can show a
// level: a value of another row marked as a level is shown as its text.
//
// The level names are the working drawing's (getAllLevels); levels are chosen by name, so that the
// choice survives the list being read again after the levels were edited.

#include <array>

#include "core/zrk_string.h"
#include "host/acad.h"

class AcTransaction;

struct DlgProfFeatureValue {
    Zrk_String label; // empty: the row is not shown
    Zrk_String value; // as typed; a level's name when isLevel
    bool isLevel = false;
    bool operator==(const DlgProfFeatureValue&) const = default;
};

class DlgProfFeaturesData {
public:
    static constexpr int kValueCount = 4;
    static constexpr int kThirdValue = 2; // the row with two forms and the level choice

    Zrk_String title;
    AcTransaction* transaction = nullptr; // the caller's, passed on to the levels record
    Zrk_StringArray levelNames;           // the drawing's, as getAllLevels read them
    Zrk_String level;                     // the level the profile stands on (a name of levelNames)
    std::array<DlgProfFeatureValue, kValueCount> values;
    DlgProfFeatureValue thirdAlternative; // the third row while flag is set
    Zrk_String checkCaption;              // empty: no switch
    bool flag = false;

    // The third row's form as the switch stands (the alternative only when there is a switch).
    const DlgProfFeatureValue& third() const;
    DlgProfFeatureValue& third();

    // Reads the level names of the working drawing again; eInvalidInput without a working drawing
    // (the names are then left as they were).
    Acad::ErrorStatus getAllLevels();

    bool operator==(const DlgProfFeaturesData&) const = default;
};
