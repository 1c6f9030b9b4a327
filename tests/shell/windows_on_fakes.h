// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every window of the program, made once on fake services, for the tests that
// walk them all (accessibility, dark palette). A new window is one member here
// and one line in form().

#include "about_box.h"
#include "answer_box.h"
#include "brikko.h"
#include "exercise_window.h"
#include "fake_desktop_shell.h"
#include "fakes.h"
#include "game_options.h"
#include "game_window.h"
#include "guide_window.h"
#include "high_score_window.h"
#include "high_scores.h"
#include "instructions_window.h"
#include "options_window.h"
#include "profile_file.h"
#include "spelling_window.h"
#include "splash_window.h"
#include "tip_window.h"

#include <QTemporaryDir>

struct WindowsOnFakes {
    QTemporaryDir dir;
    FakeClock clock;
    FakeRandom random;
    FakeSoundPlayer sounds;
    FakeMessageBoxes boxes;
    FakeInstanceGuard instance;
    FakeSettingsStore settings;
    FakeDesktopShell desktop;
    FakeSystemInformation systemInformation;
    FakeMediaControl media;
    AppPaths paths{dir.path(), dir.path(), dir.path()};
    ProfileFile file{dir.filePath(GameOptions::FileName)};
    GameOptions options{file};
    HighScoreTable scores{dir.filePath(HighScoreFile::FileName)};
    Brikko game{{sounds, media, clock, random, paths}};
    ExerciseWindow form1{ExerciseServices{clock, random, sounds, boxes, instance, paths}};
    TipWindow tip{settings, paths};
    HighScoreWindow highScore;
    OptionsWindow optionsWindow{options, boxes};
    InstructionsWindow instruct;
    GameWindow gameWindow{game, {scores, highScore, optionsWindow, instruct}};
    SplashWindow splash{options, game, {}, gameWindow}; // leads to the game window
    AboutBox about{systemInformation, desktop, boxes,
                   AboutLinks{"p@v.test", "https://v.test/"}}; // links shown
    GuideWindow guide;
    SpellingWindow spelling{settings};

    static QStringList names() {
        return {"Form1",     "frmTip",    "frmAbout",    "frmHighScore", "frmOptions",
                "frmBrikko", "frmSplash", "frmInstruct", "frmGuide",     "frmSpelling"};
    }
    Form& form(const QString& name) {
        for (Form* f :
             std::initializer_list<Form*>{&form1, &tip, &about, &highScore, &optionsWindow,
                                          &gameWindow, &splash, &instruct, &guide, &spelling})
            if (f->name() == name)
                return *f;
        qFatal("no window %s", qPrintable(name));
    }
};
