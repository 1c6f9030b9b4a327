// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "brikko.h"
#include "frm_brikko.h"
#include "frm_high_score.h"
#include "frm_instruct.h"
#include "frm_options.h"
#include "frm_splash.h"
#include "game_options.h"
#include "high_scores.h"
#include "profile_file.h"

#include <QObject>

class Form1;
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
    ProgramWindows(Form1& form1, Form& about, BrikkoServices services, MessageBoxes& boxes,
                   QObject* parent = nullptr);
    ~ProgramWindows() override;

    HighScoreTable& highScores() { return highScores_; }
    frmSplash& splash() { return splash_; }
    frmBrikko& gameWindow() { return gameWindow_; }
    frmHighScore& highScoreWindow() { return highScoreWindow_; }

    // The reward: the splash, then the game window.
    void openGame() { splash_.Open(); }

private:
    Form1& form1_;
    ProfileFile optionsFile_;
    GameOptions options_;
    HighScoreTable highScores_;
    Brikko game_;
    frmHighScore highScoreWindow_;
    frmInstruct instruct_;
    frmOptions optionsWindow_;
    frmBrikko gameWindow_;
    frmSplash splash_;
};
