// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program's title and version, build settings distinct from the main
// window's caption.
namespace AppInfo {
QString title();
int versionMajor();
int versionMinor();
int versionRevision();
// The project's contact mail address and home page, as the build was given
// them; empty when it was given none.
QString mailAddress();
QString webAddress();
} // namespace AppInfo
