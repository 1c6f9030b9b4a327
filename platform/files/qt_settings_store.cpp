// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_settings_store.h"

#include "atomic_file.h"

#include <QSettings>
#include <QStandardPaths>
#include <optional>

namespace {

const QString kOrganisation = QStringLiteral("vorelle");

// The value of the key in one file, when the file holds it.
std::optional<QString> valueIn(const QString& file, const QString& section, const QString& key) {
    if (fileKind(file) != FileKind::Regular)
        return std::nullopt;
    QSettings s(file, QSettings::IniFormat);
    s.beginGroup(section);
    if (!s.contains(key))
        return std::nullopt;
    return s.value(key).toString();
}

} // namespace

QStringList QtSettingsStore::files(const QString& appName) {
    const QString appFile = kOrganisation + QLatin1Char('/') + appName + QStringLiteral(".ini");
    const QString orgFile = kOrganisation + QStringLiteral(".ini");
    QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    const QString user =
        dirs.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                       : dirs.takeFirst();
    QStringList result{user + QLatin1Char('/') + appFile, user + QLatin1Char('/') + orgFile};
    for (const QString& dir : std::as_const(dirs))
        result << dir + QLatin1Char('/') + appFile;
    for (const QString& dir : std::as_const(dirs))
        result << dir + QLatin1Char('/') + orgFile;
    return result;
}

QString QtSettingsStore::getSetting(const QString& appName, const QString& section,
                                    const QString& key, const QString& defaultValue) const {
    for (const QString& file : files(appName)) {
        if (const std::optional<QString> value = valueIn(file, section, key))
            return *value;
    }
    return defaultValue;
}

bool QtSettingsStore::saveSetting(const QString& appName, const QString& section,
                                  const QString& key, const QString& value, const QString& what) {
    const QString current = getSetting(appName, section, key, QString());
    if (!current.isNull() && current == value)
        return true;
    const QString file = files(appName).constFirst();
    // Only a regular file is written, or a new one made.
    bool saved = false;
    if (fileKind(file) != FileKind::Other) {
        QSettings s(file, QSettings::IniFormat);
        s.beginGroup(section);
        s.setValue(key, value);
        s.endGroup();
        s.sync();
        saved = s.status() == QSettings::NoError;
    }
    if (!saved && boxes_) {
        const QString named =
            what.isEmpty()
                ? QStringLiteral("le réglage « %1 »").arg(section + QLatin1Char('/') + key)
                : what;
        notice_.report(*boxes_, file, SaveFailureNotice::message(named, file));
    }
    return saved;
}
