// SPDX-License-Identifier: GPL-3.0-or-later
// The game loop of Brikko: a new game, its passes (spawn or gravity step,
// drawing, completed rows, score), the wait between two passes, and the end
// of the game with its hand-back to the exercise.
//
// Everything runs on the user-interface thread. The whole game runs inside the
// "&Nouveau jeu" handler; keys, menus and window events run nested inside
// GameDelay's wait (and the one yield at the start of RunGame) and talk to the
// loop only through the flags and the record.

#include "brikko.h"

#include "clock.h"
#include "event_pump.h"
#include "game_options.h"
#include "high_scores.h"
#include "message_boxes.h"
#include "random.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

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
    RunGame();
}

void Brikko::RunGame() {
    Clock& clock = services_.clock;
    // Cleared before the first yield rather than after it, so that an "end
    // game" command handled in that yield is not lost.
    GameOver = false;
    if (SoundOn) {
        MusicOpen();
        MusicPlay();
        MusicStart = clock.secondsSinceMidnight();
    }
    services_.events.doEvents();

    services_.random.reseed(clock.secondsSinceMidnight());
    Landed = true; // the first pass spawns
    Game.NextPiece = randomKind(services_.random);

    do {
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

        if (Landed) {
            ClearLines();
            showLabel(loop_.window, GameLabel::lblScore, Game.Score);
            showLabel(loop_.window, GameLabel::lblLevel, Game.Level);
            showLabel(loop_.window, GameLabel::lblLines, Game.Lines);
        }

        if (Dropping) {
            // A fast drop neither waits nor yields until the piece lands.
            if (Landed) {
                Dropping = false;
                if (DropStartRow != 0) {
                    Game.Score += Game.PieceY - DropStartRow;
                    showLabel(loop_.window, GameLabel::lblScore, Game.Score);
                    DropStartRow = 0;
                }
            }
        } else {
            GameDelay(StepDelay);
        }
    } while (!GameOver);

    Game.Playing = false;
    // The music goes with the game that opened it, whatever the sound
    // setting says now.
    StopMusic();
    if (std::exchange(abandoned_, false))
        return;
    if (loop_.boxes)
        loop_.boxes->msgBox(GameLoop::LostMessage, MsgPlain, GameLoop::MessageTitle);
    if (loop_.highScores && loop_.boxes && loop_.highScoreDisplay)
        loop_.highScores->CheckHighScore(Game.Score, *loop_.boxes, *loop_.highScoreDisplay);
    if (loop_.window) {
        loop_.window->setGameMenus(GameMenuStates::idle());
        loop_.window->hideGameWindow();
        loop_.window->handBackToExercise();
    }
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
    int numLines = 0;
    PrevGame = Game;

    // Completed rows, from the floor up, emptied at once.
    std::array<bool, BoardRows + 1> complete{}; // indexed by row 1..18
    for (int r = BoardRows; r >= 1; --r) {
        bool full = true;
        for (int c = 1; c <= BoardColumns && full; ++c)
            full = Game.Board(c, r) != 0;
        complete[std::size_t(r)] = full;
        if (full) {
            ++numLines;
            for (int c = 1; c <= BoardColumns; ++c)
                Game.Board(c, r) = 0;
        }
    }
    DrawBoard();
    GameDelay(GameLoop::ClearPause);

    if (SoundOn) {
        const QString sound = GameLoop::rowsSound(numLines);
        if (!sound.isEmpty())
            PlaySound(sound);
    }

    // Collapse: each completed row in its own step, the rows above it falling
    // one row. The row that comes in at the top is empty: row 1 is not left
    // in place, which would show a resting piece's cells twice.
    int row = BoardRows;
    while (row >= 2) {
        if (!complete[std::size_t(row)]) {
            --row;
            continue;
        }
        PrevGame = Game;
        for (int k = row; k >= 2; --k) {
            for (int c = 1; c <= BoardColumns; ++c)
                Game.Board(c, k) = Game.Board(c, k - 1);
            complete[std::size_t(k)] = complete[std::size_t(k - 1)];
        }
        for (int c = 1; c <= BoardColumns; ++c)
            Game.Board(c, 1) = 0;
        complete[1] = false;
        GameDelay(GameLoop::ClearPause);
        DrawBoard();
        // The same row again: it now holds the row that was above it.
    }

    // Level first, then the points at the new level.
    const qint32 lines = GameLoop::addCapped(Game.Lines, numLines);
    if (lines / GameLoop::LinesPerLevel > Game.Lines / GameLoop::LinesPerLevel) {
        if (SoundOn)
            PlaySound(QStringLiteral("Sound1.wav"));
        Game.Level = GameLoop::addCapped(Game.Level, 1);
        if (Game.Level <= GameLoop::FastestLevel)
            StepDelay -= GameLoop::DelayPerLevel;
    }
    Game.Lines = lines;
    Game.Score += GameLoop::rowPoints(numLines, Game.Level);
}

void Brikko::GameDelay(double seconds) {
    if (Dropping)
        return;
    Clock& clock = services_.clock;
    GameWindowPort* window = loop_.window;
    const auto windowState = [window] {
        return window ? window->windowState() : GameWindowState::Normal;
    };
    const double t0 = clock.secondsSinceMidnight();
    GameWindowState notedState = windowState();

    for (;;) {
        // Sounds switched off (in the options window, opened from inside this
        // wait): the music stops now, not at its own end.
        if (!SoundOn)
            StopMusic();
        const double now = clock.secondsSinceMidnight();
        const double elapsed = now - t0;
        // Over once not paused and the time is up, or the clock has gone back
        // past midnight.
        if (!Paused && !(now >= t0 && elapsed < seconds)) {
            if (window && window->caption() == GameLoop::PausedCaption)
                window->setCaption(GameLoop::Caption);
            return;
        }

        // The music is started again every 150 seconds, and when the clock
        // has gone back past midnight.
        if (SoundOn && (now - MusicStart >= GameLoop::MusicPeriod || now < MusicStart)) {
            MusicPlay();
            MusicStart = now;
        }

        if (GameOver || Dropping)
            return;

        if (Paused) {
            if (window && window->caption() != GameLoop::PausedCaption)
                window->setCaption(GameLoop::PausedCaption);
            // A minimised window loses the board's image: show it again.
            if (const GameWindowState state = windowState(); state != notedState) {
                RepaintBoard();
                notedState = state;
            }
        }

        // Block until the next event or the next thing due: the end of the
        // delay, the music's next start, or (paused) a periodic wake-up.
        double timeout = Paused ? GameLoop::PausedWakeUp : seconds - elapsed;
        if (SoundOn)
            timeout = std::min(timeout, MusicStart + GameLoop::MusicPeriod - now);
        services_.events.waitForEvents(std::max(timeout, GameLoop::ShortestWait));
    }
}
