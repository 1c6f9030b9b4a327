// SPDX-License-Identifier: GPL-3.0-or-later
#include "xoshiro_random.h"

#include <bit>
#include <cstring>

namespace {
quint64 splitmix(quint64& x) {
    quint64 z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

quint32 rotl(quint32 x, int k) {
    return (x << k) | (x >> (32 - k));
}
} // namespace

XoshiroRandom::XoshiroRandom(quint64 seed) : s_{} {
    mix(seed);
}

void XoshiroRandom::mix(quint64 value) {
    // The old state and the new value both feed the new state.
    quint64 x =
        (quint64(s_[0]) << 32 | s_[1]) ^ std::rotl(quint64(s_[2]) << 32 | s_[3], 17) ^ value;
    const quint64 a = splitmix(x);
    const quint64 b = splitmix(x);
    s_[0] = quint32(a >> 32);
    s_[1] = quint32(a);
    s_[2] = quint32(b >> 32);
    s_[3] = quint32(b);
    if ((s_[0] | s_[1] | s_[2] | s_[3]) == 0)
        s_[0] = 1;
}

void XoshiroRandom::reseed(double secondsSinceMidnight) {
    quint64 bits = 0;
    static_assert(sizeof bits == sizeof secondsSinceMidnight);
    std::memcpy(&bits, &secondsSinceMidnight, sizeof bits);
    mix(bits);
}

double XoshiroRandom::next() {
    const quint32 result = rotl(s_[1] * 5, 7) * 9;
    const quint32 t = s_[1] << 9;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = rotl(s_[3], 11);
    return double(result >> 8) / double(1u << 24);
}
