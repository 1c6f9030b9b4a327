// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "system_information.h"

#include <QStringList>

// The first of the desktop's system-information programs found on the PATH,
// looked for at each question, so that one installed while the program runs
// is found.
class DesktopSystemInformation : public SystemInformation {
public:
    // The system-information programs of the common Linux desktops, in order
    // of preference.
    static QStringList knownPrograms();

    // Looks for `programNames`, in order, in the PATH `searchPath`
    // (":"-separated; the process's PATH when null).
    explicit DesktopSystemInformation(QStringList programNames = knownPrograms(),
                                      QString searchPath = QString());

    // Only the absolute folders of the path are looked in, never the current
    // folder ("." or an empty entry) nor any other relative one.
    QString programPath() const override;

private:
    QStringList programNames_;
    QString searchPath_;
};
