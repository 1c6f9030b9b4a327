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

// What reading a tips file gave.
enum class Outcome {
    Read,    // tips holds the file's tips (none for an empty file)
    Missing, // no visible file of that name (a folder of that name is no file)
    NotText, // there is one, but it cannot be read as text: a pipe, a device,
             // a socket, a file it may not open or read, or one holding NUL
             // characters (a binary file)
};
struct Reading {
    Outcome outcome = Outcome::Missing;
    QStringList tips;
};

// Reads the tips file at path. A pipe or a device is never opened (its
// reader could wait for ever).
Reading load(const QString& path);

// Where the tips file is: the first of folders that holds an entry of that
// name which is not hidden and not a folder, whatever its kind (so that a
// file there that cannot be read is told, not passed over); empty when none
// does.
QString find(const QStringList& folders, const QString& name);

// The tips held in the bytes of a file; truncated tells that the bytes stop
// before the file's end. No value when the bytes are not text.
std::optional<QStringList> parse(const QByteArray& bytes, bool truncated = false);

} // namespace TipsFile
