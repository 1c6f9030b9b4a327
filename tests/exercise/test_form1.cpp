// The exercise window, shown offscreen on fake services and driven through its
// controls' names: draw, answers, counts, score, reward, hints, solution, keys,
// resizing and menus.

#include "answer_box.h"
#include "app_info.h"
#include "difficulty.h"
#include "fakes.h"
#include "form1.h"
#include "number_words.h"
#include "program_end.h"
#include "units.h"

#include <QLabel>
#include <QMainWindow>
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
        const QObject* o = form.widget()->findChild<QObject*>(name);
        return o->property(o->property("title").isValid() ? "title" : "text").toString();
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
    void answerRight() { answer(caption("Label2")); }
    Buttons buttons() const {
        return {get("CmdGenerer")->isEnabled(), get("Cmdverif")->isEnabled(),
                get("CmdIndice")->isEnabled(), get("CmdAide")->isEnabled()};
    }
    QList<QStringList> messages() const { // text, style and title of each
        QList<QStringList> out;
        for (const auto& m : boxes.shown)
            out.append({m.text, QString::number(m.style), m.title});
        return out;
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
    void init() { f = std::make_unique<Form1Fixture>(); }

    void startState() {
        // clang-format off
        const char* names[] = {"CmdGenerer", "Frame1", "Option1(0)", "Option1(1)", "Option1(2)",
            "Option1(3)", "Option1(4)", "Option1(5)", "CmdAide", "CmdIndice", "Label5", "Label6",
            "Cmdverif", "Frame2", "fichier", "quitter", "astuce", "quoi", "apropos", "Label1"};
        const QStringList expected{"Vorelle", "&Générer un nombre", "Choisis la difficulté !",
            "< 100", "< 1 000", "< 10 000", "< 100 000", "< 100 000 000", "< 100 000 000 000",
            "&Solution", "&Indices", "Nombre de partie(s) jouée(s) :", "0", "&Vérifier", "Score :",
            "&Fichier", "&Quitter", "&Astuces", "&?", "&A propos", "??? ??? ??? ???",
            "Génère un nombre, lis-le, écris-le en lettres ici.        \r\nFais attention aux "
            "accords des mots :\r\nvingt, cent,\r\nmillion, milliard !!!\r\n"};
        // clang-format on
        QStringList captions{f->form.widget()->windowTitle()};
        for (const char* name : names)
            captions << f->caption(name);
        captions << f->text1()->text();
        QCOMPARE(captions, expected);
        QCOMPARE(f->get("Option1(5)")->geometry(), twipsRect(5280, 720, 1800, 300)); // in Frame1
        QVERIFY(!f->get("Label2")->isVisible() && f->get<QRadioButton>("Option1(0)")->isChecked());
        QVERIFY(f->get<QPushButton>("Cmdverif")->isDefault());
        QCOMPARE(f->buttons(), (Buttons{true, false, false, false}));
        // Screen readers: names for what has no text of its own, and only that.
        for (const char* name : {"Text1", "Image1", "Image2"})
            QVERIFY2(!f->get(name)->accessibleName().isEmpty(), name);
        QTest::keyClicks(f->text1(), "a"); // typing before the first draw
        QCOMPARE(f->buttons(), (Buttons{true, true, true, true}));
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
        const char* lowest[] = {"0", "100", "1 000", "10 000", "1 000 000", "1 000 000 000"};
        // clang-format off
        const char* highest[] = {"99", "1 000", "10 000", "100 000", "99 999 995", "100 899 994 046"};
        // clang-format on
        for (int opt = 0; opt < 6; ++opt) {
            QTest::addRow("%d lowest", opt) << opt << 0.0 << QString(lowest[opt]);
            QTest::addRow("%d highest", opt) << opt << top << QString(highest[opt]);
        }
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
        QCOMPARE(f->caption("Label2"),
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
        QCOMPARE(f->messages(), QList<QStringList>(message.isEmpty() ? 0 : 1, message));
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
        QTest::addColumn<QString>("score"); // of the series just ended, with one wrong answer
        QTest::addRow("Option1(5): 5") << 5 << 5 << "8,3/10";
        QTest::addRow("Option1(2): 7") << 2 << 7 << "8,8/10";
        QTest::addRow("Option1(0): 10, not 5") << 0 << 10 << "9,1/10";
    }
    void rewardAndHandBack() {
        QFETCH(int, opt);
        QFETCH(int, needed);
        QFETCH(QString, score);
        int games = 0;
        QObject::connect(&f->form, &Form1::rewardRequested,
                         [&] { games += f->form.isVisible() ? 1 : 100; }); // then it hides
        f->draw(opt, Difficulties[std::size_t(opt)].lower);
        f->answer("faux"); // wrong answers never matter
        for (int i = 0; i < needed; ++i)
            QCOMPARE((f->answerRight(), games), i + 1 == needed ? 1 : 0);
        QVERIFY(!f->form.isVisible());
        // A new series starts; the labels still show the one just ended.
        QCOMPARE(f->labels().mid(1), (QStringList{QString::number(needed), score, "1"}));
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
        // Typed back, the solution counts right; the next number is painted in
        // the box's own colour again.
        QTest::keyClicks(f->text1(), "x");
        QCOMPARE(f->buttons(), (Buttons{true, true, true, true}));
        QTest::keyClick(f->text1(), Qt::Key_Backspace);
        f->click("Cmdverif");
        QCOMPARE(f->labels(), (QStringList{"50", "1", "2,5/10", "3"}));
        QCOMPARE(f->text1()->textColor(), Form1::answerTextColor());
    }

    void hintsChangeNothing() {
        f->draw(0, 71);
        f->answer("faux");
        const QStringList labels = f->labels() << f->text1()->text();
        f->boxes.shown.clear();
        f->click("CmdIndice");
        QCOMPARE(f->messages(),
                 (QList<QStringList>{{"Ce nombre s'écrit en 3 mot(s).", "0", AppInfo::title()}}));
        QCOMPARE(f->labels() << f->text1()->text(), labels);
        QCOMPARE(f->sounds.played.size(), 1);
        QCOMPARE(f->form.widget()->focusWidget(), f->text1());
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
        QTest::keyClicks(f->text1(), "et un");
        QCOMPARE(f->text1()->text(), QString("vingt\r\net un"));
        QTest::keyClick(f->text1(), Qt::Key_Return); // a line break is wrong
        QCOMPARE(f->labels().last(), QString("1"));
    }

    // Controls grow with the window and come back with it; fonts keep their size.
    void resizing() {
        QWidget* window = f->form.widget();
        const QSize before = window->size();
        const QRect design = f->get("Label1")->geometry();
        window->showMaximized();
        QTRY_VERIFY(window->size() != before);
        const double sx = double(window->width()) / before.width();
        const QRect grown = f->get("Label1")->geometry();
        QVERIFY(sx > 1 && std::abs(grown.right() - design.right() * sx) <= 1.5);
        window->showNormal();
        QTRY_COMPARE(window->size(), before);
        QCOMPARE(f->get("Label1")->geometry(), design);
        window->showMinimized();
        QTRY_VERIFY(window->isMinimized());
        window->resize(before / 2); // as a minimised window may report
        QCOMPARE(f->get("Label1")->geometry(), design);
    }

    void menusAndEnd() {
        int opened = 0;
        QObject::connect(&f->form, &Form1::tipsRequested, [&] { ++opened; });
        QObject::connect(&f->form, &Form1::aboutRequested, [&] { ++opened; });
        f->form.widget()->findChild<QAction*>("astuce")->trigger();
        f->form.widget()->findChild<QAction*>("apropos")->trigger();
        QCOMPARE(opened, 2);
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, f->form.quitter_Click());
        QCOMPARE(exits, 1); // at once, without asking
    }
};

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
