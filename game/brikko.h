#pragma once

#include "app_paths.h"
#include "board_state.h"
#include "game_loop.h"
#include "option_flag.h"
#include "render_pics.h"
#include "render_surfaces.h"
#include "shapes.h"

#include <QImage>
#include <QString>

class Clock;
class EventPump;
class MediaControl;
class Random;
class SoundPlayer;

// The services the game talks to; the program wires the real ones, tests
// pass fakes.
struct BrikkoServices {
    SoundPlayer& sounds;
    MediaControl& media;
    Clock& clock;
    Random& random;
    EventPump& events;
    AppPaths paths;
};

// The game module Brikko: the live record and its copy, the game's flags, the
// piece operations, the drawing of the board and the sounds and music. One
// object per program; it lives as long as the program. Its members carry the
// game's own names, and the loop, the key handler and the game window read
// and write them directly, as the module's shared data.
class Brikko {
public:
    explicit Brikko(BrikkoServices services);
    Brikko(const Brikko&) = delete;
    Brikko& operator=(const Brikko&) = delete;

    BrikkoServices& services() { return services_; }

    // --- State -----------------------------------------------------------
    GameState Game; // the live record
    GameState
        PrevGame; // the record as last drawn; take `PrevGame = Game` before changing the board

    bool Landed = false;   // the falling piece came to rest; the next pass spawns
    bool Dropping = false; // the player asked for a fast drop
    bool GameOver = false; // the game is to end
    bool Paused = false;
    // The "Play Sounds" option. Once connectLoop() has been given the game
    // options, this is GameOptions::SoundOn itself, read and written there.
    OptionFlag SoundOn;

    // --- Piece operations --------------------------------------------------
    // Each is made whole or not at all; a move that does not fit is refused
    // (no wall kick). MoveDown is the gravity step: a blocked step sets
    // Landed, and it plays the tick or the landing sound. The other three
    // copy the record to PrevGame first and call DrawBoard at the end, even
    // when the piece did not move. A Piece outside 1..7, or an Orientation
    // its kind does not have, moves nothing.
    void MoveDown();
    void MoveLeft();
    void MoveRight();
    void RotatePiece();

    // The cells of the falling piece from the shape table at (PieceX, PieceY,
    // Orientation), or false when Piece/Orientation are not in the table or
    // the position is not wholly on the board.
    bool pieceCells(PieceCells& cells) const;

    // --- Pictures and drawing ------------------------------------------------
    FrmPics frmPics;                 // the tiles and previews, drawn on first use
    QImage picBoard2;                // the back buffer, 164 x 292; keeps its image
    BoardScreen* picBoard = nullptr; // the visible board; set by the game window
    PreviewView* picNext = nullptr;  // the preview of the next piece; set by the game window

    // Fills Game.TileDC with the eight tiles, Game.BoardDC with picBoard and
    // Game.BufferDC with picBoard2. Called by NewGame before any drawing.
    void TakeHandles();
    // Draws into the back buffer every cell where Game.Board differs from
    // PrevGame.Board, then copies the 160 x 288 block at (1, 1) of the buffer
    // to (0, 0) of the visible board. Handles not yet taken draw nothing.
    void DrawBoard();
    // The last step of DrawBoard alone: the buffer shown again in full.
    void RepaintBoard();
    // picNext shows the preview of `kind`; any number that is no kind shows
    // no picture.
    void ShowPreview(qint16 kind);
    void ClearPreview() { ShowPreview(0); }

    // Counters for tests and benchmarks: tiles copied into the buffer, blocks
    // copied to the screen.
    qint64 tileCopies() const { return tileCopies_; }
    qint64 screenCopies() const { return screenCopies_; }

    // --- Sounds and music ------------------------------------------------------
    // Plays a WAV file of the data folder when SoundOn is true; returns at
    // once, a new sound cuts the one still playing; failures are silent.
    void PlaySound(const QString& file);
    // The music file's path, between double quotes when the data folder's
    // name contains a space.
    QString MusicPath() const;
    // The media-control commands "open ", "play ", "close " + MusicPath().
    // They do not look at SoundOn: their callers send them only when it is true.
    void MusicOpen();
    void MusicPlay();
    void MusicClose();

    // --- The game loop (game_loop.cpp) ----------------------------------------
    // Wires the options, message boxes, high scores, game window and the
    // hand-back; binds SoundOn to the options' flag. Call before NewGame.
    void connectLoop(GameLoopLinks links);
    const GameLoopLinks& loopLinks() const { return loop_; }

    // A whole game: reset, optional filled rows, then RunGame; returns when
    // the game is over and the exercise has been handed back.
    void NewGame();
    // The passes until GameOver, then the end of the game.
    void RunGame();
    // Writes the spawn cells of Game.Piece; GameOver when one was occupied.
    void SpawnPiece();
    // After a landing: completed rows emptied and collapsed, lines, level, score.
    void ClearLines();
    // The only wait of the game: blocks in the event pump until the delay
    // has passed (or while paused), so keys and menus run inside it.
    void GameDelay(double seconds);

    double StepDelay = GameLoop::LevelZeroDelay; // seconds between gravity steps
    qint16 DropStartRow = 0;                     // PieceY when the fast drop began; 0: no drop
    double MusicStart = 0.0;                     // clock time the music was last started

private:
    // Applies a move from `from` at (PieceX, PieceY) to `to` at (x, y) when
    // it fits; returns whether it did. Tests the board limits from the
    // reference position before reading any cell.
    bool tryMove(const PieceShape& from, const PieceShape& to, qint16 x, qint16 y);
    void moveSideways(int dx);

    BrikkoServices services_;
    GameLoopLinks loop_;
    qint64 tileCopies_ = 0;
    qint64 screenCopies_ = 0;
};
