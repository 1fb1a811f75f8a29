#include "core/section_types.h"

#include <ctime>

#include "core/files.h"
#include "core/language.h"
#include "core/number_text.h"
#include "core/settings.h"
#include "core/text.h"

namespace {

// Value-column texts shared by the types.
enum ValueText : int {
    kHeight = 736,
    kWidth = 737,
    kWebThickness = 738,
    kFlangeThickness = 739,
    kRadius = 740,
    kThickness = 741,
    kDiameter = 742,
    kLip = 743,
    kReturn = 745,
    kStiffener = 746,
    kLength = 747,
    kGap = 748,
    kSide = 749,
};

const Zrk_String kUserSectionsFolder = "User Sections/";
const Zrk_String kUnknownPicture = "Unknown";

} // namespace

namespace core {

const std::vector<BuiltInSectionType>& builtInSectionTypes() {
    // Types 1 to 17 are named by texts 719 to 735, types 18 to 24 by texts 1677 to 1683. A rectangular
    // hollow section (10) lists its corner radius after its wall thickness: the add-section dialog
    // checks the one against the other.
    static const std::vector<BuiltInSectionType> types = {
        {1, 719, "ProfSectionI", {kHeight, kWidth, kWebThickness, kFlangeThickness, kRadius}},
        {2, 720, "ProfSectionCL", {kHeight, kWidth, kLip, kThickness, kRadius}},
        {3, 721, "ProfSectionHL", {kHeight, kWidth, kThickness, kRadius}},
        {4, 722, "ProfSectionCU", {kHeight, kWidth, kWebThickness, kFlangeThickness, kRadius}},
        {5, 723, "ProfSectionT", {kHeight, kWidth, kWebThickness, kFlangeThickness, kRadius}},
        {6, 724, "ProfSectionOI", {kHeight, kWidth, kWebThickness, kFlangeThickness}},
        {7, 725, "ProfSectionOU", {kHeight, kWidth, kWebThickness, kFlangeThickness}},
        {8, 726, "ProfSectionRect", {kWidth, kThickness}},
        {9, 727, "ProfSectionRound", {kDiameter}},
        {10, 728, "ProfSectionRectTube", {kHeight, kWidth, kThickness, kRadius}},
        {11, 729, "ProfSectionRoundTube", {kDiameter, kThickness}},
        {12, 730, "ProfSectionC", {kHeight, kWidth, kThickness, kRadius}},
        {13, 731, "ProfSectionZ", {kHeight, kWidth, kThickness, kRadius}},
        {14, 732, "ProfSectionV", {kHeight, kWidth, kThickness, kRadius}},
        {15, 733, "ProfSectionO", {kHeight, kWidth, kThickness}},
        {16, 734, "ProfSectionQ", {kSide}},
        {17, 735, "ProfSectionCuttedI", {kHeight, kWidth, kWebThickness, kFlangeThickness, kRadius}},
        {18, 1677, "ProfSectionSigma", {kHeight, kWidth, kLip, kStiffener, kThickness}},
        {19, 1678, "ProfSectionSigma+", {kHeight, kWidth, kLip, kReturn, kStiffener, kThickness}},
        {20, 1679, "ProfSectionSigma Sleeve", {kHeight, kWidth, kThickness, kLength}},
        {21, 1680, "ProfSectionC+", {kHeight, kWidth, kLip, kReturn, kThickness}},
        {22, 1681, "ProfSectionC Sleeve", {kHeight, kWidth, kThickness, kLength}},
        {23, 1682, "ProfSectionSingle Cleat", {kHeight, kWidth, kThickness, kLength}},
        {24, 1683, "ProfSectionDouble Cleat", {kHeight, kWidth, kThickness, kLength, kGap}},
    };
    return types;
}

const BuiltInSectionType* findBuiltInSectionType(int number) {
    if (number < 1 || number > kBuiltInSectionTypeCount) return nullptr;
    return &builtInSectionTypes()[static_cast<std::size_t>(number - 1)];
}

bool isUserSectionType(const Zrk_String& typeText) {
    return isEqual(getExtension(typeText), "dwg", true);
}

const BuiltInSectionType* builtInSectionTypeOf(const Zrk_String& typeText) {
    double value = 0;
    if (isUserSectionType(typeText) || !parseNumber(typeText, value) || value < 1 ||
        value > kBuiltInSectionTypeCount || value != static_cast<int>(value))
        return nullptr;
    return findBuiltInSectionType(static_cast<int>(value));
}

Zrk_String sectionTypeDisplayText(const Zrk_String& typeText) {
    if (const BuiltInSectionType* type = builtInSectionTypeOf(typeText))
        return "<" + dialString(type->nameText) + ">";
    return isUserSectionType(typeText) ? typeText : Zrk_String();
}

Zrk_String sectionTypeFromDisplayText(const Zrk_String& shown) {
    for (const BuiltInSectionType& type : builtInSectionTypes())
        if (shown == "<" + dialString(type.nameText) + ">") return intToStr(type.number);
    return shown;
}

bool sectionTypeValueColumns(const Zrk_String& typeText, Zrk_StringArray& names) {
    names.removeAll();
    const BuiltInSectionType* type = builtInSectionTypeOf(typeText);
    if (!type) return false;
    for (int text : type->valueTexts)
        names.append(dialString(text));
    return true;
}

Zrk_String sectionTypePictureName(const Zrk_String& typeText, const Zrk_String& sectionName) {
    if (typeText.empty()) {
        Zrk_String name = ensureNoStartBSlash(normalizePath(sectionName));
        if (name.size() >= kUserSectionsFolder.size() &&
            isEqual(name.substr(0, kUserSectionsFolder.size()), kUserSectionsFolder, true))
            name = name.substr(kUserSectionsFolder.size());
        name = changeExtension(name, "");
        return name.empty() ? kUnknownPicture : name;
    }
    if (isUserSectionType(typeText)) return getFileName(normalizePath(typeText), false);
    const BuiltInSectionType* type = builtInSectionTypeOf(typeText);
    return type ? Zrk_String(type->pictureName) : kUnknownPicture;
}

namespace {
Zrk_String picturePath(const Zrk_String& pictureName, bool big) {
    return gSettings.zrkDir + "icons/" + pictureName + (big ? "-big.bmp" : "-small.bmp");
}
} // namespace

Zrk_String sectionPictureFile(const Zrk_String& pictureName, bool big) {
    const Zrk_String path = picturePath(pictureName, big);
    return !pictureName.empty() && fileExists(path) ? path : picturePath(kUnknownPicture, big);
}

Zrk_String sectionTypePicture(const Zrk_String& typeText, const Zrk_String& sectionName, bool big) {
    const Zrk_String icons = gSettings.zrkDir + "icons/";
    const Zrk_String name = sectionTypePictureName(typeText, sectionName);
    if (fileExists(picturePath(name, big))) return picturePath(name, big);

    if (typeText.empty() && !big) {
        const Zrk_String source = gSettings.libDir + kUserSectionsFolder + name + ".bmp";
        const Zrk_String copy = icons + name + "-automated.bmp";
        std::time_t sourceTime = 0, copyTime = 0;
        if (ObjectExportGetFileTime(source, sourceTime)) {
            if (!ObjectExportGetFileTime(copy, copyTime) || sourceTime > copyTime)
                ObjectExportCopyFile(source, copy);
            if (fileExists(copy)) return copy;
        }
    }
    return picturePath(kUnknownPicture, big);
}

} // namespace core
