// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pieces the timing programs and benchmarks share: silent sound services, the
// process's processor time, and percentiles of a sample.

#include "media_control.h"
#include "sound_player.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <vector>

namespace bench {

// Plays nothing, no sound and no music.
class Silent : public SoundPlayer, public MediaControl {
public:
    void play(const QString&) override {}
    void openMusic(const QString&) override {}
    void playMusic(const QString&) override {}
    void closeMusic() override {}
};

// Processor time used by this process so far, in seconds.
inline double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// The p-quantile (0..1) of a non-empty sample, interpolated between ranks.
inline double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const double rank = p * double(values.size() - 1);
    const std::size_t lo = std::size_t(std::floor(rank));
    const std::size_t hi = std::min(lo + 1, values.size() - 1);
    return values[lo] + (values[hi] - values[lo]) * (rank - double(lo));
}

} // namespace bench
