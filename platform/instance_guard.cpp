// SPDX-License-Identifier: GPL-3.0-or-later
#include "instance_guard.h"

#include "local_socket.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <optional>
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

QString userSuffix() {
    return QStringLiteral("-") + QString::number(::getuid());
}

// The per-user runtime folder, or the temporary folder (shared by all users,
// so the names then carry the user id).
struct Places {
    QString lockFile;
    QString socketPath;
};

Places placesFor(const QString& key) {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QString name = key;
    if (dir.isEmpty() || !QDir(dir).exists()) {
        dir = QDir::tempPath();
        name += userSuffix();
    }
    Places p;
    p.lockFile = dir + QLatin1Char('/') + name + QStringLiteral(".lock");
    p.socketPath = dir + QLatin1Char('/') + name + QStringLiteral(".socket");
    // A path too long for a socket address: the temporary folder.
    if (!LocalSocket::pathFits(p.socketPath))
        p.socketPath =
            QDir::tempPath() + QLatin1Char('/') + key + userSuffix() + QStringLiteral(".socket");
    return p;
}
} // namespace

struct QtInstanceGuard::Impl {
    QString key;
    std::function<void()> onActivate;
    std::optional<bool> answer;
    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<LocalRequestServer> server;

    bool decide();
    bool askFirstCopy(const QString& socketPath);
    void listen(const QString& socketPath);
};

bool QtInstanceGuard::Impl::decide() {
    const Places places = placesFor(key);
    lock = std::make_unique<QLockFile>(places.lockFile);
    // A lock left by a copy that crashed is taken over at once when its
    // process is gone; an unreadable one after the default 30 seconds. The
    // holder keeps an advisory lock on the file, so a live copy's lock is
    // never removed, however old.
    if (lock->tryLock(0)) {
        listen(places.socketPath);
        return false;
    }
    if (lock->error() == QLockFile::LockFailedError) {
        // Another copy holds the lock: it is running, whether or not it
        // answers (it may still be starting).
        lock.reset();
        askFirstCopy(places.socketPath);
        return true;
    }
    // The folder cannot hold a lock (read-only, full, not ours): the socket
    // alone decides.
    lock.reset();
    if (askFirstCopy(places.socketPath))
        return true;
    listen(places.socketPath);
    return false;
}

bool QtInstanceGuard::Impl::askFirstCopy(const QString& socketPath) {
    return LocalSocket::ask(socketPath, kRequest, 16, kConnectMs, kAnswerMs) == kAnswer;
}

void QtInstanceGuard::Impl::listen(const QString& socketPath) {
    server = std::make_unique<LocalRequestServer>(kRequest, kAnswer, onActivate, kClientLifeMs);
    // We hold the lock, so a socket file left there belongs to a copy that
    // ended without cleaning up. Without a socket the lock still keeps later
    // copies out; they just cannot bring this one forward.
    if (!server->listen(socketPath))
        server.reset();
}

namespace {
QtInstanceGuard* programGuard = nullptr;

class ProgramInstanceGuard : public InstanceGuard {
public:
    bool anotherInstanceRunning() override {
        return programGuard && programGuard->anotherInstanceRunning();
    }
};
} // namespace

InstanceGuard& programInstanceGuard() {
    static ProgramInstanceGuard guard;
    return guard;
}

QtInstanceGuard::QtInstanceGuard(QString key, std::function<void()> onActivate)
    : d(std::make_unique<Impl>()) {
    d->key = std::move(key);
    d->onActivate = std::move(onActivate);
    if (!programGuard)
        programGuard = this;
}

QtInstanceGuard::~QtInstanceGuard() {
    if (programGuard == this)
        programGuard = nullptr;
}

bool QtInstanceGuard::anotherInstanceRunning() {
    if (!d->answer)
        d->answer = d->decide();
    return *d->answer;
}
