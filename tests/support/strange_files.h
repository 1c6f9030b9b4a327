// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Files, and things that are not regular files, for the tests of the
// program's readers and writers. They are made in the test's own folders, so
// that a reader or writer gone wrong harms nothing of the system's.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <atomic>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

// The bytes of the file at path; none when it cannot be read.
inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
// Writes a file of bytes at path, the folders on the way made.
inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return QDir().mkpath(QFileInfo(path).path()) && f.open(QIODevice::WriteOnly) &&
           f.write(bytes) == bytes.size();
}

inline bool makeFifo(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

// A character device that the test may lose: a node of its own, the same as
// /dev/null, made in dir when it may make one (as root); else /dev/null
// itself, which only root could replace. Empty when neither is safe.
inline QString expendableDevice(const QString& dir) {
    const QString node = dir + QStringLiteral("/null-device");
    if (::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        return node;
    return ::geteuid() == 0 ? QString() : QStringLiteral("/dev/null");
}

// Makes at path what `what` names: "pipe", "device" (a link to one),
// "folder", "in a file" (the folder that should hold it is a file),
// "read-only" (bytes in a read-only file, in a read-only folder); anything
// else, a file of bytes. The folders on the way are made. False when it
// cannot be made here.
inline bool makeAt(const QString& path, const QString& what, const QByteArray& bytes = {}) {
    const QString folder = QFileInfo(path).path();
    if (what == "in a file") {
        QDir().rmdir(folder); // the folder, when it is there and empty
        return writeBytes(folder, "x");
    }
    if (!QDir().mkpath(folder))
        return false;
    if (what == "pipe")
        return makeFifo(path);
    if (what == "device") {
        const QString device = expendableDevice(folder);
        return !device.isEmpty() && QFile::link(device, path);
    }
    if (what == "folder")
        return QDir().mkpath(path);
    if (!writeBytes(path, bytes))
        return false;
    return what != "read-only" ||
           (QFile::setPermissions(path, QFile::ReadOwner) &&
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
}

// Gives a folder that makeAt made read-only back to its owner.
inline void makeWritable(const QString& folder) {
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// What is at path, links followed: "file", "folder", "pipe", "device",
// "other" or "none".
inline QString kindOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("none");
    if (S_ISREG(st.st_mode))
        return QStringLiteral("file");
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("folder");
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("pipe");
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return QStringLiteral("device");
    return QStringLiteral("other");
}

// Runs action on a thread of its own and tells whether it opened one of the
// named pipes at `pipes` (which would have held it up until a writer came).
// Each opening is let through at once, as though a writer had come and gone,
// so that the action ends. One that still waits on the pipe then (it holds
// the pipe's writing end itself) would never end: the test stops there.
inline bool opensAPipe(const QStringList& pipes, const std::function<void()>& action) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        action();
        done = true;
    });
    int loopsSinceOpened = -1;
    while (!done) {
        for (const QString& pipe : pipes) {
            // Succeeds only while someone has the pipe open for reading.
            const int fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                loopsSinceOpened = std::max(loopsSinceOpened, 0);
                ::close(fd);
            }
        }
        if (loopsSinceOpened >= 0 && ++loopsSinceOpened > 5000)
            qFatal("a named pipe was opened and is waited on for ever: %s",
                   qPrintable(pipes.join(QStringLiteral(", "))));
        ::usleep(1000);
    }
    worker.join();
    return loopsSinceOpened >= 0;
}
