#include "ui/window_class.h"

#include <QApplication>
#include <QVariant>

#include "core/codepage.h"

namespace ui {
namespace {
constexpr const char* kIdProperty = "ss_controlId";
constexpr const char* kClassProperty = "ss_windowClass";
constexpr const char* kStyleProperty = "ss_windowStyle";

bool isControl(const QWidget* widget) {
    return widget->property(kIdProperty).isValid() || widget->property(kClassProperty).isValid();
}
} // namespace

int controlId(const QWidget* widget) { return widget ? widget->property(kIdProperty).toInt() : 0; }

void setControlId(QWidget* widget, int id) { widget->setProperty(kIdProperty, id); }

Zrk_String windowClassName(const QWidget* widget) {
    if (!widget) return {};
    const QVariant name = widget->property(kClassProperty);
    if (name.isValid()) return core::fromUtf8(name.toString().toStdString());
    return widget->metaObject()->className();
}

void setWindowClassName(QWidget* widget, const Zrk_String& className) {
    widget->setProperty(kClassProperty, QString::fromStdString(core::toUtf8(className)));
}

unsigned windowStyle(const QWidget* widget) { return widget ? widget->property(kStyleProperty).toUInt() : 0u; }

void setWindowStyle(QWidget* widget, unsigned style) { widget->setProperty(kStyleProperty, style); }

QWidget* windowOf(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget())
        if (isControl(w)) return w;
    return widget;
}

QWidget* focusWindow() {
    QWidget* focus = QApplication::focusWidget();
    return focus ? windowOf(focus) : nullptr;
}

} // namespace ui

Zrk_String GetWndClassName(const QWidget* window) { return ui::windowClassName(window); }
