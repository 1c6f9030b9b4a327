// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app_paths.h"
#include "board_state.h"
#include "game_loop.h"
#include "option_flag.h"
#include "shapes.h"

#include <QString>
#include <array>

class BoardDrawing;
class Clock;
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
    AppPaths paths;
};

// The game module Brikko: the live record and its copy, the game's flags, the
// piece operations, the game loop, the sounds and the music. One object per
// program; it lives as long as the program. Its state is its own: the game
// window (through GameSession) and the tests act through the commands below
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

    // --- The game's course ------------------------------------------------------
    // The game advances only through NewGame(), advance() and the commands;
    // it never waits, pumps events or opens a window. Whoever drives it (the
    // game window's GameSession, tests, benchmarks) calls advance() at the
    // time it last returned, or after any command.

    // A new game: reset, optional filled rows (drawn cell by cell), the music
    // started; the first pass is due at once, once the caller has let the
    // events waiting be handled.
    void NewGame();
    // Runs what is due at `now` (seconds since midnight): passes, the pauses
    // of completed rows, the end of a wait, the music's keep-alive. Returns
    // the clock time at which something is next due, NoDeadline when only a
    // command can move the game on (no game, the game over, paused with the
    // music off). A fast drop runs to its landing within one call, each step
    // drawn. The end of a wait is measured from the end of the pass's work.
    double advance(double now);
    static constexpr double NoDeadline = 1e300;
    // The game has come to its end (Playing is false, the music closed); what
    // follows ("Perdu !", the high score, the hand-back) is the caller's.
    // Stays true until the next NewGame().
    bool over() const { return stage_ == Stage::Over; }
    // The clock the game reads.
    const Clock& clock() const { return services_.clock; }

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
    // The program ends: a game under way stops now, its music closed, without
    // its end ("Perdu !", the high score, the hand-back).
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
    // The game loop (game_loop.cpp). A game is a series of steps, each
    // followed by a wait: Stage says whether a game runs and whether it is
    // waiting; After, what comes once the wait is over.
    enum class Stage { Idle, Running, Waiting, Over };
    enum class After { FirstPass, Pass, RowSound, Collapse };
    void firstPass();
    void pass();
    void endOfPass();
    void SpawnPiece();
    void ClearLines();
    void rowSound();
    void collapse();
    void finishGame();
    // GameDelay: the wait of `seconds` from now, then `next`; none during a
    // fast drop.
    void GameDelay(double seconds, After next);
    // Whether the wait is over at `now`; meanwhile the paused caption, the
    // board shown again after a change of the window's state, the music's
    // keep-alive.
    bool waitOver(double now);
    double nextDeadline(double now) const;
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
    Stage stage_ = Stage::Idle;
    After after_ = After::FirstPass;
    double waitStart_ = 0.0, waitSeconds_ = 0.0; // the wait under way
    GameWindowState notedState_ = GameWindowState::Normal;
    // ClearLines' completed rows (indexed 1..18), their count, and the row the
    // collapse has come to.
    std::array<bool, BoardRows + 1> complete_{};
    int numLines_ = 0;
    int collapseRow_ = 0;

    BrikkoServices services_;
    GameLoopLinks loop_;
    BoardDrawing* drawing_ = nullptr;
};
