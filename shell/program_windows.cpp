// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_windows.h"

#include "exercise_window.h"

#include <QCoreApplication>
#include <QWidget>

ProgramWindows::ProgramWindows(ExerciseWindow& form1, Form& about, BrikkoServices services,
                               MessageBoxes& boxes, QObject* parent)
    : QObject(parent), form1_(form1),
      optionsFile_(services.paths.configFile(GameOptions::FileName)),
      options_(optionsFile_, &boxes),
      highScores_(services.paths.userDataFile(HighScoreFile::FileName)), game_(services),
      // The game window is made just after; the options window reads its
      // frame only when loaded.
      optionsWindow_(options_, boxes, &gameWindow_),
      gameWindow_(game_, {highScores_, highScoreWindow_, optionsWindow_, instruct_}),
      splash_(options_, game_, {&highScoreWindow_, &about, &instruct_}, gameWindow_) {
    game_.connectLoop({&options_, &boxes, &highScores_, &highScoreWindow_, &gameWindow_});
    connect(&gameWindow_, &GameWindow::gameHandedBack, &form1_, &ExerciseWindow::resetAfterGame);
    connect(&gameWindow_, &GameWindow::exerciseWindowRequested, &form1_,
            [this] { form1_.show(false); });
    // A running game is already paused; the box holds the game until it closes.
    connect(&gameWindow_, &GameWindow::aboutRequested, &about, [&about] { about.show(true); });
    connect(&form1_, &ExerciseWindow::rewardRequested, this, &ProgramWindows::openGame);
    // The program ends (a termination signal, the main window's "&Quitter"):
    // a game under way stops without its end, and its music is closed.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        gameWindow_.session().abandon();
        game_.stopMusic();
    });
}

ProgramWindows::~ProgramWindows() = default;
