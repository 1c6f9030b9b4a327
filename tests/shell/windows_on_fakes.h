// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every window of the program, made once on fake services, for the tests that
// walk them all (accessibility, dark palette). A new window is one member here
// and one line in form().

#include "answer_box.h"
#include "brikko.h"
#include "fake_desktop_shell.h"
#include "fakes.h"
#include "form1.h"
#include "frm_about.h"
#include "frm_brikko.h"
#include "frm_guide.h"
#include "frm_high_score.h"
#include "frm_instruct.h"
#include "frm_options.h"
#include "frm_spelling.h"
#include "frm_splash.h"
#include "frm_tip.h"
#include "game_options.h"
#include "high_scores.h"
#include "profile_file.h"
#include "system_registry.h"

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
    FixedRegistry registry;
    FakeMediaControl media;
    AppPaths paths{dir.path(), dir.path(), dir.path()};
    ProfileFile file{dir.filePath(GameOptions::FileName)};
    GameOptions options{file};
    HighScoreTable scores{dir.filePath(HighScoreFile::FileName)};
    Brikko game{{sounds, media, clock, random, paths}};
    Form1 form1{ExerciseServices{clock, random, sounds, boxes, instance, paths}};
    frmTip tip{settings, paths};
    frmHighScore highScore;
    frmOptions optionsWindow{options, boxes};
    frmInstruct instruct;
    frmBrikko gameWindow{game, {scores, highScore, optionsWindow, instruct}};
    frmSplash splash{options, game, {}, gameWindow}; // leads to the game window
    frmAbout about{registry, desktop, boxes,
                   AboutLinks{"p@v.test", "https://v.test/"}}; // links shown
    frmGuide guide;
    frmSpelling spelling{settings};

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
