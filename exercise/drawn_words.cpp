// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawn_words.h"

#include "answer_check.h"
#include "word_count.h"

DrawnWords::DrawnWords(double number, const SpellingChoice& choice)
    : solution_(NumberSpelling::words(qint64(number), choice.spelling, choice.region)),
      accepted_(NumberSpelling::acceptedForms(qint64(number), choice.spelling, choice.region)),
      official_(choice.spelling != NumberSpelling::Spelling::Classic) {}

bool DrawnWords::accepts(const QString& answer) const {
    QString typed = trimSpaces(answer);
    typed.replace(QChar(0x2010), u'-').replace(QChar(0x2011), u'-');
    return accepted_.contains(typed);
}

QString DrawnWords::hintText() const {
    const QString hint = QStringLiteral("Ce nombre s'écrit en %1 mot(s)");
    if (!official_)
        return hint.arg(countwords(solution_)) + u'.';
    const qsizetype hyphens = solution_.count(u'-');
    const QString words = hint.arg(countwords(QString(solution_).replace(u'-', u' ')));
    return hyphens == 0 ? words + QStringLiteral(", sans trait d'union.")
                        : words + QStringLiteral(", avec %1 trait(s) d'union.").arg(hyphens);
}
