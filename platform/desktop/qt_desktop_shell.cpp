// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_desktop_shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

void QtDesktopShell::openLink(const QString& target) {
    QDesktopServices::openUrl(QUrl(target, QUrl::TolerantMode));
}

bool QtDesktopShell::startProgram(const QString& path) {
    // The whole path is the program: spaces in it do not split it.
    return !path.isEmpty() && QProcess::startDetached(path, {});
}

bool QtDesktopShell::fileExists(const QString& path) const {
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}
