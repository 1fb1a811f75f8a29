#include "designer/designer_control.h"

#include <QAbstractButton>
#include <QComboBox>

#include "core/files.h"
#include "core/settings.h"
#include "core/text.h"
#include "ui/dialog.h"

namespace {

Zrk_String key(const char* word, int i) { return append(word, i); }

bool takesFlexParams(Zrk_ControlType type) { return type == ctFlexButton; }
bool takesCellButtonParams(Zrk_ControlType type) { return type == ctCellButton || type == ctCellButton2; }

} // namespace

Zrk_DesignerControl::~Zrk_DesignerControl() = default;

// --- the template file ------------------------------------------------------------------------------

void Zrk_DesignerControl::getFromPropList(const Zrk_PropertiesList& list, const int& i) {
    int typeValue = 0;
    if (list.getProperty(key("type", i), typeValue)) type = static_cast<Zrk_ControlType>(typeValue);
    list.getProperty(key("topLeftX", i), topLeftX);
    list.getProperty(key("topLeftY", i), topLeftY);
    list.getProperty(key("bottomRightX", i), bottomRightX);
    list.getProperty(key("bottomRightY", i), bottomRightY);
    list.getProperty(key("contents", i), contents);
    Zrk_String merged;
    if (list.getProperty(key("comboList", i), merged)) setSplitExtComboList(merged);
}

void Zrk_DesignerControl::setToPropList(Zrk_PropertiesList& list, const int& i) const {
    list.setProperty(key("type", i), static_cast<int>(type));
    list.setProperty(key("topLeftX", i), topLeftX);
    list.setProperty(key("topLeftY", i), topLeftY);
    list.setProperty(key("bottomRightX", i), bottomRightX);
    list.setProperty(key("bottomRightY", i), bottomRightY);
    list.setProperty(key("contents", i), contents);
    list.setProperty(key("comboList", i), getMergedExtComboList());
}

// --- the merged parameter text ----------------------------------------------------------------------

Zrk_String Zrk_DesignerControl::getMergedExtComboList() const {
    if (takesFlexParams(type)) return arrToStr(Zrk_StringArray(std::vector<Zrk_String>(flexParams.begin(), flexParams.end())), ';');
    if (takesCellButtonParams(type)) {
        Zrk_StringArray parts(std::vector<Zrk_String>(cellButtonParams.begin(), cellButtonParams.end()));
        parts.append(comboList);
        return arrToStr(parts, ';');
    }
    return comboList;
}

bool Zrk_DesignerControl::setSplitExtComboList(const Zrk_String& text) {
    if (!takesFlexParams(type) && !takesCellButtonParams(type)) {
        comboList = text;
        return true;
    }
    Zrk_StringArray parts;
    strToArr(text, parts, ';');
    auto part = [&parts](int index) { return index < parts.length() ? parts[index] : Zrk_String(); };
    std::array<Zrk_String, 4>& params = takesFlexParams(type) ? flexParams : cellButtonParams;
    for (int i = 0; i < 4; ++i) params[static_cast<std::size_t>(i)] = part(i);
    if (takesCellButtonParams(type)) comboList = part(4);
    return true;
}

// --- list items -------------------------------------------------------------------------------------

void Zrk_DesignerControl::getComboItemsFromFile(Zrk_StringArray& items) const {
    if (comboList.empty()) return;
    Zrk_String name = normalizePath(comboList);
    if (name[0] != '/') name = gSettings.libDir + name;
    Zrk_String path;
    if (!findFileIgnoringCase(name, path)) return;
    Zrk_StringArray lines;
    if (ObjectExportReadFile(path, lines)) items = std::move(lines);
}

// --- windows ------------------------------------------------------------------------------------------

bool Zrk_DesignerControl::getCtrlPtr(ui::Dialog* dialog, QWidget*& window) const {
    window = (dialog && resourceId != 0) ? dialog->item(resourceId) : nullptr;
    return window != nullptr;
}

QComboBox* Zrk_DesignerControl::getComboPtr(ui::Dialog* dialog) const {
    if (type != ctCellCombo && type != ctProfSection && type != ctProfOffsetType && type != ctProfRotation) return nullptr;
    QWidget* window = nullptr;
    return getCtrlPtr(dialog, window) ? qobject_cast<QComboBox*>(window) : nullptr;
}

QAbstractButton* Zrk_DesignerControl::getButtonPtr(ui::Dialog* dialog) const {
    if (designer::controlKind(type) != designer::ControlKind::Button) return nullptr;
    QWidget* window = nullptr;
    return getCtrlPtr(dialog, window) ? qobject_cast<QAbstractButton*>(window) : nullptr;
}

QWidget* Zrk_DesignerControl::getEditPtr(ui::Dialog* dialog) const {
    if (designer::controlKind(type) != designer::ControlKind::Edit) return nullptr;
    QWidget* window = nullptr;
    return getCtrlPtr(dialog, window) ? window : nullptr;
}
