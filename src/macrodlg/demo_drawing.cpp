#include "macrodlg/demo_drawing.h"

#include "core/settings.h"
#include "host/document.h"

namespace macrodlg {

bool DemoDrawing::open(const frame::DemoOptions& options, const Zrk_String& defaultMacro,
                       Zrk_String& failure) {
    options_ = options;
    if (options.save && options.drawingPath.empty()) {
        failure = "--save writes the drawing back: name the drawing with --drawing.";
        return false;
    }
    path_ =
        options.drawingPath.empty() ? gSettings.libDir + "Drawings/macro-dialogs.json" : options.drawingPath;
    host::Document& document = host::Document::current();
    if (!document.open(path_, failure)) return false;
    const Zrk_String name = options.macroName.empty() ? defaultMacro : options.macroName;
    macro = document.database().findMacroByName(name);
    if (!macro) {
        failure = path_ + " has no macro \"" + name + "\".";
        return false;
    }
    return true;
}

bool DemoDrawing::finish(bool accepted, const Zrk_String& what, Zrk_String& answer) {
    if (!accepted) {
        answer = "Cancelled; " + path_ + " was not changed.";
        return true;
    }
    if (!options_.save) {
        answer = what + " (not written: --save writes the drawing back).";
        return true;
    }
    Zrk_String message;
    if (!host::Document::current().save(message)) {
        answer = "The drawing could not be written: " + message;
        return false;
    }
    answer = what + "; written to " + path_ + ".";
    return true;
}

} // namespace macrodlg
