// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app_paths.h"
#include "board_state.h"
#include "game_loop.h"
#include "option_flag.h"
#include "shapes.h"

#include <QString>

class BoardDrawing;
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
// piece operations, the game loop, the sounds and the music. One object per
// program; it lives as long as the program. Its state is its own: the game
// window (through GameControls) and the tests act through the commands below
// and read through the const accessors. It draws through a BoardDrawing and
// holds no picture or window of its own.
class Brikko {
public:
    explicit Brikko(BrikkoServices services);
    Brikko(const Brikko&) = delete;
    Brikko& operator=(const Brikko&) = delete;

    // --- Wiring --------------------------------------------------------------
    // Wires the options, message boxes, high scores, game window and the
    // hand-back; binds SoundOn to the options' flag. Call before NewGame.
    void connectLoop(GameLoopLinks links);
    const GameLoopLinks& loopLinks() const { return loop_; }
    // Where the board and the preview are drawn; null draws nothing.
    void setDrawing(BoardDrawing* drawing) { drawing_ = drawing; }

    // --- Reading -------------------------------------------------------------
    const GameState& game() const { return Game; }         // the live record
    const GameState& prevGame() const { return PrevGame; } // the record as last drawn
    bool playing() const { return Game.Playing; }
    bool landed() const { return Landed; }     // the piece came to rest; the next pass spawns
    bool dropping() const { return Dropping; } // a fast drop is under way
    bool gameOver() const { return GameOver; } // the game is to end
    bool paused() const { return Paused; }
    bool soundOn() const { return SoundOn; }
    qint16 dropStartRow() const { return DropStartRow; } // 0: no drop under way
    double stepDelay() const { return StepDelay; }       // seconds between gravity steps
    // Whether the music was opened or played and not closed since.
    bool musicOpen() const { return musicOpen_; }
    // The cells of the falling piece from the shape table at (PieceX, PieceY,
    // Orientation), or false when Piece/Orientation are not in the table or
    // the position is not wholly on the board.
    bool pieceCells(PieceCells& cells) const;
    // The music file's path in the data folder.
    QString MusicPath() const;

    // --- Game commands ---------------------------------------------------------
    // A whole game: reset, optional filled rows, then the passes until the
    // game is over, then its end ("Perdu !", high score, menus, hand-back).
    // Returns when the exercise has been handed back.
    void NewGame();

    // The piece operations. Each is made whole or not at all; a move that
    // does not fit is refused (no wall kick). MoveDown is the gravity step
    // the loop makes: a blocked step sets Landed, and it plays the tick or
    // the landing sound. The other three copy the record to PrevGame first
    // and draw the board at the end, even when the piece did not move. A
    // Piece outside 1..7, or an Orientation its kind does not have, moves
    // nothing.
    void MoveDown();
    void MoveLeft();
    void MoveRight();
    void RotatePiece();

    // The fast drop starts (the Down key); the row it counts from is that of
    // the first call until the piece lands.
    void startDrop();
    void setPaused(bool paused);
    // The game ends at the loop's next check.
    void endGame() { GameOver = true; }
    // The program ends: a game under way stops at the loop's next check,
    // without its end ("Perdu !", the high score, the hand-back).
    void abandon();
    // The "Play Sounds" option, as the options window sets it (the options'
    // own flag once connectLoop() has bound it).
    void setSoundOn(bool on) { SoundOn = on; }

    // Puts a position on the board at once, as if play had led there: the
    // record is copied to PrevGame, the board, the falling piece and the
    // counters are replaced, the changed cells are drawn, and the piece is
    // falling (Landed false). Playing, the score and the other flags stay.
    // During a game, a position without a piece belongs in the yield before
    // the first spawn, which follows it. For tests, benchmarks and
    // demonstrations.
    void loadPosition(const GamePosition& position);

    // The last step of the board's drawing alone: the buffer shown again in
    // full (the window became active again, or was restored while paused).
    void RepaintBoard();

    // Plays a WAV file of the data folder when SoundOn is true; returns at
    // once, a new sound cuts the one still playing; failures are silent.
    void PlaySound(const QString& file);
    // Closes the music when this game opened it and it is still open; else
    // nothing. The game window calls it as it unloads.
    void StopMusic();

private:
    // The game loop (game_loop.cpp).
    void RunGame();
    void SpawnPiece();
    void ClearLines();
    void GameDelay(double seconds);
    // The cells where Game.Board differs from PrevGame.Board, then the board
    // shown.
    void DrawBoard();
    void ShowPreview(qint16 kind);

    // The music's open, play and close, on MusicPath() (game_sounds.cpp, with
    // PlaySound and StopMusic). They do not look at SoundOn: their callers
    // call them only when it is true.
    void MusicOpen();
    void MusicPlay();
    void MusicClose();

    // Applies a move from `from` at (PieceX, PieceY) to `to` at (x, y) when
    // it fits; returns whether it did. Tests the board limits from the
    // reference position before reading any cell.
    bool tryMove(const PieceShape& from, const PieceShape& to, qint16 x, qint16 y);
    void moveSideways(int dx);

    GameState Game;     // the live record
    GameState PrevGame; // the record as last drawn; `PrevGame = Game` before changing the board
    bool Landed = false;
    bool Dropping = false;
    bool GameOver = false;
    bool Paused = false;
    // The "Play Sounds" option. Once connectLoop() has been given the game
    // options, this is GameOptions::SoundOn itself, read and written there.
    OptionFlag SoundOn;
    double StepDelay = GameLoop::LevelZeroDelay;
    qint16 DropStartRow = 0; // PieceY when the fast drop began; 0: no drop
    double MusicStart = 0.0; // clock time the music was last started
    bool musicOpen_ = false;
    bool abandoned_ = false;

    BrikkoServices services_;
    GameLoopLinks loop_;
    BoardDrawing* drawing_ = nullptr;
};
