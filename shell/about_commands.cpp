// SPDX-License-Identifier: GPL-3.0-or-later
#include "about_commands.h"

#include "desktop_shell.h"
#include "message_boxes.h"
#include "system_information.h"

namespace AboutCommands {

QString sysInfoMissingMessage() {
    return QStringLiteral("Les informations système ne sont pas disponibles actuellement");
}

void startSystemInformation(const SystemInformation& info, DesktopShell& shell,
                            MessageBoxes& boxes) {
    const QString program = info.programPath();
    if (!program.isEmpty() && shell.startProgram(program))
        return;
    boxes.showMessage(sysInfoMissingMessage(), MessageKind::Plain);
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
