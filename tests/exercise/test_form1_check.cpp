// Checking answers in the real window: normalisation, counts, score,
// messages, sounds, the reward, hints and the solution.

#include "app_info.h"
#include "form1_fixture.h"
#include "number_words.h"
#include "program_end.h"

#include <QApplication>

class TestForm1Check : public QObject {
    Q_OBJECT
    std::unique_ptr<Form1Fixture> f;

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void answers_data();
    void answers();
    void firstWrongCheck();
    void scores_data();
    void scores();
    void reward_data();
    void reward();
    void rewardWithoutGameKeepsWindow();
    void optionChangedThenEmptyCheckRewards();
    void twoWrongThenSolutionAddThree();
    void typingBackSolutionCountsRight();
    void hints_data();
    void hints();
    void spacesBeforeAnyDrawAreWrong();
    void gameHandBack();
    void hugePasteIsChecked();
};

void TestForm1Check::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    ProgramEnd::setExitHandler([] {});
}

void TestForm1Check::init() {
    f = std::make_unique<Form1Fixture>();
    f->show();
}

void TestForm1Check::cleanup() {
    f.reset();
}

// For 21 (option 0). outcome: "right", "wrong" or "empty".
void TestForm1Check::answers_data() {
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QString>("boxAfter"); // for wrong and empty answers
    QTest::newRow("exact") << 21.0 << "vingt et un"
                           << "right" << QString();
    QTest::newRow("capitals, runs of spaces, trailing space") << 21.0 << "Vingt  Et  Un "
                                                              << "right" << QString();
    QTest::newRow("leading spaces, long runs") << 21.0 << "     VINGT       et        un"
                                               << "right" << QString();
    QTest::newRow("accented capital") << 0.0 << QString::fromUtf8("ZÉRO") << "right" << QString();
    QTest::newRow("hyphens") << 17.0 << "Dix-Sept"
                             << "wrong"
                             << "dix-sept";
    QTest::newRow("hyphenated tens") << 21.0 << "vingt-et-un"
                                     << "wrong"
                                     << "vingt-et-un";
    QTest::newRow("line break") << 21.0 << "vingt et\r\nun"
                                << "wrong"
                                << "vingt et\r\nun";
    QTest::newRow("missing accent") << 0.0 << "zero"
                                    << "wrong"
                                    << "zero";
    QTest::newRow("only spaces: wrong, not empty") << 21.0 << "     "
                                                   << "wrong"
                                                   << " ";
    QTest::newRow("empty") << 21.0 << QString() << "empty" << QString();
}

void TestForm1Check::answers() {
    QFETCH(double, number);
    QFETCH(QString, typed);
    QFETCH(QString, outcome);
    QFETCH(QString, boxAfter);
    f->draw(0, number);
    QCOMPARE(f->form->state().CurrentNumber, number);
    if (number == 21.0)
        QCOMPARE(f->caption("Label2"), QString("vingt et un"));
    f->random.queued.push_back(0.5); // the next draw, after a right answer
    f->answer(typed);
    f->check();

    const ExerciseState& s = f->form->state();
    if (outcome == "right") {
        QVERIFY(f->boxes.shown.empty());
        QCOMPARE(f->sounds.played, QStringList{f->sound("gagner.wav")});
        QCOMPARE(s.right(), 1);
        QCOMPARE(s.WrongCount, qint16(0));
        // The next number is drawn at once; emptying the box enables the
        // check button again.
        QCOMPARE(s.CurrentNumber, 50.0);
        QCOMPARE(f->caption("Label1"), QString("50"));
        QCOMPARE(f->text1()->text(), QString());
        QCOMPARE(f->buttons(), (QList<bool>{false, true, true, true}));
        QCOMPARE(f->caption("Label4(0)"), QString("1"));
        QCOMPARE(f->caption("Label3"), QString("10,0/10"));
        return;
    }
    QCOMPARE(f->text1()->text(), boxAfter); // collapsed and lower-cased in the box
    QCOMPARE(s.CurrentNumber, number);      // the number stays
    QCOMPARE(s.RightCount.has_value(), false);
    QCOMPARE(int(f->boxes.shown.size()), 1);
    if (outcome == "wrong") {
        QCOMPARE(f->boxes.shown[0].text, QString("Relis-toi !!!"));
        QCOMPARE(f->boxes.shown[0].style, 48);
        QCOMPARE(f->boxes.shown[0].title, QString("Attention!"));
        QCOMPARE(f->sounds.played, QStringList{f->sound("perdu.wav")});
        QCOMPARE(s.WrongCount, qint16(1));
    } else {
        QCOMPARE(f->boxes.shown[0].text, QString::fromUtf8("Tu as écris quelque chose ?"
                                                           "?!!"));
        QCOMPARE(f->boxes.shown[0].style, 32);
        QCOMPARE(f->boxes.shown[0].title, QString("KEZACO!!??"));
        QVERIFY(f->sounds.played.isEmpty());
        QCOMPARE(s.WrongCount, qint16(0));
    }
    QCOMPARE(f->buttons(), (QList<bool>{false, true, true, true}));
}

