#include "core/prof_features_data.h"

#include "core/drawing.h"

const DlgProfFeatureValue& DlgProfFeaturesData::third() const {
    return !checkCaption.empty() && flag ? thirdAlternative : values[kThirdValue];
}

DlgProfFeatureValue& DlgProfFeaturesData::third() {
    return !checkCaption.empty() && flag ? thirdAlternative : values[kThirdValue];
}

Acad::ErrorStatus DlgProfFeaturesData::getAllLevels() {
    const core::Drawing* drawing = core::workingDrawing();
    if (!drawing) return Acad::eInvalidInput;
    levelNames.removeAll();
    for (const Zrk_Level& level : drawing->levels())
        levelNames.append(level.name);
    return Acad::eOk;
}
