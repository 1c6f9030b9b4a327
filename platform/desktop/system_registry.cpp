// SPDX-License-Identifier: GPL-3.0-or-later
#include "system_registry.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

void FixedRegistry::set(quint32 root, const QString& keyName, const QString& valueName,
                        RegistryValue value) {
    values_.insert(path(root, keyName, valueName), std::move(value));
}

void FixedRegistry::setText(quint32 root, const QString& keyName, const QString& valueName,
                            const QString& text) {
    set(root, keyName, valueName,
        RegistryValue{RegistryTypes::Text, text.toUtf8() + QByteArray(1, '\0')});
}

std::optional<RegistryValue> FixedRegistry::read(quint32 root, const QString& keyName,
                                                 const QString& valueName) const {
    const auto it = values_.constFind(path(root, keyName, valueName));
    if (it == values_.constEnd())
        return std::nullopt;
    return *it;
}

QString FixedRegistry::path(quint32 root, const QString& keyName, const QString& valueName) {
    return QString::number(root, 16) + QLatin1Char('\\') + keyName.toLower() +
           QStringLiteral("\\\\") + valueName.toLower();
}

QStringList systemInfoProgramNames() {
    // The system-information programs of the common Linux desktops.
    return {QStringLiteral("kinfocenter"),
            QStringLiteral("hardinfo2"),
            QStringLiteral("hardinfo"),
            QStringLiteral("gnome-system-monitor"),
            QStringLiteral("mate-system-monitor"),
            QStringLiteral("xfce4-taskmanager")};
}

FixedRegistry systemRegistry(const QStringList& programNames, const QString& searchPath) {
    FixedRegistry registry;
    // Only the absolute folders of the path: "." or an empty entry (the
    // current folder, wherever that is) or any relative one would start a
    // program that happens to lie in the folder the program was started from.
    // Without a PATH, the system's usual one.
    const QString path = searchPath.isNull()
                             ? qEnvironmentVariable("PATH", QStringLiteral("/usr/bin:/bin"))
                             : searchPath;
    QStringList dirs;
    for (const QString& dir : path.split(QLatin1Char(':'))) {
        if (QDir::isAbsolutePath(dir))
            dirs << dir;
    }
    if (dirs.isEmpty())
        return registry;
    for (const QString& name : programNames) {
        const QString program = QStandardPaths::findExecutable(name, dirs);
        if (program.isEmpty())
            continue;
        registry.setText(MachineRoot, SysInfoKeys::programKey(), SysInfoKeys::programValue(),
                         program);
        registry.setText(MachineRoot, SysInfoKeys::locationKey(), SysInfoKeys::locationValue(),
                         QFileInfo(program).absolutePath());
        break;
    }
    return registry;
}
