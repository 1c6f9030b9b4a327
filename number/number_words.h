// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <array>

// The French words of a whole number, as the exercise expects them: lower case,
// single spaces, no hyphens, never empty.
namespace NumberWords {

// The words of 0 to 19; entries 17 to 19 are two words joined by one space.
inline constexpr std::array<QStringView, 20> UnitWords{
    u"z\u00e9ro", u"un",     u"deux",  u"trois",    u"quatre",   u"cinq",    u"six",
    u"sept",      u"huit",   u"neuf",  u"dix",      u"onze",     u"douze",   u"treize",
    u"quatorze",  u"quinze", u"seize", u"dix sept", u"dix huit", u"dix neuf"};

// The text that follows a tens word for the units digit d (0 to 9): empty, or
// starting with a space. Any other d gives the empty text.
QString unitSuffix(qint16 d, bool quatreVingt);

// The words of a two-digit string "00" to "99" ("00" gives "zéro"); anything
// that is not exactly two ASCII digits gives the empty text.
QString tensToWords(const QString& s);

// The words of a three-digit group "001" to "999", with no leading or trailing
// space; anything that is not exactly three ASCII digits gives the empty text.
QString hundredsToWords(const QString& g);

// The words of a whole number 0 to 999 999 999 999. Other values still get a
// clear, non-empty text: a fraction is cut toward zero, a negative number reads
// "moins" followed by the words of its magnitude, a magnitude above the largest
// number gives "nombre hors limites", infinities give "infini" and
// "moins infini", and NaN gives "pas un nombre". The texts of 0 to 999 are
// worked out once and shared: the result costs no allocation, and changing it
// changes the caller's own copy only.
QString numberToWords(double n);

} // namespace NumberWords
