// SPDX-License-Identifier: GPL-3.0-or-later
// The game loop of Brikko as a state machine: a new game, its passes (spawn
// or gravity step, drawing, completed rows, score), the waits between them,
// and the game's end. advance() runs what is due and says when it is next
// due; nothing here waits, pumps events or opens a window. The game window's
// GameSession drives it from a timer on the one event loop, and runs what
// follows the end ("Perdu !", high score, hand-back); keys and menus between
// two calls talk to it through the flags and the record.

#include "brikko.h"

#include "clock.h"
#include "game_options.h"
#include "random.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

// --- Rules ---------------------------------------------------------------------

namespace GameLoop {

double usableStartingLevel(double typed) {
    if (!std::isfinite(typed))
        return 0.0;
    return std::clamp(typed, 0.0, double(FastestLevel));
}

qint32 levelOf(double startingLevel) {
    // The default rounding mode rounds to nearest with halves to even.
    return qint32(std::nearbyint(usableStartingLevel(startingLevel)));
}

double firstStepDelay(double startingLevel) {
    return LevelZeroDelay - startingLevel * DelayPerLevel;
}

qint64 rowPoints(int rows, qint64 level) {
    static constexpr std::array<qint64, 5> points{0, 50, 150, 500, 1000};
    if (rows < 1 || rows > 4)
        return 0;
    return points[std::size_t(rows)] * (level + 1);
}

qint32 addCapped(qint32 a, qint64 b) {
    constexpr qint64 top = std::numeric_limits<qint32>::max();
    return qint32(std::clamp<qint64>(qint64(a) + b, 0, top));
}

QString rowsSound(int rows) {
    if (rows < 1 || rows > 4)
        return QString();
    return QStringLiteral("Sound%1.wav").arg(rows + 3);
}

} // namespace GameLoop

// --- The loop ------------------------------------------------------------------

namespace {

// A kind from 1 to 7, each with the same chance.
qint16 randomKind(Random& random) {
    const int kind = int(random.next() * PieceKindCount) + 1;
    return qint16(std::clamp(kind, 1, PieceKindCount));
}

void showLabel(GameWindowPort* window, GameLabel label, qint64 value) {
    if (window)
        window->setLabel(label, QString::number(value));
}

} // namespace

void Brikko::connectLoop(GameLoopLinks links) {
    loop_ = std::move(links);
    SoundOn.bind(loop_.options ? &loop_.options->SoundOn : nullptr);
}

void Brikko::NewGame() {
    Clock& clock = services_.clock;
    services_.random.reseed(clock.secondsSinceMidnight());
    PrevGame = Game;
    Game.Board.clear();

    // StartingLevel counts as 0 while it has no value. The level played is
    // its nearest whole number; the first wait and the density of the filled
    // rows use the value as typed.
    const double startingLevel =
        GameLoop::usableStartingLevel(loop_.options ? loop_.options->startingLevel() : 0.0);
    Game.Lines = 0;
    Game.Piece = 0;
    Game.NextPiece = 0;
    Game.Score = 0;
    Game.Level = GameLoop::levelOf(startingLevel);
    Game.PieceX = 0;
    Game.PieceY = 0;
    Game.Orientation = 0;
    Game.Playing = true;
    Dropping = false;
    Paused = false;

    // The level label shows the level played, as every landing does after:
    // the setting's own text for every whole level, "0" rather than an empty
    // label when it has no value, "2" rather than "2.5" for a typed 2.5.
    showLabel(loop_.window, GameLabel::lblScore, 0);
    showLabel(loop_.window, GameLabel::lblLines, 0);
    showLabel(loop_.window, GameLabel::lblLevel, Game.Level);

    StepDelay = GameLoop::firstStepDelay(startingLevel);
    DropStartRow = 0;

    if (loop_.options && loop_.options->FillLines) {
        // Column by column, rows 10 to 18 from the top: each cell fills with
        // chance (level + 1) / 30 and appears at once.
        for (int c = 1; c <= BoardColumns; ++c) {
            for (int r = GameLoop::FirstFilledRow; r <= BoardRows; ++r) {
                const int draw = int(services_.random.next() * GameLoop::FillDraw);
                if (draw <= startingLevel) {
                    Game.Board(c, r) = randomKind(services_.random);
                    DrawBoard();
                    PrevGame = Game;
                }
            }
        }
    }
    DrawBoard();
    PrevGame = Game;

    // Cleared before the events waiting are handled rather than after, so
    // that an "end game" command handled then is not lost.
    GameOver = false;
    if (SoundOn) {
        MusicOpen();
        MusicPlay();
        MusicStart = clock.secondsSinceMidnight();
    }
    stage_ = Stage::Running;
    after_ = After::FirstPass;
}

