// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clock.h"

// The system's clock: QTime, QElapsedTimer and QDateTime.
class SystemClock : public Clock {
public:
    SystemClock();
    double secondsSinceMidnight() const override;
    qint64 tickCount() const override;
    QDateTime now() const override;

private:
    qint64 startTick_;
};
