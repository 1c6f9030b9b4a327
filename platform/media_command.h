// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// One media-control command string: a verb ("open", "play" or "close", in
// any case), white space, then a path, bare or between double quotes.
// Surrounding white space is allowed. A bare path ends at the first white
// space; a quoted one at the closing quote. Anything else is no command
// (verb None): another verb, a missing or empty path, an unclosed quote, a
// NUL in the path, or text after the path (flags are not supported).
struct MediaCommand {
    enum class Verb { None, Open, Play, Close };
    Verb verb = Verb::None;
    QString path;
};

MediaCommand parseMediaCommand(QStringView command);

// A path as it goes into a command: between double quotes when it holds
// white space as the parser sees it (an ASCII space, a tab, a no-break
// space...), which would otherwise end it; bare otherwise.
QString mediaCommandPath(const QString& path);
