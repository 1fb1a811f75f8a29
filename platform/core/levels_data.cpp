#include "core/levels_data.h"

#include <cmath>

#include "core/drawing.h"
#include "core/text.h"

namespace {

int findLevelIn(const Zrk_Array<Zrk_Level>& levels, const Zrk_String& name) {
    for (int i = 0; i < levels.length(); ++i)
        if (isEqual(levels[i].name, name, true)) return i;
    return -1;
}

bool isWorld(const Zrk_String& name) {
    return name.empty() || isEqual(name, core::kWorldLevelName, true);
}

} // namespace

Acad::ErrorStatus KvLevelsDlgData::initialize(AcTransaction* callerTransaction) {
    const core::Drawing* drawing = core::workingDrawing();
    if (!drawing) return Acad::eInvalidInput;
    transaction = callerTransaction;
    levels = drawing->levels();
    return Acad::eOk;
}

void KvLevelsDlgData::getNames(Zrk_StringArray& names) const {
    names.removeAll();
    for (const Zrk_Level& level : levels)
        names.append(level.name);
}

Acad::ErrorStatus KvLevelsDlgData::getLevelData(int index, Zrk_String& name, Zrk_String& refName,
                                                double& relative, double& absolute) const {
    double value = 0.0;
    if (!levels.isValid(index) || !core::levelAbsolute(levels, levels[index].name, value))
        return Acad::eInvalidInput;
    name = levels[index].name;
    refName = levels[index].reference;
    relative = levels[index].value;
    absolute = value;
    return Acad::eOk;
}

Acad::ErrorStatus KvLevelsDlgData::updateLevel(int index, double relative) {
    if (!levels.isValid(index) || !std::isfinite(relative)) return Acad::eInvalidInput;
    levels[index].value = relative;
    return Acad::eOk;
}

Acad::ErrorStatus KvLevelsDlgData::updateLevel(int index, const Zrk_String& refName) {
    if (!levels.isValid(index)) return Acad::eInvalidInput;
    if (!isWorld(refName)) {
        // The chain from the new reference must not reach this level.
        Zrk_String at = refName;
        for (int steps = 0; !isWorld(at); ++steps) {
            const int found = findLevelIn(levels, at);
            if (found < 0 || found == index || steps > levels.length()) return Acad::eInvalidInput;
            at = levels[found].reference;
        }
    }
    levels[index].reference = refName;
    return Acad::eOk;
}

Acad::ErrorStatus KvLevelsDlgData::addLevel(const Zrk_String& name, int& index) {
    if (trimmed(name).empty() || isWorld(name) || findLevelIn(levels, name) >= 0) return Acad::eDuplicateKey;
    levels.append(Zrk_Level{name, Zrk_String(), 0.0});
    index = levels.length() - 1;
    return Acad::eOk;
}

bool KvLevelsDlgData::deleteLevel(int index) {
    if (!levels.isValid(index)) return false;
    for (const Zrk_Level& level : levels)
        if (isEqual(level.reference, levels[index].name, true)) return false;
    return levels.removeAt(index);
}

Acad::ErrorStatus KvLevelsDlgData::setRealLevels() const {
    core::Drawing* drawing = core::workingDrawing();
    if (!drawing) return Acad::eInvalidInput;
    core::UndoScope undo(*drawing);
    drawing->levelsWrite() = levels;
    undo.keep();
    return Acad::eOk;
}
