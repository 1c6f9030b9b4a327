// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <memory>

// SIGTERM (a desktop session logging out, `kill`), SIGINT and SIGHUP handled on
// the event loop: the signal handler only writes one byte into a pipe, whose
// other end a QSocketNotifier watches; `onSignal` then runs as any other
// event does. While the object lives it owns these three signals; its
// destructor gives them their default action back.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;
    // Whether the pipe and the handlers are in place.
    bool isWatching() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
