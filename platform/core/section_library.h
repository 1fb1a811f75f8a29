#pragma once
// The section library as its editor sees it: the section groups, the user-defined section types, and
// what the library folder holds (its section tables, the drawings of user-defined sections, the
// pictures the product offers). The groups and types are kept in the library's file
// "prof/SectionLibrary.txt" (docs/section-library.md); the tables are their own ".pr" files
// (docs/section-tables.md).
//
// Names per language follow MacroLangs::GetAllLanguages: element i is the name in language i.
// Groups carry a number (id) of their own that never changes and is never given again while the
// group exists, so that a type keeps its group when other groups are added or removed; a type whose
// group is gone has no group.

#include "core/zrk_string.h"

// One section group: a name (its key), whether the product offers it, its picture and its names per
// language.
struct SectionGroup {
    int id = 0;
    Zrk_String name;
    bool enabled = true;
    Zrk_String image;
    Zrk_StringArray langs;

    bool operator==(const SectionGroup& other) const = default;
};

class SectionGroupArray {
public:
    int length() const { return groups_.length(); }
    // The group's name in the user's language (MacroLangs::GetCurLanguage), else its name; empty
    // for an index outside the array.
    Zrk_String getName(int index) const;
    bool getEnabled(int index) const;
    bool setEnabled(int index, bool enabled);
    Zrk_String getImage(int index) const;
    bool setImage(int index, const Zrk_String& image);
    // The names per language (as many as there are languages).
    bool getLangs(int index, Zrk_StringArray& langs) const;
    bool setLangs(int index, const Zrk_StringArray& langs);
    // The group's id; -1 for an index outside the array.
    int getId(int index) const;
    // The index of the group with that id, or -1.
    int findId(int id) const;
    // Appends an enabled group without picture, with an id this array has not held before and a name
    // not yet used, made from language text 758; the same name in every language. Answers its index.
    int appendNewGrp();
    bool removeAt(int index);
    // The names (getName) of all groups, and their ids, in order.
    void namesOfAllGroups(Zrk_StringArray& names, Zrk_Array<int>& ids) const;

    // The records themselves (the library file's reader and writer, tests).
    const SectionGroup& at(int index) const { return groups_[index]; }
    // Appends a group as it is; false when its id is not positive, is the largest int or is taken already.
    bool append(const SectionGroup& group);

    // Equal groups (the ids to come do not count).
    bool operator==(const SectionGroupArray& other) const { return groups_ == other.groups_; }

private:
    Zrk_Array<SectionGroup> groups_;
    int nextId_ = 1; // above every id this array has held: a removed group's id is not given again
};

// A user-defined section type: the drawing of its section in "User Sections/" (name, e.g. "Hat
// section.dwg"; empty for a type that has none yet), whether the product offers it, its picture,
// its group (an id, -1 for none), its section table and its names per language.
struct SectionType {
    Zrk_String name;
    bool enabled = true;
    Zrk_String image;
    int groupId = -1;
    Zrk_String table;
    Zrk_StringArray langs;

    // The name in the user's language, else the drawing's name.
    Zrk_String getName() const;

    bool operator==(const SectionType& other) const = default;
};

class DlgEditLibData {
public:
    // The library's files, relative to the library folder: "prof/NAME.pr" of every section table
    // and "User Sections/NAME.dwg" of every user-defined section's drawing, sorted.
    Zrk_StringArray availableFiles;
    SectionGroupArray groups;
    // The picture names the product offers for groups and types: the names of the product folder's
    // "icons/NAME-big.bmp" pictures, sorted.
    Zrk_StringArray pictureNames;
    // The section tables (file names without ".pr") and the user-defined section types (drawing
    // names), as GetAvailableFiles found them; the section library editor keeps tableNames up to
    // date as it makes, renames and deletes tables.
    Zrk_StringArray tableNames;
    Zrk_StringArray userTypeNames;
    Zrk_Array<SectionType> types;

    // Fills availableFiles, tableNames, userTypeNames and pictureNames from the library folder
    // (gSettings.libDir) and the product folder (gSettings.zrkDir). Folders that do not exist give
    // nothing. Always true.
    bool GetAvailableFiles();

    // The library file of the current library folder.
    static Zrk_String libraryFilePath();
    // Replaces groups and types by those of the library file; a library without the file has none.
    // False, nothing changed and the reason (file, line, what was expected) in message when the file
    // cannot be read or is not a section library file.
    bool readFromLibrary(Zrk_String* message = nullptr);
    // Writes groups and types into the library file, atomically (creating "prof/" when the library
    // has none); a type whose group is gone is written without group. False with the reason when it
    // cannot be written (a name holding a tab or a line break cannot be stored).
    bool writeToLibrary(Zrk_String* message = nullptr) const;

    bool operator==(const DlgEditLibData& other) const = default;
};
