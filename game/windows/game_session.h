// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game_window_port.h"

#include <QObject>
#include <QTimer>

class Brikko;

// A game on the one event loop: the game window's keys and game commands,
// and the timer that moves the game on. frmBrikko forwards its key presses
// and menu commands here; tests call them directly, so scripted keys go
// through the same rules as the player's.
//
// The session owns one single-shot, precise timer. Each time it fires the
// game runs what is due (Brikko::advance) and the timer is armed again for
// the game's next deadline, so a waiting game costs nothing but that one
// timer. A command acts at once (a move is drawn before the key's handler
// returns) and arms the timer to fire as soon as the events waiting have
// been handled, so the game notices it then, as it would in its wait. When the game has come to
// its end, the session runs what follows: "Perdu !", the high-score check,
// the menus of no game, the game window hidden and the exercise handed back.
class GameSession : public QObject {
    Q_OBJECT
public:
    explicit GameSession(Brikko& game, QObject* parent = nullptr);

    // Form_KeyDown with one of the program's key codes (the shift state does
    // not count). While a piece falls (Landed false, Playing true, Paused
    // false): Left and Right move it, Up and Clear turn it, Down starts the
    // fast drop (keeping the row of the first press), P pauses. Otherwise
    // only P does something: it resumes a paused game that is still running.
    void Form_KeyDown(int keyCode);

    // "&Nouveau jeu": the menus of a running game, then a new game, whose
    // first pass comes once the events waiting have been handled. Does
    // nothing while a game runs (the command is disabled then).
    void mnuNewGame_Click();
    // "&Pause": pauses or resumes, also between a landing and the next spawn.
    void mnuPause_Click();
    // "&Arrêter la partie": the game ends at its next check (then "Perdu !",
    // the high score, the hand-back); the exercise window is shown at once.
    void mnuEndGame_Click();

    // Form_Resize: a window restored to its normal state pauses a running
    // game; minimising or maximising does not. Paused, a change of the
    // window's state shows the board again.
    void Form_Resize(GameWindowState state);
    // Before a modal window opened from the game's menus (options,
    // instructions, about): a running game is paused and stays so when it
    // closes.
    void pauseIfPlaying();
    // The program ends: a game under way stops now, without its end.
    void abandon();

    // What the timer does when it fires: the game runs what is due, then the
    // timer is armed again (or the game's end is run).
    void onTimer();
    // Whether the timer is armed, and the clock time (seconds since
    // midnight) at which it is to fire: the game's next deadline, or sooner
    // when that is more than a minute away.
    bool isArmed() const { return timer_.isActive(); }
    double wakeTime() const { return wakeTime_; }
    const QTimer& timer() const { return timer_; }

    // The game is to look at its state again as soon as the events waiting
    // have been handled (each command asks for it; so does the game window
    // when a modal window opened from its menus closes), as a game waiting
    // did after every event.
    void poll();

private:
    void runEndOfGame();

    Brikko& game_;
    QTimer timer_;
    double wakeTime_ = 0.0;
    bool ending_ = false; // the game's end is being run
};
