// SPDX-License-Identifier: GPL-3.0-or-later
#include "atomic_file.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd;
    explicit Descriptor(int f) : fd(f) {}
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
};

// The file a write of path replaces: path itself, or where its links lead.
// No value for a link that leads nowhere.
std::optional<QByteArray> writeTarget(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
        return name;
    char* real = ::realpath(name.constData(), nullptr);
    if (!real)
        return std::nullopt;
    QByteArray target(real);
    std::free(real);
    return target;
}

QByteArray temporaryFor(const QByteArray& target) {
    return target + ".tmp";
}

// Removes what a save cut short left at `temporary`. False when it cannot be
// removed, or when another save is writing it now (it holds a lock on it).
bool removeLeftover(const QByteArray& temporary) {
    struct stat st {};
    if (::lstat(temporary.constData(), &st) != 0)
        return errno == ENOENT;
    if (S_ISREG(st.st_mode)) {
        const Descriptor d(
            ::open(temporary.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (d.fd >= 0 && ::flock(d.fd, LOCK_EX | LOCK_NB) != 0)
            return false;
    }
    return ::unlink(temporary.constData()) == 0 || errno == ENOENT;
}

bool writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    size_t left = size_t(bytes.size());
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        left -= size_t(n);
    }
    return true;
}

} // namespace

FileContents readRegularFile(const QString& path, qint64 maxBytes) {
    switch (fileKind(path)) {
    case FileKind::Missing:
        return {FileRead::Missing, {}};
    case FileKind::Other:
        return {FileRead::NotRegular, {}};
    case FileKind::Regular:
        break;
    }
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    // Opened without waiting, and checked again once open: the file may have
    // been replaced since.
    const Descriptor d(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (d.fd < 0)
        return {FileRead::Unreadable, {}};
    if (::fstat(d.fd, &st) != 0 || !S_ISREG(st.st_mode))
        return {FileRead::NotRegular, {}};
    FileContents result{FileRead::Read, {}};
    char buffer[16384];
    for (;;) {
        const qint64 want =
            std::min<qint64>(qint64(sizeof buffer), maxBytes + 1 - result.bytes.size());
        if (want <= 0)
            break;
        const ssize_t n = ::read(d.fd, buffer, size_t(want));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {FileRead::Unreadable, {}};
        if (n == 0)
            break;
        result.bytes.append(buffer, n);
    }
    if (result.bytes.size() > maxBytes) {
        result.bytes.truncate(maxBytes);
        result.status = FileRead::TooLarge;
    }
    return result;
}

FileKind fileKind(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) == 0)
        return S_ISREG(st.st_mode) ? FileKind::Regular : FileKind::Other;
    const bool missing =
        (errno == ENOENT || errno == ENOTDIR) && ::lstat(name.constData(), &st) != 0;
    return missing ? FileKind::Missing : FileKind::Other;
}

QString atomicWriteTemporary(const QString& path) {
    return QFile::decodeName(temporaryFor(writeTarget(path).value_or(QFile::encodeName(path))));
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes) {
    const std::optional<QByteArray> target = writeTarget(path);
    if (!target)
        return false;
    struct stat st {};
    const bool exists = ::stat(target->constData(), &st) == 0;
    if (!exists && errno != ENOENT)
        return false;
    // Only a regular file is replaced, and only one the user may write.
    if (exists && (!S_ISREG(st.st_mode) || ::access(target->constData(), W_OK) != 0))
        return false;
    const QByteArray temporary = temporaryFor(*target);
    if (!removeLeftover(temporary))
        return false;
    const Descriptor d(
        ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (d.fd < 0)
        return false;
    // Held until the end: tells a save that starts meanwhile that this one
    // is under way.
    ::flock(d.fd, LOCK_EX | LOCK_NB);
    const bool written = (!exists || ::fchmod(d.fd, st.st_mode & 07777) == 0) &&
                         writeAll(d.fd, bytes) && ::fsync(d.fd) == 0 &&
                         ::rename(temporary.constData(), target->constData()) == 0;
    if (!written)
        ::unlink(temporary.constData());
    return written;
}
