// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "desktop_shell.h"

// QDesktopServices for links, QProcess for programs.
class QtDesktopShell : public DesktopShell {
public:
    void openLink(const QString& target) override;
    bool startProgram(const QString& path) override;
    bool fileExists(const QString& path) const override;
};
