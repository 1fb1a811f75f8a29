#pragma once
// Every standard of every macro of a drawing, at once:
//
//   sshost standards --drawing FILE --all [--jobs N] [--save]
//
// A macro names its standards in its settings (each spreadsheet with its mapping record; a row
// without a mapping record yet is passed over, as the macro dialog does). Each macro is evaluated
// as "standards --macro" evaluates one: its standards in order, all or nothing, a failed equation or
// an unreadable Input counting as a failure. One line per macro says which Output values changed
// (or why it failed); a summary ends the list, and the exit status is 1 when any macro failed.
//
// The module runs on one interface thread with module-wide pools and timers, so the work is shared
// out to processes (by default one per core): this one and workers (this program again). Each claims
// the next small chunk of macros until none is left, so that a slower process takes fewer; the
// workers hand back each chunk (its lines and its evaluated macros) as they finish it, and this
// process merges those between its own chunks. What a worker does not hand back intact (it stopped,
// its file cannot be read, it holds other macros) counts as failed, with that reason. With --save
// the drawing is written once, atomically, holding the new values of the macros that evaluated
// without failure and the old values of the others.
//
// For tests only, SS_TEST_WORKER_FAULT=stop|garbage|other makes every worker fail in that way.

#include <string>

namespace sshost {

struct DrawingStandardsOptions {
    std::string drawing;
    int jobs = 0; // 0: one per core
    bool save = false;
    // What a worker needs to load the module as its parent did.
    std::string modulePath;
    std::string library;
    // Set in a worker: its number, the count of workers and the folder for what it hands back.
    int worker = -1;
    int workers = 0;
    std::string handBack;
};

int runDrawingStandards(const DrawingStandardsOptions& options);

} // namespace sshost
