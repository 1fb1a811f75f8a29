#pragma once
// Demonstrations of the module's dialogs on sample data, for the host shell ("sshost dialog NAME"):
// a person looks at a dialog, or the shell saves its picture, without any caller of the module.
// A dialog's folder registers its demonstration with one line:
//
//   [[maybe_unused]] static const bool kDemo = frame::registerDemoDialog("text-input", &demoTextInput);
//
// A demonstration runs the dialog the way its callers do and answers, in a line, what came out of it.
// A demonstration that shows a dialog template (the designer's, a macro page's) takes its options:
// which template of the sample library, and whether in design mode. One that edits a macro of a
// drawing (registerDrawingDemoDialog) takes the drawing, the macro and whether to write it back.

#include <string>
#include <vector>

#include "core/zrk_string.h"
#include "module/export.h"

namespace frame {

// What a person may choose of a demonstration that takes options.
struct DemoOptions {
    Zrk_String templateName; // a dialog template of the library by name ("Base plate"); empty: its own
    bool design = false;     // the template in design mode
    bool given() const { return !templateName.empty() || design; }

    Zrk_String drawingPath; // a drawing file to edit; empty: the sample drawing
    Zrk_String macroName;   // the macro of it to edit; empty: the demonstration's own choice
    bool save = false;      // write the drawing back (atomically) when the person presses OK
    bool drawingGiven() const { return !drawingPath.empty() || !macroName.empty() || save; }
};

using DemoDialog = Zrk_String (*)();
// Answers what came out (true), or why it could not run (false: the options ask for what is not there).
using DemoDialogWithOptions = bool (*)(const DemoOptions& options, Zrk_String& answer);
// Always true (for static registration); a later demonstration of the same name replaces the earlier.
bool registerDemoDialog(const char* name, DemoDialog demo);
bool registerDemoDialog(const char* name, DemoDialogWithOptions demo);
// A demonstration that edits a macro of a drawing: it takes the drawing options, and no others.
bool registerDrawingDemoDialog(const char* name, DemoDialogWithOptions demo);

// The names of the demonstrations, sorted.
SS_EXPORT std::vector<std::string> demoDialogNames();
// Runs a demonstration with the module's resources current. With a picture path, the dialog's
// picture is saved there as PNG instead of showing the dialog to a person, and the dialog is
// cancelled. False with a message in error when there is no such demonstration, options are given
// that it does not take, it cannot run with them, or no picture could be saved; result is the
// demonstration's answer (UTF-8).
SS_EXPORT bool runDemoDialog(const std::string& name, const std::string& picturePath, std::string& result,
                             std::string& error);
SS_EXPORT bool runDemoDialog(const std::string& name, const std::string& picturePath,
                             const DemoOptions& options, std::string& result, std::string& error);

} // namespace frame
