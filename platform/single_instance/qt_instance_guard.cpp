// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_instance_guard.h"

#include "local_socket.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <cerrno>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// What a later copy says, and what the first copy answers once it has taken
// the request.
const QByteArray kRequest = QByteArrayLiteral("activate\n");
const QByteArray kAnswer = QByteArrayLiteral("ok\n");
constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 2000;
// A client that has not sent its request by then is dropped.
constexpr int kClientLifeMs = 5000;

// When the runtime folder is missing or not private, the lock and the socket
// go to a folder of our own in the temporary folder; a folder there of that
// name that is not ours (another user's, a link) is passed over for the next
// name, up to this many.
constexpr int kPrivateFolderNames = 10;

// Whether the folder at path (links followed) is one that only this user can
// write: a folder we own, without write rights for anyone else.
bool isPrivateFolder(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// Makes the folder at path, owner-only, or takes it when it is ours already
// (closing it to others when needed). False when something else is there.
bool makePrivateFolder(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    return (st.st_mode & 077) == 0 || ::chmod(name.constData(), 0700) == 0;
}

QString privateTemporaryFolder(const QString& key) {
    const QString base =
        QDir::tempPath() + QLatin1Char('/') + key + QLatin1Char('-') + QString::number(::geteuid());
    for (int i = 0; i < kPrivateFolderNames; ++i) {
        const QString dir = i == 0 ? base : base + QLatin1Char('-') + QString::number(i);
        if (makePrivateFolder(dir))
            return dir;
    }
    return {};
}

} // namespace

InstanceGuardPlaces InstanceGuardPlaces::forKey(const QString& key) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString dir =
        !runtime.isEmpty() && isPrivateFolder(runtime) ? runtime : privateTemporaryFolder(key);
    if (dir.isEmpty())
        return {};
    InstanceGuardPlaces p;
    p.folder = dir;
    p.lockFile = dir + QLatin1Char('/') + key + QStringLiteral(".lock");
    p.socketPath = dir + QLatin1Char('/') + key + QStringLiteral(".socket");
    // A runtime folder too deep for a socket address: the socket goes to our
    // folder in the temporary folder.
    if (!LocalSocket::pathFits(p.socketPath) && dir == runtime) {
        const QString own = privateTemporaryFolder(key);
        p.socketPath =
            own.isEmpty() ? QString() : own + QLatin1Char('/') + key + QStringLiteral(".socket");
    }
    if (!p.socketPath.isEmpty() && !LocalSocket::pathFits(p.socketPath))
        p.socketPath.clear();
    return p;
}

namespace {

// A lock file that is not a regular file of ours was not left by a copy of
// the program: it is removed (an empty folder too). False when it is there
// and cannot be removed.
bool removeForeignLock(const QString& lockFile) {
    const QByteArray name = QFile::encodeName(lockFile);
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0)
        return true;
    if (S_ISREG(st.st_mode) && st.st_uid == ::geteuid())
        return true;
    return ::unlink(name.constData()) == 0 || ::rmdir(name.constData()) == 0;
}

} // namespace

struct QtInstanceGuard::Impl {
    QString key;
    std::function<void()> onActivate;
    std::function<void()> onNoAnswer;
    std::optional<bool> answer;
    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<LocalRequestServer> server;

    bool decide();
    bool askFirstCopy(const QString& socketPath);
    void listen(const QString& socketPath);
};

bool QtInstanceGuard::Impl::decide() {
    const InstanceGuardPlaces places = InstanceGuardPlaces::forKey(key);
    // Nowhere safe to keep a lock: this copy runs, unguarded, rather than let
    // a stranger's files stop it.
    if (places.folder.isEmpty())
        return false;
    // A lock that is not ours is never obeyed: removed, or when it cannot
    // be, passed over (the socket alone then decides).
    if (removeForeignLock(places.lockFile))
        lock = std::make_unique<QLockFile>(places.lockFile);
    // A lock left by a copy that crashed is taken over at once when its
    // process is gone; an unreadable one after the default 30 seconds. The
    // holder keeps an advisory lock on the file, so a live copy's lock is
    // never removed, however old.
    if (lock && lock->tryLock(0)) {
        listen(places.socketPath);
        return false;
    }
    if (lock && lock->error() == QLockFile::LockFailedError) {
        // Another copy holds the lock: it is running, whether or not it
        // answers (it may still be starting, or hung). One that does not
        // answer is said to the user.
        lock.reset();
        if (!askFirstCopy(places.socketPath) && onNoAnswer)
            onNoAnswer();
        return true;
    }
    // No lock, or the folder cannot hold one (read-only, full): the socket
    // alone decides.
    lock.reset();
    if (askFirstCopy(places.socketPath))
        return true;
    listen(places.socketPath);
    return false;
}

bool QtInstanceGuard::Impl::askFirstCopy(const QString& socketPath) {
    return !socketPath.isEmpty() &&
           LocalSocket::ask(socketPath, kRequest, 16, kConnectMs, kAnswerMs) == kAnswer;
}

void QtInstanceGuard::Impl::listen(const QString& socketPath) {
    if (socketPath.isEmpty())
        return;
    server = std::make_unique<LocalRequestServer>(kRequest, kAnswer, onActivate, kClientLifeMs);
    // No copy answered there: a socket file left there belongs to a copy that
    // ended without cleaning up. Without a socket the lock still keeps later
    // copies out; they just cannot bring this one forward.
    if (!server->listen(socketPath))
        server.reset();
}

QString QtInstanceGuard::noAnswerMessage() {
    return QStringLiteral("Vorelle est déjà ouvert, mais ne répond pas. Attendez un moment, ou "
                          "fermez-le, puis ouvrez Vorelle à nouveau.");
}

QtInstanceGuard::QtInstanceGuard(QString key, std::function<void()> onActivate,
                                 std::function<void()> onNoAnswer)
    : d(std::make_unique<Impl>()) {
    d->key = std::move(key);
    d->onActivate = std::move(onActivate);
    d->onNoAnswer = std::move(onNoAnswer);
}

QtInstanceGuard::~QtInstanceGuard() = default;

bool QtInstanceGuard::anotherInstanceRunning() {
    if (!d->answer)
        d->answer = d->decide();
    return *d->answer;
}
