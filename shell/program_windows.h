// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "brikko.h"
#include "game_options.h"
#include "game_window.h"
#include "high_score_window.h"
#include "high_scores.h"
#include "instructions_window.h"
#include "options_window.h"
#include "profile_file.h"
#include "splash_window.h"

#include <QObject>

class ExerciseWindow;
class MessageBoxes;

// The game module with its windows, and the links between them and the
// exercise window: a reward opens the splash, which leads to the game window
// (the exercise window hides itself); the end of a game hands back to the
// exercise; "&Quitter" of the game window ends the program. One object per
// program, made after the exercise window and living as long as it.
class ProgramWindows : public QObject {
    Q_OBJECT
public:
    // `about` is the program's one about box, shown modally from the game.
    ProgramWindows(ExerciseWindow& form1, Form& about, BrikkoServices services, MessageBoxes& boxes,
                   QObject* parent = nullptr);
    ~ProgramWindows() override;

    HighScoreTable& highScores() { return highScores_; }
    SplashWindow& splash() { return splash_; }
    GameWindow& gameWindow() { return gameWindow_; }
    HighScoreWindow& highScoreWindow() { return highScoreWindow_; }

    // The reward: the splash, then the game window.
    void openGame() { splash_.open(); }

private:
    ExerciseWindow& form1_;
    ProfileFile optionsFile_;
    GameOptions options_;
    HighScoreTable highScores_;
    Brikko game_;
    HighScoreWindow highScoreWindow_;
    InstructionsWindow instruct_;
    OptionsWindow optionsWindow_;
    GameWindow gameWindow_;
    SplashWindow splash_;
};
