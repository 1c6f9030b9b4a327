// SPDX-License-Identifier: GPL-3.0-or-later
// The game window on the offscreen platform, with a game on a fake clock: its
// menus through a game, the keys whatever has the focus, the modal windows
// opened from its menus, and the window manager's close requests.

#include "game_fixture.h"
#include "game_window.h"
#include "high_score_window.h"
#include "instructions_window.h"
#include "options_window.h"
#include "picture_box.h"
#include "program_end.h"

#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

namespace {

struct WindowFixture : GameServices {
    FakeMediaControl media;
    HighScoreWindow highScoreWindow;
    InstructionsWindow instruct;
    OptionsWindow optionsWindow{options, boxes};
    Brikko game{{sounds, media, clock, random, AppPaths(dir.path(), dir.path(), dir.path())}};
    GameWindow window{game, {scores, highScoreWindow, optionsWindow, instruct}};

    WindowFixture() {
        // Scores no game here reaches: no name box, no table.
        writeFile(scores.filePath(), QByteArray("A:9000\r\n").repeated(5));
        game.connectLoop({&options, &boxes, &scores, &highScoreWindow, &window});
        window.show();
        if (!QTest::qWaitForWindowExposed(window.widget()))
            qFatal("the game window is not shown");
    }
    QAction* action(const QString& name) const { return window.control<QAction>(name); }
    // "1001": newGame, pause, endGame, highScores enabled.
    QString menus() const {
        QString s;
        for (const char* n : {"mnuNewGame", "mnuPause", "mnuEndGame", "mnuHighScore"})
            s += action(QLatin1String(n))->isEnabled() ? '1' : '0';
        return s;
    }
    // The window manager's close request (the title bar, Alt+F4, a task
    // bar's "Close"), as the platform delivers it: to the window's QWindow.
    // Then the event loop runs. Whether the window took it.
    static bool requestClose(QWidget* window) {
        QCloseEvent close;
        QCoreApplication::sendEvent(window->windowHandle(), &close);
        QCoreApplication::processEvents();
        return close.isAccepted();
    }
    // Runs a game; `during` runs in the game's first wait, after which the
    // game is ended with "&Arrêter la partie".
    void playWhile(std::function<void()> during) {
        events.at(Start + 2.2, std::move(during)); // the piece clear of the top
        events.at(Start + 5, [this] { action("mnuEndGame")->trigger(); });
        action("mnuNewGame")->trigger();
        runOnFakeClock(events, clock, window.session());
    }
};

} // namespace

class TestGameWindow : public QObject {
    Q_OBJECT

private slots:
    // Nothing here may end the program: that would end the test, passing.
    void initTestCase() {
        ProgramEnd::setExitHandler(
            [] { qFatal("the program was ended (the game window unloaded)"); });
    }

