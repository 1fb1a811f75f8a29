#include "ui/application.h"

#include <QApplication>
#include <QWidget>
#include <QString>
#include <cstdlib>

namespace ui {
namespace {

QtMessageHandler& previousHandler() {
    static QtMessageHandler handler = nullptr;
    return handler;
}

void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support propagateSizeHints")) ||
        message.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    if (previousHandler()) previousHandler()(type, context, message);
}

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

void chooseHeadlessPlatformIfNoDisplay() {
    if (!isSet("QT_QPA_PLATFORM") && !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

bool isHeadless() { return QGuiApplication::platformName() == QLatin1String("offscreen"); }

void activateNow(QWidget* window) {
    if (!window) return;
    window->activateWindow();
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    QApplication::setActiveWindow(window);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
}

void installQuietMessageHandler() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    previousHandler() = qInstallMessageHandler(quietHandler);
}

} // namespace ui
