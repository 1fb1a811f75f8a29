// Demonstrations of the grid, levels, look-up and profile-features dialogs for the host shell
// (module/demo_dialogs.h), on sample records; the levels are those of the sample drawing
// "Drawings/macro-dialogs.json", edited in memory and never written back.
//   sshost dialog grid               a grid record as a new one is (4 x 3 lines, 5000 apart)
//   sshost dialog levels             the levels of the sample drawing
//   sshost dialog look-up            look-up criteria with texts to choose from
//   sshost dialog profile-features   a column's features: level, length, rotation, height or top level

#include "core/drawing.h"
#include "core/levels_data.h"
#include "core/prof_features_data.h"
#include "core/settings.h"
#include "core/text.h"
#include "dialogs/dlg_grid.h"
#include "dialogs/dlg_levels.h"
#include "dialogs/dlg_look_up.h"
#include "dialogs/dlg_prof_features.h"
#include "module/demo_dialogs.h"

namespace {

const char* const kSampleDrawing = "Drawings/macro-dialogs.json";
const Zrk_String kNotKept = " (the sample drawing was not changed)";

// The sample drawing as the working drawing while it lives.
class SampleDrawing {
public:
    SampleDrawing() {
        ok_ = drawing_.readFromFile(gSettings.libDir + kSampleDrawing, &message_);
        if (ok_) previous_ = core::setWorkingDrawing(&drawing_);
    }
    ~SampleDrawing() {
        if (ok_) core::setWorkingDrawing(previous_);
    }
    SampleDrawing(const SampleDrawing&) = delete;
    SampleDrawing& operator=(const SampleDrawing&) = delete;
    bool ok() const { return ok_; }
    const Zrk_String& message() const { return message_; }
    const core::Drawing& drawing() const { return drawing_; }

private:
    core::Drawing drawing_;
    core::Drawing* previous_ = nullptr;
    Zrk_String message_;
    bool ok_ = false;
};

Zrk_String describeLevels(const core::Drawing& drawing) {
    Zrk_String text;
    for (const Zrk_Level& level : drawing.levels()) {
        double absolute = 0.0;
        drawing.levelAbsolute(level.name, absolute);
        text += (text.empty() ? "" : ", ") + level.name + " " + doubleToStr(absolute, 0);
    }
    return text.empty() ? Zrk_String("none") : text;
}

Zrk_String demoGrid() {
    KvGridDlgData grid;
    if (!StartDlgGrid(grid)) return "Cancelled.";
    return "Accepted: " + gridSummary(grid) + ".";
}

Zrk_String demoLevels() {
    SampleDrawing sample;
    if (!sample.ok()) return sample.message();
    KvLevelsDlgData levels;
    if (levels.initialize(nullptr) != Acad::eOk) return "There is no drawing.";
    if (!StartDlgLevels(levels)) return "Cancelled.";
    levels.setRealLevels();
    return "Levels: " + describeLevels(sample.drawing()) + kNotKept + ".";
}

Zrk_String demoLookUp() {
    KvLookUpDlgData lookUp;
    lookUp.criteriaLists[0] = {"C1", "C2", "B1"};
    lookUp.criteriaLists[1] = {"HEA 200", "IPE 300", "UNP 160"};
    lookUp.criteria[1] = "HEA 200";
    lookUp.criteriaLists[2] = {"S235", "S355"};
    lookUp.criteriaLists[3] = {"A", "B"};
    lookUp.fifthCriterionList = {"1", "2"};
    if (!StartDlgLookUp(lookUp)) return "Cancelled.";
    return "Accepted, " + lookUpSummary(lookUp) + ".";
}

Zrk_String demoProfileFeatures() {
    SampleDrawing sample;
    if (!sample.ok()) return sample.message();
    DlgProfFeaturesData features;
    features.title = "Column C1";
    features.getAllLevels();
    features.level = "Ground";
    features.values[0] = {"Section:", "HEA 200"};
    features.values[1] = {"Rotation:", "0"};
    features.values[2] = {"Height:", "3500"};
    features.thirdAlternative = {"Top level:", "First", true};
    features.values[3] = {"Mark:", "C1"};
    features.checkCaption = "Up to a level";
    if (!StartDlgProfFeatures(features))
        return "Cancelled; levels: " + describeLevels(sample.drawing()) + kNotKept + ".";
    const DlgProfFeatureValue& third = features.third();
    return "Accepted: on " + (features.level.empty() ? Zrk_String("no level") : features.level) + ", " +
           features.values[0].value + ", rotation " + features.values[1].value + ", " + third.label + " " +
           third.value + ", mark " + features.values[3].value +
           "; levels: " + describeLevels(sample.drawing()) + kNotKept + ".";
}

[[maybe_unused]] const bool kGridDemo = frame::registerDemoDialog("grid", &demoGrid);
[[maybe_unused]] const bool kLevelsDemo = frame::registerDemoDialog("levels", &demoLevels);
[[maybe_unused]] const bool kLookUpDemo = frame::registerDemoDialog("look-up", &demoLookUp);
[[maybe_unused]] const bool kFeaturesDemo =
    frame::registerDemoDialog("profile-features", &demoProfileFeatures);

} // namespace
