// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawn_words.h"

#include <QLocale>
#include <QString>
#include <QtGlobal>
#include <optional>

// The counts and the score of the current series, kept by the main window
// for the life of the process. A series runs from the start of the program,
// or from the last reward, to the next reward.
struct ExerciseState {
    // Right answers of the series. No value until the first right answer of
    // the program: it then counts as 0 and shows as the empty text.
    std::optional<qint32> RightCount;
    // Wrong answers plus solutions asked. Signed 16-bit; it stops at 32 767
    // rather than wrapping round to a negative count.
    qint16 WrongCount = 0;
    // The series' score out of 10.
    double SeriesScore = 0.0;

    // A number was drawn: it becomes the current number, and its French words
    // in the spelling chosen for it give the answers the check accepts, the
    // hint and the solution. They live here and nowhere on screen, so that no
    // screen reader can read them before the pupil asks; a later choice of
    // spelling leaves them as they are.
    void setDrawnNumber(double number, const SpellingChoice& spelling = {});
    // The number drawn last (a whole value); 0 before the first draw.
    double currentNumber() const { return currentNumber_; }
    // Its words as the solution shows them; empty before the first draw.
    const QString& referenceWords() const { return words_.solution(); }
    // Its words in the spelling chosen for it: the answers and the hint.
    const DrawnWords& drawnWords() const { return words_; }

    void addRight();
    void addWrong();
    // SeriesScore from the counts: right / (right + wrong) × 10, or 0 while
    // there is no right answer.
    void updateScore();
    // The reward starts a new series: both counts and the score go to 0 (the
    // right count then has a value, 0).
    void resetSeries();

    qint32 right() const { return RightCount.value_or(0); }
    // The counts as the labels show them; the empty text while RightCount
    // has no value.
    QString rightCountText() const;
    QString wrongCountText() const;
    // SeriesScore as "7,5/10" (pattern "0.0" with the locale's decimal
    // separator).
    QString scoreText(const QLocale& locale = QLocale()) const;

private:
    double currentNumber_ = 0.0;
    DrawnWords words_;
};

// A score rounded to one decimal, halves away from zero, with the locale's
// decimal separator, then "/10".
QString formatScore(double score, const QLocale& locale = QLocale());

// The reward rule: whether `rightCount` right answers under option `option`
// (0 to 5) earn the game. Rows, first match wins: 5 under option 5, 6 under
// option 4, 6 under option 3, 7 under option 2, 10 under any option.
bool rewardDue(qint32 rightCount, int option);

// Which of the four buttons are enabled. Each event of the window moves the
// states the same way, whatever came before.
struct ButtonStates {
    bool CmdGenerer = true;
    bool Cmdverif = false;
    bool CmdIndice = false;
    bool CmdAide = false;

    // The window's start: only the draw button is enabled.
    static ButtonStates atLoad() { return {}; }
    // The answer's text changed: check, hint and solution become enabled.
    void textChanged();
    // A number was drawn: the draw button is disabled, hint and solution
    // enabled; the check button is left to the emptying of the answer.
    void numberDrawn();
    // A right answer: check disabled, draw enabled (a draw follows at once).
    void rightAnswer();
    // The solution is shown: only the draw button stays enabled.
    void solutionShown();
    // A reward game ended: draw enabled, solution disabled.
    void gameEnded();

    friend bool operator==(const ButtonStates&, const ButtonStates&) = default;
};