void TestForm1Check::firstWrongCheck() {
    f->draw(0, 42);
    f->answer("quarante trois");
    f->check();
    QCOMPARE(f->caption("Label4(0)"), QString());
    QCOMPARE(f->caption("Label4(1)"), QString("1"));
    QCOMPARE(f->caption("Label3"), QString("0,0/10"));
}

void TestForm1Check::scores_data() {
    QTest::addColumn<int>("rights");
    QTest::addColumn<int>("wrongs");
    QTest::addColumn<QString>("score");
    QTest::newRow("3 right 1 wrong") << 3 << 1 << "7,5/10";
    QTest::newRow("2 right 1 wrong") << 2 << 1 << "6,7/10";
    QTest::newRow("1 right 2 wrong") << 1 << 2 << "3,3/10";
}

void TestForm1Check::scores() {
    QFETCH(int, rights);
    QFETCH(int, wrongs);
    QFETCH(QString, score);
    f->random.fallback = 0.33;
    f->draw(0, 33);
    for (int i = 0; i < wrongs; ++i) {
        f->answer("faux");
        f->check();
    }
    for (int i = 0; i < rights; ++i)
        f->answerRight();
    QCOMPARE(f->caption("Label4(0)"), QString::number(rights));
    QCOMPARE(f->caption("Label4(1)"), QString::number(wrongs));
    QCOMPARE(f->caption("Label3"), score);
}

void TestForm1Check::reward_data() {
    QTest::addColumn<int>("opt");
    QTest::addColumn<int>("needed");
    QTest::newRow("hardest: 5") << 5 << 5;
    QTest::newRow("option 4: 6") << 4 << 6;
    QTest::newRow("option 3: 6") << 3 << 6;
    QTest::newRow("option 2: 7") << 2 << 7;
    QTest::newRow("option 1: 10") << 1 << 10;
    QTest::newRow("easiest: 10, not 5") << 0 << 10;
}

void TestForm1Check::reward() {
    QFETCH(int, opt);
    QFETCH(int, needed);
    int games = 0;
    f->form->onReward = [&] {
        ++games;
        QVERIFY(f->form->isVisible()); // the game opens, then the window hides
    };
    f->random.fallback = 0.5;
    f->draw(opt, Difficulties[std::size_t(opt)].lower);
    f->answer("faux");
    f->check(); // wrong answers never matter
    for (int i = 1; i < needed; ++i)
        f->answerRight();
    QCOMPARE(games, 0);
    QCOMPARE(f->form->state().right(), needed - 1);
    f->answerRight();
    QCOMPARE(games, 1);
    QVERIFY(!f->form->isVisible());
    // The series starts again, but the labels show the series just ended.
    QCOMPARE(f->form->state().right(), 0);
    QCOMPARE(f->form->state().WrongCount, qint16(0));
    QCOMPARE(f->form->state().SeriesScore, 0.0);
    QCOMPARE(f->caption("Label4(0)"), QString::number(needed));
    QCOMPARE(f->caption("Label4(1)"), QString("1"));
    QCOMPARE(f->caption("Label3"),
             QLocale().toString(needed * 10.0 / (needed + 1), 'f', 1) + "/10");
    // The next number is already drawn for the pupil's return.
    QCOMPARE(f->caption("Label2"), Module1::NumberToWords(f->form->state().CurrentNumber));
}

