// SPDX-License-Identifier: GPL-3.0-or-later
#include "instance_guard.h"

#include <QByteArray>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>
#include <optional>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {
// What a later copy says, and what the first copy answers once it has taken
// the request.
constexpr char kRequest[] = "activate\n";
constexpr char kAnswer[] = "ok\n";
constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 2000;
// A client that has not sent its request by then is dropped.
constexpr int kClientLifeMs = 5000;
// Longest socket path that fits every Unix sockaddr_un, with room to spare.
constexpr int kMaxSocketPath = 100;

QString userSuffix() {
#ifdef Q_OS_UNIX
    return QStringLiteral("-") + QString::number(::getuid());
#else
    return {};
#endif
}

// The per-user runtime folder, or the temporary folder (shared by all users,
// so the names then carry the user id).
struct Places {
    QString lockFile;
    QString socketName;
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
    p.socketName = dir + QLatin1Char('/') + name + QStringLiteral(".socket");
    // A path too long for a local socket: a plain name, which Qt places in
    // the temporary folder.
    if (QFile::encodeName(p.socketName).size() > kMaxSocketPath)
        p.socketName = key + userSuffix();
    return p;
}
} // namespace

struct QtInstanceGuard::Impl {
    QString key;
    std::function<void()> onActivate;
    std::optional<bool> answer;
    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<QLocalServer> server;

    bool decide();
    bool askFirstCopy(const QString& socketName);
    void listen(const QString& socketName);
    void serve(QLocalSocket* client);
};

bool QtInstanceGuard::Impl::decide() {
    const Places places = placesFor(key);
    lock = std::make_unique<QLockFile>(places.lockFile);
    // A lock left by a copy that crashed is taken over at once when its
    // process is gone; an unreadable one after the default 30 seconds. The
    // holder keeps an advisory lock on the file, so a live copy's lock is
    // never removed, however old.
    if (lock->tryLock(0)) {
        listen(places.socketName);
        return false;
    }
    if (lock->error() == QLockFile::LockFailedError) {
        // Another copy holds the lock: it is running, whether or not it
        // answers (it may still be starting).
        lock.reset();
        askFirstCopy(places.socketName);
        return true;
    }
    // The folder cannot hold a lock (read-only, full, not ours): the socket
    // alone decides.
    lock.reset();
    if (askFirstCopy(places.socketName))
        return true;
    listen(places.socketName);
    return false;
}

bool QtInstanceGuard::Impl::askFirstCopy(const QString& socketName) {
    QLocalSocket socket;
    socket.connectToServer(socketName);
    if (!socket.waitForConnected(kConnectMs))
        return false;
    socket.write(kRequest);
    if (!socket.waitForBytesWritten(kAnswerMs))
        return false;
    QByteArray reply;
    while (!reply.contains('\n') && reply.size() < 16 && socket.waitForReadyRead(kAnswerMs))
        reply += socket.read(16 - reply.size());
    socket.disconnectFromServer();
    return reply == kAnswer;
}

void QtInstanceGuard::Impl::listen(const QString& socketName) {
    server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock, so a socket file left there belongs to a copy that
    // ended without cleaning up.
    QLocalServer::removeServer(socketName);
    if (!server->listen(socketName)) {
        // No socket: the lock still keeps later copies out; they just
        // cannot bring this one forward.
        server.reset();
        return;
    }
    QObject::connect(server.get(), &QLocalServer::newConnection, server.get(), [this] {
        while (QLocalSocket* client = server->nextPendingConnection())
            serve(client);
    });
}

void QtInstanceGuard::Impl::serve(QLocalSocket* client) {
    QObject::connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    QTimer::singleShot(kClientLifeMs, client, [client] { client->abort(); });
    QObject::connect(client, &QLocalSocket::readyRead, client, [this, client] {
        // Requests are one short line; anything longer is not ours.
        if (!client->canReadLine()) {
            if (client->bytesAvailable() > 64)
                client->abort();
            return;
        }
        const QByteArray line = client->readLine(64);
        if (line != kRequest) {
            client->abort();
            return;
        }
        client->write(kAnswer);
        client->flush();
        client->disconnectFromServer();
        if (onActivate)
            onActivate();
    });
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
    if (d->server)
        d->server->close();
}

bool QtInstanceGuard::anotherInstanceRunning() {
    if (!d->answer)
        d->answer = d->decide();
    return *d->answer;
}
