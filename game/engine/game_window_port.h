// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the game loop and the game's commands do to the game window frmBrikko
// and, through it, to the exercise window. The window implements it; tests
// drive the loop with a fake.

enum class GameWindowState { Normal, Minimized, Maximized };

// The value labels of the game window.
enum class GameLabel { lblScore, lblLines, lblLevel };

// The enabled states of the four game menu items that change with a game.
struct GameMenuStates {
    bool mnuNewGame = true;
    bool mnuPause = false;
    bool mnuEndGame = false;
    bool mnuHighScore = true;

    // No game: as the window is loaded, and as the end of a game leaves it.
    static constexpr GameMenuStates idle() { return {true, false, false, true}; }
    // While a game runs.
    static constexpr GameMenuStates playing() { return {false, true, true, false}; }

    friend constexpr bool operator==(const GameMenuStates&, const GameMenuStates&) = default;
};

class GameWindowPort {
public:
    virtual ~GameWindowPort() = default;

    virtual void setGameMenus(const GameMenuStates& states) = 0;
    virtual QString caption() const = 0;
    virtual void setCaption(const QString& caption) = 0;
    // Normal, minimised or maximised, as the window system has it now.
    virtual GameWindowState windowState() const = 0;
    virtual void setLabel(GameLabel label, const QString& text) = 0;
    // Hides the game window; it stays loaded.
    virtual void hideGameWindow() = 0;
    // Shows the exercise window Form1, not modal.
    virtual void showExerciseWindow() = 0;
    // The game has ended: hands back to the exercise (its ResetAfterGame:
    // labels reset, one more game counted, shown).
    virtual void handBackToExercise() = 0;
};
