// The program's windows with real sound, music, clock, event pump and message
// boxes, the game opened at once, to be driven from outside (the
// screenshots). The first argument is the folder of scores.lst and
// Brikko32.ini; the second, "show", is the mode.
#include "clock.h"
#include "desktop_shell.h"
#include "event_pump.h"
#include "fakes.h"
#include "form1.h"
#include "frm_about.h"
#include "message_boxes.h"
#include "program_windows.h"
#include "random.h"
#include "registry.h"
#include "sdl_media_control.h"
#include "sdl_sound_player.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc < 3 || qstrcmp(argv[2], "show") != 0)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const AppPaths paths(QCoreApplication::applicationDirPath(), folder, folder);
    SystemClock clock;
    XoshiroRandom random;
    QtEventPump pump;
    QtMessageBoxes boxes;
    SdlSoundPlayer sounds;
    SdlMediaControl music;
    FakeInstanceGuard guard; // the only copy
    Form1 form1(ExerciseServices{clock, random, sounds, boxes, guard, paths});
    const FixedRegistry registry = systemRegistry();
    QtDesktopShell desktop;
    frmAbout about(registry, desktop, boxes);
    ProgramWindows windows(form1, about, BrikkoServices{sounds, music, clock, random, pump, paths},
                           boxes);
    windows.openGame();
    return QApplication::exec();
}
