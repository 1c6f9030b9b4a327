// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// Where the installed data folder is, seen from the program's folder.
#ifndef VORELLE_DATA_FROM_BIN
#define VORELLE_DATA_FROM_BIN "../share/vorelle"
#endif

AppPaths::AppPaths(QString dataDir, QString userDataDir, QString configDir,
                   QStringList systemConfigDirs)
    : dataDir_(std::move(dataDir)), userDataDir_(std::move(userDataDir)),
      configDir_(std::move(configDir)), systemConfigDirs_(std::move(systemConfigDirs)) {}

AppPaths AppPaths::system() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    QString data = exeDir;
    if (!QFileInfo::exists(exeDir + QStringLiteral("/gagner.wav"))) {
        const QString installed =
            QDir::cleanPath(exeDir + QLatin1Char('/') + QStringLiteral(VORELLE_DATA_FROM_BIN));
        if (QFileInfo(installed).isDir())
            data = installed;
    }
    QString userData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (userData.isEmpty())
        userData = QDir::homePath() + QStringLiteral("/.local/share/vorelle");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config/vorelle");
    // The configuration folders after the user's own, in their order.
    QStringList systemConfig = QStandardPaths::standardLocations(QStandardPaths::AppConfigLocation);
    systemConfig.removeAll(config);
    return AppPaths(data, userData, config, systemConfig);
}

QString AppPaths::userDataFile(const QString& name) const {
    QDir().mkpath(userDataDir_);
    return userDataDir_ + QLatin1Char('/') + name;
}

QString AppPaths::configFile(const QString& name) const {
    QDir().mkpath(configDir_);
    return configDir_ + QLatin1Char('/') + name;
}

QString executableBaseName() {
    const QString path = QCoreApplication::applicationFilePath();
    const QString base = QFileInfo(path).completeBaseName();
    return base.isEmpty() ? QStringLiteral("vorelle") : base;
}
