// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "event_pump.h"

// The Qt event loop, blocking until an event or the deadline.
class QtEventPump : public EventPump {
public:
    void doEvents() override;
    void waitForEvents(double maxSeconds) override;
};
