#pragma once
// The property-file dialog (template 231): the person chooses a property file of a macro by its name,
// to load it (load mode: only a name of the list) or to save under it (save mode: a name of the list
// or a new one typed), and may delete files. The list shows the files written for the current macro,
// or every file of the folder while "all" is ticked. The caller (the macro dialog) lists the files
// (MacroData::getPropFiles) and reads or writes the chosen one itself.
//
// A file's path is the folder, the name and the extension joined as they are. Deleting asks first; a
// name that would leave the folder ('/', '\' or "..") is never deleted, and a delete that fails says
// so and leaves both lists as they were. Saving refuses a name that cannot name a file of the folder
// (warnInvalidFileName) and asks before replacing a file, with a further warning when the file was
// written for another macro; any answer but Yes keeps the dialog open. The size is kept under
// "DLG_OPENSAVEFILTERED".

#include "core/zrk_string.h"
#include "module/export.h"
#include "ui/dialog.h"
#include "ui/resizer.h"

struct SS_EXPORT DlgPropFileData {
    Zrk_String folder;             // the files' folder, ending with '/'
    Zrk_String extension;          // with its dot (".kvp")
    Zrk_StringArray allNames;      // every property file of the folder (names without folder and extension)
    Zrk_StringArray matchingNames; // those written for the current macro
    bool saveMode = false;         // false: load
    Zrk_String chosenName;         // out: the name confirmed

    Zrk_String pathOf(const Zrk_String& name) const { return folder + name + extension; }
    bool operator==(const DlgPropFileData&) const = default;
};

class SS_EXPORT DlgPropFile : public ui::Dialog {
public:
    static constexpr int kTemplate = 231;
    static constexpr int kList = 1001;
    static constexpr int kNameLabel = 1002;
    static constexpr int kName = 1003;
    static constexpr int kShowAll = 1004;
    static constexpr int kDelete = 1005;

    explicit DlgPropFile(QWidget* owner = nullptr);
    DlgPropFileData data;

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onOK() override;
    void onSize(int width, int height) override;
    void onDestroy() override;

private:
    void fillList();
    void deleteSelected();

    CResizer resizer_;
};

// Runs the dialog on a copy of data; true, with data.chosenName (and the lists as deletes left them),
// on OK. Files deleted stay deleted however the dialog ends.
SS_EXPORT bool StartDlgPropFile(DlgPropFileData& data);
