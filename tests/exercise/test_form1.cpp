// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise window, shown offscreen on fake services and driven through its
// controls' names: draw, answers, counts, score, reward, hints, solution, keys.

#include "answer_box.h"
#include "app_info.h"
#include "difficulty.h"
#include "fakes.h"
#include "form1.h"
#include "number_words.h"
#include "program_end.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <cmath>

using Buttons = QList<bool>; // CmdGenerer, Cmdverif, CmdIndice, CmdAide enabled

struct Form1Fixture {
    FakeClock clock;
    FakeRandom random;
    FakeSoundPlayer sounds;
    FakeMessageBoxes boxes;
    FakeInstanceGuard instance;
    AppPaths paths{"/opt/vorelle/data", "/home/u/data", "/home/u/config"};
    Form1 form{ExerciseServices{clock, random, sounds, boxes, instance, paths}};

    Form1Fixture() {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        form.Show();
        random.fallback = 0.5; // every draw under option 0 not queued gives 50
    }
    template <typename T = QWidget> T* get(const QString& name) const {
        return form.control<T>(name);
    }
    QString caption(const QString& name) const {
        return form.widget()->findChild<QObject*>(name)->property("text").toString();
    }
    // The number, right count, score, wrong count.
    QStringList labels() const {
        return {caption("Label1"), caption("Label4(0)"), caption("Label3"), caption("Label4(1)")};
    }
    AnswerBox* text1() const { return get<AnswerBox>("Text1"); }
    void click(const QString& name) { QTest::mouseClick(get(name), Qt::LeftButton); }
    void draw(int opt, double number) {
        const Difficulty& d = Difficulties[std::size_t(opt)];
        click(QString("Option1(%1)").arg(opt));
        random.queued.push_back((number - d.lower + 0.5) / d.span);
        click("CmdGenerer");
    }
    void answer(const QString& text) {
        text1()->setText(text);
        click("Cmdverif");
    }
    void answerRight() { answer(form.state().referenceWords()); }
    Buttons buttons() const {
        return {get("CmdGenerer")->isEnabled(), get("Cmdverif")->isEnabled(),
                get("CmdIndice")->isEnabled(), get("CmdAide")->isEnabled()};
    }
    QStringList lastMessage() const { // text, style and title; empty: none
        if (boxes.shown.empty())
            return {};
        const FakeMessageBoxes::Shown& m = boxes.shown.back();
        return {m.text, QString::number(m.style), m.title};
    }
};

class TestForm1 : public QObject {
    Q_OBJECT
    std::unique_ptr<Form1Fixture> f;
    int exits = 0;

private slots:
    void initTestCase() {
        ProgramEnd::setExitHandler([this] { ++exits; });
    }
    void init() {
        ProgramEnd::resetForTest();
        f = std::make_unique<Form1Fixture>();
    }

