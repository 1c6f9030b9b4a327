// SPDX-License-Identifier: GPL-3.0-or-later
// The program's windows with real sound, music, clock and event pump, the game
// opened at once. The first argument is the folder of scores.lst and
// Brikko32.ini; the second the mode:
//   show           real message boxes, driven from outside (the screenshots);
//   quit-mid-game  starts a game and chooses "&Quitter" during it; message
//                  boxes and the music's calls are written to standard output;
//   play-on        starts a game and plays on, writing out as quit-mid-game.
// It holds the single-instance lock and socket as the program does (in the
// runtime folder) and ends as the program does: its event loop returns the
// status, "&Quitter" and a termination signal alike.
#include "fakes.h"
#include "form1.h"
#include "frm_about.h"
#include "program_end.h"
#include "program_windows.h"
#include "qt_desktop_shell.h"
#include "qt_instance_guard.h"
#include "qt_message_boxes.h"
#include "sdl_audio.h"
#include "sdl_media_control.h"
#include "sdl_sound_player.h"
#include "system_clock.h"
#include "system_registry.h"
#include "termination_signals.h"
#include "xoshiro_random.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace {
void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}
// Message boxes and the music's calls, written out.
struct Printed : MessageBoxes, MediaControl {
    explicit Printed(SdlAudioDevice& audio) : real(audio) {}
    SdlMediaControl real;
    void msgBox(const QString& text, int, const QString&) override { say("box: " + text); }
    QString inputBox(const QString& prompt, const QString&, const QString&) override {
        return say("input: " + prompt), QStringLiteral("Nom");
    }
    void openMusic(const QString& path) override { say("music: open"), real.openMusic(path); }
    void playMusic(const QString& path) override { say("music: play"), real.playMusic(path); }
    void closeMusic() override { say("music: close"), real.closeMusic(); }
};
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const bool quitMidGame = argc >= 3 && qstrcmp(argv[2], "quit-mid-game") == 0;
    const bool playOn = argc >= 3 && qstrcmp(argv[2], "play-on") == 0;
    if (argc < 3 || (!quitMidGame && !playOn && qstrcmp(argv[2], "show") != 0))
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const AppPaths paths(QCoreApplication::applicationDirPath(), folder, folder);
    SystemClock clock;
    XoshiroRandom random;
    QtMessageBoxes realBoxes;
    SdlAudioDevice audio(clock);
    SdlMediaControl realMusic(audio);
    Printed printed(audio);
    const bool printing = quitMidGame || playOn;
    MessageBoxes& boxes = printing ? static_cast<MessageBoxes&>(printed) : realBoxes;
    MediaControl& music = printing ? static_cast<MediaControl&>(printed) : realMusic;
    SdlSoundPlayer sounds(audio);
    ProgramEnd::addShutdownHook([&audio] { audio.releaseForExit(), say("ended"); });
    TerminationSignals endSignals([] { ProgramEnd::endProgram(); });
    QtInstanceGuard guard(QStringLiteral("game-helper"), [] {});
    if (guard.anotherInstanceRunning())
        return 4;
    Form1 form1(ExerciseServices{clock, random, sounds, boxes, guard, paths});
    const FixedRegistry registry = systemRegistry();
    QtDesktopShell desktop;
    frmAbout about(registry, desktop, boxes);
    ProgramWindows windows(form1, about, BrikkoServices{sounds, music, clock, random, paths},
                           boxes);
    windows.openGame();
    if (!printing)
        return QApplication::exec();
    frmBrikko& game = windows.gameWindow();
    // The splash loads on the event loop, then ("Hide Splash" on) shows the
    // game window: the game starts then.
    QObject::connect(
        &game, &Form::shown, &game,
        [&] { QTimer::singleShot(0, [&] { game.control<QAction>("mnuNewGame")->trigger(); }); },
        Qt::SingleShotConnection);
    if (playOn)
        QTimer::singleShot(500, [&] { say(QStringLiteral("playing: %1").arg(game.isVisible())); });
    else
        QTimer::singleShot(1500, [&] {
            say(QStringLiteral("quitting, game shown: %1").arg(game.isVisible()));
            game.control<QAction>("mnuExit")->trigger();
            say(QStringLiteral("quit chosen, game shown: %1").arg(game.isVisible()));
        });
    const int status = QApplication::exec();
    say(QStringLiteral("event loop returned %1").arg(status));
    return status;
}
