// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_controls.h"

#include "brikko.h"
#include "key_codes.h"

void GameControls::Form_KeyDown(int keyCode) {
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
            break;
        }
    } else if (keyCode == KeyP && b.paused() && b.playing()) {
        b.setPaused(false);
    }
}

void GameControls::mnuNewGame_Click() {
    if (game_.playing())
        return;
    if (GameWindowPort* window = game_.loopLinks().window)
        window->setGameMenus(GameMenuStates::playing());
    game_.NewGame();
}

void GameControls::mnuPause_Click() {
    game_.setPaused(!game_.paused());
}

void GameControls::mnuEndGame_Click() {
    game_.endGame();
    if (GameWindowPort* window = game_.loopLinks().window)
        window->showExerciseWindow();
}

void GameControls::Form_Resize(GameWindowState state) {
    if (state == GameWindowState::Normal && game_.playing())
        game_.setPaused(true);
}

void GameControls::pauseIfPlaying() {
    if (game_.playing())
        game_.setPaused(true);
}
