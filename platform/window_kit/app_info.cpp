// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_info.h"

#include "vorelle_version.h"

// The addresses are build settings (cmake/desktop.cmake); empty when the
// project has none to give.
#ifndef VORELLE_CONTACT_EMAIL
#define VORELLE_CONTACT_EMAIL ""
#endif
#ifndef VORELLE_HOMEPAGE_URL
#define VORELLE_HOMEPAGE_URL ""
#endif

namespace AppInfo {
QString title() {
    return QStringLiteral("Vorelle - les nombres en lettres");
}
int versionMajor() {
    return VORELLE_VERSION_MAJOR;
}
int versionMinor() {
    return VORELLE_VERSION_MINOR;
}
int versionRevision() {
    return VORELLE_VERSION_PATCH;
}
QString mailAddress() {
    return QStringLiteral(VORELLE_CONTACT_EMAIL);
}
QString webAddress() {
    return QStringLiteral(VORELLE_HOMEPAGE_URL);
}
} // namespace AppInfo
