// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game_window_port.h"

class Brikko;

// The game window's keyboard and game commands as plain code. frmBrikko
// forwards its key presses and menu commands here; tests call them directly,
// so scripted keys go through the same rules as the player's.
//
// While a game runs, these run nested inside the game loop's wait and only set
// the game's flags or call the piece moves, which redraw for themselves.
class GameControls {
public:
    explicit GameControls(Brikko& game) : game_(game) {}

    // Form_KeyDown with one of the program's key codes (the shift state does not count).
    // While a piece falls (Landed false, Playing true, Paused false): Left
    // and Right move it, Up and Clear turn it, Down starts the fast drop
    // (keeping the row of the first press), P pauses. Otherwise only P does
    // something: it resumes a paused game that is still running.
    void Form_KeyDown(int keyCode);

    // "&Nouveau jeu": the menus of a running game, then the whole game; returns
    // when it is over. Does nothing while a game runs (the command is
    // disabled then).
    void mnuNewGame_Click();
    // "&Pause": pauses or resumes, also between a landing and the next spawn.
    void mnuPause_Click();
    // "&Arrêter la partie": the game ends at the loop's next check (which
    // shows "Perdu !", checks the high score and hands back); the exercise
    // window is shown at once.
    void mnuEndGame_Click();

    // Form_Resize: a window restored to its normal state pauses a running
    // game; minimising or maximising does not.
    void Form_Resize(GameWindowState state);
    // Before a modal window opened from the game's menus (options,
    // instructions, about): a running game is paused and stays so when it
    // closes.
    void pauseIfPlaying();

private:
    Brikko& game_;
};
