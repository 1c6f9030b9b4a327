#include "game_controls.h"

#include "brikko.h"
#include "units.h"

void GameControls::Form_KeyDown(int keyCode) {
    Brikko& b = game_;
    if (!b.Landed && b.Game.Playing && !b.Paused) {
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
            b.Dropping = true;
            if (b.DropStartRow == 0)
                b.DropStartRow = b.Game.PieceY;
            break;
        case KeyP:
            b.Paused = true;
            break;
        default:
            break;
        }
    } else if (keyCode == KeyP && b.Paused && b.Game.Playing) {
        b.Paused = false;
    }
}

void GameControls::mnuNewGame_Click() {
    if (game_.Game.Playing)
        return;
    if (GameWindowPort* window = game_.loopLinks().window)
        window->setGameMenus(GameMenuStates::playing());
    game_.NewGame();
}

void GameControls::mnuPause_Click() {
    game_.Paused = !game_.Paused;
}

void GameControls::mnuEndGame_Click() {
    game_.GameOver = true;
    if (GameWindowPort* window = game_.loopLinks().window)
        window->showExerciseWindow();
}

void GameControls::Form_Resize(GameWindowState state) {
    if (state == GameWindowState::Normal && game_.Game.Playing)
        game_.Paused = true;
}

void GameControls::pauseIfPlaying() {
    if (game_.Game.Playing)
        game_.Paused = true;
}
