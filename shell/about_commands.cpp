// SPDX-License-Identifier: GPL-3.0-or-later
#include "about_commands.h"

#include "desktop_shell.h"
#include "key_value.h"
#include "message_boxes.h"
#include "registry.h"

namespace AboutCommands {

QString sysInfoMissingMessage() {
    return QStringLiteral("Les informations système ne sont pas disponibles actuellement");
}

namespace {
std::optional<QString> sysInfoProgram(const Registry& registry, const DesktopShell& shell) {
    QString value;
    if (GetKeyValue(registry, MachineRoot, SysInfoKeys::programKey(), SysInfoKeys::programValue(),
                    value))
        return value;
    if (GetKeyValue(registry, MachineRoot, SysInfoKeys::locationKey(), SysInfoKeys::locationValue(),
                    value)) {
        const QString file = value + QLatin1Char('/') + SysInfoKeys::programFileName();
        if (shell.fileExists(file))
            return file;
    }
    return std::nullopt;
}
} // namespace

void StartSysInfo(const Registry& registry, DesktopShell& shell, MessageBoxes& boxes) {
    const std::optional<QString> program = sysInfoProgram(registry, shell);
    if (program && shell.startProgram(*program))
        return;
    boxes.msgBox(sysInfoMissingMessage(), MsgPlain);
}

std::optional<QString> mailTarget(const QString& caption) {
    if (caption.isEmpty())
        return std::nullopt;
    return QStringLiteral("MailTo:") + caption;
}

std::optional<QString> webTarget(const QString& caption) {
    if (caption.isEmpty())
        return std::nullopt;
    const QString http = QStringLiteral("http://");
    const bool hasScheme = caption.startsWith(http, Qt::CaseSensitive) ||
                           caption.startsWith(QStringLiteral("https://"), Qt::CaseSensitive);
    return hasScheme ? caption : http + caption;
}

} // namespace AboutCommands
