#include "sshost/gui/window_actions.h"

#include "host/command_line.h"
#include "sshost/gui/actions.h"
#include "ui/message_box.h"

namespace sshost::gui {

void print(const std::string& utf8) {
    host::CommandLine::instance().print(core::fromUtf8(utf8));
}

void warn(const ActionContext& context, const Zrk_String& message) {
    ui::messageBox(asSentence(message), {}, ui::MB_OK | ui::MB_ICONEXCLAMATION, context.window);
}

const std::vector<WindowAction>& windowActions() {
    static const std::vector<WindowAction> actions = [] {
        std::vector<WindowAction> all;
        for (auto area : {&macroActions, &standardsActions, &constraintsActions, &profileActions,
                          &libraryActions, &settingsActions}) {
            std::vector<WindowAction> lines = area();
            all.insert(all.end(), lines.begin(), lines.end());
        }
        return all;
    }();
    return actions;
}

bool applies(const WindowAction& action, const TreeObject& object, bool drawingOpen) {
    if (action.appliesTo == TreeKind::None) return true;
    return drawingOpen && action.appliesTo == object.kind;
}

} // namespace sshost::gui
