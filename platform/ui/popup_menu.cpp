#include "ui/popup_menu.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <algorithm>

#include "core/codepage.h"
#include "ui/user_interaction.h"

namespace ui {

bool PopupMenuRequest::offers(int id) const {
    return id != 0 && std::any_of(items.begin(), items.end(), [id](const MenuItem& item) {
               return !item.separator && item.enabled && item.id == id;
           });
}

int trackPopupMenu(const std::vector<MenuItem>& items, const QPoint& screenPosition, QWidget* owner) {
    const PopupMenuRequest request{items, screenPosition};
    if (UserInteraction* interaction = currentUserInteraction())
        if (const std::optional<int> chosen = interaction->popupMenu(request)) return *chosen;
    if (!QApplication::instance() || items.empty()) return 0;

    QMenu menu(owner);
    for (const MenuItem& item : items) {
        if (item.separator) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromStdString(core::toUtf8(item.text)));
        action->setData(item.id);
        action->setEnabled(item.enabled);
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
    }
    const QAction* chosen = menu.exec(screenPosition);
    return chosen ? chosen->data().toInt() : 0;
}

} // namespace ui
