// The demonstration of dialog templates as live controls for the host shell (module/demo_dialogs.h):
//   sshost dialog designed-template [--template NAME] [--design] [--png FILE]
// At run time the template shows sample values as a macro page would: cells of the sample templates
// with values a macro might hold, its check boxes checked and undetermined (a value that differs
// between macros), the first flex button of each group pressed, the second cut type chosen; lists
// come from their list files. In design mode two controls are selected.

#include <map>

#include "core/language.h"
#include "core/text.h"
#include "designer/dlg_template_view.h"
#include "module/demo_dialogs.h"

namespace {

const Zrk_String kDefaultTemplate = "Notched beam";

Zrk_String joined(const Zrk_StringArray& parts) {
    Zrk_String text;
    for (const Zrk_String& part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text;
}

// Values of the sample templates' cells, as a macro would hold them.
const std::map<Zrk_String, Zrk_String> kSampleValues = {
    {"NotchLength", "120"}, {"NotchDepth", "45"}, {"Grade", "S355"}, {"Anchor", "M20"},
    {"Edge", "40"},         {"Thick", "20"},      {"Length", "450"}, {"Height", "300"},
    {"Edge1", "35"},        {"Pitch", "70"},      {"Edge2", "35"},   {"Width", "200"},
};

void showSampleValues(Zrk_DlgDesignerData& data) {
    int checkBoxes = 0;
    Zrk_StringArray groups;
    data.getFlexBtnsGroups(groups);
    for (const Zrk_String& group : groups) {
        Zrk_StringArray names;
        if (data.getAllFlexVarsOfGroup(group, names)) data.setFlexBtnStatus(group, names[0], 1);
    }
    for (int i = 0; i < data.getNrControls(); ++i) {
        const Zrk_DesignerControl& control = *data.getControl(i);
        if (control.type == ctCellCheck) {
            data.setCtrlValue(control.resourceId, checkBoxes++ % 2 == 0 ? "1" : dialString(695));
        } else if (control.type == ctCutType) {
            data.setCtrlValue(control.resourceId, "1");
        } else if (control.type == ctCellEdit || control.type == ctCellCombo) {
            const auto value = kSampleValues.find(control.contents);
            if (value != kSampleValues.end()) data.setCtrlValue(control.resourceId, value->second);
        }
    }
}

// "name=value" of every control that holds a value, as a macro page would store them.
Zrk_String valuesOf(Zrk_DlgDesignerData& data) {
    Zrk_StringArray values;
    for (int i = 0; i < data.getNrControls(); ++i) {
        const Zrk_DesignerControl& control = *data.getControl(i);
        const designer::ControlKind kind = designer::controlKind(control.type);
        const Zrk_String name = control.type == ctCellCheck ? control.comboList : control.contents;
        Zrk_String value;
        if (control.type == ctFlexButton) {
            int state = 0;
            if (data.getFlexBtnStatus(i, state))
                values.append(control.flexParams[0] + "/" + name + "=" + intToStr(state));
        } else if ((kind == designer::ControlKind::Edit || kind == designer::ControlKind::ComboBox ||
                    control.type == ctCellCheck) &&
                   data.getCtrlValue(control.resourceId, value)) {
            values.append(name + "=" + value);
        }
    }
    return values.isEmpty() ? Zrk_String("No values.") : "Values: " + joined(values);
}

// The controls whose factors differ from before.
Zrk_String movedOf(const Zrk_DlgDesignerData& before, const Zrk_DlgDesignerData& after) {
    Zrk_StringArray moved;
    for (int i = 0; i < after.getNrControls() && i < before.getNrControls(); ++i) {
        const Zrk_DesignerControl& a = *before.getControl(i);
        const Zrk_DesignerControl& b = *after.getControl(i);
        if (a.topLeftX != b.topLeftX || a.topLeftY != b.topLeftY || a.bottomRightX != b.bottomRightX ||
            a.bottomRightY != b.bottomRightY)
            moved.append(b.contents);
    }
    return moved.isEmpty() ? Zrk_String("Nothing moved.") : "Moved or resized: " + joined(moved) + ".";
}

bool demoDesignedTemplate(const frame::DemoOptions& options, Zrk_String& answer) {
    const Zrk_String name = options.templateName.empty() ? kDefaultTemplate : options.templateName;
    DlgTemplateView view(options.design);
    Zrk_String message;
    if (!view.data.readFromFile(getDesignerRootFolder() + name + ".txt", true, &message)) {
        if (message.empty()) {
            Zrk_StringArray names;
            getModuleImages(names);
            message =
                "There is no dialog template \"" + name + "\". The templates are: " + joined(names) + ".";
        }
        answer = message;
        return false;
    }
    if (options.design) {
        // Two controls that take values, to show the selection's frames and handles.
        for (int i = 0; i < view.data.getNrControls() && view.selection.size() < 2; ++i)
            if (designer::controlKind(view.data.getControl(i)->type) == designer::ControlKind::Edit)
                view.selection.push_back(view.data.getControl(i)->resourceId);
    } else {
        view.showValues = showSampleValues;
    }
    Zrk_String values;
    view.storeValues = [&values](Zrk_DlgDesignerData& data) { values = valuesOf(data); };
    const Zrk_DlgDesignerData before = view.data;
    if (view.doModal() != ui::IDOK) {
        answer = "Cancelled.";
        return true;
    }
    answer = options.design ? movedOf(before, view.data) : values;
    return true;
}

[[maybe_unused]] const bool kDemo = frame::registerDemoDialog("designed-template", &demoDesignedTemplate);

} // namespace
