#include "app_info.h"

namespace AppInfo {
QString title() {
    return QStringLiteral("Vorelle - les nombres en lettres");
}
int versionMajor() {
    return 5;
}
int versionMinor() {
    return 0;
}
int versionRevision() {
    return 0;
}
QString mailAddress() {
    return QStringLiteral("contact@vorelle.example");
}
QString webAddress() {
    return QStringLiteral("www.vorelle.example");
}
} // namespace AppInfo
