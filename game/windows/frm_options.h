// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form.h"

class GameOptions;
class MessageBoxes;

// The options window: the starting level, the pre-filled rows, the sounds
// and the splash. It is hidden, not closed, so it keeps the position that
// Form_Load gave it over the game window.
class frmOptions : public Form {
    Q_OBJECT
public:
    // The options window is loaded centred over gameWindow's frame on screen;
    // without a game window, or while it is not loaded, the placement is left
    // to the window system. The game window may still be under construction
    // here; it must outlive this window's loads.
    frmOptions(GameOptions& options, MessageBoxes& boxes, const Form* gameWindow = nullptr,
               QObject* parent = nullptr);

    static QString levelMessage() {
        return QStringLiteral("You must enter a number between 0 and 9");
    }

    // The controls show the settings (the window is loaded first when needed).
    void fillFromSettings();
    // Fills the window from the settings, then shows it modal.
    void ShowOptions();

    // Checks the typed level; a level that is not a whole number from 0 to 9
    // gets the message and the current level's text back. Runs when the text
    // box loses the focus to another control of the window. True when the
    // text is acceptable.
    bool txtStartingLevel_LostFocus();
    // Checks the level again (Enter in the text box reaches OK without the
    // focus leaving it); when acceptable, takes the four values, saves them
    // and hides the window; otherwise the window stays open.
    void cmdOk_Click();
    // Hides the window; the settings and the file stay as they were.
    void Command1_Click();

protected:
    QWidget* createWidget() override;
    void Form_Load() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GameOptions& options_;
    MessageBoxes& boxes_;
    const Form* gameWindow_; // may be null; read only while loading
};
