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
