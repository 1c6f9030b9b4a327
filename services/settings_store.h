// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The per-user settings store, addressed by application name, section and key.
// Values are texts; a write is on disk when saveSetting returns.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString getSetting(const QString& appName, const QString& section, const QString& key,
                               const QString& defaultValue) const = 0;
    // Stores the value; nothing is written when the store already holds it.
    // False when it could not be stored; the user is then told, once per
    // file, that `what` (French: "le réglage « ... »") was not saved and
    // where. An empty `what` names the key.
    virtual bool saveSetting(const QString& appName, const QString& section, const QString& key,
                             const QString& value, const QString& what = {}) = 0;
};
