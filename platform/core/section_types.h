#pragma once
// Section types: what shape the sections of a table have. A section table stores its type as text
// (the line after its title, docs/section-tables.md):
//
//   a built-in type   its number, 1 to 24 ("3" is an angle)
//   a user-defined    the name of the drawing in which the section is drawn, in the library folder's
//   type              "User Sections/" ("Hat section.dwg")
//
// A type text that does not end in ".dwg" is read as a built-in number; any other text (empty, not a
// number, a number outside 1..24) names no type.
//
// Each built-in type has a name (a language text), the picture name of its drawing in the product
// folder's "icons/", and its value columns (language texts, in column order) that the section library
// editor gives a table of that type and the add-section dialog labels its dimension fields with.

#include <vector>

#include "core/zrk_string.h"

struct BuiltInSectionType {
    int number;   // 1 to 24
    int nameText; // language text of its name
    const char* pictureName;
    std::vector<int> valueTexts; // language texts of its value columns, in order
};

namespace core {

inline constexpr int kBuiltInSectionTypeCount = 24;

// The 24 built-in types in number order.
const std::vector<BuiltInSectionType>& builtInSectionTypes();
// The built-in type of that number, or null.
const BuiltInSectionType* findBuiltInSectionType(int number);
// The built-in type a type text names, or null (a drawing name, or no type).
const BuiltInSectionType* builtInSectionTypeOf(const Zrk_String& typeText);
// Whether the type text names a user-defined section's drawing (it ends in ".dwg", any letter case).
bool isUserSectionType(const Zrk_String& typeText);

// How a type is shown to the person: a built-in type as its name between "<" and ">" ("<Angle>"), a
// drawing name as it stands, no type as an empty text.
Zrk_String sectionTypeDisplayText(const Zrk_String& typeText);
// The type text stored for a shown text: the number of the built-in type shown as "<name>", else the
// shown text as it stands (a drawing name).
Zrk_String sectionTypeFromDisplayText(const Zrk_String& shown);
// The names of the value columns of a built-in type; false (names emptied) for any other type text.
bool sectionTypeValueColumns(const Zrk_String& typeText, Zrk_StringArray& names);

// The name of a type's picture: the built-in type's picture name; a drawing's name without its
// extension; with no type text at all, the section's own name without a leading "User Sections/" and
// without its extension. A type text that names no type gives "Unknown".
Zrk_String sectionTypePictureName(const Zrk_String& typeText, const Zrk_String& sectionName = Zrk_String());
// The picture file of a picture name, large or small: the product folder's "icons/", the name and
// "-big.bmp" or "-small.bmp", or the picture "Unknown" of that size when the file is missing (or the
// name is empty).
Zrk_String sectionPictureFile(const Zrk_String& pictureName, bool big);
// The picture file of a type, large or small: the product folder's "icons/", the picture name and
// "-big.bmp" or "-small.bmp". When that file is missing:
//  - with no type text and the small picture asked for, a picture of that name (".bmp") in the
//    library folder's "User Sections/" is copied into "icons/" as NAME-automated.bmp (again whenever
//    the source is newer than the copy), and the copy is the picture;
//  - otherwise the picture "Unknown" of the same size.
// The answer is a path; the "Unknown" picture's file may be missing too (the caller then shows none).
Zrk_String sectionTypePicture(const Zrk_String& typeText, const Zrk_String& sectionName, bool big);

} // namespace core
