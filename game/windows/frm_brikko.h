// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board_renderer.h"
#include "form.h"
#include "game_session.h"
#include "game_window_port.h"
#include "render_surfaces.h"

#include <QPointer>
#include <memory>

class Brikko;
class HighScoreTable;
class PictureBox;
class QAction;
class QLabel;
class frmHighScore;
class frmInstruct;
class frmOptions;

// The windows the game window opens from its menus.
struct GameWindowLinks {
    HighScoreTable& highScores;
    frmHighScore& highScoreWindow;
    frmOptions& options;
    frmInstruct& instruct;
};

// The game window: the board, the preview of the next piece, the score, lines
// and level, and the game's menus. It has no close button: only "&Quitter"
// unloads it, and that ends the program. Keys and menu commands go to the
// game through its GameSession; the game loop shows its state through the
// GameWindowPort, BoardScreen and PreviewView interfaces.
class frmBrikko : public Form, public GameWindowPort, public BoardScreen, public PreviewView {
    Q_OBJECT
public:
    frmBrikko(Brikko& game, GameWindowLinks links, QObject* parent = nullptr);
    ~frmBrikko() override;

    GameSession& session() { return session_; }
    // The board's pictures and back buffer, drawn for this window's screen.
    BoardRenderer& renderer() { return renderer_; }

    // The key handler: one of the program's key codes (the shift state
    // does not count). Every key pressed in the window, whatever control has
    // the focus, arrives here.
    void Form_KeyDown(int keyCode);

    void mnuNewGame_Click();
    void mnuPause_Click();
    void mnuEndGame_Click();
    void mnuHighScore_Click();
    void mnuOptions_Click();
    void mnuExit_Click();
    void mnuInstruct_Click();
    void mnuAbout_Click();

    // GameWindowPort
    void setGameMenus(const GameMenuStates& states) override;
    QString caption() const override;
    void setCaption(const QString& caption) override;
    GameWindowState windowState() const override;
    void setLabel(GameLabel label, const QString& text) override;
    void hideGameWindow() override;
    void showExerciseWindow() override;
    void handBackToExercise() override;

    // BoardScreen: the block of the back buffer, shown at once.
    void copyFromBuffer(const QImage& buffer, const QRect& source) override;
    // PreviewView
    void setPicture(const QImage* picture) override;

signals:
    // The exercise window is to be shown (not modal).
    void exerciseWindowRequested();
    // A game has ended: the exercise takes over again.
    void gameHandedBack();
    // The about box is to be shown, modal; a running game is already paused.
    void aboutRequested();

protected:
    QWidget* createWidget() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Unload() override;

private:
    class KeyForwarder;

    QAction* addCommand(QMenu* menu, const QString& name, const QString& caption,
                        const QKeySequence& shortcut, void (frmBrikko::*handler)());
    // The game module's own calls, kept together at the end of the source.
    void attachToGame();
    void repaintBoardFromBuffer();
    void closeMusic();

    Brikko& game_;
    GameSession session_;
    std::unique_ptr<KeyForwarder> keys_;
    BoardRenderer renderer_;
    GameWindowLinks links_;
    QString caption_;
    GameMenuStates menus_ = GameMenuStates::idle();
    QPointer<PictureBox> picBoard_, picNext_;
    QPointer<QLabel> lblScore_, lblLines_, lblLevel_;
    QPointer<QAction> mnuNewGame_, mnuPause_, mnuEndGame_, mnuHighScore_;
};
