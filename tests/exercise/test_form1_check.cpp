// Checking answers in the window: normalisation, counts, score, messages,
// sounds, the reward and the game's hand-back, hints and the solution.

#include "app_info.h"
#include "form1_fixture.h"

class TestForm1Check : public QObject {
    Q_OBJECT
    std::unique_ptr<Form1Fixture> f;

    // The messages shown so far: text, style and title of each.
    QList<QStringList> messages() const {
        QList<QStringList> out;
        for (const auto& m : f->boxes.shown)
            out.append({m.text, QString::number(m.style), m.title});
        return out;
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
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QStringList>("message"); // text, style, title; empty: none
        QTest::addColumn<QString>("sound");
        const QStringList wrong{"Relis-toi !!!", "48", "Attention!"};
        const QStringList empty{"Tu as écris quelque chose ?" // (split: no trigraph)
                                "?!!",
                                "32", "KEZACO!!??"};
        using L = QStringList;
        QTest::addRow("capitals, runs of spaces, trailing space")
            << 21.0 << "Vingt  Et   Un "
            << "" << L{"50", "1", "10,0/10", "0"} << L() << "gagner";
        QTest::addRow("leading spaces, accented capital")
            << 0.0 << "  ZÉRO"
            << "" << L{"50", "1", "10,0/10", "0"} << L() << "gagner";
        QTest::addRow("hyphens, first check")
            << 17.0 << "Dix-Sept"
            << "dix-sept" << L{"17", "", "0,0/10", "1"} << wrong << "perdu";
        QTest::addRow("right words, then a line break")
            << 21.0 << "vingt et un\r\n"
            << "vingt et un\r\n"
            << L{"21", "", "0,0/10", "1"} << wrong << "perdu";
        QTest::addRow("only spaces: wrong, not empty")
            << 21.0 << "     "
            << " " << L{"21", "", "0,0/10", "1"} << wrong << "perdu";
        QTest::addRow("nothing drawn")
            << -1.0 << " "
            << " " << L{"??? ??? ??? ???", "", "0,0/10", "1"} << wrong << "perdu";
        QTest::addRow("empty") << 21.0 << ""
                               << "" << L{"21", "", "0,0/10", "0"} << empty << "";
    }
    void answers() {
        QFETCH(double, number);
        QFETCH(QString, typed);
        QFETCH(QString, box);
        QFETCH(QStringList, labels);
        QFETCH(QStringList, message);
        QFETCH(QString, sound);
        if (number >= 0)
            f->draw(0, number);
        qsizetype soundsAtMessage = -1;
        f->boxes.onMsgBox = [&] { soundsAtMessage = f->sounds.played.size(); };
        f->answer(typed);
        QCOMPARE(f->text1()->text(), box);
        QCOMPARE(f->labels(), labels);
        QCOMPARE(messages(),
                 message.isEmpty() ? QList<QStringList>() : QList<QStringList>{message});
        QCOMPARE(f->sounds.played,
                 sound.isEmpty() ? QStringList() : QStringList{f->paths.dataFile(sound + ".wav")});
        QCOMPARE(soundsAtMessage, message.isEmpty() ? -1 : 0); // the sound follows the message
    }

    void scores_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("rights");
        QTest::addColumn<int>("wrongs");
        QTest::addColumn<QString>("score");
        QTest::addRow("2 right 1 wrong") << "fr_FR" << 2 << 1 << "6,7/10";
        QTest::addRow("0.15 rounds up; English") << "en_US" << 3 << 197 << "0.2/10";
    }
    void scores() {
        QFETCH(QString, locale);
        QFETCH(int, rights);
        QFETCH(int, wrongs);
        QFETCH(QString, score);
        QLocale::setDefault(QLocale(locale));
        f->draw(0, 33);
        for (int i = 0; i < wrongs; ++i)
            f->answer("faux");
        for (int i = 0; i < rights; ++i)
            f->answerRight();
        QCOMPARE(f->labels(),
                 (QStringList{"50", QString::number(rights), score, QString::number(wrongs)}));
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
        QObject::connect(&f->form, &Form1::rewardRequested, [&] {
            ++games;
            QVERIFY(f->form.isVisible()); // the game opens, then the window hides
        });
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
        QCOMPARE(f->labels().mid(1), (QStringList{QString::number(needed), score, "1"}));
        const QString nextWords = f->caption("Label2"); // drawn for the pupil's return

        f->form.ResetAfterGame();
        QVERIFY(f->form.isVisible());
        QCOMPARE(f->labels(), (QStringList{"??? ??? ??? ???", "", "", ""}));
        QCOMPARE(f->text1()->text(), QString());
        QCOMPARE(f->caption("Label6"), QString("1"));
        QCOMPARE(f->buttons(), (Buttons{true, true, true, false}));
        QCOMPARE(f->caption("Label2"), nextWords);
        f->click("CmdGenerer"); // into an empty box: the draw alone enables hint and solution
        QCOMPARE(f->buttons(), (Buttons{false, true, true, true}));
        // A game that hands back while it opens leaves the window shown.
        QObject::disconnect(&f->form, &Form1::rewardRequested, nullptr, nullptr);
        QObject::connect(&f->form, &Form1::rewardRequested, [this] { f->form.ResetAfterGame(); });
        for (int i = 0; i < needed; ++i)
            f->answerRight();
        QVERIFY(f->form.isVisible());
        QCOMPARE(f->caption("Label6"), QString("2"));
    }

    void optionChangedThenEmptyCheckRewards() {
        QStringList order;
        f->boxes.onMsgBox = [&] { order << "message"; };
        QObject::connect(&f->form, &Form1::rewardRequested, [&] { order << "game"; });
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
        QCOMPARE(f->labels(), (QStringList{"71", "", "0,0/10", "3"})); // the score waits
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
        QCOMPARE(f->labels(), (QStringList{"50", "1", "5,0/10", "1"}));
    }

    void hintsChangeNothing() {
        f->draw(0, 71);
        f->answer("faux");
        const QStringList labels = f->labels() << f->text1()->text();
        const Buttons buttons = f->buttons();
        f->boxes.shown.clear();
        f->click("CmdIndice");
        f->click("CmdIndice");
        const QStringList hint{"Ce nombre s'écrit en 3 mot(s).", "0", AppInfo::title()};
        QCOMPARE(messages(), (QList{hint, hint}));
        QCOMPARE(f->labels() << f->text1()->text(), labels);
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
