// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The pieces of an answer check, apart from the answer box.

// One pass of the space collapse: every pair of spaces, taken from the left,
// becomes one space ("    " gives "  ", "   " gives "  "). Repeating the pass
// until the text stops changing leaves no two spaces in a row; each pass
// halves every run, so a run of n spaces takes about log2(n) passes.
QString collapseSpacePairs(const QString& text);

// The collapse repeated until the text stops changing: no two spaces remain
// next to each other.
QString collapseSpaces(const QString& text);

// The text in lower case, character by character (simple case mapping, so
// "É" gives "é" and "İ" gives "i"), in time linear in its length. Characters
// without a lower case, lone surrogates included, stay as they are.
QString lowerCased(const QString& text);

// The text without its leading and trailing spaces (U+0020 only: line breaks,
// tabs and other blanks stay).
QString trimSpaces(const QString& text);
