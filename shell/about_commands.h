// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class DesktopShell;
class MessageBoxes;
class Registry;

// The about box's commands, apart from its window.
namespace AboutCommands {

// "Les informations système ne sont pas disponibles actuellement".
QString sysInfoMissingMessage();

// Starts the system-information program. It is looked up twice, in order:
// the program's own path (started as it is, without looking for its file),
// then the folder that holds it (started only when the program's file is
// there). When neither gives a program, or it cannot be started, a plain
// message box with the application title says so.
void StartSysInfo(const Registry& registry, DesktopShell& shell, MessageBoxes& boxes);

// What clicking the mail link opens: "MailTo:" and the caption; nothing for
// an empty caption.
std::optional<QString> mailTarget(const QString& caption);

// What clicking the web link opens: the caption when it starts with "http://"
// or "https://" (in that case), else "http://" and the caption; nothing for
// an empty caption.
std::optional<QString> webTarget(const QString& caption);

} // namespace AboutCommands
