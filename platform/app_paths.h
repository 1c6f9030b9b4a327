// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the program's files are. Installation data (sounds, music, tips) lives
// in dataDir(); files the program writes for the user (scores.lst) in
// userDataDir(); the game settings file in configDir(). Paths use "/".
class AppPaths {
public:
    AppPaths(QString dataDir, QString userDataDir, QString configDir);

    // The real folders: data next to the executable when the sounds are there
    // (a build tree), else the installed share/vorelle; the per-user folders
    // from QStandardPaths.
    static AppPaths system();

    const QString& dataDir() const { return dataDir_; }
    const QString& userDataDir() const { return userDataDir_; }
    const QString& configDir() const { return configDir_; }

    QString dataFile(const QString& name) const { return dataDir_ + QLatin1Char('/') + name; }
    QString userDataFile(const QString& name) const;
    QString configFile(const QString& name) const;

private:
    QString dataDir_;
    QString userDataDir_;
    QString configDir_;
};

// The executable's file name without extension ("vorelle").
QString executableBaseName();
