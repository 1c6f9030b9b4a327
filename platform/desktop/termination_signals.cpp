// SPDX-License-Identifier: GPL-3.0-or-later
#include "termination_signals.h"

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr std::array<int, 3> Signals{SIGTERM, SIGINT, SIGHUP};
// The pipe's writing end, for the handler; -1 while nobody watches.
volatile sig_atomic_t writeEnd = -1;

extern "C" void onTerminationSignal(int) {
    const int saved = errno;
    const char byte = 1;
    if (writeEnd >= 0) {
        [[maybe_unused]] const ssize_t n = ::write(writeEnd, &byte, 1);
    }
    errno = saved;
}
} // namespace

struct TerminationSignals::Impl {
    std::function<void()> onSignal;
    std::array<int, 2> pipe{-1, -1};
    std::unique_ptr<QSocketNotifier> notifier;
};

TerminationSignals::TerminationSignals(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), d(std::make_unique<Impl>()) {
    d->onSignal = std::move(onSignal);
    if (writeEnd >= 0 || ::pipe2(d->pipe.data(), O_CLOEXEC | O_NONBLOCK) != 0)
        return; // one watcher per process
    d->notifier = std::make_unique<QSocketNotifier>(d->pipe[0], QSocketNotifier::Read);
    connect(d->notifier.get(), &QSocketNotifier::activated, this, [this] {
        for (char buffer[16]; ::read(d->pipe[0], buffer, sizeof buffer) > 0;) {
        }
        if (d->onSignal)
            d->onSignal();
    });
    writeEnd = d->pipe[1];
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : Signals)
        ::sigaction(s, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    if (!d->notifier)
        return;
    for (const int s : Signals)
        ::signal(s, SIG_DFL);
    writeEnd = -1;
    d->notifier.reset();
    ::close(d->pipe[0]);
    ::close(d->pipe[1]);
}

bool TerminationSignals::isWatching() const {
    return d->notifier != nullptr;
}
