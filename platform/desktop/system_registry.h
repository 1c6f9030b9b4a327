// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "registry.h"

#include <QMap>
#include <QStringList>

// A read-only registry holding a fixed set of values; key and value names are
// compared without regard to case, as the system's registry does.
class FixedRegistry : public Registry {
public:
    void set(quint32 root, const QString& keyName, const QString& valueName, RegistryValue value);
    // A text value stored as the system stores it: UTF-8 with a final NUL.
    void setText(quint32 root, const QString& keyName, const QString& valueName,
                 const QString& text);
    std::optional<RegistryValue> read(quint32 root, const QString& keyName,
                                      const QString& valueName) const override;

private:
    static QString path(quint32 root, const QString& keyName, const QString& valueName);
    QMap<QString, RegistryValue> values_;
};

// The desktop's system-information programs, in order of preference.
QStringList systemInfoProgramNames();

// The registry of this system. There is no system registry here: a read-only
// stand-in whose two system-information values point at the first of
// `programNames` found on the PATH `searchPath` (":"-separated; the process's
// PATH when null), the program itself and the folder that holds it. Only the
// absolute folders of the path are looked in, never the current folder ("."
// or an empty entry) nor any other relative one. Empty when none is
// installed.
FixedRegistry systemRegistry(const QStringList& programNames = systemInfoProgramNames(),
                             const QString& searchPath = QString());
