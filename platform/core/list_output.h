#pragma once
// The core library's list engine as its outputs see it: the bill it lists and the callback class an
// output derives from. The engine calls onStartFeed, then onAddRow and onAddSubTotals in the bill's
// order, then onEndFeed.

#include "core/files.h"
#include "core/zrk_string.h"
#include "host/acad.h"

// A bill of materials, as far as its outputs and the image maker use it: the names of its columns
// and which of them names a row's section (what the picture of a row shows).
struct Zrk_Bill {
    Zrk_StringArray columnNames;
    int sectionColumn = -1; // index into a row's strings; -1: none
};

class Zrk_ListOutputCallback {
public:
    virtual ~Zrk_ListOutputCallback() = default;

    virtual Acad::ErrorStatus onStartFeed() { return Acad::eOk; }
    // One row of the bill: a string per column.
    virtual void onAddRow(const Zrk_StringArray& row) {}
    // A subtotal row: its strings (empty where nothing is totalled), the totals' labels, whether it
    // is the grand total, and its level.
    virtual void onAddSubTotals(const Zrk_StringArray& row, const Zrk_StringArray& labels, bool grandTotal, int level) {}
    virtual Acad::ErrorStatus onEndFeed() { return Acad::eOk; }
};

// Deletes a file the list engine made (a row's picture). False when it could not be deleted; a
// missing file counts as deleted.
inline bool deleteFile(const Zrk_String& path) { return ObjectExportDeleteFile(path); }