void TestForm1Check::rewardWithoutGameKeepsWindow() {
    f->random.fallback = 0.5;
    f->draw(5, 5e10);
    for (int i = 0; i < 5; ++i)
        f->answerRight();
    QVERIFY(f->form->isVisible());
    QCOMPARE(f->form->state().right(), 0);
    f->answerRight(); // a new series
    QCOMPARE(f->caption("Label4(0)"), QString("1"));
}

void TestForm1Check::optionChangedThenEmptyCheckRewards() {
    QStringList order;
    f->boxes.onMsgBox = [&] { order << "message"; };
    f->form->onReward = [&] { order << "game"; };
    f->random.fallback = 0.5;
    f->draw(0, 50);
    for (int i = 0; i < 6; ++i)
        f->answerRight();
    QVERIFY(order.isEmpty());
    f->select(3);
    f->answer(QString());
    QVERIFY(f->button("Cmdverif")->isEnabled());
    f->check();
    QCOMPARE(order, (QStringList{"message", "game"}));
    QCOMPARE(f->form->state().right(), 0);
}

void TestForm1Check::twoWrongThenSolutionAddThree() {
    f->draw(0, 71);
    f->answer("soixante onze");
    f->check();
    f->answer("soixante-et-onze");
    f->check();
    QCOMPARE(f->caption("Label3"), QString("0,0/10"));
    f->press("CmdAide");
    QCOMPARE(f->form->state().WrongCount, qint16(3));
    QCOMPARE(f->caption("Label4(1)"), QString("3"));
    QCOMPARE(f->text1()->text(), f->caption("Label2"));
    QCOMPARE(f->text1()->textColor(), QColor(255, 0, 0));
    QCOMPARE(f->sounds.played, QStringList(3, f->sound("perdu.wav")));
    QCOMPARE(f->buttons(), (QList<bool>{true, false, false, false}));
    // No new score and no reward test until the next check.
    QCOMPARE(f->caption("Label3"), QString("0,0/10"));
    QCOMPARE(int(f->boxes.shown.size()), 2);
    // The next draw paints the text in the button-text colour again.
    f->draw(0, 12);
    QCOMPARE(f->text1()->textColor(),
             QApplication::palette().color(QPalette::Active, QPalette::ButtonText));
    QCOMPARE(f->text1()->text(), QString());
    QCOMPARE(f->buttons(), (QList<bool>{false, true, true, true}));
}

void TestForm1Check::typingBackSolutionCountsRight() {
    f->draw(0, 21);
    f->press("CmdAide");
    QCOMPARE(f->buttons(), (QList<bool>{true, false, false, false}));
    AnswerBox* box = f->text1();
    box->moveCursor(QTextCursor::End);
    QTest::keyClicks(box, "x");
    QCOMPARE(box->text(), QString("vingt et unx"));
    QCOMPARE(f->buttons(), (QList<bool>{true, true, true, true}));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QString("vingt et un"));
    f->check();
    QCOMPARE(f->form->state().right(), 1);
    QCOMPARE(f->form->state().WrongCount, qint16(1));
    QCOMPARE(f->caption("Label3"), QString("5,0/10"));
}

void TestForm1Check::hints_data() {
    QTest::addColumn<int>("opt");
    QTest::addColumn<double>("number");
    QTest::addColumn<int>("words");
    QTest::newRow("71") << 0 << 71.0 << 3;
    QTest::newRow("80") << 0 << 80.0 << 2;
    QTest::newRow("21") << 0 << 21.0 << 3;
    QTest::newRow("1 000") << 1 << 1000.0 << 1;
}

void TestForm1Check::hints() {
    QFETCH(int, opt);
    QFETCH(double, number);
    QFETCH(int, words);
    f->draw(opt, number);
    f->answer("faux");
    f->check();
    const QList<bool> before = f->buttons();
    const QString score = f->caption("Label3");
    for (int i = 0; i < 3; ++i)
        f->press("CmdIndice");
    QCOMPARE(int(f->boxes.shown.size()), 4);
    for (int i = 1; i < 4; ++i) {
        QCOMPARE(f->boxes.shown[std::size_t(i)].text,
                 QString::fromUtf8("Ce nombre s'écrit en %1 mot(s).").arg(words));
        QCOMPARE(f->boxes.shown[std::size_t(i)].style, 0);
        QCOMPARE(f->boxes.shown[std::size_t(i)].title, AppInfo::title());
    }
    QCOMPARE(f->form->state().WrongCount, qint16(1));
    QCOMPARE(f->form->state().RightCount.has_value(), false);
    QCOMPARE(f->buttons(), before);
    QCOMPARE(f->caption("Label3"), score);
    QCOMPARE(f->text1()->text(), QString("faux"));
    QCOMPARE(f->sounds.played.size(), 1);
}

