// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

// One row of the difficulty table. The drawn number is the whole part of
// r × span + lower, for a fraction r with 0 <= r < 1; the caption is the
// option button's text. The same rows drive the captions and the draw.
struct Difficulty {
    double lower;
    double span;
    const char* caption;
};

inline constexpr int DifficultyCount = 6;

// Rows 0 to 5, easiest first. Rows 1 to 3 can reach their caption's bound;
// row 5's span reaches past its caption, up to 100 899 994 046.
extern const std::array<Difficulty, DifficultyCount> Difficulties;

// The caption of option `option` (0 to 5).
QString difficultyCaption(int option);

// What a screen reader says for that option: the caption with its sign in
// words, "moins de 100" for "< 100" (speech synthesizers skip the sign and
// read "cent").
QString difficultySpokenName(int option);

// The number drawn under option `option` for the fraction r, computed in
// double precision. An option outside 0 to 5 counts as the nearest one.
double drawNumber(int option, double r);
