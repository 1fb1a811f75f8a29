#pragma once
// Picks on a terminal, for the command-line shell: the editor's prompt is printed and the person
// types the answer on a line.
//
//   object         its name or its id ("BasePlate1", "#3" or "3"); "?" lists the objects of the
//                  kinds asked for
//   point          x,y or x,y,z ("120,40" or "120, 40, 0")
//   plane          three points, one prompt each: origin, a point on the X axis, a point in the plane
//   section point  x,y in the section's own axes
//   zoom window    two corners, or "e" at the first for the drawing's extents
//
// An empty line (or the end of the input) cancels, except where it ends a selection of several
// objects. An answer that does not fit is explained and the question asked again.

#include <functional>
#include <istream>
#include <string>

#include "host/editor.h"

namespace host {

class TerminalEditorInput : public EditorInput {
public:
    using Output = std::function<void(const std::string& utf8)>;
    // Reads answers from in (UTF-8 lines) and writes prompts and explanations to out. With echo, each
    // answer read is written after its prompt, as a terminal shows what is typed (for input that
    // comes from a file or a pipe).
    TerminalEditorInput(std::istream& in, Output out, bool echo = false);

    int ask(const PickRequest& request, PickAnswer& answer) override;

private:
    // Shows the prompt and reads the answer, trimmed; false for an empty answer or the end of the
    // input (both cancel).
    bool prompt(const std::string& text, Zrk_String& typed);
    int askObject(const PickRequest& request, PickAnswer& answer);
    // One point, for the prompt; RTNONE for "e" where extents are allowed.
    int askPoint(const std::string& prompt, bool allowExtents, Zrk_Point3d& point);
    void listObjects(const PickRequest& request);

    std::istream& in_;
    Output out_;
    bool echo_;
};

// Reads "x,y" or "x,y,z" (blanks allowed around the numbers). False for anything else.
bool parsePoint(const std::string& text, Zrk_Point3d& point);

} // namespace host
