// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise_state.h"

#include <array>
#include <cmath>
#include <limits>

void ExerciseState::setDrawnNumber(double number, const SpellingChoice& spelling) {
    currentNumber_ = number;
    words_ = DrawnWords(number, spelling);
}

void ExerciseState::addRight() {
    if (right() < std::numeric_limits<qint32>::max())
        RightCount = right() + 1;
}

void ExerciseState::addWrong() {
    if (WrongCount < std::numeric_limits<qint16>::max())
        ++WrongCount;
}

void ExerciseState::updateScore() {
    const qint32 r = right();
    SeriesScore = r > 0 ? double(r) / (double(r) + double(WrongCount)) * 10.0 : 0.0;
}

void ExerciseState::resetSeries() {
    RightCount = 0;
    WrongCount = 0;
    SeriesScore = 0.0;
}

QString ExerciseState::rightCountText() const {
    return RightCount ? QString::number(*RightCount) : QString();
}

QString ExerciseState::wrongCountText() const {
    return QString::number(WrongCount);
}

QString ExerciseState::scoreText(const QLocale& locale) const {
    return formatScore(SeriesScore, locale);
}

QString formatScore(double score, const QLocale& locale) {
    // Round the tenths as a decimal number would: 6.25 gives 6.3 and 0.05
    // gives 0.1, whatever the binary value's last bits say. Rounding first to
    // millionths of a tenth takes those bits away.
    const double tenths = std::round(std::round(score * 10.0 * 1e6) / 1e6);
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(tenths / 10.0, 'f', 1) + QStringLiteral("/10");
}

namespace {
struct RewardRow {
    qint32 rightCount;
    int option; // -1: any option
};
constexpr std::array<RewardRow, 5> RewardRule{{
    {5, 5},
    {6, 4},
    {6, 3},
    {7, 2},
    {10, -1},
}};
} // namespace

bool rewardDue(qint32 rightCount, int option) {
    for (const RewardRow& row : RewardRule) {
        if (row.rightCount == rightCount && (row.option < 0 || row.option == option))
            return true;
    }
    return false;
}

void ButtonStates::textChanged() {
    Cmdverif = CmdAide = CmdIndice = true;
}

void ButtonStates::numberDrawn() {
    CmdGenerer = false;
    CmdIndice = CmdAide = true;
}

void ButtonStates::rightAnswer() {
    Cmdverif = false;
    CmdGenerer = true;
}

void ButtonStates::solutionShown() {
    CmdGenerer = true;
    Cmdverif = CmdIndice = CmdAide = false;
}

void ButtonStates::gameEnded() {
    CmdGenerer = true;
    CmdAide = false;
}
