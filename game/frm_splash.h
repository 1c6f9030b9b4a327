// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form.h"

#include <QList>

class Brikko;
class EventPump;
class GameOptions;

// The game's way in: the splash loads the game options and the game's
// windows, plays a short sound, then goes on to the game window, at once when
// "Hide Splash" is set, else when the player presses OK. It is hidden, not
// closed, and shown again at each reward.
class frmSplash : public Form {
    Q_OBJECT
public:
    // windows: loaded in this order (without being shown) before the game
    // window, which is loaded last and shown at the end.
    frmSplash(GameOptions& options, Brikko& game, EventPump& events, QList<Form*> windows,
              Form& gameWindow, QObject* parent = nullptr);

    // Opens the splash: the first time it loads (and its load shows it),
    // afterwards it is shown again. Either way the loading steps run when it
    // becomes the active window, or at once when the window system does not
    // make it so.
    void Open();

    void cmdOk_Click();

    static QString loadingCaption() { return QStringLiteral("Brikko32 - Loading"); }

protected:
    QWidget* createWidget() override;
    void Form_Load() override;
    void Form_Activate() override;

private:
    void showAndLoad();

    GameOptions& options_;
    Brikko& game_;
    EventPump& events_;
    QList<Form*> windows_;
    Form& gameWindow_;
    bool loading_ = false;
    bool activatedSinceShown_ = false;
};