double Brikko::advance(double now) {
    for (;;) {
        switch (stage_) {
        case Stage::Idle:
        case Stage::Over:
            return NoDeadline;
        case Stage::Waiting:
            if (!waitOver(now))
                return nextDeadline(now);
            stage_ = Stage::Running;
            break;
        case Stage::Running:
            break;
        }
        switch (after_) {
        case After::FirstPass:
            firstPass();
            break;
        case After::Pass:
            if (GameOver)
                finishGame();
            else
                pass();
            break;
        case After::RowSound:
            rowSound();
            break;
        case After::Collapse:
            DrawBoard();
            // The same row again: it now holds the row that was above it.
            collapse();
            break;
        }
        now = services_.clock.secondsSinceMidnight();
    }
}

void Brikko::abandon() {
    if (stage_ == Stage::Idle)
        return;
    Game.Playing = false;
    StopMusic();
    stage_ = Stage::Idle;
}

void Brikko::firstPass() {
    services_.random.reseed(services_.clock.secondsSinceMidnight());
    Landed = true; // the first pass spawns
    Game.NextPiece = randomKind(services_.random);
    pass();
}

void Brikko::pass() {
    PrevGame = Game;
    if (Landed) {
        Game.Piece = Game.NextPiece;
        Game.NextPiece = randomKind(services_.random);
        Game.PieceX = SpawnColumn;
        Game.Orientation = SpawnOrientation;
        Game.PieceY = spawnRow(Game.Piece);
        SpawnPiece();
        ShowPreview(Game.NextPiece);
        Landed = false;
    } else {
        MoveDown();
    }
    DrawBoard();
    if (Landed)
        ClearLines(); // then endOfPass(), once the rows are gone
    else
        endOfPass();
}

void Brikko::endOfPass() {
    if (Landed) {
        showLabel(loop_.window, GameLabel::lblScore, Game.Score);
        showLabel(loop_.window, GameLabel::lblLevel, Game.Level);
        showLabel(loop_.window, GameLabel::lblLines, Game.Lines);
    }
    if (Dropping) {
        // A fast drop neither waits nor lets events in until the piece lands.
        if (Landed) {
            Dropping = false;
            if (DropStartRow != 0) {
                Game.Score += Game.PieceY - DropStartRow;
                showLabel(loop_.window, GameLabel::lblScore, Game.Score);
                DropStartRow = 0;
            }
        }
        stage_ = Stage::Running;
        after_ = After::Pass;
    } else {
        GameDelay(StepDelay, After::Pass);
    }
}

void Brikko::finishGame() {
    Game.Playing = false;
    // The music goes with the game that opened it, whatever the sound
    // setting says now.
    StopMusic();
    stage_ = Stage::Over;
}

void Brikko::SpawnPiece() {
    const std::optional<PieceCells> cells = spawnCells(Game.Piece);
    if (!cells)
        return;
    // The piece is written over whatever is there; an occupied cell ends the
    // game after this pass.
    for (const BoardCell c : *cells) {
        qint16& cell = Game.Board(c.column, c.row);
        if (cell != 0)
            GameOver = true;
        cell = Game.Piece;
    }
}

void Brikko::ClearLines() {
    numLines_ = 0;
    PrevGame = Game;

    // Completed rows, from the floor up, emptied at once.
    complete_ = {};
    for (int r = BoardRows; r >= 1; --r) {
        bool full = true;
        for (int c = 1; c <= BoardColumns && full; ++c)
            full = Game.Board(c, r) != 0;
        complete_[std::size_t(r)] = full;
        if (full) {
            ++numLines_;
            for (int c = 1; c <= BoardColumns; ++c)
                Game.Board(c, r) = 0;
        }
    }
    DrawBoard();
    GameDelay(GameLoop::ClearPause, After::RowSound);
}

