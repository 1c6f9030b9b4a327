#pragma once

#include "instance_guard.h"

// Says whether another copy of the program runs, as the test set it, and
// counts the questions.
class FakeInstanceGuard : public InstanceGuard {
public:
    bool another = false;
    int asked = 0;
    bool anotherInstanceRunning() override {
        ++asked;
        return another;
    }
};
