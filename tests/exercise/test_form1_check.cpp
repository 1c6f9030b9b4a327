// Checking answers in the window: normalisation, counts, score, messages,
// sounds, the reward and the game's hand-back, hints and the solution.

#include "app_info.h"
#include "form1_fixture.h"

class TestForm1Check : public QObject {
    Q_OBJECT
    std::unique_ptr<Form1Fixture> f;

    // The messages shown so far, as text|style|title, joined by "/".
    QString messages() const {
        QStringList out;
        for (const auto& m : f->boxes.shown)
            out << QString("%1|%2|%3").arg(m.text).arg(m.style).arg(m.title);
        return out.join('/');
    }

private slots:
    void init() {
        f = std::make_unique<Form1Fixture>();
        f->random.fallback = 0.5; // every later draw under option 0 gives 50
    }
    void cleanup() { f.reset(); }

    void answers_data() {
        QTest::addColumn<double>("number"); // drawn under option 0; -1: nothing drawn
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("box"); // Text1 after the check: collapsed, lower-cased
        QTest::addColumn<QString>("labels");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("sound");
        const char* wrong = "Relis-toi !!!|48|Attention!";
        const char* empty = "Tu as écris quelque chose ?" // (split: no trigraph)
                            "?!!|32|KEZACO!!??";
        const struct {
            const char *tag, *typed, *box, *labels, *message, *sound;
            double number;
        } rows[] = {
            {"capitals, runs of spaces, trailing space", "Vingt  Et   Un ", "", "50|1|10,0/10|0",
             "", "gagner", 21},
            {"leading spaces, accented capital", "  ZÉRO", "", "50|1|10,0/10|0", "", "gagner", 0},
            {"hyphens, first check", "Dix-Sept", "dix-sept", "17||0,0/10|1", wrong, "perdu", 17},
            {"right words, then a line break", "vingt et un\r\n", "vingt et un\r\n", "21||0,0/10|1",
             wrong, "perdu", 21},
            {"only spaces: wrong, not empty", "     ", " ", "21||0,0/10|1", wrong, "perdu", 21},
            {"nothing drawn", " ", " ", "??? ??? ??? ???||0,0/10|1", wrong, "perdu", -1},
            {"empty", "", "", "21||0,0/10|0", empty, "", 21},
        };
        for (const auto& r : rows)
            QTest::addRow("%s", r.tag)
                << r.number << QString::fromUtf8(r.typed) << QString(r.box) << QString(r.labels)
                << QString::fromUtf8(r.message) << QString(r.sound);
    }
    void answers() {
        QFETCH(double, number);
        QFETCH(QString, typed);
        QFETCH(QString, box);
        QFETCH(QString, labels);
        QFETCH(QString, message);
        QFETCH(QString, sound);
        if (number >= 0)
            f->draw(0, number);
        qsizetype soundsAtMessage = -1;
        f->boxes.onMsgBox = [&] { soundsAtMessage = f->sounds.played.size(); };
        f->answer(typed);
        QCOMPARE(f->text1()->text(), box);
        QCOMPARE(f->labels(), labels);
        QCOMPARE(messages(), message);
        QCOMPARE(f->sounds.played,
                 sound.isEmpty() ? QStringList() : QStringList{f->paths.dataFile(sound + ".wav")});
        QCOMPARE(soundsAtMessage, message.isEmpty() ? -1 : 0); // the sound follows the message
    }

