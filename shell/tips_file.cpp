// SPDX-License-Identifier: GPL-3.0-or-later
#include "tips_file.h"

#include "legacy_text.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

QString decode(const QByteArray& bytes, bool truncated) {
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes);
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes);
    // Bytes cut at an arbitrary place may end inside a UTF-8 sequence.
    return decodeUtf8OrWindows1252(truncated ? utf8CompletePrefix(bytes) : QByteArrayView(bytes));
}

bool isLineEnd(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// Control characters other than the tab show as boxes or nothing at all.
QString cleaned(QStringView line) {
    QString tip;
    tip.reserve(std::min<qsizetype>(line.size(), TipsFile::maxTipLength));
    for (const QChar c : line) {
        if (tip.size() == TipsFile::maxTipLength)
            break;
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t') || u == 0x7F || (u >= 0x80 && u < 0xA0))
            continue;
        tip.append(c);
    }
    return tip;
}

} // namespace

namespace TipsFile {

std::optional<QStringList> parse(const QByteArray& bytes, bool truncated) {
    QString text = decode(bytes, truncated);
    if (text.contains(QChar(0)))
        return std::nullopt;
    if (truncated) {
        // The last line read is only the start of a line: drop it, unless it
        // is the only one.
        for (qsizetype i = text.size() - 1; i >= 0; --i) {
            if (isLineEnd(text[i])) {
                text.truncate(i + 1);
                break;
            }
        }
    }
    QStringList tips;
    const QStringView all(text);
    qsizetype start = 0;
    while (start < all.size() && tips.size() < maxTips) {
        qsizetype end = start;
        while (end < all.size() && !isLineEnd(all[end]))
            ++end;
        tips << cleaned(all.sliced(start, end - start));
        if (end < all.size() && all[end] == QLatin1Char('\r') && end + 1 < all.size() &&
            all[end + 1] == QLatin1Char('\n'))
            ++end;
        start = end + 1;
    }
    return tips;
}

std::optional<QStringList> read(const QString& path) {
    if (path.isEmpty())
        return std::nullopt;
    const QFileInfo info(path);
    // Directories, devices, pipes and hidden files are not a tips file.
    if (!info.exists() || !info.isFile() || info.isHidden())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    const bool truncated = bytes.size() > maxBytes;
    if (truncated)
        bytes.truncate(maxBytes);
    return parse(bytes, truncated);
}

} // namespace TipsFile
