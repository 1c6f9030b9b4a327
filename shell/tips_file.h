// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The tips file: plain text, one tip per line. A line ends at CR LF, CR or LF,
// and the line end is not part of the tip; a last line end adds no empty tip,
// while an empty line is an empty tip. The bytes are UTF-8 when valid, else
// Windows-1252; a UTF-16 file with its byte order mark is read too.
namespace TipsFile {

// Limits that keep a huge or strange file harmless: only the first
// maxBytes are read (the line cut there is dropped), at most maxTips lines
// become tips, and a tip longer than maxTipLength characters is cut.
inline constexpr qint64 maxBytes = 1024 * 1024;
inline constexpr int maxTips = 5000;
inline constexpr int maxTipLength = 500;

// The tips of the file at path, or no value when there is no such regular,
// visible file, when it cannot be opened or read, or when it is not text
// (it holds NUL characters).
std::optional<QStringList> read(const QString& path);

// The tips held in the bytes of a file; truncated tells that the bytes stop
// before the file's end. No value when the bytes are not text.
std::optional<QStringList> parse(const QByteArray& bytes, bool truncated = false);

} // namespace TipsFile
