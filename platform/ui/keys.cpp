#include "ui/keys.h"

#include <QApplication>
#include <QPointer>

#include "ui/codes.h"
#include "ui/window_class.h"

namespace ui {
namespace {

struct KeyPair {
    int qt;
    int vk;
};

constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB},       {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},   {Qt::Key_Shift, VK_SHIFT},   {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},       {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},   {Qt::Key_PageDown, VK_NEXT}, {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},      {Qt::Key_Left, VK_LEFT},     {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},    {Qt::Key_Down, VK_DOWN},     {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
};

// Sends every key press that reaches a widget first to the key handlers above it.
class KeyRouter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
        auto* widget = static_cast<QWidget*>(watched);
        // A key that nobody accepts travels up to the parents, passing this filter again each time:
        // only its first receiver, the focus widget, counts.
        QWidget* focus = widget->window()->focusWidget();
        if (focus ? widget != focus : widget != widget->window()) return false;

        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        KeyPress key;
        key.key = virtualKey(keyEvent->key());
        if (!key.key) return false;
        key.shift = keyEvent->modifiers() & Qt::ShiftModifier || keyEvent->key() == Qt::Key_Backtab;
        key.control = keyEvent->modifiers() & Qt::ControlModifier;
        key.alt = keyEvent->modifiers() & Qt::AltModifier;
        key.autoRepeat = keyEvent->isAutoRepeat();
        key.target = windowOf(widget);
        key.targetId = controlId(key.target);

        for (QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
            auto* handler = dynamic_cast<KeyHandler*>(w);
            if (handler && handler->preTranslateKey(key)) {
                event->accept();
                return true;
            }
        }
        return false;
    }
};

} // namespace

int virtualKey(int key) {
    if (key == Qt::Key_Backtab) return VK_TAB;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return VK_F1 + (key - Qt::Key_F1);
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
    for (const KeyPair& pair : kKeys)
        if (pair.qt == key) return pair.vk;
    return 0;
}

int qtKey(int vk) {
    if (vk >= VK_F1 && vk <= VK_F12) return Qt::Key_F1 + (vk - VK_F1);
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return vk;
    for (const KeyPair& pair : kKeys)
        if (pair.vk == vk) return pair.qt;
    return 0;
}

void installKeyRouting() {
    static QPointer<KeyRouter> router;
    if (router || !QCoreApplication::instance()) return;
    router = new KeyRouter(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(router);
}

} // namespace ui
