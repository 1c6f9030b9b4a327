// SPDX-License-Identifier: GPL-3.0-or-later
#include "media_command.h"

#include <algorithm>

namespace {
MediaCommand::Verb verbOf(QStringView word) {
    if (word.compare(u"open", Qt::CaseInsensitive) == 0)
        return MediaCommand::Verb::Open;
    if (word.compare(u"play", Qt::CaseInsensitive) == 0)
        return MediaCommand::Verb::Play;
    if (word.compare(u"close", Qt::CaseInsensitive) == 0)
        return MediaCommand::Verb::Close;
    return MediaCommand::Verb::None;
}

// White space as the parser sees it: the separator of a command's words.
bool isSeparator(QChar c) {
    return c.isSpace();
}

qsizetype skipSpaces(QStringView text, qsizetype at) {
    while (at < text.size() && isSeparator(text[at]))
        ++at;
    return at;
}

qsizetype skipWord(QStringView text, qsizetype at) {
    while (at < text.size() && !isSeparator(text[at]))
        ++at;
    return at;
}
} // namespace

MediaCommand parseMediaCommand(QStringView command) {
    const QStringView text = command.trimmed();
    const qsizetype verbEnd = skipWord(text, 0);
    const MediaCommand::Verb verb = verbOf(text.first(verbEnd));
    if (verb == MediaCommand::Verb::None || verbEnd == text.size())
        return {};

    const qsizetype start = skipSpaces(text, verbEnd);
    QStringView path;
    qsizetype end = 0;
    if (text[start] == u'"') {
        const qsizetype close = text.indexOf(u'"', start + 1);
        if (close < 0)
            return {};
        path = text.sliced(start + 1, close - start - 1);
        end = close + 1;
    } else {
        end = skipWord(text, start);
        path = text.sliced(start, end - start);
    }
    if (path.isEmpty() || path.contains(QChar(0)) || end != text.size())
        return {};
    return {verb, path.toString()};
}

QString mediaCommandPath(const QString& path) {
    if (std::any_of(path.cbegin(), path.cend(), isSeparator))
        return QLatin1Char('"') + path + QLatin1Char('"');
    return path;
}