    void scores_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("rights");
        QTest::addColumn<int>("wrongs");
        QTest::addColumn<QString>("labels");
        QTest::addRow("3 right 1 wrong") << "fr_FR" << 3 << 1 << "50|3|7,5/10|1";
        QTest::addRow("2 right 1 wrong") << "fr_FR" << 2 << 1 << "50|2|6,7/10|1";
        QTest::addRow("0.15 rounds up; English") << "en_US" << 3 << 197 << "50|3|0.2/10|197";
    }
    void scores() {
        QFETCH(QString, locale);
        QFETCH(int, rights);
        QFETCH(int, wrongs);
        QFETCH(QString, labels);
        QLocale::setDefault(QLocale(locale));
        f->draw(0, 33);
        for (int i = 0; i < wrongs; ++i)
            f->answer("faux");
        for (int i = 0; i < rights; ++i)
            f->answerRight();
        QCOMPARE(f->labels(), labels);
    }

    void rewardAndHandBack_data() {
        QTest::addColumn<int>("opt");
        QTest::addColumn<int>("needed");
        QTest::addColumn<QString>("score"); // of the series just ended, with one wrong answer
        QTest::addRow("Option1(5): 5") << 5 << 5 << "8,3/10";
        QTest::addRow("Option1(4): 6") << 4 << 6 << "8,6/10";
        QTest::addRow("Option1(3): 6") << 3 << 6 << "8,6/10";
        QTest::addRow("Option1(2): 7") << 2 << 7 << "8,8/10";
        QTest::addRow("Option1(1): 10") << 1 << 10 << "9,1/10";
        QTest::addRow("Option1(0): 10, not 5") << 0 << 10 << "9,1/10";
    }
    void rewardAndHandBack() {
        QFETCH(int, opt);
        QFETCH(int, needed);
        QFETCH(QString, score);
        int games = 0;
        f->form.onReward = [&] {
            ++games;
            QVERIFY(f->form.isVisible()); // the game opens, then the window hides
        };
        f->draw(opt, Difficulties[std::size_t(opt)].lower);
        f->answer("faux"); // wrong answers never matter
        for (int i = 1; i < needed; ++i)
            f->answerRight();
        QCOMPARE(games, 0);
        f->answerRight();
        QCOMPARE(games, 1);
        QVERIFY(!f->form.isVisible());
        // A new series starts; the labels still show the one just ended.
        QCOMPARE(f->form.state().right() + f->form.state().WrongCount, 0);
        QCOMPARE(f->labels().section('|', 1), QString("%1|%2|1").arg(needed).arg(score));
        const QString nextWords = f->caption("Label2"); // drawn for the pupil's return

        f->form.ResetAfterGame();
        QVERIFY(f->form.isVisible());
        QCOMPARE(f->labels(), QString("??? ??? ??? ???|||"));
        QCOMPARE(f->text1()->text(), QString());
        QCOMPARE(f->caption("Label6"), QString("1"));
        QCOMPARE(f->buttons(), (Buttons{true, true, true, false}));
        QCOMPARE(f->caption("Label2"), nextWords);
        f->click("CmdGenerer"); // into an empty box: the draw alone enables hint and solution
        QCOMPARE(f->buttons(), (Buttons{false, true, true, true}));
        // A game that hands back while it opens leaves the window shown.
        f->form.onReward = [this] { f->form.ResetAfterGame(); };
        for (int i = 0; i < needed; ++i)
            f->answerRight();
        QVERIFY(f->form.isVisible());
        QCOMPARE(f->caption("Label6"), QString("2"));
    }

    void optionChangedThenEmptyCheckRewards() {
        QStringList order;
        f->boxes.onMsgBox = [&] { order << "message"; };
        f->form.onReward = [&] { order << "game"; };
        f->draw(0, 50);
        for (int i = 0; i < 6; ++i)
            f->answerRight();
        f->click("Option1(3)");
        f->answer(QString());
        QCOMPARE(order, (QStringList{"message", "game"}));
    }

    void twoWrongThenSolutionAddThree() {
        f->draw(0, 71);
        f->answer("soixante onze");
        f->answer("soixante-et-onze");
        f->click("CmdAide");
        QCOMPARE(f->labels(), QString("71||0,0/10|3")); // the score waits for the next check
        QCOMPARE(f->text1()->text(), QString("soixante et onze"));
        QCOMPARE(f->text1()->textColor(), QColor(255, 0, 0));
        QCOMPARE(f->sounds.played, QStringList(3, f->paths.dataFile("perdu.wav")));
        QCOMPARE(f->buttons(), (Buttons{true, false, false, false}));
        f->draw(0, 12); // paints the text in its own colour again
        QCOMPARE(f->text1()->textColor(), Form1::answerTextColor());
    }

    void typingBackTheSolutionCountsRight() {
        f->draw(0, 21);
        f->click("CmdAide");
        f->text1()->moveCursor(QTextCursor::End);
        QTest::keyClicks(f->text1(), "x");
        QCOMPARE(f->buttons(), (Buttons{true, true, true, true}));
        QTest::keyClick(f->text1(), Qt::Key_Backspace);
        f->click("Cmdverif");
        QCOMPARE(f->labels(), QString("50|1|5,0/10|1"));
    }

    void hintsChangeNothing() {
        f->draw(0, 71);
        f->answer("faux");
        const QString labels = f->labels() + f->text1()->text();
        const Buttons buttons = f->buttons();
        f->boxes.shown.clear();
        f->click("CmdIndice");
        f->click("CmdIndice");
        const QString hint =
            QString::fromUtf8("Ce nombre s'écrit en 3 mot(s).|0|") + AppInfo::title();
        QCOMPARE(messages(), hint + "/" + hint);
        QCOMPARE(f->labels() + f->text1()->text(), labels);
        QCOMPARE(f->form.state().WrongCount, qint16(1));
        QCOMPARE(f->buttons(), buttons);
        QCOMPARE(f->sounds.played.size(), 1);
    }

    // Signed 16-bit: it stops at its largest rather than turning negative.
    void wrongCountStopsAt32767() {
        ExerciseState state;
        state.WrongCount = 32766;
        state.addWrong();
        state.addWrong();
        QCOMPARE(state.wrongCountText(), QString("32767"));
    }
};

QTEST_MAIN(TestForm1Check)
#include "test_form1_check.moc"