    // Every menu command in order, with its caption, shortcut and state; the
    // window has no close button and refuses the window manager's close
    // request: the program runs on, the window stays.
    void asLoaded() {
        WindowFixture f;
        QStringList shown;
        for (const QAction* menu : f.window.widget()->findChild<QMenuBar*>()->actions()) {
            shown << menu->menu()->objectName() + '|' + menu->text();
            for (const QAction* a : menu->menu()->actions())
                shown << QStringList{a->objectName(), a->text(), a->shortcut().toString(),
                                     QString::number(a->isEnabled())}
                             .join('|');
        }
        QCOMPARE(shown,
                 QStringList({"mnuFile|&Fichier", "mnuNewGame|&Nouveau jeu|F2|1",
                              "mnuPause|&Pause||0", "mnuEndGame|&Arrêter la partie||0",
                              "mnuBar1|||1", "mnuHighScore|&High Scores|F4|1",
                              "mnuOptions|&Options...||1", "mnuBar2|||1", "mnuExit|&Quitter||1",
                              "mnuHelp|&Aide", "mnuInstruct|&Instructions|F1|1", "mnubar3|||1",
                              "mnuAbout|&A propos||1"}));
        QWidget* w = f.window.widget();
        QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!WindowFixture::requestClose(w) && f.window.isVisible() && f.window.isLoaded());
        QCOMPARE(f.window.control<QWidget>("picBoard")->geometry(), QRect(8, 8, 164, 292));
        // Centred in the part of the screen that task bars leave free (to the
        // pixel, as QRect rounds its centre).
        const QPoint off = w->screen()->availableGeometry().center() - w->frameGeometry().center();
        QVERIFY2(qAbs(off.x()) <= 2 && qAbs(off.y()) <= 2,
                 qPrintable(QString("%1, %2").arg(off.x()).arg(off.y())));
    }
    // While a game runs F2 and F4 are off and Pause and End on; they stay so
    // through "Perdu !", so F2 cannot start a game inside the old one's end.
    // Keys reach the game whatever has the focus, also a control that takes
    // keys itself; a held key moves as the keyboard repeats it. The window
    // manager's close request is refused: the game goes on.
    void throughAGame() {
        WindowFixture f;
        QSignalSpy exercise(&f.window, &GameWindow::exerciseWindowRequested);
        (new QLineEdit("texte", f.window.control<QWidget>("client")))->setObjectName("probe");
        QStringList seen; // the menus, then PieceX, Orientation, Paused after each key
        f.boxes.whileShown = [&] { seen << f.menus(); };
        const auto press = [&](const char* target, Qt::Key key, int repeats) {
            QWidget* to = f.window.control<QWidget>(target);
            to->setFocus();
            QTest::keyPress(to, key);
            for (int i = 0; i < repeats; ++i) {
                QKeyEvent again(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(to, &again);
            }
            QTest::keyRelease(to, key);
            const GameState& g = f.game.game();
            seen << QString("%1 %2 %3").arg(g.PieceX).arg(g.Orientation).arg(f.game.paused());
        };
        f.playWhile([&] {
            seen << f.menus();
            press("probe", Qt::Key_Right, 0);
            seen << QString("closed %1, shown %2")
                        .arg(WindowFixture::requestClose(f.window.widget()))
                        .arg(f.window.isVisible());
            press("lblScore", Qt::Key_Left, 2);
            press("picNext", Qt::Key_Up, 0);
            press("picBoard", Qt::Key_P, 0);
        });
        seen << f.menus();
        QCOMPARE(seen, QStringList({"0110", "6 1 0", "closed 0, shown 1", "3 1 0", "3 2 0", "3 2 1",
                                    "0110", "1001"}));
        QCOMPARE(exercise.size(), 1); // "&Arrêter la partie" shows the exercise at once
        QVERIFY(!f.window.isVisible());
    }
    // The options and the instructions, opened from the menu during a game,
    // are shown modal over a paused game, and so is the about box asked for;
    // the game stays paused after they close. Their close box (the window
    // manager's close request) acts as their button: hidden, still loaded.
    void modalWindowFromMenuPausesTheGame_data() {
        QTest::addColumn<QString>("command");
        QTest::addRow("options") << "mnuOptions";
        QTest::addRow("instructions") << "mnuInstruct";
        QTest::addRow("about box") << "mnuAbout";
    }
    void modalWindowFromMenuPausesTheGame() {
        QFETCH(QString, command);
        WindowFixture f;
        QStringList seen;
        const auto shown = [&](Form& form) {
            QWidget* w = form.widget();
            seen << QString("%1 modal %2, paused %3")
                        .arg(form.name())
                        .arg(w->isModal())
                        .arg(f.game.paused());
            seen << QString("closed %1, loaded %2")
                        .arg(WindowFixture::requestClose(w))
                        .arg(form.widget() == w && !w->isVisible());
        };
        QObject::connect(&f.optionsWindow, &Form::shown, [&] { shown(f.optionsWindow); });
        QObject::connect(&f.instruct, &Form::shown, [&] { shown(f.instruct); });
        QObject::connect(&f.window, &GameWindow::aboutRequested,
                         [&] { seen << QString("about asked, paused %1").arg(f.game.paused()); });
        f.playWhile([&] {
            f.action(command)->trigger();
            QCoreApplication::processEvents();
            seen << QString("paused after %1").arg(f.game.paused());
        });
        const QString name = command == "mnuOptions" ? "frmOptions" : "frmInstruct";
        QCOMPARE(seen, command == "mnuAbout"
                           ? QStringList({"about asked, paused 1", "paused after 1"})
                           : QStringList({name + " modal 1, paused 1", "closed 1, loaded 1",
                                          "paused after 1"}));
        QVERIFY(f.optionsWindow.isLoaded() == (command == "mnuOptions") &&
                f.instruct.isLoaded() == (command == "mnuInstruct"));
    }
    // Walking the menu bar with the keyboard during a game (a menu opened
    // with Alt+F and closed with Escape leaves the bar active): the arrows
    // move along the bar, not the piece.
    void menuBarKeepsItsKeys() {
        WindowFixture f;
        QStringList seen;
        f.playWhile([&] {
            auto* bar = f.window.widget()->findChild<QMenuBar*>();
            const int x = f.game.game().PieceX;
            QTest::keyClick(f.window.widget(), Qt::Key_F, Qt::AltModifier);
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            seen << (popup ? popup->objectName() : "no menu");
            if (popup)
                QTest::keyClick(popup, Qt::Key_Escape);
            for (Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Left}) {
                QTest::keyClick(bar, key);
                seen << QString("%1 %2")
                            .arg(bar->activeAction() ? bar->activeAction()->menu()->objectName()
                                                     : "none")
                            .arg(f.game.game().PieceX - x);
            }
            QTest::keyClick(bar, Qt::Key_Escape);
        });
        QCOMPARE(seen, QStringList({"mnuFile", "mnuHelp 0", "mnuFile 0", "mnuHelp 0"}));
    }
    // The labels and check boxes of the options window show their whole text
    // in the fonts the program ships, where the layout puts them.
    void optionsCaptionsShownWhole() {
        WindowFixture f;
        f.optionsWindow.load();
        QStringList cut;
        for (QWidget* w : f.optionsWindow.widget()->findChildren<QWidget*>()) {
            const auto* label = qobject_cast<QLabel*>(w);
            const auto* box = qobject_cast<QCheckBox*>(w);
            const int needed = label ? label->fontMetrics().horizontalAdvance(label->text())
                               : box ? box->sizeHint().width()
                                     : 0;
            const int room = label ? label->contentsRect().width() : w->width();
            if (needed > room)
                cut << QString("%1: %2 pixels for %3").arg(w->objectName()).arg(room).arg(needed);
        }
        QVERIFY2(cut.isEmpty(), qPrintable("captions cut short: " + cut.join("; ")));
        const QRect label = f.optionsWindow.control<QLabel>("Label1")->geometry();
        QCOMPARE(label.topLeft(), QPoint(8, 10));
        QVERIFY(label.right() < f.optionsWindow.control<QLineEdit>("txtStartingLevel")->x());
    }
    // The board reaches picBoard whole whatever the renderer's pixel ratio:
    // the colour of its top-left and bottom-right cells, at either corner.
    void boardShownWholeAtAnyRatio() {
        WindowFixture f;
        QList<QRgb> seen;
        for (qreal ratio : {1.0, 2.0}) {
            f.window.renderer().setDevicePixelRatio(ratio);
            f.window.renderer().drawCell(1, 1, 3);
            f.window.renderer().drawCell(BoardColumns, BoardRows, 3);
            f.window.renderer().showBoard();
            const QImage shot = f.window.control<QWidget>("picBoard")->grab().toImage();
            const int half = TileSize / 2 + PictureBox::Border;
            seen << shot.pixel(half, half)
                 << shot.pixel(half + (BoardColumns - 1) * TileSize,
                               half + (BoardRows - 1) * TileSize);
        }
        QCOMPARE(seen, QList<QRgb>(4, seen[0]));
        QVERIFY(seen[0] != f.window.control<QWidget>("picBoard")->grab().toImage().pixel(80, 140));
    }
};

QTEST_MAIN(TestGameWindow)
#include "test_game_window.moc"