void TestForm1Check::spacesBeforeAnyDrawAreWrong() {
    // Before the first draw there are no reference words: typing enables the
    // check, but nothing typed can be right, not even a lone space.
    f->answer(" ");
    QCOMPARE(f->buttons(), (QList<bool>{true, true, true, true}));
    f->check();
    QCOMPARE(f->form->state().RightCount.has_value(), false);
    QCOMPARE(f->form->state().WrongCount, qint16(1));
    QCOMPARE(f->caption("Label1"), Form1::hiddenNumberText());
    f->press("CmdIndice");
    QCOMPARE(f->boxes.shown.back().text, QString::fromUtf8("Ce nombre s'écrit en 0 mot(s)."));
}

void TestForm1Check::gameHandBack() {
    f->form->onReward = [] {};
    f->random.fallback = 0.5;
    f->draw(5, 5e10);
    for (int i = 0; i < 5; ++i)
        f->answerRight();
    QVERIFY(!f->form->isVisible());
    const QString nextWords = f->caption("Label2");

    f->form->ResetAfterGame();
    QVERIFY(f->form->isVisible());
    QCOMPARE(f->text1()->text(), QString());
    QCOMPARE(f->caption("Label1"), QString("??? ??? ??? ???"));
    QCOMPARE(f->caption("Label4(0)"), QString());
    QCOMPARE(f->caption("Label4(1)"), QString());
    QCOMPARE(f->caption("Label3"), QString());
    QCOMPARE(f->caption("Label6"), QString("1"));
    QCOMPARE(f->caption("Label2"), nextWords);
    QCOMPARE(f->buttons(), (QList<bool>{true, true, true, false}));

    for (int i = 0; i < 5; ++i)
        f->answerRight();
    f->form->ResetAfterGame();
    QCOMPARE(f->caption("Label6"), QString("2"));

    // A game that ends before its opening returns leaves the window shown.
    f->form->onReward = [this] { f->form->ResetAfterGame(); };
    f->draw(5, 5e10);
    for (int i = 0; i < 5; ++i)
        f->answerRight();
    QVERIFY(f->form->isVisible());
    QCOMPARE(f->caption("Label6"), QString("3"));
    QCOMPARE(f->form->state().right(), 0);
}

void TestForm1Check::hugePasteIsChecked() {
    // A megabyte of anything: long runs of spaces, line breaks, accents,
    // characters outside the basic plane, non-breaking spaces, capitals whose
    // full lower case is longer, and one very long word.
    QString chunk = QString::fromUtf8("Vingt   ET\r\nUN  ÉÀÇ \U0001D11E\u00a0\u00a0 İİ ") +
                    QString(1000, QLatin1Char(' ')) + QString::fromUtf8("\tΩmega ");
    QString paste;
    while (paste.size() < (1 << 20))
        paste += chunk;
    paste += QString(100000, QLatin1Char(' ')) + QString(200000, QLatin1Char('W'));
    f->draw(0, 21);
    f->text1()->setText(paste);
    f->check();
    const QString after = f->text1()->text();
    QVERIFY(!after.contains("  "));
    QCOMPARE(after, after.toLower());
    QVERIFY(after.contains(QString::fromUtf8("éàç \U0001D11E\u00a0\u00a0 ii \tωmega")));
    QVERIFY(after.endsWith(" " + QString(200000, QLatin1Char('w'))));
    QCOMPARE(f->form->state().WrongCount, qint16(1));
    QCOMPARE(f->boxes.shown.back().text, QString("Relis-toi !!!"));
}

QTEST_MAIN(TestForm1Check)
#include "test_form1_check.moc"
