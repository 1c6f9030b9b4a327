// The exercise's rules apart from the window: the difficulty table and the
// draw, the number display, the answer normalisation, the score, the reward
// rule, the button states and the counters' limits.

#include "answer_check.h"
#include "difficulty.h"
#include "exercise_state.h"
#include "number_display.h"

#include <QtTest>
#include <cmath>

namespace {
// The largest fraction the generator can give: 1 - 2^-24.
const double TopFraction = 1.0 - std::ldexp(1.0, -24);
} // namespace

class TestExerciseLogic : public QObject {
    Q_OBJECT
private slots:
    void captionsComeFromTheTable_data();
    void captionsComeFromTheTable();
    void drawNeverLeavesItsRange();
    void groupedDigits_data();
    void groupedDigits();
    void collapsePassHalvesRuns_data();
    void collapsePassHalvesRuns();
    void collapseRepeatsUntilNoPairIsLeft_data();
    void collapseRepeatsUntilNoPairIsLeft();
    void lowerCasing_data();
    void lowerCasing();
    void trimRemovesSpacesOnly();
    void answerMatching_data();
    void answerMatching();
    void scoreText_data();
    void scoreText();
    void rightCountHasNoValueUntilFirstRight();
    void wrongCountStopsAtItsLimit();
    void resetStartsANewSeries();
    void rewardRule_data();
    void rewardRule();
    void buttonStatesFollowEvents();
};

void TestExerciseLogic::captionsComeFromTheTable_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("caption");
    QTest::newRow("0") << 0 << "< 100";
    QTest::newRow("1") << 1 << "< 1 000";
    QTest::newRow("2") << 2 << "< 10 000";
    QTest::newRow("3") << 3 << "< 100 000";
    QTest::newRow("4") << 4 << "< 100 000 000";
    QTest::newRow("5") << 5 << "< 100 000 000 000";
}

void TestExerciseLogic::captionsComeFromTheTable() {
    QFETCH(int, option);
    QFETCH(QString, caption);
    QCOMPARE(difficultyCaption(option), caption);
}

void TestExerciseLogic::drawNeverLeavesItsRange() {
    // Every 2^-24 step near both ends and some in between stay whole and in
    // range; numbers between the options' ranges never come.
    for (int option = 0; option < DifficultyCount; ++option) {
        const Difficulty& d = Difficulties[std::size_t(option)];
        for (int step : {0, 1, 2, 1 << 12, 1 << 23, (1 << 24) - 2, (1 << 24) - 1}) {
            const double n = drawNumber(option, std::ldexp(double(step), -24));
            QCOMPARE(n, std::floor(n));
            QVERIFY2(n >= d.lower && n < d.lower + d.span, qPrintable(QString::number(n, 'f', 0)));
        }
    }
    // The exact bounds of each option are checked through the window.
    QCOMPARE(drawNumber(5, TopFraction), 100899994046.0);
    QCOMPARE(drawNumber(-1, 0.0), 0.0); // outside the table: the nearest row
    QCOMPARE(drawNumber(9, 0.0), 1e9);
}

void TestExerciseLogic::groupedDigits_data() {
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("shown");
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("one digit") << 7.0 << "7";
    QTest::newRow("three digits") << 100.0 << "100";
    QTest::newRow("four digits") << 1234.0 << "1 234";
    QTest::newRow("whole group") << 1000.0 << "1 000";
    QTest::newRow("inner zeros") << 100000000.0 << "100 000 000";
    QTest::newRow("eleven digits") << 12345678901.0 << "12 345 678 901";
    QTest::newRow("largest draw") << 100899994046.0 << "100 899 994 046";
    QTest::newRow("largest words") << 999999999999.0 << "999 999 999 999";
}

void TestExerciseLogic::groupedDigits() {
    QFETCH(double, number);
    QFETCH(QString, shown);
    QCOMPARE(::groupedDigits(number), shown);
}

void TestExerciseLogic::collapsePassHalvesRuns_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("onePass");
    QTest::newRow("pair") << "a  b"
                          << "a b";
    QTest::newRow("three") << "a   b"
                           << "a  b";
    QTest::newRow("four") << "a    b"
                          << "a  b";
    QTest::newRow("single spaces stay") << "vingt et un"
                                        << "vingt et un";
    QTest::newRow("other blanks stay") << "a\t\t b\r\n\r\nc"
                                       << "a\t\t b\r\n\r\nc";
    QTest::newRow("non-breaking spaces stay")
        << QString::fromUtf8("a\u00a0\u00a0b") << QString::fromUtf8("a\u00a0\u00a0b");
}

void TestExerciseLogic::collapsePassHalvesRuns() {
    QFETCH(QString, text);
    QFETCH(QString, onePass);
    QCOMPARE(collapseSpacePairs(text), onePass);
}

