// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game_window_port.h"

#include <QString>
#include <QtGlobal>

class GameOptions;
class HighScoreDisplay;
class HighScoreTable;
class MessageBoxes;

// What the game loop needs beyond the core services of the game module. The
// program wires it once, before the first game; tests pass fakes. Every
// pointer may stay null: what it stands for is then simply not there (no
// options: level 0, no filled rows, no sounds; no window: nothing shown).
struct GameLoopLinks {
    GameOptions* options = nullptr;               // StartingLevel, FillLines, SoundOn
    MessageBoxes* boxes = nullptr;                // "Perdu !" and the name dialog
    HighScoreTable* highScores = nullptr;         // checked at the end of each game
    HighScoreDisplay* highScoreDisplay = nullptr; // frmHighScore
    GameWindowPort* window = nullptr;             // frmBrikko, also the hand-back
};

// The game loop's rules and texts.
namespace GameLoop {

inline constexpr double LevelZeroDelay = 0.5;   // seconds between gravity steps at level 0
inline constexpr double DelayPerLevel = 0.0472; // taken off at each level up to FastestLevel
inline constexpr qint32 FastestLevel = 9;       // the wait stops shrinking here: 0.0752 s
inline constexpr double ClearPause = 0.1;       // after completed rows empty, and each collapse
inline constexpr int LinesPerLevel = 10;
inline constexpr double MusicPeriod = 150.0; // the music is started again this often
inline constexpr int FirstFilledRow = 10;    // NewGame may fill rows 10 to 18
inline constexpr int FillDraw = 30;          // a cell fills when a draw of 0..29 <= level
// While paused, the wait still looks at the clock this often.
inline constexpr double PausedWakeUp = 60.0;

inline const QString Caption = QStringLiteral("Brikko32");
inline const QString PausedCaption = QStringLiteral("Brikko32 - Paused");
inline const QString LostMessage = QStringLiteral("Perdu !");
inline const QString MessageTitle = QStringLiteral("Brikko32");

// The starting level as the game uses it: 0 for a value that is no number,
// else held within 0 to 9 (the options never hold anything else). Decimals
// stay: they count in the first wait and in the density of filled rows.
double usableStartingLevel(double typed);
// The level of a new game: the nearest whole number, halves to even.
qint32 levelOf(double startingLevel);
// The first wait of a game: 0.5 - startingLevel x 0.0472 seconds.
double firstStepDelay(double startingLevel);
// Points for rows completed by one landing at a level (taken after any level
// up): 50, 150, 500, 1000 for 1 to 4 rows, each times (level + 1); 0 for any
// other count. Exact for every level a game can reach.
qint64 rowPoints(int rows, qint64 level);
// a + b held within 0 .. 2^31 - 1: the line and level counters never wrap.
qint32 addCapped(qint32 a, qint64 b);
// The sound of rows completed at once: "Sound4.wav" to "Sound7.wav" for 1 to
// 4 rows; empty for other counts.
QString rowsSound(int rows);

} // namespace GameLoop
