// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QtGlobal>

// Time as the program sees it: seconds since midnight with fractions (the game
// loop's clock), a millisecond tick counter, and the local date and time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double secondsSinceMidnight() const = 0;
    virtual qint64 tickCount() const = 0;
    virtual QDateTime now() const = 0;
};
