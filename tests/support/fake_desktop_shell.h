// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "desktop_shell.h"

#include <QSet>
#include <QStringList>

// Records the links opened, the programs started and the files looked for;
// answers from the files and the start result the test set up.
class FakeDesktopShell : public DesktopShell {
public:
    QStringList links;
    QStringList started;
    mutable QStringList fileTests;
    QSet<QString> files;
    bool startWorks = true;

    void openLink(const QString& target) override { links << target; }
    bool startProgram(const QString& path) override {
        started << path;
        return startWorks;
    }
    bool fileExists(const QString& path) const override {
        fileTests << path;
        return files.contains(path);
    }
};
