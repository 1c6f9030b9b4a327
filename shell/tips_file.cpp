// SPDX-License-Identifier: GPL-3.0-or-later
#include "tips_file.h"

#include "legacy_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

Reading load(const QString& path) {
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    // A folder or a hidden file is not a tips file; a broken link is none.
    if (!info.exists() || info.isDir() || info.isHidden())
        return {};
    const Reading notText{Outcome::NotText, {}};
    if (!info.isFile())
        return notText; // a pipe, a device or a socket: never opened
    // Opened without waiting, and checked again once open, in case the
    // file was replaced by a pipe or a device in between.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return notText;
    struct stat st {};
    QFile file;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return notText;
    }
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return notText;
    const bool truncated = bytes.size() > maxBytes;
    if (truncated)
        bytes.truncate(maxBytes);
    std::optional<QStringList> tips = parse(bytes, truncated);
    if (!tips)
        return notText;
    return {Outcome::Read, std::move(*tips)};
}

QString find(const QStringList& folders, const QString& name) {
    for (const QString& folder : folders) {
        if (folder.isEmpty())
            continue;
        const QString path = QDir(folder).filePath(name);
        const QFileInfo info(path);
        if (info.exists() && !info.isDir() && !info.isHidden())
            return path;
    }
    return {};
}

} // namespace TipsFile
