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
// A file that is not text (a NUL or another control byte), or a sizes line that is neither a number
// nor a size "x" thickness pair, is refused with a message naming the file and the line: its lines
// are not read as values. (A table line is key and value; a line without a tab is a key without value,
// which a look-up finds and fails on.)
//
// Files are read anew whenever they change: a parsed file (or why it was refused) is kept with its
// size and modification time and used again only while both are the same.

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
        int line = 0;          // the file's line, from 1
    };
    Zrk_Array<Line> lines;
    // The index of the first line whose key equals key exactly; -1 when none.
    int findKey(const Zrk_String& key) const;

    // Parses the lines of a file. False with a message "FILE, line N: ..." when they are not a table
    // file; the table is then empty.
    bool parse(const Zrk_StringArray& fileLines, const Zrk_String& fileName, Zrk_String& message);

private:
    struct Index;
    std::shared_ptr<const Index> index_;
};

struct SizesFile {
    Zrk_Array<double> sizes;
    Zrk_Array<double> thicknesses; // parallel to sizes; 0 for single-number lines
    Zrk_Array<int> lines;          // parallel to sizes: the file's line, from 1
    // Parses the lines of a file. False with a message "FILE, line N: ..." when they are not a sizes
    // file; the lists are then empty.
    bool parse(const Zrk_StringArray& fileLines, const Zrk_String& fileName, Zrk_String& message);
};

// The parsed file at path, read now or taken from the cache while the file is unchanged. Null with a
// message naming the file when it cannot be read or is refused.
std::shared_ptr<const TableFile> readTableFile(const Zrk_String& path, Zrk_String* message = nullptr);
std::shared_ptr<const SizesFile> readSizesFile(const Zrk_String& path, Zrk_String* message = nullptr);
// Forgets every parsed file.
void clearDataFileCache();

} // namespace standards
