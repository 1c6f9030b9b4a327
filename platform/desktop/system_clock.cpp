// SPDX-License-Identifier: GPL-3.0-or-later
#include "system_clock.h"

#include <QElapsedTimer>
#include <QTime>

namespace {
QElapsedTimer& monotonic() {
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer;
}
} // namespace

SystemClock::SystemClock() : startTick_(monotonic().elapsed()) {}

double SystemClock::secondsSinceMidnight() const {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

qint64 SystemClock::tickCount() const {
    return monotonic().elapsed() - startTick_;
}

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime();
}
