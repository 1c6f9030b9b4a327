// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "random.h"

// xoshiro128** over a 128-bit state; the top 24 bits of each output make the
// fraction.
class XoshiroRandom : public Random {
public:
    explicit XoshiroRandom(quint64 seed = 0x5EED5EEDULL);
    void reseed(double secondsSinceMidnight) override;
    double next() override;

private:
    void mix(quint64 value);
    quint32 s_[4];
};
