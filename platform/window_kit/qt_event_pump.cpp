// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cmath>

void QtEventPump::doEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::waitForEvents(double maxSeconds) {
    if (!(maxSeconds > 0)) {
        doEvents();
        return;
    }
    // A single-shot timer at the deadline guarantees that the blocking call
    // returns by then even when nothing else happens.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    const double ms = std::min(maxSeconds * 1000.0, 24.0 * 3600.0 * 1000.0);
    deadline.start(int(std::ceil(ms)));
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}