void TestExerciseLogic::collapseRepeatsUntilNoPairIsLeft_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("collapsed");
    QTest::addColumn<int>("passes");
    QTest::newRow("nothing to do") << "vingt et un"
                                   << "vingt et un" << 0;
    QTest::newRow("empty") << QString() << QString() << 0;
    QTest::newRow("one space") << " "
                               << " " << 0;
    QTest::newRow("runs of 2 and 3") << "vingt  et   un"
                                     << "vingt et un" << 2;
    QTest::newRow("run of 1000: ten halvings") << "a" + QString(1000, ' ') + "b"
                                               << "a b" << 10;
    QTest::newRow("spaces around line breaks") << "un  \r\n  deux"
                                               << "un \r\n deux" << 1;
}

void TestExerciseLogic::collapseRepeatsUntilNoPairIsLeft() {
    QFETCH(QString, text);
    QFETCH(QString, collapsed);
    QFETCH(int, passes);
    int n = -1;
    QCOMPARE(collapseSpaces(text, &n), collapsed);
    QCOMPARE(n, passes);
}

void TestExerciseLogic::lowerCasing_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("lower");
    QTest::newRow("capitals") << "VINGT Et UN"
                              << "vingt et un";
    QTest::newRow("accented capitals")
        << QString::fromUtf8("ÉÀÇÈÊÎÔÛÏŒ") << QString::fromUtf8("éàçèêîôûïœ");
    QTest::newRow("already lower") << QString::fromUtf8("zéro ß") << QString::fromUtf8("zéro ß");
    QTest::newRow("other scripts")
        << QString::fromUtf8("ΣΩ ЖЯ 中") << QString::fromUtf8("σω жя 中");
    QTest::newRow("dotted capital I: one character") << QString::fromUtf8("İ") << "i";
    QTest::newRow("outside the basic plane")
        << QString::fromUcs4(U"\U00010400\U0001D11E") << QString::fromUcs4(U"\U00010428\U0001D11E");
    QTest::newRow("lone surrogate kept")
        << QString(QChar(0xD800)) + "A" << QString(QChar(0xD800)) + "a";
    QTest::newRow("line breaks and digits") << "A1\r\nB2"
                                            << "a1\r\nb2";
}

void TestExerciseLogic::lowerCasing() {
    QFETCH(QString, text);
    QFETCH(QString, lower);
    QCOMPARE(lowerCased(text), lower);
}

void TestExerciseLogic::trimRemovesSpacesOnly() {
    QCOMPARE(trimSpaces("  vingt et un  "), QString("vingt et un"));
    QCOMPARE(trimSpaces("   "), QString());
    QCOMPARE(trimSpaces(" un\r\n "), QString("un\r\n"));
    QCOMPARE(trimSpaces("\tun\t"), QString("\tun\t"));
    QCOMPARE(trimSpaces(QString()), QString());
}

void TestExerciseLogic::answerMatching_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("reference");
    QTest::addColumn<bool>("right");
    QTest::newRow("same") << "vingt et un"
                          << "vingt et un" << true;
    QTest::newRow("spaces around") << " vingt et un "
                                   << "vingt et un" << true;
    QTest::newRow("hyphens") << "dix-sept"
                             << "dix sept" << false;
    QTest::newRow("missing accent") << "zero"
                                    << "zéro" << false;
    QTest::newRow("extra plural") << "quatre vingts un"
                                  << "quatre vingt un" << false;
    QTest::newRow("line break") << "vingt et un\r\n"
                                << "vingt et un" << false;
    QTest::newRow("tab") << "vingt et un\t"
                         << "vingt et un" << false;
    QTest::newRow("only spaces") << "   "
                                 << "vingt et un" << false;
    QTest::newRow("capitals are not lowered here") << "Vingt et un"
                                                   << "vingt et un" << false;
    QTest::newRow("no number drawn: spaces") << " " << QString() << false;
    QTest::newRow("no number drawn: empty") << QString() << QString() << false;
}

void TestExerciseLogic::answerMatching() {
    QFETCH(QString, answer);
    QFETCH(QString, reference);
    QFETCH(bool, right);
    QCOMPARE(answerMatches(answer, reference), right);
}

