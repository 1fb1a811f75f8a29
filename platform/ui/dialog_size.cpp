#include "ui/dialog_size.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStringList>
#include <algorithm>

#include "core/codepage.h"

namespace {

constexpr int kLargest = 100000; // pixels; anything larger is no real window

// '/' and '\' would make groups in QSettings.
QString settingName(const Zrk_String& text) {
    QString name = QString::fromStdString(core::toUtf8(text));
    return name.replace(u'/', u'_').replace(u'\\', u'_');
}

QString settingKey(const Zrk_String& key) {
    return QStringLiteral("DialogSizes/") + settingName(key);
}

QString valueKey(const Zrk_String& key, const Zrk_String& name) {
    return QStringLiteral("DialogValues/") + settingName(key) + u'/' + settingName(name);
}

QSettings settings() { return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("ss"), QStringLiteral("dialogs")); }

} // namespace

bool getDlgSize(const Zrk_String& key, QRect& rect) {
    if (key.empty()) return false;
    const QStringList parts = settings().value(settingKey(key)).toString().split(u' ', Qt::SkipEmptyParts);
    if (parts.size() != 4) return false;
    int numbers[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = parts[i].toInt(&ok);
        if (!ok || numbers[i] < -kLargest || numbers[i] > kLargest) return false;
    }
    if (numbers[2] <= 0 || numbers[3] <= 0) return false;
    rect = QRect(numbers[0], numbers[1], numbers[2], numbers[3]);
    return true;
}

bool WriteDlgSize(QWidget* dialog, const Zrk_String& key) {
    if (!dialog || key.empty()) return false;
    const QRect r = dialog->geometry();
    QSettings store = settings();
    store.setValue(settingKey(key), QStringLiteral("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()));
    store.sync();
    return store.status() == QSettings::NoError;
}

bool ChangeDlgSize(QWidget* dialog, const Zrk_String& key) {
    QRect stored;
    if (!dialog || !getDlgSize(key, stored)) return false;
    const QSize minimum = dialog->minimumSize();
    const QSize maximum = dialog->maximumSize();
    const QSize size = stored.size().expandedTo(minimum).boundedTo(maximum);
    QPoint position = stored.topLeft();
    if (dialog->isWindow()) {
        // Keep the window reachable: inside the screen it was on, or the main screen.
        const QScreen* screen = QGuiApplication::screenAt(stored.center());
        if (!screen) screen = QGuiApplication::primaryScreen();
        if (screen) {
            const QRect area = screen->availableGeometry();
            position.setX(std::clamp(position.x(), area.left(), std::max(area.left(), area.right() - size.width())));
            position.setY(std::clamp(position.y(), area.top(), std::max(area.top(), area.bottom() - size.height())));
        }
    }
    dialog->setGeometry(QRect(position, size));
    return true;
}

bool readDlgRegBool(const Zrk_String& key, const Zrk_String& name, bool& value) {
    if (key.empty() || name.empty()) return false;
    const QString stored = settings().value(valueKey(key, name)).toString();
    if (stored == QStringLiteral("true"))
        value = true;
    else if (stored == QStringLiteral("false"))
        value = false;
    else
        return false;
    return true;
}

bool writeDlgRegBool(const Zrk_String& key, const Zrk_String& name, bool value) {
    if (key.empty() || name.empty()) return false;
    QSettings store = settings();
    store.setValue(valueKey(key, name), value ? QStringLiteral("true") : QStringLiteral("false"));
    store.sync();
    return store.status() == QSettings::NoError;
}