void Brikko::rowSound() {
    if (SoundOn) {
        const QString sound = GameLoop::rowsSound(numLines_);
        if (!sound.isEmpty())
            PlaySound(sound);
    }
    collapseRow_ = BoardRows;
    collapse();
}

void Brikko::collapse() {
    // Each completed row in its own step, the rows above it falling one row,
    // then drawn after a pause. The row that comes in at the top is empty:
    // row 1 is not left in place, which would show a resting piece's cells
    // twice.
    while (collapseRow_ >= 2) {
        const int row = collapseRow_;
        if (!complete_[std::size_t(row)]) {
            --collapseRow_;
            continue;
        }
        PrevGame = Game;
        for (int k = row; k >= 2; --k) {
            for (int c = 1; c <= BoardColumns; ++c)
                Game.Board(c, k) = Game.Board(c, k - 1);
            complete_[std::size_t(k)] = complete_[std::size_t(k - 1)];
        }
        for (int c = 1; c <= BoardColumns; ++c)
            Game.Board(c, 1) = 0;
        complete_[1] = false;
        GameDelay(GameLoop::ClearPause, After::Collapse);
        return;
    }

    // Level first, then the points at the new level.
    const qint32 lines = GameLoop::addCapped(Game.Lines, numLines_);
    if (lines / GameLoop::LinesPerLevel > Game.Lines / GameLoop::LinesPerLevel) {
        if (SoundOn)
            PlaySound(QStringLiteral("Sound1.wav"));
        Game.Level = GameLoop::addCapped(Game.Level, 1);
        if (Game.Level <= GameLoop::FastestLevel)
            StepDelay -= GameLoop::DelayPerLevel;
    }
    Game.Lines = lines;
    Game.Score += GameLoop::rowPoints(numLines_, Game.Level);
    endOfPass();
}

void Brikko::GameDelay(double seconds, After next) {
    after_ = next;
    if (Dropping) {
        stage_ = Stage::Running;
        return;
    }
    waitStart_ = services_.clock.secondsSinceMidnight();
    waitSeconds_ = seconds;
    notedState_ = loop_.window ? loop_.window->windowState() : GameWindowState::Normal;
    stage_ = Stage::Waiting;
}

bool Brikko::waitOver(double now) {
    GameWindowPort* window = loop_.window;
    // Sounds switched off (in the options window, opened during the wait):
    // the music stops now, not at its own end.
    if (!SoundOn)
        StopMusic();
    // Over once not paused and the time is up, or the clock has gone back
    // past midnight.
    if (!Paused && !(now >= waitStart_ && now < waitStart_ + waitSeconds_)) {
        if (window && window->caption() == GameLoop::PausedCaption)
            window->setCaption(GameLoop::Caption);
        return true;
    }
    // The music is started again every 150 seconds, and when the clock has
    // gone back past midnight.
    if (SoundOn && (now - MusicStart >= GameLoop::MusicPeriod || now < MusicStart)) {
        MusicPlay();
        MusicStart = now;
    }
    if (GameOver || Dropping)
        return true;
    if (Paused) {
        if (window && window->caption() != GameLoop::PausedCaption)
            window->setCaption(GameLoop::PausedCaption);
        // A minimised window loses the board's image: show it again.
        const GameWindowState state = window ? window->windowState() : GameWindowState::Normal;
        if (state != notedState_) {
            RepaintBoard();
            notedState_ = state;
        }
    }
    return false;
}

double Brikko::nextDeadline(double now) const {
    // The end of the wait, the music's next start, and, paused, a periodic
    // look at the clock (it may go back past midnight).
    double due = Paused ? now + GameLoop::PausedWakeUp : waitStart_ + waitSeconds_;
    if (SoundOn)
        due = std::min(due, MusicStart + GameLoop::MusicPeriod);
    return due;
}
