#pragma once
// The common shape of the module's modal entry functions: the caller hands in its record, the dialog
// works on a copy of it for its whole life, and the caller's record changes only when the person
// ends the dialog with OK. An entry function that follows the pattern is one line:
//
//   bool StartDlgLevels(KvLevelsDlgData& data) {
//       return frame::runModalOnCopy<DlgLevels>(data);
//   }
//
// The dialog class keeps its record in a public member named `data` (the dialog's own copy) and is
// default-constructible, or takes the constructor arguments passed after the options.
//
// Entries that differ from the pattern say so in their own code with the options:
//   - resources: CallerResources for the entries that rely on their caller's resource switch;
//   - copyBack: Always (the record is copied back however the dialog ended) or Never (the dialog
//     reports OK but hands nothing back);
// and entries with extra results (an escape flag, an index) read them from the dialog object through
// runModal, which answers the dialog's result and leaves the copying to the caller.

#include <optional>
#include <utility>

#include "module/module_state.h"
#include "ui/codes.h"

namespace frame {

enum class Resources { Module, CallerResources };
enum class CopyBack { OnOK, Always, Never };

struct EntryOptions {
    Resources resources = Resources::Module;
    CopyBack copyBack = CopyBack::OnOK;
};

// Builds DialogClass (with args), copies record into dialog.data, runs it modally and copies back as
// options.copyBack says. True when the dialog ended with OK.
template <class DialogClass, class Record, class... Args>
bool runModalOnCopy(Record& record, EntryOptions options, Args&&... args) {
    std::optional<ModuleResourceSwitch> resources;
    if (options.resources == Resources::Module) resources.emplace();
    DialogClass dialog(std::forward<Args>(args)...);
    dialog.data = record;
    const bool ok = dialog.doModal() == ui::IDOK;
    if (options.copyBack == CopyBack::Always || (ok && options.copyBack == CopyBack::OnOK))
        record = dialog.data;
    return ok;
}

template <class DialogClass, class Record> bool runModalOnCopy(Record& record) {
    return runModalOnCopy<DialogClass>(record, EntryOptions{});
}

// For entries with extra results: runs a dialog the caller has built and filled, inside the module's
// resource switch when asked, and answers doModal's result.
template <class DialogClass> int runModal(DialogClass& dialog, Resources resources = Resources::Module) {
    std::optional<ModuleResourceSwitch> scope;
    if (resources == Resources::Module) scope.emplace();
    return dialog.doModal();
}

} // namespace frame
