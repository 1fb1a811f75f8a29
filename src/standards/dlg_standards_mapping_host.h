#pragma once
// A small tab dialog that shows the standards mapping page on its own (template 8721), until the
// macro settings dialog hosts the page as its last tab. It works on a macro's MacroSettingsData the
// way that dialog does: the page edits the settings' TabMappingData, and OK commits the page and
// keeps its modified flag in the settings' standardsModified.

#include "core/macro_settings.h"
#include "frame/export.h"
#include "host/acad.h"
#include "standards/dlg_standards_mapping.h"
#include "ui/dialog.h"

class DlgStandardsMappingHost : public ui::Dialog {
public:
    static constexpr int kTemplate = 8721;
    static constexpr int kTabs = 1000;

    explicit DlgStandardsMappingHost(Zrk_String macroName = Zrk_String(), QWidget* owner = nullptr);
    ~DlgStandardsMappingHost() override;

    // The dialog's own record; its tabMapping needs the catalogue of the macro (macroMapping).
    MacroSettingsData data;
    StandardsMappingPage page;

protected:
    bool onInitDialog() override;
    // Commits the page; a mapping that could not be written is shown, and the dialog stays open.
    void onOK() override;
    void onDestroy() override;

private:
    Zrk_String macroName_;
};

// The standards of the macro with that id in the working drawing, edited on the mapping page in the
// host above: the settings are read (GetMacroSettings), the page gets the catalogue of the macro's
// mappable objects, and on OK the settings are written back (SetMacroSettings, one undo record).
// Mapping records the page wrote stay in the mapping files whatever the end. False when the id is
// no macro of the working drawing, on Cancel, and when the settings could not be written.
SS_EXPORT bool StartDlgStandardsMapping(AcDbObjectId macroId);
