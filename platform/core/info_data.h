#pragma once
// DlgInfoData: a report for the person to read, as a dialog shows it (ExportStartDlgInfo,
// ui/dlg_info.h): a caption, the text of the button that closes it, and lines of text. The report's
// writer adds the lines; the dialog shows them as they stand, in a font of fixed width, so that lines
// of dashes and columns line up.

#include "core/zrk_string.h"

class DlgInfoData {
public:
    DlgInfoData() = default;
    DlgInfoData(Zrk_String title, Zrk_String heading)
        : title(std::move(title)), heading(std::move(heading)) {}

    Zrk_String title;   // the window's caption
    Zrk_String heading; // the text of the button that closes the report (empty: the button's own)
    Zrk_StringArray lines;

    void addLine(const Zrk_String& line) { lines.append(line); }
    // The lines, each ended by a line break.
    Zrk_String text() const;
    // Writes the lines to a text file (UTF-8, atomically). False when it cannot be written.
    bool writeToFile(const Zrk_String& path) const;

    bool operator==(const DlgInfoData&) const = default;
};
