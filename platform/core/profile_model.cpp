#include "core/profile_model.h"

namespace core {

void getOffsetTypeStrings(Zrk_StringArray& names) {
    names = {"Free",       "Reference line", "Shear centre", "Centre",       "Gravity line",
             "Top middle", "Bottom middle",  "Middle left",  "Middle right", "Top left",
             "Top right",  "Bottom left",    "Bottom right"};
}

// Profiles store the dialog's index; the two names say in which direction a value goes.
int getDlgOffsetType(int profOffsetType) {
    return (profOffsetType >= 0 && profOffsetType < kOffsetTypeCount) ? profOffsetType : -1;
}

int getProfOffsetType(int dlgIndex) {
    return (dlgIndex >= 0 && dlgIndex < kOffsetTypeCount) ? dlgIndex : -1;
}

} // namespace core

Acad::ErrorStatus Zrk_ProfileProps::getSectionName(Zrk_String& section) const {
    if (sectionName.empty()) return Acad::eInvalidInput;
    section = sectionName;
    return Acad::eOk;
}

Acad::ErrorStatus Zrk_ProfileProps::getMaterial(Zrk_String& materialName) const {
    if (material.empty()) return Acad::eInvalidInput;
    materialName = material;
    return Acad::eOk;
}

const std::vector<MacroProfTextField>& macroProfTextFields() {
    static const std::vector<MacroProfTextField> fields = {
        {"section", &MacroProfProps::sectionName, false, false},
        {"material", &MacroProfProps::material, false, false},
        {"memberName", &MacroProfProps::memberName, false, false},
        {"offsetX", &MacroProfProps::offsetX, false, false},
        {"offsetY", &MacroProfProps::offsetY, false, false},
        {"rotation", &MacroProfProps::rotation, false, false},
        {"basePlane", &MacroProfProps::basePlane, true, false},
        {"coordSystem", &MacroProfProps::coordSystem, true, false},
        {"secondSection", &MacroProfProps::secondSection, false, true},
        {"morphText1", &MacroProfProps::morphText1, false, true},
        {"morphText2", &MacroProfProps::morphText2, false, true},
    };
    return fields;
}

const std::vector<MacroProfNumberField>& macroProfNumberFields() {
    static const std::vector<MacroProfNumberField> fields = {
        {"offsetType", &MacroProfProps::offsetType, -1, 0, core::kOffsetTypeCount - 1, false},
        {"placeChoice", &MacroProfProps::placeChoice, core::kPlaceChoiceVaries, 0,
         core::kPlaceChoiceCount - 1, false},
        {"onSegment", &MacroProfProps::onSegment, -1, 0, 1, true},
        {"segment", &MacroProfProps::segment, -1, 1, 1'000'000, true},
        {"option", &MacroProfProps::option, 2, 0, 1, false},
    };
    return fields;
}

void MacroProfProps::mergeWith(const MacroProfProps& other, const Zrk_String& varies) {
    for (const MacroProfTextField& field : macroProfTextFields())
        if (this->*field.member != other.*field.member) this->*field.member = varies;
    for (const MacroProfNumberField& field : macroProfNumberFields())
        if (this->*field.member != other.*field.member) this->*field.member = field.varies;
    morphed = morphed || other.morphed; // the morphed fields show when any profile is morphed
}

void MacroProfProps::applyTo(MacroProfProps& target, const Zrk_String& varies) const {
    // Whether a profile is morphed is its own; only its morphing texts follow the group.
    for (const MacroProfTextField& field : macroProfTextFields())
        if (this->*field.member != varies && (!field.morphing || target.morphed))
            target.*field.member = this->*field.member;
    for (const MacroProfNumberField& field : macroProfNumberFields())
        if (this->*field.member != field.varies) target.*field.member = this->*field.member;
}
