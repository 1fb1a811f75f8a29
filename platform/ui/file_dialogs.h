#pragma once
// File-open and file-save dialogs, and the choice of several files (DlgOpenMulti). All go through
// the installed user interaction first (user_interaction.h), so tests answer them with a script.

#include <QWidget>

#include "core/zrk_string.h"

namespace ui {

struct FileDialogRequest {
    enum class Mode { Open, Save, OpenMultiple };
    Mode mode = Mode::Open;
    Zrk_String title;
    // The filter: its name ("Templates", or "Templates (*.txt)") and the extension without dot ("txt"),
    // which is also the default extension of a name typed without one. An empty extension: any file.
    Zrk_String filterName;
    Zrk_String extension;
    Zrk_String startFolder;   // '/' or '\' separators
    Zrk_String fileName;      // the name proposed at first
    bool mustExist = true;        // Open: only existing files
    bool overwritePrompt = true;  // Save: ask before an existing file is replaced

    // The filter as the file dialog takes it: "Templates (*.txt)" and "All files (*)".
    Zrk_String filterText() const;
    // path with the default extension added when its name has none (Save).
    Zrk_String withDefaultExtension(const Zrk_String& path) const;
};

// The chosen file. False when the user cancelled; path is then unchanged.
bool getOpenFileName(FileDialogRequest request, Zrk_String& path, QWidget* owner = nullptr);
bool getSaveFileName(FileDialogRequest request, Zrk_String& path, QWidget* owner = nullptr);
// Runs the request as its mode says; paths gets the chosen files (one for Open and Save).
bool runFileDialog(const FileDialogRequest& request, Zrk_StringArray& paths, QWidget* owner = nullptr);

} // namespace ui

// The choice of one or more existing files of one kind (filter name, extension "dwg"), starting in a
// folder, with a title. False when cancelled (paths unchanged); otherwise the chosen paths, '/'
// separated, in the order the dialog gives them.
bool DlgOpenMulti(const Zrk_String& filterName, const Zrk_String& extension, const Zrk_String& startFolder,
                  const Zrk_String& title, Zrk_StringArray& paths, QWidget* owner = nullptr);

// Whether a name the person typed cannot name a file of a folder: empty, "." or holding "..", '/',
// '\' or a character no file name may hold. Such a name is refused with a warning that says why
// (true); a good name shows nothing (false).
bool warnInvalidFileName(const Zrk_String& name, QWidget* owner = nullptr);
