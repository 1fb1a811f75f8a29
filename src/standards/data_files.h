#pragma once
// The data files of the standards functions: where they are found, and the two kinds they come in.
//
// Table file (GETCELL, GETPROFCELL): lines; everything from "//" on is removed, then blanks at the end
// of the line; lines that are then empty are dropped. A line is split at tabs: field 1 the key,
// field 2 the value, further fields ignored. A key of several parts joins them with ";".
//
//   // diameter;grade <TAB> tensile area
//   16.000000;8.8	157
//   20.000000;8.8	245     // M20
//
// Sizes file (the tolerance functions): lines; "/*" ... "*/" comments (one line at most; an unclosed
// one runs to the end of the line) and everything from "//" on are removed. A remaining line is a
// size "x" thickness pair ("100x10", split at the first lower-case x, each part read as a number the
// way atof reads it) or a single number (a size with thickness 0).
//
// Files are read anew whenever they change: a parsed file is kept with its size and modification
// time and used again only while both are the same.

#include <memory>

#include "core/zrk_string.h"

namespace standards {

// The first of: name as written; the standards folder's "Data/" and name; the standards folder and
// name; the library folder and name. In each folder a file whose name differs only in letter case
// counts when none is named exactly so. False when none exists.
bool findDataFile(const Zrk_String& name, Zrk_String& path);

struct TableFile {
    struct Line {
        Zrk_String key;
        Zrk_String value;
        bool hasValue = false; // the line has a second field
    };
    Zrk_Array<Line> lines;
    // The index of the first line whose key equals key exactly; -1 when none.
    int findKey(const Zrk_String& key) const;

    // Parses the lines of a file.
    void parse(const Zrk_StringArray& fileLines);

private:
    struct Index;
    std::shared_ptr<const Index> index_;
};

struct SizesFile {
    Zrk_Array<double> sizes;
    Zrk_Array<double> thicknesses; // parallel to sizes; 0 for single-number lines
    void parse(const Zrk_StringArray& fileLines);
};

// The parsed file at path, read now or taken from the cache while the file is unchanged. Null when
// the file cannot be read.
std::shared_ptr<const TableFile> readTableFile(const Zrk_String& path);
std::shared_ptr<const SizesFile> readSizesFile(const Zrk_String& path);
// Forgets every parsed file.
void clearDataFileCache();

} // namespace standards
