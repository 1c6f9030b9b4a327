// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "save_failure_notice.h"
#include "settings_store.h"

#include <QStringList>

class MessageBoxes;

// The settings in the program's INI files (organisation "vorelle"): the
// user's file <config>/vorelle/<appName>.ini, written; then, read only, the
// user's <config>/vorelle.ini and, for each folder of the system's
// configuration path (XDG_CONFIG_DIRS, /etc/xdg by default), its
// vorelle/<appName>.ini and then its vorelle.ini. A read takes the value from
// the first file that holds the key. A file that is not a regular file once
// links are followed (a named pipe, which would hold the program up for
// ever, a device, a folder) is never opened: it counts as missing, and it is
// never replaced.
class QtSettingsStore : public SettingsStore {
public:
    // boxes: where a failed save is reported (nowhere when null).
    explicit QtSettingsStore(MessageBoxes* boxes = nullptr) : boxes_(boxes) {}

    QString getSetting(const QString& appName, const QString& section, const QString& key,
                       const QString& defaultValue) const override;
    bool saveSetting(const QString& appName, const QString& section, const QString& key,
                     const QString& value, const QString& what = {}) override;

    // The files read, in order; the first is the one written.
    static QStringList files(const QString& appName);

private:
    MessageBoxes* boxes_;
    SaveFailureNotice notice_;
};
