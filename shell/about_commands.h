// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class DesktopShell;
class MessageBoxes;
class SystemInformation;

// The about box's commands, apart from its window.
namespace AboutCommands {

// "Les informations système ne sont pas disponibles actuellement".
QString sysInfoMissingMessage();

// Starts the system-information program that `info` gives. When there is
// none, or it cannot be started, a plain message box with the application
// title says so.
void startSystemInformation(const SystemInformation& info, DesktopShell& shell,
                            MessageBoxes& boxes);

// What clicking the mail link opens: "MailTo:" and the caption; nothing for
// an empty caption.
std::optional<QString> mailTarget(const QString& caption);

// What clicking the web link opens: the caption when it starts with "http://"
// or "https://" (in that case), else "http://" and the caption; nothing for
// an empty caption.
std::optional<QString> webTarget(const QString& caption);

} // namespace AboutCommands
