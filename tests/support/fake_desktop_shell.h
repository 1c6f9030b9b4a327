// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "desktop_shell.h"
#include "system_information.h"

#include <QStringList>

// Records the links opened and the programs started; answers with the start
// result the test set up.
class FakeDesktopShell : public DesktopShell {
public:
    QStringList links;
    QStringList started;
    bool startWorks = true;

    void openLink(const QString& target) override { links << target; }
    bool startProgram(const QString& path) override {
        started << path;
        return startWorks;
    }
};

// Gives the system-information program the test set up (none by default).
struct FakeSystemInformation : SystemInformation {
    QString program;
    QString programPath() const override { return program; }
};
