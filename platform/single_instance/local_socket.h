// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

// Unix-domain stream sockets carrying one request line and one answer line,
// through the system calls themselves (a network library for these few bytes
// would cost the program a seventh of its memory at start-up).
namespace LocalSocket {

// Whether a path fits in a socket address.
bool pathFits(const QString& path);

// Connects to the server at `path`, sends `request` and returns what comes
// back up to the first newline (included) or `maxAnswer` bytes; an empty
// array when nobody listens there or nobody answers in time. Blocks at most
// connectMs + answerMs.
QByteArray ask(const QString& path, const QByteArray& request, int maxAnswer, int connectMs,
               int answerMs);

} // namespace LocalSocket

// Listens on a socket file, on the event loop, for one request: a client
// that sends exactly `request` gets `answer` back, the connection closes and
// `onRequest` runs. A client that says anything else, or more than a short
// line, is dropped unanswered; so is one silent for clientLifeMs.
class LocalRequestServer {
public:
    LocalRequestServer(QByteArray request, QByteArray answer, std::function<void()> onRequest,
                       int clientLifeMs);
    // Closes the socket and removes its file.
    ~LocalRequestServer();
    LocalRequestServer(const LocalRequestServer&) = delete;
    LocalRequestServer& operator=(const LocalRequestServer&) = delete;

    // Replaces whatever file is at `path` by a socket only this user may
    // connect to. False when the socket cannot be made there.
    bool listen(const QString& path);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
