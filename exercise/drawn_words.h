// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "spelling_choice.h"

#include <QString>
#include <QStringList>

// The words of the number drawn, in the spelling chosen when it was drawn:
// what the solution shows, every answer the check accepts, and the hint.
// A later change of the spelling leaves them as they are.
class DrawnWords {
public:
    // Before the first draw: no words, no answer accepted.
    DrawnWords() = default;
    // number: a whole value from 0 to 999 999 999 999.
    DrawnWords(double number, const SpellingChoice& choice);

    // The words the solution shows: the 1990 form under "either".
    const QString& solution() const { return solution_; }

    // Whether an answer, already collapsed and lower-cased, is right: its
    // space-trimmed text, with the hyphens U+2010 and U+2011 read as "-",
    // is one of the accepted forms. Nothing is right before the first draw.
    bool accepts(const QString& answer) const;

    // "Ce nombre s'écrit en 4 mot(s)." with the numeral words of the
    // solution (a hyphen parts words as a space does); in an official
    // spelling, also the hyphens the solution takes: ", avec 3 trait(s)
    // d'union." or ", sans trait d'union.".
    QString hintText() const;

private:
    QString solution_;
    QStringList accepted_;
    bool official_ = false;
};
