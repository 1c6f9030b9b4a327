// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>

#include <optional>

// The French words of a whole number in every spelling a French, Belgian or
// Swiss classroom uses, and the forms an answer may take in each. Pure
// functions over tables built once; docs/ARCHITECTURE.md ("number/") gives
// the rules.
namespace NumberSpelling {

enum class Spelling {
    // The program's own: single spaces, no hyphens, "vingt" and "cent" plural
    // only at the very end of the whole number (NumberWords::numberToWords).
    Classic,
    // Hyphens only inside a compound below 100 not joined by "et": "vingt et
    // un", "dix-sept", "deux cents millions".
    Traditional,
    // The rectified spelling of 1990: hyphens between all numeral words,
    // spaces around "million" and "milliard": "deux-cent-vingt-et-un".
    Rectified1990,
    // Either official spelling: the traditional or the 1990 form is right;
    // the 1990 one is shown.
    Either,
};

enum class Region {
    France,      // soixante-dix, quatre-vingts, quatre-vingt-dix
    Belgium,     // septante, quatre-vingts, nonante
    Switzerland, // septante, huitante, nonante
};

// The largest number that has words; 0 is the smallest.
inline constexpr qint64 LargestNumber = 999'999'999'999;

// The names the settings file and the command line use: "classic",
// "traditional", "1990", "either"; "fr", "be", "ch".
QStringView key(Spelling spelling);
QStringView key(Region region);
// The spelling or region a name stands for, read without regard to case or
// surrounding blanks; none for anything else.
std::optional<Spelling> spellingFromKey(QStringView name);
std::optional<Region> regionFromKey(QStringView name);

// The words of n (0 to LargestNumber) in a spelling and region: lower case,
// words joined by one space or one hyphen (U+002D), never empty. Either gives
// its 1990 form. Classic in France is NumberWords::numberToWords to the letter.
// A number out of range gives the empty text.
QString words(qint64 n, Spelling spelling, Region region);

// Every text an answer for n may be, the one words() gives first, without
// repeats. The 1990 spelling also takes the form that some school books
// print, with hyphens around "million" and "milliard" too
// ("huit-millions-cent-quarante-trois-mille-cinquante-et-un"), as a whole:
// never a mix of forms. Either takes the forms of both official spellings.
// A number out of range gives the empty list.
QStringList acceptedForms(qint64 n, Spelling spelling, Region region);

} // namespace NumberSpelling
