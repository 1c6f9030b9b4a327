// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_store.h"

#include <QSettings>

namespace {
QSettings open(const QString& appName) {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("vorelle"),
                     appName);
}
} // namespace

QString QtSettingsStore::getSetting(const QString& appName, const QString& section,
                                    const QString& key, const QString& defaultValue) const {
    QSettings s = open(appName);
    s.beginGroup(section);
    return s.value(key, defaultValue).toString();
}

void QtSettingsStore::saveSetting(const QString& appName, const QString& section,
                                  const QString& key, const QString& value) {
    QSettings s = open(appName);
    s.beginGroup(section);
    s.setValue(key, value);
    s.endGroup();
    s.sync();
}
