// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Uniform fractions in [0, 1) with 24-bit resolution (multiples of 2^-24).
// reseed() mixes the given time into the generator's state, so that two
// reseeds within the same second never replay one sequence.
class Random {
public:
    virtual ~Random() = default;
    virtual void reseed(double secondsSinceMidnight) = 0;
    virtual double next() = 0;
};
