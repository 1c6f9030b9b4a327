// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The per-user settings store, addressed by application name, section and key.
// Values are texts; a write is on disk when setSetting returns. Failures are
// silent.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString getSetting(const QString& appName, const QString& section, const QString& key,
                               const QString& defaultValue) const = 0;
    virtual void saveSetting(const QString& appName, const QString& section, const QString& key,
                             const QString& value) = 0;
};

class QtSettingsStore : public SettingsStore {
public:
    QString getSetting(const QString& appName, const QString& section, const QString& key,
                       const QString& defaultValue) const override;
    void saveSetting(const QString& appName, const QString& section, const QString& key,
                     const QString& value) override;
};
