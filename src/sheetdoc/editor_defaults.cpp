#include "sheetdoc/editor_defaults.h"

#include <QSettings>

#include "core/codepage.h"

bool EditorDefaults::read() {
    const QSettings key(QSettings::IniFormat, QSettings::SystemScope, QString::fromUtf8(kOrganization),
                        QString::fromUtf8(kApplication));
    bool found = true;
    for (auto [name, value] : {std::pair{kLanguageValue, &language}, std::pair{kDefaultSettingsValue, &defaultSettings}}) {
        const QVariant stored = key.value(QString::fromUtf8(name));
        if (stored.isValid()) *value = core::fromUtf8(stored.toString().toStdString());
        else found = false;
    }
    return found;
}
