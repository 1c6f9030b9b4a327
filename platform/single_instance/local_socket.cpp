// SPDX-License-Identifier: GPL-3.0-or-later
#include "local_socket.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QObject>
#include <QScopeGuard>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Longer requests are not ours.
constexpr int kMaxLine = 64;
// After a failed accept (no descriptor left), the next try waits this long.
constexpr int kAcceptPauseMs = 1000;
constexpr int kSendMs = 2000;

// The socket address for a path, or nothing when the path does not fit.
std::optional<sockaddr_un> socketAddress(const QString& path) {
    const QByteArray encoded = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (encoded.isEmpty() || size_t(encoded.size()) >= sizeof address.sun_path)
        return std::nullopt;
    std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));
    return address;
}

const sockaddr* asSockaddr(const sockaddr_un& address) {
    return reinterpret_cast<const sockaddr*>(&address);
}

int newSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

// Waits until the socket is ready for `events`, at most until the deadline.
bool waitFor(int fd, short events, const QDeadlineTimer& deadline) {
    pollfd p{fd, events, 0};
    for (;;) {
        const int ready = ::poll(&p, 1, int(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR)
            continue;
        return ready > 0 && (p.revents & events);
    }
}

// Sends all of `bytes`, never raising SIGPIPE.
bool sendAll(int fd, const QByteArray& bytes, const QDeadlineTimer& deadline) {
    const char* data = bytes.constData();
    size_t size = size_t(bytes.size());
    while (size > 0) {
        const ssize_t sent = ::send(fd, data, size, MSG_NOSIGNAL);
        if (sent > 0) {
            data += sent;
            size -= size_t(sent);
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && errno == EAGAIN) {
            if (!waitFor(fd, POLLOUT, deadline))
                return false;
        } else {
            return false;
        }
    }
    return true;
}

struct Protocol {
    QByteArray request;
    QByteArray answer;
    std::function<void()> onRequest;
    int clientLifeMs;
};

// One connection: reads the request line, answers it, closes.
class Client : public QObject {
public:
    Client(int fd, const Protocol& protocol, QObject* parent)
        : QObject(parent), fd_(fd), protocol_(protocol), notifier_(fd, QSocketNotifier::Read) {
        connect(&notifier_, &QSocketNotifier::activated, this, &Client::readRequest);
        QTimer::singleShot(protocol.clientLifeMs, this, &QObject::deleteLater);
    }
    ~Client() override {
        notifier_.setEnabled(false);
        ::close(fd_);
    }

private:
    void readRequest() {
        char buffer[kMaxLine];
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            return;
        if (n <= 0)
            return finish();
        line_.append(buffer, n);
        if (!line_.contains('\n')) {
            if (line_.size() > kMaxLine)
                finish();
            return;
        }
        if (line_ != protocol_.request)
            return finish();
        sendAll(fd_, protocol_.answer, QDeadlineTimer(kSendMs));
        finish();
        if (protocol_.onRequest)
            protocol_.onRequest();
    }

    void finish() {
        notifier_.setEnabled(false);
        deleteLater();
    }

    int fd_;
    const Protocol& protocol_;
    QSocketNotifier notifier_;
    QByteArray line_;
};

} // namespace

bool LocalSocket::pathFits(const QString& path) {
    return socketAddress(path).has_value();
}

QByteArray LocalSocket::ask(const QString& path, const QByteArray& request, int maxAnswer,
                            int connectMs, int answerMs) {
    const auto address = socketAddress(path);
    const int fd = address ? newSocket() : -1;
    if (fd < 0)
        return {};
    const auto closeSocket = qScopeGuard([fd] { ::close(fd); });
    // A full queue of waiting connections refuses at once; try again until
    // the time is up.
    const QDeadlineTimer connectBy(connectMs);
    while (::connect(fd, asSockaddr(*address), sizeof *address) != 0) {
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN || connectBy.hasExpired())
            return {};
        ::usleep(10'000);
    }
    const QDeadlineTimer answerBy(answerMs);
    if (!sendAll(fd, request, answerBy))
        return {};
    QByteArray answer;
    while (!answer.contains('\n') && answer.size() < maxAnswer) {
        if (!waitFor(fd, POLLIN, answerBy))
            return {};
        char buffer[kMaxLine];
        const ssize_t n =
            ::recv(fd, buffer, size_t(std::min<qsizetype>(kMaxLine, maxAnswer - answer.size())), 0);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0)
            break;
        answer.append(buffer, n);
    }
    return answer;
}

struct LocalRequestServer::Impl {
    Protocol protocol;
    int listener = -1;
    QByteArray socketFile;
    // Wakes the program when a client connects; the clients are its children.
    std::unique_ptr<QSocketNotifier> notifier;

    void acceptClients();
};

void LocalRequestServer::Impl::acceptClients() {
    for (;;) {
        const int client = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client >= 0) {
            new Client(client, protocol, notifier.get());
            continue;
        }
        if (errno == EINTR || errno == ECONNABORTED)
            continue;
        if (errno != EAGAIN) {
            // Out of descriptors, say: the client stays queued; look again a
            // little later rather than spin.
            notifier->setEnabled(false);
            QTimer::singleShot(kAcceptPauseMs, notifier.get(),
                               [n = notifier.get()] { n->setEnabled(true); });
        }
        return;
    }
}

LocalRequestServer::LocalRequestServer(QByteArray request, QByteArray answer,
                                       std::function<void()> onRequest, int clientLifeMs)
    : d(std::make_unique<Impl>()) {
    d->protocol = {std::move(request), std::move(answer), std::move(onRequest), clientLifeMs};
}

LocalRequestServer::~LocalRequestServer() {
    if (d->listener < 0)
        return;
    d->notifier.reset(); // and the clients with it
    ::close(d->listener);
    ::unlink(d->socketFile.constData());
}

bool LocalRequestServer::listen(const QString& path) {
    const auto address = socketAddress(path);
    const int fd = address && d->listener < 0 ? newSocket() : -1;
    if (fd < 0)
        return false;
    ::unlink(address->sun_path);
    // The file is made without rights for anyone else.
    const mode_t mask = ::umask(S_IRWXG | S_IRWXO);
    const bool bound = ::bind(fd, asSockaddr(*address), sizeof *address) == 0;
    ::umask(mask);
    if (!bound || ::listen(fd, 8) != 0) {
        ::close(fd);
        if (bound)
            ::unlink(address->sun_path);
        return false;
    }
    d->listener = fd;
    d->socketFile = address->sun_path;
    d->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(d->notifier.get(), &QSocketNotifier::activated, d->notifier.get(),
                     [impl = d.get()] { impl->acceptClients(); });
    return true;
}
