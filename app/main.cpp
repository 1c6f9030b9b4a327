// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_paths.h"
#include "command_line.h"
#include "form1.h"
#include "frm_about.h"
#include "frm_guide.h"
#include "frm_spelling.h"
#include "frm_tip.h"
#include "program_end.h"
#include "program_icon.h"
#include "program_windows.h"
#include "qt_desktop_shell.h"
#include "qt_instance_guard.h"
#include "qt_message_boxes.h"
#include "qt_settings_store.h"
#include "sdl_audio.h"
#include "sdl_media_control.h"
#include "sdl_sound_player.h"
#include "startup.h"
#include "startup_probe.h"
#include "system_clock.h"
#include "system_registry.h"
#include "termination_signals.h"
#include "xoshiro_random.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWindow>
#include <memory>

namespace {
// Once the first window is on the screen, the audio output is looked for in
// the background (SdlAudioDevice::open() never waits), so that the first
// sound finds it open: a sound asked for while it is still being looked for
// is dropped.
class OpenAudioOnceShown : public QObject {
public:
    explicit OpenAudioOnceShown(SdlAudioDevice& audio) : audio_(audio) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* window = qobject_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && window && window->isExposed()) {
            qApp->removeEventFilter(this);
            audio_.open();
        }
        return false;
    }

private:
    SdlAudioDevice& audio_;
};
} // namespace

int main(int argc, char* argv[]) {
    // --words, --help and --version answer on the terminal: no application
    // object, display, settings, sound or single-instance lock.
    const CommandLine::Request request = CommandLine::parse(argc, argv);
    if (request.action != CommandLine::Action::OpenWindow)
        return CommandLine::run(request, stdin, stdout, stderr);

    QApplication app(argc, argv);
    StartupProbe::installIfAsked(app);
    QApplication::setApplicationName(QStringLiteral("vorelle"));
    // The desktop matches the windows to the program's desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VORELLE_APP_ID));
    QApplication::setWindowIcon(programIcon());
    // The program ends through "Quitter" or the main window's close box, never
    // because no window happens to be shown (the main window hides while the
    // game runs).
    QApplication::setQuitOnLastWindowClosed(false);

    // Qt's own dialogs speak French ("Annuler"), whatever the system's
    // language. Numbers follow the system's regional settings: QLocale's
    // default is the system locale.
    QTranslator qtTranslation;
    if (qtTranslation.load(QStringLiteral("qtbase_fr"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslation);

    SystemClock clock;
    XoshiroRandom random;
    QtMessageBoxes boxes;
    QtSettingsStore settings(&boxes);
    const AppPaths paths = AppPaths::system();
    // The one audio output, which the sound and the music share; it outlives
    // them.
    SdlAudioDevice audio(clock);
    SdlSoundPlayer sounds(audio);
    SdlMediaControl music(audio);
    // A later copy that gets no answer from the first says so before it ends.
    auto guard = std::make_unique<QtInstanceGuard>(
        executableBaseName(), &Module2::BringProgramForward,
        [&boxes] { boxes.msgBox(QtInstanceGuard::noAnswerMessage(), MsgExclamation); });

    OpenAudioOnceShown openAudio(audio);
    app.installEventFilter(&openAudio);
    // Ending the program at once stops the sound and the music, without
    // waiting for a sound system that does not answer; the single-instance
    // lock and socket go with the guard as main() returns. A termination
    // signal (the desktop session logging out) ends it the same way.
    ProgramEnd::addShutdownHook([&audio] { audio.releaseForExit(); });
    TerminationSignals endSignals([] { ProgramEnd::endProgram(); });

    Form1 form1(ExerciseServices{clock, random, sounds, boxes, *guard, paths});
    frmSpelling spelling(settings);
    attachSpellingWindow(form1, spelling);
    frmTip tip(settings, paths);
    const FixedRegistry registry = systemRegistry();
    QtDesktopShell desktop;
    frmAbout about(registry, desktop, boxes);
    QObject::connect(&form1, &Form1::aboutRequested, &about, [&about] { about.Show(false); });
    frmGuide guide;
    Module2::WireGuide(form1, guide);
    Module2::Main(form1, tip, settings);
    // Ended before the event loop (a second copy, a signal during the tips):
    // nothing more to make or wait for.
    if (ProgramEnd::requested())
        return 0;
    // The game and its windows, once a second copy of the program has ended
    // (the game's settings folder is made here).
    ProgramWindows game(form1, about, BrikkoServices{sounds, music, clock, random, paths}, boxes);
    const int status = QApplication::exec();
    ProgramEnd::endProgram(); // the sound stopped, whatever ended the loop
    return status;
}
