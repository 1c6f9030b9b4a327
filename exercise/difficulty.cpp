// SPDX-License-Identifier: GPL-3.0-or-later
#include "difficulty.h"

#include <algorithm>
#include <cmath>

const std::array<Difficulty, DifficultyCount> Difficulties{{
    {0.0, 100.0, "< 100"},
    {100.0, 901.0, "< 1 000"},
    {1000.0, 9001.0, "< 10 000"},
    {10000.0, 90001.0, "< 100 000"},
    {1000000.0, 99000001.0, "< 100 000 000"},
    {1000000000.0, 99900000001.0, "< 100 000 000 000"},
}};

namespace {
const Difficulty& row(int option) {
    return Difficulties[std::size_t(std::clamp(option, 0, DifficultyCount - 1))];
}
} // namespace

QString difficultyCaption(int option) {
    return QString::fromUtf8(row(option).caption);
}

QString difficultySpokenName(int option) {
    QString caption = difficultyCaption(option);
    return caption.replace(QLatin1String("< "), QLatin1String("moins de "));
}

double drawNumber(int option, double r) {
    const Difficulty& d = row(option);
    return std::floor(r * d.span + d.lower);
}
