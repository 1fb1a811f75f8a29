#pragma once
// What the macro dialogs' demonstrations share (module/demo_dialogs.h): the drawing they edit (the
// sample drawing, or the person's own with --drawing) opened as the host's drawing (so that picks in
// it work as in the host), the macro chosen (--macro, else the demonstration's own), and the drawing
// written back atomically with --save when the person accepted.

#include "core/drawing.h"
#include "module/demo_dialogs.h"

namespace macrodlg {

class DemoDrawing {
public:
    // Opens the drawing and finds the macro (by name, else defaultMacro). False with the reason in
    // failure: a file that cannot be read, no such macro, --save without --drawing.
    bool open(const frame::DemoOptions& options, const Zrk_String& defaultMacro, Zrk_String& failure);

    Zrk_DbMacro* macro = nullptr;

    // The demonstration's answer: with --save and accepted the drawing is written back first (a
    // failure to write is the answer then, and false); otherwise what says whether it was kept.
    bool finish(bool accepted, const Zrk_String& what, Zrk_String& answer);

private:
    frame::DemoOptions options_;
    Zrk_String path_;
};

} // namespace macrodlg