void TestExerciseLogic::scoreText_data() {
    QTest::addColumn<int>("right"); // -1: no value yet
    QTest::addColumn<int>("wrong");
    QTest::addColumn<QString>("french");
    QTest::addColumn<QString>("english");
    QTest::newRow("first check wrong") << -1 << 1 << "0,0/10"
                                       << "0.0/10";
    QTest::newRow("reset series") << 0 << 0 << "0,0/10"
                                  << "0.0/10";
    QTest::newRow("3 right 1 wrong") << 3 << 1 << "7,5/10"
                                     << "7.5/10";
    QTest::newRow("2 right 1 wrong") << 2 << 1 << "6,7/10"
                                     << "6.7/10";
    QTest::newRow("all right") << 10 << 0 << "10,0/10"
                               << "10.0/10";
    QTest::newRow("half rounds up: 6.25") << 5 << 3 << "6,3/10"
                                          << "6.3/10";
    QTest::newRow("half rounds up: 0.05") << 1 << 199 << "0,1/10"
                                          << "0.1/10";
    QTest::newRow("below half") << 1 << 200 << "0,0/10"
                                << "0.0/10";
    QTest::newRow("many wrong") << 1 << 32767 << "0,0/10"
                                << "0.0/10";
}

void TestExerciseLogic::scoreText() {
    QFETCH(int, right);
    QFETCH(int, wrong);
    QFETCH(QString, french);
    QFETCH(QString, english);
    ExerciseState s;
    if (right >= 0)
        s.RightCount = right;
    s.WrongCount = qint16(wrong);
    s.updateScore();
    QCOMPARE(s.scoreText(QLocale(QLocale::French, QLocale::France)), french);
    QCOMPARE(s.scoreText(QLocale(QLocale::English, QLocale::UnitedStates)), english);
}

void TestExerciseLogic::rightCountHasNoValueUntilFirstRight() {
    ExerciseState s;
    QCOMPARE(s.rightCountText(), QString());
    QCOMPARE(s.right(), 0);
    s.addWrong();
    QCOMPARE(s.rightCountText(), QString());
    QCOMPARE(s.wrongCountText(), QString("1"));
    s.addRight();
    QCOMPARE(s.rightCountText(), QString("1"));
}

void TestExerciseLogic::wrongCountStopsAtItsLimit() {
    ExerciseState s;
    s.RightCount = 3;
    s.WrongCount = 32766;
    s.addWrong();
    QCOMPARE(s.WrongCount, qint16(32767));
    s.addWrong();
    QCOMPARE(s.WrongCount, qint16(32767));
    QCOMPARE(s.wrongCountText(), QString("32767"));
    s.updateScore();
    QVERIFY(s.SeriesScore > 0.0 && s.SeriesScore < 0.01);
}

void TestExerciseLogic::resetStartsANewSeries() {
    ExerciseState s;
    s.CurrentNumber = 21;
    s.RightCount = 6;
    s.WrongCount = 4;
    s.updateScore();
    s.resetSeries();
    QCOMPARE(s.rightCountText(), QString("0"));
    QCOMPARE(s.WrongCount, qint16(0));
    QCOMPARE(s.SeriesScore, 0.0);
    QCOMPARE(s.CurrentNumber, 21.0);
}

void TestExerciseLogic::rewardRule_data() {
    QTest::addColumn<int>("right");
    QTest::addColumn<QList<int>>("rewardedOptions");
    QTest::newRow("none yet") << 0 << QList<int>{};
    QTest::newRow("4") << 4 << QList<int>{};
    QTest::newRow("5: hardest only") << 5 << QList<int>{5};
    QTest::newRow("6: options 3 and 4") << 6 << QList<int>{3, 4};
    QTest::newRow("7: option 2") << 7 << QList<int>{2};
    QTest::newRow("8") << 8 << QList<int>{};
    QTest::newRow("9") << 9 << QList<int>{};
    QTest::newRow("10: any option") << 10 << QList<int>{0, 1, 2, 3, 4, 5};
    QTest::newRow("11") << 11 << QList<int>{};
}

void TestExerciseLogic::rewardRule() {
    QFETCH(int, right);
    QFETCH(QList<int>, rewardedOptions);
    for (int option = 0; option < DifficultyCount; ++option)
        QCOMPARE(rewardDue(right, option), rewardedOptions.contains(option));
}

void TestExerciseLogic::buttonStatesFollowEvents() {
    ButtonStates b = ButtonStates::atLoad();
    QCOMPARE(b, (ButtonStates{true, false, false, false}));
    b.textChanged(); // typing before the first draw
    QCOMPARE(b, (ButtonStates{true, true, true, true}));
    b = ButtonStates::atLoad();
    b.numberDrawn(); // the check button waits for the answer box's change
    QCOMPARE(b, (ButtonStates{false, false, true, true}));
    b.textChanged();
    b.rightAnswer();
    QCOMPARE(b, (ButtonStates{true, false, true, true}));
    b.solutionShown();
    QCOMPARE(b, (ButtonStates{true, false, false, false}));
    b.textChanged(); // typing into the solution
    QCOMPARE(b, (ButtonStates{true, true, true, true}));
    b.numberDrawn();
    b.gameEnded();
    QCOMPARE(b, (ButtonStates{true, true, true, false}));
}

QTEST_APPLESS_MAIN(TestExerciseLogic)
#include "test_exercise_logic.moc"
