// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form.h"

#include <QList>

class Brikko;
class GameOptions;

// The game's way in: the splash loads the game options and the game's
// windows, plays a short sound, then goes on to the game window, at once when
// "Hide Splash" is set, else when the player presses OK. It is hidden, not
// closed, and shown again at each reward.
//
// Its loading is a few steps, each run from the event loop after the one
// before, so the window paints each of its captions while it loads.
class frmSplash : public Form {
    Q_OBJECT
public:
    // windows: loaded in this order (without being shown) before the game
    // window, which is loaded last and shown at the end.
    frmSplash(GameOptions& options, Brikko& game, QList<Form*> windows, Form& gameWindow,
              QObject* parent = nullptr);

    // Opens the splash: the first time it loads (and its load shows it),
    // afterwards it is shown again. Either way the loading starts when it
    // becomes the active window, or on the event loop's next pass when the
    // window system does not make it so. Returns with the splash shown.
    void Open();

    void cmdOk_Click();

    // Whether its loading steps are under way (OK disabled, Escape and close
    // requests ignored).
    bool isLoading() const { return loading_; }

    static QString loadingCaption() { return QStringLiteral("Brikko32 - Loading"); }

protected:
    QWidget* createWidget() override;
    void Form_Load() override;
    void Form_Activate() override;

private:
    enum class Step { LoadOptions, LoadWindows, Finish };

    void showAndLoad();
    void runLater(Step step);
    void run(Step step);
    void setCaption(const QString& caption);

    GameOptions& options_;
    Brikko& game_;
    QList<Form*> windows_;
    Form& gameWindow_;
    bool loading_ = false;
    bool activatedSinceShown_ = false;
};
