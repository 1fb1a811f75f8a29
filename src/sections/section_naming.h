#pragma once
// How the sections of a table are named after their dimensions, and where a new section goes: the
// add-section dialog proposes a new section's name in the pattern of the existing ones and inserts it
// in sorted place.
//
// A pattern is read from one row: its system name split at "x" ("40x40x4" gives 40, 40, 4), each part
// taken from a dimension of the row (a number by value, any other part by its text; a dimension
// serves one part only), and per language the display name's text before its first digit ("L "). A
// row whose name has a part no dimension gives is no pattern.

#include "sections/prof_values_table.h"

namespace sections {

struct NamingPattern {
    int row = -1;             // the row the pattern was read from
    Zrk_StringArray prefixes; // per language: the display name before its first digit
    Zrk_Array<int> parts;     // per part of the system name: the index of its dimension (0-based)
};

// The dimension texts of a row: the cells after the display names (columns from 2 + L).
Zrk_StringArray dimensionsOf(const Zrk_ProfValuesTable& table, int row);

// The pattern of the first row, from startRow downwards (at most 9999 rows), whose name parts are all
// found among its dimensions. False (pattern untouched) when there is none.
bool findNamingPattern(const Zrk_ProfValuesTable& table, int startRow, NamingPattern& pattern);

// The name made of the dimensions the pattern names, joined with "x"; numbers as names show them
// ("45.0" gives "45"). False when the pattern names a dimension that is not given.
bool nameFromDimensions(const NamingPattern& pattern, const Zrk_StringArray& dimensions, Zrk_String& name);

// A number as a name shows it: no trailing zeros ("40.0" gives "40", "5.50" gives "5.5"); a text
// that is no number stays as it is (without blanks around it).
Zrk_String shortNumberText(const Zrk_String& text);
// A dimension value as tables store it: at least one decimal ("45" gives "45.0", "5.25" stays).
Zrk_String storedDimensionText(double value);

// The index at which a section of that system name is inserted so that the table stays in the order
// a person reads names with numbers (compareNatural). A name of the form "AxA..." (at least two parts,
// the first two equal, as equal-leg angles have) takes its place among the names of that form with as
// many parts: directly after the one that precedes it, or before the first when none does. Any other
// name, or one whose form no row has, takes its place among all names the same way. An empty table
// answers 0.
int insertionPlace(const Zrk_ProfValuesTable& table, const Zrk_String& systemName);

// The table and the section a section's full system name names: a table name, "-" and the row's
// system name ("HEA-200"), or a table name alone. Table names may hold "-" themselves: the table is
// the longest of the names that the text begins with, followed by "-" or the end ("HE-A-200" is the
// section "200" of a table "HE-A" before one of a table "HE"). False, table -1 and sysName empty when
// no table name begins the text.
bool splitSectionName(const Zrk_StringArray& tableNames, const Zrk_String& name, int& table,
                      Zrk_String& sysName);

} // namespace sections