    void startState() {
        QVERIFY(!f->get("Label2")->isVisible() && f->get<QRadioButton>("Option1(0)")->isChecked());
        QVERIFY(f->get<QPushButton>("Cmdverif")->isDefault());
        QCOMPARE(f->buttons(), (Buttons{true, false, false, false}));
        QTest::keyClicks(f->text1(), "a"); // typing enables the buttons before any draw
        // Keyboard order: CmdGenerer, Text1, Cmdverif, CmdAide, CmdIndice, the
        // options; Tab in the answer box moves on rather than typing a tab.
        f->get("CmdGenerer")->setFocus();
        QStringList order{"CmdGenerer"};
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(f->form.widget()->focusWidget(), Qt::Key_Tab);
            order << f->form.widget()->focusWidget()->objectName();
        }
        QCOMPARE(order, (QStringList{"CmdGenerer", "Text1", "Cmdverif", "CmdAide", "CmdIndice",
                                     "Option1(0)"}));
    }

    void draw_data() {
        QTest::addColumn<int>("opt");
        QTest::addColumn<double>("r");
        QTest::addColumn<QString>("shown");
        const double top = 1.0 - std::ldexp(1.0, -24);
        QTest::addRow("0 lowest") << 0 << 0.0 << "0";
        QTest::addRow("0 highest") << 0 << top << "99";
        QTest::addRow("5 highest") << 5 << top << "100 899 994 046";
    }
    // Drawn from a fresh seed, shown grouped, fitting its label; the box emptied.
    void draw() {
        QFETCH(int, opt);
        QFETCH(double, r);
        QFETCH(QString, shown);
        f->text1()->setText("x");
        f->click(QString("Option1(%1)").arg(opt));
        f->random.queued.push_back(r);
        f->click("CmdGenerer");
        QCOMPARE(f->random.reseeds, 1);
        QCOMPARE(f->caption("Label1"), shown);
        QCOMPARE(f->form.state().referenceWords(),
                 Module1::NumberToWords(QString(shown).remove(' ').toDouble()));
        QCOMPARE(f->text1()->text(), QString());
        QCOMPARE(f->buttons(), (Buttons{false, true, true, true}));
        auto* label1 = f->get<QLabel>("Label1");
        QVERIFY(label1->fontMetrics().horizontalAdvance(shown) <= label1->contentsRect().width());
        QCOMPARE(f->form.widget()->focusWidget(), f->text1()); // the pupil types at once
    }

    void answers_data() {
        QTest::addColumn<double>("number"); // drawn under option 0; -1: nothing drawn
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("box"); // Text1 after the check: collapsed, lower-cased
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QStringList>("message"); // text, style, title; empty: none
        QTest::addColumn<QString>("sound");
        using L = QStringList;
        const auto row = [](const char* name, double n, const char* typed, const char* box,
                            L labels, L message, const char* sound) {
            QTest::addRow("%s", name)
                << n << QString(typed) << QString(box) << labels << message << QString(sound);
        };
        // clang-format off
        const L wrong{"Relis-toi !!!", "48", "Attention!"}, right{"50", "1", "10,0/10", "0"};
        const L empty{"Tu as écris quelque chose \?\?!!", "32", "KEZACO!!??"};
        row("capitals, runs of spaces", 21, "Vingt  Et   Un ", "", right, {}, "gagner");
        row("leading spaces, accented capital", 0, "  ZÉRO", "", right, {}, "gagner");
        row("hyphens", 17, "Dix-Sept", "dix-sept", {"17", "", "0,0/10", "1"}, wrong, "perdu");
        row("line break", 21, "vingt et un\r\n", "vingt et un\r\n", {"21", "", "0,0/10", "1"}, wrong, "perdu");
        row("only spaces: wrong", 21, "     ", " ", {"21", "", "0,0/10", "1"}, wrong, "perdu");
        row("nothing drawn", -1, " ", " ", {"??? ??? ??? ???", "", "0,0/10", "1"}, wrong, "perdu");
        row("empty", 21, "", "", {"21", "", "0,0/10", "0"}, empty, "");
        // clang-format on
    }
    void answers() {
        QFETCH(double, number);
        QFETCH(QString, typed);
        QFETCH(QStringList, message);
        QFETCH(QString, sound);
        if (number >= 0)
            f->draw(0, number);
        qsizetype soundsAtMessage = -1;
        f->boxes.onMsgBox = [&] { soundsAtMessage = f->sounds.played.size(); };
        f->answer(typed);
        QTEST(f->text1()->text(), "box");
        QTEST(f->labels(), "labels");
        QCOMPARE(f->lastMessage(), message);
        QCOMPARE(f->sounds.played,
                 sound.isEmpty() ? QStringList() : QStringList{f->paths.dataFile(sound + ".wav")});
        QCOMPARE(soundsAtMessage, message.isEmpty() ? -1 : 0); // the sound follows the message
        QCOMPARE(f->form.widget()->focusWidget(), f->text1());
    }

    // The score in the user's decimal separator, its tenths rounded as a
    // decimal number would, whatever the binary value's last bits say.
    void scoreText() {
        QCOMPARE(formatScore(47.0 / 200 * 10, QLocale(QLocale::English)), QString("2.4/10"));
    }

    void rewardAndHandBack_data() {
        QTest::addColumn<int>("opt");
        QTest::addColumn<int>("needed");
        QTest::addColumn<QString>("ended"); // right, score, wrong of the series, one wrong answer
        QTest::addRow("Option1(5): 5") << 5 << 5 << "5 8,3/10 1";
        QTest::addRow("Option1(2): 7") << 2 << 7 << "7 8,8/10 1";
        QTest::addRow("Option1(0): 10, not 5") << 0 << 10 << "10 9,1/10 1";
    }
    void rewardAndHandBack() {
        QFETCH(int, opt);
        QFETCH(int, needed);
        int games = 0;
        QObject::connect(&f->form, &Form1::rewardRequested,
                         [&] { games += f->form.isVisible() ? 1 : 100; }); // then it hides
        f->draw(opt, Difficulties[std::size_t(opt)].lower);
        f->answer("faux"); // wrong answers never matter
        for (int i = 0; i < needed; ++i)
            QCOMPARE((f->answerRight(), games), i + 1 == needed ? 1 : 0);
        QVERIFY(!f->form.isVisible());
        // A new series starts; the labels still show the one just ended.
        QTEST(f->labels().mid(1).join(' '), "ended");
        f->form.ResetAfterGame();
        QVERIFY(f->form.isVisible());
        QCOMPARE(f->labels() << f->text1()->text() << f->caption("Label6"),
                 (QStringList{"??? ??? ??? ???", "", "", "", "", "1"}));
        QCOMPARE(f->buttons(), (Buttons{true, true, true, false}));
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

    // A hint changes nothing but shows the word count; two wrong answers and
    // the solution add three wrong ones.
    void hintThenTwoWrongThenSolution() {
        f->draw(0, 71);
        f->answer("soixante onze");
        const QStringList labels = f->labels() << f->text1()->text();
        f->click("CmdIndice");
        QCOMPARE(f->lastMessage(),
                 (QStringList{"Ce nombre s'écrit en 3 mot(s).", "0", AppInfo::title()}));
        QCOMPARE(f->labels() << f->text1()->text(), labels);
        QCOMPARE(f->form.widget()->focusWidget(), f->text1());
        f->answer("soixante-et-onze");
        f->click("CmdAide");
        QCOMPARE(f->labels(), (QStringList{"71", "", "0,0/10", "3"})); // the score waits
        QCOMPARE(f->text1()->text(), QString("soixante et onze"));
        QCOMPARE(f->text1()->textColor(), QColor(255, 0, 0));
        QCOMPARE(f->sounds.played, QStringList(3, f->paths.dataFile("perdu.wav")));
        QCOMPARE(f->buttons(), (Buttons{true, false, false, false}));
        // Typed back, the solution counts right; the next number is painted in
        // the box's own colour again.
        QTest::keyClicks(f->text1(), "x");
        QTest::keyClick(f->text1(), Qt::Key_Backspace);
        f->click("Cmdverif");
        QCOMPARE(f->labels(), (QStringList{"50", "1", "2,5/10", "3"}));
        QCOMPARE(f->text1()->textColor(), Form1::answerTextColor());
    }

    // Signed 16-bit: it stops at its largest rather than turning negative.
    void wrongCountStopsAt32767() {
        ExerciseState state;
        state.WrongCount = 32767;
        state.addWrong();
        QCOMPARE(state.wrongCountText(), QString("32767"));
    }

    void enterChecksCtrlEnterBreaksTheLine() {
        f->draw(0, 21);
        QTest::keyClicks(f->text1(), "vingt");
        QTest::keyClick(f->text1(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(f->text1()->text(), QString("vingt\r\n"));
        QTest::keyClick(f->text1(), Qt::Key_Return); // a line break is wrong
        QCOMPARE(f->labels().last(), QString("1"));
    }

    void quitEndsAtOnce() {
        f->form.quitter_Click();
        QCOMPARE(exits, 1); // at once, without asking
        QVERIFY(ProgramEnd::requested());
    }
};

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
