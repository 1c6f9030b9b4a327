// SPDX-License-Identifier: GPL-3.0-or-later
// The spelling of numbers the teacher chooses: the window "Orthographe des
// nombres" (options, live examples, keys, what OK and "&Annuler" keep), the
// settings it reads and writes, and the exercise window's check, hint and
// solution in each spelling.

#include "answer_box.h"
#include "app_paths.h"
#include "difficulty.h"
#include "drawn_words.h"
#include "fakes.h"
#include "form1.h"
#include "frm_spelling.h"
#include "program_end.h"
#include "qt_settings_store.h"
#include "strange_files.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using NumberSpelling::Region;
using NumberSpelling::Spelling;

Q_DECLARE_METATYPE(SpellingChoice)

namespace {

QString settingKey(const QString& key) {
    return executableBaseName() + QStringLiteral("/Options/") + key;
}

QString caption(const QWidget* widget) {
    return widget ? widget->property("text").toString() : QStringLiteral("(missing)");
}

} // namespace

class TestSpelling : public QObject {
    Q_OBJECT

    FakeSettingsStore settings_;
    FakeMessageBoxes boxes_;

    template <typename T = QWidget> T* get(frmSpelling& window, const QString& name) {
        T* control = window.control<T>(name);
        if (!control)
            qFatal("no control %s", qPrintable(name));
        return control;
    }
    // An option is clicked on its round mark, a button in its middle.
    void click(frmSpelling& window, const QString& name) {
        QWidget* control = get(window, name);
        const QPoint at = qobject_cast<QRadioButton*>(control)
                              ? QPoint(control->height() / 2, control->height() / 2)
                              : control->rect().center();
        QTest::mouseClick(control, Qt::LeftButton, {}, at);
    }

private slots:
    void init() {
        settings_ = FakeSettingsStore();
        boxes_ = FakeMessageBoxes();
    }

    // What the check takes as right for the number drawn, after the space
    // collapse and the lower-casing: the chosen spelling's forms, trimmed,
    // with the typographic hyphens read as "-"; the program's own spelling
    // still takes no hyphen at all. (Each spelling's forms: test_number_spelling.)
    void check_data() {
        QTest::addColumn<double>("number");
        QTest::addColumn<SpellingChoice>("choice");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("right");
        const SpellingChoice classic, traditional{Spelling::Traditional, Region::France},
            either{Spelling::Either, Region::France},
            swiss{Spelling::Traditional, Region::Switzerland};
        QTest::addRow("own spelling") << 17.0 << classic << " dix sept " << true;
        QTest::addRow("own spelling, hyphen") << 17.0 << classic << "dix-sept" << false;
        QTest::addRow("traditional") << 17.0 << traditional << "dix-sept " << true;
        QTest::addRow("traditional, spaces") << 17.0 << traditional << "dix sept" << false;
        QTest::addRow("traditional, U+2010")
            << 17.0 << traditional << QStringLiteral("dix\u2010sept") << true;
        QTest::addRow("traditional, U+2011")
            << 17.0 << traditional << QStringLiteral("dix\u2011sept") << true;
        QTest::addRow("traditional, minus sign")
            << 17.0 << traditional << QStringLiteral("dix\u2212sept") << false;
        QTest::addRow("either, traditional") << 21.0 << either << "vingt et un" << true;
        QTest::addRow("Switzerland") << 80.0 << swiss << "huitante" << true;
    }
    void check() {
        QFETCH(double, number);
        QFETCH(SpellingChoice, choice);
        QFETCH(QString, answer);
        QFETCH(bool, right);
        QCOMPARE(DrawnWords(number, choice).accepts(answer), right);
    }

