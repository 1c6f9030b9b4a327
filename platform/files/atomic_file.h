// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The program's own small files (settings, high scores): read without ever
// opening what is not a regular file, and replaced in one step.

enum class FileRead {
    Missing,    // nothing there
    Read,       // the whole file
    TooLarge,   // more than the bytes asked for: the first of them
    NotRegular, // not a regular file (FileKind::Other): never opened
    Unreadable, // no permission, a read error
};

struct FileContents {
    FileRead status = FileRead::Missing;
    QByteArray bytes;
};

// Reads at most maxBytes of the file at path, links followed. A named pipe
// (which would wait for a writer) and a device are never opened.
FileContents readRegularFile(const QString& path, qint64 maxBytes);

// What is at path, links followed, found without opening it.
enum class FileKind {
    Missing, // nothing there, and no link
    Regular, // a regular file
    Other,   // anything else: a folder, a named pipe, a device, a link that leads nowhere
};
FileKind fileKind(const QString& path);

// Replaces the file at path with bytes in one step: the bytes go to a
// temporary file beside it, which then takes the file's place, so that a
// crash or a failed write leaves the old file or the new one, never part of
// one. A link is followed and the file it leads to is replaced; the file's
// permissions are kept. False, with nothing changed, when the file could not
// be written: a read-only file, a folder that cannot be written, anything
// that is not a regular file (a folder, a named pipe, a device), a link that
// leads nowhere.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);

// The temporary file a save of path writes first. A save cut short (the
// program killed) leaves it behind; the next save removes it.
QString atomicWriteTemporary(const QString& path);
