#pragma once
// The profile-features dialog (template 241, StartDlgProfFeatures): the level a profile stands on and
// the labelled values of a profile-features record (core/prof_features_data.h). Rows without a label
// are hidden; the third row shows one of its two forms as the switch stands, a level chosen from the
// drawing's levels or a value typed. "Levels..." beside a level choice opens the levels dialog on the
// working drawing; what is accepted there is written into the drawing at once, and the level choices
// are filled again with what they had chosen still chosen (none, when that level was deleted).

#include "core/prof_features_data.h"
#include "module/export.h"
#include "ui/dialog.h"

class DlgProfFeatures : public ui::Dialog {
public:
    static constexpr int kTemplate = 241;
    static constexpr int kLevelLabel = 1003;
    static constexpr int kLevel = 1250;
    static constexpr int kLevelsButton = 1254;
    static constexpr int kHeading = 969;
    static constexpr int kRowLabels[DlgProfFeaturesData::kValueCount] = {1299, 1301, 1303, 1305};
    static constexpr int kRowValues[DlgProfFeaturesData::kValueCount] = {1252, 1302, 1304, 1306};
    static constexpr int kThirdLevel = 1253;
    static constexpr int kThirdLevelsButton = 1255;
    static constexpr int kSwitch = 1018;

    explicit DlgProfFeatures(QWidget* owner = nullptr);

    DlgProfFeaturesData data;

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onOK() override;

private:
    bool hasSwitch() const { return !data.checkCaption.empty(); }
    // The level choice filled with the record's level names, chosen the one of that name (or none).
    void fillLevels(int id, const Zrk_String& chosen);
    void showThirdRow();
    // What the shown form of the third row holds now, into the record.
    void storeThirdRow();
    void switchThirdRow();
    void editLevels();
};

// The profile-features dialog on a copy of data; true, with data changed, when the person ends it
// with OK. Levels edited meanwhile are in the drawing whatever the end.
SS_EXPORT bool StartDlgProfFeatures(DlgProfFeaturesData& data);
