// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_session.h"

#include "brikko.h"
#include "clock.h"
#include "game_loop.h"
#include "high_scores.h"
#include "key_codes.h"
#include "message_boxes.h"

#include <algorithm>
#include <cmath>

namespace {
// The longest the timer is armed for: the game looks at the clock at least
// this often (it may go back past midnight). Milliseconds.
constexpr double LongestWaitMs = 60'000.0;
} // namespace

GameSession::GameSession(Brikko& game, QObject* parent) : QObject(parent), game_(game) {
    timer_.setSingleShot(true);
    // A coarse timer may fire up to 5 % early or late: the game's waits are
    // kept to the millisecond.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &GameSession::onTimer);
}

void GameSession::Form_KeyDown(int keyCode) {
    Brikko& b = game_;
    if (!b.landed() && b.playing() && !b.paused()) {
        switch (keyCode) {
        case KeyLeft:
            b.MoveLeft();
            break;
        case KeyRight:
            b.MoveRight();
            break;
        case KeyUp:
        case KeyClear:
            b.RotatePiece();
            break;
        case KeyDown:
            b.startDrop();
            break;
        case KeyP:
            b.setPaused(true);
            break;
        default:
            return;
        }
    } else if (keyCode == KeyP && b.paused() && b.playing()) {
        b.setPaused(false);
    } else {
        return;
    }
    poll();
}

void GameSession::mnuNewGame_Click() {
    if (game_.playing() || ending_)
        return;
    if (GameWindowPort* window = game_.loopLinks().window)
        window->setGameMenus(GameMenuStates::playing());
    game_.NewGame();
    // The first pass comes once the events waiting have been handled.
    poll();
}

void GameSession::mnuPause_Click() {
    game_.setPaused(!game_.paused());
    poll();
}

void GameSession::mnuEndGame_Click() {
    game_.endGame();
    if (GameWindowPort* window = game_.loopLinks().window)
        window->showExerciseWindow();
    poll();
}

void GameSession::Form_Resize(GameWindowState state) {
    if (state == GameWindowState::Normal && game_.playing())
        game_.setPaused(true);
    poll();
}

void GameSession::pauseIfPlaying() {
    if (game_.playing())
        game_.setPaused(true);
    poll();
}

void GameSession::abandon() {
    timer_.stop();
    game_.abandon();
}

void GameSession::poll() {
    if (!game_.playing() && !game_.over())
        return;
    wakeTime_ = game_.clock().secondsSinceMidnight();
    timer_.start(0);
}

void GameSession::onTimer() {
    const double now = game_.clock().secondsSinceMidnight();
    const double due = game_.advance(now);
    if (game_.over()) {
        timer_.stop();
        runEndOfGame();
        return;
    }
    if (due >= Brikko::NoDeadline) {
        timer_.stop();
        return;
    }
    const double ms = std::clamp(std::ceil((due - now) * 1000.0), 0.0, LongestWaitMs);
    wakeTime_ = std::min(due, now + ms / 1000.0);
    timer_.start(int(ms));
}

void GameSession::runEndOfGame() {
    if (ending_)
        return;
    ending_ = true;
    const GameLoopLinks& links = game_.loopLinks();
    // Shown at the end of every game, also one ended with "&Arrêter la partie".
    if (links.boxes)
        links.boxes->msgBox(GameLoop::LostMessage, MsgPlain, GameLoop::MessageTitle);
    if (links.highScores && links.boxes && links.highScoreDisplay)
        links.highScores->CheckHighScore(game_.game().Score, *links.boxes, *links.highScoreDisplay);
    if (links.window) {
        links.window->setGameMenus(GameMenuStates::idle());
        links.window->hideGameWindow();
        links.window->handBackToExercise();
    }
    game_.abandon(); // the game is done with
    ending_ = false;
}
