// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program's title and version, build settings distinct from the main
// window's caption, and the game's version: each text written here once.
namespace AppInfo {
QString title();
// "Version 5.0.0": the program's version, as the build gives it.
QString versionText();
// "Version 1.00": the game's own version.
QString gameVersionText();
// The project's contact mail address and home page, as the build was given
// them; empty when it was given none.
QString mailAddress();
QString webAddress();
} // namespace AppInfo
