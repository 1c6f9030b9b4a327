// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_system_information.h"

#include <QDir>
#include <QStandardPaths>

QStringList DesktopSystemInformation::knownPrograms() {
    return {QStringLiteral("kinfocenter"),
            QStringLiteral("hardinfo2"),
            QStringLiteral("hardinfo"),
            QStringLiteral("gnome-system-monitor"),
            QStringLiteral("mate-system-monitor"),
            QStringLiteral("xfce4-taskmanager")};
}

DesktopSystemInformation::DesktopSystemInformation(QStringList programNames, QString searchPath)
    : programNames_(std::move(programNames)), searchPath_(std::move(searchPath)) {}

QString DesktopSystemInformation::programPath() const {
    // Only the absolute folders of the path: "." or an empty entry (the
    // current folder, wherever that is) or any relative one would start a
    // program that happens to lie in the folder the program was started from.
    // Without a PATH, the system's usual one.
    const QString path = searchPath_.isNull()
                             ? qEnvironmentVariable("PATH", QStringLiteral("/usr/bin:/bin"))
                             : searchPath_;
    QStringList dirs;
    for (const QString& dir : path.split(QLatin1Char(':'))) {
        if (QDir::isAbsolutePath(dir))
            dirs << dir;
    }
    if (dirs.isEmpty())
        return {};
    for (const QString& name : programNames_) {
        const QString program = QStandardPaths::findExecutable(name, dirs);
        if (!program.isEmpty())
            return program;
    }
    return {};
}