    // The hint counts the numeral words as the program's own spelling does
    // (a hyphen parts words), and in an official spelling the hyphens of the
    // solution, which is the 1990 form under "either".
    void hint_data() {
        QTest::addColumn<double>("number");
        QTest::addColumn<SpellingChoice>("choice");
        QTest::addColumn<QString>("solution");
        QTest::addColumn<QString>("hint");
        const SpellingChoice classic, traditional{Spelling::Traditional, Region::France},
            rectified{Spelling::Rectified1990, Region::France},
            either{Spelling::Either, Region::France},
            swiss{Spelling::Rectified1990, Region::Switzerland};
        const auto row = [](const char* name, double number, SpellingChoice choice,
                            const char* solution, const char* hint) {
            QTest::addRow("%s", name)
                << number << choice << QString::fromUtf8(solution) << QString::fromUtf8(hint);
        };
        row("71, own", 71, classic, "soixante et onze", "Ce nombre s'écrit en 3 mot(s).");
        row("17, traditional", 17, traditional, "dix-sept",
            "Ce nombre s'écrit en 2 mot(s), avec 1 trait(s) d'union.");
        row("21, traditional", 21, traditional, "vingt et un",
            "Ce nombre s'écrit en 3 mot(s), sans trait d'union.");
        row("21, either", 21, either, "vingt-et-un",
            "Ce nombre s'écrit en 3 mot(s), avec 2 trait(s) d'union.");
        row("8 143 051, 1990", 8143051, rectified,
            "huit millions cent-quarante-trois-mille-cinquante-et-un",
            "Ce nombre s'écrit en 9 mot(s), avec 6 trait(s) d'union.");
        row("80 000 000, Switzerland", 80e6, swiss, "huitante millions",
            "Ce nombre s'écrit en 2 mot(s), sans trait d'union.");
    }
    void hint() {
        QFETCH(double, number);
        QFETCH(SpellingChoice, choice);
        QFETCH(QString, solution);
        QFETCH(QString, hint);
        const DrawnWords drawn(number, choice);
        QCOMPARE(drawn.solution(), solution);
        QCOMPARE(drawn.hintText(), hint);
    }

    // The window's title, groups, options and buttons, in order.
    void captions() {
        frmSpelling window(settings_);
        window.Load();
        QCOMPARE(window.widget()->windowTitle(), "Orthographe des nombres");
        QCOMPARE(get<QGroupBox>(window, "fraSpelling")->title(), "Orthographe");
        QCOMPARE(get<QGroupBox>(window, "fraRegion")->title(), "Pays");
        QStringList options;
        for (int i = 0; i < 4; ++i)
            options << caption(get(window, QString("optSpelling(%1)").arg(i)));
        for (int i = 0; i < 3; ++i)
            options << caption(get(window, QString("optRegion(%1)").arg(i)));
        QCOMPARE(options,
                 (QStringList{"Simplifiée, sans traits d'union (Vorelle)", "Traditionnelle",
                              "Rectifiée (1990)", "L'une ou l'autre (traditionnelle ou rectifiée)",
                              "France", "Belgique", "Suisse"}));
        QCOMPARE(caption(get(window, "cmdOK")), "OK");
        QCOMPARE(caption(get(window, "cmdCancel")), "&Annuler");
        QVERIFY(get<QPushButton>(window, "cmdOK")->isDefault());
    }

    // Each option's example follows the choice of the other group, on screen
    // and for a screen reader (the option's description).
    void liveExamples_data() {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("example");
        QTest::addColumn<QString>("text");
        QTest::addRow("the program's own, France")
            << QStringList{} << "lblSpellingExample(0)"
            << "71 : soixante et onze\n80 000 000 : quatre vingt millions\n"
               "21 632 : vingt et un mille six cent trente deux";
        QTest::addRow("traditional, Belgium chosen")
            << QStringList{"optRegion(1)"} << "lblSpellingExample(1)"
            << "71 : septante et un\n80 000 000 : quatre-vingts millions\n"
               "21 632 : vingt et un mille six cent trente-deux";
        QTest::addRow("either, Switzerland chosen")
            << QStringList{"optRegion(2)"} << "lblSpellingExample(3)"
            << "71 : septante et un ou septante-et-un\n80 000 000 : huitante millions\n"
               "21 632 : vingt et un mille six cent trente-deux ou "
               "vingt-et-un-mille-six-cent-trente-deux";
        QTest::addRow("Switzerland, 1990 chosen")
            << QStringList{"optSpelling(2)"} << "lblRegionExample(2)"
            << "71 : septante-et-un\n80 : huitante\n91 : nonante-et-un";
    }
    void liveExamples() {
        QFETCH(QStringList, clicks);
        QFETCH(QString, example);
        QFETCH(QString, text);
        frmSpelling window(settings_);
        window.Show(false);
        for (const QString& option : clicks)
            click(window, option);
        QCOMPARE(caption(get(window, example)), text);
        const QString option = QString(example)
                                   .replace("lblSpellingExample", "optSpelling")
                                   .replace("lblRegionExample", "optRegion");
        QCOMPARE(get(window, option)->accessibleDescription(), text);
    }

