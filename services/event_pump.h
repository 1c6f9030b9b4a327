// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's event pump. doEvents() handles every event waiting in the
// queue and returns. waitForEvents() blocks until at least one event has been
// handled or the given number of seconds has passed, whichever comes first, so
// a program that polls the clock between the two uses no processor while it
// waits.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void doEvents() = 0;
    virtual void waitForEvents(double maxSeconds) = 0;
};
