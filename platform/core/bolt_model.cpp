#include "core/bolt_model.h"

#include <cmath>

#include "core/number_text.h"
#include "core/text.h"

int core::patternSettingsKind(int kindCode) {
    return kindCode == kPatternTwoDirections ? 2 : 1;
}

// --- bolt record -------------------------------------------------------------------------------

Zrk_String* MacroBoltData::value(int number) {
    switch (number) {
    case 1:
        return &penetrationLength;
    case 2:
        return &addedLength;
    case 3:
        return &holeTolerance;
    case 4:
        return &holeOffset;
    case 5:
        return &length;
    default:
        return nullptr;
    }
}

const Zrk_String* MacroBoltData::value(int number) const {
    return const_cast<MacroBoltData*>(this)->value(number);
}

int MacroBoltData::firstInvalidSlottedHole() const {
    for (int i = 0; i < slottedHoles.length(); ++i) {
        const MacroSlottedHole& hole = slottedHoles[i];
        if (hole.active && !(hole.radius > 0.0 && hole.length > 0.0)) return i;
    }
    return -1;
}

const std::vector<MacroBoltTextField>& macroBoltTextFields() {
    static const std::vector<MacroBoltTextField> fields = {
        {"composition", &MacroBoltData::composition},
        {"diameter", &MacroBoltData::diameter},
        {"penetrationLength", &MacroBoltData::penetrationLength},
        {"addedLength", &MacroBoltData::addedLength},
        {"holeTolerance", &MacroBoltData::holeTolerance},
        {"holeOffset", &MacroBoltData::holeOffset},
        {"length", &MacroBoltData::length},
    };
    return fields;
}

const std::vector<MacroBoltNumberField>& macroBoltNumberFields() {
    static const std::vector<MacroBoltNumberField> fields = {
        {"tapped", &MacroBoltData::tapped, 0, 1, 2},
        {"reverseOrientation", &MacroBoltData::reverseOrientation, 0, 1, 2},
        {"countersunk", &MacroBoltData::countersunk, 0, 1, 2},
        {"boltedInWorkshop", &MacroBoltData::boltedInWorkshop, 0, 1, 2},
        {"nut1", &MacroBoltData::nut1, -1, 1, core::kNoVaries},
        {"nut2", &MacroBoltData::nut2, -1, 1, core::kNoVaries},
        {"washer1", &MacroBoltData::washer1, -1, 1, core::kNoVaries},
        {"washer2", &MacroBoltData::washer2, -1, 1, core::kNoVaries},
        {"washers", &MacroBoltData::washers, -1, 1, core::kNoVaries},
    };
    return fields;
}

// --- bolt patterns -----------------------------------------------------------------------------

bool Zrk_BoltPattern::getCount(const Zrk_String& text, int& count) {
    count = -1;
    double value = 0.0;
    if (!core::parseNumber(text, value)) return false;
    if (value < 1.0 || value > core::kMaxBoltCount || value != std::floor(value)) return false;
    count = static_cast<int>(value);
    return true;
}

Acad::ErrorStatus Zrk_BoltPattern::getSetNrBolts(int direction, Zrk_String& value, bool get) {
    if (direction != 1 && !(direction == 2 && hasSecondDirection())) return Acad::eInvalidInput;
    Zrk_String& stored = direction == 1 ? nrBolts1 : nrBolts2;
    if (get) {
        value = stored;
        return Acad::eOk;
    }
    int count = -1;
    if (!getCount(value, count)) return Acad::eInvalidInput;
    stored = intToStr(count);
    return Acad::eOk;
}

Acad::ErrorStatus Zrk_BoltPattern::getSetReverseStart(int direction, bool& flag, bool get) {
    if (direction != 1 && !(direction == 2 && hasSecondDirection())) return Acad::eInvalidInput;
    bool& stored = direction == 1 ? reverseStart1 : reverseStart2;
    if (get)
        flag = stored;
    else
        stored = flag;
    return Acad::eOk;
}
