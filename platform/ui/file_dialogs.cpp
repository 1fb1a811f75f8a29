#include "ui/file_dialogs.h"

#include <QApplication>
#include <QFileDialog>

#include "core/files.h"
#include "core/text.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"
#include "ui/user_interaction.h"

namespace ui {
namespace {

bool showToPerson(const FileDialogRequest& request, Zrk_StringArray& paths, QWidget* owner) {
    QFileDialog dialog(owner ? owner : QApplication::activeWindow(), qtText(request.title),
                       qtText(normalizePath(request.startFolder)), qtText(request.filterText()));
    switch (request.mode) {
    case FileDialogRequest::Mode::Open:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        break;
    case FileDialogRequest::Mode::Save:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
        break;
    case FileDialogRequest::Mode::OpenMultiple:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFiles);
        break;
    }
    if (!request.extension.empty()) dialog.setDefaultSuffix(qtText(request.extension));
    if (!request.fileName.empty()) dialog.selectFile(qtText(request.fileName));
    if (dialog.exec() != QDialog::Accepted) return false;
    Zrk_StringArray chosen;
    for (const QString& file : dialog.selectedFiles()) chosen.append(moduleText(file));
    if (chosen.isEmpty()) return false;
    paths = chosen;
    return true;
}

} // namespace

Zrk_String FileDialogRequest::filterText() const {
    Zrk_String filter;
    if (!extension.empty()) {
        filter = filterName.empty() ? extension : filterName;
        if (!hasASubstr(filter, "(")) filter += " (*." + extension + ")";
        filter += ";;";
    }
    return filter + "All files (*)";
}

Zrk_String FileDialogRequest::withDefaultExtension(const Zrk_String& path) const {
    if (extension.empty() || !getExtension(path).empty()) return path;
    return path + "." + extension;
}

bool runFileDialog(const FileDialogRequest& request, Zrk_StringArray& paths, QWidget* owner) {
    if (UserInteraction* interaction = currentUserInteraction())
        if (const std::optional<bool> answer = interaction->fileDialog(request, paths)) return *answer;
    if (!QApplication::instance()) return false;
    return showToPerson(request, paths, owner);
}

bool getOpenFileName(FileDialogRequest request, Zrk_String& path, QWidget* owner) {
    request.mode = FileDialogRequest::Mode::Open;
    Zrk_StringArray paths;
    if (!runFileDialog(request, paths, owner) || paths.isEmpty()) return false;
    path = paths.first();
    return true;
}

bool getSaveFileName(FileDialogRequest request, Zrk_String& path, QWidget* owner) {
    request.mode = FileDialogRequest::Mode::Save;
    Zrk_StringArray paths;
    if (!runFileDialog(request, paths, owner) || paths.isEmpty()) return false;
    path = paths.first();
    return true;
}

} // namespace ui

bool DlgOpenMulti(const Zrk_String& filterName, const Zrk_String& extension, const Zrk_String& startFolder,
                  const Zrk_String& title, Zrk_StringArray& paths, QWidget* owner) {
    ui::FileDialogRequest request;
    request.mode = ui::FileDialogRequest::Mode::OpenMultiple;
    request.filterName = filterName;
    request.extension = extension;
    request.startFolder = startFolder;
    request.title = title;
    return ui::runFileDialog(request, paths, owner);
}

bool warnInvalidFileName(const Zrk_String& name, QWidget* owner) {
    const Zrk_String trimmedName = trimmed(name);
    Zrk_String why;
    if (trimmedName.empty() || trimmedName == ".")
        why = "A file needs a name.";
    else if (name.find("..") != Zrk_String::npos || name.find('/') != Zrk_String::npos ||
             name.find('\\') != Zrk_String::npos)
        why = "The name \"" + name +
              "\" may not hold '/', '\\' or \"..\": it would name a file in another folder.";
    else if (hasInvalidFileNameChars(name))
        why = "The name \"" + name +
              "\" holds a character a file name cannot hold (: * ? \" < > | or a control character).";
    else
        return false;
    ui::messageBox(why, {}, ui::MB_OK | ui::MB_ICONEXCLAMATION, owner);
    return true;
}
