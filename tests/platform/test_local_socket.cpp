// SPDX-License-Identifier: GPL-3.0-or-later
// The single-instance socket's server on the event loop, with a client on a
// thread of its own: only the request line, exactly, is answered; anything
// around it, and a line without end, is dropped unanswered.
#include "local_socket.h"

#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

const QByteArray kRequest = QByteArrayLiteral("activate\n");
const QByteArray kAnswer = QByteArrayLiteral("ok\n");
constexpr int kLongLife = 600000; // no client is dropped for its silence here

struct Client {
    QByteArray received;
    qsizetype sent = 0;   // bytes the server took
    bool dropped = false; // the server closed while the client was still sending
};

// Connects to path, sends bytes (blocking), ends its side and reads until the
// server closes, on a thread of its own, while the event loop serves.
Client talk(const QString& path, const QByteArray& bytes) {
    Client c;
    std::atomic<bool> done{false};
    std::thread client([&] {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            while (c.sent < bytes.size()) {
                const ssize_t n = ::send(fd, bytes.constData() + c.sent,
                                         size_t(bytes.size() - c.sent), MSG_NOSIGNAL);
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0) {
                    c.dropped = true;
                    break;
                }
                c.sent += n;
            }
            // All said: the server sees the end of the stream.
            ::shutdown(fd, SHUT_WR);
            char buffer[256];
            ssize_t n;
            while ((n = ::recv(fd, buffer, sizeof buffer, 0)) > 0 || (n < 0 && errno == EINTR))
                c.received.append(buffer, std::max<ssize_t>(n, 0));
        }
        ::close(fd);
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    client.join();
    return c;
}

} // namespace

class TestLocalSocket : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    // A line without end (more than the socket's buffers) is cut off once it
    // is longer than any request, not read on while it lasts.
    void onlyTheRequestItselfIsAnswered_data() {
        QTest::addColumn<QByteArray>("says");
        QTest::addColumn<bool>("answered");
        QTest::addRow("the request") << kRequest << true;
        QTest::addRow("more after the request") << kRequest + "activate\n" << false;
        QTest::addRow("a word after the request") << kRequest + "x" << false;
        QTest::addRow("a longer line") << QByteArray("activate now\n") << false;
        QTest::addRow("the answer") << kAnswer << false;
        QTest::addRow("a line without end") << QByteArray(2 * 1024 * 1024, 'a') << false;
    }
    void onlyTheRequestItselfIsAnswered() {
        QFETCH(QByteArray, says);
        QFETCH(bool, answered);
        int requests = 0;
        LocalRequestServer server(
            kRequest, kAnswer, [&] { ++requests; }, kLongLife);
        const QString path = dir_.filePath("s.socket");
        QVERIFY(server.listen(path));
        const Client c = talk(path, says);
        QVERIFY2(c.dropped || says.size() < 1024,
                 qPrintable(QString("the server read a line of %1 bytes without end").arg(c.sent)));
        QVERIFY2(c.received == (answered ? kAnswer : QByteArray()),
                 answered ? "the request was not answered"
                          : qPrintable("\"" + says.toPercentEncoding() +
                                       "\" was taken for the request"));
        QCOMPARE(requests, answered ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestLocalSocket)
#include "test_local_socket.moc"
