// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_info.h"

#include "vorelle_version.h"

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
    return QStringLiteral("contact@vorelle.example");
}
QString webAddress() {
    return QStringLiteral("www.vorelle.example");
}
} // namespace AppInfo