    // Tab and Shift+Tab step between the groups (each entered at its chosen
    // option) and the buttons; the arrows choose within a group.
    void keys() {
        settings_.values[settingKey("Spelling")] = "1990";
        frmSpelling window(settings_);
        window.Show(false);
        QVERIFY(QTest::qWaitForWindowActive(window.widget()));
        QStringList path{QApplication::focusWidget()->objectName()};
        const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
            path << QApplication::focusWidget()->objectName();
        };
        press(Qt::Key_Tab);
        press(Qt::Key_Down); // Belgique
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        press(Qt::Key_Tab); // round to the spellings, at the chosen one
        press(Qt::Key_Up);  // Traditionnelle
        press(Qt::Key_Tab, Qt::ShiftModifier);
        press(Qt::Key_Tab, Qt::ShiftModifier);
        press(Qt::Key_Tab, Qt::ShiftModifier); // back to the countries, at Belgique
        QCOMPARE(path, (QStringList{"optSpelling(2)", "optRegion(0)", "optRegion(1)", "cmdOK",
                                    "cmdCancel", "optSpelling(2)", "optSpelling(1)", "cmdCancel",
                                    "cmdOK", "optRegion(1)"}));
        QVERIFY(get<QRadioButton>(window, "optSpelling(1)")->isChecked());
        QVERIFY(get<QRadioButton>(window, "optRegion(1)")->isChecked());
    }

    // OK keeps the options' choice: each changed key saved (only those),
    // choiceChanged told once; "&Annuler" and Escape keep nothing, and the
    // window opens again on the choice in force.
    void okAndCancel() {
        settings_.values[settingKey("Region")] = "ch";
        frmSpelling window(settings_);
        QSignalSpy told(&window, &frmSpelling::choiceChanged);
        window.Show(false);
        click(window, "optSpelling(1)");
        click(window, "cmdOK");
        QVERIFY(!window.isVisible());
        QCOMPARE(settings_.writes, QStringList{settingKey("Spelling") + "=traditional"});
        QCOMPARE(window.choice(), (SpellingChoice{Spelling::Traditional, Region::Switzerland}));
        QCOMPARE(told.size(), 1);

        window.Show(false);
        click(window, "cmdOK"); // nothing changed: nothing written, nothing told
        QCOMPARE(settings_.writes.size(), 1);
        QCOMPARE(told.size(), 1);

        window.Show(false);
        click(window, "optSpelling(3)");
        click(window, "optRegion(0)");
        click(window, "cmdCancel");
        window.Show(false);
        click(window, "optRegion(1)");
        QTest::keyClick(window.widget(), Qt::Key_Escape);
        QVERIFY(!window.isVisible());
        QCOMPARE(settings_.writes.size(), 1);
        QCOMPARE(told.size(), 1);
        QStringList checked;
        QTimer::singleShot(0, this, [&] {
            for (QRadioButton* option : window.widget()->findChildren<QRadioButton*>())
                if (option->isChecked())
                    checked << option->objectName();
            click(window, "cmdCancel");
        });
        window.ShowChoice();
        QCOMPARE(checked, (QStringList{"optSpelling(1)", "optRegion(2)"}));
    }

    // The stored choice: names read without regard to case; anything unknown
    // or damaged is the default, without a word.
    void storedChoice_data() {
        QTest::addColumn<QString>("spelling");
        QTest::addColumn<QString>("region");
        QTest::addColumn<SpellingChoice>("choice");
        QTest::addRow("nothing stored") << QString() << QString() << SpellingChoice{};
        QTest::addRow("either, Belgium")
            << "either"
            << "be" << SpellingChoice{Spelling::Either, Region::Belgium};
        QTest::addRow("unknown spelling, known region")
            << "classique"
            << "ch" << SpellingChoice{Spelling::Classic, Region::Switzerland};
        QTest::addRow("damaged") << QString::fromUtf8("19\xc3\xa9"
                                                      "90\x01")
                                 << "f\nr" << SpellingChoice{};
    }
    void storedChoice() {
        QFETCH(QString, spelling);
        QFETCH(QString, region);
        QFETCH(SpellingChoice, choice);
        if (!spelling.isNull())
            settings_.values[settingKey("Spelling")] = spelling;
        if (!region.isNull())
            settings_.values[settingKey("Region")] = region;
        frmSpelling window(settings_);
        QCOMPARE(window.choice(), choice);
        QVERIFY(settings_.writes.isEmpty());
    }

    // A school's defaults in the system-wide vorelle.ini hold for a pupil who
    // has chosen nothing; the pupil's own choice is written to the pupil's
    // file only, and only for what differs from the defaults.
    void schoolDefaults() {
        QTemporaryDir system, user;
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(system.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(user.path()));
        const QString file = "vorelle/" + executableBaseName() + ".ini";
        QVERIFY(writeBytes(system.filePath(file), "[Options]\nSpelling=1990\nRegion=be\n"));

        QtSettingsStore store;
        frmSpelling window(store);
        QCOMPARE(window.choice(), (SpellingChoice{Spelling::Rectified1990, Region::Belgium}));
        window.Show(false);
        click(window, "optSpelling(3)");
        click(window, "cmdOK");
        QCOMPARE(readBytes(user.filePath(file)).trimmed(), "[Options]\nSpelling=either");
        QCOMPARE(frmSpelling(store).choice(), (SpellingChoice{Spelling::Either, Region::Belgium}));
    }

    // The exercise window checks, hints at and solves the number drawn in
    // the spelling chosen at its draw; a new choice waits for the next draw.
    void exerciseFollowsTheChoice() {
        FakeClock clock;
        FakeRandom random;
        FakeSoundPlayer sounds;
        FakeInstanceGuard instance;
        Form1 form1{
            ExerciseServices{clock, random, sounds, boxes_, instance, AppPaths("/d", "/u", "/c")}};
        form1.Show();
        const auto draw = [&](double number) { // under "< 100" or "< 1 000"
            const int option = number < 100 ? 0 : 1;
            const Difficulty& range = Difficulties[std::size_t(option)];
            QTest::mouseClick(form1.control<QRadioButton>(QString("Option1(%1)").arg(option)),
                              Qt::LeftButton, {}, QPoint(6, 6));
            random.queued.push_back((number - range.lower + 0.5) / range.span);
            form1.CmdGenerer_Click();
            QCOMPARE(form1.state().CurrentNumber(), number);
        };
        auto* answer = form1.control<AnswerBox>("Text1");
        const auto check = [&](const QString& text) {
            answer->setText(text);
            form1.Cmdverif_Click();
            return form1.state().right();
        };
        form1.setSpellingChoice({Spelling::Traditional, Region::Belgium});
        draw(171);
        form1.setSpellingChoice({Spelling::Classic, Region::France}); // from the next draw
        QCOMPARE(check("cent soixante et onze"), 0);
        QCOMPARE(check(QString::fromUtf8("Cent  septante  et  un")), 1);
        QCOMPARE(boxes_.shown.size(), std::size_t(1)); // "Relis-toi !!!" once

        draw(17); // the program's own spelling, in France
        QCOMPARE(check("dix-sept"), 1);
        form1.setSpellingChoice({Spelling::Either, Region::Switzerland});
        QCOMPARE(check("dix sept"), 2);

        draw(81); // the right answer drew 17's successor already: draw again
        form1.CmdIndice_Click();
        QCOMPARE(boxes_.shown.back().text,
                 QString::fromUtf8("Ce nombre s'écrit en 3 mot(s), avec 2 trait(s) d'union."));
        form1.CmdAide_Click();
        QCOMPARE(answer->text(), "huitante-et-un");
        form1.CmdGenerer_Click();
        QCOMPARE(check("huitante et un"), 2); // 81 no more: the solution ended it
        draw(81);
        QCOMPARE(check(QString::fromUtf8("huitante et un")), 3);
    }

    // The menu "&Options" sits between "&Fichier" and "?"; its item opens the
    // window modal, and OK there sets the exercise's spelling.
    void menuOpensTheWindow() {
        FakeClock clock;
        FakeRandom random;
        FakeSoundPlayer sounds;
        FakeInstanceGuard instance;
        Form1 form1{
            ExerciseServices{clock, random, sounds, boxes_, instance, AppPaths("/d", "/u", "/c")}};
        settings_.values[settingKey("Spelling")] = "traditional";
        frmSpelling window(settings_);
        attachSpellingWindow(form1, window);
        QCOMPARE(form1.spellingChoice(), (SpellingChoice{Spelling::Traditional, Region::France}));
        form1.Show();
        QStringList menus;
        for (QAction* menu : form1.widget()->findChild<QMenuBar*>()->actions())
            menus << menu->text();
        QCOMPARE(menus, (QStringList{"&Fichier", "&Options", "&?"}));
        auto* item = form1.control<QAction>("mnuSpelling");
        QVERIFY(item);
        QCOMPARE(item->text(), "&Orthographe des nombres...");
        bool modal = false;
        QTimer::singleShot(0, this, [&] {
            modal = window.widget()->isModal();
            click(window, "optSpelling(2)");
            click(window, "optRegion(2)");
            click(window, "cmdOK");
        });
        item->trigger();
        QVERIFY(modal);
        QCOMPARE(form1.spellingChoice(),
                 (SpellingChoice{Spelling::Rectified1990, Region::Switzerland}));
    }
};

QTEST_MAIN(TestSpelling)
#include "test_spelling.moc"
