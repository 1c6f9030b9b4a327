// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Where the program's files are. Installation data (sounds, music, tips) lives
// in dataDir(); files the program writes for the user (scores.lst) in
// userDataDir(); the game settings file in configDir(). What a teacher or a
// school puts in place of installation data (their own tips) is looked for in
// configDir(), then in systemConfigDirs(). Paths use "/".
class AppPaths {
public:
    AppPaths(QString dataDir, QString userDataDir, QString configDir,
             QStringList systemConfigDirs = {});

    // The real folders: data next to the executable when the sounds are there
    // (a build tree), else the installed share/vorelle; the per-user folders
    // from QStandardPaths; the program's folder in each of the system's
    // configuration folders (XDG_CONFIG_DIRS, /etc/xdg when it is unset).
    static AppPaths system();

    const QString& dataDir() const { return dataDir_; }
    const QString& userDataDir() const { return userDataDir_; }
    const QString& configDir() const { return configDir_; }
    const QStringList& systemConfigDirs() const { return systemConfigDirs_; }

    QString dataFile(const QString& name) const { return dataDir_ + QLatin1Char('/') + name; }
    QString userDataFile(const QString& name) const;
    QString configFile(const QString& name) const;

private:
    QString dataDir_;
    QString userDataDir_;
    QString configDir_;
    QStringList systemConfigDirs_;
};

// The executable's file name without extension ("vorelle").
QString executableBaseName();
