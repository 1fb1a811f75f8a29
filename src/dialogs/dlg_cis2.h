#pragma once
// The CIS/2 export options dialog (template 254, StartDlgCis2Info): what a CIS/2 file of the model
// holds. The first choice writes the analysis model (the members as lines) and asks nothing more; the
// second writes the manufacturing model, whose contents the other controls choose, enabled only
// while it is chosen. "Section names..." edits the library's section-name translation
// (core/section_translation.h), the names the file gives the sections; it is written when the person
// ends that editor with OK, whatever becomes of the options. A translation file that cannot be read is
// said, and not opened: saving it from an empty editor would lose what it holds.

#include "core/zrk_string.h"
#include "module/export.h"
#include "ui/dialog.h"

class SS_EXPORT KvDlgCis2Data {
public:
    bool analysisModel = true;  // the analysis model; false: the manufacturing model with the four below
    bool bolts = true;          // bolts and their holes
    bool partsWithCuts = false; // parts with their cuts and holes (else plain lengths of section)
    bool welds = false;
    bool assemblies = false;

    bool operator==(const KvDlgCis2Data&) const = default;
};

class SS_EXPORT DlgCis2Info : public ui::Dialog {
public:
    static constexpr int kTemplate = 254;
    static constexpr int kExplanation = 1001;
    static constexpr int kAnalysisModel = 1002;
    static constexpr int kManufacturingModel = 1003;
    static constexpr int kBolts = 1004;
    static constexpr int kPlainParts = 1005;
    static constexpr int kPartsWithCuts = 1006;
    static constexpr int kWelds = 1007;
    static constexpr int kAssemblies = 1008;
    static constexpr int kSectionNames = 1009;

    explicit DlgCis2Info(QWidget* owner = nullptr);
    KvDlgCis2Data data;

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onOK() override;

private:
    void updateEnabling();
    void editSectionNames();
};

// What the options say, in a line: "the analysis model", or "the manufacturing model with bolts,
// parts with their cuts, welds, without assemblies".
SS_EXPORT Zrk_String cis2Summary(const KvDlgCis2Data& data);

// The CIS/2 export options on a copy of data; true, with data changed, when the person ends with OK.
SS_EXPORT bool StartDlgCis2Info(KvDlgCis2Data& data);
