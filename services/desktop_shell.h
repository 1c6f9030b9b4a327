// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the desktop does for the program: open a link with the user's mail or
// web program, start another program, and tell whether a file is there.
class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    // Opens `target` ("mailto:..." or a web address) with the desktop's
    // program for it. Whether that worked is not reported.
    virtual void openLink(const QString& target) = 0;
    // Starts the program at `path` in a window of its own, without waiting.
    // False when it could not be started.
    virtual bool startProgram(const QString& path) = 0;
    // True when `path` names a file that is neither a folder nor hidden.
    virtual bool fileExists(const QString& path) const = 0;
};
